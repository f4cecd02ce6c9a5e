#include "core/cat/FTCATInterface.h"

#include "core/RCUtils.h"
#include "core/cat/CTCSS.h"
#include "core/cat/Dimmer.h"
#include "core/cat/GUISettings.h"
#include "core/cat/Keyer.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/MenuSettings.h"
#include "core/cat/MicrophoneEqualizer.h"
#include "core/cat/Presets.h"
#include "core/cat/RX.h"
#include "core/cat/RadioInformation.h"
#include "core/cat/Rotator.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QDebug>

namespace {

// Ten request lines per model; each goes out as one write with ";" appended.
const char* const PollFT2000[10] = {
    "PS;AI;ID;FA;FB;AG0;AG1",
    "FR;FT;IF;MD0;MD1;PC;RG0;RG1;IS0;SH0",
    "AC;AN0;BC0;BI;BP01;BP00;BY",
    "CO01;CO00;CS;DA;DS;FS",
    "GT0;GT1;KM1;KM2;KM3;KM4;KM5",
    "KP;KR;KS;LK;MC;MG;ML1;ML0;MS;MX;NA0;NA1;NB0;NB1",
    "NL0;NL1;NR0;OI;OS0;OS1;PA0;PC;PL;PR;RA0;RF0",
    "RI0;RI1;RI2;RI3;RI4;RA0;RL0;RO;RT;SC;SD;SF",
    "SQ0;SQ1;TS;TX;VD;VF0;VG;VS;VX;XT",
    "EX012;EX036;EX092;EX097;EX100;EX103;EX106;EX124;EX144",
};

const char* const PollFT950[10] = {
    "PS;AI;ID;FA;FB;AG0",
    "FR;FT;IF;MD0;PC;RG0;IS0;SH0",
    "AC;AN0;BC0;BI;BP01;BP00;BY",
    "CO01;CO00;CS;DA;FS",
    "GT0;KM1;KM2;KM3;KM4;KM5",
    "KP;KR;KS;LK;MC;MG;ML1;ML0;MS;MX;NA0;NB0",
    "NL0;NR0;OI;OS0;PA0;PC;PL;PR;RA0;RF0",
    "RI0;RI1;RI3;RI4;RA0;RL0;RO;RT;SC;SD;SF",
    "SQ0;TS;TX;VD;VF0;VG;VS;VX;XT",
    "EX011;EX044;EX069;EX090",
};

const char* const PollFTDX5000[10] = {
    "PS;AI;ID;FA;FB;AG0;AG1",
    "FR;FT;IF;MD0;MD1;PC;RG0;RG1;IS0;IS1;SH0;SH1",
    "AC;AN0;AN1;BC0;BC1;BI;BP01;BP00;BP11;BP10;BY",
    "CA;CO01;CO00;CO11;CO10;CO02;CO12;CS;DA;DS;FS",
    "GT0;GT1;KM1;KM2;KM3;KM4;KM5",
    "KP;KR;KS;LK;MC;MG;ML1;ML0;MS;MX;NA0;NA1;NB0;NB1",
    "NL0;NL1;NR0;NR1;OI;OS0;OS1;PA0;PA1;PC;PL;PR;RA0;RA1;RF0;RF1",
    "RI0;RI1;RI2;RI3;RI4;RA0;RA1;RL0;RL1;RO;RT;SC;SD;SF",
    "SQ0;SQ1;TS;TX;VD;VF0;VF1;VG;VS;VX;XT",
    "EX014;EX151;EX171",
};

bool isUpperLetter(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// Blanks and control characters go at both ends.
QString trimmedAnswer(const QString& s)
{
    int b = 0;
    int e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

} // namespace

TFTCATInterface::TFTCATInterface(QObject* owner)
    : QObject(owner)
{
    FCTCSS = new TCTCSS(this);
    FDimmer = new TDimmer(this);
    FGUISettings = new TGUISettings(this);
    FKeyer = new TKeyer(this);
    FMemoryChannel = new TMemoryChannel(this);
    FMenuSettings = new TMenuSettings(this);
    FMicrophoneEqualizer = new TMicrophoneEqualizer(this);
    FRadioInformation = new TRadioInformation(this);
    FTuning = new TTuning(this);

    FCOMPortTimer = new vx::Timer(3000, false, this);
    FCOMPortTimer->OnTimer = [this] { DoCOMPortTimer(); };
    FRequestTimer = new vx::Timer(50, false, this);
    FRequestTimer->OnTimer = [this] { DoRequestTimer(); };
    FPowerSwitchTimer = new vx::Timer(4000, false, this);
    FPowerSwitchTimer->OnTimer = [this] { DoPowerSwitchTimer(); };
    FPowerSwitchTimer->setEnabled(true);
    FPollRequestTimer = new vx::Timer(240000, false, this);
    FPollRequestTimer->OnTimer = [this] { DoPollRequestTimer(); };

    FPresets = new TPresets(this);
    FRotator = new TRotator(this);
    FRX = new TRX(this);
    FTX = new TTX(this);
    FTX->SetMaximumPowerWatt(100);
}

TFTCATInterface::~TFTCATInterface()
{
    FCOMPort = nullptr;
    // Timers are children and go with the object; stop them first so none fires into a
    // half-destroyed engine.
    FCOMPortTimer->stop();
    FRequestTimer->stop();
    FPowerSwitchTimer->stop();
    FPollRequestTimer->stop();
    delete FTX;
    delete FRX;
    delete FRotator;
    delete FPresets;
    delete FTuning;
    delete FRadioInformation;
    delete FMicrophoneEqualizer;
    delete FMenuSettings;
    delete FMemoryChannel;
    delete FKeyer;
    delete FGUISettings;
    delete FDimmer;
    delete FCTCSS;
}

QString TFTCATInterface::PollLine(TTransceiver model, int n)
{
    if (n < 1 || n > 10)
        return {};
    const char* const* table = model == FT950 ? PollFT950 : model == FTDX5000 ? PollFTDX5000 : PollFT2000;
    return QString::fromLatin1(table[n - 1]);
}

bool TFTCATInterface::Open()
{
    bool result = true;
    if (FUsingCOMPort && FCOMPort) {
        if (FCOMPort->port().isEmpty()) {
            Fire(OnComPortState, comInvalid);
        } else if (!FCOMPort->open()) {
            result = false;
        }
    }
    Reset();
    return result;
}

void TFTCATInterface::COMPortLost()
{
    Fire(OnComPortState, comClosed);
    // A partial answer of the radio that went away is no start for the next one's.
    FRXBuffer.Clear();
    RequestCounter = 0;
    FRequestTimer->setEnabled(false);
    SetComState(csOffline);
    if (FPowerSwitch) {
        FPowerSwitch = false;
        Fire(OnPowerSwitch, false);
        Fire(OnIPCInformation, ipcPowerSwitch);
    }
    ResetDisplay();
    if (FUsingCOMPort && FCOMPort && !FCOMPort->port().isEmpty())
        FCOMPortTimer->setEnabled(true);
}

void TFTCATInterface::Close()
{
    FCOMPortTimer->setEnabled(false);
    FRequestTimer->setEnabled(false);
    FPowerSwitchTimer->setEnabled(false);
    FPollRequestTimer->setEnabled(false);
    if (FUsingCOMPort && FCOMPort)
        FCOMPort->close();
}

void TFTCATInterface::Reset()
{
    FPowerSwitch = false;
}

void TFTCATInterface::ResetDisplay()
{
    Fire(OnMeter, uint8_t(0));
    Fire(OnSMeter, uint8_t(0), uint8_t(0));
    Fire(OnSMeter, uint8_t(1), uint8_t(0));
    Fire(OnBargraph, QStringLiteral("200"));
}

void TFTCATInterface::PrepareTX()
{
    if (FComState == csConnected) {
        FCmdRcvd = false;
        FUserCommand = true;
    } else {
        FCmdRcvd = true;
        FUserCommand = false;
    }
}

void TFTCATInterface::PrepareRX()
{
    FCmdRcvd = true;
    FUserCommand = false;
}

void TFTCATInterface::SendCATCommand(const QString& TXCommand)
{
    if (TXCommand.isEmpty())
        return;
    QString text = TXCommand;
    if (!text.endsWith(QLatin1Char(';')))
        text += QLatin1Char(';');
    Fire(OnCATCommandTX, text);
}

void TFTCATInterface::DoRxChar(int Count)
{
    if (!FCOMPort || !FCOMPort->connected())
        return;
    FRXBuffer.Add(FCOMPort->readStr(Count), [this](const QString& answer) { HandleCATCommand(answer + QLatin1Char(';')); });
}

void TFTCATInterface::HandleCATCommand(const QString& Command)
{
    QString text = trimmedAnswer(Command);
    if (OnCATCommandRX) {
        const QString head = Command.left(2);
        const bool meter = head == QLatin1String("BG") || head == QLatin1String("RM") || head == QLatin1String("SM");
        if (!meter || FShowMeter)
            OnCATCommandRX(text);
    }
    while (!text.isEmpty()) {
        if (!isUpperLetter(text[0]) && !(text.size() > 1 && isUpperLetter(text[1])))
            break;
        const int end = text.indexOf(QLatin1Char(';'));
        if (end < 0)
            break;
        const QString code = text.left(2);
        const QString P = end >= 2 ? text.mid(2, end - 2) : QString();
        text.remove(0, end + 1);
        if (!FLocalAnswer)
            SetComState(csConnected);
        // An answer without parameters, or one whose parameter is no number, is skipped;
        // the answers after it still count.
        if (P.isEmpty())
            continue;
        DispatchAnswer(code, P);
    }
    PrepareTX();
}

namespace {

// The switch key of a two-letter code.
constexpr int codeKey(char a, char b)
{
    return (a << 8) | b;
}
constexpr int C(const char (&code)[3])
{
    return codeKey(code[0], code[1]);
}

// P[n], counted from 1; past the end there is no character.
QChar at(const QString& P, int n)
{
    return n >= 1 && n <= P.size() ? P[n - 1] : QChar();
}

// The n characters of P from position i (counted from 1); fewer at the end.
QString copy(const QString& P, int i, int n)
{
    return i >= 1 && i <= P.size() ? P.mid(i - 1, n) : QString();
}

// The "RI" flag with the digit n (0 to 8).
void SetRadioInformationFlag(TRadioInformation& info, int n, bool value)
{
    switch (n) {
    case 0: info.SetHiSWR(value); break;
    case 1: info.SetMicEq(value); break;
    case 2: info.SetClassA(value); break;
    case 3: info.SetRec(value); break;
    case 4: info.SetPlay(value); break;
    case 5: info.SetMainTX(value); break;
    case 6: info.SetSubTX(value); break;
    case 7: info.SetMainRX(value); break;
    case 8: info.SetSubRX(value); break;
    }
}

// A digit '0' .. last as its value; -1 for anything else.
int digit(QChar c, char last = '9')
{
    return c >= QLatin1Char('0') && c <= QLatin1Char(last) ? c.unicode() - '0' : -1;
}

} // namespace

bool TFTCATInterface::DispatchAnswer(const QString& code, const QString& P)
{
    if (code.size() != 2)
        return true;
    const uint8_t vfo = at(P, 1) == QLatin1Char('1') ? 1 : 0;
    // Stores one value through its setter in received mode.
    const auto set = [this](auto&& store) {
        PrepareRX();
        store();
        return true;
    };
    // The same for a converted number; a text that is no number skips the answer.
    const auto setNumber = [this](auto value, auto&& store) {
        if (!value)
            return false;
        PrepareRX();
        store(*value);
        return true;
    };
    const auto flag = [&P](int n) { return CATCharToBool(at(P, n)); };
    // In the cases below, "v < 0 || set(...)" leaves the state alone for a parameter
    // character outside the answer's table.

    switch (codeKey(char(code[0].unicode()), char(code[1].unicode()))) {
    case C("AC"): {
        const int v = digit(at(P, 3), '2');
        return v < 0 || set([&] { SetAntennaTuner(TAntennaTuner(v)); });
    }
    case C("AG"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FRX->SetAFGain(vfo, v); });
    case C("AI"):
        return set([&] { SetAutoInformation(flag(1)); });
    case C("AN"): {
        const int v = digit(at(P, 2), '4');
        if (v >= 1)
            set([&] { SetAntenna(vfo, TAntenna(v - 1)); });
        if (P.size() >= 3)
            set([&] { SetAntennaRX(vfo, flag(3)); });
        return true;
    }
    case C("BC"):
        return set([&] { FRX->SetAutoNotch(vfo, flag(2)); });
    case C("BG"):
        return set([&] { SetBargraph(P); });
    case C("BI"):
        return set([&] { SetBreakIn(flag(1)); });
    case C("BP"):
        if (at(P, 2) == QLatin1Char('0'))
            return set([&] { FRX->SetNotch(vfo, flag(5)); });
        return setNumber(CATTextToInt(copy(P, 3, 3)), [&](int32_t v) { FRX->SetNotchLevel(vfo, v); });
    case C("BY"):
        return set([&] { SetBusy(flag(1), flag(2)); });
    case C("CA"):
        return at(P, 1) != QLatin1Char('0') || set([&] { FTX->SetClassA(flag(4)); });
    case C("CN"):
        return setNumber(CATTextToInt(copy(P, 2, 2)), [&](int32_t v) { FCTCSS->SetToneFrequency(vfo, v); });
    case C("CO"): {
        if (at(P, 2) == QLatin1Char('0')) {
            const int v = digit(at(P, 4), '2');
            return v < 0 || set([&] { FRX->SetContour(vfo, TContour(v)); });
        }
        const auto v = CATTextToByte(copy(P, 3, 2));
        if (FTransceiver == FTDX5000 && at(P, 2) == QLatin1Char('2'))
            return setNumber(v, [&](uint8_t b) { FRX->SetAPFOffset(vfo, b); });
        return setNumber(v, [&](uint8_t b) { FRX->SetContourLevel(vfo, b); });
    }
    case C("CS"):
        return set([&] { SetCWSpot(flag(1)); });
    case C("CT"): {
        const int v = digit(at(P, 2), '2');
        return v < 0 || set([&] { FCTCSS->SetState(vfo, TCTCSSState(v)); });
    }
    case C("DA"): {
        const auto display = CATTextToInt(copy(P, 1, 2));
        const auto meter = CATTextToInt(copy(P, 3, 2));
        if (!display || !meter)
            return false;
        // Neither dimmer setter clears the received flag: one PrepareRX serves both.
        return set([&] {
            FDimmer->SetDimmerDisplay(*display);
            FDimmer->SetDimmerMeter(*meter);
        });
    }
    case C("DP"): {
        const int v = digit(at(P, 1), '6');
        return v < 0 || set([&] { SetDisplay(TDisplay(v)); });
    }
    case C("DS"):
        return set([&] { FDimmer->SetDimmerSwitch(flag(1)); });
    case C("EX"):
        return setNumber(CATTextToInt(copy(P, 1, 3)), [&](int32_t n) { FMenuSettings->SetMenuEntry(n, P.mid(3)); });
    case C("FA"):
        return setNumber(CATTextToInt(P), [&](int32_t hz) { SetFrequency(0, hz); });
    case C("FB"):
        return setNumber(CATTextToInt(P), [&](int32_t hz) { SetFrequency(1, hz); });
    case C("FR"): {
        const int v = digit(at(P, 1), '5');
        return v < 0 || set([&] { SetFunctionRX(TFunctionRX(v)); });
    }
    case C("FS"):
        return setNumber(CATTextToByte(copy(P, 1, 1)), [&](uint8_t v) { SetFastStepCode(v); });
    case C("FT"): {
        const int v = digit(at(P, 1), '1');
        return v < 0 || set([&] { SetFunctionTX(TVFO(v)); });
    }
    case C("GT"): {
        const auto v = CATTextToInt(copy(P, 2, 1));
        if (!v)
            return false;
        // The radio reports the time constant auto chose, never plain auto.
        static const TAGC agc[] = {agcOff, agcFast, agcMid, agcSlow, agcAutoFast, agcAutoMid, agcAutoSlow};
        return *v < 0 || *v > 6 || set([&] { FRX->SetAGC(vfo, agc[*v]); });
    }
    case C("ID"):
        return set([&] { SetIdentification(P); });
    case C("IF"):
        SetInformation(P);
        return true;
    case C("IS"):
        return setNumber(CATTextToInt(copy(P, 2, 5)), [&](int32_t v) { FRX->SetIFShift(vfo, v); });
    case C("KC"):
        DSPButtonAnswer(P);
        return true;
    case C("KM"):
        return setNumber(CATTextToInt(copy(P, 1, 1)), [&](int32_t n) { FKeyer->SetKeyerMemory(n, P.mid(1)); });
    case C("KP"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FKeyer->SetKeyPitch(v); });
    case C("KR"):
        return set([&] { FKeyer->SetKeyer(flag(1)); });
    case C("KS"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FKeyer->SetKeySpeed(v); });
    case C("LK"):
        return setNumber(CATTextToByte(copy(P, 1, 1)), [&](uint8_t v) { SetLockCode(v); });
    case C("MC"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FMemoryChannel->SetChannelNo(v); });
    case C("MD"): {
        const TMode mode = CATCharToMode(at(P, 2));
        return set([&] { SetMode(vfo, mode); });
    }
    case C("MG"):
        return setNumber(CATTextToByte(P), [&](uint8_t v) { FTX->SetMicGain(v); });
    case C("ML"):
        if (at(P, 1) == QLatin1Char('0'))
            return set([&] { FTX->SetMonitor(flag(4)); });
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FTX->SetMonitorLevel(v); });
    case C("MR"):
        return set([&] { FMemoryChannel->Read(P); });
    case C("MS"): {
        const auto v = CATTextToInt(P);
        if (!v)
            return false;
        return *v < mtCOMP || *v > mtVDD || set([&] { SetMeterSwitch(TMeterSwitch(*v)); });
    }
    case C("MX"):
        return set([&] { SetMOX(flag(1)); });
    case C("NA"):
        return set([&] { FRX->SetNarrow(vfo, flag(2)); });
    case C("NB"): {
        const int v = digit(at(P, 2), '2');
        return v < 0 || set([&] { FRX->SetNoiseBlanker(vfo, TNoiseBlanker(v)); });
    }
    case C("NL"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FRX->SetNoiseBlankerLevel(vfo, v); });
    case C("NR"):
        return set([&] { FRX->SetNoiseReduction(vfo, flag(2)); });
    case C("OI"):
        SetInformationOpposite(P);
        return true;
    case C("OS"): {
        const int v = digit(at(P, 2), '2');
        return v < 0 || set([&] { SetRepeaterShift(vfo, TRepeaterShift(v)); });
    }
    case C("PA"): {
        const int v = digit(at(P, 2), '3');
        return v < 0 || set([&] { FRX->SetIPO(vfo, TIPO(v)); });
    }
    case C("PC"):
        return setNumber(CATTextToByte(P), [&](uint8_t v) { FTX->SetPowerControl(v); });
    case C("PL"):
        return setNumber(CATTextToByte(P), [&](uint8_t v) { FTX->SetProcessorLevel(v); });
    case C("PR"): {
        const int v = digit(at(P, 1), '2');
        return v < 0 || set([&] { FTX->SetProcessor(TProcessor(v)); });
    }
    case C("PS"):
        return set([&] { SetPowerSwitch(flag(1)); });
    case C("RA"): {
        const auto v = CATTextToInt(copy(P, 2, 1));
        if (!v)
            return false;
        return *v < attOff || *v > att18dB || set([&] { FRX->SetAttenuator(vfo, TAttenuator(*v)); });
    }
    case C("RF"): {
        // '1' to '9' and 'A' name the second to eleventh filter; '0' names none.
        const QChar c = at(P, 2);
        const int v = c == QLatin1Char('A') ? 10 : digit(c);
        return v < 1 || set([&] { FRX->SetRoofingFilter(vfo, TRoofingFilter(v)); });
    }
    case C("RG"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FRX->SetRFGain(vfo, v); });
    case C("RI"): {
        const int n = digit(at(P, 1), '8');
        return n < 0 || set([&] { SetRadioInformationFlag(*FRadioInformation, n, flag(2)); });
    }
    case C("RL"):
        return setNumber(CATTextToByte(copy(P, 2, 2)), [&](uint8_t v) { FRX->SetNoiseReductionLevel(vfo, v); });
    case C("RM"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { MeterAnswer(at(P, 1), v); });
    case C("RO"): {
        const auto direction = CATTextToInt(copy(P, 2, 3));
        const auto speed = CATTextToInt(copy(P, 5, 3));
        if (!direction || !speed)
            return false;
        static const TRotatorState states[] = {rcOff, rcCounterClockwise, rcClockwise, rcSpeedDown, rcSpeedUp};
        const int state = digit(at(P, 1), '4');
        set([&] { FRotator->SetDirection(*direction); });
        set([&] { FRotator->SetSpeed(*speed); });
        return state < 0 || set([&] { FRotator->SetRotatorState(states[state]); });
    }
    case C("RS"): {
        const int v = digit(at(P, 1), '1');
        return v < 0 || set([&] { SetRadioStatus(TRadioStatus(v)); });
    }
    case C("RT"):
        return set([&] { SetClarifierRX(flag(1)); });
    case C("SC"): {
        const int v = digit(at(P, 1), '2');
        return v < 0 || set([&] { SetScan(TScan(v)); });
    }
    case C("SD"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FTX->SetCWBreakInDelay(v); });
    case C("SF"):
        SubDialAnswer(P);
        return true;
    case C("SH"):
        return setNumber(CATTextToByte(copy(P, 2, 2)), [&](uint8_t v) { FRX->SetFilterWidth(vfo, v); });
    case C("SM"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FRX->SetSMeter(vfo, v); });
    case C("SQ"):
        return setNumber(CATTextToByte(copy(P, 2, 3)), [&](uint8_t v) { FRX->SetSquelch(vfo, v); });
    case C("TS"):
        return set([&] { SetTXWatch(flag(1)); });
    case C("TX"):
        return setNumber(CATTextToByte(P), [&](uint8_t v) { SetTXSet(v); });
    case C("UL"):
        return set([&] { SetPLLUnlockStatus(flag(1)); });
    case C("VD"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FTX->SetVoxDelay(v); });
    case C("VF"): {
        // Only the FT DX 5000's form: side, state, position (3 digits), type.
        if (P.size() != 6)
            return true;
        const auto position = CATTextToInt(copy(P, 3, 3));
        if (!position)
            return false;
        TVRF* vrf = FRX->VRF();
        const uint8_t side = at(P, 1) == QLatin1Char('0') ? 0 : 1;
        const int state = digit(at(P, 2), '2');
        const int type = digit(at(P, 6), '1');
        if (state >= 0)
            set([&] { vrf->SetState(side, TVRFState(state)); });
        set([&] { vrf->SetPosition(side, *position); });
        // The type setter reports state, position and type together.
        if (type >= 0)
            set([&] { vrf->SetVRFType(side, TVRFType(type)); });
        return true;
    }
    case C("VG"):
        return setNumber(CATTextToInt(P), [&](int32_t v) { FTX->SetVoxGain(v); });
    case C("VS"):
        return set([&] { SetVFOSelect(vfo == 1 ? vfoB : vfoA); });
    case C("VX"):
        return set([&] { FTX->SetVox(flag(1)); });
    case C("XT"):
        return set([&] { SetClarifierTX(flag(1)); });
    default:
        return true;
    }
}

