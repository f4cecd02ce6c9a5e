#include "log/LogbookRecord.h"

#include "log/LogInfo.h"
#include "log/LogRecord.h"

#include <limits>

using namespace vx::logtext;

namespace {

QString CutField(const QString& v, int width)
{
    return CutText(CleanFieldText(v), width);
}

bool InRange(QChar c, char lo, char hi)
{
    return c >= QLatin1Char(lo) && c <= QLatin1Char(hi);
}

QString FlagText(TQSLFlag f)
{
    return QSLFlagToChar(f);
}

bool SetFlag(TQSLFlag& flag, const QString& v)
{
    flag = qfNo;
    if (v.isEmpty())
        return true;
    switch (v[0].unicode()) {
    case 'Y': flag = qfYes; return true;
    case 'R': flag = qfRequested; return true;
    case 'I': flag = qfIgnore; return true;
    case 'Q': flag = qfQueded; return true;
    case 'N': return true;
    default: return false;
    }
}

// Exactly "yyyymmdd"; anything else gives no date.
bool SetEightCharDate(QDate& date, const QString& v)
{
    date = QDate();
    if (v.size() != 8)
        return v.isEmpty();
    const auto d = ParseDateText(v);
    if (!d)
        return false;
    date = *d;
    return true;
}

bool SetFrequencyText(int32_t& hz, const QString& v)
{
    hz = 0;
    const auto f = ParseMHzText(v);
    if (!f || *f > uint32_t(std::numeric_limits<int32_t>::max()))
        return false;
    hz = int32_t(*f);
    return true;
}

} // namespace

TLogbookRecord::TLogbookRecord()
    : FLogbookEntry(std::make_unique<TLogbookEntry>())
{
    Clear();
}

void TLogbookRecord::Clear()
{
    const int32_t index = FLogbookEntry->Index;
    *FLogbookEntry = TLogbookEntry();
    FLogbookEntry->Index = index;
    FChanged.fill(false);
    FSubModeTmp.clear();
    FTimeOn = QTime(0, 0);
    FReadErrors = 0;
}

void TLogbookRecord::CopyLogbookEntry(TLogbookEntry& entry) const
{
    entry = *FLogbookEntry;
}

bool TLogbookRecord::Changed(int field) const
{
    return field >= 0 && field < LogFieldCount && FChanged[field];
}

void TLogbookRecord::SetChanged(int field, bool v)
{
    if (field >= 0 && field < LogFieldCount)
        FChanged[field] = v;
}

void TLogbookRecord::SetStationCallsign(const QString& v)
{
    FLogbookEntry->StationCallsign = CutText(TrimControl(CleanFieldText(UpperAscii(v))), TLogbookEntry::CallWidth);
}

void TLogbookRecord::SetCall(const QString& v)
{
    FLogbookEntry->Call = CutText(TrimControl(CleanFieldText(UpperAscii(v))), TLogbookEntry::CallWidth);
}

QString TLogbookRecord::QSODate() const
{
    return DateToYYYYMMDD(FLogbookEntry->DateTime);
}

bool TLogbookRecord::SetQSODate(const QString& v)
{
    QDate d;
    const bool ok = SetEightCharDate(d, v);
    FLogbookEntry->DateTime = d.isValid() ? QDateTime(d, FTimeOn, Qt::UTC) : QDateTime();
    return ok;
}

QString TLogbookRecord::TimeOn() const
{
    return TimeToHHMMSS(FTimeOn);
}

bool TLogbookRecord::SetTimeOn(const QString& v)
{
    FTimeOn = QTime(0, 0);
    bool ok = v.isEmpty();
    if (v.size() == 4 || v.size() == 6) {
        if (const auto t = ParseTimeText(v)) {
            FTimeOn = *t;
            ok = true;
        }
    }
    QDateTime& dt = FLogbookEntry->DateTime;
    if (dt.isValid())
        dt = QDateTime(dt.date(), FTimeOn, Qt::UTC);
    return ok;
}

QString TLogbookRecord::Band() const
{
    return QString::fromLatin1(BandNames[FLogbookEntry->Band]);
}

