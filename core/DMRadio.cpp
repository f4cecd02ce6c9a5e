#include "core/DMRadio.h"

#include "core/DMApplication.h"
#include "core/IPCLink.h"
#include "core/RemoteLinks.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/GUISettings.h"
#include "core/cat/Presets.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "platform/SerialPort.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

TDMRadio* DMRadio = nullptr;

namespace {

const QString SectionCOMPort = QStringLiteral("Client\\RadioCOMPort");
const QString SectionTransceiver = QStringLiteral("Client\\Transceiver");
const QString SectionBandmap = QStringLiteral("Client\\Bandmap");
const QString SectionPresets = QStringLiteral("Client\\Presets");
const QString SectionIPC = QStringLiteral("Client\\IPC");

const char* const PresetKeys[4] = {"CW", "SSB", "RTTY", "JT"};

// The rates the settings offer; "Custom" has no fixed rate and keeps the port's present one.
const int32_t BaudRates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

int32_t BaudRateFromText(const QString& text, int32_t current)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("Custom"), Qt::CaseInsensitive) == 0)
        return current;
    for (int32_t rate : BaudRates)
        if (t == QString::number(rate))
            return rate;
    return 9600;
}

QString StopBitsToText(vx::SerialPort::StopBits s)
{
    switch (s) {
    case vx::SerialPort::StopBits::OneAndHalf: return QStringLiteral("1.5");
    case vx::SerialPort::StopBits::Two: return QStringLiteral("2");
    default: return QStringLiteral("1");
    }
}

vx::SerialPort::StopBits StopBitsFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t == QLatin1String("1.5"))
        return vx::SerialPort::StopBits::OneAndHalf;
    if (t == QLatin1String("2"))
        return vx::SerialPort::StopBits::Two;
    return vx::SerialPort::StopBits::One;
}

} // namespace

TDMRadio::TDMRadio(QObject* parent)
    : QObject(parent)
{
    DMRadio = this;

    // The radios' CAT defaults: 38400 baud, 8 data bits, no parity, 2 stop bits, no flow
    // control, modem lines off.
    FRadioComPort = new vx::SerialPort(this);
    FRadioComPort->setBaudRate(38400);
    FRadioComPort->setDataBits(8);
    FRadioComPort->setParity(vx::SerialPort::Parity::None);
    FRadioComPort->setStopBits(vx::SerialPort::StopBits::Two);
    FRadioComPort->setFlowControl(vx::SerialPort::FlowControl::None);
    FRadioComPort->setRts(false);
    FRadioComPort->setDtr(false);
    FRadioComPort->OnAfterOpen = [this] { RadioComPortAfterOpen(); };
    FRadioComPort->OnAfterClose = [this] { RadioComPortAfterClose(); };
    FRadioComPort->OnError = [this](const QString& message) { RadioComPortError(message); };

    FFTCATInterface = new TFTCATInterface(this);
    FFTCATInterface->SetCOMPort(FRadioComPort);
    FFTCATInterface->SetMyBands(QStringLiteral("1111111111110"));
    FFTCATInterface->SetTransceiverAsString(QStringLiteral("FT2000"));
    FFTCATInterface->OnCATCommandRX = [this](const QString& v) { DoFTCATCommandRX(v); };
    FFTCATInterface->OnCATCommandTX = [this](const QString& v) { DoFTCATCommandTX(v); };
    FFTCATInterface->OnDigitalMeterChange = [this](bool v) { DoFTCATDigitalMeterChange(v); };
    FFTCATInterface->OnIPCInformation = [this](TIPCInformation v) { DoFTCATIPCInformation(v); };
    FFTCATInterface->OnShowMeter = [this](bool v) { DoFTCATShowMeter(v); };
    FRadioComPort->OnRxChar = [this](int count) { FFTCATInterface->DoRxChar(count); };

    CreateActions();
    UpdateLoadPresetsActions();
}

