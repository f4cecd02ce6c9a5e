#include "core/RCTypes.h"

#include "platform/Clock.h"

const std::array<const char*, 36> ADIFFieldTags = {
    "<STATION_CALLSIGN:", "<QSO_DATE:", "<TIME_ON:", "<CALL:", "<BAND:", "<MODE:", "<BAND_RX:", "<FREQ:",
    "<FREQ_RX:", "<PROP_MODE:", "<SAT_NAME:", "<RST_SENT:", "<STX:", "<RST_RCVD:", "<SRX:", "<COMMENT:",
    "<NOTES:", "<NAME:", "<QTH:", "<GRIDSQUARE:", "<DXCC:", "<CONT:", "<CQZ:", "<STATE:", "<QSL_VIA:",
    "<QSL_SENT:", "<QSLSDATE:", "<QSL_RCVD:", "<QSLRDATE:", "<LOTW_QSL_SENT:", "<LOTW_QSL_RCVD:",
    "<CONTEST_ID:", "<IOTA:", "<SUBMODE:", "<EQSL_QSL_SENT:", "<EQSL_QSL_RCVD:"};

const std::array<const char*, BandCount> BandNames = {
    "", "160m", "80m", "60m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m", "4m", "2m", "70cm"};

const std::array<const char*, ContinentCount> ContinentNames = {"", "AF", "AS", "EU", "NA", "OC", "SA", "AN"};

const std::array<const char*, QSOModeCount> QSOModeNames = {
    "", "CW", "SSB", "RTTY", "FT8", "FT4", "Q65", "JT65", "JT9", "PSK", "AM", "FM", "ARDOP", "ATV", "C4FM",
    "CHIP", "CLO", "CONTESTI", "DIGITALVOICE", "DOMINO", "DSTAR", "FAX", "FSK441", "HELL", "ISCAT", "JT4",
    "JT6M", "JT44", "MFSK", "MSK144", "MT63", "OLIVIA", "OPERA", "PAC", "PAX", "PKT", "PSK2K", "Q15", "QRA64",
    "ROS", "RTTYM", "SSTV", "T10", "THOR", "THRB", "TOR", "V4", "VOI", "WINMOR", "WSPR"};

const std::array<const char*, PropModeCount> PropModeNames = {
    "", "AS", "AUR", "AUE", "BS", "ECH", "EME", "ES", "FAI", "F2", "INTERNET", "ION", "IRL", "MS", "RPT",
    "RS", "SAT", "TEP", "TR"};

const std::array<const char*, PropModeCount> PropModeDescriptions = {
    "",
    "AS - Aircraft Scatter",
    "AUE - Aurora-E",
    "AUR - Aurora",
    "BS - Back scatter",
    "ECH - EchoLink",
    "EME - Earth-Moon-Earth",
    "ES - Sporadic E",
    "F2 - F2 Reflection",
    "FAI - Field Aligned Irregularities",
    "INTERNET - Internet-assisted",
    "ION - Ionoscatter",
    "IRL - IRLP",
    "MS - Meteor scatter",
    "RPT - Repeater or transponder",
    "RS - Rain scatter",
    "SAT - Satellite",
    "TEP - Trans-equatorial",
    "TR - Tropospheric ducting"};

const char QSLFlagLetters[6] = "NYRIQ";