bool TLogbookRecord::SetBand(const QString& v)
{
    const int i = FindName(BandNames.data(), BandCount, v);
    FLogbookEntry->Band = TBand(i < 0 ? bdAll : i);
    return i >= 0;
}

QString TLogbookRecord::BandRX() const
{
    return QString::fromLatin1(BandNames[FLogbookEntry->BandRX]);
}

bool TLogbookRecord::SetBandRX(const QString& v)
{
    const int i = FindName(BandNames.data(), BandCount, v);
    FLogbookEntry->BandRX = TBand(i < 0 ? bdAll : i);
    return i >= 0;
}

QString TLogbookRecord::Mode() const
{
    return QString::fromLatin1(QSOModeNames[FLogbookEntry->Mode]);
}

bool TLogbookRecord::SetMode(const QString& v)
{
    const ModeTextMatch m = MatchModeText(v);
    FLogbookEntry->Mode = m.Mode;
    if (m.ExactName)
        FLogbookEntry->ModeType = QSOModeToModeType(m.Mode);
    if (m.SubModeRule)
        FSubModeTmp = CleanFieldText(v);
    return m.ExactName || m.SubModeRule;
}

QString TLogbookRecord::Frequency() const
{
    const int32_t hz = FLogbookEntry->Frequency;
    return hz <= 0 ? QString() : FrequencyToMHzText(uint32_t(hz));
}

bool TLogbookRecord::SetFrequency(const QString& v)
{
    return SetFrequencyText(FLogbookEntry->Frequency, v);
}

QString TLogbookRecord::FrequencyRX() const
{
    const int32_t hz = FLogbookEntry->FrequencyRX;
    return hz <= 0 ? QString() : FrequencyToMHzText(uint32_t(hz));
}

bool TLogbookRecord::SetFrequencyRX(const QString& v)
{
    return SetFrequencyText(FLogbookEntry->FrequencyRX, v);
}

QString TLogbookRecord::PropMode() const
{
    return QString::fromLatin1(PropModeNames[FLogbookEntry->PropMode]);
}

bool TLogbookRecord::SetPropMode(const QString& v)
{
    const int i = FindName(PropModeNames.data(), PropModeCount, v);
    FLogbookEntry->PropMode = TPropMode(i < 0 ? pmNone : i);
    return i >= 0;
}

void TLogbookRecord::SetRSTSent(const QString& v)
{
    FLogbookEntry->RSTSent = CutField(v, TLogbookEntry::RSTWidth);
}

void TLogbookRecord::SetRSTRcvd(const QString& v)
{
    FLogbookEntry->RSTRcvd = CutField(v, TLogbookEntry::RSTWidth);
}

void TLogbookRecord::SetSTX(const QString& v)
{
    FLogbookEntry->STX = CutField(v, TLogbookEntry::ExchangeWidth);
}

void TLogbookRecord::SetSRX(const QString& v)
{
    FLogbookEntry->SRX = CutField(v, TLogbookEntry::ExchangeWidth);
}

void TLogbookRecord::SetComment(const QString& v)
{
    FLogbookEntry->Comment = CutField(v, TLogbookEntry::CommentWidth);
}

void TLogbookRecord::SetName(const QString& v)
{
    FLogbookEntry->Name = CutField(v, TLogbookEntry::NameWidth);
}

void TLogbookRecord::SetQTH(const QString& v)
{
    FLogbookEntry->QTH = CutField(v, TLogbookEntry::QTHWidth);
}

void TLogbookRecord::SetQSLVia(const QString& v)
{
    FLogbookEntry->QSLVia = CutField(v, TLogbookEntry::QSLViaWidth);
}

void TLogbookRecord::SetContestID(const QString& v)
{
    FLogbookEntry->ContestID = CutField(v, TLogbookEntry::ContestIDWidth);
}

void TLogbookRecord::SetIOTA(const QString& v)
{
    FLogbookEntry->IOTA = CutField(v, TLogbookEntry::IOTAWidth);
}