TDMRadio::~TDMRadio()
{
    // Nothing is reported from a module that is going away.
    FRadioComPort->OnAfterOpen = nullptr;
    FRadioComPort->OnAfterClose = nullptr;
    FRadioComPort->OnRxChar = nullptr;
    FRadioComPort->OnError = nullptr;
    if (FIPCServer)
        FIPCServer->OnIPCStatus = nullptr;
    delete FFTCATInterface;
    FFTCATInterface = nullptr;
    delete FRadioComPort;
    FRadioComPort = nullptr;
    if (DMRadio == this)
        DMRadio = nullptr;
}

void TDMRadio::SetIPCServer(TIPCServerLink* value)
{
    if (value == FIPCServer)
        return;
    if (FIPCServer)
        FIPCServer->OnIPCStatus = nullptr;
    FIPCServer = value;
    if (FIPCServer)
        FIPCServer->OnIPCStatus = [this] { Fire(OnIPCStatus); };
}

// --- Actions ----------------------------------------------------------------------------

QAction* TDMRadio::NewAction(const char* name, const char* category, const QString& caption, const char* shortcut)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    a->setProperty("Category", QLatin1String(category));
    if (shortcut)
        a->setShortcut(QKeySequence(QLatin1String(shortcut)));
    FActions << a;
    return a;
}

