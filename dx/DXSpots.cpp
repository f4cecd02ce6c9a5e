#include "dx/DXSpots.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "log/LogInterface.h"
#include "platform/Clock.h"

#include <QRegularExpression>
#include <optional>

namespace {

int32_t SpotCounter = 0;

const char* const MonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Blanks and control characters, as the cluster's padding may hold either.
bool IsBlank(QChar c) { return c.unicode() <= 0x20; }

QString TrimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.left(n);
}

QString Trim(const QString& s)
{
    qsizetype b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return TrimRight(s.mid(b));
}

// A whole number written with digits (and an optional sign) only, blanks around it allowed.
std::optional<int32_t> ReadInt(const QString& s)
{
    return DecimalTextToInt(Trim(s));
}

QChar At(const QString& s, qsizetype i) { return i >= 0 && i < s.size() ? s[i] : QChar(); }

// Characters from..from+len-1 counted from 1, as the cluster's fixed columns are numbered.
QString Columns(const QString& s, int from, int len) { return s.mid(from - 1, len); }

// 1..12 for "Jan".."Dec" (exact case), 1 for anything else.
int MonthOf(const QString& s)
{
    const QString m = s.left(3);
    for (int i = 0; i < 12; ++i)
        if (m == QLatin1String(MonthNames[i]))
            return i + 1;
    return 1;
}

// The time of day on the date that puts it nearest to now: a spot stamped 2359Z and received
// just after midnight belongs to the day before, not almost a day ahead.
QDateTime NearestToNow(const QTime& t)
{
    const QDateTime now = UTCNow().toUTC();
    QDateTime at(now.date(), t, Qt::UTC);
    constexpr qint64 HalfDayMs = 12LL * 3600 * 1000;
    const qint64 diff = at.toMSecsSinceEpoch() - now.toMSecsSinceEpoch();
    if (diff > HalfDayMs)
        at = at.addDays(-1);
    else if (diff < -HalfDayMs)
        at = at.addDays(1);
    return at;
}

bool IsBeaconSpot(const TDXSpot& spot)
{
    if (spot.Call().endsWith(QLatin1String("/B")))
        return true;
    if (spot.Band() == bd6 && spot.FrequencyA() >= 50001000 && spot.FrequencyA() <= 50069999)
        return true;
    const QString comment = spot.Comments().toUpper();
    return comment.contains(QLatin1String("BEACON")) || comment.contains(QLatin1String("BCN"));
}

// Where the spotter field of a live spot ends: after its colon, or at the first blank.
qsizetype LiveSpotHeadEnd(const QString& line)
{
    for (qsizetype j = 6; j < line.size(); ++j) {
        if (line[j] == u':')
            return j + 1;
        if (IsBlank(line[j]))
            return j;
    }
    return line.size();
}

// The start of the fixed frequency column (position 15); a spotter field that reaches into
// it (skimmer calls such as "DL1XYZ-#:") shifts every column, so such lines are read by
// tokens instead.
constexpr qsizetype FrequencyColumn = 14;

struct TLiveSpotFields {
    QString Frequency;
    QString Call;
    QString Comment;
    QString Time; // "hhmmZ" or empty
};

std::optional<TLiveSpotFields> ReadFixedColumns(const QString& line)
{
    TLiveSpotFields f;
    f.Frequency = Trim(Columns(line, 15, 12));
    f.Call = Trim(Columns(line, 27, 13));
    f.Comment = Trim(Columns(line, 40, 31));
    f.Time = Columns(line, 71, 5);
    return f;
}

