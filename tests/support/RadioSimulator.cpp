#include "tests/support/RadioSimulator.h"

#include "tests/support/Pty.h"

#include <QHash>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vxtest {

namespace {

// Columns of the tables: the FT-2000 and FT-2000D share one command set.
enum Family { F2000, F950, F5000 };

Family familyOf(TTransceiver model)
{
    return model == FT950 ? F950 : model == FTDX5000 ? F5000 : F2000;
}

// A table cell that may differ per family: "a" for all three, or "a|b|c" for FT-2000,
// FT-950 and FT DX 5000.
QString column(const char* cell, Family f)
{
    const QString text = QString::fromLatin1(cell);
    const QStringList parts = text.split(QLatin1Char('|'));
    return parts.size() == 3 ? parts[f] : parts[0];
}

bool fullMatch(const QString& pattern, const QString& text)
{
    static QHash<QString, QRegularExpression> cache;
    auto it = cache.find(pattern);
    if (it == cache.end())
        it = cache.insert(pattern, QRegularExpression(QRegularExpression::anchoredPattern(pattern)));
    return it->match(text).hasMatch();
}

// "lo..hi" (either may be negative); an empty cell means no limits.
bool inRange(const QString& range, const QString& number)
{
    if (range.isEmpty())
        return true;
    const int sep = range.indexOf(QLatin1String(".."));
    bool ok = false;
    const qlonglong v = number.toLongLong(&ok);
    return ok && v >= range.left(sep).toLongLong() && v <= range.mid(sep + 2).toLongLong();
}

QString padded(qlonglong value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString signedPadded(int value, int width)
{
    return (value < 0 ? QLatin1Char('-') : QLatin1Char('+')) + padded(qAbs(value), width);
}

// Index tokens of a command: literals ("0", "01") or ranges ("001..147"), separated by blanks.
QStringList indexTokens(const QString& cell)
{
    return cell.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

int tokenWidth(const QString& token)
{
    const int sep = token.indexOf(QLatin1String(".."));
    return sep < 0 ? int(token.size()) : sep;
}

bool tokenMatches(const QString& token, const QString& index)
{
    const int sep = token.indexOf(QLatin1String(".."));
    if (sep < 0)
        return token == index;
    bool ok = false;
    const int v = index.toInt(&ok);
    return ok && index.size() == sep && v >= token.left(sep).toInt() && v <= token.mid(sep + 2).toInt();
}

QStringList expandToken(const QString& token)
{
    const int sep = token.indexOf(QLatin1String(".."));
    if (sep < 0)
        return {token};
    QStringList out;
    for (int v = token.left(sep).toInt(); v <= token.mid(sep + 2).toInt(); ++v)
        out << padded(v, sep);
    return out;
}

const char ModeChars[] = "123456789ABC"; // TMode order: the radio's mode digits

// Bands as the band-select command numbers them, with the frequency a band starts on.
struct Band {
    int lower;
    int upper;
    int start;
    char mode;
};
const Band Bands[] = {
    {1800000, 2000000, 1840000, '1'},     {3500000, 4000000, 3700000, '1'},     {5250000, 5450000, 5357000, '2'},
    {7000000, 7300000, 7100000, '1'},     {10100000, 10150000, 10120000, '3'},  {14000000, 14350000, 14200000, '2'},
    {18068000, 18168000, 18100000, '2'},  {21000000, 21450000, 21200000, '2'},  {24890000, 24990000, 24940000, '2'},
    {28000000, 29700000, 28500000, '2'},  {50000000, 54000000, 50150000, '2'},  {30000, 60000000, 10000000, '5'},
};
constexpr int BandCountWithGeneral = int(sizeof Bands / sizeof Bands[0]);
constexpr int HamBands = BandCountWithGeneral - 1;

int bandOf(int hz)
{
    for (int i = 0; i < HamBands; ++i)
        if (hz >= Bands[i].lower && hz <= Bands[i].upper)
            return i;
    return -1;
}

} // namespace

struct Item;

struct RadioSimulator::Match {
    const Item* item = nullptr;
    QString key;   // the query text that reads the item ("AG0")
    QString param; // the parameter of a set command; empty for a query
};

using Sim = RadioSimulator;

// What the tables' hooks do; a friend, so that the hooks reach the radio's state.
struct SimulatorActions {
    static Family family(const Sim& s) { return familyOf(s.model_); }
    static QString& v(Sim& s, const char* key) { return s.values_[QString::fromLatin1(key)]; }
    static QString v(const Sim& s, const char* key) { return s.values_.value(QString::fromLatin1(key)); }
    static int clar(const Sim& s) { return v(s, "clar").toInt(); }
    static bool transmitting(const Sim& s) { return v(s, "TX") != QLatin1String("0") || v(s, "MX") == QLatin1String("1"); }

    // Set hooks: check and adjust the parameter of a set command; false rejects it.

    // Starting the tuner leaves it switched on.
    static bool setAC(Sim&, const QString&, QString& p)
    {
        if (!fullMatch(QStringLiteral("00[0-2]"), p))
            return false;
        if (p == QLatin1String("002"))
            p = QStringLiteral("001");
        return true;
    }
    // "AN0" + antenna 1..4 selects the antenna, "AN05" switches the RX antenna input.
    static bool setAN(Sim& s, const QString& key, QString& p)
    {
        const QString now = s.values_.value(key);
        if (fullMatch(QStringLiteral("[1-4]"), p))
            p = p + now.right(1);
        else if (p == QLatin1String("5"))
            p = now.left(1) + (now.right(1) == QLatin1String("1") ? QLatin1Char('0') : QLatin1Char('1'));
        else
            return false;
        return true;
    }
    // Set 2/3 (main/sub transmitter) is answered as 0/1.
    static bool setFT(Sim&, const QString&, QString& p)
    {
        if (!fullMatch(QStringLiteral("[0-3]"), p))
            return false;
        p = QString::number(p.toInt() & 1);
        return true;
    }
    // AGC auto is answered as the time constant it chose (auto slow for SSB).
    static bool setGT(Sim&, const QString&, QString& p)
    {
        if (!fullMatch(QStringLiteral("[0-4]"), p))
            return false;
        if (p == QLatin1String("4"))
            p = QStringLiteral("6");
        return true;
    }
    static bool setIS(Sim&, const QString&, QString& p)
    {
        if (!fullMatch(QStringLiteral("[+-]\\d{4}"), p) || !inRange(QStringLiteral("-1000..1000"), p))
            return false;
        p = signedPadded(p.toInt(), 4);
        return true;
    }
    static bool setDA(Sim&, const QString&, QString& p)
    {
        return fullMatch(QStringLiteral("\\d{4}"), p) && p.left(2).toInt() <= 7 && p.mid(2).toInt() <= 15;
    }
    // Roofing filter: set 0 auto, 1 15 kHz, 2 6 kHz, 3 3 kHz, 4 600 Hz, 5 300 Hz (the last two on
    // the FT DX 5000 only); the answer names the filter in use, auto ones with their own digits.
    static bool setRF(Sim& s, const QString&, QString& p)
    {
        static const char answer[] = "612378";
        const QString allowed = family(s) == F5000 ? QStringLiteral("[0-5]") : QStringLiteral("[0-3]");
        if (!fullMatch(allowed, p))
            return false;
        p = QString(QLatin1Char(answer[p.toInt()]));
        return true;
    }
    // A set carries the rotator's motion only; direction and speed stay.
    static bool setRO(Sim& s, const QString& key, QString& p)
    {
        if (!fullMatch(QStringLiteral("[0-4]"), p))
            return false;
        p = p + s.values_.value(key).mid(1);
        return true;
    }
    // FT DX 5000 VRF / µ-tune: state digit and an optional step of the preselector position.
    static bool setVF(Sim& s, const QString& key, QString& p)
    {
        static const QRegularExpression re(QStringLiteral("^([0-2])([+-]\\d{1,3})?$"));
        const auto m = re.match(p);
        if (!m.hasMatch())
            return false;
        const QString now = s.values_.value(key);
        const int position = qBound(0, now.mid(1, 3).toInt() + m.captured(2).toInt(), 255);
        p = m.captured(1) + padded(position, 3) + now.right(1);
        return true;
    }

    // Answer hooks: items that are computed rather than stored.

    static QString answerID(const Sim& s, const QString&) { return QStringLiteral("ID") + s.identification() + QLatin1Char(';'); }
    // Memory channel, frequency, clarifier offset, RX and TX clarifier, mode, VFO/memory mode,
    // CTCSS state, tone number and repeater shift, as the radios lay them out.
    static QString information(const Sim& s, const char* code, int vfo)
    {
        const auto get = [&](const char* code) { return s.values_.value(QString::fromLatin1(code) + QString::number(vfo)); };
        return QString::fromLatin1(code) + v(s, "MC") + v(s, vfo == 0 ? "FA" : "FB") + signedPadded(clar(s), 4) + v(s, "RT")
            + v(s, "XT") + get("MD") + v(s, "vm") + get("CT") + get("CN") + get("OS") + QLatin1Char(';');
    }
    static QString answerIF(const Sim& s, const QString&) { return information(s, "IF", 0); }
    static QString answerOI(const Sim& s, const QString&) { return information(s, "OI", 1); }
    static QString answerMR(const Sim& s, const QString& key)
    {
        const QString record = s.memories_.value(key.mid(2).toInt());
        return record.isEmpty() ? QStringLiteral("?;") : QStringLiteral("MR") + record + QLatin1Char(';');
    }
    // 0 receiving, 1 transmitting by CAT command, 2 transmitting by the radio's own MOX.
    static QString answerTX(const Sim& s, const QString&)
    {
        QString tx = v(s, "TX");
        if (tx == QLatin1String("0") && v(s, "MX") == QLatin1String("1"))
            tx = QStringLiteral("2");
        return QStringLiteral("TX") + tx + QLatin1Char(';');
    }
    // RM1/RM2 are the S-meters; RM0 is the S-meter while receiving and the selected
    // transmit meter (MS: COMP, ALC, PO, SWR, ID, VDD as RM3 … RM8) while transmitting.
    static QString answerRM(const Sim& s, const QString& key)
    {
        QString source = key;
        if (key == QLatin1String("RM1") || (key == QLatin1String("RM0") && !transmitting(s)))
            source = QStringLiteral("SM0");
        else if (key == QLatin1String("RM2"))
            source = QStringLiteral("SM1");
        else if (key == QLatin1String("RM0"))
            source = QStringLiteral("RM") + QString::number(3 + v(s, "MS").toInt());
        return key + s.values_.value(source) + QLatin1Char(';');
    }

    // Actions: commands that change several items or have no item of their own.

    static QString record(const Sim& s, int channel, const QString& hz, const QString& mode)
    {
        return padded(channel, 3) + hz + signedPadded(clar(s), 4) + v(s, "RT") + v(s, "XT") + mode + QLatin1Char('0')
            + v(s, "CT0") + v(s, "CN0") + v(s, "OS0");
    }
    static void copyVFO(Sim& s, const char* fromHz, const char* fromMode, const char* toHz, const char* toMode)
    {
        v(s, toHz) = v(s, fromHz);
        v(s, toMode) = v(s, fromMode);
    }
    static void setHz(Sim& s, const char* key, qlonglong hz) { v(s, key) = padded(qBound(30000LL, hz, 60000000LL), 8); }
    // Band select, up and down keep the frequency and mode left on each band (the band stack).
    static void selectBand(Sim& s, int vfo, int band)
    {
        const char* hzKey = vfo ? "FB" : "FA";
        const char* modeKey = vfo ? "MD1" : "MD0";
        const QString stack = QStringLiteral("stack%1.").arg(vfo);
        const int current = bandOf(v(s, hzKey).toInt());
        if (current >= 0)
            s.values_[stack + QString::number(current)] = v(s, hzKey) + v(s, modeKey);
        const QString saved = s.values_.value(stack + QString::number(band));
        if (saved.size() == 9) {
            v(s, hzKey) = saved.left(8);
            v(s, modeKey) = saved.right(1);
        } else {
            setHz(s, hzKey, Bands[band].start);
            v(s, modeKey) = QString(QLatin1Char(Bands[band].mode));
        }
    }
    static void stepBand(Sim& s, int vfo, int direction)
    {
        const int hz = v(s, vfo ? "FB" : "FA").toInt();
        int band = bandOf(hz);
        if (band >= 0) {
            band = (band + direction + HamBands) % HamBands;
        } else if (direction > 0) {
            // Outside the bands: the next band in that direction.
            band = 0;
            for (int i = HamBands - 1; i >= 0; --i)
                if (Bands[i].lower > hz)
                    band = i;
        } else {
            band = HamBands - 1;
            for (int i = 0; i < HamBands; ++i)
                if (Bands[i].upper < hz)
                    band = i;
        }
        selectBand(s, vfo, band);
    }

    static void actAB(Sim& s, const QString&) { copyVFO(s, "FA", "MD0", "FB", "MD1"); }
    static void actBA(Sim& s, const QString&) { copyVFO(s, "FB", "MD1", "FA", "MD0"); }
    static void actSV(Sim& s, const QString&)
    {
        std::swap(v(s, "FA"), v(s, "FB"));
        std::swap(v(s, "MD0"), v(s, "MD1"));
    }
    static void actAM(Sim& s, const QString&)
    {
        const int ch = v(s, "MC").toInt();
        s.memories_[ch] = record(s, ch, v(s, "FA"), v(s, "MD0"));
    }
    static void actMA(Sim& s, const QString&)
    {
        const QString r = s.memories_.value(v(s, "MC").toInt());
        if (r.isEmpty())
            return;
        v(s, "FA") = r.mid(3, 8);
        v(s, "MD0") = r.mid(18, 1);
    }
    static void actMW(Sim& s, const QString& p) { s.memories_[p.left(3).toInt()] = p; }
    static void actQI(Sim& s, const QString&) { s.qmb_ = v(s, "FA") + v(s, "MD0"); }
    static void actQR(Sim& s, const QString&)
    {
        if (s.qmb_.size() != 9)
            return;
        v(s, "FA") = s.qmb_.left(8);
        v(s, "MD0") = s.qmb_.right(1);
    }
    // Quick split: VFO B 5 kHz above VFO A, transmitting on B.
    static void actQS(Sim& s, const QString&)
    {
        setHz(s, "FB", v(s, "FA").toLongLong() + 5000);
        v(s, "MD1") = v(s, "MD0");
        v(s, "FT") = QStringLiteral("1");
    }
    static void actRC(Sim& s, const QString&) { v(s, "clar") = QStringLiteral("0"); }
    // Clarifier up and down move the offset by the given amount.
    static void actRU(Sim& s, const QString& p) { v(s, "clar") = QString::number(qBound(-9999, clar(s) + p.toInt(), 9999)); }
    static void actRD(Sim& s, const QString& p) { v(s, "clar") = QString::number(qBound(-9999, clar(s) - p.toInt(), 9999)); }
    static void actUP(Sim& s, const QString&) { setHz(s, "FA", v(s, "FA").toLongLong() + 10); }
    static void actDN(Sim& s, const QString&) { setHz(s, "FA", v(s, "FA").toLongLong() - 10); }
    static void actBU(Sim& s, const QString& p) { stepBand(s, p.toInt(), +1); }
    static void actBD(Sim& s, const QString& p) { stepBand(s, p.toInt(), -1); }
    static void actBS(Sim& s, const QString& p) { selectBand(s, 0, p.toInt()); }
    // CH0 steps the memory channel up, CH1 down, within 1..99.
    static void actCH(Sim& s, const QString& p)
    {
        const int ch = v(s, "MC").toInt();
        v(s, "MC") = padded(p == QLatin1String("0") ? ch % 99 + 1 : (ch + 97) % 99 + 1, 3);
    }
    static void actVM(Sim& s, const QString&) { v(s, "vm") = v(s, "vm") == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("0"); }
    // Mode keys LSB, USB, CW, AM, FM, RTTY, PKT.
    static void actMK(Sim& s, const QString& p) { v(s, "MD0") = QString(QLatin1Char("1235468"[p.toInt()])); }
    static void actNone(Sim&, const QString&) {}
};

namespace {

using A = SimulatorActions;
enum Access { ReadWrite, ReadOnly };
using SetHook = bool (*)(Sim&, const QString& key, QString& param);
using AnswerHook = QString (*)(const Sim&, const QString& key);

} // namespace

// One state item or group of items that a query reads and (unless read-only) a set command
// writes.  Cells marked "per family" are one text for all models or "FT-2000|FT-950|FT DX 5000".
struct Item {
    const char* code;
    const char* index;   // per family: "" no index, "-" the model lacks the command, "0 1", "001..147"
    const char* pattern; // the parameter as the radio answers it (and takes it, unless a hook checks)
    const char* range;   // per family: numeric limits of a set ("0..255"), "" none
    const char* initial; // per family
    Access access = ReadWrite;
    SetHook set = nullptr;
    AnswerHook answer = nullptr;
};

namespace {

// clang-format off
const Item Items[] = {
    // code index                      pattern             range                          initial
    {"AC", "",                         "00[0-2]",          "",                            "000", ReadWrite, A::setAC},
    {"AG", "0 1|0|0 1",                "\\d{3}",           "0..255",                      "064"},
    {"AI", "",                         "[01]",             "",                            "0"},
    {"AN", "0|0|0 1",                  "[1-4][01]",        "",                            "10", ReadWrite, A::setAN},
    {"BC", "0|0|0 1",                  "[01]",             "",                            "0"},
    {"BI", "",                         "[01]",             "",                            "0"},
    {"BP", "00|00|00 10",              "00[01]",           "",                            "000"},   // manual notch on/off
    {"BP", "01|01|01 11",              "\\d{3}",           "1..400|1..300|1..400",        "150"},   // notch frequency
    {"BY", "",                         "[01][01]",         "",                            "00", ReadOnly},
    {"CA", "-|-|",                     "000[01]",          "",                            "0000"},
    {"CN", "0 1|0|0 1",                "\\d{2}",           "0..49",                       "00"},
    {"CO", "00|00|00 10",              "0[0-2]",           "",                            "00"},    // contour off/on/APF
    {"CO", "01|01|01 11",              "\\d{2}",           "1..40|1..30|1..40",           "20"},    // contour level
    {"CO", "-|-|02 12",                "\\d{2}",           "0..50",                       "25"},    // APF offset
    {"CS", "",                         "[01]",             "",                            "0"},
    {"CT", "0 1|0|0 1",                "[0-2]",            "",                            "0"},
    {"DA", "",                         "\\d{4}",           "",                            "0408", ReadWrite, A::setDA},
    {"DP", "",                         "[0-6]",            "",                            "0"},
    {"DS", "|-|",                      "[01]",             "",                            "0"},
    {"EX", "001..147|001..118|001..177", "[0-9+-]{1,13}",  "",                            "0"},
    {"FA", "",                         "\\d{8}",           "30000..60000000",             "14074000"},
    {"FB", "",                         "\\d{8}",           "30000..60000000",             "07030000"},
    {"FR", "",                         "[0-5]",            "",                            "0"},
    {"FS", "",                         "[0-7]",            "0..7|0..1|0..7",              "0|0|4"},
    {"FT", "",                         "[01]",             "",                            "0", ReadWrite, A::setFT},
    {"GT", "0 1|0|0 1",                "[0-6]",            "",                            "6", ReadWrite, A::setGT},
    {"ID", "",                         "\\d{4}",           "",                            "", ReadOnly, nullptr, A::answerID},
    {"IF", "",                         "",                 "",                            "", ReadOnly, nullptr, A::answerIF},
    {"IS", "0|0|0 1",                  "[+-]\\d{4}",       "",                            "+0000", ReadWrite, A::setIS},
    {"KM", "1..5",                     "[^;]{1,51}",       "",                            "}"},
    {"KP", "",                         "\\d{2}",           "0..15|0..15|0..75",           "10|10|50"},
    {"KR", "",                         "[01]",             "",                            "1"},
    {"KS", "",                         "\\d{3}",           "4..60",                       "020"},
    {"LK", "",                         "[0-7]",            "0..7|0..1|0..7",              "0|0|4"},
    {"MC", "",                         "\\d{3}",           "1..117",                      "001"},
    {"MD", "0 1|0|0 1",                "[1-9A-C]",         "",                            "2"},
    {"MG", "",                         "\\d{3}",           "0..255|0..100|0..255",        "050"},
    {"ML", "0",                        "00[01]",           "",                            "000"},   // monitor on/off
    {"ML", "1",                        "\\d{3}",           "1..255",                      "050"},   // monitor level
    {"MR", "001..117",                 "",                 "",                            "", ReadOnly, nullptr, A::answerMR},
    {"MS", "",                         "[0-5]",            "",                            "3"},
    {"MX", "",                         "[01]",             "",                            "0"},
    {"NA", "0 1|0|0 1",                "[01]",             "",                            "0"},
    {"NB", "0 1|0|0 1",                "[0-2]",            "",                            "0"},
    {"NL", "0 1|0|0 1",                "\\d{3}",           "0..255",                      "005"},
    {"NR", "0|0|0 1",                  "[01]",             "",                            "0"},
    {"OI", "",                         "",                 "",                            "", ReadOnly, nullptr, A::answerOI},
    {"OS", "0 1|0|0 1",                "[0-2]",            "",                            "0"},
    {"PA", "0|0|0 1",                  "[0-3]",            "",                            "1"},
    {"PC", "",                         "\\d{3}",           "0..255|5..100|0..255",        "255|100|255"},
    {"PL", "",                         "\\d{3}",           "0..255|0..100|0..255",        "050"},
    {"PR", "",                         "[0-2]",            "0..2|0..1|0..2",              "0"},
    {"RA", "0|0|0 1",                  "[0-3]",            "",                            "0"},
    {"RF", "0|0|0 1",                  "[1-9A]",           "",                            "6", ReadWrite, A::setRF},
    {"RG", "0 1|0|0 1",                "\\d{3}",           "0..255",                      "255"},
    {"RI", "0..4|0 1 3 4|0..8",        "[01]",             "",                            "0", ReadOnly},
    {"RL", "0|0|0 1",                  "\\d{2}",           "1..15",                       "08"},
    {"RM", "0..8|0 1 3..8|0..8",       "\\d{3}",           "",                            "000", ReadOnly, nullptr, A::answerRM},
    {"RO", "",                         "[0-4]\\d{6}",      "",                            "0000100", ReadWrite, A::setRO},
    {"RS", "",                         "[01]",             "",                            "0", ReadOnly},
    {"RT", "",                         "[01]",             "",                            "0"},
    {"SC", "",                         "[0-2]",            "",                            "0"},
    {"SD", "",                         "\\d{4}",           "0..5000|30..3000|20..5000",   "0200"},
    {"SF", "||-",                      "[0-8]",            "",                            "0"},
    {"SF", "-|-|",                     "0[0-8]",           "",                            "00"},
    {"SH", "0|0|0 1",                  "\\d{2}",           "0..31|0..20|0..25",           "16|13|13"},
    {"SM", "0 1|0|0 1",                "\\d{3}",           "",                            "000", ReadOnly},
    {"SQ", "0 1|0|0 1",                "\\d{3}",           "0..255|0..100|0..255",        "000"},
    {"TS", "",                         "[01]",             "",                            "0"},
    {"TX", "",                         "[0-2]",            "",                            "0", ReadWrite, nullptr, A::answerTX},
    {"UL", "",                         "[01]",             "",                            "0"},
    {"VD", "",                         "\\d{4}",           "0..5000|30..3000|20..5000",   "0200"},
    {"VF", "0|0|-",                    "[01]",             "",                            "0"},     // VRF off/on
    {"VF", "-|-|0 1",                  "[0-2]\\d{3}[01]",  "",                            "01280", ReadWrite, A::setVF}, // state, position, type
    {"VG", "",                         "\\d{3}",           "0..255|0..100|0..255",        "050"},
    {"VS", "",                         "[01]",             "",                            "0"},
    {"VX", "",                         "[01]",             "",                            "0"},
    {"XT", "",                         "[01]",             "",                            "0"},
};

// Commands without a state item of their own.  Availability per family: "" has it, "-" lacks it.
struct Action {
    const char* code;
    const char* available;
    const char* param;
    void (*run)(Sim&, const QString& param);
};

const Action Actions[] = {
    {"AB", "",      "",                 A::actAB},      // VFO A to B
    {"AM", "",      "",                 A::actAM},      // VFO A to memory
    {"BA", "-|-|",  "",                 A::actBA},      // VFO B to A
    {"BD", "",      "[01]",             A::actBD},      // band down
    {"BS", "",      "0\\d|1[01]",       A::actBS},      // band select
    {"BU", "",      "[01]",             A::actBU},      // band up
    {"CH", "",      "[01]",             A::actCH},      // memory channel up/down
    {"DN", "",      "",                 A::actDN},      // microphone down
    {"ED", "",      "[01]\\d{2}",       A::actNone},    // encoder down
    {"EK", "||-",   "",                 A::actNone},    // enter key
    {"EU", "",      "[01]\\d{2}",       A::actNone},    // encoder up
    {"FK", "||-",   "[1-7]",            A::actNone},    // function key
    {"KY", "",      "[^;]{1,51}",       A::actNone},    // keyer memory playback / CW text
    {"MA", "",      "",                 A::actMA},      // memory to VFO A
    {"MK", "",      "[0-6]",            A::actMK},      // mode key
    {"MW", "",      "(0\\d\\d|10\\d|11[0-7])\\d{8}[+-]\\d{4}[01][01][1-9A-C][01][0-2]\\d{2}[0-2]", A::actMW},
    {"PB", "",      "0\\d",             A::actNone},    // voice message playback
    {"QI", "",      "",                 A::actQI},      // quick memory store
    {"QR", "",      "",                 A::actQR},      // quick memory recall
    {"QS", "",      "",                 A::actQS},      // quick split
    {"RC", "",      "",                 A::actRC},      // clarifier clear
    {"RD", "",      "\\d{4}",           A::actRD},      // clarifier down
    {"RU", "",      "\\d{4}",           A::actRU},      // clarifier up
    {"SV", "",      "",                 A::actSV},      // swap VFOs
    {"UP", "",      "",                 A::actUP},      // microphone up
    {"VM", "",      "",                 A::actVM},      // VFO / memory
};

// Items whose initial value differs from their row's.
const struct {
    const char* key;
    const char* value;
} InitialOverrides[] = {
    {"MD1", "3"},
    {"KM1", "CQ TEST}"},
};

// Menu items that the program reads or that other CAT clients set (CAT time-out), per
// family; every other menu item of a model starts at "0".
const struct {
    Family family;
    int number;
    const char* value;
} MenuDefaults[] = {
    {F2000, 12, "0"},   {F2000, 29, "0"},   {F2000, 36, "044"}, {F2000, 85, "2"},   {F2000, 92, "-15"},
    {F2000, 97, "6"},   {F2000, 100, "4"},  {F2000, 103, "4"},  {F2000, 106, "8"},  {F2000, 124, "1111111111110"},
    {F2000, 144, "3"},
    {F950, 11, "0"},    {F950, 27, "0"},    {F950, 44, "0250"}, {F950, 64, "2"},    {F950, 69, "-15"},
    {F950, 90, "1111111111110"},
    {F5000, 14, "0"},   {F5000, 103, "0"},  {F5000, 104, "2"},  {F5000, 151, "1111111111110"}, {F5000, 171, "3"},
};
// First menu of the 18 microphone equalizer items (frequency, gain, width per band).
const int EqualizerMenu[3] = {125, 91, 152};
// clang-format on

} // namespace

RadioSimulator::RadioSimulator(TTransceiver model, QObject* parent)
    : QObject(parent)
    , model_(model)
    , pty_(std::make_unique<Pty>())
{
    initialise();
    if (!pty_->ok())
        return;
    // Keep a descriptor of the device side open: without one the master end reports a hang-up
    // whenever no program has the port open, and the notifier would fire without end.
    slaveKeeper_ = ::open(pty_->slaveName().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    notifier_ = new QSocketNotifier(pty_->masterFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { onReadable(); });
}

RadioSimulator::~RadioSimulator()
{
    delete notifier_;
    notifier_ = nullptr;
    if (slaveKeeper_ >= 0)
        ::close(slaveKeeper_);
}

bool RadioSimulator::ok() const
{
    return pty_->ok() && notifier_;
}

QString RadioSimulator::portName() const
{
    return pty_->slaveName();
}

QString RadioSimulator::identification(TTransceiver model)
{
    switch (model) {
    case FT2000:
        return QStringLiteral("0251");
    case FT2000D:
        return QStringLiteral("0252");
    case FT950:
        return QStringLiteral("0310");
    case FTDX5000:
        return QStringLiteral("0362");
    }
    return {};
}

void RadioSimulator::initialise()
{
    const Family own = familyOf(model_);
    values_.clear();
    // The model's own items first, then the other families' items as hidden state (the
    // FT-950 keeps a mode for VFO B although it has no query for it).
    for (Family f : {own, F2000, F950, F5000}) {
        for (const Item& item : Items) {
            const QString index = column(item.index, f);
            if (index == QLatin1String("-") || !*item.pattern)
                continue;
            const QString code = QString::fromLatin1(item.code);
            QStringList keys;
            if (index.isEmpty())
                keys << code;
            for (const QString& token : indexTokens(index))
                for (const QString& i : expandToken(token))
                    keys << code + i;
            for (const QString& key : keys)
                if (!values_.contains(key))
                    values_.insert(key, column(item.initial, f));
        }
    }
    for (const auto& o : InitialOverrides)
        values_[QString::fromLatin1(o.key)] = QString::fromLatin1(o.value);
    for (const auto& m : MenuDefaults)
        if (m.family == own)
            setMenu(m.number, QString::fromLatin1(m.value));
    for (int i = 0; i < 18; ++i)
        setMenu(EqualizerMenu[own] + i, i % 3 == 1 ? QStringLiteral("+00") : i % 3 == 0 ? QStringLiteral("00") : QStringLiteral("02"));
    values_[QStringLiteral("clar")] = QStringLiteral("0");
    values_[QStringLiteral("vm")] = QStringLiteral("0");
    memories_.clear();
    setMemory(1, A::record(*this, 1, QStringLiteral("07074000"), QStringLiteral("2")));
    setMemory(2, A::record(*this, 2, QStringLiteral("14025000"), QStringLiteral("3")));
}

bool RadioSimulator::resolve(const QString& command, Match& m) const
{
    const Family f = familyOf(model_);
    const QString code = command.left(2);
    for (const Item& item : Items) {
        if (code != QLatin1String(item.code))
            continue;
        const QString index = column(item.index, f);
        if (index == QLatin1String("-"))
            continue;
        const QStringList tokens = indexTokens(index);
        if (tokens.isEmpty()) {
            m = {&item, code, command.mid(2)};
            return true;
        }
        for (const QString& token : tokens) {
            const int width = tokenWidth(token);
            const QString i = command.mid(2, width);
            if (i.size() == width && tokenMatches(token, i)) {
                m = {&item, code + i, command.mid(2 + width)};
                return true;
            }
        }
    }
    return false;
}

QString RadioSimulator::answerFor(const QString& key) const
{
    Match m;
    if (!resolve(key, m) || !m.param.isEmpty())
        return QStringLiteral("?;");
    if (m.item->answer)
        return m.item->answer(*this, key);
    return key + values_.value(key) + QLatin1Char(';');
}

// With auto information on, the radio reports each item that changed as the answer to its
// query; hidden items show in the information answers.
QString RadioSimulator::report(const QMap<QString, QString>& before) const
{
    QString out;
    bool information = false;
    bool opposite = false;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        if (before.value(it.key()) == it.value() || it.key() == QLatin1String("AI"))
            continue;
        Match m;
        if (resolve(it.key(), m) && m.param.isEmpty())
            out += answerFor(it.key());
        else if (it.key() == QLatin1String("clar") || it.key() == QLatin1String("vm"))
            information = true;
        else if (fullMatch(QStringLiteral("(MD|CT|CN|OS)1"), it.key()))
            opposite = true;
    }
    if (information)
        out += answerFor(QStringLiteral("IF"));
    if (opposite)
        out += answerFor(QStringLiteral("OI"));
    return out;
}

QString RadioSimulator::handle(const QString& received)
{
    commands_ << received;
    const QString command = received.toUpper();
    const auto reject = [&] {
        rejected_ << received;
        return QStringLiteral("?;");
    };

    // Switched off, the radio hears nothing but its power switch.
    if (!power_) {
        if (command == QLatin1String("PS1"))
            power_ = true;
        return {};
    }
    if (command.startsWith(QLatin1String("PS"))) {
        if (command == QLatin1String("PS"))
            return QStringLiteral("PS1;");
        if (command == QLatin1String("PS0"))
            power_ = false;
        else if (command != QLatin1String("PS1"))
            return reject();
        return {};
    }

    const Family f = familyOf(model_);
    const QMap<QString, QString> before = values_;
    Match m;
    if (resolve(command, m)) {
        if (m.param.isEmpty()) {
            const QString answer = answerFor(m.key);
            if (answer == QLatin1String("?;"))
                rejected_ << received;
            return answer;
        }
        if (m.item->access == ReadOnly)
            return reject();
        QString param = m.param;
        const bool valid = m.item->set ? m.item->set(*this, m.key, param)
                                       : fullMatch(QString::fromLatin1(m.item->pattern), param)
                && inRange(column(m.item->range, f), param);
        if (!valid)
            return reject();
        values_[m.key] = param;
    } else {
        const Action* action = nullptr;
        for (const Action& a : Actions)
            if (command.startsWith(QLatin1String(a.code)) && column(a.available, f) != QLatin1String("-"))
                action = &a;
        if (!action || !fullMatch(QString::fromLatin1(action->param), command.mid(2)))
            return reject();
        action->run(*this, command.mid(2));
    }
    return autoInformation() ? report(before) : QString();
}

QString RadioSimulator::process(const QString& text)
{
    QString out;
    int start = 0;
    for (int end = text.indexOf(QLatin1Char(';')); end >= 0; end = text.indexOf(QLatin1Char(';'), start)) {
        // Line noise around a command (CR, LF, blanks) is not part of it.
        const QString command = text.mid(start, end - start).trimmed();
        start = end + 1;
        if (!command.isEmpty())
            out += handle(command);
    }
    return out;
}

void RadioSimulator::onReadable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(pty_->masterFd(), buf, sizeof buf);
        if (n > 0) {
            pending_.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO) {
            // No device side open (the keeper could not be opened): look again shortly.
            notifier_->setEnabled(false);
            QTimer::singleShot(20, this, [this] {
                if (notifier_)
                    notifier_->setEnabled(true);
            });
        }
        break;
    }
    const int last = pending_.lastIndexOf(';');
    if (last < 0) {
        if (pending_.size() > 4096)
            pending_.clear(); // noise without a terminator
        return;
    }
    const QString text = QString::fromLatin1(pending_.left(last + 1));
    pending_.remove(0, last + 1);
    const QString answer = process(text);
    if (!answer.isEmpty())
        push(answer.toLatin1());
}

