// The LCD state without widgets: initial values, which group a write redraws, and the
// indicator and DSP-row logic.
#include "PanelTestUtils.h"
#include "panel/Display.h"
#include "panel/LcdLayout.h"

#include <gtest/gtest.h>
#include <functional>
#include <vector>

using namespace lcd;

namespace {

// Records what the state asks of its LCD.
class TRecordingOwner : public TDisplayOwner {
public:
    TTransceiver Model = FT2000;
    std::vector<QString> Calls;

    TTransceiver Transceiver() const override { return Model; }
    void RedrawGroup(TLcdGroup group) override { Calls.push_back(QStringLiteral("group %1").arg(int(group))); }
    void EraseContourRow() override { Calls.push_back(QStringLiteral("erase contour")); }
    void InvalidateDisplay() override { Calls.push_back(QStringLiteral("invalidate")); }
    void ShowBargraph(const QString& text) override { Calls.push_back(QStringLiteral("bargraph ") + text); }
    void ShowSMeterB(uint8_t value) override { Calls.push_back(QStringLiteral("smeter %1").arg(value)); }
};

QString Group(TLcdGroup g)
{
    return QStringLiteral("group %1").arg(int(g));
}

std::vector<bool> LitFlags(TLcdGroup group, int model, const lcd::TDisplay& d)
{
    std::vector<bool> lit;
    for (const TLcdItem& item : GroupItems(group, model, d))
        lit.push_back(item.Lit);
    return lit;
}

} // namespace

TEST(LcdState, StartsWithTheDeclaredValues)
{
    lcd::TDisplay d(nullptr);
    EXPECT_EQ(d.AGCA(), agcOff);
    EXPECT_EQ(d.AGCB(), agcOff);
    EXPECT_EQ(d.AntennaA(), ant1);
    EXPECT_EQ(d.AntennaTuner(), atOff);
    EXPECT_EQ(d.AttenuatorB(), attOff);
    EXPECT_TRUE(d.Bargraph().isEmpty());
    EXPECT_EQ(d.Contour(), conOff);
    EXPECT_EQ(d.ContourLevel(), 15);
    EXPECT_EQ(d.ContourGain(), -15);
    EXPECT_EQ(d.FilterWidthBars(), 16);
    EXPECT_EQ(d.IFShift(), 0);
    EXPECT_EQ(d.IPOA(), ipoAmp1);
    EXPECT_EQ(d.IPOB(), ipoAmp1);
    EXPECT_EQ(d.KeyPitch(), 0);
    EXPECT_FALSE(d.NotchA());
    EXPECT_EQ(d.NotchLevelA(), 150);
    EXPECT_EQ(d.ModeA(), mdCW);
    EXPECT_EQ(d.ModeB(), mdCW);
    EXPECT_EQ(d.NoiseBlankerB(), nbOff);
    EXPECT_EQ(d.RoofingFilterA(), rfltAuto3kHz);
    EXPECT_EQ(d.RoofingFilterB(), rfltAuto3kHz);
    EXPECT_EQ(d.SMeterValueB(), 0);
    EXPECT_EQ(d.VFOMemoryMode(), vmVFOMode);
    EXPECT_EQ(d.VRFStateA(), vrfStateOff);
    EXPECT_EQ(d.VRFTypeB(), vrfTypeVRF);
    EXPECT_FALSE(d.BusyA() || d.TXSetB() || d.LockB() || d.RIRec() || d.Processor() || d.DNF());
}