std::optional<TLiveSpotFields> ReadTokens(const QString& line, qsizetype headEnd)
{
    static const QRegularExpression TokenRx(QStringLiteral("\\S+"));
    static const QRegularExpression TimeRx(QStringLiteral("^\\d{4}[Zz]$"));
    struct TToken {
        qsizetype Start, End;
        QString Text;
    };
    QList<TToken> tokens;
    auto it = TokenRx.globalMatch(line, headEnd);
    while (it.hasNext()) {
        const auto m = it.next();
        tokens.append({m.capturedStart(), m.capturedEnd(), m.captured()});
    }
    if (tokens.size() < 2)
        return std::nullopt;
    TLiveSpotFields f;
    f.Frequency = tokens[0].Text;
    f.Call = tokens[1].Text;
    qsizetype commentEnd = line.size();
    for (qsizetype k = tokens.size() - 1; k >= 2; --k)
        if (TimeRx.match(tokens[k].Text).hasMatch()) {
            f.Time = tokens[k].Text;
            commentEnd = tokens[k].Start;
            break;
        }
    f.Comment = Trim(line.mid(tokens[1].End, commentEnd - tokens[1].End));
    return f;
}

} // namespace

int32_t NextSpotID()
{
    return ++SpotCounter;
}

TDXSpots::TDXSpots(QObject* owner)
    : QObject(owner)
{
    SpotCounter = 0;
    FWWV.OnWWVData = [this] { Fire(OnWWVData); };
    FSpotDataList.OnAdded = [this](const TSpotData& d) { Fire(OnSpotDataAdded, d); };
    FSpotDataList.OnChanged = [this](const TSpotData& d) { Fire(OnSpotDataChanged, d); };
    FSpotDataList.OnRemoved = [this](const TSpotData& d) { Fire(OnSpotDataRemoved, d); };

    FBandmapTimer = new vx::Timer(BandmapInterval, false, this);
    FBandmapTimer->OnTimer = [this] { BandmapChanged(); };
    FCleanupTimer = new vx::Timer(CleanupInterval, false, this);
    FCleanupTimer->OnTimer = [this] { Cleanup(); };
}

TDXSpots::~TDXSpots()
{
    // The logbook may outlive the engine: its hook must not point here any more.
    if (FLogInterface)
        FLogInterface->OnLogQSO = nullptr;
}

void TDXSpots::SetBandmapRefreshTime(uint16_t value)
{
    FBandmapRefreshTime = value;
    Fire(OnBandmapRefreshTime, value);
}

TFTCATInterface* TDXSpots::FTCATInterface() const
{
    return FFTCATInterface.data();
}

void TDXSpots::SetFTCATInterface(TFTCATInterface* value)
{
    FFTCATInterface = value;
}

TLogInterface* TDXSpots::LogInterface() const
{
    return FLogInterface.data();
}

void TDXSpots::SetLogInterface(TLogInterface* value)
{
    if (!value)
        return;
    FLogInterface = value;
    FLogInterface->OnLogQSO = [this](const QString& call, TBand band, TModeType modeType) {
        FSpotDataList.LogQSO(call, band, modeType);
    };
}

void TDXSpots::SetMyCall(const QString& value)
{
    if (!value.isEmpty()) {
        FDXSpot.Clear();
        FDXSpot.SetCall(value);
        FDXCallParser.FindCountry(FDXSpot);
        FMyCont = FDXSpot.Cont();
        FMyDXCCNo = FDXSpot.ADIFCode();
    } else {
        FMyCont = coAll;
        FMyDXCCNo = 0;
    }
    FDXSpotFilter.SetMyCont(FMyCont);
    FDXSpotFilter.SetMyDXCCNo(FMyDXCCNo);
    FMyCall = value;
}

void TDXSpots::SetMyLocator(const QString& value)
{
    FMyLocator = value;
    FDXCallParser.SetMyLocator(value);
}

void TDXSpots::SetSpotsOptions(TSpotOptions value)
{
    if (value == FSpotsOptions)
        return;
    FSpotsOptions = value;
    Fire(OnSpotsOptions);
}

void TDXSpots::Open()
{
    FDXCallParser.Open();
    SetMyCall(FMyCall);
    SetMyLocator(FMyLocator);
}

void TDXSpots::Close()
{
    FLocatorList.Close();
}

bool TDXSpots::TimersRunning() const
{
    return FCleanupTimer->enabled() && FBandmapTimer->enabled();
}

// ---- Lines ---------------------------------------------------------------------------------