void TDMRadio::CreateActions()
{
    TFTCATInterface* cat = FFTCATInterface;
    auto on = [this](QAction* a, auto handler) { connect(a, &QAction::triggered, this, handler); };

    struct PresetAction {
        QAction** load;
        QAction** save;
        const char* loadName;
        const char* saveName;
        const char* caption;
        const char* shortcut;
    };
    const PresetAction presets[4] = {
        {&LoadPresetsCWAction, &SavePresetsCWAction, "LoadPresetsCWAction", "SavePresetsCWAction", "&CW", "Ctrl+Shift+C"},
        {&LoadPresetsSSBAction, &SavePresetsSSBAction, "LoadPresetsSSBAction", "SavePresetsSSBAction", "&SSB", "Ctrl+Shift+S"},
        {&LoadPresetsRTTYAction, &SavePresetsRTTYAction, "LoadPresetsRTTYAction", "SavePresetsRTTYAction", "&RTTY",
         "Ctrl+Shift+R"},
        {&LoadPresetsJT65Action, &SavePresetsJT65Action, "LoadPresetsJT65Action", "SavePresetsJT65Action", "&FT8/JT65",
         "Ctrl+Shift+J"},
    };
    for (int i = 0; i < 4; ++i) {
        const PresetAction& p = presets[i];
        QAction* load = NewAction(p.loadName, "Presets", QStringLiteral("Load %1 Presets").arg(QLatin1String(p.caption)),
                                  p.shortcut);
        load->setData(i);
        on(load, [this, load] { LoadPresetsActionExecute(load); });
        *p.load = load;
    }
    for (int i = 0; i < 4; ++i) {
        const PresetAction& p = presets[i];
        QAction* save = NewAction(p.saveName, "Presets", QStringLiteral("Save %1 Presets").arg(QLatin1String(p.caption)));
        save->setData(i);
        on(save, [this, save] { SavePresetsActionExecute(save); });
        *p.save = save;
    }

    ShowMeterAction = NewAction("ShowMeterAction", "ShowMeter", QStringLiteral("Show Meter Information"));
    ShowMeterAction->setCheckable(true);
    ShowMeterAction->setChecked(true);
    // The action has toggled its own check mark when this runs.
    on(ShowMeterAction, [this, cat] {
        cat->PrepareTX();
        cat->SetShowMeter(ShowMeterAction->isChecked());
    });
    auto* meterGroup = new QActionGroup(this);
    meterGroup->setObjectName(QStringLiteral("488"));
    MeterDigitalAction = NewAction("MeterDigitalAction", "ShowMeter", QStringLiteral("Digital Meter"));
    MeterDigitalAction->setCheckable(true);
    MeterDigitalAction->setChecked(true);
    MeterDigitalAction->setActionGroup(meterGroup);
    on(MeterDigitalAction, [cat] { cat->SetDigitalMeter(true); });
    MeterAnalogAction = NewAction("MeterAnalogAction", "ShowMeter", QStringLiteral("&Analog Meter"));
    MeterAnalogAction->setCheckable(true);
    MeterAnalogAction->setActionGroup(meterGroup);
    on(MeterAnalogAction, [cat] { cat->SetDigitalMeter(false); });

    Band60mAction = NewAction("Band60mAction", "Tuning", QStringLiteral("&60m (5 MHz)"));
    Band60mAction->setVisible(false);
    on(Band60mAction, [cat] { cat->BandSelect(bd60); });
    BandDownAction = NewAction("BandDownAction", "Tuning", QStringLiteral("Band Down"), "Alt+F1");
    on(BandDownAction, [cat] { cat->BandDown(0); });
    BandUpAction = NewAction("BandUpAction", "Tuning", QStringLiteral("Band Up"), "Alt+F2");
    on(BandUpAction, [cat] { cat->BandUp(0); });

    ClarifierClearAction = NewAction("ClarifierClearAction", "Clarifier", QStringLiteral("Clear Clarifier"), "Ctrl+Z");
    on(ClarifierClearAction, [cat] { cat->ClarifierClear(); });
    ClarifierDownAction = NewAction("ClarifierDownAction", "Clarifier", QStringLiteral("Clarifier down"), "Shift+Down");
    on(ClarifierDownAction, [cat] {
        cat->PrepareTX();
        cat->SetClarifier(-10);
    });
    ClarifierUpAction = NewAction("ClarifierUpAction", "Clarifier", QStringLiteral("Clarifier up"), "Shift+Up");
    on(ClarifierUpAction, [cat] {
        cat->PrepareTX();
        cat->SetClarifier(10);
    });
    ClarifierRXAction = NewAction("ClarifierRXAction", "Clarifier", QStringLiteral("RX Clarifier on/off"), "Ctrl+F1");
    on(ClarifierRXAction, [cat] {
        cat->PrepareTX();
        cat->SetClarifierRX(!cat->ClarifierRX());
    });
    ClarifierTXAction = NewAction("ClarifierTXAction", "Clarifier", QStringLiteral("TX Clarifier on/off"), "Ctrl+F2");
    on(ClarifierTXAction, [cat] {
        cat->PrepareTX();
        cat->SetClarifierTX(!cat->ClarifierTX());
    });

    FrequencyAToBAction = NewAction("FrequencyAToBAction", "Tuning", QStringLiteral("Frequency VFO A to VFO B"), "Ctrl+F");
    on(FrequencyAToBAction, [cat] {
        cat->PrepareTX();
        cat->FrequencyAToB();
    });
    FrequencyBToAAction = NewAction("FrequencyBToAAction", "Tuning", QStringLiteral("Frequency VFO B to VFO A"), "Ctrl+G");
    on(FrequencyBToAAction, [cat] {
        cat->PrepareTX();
        cat->FrequencyBToA();
    });

    // Tuning resolution of one VFO: two step actions and five fixed steps in a group.
    struct ResolutionSet {
        const char* vfo;
        const char* stepDown;
        const char* stepUp;
        const char* shortcuts[5];
        QAction** actions[5];
    };
    const ResolutionSet sets[2] = {
        {"A", "Ctrl+Right", "Ctrl+Left", {"Ctrl+1", "Ctrl+2", "Ctrl+3", "Ctrl+4", "Ctrl+5"},
         {&ResolutionA1Action, &ResolutionA2Action, &ResolutionA3Action, &ResolutionA4Action, &ResolutionA5Action}},
        {"B", "Alt+Right", "Alt+Left", {"Ctrl+6", "Ctrl+7", "Ctrl+8", "Ctrl+9", "Ctrl+0"},
         {&ResolutionB1Action, &ResolutionB2Action, &ResolutionB3Action, &ResolutionB4Action, &ResolutionB5Action}},
    };
    const int32_t steps[5] = {1, 10, 100, 1000, 10000};
    const char* const stepCaptions[5] = {"1 Hz", "10 Hz", "100 Hz", "1 kHz", "10 kHz"};
    for (uint8_t vfo = 0; vfo < 2; ++vfo) {
        const ResolutionSet& s = sets[vfo];
        const QByteArray v(s.vfo);
        QAction* down = NewAction(("StepSizeDown" + v + "Action").constData(), "Resolution", QStringLiteral("Step size down"),
                                  s.stepDown);
        QAction* up = NewAction(("StepSizeUp" + v + "Action").constData(), "Resolution", QStringLiteral("Step size up"),
                                s.stepUp);
        if (vfo == 0) {
            StepSizeDownAAction = down;
            StepSizeUpAAction = up;
            on(down, [cat] { cat->Tuning()->ResolutionADown(); });
            on(up, [cat] { cat->Tuning()->ResolutionAUp(); });
        } else {
            StepSizeDownBAction = down;
            StepSizeUpBAction = up;
            on(down, [cat] { cat->Tuning()->ResolutionBDown(); });
            on(up, [cat] { cat->Tuning()->ResolutionBUp(); });
        }
        auto* group = new QActionGroup(this);
        group->setObjectName(vfo == 0 ? QStringLiteral("7001") : QStringLiteral("7003"));
        for (int i = 0; i < 5; ++i) {
            QAction* a = NewAction(("Resolution" + v + QByteArray::number(i + 1) + "Action").constData(), "Resolution",
                                   QLatin1String(stepCaptions[i]), s.shortcuts[i]);
            a->setData(steps[i]);
            a->setCheckable(true);
            a->setActionGroup(group);
            a->setChecked(steps[i] == 100);
            on(a, [cat, a, vfo] {
                const int32_t tag = a->data().toInt();
                if (tag > 0) {
                    cat->Tuning()->SetResolution(vfo, tag);
                    a->setChecked(true);
                }
            });
            *s.actions[i] = a;
        }
    }

    SplitAction = NewAction("SplitAction", "Tuning", QStringLiteral("&Split"), "Ctrl+S");
    on(SplitAction, [cat] {
        cat->PrepareTX();
        cat->SetFunctionTX(cat->FunctionTX() == vfoA ? vfoB : vfoA);
    });
    SubRXAction = NewAction("SubRXAction", "Tuning", QStringLiteral("Sub RX on/off"), "Ctrl+F9");
    on(SubRXAction, [this] { SubRXActionExecute(); });
    SwapVFOAction = NewAction("SwapVFOAction", "Tuning", QStringLiteral("Swap &VFOs"), "F10");
    on(SwapVFOAction, [cat] { cat->SwapVFOs(); });
    TransmitAction = NewAction("TransmitAction", "Tuning", QStringLiteral("Transmit"));
    on(TransmitAction, [cat] {
        cat->PrepareTX();
        cat->SetMOX(!cat->MOX());
    });
    TuneADownAction = NewAction("TuneADownAction", "Tuning", QStringLiteral("Tune &down VFO A"), "Ctrl+Down");
    on(TuneADownAction, [cat] {
        cat->PrepareTX();
        cat->Tuning()->TuneDownA();
    });
    TuneAUpAction = NewAction("TuneAUpAction", "Tuning", QStringLiteral("Tune &up VFO A"), "Ctrl+Up");
    on(TuneAUpAction, [cat] {
        cat->PrepareTX();
        cat->Tuning()->TuneUpA();
    });
    TuneBDownAction = NewAction("TuneBDownAction", "Tuning", QStringLiteral("Tune down VFO B"), "Alt+Down");
    on(TuneBDownAction, [cat] {
        cat->PrepareTX();
        cat->Tuning()->TuneDownB();
    });
    TuneBUpAction = NewAction("TuneBUpAction", "Tuning", QStringLiteral("Tune up VFO B"), "Alt+Up");
    on(TuneBUpAction, [cat] {
        cat->PrepareTX();
        cat->Tuning()->TuneUpB();
    });
    VFOAToBAction = NewAction("VFOAToBAction", "Tuning", QStringLiteral("VFO A &to B"), "Ctrl+T");
    on(VFOAToBAction, [cat] { cat->VFOAToB(); });
    VFOBToAAction = NewAction("VFOBToAAction", "Tuning", QStringLiteral("VFO B to A"), "Shift+F10");
    on(VFOBToAAction, [cat] { cat->VFOBToA(); });

    // Menu entries of the main window; they have no handler here.
    FT2000Action = NewAction("FT2000Action", "Transceiver", QStringLiteral("FT-2000"));
    FT950Action = NewAction("FT950Action", "Transceiver", QStringLiteral("FT-950"));
    FTDX5000Action = NewAction("FTDX5000Action", "Transceiver", QStringLiteral("FT DX 5000"));
}

