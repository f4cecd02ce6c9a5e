#include "log/LogFilter.h"

#include "log/LogRecord.h"
#include "log/LogText.h"
#include "log/LogbookPanelTypes.h"

using namespace vx::logtext;

void TLogFilter::Clear()
{
    for (QString* v : {&FBand, &FCall, &FComment, &FContinent, &FCQZ, &FDXCC, &FeQSLRcvd, &FeQSLSent, &FGridSquare,
                       &FLoTWQSLRcvd, &FLoTWQSLSent, &FMode, &FQSLRcvd, &FQSLSent, &FQSODate, &FRSTRcvd, &FRSTSent,
                       &FSRX, &FSTX, &FState, &FTimeOn})
        v->clear();
}

bool TLogFilter::Filtered() const
{
    for (const QString* v : {&FBand, &FCall, &FComment, &FContinent, &FCQZ, &FDXCC, &FeQSLRcvd, &FeQSLSent,
                             &FGridSquare, &FLoTWQSLRcvd, &FLoTWQSLSent, &FMode, &FQSLRcvd, &FQSLSent, &FQSODate,
                             &FRSTRcvd, &FRSTSent, &FSRX, &FSTX, &FState, &FTimeOn}) {
        if (!v->isEmpty())
            return true;
    }
    return false;
}

void TLogFilter::CopyFilterDataToLogFilter(const TFilterData& f)
{
    FQSODate = f.Value[LogColumn::QSODate];
    FTimeOn = f.Value[LogColumn::TimeOn];
    FCall = UpperAscii(f.Value[LogColumn::Call]);
    FBand = f.Value[LogColumn::Band];
    FMode = f.Value[LogColumn::Mode];
    FRSTSent = f.Value[LogColumn::RSTSent];
    FSTX = f.Value[LogColumn::STX];
    FRSTRcvd = f.Value[LogColumn::RSTRcvd];
    FSRX = f.Value[LogColumn::SRX];
    FDXCC = f.DXCC;
    FComment = f.Value[LogColumn::Comments];
    FContinent = f.Value[LogColumn::Continent];
    FGridSquare = UpperAscii(f.Value[LogColumn::Grid]);
    FCQZ = f.Value[LogColumn::CQZone];
    FState = f.Value[LogColumn::State];
    FQSLSent = f.Value[LogColumn::QSLSent];
    FQSLRcvd = f.Value[LogColumn::QSLRcvd];
    FLoTWQSLSent = f.Value[LogColumn::LoTWSent];
    FLoTWQSLRcvd = f.Value[LogColumn::LoTWRcvd];
    FeQSLSent = f.Value[LogColumn::eQSLSent];
    FeQSLRcvd = f.Value[LogColumn::eQSLRcvd];
}

namespace {

bool BeginsWith(const QString& value, const QString& text)
{
    return value.isEmpty() || text.startsWith(value);
}

bool Equals(const QString& value, const QString& text)
{
    return value.isEmpty() || text == value;
}

} // namespace

bool TLogFilter::Matches(const TLogRecord& r) const
{
    if (!BeginsWith(FQSODate, r.QSODateAsString()) || !BeginsWith(FTimeOn, r.TimeOnAsString()) ||
        !BeginsWith(FCall, r.Call()))
        return false;
    // The grid has filter cells for these columns too; they select by the text's start.
    if (!BeginsWith(FRSTSent, r.RSTSent()) || !BeginsWith(FSTX, r.STX()) || !BeginsWith(FRSTRcvd, r.RSTRcvd()) ||
        !BeginsWith(FSRX, r.SRX()))
        return false;
    if (!Equals(FBand, r.BandAsString()))
        return false;
    if (!FMode.isEmpty()) {
        // These modes are logged as MFSK with a submode.
        if (FMode == QLatin1String("FT4") || FMode == QLatin1String("Q65") || FMode == QLatin1String("JS8")) {
            if (r.Mode() != mMFSK || r.SubMode() != FMode)
                return false;
        } else if (r.ModeAsString() != FMode) {
            return false;
        }
    }
    if (!FComment.isEmpty() && !UpperAscii(r.AllInfos()).contains(UpperAscii(FComment)))
        return false;
    if (!BeginsWith(FGridSquare, UpperAscii(r.GridSquare())))
        return false;
    if (!Equals(FContinent, r.ContinentAsString()) || !Equals(FCQZ, r.CQZone()) || !Equals(FState, r.USState()))
        return false;
    if (!Equals(FQSLSent, r.QSLSent()) || !Equals(FQSLRcvd, r.QSLRcvd()) || !Equals(FLoTWQSLSent, r.QSLLoTWSent()) ||
        !Equals(FLoTWQSLRcvd, r.QSLLoTWRcvd()) || !Equals(FeQSLSent, r.QSLeQSLSent()) ||
        !Equals(FeQSLRcvd, r.QSLeQSLRcvd()))
        return false;
    if (!Equals(FDXCC, QString::number(r.ADIFCode())))
        return false;
    return true;
}

uint64_t TLogFilter::FieldsRead() const
{
    uint64_t fields = 0;
    const auto read = [&fields](const QString& value, std::initializer_list<int> from) {
        if (!value.isEmpty())
            for (int k : from)
                fields |= uint64_t(1) << k;
    };
    // Keep in step with Matches.
    read(FQSODate, {LogField::QSODate});
    read(FTimeOn, {LogField::TimeOn});
    read(FCall, {LogField::Call});
    read(FRSTSent, {LogField::RSTSent});
    read(FSTX, {LogField::STX});
    read(FRSTRcvd, {LogField::RSTRcvd});
    read(FSRX, {LogField::SRX});
    read(FBand, {LogField::Band});
    read(FMode, {LogField::Mode, LogField::SubMode});
    read(FComment, {LogField::Comment, LogField::Name, LogField::QTH, LogField::IOTA, LogField::QSLVia});
    read(FGridSquare, {LogField::GridSquare});
    read(FContinent, {LogField::Continent});
    read(FCQZ, {LogField::CQZone});
    read(FState, {LogField::USState});
    read(FQSLSent, {LogField::QSLSent});
    read(FQSLRcvd, {LogField::QSLRcvd});
    read(FLoTWQSLSent, {LogField::QSLLoTWSent});
    read(FLoTWQSLRcvd, {LogField::QSLLoTWRcvd});
    read(FeQSLSent, {LogField::QSLeQSLSent});
    read(FeQSLRcvd, {LogField::QSLeQSLRcvd});
    read(FDXCC, {LogField::DXCC});
    return fields;
}