void TDXSpots::Add(const QString& Msg)
{
    const QString line = TrimRight(Msg);
    const QString upper = line.toUpper();
    bool handled = true;
    if (upper.startsWith(QLatin1String("WWV DE "))) {
        handled = AddWWVAnnouncement(line);
    } else if (line.indexOf(QLatin1String("-20")) == 6 && line.contains(u'<') && line.contains(u'>')) {
        handled = AddWWVTableLine(line);
    } else if (upper.startsWith(QLatin1String("DX DE "))) {
        handled = AddLiveSpot(line);
    } else if (!(line.contains(QLatin1String("-20")) && line.contains(u'<') && line.contains(u'>'))) {
        handled = false;
    } else {
        AddSpotTableLine(line);
    }
    // What cannot be read is still shown, as plain text.
    if (!handled)
        DoDXClusterAdded(TDXSpot(), line);

    FBandmapTimer->setEnabled(true);
    FCleanupTimer->setEnabled(true);
}

bool TDXSpots::AddWWVAnnouncement(const QString& line)
{
    QString s = Trim(line);
    qsizetype p = s.indexOf(u'<');
    if (p < 0)
        return false;
    s.remove(0, p + 1);
    p = s.indexOf(u'>');
    if (p < 0)
        return false;
    const auto hour = ReadInt(s.left(p));
    if (!hour || *hour < 0 || *hour > 23)
        return false;

    // "SFI=113, A=18, K=2, forecast": each value ends at its ",".
    auto readValue = [&s](const char* key, int32_t& value) {
        const qsizetype k = s.indexOf(QLatin1String(key));
        if (k < 0)
            return false;
        s.remove(0, k + qsizetype(qstrlen(key)));
        const qsizetype comma = s.indexOf(u',');
        if (comma < 0)
            return false;
        if (comma == 0)
            return true;
        const auto v = ReadInt(s.left(comma));
        if (!v)
            return false;
        value = *v;
        return true;
    };
    TWWVSpot report;
    if (!readValue("SFI=", report.FSFI) || !readValue("A=", report.FA) || !readValue("K=", report.FK))
        return false;
    s.remove(0, s.indexOf(u',') + 2);
    report.FHint = Trim(s);
    report.FLastData = NearestToNow(QTime(*hour, 0));
    FWWV.AddWWVData(report);
    DoDXClusterAdded(TDXSpot(), line);
    return true;
}

bool TDXSpots::AddWWVTableLine(const QString& line)
{
    // " 1-Feb-2026   18   141   5   2 No Storms -> No Storms   <VE7CC>"
    QString s = Trim(line);
    const qsizetype dash = s.indexOf(u'-');
    const auto day = ReadInt(s.left(dash));
    if (!day)
        return false;
    s.remove(0, dash + 1);
    const int month = MonthOf(s);
    s.remove(0, 4);
    const auto year = ReadInt(s.left(4));
    if (!year)
        return false;
    s = Trim(s.mid(4));
    const auto hour = ReadInt(s.left(2));
    if (!hour)
        return false;
    s = Trim(s.mid(2));

    auto readNumber = [&s](int32_t& value) {
        const qsizetype blank = s.indexOf(u' ');
        const auto v = ReadInt(blank < 0 ? s : s.left(blank));
        if (!v)
            return false;
        value = *v;
        s = blank < 0 ? QString() : Trim(s.mid(blank + 1));
        return true;
    };
    TWWVSpot report;
    if (!readNumber(report.FSFI) || !readNumber(report.FA) || !readNumber(report.FK))
        return false;
    const qsizetype lt = s.indexOf(u'<');
    if (lt > 0)
        report.FHint = Trim(s.left(lt));

    const QDate date(*year, month, *day);
    if (!date.isValid() || *hour < 0 || *hour > 23)
        return false;
    report.FLastData = QDateTime(date, QTime(*hour, 0), Qt::UTC);
    TDXSpot spot;
    spot.SetTimeStamp(report.FLastData);
    FWWV.AddWWVData(report);
    DoDXClusterAdded(spot, line);
    return true;
}

