#include "core/cat/FTCATInterface.h"
#include "core/cat/TX.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using vx::Clock;

namespace {

struct Sent {
    qint64 at;
    QString text;
    bool operator==(const Sent&) const = default;
};

class CATLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clock::useManual();
        cat = std::make_unique<TFTCATInterface>();
        cat->OnCATCommandTX = [this](const QString& s) { sent.push_back({Clock::monotonicMs(), s}); };
    }
    void TearDown() override
    {
        cat.reset();
        Clock::useSystem();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const auto& s : sent)
            out << s.text;
        return out;
    }
    QStringList textsWithout(const QString& skip) const
    {
        QStringList out = texts();
        out.removeAll(skip);
        return out;
    }
    void connect() { cat->HandleCATCommand("PS1;"); }

    std::unique_ptr<TFTCATInterface> cat;
    std::vector<Sent> sent;
};

} // namespace

TEST_F(CATLink, InitialLinkState)
{
    EXPECT_EQ(cat->ComState(), csInitializing);
    EXPECT_FALSE(cat->CAT());
    EXPECT_FALSE(cat->PowerSwitch());
    EXPECT_EQ(cat->Transceiver(), FT2000);
    EXPECT_TRUE(cat->TransceiverAutoDetect());
    EXPECT_FALSE(cat->UsingCOMPort());
    EXPECT_EQ(cat->COMPort(), nullptr);
    EXPECT_TRUE(cat->PowerSwitchTimer()->isActive());
    EXPECT_FALSE(cat->RequestTimer()->isActive());
    EXPECT_FALSE(cat->PollRequestTimer()->isActive());
    EXPECT_FALSE(cat->COMPortTimer()->isActive());
    EXPECT_EQ(cat->TX()->MaximumPowerWatt(), 100);
}

TEST_F(CATLink, PollTablesGoOutFiftyMillisecondsApartPerModel)
{
    for (TTransceiver model : {FT2000, FT2000D, FT950, FTDX5000}) {
        sent.clear();
        cat->SetTransceiver(model);
        const qint64 start = Clock::monotonicMs();
        cat->ParameterRequest();
        Clock::advance(49);
        EXPECT_TRUE(sent.empty());
        Clock::advance(1 + 9 * 50);
        ASSERT_EQ(sent.size(), 10u) << model;
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(sent[i].at, start + 50 * (i + 1));
            EXPECT_EQ(sent[i].text, TFTCATInterface::PollLine(model, i + 1) + ";");
        }
        EXPECT_FALSE(cat->RequestTimer()->isActive());
        EXPECT_TRUE(cat->PollRequestTimer()->isActive());
        cat->PollRequestTimer()->stop();
        cat->PowerSwitchTimer()->stop();
        cat->PowerSwitchTimer()->setEnabled(true);
    }
    EXPECT_EQ(TFTCATInterface::PollLine(FT2000, 1), "PS;AI;ID;FA;FB;AG0;AG1");
    EXPECT_EQ(TFTCATInterface::PollLine(FT950, 10), "EX011;EX044;EX069;EX090");
    EXPECT_EQ(TFTCATInterface::PollLine(FTDX5000, 7), "NL0;NL1;NR0;NR1;OI;OS0;OS1;PA0;PA1;PC;PL;PR;RA0;RA1;RF0;RF1");
    EXPECT_EQ(TFTCATInterface::PollLine(FT2000D, 10), "EX012;EX036;EX092;EX097;EX100;EX103;EX106;EX124;EX144");
}

TEST_F(CATLink, FullPollRepeatsAfter240Seconds)
{
    cat->PowerSwitchTimer()->stop();
    cat->ParameterRequest();
    Clock::advance(500);
    ASSERT_EQ(sent.size(), 10u);
    const qint64 last = sent.back().at;
    Clock::advance(240000 - (Clock::monotonicMs() - last) - 1);
    EXPECT_EQ(sent.size(), 10u);
    Clock::advance(1 + 50);
    ASSERT_EQ(sent.size(), 11u);
    EXPECT_EQ(sent.back().text, "PS;AI;ID;FA;FB;AG0;AG1;");
}

TEST_F(CATLink, PowerRequestEveryFourSecondsFromCreationAndNoneAfterClose)
{
    Clock::advance(12000);
    ASSERT_EQ(texts(), QStringList({"PS;", "PS;", "PS;"}));
    EXPECT_EQ(sent[0].at, 4000);
    EXPECT_EQ(sent[2].at, 12000);
    cat->Close();
    Clock::advance(20000);
    EXPECT_EQ(sent.size(), 3u);
    // A change of the link state starts them again.
    cat->SetComState(csOffline);
    Clock::advance(4000);
    EXPECT_EQ(sent.size(), 4u);
}