// Like a UART whose far end does not read, the radio's output is lost when the port's
// buffer stays full; a test never hangs on it.
void RadioSimulator::push(const QByteArray& text)
{
    const int fd = pty_->masterFd();
    qsizetype done = 0;
    while (fd >= 0 && done < text.size()) {
        const ssize_t n = ::write(fd, text.constData() + done, size_t(text.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 200) <= 0)
                return;
        } else if (!(n < 0 && errno == EINTR)) {
            return;
        }
    }
}

void RadioSimulator::clearCommands()
{
    commands_.clear();
    rejected_.clear();
}

void RadioSimulator::operate(const QString& key, const QString& value)
{
    const QMap<QString, QString> before = values_;
    values_[key] = value;
    if (power_ && autoInformation())
        push(report(before).toLatin1());
}

bool RadioSimulator::knows(const QString& command) const
{
    const QString c = command.toUpper();
    Match m;
    if (c.startsWith(QLatin1String("PS")) || resolve(c, m))
        return true;
    for (const Action& a : Actions)
        if (c.startsWith(QLatin1String(a.code)))
            return column(a.available, familyOf(model_)) != QLatin1String("-");
    return false;
}

int RadioSimulator::frequency(TVFO vfo) const
{
    return values_.value(vfo == vfoB ? QStringLiteral("FB") : QStringLiteral("FA")).toInt();
}