bool TDXSpots::AddLiveSpot(const QString& line)
{
    const qsizetype headEnd = LiveSpotHeadEnd(line);
    // Columns shift when the spotter field reaches the frequency column, or when the
    // frequency follows the colon without the padding ("DX de K1ABC:14025.0").
    const bool shifted = headEnd > FrequencyColumn
                         || (line.size() > FrequencyColumn && !IsBlank(line[FrequencyColumn - 1])
                             && line[FrequencyColumn - 1] != u':');
    const auto fields = shifted ? ReadTokens(line, headEnd) : ReadFixedColumns(line);
    if (!fields)
        return false;

    TDXSpot spot;
    spot.SetFrequencyAsString(fields->Frequency);
    if (spot.Band() == bdAll)
        return false;

    // The spotter: from position 7 up to the first character that is not an upper-case
    // letter, a digit or "/"; nothing when no such character ends it.
    for (qsizetype j = 6; j < line.size(); ++j) {
        const char16_t c = line[j].unicode();
        const bool callChar = (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'/';
        if (!callChar) {
            spot.SetSpotter(Trim(line.mid(6, j - 6)));
            break;
        }
    }
    spot.SetCall(fields->Call);
    spot.SetComments(fields->Comment);

    const QString& t = fields->Time;
    if (t.size() == 5 && (t[4] == u'Z' || t[4] == u'z')) {
        const auto hh = DecimalTextToInt(t.left(2));
        const auto mm = DecimalTextToInt(t.mid(2, 2));
        if (hh && mm && QTime::isValid(*hh, *mm, 0))
            spot.SetTimeStamp(NearestToNow(QTime(*hh, *mm)));
    }

    if (PrepareSpot(spot))
        AddDXSpot(spot, true);
    if (OnMessage && spot.IsWanted())
        OnMessage(spot);
    if (FDXSpotFilter.FilterIncomingTelnetSpots(spot))
        DoDXClusterAdded(spot, line);
    return true;
}

void TDXSpots::AddSpotTableLine(const QString& line)
{
    // "14025.0  K1ABC   1-Feb-2026 1829Z comment   <DL1XYZ>"
    TDXSpot spot;
    QString s = Trim(line);
    qsizetype blank = s.indexOf(u' ');
    spot.SetFrequencyAsString(blank < 0 ? s : s.left(blank));
    s = blank < 0 ? QString() : Trim(s.mid(blank + 1));
    blank = s.indexOf(u' ');
    spot.SetCall(blank < 0 ? s : s.left(blank));
    QString rest = blank < 0 ? QString() : Trim(s.mid(blank + 1));

    if ((At(rest, 1) == u'-' && At(rest, 5) == u'-') || (At(rest, 2) == u'-' && At(rest, 6) == u'-')) {
        // The date and time; what cannot be read leaves the time as it was and the rest as far
        // as it was cut.
        [&] {
            const qsizetype dash = rest.indexOf(u'-');
            const auto day = ReadInt(rest.left(dash));
            if (!day)
                return;
            rest.remove(0, dash + 1);
            const int month = MonthOf(rest);
            rest.remove(0, 4);
            const auto year = ReadInt(rest.left(4));
            if (!year)
                return;
            rest.remove(0, 5);
            const auto hh = ReadInt(rest.left(2));
            const auto mm = ReadInt(rest.mid(2, 2));
            if (!hh || !mm)
                return;
            const QDate date(*year, month, *day);
            if (!date.isValid() || !QTime::isValid(*hh, *mm, 0))
                return;
            spot.SetTimeStamp(QDateTime(date, QTime(*hh, *mm), Qt::UTC));
            rest.remove(0, 5);
        }();
        rest = Trim(rest);
        const qsizetype lt = rest.lastIndexOf(u'<');
        if (rest.endsWith(u'>') && lt >= 0) {
            spot.SetSpotter(rest.mid(lt + 1, rest.size() - lt - 2));
            spot.SetComments(Trim(rest.left(lt)));
        }
        if (PrepareSpot(spot))
            AddDXSpot(spot, false);
    }
    DoDXClusterAdded(spot, line);
}

void TDXSpots::DoDXClusterAdded(const TDXSpot& spot, const QString& line)
{
    if (!OnDXClusterAdded)
        return;
    TDXClusterData d;
    d.SpotID = spot.SpotID();
    d.LineNo = 0;
    d.Call = CutText(spot.Call(), TDXClusterData::CallWidth);
    d.Line = CutText(line, TDXClusterData::LineWidth);
    d.IsDXSpot = !spot.Call().isEmpty();
    d.IsLogged = spot.IsLogged();
    d.IsWanted = spot.IsWanted();
    OnDXClusterAdded(d);
}

// ---- Validation and storing ------------------------------------------------------------------

bool TDXSpots::PrepareSpot(TDXSpot& spot)
{
    if (spot.Band() == bdAll || !spot.IsValid())
        return false;
    if (spot.Locator().isEmpty()) {
        const QString locator = FLocatorList.FindLocator(spot.Call());
        if (!locator.isEmpty())
            spot.SetLocator(locator);
    }
    FDXCallParser.FindCountry(spot);
    spot.SetModeType(FDXBandplan.GetModeType(spot));
    spot.SetIsWanted(FDXWantedSpots.IsWanted(spot));
    spot.SetIsBeacon(IsBeaconSpot(spot));
    if (FLogInterface)
        spot.SetIsLogged(FLogInterface->SearchLog(spot.Call(), spot.Band(), spot.ModeType()));
    FDXSpot.Clear();
    FDXSpot.SetCall(spot.Spotter());
    FDXCallParser.FindCountry(FDXSpot);
    spot.SetSpotterCont(FDXSpot.Cont());
    spot.SetSpotterADIFCode(FDXSpot.ADIFCode());
    return true;
}

bool TDXSpots::AddDXSpot(TDXSpot& spot, bool isShowDXSpot)
{
    if (FDXSpotsLifetime != 0 && WholeMinutesBetween(UTCNow(), spot.TimeStamp()) > FDXSpotsLifetime)
        return false;
    TSpot flat;
    spot.CopyToTSpot(flat);
    // A repeated live spot changes nothing: it gets no number, and the band map keeps the
    // entry of the first one (whose number the spot list holds).
    if (isShowDXSpot && spot.AddDXSpot() && FSpotDataList.IsDuplicate(flat))
        return false;
    spot.SetSpotID(NextSpotID());
    flat.FSpotID = spot.SpotID();
    FBandmapDataList.AddSpot(flat);
    BandmapChanged();
    if (spot.AddDXSpot())
        FSpotDataList.AddSpot(flat, isShowDXSpot);
    FLocatorList.AddLocator(spot.Call(), spot.Locator());
    return true;
}

void TDXSpots::BandmapChanged()
{
    if (FUpdateCount > 0)
        FBandmapChangePending = true;
    else
        Fire(OnBandmapChange);
}

void TDXSpots::BeginUpdate()
{
    ++FUpdateCount;
}

void TDXSpots::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    if (FBandmapChangePending) {
        FBandmapChangePending = false;
        Fire(OnBandmapChange);
    }
}