// The meter answer: which meter the value belongs to depends on the model and, on the
// FT-2000 family and the FT DX 5000, on whether the radio transmits.
void TFTCATInterface::MeterAnswer(QChar which, uint8_t value)
{
    bool sMeterA = false;
    bool sMeterB = false;
    if (FTransceiver == FT950) {
        sMeterA = which == QLatin1Char('0') || which == QLatin1Char('1');
    } else {
        sMeterA = (which == QLatin1Char('0') && FTXSet == 0) || which == QLatin1Char('1');
        sMeterB = which == QLatin1Char('2');
    }
    if (sMeterA)
        FRX->SetSMeter(0, value);
    else if (sMeterB)
        FRX->SetSMeter(1, value);
    else
        SetMeter(value);
}

// The sub dial answer, per model: the FT DX 5000 gives the function in its second character.
void TFTCATInterface::SubDialAnswer(const QString& P)
{
    int value = -1;
    switch (FTransceiver) {
    case FT2000:
    case FT2000D:
        value = digit(at(P, 1), '8');
        break;
    case FT950:
        switch (digit(at(P, 1))) {
        case 0: value = sdfBandVFOA; break;
        case 1: value = sdfMHzVFOA; break;
        case 2: value = sdfGRP; break;
        case 3: value = sdfMCH; break;
        case 8: value = sdfOff; break;
        default: break;
        }
        break;
    case FTDX5000:
        switch (digit(at(P, 2))) {
        case 0: value = sdfBand; break;
        case 2: value = sdfGRP; break;
        case 3: value = sdfMCH; break;
        case 7: value = sdfDIAL; break;
        case 8: value = sdfCLAR; break;
        default: break;
        }
        break;
    }
    if (value < 0)
        return;
    PrepareRX();
    SetSubDialFunction(TSubDialFunction(value));
}

