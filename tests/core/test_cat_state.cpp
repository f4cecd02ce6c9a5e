#include "CATFixture.h"

#include "core/cat/Tuning.h"

#include <functional>
#include <vector>

namespace {

// Every engine state item of the setters, as one text, to show that a command changed none.
QString snapshot(const TFTCATInterface& c)
{
    QStringList s;
    for (uint8_t v = 0; v < 2; ++v) {
        s << QString::number(c.Antenna(v)) << QString::number(c.AntennaRX(v)) << QString::number(c.Band(v))
          << QString::number(c.Frequency(v)) << QString::number(c.Mode(v));
    }
    s << QString::number(c.AntennaTuner()) << c.Bargraph() << QString::number(c.BreakIn())
      << QString::number(c.BusyA()) << QString::number(c.BusyB()) << QString::number(c.CWSpot())
      << QString::number(c.ClarifierOffset()) << QString::number(c.ClarifierRange())
      << QString::number(c.ClarifierRX()) << QString::number(c.ClarifierTX()) << QString::number(c.DigitalMeter())
      << QString::number(c.Display()) << QString::number(c.FastStepA()) << QString::number(c.FastStepB())
      << QString::number(c.FunctionRX()) << QString::number(c.FunctionTX()) << QString::number(c.LockA())
      << QString::number(c.LockB()) << QString::number(c.Meter()) << QString::number(c.MeterSwitch())
      << QString::number(c.ModeKey()) << QString::number(c.ModeType()) << QString::number(c.MOX())
      << QString::number(c.PLLUnlockStatus()) << QString::number(c.RadioStatus())
      << QString::number(c.RepeaterShiftA()) << QString::number(c.RepeaterShiftB()) << QString::number(c.RXAOn())
      << QString::number(c.RXBOn()) << QString::number(c.Scan()) << QString::number(c.ShowMeter())
      << QString::number(c.Split()) << QString::number(c.SubDialFunction()) << QString::number(c.Transmitting())
      << QString::number(c.TXSet()) << QString::number(c.TXWatch()) << QString::number(c.VFOMemoryMode())
      << QString::number(c.VFOSelect()) << QString::number(c.Tuning()->FrequencyA())
      << QString::number(c.Tuning()->FrequencyB());
    return s.join(',');
}

} // namespace

class CATState : public CATFixture {};

TEST_F(CATState, InitialState)
{
    EXPECT_EQ(cat->AntennaA(), ant1);
    EXPECT_EQ(cat->BandB(), bd40);
    EXPECT_EQ(cat->Bargraph(), "000");
    EXPECT_EQ(cat->ClarifierRange(), 9999);
    EXPECT_TRUE(cat->DigitalMeter());
    EXPECT_EQ(cat->FrequencyA(), 7000000);
    EXPECT_EQ(cat->ModeB(), mdCW);
    EXPECT_EQ(cat->ModeKey(), mkCW);
    EXPECT_EQ(cat->ModeType(), mtCW);
    EXPECT_EQ(cat->MeterSwitch(), mtSWR);
    EXPECT_TRUE(cat->RXAOn());
    EXPECT_FALSE(cat->RXBOn());
    EXPECT_TRUE(cat->ShowMeter());
    EXPECT_EQ(cat->SubDialFunction(), sdfOff);
    EXPECT_EQ(cat->TransverterOffset(), 44);
    EXPECT_EQ(cat->VFOMemoryMode(), vmVFOMode);
    EXPECT_EQ(cat->FastStepCode(), 0);
    EXPECT_EQ(cat->LockCode(), 0);
    EXPECT_EQ(cat->Scan(), scOff);
}