TEST_F(CATLink, WellFormedAnswerConnectsAndAsksForPowerAtOnce)
{
    std::vector<TComState> states;
    std::vector<bool> catFlags;
    cat->OnComState = [&](TComState s) { states.push_back(s); };
    cat->OnCAT = [&](bool v) { catFlags.push_back(v); };
    cat->HandleCATCommand("FA00014074000;");
    EXPECT_EQ(cat->ComState(), csConnected);
    EXPECT_EQ(states, std::vector<TComState>({csConnected}));
    EXPECT_EQ(catFlags, std::vector<bool>({true}));
    EXPECT_EQ(texts(), QStringList({"PS;"}));

    // "?;" and noise change nothing.
    sent.clear();
    cat->SetComState(csOffline);
    states.clear();
    cat->HandleCATCommand("?;");
    cat->HandleCATCommand("12;");
    cat->HandleCATCommand("FA0001");
    EXPECT_EQ(cat->ComState(), csOffline);
    EXPECT_EQ(states, std::vector<TComState>({}));
}

TEST_F(CATLink, CommandRuleFlagsFollowTheLinkState)
{
    cat->PrepareTX(); // offline: the next setter stores
    EXPECT_TRUE(cat->CmdRcvd());
    EXPECT_FALSE(cat->UserCommand());
    connect();
    cat->PrepareTX(); // connected: the next setter sends
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_TRUE(cat->UserCommand());
    cat->PrepareRX();
    EXPECT_TRUE(cat->CmdRcvd());
    EXPECT_FALSE(cat->UserCommand());
}

TEST_F(CATLink, BadAnswersAreSkippedAndTheEngineEndsInUserCommandState)
{
    std::vector<bool> power;
    cat->OnPowerSwitch = [&](bool v) { power.push_back(v); };
    QStringList ids;
    cat->OnIdentification = [&](const QString& v) { ids << v; };
    // An empty parameter and a lone sign skip only their own answer.
    cat->HandleCATCommand("ID;FA+;PS1;");
    EXPECT_EQ(cat->ComState(), csConnected);
    EXPECT_EQ(power, std::vector<bool>({true}));
    EXPECT_TRUE(ids.isEmpty());
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_TRUE(cat->UserCommand());
}

TEST_F(CATLink, PowerSwitchSetter)
{
    // Offline: a user's "on" sends PS1 and stores nothing.
    cat->PrepareTX();
    cat->SetPowerSwitch(true);
    EXPECT_EQ(texts(), QStringList({"PS1;"}));
    EXPECT_FALSE(cat->PowerSwitch());

    // A received "on" stores, raises and starts the poll.
    sent.clear();
    std::vector<bool> events;
    std::vector<TIPCInformation> ipc;
    cat->OnPowerSwitch = [&](bool v) { events.push_back(v); };
    cat->OnIPCInformation = [&](TIPCInformation i) { ipc.push_back(i); };
    cat->HandleCATCommand("PS1;");
    EXPECT_TRUE(cat->PowerSwitch());
    EXPECT_EQ(events, std::vector<bool>({true}));
    EXPECT_EQ(ipc, std::vector<TIPCInformation>({ipcPowerSwitch}));
    EXPECT_TRUE(cat->RequestTimer()->isActive());
    Clock::advance(120);
    EXPECT_EQ(textsWithout("PS;").size(), 2);

    // A received "off" stops the request timer; the 4 s requests go on.
    sent.clear();
    cat->HandleCATCommand("PS0;");
    EXPECT_FALSE(cat->PowerSwitch());
    EXPECT_EQ(events.back(), false);
    EXPECT_FALSE(cat->RequestTimer()->isActive());
    Clock::advance(8000);
    EXPECT_EQ(texts(), QStringList({"PS;", "PS;"}));

    // A user's "off" on a connected link sends PS0 and goes offline.
    cat->HandleCATCommand("PS1;");
    sent.clear();
    cat->PrepareTX();
    cat->SetPowerSwitch(false);
    EXPECT_EQ(texts(), QStringList({"PS0;"}));
    EXPECT_EQ(cat->ComState(), csOffline);
    EXPECT_FALSE(cat->CAT());
}