// The DSP button answer reports a press on the radio's panel; no state is kept.
void TFTCATInterface::DSPButtonAnswer(const QString& P)
{
    if (FTransceiver == FT950) {
        const int button = digit(at(P, 2), '5');
        if (button >= 1)
            Fire(OnDSPButton, uint8_t(0), TDSPButton(button), true, btnNone);
    } else if (FTransceiver == FTDX5000) {
        // A button or display beyond the known ones is not reported.
        const auto button = CATTextToByte(copy(P, 3, 1));
        const auto display = CATTextToByte(copy(P, 5, 1));
        if (!button || !display || *button > btnDNF || *display > btnDNF)
            return;
        Fire(OnDSPButton, uint8_t(CATCharToBool(at(P, 2)) ? 1 : 0), TDSPButton(*button), CATCharToBool(at(P, 4)),
             TDSPButton(*display));
    }
}

// The VFO/memory mode digit of the information answers; other characters change nothing.
void TFTCATInterface::SetVFOMemoryModeDigit(QChar c)
{
    const int v = digit(c, '4');
    if (v < 0)
        return;
    PrepareRX();
    SetVFOMemoryMode(TVFOMemoryMode(v));
}

// Layout of both information answers: memory channel (3), frequency (8), clarifier offset
// (5, signed), clarifier RX, clarifier TX, mode, VFO/memory mode; the rest is not read.
void TFTCATInterface::SetInformation(const QString& value)
{
    if (value == FInformation)
        return;
    // The numeric fields are checked before anything is taken over, so a garbled answer is
    // skipped whole.
    const auto channel = DecimalTextToInt(copy(value, 1, 3));
    const auto hz = DecimalTextToInt(copy(value, 4, 8));
    const auto offset = DecimalTextToInt(copy(value, 12, 5));
    if (!channel || !hz || !offset)
        return;
    FInformation = value;
    PrepareRX();
    FMemoryChannel->RequestMemoryChannel(*channel);
    PrepareRX();
    SetFrequency(0, *hz);
    PrepareRX();
    SetClarifierOffset(*offset);
    PrepareRX();
    SetClarifierRX(CATCharToBool(at(value, 17)));
    PrepareRX();
    SetClarifierTX(CATCharToBool(at(value, 18)));
    PrepareRX();
    SetMode(0, CATCharToMode(at(value, 19)));
    SetVFOMemoryModeDigit(at(value, 20));
    FCmdRcvd = false;
}