TEST_F(CATState, EveryPropertyFollowsTheCommandRule)
{
    const PropertyCase cases[] = {
        {"AntennaA", FT2000, VX_SET(SetAntennaA(TAntenna(v))), VX_GET(AntennaA()), VX_ON(OnAntenna), ant4, {"AN04;"}, ant4, 0},
        {"AntennaB", FT2000, VX_SET(SetAntennaB(TAntenna(v))), VX_GET(AntennaB()), VX_ON(OnAntenna), ant3, {"AN13;"}, ant3, 1},
        {"AntennaRXA", FT2000, VX_SET(SetAntennaRXA(v)), VX_GET(AntennaRXA()), VX_ON(OnAntennaRX), true, {"AN05;"}, true, 0},
        {"AntennaRXB", FTDX5000, VX_SET(SetAntennaRXB(v)), VX_GET(AntennaRXB()), VX_ON(OnAntennaRX), true, {"AN15;"}, true, 1},
        {"AntennaTuner", FT2000, VX_SET(SetAntennaTuner(TAntennaTuner(v))), VX_GET(AntennaTuner()), VX_ON(OnAntennaTuner), atOn, {"AC001;"}, atOn},
        {"BreakIn", FT2000, VX_SET(SetBreakIn(v)), VX_GET(BreakIn()), VX_ON(OnBreakIn), true, {"BI1;"}, true},
        {"CWSpot", FT950, VX_SET(SetCWSpot(v)), VX_GET(CWSpot()), VX_ON(OnCWSpot), true, {"CS1;"}, true},
        {"ClarifierRX", FT2000, VX_SET(SetClarifierRX(v)), VX_GET(ClarifierRX()), VX_ON(OnClarifierRX), true, {"RT1;"}, true},
        {"ClarifierTX", FT2000, VX_SET(SetClarifierTX(v)), VX_GET(ClarifierTX()), VX_ON(OnClarifierTX), true, {"XT1;"}, true},
        {"Display", FT2000, VX_SET(SetDisplay(TDisplay(v))), VX_GET(Display()), VX_ON(OnDisplay), dpRotator, {"DP5;"}, dpRotator},
        {"FastStepA", FT2000, VX_SET(SetFastStepA(v)), VX_GET(FastStepA()), VX_ON(OnFastStepA), true, {"FS1;"}, true},
        {"FastStepB", FT2000, VX_SET(SetFastStepB(v)), VX_GET(FastStepB()), VX_ON(OnFastStepB), true, {"FS3;"}, true},
        {"FastStepB", FT2000D, VX_SET(SetFastStepB(v)), VX_GET(FastStepB()), VX_ON(OnFastStepB), true, {"FS3;"}, true},
        {"FastStepB", FT950, VX_SET(SetFastStepB(v)), VX_GET(FastStepB()), VX_ON(OnFastStepB), true, {"FS3;"}, true},
        {"FastStepB", FTDX5000, VX_SET(SetFastStepB(v)), VX_GET(FastStepB()), VX_ON(OnFastStepB), true, {"FS6;"}, true},
        {"FrequencyA", FT2000, VX_SET(SetFrequencyA(v)), VX_GET(FrequencyA()), VX_ON(OnFrequency), 70000000, {"FA60000000;"}, 60000000, 0},
        {"FrequencyA", FT950, VX_SET(SetFrequencyA(v)), VX_GET(FrequencyA()), VX_ON(OnFrequency), 14074000, {"FA14074000;"}, 14074000, 0},
        {"FrequencyB", FTDX5000, VX_SET(SetFrequencyB(v)), VX_GET(FrequencyB()), VX_ON(OnFrequency), 10000, {"FB00030000;"}, 30000, 1},
        {"FunctionRX", FT2000, VX_SET(SetFunctionRX(TFunctionRX(v))), VX_GET(FunctionRX()), VX_ON(OnFunctionRX), frxAMute_BRX, {"FR3;"}, frxAMute_BRX},
        {"FunctionTX", FT2000, VX_SET(SetFunctionTX(TVFO(v))), VX_GET(FunctionTX()), VX_ON(OnFunctionTX), vfoB, {"FT3;"}, vfoB},
        {"LockA", FT2000, VX_SET(SetLockA(v)), VX_GET(LockA()), VX_ON(OnLockA), true, {"LK1;"}, true},
        {"LockB", FT2000, VX_SET(SetLockB(v)), VX_GET(LockB()), VX_ON(OnLockB), true, {"LK3;"}, true},
        {"LockB", FT2000D, VX_SET(SetLockB(v)), VX_GET(LockB()), VX_ON(OnLockB), true, {"LK3;"}, true},
        {"LockB", FT950, VX_SET(SetLockB(v)), VX_GET(LockB()), VX_ON(OnLockB), true, {"LK3;"}, true},
        {"LockB", FTDX5000, VX_SET(SetLockB(v)), VX_GET(LockB()), VX_ON(OnLockB), true, {"LK6;"}, true},
        {"MeterSwitch", FT2000, VX_SET(SetMeterSwitch(TMeterSwitch(v))), VX_GET(MeterSwitch()), VX_ON(OnMeterSwitch), mtALC, {"MS1;"}, mtALC},
        {"ModeA", FT2000, VX_SET(SetModeA(TMode(v))), VX_GET(ModeA()), VX_ON(OnModeA), mdUSB, {"MD02;"}, mdUSB, -1, {"SH0;", "NA0;"}},
        {"ModeA", FTDX5000, VX_SET(SetModeA(TMode(v))), VX_GET(ModeA()), VX_ON(OnModeA), mdFSK, {"MD06;"}, mdFSK, -1, {"SH0;", "NA0;"}},
        {"ModeB", FT950, VX_SET(SetModeB(TMode(v))), VX_GET(ModeB()), VX_ON(OnModeB), mdPKT_U, {"MD1C;"}, mdPKT_U},
        {"ModeB", FTDX5000, VX_SET(SetModeB(TMode(v))), VX_GET(ModeB()), VX_ON(OnModeB), mdLSB, {"MD11;"}, mdLSB, -1, {"SH1;", "NA1;"}},
        {"MOX", FT2000, VX_SET(SetMOX(v)), VX_GET(MOX()), VX_ON(OnMOX), true, {"MX1;"}, true},
        {"PLLUnlockStatus", FT2000, VX_SET(SetPLLUnlockStatus(v)), VX_GET(PLLUnlockStatus()), VX_ON(OnPLLUnlockStatus), true, {"UL1;"}, true},
        {"RadioStatus", FT2000, VX_SET(SetRadioStatus(TRadioStatus(v))), VX_GET(RadioStatus()), VX_ON(OnRadioStatus), rsMenuMode, {"RS;"}, rsMenuMode},
        {"RepeaterShiftA", FT2000, VX_SET(SetRepeaterShiftA(TRepeaterShift(v))), VX_GET(RepeaterShiftA()), VX_ON(OnRepeaterShiftA), rsMinusShift, {"OS02;"}, rsMinusShift},
        {"RepeaterShiftB", FT2000, VX_SET(SetRepeaterShiftB(TRepeaterShift(v))), VX_GET(RepeaterShiftB()), VX_ON(OnRepeaterShiftB), rsPlusShift, {"OS11;"}, rsPlusShift},
        {"SubDialFunction", FT2000, VX_SET(SetSubDialFunction(TSubDialFunction(v))), VX_GET(SubDialFunction()), VX_ON(OnSubDialFunction), sdfFastVFOB, {"SF6;"}, sdfFastVFOB},
        {"SubDialFunction", FT2000D, VX_SET(SetSubDialFunction(TSubDialFunction(v))), VX_GET(SubDialFunction()), VX_ON(OnSubDialFunction), sdfBandVFOA, {"SF0;"}, sdfBandVFOA},
        {"SubDialFunction", FT950, VX_SET(SetSubDialFunction(TSubDialFunction(v))), VX_GET(SubDialFunction()), VX_ON(OnSubDialFunction), sdfGRP, {"SF2;"}, sdfGRP},
        {"SubDialFunction", FTDX5000, VX_SET(SetSubDialFunction(TSubDialFunction(v))), VX_GET(SubDialFunction()), VX_ON(OnSubDialFunction), sdfCLAR, {"SF08;"}, sdfCLAR},
        {"TXSet", FT2000, VX_SET(SetTXSet(v)), VX_GET(TXSet()), VX_ON(OnTXSet), 7, {"TX3;"}, 3},
        {"TXSet", FT950, VX_SET(SetTXSet(v)), VX_GET(TXSet()), VX_ON(OnTXSet), -1, {"TX0;"}, 0},
        {"TXWatch", FT2000, VX_SET(SetTXWatch(v)), VX_GET(TXWatch()), VX_ON(OnTXWatch), true, {"TS1;"}, true},
        {"VFOSelect", FT2000, VX_SET(SetVFOSelect(TVFO(v))), VX_GET(VFOSelect()), VX_ON(OnVFOSelect), vfoB, {"VS1;"}, vfoB},
    };
    for (const auto& c : cases)
        checkCommandRule(c, snapshot);
}

