#include "CATFixture.h"

#include "core/cat/TX.h"

#include <functional>
#include <vector>

class CATTX : public CATFixture {
protected:
    TTX* tx() { return cat->TX(); }
};

TEST_F(CATTX, InitialValues)
{
    EXPECT_FALSE(tx()->ClassA());
    EXPECT_EQ(tx()->CWBreakInDelay(), 200);
    EXPECT_EQ(tx()->MaximumPowerMenu(), 3);
    EXPECT_EQ(tx()->MaximumPowerWatt(), 100);
    EXPECT_EQ(tx()->MicGain(), 0);
    EXPECT_EQ(tx()->MonitorLevel(), 1);
    EXPECT_EQ(tx()->PowerControl(), 5);
    EXPECT_EQ(tx()->PowerControlWatt(), 5);
    EXPECT_EQ(tx()->Processor(), pOff);
    EXPECT_EQ(tx()->VoxDelay(), 200);
    EXPECT_EQ(tx()->VoxGain(), 0);
}

TEST_F(CATTX, UserCommandsSendClampedByModelAndChangeNothing)
{
    const struct {
        TTransceiver model;
        std::function<void(TTX&)> set;
        const char* text;
    } cases[] = {
        {FT2000, [](TTX& t) { t.SetClassA(true); }, "CA0001;"},
        {FT2000, [](TTX& t) { t.SetMicGain(50); }, "MG050;"},
        {FT2000, [](TTX& t) { t.SetMonitor(true); }, "ML0001;"},
        {FT2000, [](TTX& t) { t.SetMonitorLevel(0); }, "ML1001;"},
        {FT2000, [](TTX& t) { t.SetMonitorLevel(300); }, "ML1255;"},
        {FT950, [](TTX& t) { t.SetPowerControl(2); }, "PC005;"},
        {FT950, [](TTX& t) { t.SetPowerControl(150); }, "PC100;"},
        {FTDX5000, [](TTX& t) { t.SetPowerControl(150); }, "PC150;"},
        {FT2000, [](TTX& t) { t.SetProcessor(pOn); }, "PR1;"},
        {FT2000, [](TTX& t) { t.SetProcessor(pMicEq); }, "PR2;"},
        {FT950, [](TTX& t) { t.SetProcessorLevel(150); }, "PL100;"},
        {FT2000D, [](TTX& t) { t.SetProcessorLevel(150); }, "PL150;"},
        {FT2000, [](TTX& t) { t.SetVox(true); }, "VX1;"},
        {FT950, [](TTX& t) { t.SetVoxGain(150); }, "VG100;"},
        {FT2000, [](TTX& t) { t.SetVoxGain(300); }, "VG255;"},
        {FT950, [](TTX& t) { t.SetCWBreakInDelay(10); }, "SD0030;"},
        {FTDX5000, [](TTX& t) { t.SetCWBreakInDelay(10); }, "SD0020;"},
        {FT2000, [](TTX& t) { t.SetCWBreakInDelay(10); }, "SD0010;"},
        {FT950, [](TTX& t) { t.SetCWBreakInDelay(4000); }, "SD3000;"},
        {FT2000, [](TTX& t) { t.SetVoxDelay(9000); }, "VD5000;"},
        {FT950, [](TTX& t) { t.SetVoxDelay(0); }, "VD0030;"},
    };
    connect();
    for (const auto& c : cases) {
        setModel(c.model);
        sent.clear();
        cat->PrepareTX();
        c.set(*tx());
        EXPECT_EQ(sent, QStringList({c.text})) << c.text;
    }
    EXPECT_FALSE(tx()->ClassA());
    EXPECT_EQ(tx()->MicGain(), 0);
    EXPECT_EQ(tx()->PowerControl(), 5);
    EXPECT_EQ(tx()->Processor(), pOff);
    EXPECT_EQ(tx()->CWBreakInDelay(), 200);
    EXPECT_EQ(tx()->VoxDelay(), 200);
}

