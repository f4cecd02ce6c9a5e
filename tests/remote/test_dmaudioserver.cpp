// The audio server module: PTT lines by pin type through a recording stand-in of the port,
// keying by clients, the time-out, port retries, the copy of users and password, settings;
// and one real pseudo-terminal whose modem lines cannot switch.
#include "core/DMApplication.h"
#include "remote/CallbackForm.h"
#include "remote/DMAudioServer.h"
#include "remote/DMServer.h"
#include "platform/SerialPort.h"
#include "tests/remote/AudioDoubles.h"
#include "tests/support/Pty.h"

#include <QFile>
#include <gtest/gtest.h>

using vxtest::AudioPeer;
using vxtest::RecordingPTTPort;
using vxtest::waitUntil;

namespace {

class DMAudioServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        vx::MemoryAudio::use(true);
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        control = std::make_unique<TDMServer>();
        control->SetUsers({"W1AW"});
        control->SetPassword("secret");
        module = std::make_unique<TDMAudioServer>();
        module->SetServer(control.get());
        auto port = std::make_unique<RecordingPTTPort>(&lines);
        port->SetPort("/dev/ttyUSB7");
        ptt = port.get();
        module->SetPTTComPort(std::move(port));
        module->OnPTTStatus = [this](TPTTStatus s) { statuses << int(s); };
        router.SetServerAudio(module->RAAudioIn(), module->RAAudioOut());
        router.SetApplicationType(isRemoteServer);
    }
    void TearDown() override
    {
        module->Close();
        module.reset();
        control.reset();
        app.reset();
        vx::MemoryAudio::use(false);
        vx::Clock::useSystem();
    }

    // The module open and listening on a free audio port.
    void Open()
    {
        audioPort = vxtest::FreeAudioPort();
        module->SetActivateServer(true);
        module->RAServer()->SetAudioPort(audioPort);
        module->Open();
        ASSERT_TRUE(module->RAServer()->ServerSocket()->Active());
    }
    std::unique_ptr<AudioPeer> LoggedIn()
    {
        auto peer = std::make_unique<AudioPeer>();
        EXPECT_TRUE(peer->Connect(audioPort));
        peer->Command(RAProtocol::LoginText("W1AW", "secret", "PCM8", 1, 8));
        EXPECT_TRUE(peer->WaitBlocks(1));
        return peer;
    }

    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMServer> control;
    std::unique_ptr<TDMAudioServer> module;
    TCallbackForm router;
    RecordingPTTPort* ptt = nullptr;
    QStringList lines;
    QList<int> statuses;
    quint16 audioPort = 0;
};

struct PinCase {
    const char* name;
    TPinType rts, dtr;
    bool openRTS, openDTR;   // after opening
    bool keyedRTS, keyedDTR; // while keyed
};

class PTTPins : public DMAudioServerTest, public ::testing::WithParamInterface<PinCase> {
};

} // namespace

TEST_P(PTTPins, LinesFollowTheirPinTypes)
{
    const PinCase& c = GetParam();
    module->SetPinTypeRTS(c.rts);
    module->SetPinTypeDTR(c.dtr);
    module->OpenPTTPort();
    EXPECT_EQ(module->PTTStatus(), pttOff);
    EXPECT_EQ(std::make_pair(ptt->RTS, ptt->DTR), std::make_pair(c.openRTS, c.openDTR));
    module->DoPTT(true);
    EXPECT_TRUE(module->PTT());
    EXPECT_EQ(module->PTTStatus(), pttOn);
    EXPECT_EQ(std::make_pair(ptt->RTS, ptt->DTR), std::make_pair(c.keyedRTS, c.keyedDTR));
    module->DoPTT(false);
    EXPECT_FALSE(module->PTT());
    EXPECT_EQ(std::make_pair(ptt->RTS, ptt->DTR), std::make_pair(c.openRTS, c.openDTR));
    EXPECT_EQ(statuses, (QList<int>{pttOff, pttOn, pttOff}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PTTPins,
    ::testing::Values(PinCase{"RtsKeysDtrAlwaysOn", pinPTT, pinAlwaysOn, false, true, true, true},
                      PinCase{"DtrKeys", pinAlwaysOff, pinPTT, false, false, false, true},
                      PinCase{"BothKey", pinPTT, pinPTT, false, false, true, true},
                      PinCase{"NeitherKeys", pinAlwaysOn, pinAlwaysOff, true, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DMAudioServerTest, ClientsKeyTheTransmitterAndItIsReleasedWhenTheyGo)
{
    module->SetPinTypeRTS(pinPTT);
    Open();
    EXPECT_EQ(module->PTTStatus(), pttOff);
    auto peer = LoggedIn();
    peer->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return ptt->RTS; }));
    peer->Command(RAProtocol::PTTOff);
    ASSERT_TRUE(waitUntil([&] { return !ptt->RTS; }));

    peer->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return ptt->RTS; }));
    peer.reset();
    ASSERT_TRUE(waitUntil([&] { return !ptt->RTS; }));
    EXPECT_EQ(module->PTTStatus(), pttOff);
    EXPECT_FALSE(module->RAAudioIn()->Active());

    // Stopping while keyed releases the line before the port closes.
    peer = LoggedIn();
    peer->Command(RAProtocol::PTTOn);
    ASSERT_TRUE(waitUntil([&] { return ptt->RTS; }));
    lines.clear();
    module->Close();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), "RTS off");
    EXPECT_EQ(lines.last(), "close");
    EXPECT_TRUE(peer->WaitControl("REMAUD||D:Server Shutdown||"));
}

