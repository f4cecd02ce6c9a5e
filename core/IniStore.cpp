#include "core/IniStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

QStringList SectionParts(const QString& Section)
{
    QString s = Section;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The name in `names` equal to `wanted`, or failing that equal without regard to case.
QString Match(const QStringList& names, const QString& wanted)
{
    if (names.contains(wanted))
        return wanted;
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    return {};
}

} // namespace

TIniStore::TIniStore(const QString& fileName)
    : FFileName(fileName)
{
    const QFileInfo info(fileName);
    QDir().mkpath(info.absolutePath());
    if (!info.exists()) {
        // Created empty with the owner-only mode first: later writes replace the file and keep
        // the mode they find.
        QFile f(fileName);
        if (f.open(QIODevice::WriteOnly, OwnerOnly))
            f.close();
    }
    Restrict();
    FSettings = std::make_unique<QSettings>(fileName, QSettings::IniFormat);
    if (FSettings->status() != QSettings::NoError)
        qWarning("Settings file %s could not be read; defaults are used", qPrintable(fileName));
}

TIniStore::~TIniStore()
{
    UpdateFile();
}

void TIniStore::Restrict() const
{
    if (QFileInfo(FFileName).isFile() && QFile::permissions(FFileName) != OwnerOnly)
        QFile::setPermissions(FFileName, OwnerOnly);
}

QString TIniStore::GroupPath(const QString& Section) const
{
    QSettings& s = *FSettings;
    const QStringList parts = SectionParts(Section);
    QStringList path;
    bool exists = true;
    for (const QString& part : parts) {
        QString found;
        if (exists) {
            s.beginGroup(path.join(QLatin1Char('/')));
            found = Match(s.childGroups(), part);
            s.endGroup();
        }
        if (found.isEmpty()) {
            exists = false;
            found = part;
        }
        path << found;
    }
    return path.join(QLatin1Char('/'));
}

QString TIniStore::KeyPath(const QString& Section, const QString& Ident, bool forWrite) const
{
    const QString group = GroupPath(Section);
    FSettings->beginGroup(group);
    QString key = Match(FSettings->childKeys(), Ident);
    FSettings->endGroup();
    if (key.isEmpty()) {
        if (!forWrite)
            return {};
        key = Ident;
    }
    return group.isEmpty() ? key : group + QLatin1Char('/') + key;
}

QString TIniStore::ReadString(const QString& Section, const QString& Ident, const QString& Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    const QVariant v = FSettings->value(key);
    // An unquoted comma in a hand-edited file makes a list of the value.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    if (!v.canConvert<QString>())
        return Default;
    return v.toString();
}

int32_t TIniStore::ReadInteger(const QString& Section, const QString& Ident, int32_t Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    bool ok = false;
    const int32_t value = FSettings->value(key).toString().trimmed().toInt(&ok);
    return ok ? value : Default;
}

bool TIniStore::ReadBool(const QString& Section, const QString& Ident, bool Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    const QString text = FSettings->value(key).toString().trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok)
        return n != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return Default;
}

void TIniStore::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    FSettings->setValue(KeyPath(Section, Ident, true), Value);
}

void TIniStore::WriteInteger(const QString& Section, const QString& Ident, int32_t Value)
{
    FSettings->setValue(KeyPath(Section, Ident, true), int(Value));
}

void TIniStore::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    // As numbers, so that an integer read of the value works too.
    FSettings->setValue(KeyPath(Section, Ident, true), Value ? 1 : 0);
}

bool TIniStore::SectionExists(const QString& Section)
{
    const QStringList parts = SectionParts(Section);
    if (parts.isEmpty())
        return true;
    const QString group = GroupPath(Section);
    const int split = group.lastIndexOf(QLatin1Char('/'));
    FSettings->beginGroup(split < 0 ? QString() : group.left(split));
    const bool found = FSettings->childGroups().contains(group.mid(split + 1));
    FSettings->endGroup();
    return found;
}

bool TIniStore::ValueExists(const QString& Section, const QString& Ident)
{
    return !KeyPath(Section, Ident, false).isEmpty();
}

QStringList TIniStore::ReadSection(const QString& Section)
{
    FSettings->beginGroup(GroupPath(Section));
    const QStringList keys = FSettings->childKeys();
    FSettings->endGroup();
    return keys;
}

void TIniStore::EraseSection(const QString& Section)
{
    if (SectionParts(Section).isEmpty() || !SectionExists(Section))
        return;
    FSettings->remove(GroupPath(Section));
}

void TIniStore::DeleteKey(const QString& Section, const QString& Ident)
{
    const QString key = KeyPath(Section, Ident, false);
    if (!key.isEmpty())
        FSettings->remove(key);
}

bool TIniStore::UpdateFile()
{
    FSettings->sync();
    Restrict();
    const bool ok = FSettings->status() != QSettings::AccessError;
    if (!ok)
        qWarning("Settings file %s could not be written", qPrintable(FFileName));
    return ok;
}