bool TLogbookRecord::SetGridSquare(const QString& v)
{
    FLogbookEntry->GridSquare.clear();
    if (v.isEmpty())
        return true;
    if (v.size() != 4 && v.size() != 6)
        return false;
    const QString g = UpperAscii(v.left(2)) + v.mid(2, 2) + LowerAscii(v.mid(4));
    bool ok = InRange(g[0], 'A', 'R') && InRange(g[1], 'A', 'R') && InRange(g[2], '0', '9') && InRange(g[3], '0', '9');
    if (g.size() == 6)
        ok = ok && InRange(g[4], 'a', 'x') && InRange(g[5], 'a', 'x');
    if (ok)
        FLogbookEntry->GridSquare = g;
    return ok;
}

QString TLogbookRecord::ADIFCode() const
{
    return QString::number(FLogbookEntry->ADIFCode);
}

bool TLogbookRecord::SetADIFCode(const QString& v)
{
    FLogbookEntry->ADIFCode = 0;
    if (v.isEmpty())
        return true;
    if (v.size() > 3 || !IsAsciiDigits(v))
        return false;
    FLogbookEntry->ADIFCode = v.toInt();
    return true;
}

QString TLogbookRecord::Continent() const
{
    return ContinentToString(FLogbookEntry->Continent);
}

bool TLogbookRecord::SetContinent(const QString& v)
{
    FLogbookEntry->Continent = StringToContinent(v);
    return FLogbookEntry->Continent != coAll || v.isEmpty();
}

QString TLogbookRecord::CQZone() const
{
    return ByteToTwoDigits(FLogbookEntry->CQZone);
}

bool TLogbookRecord::SetCQZone(const QString& v)
{
    FLogbookEntry->CQZone = 0;
    if (v.isEmpty())
        return true;
    if (v.size() > 2 || !IsAsciiDigits(v))
        return false;
    FLogbookEntry->CQZone = uint8_t(v.toInt());
    return true;
}

bool TLogbookRecord::SetUSState(const QString& v)
{
    if (v.size() > TLogbookEntry::StateWidth)
        return false;
    FLogbookEntry->USState = UpperAscii(CleanFieldText(v));
    return true;
}

void TLogbookRecord::SetSubMode(const QString& v)
{
    const QString s = v.isEmpty() && !FSubModeTmp.isEmpty() ? FSubModeTmp : CleanFieldText(v);
    FLogbookEntry->SubMode = CutText(s, TLogbookEntry::SubModeWidth);
}

QString TLogbookRecord::QSLSent() const { return FlagText(FLogbookEntry->QSLSent); }
bool TLogbookRecord::SetQSLSent(const QString& v) { return SetFlag(FLogbookEntry->QSLSent, v); }
QString TLogbookRecord::QSLRcvd() const { return FlagText(FLogbookEntry->QSLRcvd); }
bool TLogbookRecord::SetQSLRcvd(const QString& v) { return SetFlag(FLogbookEntry->QSLRcvd, v); }
QString TLogbookRecord::QSLLoTWSent() const { return FlagText(FLogbookEntry->QSLLoTWSent); }
bool TLogbookRecord::SetQSLLoTWSent(const QString& v) { return SetFlag(FLogbookEntry->QSLLoTWSent, v); }
QString TLogbookRecord::QSLLoTWRcvd() const { return FlagText(FLogbookEntry->QSLLoTWRcvd); }
bool TLogbookRecord::SetQSLLoTWRcvd(const QString& v) { return SetFlag(FLogbookEntry->QSLLoTWRcvd, v); }
QString TLogbookRecord::QSLeQSLSent() const { return FlagText(FLogbookEntry->QSLeQSLSent); }
bool TLogbookRecord::SetQSLeQSLSent(const QString& v) { return SetFlag(FLogbookEntry->QSLeQSLSent, v); }
QString TLogbookRecord::QSLeQSLRcvd() const { return FlagText(FLogbookEntry->QSLeQSLRcvd); }
bool TLogbookRecord::SetQSLeQSLRcvd(const QString& v) { return SetFlag(FLogbookEntry->QSLeQSLRcvd, v); }