QAction* TDMRadio::LoadPresetsAction(TPresetMode mode) const
{
    switch (mode) {
    case pmCW: return LoadPresetsCWAction;
    case pmSSB: return LoadPresetsSSBAction;
    case pmRTTY: return LoadPresetsRTTYAction;
    default: return LoadPresetsJT65Action;
    }
}

void TDMRadio::UpdateLoadPresetsActions()
{
    for (int m = pmCW; m <= pmJT65; ++m)
        LoadPresetsAction(TPresetMode(m))->setEnabled(!FFTCATInterface->Presets()->Preset(TPresetMode(m)).isEmpty());
}

void TDMRadio::LoadPresetsActionExecute(QAction* action)
{
    FFTCATInterface->Presets()->LoadPresets(TPresetMode(action->data().toInt() & 3));
}

void TDMRadio::SavePresetsActionExecute(QAction* action)
{
    const auto mode = TPresetMode(action->data().toInt() & 3);
    FFTCATInterface->Presets()->SavePresets(mode);
    LoadPresetsAction(mode)->setEnabled(!FFTCATInterface->Presets()->Preset(mode).isEmpty());
}

void TDMRadio::SubRXActionExecute()
{
    TFTCATInterface* cat = FFTCATInterface;
    cat->PrepareTX();
    const TFunctionRX f = cat->FunctionRX();
    if (cat->Transceiver() == FT950) {
        // The FT-950's sub receiver only listens with the main receiver off.
        switch (f) {
        case frxARX_BOFF:
        case frxAMute_BOFF:
        case frxAOff_BMute: cat->SetFunctionRX(frxAOff_BRX); break;
        case frxAOff_BRX: cat->SetFunctionRX(frxAOff_BMute); break;
        default: break;
        }
        return;
    }
    switch (f) {
    case frxARX_BOFF: cat->SetFunctionRX(frxARX_BRX); break;
    case frxAMute_BOFF: cat->SetFunctionRX(frxAMute_BRX); break;
    case frxARX_BRX: cat->SetFunctionRX(frxARX_BOFF); break;
    case frxAMute_BRX: cat->SetFunctionRX(frxAMute_BOFF); break;
    default: break;
    }
}