TEST(LcdState, AChangedValueRedrawsOnlyItsGroupAndAnEqualOneNothing)
{
    struct TCase {
        const char* Name;
        std::function<void(lcd::TDisplay&)> Change;
        std::function<void(lcd::TDisplay&)> Same;
        TLcdGroup Group;
    };
    const TCase cases[] = {
        {"AGCA", [](lcd::TDisplay& d) { d.SetAGCA(agcFast); }, [](lcd::TDisplay& d) { d.SetAGCA(agcOff); }, TLcdGroup::AGCA},
        {"AGCB", [](lcd::TDisplay& d) { d.SetAGCB(agcMid); }, [](lcd::TDisplay& d) { d.SetAGCB(agcOff); }, TLcdGroup::AGCB},
        {"AntennaA", [](lcd::TDisplay& d) { d.SetAntennaA(ant2); }, [](lcd::TDisplay& d) { d.SetAntennaA(ant1); }, TLcdGroup::AntennaA},
        {"AntennaB", [](lcd::TDisplay& d) { d.SetAntennaB(ant4); }, [](lcd::TDisplay& d) { d.SetAntennaB(ant1); }, TLcdGroup::AntennaB},
        {"AntennaRXA", [](lcd::TDisplay& d) { d.SetAntennaRXA(true); }, [](lcd::TDisplay& d) { d.SetAntennaRXA(false); }, TLcdGroup::AntennaRXA},
        {"AntennaRXB", [](lcd::TDisplay& d) { d.SetAntennaRXB(true); }, [](lcd::TDisplay& d) { d.SetAntennaRXB(false); }, TLcdGroup::AntennaRXB},
        {"AntennaTuner", [](lcd::TDisplay& d) { d.SetAntennaTuner(atStart); }, [](lcd::TDisplay& d) { d.SetAntennaTuner(atOff); }, TLcdGroup::Tuner},
        {"AttenuatorA", [](lcd::TDisplay& d) { d.SetAttenuatorA(att18dB); }, [](lcd::TDisplay& d) { d.SetAttenuatorA(attOff); }, TLcdGroup::AttenuatorA},
        {"AttenuatorB", [](lcd::TDisplay& d) { d.SetAttenuatorB(att6dB); }, [](lcd::TDisplay& d) { d.SetAttenuatorB(attOff); }, TLcdGroup::AttenuatorB},
        {"BreakIn", [](lcd::TDisplay& d) { d.SetBreakIn(true); }, [](lcd::TDisplay& d) { d.SetBreakIn(false); }, TLcdGroup::BreakIn},
        {"BusyA", [](lcd::TDisplay& d) { d.SetBusyA(true); }, [](lcd::TDisplay& d) { d.SetBusyA(false); }, TLcdGroup::BusyA},
        {"BusyB", [](lcd::TDisplay& d) { d.SetBusyB(true); }, [](lcd::TDisplay& d) { d.SetBusyB(false); }, TLcdGroup::BusyB},
        {"Clarifier", [](lcd::TDisplay& d) { d.SetClarifier(true); }, [](lcd::TDisplay& d) { d.SetClarifier(false); }, TLcdGroup::Clarifier},
        {"ContourLevel", [](lcd::TDisplay& d) { d.SetContourLevel(16); }, [](lcd::TDisplay& d) { d.SetContourLevel(15); }, TLcdGroup::ContourRow},
        {"DNF", [](lcd::TDisplay& d) { d.SetDNF(true); }, [](lcd::TDisplay& d) { d.SetDNF(false); }, TLcdGroup::DNF},
        {"DNR", [](lcd::TDisplay& d) { d.SetDNR(true); }, [](lcd::TDisplay& d) { d.SetDNR(false); }, TLcdGroup::DNR},
        {"FastStepA", [](lcd::TDisplay& d) { d.SetFastStepA(true); }, [](lcd::TDisplay& d) { d.SetFastStepA(false); }, TLcdGroup::FastA},
        {"FastStepB", [](lcd::TDisplay& d) { d.SetFastStepB(true); }, [](lcd::TDisplay& d) { d.SetFastStepB(false); }, TLcdGroup::FastB},
        {"FilterWidthBars", [](lcd::TDisplay& d) { d.SetFilterWidthBars(3); }, [](lcd::TDisplay& d) { d.SetFilterWidthBars(16); }, TLcdGroup::WidthRow},
        {"IFShift", [](lcd::TDisplay& d) { d.SetIFShift(-250); }, [](lcd::TDisplay& d) { d.SetIFShift(0); }, TLcdGroup::ShiftRow},
        {"IPOA", [](lcd::TDisplay& d) { d.SetIPOA(ipo2); }, [](lcd::TDisplay& d) { d.SetIPOA(ipoAmp1); }, TLcdGroup::IPOA},
        {"IPOB", [](lcd::TDisplay& d) { d.SetIPOB(ipo1); }, [](lcd::TDisplay& d) { d.SetIPOB(ipoAmp1); }, TLcdGroup::IPOB},
        {"Keyer", [](lcd::TDisplay& d) { d.SetKeyer(true); }, [](lcd::TDisplay& d) { d.SetKeyer(false); }, TLcdGroup::Keyer},
        {"LockA", [](lcd::TDisplay& d) { d.SetLockA(true); }, [](lcd::TDisplay& d) { d.SetLockA(false); }, TLcdGroup::LockA},
        {"LockB", [](lcd::TDisplay& d) { d.SetLockB(true); }, [](lcd::TDisplay& d) { d.SetLockB(false); }, TLcdGroup::LockB},
        {"NotchLevelA", [](lcd::TDisplay& d) { d.SetNotchLevelA(20); }, [](lcd::TDisplay& d) { d.SetNotchLevelA(150); }, TLcdGroup::NotchRow},
        {"ModeA", [](lcd::TDisplay& d) { d.SetModeA(mdLSB); }, [](lcd::TDisplay& d) { d.SetModeA(mdCW); }, TLcdGroup::ModeA},
        {"ModeB", [](lcd::TDisplay& d) { d.SetModeB(mdPKT_U); }, [](lcd::TDisplay& d) { d.SetModeB(mdCW); }, TLcdGroup::ModeB},
        {"Monitor", [](lcd::TDisplay& d) { d.SetMonitor(true); }, [](lcd::TDisplay& d) { d.SetMonitor(false); }, TLcdGroup::Monitor},
        {"NarrowA", [](lcd::TDisplay& d) { d.SetNarrowA(true); }, [](lcd::TDisplay& d) { d.SetNarrowA(false); }, TLcdGroup::NarrowA},
        {"NarrowB", [](lcd::TDisplay& d) { d.SetNarrowB(true); }, [](lcd::TDisplay& d) { d.SetNarrowB(false); }, TLcdGroup::NarrowB},
        {"NoiseBlankerA", [](lcd::TDisplay& d) { d.SetNoiseBlankerA(nbWide); }, [](lcd::TDisplay& d) { d.SetNoiseBlankerA(nbOff); }, TLcdGroup::NoiseBlankerA},
        {"NoiseBlankerB", [](lcd::TDisplay& d) { d.SetNoiseBlankerB(nbOn); }, [](lcd::TDisplay& d) { d.SetNoiseBlankerB(nbOff); }, TLcdGroup::NoiseBlankerB},
        {"Processor", [](lcd::TDisplay& d) { d.SetProcessor(true); }, [](lcd::TDisplay& d) { d.SetProcessor(false); }, TLcdGroup::Processor},
        {"RIClassA", [](lcd::TDisplay& d) { d.SetRIClassA(true); }, [](lcd::TDisplay& d) { d.SetRIClassA(false); }, TLcdGroup::ClassA},
        {"RIHiSWR", [](lcd::TDisplay& d) { d.SetRIHiSWR(true); }, [](lcd::TDisplay& d) { d.SetRIHiSWR(false); }, TLcdGroup::HiSWR},
        {"RIMicEq", [](lcd::TDisplay& d) { d.SetRIMicEq(true); }, [](lcd::TDisplay& d) { d.SetRIMicEq(false); }, TLcdGroup::MicEq},
        {"RIPlay", [](lcd::TDisplay& d) { d.SetRIPlay(true); }, [](lcd::TDisplay& d) { d.SetRIPlay(false); }, TLcdGroup::Play},
        {"RIRec", [](lcd::TDisplay& d) { d.SetRIRec(true); }, [](lcd::TDisplay& d) { d.SetRIRec(false); }, TLcdGroup::Rec},
        {"RoofingFilterA", [](lcd::TDisplay& d) { d.SetRoofingFilterA(rflt300Hz); }, [](lcd::TDisplay& d) { d.SetRoofingFilterA(rfltAuto3kHz); }, TLcdGroup::RoofingFilterA},
        {"RoofingFilterB", [](lcd::TDisplay& d) { d.SetRoofingFilterB(rflt6kHz); }, [](lcd::TDisplay& d) { d.SetRoofingFilterB(rfltAuto3kHz); }, TLcdGroup::RoofingFilterB},
        {"TXSetA", [](lcd::TDisplay& d) { d.SetTXSetA(true); }, [](lcd::TDisplay& d) { d.SetTXSetA(false); }, TLcdGroup::TXA},
        {"TXSetB", [](lcd::TDisplay& d) { d.SetTXSetB(true); }, [](lcd::TDisplay& d) { d.SetTXSetB(false); }, TLcdGroup::TXB},
        {"VFOMemoryMode", [](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmMemoryTune); }, [](lcd::TDisplay& d) { d.SetVFOMemoryMode(vmVFOMode); }, TLcdGroup::MRMT},
        {"VRFStateA", [](lcd::TDisplay& d) { d.SetVRFStateA(vrfStateOn); }, [](lcd::TDisplay& d) { d.SetVRFStateA(vrfStateOff); }, TLcdGroup::VRFA},
        {"VRFStateB", [](lcd::TDisplay& d) { d.SetVRFStateB(vrfStateOn); }, [](lcd::TDisplay& d) { d.SetVRFStateB(vrfStateOff); }, TLcdGroup::VRFB},
        {"VRFTypeA", [](lcd::TDisplay& d) { d.SetVRFTypeA(vrfuTuneTypeOn); }, [](lcd::TDisplay& d) { d.SetVRFTypeA(vrfTypeVRF); }, TLcdGroup::VRFA},
        {"VRFTypeB", [](lcd::TDisplay& d) { d.SetVRFTypeB(vrfuTuneTypeOn); }, [](lcd::TDisplay& d) { d.SetVRFTypeB(vrfTypeVRF); }, TLcdGroup::VRFB},
    };
    for (const TCase& c : cases) {
        TRecordingOwner owner;
        lcd::TDisplay d(&owner);
        c.Same(d);
        EXPECT_TRUE(owner.Calls.empty()) << c.Name << " with its current value";
        c.Change(d);
        EXPECT_EQ(owner.Calls, std::vector<QString>{Group(c.Group)}) << c.Name;
        owner.Calls.clear();
        c.Change(d);
        EXPECT_TRUE(owner.Calls.empty()) << c.Name << " written twice";
    }
}