TEST_F(CATTX, ReceivedValuesStoreAndRaise)
{
    std::vector<QString> events;
    cat->OnClassA = [&](bool v) { events.push_back(QString("classa %1").arg(v)); };
    cat->OnMicGain = [&](uint8_t v) { events.push_back(QString("mic %1").arg(v)); };
    cat->OnMonitor = [&](bool v) { events.push_back(QString("mon %1").arg(v)); };
    cat->OnMonitorLevel = [&](uint8_t v) { events.push_back(QString("monlevel %1").arg(v)); };
    cat->OnProcessorLevel = [&](uint8_t v) { events.push_back(QString("proclevel %1").arg(v)); };
    cat->OnVox = [&](bool v) { events.push_back(QString("vox %1").arg(v)); };
    cat->OnVoxChange = [&](bool v) { events.push_back(QString("voxchange %1").arg(v)); };
    cat->OnVoxDelay = [&](int32_t v) { events.push_back(QString("voxdelay %1").arg(v)); };
    cat->OnVoxGain = [&](int32_t v) { events.push_back(QString("voxgain %1").arg(v)); };
    cat->OnCWBreakInDelay = [&](int32_t v) { events.push_back(QString("bkin %1").arg(v)); };
    connect();
    received([&] { tx()->SetClassA(true); });
    received([&] { tx()->SetMicGain(128); });
    EXPECT_FALSE(cat->CmdRcvd());
    received([&] { tx()->SetMonitor(true); });
    EXPECT_TRUE(cat->CmdRcvd());
    received([&] { tx()->SetMonitorLevel(77); });
    received([&] { tx()->SetProcessorLevel(60); });
    received([&] { tx()->SetVox(true); });
    received([&] { tx()->SetVoxDelay(700); });
    EXPECT_FALSE(cat->CmdRcvd());
    received([&] { tx()->SetVoxGain(90); });
    EXPECT_FALSE(cat->CmdRcvd());
    received([&] { tx()->SetCWBreakInDelay(6000); });
    EXPECT_EQ(events, std::vector<QString>({"classa 1", "mic 128", "mon 1", "monlevel 77", "proclevel 60", "vox 1",
                                            "voxchange 1", "voxdelay 700", "voxgain 90", "bkin 5000"}));
    EXPECT_EQ(tx()->CWBreakInDelay(), 5000);
    EXPECT_TRUE(sent.isEmpty());

    events.clear();
    received([&] { tx()->SetVox(true); });
    received([&] { tx()->SetMicGain(128); });
    EXPECT_TRUE(events.empty());
}

TEST_F(CATTX, ReceivedMicEqualizerProcessorCountsAsOff)
{
    std::vector<TProcessor> events;
    cat->OnProcessor = [&](TProcessor p) { events.push_back(p); };
    received([&] { tx()->SetProcessor(pOn); });
    received([&] { tx()->SetProcessor(pMicEq); });
    EXPECT_EQ(tx()->Processor(), pOff);
    EXPECT_EQ(events, std::vector<TProcessor>({pOn, pOff}));
    EXPECT_TRUE(cat->CmdRcvd()); // left set, as the radio's answers always re-arm it
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATTX, PowerControlGivesOutputWatts)
{
    const struct {
        TTransceiver model;
        int menu;
        int value;
        int watt;
    } cases[] = {
        {FT2000, 3, 50, 8},       {FT2000, 3, 255, 100},    {FT2000, 3, 0, 5},        {FT2000, 3, 29, 5},
        {FT2000, 3, 30, 6},       {FT2000, 3, 229, 95},     {FT2000, 3, 230, 100},    {FT2000, 1, 255, 20},
        {FT2000, 0, 0, 5},        {FT2000D, 3, 0, 10},      {FT2000D, 3, 140, 100},   {FT2000D, 3, 144, 110},
        {FT2000D, 3, 215, 190},   {FT2000D, 3, 216, 200},   {FTDX5000, 1, 255, 50},   {FTDX5000, 3, 255, 200},
        {FTDX5000, 2, 160, 100},  {FTDX5000, 3, 45, 18},    {FT950, 3, 75, 75},       {FT950, 0, 100, 100},
    };
    for (const auto& c : cases) {
        TFTCATInterface engine;
        engine.SetTransceiver(c.model);
        engine.TX()->SetMaximumPowerMenu(c.menu);
        std::vector<int> watts;
        engine.OnPowerControlWatt = [&](uint8_t w) { watts.push_back(w); };
        // Start away from the value so that the setter runs.
        engine.PrepareRX();
        engine.TX()->SetPowerControl(c.value == 75 ? 76 : 75);
        engine.PrepareRX();
        engine.TX()->SetPowerControl(c.value);
        EXPECT_EQ(engine.TX()->PowerControl(), c.value) << int(c.model) << " " << c.value;
        EXPECT_EQ(engine.TX()->PowerControlWatt(), c.watt) << int(c.model) << " " << c.value;
        EXPECT_EQ(watts.back(), c.watt) << int(c.model) << " " << c.value;
    }
}