// --- Engine events -----------------------------------------------------------------------

void TDMRadio::DoFTCATCommandTX(const QString& Value)
{
    Fire(FT2KCATCommandTXEvent, Value);
}

void TDMRadio::DoFTCATCommandRX(const QString& Value)
{
    Fire(FT2KCATCommandRXEvent, Value);
    if (FServer && FDM && FDM->IsServerRole())
        FServer->ServerBroadcastMessage(QStringLiteral("A0:") + Value);
}

void TDMRadio::DoFTCATShowMeter(bool Value)
{
    ShowMeterAction->setChecked(Value);
    const QString line = QStringLiteral("SM:") + QLatin1Char(Value ? '1' : '0');
    switch (ApplicationType()) {
    case isLocalAndRemoteServer:
    case isRemoteServer:
        if (FServer)
            FServer->ServerBroadcastMessage(line);
        break;
    case isRemoteClient:
        if (FClient)
            FClient->Send(line);
        break;
    case isLocal: break;
    }
}

void TDMRadio::DoFTCATDigitalMeterChange(bool Value)
{
    MeterAnalogAction->setChecked(!Value);
    MeterDigitalAction->setChecked(Value);
}

void TDMRadio::DoFTCATIPCInformation(TIPCInformation Value)
{
    if (!FIPCServer)
        return;
    const TFTCATInterface* cat = FFTCATInterface;
    switch (Value) {
    case ipcFrequencyA: FIPCServer->SetFrequencyA(cat->FrequencyA()); break;
    case ipcFrequencyB: FIPCServer->SetFrequencyB(cat->FrequencyB()); break;
    case ipcModeA: FIPCServer->SetModeA(uint8_t(cat->ModeA())); break;
    case ipcModeB: FIPCServer->SetModeB(uint8_t(cat->ModeB())); break;
    case ipcPowerLevel: FIPCServer->SetPowerLevel(cat->TX()->PowerControlWatt()); break;
    case ipcPowerSwitch: FIPCServer->SetPowerSwitch(cat->PowerSwitch()); break;
    case ipcSplit: FIPCServer->SetSplit(cat->Split()); break;
    case ipcTX: FIPCServer->SetTX(cat->TXSet() == 2); break;
    }
}

