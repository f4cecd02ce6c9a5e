// The radio's answers through HandleCATCommand: what each code stores and reports.
#include "CATFixture.h"

#include "core/cat/CTCSS.h"
#include "core/cat/Dimmer.h"
#include "core/cat/Keyer.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/MenuSettings.h"
#include "core/cat/RX.h"
#include "core/cat/RadioInformation.h"
#include "core/cat/Rotator.h"
#include "core/cat/TX.h"
#include "core/cat/VRF.h"

#include <type_traits>

namespace {

QString text(const QString& s)
{
    return s;
}
QString text(TMemoryChannel* m)
{
    return QString::number(m->ChannelNo());
}
template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
QString text(T v)
{
    return QString::number(int(v));
}

// Every change event the answers can raise, logged as "Name arg arg ...".
class Dispatch : public CATFixture {
protected:
    auto log(const char* name)
    {
        return [this, name](const auto&... args) {
            QStringList parts{QLatin1String(name)};
            (parts << ... << text(args));
            events << parts.join(QLatin1Char(' '));
        };
    }
    void fresh() override
    {
        CATFixture::fresh();
        events.clear();
#define VX_LOG(E) cat->On##E = log(#E)
        VX_LOG(AFGain); VX_LOG(AGC); VX_LOG(Antenna); VX_LOG(AntennaRX); VX_LOG(AntennaTuner); VX_LOG(APFOffset);
        VX_LOG(Attenuator); VX_LOG(AutoInformation); VX_LOG(AutoNotch); VX_LOG(Band); VX_LOG(Bargraph);
        VX_LOG(BreakIn); VX_LOG(Busy); VX_LOG(CAT); VX_LOG(ClassA); VX_LOG(ComState); VX_LOG(CWBreakInDelay);
        VX_LOG(CWSpot); VX_LOG(ClarifierOffset); VX_LOG(ClarifierRX); VX_LOG(ClarifierTX); VX_LOG(Contour);
        VX_LOG(ContourGain); VX_LOG(ContourLevel); VX_LOG(DimmerDisplay); VX_LOG(DimmerMeter);
        VX_LOG(DimmerSwitch); VX_LOG(Display); VX_LOG(DSPButton); VX_LOG(FastStepA); VX_LOG(FastStepB);
        VX_LOG(FilterChange); VX_LOG(FilterWidth); VX_LOG(Frequency); VX_LOG(FunctionRX); VX_LOG(FunctionTX);
        VX_LOG(Identification); VX_LOG(IFShift); VX_LOG(IPCInformation); VX_LOG(IPO); VX_LOG(KeyPitch);
        VX_LOG(KeySpeed); VX_LOG(Keyer); VX_LOG(KeyerMemory); VX_LOG(LockA); VX_LOG(LockB); VX_LOG(MemoryChannel);
        VX_LOG(MemoryChannel2); VX_LOG(MenuSettings); VX_LOG(Meter); VX_LOG(MeterSwitch); VX_LOG(MicGain);
        VX_LOG(ModeA); VX_LOG(ModeB); VX_LOG(ModeChange); VX_LOG(Monitor); VX_LOG(MonitorLevel); VX_LOG(MOX);
        VX_LOG(MOXChange); VX_LOG(Narrow); VX_LOG(NoiseBlanker); VX_LOG(NoiseBlankerLevel); VX_LOG(NoiseReduction);
        VX_LOG(NoiseReductionLevel); VX_LOG(Notch); VX_LOG(NotchLevel); VX_LOG(PowerControl);
        VX_LOG(PowerControlWatt); VX_LOG(PLLUnlockStatus); VX_LOG(PowerSwitch); VX_LOG(Processor);
        VX_LOG(ProcessorLevel); VX_LOG(RFGain); VX_LOG(RadioInformationClassA); VX_LOG(RadioInformationHiSWR);
        VX_LOG(RadioInformationMainRX); VX_LOG(RadioInformationMainTX); VX_LOG(RadioInformationMicEq);
        VX_LOG(RadioInformationPlay); VX_LOG(RadioInformationRec); VX_LOG(RadioInformationSubRX);
        VX_LOG(RadioInformationSubTX); VX_LOG(RadioStatus); VX_LOG(RepeaterShiftA); VX_LOG(RepeaterShiftB);
        VX_LOG(RoofingFilter); VX_LOG(Rotator); VX_LOG(Scan); VX_LOG(SMeter); VX_LOG(Squelch);
        VX_LOG(SubDialFunction); VX_LOG(SubReceiver); VX_LOG(Transceiver); VX_LOG(Transmitting);
        VX_LOG(TransverterOffset); VX_LOG(TuningFrequency); VX_LOG(TXSet); VX_LOG(TXWatch); VX_LOG(VFOMemoryMode);
        VX_LOG(VFOSelect); VX_LOG(VRF); VX_LOG(Vox); VX_LOG(VoxChange); VX_LOG(VoxDelay); VX_LOG(VoxGain);
#undef VX_LOG
        cat->OnCATCommandRX = [this](const QString& s) { rx << s; };
        rx.clear();
    }
    // A connected engine of a model, with nothing logged yet.
    void start(TTransceiver m)
    {
        fresh();
        setModel(m);
        connect();
        events.clear();
        rx.clear();
    }
    void answer(const QString& s) { cat->HandleCATCommand(s); }