void RadioSimulator::setFrequency(TVFO vfo, int hz)
{
    values_[vfo == vfoB ? QStringLiteral("FB") : QStringLiteral("FA")] = padded(hz, 8);
}

TMode RadioSimulator::mode(TVFO vfo) const
{
    const QString c = values_.value(vfo == vfoB ? QStringLiteral("MD1") : QStringLiteral("MD0"));
    const char* p = c.size() == 1 ? strchr(ModeChars, c[0].toLatin1()) : nullptr;
    return p ? TMode(p - ModeChars) : mdCW;
}

void RadioSimulator::setMode(TVFO vfo, TMode mode)
{
    values_[vfo == vfoB ? QStringLiteral("MD1") : QStringLiteral("MD0")] = QString(QLatin1Char(ModeChars[mode]));
}

int RadioSimulator::clarifierOffset() const
{
    return values_.value(QStringLiteral("clar")).toInt();
}

QString RadioSimulator::menu(int number) const
{
    return values_.value(QStringLiteral("EX") + padded(number, 3));
}

void RadioSimulator::setMenu(int number, const QString& parameter)
{
    values_[QStringLiteral("EX") + padded(number, 3)] = parameter;
}

void RadioSimulator::setMemory(int channel, const QString& record)
{
    if (record.isEmpty())
        memories_.remove(channel);
    else
        memories_[channel] = record;
}

void RadioSimulator::setMeter(const QString& key, int value)
{
    values_[key] = padded(qBound(0, value, 255), 3);
}

} // namespace vxtest
