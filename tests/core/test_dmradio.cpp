// The radio data module: its settings, its actions, the relay of CAT traffic and the port
// events.
#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/GUISettings.h"
#include "core/cat/Presets.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "core/cat/Tuning.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

void WriteRaw(std::initializer_list<std::pair<const char*, const char*>> values)
{
    QSettings s(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    for (const auto& [key, value] : values)
        s.setValue(QLatin1String(key), QString::fromLatin1(value));
}

} // namespace

// A radio module with its settings module, on the manual clock, recording what it sends.
class DMRadioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        app = std::make_unique<TDMApplication>();
        Fresh();
    }
    void TearDown() override
    {
        radio.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    void Fresh()
    {
        radio.reset();
        radio = std::make_unique<TDMRadio>();
        radio->SetDM(&dm);
        radio->SetServer(&server);
        radio->SetClient(&client);
        radio->SetIPCServer(&ipc);
        radio->FT2KCATCommandTXEvent = [this](const QString& s) { sent << s; };
        radio->FT2KCATCommandRXEvent = [this](const QString& s) { received << s; };
    }
    TFTCATInterface& cat() { return *radio->FTCATInterface(); }

    ScopedConfigHome home;
    TApplicationRole dm;
    RecordingServer server;
    RecordingClient client;
    RecordingIPC ipc;
    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMRadio> radio;
    QStringList sent;
    QStringList received;
};

TEST_F(DMRadioTest, CreationState)
{
    EXPECT_EQ(DMRadio, radio.get());
    const vx::SerialPort& port = *radio->RadioComPort();
    EXPECT_EQ(port.baudRate(), 38400);
    EXPECT_EQ(port.dataBits(), 8);
    EXPECT_EQ(port.parity(), vx::SerialPort::Parity::None);
    EXPECT_EQ(port.stopBits(), vx::SerialPort::StopBits::Two);
    EXPECT_EQ(port.flowControl(), vx::SerialPort::FlowControl::None);
    EXPECT_FALSE(port.rts());
    EXPECT_FALSE(port.dtr());
    EXPECT_EQ(cat().COMPort(), radio->RadioComPort());
    EXPECT_EQ(cat().TransceiverAsString(), "FT2000");
    EXPECT_EQ(cat().MyBands(), "1111111111110");
    EXPECT_TRUE(radio->ShowMeterAction->isChecked());
    EXPECT_TRUE(radio->MeterDigitalAction->isChecked());
    EXPECT_TRUE(radio->ResolutionA3Action->isChecked());
    EXPECT_TRUE(radio->ResolutionB3Action->isChecked());
    EXPECT_FALSE(radio->Band60mAction->isVisible());
    for (QAction* a : {radio->LoadPresetsCWAction, radio->LoadPresetsSSBAction, radio->LoadPresetsRTTYAction,
                       radio->LoadPresetsJT65Action})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
}

TEST_F(DMRadioTest, ActionsHaveDistinctShortcutsAndTheirCategories)
{
    QSet<QString> seen;
    int withShortcut = 0;
    for (QAction* a : radio->Actions()) {
        EXPECT_FALSE(a->property("Category").toString().isEmpty()) << a->objectName().toStdString();
        if (a->shortcut().isEmpty())
            continue;
        ++withShortcut;
        const QString key = a->shortcut().toString();
        EXPECT_FALSE(seen.contains(key)) << key.toStdString() << " twice";
        seen.insert(key);
    }
    EXPECT_EQ(withShortcut, 36);
    EXPECT_EQ(radio->Actions().size(), 48);
    EXPECT_EQ(radio->LoadPresetsJT65Action->text(), "Load &FT8/JT65 Presets");
    EXPECT_EQ(radio->LoadPresetsJT65Action->shortcut(), QKeySequence("Ctrl+Shift+J"));
    EXPECT_EQ(radio->ResolutionB5Action->shortcut(), QKeySequence("Ctrl+0"));
    EXPECT_EQ(radio->VFOBToAAction->shortcut(), QKeySequence("Shift+F10"));
}