TEST_F(CATLink, IdentificationSelectsTheModelForTheNextPollLine)
{
    std::vector<TTransceiver> models;
    cat->OnTransceiver = [&](TTransceiver t) { models.push_back(t); };
    cat->ParameterRequest();
    Clock::advance(50);
    cat->HandleCATCommand("ID0310;");
    EXPECT_EQ(cat->Transceiver(), FT950);
    EXPECT_EQ(cat->Identification(), "0310");
    EXPECT_EQ(models, std::vector<TTransceiver>({FT950}));
    Clock::advance(50);
    const QStringList lines = textsWithout("PS;");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], TFTCATInterface::PollLine(FT950, 2) + ";");

    // The same identification again does nothing, even after a change by hand.
    cat->SetTransceiver(FT2000);
    models.clear();
    cat->HandleCATCommand("ID0310;");
    EXPECT_EQ(cat->Transceiver(), FT2000);
    EXPECT_TRUE(models.empty());

    // Switching auto-detection on again makes the next answer count, and asks for it at once;
    // switching it off, or on while on, asks nothing.
    sent.clear();
    cat->SetTransceiverAutoDetect(false);
    EXPECT_TRUE(sent.empty());
    cat->SetTransceiverAutoDetect(true);
    cat->SetTransceiverAutoDetect(true);
    EXPECT_EQ(texts(), QStringList{"ID;"});
    cat->HandleCATCommand("ID0310;");
    EXPECT_EQ(cat->Transceiver(), FT950);
}

TEST_F(CATLink, IdentificationTable)
{
    const struct {
        const char* id;
        TTransceiver model;
        int watts;
    } cases[] = {{"0251", FT2000, 100}, {"0252", FT2000D, 200}, {"0310", FT950, 100}, {"0362", FTDX5000, 200}};
    for (const auto& c : cases) {
        TFTCATInterface engine;
        engine.SetTransceiver(c.model == FT950 ? FT2000 : FT950);
        engine.HandleCATCommand(QString("ID%1;").arg(c.id));
        EXPECT_EQ(engine.Transceiver(), c.model) << c.id;
        EXPECT_EQ(engine.TX()->MaximumPowerWatt(), c.watts) << c.id;
    }
    TFTCATInterface manual;
    manual.SetTransceiverAutoDetect(false);
    manual.HandleCATCommand("ID0362;");
    EXPECT_EQ(manual.Transceiver(), FT2000);
    EXPECT_EQ(manual.Identification(), "0362");

    TFTCATInterface unknown;
    unknown.SetTransceiver(FT950);
    unknown.HandleCATCommand("ID0999;");
    EXPECT_EQ(unknown.Transceiver(), FT950);
}

TEST_F(CATLink, TransceiverTexts)
{
    const struct {
        TTransceiver model;
        const char* text;
        const char* caption;
    } cases[] = {{FT2000, "FT2000", "FT-2000"},
                 {FT2000D, "FT2000D", "FT-2000D"},
                 {FT950, "FT950", "FT-950"},
                 {FTDX5000, "FTDX5000", "FT DX 5000"}};
    for (const auto& c : cases) {
        cat->SetTransceiverAsString(c.text);
        EXPECT_EQ(cat->Transceiver(), c.model);
        EXPECT_EQ(cat->TransceiverAsString(), c.text);
        EXPECT_EQ(cat->TransceiverCaption(), c.caption);
    }
    cat->SetTransceiverAsString("FT1000MP");
    EXPECT_EQ(cat->Transceiver(), FT2000);
}

TEST_F(CATLink, AutoInformationOffIsSwitchedBackOn)
{
    std::vector<bool> events;
    cat->OnAutoInformation = [&](bool v) { events.push_back(v); };
    cat->HandleCATCommand("AI0;");
    EXPECT_EQ(events, std::vector<bool>({false}));
    EXPECT_TRUE(texts().contains("AI1;"));
    sent.clear();
    cat->HandleCATCommand("AI1;");
    EXPECT_TRUE(cat->AutoInformation());
    EXPECT_FALSE(texts().contains("AI1;"));
    cat->PrepareTX();
    cat->SetAutoInformation(false); // a user command always sends AI1
    EXPECT_EQ(texts(), QStringList({"AI1;"}));
}

TEST_F(CATLink, SendAppendsSemicolonOnlyWhenMissingAndMeterTextsFollowShowMeter)
{
    cat->SendCATCommand("FA");
    cat->SendCATCommand("QI;IF;OI");
    cat->SendCATCommand("IF;");
    EXPECT_EQ(texts(), QStringList({"FA;", "QI;IF;OI;", "IF;"}));

    QStringList rx;
    cat->OnCATCommandRX = [&](const QString& s) { rx << s; };
    cat->HandleCATCommand("  RM0000;SM0000;SM1000;\r\n");
    EXPECT_EQ(rx, QStringList({"RM0000;SM0000;SM1000;"}));
}

TEST_F(CATLink, ResetDisplayZeroesMeters)
{
    std::vector<int> meter;
    std::vector<std::pair<int, int>> smeter;
    QString bargraph;
    cat->OnMeter = [&](uint8_t v) { meter.push_back(v); };
    cat->OnSMeter = [&](uint8_t vfo, uint8_t v) { smeter.push_back({vfo, v}); };
    cat->OnBargraph = [&](const QString& s) { bargraph = s; };
    cat->ResetDisplay();
    EXPECT_EQ(meter, std::vector<int>({0}));
    EXPECT_EQ(smeter, (std::vector<std::pair<int, int>>({{0, 0}, {1, 0}})));
    EXPECT_EQ(bargraph, "200");
}