void TFTCATInterface::SetInformationOpposite(const QString& value)
{
    if (value == FInformationOpposite)
        return;
    // Only the frequency is read of the numeric fields.
    const auto hz = DecimalTextToInt(copy(value, 4, 8));
    if (!hz)
        return;
    FInformationOpposite = value;
    PrepareRX();
    SetFrequency(1, *hz);
    PrepareRX();
    SetMode(1, CATCharToMode(at(value, 19)));
    SetVFOMemoryModeDigit(at(value, 20));
    FCmdRcvd = false;
}

void TFTCATInterface::ParameterRequest()
{
    RequestCounter = 0;
    FRequestTimer->setEnabled(true);
    FPollRequestTimer->setEnabled(false);
}

void TFTCATInterface::PowerSwitchRequest()
{
    PrepareTX();
    SendCATCommand(QStringLiteral("PS"));
}

void TFTCATInterface::SetCOMPort(vx::SerialPort* port)
{
    if (FCOMPort == port)
        return;
    FCOMPort = port;
}

void TFTCATInterface::SetUsingCOMPort(bool value)
{
    if (value == FUsingCOMPort)
        return;
    if (value && !FCOMPort) {
        FUsingCOMPort = false;
        return;
    }
    FUsingCOMPort = value;
    if (!value && FCOMPort && FCOMPort->connected())
        FCOMPort->close();
}

