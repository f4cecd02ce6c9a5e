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
    RXCommand += FCOMPort->readStr(Count);
    for (;;) {
        const int end = RXCommand.indexOf(QLatin1Char(';'));
        if (end < 0)
            break;
        const QString answer = RXCommand.left(end + 1);
        RXCommand.remove(0, end + 1);
        HandleCATCommand(answer);
        FRXOverflowReported = false;
    }
    if (RXCommand.size() > MaxRXCommand) {
        // Noise on the line; the next answer starts clean.
        if (!FRXOverflowReported)
            qWarning("CAT: %lld bytes without ';' received, dropped", qlonglong(RXCommand.size()));
        FRXOverflowReported = true;
        RXCommand.clear();
    }
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
        SetComState(csConnected);
        // An answer without parameters, or one whose parameter is no number, is skipped;
        // the answers after it still count.
        if (P.isEmpty())
            continue;
        DispatchAnswer(code, P);
    }
    PrepareTX();
}

bool TFTCATInterface::DispatchAnswer(const QString& code, const QString& P)
{
    const char c0 = char(code[0].unicode());
    const char c1 = code.size() > 1 ? char(code[1].unicode()) : '\0';
    switch ((c0 << 8) | c1) {
    case ('A' << 8) | 'I':
        PrepareRX();
        SetAutoInformation(CATCharToBool(P[0]));
        return true;
    case ('I' << 8) | 'D':
        PrepareRX();
        SetIdentification(P);
        return true;
    case ('P' << 8) | 'S':
        PrepareRX();
        SetPowerSwitch(CATTextToBool(P));
        return true;
    default:
        return true;
    }
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
    if (value)
        FIdentification.clear();
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
    if (!FCOMPort->open())
        Fire(OnComPortState, comWaiting);
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