QString TLogbookRecord::QSLSentDate() const
{
    return DateToText(FLogbookEntry->QSLSentDate);
}

bool TLogbookRecord::SetQSLSentDate(const QString& v)
{
    return SetEightCharDate(FLogbookEntry->QSLSentDate, v);
}

QString TLogbookRecord::QSLRcvdDate() const
{
    return DateToText(FLogbookEntry->QSLRcvdDate);
}

bool TLogbookRecord::SetQSLRcvdDate(const QString& v)
{
    return SetEightCharDate(FLogbookEntry->QSLRcvdDate, v);
}

QString TLogbookRecord::AllInfos() const
{
    const TLogbookEntry& e = *FLogbookEntry;
    return JoinAllInfos(e.Comment, e.Name, e.QTH, e.IOTA, e.QSLVia);
}

QString TLogbookRecord::FileHeader()
{
    return TLogRecord::FileHeader();
}

QString TLogbookRecord::FieldAsString(int field) const
{
    switch (field) {
    case LogField::StationCallsign: return StationCallsign();
    case LogField::QSODate: return QSODate();
    case LogField::TimeOn: return TimeOn();
    case LogField::Call: return Call();
    case LogField::Band: return Band();
    case LogField::Mode: return Mode();
    case LogField::BandRX: return BandRX();
    case LogField::Freq: return Frequency();
    case LogField::FreqRX: return FrequencyRX();
    case LogField::PropMode: return PropMode();
    case LogField::SATName: return {};
    case LogField::RSTSent: return RSTSent();
    case LogField::STX: return STX();
    case LogField::RSTRcvd: return RSTRcvd();
    case LogField::SRX: return SRX();
    case LogField::Comment: return Comment();
    case LogField::Notes: return {};
    case LogField::Name: return Name();
    case LogField::QTH: return QTH();
    case LogField::GridSquare: return GridSquare();
    case LogField::DXCC: return ADIFCode();
    case LogField::Continent: return Continent();
    case LogField::CQZone: return CQZone();
    case LogField::USState: return USState();
    case LogField::QSLVia: return QSLVia();
    case LogField::QSLSent: return QSLSent();
    case LogField::QSLSDate: return QSLSentDate();
    case LogField::QSLRcvd: return QSLRcvd();
    case LogField::QSLRDate: return QSLRcvdDate();
    case LogField::QSLLoTWSent: return QSLLoTWSent();
    case LogField::QSLLoTWRcvd: return QSLLoTWRcvd();
    case LogField::ContestID: return ContestID();
    case LogField::IOTA: return IOTA();
    case LogField::SubMode: return SubMode();
    case LogField::QSLeQSLSent: return QSLeQSLSent();
    case LogField::QSLeQSLRcvd: return QSLeQSLRcvd();
    }
    return {};
}

bool TLogbookRecord::SetFieldAsString(int field, const QString& text)
{
    switch (field) {
    case LogField::StationCallsign: SetStationCallsign(text); return true;
    case LogField::QSODate: return SetQSODate(text);
    case LogField::TimeOn: return SetTimeOn(text);
    case LogField::Call: SetCall(text); return true;
    case LogField::Band: return SetBand(text);
    case LogField::Mode: return SetMode(text);
    case LogField::BandRX: return SetBandRX(text);
    case LogField::Freq: return SetFrequency(text);
    case LogField::FreqRX: return SetFrequencyRX(text);
    case LogField::PropMode: return SetPropMode(text);
    case LogField::SATName: return true; // not kept
    case LogField::RSTSent: SetRSTSent(text); return true;
    case LogField::STX: SetSTX(text); return true;
    case LogField::RSTRcvd: SetRSTRcvd(text); return true;
    case LogField::SRX: SetSRX(text); return true;
    case LogField::Comment: SetComment(text); return true;
    case LogField::Notes: return true; // not kept
    case LogField::Name: SetName(text); return true;
    case LogField::QTH: SetQTH(text); return true;
    case LogField::GridSquare: return SetGridSquare(text);
    case LogField::DXCC: return SetADIFCode(text);
    case LogField::Continent: return SetContinent(text);
    case LogField::CQZone: return SetCQZone(text);
    case LogField::USState: return SetUSState(text);
    case LogField::QSLVia: SetQSLVia(text); return true;
    case LogField::QSLSent: return SetQSLSent(text);
    case LogField::QSLSDate: return SetQSLSentDate(text);
    case LogField::QSLRcvd: return SetQSLRcvd(text);
    case LogField::QSLRDate: return SetQSLRcvdDate(text);
    case LogField::QSLLoTWSent: return SetQSLLoTWSent(text);
    case LogField::QSLLoTWRcvd: return SetQSLLoTWRcvd(text);
    case LogField::ContestID: SetContestID(text); return true;
    case LogField::IOTA: SetIOTA(text); return true;
    case LogField::SubMode: SetSubMode(text); return true;
    case LogField::QSLeQSLSent: return SetQSLeQSLSent(text);
    case LogField::QSLeQSLRcvd: return SetQSLeQSLRcvd(text);
    }
    return false;
}