TEST_F(DMRadioTest, EveryKeyRoundTrips)
{
    vx::SerialPort& port = *radio->RadioComPort();
    port.setPort("/dev/ttyUSB0");
    port.setBaudRate(115200);
    port.setStopBits(vx::SerialPort::StopBits::OneAndHalf);
    port.setRts(true);
    cat().SetTransceiverAsString("FTDX5000");
    cat().PrepareRX();
    cat().SetIdentification("0362");
    cat().SetTransceiverAutoDetect(false);
    cat().SetClarifierRange(5000);
    cat().SetDigitalMeter(false);
    cat().SetShowMeter(false);
    cat().RX()->SetContourGain(7);
    cat().GUISettings()->SetBandmapVFO(vfoB);
    const QString presets[4] = {"FR0;FT2;MD03;", "MD02;", "MD06;PC050;", "MD0C;SH016;"};
    for (int m = 0; m < 4; ++m)
        cat().Presets()->SetPreset(TPresetMode(m), presets[m]);
    ipc.SetEnabled(true);
    radio->IniWrite();
    app->Close();

    QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Client/RadioCOMPort/Port").toString(), "/dev/ttyUSB0");
    EXPECT_EQ(raw.value("Client/RadioCOMPort/BaudRate").toString(), "115200");
    EXPECT_EQ(raw.value("Client/RadioCOMPort/StopBits").toString(), "1.5");
    EXPECT_EQ(raw.value("Client/UserInterface/Transceiver").toString(), "FTDX5000");
    EXPECT_EQ(raw.value("Client/UserInterface/TransceiverID").toString(), "0362");
    EXPECT_EQ(raw.value("Client/Bandmap/BandmapVFO").toString(), "B");
    EXPECT_EQ(raw.value("Client/Presets/JT").toString(), presets[3]);

    ipc.SetEnabled(false);
    Fresh();
    radio->IniRead();
    app->Close();
    const vx::SerialPort& p = *radio->RadioComPort();
    EXPECT_EQ(p.port(), "/dev/ttyUSB0");
    EXPECT_EQ(p.baudRate(), 115200);
    EXPECT_EQ(p.stopBits(), vx::SerialPort::StopBits::OneAndHalf);
    EXPECT_TRUE(p.rts());
    EXPECT_EQ(cat().Transceiver(), FTDX5000);
    EXPECT_FALSE(cat().TransceiverAutoDetect());
    EXPECT_EQ(cat().ClarifierRange(), 5000);
    EXPECT_FALSE(cat().DigitalMeter());
    EXPECT_TRUE(radio->MeterAnalogAction->isChecked());
    EXPECT_FALSE(radio->MeterDigitalAction->isChecked());
    EXPECT_FALSE(cat().ShowMeter());
    EXPECT_FALSE(radio->ShowMeterAction->isChecked());
    EXPECT_EQ(cat().RX()->ContourGain(), 7);
    EXPECT_EQ(cat().GUISettings()->BandmapVFO(), vfoB);
    for (int m = 0; m < 4; ++m)
        EXPECT_EQ(cat().Presets()->Preset(TPresetMode(m)), presets[m]);
    for (QAction* a : {radio->LoadPresetsCWAction, radio->LoadPresetsSSBAction, radio->LoadPresetsRTTYAction,
                       radio->LoadPresetsJT65Action})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(ipc.Enabled());
    // The stored identification is not taken over: the engine asks the radio.
    EXPECT_EQ(cat().Identification(), "");
    EXPECT_TRUE(sent.contains("ID;"));
}