TEST_F(CATTX, PowerCommandAlwaysNotifiesThePowerLevel)
{
    setModel(FT950);
    connect();
    std::vector<TIPCInformation> ipc;
    std::vector<int> watts;
    cat->OnIPCInformation = [&](TIPCInformation i) { ipc.push_back(i); };
    cat->OnPowerControlWatt = [&](uint8_t w) { watts.push_back(w); };
    user([&] { tx()->SetPowerControl(2); });
    EXPECT_EQ(sent, QStringList({"PC005;"}));
    EXPECT_EQ(ipc, std::vector<TIPCInformation>({ipcPowerLevel}));
    EXPECT_TRUE(watts.empty());
    EXPECT_EQ(tx()->PowerControlWatt(), 5);

    // The same watts again: no watt event, but the power level is fed all the same.
    received([&] { tx()->SetPowerControl(75); });
    received([&] { tx()->SetPowerControl(80); });
    received([&] { tx()->SetPowerControl(80); });
    EXPECT_EQ(watts, std::vector<int>({75, 80}));
    EXPECT_EQ(ipc.size(), 3u);
}

TEST_F(CATTX, MaximumPowerMenuSetsTheWattLimitByModel)
{
    const struct {
        TTransceiver model;
        int menu;
        int stored;
        int watt;
    } cases[] = {{FT2000, 0, 0, 10},    {FT2000, 1, 1, 20},    {FT2000, 2, 2, 50},    {FT2000, 7, 3, 100},
                 {FT2000D, 0, 0, 20},   {FTDX5000, 1, 1, 50},  {FTDX5000, 2, 2, 100}, {FTDX5000, -4, 0, 20},
                 {FT950, 1, 1, 100}};
    for (const auto& c : cases) {
        TFTCATInterface engine;
        QStringList out;
        engine.OnCATCommandTX = [&](const QString& s) { out << s; };
        engine.SetTransceiver(c.model);
        engine.TX()->SetMaximumPowerMenu(c.menu);
        EXPECT_EQ(engine.TX()->MaximumPowerMenu(), c.stored) << int(c.model) << " " << c.menu;
        EXPECT_EQ(engine.TX()->MaximumPowerWatt(), c.watt) << int(c.model) << " " << c.menu;
        EXPECT_TRUE(out.isEmpty());
    }
}

TEST_F(CATTX, DelayKnobPositionFollowsTheMode)
{
    // FT-950 in CW: the position is the break-in delay in tens of milliseconds.
    setModel(FT950);
    received([&] { tx()->SetCWBreakInDelay(250); });
    EXPECT_EQ(tx()->VoxDelayPosition(), 25);
    user([&] { tx()->SetVoxDelayPosition(30); });
    EXPECT_EQ(tx()->CWBreakInDelay(), 300);
    EXPECT_EQ(tx()->VoxDelay(), 200);

    // FT-2000 in SSB: the VOX delay in twenties, sent on a connected link.
    setModel(FT2000);
    received([&] { cat->SetModeA(mdUSB); });
    user([&] { tx()->SetVoxDelayPosition(30); });
    EXPECT_EQ(tx()->VoxDelay(), 600);
    EXPECT_EQ(tx()->VoxDelayPosition(), 30);
    connect();
    user([&] { tx()->SetVoxDelayPosition(40); });
    EXPECT_EQ(sent, QStringList({"VD0800;"}));
    EXPECT_EQ(tx()->VoxDelay(), 600);
}
