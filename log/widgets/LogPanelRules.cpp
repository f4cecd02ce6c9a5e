#include "log/widgets/LogPanelRules.h"

#include <QStringView>
#include <array>

namespace vx::logpanel {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsUpperLetter(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool IsLetter(QChar c)
{
    return IsUpperLetter(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool Between(QChar c, char low, char high)
{
    return c >= QLatin1Char(low) && c <= QLatin1Char(high);
}

// The entry panel's own band edges for typed frequencies (narrower than the band plan's on
// 60, 40 and 20 m).
struct TTypedBand {
    int Digits;
    int64_t Lowest;
    int64_t Highest;
};
constexpr std::array<TTypedBand, BandCount> TypedBands = {{
    {0, 0, 0},
    {7, 1800000, 2000000},
    {7, 3500000, 4000000},
    {7, 5200000, 5500000},
    {7, 7000000, 7400000},
    {8, 10100000, 10150000},
    {8, 14000000, 14300000},
    {8, 18068000, 18168000},
    {8, 21000000, 21450000},
    {8, 24890000, 24990000},
    {8, 28000000, 29700000},
    {8, 50000000, 54000000},
    {0, 0, 0},
    {0, 0, 0},
    {0, 0, 0},
}};

} // namespace

QChar UpperAscii(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ? QChar(c.unicode() - 32) : c;
}

bool IsCallCharacter(QChar c)
{
    return c == Backspace || c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('?') || IsDigit(c) ||
           IsUpperLetter(c);
}

TKeyResult SerialKey(QChar c, bool numbersOnly)
{
    c = UpperAscii(c);
    if (c == Backspace || IsDigit(c) || (!numbersOnly && IsUpperLetter(c)))
        return c;
    return std::nullopt;
}

TKeyResult LocatorKey(QChar c, int length)
{
    if (c == Backspace)
        return c;
    if (!IsDigit(c) && !IsLetter(c))
        return std::nullopt;
    if (length <= 1) {
        c = UpperAscii(c);
        return Between(c, 'A', 'R') ? TKeyResult(c) : std::nullopt;
    }
    if (length <= 3)
        return IsDigit(c) ? TKeyResult(c) : std::nullopt;
    if (length <= 5)
        return Between(c, 'a', 'x') ? TKeyResult(c) : std::nullopt;
    return c;
}

TKeyResult IOTAKey(QChar c, int length)
{
    if (c == Backspace)
        return c;
    c = UpperAscii(c);
    if (c != QLatin1Char('-') && !IsDigit(c) && !IsUpperLetter(c))
        return std::nullopt;
    if (length <= 1)
        return QStringView(u"ACEFNOSU").contains(c) ? TKeyResult(c) : std::nullopt;
    if (length == 2)
        return c == QLatin1Char('-') ? TKeyResult(c) : std::nullopt;
    if (length <= 5)
        return IsDigit(c) ? TKeyResult(c) : std::nullopt;
    return c;
}

QString CallPart(const QString& field)
{
    const qsizetype blank = field.indexOf(QLatin1Char(' '));
    QString call = blank > 0 ? field.left(blank) : field;
    call.remove(QLatin1Char('?'));
    return call;
}

bool IsValidCallsign(const QString& field)
{
    if (field.size() < 2)
        return false;
    if (field == QLatin1String("RAEM"))
        return true;
    const qsizetype blank = field.indexOf(QLatin1Char(' '));
    const QStringView call = blank < 0 ? QStringView(field) : QStringView(field).left(blank);
    bool letter = false;
    bool digit = false;
    for (QChar c : call) {
        letter = letter || IsUpperLetter(c);
        digit = digit || IsDigit(c);
    }
    return letter && digit;
}

bool IsJTMode(const QString& mode, const QString& submode)
{
    return mode == QLatin1String("JT65") || mode == QLatin1String("JT9") || mode == QLatin1String("FT8") ||
           submode == QLatin1String("FT4") || submode == QLatin1String("Q65") || submode == QLatin1String("JS8");
}

QString JTReport(const QString& text)
{
    const QChar sign = text.startsWith(QLatin1Char('+')) ? QLatin1Char('+') : QLatin1Char('-');
    int number = 0;
    int digits = 0;
    for (QChar c : text) {
        if (!IsDigit(c))
            continue;
        number = number * 10 + (c.unicode() - '0');
        if (++digits == 2)
            break;
    }
    if (digits == 0)
        number = 15;
    if (number == 0)
        return QStringLiteral("+00");
    return sign + QString::number(number).rightJustified(2, QLatin1Char('0'));
}

TShorthand ReportShorthand(const QString& field, const QString& mode)
{
    const qsizetype blank = field.indexOf(QLatin1Char(' '));
    if (blank <= 0)
        return {field, std::nullopt};
    QString digits;
    qsizetype firstDigit = -1;
    for (qsizetype i = blank + 1; i < field.size(); ++i) {
        if (Between(field[i], '1', '9')) {
            if (firstDigit < 0)
                firstDigit = i;
            digits += field[i];
        }
    }
    TShorthand result{firstDigit < 0 ? field.left(blank) : field.left(firstDigit - 1), std::nullopt};
    const bool phone = mode == QLatin1String("SSB") || mode == QLatin1String("AM") || mode == QLatin1String("FM");
    const bool keyed = mode == QLatin1String("CW") || mode == QLatin1String("RTTY");
    if (phone && digits.size() == 1)
        result.RST = QLatin1Char('5') + digits;
    else if (phone && digits.size() == 2)
        result.RST = digits;
    else if (keyed && digits.size() == 1)
        result.RST = QLatin1Char('5') + digits + QLatin1Char('9');
    else if (keyed && digits.size() == 2)
        result.RST = digits + QLatin1Char('9');
    else if (keyed && digits.size() == 3)
        result.RST = digits;
    return result;
}

QString IOTAOnExit(const QString& text)
{
    switch (text.size()) {
    case 1:
    case 2:
    case 3: return {};
    case 4: return text.left(3) + QLatin1String("00") + text.right(1);
    case 5: return text.left(3) + QLatin1Char('0') + text.right(2);
    default: return text;
    }
}

bool IsFrequencyText(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

int32_t FrequencyFromText(const QString& digits, TBand band)
{
    // More than 8 digits can be no kHz frequency of any band; reading them needs 64 bits.
    if (digits.size() < 2 || digits.size() > 8 || band >= TypedBands.size())
        return 0;
    const TTypedBand& b = TypedBands[band];
    if (b.Digits == 0)
        return 0;
    bool ok = false;
    const int64_t hz = digits.leftJustified(b.Digits, QLatin1Char('0')).toLongLong(&ok);
    if (!ok || hz < b.Lowest || hz > b.Highest)
        return 0;
    return int32_t(hz);
}

int CQZoneOfState(const QString& state)
{
    static const struct {
        int Zone;
        const char* States;
    } zones[] = {
        {1, "AK"},
        {3, "AZ CA ID NV OR UT WA"},
        {4, "AL AR CO IA IL IN KS KY LA MI MN MO MS MT ND NE NM OH OK SD TN TX WI WY"},
        {5, "CT DC DE FL GA MA MD ME NC NH NJ NY PA RI SC VA VT WV"},
        {31, "HI"},
    };
    if (state.size() != 2)
        return 0;
    for (const auto& z : zones) {
        if (QString::fromLatin1(z.States).split(QLatin1Char(' ')).contains(state))
            return z.Zone;
    }
    return 0;
}

int LogModeItemOfRadioMode(TMode mode)
{
    switch (mode) {
    case mdLSB:
    case mdUSB: return mSSB;
    case mdCW:
    case mdCW_R: return mCW;
    case mdFM:
    case mdFM_N: return mFM;
    case mdAM: return mAM;
    case mdFSK:
    case mdFSK_R: return mRTTY;
    case mdPKT_L:
    case mdPKT_FM:
    case mdPKT_U: return mPKT;
    }
    return mNone;
}

std::optional<int32_t> DXCCCodeOfItem(const QString& item)
{
    const QString text = item.trimmed();
    if (!text.endsWith(QLatin1Char(')')))
        return std::nullopt;
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return std::nullopt;
    const QStringView digits = QStringView(text).mid(open + 1, text.size() - open - 2);
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (!IsDigit(c))
            return std::nullopt;
    }
    bool ok = false;
    const int32_t code = digits.toInt(&ok);
    return ok ? std::optional<int32_t>(code) : std::nullopt;
}

QString NameText(const QString& name)
{
    QString text = name.toLower();
    if (!text.isEmpty() && Between(text[0], 'a', 'z'))
        text[0] = UpperAscii(text[0]);
    return text;
}

QString SpotLine(int32_t frequencyA, TBand band, const QString& call, const QString& grid, const QString& myLocator)
{
    // QString::number ignores the locale: "14025.0" also where the decimal sign is a comma.
    const QString kHz = QString::number(double(frequencyA) / 1000.0, 'f', 1);
    if (band == bd6 && !grid.isEmpty()) {
        if (!myLocator.isEmpty())
            return QStringLiteral("DX %1 %2 %3<>%4 ").arg(kHz, call, myLocator.toUpper(), grid.toUpper());
        return QStringLiteral("DX %1 %2 %3 ").arg(kHz, call, grid);
    }
    return QStringLiteral("DX %1 %2 ").arg(kHz, call);
}

} // namespace vx::logpanel