TEST(LcdState, ContourSwitchesEraseOrDrawTheContourRow)
{
    TRecordingOwner owner;
    lcd::TDisplay d(&owner);
    d.SetContour(conOn);
    d.SetContourGain(5);
    d.SetContour(conAPF);
    d.SetContourGain(-3);
    d.SetContour(conOff);
    d.SetContourGain(7);
    d.SetContour(conOff);
    const std::vector<QString> expected = {
        Group(TLcdGroup::ContourRow),                             // on
        Group(TLcdGroup::ContourRow),                             // gain while on
        QStringLiteral("erase contour"), Group(TLcdGroup::ContourRow), // APF
        QStringLiteral("erase contour"), Group(TLcdGroup::ContourRow), // gain while APF
        QStringLiteral("erase contour"),                          // off
        QStringLiteral("erase contour"),                          // gain while off
    };
    EXPECT_EQ(owner.Calls, expected);
}

TEST(LcdState, KeyPitchNotchBargraphAndSubMeterTakeTheirOwnPaths)
{
    TRecordingOwner owner;
    lcd::TDisplay d(&owner);
    d.SetKeyPitch(0);
    d.SetNotchA(false);
    d.SetBargraph(QString());
    d.SetSMeterValueB(0);
    EXPECT_TRUE(owner.Calls.empty());

    d.SetKeyPitch(12);
    d.SetNotchA(true);
    d.SetBargraph(QStringLiteral("111"));
    d.SetBargraph(QStringLiteral("111"));
    d.SetSMeterValueB(300); // only its low byte reaches the bargraph
    const std::vector<QString> expected = {QStringLiteral("invalidate"), QStringLiteral("invalidate"),
                                           QStringLiteral("bargraph 111"), QStringLiteral("smeter 44")};
    EXPECT_EQ(owner.Calls, expected);
    EXPECT_EQ(d.SMeterValueB(), 300);

    // The FT-950 has no sub meter: the value is kept and nothing is drawn.
    TRecordingOwner ft950;
    ft950.Model = FT950;
    lcd::TDisplay d950(&ft950);
    d950.SetSMeterValueB(120);
    EXPECT_EQ(d950.SMeterValueB(), 120);
    EXPECT_TRUE(ft950.Calls.empty());
}

