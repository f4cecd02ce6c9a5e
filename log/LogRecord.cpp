#include "log/LogRecord.h"

#include "log/LogInfo.h"
#include "log/LogLines.h"

#include <bit>

using namespace vx::logtext;

namespace {

QString CallText(const QString& v)
{
    return TrimControl(CleanFieldText(UpperAscii(v)));
}

QString AdifField(const char* tag, const QString& value)
{
    return QStringLiteral("<%1:%2>%3 ").arg(QLatin1String(tag)).arg(TextLength(value)).arg(value);
}

bool IsAsciiLetterUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool IsAsciiLetterLower(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

TLogRecord::TLogRecord()
    : FLogWindowRST(QStringLiteral("599"))
    , FLogWindowSTX(QStringLiteral("599"))
{
    Clear();
}

void TLogRecord::Clear()
{
    FADIFCode = 0;
    FAltered = false;
    FBand = bd40;
    FBandRX = bdAll;
    FCQZone.clear();
    FCall.clear();
    FChanged.fill(false);
    FComment.clear();
    FContestID.clear();
    FContinent = coAll;
    FDXCC.clear();
    FDXCCName.clear();
    FFreq = 0;
    FFreqRX = 0;
    FGridSquare.clear();
    FIOTA.clear();
    FMode = mCW;
    FName.clear();
    FNotes.clear();
    FPropMode = pmNone;
    FQSLSent = QStringLiteral("N");
    FQSLRcvd = QStringLiteral("N");
    FQSLSDate = QDate();
    FQSLRDate = QDate();
    FQSLeQSLSent = QStringLiteral("N");
    FQSLeQSLRcvd = QStringLiteral("N");
    FQSLLoTWSent = QStringLiteral("N");
    FQSLLoTWRcvd = QStringLiteral("N");
    FQSLVia.clear();
    FQSODate = QDate();
    FQSODateTime = QDateTime();
    FQTH.clear();
    FRSTRcvd.clear();
    FRSTSent.clear();
    FSATName.clear();
    FSRX.clear();
    FSTX.clear();
    FStationCallsign.clear();
    FSubMode.clear();
    FSubModeTmp.clear();
    FTimeOn = QTime(0, 0);
    FUSState.clear();
    FWAECountry = false;
    FReadErrors = 0;
}

// ---- Text fields ---------------------------------------------------------------------

void TLogRecord::SetStationCallsign(const QString& v)
{
    FStationCallsign = CallText(v);
}

void TLogRecord::SetCall(const QString& v)
{
    FCall = CallText(v);
}

void TLogRecord::SetComment(const QString& v)
{
    FComment = CleanFieldText(v);
}

void TLogRecord::SetNotes(const QString& v)
{
    FNotes = CleanFieldText(v);
}

void TLogRecord::SetName(const QString& v)
{
    FName = CleanFieldText(v);
}

void TLogRecord::SetQTH(const QString& v)
{
    FQTH = CleanFieldText(v);
}

void TLogRecord::SetQSLVia(const QString& v)
{
    FQSLVia = CleanFieldText(v);
}

void TLogRecord::SetRSTSent(const QString& v)
{
    FRSTSent = CleanFieldText(v);
}

void TLogRecord::SetRSTRcvd(const QString& v)
{
    FRSTRcvd = CleanFieldText(v);
}

void TLogRecord::SetSTX(const QString& v)
{
    FSTX = CleanFieldText(v);
}

void TLogRecord::SetSRX(const QString& v)
{
    FSRX = CleanFieldText(v);
}

void TLogRecord::SetSATName(const QString& v)
{
    FSATName = CleanFieldText(v);
}

void TLogRecord::SetContestID(const QString& v)
{
    FContestID = CleanFieldText(v);
}

void TLogRecord::SetIOTA(const QString& v)
{
    FIOTA = CleanFieldText(v);
}

void TLogRecord::SetUSState(const QString& v)
{
    FUSState = CleanFieldText(v);
}

void TLogRecord::SetSubMode(const QString& v)
{
    if (v.isEmpty() && !FSubModeTmp.isEmpty())
        FSubMode = FSubModeTmp;
    else
        FSubMode = CleanFieldText(v);
}

// ---- Normalising setters -------------------------------------------------------------

bool TLogRecord::SetCQZone(const QString& v)
{
    QString z;
    if (v.size() == 1)
        z = QLatin1Char('0') + v;
    else
        z = v.left(2);
    if (z.size() != 2 || !IsAsciiDigits(z))
        z.clear();
    FCQZone = z;
    return !z.isEmpty() || v.isEmpty();
}

uint8_t TLogRecord::CQZoneAsInteger() const
{
    // Always empty or two digits.
    return FCQZone.isEmpty() ? 0 : uint8_t(FCQZone.toInt());
}

bool TLogRecord::SetDXCC(const QString& v)
{
    FADIFCode = 0;
    FDXCC.clear();
    // A record without an entity is in none of the six.
    FWAECountry = false;
    if (v.isEmpty())
        return true;
    const auto code = ParseDecimal(v);
    if (!code)
        return false;
    FDXCC = v;
    FADIFCode = *code;
    switch (FADIFCode) {
    case 206:
    case 248:
    case 259:
    case 279:
    case 296:
    case 390:
        FWAECountry = true;
        break;
    default:
        FWAECountry = false;
    }
    return true;
}

bool TLogRecord::SetGridSquare(const QString& v)
{
    if (v.isEmpty()) {
        FGridSquare.clear();
        return true;
    }
    if (v.size() == 4 || v.size() == 6) {
        QString g = UpperAscii(v.left(2)) + v.mid(2, 2) + LowerAscii(v.mid(4));
        bool ok = IsAsciiLetterUpper(g[0]) && IsAsciiLetterUpper(g[1]) && IsAsciiDigit(g[2]) && IsAsciiDigit(g[3]);
        if (g.size() == 6)
            ok = ok && IsAsciiLetterLower(g[4]) && IsAsciiLetterLower(g[5]);
        if (ok)
            FGridSquare = g;
        return ok;
    }
    FGridSquare.clear();
    return false;
}

bool TLogRecord::SetQSLFlag(QString& flag, const QString& v, const char* accepted)
{
    if (v.isEmpty())
        return true;
    const QChar first = v[0];
    for (const char* a = accepted; *a; ++a) {
        if (first == QLatin1Char(*a)) {
            flag = QString(first);
            return true;
        }
    }
    return false;
}

bool TLogRecord::SetQSLSent(const QString& v)
{
    return SetQSLFlag(FQSLSent, v, "YNRQI");
}

bool TLogRecord::SetQSLRcvd(const QString& v)
{
    return SetQSLFlag(FQSLRcvd, v, "YNRI");
}

bool TLogRecord::SetQSLLoTWSent(const QString& v)
{
    return SetQSLFlag(FQSLLoTWSent, v, "YNRQI");
}

bool TLogRecord::SetQSLLoTWRcvd(const QString& v)
{
    return SetQSLFlag(FQSLLoTWRcvd, v, "YNRI");
}

bool TLogRecord::SetQSLeQSLSent(const QString& v)
{
    return SetQSLFlag(FQSLeQSLSent, v, "YNRQI");
}

bool TLogRecord::SetQSLeQSLRcvd(const QString& v)
{
    return SetQSLFlag(FQSLeQSLRcvd, v, "YNRI");
}

// ---- Text forms ----------------------------------------------------------------------

QString TLogRecord::BandToQSOBand(TBand band)
{
    return QString::fromLatin1(BandNames[band]);
}

QString TLogRecord::BandAsString() const
{
    return BandToQSOBand(FBand);
}

bool TLogRecord::SetBandAsString(const QString& v)
{
    const int i = FindName(BandNames.data(), BandCount, v);
    FBand = TBand(i < 0 ? bdAll : i);
    return i >= 0;
}

QString TLogRecord::BandRXAsString() const
{
    return BandToQSOBand(FBandRX);
}

bool TLogRecord::SetBandRXAsString(const QString& v)
{
    const int i = FindName(BandNames.data(), BandCount, v);
    FBandRX = TBand(i < 0 ? bdAll : i);
    return i >= 0;
}

QString TLogRecord::ContinentAsString() const
{
    return QString::fromLatin1(ContinentNames[FContinent]);
}

bool TLogRecord::SetContinentAsString(const QString& v)
{
    const int i = FindName(ContinentNames.data(), ContinentCount, v);
    FContinent = TContinent(i < 0 ? coAll : i);
    return i >= 0;
}

QString TLogRecord::PropModeAsString() const
{
    return QString::fromLatin1(PropModeNames[FPropMode]);
}

bool TLogRecord::SetPropModeAsString(const QString& v)
{
    const int i = FindName(PropModeNames.data(), PropModeCount, v);
    FPropMode = TPropMode(i < 0 ? pmNone : i);
    return i >= 0;
}

QString TLogRecord::ModeAsString() const
{
    return QString::fromLatin1(QSOModeNames[FMode]);
}

bool TLogRecord::SetModeAsString(const QString& v)
{
    const ModeTextMatch m = MatchModeText(v);
    FMode = m.Mode;
    // An unknown text leaves the remembered submode as it was.
    if (m.SubModeRule)
        FSubModeTmp = CleanFieldText(v);
    return m.ExactName || m.SubModeRule;
}

bool TLogRecord::SetFreqAsString(const QString& v)
{
    const auto hz = ParseMHzText(v);
    FFreq = hz.value_or(0);
    return hz.has_value();
}

bool TLogRecord::SetFreqRXAsString(const QString& v)
{
    const auto hz = ParseMHzText(v);
    FFreqRX = hz.value_or(0);
    return hz.has_value();
}

void TLogRecord::RebuildQSODateTime()
{
    FQSODateTime = IsLogDate(FQSODate) ? QDateTime(FQSODate, FTimeOn, Qt::UTC) : QDateTime();
}

bool TLogRecord::SetQSODateAsString(const QString& v)
{
    FQSODate = QDate();
    if (v.isEmpty())
        return true;
    const auto d = ParseDateText(v);
    if (!d)
        return false;
    FQSODate = *d;
    FQSODateTime = QDateTime(FQSODate, FTimeOn, Qt::UTC);
    return true;
}

namespace {

bool SetQSLDate(QDate& date, const QString& v)
{
    if (v.size() != 8) {
        date = QDate();
        return v.isEmpty();
    }
    // A failing text leaves the previous date.
    const auto d = ParseDateText(v);
    if (!d)
        return false;
    date = *d;
    return true;
}

} // namespace

bool TLogRecord::SetQSLSDateAsString(const QString& v)
{
    return SetQSLDate(FQSLSDate, v);
}

bool TLogRecord::SetQSLRDateAsString(const QString& v)
{
    return SetQSLDate(FQSLRDate, v);
}

bool TLogRecord::SetTimeOnAsString(const QString& v)
{
    FTimeOn = QTime(0, 0);
    const auto t = ParseTimeText(v);
    if (!t)
        return false;
    FTimeOn = *t;
    RebuildQSODateTime();
    return true;
}

void TLogRecord::SetTimeOnHHMM(const QTime& v)
{
    FTimeOn = v.isValid() ? QTime(v.hour(), v.minute()) : QTime(0, 0);
    RebuildQSODateTime();
}

void TLogRecord::SetTimeOnHHMM(const QDateTime& v)
{
    SetTimeOnHHMM(v.isValid() ? v.toUTC().time() : QTime());
}

bool TLogRecord::IsComplete() const
{
    return FCall.size() > 2 && IsLogDate(FQSODate) && FBand != bdAll && FMode != mNone;
}

QString TLogRecord::AllInfos() const
{
    return JoinAllInfos(FComment, FName, FQTH, FIOTA, FQSLVia);
}

bool TLogRecord::Changed(int field) const
{
    return field >= 0 && field < LogField::Count && FChanged[field];
}

void TLogRecord::SetChanged(int field, bool v)
{
    if (field >= 0 && field < LogField::Count)
        FChanged[field] = v;
}

void TLogRecord::CopyLogRecord(TLogRecord& t) const
{
    for (int k = 0; k < LogField::Count; ++k) {
        if (!FChanged[k])
            continue;
        switch (k) {
        case LogField::StationCallsign: t.SetStationCallsign(FStationCallsign); break;
        case LogField::QSODate: t.FQSODate = FQSODate; break;
        case LogField::TimeOn: t.FTimeOn = FTimeOn; break;
        case LogField::Call: t.SetCall(FCall); break;
        case LogField::Band: t.FBand = FBand; break;
        case LogField::Mode: t.FMode = FMode; break;
        case LogField::BandRX: t.FBandRX = FBandRX; break;
        case LogField::Freq: t.FFreq = FFreq; break;
        case LogField::FreqRX: t.FFreqRX = FFreqRX; break;
        case LogField::PropMode: t.FPropMode = FPropMode; break;
        case LogField::SATName: t.FSATName = FSATName; break;
        case LogField::RSTSent: t.SetRSTSent(FRSTSent); break;
        case LogField::STX: t.SetSTX(FSTX); break;
        case LogField::RSTRcvd: t.SetRSTRcvd(FRSTRcvd); break;
        case LogField::SRX: t.SetSRX(FSRX); break;
        case LogField::Comment: t.SetComment(FComment); break;
        case LogField::Notes: t.SetNotes(FNotes); break;
        case LogField::Name: t.SetName(FName); break;
        case LogField::QTH: t.SetQTH(FQTH); break;
        case LogField::GridSquare: t.SetGridSquare(FGridSquare); break;
        case LogField::DXCC: t.SetDXCC(FDXCC); break;
        case LogField::Continent: t.FContinent = FContinent; break;
        case LogField::CQZone: t.SetCQZone(FCQZone); break;
        case LogField::USState: t.FUSState = FUSState; break;
        case LogField::QSLVia: t.SetQSLVia(FQSLVia); break;
        case LogField::QSLSent: t.SetQSLSent(FQSLSent); break;
        case LogField::QSLSDate: t.FQSLSDate = FQSLSDate; break;
        case LogField::QSLRcvd: t.SetQSLRcvd(FQSLRcvd); break;
        case LogField::QSLRDate: t.FQSLRDate = FQSLRDate; break;
        case LogField::QSLLoTWSent: t.SetQSLLoTWSent(FQSLLoTWSent); break;
        case LogField::QSLLoTWRcvd: t.SetQSLLoTWRcvd(FQSLLoTWRcvd); break;
        case LogField::ContestID: t.FContestID = FContestID; break;
        case LogField::IOTA: t.FIOTA = FIOTA; break;
        case LogField::SubMode: t.SetSubMode(FSubMode); break;
        case LogField::QSLeQSLSent: t.SetQSLeQSLSent(FQSLeQSLSent); break;
        case LogField::QSLeQSLRcvd: t.SetQSLeQSLRcvd(FQSLeQSLRcvd); break;
        }
    }
}

// ---- Log line ------------------------------------------------------------------------

QString TLogRecord::FileHeader()
{
    QString h;
    for (int k = 0; k < LogField::Count; ++k) {
        const QString tag = QString::fromLatin1(ADIFFieldTags[k]);
        if (k > 0)
            h += QLatin1Char(';');
        h += tag.mid(1, tag.size() - 2);
    }
    return h;
}

QString TLogRecord::FieldAsString(int field) const
{
    switch (field) {
    case LogField::StationCallsign: return FStationCallsign;
    case LogField::QSODate: return QSODateAsString();
    case LogField::TimeOn: return TimeOnAsString();
    case LogField::Call: return FCall;
    case LogField::Band: return BandAsString();
    case LogField::Mode: return ModeAsString();
    case LogField::BandRX: return BandRXAsString();
    case LogField::Freq: return FreqAsString();
    case LogField::FreqRX: return FreqRXAsString();
    case LogField::PropMode: return PropModeAsString();
    case LogField::SATName: return FSATName;
    case LogField::RSTSent: return FRSTSent;
    case LogField::STX: return FSTX;
    case LogField::RSTRcvd: return FRSTRcvd;
    case LogField::SRX: return FSRX;
    case LogField::Comment: return FComment;
    case LogField::Notes: return FNotes;
    case LogField::Name: return FName;
    case LogField::QTH: return FQTH;
    case LogField::GridSquare: return FGridSquare;
    case LogField::DXCC: return FDXCC;
    case LogField::Continent: return ContinentAsString();
    case LogField::CQZone: return FCQZone;
    case LogField::USState: return FUSState;
    case LogField::QSLVia: return FQSLVia;
    case LogField::QSLSent: return FQSLSent;
    case LogField::QSLSDate: return QSLSDateAsString();
    case LogField::QSLRcvd: return FQSLRcvd;
    case LogField::QSLRDate: return QSLRDateAsString();
    case LogField::QSLLoTWSent: return FQSLLoTWSent;
    case LogField::QSLLoTWRcvd: return FQSLLoTWRcvd;
    case LogField::ContestID: return FContestID;
    case LogField::IOTA: return FIOTA;
    case LogField::SubMode: return FSubMode;
    case LogField::QSLeQSLSent: return FQSLeQSLSent;
    case LogField::QSLeQSLRcvd: return FQSLeQSLRcvd;
    }
    return {};
}

bool TLogRecord::SetFieldAsString(int field, const QString& text)
{
    switch (field) {
    case LogField::StationCallsign: SetStationCallsign(text); return true;
    case LogField::QSODate: return SetQSODateAsString(text);
    case LogField::TimeOn: return SetTimeOnAsString(text);
    case LogField::Call: SetCall(text); return true;
    case LogField::Band: return SetBandAsString(text);
    case LogField::Mode: return SetModeAsString(text);
    case LogField::BandRX: return SetBandRXAsString(text);
    case LogField::Freq: return SetFreqAsString(text);
    case LogField::FreqRX: return SetFreqRXAsString(text);
    case LogField::PropMode: return SetPropModeAsString(text);
    case LogField::SATName: SetSATName(text); return true;
    case LogField::RSTSent: SetRSTSent(text); return true;
    case LogField::STX: SetSTX(text); return true;
    case LogField::RSTRcvd: SetRSTRcvd(text); return true;
    case LogField::SRX: SetSRX(text); return true;
    case LogField::Comment: SetComment(text); return true;
    case LogField::Notes: SetNotes(text); return true;
    case LogField::Name: SetName(text); return true;
    case LogField::QTH: SetQTH(text); return true;
    case LogField::GridSquare: return SetGridSquare(text);
    case LogField::DXCC: return SetDXCC(text);
    case LogField::Continent: return SetContinentAsString(text);
    case LogField::CQZone: return SetCQZone(text);
    case LogField::USState: SetUSState(text); return true;
    case LogField::QSLVia: SetQSLVia(text); return true;
    case LogField::QSLSent: return SetQSLSent(text);
    case LogField::QSLSDate: return SetQSLSDateAsString(text);
    case LogField::QSLRcvd: return SetQSLRcvd(text);
    case LogField::QSLRDate: return SetQSLRDateAsString(text);
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

QString TLogRecord::QSOLine() const
{
    QString line;
    for (int k = 0; k < LogField::Count; ++k) {
        if (k > 0)
            line += QLatin1Char(';');
        line += FieldAsString(k);
    }
    if (line.endsWith(QLatin1Char(';')))
        line.chop(1);
    return line;
}

QString TLogRecord::QSOLineToFind() const
{
    QString key;
    for (int k = LogField::StationCallsign; k <= LogField::Mode; ++k)
        key += FieldAsString(k) + QLatin1Char(';');
    return key;
}

QString TLogRecord::CallbookLine() const
{
    const QChar letter = FMode == mCW ? QLatin1Char('C') : FMode == mSSB ? QLatin1Char('S') : QLatin1Char('D');
    return QStringLiteral(";%1;%2;%3;").arg(FCall, BandAsString(), QString(letter));
}

bool TLogRecord::ExplodeQSOLine(const QString& line)
{
    Clear();
    const auto fields = SplitLogLine(line);
    int errors = 0;
    for (int k = 0; k < LogField::Count; ++k) {
        if (!SetFieldAsString(k, TrimControl(fields[k])))
            ++errors;
    }
    FReadErrors = errors;
    return errors == 0;
}

void TLogRecord::ExplodeQSOFields(const QString& line, uint64_t fields)
{
    Clear();
    fields &= (uint64_t(1) << LogField::Count) - 1;
    if (fields == 0)
        return;
    std::array<QStringView, 36> parts;
    vx::loglines::SplitFields(line, parts, 64 - std::countl_zero(fields));
    int errors = 0;
    for (int k = 0; k < LogField::Count; ++k) {
        if ((fields >> k) & 1 && !SetFieldAsString(k, TrimControl(parts[size_t(k)].toString())))
            ++errors;
    }
    FReadErrors = errors;
}

bool TLogRecord::ExplodeQSOLine2(const QString& line)
{
    const QStringList pieces = line.split(QLatin1Char(';'));
    int errors = 0;
    for (int k = 0; k < LogField::Count && k < pieces.size(); ++k) {
        if (!SetFieldAsString(k, pieces[k]))
            ++errors;
    }
    FReadErrors += errors;
    return errors == 0;
}

bool TLogRecord::ExplodeCallbookLine(const QString& line)
{
    Clear();
    QString parts[3];
    qsizetype start = 0;
    for (int k = 0; k < 3; ++k) {
        const qsizetype sep = k < 2 ? line.indexOf(QLatin1Char(';'), start) : -1;
        if (sep < 0) {
            parts[k] = line.mid(start);
            break;
        }
        parts[k] = line.mid(start, sep - start);
        start = sep + 1;
    }
    int errors = 0;
    SetCall(TrimControl(parts[0]));
    if (!SetBandAsString(TrimControl(parts[1])))
        ++errors;
    if (!SetModeAsString(TrimControl(parts[2])))
        ++errors;
    FReadErrors = errors;
    return errors == 0;
}

// ---- Exchange records ----------------------------------------------------------------

QString TLogRecord::GetADIFRecord(const QString& line) const
{
    const auto fields = SplitLogLine(line);
    QString r;
    r.reserve(line.size() * 2 + 16);
    // Appended piece by piece: exports write this for every QSO of the log.
    for (int k = 0; k < LogField::Count; ++k) {
        if (fields[k].isEmpty())
            continue;
        r += QLatin1String(ADIFFieldTags[k]);
        r += QString::number(TextLength(fields[k]));
        r += QLatin1Char('>');
        r += fields[k];
        r += QLatin1Char(' ');
    }
    return r + QStringLiteral("<EOR>");
}

QString TLogRecord::GetLoTWRecord(const QString& line)
{
    ExplodeQSOLine(line);
    if (!IsLogDate(FQSODate))
        return {};
    QString r = AdifField("CALL", FCall) + AdifField("BAND", BandAsString()) + AdifField("MODE", ModeAsString()) +
                AdifField("QSO_DATE", QSODateAsString()) + AdifField("TIME_ON", TimeOnAsString());
    if (!FSubMode.isEmpty())
        r += AdifField("SUBMODE", FSubMode);
    if (FBandRX != bdAll && FBandRX != FBand)
        r += AdifField("BAND_RX", BandRXAsString());
    if (FFreq != 0)
        r += AdifField("FREQ", FreqAsString());
    if (FPropMode != pmNone) {
        r += AdifField("PROP_MODE", PropModeAsString());
        if (FPropMode == pmSAT && !FSATName.isEmpty())
            r += AdifField("SAT_NAME", FSATName);
    }
    return r + QStringLiteral("<EOR>");
}

QString TLogRecord::GeteQSLRecord(const QString& line)
{
    ExplodeQSOLine(line);
    if (!IsLogDate(FQSODate))
        return {};
    QString r = AdifField("QSO_DATE", QSODateAsString()) + AdifField("TIME_ON", TimeOnAsStringHHMM()) +
                AdifField("CALL", FCall) + AdifField("MODE", ModeAsString()) + AdifField("BAND", BandAsString());
    if (!FSubMode.isEmpty())
        r += AdifField("SUBMODE", FSubMode);
    if (!FRSTSent.isEmpty())
        r += AdifField("RST_SENT", FRSTSent);
    if (FPropMode != pmNone)
        r += AdifField("PROP_MODE", PropModeAsString());
    return r + QStringLiteral("<EOR>");
}

QString TLogRecord::GetCabrilloRecord(const QString& line, const QString& myCallsign)
{
    ExplodeQSOLine(line);
    switch (FBand) {
    case bd160: case bd80: case bd40: case bd20: case bd15: case bd10: case bd6: case bd2:
        break;
    default:
        return {};
    }
    switch (FMode) {
    case mCW: case mSSB: case mRTTY: case mFM:
        break;
    default:
        return {};
    }
    // Without a date every later column would shift.
    if (!IsLogDate(FQSODate))
        return {};

    // Each value stands in its column, padded to the column's width and followed by a blank;
    // a longer value is written whole and moves the rest of the line to the right: a cut
    // call or exchange would be another QSO.
    QString out = QStringLiteral("QSO: ");
    out.reserve(96);
    const auto put = [&out](const QString& value, int width) {
        out += value.leftJustified(width);
        out += QLatin1Char(' ');
    };
    put(FreqCabrillo(), 5);
    put(ModeCabrillo(), 2);
    put(QSODateCabrillo(), 10);
    put(TimeOnAsStringHHMM(), 4);
    put(CleanFieldText(myCallsign), 13);
    put(FRSTSent, 3);
    put(FSTX, 6);
    put(FCall, 13);
    put(FRSTRcvd, 3);
    put(FSRX, 6);
    out += QLatin1Char('0'); // transmitter number
    return out;
}

QString TLogRecord::FreqCabrillo() const
{
    if (FFreq != 0) {
        switch (FBand) {
        case bd160: case bd80: case bd40: case bd20: case bd15: case bd10:
            return QStringLiteral("%1").arg(FFreq / 1000, 5);
        case bd6:
            return QStringLiteral("   50");
        case bd2:
            return QStringLiteral("  144");
        default:
            return {};
        }
    }
    switch (FBand) {
    case bd160: return QStringLiteral(" 1800");
    case bd80: return QStringLiteral(" 3500");
    case bd40: return QStringLiteral(" 7000");
    case bd20: return QStringLiteral("14000");
    case bd15: return QStringLiteral("21000");
    case bd10: return QStringLiteral("28000");
    case bd6: return QStringLiteral("   50");
    case bd2: return QStringLiteral("  144");
    default: return {};
    }
}

QString TLogRecord::ModeCabrillo() const
{
    switch (FMode) {
    case mCW: return QStringLiteral("CW");
    case mSSB: return QStringLiteral("PH");
    case mRTTY: return QStringLiteral("RY");
    case mFM: return QStringLiteral("FM");
    default: return QStringLiteral("  ");
    }
}

QString TLogRecord::QSODateCabrillo() const
{
    if (!IsLogDate(FQSODate))
        return {};
    return FQSODate.toString(QStringLiteral("yyyy-MM-dd"));
}

// ---- Grid row and summary ------------------------------------------------------------

TLogData TLogRecord::GetLogDataRecord(int32_t index) const
{
    TLogData d;
    d.Index = index;
    d.DateTime = FQSODateTime;
    d.Call = CutText(FCall, TLogData::CallWidth);
    d.Band = CutText(BandAsString(), TLogData::BandWidth);
    d.BandT = FBand;
    // MFSK is shown by its submode ("FT4"); without one the cell still names the mode.
    const QString mode = FMode == mMFSK && !FSubMode.isEmpty() ? FSubMode : ModeAsString();
    d.Mode = CutText(mode, TLogData::ModeWidth);
    d.RSTSent = CutText(FRSTSent, TLogData::RSTWidth);
    d.STX = CutText(FSTX, TLogData::ExchangeWidth);
    d.RSTRcvd = CutText(FRSTRcvd, TLogData::RSTWidth);
    d.SRX = CutText(FSRX, TLogData::ExchangeWidth);
    d.Comments = CutText(AllInfos(), TLogData::CommentsWidth);
    d.Continent = FContinent;
    d.Grid = CutText(FGridSquare, TLogData::GridWidth);
    d.CQZone = CQZoneAsInteger();
    d.State = CutText(FUSState, TLogData::StateWidth);
    d.QSLSent = FQSLSent.at(0);
    d.QSLRcvd = FQSLRcvd.at(0);
    d.QSLLoTWSent = FQSLLoTWSent.at(0);
    d.QSLLoTWRcvd = FQSLLoTWRcvd.at(0);
    d.eQSLSent = FQSLeQSLSent.at(0);
    d.eQSLRcvd = FQSLeQSLRcvd.at(0);
    d.ADIFCode = FADIFCode;
    d.LogCheck = false;
    return d;
}

TLogData TLogRecord::GetLogDataRecord(int32_t index, const QString& line)
{
    ExplodeQSOLine(line);
    return GetLogDataRecord(index);
}

void TLogRecord::CopyToLogInfo(TLogInfo& info) const
{
    info.SetADIFCode(FADIFCode);
    info.SetCQZone(CQZoneAsInteger());
    info.SetGridSquare(FGridSquare);
    info.SetIOTA(FIOTA);
    info.SetName(FName);
    info.SetSRX(FSRX);
    info.SetUSState(FUSState);
    info.SetQSLVia(FQSLVia);
}