void TFTCATInterface::SetComState(TComState value)
{
    if (value == FComState)
        return;
    FComState = value;
    Fire(OnComState, value);
    switch (value) {
    case csOffline:
        FPowerSwitchTimer->setEnabled(true);
        SetCAT(false);
        break;
    case csConnected:
        PowerSwitchRequest();
        FPowerSwitchTimer->setEnabled(true);
        SetCAT(true);
        break;
    case csInitializing:
        break;
    }
}

void TFTCATInterface::SetCAT(bool value)
{
    if (value == FCAT)
        return;
    FCAT = value;
    Fire(OnCAT, value);
}

void TFTCATInterface::SetPowerSwitch(bool value)
{
    if (value == FPowerSwitch)
        return;
    if (FComState != csConnected)
        FCmdRcvd = false;
    if (FCmdRcvd) {
        FPowerSwitch = value;
        Fire(OnPowerSwitch, value);
        Fire(OnIPCInformation, ipcPowerSwitch);
        FCmdRcvd = false;
        if (value) {
            ParameterRequest();
        } else {
            RequestCounter = 0;
            FRequestTimer->setEnabled(false);
        }
    } else if (value) {
        SendCATCommand(QStringLiteral("PS1"));
    } else {
        SendCATCommand(QStringLiteral("PS0"));
        SetComState(csOffline);
    }
}

void TFTCATInterface::SetIdentification(const QString& value)
{
    if (value == FIdentification)
        return;
    if (!FCmdRcvd) {
        SendCATCommand(QStringLiteral("ID"));
        return;
    }
    FIdentification = value;
    Fire(OnIdentification, value);
    if (!FTransceiverAutoDetect)
        return;
    if (value == QLatin1String("0251"))
        SetTransceiver(FT2000);
    else if (value == QLatin1String("0252"))
        SetTransceiver(FT2000D);
    else if (value == QLatin1String("0310"))
        SetTransceiver(FT950);
    else if (value == QLatin1String("0362"))
        SetTransceiver(FTDX5000);
}

void TFTCATInterface::SetTransceiver(TTransceiver value)
{
    FTransceiver = value;
    FTX->SetMaximumPowerWatt(value == FT2000D || value == FTDX5000 ? 200 : 100);
    Fire(OnTransceiver, value);
}

QString TFTCATInterface::TransceiverAsString() const
{
    static const char* const names[] = {"FT2000", "FT2000D", "FT950", "FTDX5000"};
    return QString::fromLatin1(names[FTransceiver]);
}

void TFTCATInterface::SetTransceiverAsString(const QString& value)
{
    if (value == QLatin1String("FT2000D"))
        SetTransceiver(FT2000D);
    else if (value == QLatin1String("FT950"))
        SetTransceiver(FT950);
    else if (value == QLatin1String("FTDX5000"))
        SetTransceiver(FTDX5000);
    else
        SetTransceiver(FT2000);
}

QString TFTCATInterface::TransceiverCaption() const
{
    static const char* const captions[] = {"FT-2000", "FT-2000D", "FT-950", "FT DX 5000"};
    return QString::fromLatin1(captions[FTransceiver]);
}

void TFTCATInterface::SetTransceiverAutoDetect(bool value)
{
    if (value == FTransceiverAutoDetect)
        return;
    FTransceiverAutoDetect = value;
    if (!value)
        return;
    FIdentification.clear();
    // The face should follow the radio now, not at the next poll.
    SendCATCommand(QStringLiteral("ID"));
}

void TFTCATInterface::SetAutoInformation(bool value)
{
    if (!FUserCommand) {
        FAutoInformation = value;
        Fire(OnAutoInformation, value);
        if (value)
            return;
    }
    // A radio reporting auto information off is switched back on at once.
    SendCATCommand(QStringLiteral("AI1"));
}

void TFTCATInterface::SetTransverterOffset(int32_t value)
{
    if (value == FTransverterOffset)
        return;
    FTransverterOffset = value;
    Fire(OnTransverterOffset, value);
}

void TFTCATInterface::SetMyBands(const QString& value)
{
    if (value == FMyBands)
        return;
    FMyBands = value;
    // The 13th character tells whether the transverter band is in use.
    FTransverterEnabled = value.size() >= 13 && value[12] == QLatin1Char('1');
}

void TFTCATInterface::DoCOMPortTimer()
{
    if (!FUsingCOMPort || !FCOMPort)
        return;
    if (FCOMPort->connected() || FCOMPort->port().isEmpty()) {
        FCOMPortTimer->setEnabled(false);
        return;
    }
    if (!FCOMPort->open()) {
        Fire(OnComPortState, comWaiting);
        return;
    }
    FCOMPortTimer->setEnabled(false);
    // Start over as after an open, and ask at once: the radio's "on" answer starts the poll,
    // where the 4-second request could leave the radio unpolled for that long.
    Reset();
    PowerSwitchRequest();
}

void TFTCATInterface::DoPollRequestTimer()
{
    ParameterRequest();
}

void TFTCATInterface::DoPowerSwitchTimer()
{
    PowerSwitchRequest();
}

void TFTCATInterface::DoRequestTimer()
{
    ++RequestCounter;
    if (RequestCounter >= 1 && RequestCounter <= 10)
        SendCATCommand(PollLine(FTransceiver, RequestCounter));
    if (RequestCounter >= 10) {
        RequestCounter = 0;
        FRequestTimer->setEnabled(false);
        FPollRequestTimer->setEnabled(true);
    }
}

// ---------------------------------------------------------------------------------------
// Radio state setters.  Pattern A tests FUserCommand (send, or store and raise); pattern B
// tests FCmdRcvd (store, raise and clear it, or send).

