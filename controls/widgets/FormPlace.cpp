#include "controls/widgets/FormPlace.h"

#include "core/IniStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>
#include <array>
#include <optional>

namespace {

constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;
constexpr int ShowMinimize = 6;
constexpr int ShowMinNoActive = 7;

// Ten integers from the front of the text, as the placement record orders them; none when a
// token is not a number.
std::optional<std::array<int, 10>> Tokens(const QString& stored)
{
    std::array<int, 10> values{};
    QString rest = stored + QLatin1Char(' ');
    for (int i = 0; i < 10; ++i) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        if (blank < 0) {
            values[i] = i == 1 ? ShowNormal : 0;
            continue;
        }
        bool ok = false;
        values[i] = rest.left(blank).toInt(&ok);
        if (!ok)
            return std::nullopt;
        rest = rest.mid(blank + 1, 255);
    }
    return values;
}

} // namespace

TFormPlace::TFormPlace(QWidget* owner)
    : QObject(owner)
    , FOwner(owner)
    , FIdentifier(owner ? owner->objectName() : QString())
    , FSection(owner ? owner->objectName() : QString())
{
}

QString TFormPlace::RootFileName(const QString& root)
{
    QString path = root;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty())
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + path
         + QStringLiteral(".ini");
}

QString TFormPlace::StoreFileName() const
{
    return FUseRegistry ? RootFileName(FRoot) : FIniFileName;
}

TFormPlace::TPlacement TFormPlace::ParsePlacement(const QString& text)
{
    auto values = Tokens(text);
    if (!values)
        values = Tokens(DefaultPlacement);
    const std::array<int, 10>& v = *values;
    TPlacement p;
    p.ShowCmd = v[1];
    p.Left = v[6];
    p.Top = v[7];
    p.Right = v[8];
    p.Bottom = v[9];
    return p;
}

QString TFormPlace::PlacementOf(const QWidget& window)
{
    int show = ShowNormal;
    if (window.isMaximized())
        show = ShowMaximized;
    else if (window.isMinimized())
        show = ShowMinimized;
    const QRect r = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const int values[10] = {0, show, -1, -1, -1, -1, r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    QString text;
    for (int v : values)
        text += QString::number(v) + QLatin1Char(' ');
    return text;
}

bool TFormPlace::Write()
{
    const QString file = StoreFileName();
    if (!FOwner || file.isEmpty())
        return false;
    TIniStore store(file);
    store.WriteString(FSection, FIdentifier, PlacementOf(*FOwner));
    return store.UpdateFile();
}

bool TFormPlace::Read()
{
    const QString file = StoreFileName();
    if (!FOwner || file.isEmpty())
        return false;
    TIniStore store(file);
    const TPlacement p = ParsePlacement(store.ReadString(FSection, FIdentifier, DefaultPlacement));
    if (p.Left >= p.Right)
        return false;
    QRect r = p.Normal();
    // A rectangle on a screen that is gone would put the window out of reach.
    bool onScreen = QGuiApplication::screens().isEmpty();
    for (const QScreen* s : QGuiApplication::screens())
        onScreen = onScreen || s->availableGeometry().intersects(r);
    if (!onScreen && QGuiApplication::primaryScreen())
        r.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(26, 26));
    FOwner->setGeometry(r);
    Qt::WindowStates state = FOwner->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    if (p.ShowCmd == ShowMaximized)
        state |= Qt::WindowMaximized;
    else if (p.ShowCmd == ShowMinimized || p.ShowCmd == ShowMinimize || p.ShowCmd == ShowMinNoActive)
        state |= Qt::WindowMinimized;
    FOwner->setWindowState(state);
    return true;
}
