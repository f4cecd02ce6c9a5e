#include "dx/DXWWV.h"

#include <optional>

namespace {

std::optional<int> ReadDigits(QStringView s)
{
    if (s.isEmpty())
        return std::nullopt;
    int v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

} // namespace

QString TDXWWV::LastDataAsString() const
{
    if (!FLastData.isValid())
        return {};
    return FLastData.toUTC().toString(QStringLiteral("yyyy-MM-dd hh"));
}

void TDXWWV::SetLastDataAsString(const QString& value)
{
    if (value.isEmpty())
        return;
    const QStringView s(value);
    const auto year = ReadDigits(s.mid(0, 4));
    const auto month = ReadDigits(s.mid(5, 2));
    const auto day = ReadDigits(s.mid(8, 2));
    const auto hour = ReadDigits(s.mid(11, 2));
    FLastData = QDateTime();
    if (!year || !month || !day || !hour || *hour > 23)
        return;
    const QDate date(*year, *month, *day);
    if (date.isValid())
        FLastData = QDateTime(date, QTime(*hour, 0), Qt::UTC);
}

void TDXWWV::AddWWVData(const TWWVSpot& report)
{
    if (!report.IsComplete())
        return;
    if (FLastData.isValid() && report.FLastData <= FLastData)
        return;
    FSFI = report.FSFI;
    FA = report.FA;
    FK = report.FK;
    FHint = report.FHint;
    FLastData = report.FLastData;
    Fire(OnWWVData);
}