const std::array<const char*, 20> ADIFSubmodes = {
    "CHIP:CHIP64,CHIP128",
    "DOMINO:DOM-M,DOM4,DOM5,DOM8,DOM11,DOM16,DOM22,DOM44,DOM88,DOMINOEX,DOMINOF",
    "HELL:FMHELL,FSKHELL,HELL80,HELLX5,HELLX9,HFSK,PSKHELL,SLOWHELL",
    "ISCAT:ISCAT-A,ISCAT-B",
    "JT4:JT4A,JT4B,JT4C,JT4D,JT4E,JT4F,JT4G",
    "JT9:JT9-1,JT9-2,JT9-5,JT9-10,JT9-30,JT9A,JT9B,JT9C,JT9D,JT9E,JT9E FAST,JT9F,JT9F FAST,JT9G,JT9G FAST,JT9H,"
    "JT9H FAST",
    "JT65:JT65A,JT65B,JT65B2,JT65C,JT65C2",
    "MFSK:FSQCALL,FST4,FST4W,FT4,JS8,JTMS,MFSK4,MFSK8,MFSK11,MFSK16,MFSK22,MFSK31,MFSK32,MFSK64,MFSK64L,MFSK128 "
    "MFSK128L,Q65",
    "OLIVIA:OLIVIA 4/125,OLIVIA 4/250,OLIVIA 8/250,OLIVIA 8/500,OLIVIA 16/500,OLIVIA 16/1000,OLIVIA 32/1000",
    "OPERA:OPERA-BEACON,OPERA-QSO",
    "PAC:PAC2,PAC3,PAC4",
    "PAX:PAX2",
    "PSK:8PSK125,8PSK250,8PSK500,8PSK1000,FSK31,PSK10,PSK31,PSK63,PSK63F,PSK63RC4,PSK63RC5,PSK63RC10,PSK63RC20,"
    "PSK63RC32,PSK125,PSK250,PSK500,PSK800,PSK1000,PSKAM10,PSKAM31,PSKAM50,PSKFEC31,QPSK31,QPSK63,QPSK125,"
    "QPSK250,QPSK500,SIM31",
    "QRA64:QRA64A,QRA64B,QRA64C,QRA64D,QRA64E",
    "ROS:ROS-EME,ROS-HF,ROS-MF",
    "RTTY:ASCI",
    "SSB:LSB,USB",
    "THOR:THOR-M,THOR4,THOR5,THOR8,THOR11,THOR16,THOR22,THOR25X4,THOR50X1,THOR50X2,THOR100",
    "THRB:THRBX,THRBX1,THRBX2,THRBX4,THROB1,THROB2,THROB4",
    "TOR:AMTORFEC,GTOR,NAVTEX,SITORB"};

const std::array<const char*, 51> USStateCodes = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KS",
    "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV",
    "NY", "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

const std::array<TBandEdge, BandCount> BandEdges = {{
    {0, 0},
    {1800000, 2000000},
    {3500000, 4000000},
    {5200000, 5450000},
    {7000000, 7300000},
    {10100000, 10150000},
    {14000000, 14350000},
    {18068000, 18168000},
    {21000000, 21450000},
    {24890000, 24990000},
    {28000000, 29700000},
    {50000000, 54000000},
    {0, 0},
    {0, 0},
    {0, 0},
}};

const std::array<uint32_t, 3> BandSegmentColors = {0x0031C100, 0x008080FF, 0x0080FFFF};

QString ContinentToString(TContinent c)
{
    return QString::fromLatin1(ContinentNames[c]);
}

QString DateToYYYYMMDD(const QDateTime& d)
{
    // A null date, or one at or before the epoch of the original date type (1899-12-30),
    // stands for "no date".
    static const QDate zero(1899, 12, 30);
    if (!d.isValid() || d.date() <= zero)
        return {};
    return d.date().toString(QStringLiteral("yyyyMMdd"));
}

TBand FrequencyToBand(int32_t hz)
{
    for (int b = bd160; b <= bd6; ++b) {
        if (hz >= BandEdges[b].Lower && hz <= BandEdges[b].Upper)
            return TBand(b);
    }
    return bdAll;
}

TModeType QSOModeToModeType(TQSOMode m)
{
    switch (m) {
    case mNone:
        return mtAll;
    case mCW:
        return mtCW;
    case mSSB:
    case mAM:
    case mFM:
        return mtPhone;
    default:
        return mtDigital;
    }
}

QString QSLFlagToChar(TQSLFlag f)
{
    return QString(QLatin1Char(QSLFlagLetters[f]));
}

QString ByteToTwoDigits(uint8_t v)
{
    if (v == 0)
        return {};
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

TContinent StringToContinent(const QString& s)
{
    for (int c = coAF; c <= coAN; ++c) {
        if (s == QLatin1String(ContinentNames[c]))
            return TContinent(c);
    }
    return coAll;
}

QDateTime UTCNow()
{
    return vx::Clock::nowUtc();
}