TEST(LcdLayout, GroupsExistOnlyOnTheModelsThatShowThem)
{
    EXPECT_TRUE(GroupRect(TLcdGroup::ModeA, 0).isEmpty()); // FT-2000: no main mode labels
    EXPECT_FALSE(GroupRect(TLcdGroup::ModeB, 0).isEmpty());
    for (TLcdGroup g : {TLcdGroup::ModeB, TLcdGroup::AntennaB, TLcdGroup::NarrowB, TLcdGroup::AGCB, TLcdGroup::LockB})
        EXPECT_TRUE(GroupRect(g, 1).isEmpty()) << int(g); // FT-950: no sub receiver
    for (TLcdGroup g : {TLcdGroup::ContourRow, TLcdGroup::NotchRow, TLcdGroup::WidthRow, TLcdGroup::ShiftRow,
                        TLcdGroup::DNF, TLcdGroup::DNR})
        EXPECT_TRUE(GroupRect(g, 2).isEmpty()) << int(g); // FT DX 5000: no DSP block
    for (int g = 0; g < LcdGroupCount; ++g)
        for (int m = 0; m < ModelCount; ++m)
            EXPECT_TRUE(QRect(0, 0, 566, 96).contains(GroupRect(TLcdGroup(g), m)) || GroupRect(TLcdGroup(g), m).isEmpty())
                << g << " " << m;
    // A box group covers its box; a plain label its text.
    EXPECT_EQ(GroupRect(TLcdGroup::Processor, 0), QRect(QPoint(223, 2), QPoint(247, 9)));
    EXPECT_TRUE(GroupRect(TLcdGroup::AntennaRXB, 2).contains(QPoint(5, 88)));
}