    QStringList events;
    QStringList rx;
};

#define VX_TEXT(expr) [](TFTCATInterface& c) { return text(c.expr); }

struct Row {
    TTransceiver model;
    const char* answer;
    std::function<QString(TFTCATInterface&)> get; // the stored value the answer targets
    const char* stored;
    QStringList raised; // events the answer raises; none at all when empty
    const char* before = nullptr; // answers that set the scene
};

} // namespace

TEST_F(Dispatch, EveryCodeStoresItsValueAndRaisesItsEvent)
{
    const Row rows[] = {
        {FT2000, "AC001;", VX_TEXT(AntennaTuner()), "1", {"AntennaTuner 1"}},
        {FT2000, "AC009;", VX_TEXT(AntennaTuner()), "0", {}},
        {FT2000, "AG1128;", VX_TEXT(RX()->AFGainB()), "128", {"AFGain 1 128"}},
        {FT2000, "AI1;", VX_TEXT(AutoInformation()), "1", {"AutoInformation 1"}},
        {FT2000, "AN131;", VX_TEXT(AntennaB()), "2", {"Antenna 1 2", "AntennaRX 1 1"}},
        {FT2000, "AN121;", VX_TEXT(AntennaRXB()), "1", {"Antenna 1 1", "AntennaRX 1 1"}},
        {FT2000, "AN02;", VX_TEXT(AntennaRXA()), "0", {"Antenna 0 1"}},
        {FT2000, "BC11;", VX_TEXT(RX()->AutoNotchB()), "1", {"AutoNotch 1 1"}},
        {FT2000, "BG123;", VX_TEXT(Bargraph()), "123", {"Bargraph 123"}},
        {FT2000, "BI1;", VX_TEXT(BreakIn()), "1", {"BreakIn 1"}},
        {FT2000, "BP00001;", VX_TEXT(RX()->NotchA()), "1", {"Notch 0 1"}},
        {FT2000, "BP01250;", VX_TEXT(RX()->NotchLevelA()), "250", {"NotchLevel 0 250"}},
        {FT2000, "BY10;", VX_TEXT(BusyA()), "1", {"Busy 1 0"}},
        {FTDX5000, "CA0001;", VX_TEXT(TX()->ClassA()), "1", {"ClassA 1"}},
        {FTDX5000, "CA1001;", VX_TEXT(TX()->ClassA()), "0", {}},
        {FT2000, "CN112;", VX_TEXT(CTCSS()->ToneFrequencyB()), "12", {}},
        {FT2000, "CN023;", VX_TEXT(CTCSS()->ToneFrequencyA()), "23", {}},
        {FT2000, "CO0001;", VX_TEXT(RX()->ContourA()), "1", {"Contour 0 1"}},
        {FT2000, "CO1125;", VX_TEXT(RX()->ContourLevelB()), "25", {"ContourLevel 1 25"}},
        {FTDX5000, "CO0230;", VX_TEXT(RX()->APFOffsetFrequencyA()), "50", {"APFOffset 0 30"}},
        {FT950, "CO0230;", VX_TEXT(RX()->ContourLevelA()), "30", {"ContourLevel 0 30"}},
        {FT2000, "CS1;", VX_TEXT(CWSpot()), "1", {"CWSpot 1"}},
        {FT2000, "CT12;", VX_TEXT(CTCSS()->StateB()), "2", {}},
        {FT2000, "DA0512;", VX_TEXT(Dimmer()->DimmerMeter()), "12", {"DimmerDisplay 5", "DimmerMeter 12"}},
        {FT2000, "DP3;", VX_TEXT(Display()), "3", {"Display 3"}},
        {FT2000, "DS1;", VX_TEXT(Dimmer()->DimmerSwitch()), "1", {"DimmerSwitch 1"}},
        {FT2000, "EX036050;", VX_TEXT(MenuSettings()->GetMenuEntry(36)), "050", {"MenuSettings 36 050", "TransverterOffset 50"}},
        {FT2000, "FA07074000;", VX_TEXT(FrequencyA()), "7074000", {"Frequency 0 7074000"}},
        {FT2000, "FB21074000;", VX_TEXT(FrequencyB()), "21074000", {"Frequency 1 21074000"}},
        {FT2000, "FR2;", VX_TEXT(FunctionRX()), "2", {"FunctionRX 2"}},
        {FT2000, "FS5;", VX_TEXT(FastStepA()), "1", {"FastStepA 1", "FastStepB 0"}},
        {FT2000, "FT1;", VX_TEXT(FunctionTX()), "1", {"FunctionTX 1"}},
        {FT2000, "GT04;", VX_TEXT(RX()->AGCA()), "5", {"AGC 0 5"}}, // auto fast, never plain auto
        {FT2000, "GT17;", VX_TEXT(RX()->AGCB()), "4", {}},
        {FT2000, "ID0310;", VX_TEXT(Transceiver()), "2", {"Identification 0310", "Transceiver 2"}},
        {FT2000, "IF00214025000+001510210000;", VX_TEXT(FrequencyA()), "14025000",
         {"Frequency 0 14025000", "ClarifierOffset 15", "ClarifierRX 1", "ModeA 1", "VFOMemoryMode 1"}},
        {FT2000, "IS1-0150;", VX_TEXT(RX()->IFShiftB()), "-150", {"IFShift 1 -150"}},
        {FT950, "KC03;", nullptr, "", {"DSPButton 0 3 1 0"}},
        {FTDX5000, "KC01412;", nullptr, "", {"DSPButton 1 4 1 2"}},
        {FTDX5000, "KC01812;", nullptr, "", {}},
        {FT2000, "KC03;", nullptr, "", {}},
        {FT2000, "KM3CQ DX};", VX_TEXT(Keyer()->KeyerMemory3()), "CQ DX}", {"KeyerMemory 3 CQ DX}"}},
        {FT2000, "KP12;", VX_TEXT(Keyer()->KeyPitchFrequency()), "900", {"KeyPitch 12"}},
        {FT2000, "KR1;", VX_TEXT(Keyer()->Keyer()), "1", {"Keyer 1"}},
        {FT2000, "KS030;", VX_TEXT(Keyer()->KeySpeed()), "30", {"KeySpeed 30"}},
        {FT2000, "LK6;", VX_TEXT(LockB()), "1", {"LockA 0", "LockB 1"}},
        {FT2000, "MC005;", VX_TEXT(MemoryChannel()->ChannelNo()), "5", {"MemoryChannel 5"}},
        {FT2000, "MD12;", VX_TEXT(ModeB()), "1", {"ModeB 1"}},
        {FT2000, "MD05;", VX_TEXT(ModeA()), "4", {"ModeChange 2", "ModeA 4"}},
        {FT2000, "MG080;", VX_TEXT(TX()->MicGain()), "80", {"MicGain 80"}},
        {FT2000, "ML0001;", VX_TEXT(TX()->Monitor()), "1", {"Monitor 1"}},
        {FT2000, "ML1120;", VX_TEXT(TX()->MonitorLevel()), "120", {"MonitorLevel 120"}},
        {FT2000, "MR00514025000-012010310080;", VX_TEXT(MemoryChannel()->ClarifierOffset()), "-120",
         {"MemoryChannel 5", "MemoryChannel2 5"}},
        {FT2000, "MS1;", VX_TEXT(MeterSwitch()), "1", {"MeterSwitch 1"}},
        {FT2000, "MS7;", VX_TEXT(MeterSwitch()), "3", {}},
        {FT2000, "MX1;", VX_TEXT(MOX()), "1", {"MOX 1", "MOXChange 1"}},
        {FT2000, "NA11;", VX_TEXT(RX()->NarrowB()), "1", {"Narrow 1 1"}},
        {FT2000, "NB02;", VX_TEXT(RX()->NoiseBlankerA()), "2", {"NoiseBlanker 0 2"}},
        {FT2000, "NL1040;", VX_TEXT(RX()->NoiseBlankerLevelB()), "40", {"NoiseBlankerLevel 1 40"}},
        {FT2000, "NR01;", VX_TEXT(RX()->NoiseReductionA()), "1", {"NoiseReduction 0 1"}},
        {FT950, "OI00121074000+001010500000;", VX_TEXT(FrequencyB()), "21074000",
         {"Frequency 1 21074000", "ModeB 4"}},
        {FT2000, "OS12;", VX_TEXT(RepeaterShiftB()), "2", {"RepeaterShiftB 2"}},
        {FT2000, "PA03;", VX_TEXT(RX()->IPOA()), "3", {"IPO 0 3"}},
        {FT2000, "PC100;", VX_TEXT(TX()->PowerControl()), "100", {"PowerControl 100"}},
        {FT2000, "PL070;", VX_TEXT(TX()->ProcessorLevel()), "70", {"ProcessorLevel 70"}},
        {FT2000, "PR1;", VX_TEXT(TX()->Processor()), "1", {"Processor 1"}},
        {FT2000, "PS0;", VX_TEXT(PowerSwitch()), "0", {"PowerSwitch 0"}},
        {FT2000, "RA02;", VX_TEXT(RX()->AttenuatorA()), "2", {"Attenuator 0 2"}},
        {FT2000, "RF1A;", VX_TEXT(RX()->RoofingFilterB()), "10", {"RoofingFilter 1 10"}},
        {FT2000, "RF00;", VX_TEXT(RX()->RoofingFilterA()), "6", {}},
        {FT2000, "RG0100;", VX_TEXT(RX()->RFGainA()), "100", {"RFGain 0 100"}},
        {FT2000, "RI01;", VX_TEXT(RadioInformation()->HiSWR()), "1", {"RadioInformationHiSWR 1"}},
        {FT2000, "RI21;", VX_TEXT(RadioInformation()->ClassA()), "1", {"RadioInformationClassA 1", "ClassA 1"}},
        {FTDX5000, "RI81;", VX_TEXT(RadioInformation()->SubRX()), "1", {"RadioInformationSubRX 1"}},
        {FT2000, "RI81;", VX_TEXT(RadioInformation()->SubRX()), "0", {}},
        {FT2000, "RL105;", VX_TEXT(RX()->NoiseReductionLevelB()), "5", {"NoiseReductionLevel 1 5"}},
        // The meter answer by model and transmit state.
        {FT2000, "RM0050;", VX_TEXT(RX()->SMeterA()), "50", {"SMeter 0 50"}},
        {FT2000, "RM0050;", VX_TEXT(Meter()), "50", {"Meter 50"}, "TX2;"},
        {FT2000, "RM1120;", VX_TEXT(RX()->SMeterA()), "120", {"SMeter 0 120"}, "TX2;"},
        {FT2000D, "RM2090;", VX_TEXT(RX()->SMeterB()), "90", {"SMeter 1 90"}},
        {FTDX5000, "RM5070;", VX_TEXT(Meter()), "70", {"Meter 70"}},
        {FT950, "RM0080;", VX_TEXT(RX()->SMeterA()), "80", {"SMeter 0 80"}, "TX2;"},
        {FT950, "RM2080;", VX_TEXT(Meter()), "80", {"Meter 80"}},
        {FT2000, "RO2090050;", VX_TEXT(Rotator()->Direction()), "90",
         {"Rotator 0 90 100", "Rotator 0 90 50", "Rotator 2 90 50"}},
        {FT2000, "RO3090100;", VX_TEXT(Rotator()->RotatorState()), "4", {"Rotator 0 90 100", "Rotator 4 90 100"}},
        {FT2000, "RO4000100;", VX_TEXT(Rotator()->RotatorState()), "3", {"Rotator 3 0 100"}},
        {FT2000, "RS1;", VX_TEXT(RadioStatus()), "1", {"RadioStatus 1"}},
        {FT2000, "RT1;", VX_TEXT(ClarifierRX()), "1", {"ClarifierRX 1"}},
        {FT2000, "SC1;", VX_TEXT(Scan()), "1", {"Scan 1"}},
        {FT2000, "SD0300;", VX_TEXT(TX()->CWBreakInDelay()), "300", {"CWBreakInDelay 300"}},
        // The sub dial answer by model.
        {FT2000, "SF7;", VX_TEXT(SubDialFunction()), "7", {"SubDialFunction 7"}},
        {FT2000D, "SF4;", VX_TEXT(SubDialFunction()), "4", {"SubDialFunction 4"}},
        {FT950, "SF3;", VX_TEXT(SubDialFunction()), "3", {"SubDialFunction 3"}},
        {FT950, "SF4;", VX_TEXT(SubDialFunction()), "8", {}},
        {FTDX5000, "SF07;", VX_TEXT(SubDialFunction()), "10", {"SubDialFunction 10"}},
        {FTDX5000, "SF70;", VX_TEXT(SubDialFunction()), "9", {"SubDialFunction 9"}},
        {FT2000, "SH018;", VX_TEXT(RX()->FilterWidthA()), "18", {"FilterChange 0 2400 1 31 18 11"}},
        {FT2000, "SM1100;", VX_TEXT(RX()->SMeterB()), "100", {"SMeter 1 100"}},
        {FT2000, "SQ0020;", VX_TEXT(RX()->SquelchA()), "20", {"Squelch 0 20"}},
        {FT2000, "TS1;", VX_TEXT(TXWatch()), "1", {"TXWatch 1"}},
        {FT2000, "TX1;", VX_TEXT(TXSet()), "1", {"TXSet 1"}},
        {FT2000, "UL1;", VX_TEXT(PLLUnlockStatus()), "1", {"PLLUnlockStatus 1"}},
        {FT2000, "VD0500;", VX_TEXT(TX()->VoxDelay()), "500", {"VoxDelay 500"}},
        {FTDX5000, "VF112001;", VX_TEXT(RX()->VRF()->PositionB()), "200", {"VRF 1 1 1 200"}},
        {FTDX5000, "VF11200;", VX_TEXT(RX()->VRF()->PositionB()), "0", {}},
        {FTDX5000, "VF1120011;", VX_TEXT(RX()->VRF()->PositionB()), "0", {}},
        {FT2000, "VG100;", VX_TEXT(TX()->VoxGain()), "100", {"VoxGain 100"}},
        {FT2000, "VS1;", VX_TEXT(VFOSelect()), "1", {"VFOSelect 1"}},
        {FT2000, "VX1;", VX_TEXT(TX()->Vox()), "1", {"Vox 1", "VoxChange 1"}},
        {FT2000, "XT1;", VX_TEXT(ClarifierTX()), "1", {"ClarifierTX 1"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(QStringLiteral("%1 on model %2").arg(r.answer).arg(r.model).toStdString());
        start(r.model);
        if (r.before) {
            answer(r.before);
            events.clear();
            rx.clear();
        }
        answer(r.answer);
        if (r.get) {
            EXPECT_EQ(r.get(*cat).toStdString(), r.stored);
        }
        if (r.raised.isEmpty()) {
            EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
        } else {
            // In the order given, among the events of the side effects.
            qsizetype from = 0;
            for (const QString& e : r.raised) {
                const qsizetype at = events.indexOf(e, from);
                EXPECT_GE(at, 0) << e.toStdString() << " not in: " << events.join(", ").toStdString();
                from = at < 0 ? from : at + 1;
            }
        }
        EXPECT_EQ(rx, QStringList{r.answer});
        EXPECT_TRUE(cat->UserCommand());
    }
}

TEST_F(Dispatch, RejectionAndNoiseChangeNothing)
{
    // Not even the link state: the rest of the text goes with it.
    answer("?;");
    answer("?;FA07074000;");
    answer("\r\n12;FB07074000;");
    EXPECT_EQ(cat->ComState(), csInitializing);
    EXPECT_EQ(cat->FrequencyA(), 7000000);
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(rx, QStringList({"?;", "?;FA07074000;", "12;FB07074000;"}));

    start(FT2000);
    answer("?;");
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(Dispatch, MeterAnswersWithoutShownMeterUpdateTheStateQuietly)
{
    start(FT2000);
    cat->SetShowMeter(false);
    events.clear();
    rx.clear();
    answer("RM1120;");
    answer("SM1080;");
    answer("BG150;");
    EXPECT_EQ(cat->RX()->SMeterA(), 120);
    EXPECT_EQ(cat->RX()->SMeterB(), 80);
    EXPECT_EQ(cat->Bargraph(), "150");
    EXPECT_TRUE(rx.isEmpty());
    EXPECT_EQ(events, QStringList{"Bargraph 150"}); // the S-meters report only while shown
    // Only the start of the text counts, and every other code is reported.
    answer("FA07074000;RM1050;");
    EXPECT_EQ(rx, QStringList{"FA07074000;RM1050;"});
    EXPECT_EQ(cat->RX()->SMeterA(), 50);
}

TEST_F(Dispatch, InformationAnswers)
{
    start(FT2000);
    // A new IF asks for the record of its memory channel; its mode change asks for the
    // filter width and narrow state.
    answer("IF00214025000+001510210000;");
    EXPECT_EQ(sent, QStringList({"MR002;", "SH0;", "NA0;"}));
    EXPECT_EQ(cat->MemoryChannel()->CurrentMemoryChannel(), 2);
    EXPECT_EQ(cat->ClarifierOffset(), 15);
    EXPECT_TRUE(cat->ClarifierRX());
    EXPECT_FALSE(cat->ClarifierTX());
    EXPECT_EQ(cat->VFOMemoryMode(), vmMemoryMode);
    EXPECT_EQ(cat->Information(), "00214025000+001510210000");

    // The same answer again raises nothing and asks for nothing.
    events.clear();
    sent.clear();
    answer("IF00214025000+001510210000;");
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
    EXPECT_TRUE(sent.isEmpty());

    // OI is compared with the last OI only; it leaves channel and clarifier alone.
    answer("OI00214025000+001510210000;");
    EXPECT_EQ(cat->FrequencyB(), 14025000);
    EXPECT_EQ(cat->ModeB(), mdUSB);
    EXPECT_EQ(cat->MemoryChannel()->CurrentMemoryChannel(), 2);
    sent.clear();

    // Another channel is asked for with three digits; memory tune and QMB modes.
    answer("IF11714025000-001500220000;");
    EXPECT_EQ(sent, QStringList{"MR117;"});
    EXPECT_EQ(cat->ClarifierOffset(), -15);
    EXPECT_EQ(cat->VFOMemoryMode(), vmMemoryTune);
    answer("IF11714025000-001500240000;");
    EXPECT_EQ(cat->VFOMemoryMode(), vmQMBMT);
}

TEST_F(Dispatch, BadParametersSkipOnlyTheirOwnAnswer)
{
    // Each bad answer is followed by a good one in the same text.
    const char* const bad[] = {
        "FA;",             // empty parameter
        "FA+;",            // a lone sign
        "FA4294967296;",   // beyond 32 bits
        "FA1-2;",          // a sign between digits
        "AG1+;",
        "IS0+-100;",
        "EX-;",
        "DA0+08;",         // the second level is good, the first is not: neither is taken
        "RO0-+9050;",
        "VF01+-01;",
        "IF00A14025000+001510210000;", // an information field that is no number
        "IF00214025000+00X510210000;",
        "OI00114025X00+000000500000;",
    };
    for (const char* b : bad) {
        SCOPED_TRACE(b);
        start(FTDX5000);
        answer(QString::fromLatin1(b) + "FB21074000;");
        EXPECT_EQ(cat->FrequencyB(), 21074000);
        EXPECT_EQ(cat->FrequencyA(), 7000000);
        EXPECT_EQ(cat->RX()->AFGainB(), 0);
        EXPECT_EQ(cat->RX()->IFShiftA(), 0);
        EXPECT_EQ(cat->Dimmer()->DimmerMeter(), 0);
        EXPECT_EQ(cat->Rotator()->Speed(), 100);
        EXPECT_EQ(cat->RX()->VRF()->StateA(), vrfStateDefault);
        EXPECT_TRUE(cat->Information().isEmpty());
        EXPECT_TRUE(cat->InformationOpposite().isEmpty());
        EXPECT_EQ(events, QStringList({"Frequency 1 21074000", "TuningFrequency 1 21074000", "Band 1 8",
                                       "IPCInformation 1"}));
        // No request follows a skipped information answer, and the operator's next action
        // goes to the radio.
        EXPECT_TRUE(sent.isEmpty()) << sent.join("").toStdString();
        cat->PrepareTX();
        cat->SetFrequencyA(7100000);
        EXPECT_EQ(sent, QStringList{"FA07100000;"});
        EXPECT_EQ(cat->FrequencyA(), 7000000);
    }
    // A garbled IF is not remembered: the same text, corrected, is taken.
    start(FT2000);
    answer("IF00214025000+00X510210000;");
    answer("IF00214025000+001510210000;");
    EXPECT_EQ(cat->FrequencyA(), 14025000);
}

TEST_F(Dispatch, AnAnswerWithoutParameterConnectsButIdentifiesNothing)
{
    answer("ID;FA07074000;");
    EXPECT_EQ(cat->ComState(), csConnected);
    EXPECT_TRUE(cat->Identification().isEmpty());
    EXPECT_EQ(cat->FrequencyA(), 7074000);
}
