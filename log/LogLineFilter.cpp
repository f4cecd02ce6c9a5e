#include "log/LogLineFilter.h"

#include "log/LogFilter.h"
#include "log/LogLines.h"
#include "log/LogRecord.h"
#include "log/LogText.h"

#include <algorithm>

using namespace vx::loglines;

namespace {

// A value holding a blank or a character that the record turns into one cannot be
// compared with the raw field text.
bool HasBlankLike(const QString& v)
{
    for (QChar c : v) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u == 0x85 || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

bool IsDigits(const QString& v)
{
    return vx::logtext::IsAsciiDigits(v);
}

bool IsMFSKSubmodeFilter(const QString& v)
{
    return v == QLatin1String("FT4") || v == QLatin1String("Q65") || v == QLatin1String("JS8");
}

} // namespace

TLogLinePrefilter::TLogLinePrefilter(const TLogFilter& f)
{
    const auto add = [this](Kind kind, int field, const QString& value) {
        if (!value.isEmpty() && !HasBlankLike(value))
            FChecks.push_back({kind, field, value});
    };
    if (IsDigits(f.QSODate()))
        add(Kind::DatePrefix, LogField::QSODate, f.QSODate());
    add(Kind::StartsWith, LogField::Call, f.Call());
    add(Kind::Equals, LogField::Band, f.Band());
    add(Kind::Mode, LogField::Mode, f.Mode());
    // A comment value inside "via" may come from the words around the QSL route.
    if (!QStringLiteral("VIA").contains(f.Comment(), Qt::CaseInsensitive))
        add(Kind::Comment, -1, f.Comment());
    add(Kind::StartsWith, LogField::GridSquare, f.GridSquare());
    add(Kind::Equals, LogField::Continent, f.Continent());
    add(Kind::CQZone, LogField::CQZone, f.CQZ());
    add(Kind::Equals, LogField::USState, f.State());
    // An unreadable flag reads as "N", so only other letters can be looked for.
    const std::pair<int, QString> flags[] = {
        {LogField::QSLSent, f.QSLSent()},         {LogField::QSLRcvd, f.QSLRcvd()},
        {LogField::QSLLoTWSent, f.LoTWQSLSent()}, {LogField::QSLLoTWRcvd, f.LoTWQSLRcvd()},
        {LogField::QSLeQSLSent, f.eQSLSent()},    {LogField::QSLeQSLRcvd, f.eQSLRcvd()},
    };
    for (const auto& [field, value] : flags) {
        if (value.size() == 1 && value != QLatin1String("N"))
            add(Kind::FlagLetter, field, value);
    }
    // An unreadable number reads as 0.
    if (f.DXCC() != QLatin1String("0"))
        add(Kind::DXCC, LogField::DXCC, f.DXCC());
    // Checks of the early fields first: most lines are turned away before the rest of the
    // line is split.
    for (Check& c : FChecks)
        c.fieldsNeeded = c.kind == Kind::Comment ? LogField::IOTA + 1 : c.field + 1;
    std::stable_sort(FChecks.begin(), FChecks.end(),
                     [](const Check& a, const Check& b) { return a.fieldsNeeded < b.fieldsNeeded; });
}

TQSOMode TLogLinePrefilter::ModeOf(QStringView text) const
{
    for (const auto& [seen, mode] : FModeCache) {
        if (seen == text)
            return mode;
    }
    const TQSOMode mode = vx::logtext::MatchModeText(text.toString()).Mode;
    if (FModeCache.size() < 64)
        FModeCache.emplace_back(text.toString(), mode);
    return mode;
}

bool TLogLinePrefilter::Passes(const Check& c, QStringView field,
                               const std::array<QStringView, 36>& fields) const
{
    const QStringView t = TrimField(field);
    switch (c.kind) {
    case Kind::DatePrefix: {
        // The record takes "yyyymmdd" or "yyyy?mm?dd"; nothing else gives a date.
        if (t.size() == 8)
            return t.startsWith(c.value);
        if (t.size() == 10) {
            QString digits = t.left(4).toString();
            digits += t.mid(5, 2);
            digits += t.mid(8, 2);
            return digits.startsWith(c.value);
        }
        return false;
    }
    case Kind::StartsWith: return t.startsWith(c.value, Qt::CaseInsensitive);
    case Kind::Equals: return t.compare(c.value, Qt::CaseInsensitive) == 0;
    case Kind::FlagLetter: return !t.isEmpty() && t.left(1).compare(c.value, Qt::CaseInsensitive) == 0;
    case Kind::DXCC: {
        QStringView d = t;
        while (d.startsWith(QLatin1Char('0')))
            d = d.mid(1);
        return d == c.value;
    }
    case Kind::CQZone:
        return t.size() == 1 ? (c.value.size() == 2 && c.value[0] == QLatin1Char('0') && c.value[1] == t[0])
                             : t.left(2) == c.value;
    case Kind::Mode: {
        const TQSOMode mode = ModeOf(t);
        if (IsMFSKSubmodeFilter(c.value))
            return mode == mMFSK;
        return c.value == QLatin1String(QSOModeNames[mode]);
    }
    case Kind::Comment:
        for (int k : {LogField::Comment, LogField::Name, LogField::QTH, LogField::IOTA, LogField::QSLVia}) {
            if (fields[k].contains(c.value, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }
    return true;
}

bool TLogLinePrefilter::MayMatch(QStringView line) const
{
    if (FChecks.empty())
        return true;
    std::array<QStringView, 36> fields;
    int split = 0;
    for (const Check& c : FChecks) {
        if (c.fieldsNeeded > split) {
            split = c.fieldsNeeded;
            SplitFields(line, fields, split);
        }
        if (!Passes(c, c.field >= 0 ? fields[c.field] : QStringView(), fields))
            return false;
    }
    return true;
}