TEST_F(CATState, ClarifierOperationSendsTheOffsetInSteps)
{
    const struct {
        int32_t offset;
        const char* text;
    } cases[] = {{-25, "RD0025;"}, {12000, "RU9999;"}, {-12000, "RD9999;"}, {0, "RC;"}, {7, "RU0007;"}};
    connect();
    const QString before = snapshot(*cat);
    for (const auto& c : cases) {
        sent.clear();
        user([&] { cat->SetClarifier(c.offset); });
        EXPECT_EQ(sent, QStringList({c.text})) << c.offset;
        EXPECT_EQ(snapshot(*cat), before) << c.offset;
    }
}

TEST_F(CATState, UserCommandsWithoutRadioStoreAndRaise)
{
    std::vector<QString> events;
    cat->OnAntenna = [&](uint8_t v, TAntenna a) { events.push_back(QString("ant %1 %2").arg(v).arg(a)); };
    cat->OnFunctionRX = [&](TFunctionRX f) { events.push_back(QString("frx %1").arg(f)); };
    cat->OnFunctionTX = [&](TVFO v) { events.push_back(QString("ftx %1").arg(v)); };
    cat->OnIPCInformation = [&](TIPCInformation i) { events.push_back(QString("ipc %1").arg(i)); };
    cat->OnMOX = [&](bool v) { events.push_back(QString("mox %1").arg(v)); };
    cat->OnMOXChange = [&](bool v) { events.push_back(QString("moxchange %1").arg(v)); };
    cat->OnTransmitting = [&](bool v) { events.push_back(QString("transmitting %1").arg(v)); };
    cat->OnTXSet = [&](uint8_t v) { events.push_back(QString("txset %1").arg(v)); };
    cat->OnRepeaterShiftB = [&](TRepeaterShift r) { events.push_back(QString("osb %1").arg(r)); };

    user([&] { cat->SetAntennaB(ant3); });
    user([&] { cat->SetFunctionRX(frxAOff_BRX); });
    user([&] { cat->SetFunctionTX(vfoB); });
    user([&] { cat->SetMOX(true); });
    user([&] { cat->SetTXSet(2); });
    user([&] { cat->SetRepeaterShiftB(rsMinusShift); });
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(events, std::vector<QString>({"ant 1 2", "frx 4", "ftx 1", QString("ipc %1").arg(ipcSplit), "mox 1",
                                            "moxchange 1", "transmitting 1", "txset 2",
                                            QString("ipc %1").arg(ipcTX), "osb 2"}));
    EXPECT_EQ(cat->AntennaB(), ant3);
    EXPECT_FALSE(cat->RXAOn());
    EXPECT_TRUE(cat->RXBOn());
    EXPECT_TRUE(cat->Split());
    EXPECT_TRUE(cat->Transmitting());
    EXPECT_EQ(cat->RepeaterShiftA(), rsSimplex);

    // The same values again raise nothing.
    events.clear();
    user([&] { cat->SetAntennaB(ant3); });
    user([&] { cat->SetMOX(true); });
    user([&] { cat->SetTXSet(2); });
    EXPECT_TRUE(events.empty());
}