TEST_F(CATLink, AHandlerAssignmentReplacesThePreviousOne)
{
    int first = 0, second = 0;
    cat->OnCAT = [&](bool) { ++first; };
    cat->OnCAT = [&](bool) { ++second; };
    connect();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

// Port-backed tests run on the system clock: the pty delivers bytes through the event loop.
class CATPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.ok());
        port.setPort(pty.slaveName());
        port.setBaudRate(38400);
        port.setStopBits(vx::SerialPort::StopBits::Two);
        port.OnRxChar = [this](int n) { cat.DoRxChar(n); };
        cat.OnCATCommandTX = [this](const QString& s) { port.writeStr(s); };
        cat.SetCOMPort(&port);
        cat.SetUsingCOMPort(true);
        cat.PowerSwitchTimer()->stop();
    }

    vxtest::Pty pty;
    vx::SerialPort port;
    TFTCATInterface cat;
};

TEST_F(CATPort, ChunksAreCutIntoWholeAnswers)
{
    QStringList answers;
    cat.OnCATCommandRX = [&](const QString& s) { answers << s; };
    ASSERT_TRUE(cat.Open());
    for (const char* chunk : {"FA0701", "0000;FB07", "010000;"}) {
        pty.write(chunk);
        vxtest::spin(30);
    }
    ASSERT_TRUE(vxtest::waitUntil([&] { return answers.size() >= 2; }));
    vxtest::spin(30);
    EXPECT_EQ(answers, QStringList({"FA07010000;", "FB07010000;"}));
}

TEST_F(CATPort, CarriesTrafficBothWays)
{
    ASSERT_TRUE(cat.Open());
    cat.HandleCATCommand("PS1;"); // connected: sends PS at once
    EXPECT_EQ(pty.readFor(2000, 3), QByteArray("PS;"));
    cat.PrepareTX();
    cat.SetIdentification("x"); // a user's identification request is a query
    EXPECT_EQ(pty.readFor(2000, 3), QByteArray("ID;"));
    pty.write("ID0362;");
    ASSERT_TRUE(vxtest::waitUntil([&] { return cat.Transceiver() == FTDX5000; }));
}

TEST_F(CATPort, NoiseWithoutSemicolonIsDroppedAndTheNextAnswerWorks)
{
    ASSERT_TRUE(cat.Open());
    QStringList ids;
    cat.OnIdentification = [&](const QString& s) { ids << s; };
    // 10,000 bytes without ";" in several reads: none of it may lead the next answer.
    for (const int n : {3000, 3000, 3000, 1000}) {
        pty.write(QByteArray(n, 'x'));
        vxtest::spin(20);
    }
    pty.write("FA07030000;");
    ASSERT_TRUE(vxtest::waitUntil([&] { return cat.FrequencyA() == 7030000; }));

    // Noise that overflows within a read runs to its ";"; the answers after it count.
    pty.write(QByteArray(5000, 'x') + "ID0251;ID0310;");
    EXPECT_TRUE(vxtest::waitUntil([&] { return ids.contains("0310"); }));
}

TEST_F(CATPort, OpenAndCloseHandleThePort)
{
    vx::SerialPort unnamed;
    TFTCATInterface engine;
    std::vector<TCOMPortState> states;
    engine.OnComPortState = [&](TCOMPortState s) { states.push_back(s); };
    engine.SetCOMPort(&unnamed);
    engine.SetUsingCOMPort(true);
    EXPECT_TRUE(engine.Open()); // no name: reported as invalid, no retry
    EXPECT_EQ(states, std::vector<TCOMPortState>({comInvalid}));
    EXPECT_FALSE(engine.COMPortTimer()->isActive());

    vx::SerialPort missing;
    missing.setPort("/dev/ttyVornixMissing0");
    engine.SetCOMPort(&missing);
    EXPECT_FALSE(engine.Open());

    ASSERT_TRUE(cat.Open());
    EXPECT_TRUE(port.connected());
    cat.Close();
    EXPECT_FALSE(port.connected());

    // Without a bound port UsingCOMPort stays off; a destroyed port unbinds itself.
    TFTCATInterface lone;
    lone.SetUsingCOMPort(true);
    EXPECT_FALSE(lone.UsingCOMPort());
    auto* temp = new vx::SerialPort;
    lone.SetCOMPort(temp);
    delete temp;
    EXPECT_EQ(lone.COMPort(), nullptr);
}
