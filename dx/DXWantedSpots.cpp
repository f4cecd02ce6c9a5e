#include "dx/DXWantedSpots.h"
#include "platform/SaveFile.h"

#include "core/DataFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace {

// Lines of a file in the per-user data folder.
std::optional<QStringList> ReadLines(const char* fileName)
{
    return TDXWantedSpots::ReadFileLines(GetUserDataFileName(QString::fromLatin1(fileName)));
}

// Runs of ";" shrink to one.
QString CollapseSeparators(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u';' && !out.isEmpty() && out.back() == u';')
            continue;
        out.append(c);
    }
    return out;
}

bool HasBand(const QString& value)
{
    return std::any_of(value.begin(), value.end(), [](QChar c) { return c != u';'; });
}

char16_t UpperAscii(char16_t c)
{
    return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : c;
}

bool LessIgnoringCase(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = UpperAscii(a[i].unicode());
        const char16_t y = UpperAscii(b[i].unicode());
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

QString BandsText(const TWantedBands& bands)
{
    QString text;
    for (int b = bd160; b <= bd6; ++b) {
        if (bands.Contains(TBand(b)))
            text += TDXWantedSpots::BandNumber(TBand(b)) + u';';
    }
    return text;
}

} // namespace

std::optional<QStringList> TDXWantedSpots::ReadFileLines(const QString& path)
{
    const auto bytes = ReadTextFileAsUtf8(path);
    if (!bytes)
        return std::nullopt;
    QStringList lines = QString::fromUtf8(*bytes).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

QString TDXWantedSpots::BandNumber(TBand band)
{
    static const char* const Numbers[] = {"160", "80", "60", "40", "30", "20", "17", "15", "12", "10", "6"};
    if (band < bd160 || band > bd6)
        return {};
    return QString::fromLatin1(Numbers[band - bd160]);
}

void TDXWantedSpots::LoadWantedSpots()
{
    FWantedSpotsDictionary.clear();
    const auto lines = ReadLines(WantedSpotsFileName);
    if (!lines)
        return;
    for (const QString& line : *lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString value = CollapseSeparators(QStringView(line).mid(eq + 1));
        if (HasBand(value))
            FWantedSpotsDictionary.insert(line.left(eq), value);
    }
}

void TDXWantedSpots::LoadWantedDXCC()
{
    FWantedDXCCDictionary.clear();
    const auto lines = ReadLines(WantedDXCCFileName);
    if (!lines)
        return;
    for (const QString& line : *lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString rest = line.mid(eq + 1);
        const qsizetype semicolon = rest.indexOf(u';');
        if (semicolon < 0)
            continue;
        bool ok = false;
        const int32_t adif = rest.left(semicolon).toInt(&ok);
        if (!ok)
            continue;
        const QString value = CollapseSeparators(QStringView(rest).mid(semicolon));
        if (HasBand(value))
            FWantedDXCCDictionary.insert(adif, value);
    }
}

bool TDXWantedSpots::IsWanted(const QString& call, TBand band, int32_t adifCode) const
{
    const QString number = BandNumber(band);
    if (number.isEmpty())
        return false;
    const QString token = u';' + number + u';';

    if (adifCode > 0) {
        const auto it = FWantedDXCCDictionary.constFind(adifCode);
        if (it != FWantedDXCCDictionary.constEnd() && it->contains(token))
            return true;
    }
    if (call.isEmpty())
        return false;
    const auto exact = FWantedSpotsDictionary.constFind(call);
    if (exact != FWantedSpotsDictionary.constEnd() && exact->contains(token))
        return true;
    // The most specific prefix decides, whatever order the keys are kept in.
    for (qsizetype len = call.size() - 1; len > 0; --len) {
        const auto it = FWantedSpotsDictionary.constFind(call.left(len));
        if (it != FWantedSpotsDictionary.constEnd())
            return it->contains(token);
    }
    return false;
}

QString TDXWantedSpots::WantedSpotsLine(const QString& call, const TWantedBands& bands)
{
    return call + QStringLiteral("=;") + BandsText(bands);
}

QString TDXWantedSpots::WantedDXCCLine(const QString& entity, const QString& adifCode, const TWantedBands& bands)
{
    return entity + u'=' + adifCode + u';' + BandsText(bands);
}

bool TDXWantedSpots::SaveWantedFile(const QString& path, QStringList lines)
{
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return vx::SaveFileAtomically(path, bytes).isEmpty();
}