TEST_F(DMRadioTest, FallBacksForMissingAndBadValues)
{
    struct Case {
        const char* baud;
        const char* stop;
        const char* vfo;
        int32_t wantBaud;
        vx::SerialPort::StopBits wantStop;
        TVFO wantVfo;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, 38400, vx::SerialPort::StopBits::Two, vfoA}, // the port's present settings
        {"foo", "3", "b", 9600, vx::SerialPort::StopBits::One, vfoA},
        {"CUSTOM", "1", "B", 38400, vx::SerialPort::StopBits::One, vfoB}, // no fixed rate: the present one stays
        {"256000", "2", "", 256000, vx::SerialPort::StopBits::Two, vfoA},
        {"9600.0", "1,5", "A", 9600, vx::SerialPort::StopBits::One, vfoA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.baud ? c.baud : "-") + " " + (c.stop ? c.stop : "-") + " " + (c.vfo ? c.vfo : "-"));
        ScopedConfigHome own;
        if (c.baud)
            WriteRaw({{"Client/RadioCOMPort/BaudRate", c.baud}, {"Client/RadioCOMPort/StopBits", c.stop},
                      {"Client/Bandmap/BandmapVFO", c.vfo}});
        Fresh();
        radio->IniRead();
        app->Close();
        EXPECT_EQ(radio->RadioComPort()->baudRate(), c.wantBaud);
        EXPECT_EQ(radio->RadioComPort()->stopBits(), c.wantStop);
        EXPECT_EQ(cat().GUISettings()->BandmapVFO(), c.wantVfo);
    }

    // Missing values of the rest, and text where numbers belong.
    ScopedConfigHome own;
    WriteRaw({{"Client/UserInterface/Transceiver", "FTDX5000"}, {"Client/UserInterface/ClarifierRange", "wide"},
              {"Client/Transceiver/ContourGain", "?"}, {"Client/UserInterface/ShowMeter", "maybe"}});
    Fresh();
    radio->IniRead();
    app->Close();
    EXPECT_EQ(radio->RadioComPort()->port(), "");
    EXPECT_FALSE(radio->RadioComPort()->rts());
    EXPECT_EQ(cat().ClarifierRange(), 9999);
    EXPECT_EQ(cat().RX()->ContourGain(), -15);
    EXPECT_TRUE(cat().ShowMeter());
    EXPECT_TRUE(cat().TransceiverAutoDetect()) << "the radio names its model unless told otherwise";
    // Without a stored choice the FT DX 5000 shows the analog meter.
    EXPECT_FALSE(cat().DigitalMeter());
    EXPECT_TRUE(radio->MeterAnalogAction->isChecked());
    EXPECT_FALSE(ipc.Enabled());

    // An unknown model name gives the FT-2000 and its digital meter.
    WriteRaw({{"Client/UserInterface/Transceiver", "FT-1000"}});
    Fresh();
    radio->IniRead();
    app->Close();
    EXPECT_EQ(cat().Transceiver(), FT2000);
    EXPECT_TRUE(cat().DigitalMeter());
    EXPECT_TRUE(radio->MeterDigitalAction->isChecked());
}

TEST_F(DMRadioTest, PresetActions)
{
    radio->IniRead();
    EXPECT_FALSE(radio->LoadPresetsSSBAction->isEnabled());
    radio->SavePresetsSSBAction->trigger();
    EXPECT_TRUE(radio->LoadPresetsSSBAction->isEnabled());
    EXPECT_FALSE(radio->LoadPresetsCWAction->isEnabled());
    const QString stored = cat().Presets()->Preset(pmSSB);
    ASSERT_FALSE(stored.isEmpty());
    sent.clear();
    radio->LoadPresetsSSBAction->trigger();
    EXPECT_EQ(sent, QStringList{stored});
}