namespace {

// Decodes the radio's fast-step and lock codes into the A and B flags.
void decodeABCode(uint8_t code, bool& a, bool& b)
{
    switch (code) {
    case 0: a = false; break;
    case 1: a = true; break;
    case 2: b = false; break;
    case 3: b = true; break;
    case 4: a = false; b = false; break;
    case 5: a = true; b = false; break;
    case 6: a = false; b = true; break;
    case 7: a = true; b = true; break;
    default: break;
    }
}

// The B-side code the radio takes for a B flag.  The FT DX 5000 takes the combined codes;
// the other models take the one-sided codes that the answer decoding reads (2 off, 3 on).
QString bSideCommand(const char* code, TTransceiver model, bool value)
{
    if (model == FTDX5000)
        return QLatin1String(code) + (value ? QLatin1Char('6') : QLatin1Char('4'));
    return QLatin1String(code) + (value ? QLatin1Char('3') : QLatin1Char('2'));
}

TModeType modeTypeOf(TMode m)
{
    switch (m) {
    case mdLSB: case mdUSB: case mdFM: case mdAM: case mdFM_N: return mtPhone;
    case mdCW: case mdCW_R: return mtCW;
    default: return mtDigital;
    }
}

TModeKey modeKeyOf(TMode m)
{
    switch (m) {
    case mdLSB: return mkLSB;
    case mdUSB: return mkUSB;
    case mdCW: case mdCW_R: return mkCW;
    case mdFM: case mdFM_N: return mkFM;
    case mdAM: return mkAM;
    case mdFSK: case mdFSK_R: return mkRTTY;
    default: return mkPKT;
    }
}

} // namespace

void TFTCATInterface::SetAntenna(uint8_t vfo, TAntenna value)
{
    vfo &= 1;
    if (value == FAntenna[vfo])
        return;
    if (FUserCommand) {
        SendCATCommand(QStringLiteral("AN%1%2").arg(vfo).arg(int(value) + 1));
        return;
    }
    FAntenna[vfo] = value;
    Fire(OnAntenna, vfo, value);
}

void TFTCATInterface::SetAntennaRX(uint8_t vfo, bool value)
{
    vfo &= 1;
    if (value == FAntennaRX[vfo])
        return;
    if (FCmdRcvd) {
        FAntennaRX[vfo] = value;
        Fire(OnAntennaRX, vfo, value);
        FCmdRcvd = false;
    } else {
        // The radio toggles its RX antenna; the value is not part of the command.
        SendCATCommand(QStringLiteral("AN") + QString::number(vfo) + QLatin1Char('5'));
    }
}

void TFTCATInterface::SetAntennaTuner(TAntennaTuner value)
{
    if (value == FAntennaTuner)
        return;
    if (FCmdRcvd) {
        FAntennaTuner = value;
        Fire(OnAntennaTuner, value);
        FCmdRcvd = false;
        return;
    }
    static const char* const commands[] = {"AC000", "AC001", "AC002"};
    SendCATCommand(QLatin1String(commands[value]));
    if (value == atStart) {
        // A tuning run leaves the tuner switched on.
        FAntennaTuner = atOn;
        Fire(OnAntennaTuner, atOn);
    }
}

void TFTCATInterface::SetBand(uint8_t vfo, TBand value)
{
    vfo &= 1;
    if (value == FBand[vfo])
        return;
    FBand[vfo] = value;
    Fire(OnBand, vfo, value);
}

void TFTCATInterface::SetBargraph(const QString& value)
{
    if (value == FBargraph)
        return;
    FBargraph = value;
    Fire(OnBargraph, value);
}

void TFTCATInterface::SetBreakIn(bool value)
{
    if (value == FBreakIn)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("BI", value));
        return;
    }
    FBreakIn = value;
    Fire(OnBreakIn, value);
}

void TFTCATInterface::SetCWSpot(bool value)
{
    if (value == FCWSpot)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("CS", value));
        return;
    }
    FCWSpot = value;
    Fire(OnCWSpot, value);
}

void TFTCATInterface::SetClarifierOffset(int32_t value)
{
    // Only the radio's answers set the offset; users go through SetClarifier().
    if (!FCmdRcvd || value == FClarifierOffset)
        return;
    FClarifierOffset = value;
    FCmdRcvd = false;
    Fire(OnClarifierOffset, value);
}

void TFTCATInterface::SetClarifierRange(int32_t value)
{
    if (value == FClarifierRange)
        return;
    FClarifierRange = ClampInt(value, 50, 9999);
    ClarifierClear();
    Fire(OnClarifierRange, FClarifierRange);
}

void TFTCATInterface::SetClarifierRX(bool value)
{
    if (value == FClarifierRX)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("RT", value));
        return;
    }
    FClarifierRX = value;
    Fire(OnClarifierRX, value);
}

void TFTCATInterface::SetClarifierTX(bool value)
{
    if (value == FClarifierTX)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("XT", value));
        return;
    }
    FClarifierTX = value;
    Fire(OnClarifierTX, value);
}

void TFTCATInterface::SetDigitalMeter(bool value)
{
    if (value == FDigitalMeter)
        return;
    // The FT-950 has no analog meter.
    FDigitalMeter = value || FTransceiver == FT950;
    Fire(OnDigitalMeter, FDigitalMeter);
    Fire(OnDigitalMeterChange, FDigitalMeter);
}

void TFTCATInterface::SetDisplay(TDisplay value)
{
    if (value == FDisplay)
        return;
    if (FCmdRcvd) {
        FDisplay = value;
        Fire(OnDisplay, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(QStringLiteral("DP%1").arg(int(value)));
    }
}

void TFTCATInterface::SetFastStepA(bool value)
{
    if (value == FFastStepA)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("FS", value));
        return;
    }
    FFastStepA = value;
    Fire(OnFastStepA, value);
}

void TFTCATInterface::SetFastStepB(bool value)
{
    if (value == FFastStepB)
        return;
    if (FCmdRcvd) {
        FFastStepB = value;
        Fire(OnFastStepB, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(bSideCommand("FS", FTransceiver, value));
    }
}

void TFTCATInterface::SetFrequency(uint8_t vfo, int32_t hz)
{
    vfo &= 1;
    // The unclamped value is compared, so an out-of-range request still goes out clamped.
    if (hz == FFrequency[vfo])
        return;
    const int32_t value = ClampInt(hz, 30000, 60000000);
    if (FUserCommand) {
        SendCATCommand((vfo == 0 ? QStringLiteral("FA") : QStringLiteral("FB")) + IntToZeroPadded(8, value));
        return;
    }
    FFrequency[vfo] = value;
    Fire(OnFrequency, vfo, value);
    // While the operator tunes, the local tuning frequency runs ahead of the radio.
    if (!FTuning->IsTuning(vfo))
        FTuning->SetFrequency(vfo, value);
    SetBand(vfo, FrequencyToBand(value));
    Fire(OnIPCInformation, vfo == 0 ? ipcFrequencyA : ipcFrequencyB);
}

void TFTCATInterface::SetFunctionRX(TFunctionRX value)
{
    if (FCmdRcvd && OnSubReceiver && FTransceiver != FT950)
        OnSubReceiver(value == frxARX_BRX || value == frxAMute_BRX);
    if (value == FFunctionRX)
        return;
    if (FCmdRcvd) {
        FFunctionRX = value;
        FRXAOn = value == frxARX_BOFF || value == frxARX_BRX;
        FRXBOn = value == frxARX_BRX || value == frxAMute_BRX || value == frxAOff_BRX || value == frxAOff_BMute;
        Fire(OnFunctionRX, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(QStringLiteral("FR%1").arg(int(value)));
    }
}

void TFTCATInterface::SetFunctionTX(TVFO value)
{
    if (value == FFunctionTX)
        return;
    if (FCmdRcvd) {
        FFunctionTX = value;
        FSplit = value == vfoB;
        Fire(OnFunctionTX, value);
        Fire(OnIPCInformation, ipcSplit);
        FCmdRcvd = false;
    } else {
        SendCATCommand(value == vfoA ? QStringLiteral("FT2") : QStringLiteral("FT3"));
    }
}

void TFTCATInterface::SetLockA(bool value)
{
    if (value == FLockA)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("LK", value));
        return;
    }
    FLockA = value;
    FCmdRcvd = false;
    Fire(OnLockA, value);
}

