#include "client/MenuDefinitions.h"

#include "core/DataFiles.h"

#include <QStringList>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr int FieldCount = 13;

bool IsMarker(const QString& field)
{
    return field.trimmed() == QLatin1String(MenuFieldUnknown);
}

// An optional sign and decimal digits, blanks around allowed.
std::optional<int64_t> DecimalNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 20)
        return std::nullopt;
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        i = 1;
    }
    if (i >= t.size())
        return std::nullopt;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        if (v > (std::numeric_limits<int64_t>::max() - 9) / 10)
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return negative ? -v : v;
}

// A number field: empty reads 0, the marker reads 0 and sets *unknown.
bool NumberField(const QString& field, int64_t lo, int64_t hi, int64_t& out, bool* unknown, const char* name,
                 QString* error)
{
    if (unknown)
        *unknown = false;
    if (field.trimmed().isEmpty()) {
        out = 0;
        return true;
    }
    if (IsMarker(field)) {
        out = 0;
        if (unknown)
            *unknown = true;
        return true;
    }
    const auto v = DecimalNumber(field);
    if (!v || *v < lo || *v > hi) {
        if (error)
            *error = QStringLiteral("%1 \"%2\" is not a number").arg(QLatin1String(name), field.left(20));
        return false;
    }
    out = *v;
    return true;
}

bool Int32Field(const QString& field, int32_t& out, bool* unknown, const char* name, QString* error)
{
    int64_t v = 0;
    if (!NumberField(field, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v, unknown,
                     name, error))
        return false;
    out = int32_t(v);
    return true;
}

} // namespace

bool IsMenuDigits(QStringView s)
{
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), digit);
}

int32_t TMenuEntry::MenuNo() const
{
    return No.size() == 3 && IsMenuDigits(No) ? No.toInt() : 0;
}

QStringList TMenuEntry::Captions() const
{
    if (Values.isEmpty())
        return {};
    return Values.split(QLatin1Char('|'));
}

bool ParseMenuLine(TMenuEntry& entry, const QString& line, QString* error)
{
    entry = TMenuEntry();
    // Twelve cuts at ";"; the advice keeps the rest of the line.
    QStringList f;
    int start = 0;
    while (f.size() < FieldCount - 1) {
        const int cut = line.indexOf(QLatin1Char(';'), start);
        if (cut < 0)
            break;
        f << line.mid(start, cut - start);
        start = cut + 1;
    }
    f << line.mid(start);
    while (f.size() < FieldCount)
        f << QString();

    entry.Group = f[0];
    entry.No = f[1];
    entry.Name = f[2];
    entry.Description = f[3];
    entry.DataType = f[4];
    if (!Int32Field(f[5], entry.Length, &entry.LengthUnknown, "length", error))
        return false;
    entry.P2Command = f[6];
    const int bar = entry.P2Command.indexOf(QLatin1Char('|'));
    if (bar >= 0) {
        const QString lo = entry.P2Command.left(bar);
        const QString rest = entry.P2Command.mid(bar + 1);
        const QString hi = rest.left(rest.indexOf(QLatin1Char('|')) < 0 ? rest.size() : rest.indexOf(QLatin1Char('|')));
        if (!Int32Field(lo, entry.Min, nullptr, "minimum", error) || !Int32Field(hi, entry.Max, nullptr, "maximum", error))
            return false;
    }
    if (!Int32Field(f[7], entry.Step, &entry.StepUnknown, "step", error))
        return false;
    int64_t def = 0;
    if (!NumberField(f[8], std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), def,
                     &entry.DefValUnknown, "default value", error))
        return false;
    entry.DefVal = def;
    entry.Values = f[9];
    entry.Default = f[10];
    entry.Func = f[11];
    entry.Advice = f[12];
    return true;
}

TMenuDefinitions ReadMenuDefinitions(const QString& path)
{
    TMenuDefinitions result;
    const auto bytes = ReadTextFileAsUtf8(path);
    if (!bytes)
        return result;
    result.Found = true;
    const QString text = QString::fromUtf8(*bytes);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // A final line end adds no item.
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        // A blank line is no item (it would only add a nameless group).
        if (line.trimmed().isEmpty())
            continue;
        TMenuEntry entry;
        QString why;
        if (!ParseMenuLine(entry, line, &why)) {
            result.ErrorLine = i + 1;
            result.Error = why;
            break;
        }
        result.Entries << entry;
    }
    return result;
}

QString MenuDefinitionFileName(TTransceiver model)
{
    switch (model) {
    case FT2000:
    case FT2000D:
        return QStringLiteral("menu_ft2000.dat");
    case FTDX5000:
        return QStringLiteral("menu_ftdx5000.dat");
    case FT950:
        break;
    }
    return {};
}