TEST_F(CATState, FunctionRXSetsTheReceiversAndReportsTheSubReceiver)
{
    const struct {
        TFunctionRX value;
        bool a, b, sub;
    } cases[] = {{frxAMute_BOFF, false, false, false}, {frxARX_BRX, true, true, true},
                 {frxAMute_BRX, false, true, true},    {frxAOff_BRX, false, true, false},
                 {frxAOff_BMute, false, true, false},  {frxARX_BOFF, true, false, false}};
    std::vector<bool> sub;
    cat->OnSubReceiver = [&](bool v) { sub.push_back(v); };
    for (const auto& c : cases) {
        sub.clear();
        received([&] { cat->SetFunctionRX(c.value); });
        EXPECT_EQ(cat->RXAOn(), c.a) << int(c.value);
        EXPECT_EQ(cat->RXBOn(), c.b) << int(c.value);
        EXPECT_EQ(sub, std::vector<bool>({c.sub})) << int(c.value);
    }
    // Reported again even when unchanged; never on the FT-950.
    sub.clear();
    received([&] { cat->SetFunctionRX(frxARX_BOFF); });
    EXPECT_EQ(sub, std::vector<bool>({false}));
    setModel(FT950);
    sub.clear();
    received([&] { cat->SetFunctionRX(frxARX_BRX); });
    EXPECT_TRUE(sub.empty());
    EXPECT_TRUE(cat->RXBOn());
}

TEST_F(CATState, FrequencyClampsFollowsTuningAndSetsTheBand)
{
    connect();
    user([&] { cat->SetFrequencyA(70000000); });
    EXPECT_EQ(sent, QStringList({"FA60000000;"}));
    EXPECT_EQ(cat->FrequencyA(), 7000000);

    // Equal to the stored value: nothing, even on a connected link.
    sent.clear();
    user([&] { cat->SetFrequencyA(7000000); });
    EXPECT_TRUE(sent.isEmpty());

    std::vector<std::pair<int, int>> freq, tuning;
    std::vector<std::pair<int, int>> bands;
    std::vector<TIPCInformation> ipc;
    cat->OnFrequency = [&](uint8_t v, int32_t hz) { freq.push_back({v, hz}); };
    cat->OnTuningFrequency = [&](uint8_t v, int32_t hz) { tuning.push_back({v, hz}); };
    cat->OnBand = [&](uint8_t v, TBand b) { bands.push_back({v, b}); };
    cat->OnIPCInformation = [&](TIPCInformation i) { ipc.push_back(i); };
    received([&] { cat->SetFrequencyA(70000000); });
    EXPECT_EQ(cat->FrequencyA(), 60000000);
    EXPECT_EQ(cat->BandA(), bdAll);
    EXPECT_EQ(cat->Tuning()->FrequencyA(), 60000000);
    EXPECT_EQ(freq, (std::vector<std::pair<int, int>>({{0, 60000000}})));
    EXPECT_EQ(tuning, (std::vector<std::pair<int, int>>({{0, 60000000}})));
    EXPECT_EQ(bands, (std::vector<std::pair<int, int>>({{0, bdAll}})));
    EXPECT_EQ(ipc, std::vector<TIPCInformation>({ipcFrequencyA}));
    EXPECT_TRUE(sent.isEmpty());

    // While VFO B is being tuned its local frequency is left alone.
    cat->Tuning()->SetIsTuningB(true);
    tuning.clear();
    received([&] { cat->SetFrequencyB(14074000); });
    EXPECT_EQ(cat->FrequencyB(), 14074000);
    EXPECT_EQ(cat->BandB(), bd20);
    EXPECT_EQ(cat->Tuning()->FrequencyB(), 7000000);
    EXPECT_TRUE(tuning.empty());
    EXPECT_EQ(ipc.back(), ipcFrequencyB);

    // Without a link the user's assignment is stored clamped, with its band.
    TFTCATInterface alone;
    alone.PrepareTX();
    alone.SetFrequencyA(70000000);
    EXPECT_EQ(alone.FrequencyA(), 60000000);
    EXPECT_EQ(alone.BandA(), bdAll);
    EXPECT_EQ(alone.Tuning()->FrequencyA(), 60000000);
}