void TDXSpots::Cleanup()
{
    FBandmapDataList.CleanExpiredSpots(FDXSpotsLifetime);
    FSpotDataList.CleanExpiredSpots(FDXSpotsLifetime);
    BandmapChanged();
}

void TDXSpots::AddSpotToBandmap(TSpot& ASpot)
{
    TDXSpot spot;
    spot.CopyFromTSpot(ASpot);
    spot.SetIsMySpot(true);
    spot.SetSpotter(FMyCall);
    spot.SetTimeStamp(UTCNow());
    if (PrepareSpot(spot) && AddDXSpot(spot, true))
        BandmapChanged();
}

void TDXSpots::RemoveSpot(int32_t ASpotID, bool ARemoveFromBandmap)
{
    if (ASpotID <= 0)
        return;
    if (ARemoveFromBandmap)
        FBandmapDataList.RemoveSpot(ASpotID);
    FSpotDataList.RemoveSpot(ASpotID);
    BandmapChanged();
}

// ---- Tuning and lookups --------------------------------------------------------------------

void TDXSpots::SendSpotToTransceiver(int32_t ASpotID, bool ToVFOA, bool ToVFOB)
{
    TSpotData d;
    if (ASpotID == 0 || !FFTCATInterface || !FSpotDataList.GetSpotData(ASpotID, d))
        return;
    TFTCATInterface& cat = *FFTCATInterface;
    if (ToVFOA && ToVFOB) {
        cat.PrepareTX();
        cat.SetFrequency(0, d.FrequencyA);
        if (d.FrequencyB != d.FrequencyA && d.Split) {
            cat.PrepareTX();
            cat.SetFrequency(1, d.FrequencyB);
            cat.PrepareTX();
            cat.SetFunctionTX(vfoB);
        }
    } else if (ToVFOA) {
        cat.PrepareTX();
        cat.SetFrequency(0, d.FrequencyA);
    } else if (ToVFOB) {
        cat.PrepareTX();
        cat.SetFrequency(1, d.FrequencyA);
    }
    if (OnSpotDblClick && ToVFOA && ToVFOB) {
        TSpot spot;
        spot.SetCall(d.Call);
        spot.FIsMySpot = d.IsMySpot;
        spot.SetComment(d.Comment);
        spot.FFrequencyA = d.FrequencyA;
        spot.FFrequencyB = d.FrequencyB;
        spot.FSplit = d.Split;
        OnSpotDblClick(spot);
    }
}

