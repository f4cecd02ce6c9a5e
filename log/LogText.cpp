#include "log/LogText.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vx::logtext {

namespace {

bool IsControlOrBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

// Characters that some readers take as the end of a line.
bool IsLineBreakLike(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// How a submode rule compares the mode text (letter case matters).
enum class Match { Equals, StartsWith, Contains };

struct SubModeRule {
    Match match;
    const char* texts[2];
    TQSOMode mode;
};

// Mode texts that are ADIF submodes (or old mode names) of one of the log's modes, tried
// in this order after the exact mode names.
const SubModeRule SubModeRules[] = {
    {Match::Equals, {"LSB", "USB"}, mSSB},
    {Match::StartsWith, {"CHIP", nullptr}, mCHIP},
    {Match::StartsWith, {"DOMINO", nullptr}, mDOMINO},
    {Match::Contains, {"HELL", nullptr}, mHELL},
    {Match::StartsWith, {"ISCAT", nullptr}, mISCAT},
    {Match::StartsWith, {"JT4", nullptr}, mJT4},
    {Match::StartsWith, {"JT9", nullptr}, mJT9},
    {Match::StartsWith, {"JT65", nullptr}, mJT65},
    {Match::Contains, {"MFSK", nullptr}, mMFSK},
    {Match::StartsWith, {"OLIVIA", nullptr}, mOLIVIA},
    {Match::StartsWith, {"OPERA", nullptr}, mOPERA},
    {Match::StartsWith, {"PAC", nullptr}, mPAC},
    {Match::StartsWith, {"PAX", nullptr}, mPAX},
    {Match::Contains, {"PSK", nullptr}, mPSK},
    {Match::Equals, {"FSK31", "SIM31"}, mPSK},
    {Match::StartsWith, {"QRA64", nullptr}, mQRA64},
    {Match::StartsWith, {"ROS", nullptr}, mROS},
    {Match::Equals, {"ASCI", nullptr}, mRTTY},
    {Match::Equals, {"THRBX", nullptr}, mTHRB},
    {Match::Equals, {"AMTORFEC", "GTOR"}, mTOR},
};

bool RuleApplies(const SubModeRule& rule, const QString& text)
{
    for (const char* t : rule.texts) {
        if (!t)
            continue;
        const QLatin1String s(t);
        switch (rule.match) {
        case Match::Equals:
            if (text == s)
                return true;
            break;
        case Match::StartsWith:
            if (text.startsWith(s))
                return true;
            break;
        case Match::Contains:
            if (text.contains(s))
                return true;
            break;
        }
    }
    return false;
}

char16_t UpperAsciiChar(char16_t c)
{
    return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c;
}

// Only ASCII letters fold: no locale or Unicode folding may make a foreign letter match.
bool EqualsIgnoringAsciiCase(const QString& text, const char* name)
{
    const qsizetype n = qsizetype(std::strlen(name));
    if (text.size() != n)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        if (UpperAsciiChar(text[i].unicode()) != UpperAsciiChar(char16_t(uchar(name[i]))))
            return false;
    }
    return true;
}

void AppendDigits(QString& out, int value, int width)
{
    char buf[12];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        buf[i] = char('0' + value % 10);
    out.append(QLatin1String(buf, width));
}

const QDate& NoDate()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

} // namespace

QString TrimControl(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsControlOrBlank(s[b]))
        ++b;
    while (e > b && IsControlOrBlank(s[e - 1]))
        --e;
    if (b == 0 && e == s.size())
        return s;
    return s.mid(b, e - b);
}

QString CleanFieldText(const QString& s)
{
    const auto needsChange = [](QChar c) { return c == QLatin1Char(';') || IsLineBreakLike(c); };
    if (std::none_of(s.cbegin(), s.cend(), needsChange))
        return s; // the common case: no copy
    QString r = s;
    for (QChar& c : r) {
        if (c == QLatin1Char(';'))
            c = QLatin1Char(',');
        else if (IsLineBreakLike(c))
            c = QLatin1Char(' ');
    }
    return r;
}

QString UpperAscii(const QString& s)
{
    const auto isLower = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };
    if (std::none_of(s.cbegin(), s.cend(), isLower))
        return s;
    QString r = s;
    for (QChar& c : r) {
        if (isLower(c))
            c = QChar(c.unicode() - 32);
    }
    return r;
}

QString LowerAscii(const QString& s)
{
    QString r = s;
    for (QChar& c : r) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return r;
}

int TextLength(const QString& s)
{
    int n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

QString CutText(const QString& s, int n)
{
    if (n <= 0)
        return {};
    int count = 0;
    qsizetype i = 0;
    while (i < s.size() && count < n) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            i += 2;
        else
            ++i;
        ++count;
    }
    return i >= s.size() ? s : s.left(i);
}

bool IsAsciiDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<int32_t> ParseDecimal(QStringView s)
{
    if (!IsAsciiDigits(s))
        return std::nullopt;
    int64_t v = 0;
    for (QChar c : s) {
        v = v * 10 + (c.unicode() - '0');
        if (v > std::numeric_limits<int32_t>::max())
            return std::nullopt;
    }
    return int32_t(v);
}

bool IsLogDate(const QDate& d)
{
    return d.isValid() && d > NoDate() && d.year() <= 9999;
}

QString DateToText(const QDate& d)
{
    if (!IsLogDate(d))
        return {};
    // Built by hand: this runs for every line the log writes.
    QString s;
    s.reserve(8);
    AppendDigits(s, d.year(), 4);
    AppendDigits(s, d.month(), 2);
    AppendDigits(s, d.day(), 2);
    return s;
}