TEST_F(DMAudioServerTest, AKeyedTransmitterIsReleasedAfterTheTimeOut)
{
    module->SetPinTypeRTS(pinPTT);
    module->OpenPTTPort();
    EXPECT_EQ(module->PTTTimeout(), 300);
    module->DoPTT(true);
    vx::Clock::advance(299000);
    // A key request while keyed does not restart the time.
    module->DoPTT(true);
    vx::Clock::advance(999);
    EXPECT_TRUE(ptt->RTS);
    vx::Clock::advance(1);
    EXPECT_FALSE(ptt->RTS);
    EXPECT_EQ(module->PTTStatus(), pttOff);

    // 0 is never.
    module->SetPTTTimeout(0);
    module->DoPTT(true);
    vx::Clock::advance(24 * 3600 * 1000);
    EXPECT_TRUE(ptt->RTS);
    module->DoPTT(false);

    module->SetPTTTimeout(2);
    module->DoPTT(true);
    vx::Clock::advance(2000);
    EXPECT_FALSE(ptt->RTS);
}

TEST_F(DMAudioServerTest, WithoutAPortNamePTTChangesNothing)
{
    ptt->SetPort("");
    module->OpenPTTPort();
    EXPECT_EQ(module->PTTStatus(), pttNone);
    module->DoPTT(true);
    EXPECT_EQ(module->PTTStatus(), pttNone);
    EXPECT_FALSE(module->PTT());
    EXPECT_EQ(ptt->OpenAttempts, 0);
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(DMAudioServerTest, APortThatCannotBeOpenedIsRetriedUntilClose)
{
    module->SetPinTypeRTS(pinPTT);
    ptt->OpenWorks = false;
    module->OpenPTTPort();
    EXPECT_EQ(module->PTTStatus(), pttWaiting);
    module->DoPTT(true); // ignored until it opens
    EXPECT_FALSE(module->PTT());
    vx::Clock::advance(3000);
    EXPECT_EQ(ptt->OpenAttempts, 2);
    ptt->OpenWorks = true;
    vx::Clock::advance(3000);
    EXPECT_EQ(module->PTTStatus(), pttOff);
    vx::Clock::advance(30000);
    EXPECT_EQ(ptt->OpenAttempts, 3);

    // The device goes away while keyed: released, waiting, and found again.
    module->DoPTT(true);
    ptt->Lose();
    EXPECT_FALSE(module->PTT());
    EXPECT_EQ(module->PTTStatus(), pttWaiting);
    vx::Clock::advance(3000);
    EXPECT_EQ(module->PTTStatus(), pttOff);

    // A closed module stops trying.
    ptt->OpenWorks = false;
    ptt->Lose();
    const int attempts = ptt->OpenAttempts;
    module->Close();
    vx::Clock::advance(30000);
    EXPECT_EQ(ptt->OpenAttempts, attempts);
    EXPECT_EQ(statuses, (QList<int>{pttWaiting, pttWaiting, pttOff, pttOn, pttWaiting, pttOff, pttWaiting}));
}

TEST_F(DMAudioServerTest, OpenCopiesTheControlServersUsersAndPasswordEachTime)
{
    module->SetActivateServer(false);
    module->Open();
    EXPECT_FALSE(module->RAServer()->Active());
    module->SetActivateServer(true);
    module->RAServer()->SetAudioPort(0);
    module->Open();
    EXPECT_FALSE(module->RAServer()->Active());

    Open();
    EXPECT_EQ(module->RAServer()->Authentication().Password(), "secret");
    EXPECT_EQ(module->RAServer()->Authentication().Users(), QStringList{"W1AW"});
    control->SetPassword("");
    control->SetUsers({"K1ABC", "W1AW"});
    module->Open(); // closes and opens again
    EXPECT_TRUE(module->RAServer()->Active());
    EXPECT_EQ(module->RAServer()->Authentication().Password(), "");
    EXPECT_EQ(module->RAServer()->Authentication().Users(), (QStringList{"K1ABC", "W1AW"}));
}

TEST_F(DMAudioServerTest, SettingsAreReadWithTheirDefaultsAndWrittenBack)
{
    module->IniRead();
    EXPECT_FALSE(module->ActivateServer());
    EXPECT_EQ(module->RAServer()->AudioPort(), 4000);
    EXPECT_EQ(module->PTTComPort()->Port(), "");
    EXPECT_EQ(module->PTTTimeout(), 300);
    EXPECT_EQ(module->RAAudioIn()->Codec().Codec(), PCM8);
    EXPECT_TRUE(module->RAAudioIn()->Codec().UserChosenCodec());

    TIniStore& ini = *app->IniRegistry();
    ini.WriteBool("Server\\RemoteServer", "ActivateServer", true);
    ini.WriteInteger("Server\\RemoteServer", "AudioPort", 4711);
    ini.WriteString("Server\\PTT", "Port", "/dev/ttyACM0");
    ini.WriteInteger("Server\\PTT", "RTSPin", pinPTT);
    ini.WriteInteger("Server\\PTT", "DTRPin", 7); // nonsense keeps the current value
    ini.WriteInteger("Server\\PTT", "Timeout", 60);
    ini.WriteInteger("Server\\AudioServer\\Input", "DeviceID", 3);
    ini.WriteString("Server\\AudioServer\\Input", "Codec", "PCM22");
    ini.WriteInteger("Server\\AudioServer\\Input", "BitsPerSample", 16);
    ini.WriteInteger("Server\\AudioServer\\Input", "Channels", 2);
    ini.WriteInteger("Server\\AudioServer\\Input", "BufferLength", 40);
    ini.WriteBool("Server\\AudioServer\\Input", "UserChosenCodec", false);
    ini.WriteInteger("Server\\AudioServer\\Output", "DeviceId", 2);
    ini.WriteInteger("Client\\AudioClient\\Output", "LimitOverrun", 5);
    module->SetPinTypeDTR(pinAlwaysOn);
    module->IniRead();

    EXPECT_TRUE(module->ActivateServer());
    EXPECT_EQ(module->RAServer()->AudioPort(), 4711);
    EXPECT_EQ(module->PTTComPort()->Port(), "/dev/ttyACM0");
    EXPECT_EQ(module->PinTypeRTS(), pinPTT);
    EXPECT_EQ(module->PinTypeDTR(), pinAlwaysOn);
    EXPECT_EQ(module->PTTTimeout(), 60);
    EXPECT_EQ(module->TimeoutTimer()->interval(), 60000);
    const TRACodec& in = module->RAAudioIn()->Codec();
    EXPECT_EQ(in.DeviceID(), 3u);
    EXPECT_EQ(in.Codec(), PCM22);
    EXPECT_EQ(in.BitsPerSample(), 16);
    EXPECT_EQ(in.Channels(), 2);
    EXPECT_EQ(in.BufferLength(), 40);
    EXPECT_FALSE(in.UserChosenCodec());
    // Playback takes the capture's format, mono.
    const TRACodec& out = module->RAAudioOut()->Codec();
    EXPECT_EQ(out.DeviceID(), 2u);
    EXPECT_EQ(out.Codec(), PCM22);
    EXPECT_EQ(out.BitsPerSample(), 16);
    EXPECT_EQ(out.Channels(), 1);
    EXPECT_EQ(module->RAAudioOut()->LimitOverrun(), 5);

    module->IniWrite();
    EXPECT_EQ(ini.ReadString("Server\\AudioServer\\Output", "Codec", ""), "PCM22");
    EXPECT_EQ(ini.ReadInteger("Server\\AudioServer\\Output", "Channels", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Server\\PTT", "DTRPin", 0), int(pinAlwaysOn));

    // A port number no audio port can have falls back to the default.
    ini.WriteInteger("Server\\RemoteServer", "AudioPort", 70000);
    module->IniRead();
    EXPECT_EQ(module->RAServer()->AudioPort(), 4000);

    // A port above the listener's range is stored and shown as the port it listens on.
    ini.WriteInteger("Server\\RemoteServer", "AudioPort", 57497);
    module->IniRead();
    EXPECT_EQ(module->RAServer()->AudioPort(), 49151);
    module->IniWrite();
    EXPECT_EQ(ini.ReadInteger("Server\\RemoteServer", "AudioPort", 0), 49151);
}

TEST(DMAudioServerPty, AModemLineFailureLeavesThePortUsable)
{
    vxtest::Pty pty;
    ASSERT_TRUE(pty.ok());
    TDMAudioServer module;
    ASSERT_TRUE(module.PTTComPort());
    module.PTTComPort()->SetPort(pty.slaveName());
    module.SetPinTypeRTS(pinPTT);
    module.SetPinTypeDTR(pinAlwaysOn);
    module.OpenPTTPort();
    EXPECT_EQ(module.PTTStatus(), pttOff);
    module.DoPTT(true);
    // A pseudo-terminal has no modem lines: the switch fails, the port stays open and keyed.
    EXPECT_EQ(module.PTTStatus(), pttOn);
    EXPECT_TRUE(module.PTTComPort()->Connected());
    EXPECT_FALSE(module.PTTComPort()->LastError().isEmpty());
    vx::SerialPort* port = static_cast<TSerialPTTPort*>(module.PTTComPort())->SerialPort();
    EXPECT_EQ(port->baudRate(), 9600);
    EXPECT_EQ(port->write("still here"), 10);
    EXPECT_EQ(pty.readFor(2000, 10), "still here");
    module.DoPTT(false);
    EXPECT_EQ(module.PTTStatus(), pttOff);
    module.Close();
    EXPECT_FALSE(module.PTTComPort()->Connected());
}
