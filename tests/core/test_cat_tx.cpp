#include "CATFixture.h"

#include "core/cat/TX.h"

#include <QRegularExpression>
#include <algorithm>
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

namespace {

// The transmitter state, to show that a command changed none of it.  PowerControlWatt is left
// out: every power command derives it afresh from the stored PowerControl.
QString snapshot(const TFTCATInterface& c)
{
    const TTX& t = *c.TX();
    return QStringList({QString::number(t.ClassA()), QString::number(t.CWBreakInDelay()),
                        QString::number(t.MaximumPowerMenu()), QString::number(t.MaximumPowerWatt()),
                        QString::number(t.MicGain()), QString::number(t.Monitor()), QString::number(t.MonitorLevel()),
                        QString::number(t.PowerControl()), QString::number(t.Processor()), QString::number(t.ProcessorLevel()), QString::number(t.Vox()),
                        QString::number(t.VoxDelay()), QString::number(t.VoxGain())})
        .join(',');
}

} // namespace

TEST_F(CATTX, EveryPropertyFollowsTheCommandRuleWithItsClamps)
{
    const PropertyCase cases[] = {
        {"ClassA", FT2000, VX_SET(TX()->SetClassA(v)), VX_GET(TX()->ClassA()), VX_ON(OnClassA), true, {"CA0001;"}, true},
        {"MicGain", FT2000, VX_SET(TX()->SetMicGain(v)), VX_GET(TX()->MicGain()), VX_ON(OnMicGain), 50, {"MG050;"}, 50},
        {"Monitor", FT2000, VX_SET(TX()->SetMonitor(v)), VX_GET(TX()->Monitor()), VX_ON(OnMonitor), true, {"ML0001;"}, true},
        {"MonitorLevel", FT2000, VX_SET(TX()->SetMonitorLevel(v)), VX_GET(TX()->MonitorLevel()), VX_ON(OnMonitorLevel), 0, {"ML1001;"}, 1},
        {"MonitorLevel", FT950, VX_SET(TX()->SetMonitorLevel(v)), VX_GET(TX()->MonitorLevel()), VX_ON(OnMonitorLevel), 300, {"ML1255;"}, 255},
        {"MonitorLevel", FTDX5000, VX_SET(TX()->SetMonitorLevel(v)), VX_GET(TX()->MonitorLevel()), VX_ON(OnMonitorLevel), 77, {"ML1077;"}, 77},
        {"PowerControl", FT950, VX_SET(TX()->SetPowerControl(v)), VX_GET(TX()->PowerControl()), VX_ON(OnPowerControl), 2, {"PC005;"}, 5},
        {"PowerControl", FT950, VX_SET(TX()->SetPowerControl(v)), VX_GET(TX()->PowerControl()), VX_ON(OnPowerControl), 150, {"PC100;"}, 100},
        {"PowerControl", FT2000, VX_SET(TX()->SetPowerControl(v)), VX_GET(TX()->PowerControl()), VX_ON(OnPowerControl), 300, {"PC255;"}, 255},
        {"PowerControl", FT2000D, VX_SET(TX()->SetPowerControl(v)), VX_GET(TX()->PowerControl()), VX_ON(OnPowerControl), -1, {"PC000;"}, 0},
        {"PowerControl", FTDX5000, VX_SET(TX()->SetPowerControl(v)), VX_GET(TX()->PowerControl()), VX_ON(OnPowerControl), 150, {"PC150;"}, 150},
        {"Processor", FT2000, VX_SET(TX()->SetProcessor(TProcessor(v))), VX_GET(TX()->Processor()), VX_ON(OnProcessor), pOn, {"PR1;"}, pOn},
        {"Processor", FTDX5000, VX_SET(TX()->SetProcessor(TProcessor(v))), VX_GET(TX()->Processor()), VX_ON(OnProcessor), pMicEq, {"PR2;"}, pOff},
        {"ProcessorLevel", FT950, VX_SET(TX()->SetProcessorLevel(v)), VX_GET(TX()->ProcessorLevel()), VX_ON(OnProcessorLevel), 150, {"PL100;"}, 100},
        {"ProcessorLevel", FT950, VX_SET(TX()->SetProcessorLevel(v)), VX_GET(TX()->ProcessorLevel()), VX_ON(OnProcessorLevel), -5, {"PL000;"}, 0},
        {"ProcessorLevel", FT2000D, VX_SET(TX()->SetProcessorLevel(v)), VX_GET(TX()->ProcessorLevel()), VX_ON(OnProcessorLevel), 150, {"PL150;"}, 150},
        {"ProcessorLevel", FT2000, VX_SET(TX()->SetProcessorLevel(v)), VX_GET(TX()->ProcessorLevel()), VX_ON(OnProcessorLevel), 300, {"PL255;"}, 255},
        {"ProcessorLevel", FTDX5000, VX_SET(TX()->SetProcessorLevel(v)), VX_GET(TX()->ProcessorLevel()), VX_ON(OnProcessorLevel), -1, {"PL000;"}, 0},
        {"Vox", FT2000, VX_SET(TX()->SetVox(v)), VX_GET(TX()->Vox()), VX_ON(OnVox), true, {"VX1;"}, true},
        {"VoxGain", FT950, VX_SET(TX()->SetVoxGain(v)), VX_GET(TX()->VoxGain()), VX_ON(OnVoxGain), 150, {"VG100;"}, 100},
        {"VoxGain", FT950, VX_SET(TX()->SetVoxGain(v)), VX_GET(TX()->VoxGain()), VX_ON(OnVoxGain), -5, {"VG000;"}, 0},
        {"VoxGain", FT2000, VX_SET(TX()->SetVoxGain(v)), VX_GET(TX()->VoxGain()), VX_ON(OnVoxGain), 300, {"VG255;"}, 255},
        {"VoxGain", FTDX5000, VX_SET(TX()->SetVoxGain(v)), VX_GET(TX()->VoxGain()), VX_ON(OnVoxGain), 180, {"VG180;"}, 180},
        {"CWBreakInDelay", FT2000, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 10, {"SD0010;"}, 10},
        {"CWBreakInDelay", FT2000, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), -5, {"SD0000;"}, 0},
        {"CWBreakInDelay", FT2000D, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 6000, {"SD5000;"}, 5000},
        {"CWBreakInDelay", FT950, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 10, {"SD0030;"}, 30},
        {"CWBreakInDelay", FT950, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 4000, {"SD3000;"}, 3000},
        {"CWBreakInDelay", FTDX5000, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 10, {"SD0020;"}, 20},
        {"CWBreakInDelay", FTDX5000, VX_SET(TX()->SetCWBreakInDelay(v)), VX_GET(TX()->CWBreakInDelay()), VX_ON(OnCWBreakInDelay), 6000, {"SD5000;"}, 5000},
        {"VoxDelay", FT2000, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), 9000, {"VD5000;"}, 5000},
        {"VoxDelay", FT2000D, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), -5, {"VD0000;"}, 0},
        {"VoxDelay", FT950, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), 0, {"VD0030;"}, 30},
        {"VoxDelay", FT950, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), 3500, {"VD3000;"}, 3000},
        {"VoxDelay", FTDX5000, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), 0, {"VD0020;"}, 20},
        {"VoxDelay", FTDX5000, VX_SET(TX()->SetVoxDelay(v)), VX_GET(TX()->VoxDelay()), VX_ON(OnVoxDelay), 5001, {"VD5000;"}, 5000},
    };
    for (const auto& c : cases)
        checkCommandRule(c, snapshot);
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