std::optional<QDate> ParseDateText(const QString& s)
{
    QStringView y, m, d;
    const QStringView v(s);
    if (s.size() == 8) {
        y = v.mid(0, 4);
        m = v.mid(4, 2);
        d = v.mid(6, 2);
    } else if (s.size() == 10) {
        y = v.mid(0, 4);
        m = v.mid(5, 2);
        d = v.mid(8, 2);
    } else {
        return std::nullopt;
    }
    const auto year = ParseDecimal(y);
    const auto month = ParseDecimal(m);
    const auto day = ParseDecimal(d);
    if (!year || !month || !day)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!IsLogDate(date))
        return std::nullopt;
    return date;
}

std::optional<QTime> ParseTimeText(const QString& s)
{
    QString copy;
    QStringView t(s);
    if (s.contains(QLatin1Char(':'))) {
        copy = s;
        copy.remove(QLatin1Char(':'));
        t = copy;
    }
    const auto hour = ParseDecimal(t.left(2));
    if (!hour)
        return std::nullopt;
    int minute = 0;
    int second = 0;
    if (t.size() >= 4) {
        const auto m = ParseDecimal(t.mid(2, 2));
        if (!m)
            return std::nullopt;
        minute = *m;
    }
    if (t.size() == 6) {
        const auto sec = ParseDecimal(t.mid(4, 2));
        if (!sec)
            return std::nullopt;
        second = *sec;
    }
    if (*hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QTime(*hour, minute, second);
}

QString TimeToHHMMSS(const QTime& t)
{
    if (!t.isValid())
        return QStringLiteral("000000");
    QString s;
    s.reserve(6);
    AppendDigits(s, t.hour(), 2);
    AppendDigits(s, t.minute(), 2);
    AppendDigits(s, t.second(), 2);
    return s;
}

QString TimeToHHMM(const QTime& t)
{
    if (!t.isValid())
        return QStringLiteral("0000");
    QString s;
    s.reserve(4);
    AppendDigits(s, t.hour(), 2);
    AppendDigits(s, t.minute(), 2);
    return s;
}

QString FrequencyToMHzText(uint32_t hz)
{
    if (hz == 0)
        return {};
    // Integer arithmetic: the text must not depend on the locale or on binary rounding.
    const uint64_t khz = (uint64_t(hz) + 500) / 1000;
    QString s = QString::number(khz / 1000);
    s.append(QLatin1Char('.'));
    AppendDigits(s, int(khz % 1000), 3);
    return s;
}

std::optional<uint32_t> ParseMHzText(const QString& s)
{
    if (s.isEmpty())
        return 0u;
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? s : s.left(dot);
    const QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    if ((!whole.isEmpty() && !IsAsciiDigits(whole)) || (!frac.isEmpty() && !IsAsciiDigits(frac)))
        return std::nullopt;
    uint64_t mhz = 0;
    for (QChar c : whole) {
        mhz = mhz * 10 + (c.unicode() - '0');
        if (mhz > 5000) // beyond 32 bits of hertz in any case
            return std::nullopt;
    }
    // Hertz are the first six decimals; the seventh rounds.
    uint64_t hz = mhz * 1000000;
    uint64_t scale = 100000;
    for (qsizetype i = 0; i < frac.size() && i < 6; ++i, scale /= 10)
        hz += uint64_t(frac[i].unicode() - '0') * scale;
    if (frac.size() > 6 && frac[6] >= QLatin1Char('5'))
        ++hz;
    if (hz > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return uint32_t(hz);
}

int FindName(const char* const* names, int count, const QString& text)
{
    for (int i = 0; i < count; ++i) {
        if (EqualsIgnoringAsciiCase(text, names[i]))
            return i;
    }
    return -1;
}

ModeTextMatch MatchModeText(const QString& text)
{
    ModeTextMatch m;
    const int i = FindName(QSOModeNames.data(), QSOModeCount, text);
    if (i >= 0) {
        m.Mode = TQSOMode(i);
        m.ExactName = true;
        // The empty text names mNone; the submode rules cannot apply to it either.
        if (m.Mode != mNone || text.isEmpty())
            return m;
    }
    for (const SubModeRule& rule : SubModeRules) {
        if (RuleApplies(rule, text)) {
            m.Mode = rule.mode;
            m.SubModeRule = true;
            return m;
        }
    }
    return m;
}

QString JoinAllInfos(const QString& comment, const QString& name, const QString& qth, const QString& iota,
                     const QString& qslVia)
{
    const QString via = qslVia.isEmpty() ? QString() : QStringLiteral("via ") + qslVia;
    const QChar blank = QLatin1Char(' ');
    QString s = TrimControl(comment + blank + name + blank + qth + blank + iota + blank + via);
    // A single pass: three blanks in a row leave two, as the log has always shown them.
    s.replace(QLatin1String("  "), QLatin1String(" "));
    return s;
}

std::array<QString, LogFieldCount> SplitLogLine(const QString& line)
{
    std::array<QString, LogFieldCount> fields;
    qsizetype start = 0;
    for (int k = 0; k < LogFieldCount; ++k) {
        if (start > line.size())
            break;
        if (k == LogFieldCount - 1) {
            fields[k] = line.mid(start);
            break;
        }
        const qsizetype sep = line.indexOf(QLatin1Char(';'), start);
        if (sep < 0) {
            fields[k] = line.mid(start);
            start = line.size() + 1;
            break;
        }
        fields[k] = line.mid(start, sep - start);
        start = sep + 1;
    }
    return fields;
}

} // namespace vx::logtext