TEST_F(DMRadioTest, AnswersAreBroadcastInTheServerRolesOnly)
{
    struct Case {
        TApplicationType role;
        bool broadcast;
    };
    for (const Case& c : {Case{isLocal, false}, Case{isLocalAndRemoteServer, true}, Case{isRemoteServer, true},
                          Case{isRemoteClient, false}}) {
        SCOPED_TRACE(int(c.role));
        dm.SetApplicationType(c.role);
        server.Lines.clear();
        received.clear();
        cat().HandleCATCommand(" FA00014074000;\r\n");
        cat().HandleCATCommand("SM0100;");
        EXPECT_EQ(received, (QStringList{"FA00014074000;", "SM0100;"}));
        EXPECT_EQ(server.Lines, (c.broadcast ? QStringList{"A0:FA00014074000;", "A0:SM0100;"} : QStringList{}));
    }

    // Meter answers go out only while the meter display is on.
    dm.SetApplicationType(isRemoteServer);
    cat().SetShowMeter(false);
    server.Lines.clear();
    received.clear();
    cat().HandleCATCommand("SM0100;");
    cat().HandleCATCommand("RM3045;");
    cat().HandleCATCommand("MD03;");
    EXPECT_EQ(received, QStringList{"MD03;"});
    EXPECT_EQ(server.Lines, QStringList{"A0:MD03;"});
}