TEST_F(CATTX, PowerTablesCoverEveryValue)
{
    // The radios' tables as ranges of the 0..255 power control value and their watts.
    const QString ft2000 = "0-29: 5, 30-32: 6, 33-42: 7, 43-54: 8, 55-58: 9, 59-66: 10, 67-70: 12, 71-74: 14, "
                           "75-82: 16, 83-94: 18, 95-98: 20, 99-106: 25, 107-114: 30, 115-118: 35, 119-130: 40, "
                           "131-141: 45, 142-148: 50, 149-153: 55, 154-161: 60, 162-169: 65, 170-173: 70, "
                           "174-177: 75, 178-193: 80, 194-201: 85, 202-217: 90, 218-229: 95, 230-255: 100";
    const QString ft200W = "0-30: 10, 31-41: 12, 42-44: 14, 45-49: 18, 50-54: 20, 55-62: 25, 63-70: 30, 71-78: 35, "
                           "79-82: 40, 83-86: 45, 87-94: 50, 95-98: 55, 99-102: 60, 103-106: 65, 107-110: 70, "
                           "111-116: 75, 117-119: 80, 120-123: 85, 124-127: 90, 128-139: 95, 140-143: 100, "
                           "144-147: 110, 148-151: 120, 152-159: 130, 160-167: 140, 168-171: 150, 172-179: 160, "
                           "180-191: 170, 192-203: 180, 204-215: 190, 216-255: 200";
    const auto expand = [](const QString& table) {
        std::vector<int> watts;
        for (const QString& range : table.split(", ")) {
            const QStringList parts = range.split(QRegularExpression("[-:] ?"));
            EXPECT_EQ(parts[0].toInt(), int(watts.size())) << range.toStdString();
            watts.resize(parts[1].toInt() + 1, parts[2].toInt());
        }
        EXPECT_EQ(watts.size(), 256u);
        return watts;
    };
    std::vector<int> ft950(256);
    for (int v = 0; v < 256; ++v)
        ft950[v] = std::clamp(v, 5, 100);
    const struct {
        TTransceiver model;
        std::vector<int> watts;
    } models[] = {{FT2000, expand(ft2000)}, {FT2000D, expand(ft200W)}, {FTDX5000, expand(ft200W)}, {FT950, ft950}};
    for (const auto& m : models) {
        TFTCATInterface engine;
        engine.SetTransceiver(m.model);
        for (int v = 0; v < 256; ++v) {
            engine.PrepareRX();
            engine.TX()->SetPowerControl(v);
            ASSERT_EQ(int(engine.TX()->PowerControlWatt()), m.watts[v]) << int(m.model) << " " << v;
        }
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