void TFTCATInterface::SetLockB(bool value)
{
    if (value == FLockB)
        return;
    if (FCmdRcvd) {
        FLockB = value;
        Fire(OnLockB, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(bSideCommand("LK", FTransceiver, value));
    }
}

void TFTCATInterface::SetMeter(uint8_t value)
{
    if (!FCmdRcvd)
        return;
    FMeter = value;
    FCmdRcvd = false;
    if (FShowMeter)
        Fire(OnMeter, value);
}

void TFTCATInterface::SetMeterSwitch(TMeterSwitch value)
{
    if (value == FMeterSwitch)
        return;
    if (FCmdRcvd) {
        FMeterSwitch = value;
        Fire(OnMeterSwitch, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(QStringLiteral("MS%1").arg(int(value)));
    }
}

void TFTCATInterface::SetMode(uint8_t vfo, TMode value)
{
    vfo &= 1;
    if (value == FMode[vfo])
        return;
    if (!FCmdRcvd) {
        SendCATCommand(QStringLiteral("MD%1").arg(vfo) + ModeToCATChar(value));
        return;
    }
    FMode[vfo] = value;
    if (vfo == 0) {
        const TModeType type = modeTypeOf(value);
        if (type != FModeType) {
            FModeType = type;
            Fire(OnModeChange, type);
        }
        FModeKey = modeKeyOf(value);
        Fire(OnModeA, value);
    } else {
        Fire(OnModeB, value);
    }
    FRX->UpdateFilterWidth(vfo);
    Fire(OnIPCInformation, vfo == 0 ? ipcModeA : ipcModeB);
    FCmdRcvd = false;
    // The filter width and narrow state depend on the mode: ask for them again.
    if (vfo == 0) {
        SendCATCommand(QStringLiteral("SH0"));
        SendCATCommand(QStringLiteral("NA0"));
    } else if (FTransceiver == FTDX5000) {
        SendCATCommand(QStringLiteral("SH1"));
        SendCATCommand(QStringLiteral("NA1"));
    }
}

void TFTCATInterface::SetModeKey(TModeKey value)
{
    FModeKey = value;
    SendCATCommand(QStringLiteral("MK%1").arg(int(value)));
}

void TFTCATInterface::SetMOX(bool value)
{
    if (value == FMOX)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("MX", value));
        return;
    }
    FMOX = value;
    Fire(OnMOX, value);
    Fire(OnMOXChange, value);
}

void TFTCATInterface::SetPLLUnlockStatus(bool value)
{
    if (value == FPLLUnlockStatus)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("UL", value));
        return;
    }
    FPLLUnlockStatus = value;
    Fire(OnPLLUnlockStatus, value);
}

void TFTCATInterface::SetRadioStatus(TRadioStatus value)
{
    if (value == FRadioStatus)
        return;
    if (!FCmdRcvd) {
        SendCATCommand(QStringLiteral("RS"));
        return;
    }
    FRadioStatus = value;
    Fire(OnRadioStatus, value);
    FCmdRcvd = false;
    // Menu settings may have changed while the radio was in menu mode.
    if (value == rsNormalMode)
        ParameterRequest();
}