TEST(LcdLayout, ModesLightTheirLabels)
{
    lcd::TDisplay d(nullptr);
    // Order: LSB, USB, CW, AM, FM, RTTY, PKT.
    const struct {
        TMode Mode;
        std::vector<bool> Lit;
    } cases[] = {
        {mdCW, {false, true, true, false, false, false, false}},
        {mdCW_R, {true, false, true, false, false, false, false}},
        {mdFSK, {true, false, false, false, false, true, false}},
        {mdFSK_R, {false, true, false, false, false, true, false}},
        {mdPKT_L, {true, false, false, false, false, false, true}},
        {mdPKT_U, {false, true, false, false, false, false, true}},
        {mdPKT_FM, {false, false, false, false, true, false, true}},
        {mdFM_N, {false, false, false, false, true, false, false}},
        {mdAM, {false, false, false, true, false, false, false}},
    };
    for (const auto& c : cases) {
        d.SetModeA(c.Mode);
        d.SetModeB(c.Mode);
        EXPECT_EQ(LitFlags(TLcdGroup::ModeA, 1, d), c.Lit) << int(c.Mode);
        EXPECT_EQ(LitFlags(TLcdGroup::ModeB, 0, d), c.Lit) << int(c.Mode);
    }
}

TEST(LcdLayout, CombinedStatesLightSeveralLabels)
{
    lcd::TDisplay d(nullptr);
    d.SetAGCA(agcAutoMid);                                                // AUTO, FAST, MID, SLOW
    EXPECT_EQ(LitFlags(TLcdGroup::AGCA, 0, d), (std::vector<bool>{true, false, true, false}));
    d.SetRoofingFilterA(rfltAuto300Hz);                                   // 300, 600, 3k, 6k, 15k, AUTO
    EXPECT_EQ(LitFlags(TLcdGroup::RoofingFilterA, 2, d), (std::vector<bool>{true, false, false, false, false, true}));
    d.SetNoiseBlankerA(nbWide);                                           // NB, W
    EXPECT_EQ(LitFlags(TLcdGroup::NoiseBlankerA, 2, d), (std::vector<bool>{true, true}));
    EXPECT_EQ(LitFlags(TLcdGroup::NoiseBlankerA, 0, d), (std::vector<bool>{true}));
    d.SetVRFStateA(vrfStateOn);                                           // VRF, u-TUNE, THRU
    d.SetVRFTypeA(vrfuTuneTypeOn);
    EXPECT_EQ(LitFlags(TLcdGroup::VRFA, 0, d), (std::vector<bool>{false, true, false}));
    d.SetVRFStateA(vrfStateDefault);
    EXPECT_EQ(LitFlags(TLcdGroup::VRFA, 0, d), (std::vector<bool>{false, false, false}));
    // The FT-2000's AGC heading of the sub receiver is always lit.
    const auto agcB = GroupItems(TLcdGroup::AGCB, 0, d);
    ASSERT_EQ(agcB.size(), 5u);
    EXPECT_EQ(agcB[0].Id, 213);
    EXPECT_TRUE(agcB[0].Lit);
}