// --- Port events -------------------------------------------------------------------------

void TDMRadio::RadioComPortAfterOpen()
{
    if (FRadioComPort->connected())
        FFTCATInterface->SetComState(csOffline);
    Fire(RadioComPortEvent, comOpen);
}

void TDMRadio::RadioComPortAfterClose()
{
    Fire(RadioComPortEvent, comClosed);
    FFTCATInterface->SetCAT(false);
    // An unplugged radio (or its USB adapter) comes back under the same name: the engine waits
    // for it.
    if (FRadioComPort->lost())
        FFTCATInterface->COMPortLost();
}

void TDMRadio::RadioComPortError(const QString& message)
{
    // Errors of an open port are left to the port (a lost device closes it).  A port that
    // could not be opened is told to the user, who would otherwise see no radio and no reason.
    if (!FRadioComPort->connected()) {
        qWarning("CAT port %s cannot be opened: %s", qPrintable(FRadioComPort->port()), qPrintable(message));
        Fire(RadioComPortEvent, ComError);
    }
}

// --- Settings ----------------------------------------------------------------------------

void TDMRadio::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    TFTCATInterface* cat = FFTCATInterface;
    vx::SerialPort* port = FRadioComPort;

    port->setPort(ini.ReadString(SectionCOMPort, QStringLiteral("Port"), QString()));
    port->setBaudRate(BaudRateFromText(
        ini.ReadString(SectionCOMPort, QStringLiteral("BaudRate"), QString::number(port->baudRate())), port->baudRate()));
    port->setStopBits(StopBitsFromText(ini.ReadString(SectionCOMPort, QStringLiteral("StopBits"), StopBitsToText(port->stopBits()))));
    port->setRts(ini.ReadBool(SectionCOMPort, QStringLiteral("RTS"), false));

    cat->SetTransceiverAsString(ini.ReadString(TDMApplication::SectionUserInterface, QStringLiteral("Transceiver"), QString()));
    // Outside received mode: a stored identification that differs makes the engine ask the
    // radio instead of taking it over.
    cat->SetCmdRcvd(false);
    cat->SetIdentification(ini.ReadString(TDMApplication::SectionUserInterface, QStringLiteral("TransceiverID"), QString()));
    cat->SetTransceiverAutoDetect(ini.ReadBool(TDMApplication::SectionUserInterface, QStringLiteral("AutoDetect"), true));
    cat->SetClarifierRange(ini.ReadInteger(TDMApplication::SectionUserInterface, QStringLiteral("ClarifierRange"), 9999));
    cat->SetDigitalMeter(ini.ReadBool(TDMApplication::SectionUserInterface, QStringLiteral("DigitalMeter"), cat->Transceiver() != FTDX5000));
    MeterAnalogAction->setChecked(!cat->DigitalMeter());
    MeterDigitalAction->setChecked(cat->DigitalMeter());
    cat->SetShowMeter(ini.ReadBool(TDMApplication::SectionUserInterface, QStringLiteral("ShowMeter"), true));

    cat->RX()->SetContourGain(ini.ReadInteger(SectionTransceiver, QStringLiteral("ContourGain"), -15));

    const QString vfo = ini.ReadString(SectionBandmap, QStringLiteral("BandmapVFO"), QStringLiteral("A"));
    cat->GUISettings()->SetBandmapVFO(vfo == QLatin1String("B") ? vfoB : vfoA);

    for (int m = pmCW; m <= pmJT65; ++m)
        cat->Presets()->SetPreset(TPresetMode(m), ini.ReadString(SectionPresets, QLatin1String(PresetKeys[m]), QString()));
    UpdateLoadPresetsActions();

    // Without the IPC server the stored switch stays as it is in the file.
    if (FIPCServer)
        FIPCServer->SetEnabled(ini.ReadBool(SectionIPC, QStringLiteral("IPCServer"), false));
}