TEST_F(CATState, FrequencyCopiesGoThroughTheSetter)
{
    received([&] { cat->SetFrequencyB(3573000); });
    connect();
    user([&] { cat->FrequencyAToB(); });
    user([&] { cat->FrequencyBToA(); });
    EXPECT_EQ(sent, QStringList({"FB07000000;", "FA03573000;"}));
    sent.clear();
    cat->SetComState(csOffline);
    user([&] { cat->FrequencyBToA(); });
    EXPECT_EQ(cat->FrequencyA(), 3573000);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATState, ReceivedModeABookkeepingAndFilterQueries)
{
    std::vector<TModeType> types;
    std::vector<TMode> modes;
    std::vector<TIPCInformation> ipc;
    cat->OnModeChange = [&](TModeType t) { types.push_back(t); };
    cat->OnModeA = [&](TMode m) { modes.push_back(m); };
    cat->OnIPCInformation = [&](TIPCInformation i) { ipc.push_back(i); };

    received([&] { cat->SetModeA(mdUSB); });
    EXPECT_EQ(cat->ModeA(), mdUSB);
    EXPECT_EQ(cat->ModeType(), mtPhone);
    EXPECT_EQ(cat->ModeKey(), mkUSB);
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_EQ(types, std::vector<TModeType>({mtPhone}));
    EXPECT_EQ(modes, std::vector<TMode>({mdUSB}));
    EXPECT_EQ(ipc, std::vector<TIPCInformation>({ipcModeA}));
    EXPECT_EQ(sent, QStringList({"SH0;", "NA0;"}));

    // Another phone mode: no type change, but the queries go out again.
    sent.clear();
    received([&] { cat->SetModeA(mdAM); });
    EXPECT_EQ(types.size(), 1u);
    EXPECT_EQ(cat->ModeKey(), mkAM);
    EXPECT_EQ(sent, QStringList({"SH0;", "NA0;"}));

    const struct {
        TMode mode;
        TModeType type;
        TModeKey key;
    } table[] = {{mdLSB, mtPhone, mkLSB},      {mdCW_R, mtCW, mkCW},         {mdFM_N, mtPhone, mkFM},
                 {mdFSK_R, mtDigital, mkRTTY}, {mdPKT_FM, mtDigital, mkPKT}, {mdPKT_U, mtDigital, mkPKT},
                 {mdFSK, mtDigital, mkRTTY},   {mdPKT_L, mtDigital, mkPKT},  {mdCW, mtCW, mkCW}};
    for (const auto& t : table) {
        received([&] { cat->SetModeA(t.mode); });
        EXPECT_EQ(cat->ModeType(), t.type) << int(t.mode);
        EXPECT_EQ(cat->ModeKey(), t.key) << int(t.mode);
    }

    // Mode B leaves type and key alone and asks again only on the FT DX 5000.
    sent.clear();
    std::vector<TMode> modesB;
    cat->OnModeB = [&](TMode m) { modesB.push_back(m); };
    received([&] { cat->SetModeB(mdUSB); });
    EXPECT_EQ(cat->ModeType(), mtCW);
    EXPECT_EQ(cat->ModeKey(), mkCW);
    EXPECT_EQ(modesB, std::vector<TMode>({mdUSB}));
    EXPECT_EQ(ipc.back(), ipcModeB);
    EXPECT_TRUE(sent.isEmpty());
    setModel(FTDX5000);
    received([&] { cat->SetModeB(mdLSB); });
    EXPECT_EQ(sent, QStringList({"SH1;", "NA1;"}));
}

TEST_F(CATState, ModeKeyAlwaysStoresAndSends)
{
    user([&] { cat->SetModeKey(mkRTTY); });
    user([&] { cat->SetModeKey(mkRTTY); });
    EXPECT_EQ(cat->ModeKey(), mkRTTY);
    EXPECT_EQ(sent, QStringList({"MK5;", "MK5;"}));
}

TEST_F(CATState, ClarifierRangeClampsAndClears)
{
    std::vector<int> ranges;
    cat->OnClarifierRange = [&](int32_t v) { ranges.push_back(v); };
    cat->SetClarifierRange(20);
    EXPECT_EQ(cat->ClarifierRange(), 50);
    EXPECT_EQ(ranges, std::vector<int>({50}));
    EXPECT_EQ(sent, QStringList({"RC;"}));
    cat->SetClarifierRange(20000);
    EXPECT_EQ(cat->ClarifierRange(), 9999);
}

TEST_F(CATState, ClarifierOffsetAndMemoryModeOnlyFromTheRadio)
{
    std::vector<int> offsets;
    cat->OnClarifierOffset = [&](int32_t v) { offsets.push_back(v); };
    connect();
    cat->PrepareTX();
    cat->SetClarifierOffset(120);
    cat->SetVFOMemoryMode(vmMemoryMode);
    EXPECT_EQ(cat->ClarifierOffset(), 0);
    EXPECT_EQ(cat->VFOMemoryMode(), vmVFOMode);

    received([&] { cat->SetClarifierOffset(120); });
    EXPECT_FALSE(cat->CmdRcvd());
    received([&] { cat->SetVFOMemoryMode(vmQMB); });
    EXPECT_EQ(cat->ClarifierOffset(), 120);
    EXPECT_EQ(cat->VFOMemoryMode(), vmQMB);

    // The clarifier operation stores through the same path when there is no radio.
    cat->SetComState(csOffline);
    user([&] { cat->SetClarifier(-25000); });
    EXPECT_EQ(cat->ClarifierOffset(), -9999);
    EXPECT_EQ(offsets, std::vector<int>({120, -9999}));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATState, SubDialFunctionByModel)
{
    const struct {
        TTransceiver model;
        TSubDialFunction value;
        const char* text; // nullptr: nothing is sent
    } cases[] = {
        {FT2000, sdfBandVFOA, "SF0;"}, {FT2000D, sdfFastVFOB, "SF6;"}, {FT2000, sdfOff, nullptr},
        {FT2000, sdfDIAL, nullptr},    {FT950, sdfMCH, "SF3;"},        {FT950, sdfBandVFOB, nullptr},
        {FT950, sdfAB, nullptr},       {FTDX5000, sdfBand, "SF00;"},   {FTDX5000, sdfGRP, "SF02;"},
        {FTDX5000, sdfMCH, "SF03;"},   {FTDX5000, sdfDIAL, "SF07;"},   {FTDX5000, sdfCLAR, "SF08;"},
        {FTDX5000, sdfBandVFOA, nullptr},
    };
    connect();
    for (const auto& c : cases) {
        setModel(c.model);
        sent.clear();
        user([&] { cat->SetSubDialFunction(c.value); });
        EXPECT_EQ(sent, c.text ? QStringList({c.text}) : QStringList()) << int(c.model) << " " << int(c.value);
    }
    EXPECT_EQ(cat->SubDialFunction(), sdfOff);

    // A/B goes out every time, also when it is the stored function.
    setModel(FT2000);
    received([&] { cat->SetSubDialFunction(sdfAB); });
    sent.clear();
    user([&] { cat->SetSubDialFunction(sdfAB); });
    user([&] { cat->SetSubDialFunction(sdfAB); });
    EXPECT_EQ(sent, QStringList({"SF7;", "SF7;"}));

    std::vector<TSubDialFunction> events;
    cat->OnSubDialFunction = [&](TSubDialFunction f) { events.push_back(f); };
    received([&] { cat->SetSubDialFunction(sdfAB); });
    received([&] { cat->SetSubDialFunction(sdfMCH); });
    received([&] { cat->SetSubDialFunction(sdfMCH); });
    EXPECT_EQ(events, std::vector<TSubDialFunction>({sdfAB, sdfMCH}));
}