TEST(LcdLayout, DSPRowPositionsAtTheirTableEdges)
{
    const std::pair<int, int> contour2000[] = {{0, 0}, {1, 0}, {2, 1}, {5, 1}, {6, 2}, {41, 10}, {42, NoPosition}, {255, NoPosition}};
    for (const auto& [level, p] : contour2000)
        EXPECT_EQ(ContourPeak(0, level), p) << level;
    const std::pair<int, int> contour950[] = {{0, 0}, {27, 9}, {28, 10}, {29, 10}};
    for (const auto& [level, p] : contour950)
        EXPECT_EQ(ContourPeak(1, level), p) << level;

    const std::pair<int, int> notch2000[] = {{0, 0}, {19, 0}, {20, 1}, {379, 9}, {380, 10}, {999, 10}, {1000, NoPosition}, {-1, NoPosition}};
    for (const auto& [level, p] : notch2000)
        EXPECT_EQ(NotchPosition(0, level), p) << level;
    const std::pair<int, int> notch950[] = {{27, 0}, {28, 1}, {54, 1}, {55, 2}, {270, 9}, {271, 10}, {1000, NoPosition}};
    for (const auto& [level, p] : notch950)
        EXPECT_EQ(NotchPosition(1, level), p) << level;

    const std::pair<int, int> shift[] = {{-10000, 5}, {-9999, 0}, {-600, 0}, {-599, 1}, {-100, 3}, {-99, 4}, {-20, 4},
                                         {-19, 5}, {0, 5}, {19, 5}, {20, 6}, {599, 9}, {600, 10}, {9999, 10}, {10000, 5}};
    for (const auto& [hz, cell] : shift)
        EXPECT_EQ(ShiftCell(hz), cell) << hz;

    EXPECT_EQ(WidthCells(16).to_string(), "11111111111");
    EXPECT_EQ(WidthCells(11).to_string(), "11111111111");
    EXPECT_EQ(WidthCells(10).to_string(), "01111111110");
    EXPECT_EQ(WidthCells(4).to_string(), "00001110000");
    EXPECT_EQ(WidthCells(0).to_string(), "00000100000");

    EXPECT_EQ(APFCell(5), 1);
    EXPECT_EQ(APFCell(6), 2);
    EXPECT_EQ(APFCell(13), 2);
    EXPECT_EQ(APFCell(14), 3);
}

