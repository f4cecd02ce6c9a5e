#include "log/CabrilloLog.h"

#include "log/LogLines.h"
#include "log/LogRecord.h"
#include "log/LogText.h"

TCabrilloLog BuildCabrilloLog(const TCabrilloHeader& header, const QStringList& logBook, TLogRecord& record)
{
    TCabrilloLog log;
    QStringList& out = log.Lines;
    out << QStringLiteral("START-OF-LOG: 3.0") << QStringLiteral("CREATED-BY: Vornix")
        << QStringLiteral("CONTEST: ") + header.Contest() << QStringLiteral("CALLSIGN: ") + header.Callsign();
    const std::pair<const char*, QString> optional[] = {
        {"CATEGORY-OPERATOR: ", header.CategoryOperator()}, {"CATEGORY-TRANSMITTER: ", header.CategoryTransmitter()},
        {"CATEGORY-ASSISTED: ", header.CategoryAssisted()}, {"CATEGORY-BAND: ", header.CategoryBand()},
        {"CATEGORY-POWER: ", header.CategoryPower()},       {"CATEGORY-MODE: ", header.CategoryMode()},
        {"CATEGORY-STATION: ", header.CategoryStation()},   {"CLUB: ", header.Club()},
    };
    for (const auto& [key, value] : optional) {
        if (!value.isEmpty())
            out << QLatin1String(key) + value;
    }
    out << QStringLiteral("NAME: ") + header.Name();
    for (const QString& line : header.Address())
        out << QStringLiteral("ADDRESS: ") + line;

    std::array<QStringView, 36> fields;
    for (const QString& line : logBook) {
        vx::loglines::SplitFields(line, fields, 1);
        // The record upper-cases the station call it reads.
        if (vx::logtext::UpperAscii(vx::loglines::TrimField(fields[0]).toString()) != header.Callsign())
            continue;
        const QString qso = record.GetCabrilloRecord(line, header.Callsign());
        if (qso.isEmpty())
            continue;
        out << qso;
        ++log.QSOs;
        if (record.RSTSent().isEmpty() || record.STX().isEmpty() || record.RSTRcvd().isEmpty() ||
            record.SRX().isEmpty())
            ++log.LackingExchange;
    }
    if (log.QSOs == 0)
        out.clear();
    else
        out << QStringLiteral("END-OF-LOG:");
    return log;
}

QString TCabrilloLog::ResultText() const
{
    if (QSOs == 0)
        return QStringLiteral("No QSOs exported");
    QString text = QStringLiteral("%1 QSOs exported").arg(QSOs);
    if (LackingExchange > 0)
        text += QStringLiteral(", %1 QSOs lack RST or exchange").arg(LackingExchange);
    return text;
}

QString CabrilloFileName(const QString& callsign)
{
    return vx::logtext::UpperAscii(callsign).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".LOG");
}