TEST_F(CATState, BSideFastStepAndLockCommandsMatchTheAnswerCodes)
{
    // The code a B setter sends, read back as the radio's answer, gives the flag it asked for.
    struct Side {
        const char* code;
        std::function<void(TFTCATInterface&, bool)> set;
        std::function<void(TFTCATInterface&, uint8_t)> answer;
        std::function<bool(const TFTCATInterface&)> b;
    };
    const Side sides[] = {
        {"FS", [](TFTCATInterface& c, bool v) { c.SetFastStepB(v); },
         [](TFTCATInterface& c, uint8_t code) { c.SetFastStepCode(code); },
         [](const TFTCATInterface& c) { return c.FastStepB(); }},
        {"LK", [](TFTCATInterface& c, bool v) { c.SetLockB(v); },
         [](TFTCATInterface& c, uint8_t code) { c.SetLockCode(code); },
         [](const TFTCATInterface& c) { return c.LockB(); }},
    };
    const struct {
        TTransceiver model;
        char on, off;
    } models[] = {{FT2000, '3', '2'}, {FT2000D, '3', '2'}, {FT950, '3', '2'}, {FTDX5000, '6', '4'}};
    connect();
    for (const auto& m : models) {
        setModel(m.model);
        for (const auto& side : sides) {
            for (bool value : {true, false}) {
                const QString expected = QLatin1String(side.code) + QLatin1Char(value ? m.on : m.off) + u';';
                received([&] { side.set(*cat, !value); });
                sent.clear();
                user([&] { side.set(*cat, value); });
                ASSERT_EQ(sent, QStringList({expected})) << int(m.model);
                EXPECT_EQ(side.b(*cat), !value) << expected.toStdString();
                received([&] { side.answer(*cat, uint8_t(sent[0].mid(2, 1).toInt())); });
                EXPECT_EQ(side.b(*cat), value) << int(m.model) << " " << expected.toStdString();
            }
        }
    }
}

TEST_F(CATState, FastStepAndLockCodesDecodeIntoBothFlags)
{
    struct Side {
        std::function<void(uint8_t)> setCode;
        std::function<bool()> a, b;
        TSwitchEvent* onA;
        TSwitchEvent* onB;
    };
    TFTCATInterface& c = *cat;
    const Side sides[] = {
        {[&](uint8_t v) { c.SetFastStepCode(v); }, [&] { return c.FastStepA(); }, [&] { return c.FastStepB(); },
         &c.OnFastStepA, &c.OnFastStepB},
        {[&](uint8_t v) { c.SetLockCode(v); }, [&] { return c.LockA(); }, [&] { return c.LockB(); }, &c.OnLockA,
         &c.OnLockB},
    };
    // Code, then the flags expected when starting from the flags of the previous row.
    const struct {
        uint8_t code;
        bool a, b;
    } steps[] = {{7, true, true}, {0, false, true}, {1, true, true}, {2, true, false},
                 {3, true, true}, {4, false, false}, {5, true, false}, {6, false, true}};
    for (const auto& side : sides) {
        std::vector<std::pair<bool, bool>> events;
        bool lastA = false;
        *side.onA = [&](bool v) { lastA = v; };
        *side.onB = [&](bool v) { events.push_back({lastA, v}); };
        for (const auto& s : steps) {
            received([&] { side.setCode(s.code); });
            EXPECT_EQ(side.a(), s.a) << int(s.code);
            EXPECT_EQ(side.b(), s.b) << int(s.code);
            EXPECT_FALSE(cat->CmdRcvd());
        }
        EXPECT_EQ(events.size(), 8u);
        // The same code again changes nothing.
        received([&] { side.setCode(6); });
        EXPECT_EQ(events.size(), 8u);
        *side.onA = nullptr;
        *side.onB = nullptr;
    }

    // A flag set without a radio does not hide the radio's next report of the old code.
    cat->SetComState(csOffline);
    user([&] { cat->SetFastStepA(true); });
    EXPECT_TRUE(cat->FastStepA());
    received([&] { cat->SetFastStepCode(6); });
    EXPECT_FALSE(cat->FastStepA());
    EXPECT_TRUE(cat->FastStepB());
}