TEST(LcdLayout, ContourAndNotchCellsAtTheScaleEnds)
{
    lcd::TDisplay d(nullptr);
    const TRowCells off = ContourCells(0, d);
    for (int k = 0; k < DSPCellCount; ++k)
        EXPECT_EQ(off.Upper[size_t(k)], TCellLine::None);

    d.SetContour(conOn);
    d.SetContourLevel(42); // beyond the FT-2000 scale
    d.SetContourGain(5);
    TRowCells peak = ContourCells(0, d);
    d.SetContourGain(-5);
    TRowCells dip = ContourCells(0, d);
    for (int k = 0; k < DSPCellCount; ++k) {
        EXPECT_EQ(peak.Upper[size_t(k)], TCellLine::Dim) << k;
        EXPECT_EQ(peak.Lower[size_t(k)], TCellLine::Dim) << k;
        EXPECT_EQ(dip.Upper[size_t(k)], TCellLine::Lit) << k;
        EXPECT_EQ(dip.Lower[size_t(k)], TCellLine::Lit) << k;
    }
    d.SetContourLevel(22); // position 6: a dip leaves 5..7 up and 6 down dark
    dip = ContourCells(0, d);
    EXPECT_EQ(dip.Upper[5], TCellLine::Dim);
    EXPECT_EQ(dip.Upper[8], TCellLine::Lit);
    EXPECT_EQ(dip.Lower[6], TCellLine::Dim);
    EXPECT_EQ(dip.Lower[5], TCellLine::Lit);

    d.SetContour(conAPF);
    d.SetKeyPitch(20);
    const TRowCells apf = ContourCells(1, d);
    EXPECT_EQ(apf.Upper[3], TCellLine::Lit);
    EXPECT_EQ(apf.Upper[2], TCellLine::None);
    EXPECT_EQ(apf.Lower[2], TCellLine::Lit);
    EXPECT_EQ(apf.Lower[4], TCellLine::Lit);
    EXPECT_EQ(apf.Lower[5], TCellLine::None);
    EXPECT_EQ(ContourCells(2, d).Upper[3], TCellLine::None); // the FT DX 5000 has no contour row

    d.SetNotchA(true);
    d.SetNotchLevelA(-1);
    const TRowCells outside = NotchCells(0, d);
    for (int k = 0; k < DSPCellCount; ++k)
        EXPECT_EQ(outside.Upper[size_t(k)], TCellLine::Dim) << k;
    d.SetNotchLevelA(0); // the gap at cell 0: only cell 1 lit
    const TRowCells edge = NotchCells(0, d);
    EXPECT_EQ(edge.Upper[1], TCellLine::Lit);
    EXPECT_EQ(edge.Lower[0], TCellLine::Dim);
    d.SetNotchA(false);
    EXPECT_EQ(NotchCells(0, d).Upper[1], TCellLine::None);
}

TEST(LcdLayout, OnlyRowsWithARectangleCatchTheMouse)
{
    EXPECT_EQ(HotRowAt(0, 223, 2), 0);  // PROC, left and top inclusive
    EXPECT_EQ(HotRowAt(0, 247, 5), -1); // right edge exclusive; MONI starts at 248
    EXPECT_EQ(HotRowAt(0, 246, 8), 0);
    EXPECT_EQ(HotRowAt(0, 246, 9), -1); // bottom exclusive
    for (int m = 0; m < ModelCount; ++m) {
        const TLcdRect r = Position(0, m);
        EXPECT_EQ(HotRowAt(m, r.Left + 1, r.Top + 1), 0) << m;
    }
    EXPECT_EQ(HotRowAt(0, 30, 22), 24);  // ATT -6dB label on the FT-2000
    EXPECT_EQ(HotRowAt(2, 37, 22), -1);  // plain labels of the FT DX 5000 never catch it
    EXPECT_EQ(HotRowAt(2, 182, 83), 11); // LOCK B
    EXPECT_EQ(HotRowAt(0, 190, 32), -1); // TX A (row 200) is never hot
    EXPECT_FALSE(Position(11, 0).OnModel());
    EXPECT_FALSE(Position(11, 1).OnModel());
    EXPECT_FALSE(Position(100, 0).OnModel());
    EXPECT_FALSE(IsPositionId(79));
    EXPECT_TRUE(IsPositionId(219));
}