void TDXSpots::CallsignLookup(const QString& HisCall)
{
    if (!OnCallsignLookup)
        return;
    FDXSpot.Clear();
    FDXSpot.SetCall(HisCall);
    FDXCallParser.FindCountry(FDXSpot);
    OnCallsignLookup(FDXSpot);
}

void TDXSpots::DXSpotLookup(const QString& HisCall)
{
    if (!OnDXSpotLookup)
        return;
    FDXSpot.Clear();
    FDXSpot.SetCall(HisCall);
    FDXCallParser.FindCountry(FDXSpot);
    OnDXSpotLookup(FDXSpot);
}

void TDXSpots::LogCheckerLookup(const QString& HisCall, TDXSpot& ADXSpot)
{
    FDXSpot.Clear();
    FDXSpot.SetCall(HisCall);
    FDXCallParser.FindCountry(FDXSpot);
    ADXSpot.SetCQZone(FDXSpot.CQZone());
    ADXSpot.SetCont(FDXSpot.Cont());
    ADXSpot.SetCountryName(FDXSpot.CountryName());
    ADXSpot.SetDXCCItemIndex(FDXSpot.DXCCItemIndex());
    ADXSpot.SetADIFCode(FDXSpot.ADIFCode());
    ADXSpot.SetITUZone(FDXSpot.ITUZone());
    ADXSpot.SetPrefix(FDXSpot.Prefix());
}

QString TDXSpots::GetRangeAndPath(TSpot& ASpot)
{
    const QString text = FDXCallParser.GetRangeAndPath(ASpot, FRangeUnit);
    FLocatorList.AddLocator(ASpot.Call(), ASpot.FLocator);
    return text;
}

QString TDXSpots::GetRangeAndPathText(const QString& ALocator) const
{
    return FDXCallParser.GetRangeAndPathText(ALocator, FRangeUnit);
}

void TDXSpots::UpdateLocator(TSpot& ASpot)
{
    if (ASpot.FLocator.isEmpty())
        return;
    TDXSpot spot;
    spot.CopyFromTSpot(ASpot);
    FDXCallParser.FindCountry(spot);
    FLocatorList.AddLocator(spot.Call(), spot.Locator());
}

void TDXSpots::LoadWantedSpotsList()
{
    FDXWantedSpots.LoadWantedSpots();
    FSpotDataList.UpdateWantedSpots(FDXWantedSpots);
}

void TDXSpots::LoadWantedDXCCList()
{
    FDXWantedSpots.LoadWantedDXCC();
    FSpotDataList.UpdateWantedSpots(FDXWantedSpots);
}