void TDMRadio::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    const TFTCATInterface* cat = FFTCATInterface;
    const vx::SerialPort* port = FRadioComPort;

    ini.WriteString(SectionCOMPort, QStringLiteral("Port"), port->port());
    ini.WriteString(SectionCOMPort, QStringLiteral("BaudRate"), QString::number(port->baudRate()));
    ini.WriteString(SectionCOMPort, QStringLiteral("StopBits"), StopBitsToText(port->stopBits()));
    ini.WriteBool(SectionCOMPort, QStringLiteral("RTS"), port->rts());

    ini.WriteString(TDMApplication::SectionUserInterface, QStringLiteral("Transceiver"), cat->TransceiverAsString());
    ini.WriteString(TDMApplication::SectionUserInterface, QStringLiteral("TransceiverID"), cat->Identification());
    ini.WriteBool(TDMApplication::SectionUserInterface, QStringLiteral("AutoDetect"), cat->TransceiverAutoDetect());
    ini.WriteInteger(TDMApplication::SectionUserInterface, QStringLiteral("ClarifierRange"), cat->ClarifierRange());
    ini.WriteBool(TDMApplication::SectionUserInterface, QStringLiteral("DigitalMeter"), cat->DigitalMeter());
    ini.WriteBool(TDMApplication::SectionUserInterface, QStringLiteral("ShowMeter"), cat->ShowMeter());

    ini.WriteInteger(SectionTransceiver, QStringLiteral("ContourGain"), cat->RX()->ContourGain());
    ini.WriteString(SectionBandmap, QStringLiteral("BandmapVFO"),
                    cat->GUISettings()->BandmapVFO() == vfoB ? QStringLiteral("B") : QStringLiteral("A"));

    for (int m = pmCW; m <= pmJT65; ++m)
        ini.WriteString(SectionPresets, QLatin1String(PresetKeys[m]), cat->Presets()->Preset(TPresetMode(m)));

    if (FIPCServer)
        ini.WriteBool(SectionIPC, QStringLiteral("IPCServer"), FIPCServer->Enabled());
}