void TFTCATInterface::SetRepeaterShift(uint8_t vfo, TRepeaterShift value)
{
    vfo &= 1;
    if (value == FRepeaterShift[vfo])
        return;
    if (FCmdRcvd) {
        FRepeaterShift[vfo] = value;
        Fire(vfo == 0 ? OnRepeaterShiftA : OnRepeaterShiftB, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(QStringLiteral("OS%1%2").arg(vfo).arg(int(value)));
    }
}

void TFTCATInterface::SetShowMeter(bool value)
{
    if (value == FShowMeter)
        return;
    if (!value) {
        // Drop the meters to 0 as if the radio had reported it, while the events still go out.
        // This is not a radio answer, so it leaves the link state alone.
        FLocalAnswer = true;
        HandleCATCommand(QStringLiteral("RM0000;SM0000;SM1000;"));
        FLocalAnswer = false;
    }
    FShowMeter = value;
    Fire(OnShowMeter, value);
    Fire(OnShowMeterMeter, value);
}

void TFTCATInterface::SetSubDialFunction(TSubDialFunction value)
{
    // A/B is a momentary function: it is sent (or reported) every time.
    if (value == FSubDialFunction && value != sdfAB)
        return;
    if (FCmdRcvd) {
        FSubDialFunction = value;
        Fire(OnSubDialFunction, value);
        FCmdRcvd = false;
        return;
    }
    switch (FTransceiver) {
    case FT2000:
    case FT2000D:
        if (value <= sdfAB)
            SendCATCommand(QStringLiteral("SF%1").arg(int(value)));
        break;
    case FT950:
        if (value <= sdfMCH)
            SendCATCommand(QStringLiteral("SF%1").arg(int(value)));
        break;
    case FTDX5000:
        switch (value) {
        case sdfBand: SendCATCommand(QStringLiteral("SF00")); break;
        case sdfGRP: SendCATCommand(QStringLiteral("SF02")); break;
        case sdfMCH: SendCATCommand(QStringLiteral("SF03")); break;
        case sdfDIAL: SendCATCommand(QStringLiteral("SF07")); break;
        case sdfCLAR: SendCATCommand(QStringLiteral("SF08")); break;
        default: break;
        }
        break;
    }
}

void TFTCATInterface::SetTransverterIsOn(bool value)
{
    if (value == FTransverterIsOn)
        return;
    FTransverterIsOn = value;
    Fire(OnTransverterIsOn, value);
}

void TFTCATInterface::SetTXSet(int32_t value)
{
    if (value == FTXSet)
        return;
    const uint8_t v = uint8_t(ClampInt(value, 0, 3));
    if (FUserCommand) {
        SendCATCommand(QStringLiteral("TX%1").arg(int(v)));
        return;
    }
    FTXSet = v;
    FTransmitting = v == 2;
    Fire(OnTransmitting, FTransmitting);
    Fire(OnTXSet, v);
    Fire(OnIPCInformation, ipcTX);
}

void TFTCATInterface::SetTXWatch(bool value)
{
    if (value == FTXWatch)
        return;
    if (FUserCommand) {
        SendCATCommand(CATFlagCommand("TS", value));
        return;
    }
    FTXWatch = value;
    Fire(OnTXWatch, value);
}

void TFTCATInterface::SetVFOMemoryMode(TVFOMemoryMode value)
{
    if (!FCmdRcvd || value == FVFOMemoryMode)
        return;
    FVFOMemoryMode = value;
    FCmdRcvd = false;
    Fire(OnVFOMemoryMode, value);
}

void TFTCATInterface::SetVFOSelect(TVFO value)
{
    if (value == FVFOSelect)
        return;
    if (FCmdRcvd) {
        FVFOSelect = value;
        Fire(OnVFOSelect, value);
        FCmdRcvd = false;
    } else {
        SendCATCommand(value == vfoA ? QStringLiteral("VS0") : QStringLiteral("VS1"));
    }
}

// ---------------------------------------------------------------------------------------
// Received-only state.

void TFTCATInterface::SetBusy(bool busyA, bool busyB)
{
    if (busyA == FBusyA && busyB == FBusyB)
        return;
    FBusyA = busyA;
    FBusyB = busyB;
    Fire(OnBusy, busyA, busyB);
}

void TFTCATInterface::SetFastStepCode(uint8_t code)
{
    bool a = FFastStepA;
    bool b = FFastStepB;
    decodeABCode(code, a, b);
    // The flags may have been set without the radio (offline): a report of the same code
    // still counts when it disagrees with them.
    if (code == FFastStepCode && a == FFastStepA && b == FFastStepB)
        return;
    FFastStepCode = code;
    FFastStepA = a;
    FFastStepB = b;
    Fire(OnFastStepA, a);
    Fire(OnFastStepB, b);
    FCmdRcvd = false;
}

void TFTCATInterface::SetLockCode(uint8_t code)
{
    bool a = FLockA;
    bool b = FLockB;
    decodeABCode(code, a, b);
    if (code == FLockCode && a == FLockA && b == FLockB)
        return;
    FLockCode = code;
    FLockA = a;
    FLockB = b;
    Fire(OnLockA, a);
    Fire(OnLockB, b);
    FCmdRcvd = false;
}

void TFTCATInterface::SetScan(TScan value)
{
    if (value == FScan)
        return;
    FScan = value;
    Fire(OnScan, value);
}

// ---------------------------------------------------------------------------------------
// Command operations.

void TFTCATInterface::AntennaDown()
{
    PrepareTX();
    const uint8_t vfo = FVFOSelect;
    SetAntenna(vfo, TAntenna((FAntenna[vfo] + 1) % 4));
}

void TFTCATInterface::AntennaUp()
{
    PrepareTX();
    const uint8_t vfo = FVFOSelect;
    SetAntenna(vfo, TAntenna((FAntenna[vfo] + 3) % 4));
}

void TFTCATInterface::BandDown(uint8_t vfo)
{
    SendCATCommand(vfo == 0 ? QStringLiteral("BD0") : QStringLiteral("BD1"));
}

void TFTCATInterface::BandUp(uint8_t vfo)
{
    SendCATCommand(vfo == 0 ? QStringLiteral("BU0") : QStringLiteral("BU1"));
}

void TFTCATInterface::BandSelect(TBand band)
{
    static const char* const codes[BandCount] = {"BS11", "BS00", "BS01", "BS02", "BS03", "BS04", "BS05", "BS06",
                                                 "BS07", "BS08", "BS09", "BS10", nullptr, nullptr, nullptr};
    if (band < BandCount && codes[band])
        SendCATCommand(QLatin1String(codes[band]));
    Fire(OnBandSelect);
}

void TFTCATInterface::ClarifierClear()
{
    SendCATCommand(QStringLiteral("RC"));
}

void TFTCATInterface::Down()
{
    SendCATCommand(QStringLiteral("DN"));
}

void TFTCATInterface::Up()
{
    SendCATCommand(QStringLiteral("UP"));
}

void TFTCATInterface::FrequencyAToB()
{
    SetFrequency(1, FFrequency[0]);
}

void TFTCATInterface::FrequencyBToA()
{
    SetFrequency(0, FFrequency[1]);
}

void TFTCATInterface::KeyerMemory(const QString& Channel)
{
    SendCATCommand(QStringLiteral("KY") + Channel);
}

void TFTCATInterface::PlaybackMemory(const QString& Channel)
{
    SendCATCommand(QStringLiteral("PB0") + Channel);
}

void TFTCATInterface::QMBStore()
{
    SendCATCommand(QStringLiteral("QI;IF;OI"));
}

void TFTCATInterface::QMBRecall()
{
    SendCATCommand(QStringLiteral("QR;IF;OI"));
}

void TFTCATInterface::QuickSplit()
{
    SendCATCommand(QStringLiteral("QS"));
}

void TFTCATInterface::SetClarifier(int32_t AValue)
{
    const int32_t value = ClampInt(AValue, -9999, 9999);
    if (FCmdRcvd) {
        SetClarifierOffset(value);
    } else if (value == 0) {
        SendCATCommand(QStringLiteral("RC"));
    } else if (value < 0) {
        SendCATCommand(QStringLiteral("RD") + IntToZeroPadded(4, -value));
    } else {
        SendCATCommand(QStringLiteral("RU") + IntToZeroPadded(4, value));
    }
}

void TFTCATInterface::SetEnterKey()
{
    if (FTransceiver != FTDX5000)
        SendCATCommand(QStringLiteral("EK"));
}

void TFTCATInterface::SetFunctionKey(int32_t AValue)
{
    if (FTransceiver != FTDX5000)
        SendCATCommand(QStringLiteral("FK%1").arg(ClampInt(AValue, 1, 7)));
}

void TFTCATInterface::SwapVFOs()
{
    SendCATCommand(QStringLiteral("SV"));
}

void TFTCATInterface::VFOAToB()
{
    SendCATCommand(QStringLiteral("AB"));
}

void TFTCATInterface::VFOBToA()
{
    if (FTransceiver == FTDX5000) {
        SendCATCommand(QStringLiteral("BA"));
    } else {
        // No B-to-A command on these models: swap, then copy A to B.
        SendCATCommand(QStringLiteral("SV"));
        SendCATCommand(QStringLiteral("AB"));
    }
}

void TFTCATInterface::VFOAToMemoryChannel()
{
    SendCATCommand(QStringLiteral("AM;IF;OI"));
}

void TFTCATInterface::MemoryChannelToVFOA()
{
    SendCATCommand(QStringLiteral("MA;OI"));
}

void TFTCATInterface::MemoryChannelDown()
{
    SendCATCommand(QStringLiteral("CH1;IF;OI"));
}

void TFTCATInterface::MemoryChannelUp()
{
    SendCATCommand(QStringLiteral("CH0;IF;OI"));
}

void TFTCATInterface::VMKeyFunction()
{
    SendCATCommand(QStringLiteral("VM;IF;OI"));
}