QString TLogbookRecord::QSOLine() const
{
    QString line;
    for (int k = 0; k < LogFieldCount; ++k) {
        if (k > 0)
            line += QLatin1Char(';');
        line += FieldAsString(k);
    }
    if (line.endsWith(QLatin1Char(';')))
        line.chop(1);
    return line;
}

bool TLogbookRecord::ExplodeQSOLine(const QString& line)
{
    Clear();
    const auto fields = SplitLogLine(line);
    int errors = 0;
    for (int k = 0; k < LogFieldCount; ++k) {
        if (!SetFieldAsString(k, TrimControl(fields[k])))
            ++errors;
    }
    FReadErrors = errors;
    return errors == 0;
}

TLogData TLogbookRecord::LogDataRecord() const
{
    const TLogbookEntry& e = *FLogbookEntry;
    TLogData d;
    d.Index = e.Index;
    d.DateTime = e.DateTime;
    d.Call = CutText(e.Call, TLogData::CallWidth);
    d.Band = CutText(Band(), TLogData::BandWidth);
    d.BandT = e.Band;
    d.Mode = CutText(e.Mode == mMFSK && !e.SubMode.isEmpty() ? e.SubMode : Mode(), TLogData::ModeWidth);
    d.RSTSent = CutText(e.RSTSent, TLogData::RSTWidth);
    d.STX = CutText(e.STX, TLogData::ExchangeWidth);
    d.RSTRcvd = CutText(e.RSTRcvd, TLogData::RSTWidth);
    d.SRX = CutText(e.SRX, TLogData::ExchangeWidth);
    d.Comments = CutText(AllInfos(), TLogData::CommentsWidth);
    d.Continent = e.Continent;
    d.Grid = CutText(e.GridSquare, TLogData::GridWidth);
    d.CQZone = e.CQZone;
    d.State = CutText(e.USState, TLogData::StateWidth);
    d.QSLSent = QSLSent().at(0);
    d.QSLRcvd = QSLRcvd().at(0);
    d.QSLLoTWSent = QSLLoTWSent().at(0);
    d.QSLLoTWRcvd = QSLLoTWRcvd().at(0);
    d.eQSLSent = QSLeQSLSent().at(0);
    d.eQSLRcvd = QSLeQSLRcvd().at(0);
    d.ADIFCode = e.ADIFCode;
    return d;
}

std::unique_ptr<TLogInfo> TLogbookRecord::LogInfo() const
{
    const TLogbookEntry& e = *FLogbookEntry;
    auto info = std::make_unique<TLogInfo>();
    info->SetADIFCode(e.ADIFCode);
    info->SetCQZone(e.CQZone);
    info->SetGridSquare(e.GridSquare);
    info->SetIOTA(e.IOTA);
    info->SetName(e.Name);
    info->SetSRX(e.SRX);
    info->SetUSState(e.USState);
    info->SetQSLVia(e.QSLVia);
    return info;
}