TEST_F(CATState, LockAStoringClearsTheReceivedFlag)
{
    received([&] { cat->SetLockA(true); });
    EXPECT_TRUE(cat->LockA());
    EXPECT_FALSE(cat->CmdRcvd());
}

TEST_F(CATState, BusyAndScanAreReportedOnChange)
{
    std::vector<std::pair<bool, bool>> busy;
    std::vector<TScan> scans;
    cat->OnBusy = [&](bool a, bool b) { busy.push_back({a, b}); };
    cat->OnScan = [&](TScan s) { scans.push_back(s); };
    cat->SetBusy(false, true);
    cat->SetBusy(false, true);
    cat->SetBusy(true, true);
    EXPECT_EQ(busy, (std::vector<std::pair<bool, bool>>({{false, true}, {true, true}})));
    EXPECT_TRUE(cat->BusyA());
    cat->SetScan(scUpward);
    cat->SetScan(scUpward);
    cat->SetScan(scOff);
    EXPECT_EQ(scans, std::vector<TScan>({scUpward, scOff}));
}

TEST_F(CATState, MeterStoresOnlyFromTheRadioAndReportsOnlyWhileShown)
{
    std::vector<int> meter;
    cat->OnMeter = [&](uint8_t v) { meter.push_back(v); };
    connect();
    user([&] { cat->SetMeter(40); });
    EXPECT_EQ(cat->Meter(), 0);
    received([&] { cat->SetMeter(40); });
    received([&] { cat->SetMeter(40); });
    EXPECT_EQ(meter, std::vector<int>({40, 40}));
    cat->SetShowMeter(false);
    received([&] { cat->SetMeter(90); });
    EXPECT_EQ(cat->Meter(), 90);
    EXPECT_EQ(meter, std::vector<int>({40, 40}));
}

TEST_F(CATState, SwitchingTheMeterOffZeroesItWithoutFakingALink)
{
    std::vector<QString> events;
    QStringList rx;
    cat->OnCATCommandRX = [&](const QString& s) { rx << s; };
    cat->OnShowMeter = [&](bool v) { events.push_back(QString("show %1").arg(v)); };
    cat->OnShowMeterMeter = [&](bool v) { events.push_back(QString("meter %1").arg(v)); };
    cat->OnComState = [&](TComState s) { events.push_back(QString("state %1").arg(s)); };
    cat->SetShowMeter(false);
    EXPECT_FALSE(cat->ShowMeter());
    EXPECT_EQ(rx, QStringList({"RM0000;SM0000;SM1000;"}));
    EXPECT_EQ(events, std::vector<QString>({"show 0", "meter 0"}));
    EXPECT_EQ(cat->ComState(), csInitializing);
    EXPECT_FALSE(cat->CAT());
    EXPECT_TRUE(sent.isEmpty());

    events.clear();
    cat->SetShowMeter(false);
    cat->SetShowMeter(true);
    EXPECT_EQ(events, std::vector<QString>({"show 1", "meter 1"}));
    EXPECT_EQ(rx.size(), 1);
}

TEST_F(CATState, DigitalMeterStaysOnOnTheFT950)
{
    std::vector<QString> events;
    cat->OnDigitalMeter = [&](bool v) { events.push_back(QString("dm %1").arg(v)); };
    cat->OnDigitalMeterChange = [&](bool v) { events.push_back(QString("change %1").arg(v)); };
    setModel(FT950);
    cat->SetDigitalMeter(false);
    EXPECT_TRUE(cat->DigitalMeter());
    EXPECT_EQ(events, std::vector<QString>({"dm 1", "change 1"}));
    setModel(FTDX5000);
    cat->SetDigitalMeter(false);
    EXPECT_FALSE(cat->DigitalMeter());
    EXPECT_EQ(events.back(), "change 0");
}

TEST_F(CATState, RadioLeavingMenuModeStartsAPoll)
{
    connect();
    received([&] { cat->SetRadioStatus(rsMenuMode); });
    EXPECT_EQ(cat->RadioStatus(), rsMenuMode);
    EXPECT_FALSE(cat->RequestTimer()->isActive());
    received([&] { cat->SetRadioStatus(rsNormalMode); });
    EXPECT_TRUE(cat->RequestTimer()->isActive());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATState, TunerStartLeavesTheTunerOn)
{
    std::vector<TAntennaTuner> events;
    cat->OnAntennaTuner = [&](TAntennaTuner t) { events.push_back(t); };
    connect();
    user([&] { cat->SetAntennaTuner(atStart); });
    EXPECT_EQ(sent, QStringList({"AC002;"}));
    EXPECT_EQ(cat->AntennaTuner(), atOn);
    EXPECT_EQ(events, std::vector<TAntennaTuner>({atOn}));
    received([&] { cat->SetAntennaTuner(atOff); });
    EXPECT_EQ(events.back(), atOff);
}

TEST_F(CATState, AntennaUpAndDownStepTheSelectedVFO)
{
    received([&] { cat->SetVFOSelect(vfoB); });
    cat->AntennaDown();
    EXPECT_EQ(cat->AntennaB(), ant2);
    cat->AntennaUp();
    cat->AntennaUp();
    EXPECT_EQ(cat->AntennaB(), ant4);
    cat->AntennaDown();
    EXPECT_EQ(cat->AntennaB(), ant1);
    EXPECT_EQ(cat->AntennaA(), ant1);
    connect();
    cat->AntennaUp();
    EXPECT_EQ(sent, QStringList({"AN14;"}));
    EXPECT_EQ(cat->AntennaB(), ant1);
}