TEST_F(DMRadioTest, MeterSwitchGoesToTheOtherEndByRole)
{
    struct Case {
        TApplicationType role;
        QStringList broadcast;
        QStringList toServer;
    };
    const Case cases[] = {
        {isLocal, {}, {}},
        {isLocalAndRemoteServer, {"SM:0", "SM:1"}, {}},
        {isRemoteServer, {"SM:0", "SM:1"}, {}},
        {isRemoteClient, {}, {"SM:0", "SM:1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.role));
        dm.SetApplicationType(c.role);
        server.Lines.clear();
        client.Lines.clear();
        radio->ShowMeterAction->trigger(); // off
        EXPECT_FALSE(cat().ShowMeter());
        EXPECT_FALSE(radio->ShowMeterAction->isChecked());
        cat().SetShowMeter(true); // from the other end
        EXPECT_TRUE(radio->ShowMeterAction->isChecked());
        // (Switching the meters off also drops them to 0 through the answer path, which the
        // server roles relay as an "A0:" line.)
        EXPECT_EQ(server.Lines.filter(QRegularExpression("^SM:")), c.broadcast);
        EXPECT_EQ(client.Lines, c.toServer);
    }
}

TEST_F(DMRadioTest, MeterActionsAndTheEngineKeepTheCheckMarksInStep)
{
    radio->MeterAnalogAction->trigger();
    EXPECT_FALSE(cat().DigitalMeter());
    EXPECT_TRUE(radio->MeterAnalogAction->isChecked());
    EXPECT_FALSE(radio->MeterDigitalAction->isChecked());
    cat().SetDigitalMeter(true);
    EXPECT_TRUE(radio->MeterDigitalAction->isChecked());
    EXPECT_FALSE(radio->MeterAnalogAction->isChecked());
}

TEST_F(DMRadioTest, IPCRecordFollowsTheRadio)
{
    cat().HandleCATCommand("FA00014074000;FB00021074000;MD02;MD15;FT1;PS1;TX2;PC050;");
    const QStringList expected = {
        "FrequencyA=14074000", "FrequencyB=21074000", QStringLiteral("ModeA=%1").arg(int(mdUSB)),
        QStringLiteral("ModeB=%1").arg(int(mdAM)), "Split=1", "PowerSwitch=1", "TX=1",
        QStringLiteral("PowerLevel=%1").arg(cat().TX()->PowerControlWatt()),
    };
    for (const QString& e : expected)
        EXPECT_TRUE(ipc.Calls.contains(e)) << e.toStdString() << " in " << ipc.Calls.join(", ").toStdString();

    int statusEvents = 0;
    radio->OnIPCStatus = [&] { ++statusEvents; };
    Fire(ipc.OnIPCStatus);
    EXPECT_EQ(statusEvents, 1);

    // Without an IPC server nothing is fed and nothing fails.
    radio->SetIPCServer(nullptr);
    EXPECT_FALSE(bool(ipc.OnIPCStatus));
    ipc.Calls.clear();
    cat().HandleCATCommand("FA00021074000;");
    EXPECT_TRUE(ipc.Calls.isEmpty());
}

TEST_F(DMRadioTest, SubReceiverToggle)
{
    struct Case {
        TTransceiver model;
        TFunctionRX from;
        const char* command; // nullptr: nothing is sent
    };
    const Case cases[] = {
        {FT2000, frxARX_BOFF, "FR2;"},  {FT2000, frxAMute_BOFF, "FR3;"}, {FT2000, frxARX_BRX, "FR0;"},
        {FTDX5000, frxAMute_BRX, "FR1;"}, {FTDX5000, frxAOff_BRX, nullptr}, {FT950, frxARX_BOFF, "FR4;"},
        {FT950, frxAMute_BOFF, "FR4;"}, {FT950, frxAOff_BMute, "FR4;"},  {FT950, frxAOff_BRX, "FR5;"},
        {FT950, frxARX_BRX, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + " from " + std::to_string(c.from));
        Fresh();
        cat().SetTransceiver(c.model);
        cat().HandleCATCommand(QStringLiteral("FR%1;").arg(int(c.from))); // the radio reports; the link is up
        ASSERT_EQ(cat().FunctionRX(), c.from);
        sent.clear();
        radio->SubRXAction->trigger();
        EXPECT_EQ(sent, (c.command ? QStringList{c.command} : QStringList{}));
    }
}

TEST_F(DMRadioTest, ActionsFollowTheCommandRule)
{
    cat().HandleCATCommand("PS1;");
    sent.clear();
    radio->SplitAction->trigger();
    radio->TransmitAction->trigger();
    radio->ClarifierDownAction->trigger();
    radio->ClarifierRXAction->trigger();
    radio->Band60mAction->trigger();
    radio->BandUpAction->trigger();
    EXPECT_EQ(sent, (QStringList{"FT3;", "MX1;", "RD0010;", "RT1;", "BS02;", "BU0;"}));

    radio->ResolutionB4Action->trigger();
    EXPECT_EQ(cat().Tuning()->ResolutionB(), 1000);
    EXPECT_TRUE(radio->ResolutionB4Action->isChecked());
    EXPECT_FALSE(radio->ResolutionB3Action->isChecked());
    radio->StepSizeUpAAction->trigger();
    EXPECT_EQ(cat().Tuning()->ResolutionA(), 1000);
}

TEST_F(DMRadioTest, PortEventsOnARealPort)
{
    vx::Clock::useSystem();
    vxtest::RadioSimulator sim(FT2000);
    ASSERT_TRUE(sim.ok());
    dm.SetApplicationType(isRemoteServer);

    QStringList events;
    radio->RadioComPortEvent = [&](TCOMPortState s) { events << QStringLiteral("port %1").arg(int(s)); };
    cat().OnComState = [&](TComState s) { events << QStringLiteral("state %1").arg(int(s)); };
    cat().OnCAT = [&](bool on) { events << QStringLiteral("CAT %1").arg(on); };

    // A device that does not exist is reported, not silently skipped; it is not tried again.
    radio->RadioComPort()->setPort("/dev/vornix-no-such-port");
    cat().SetUsingCOMPort(true);
    EXPECT_FALSE(cat().Open());
    EXPECT_EQ(events, QStringList{QStringLiteral("port %1").arg(int(ComError))});
    EXPECT_FALSE(cat().COMPortTimer()->isActive());
    events.clear();

    radio->RadioComPort()->setPort(sim.portName());
    ASSERT_TRUE(cat().Open());
    EXPECT_EQ(events, (QStringList{QStringLiteral("state %1").arg(int(csOffline)), QStringLiteral("port %1").arg(int(comOpen))}));

    // Every answer the radio sends reaches the remote clients.
    sim.push("FA00014074000;MD03;");
    ASSERT_TRUE(waitUntil([&] { return server.Lines.size() >= 2; }, 3000));
    EXPECT_EQ(server.Lines.mid(0, 2), (QStringList{"A0:FA00014074000;", "A0:MD03;"}));
    EXPECT_EQ(cat().FrequencyA(), 14074000);
    EXPECT_EQ(cat().ComState(), csConnected);

    events.clear();
    cat().Close();
    EXPECT_EQ(events, (QStringList{QStringLiteral("port %1").arg(int(comClosed)), "CAT 0"}));
    EXPECT_EQ(cat().ComState(), csConnected); // closing the port leaves the link state
    EXPECT_FALSE(cat().COMPortTimer()->isActive());
}

// The radio's device goes away while in use (the radio or its USB adapter unplugged) and comes
// back under the stored name, here a link as a udev rule makes one.  The link state says it
// is gone meanwhile, the engine tries the name every 3 s and, once it opens, starts over.
TEST_F(DMRadioTest, ALostPortIsWaitedForUnderItsNameOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("ttyRadio");
    auto sim = std::make_unique<vxtest::RadioSimulator>(FT2000);
    ASSERT_TRUE(QFile::link(sim->portName(), name));
    TCATCommandWriter writer(radio.get());
    radio->FT2KCATCommandTXEvent = [&](const QString& s) { writer.DoCATCommandTX(s); };
    QStringList events;
    radio->RadioComPortEvent = [&](TCOMPortState s) { events << QStringLiteral("port %1").arg(int(s)); };
    cat().OnComPortState = [&](TCOMPortState s) { events << QStringLiteral("engine %1").arg(int(s)); };
    bool power = false;
    cat().OnPowerSwitch = [&](bool on) { power = on; };

    radio->RadioComPort()->setPort(name);
    cat().SetUsingCOMPort(true);
    ASSERT_TRUE(cat().Open());
    ASSERT_TRUE(vxtest::runUntil([&] { return cat().FrequencyA() == 14074000; }, 5000));
    ASSERT_TRUE(power);

    const struct {
        const char* name;
        bool gone; // the name vanishes for a while, another device appears meanwhile
    } cases[] = {{"back at once", false}, {"gone for a while", true}};
    int hz = 21074000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        sim.reset();
        QFile::remove(name);
        ASSERT_TRUE(waitUntil([&] { return !radio->RadioComPort()->connected(); }));
        EXPECT_EQ(events.mid(0, 2), (QStringList{QStringLiteral("port %1").arg(int(comClosed)),
                                                 QStringLiteral("engine %1").arg(int(comClosed))}));
        EXPECT_EQ(cat().ComState(), csOffline);
        EXPECT_FALSE(cat().CAT());
        EXPECT_FALSE(power);
        EXPECT_TRUE(cat().COMPortTimer()->isActive());

        std::unique_ptr<vxtest::RadioSimulator> other;
        if (c.gone) {
            other = std::make_unique<vxtest::RadioSimulator>(FT950);
            vxtest::run(2 * 3000 + 100);
            EXPECT_TRUE(events.contains(QStringLiteral("engine %1").arg(int(comWaiting))));
            EXPECT_FALSE(radio->RadioComPort()->connected());
        }
        sim = std::make_unique<vxtest::RadioSimulator>(FT2000);
        sim->setFrequency(vfoA, hz);
        ASSERT_TRUE(QFile::link(sim->portName(), name));
        EXPECT_TRUE(vxtest::runUntil([&] { return cat().FrequencyA() == hz; }, 4000));
        EXPECT_EQ(cat().ComState(), csConnected);
        EXPECT_TRUE(power);
        EXPECT_FALSE(cat().COMPortTimer()->isActive());
        if (other) {
            EXPECT_TRUE(other->commands().isEmpty()) << "a device under another name is not taken";
        }
        hz += 1000;
    }

    // A port its owner closes stays closed.
    radio->RadioComPort()->close();
    EXPECT_FALSE(cat().COMPortTimer()->isActive());
    vxtest::run(3100);
    EXPECT_FALSE(radio->RadioComPort()->connected());
}