TEST_F(CATState, CommandOperations)
{
    const struct {
        TTransceiver model;
        std::function<void(TFTCATInterface&)> op;
        QStringList texts;
    } cases[] = {
        {FT2000, [](TFTCATInterface& c) { c.BandDown(0); }, {"BD0;"}},
        {FT2000, [](TFTCATInterface& c) { c.BandDown(7); }, {"BD1;"}},
        {FT2000, [](TFTCATInterface& c) { c.BandUp(0); }, {"BU0;"}},
        {FT2000, [](TFTCATInterface& c) { c.BandUp(1); }, {"BU1;"}},
        {FT2000, [](TFTCATInterface& c) { c.ClarifierClear(); }, {"RC;"}},
        {FT2000, [](TFTCATInterface& c) { c.Down(); }, {"DN;"}},
        {FT2000, [](TFTCATInterface& c) { c.Up(); }, {"UP;"}},
        {FT2000, [](TFTCATInterface& c) { c.KeyerMemory("3"); }, {"KY3;"}},
        {FT2000, [](TFTCATInterface& c) { c.PlaybackMemory("2"); }, {"PB02;"}},
        {FT2000, [](TFTCATInterface& c) { c.QMBStore(); }, {"QI;IF;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.QMBRecall(); }, {"QR;IF;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.QuickSplit(); }, {"QS;"}},
        {FT2000, [](TFTCATInterface& c) { c.SwapVFOs(); }, {"SV;"}},
        {FT2000, [](TFTCATInterface& c) { c.VFOAToB(); }, {"AB;"}},
        {FT950, [](TFTCATInterface& c) { c.VFOBToA(); }, {"SV;", "AB;"}},
        {FTDX5000, [](TFTCATInterface& c) { c.VFOBToA(); }, {"BA;"}},
        {FT2000, [](TFTCATInterface& c) { c.VFOAToMemoryChannel(); }, {"AM;IF;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.MemoryChannelToVFOA(); }, {"MA;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.MemoryChannelDown(); }, {"CH1;IF;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.MemoryChannelUp(); }, {"CH0;IF;OI;"}},
        {FT2000, [](TFTCATInterface& c) { c.VMKeyFunction(); }, {"VM;IF;OI;"}},
        {FT2000D, [](TFTCATInterface& c) { c.SetEnterKey(); }, {"EK;"}},
        {FTDX5000, [](TFTCATInterface& c) { c.SetEnterKey(); }, {}},
        {FT950, [](TFTCATInterface& c) { c.SetFunctionKey(9); }, {"FK7;"}},
        {FT2000, [](TFTCATInterface& c) { c.SetFunctionKey(0); }, {"FK1;"}},
        {FT2000, [](TFTCATInterface& c) { c.SetFunctionKey(4); }, {"FK4;"}},
        {FTDX5000, [](TFTCATInterface& c) { c.SetFunctionKey(4); }, {}},
    };
    // These never depend on the link state or change local state.
    const QString before = snapshot(*cat);
    for (const auto& c : cases) {
        setModel(c.model);
        sent.clear();
        cat->PrepareTX();
        c.op(*cat);
        EXPECT_EQ(sent, c.texts) << (c.texts.isEmpty() ? QString() : c.texts[0]).toStdString();
    }
    EXPECT_EQ(snapshot(*cat), before);
}

TEST_F(CATState, BandSelect)
{
    const struct {
        TBand band;
        const char* text;
    } cases[] = {{bd160, "BS00;"}, {bd80, "BS01;"}, {bd60, "BS02;"}, {bd40, "BS03;"}, {bd30, "BS04;"},
                 {bd20, "BS05;"},  {bd17, "BS06;"}, {bd15, "BS07;"}, {bd12, "BS08;"}, {bd10, "BS09;"},
                 {bd6, "BS10;"},   {bdAll, "BS11;"}, {bd4, nullptr},  {bd2, nullptr},  {bd70c, nullptr}};
    int selects = 0;
    cat->OnBandSelect = [&] { ++selects; };
    for (const auto& c : cases) {
        sent.clear();
        cat->BandSelect(c.band);
        EXPECT_EQ(sent, c.text ? QStringList({c.text}) : QStringList()) << int(c.band);
    }
    EXPECT_EQ(selects, 15);
}

TEST_F(CATState, StoredOnlySettersRaiseOnChange)
{
    std::vector<QString> events;
    cat->OnBargraph = [&](const QString& s) { events.push_back("bg " + s); };
    cat->OnTransverterIsOn = [&](bool v) { events.push_back(QString("xv %1").arg(v)); };
    cat->OnBand = [&](uint8_t v, TBand b) { events.push_back(QString("band %1 %2").arg(v).arg(b)); };
    connect();
    cat->PrepareTX();
    cat->SetBargraph("123");
    cat->SetBargraph("123");
    cat->SetTransverterIsOn(true);
    cat->SetTransverterIsOn(true);
    cat->SetBandB(bd6);
    cat->SetBandB(bd6);
    EXPECT_EQ(events, std::vector<QString>({"bg 123", "xv 1", "band 1 11"}));
    EXPECT_TRUE(sent.isEmpty());
}
