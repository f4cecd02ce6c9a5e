#include "core/cat/RX.h"
#include "tests/core/CATFixture.h"

#include <functional>
#include <optional>

namespace {

QString ev(const char* name, int vfo, int value)
{
    return QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(vfo).arg(value);
}

class RXTest : public CATFixture {
protected:
    void fresh() override
    {
        CATFixture::fresh();
        events.clear();
        auto log = [this](const char* name) {
            return [this, name](uint8_t vfo, auto value) { events << ev(name, vfo, int(value)); };
        };
        cat->OnAFGain = log("AFGain");
        cat->OnAGC = log("AGC");
        cat->OnAPFOffset = log("APFOffset");
        cat->OnAttenuator = log("Attenuator");
        cat->OnAutoNotch = log("AutoNotch");
        cat->OnContour = log("Contour");
        cat->OnContourLevel = log("ContourLevel");
        cat->OnIFShift = log("IFShift");
        cat->OnIPO = log("IPO");
        cat->OnNarrow = log("Narrow");
        cat->OnNoiseBlanker = log("NoiseBlanker");
        cat->OnNoiseBlankerLevel = log("NoiseBlankerLevel");
        cat->OnNoiseReduction = log("NoiseReduction");
        cat->OnNoiseReductionLevel = log("NoiseReductionLevel");
        cat->OnNotch = log("Notch");
        cat->OnNotchLevel = log("NotchLevel");
        cat->OnRFGain = log("RFGain");
        cat->OnRoofingFilter = log("RoofingFilter");
        cat->OnSMeter = log("SMeter");
        cat->OnSquelch = log("Squelch");
        cat->OnFilterWidth = log("FilterWidth");
        cat->OnContourGain = [this](int32_t v) { events << QStringLiteral("ContourGain %1").arg(v); };
        cat->OnFilterChange = [this](uint8_t vfo, int32_t f, uint8_t lo, uint8_t hi, uint8_t pos, uint8_t bars) {
            events << QStringLiteral("FilterChange %1 %2 %3 %4 %5 %6").arg(vfo).arg(f).arg(lo).arg(hi).arg(pos).arg(bars);
        };
    }

    TRX& rx() { return *cat->RX(); }

    // Every value of both receivers, to see that a user command leaves them alone.
    QString dump()
    {
        TRX& r = rx();
        QStringList s;
        for (uint8_t v : {0, 1}) {
            s << QString::number(r.AFGain(v)) << QString::number(r.AGC(v)) << QString::number(r.APFOffset(v))
              << QString::number(r.APFOffsetFrequency(v)) << QString::number(r.Attenuator(v))
              << QString::number(r.AutoNotch(v)) << QString::number(r.Contour(v))
              << QString::number(r.ContourLevel(v)) << QString::number(r.FilterWidth(v))
              << QString::number(r.FilterWidthFrequency(v)) << QString::number(r.IFShift(v))
              << QString::number(r.IPO(v)) << QString::number(r.Narrow(v)) << QString::number(r.NoiseBlanker(v))
              << QString::number(r.NoiseBlankerLevel(v)) << QString::number(r.NoiseReduction(v))
              << QString::number(r.NoiseReductionLevel(v)) << QString::number(r.Notch(v))
              << QString::number(r.NotchLevel(v)) << QString::number(r.RFGain(v))
              << QString::number(r.RoofingFilter(v)) << QString::number(r.SMeter(v))
              << QString::number(r.Squelch(v));
        }
        s << QString::number(r.ContourGain());
        return s.join(',');
    }

    QStringList events;
};

struct CommandCase {
    const char* name;
    TTransceiver model;
    std::function<void(TRX&)> before; // radio answers that set the starting value
    std::function<void(TRX&)> set;
    QStringList expect;
};

} // namespace

TEST_F(RXTest, InitialValues)
{
    TRX& r = rx();
    for (uint8_t v : {0, 1}) {
        EXPECT_EQ(r.AFGain(v), 0);
        EXPECT_EQ(r.AGC(v), agcAuto);
        EXPECT_EQ(r.APFOffset(v), 25);
        EXPECT_EQ(r.APFOffsetFrequency(v), 0);
        EXPECT_EQ(r.ContourLevel(v), 15);
        EXPECT_EQ(r.FilterWidth(v), 16);
        EXPECT_EQ(r.FilterWidthFrequency(v), 2400);
        EXPECT_EQ(r.IPO(v), ipoAmp1);
        EXPECT_EQ(r.NoiseReductionLevel(v), 1);
        EXPECT_EQ(r.NotchLevel(v), 150);
        EXPECT_EQ(r.RFGain(v), 255);
        EXPECT_EQ(r.RoofingFilter(v), rfltAuto3kHz);
    }
    EXPECT_EQ(r.ContourGain(), -15);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(0), 6);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(1), 1800);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(2), 300);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(3), 300);
    EXPECT_NE(r.VRF(), nullptr);
}

TEST_F(RXTest, UserCommandsSendTheirTextAndChangeNothing)
{
    const CommandCase cases[] = {
        {"AFGainA", FT2000, {}, [](TRX& r) { r.SetAFGainA(128); }, {"AG0128;"}},
        {"AFGainB", FT950, {}, [](TRX& r) { r.SetAFGainB(5); }, {"AG1005;"}},
        {"AFGain equal", FT2000, {}, [](TRX& r) { r.SetAFGainA(0); }, {}},
        {"AGC off", FT2000, {}, [](TRX& r) { r.SetAGCB(agcOff); }, {"GT10;"}},
        {"AGC fast", FT2000, {}, [](TRX& r) { r.SetAGCA(agcFast); }, {"GT01;"}},
        {"AGC mid", FT2000, {}, [](TRX& r) { r.SetAGCA(agcMid); }, {"GT02;"}},
        {"AGC slow", FT2000, {}, [](TRX& r) { r.SetAGCA(agcSlow); }, {"GT03;"}},
        {"AGC auto", FT2000, [](TRX& r) { r.SetAGCA(agcSlow); }, [](TRX& r) { r.SetAGCA(agcAuto); }, {"GT04;"}},
        {"AGC auto mid", FT2000, {}, [](TRX& r) { r.SetAGCA(agcAutoMid); }, {}},
        {"AGC auto fast", FTDX5000, {}, [](TRX& r) { r.SetAGCB(agcAutoFast); }, {}},
        {"AGC auto slow", FT950, {}, [](TRX& r) { r.SetAGCA(agcAutoSlow); }, {}},
        {"APFOffset", FTDX5000, {}, [](TRX& r) { r.SetAPFOffsetA(30); }, {"CO0230;"}},
        {"APFOffset high", FTDX5000, {}, [](TRX& r) { r.SetAPFOffsetB(60); }, {"CO1250;"}},
        {"APFOffset low", FTDX5000, {}, [](TRX& r) { r.SetAPFOffsetA(-5); }, {"CO0200;"}},
        {"Attenuator", FT2000, {}, [](TRX& r) { r.SetAttenuatorA(att12dB); }, {"RA02;"}},
        {"Attenuator B", FTDX5000, {}, [](TRX& r) { r.SetAttenuatorB(att18dB); }, {"RA13;"}},
        {"AutoNotch", FT2000, {}, [](TRX& r) { r.SetAutoNotchA(true); }, {"BC01;"}},
        {"Contour on", FT2000, {}, [](TRX& r) { r.SetContourA(conOn); }, {"CO0001;"}},
        {"Contour APF", FTDX5000, {}, [](TRX& r) { r.SetContourB(conAPF); }, {"CO1002;"}},
        {"Contour off", FT2000, [](TRX& r) { r.SetContourA(conOn); }, [](TRX& r) { r.SetContourA(conOff); },
         {"CO0000;"}},
        {"ContourLevel FT950", FT950, {}, [](TRX& r) { r.SetContourLevelB(35); }, {"CO1130;"}},
        {"ContourLevel FTDX5000", FTDX5000, {}, [](TRX& r) { r.SetContourLevelB(35); }, {"CO1135;"}},
        {"ContourLevel FT2000 high", FT2000, {}, [](TRX& r) { r.SetContourLevelA(99); }, {"CO0140;"}},
        {"ContourLevel low", FT2000D, {}, [](TRX& r) { r.SetContourLevelA(0); }, {"CO0101;"}},
        {"FilterWidth FT950", FT950, {}, [](TRX& r) { r.SetFilterWidthA(40); }, {"SH020;"}},
        {"FilterWidth FTDX5000", FTDX5000, {}, [](TRX& r) { r.SetFilterWidthA(40); }, {"SH025;"}},
        {"FilterWidth FT2000", FT2000, {}, [](TRX& r) { r.SetFilterWidthA(40); }, {"SH031;"}},
        {"FilterWidth FT2000D", FT2000D, {}, [](TRX& r) { r.SetFilterWidthB(9); }, {"SH109;"}},
        {"FilterWidth negative", FT2000, {}, [](TRX& r) { r.SetFilterWidthB(-3); }, {"SH100;"}},
        {"FilterWidth equal still sends", FT2000, {}, [](TRX& r) { r.SetFilterWidthA(16); }, {"SH016;"}},
        {"IFShift positive", FT2000, {}, [](TRX& r) { r.SetIFShiftA(150); }, {"IS0+0150;"}},
        {"IFShift negative", FT2000, {}, [](TRX& r) { r.SetIFShiftB(-150); }, {"IS1-0150;"}},
        {"IFShift high", FT2000, {}, [](TRX& r) { r.SetIFShiftA(2000); }, {"IS0+1000;"}},
        {"IFShift low", FT950, {}, [](TRX& r) { r.SetIFShiftA(-5000); }, {"IS0-1000;"}},
        {"IFShift zero", FT2000, [](TRX& r) { r.SetIFShiftA(150); }, [](TRX& r) { r.SetIFShiftA(0); },
         {"IS0-0000;"}},
        {"IFShift one", FT2000, {}, [](TRX& r) { r.SetIFShiftA(1); }, {"IS0+0001;"}},
        {"IFShift equal", FT2000, {}, [](TRX& r) { r.SetIFShiftA(0); }, {}},
        {"IPO", FT2000, {}, [](TRX& r) { r.SetIPOA(ipo2); }, {"PA03;"}},
        {"IPO B", FTDX5000, {}, [](TRX& r) { r.SetIPOB(ipo1); }, {"PA10;"}},
        {"Narrow", FT2000, {}, [](TRX& r) { r.SetNarrowA(true); }, {"NA01;"}},
        {"Narrow equal still sends", FT2000, {}, [](TRX& r) { r.SetNarrowB(false); }, {"NA10;"}},
        {"NoiseBlanker", FT2000, {}, [](TRX& r) { r.SetNoiseBlankerB(nbWide); }, {"NB12;"}},
        {"NoiseBlanker on", FT2000, {}, [](TRX& r) { r.SetNoiseBlankerA(nbOn); }, {"NB01;"}},
        {"NoiseBlankerLevel", FT2000, {}, [](TRX& r) { r.SetNoiseBlankerLevelA(7); }, {"NL0007;"}},
        {"NoiseReduction", FT2000, {}, [](TRX& r) { r.SetNoiseReductionB(true); }, {"NR11;"}},
        {"NoiseReductionLevel", FT2000, {}, [](TRX& r) { r.SetNoiseReductionLevelA(9); }, {"RL009;"}},
        {"NoiseReductionLevel high", FT2000, {}, [](TRX& r) { r.SetNoiseReductionLevelA(20); }, {"RL015;"}},
        {"NoiseReductionLevel low", FT2000, {}, [](TRX& r) { r.SetNoiseReductionLevelB(0); }, {"RL101;"}},
        {"Notch", FT2000, {}, [](TRX& r) { r.SetNotchA(true); }, {"BP00001;"}},
        {"Notch off", FT2000, [](TRX& r) { r.SetNotchB(true); }, [](TRX& r) { r.SetNotchB(false); },
         {"BP10000;"}},
        {"NotchLevel low", FT2000, {}, [](TRX& r) { r.SetNotchLevelA(0); }, {"BP01001;"}},
        {"NotchLevel FT950", FT950, {}, [](TRX& r) { r.SetNotchLevelA(350); }, {"BP01300;"}},
        {"NotchLevel FTDX5000", FTDX5000, {}, [](TRX& r) { r.SetNotchLevelB(999); }, {"BP11400;"}},
        {"NotchLevel equal", FT2000, {}, [](TRX& r) { r.SetNotchLevelA(150); }, {}},
        {"RFGain", FT2000, {}, [](TRX& r) { r.SetRFGainB(100); }, {"RG1100;"}},
        {"RoofingFilter auto", FT2000, {}, [](TRX& r) { r.SetRoofingFilterA(rfltAuto); }, {"RF00;"}},
        {"RoofingFilter 15k", FT2000, {}, [](TRX& r) { r.SetRoofingFilterA(rflt15kHz); }, {"RF01;"}},
        {"RoofingFilter 6k", FT2000, {}, [](TRX& r) { r.SetRoofingFilterA(rflt6kHz); }, {"RF02;"}},
        {"RoofingFilter 3k", FT2000, {}, [](TRX& r) { r.SetRoofingFilterA(rflt3kHz); }, {"RF03;"}},
        {"RoofingFilter 600", FTDX5000, {}, [](TRX& r) { r.SetRoofingFilterA(rflt600Hz); }, {"RF04;"}},
        {"RoofingFilter 300", FTDX5000, {}, [](TRX& r) { r.SetRoofingFilterB(rflt300Hz); }, {"RF15;"}},
        {"RoofingFilter auto 6k", FT2000, {}, [](TRX& r) { r.SetRoofingFilterA(rfltAuto6kHz); }, {}},
        {"RoofingFilter auto 300", FTDX5000, {}, [](TRX& r) { r.SetRoofingFilterA(rfltAuto300Hz); }, {}},
        {"Squelch", FT2000, {}, [](TRX& r) { r.SetSquelchB(30); }, {"SQ1030;"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        setModel(c.model);
        if (c.before) {
            received();
            c.before(rx());
        }
        userOnLink();
        const QString state = dump();
        events.clear();
        c.set(rx());
        EXPECT_EQ(sent, c.expect);
        EXPECT_EQ(dump(), state);
        EXPECT_TRUE(events.isEmpty()) << events.join(" | ").toStdString();
    }
}

TEST_F(RXTest, ReceivedValuesAreStoredClampedAndReported)
{
    struct Case {
        const char* name;
        TTransceiver model;
        std::function<void(TRX&)> set;
        std::function<int(TRX&)> get;
        int stored;
        QStringList events;
    };
    const Case cases[] = {
        {"AFGain", FT2000, [](TRX& r) { r.SetAFGainA(128); }, [](TRX& r) { return r.AFGainA(); }, 128,
         {ev("AFGain", 0, 128)}},
        {"AGC", FT2000, [](TRX& r) { r.SetAGCB(agcAutoFast); }, [](TRX& r) { return r.AGCB(); }, agcAutoFast,
         {ev("AGC", 1, agcAutoFast)}},
        {"APFOffset", FTDX5000, [](TRX& r) { r.SetAPFOffsetB(99); }, [](TRX& r) { return r.APFOffsetB(); }, 50,
         {ev("APFOffset", 1, 50)}},
        {"Attenuator", FT2000, [](TRX& r) { r.SetAttenuatorA(att6dB); }, [](TRX& r) { return r.AttenuatorA(); },
         att6dB, {ev("Attenuator", 0, att6dB)}},
        {"AutoNotch", FT2000, [](TRX& r) { r.SetAutoNotchB(true); }, [](TRX& r) { return r.AutoNotchB(); }, 1,
         {ev("AutoNotch", 1, 1)}},
        {"Contour", FT2000, [](TRX& r) { r.SetContourA(conAPF); }, [](TRX& r) { return r.ContourA(); }, conAPF,
         {ev("Contour", 0, conAPF)}},
        {"ContourLevel FT950", FT950, [](TRX& r) { r.SetContourLevelA(35); },
         [](TRX& r) { return r.ContourLevelA(); }, 30, {ev("ContourLevel", 0, 30)}},
        {"ContourLevel FT2000", FT2000, [](TRX& r) { r.SetContourLevelB(35); },
         [](TRX& r) { return r.ContourLevelB(); }, 35, {ev("ContourLevel", 1, 35)}},
        {"IFShift", FT2000, [](TRX& r) { r.SetIFShiftB(-1500); }, [](TRX& r) { return r.IFShiftB(); }, -1000,
         {ev("IFShift", 1, -1000)}},
        {"IPO", FT2000, [](TRX& r) { r.SetIPOA(ipoAmp2); }, [](TRX& r) { return r.IPOA(); }, ipoAmp2,
         {ev("IPO", 0, ipoAmp2)}},
        {"NoiseBlanker", FT2000, [](TRX& r) { r.SetNoiseBlankerA(nbOn); }, [](TRX& r) { return r.NoiseBlankerA(); },
         nbOn, {ev("NoiseBlanker", 0, nbOn)}},
        {"NoiseBlankerLevel", FT2000, [](TRX& r) { r.SetNoiseBlankerLevelB(77); },
         [](TRX& r) { return r.NoiseBlankerLevelB(); }, 77, {ev("NoiseBlankerLevel", 1, 77)}},
        {"NoiseReduction", FT2000, [](TRX& r) { r.SetNoiseReductionA(true); },
         [](TRX& r) { return r.NoiseReductionA(); }, 1, {ev("NoiseReduction", 0, 1)}},
        {"NoiseReductionLevel", FT2000, [](TRX& r) { r.SetNoiseReductionLevelA(99); },
         [](TRX& r) { return r.NoiseReductionLevelA(); }, 15, {ev("NoiseReductionLevel", 0, 15)}},
        {"Notch", FT2000, [](TRX& r) { r.SetNotchB(true); }, [](TRX& r) { return r.NotchB(); }, 1,
         {ev("Notch", 1, 1)}},
        {"NotchLevel FT950", FT950, [](TRX& r) { r.SetNotchLevelA(400); }, [](TRX& r) { return r.NotchLevelA(); },
         300, {ev("NotchLevel", 0, 300)}},
        {"NotchLevel FTDX5000", FTDX5000, [](TRX& r) { r.SetNotchLevelA(400); },
         [](TRX& r) { return r.NotchLevelA(); }, 400, {ev("NotchLevel", 0, 400)}},
        {"RFGain", FT2000, [](TRX& r) { r.SetRFGainA(10); }, [](TRX& r) { return r.RFGainA(); }, 10,
         {ev("RFGain", 0, 10)}},
        {"RoofingFilter", FT2000, [](TRX& r) { r.SetRoofingFilterB(rfltAuto600Hz); },
         [](TRX& r) { return r.RoofingFilterB(); }, rfltAuto600Hz, {ev("RoofingFilter", 1, rfltAuto600Hz)}},
        {"Squelch", FT2000, [](TRX& r) { r.SetSquelchA(200); }, [](TRX& r) { return r.SquelchA(); }, 200,
         {ev("Squelch", 0, 200)}},
        {"SMeter", FT2000, [](TRX& r) { r.SetSMeterB(120); }, [](TRX& r) { return r.SMeterB(); }, 120,
         {ev("SMeter", 1, 120)}},
        {"ContourGain", FT2000, [](TRX& r) { r.SetContourGain(-3); }, [](TRX& r) { return r.ContourGain(); }, -3,
         {QStringLiteral("ContourGain -3")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        setModel(c.model);
        received();
        c.set(rx());
        EXPECT_EQ(c.get(rx()), c.stored);
        EXPECT_EQ(events, c.events);
        EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
    }
}

TEST_F(RXTest, EqualReceivedValuesRaiseNothing)
{
    received();
    rx().SetAFGainB(0);
    rx().SetAGCA(agcAuto);
    rx().SetContourB(conOff);
    rx().SetIFShiftA(0);
    rx().SetNotchLevelB(150);
    rx().SetRoofingFilterA(rfltAuto3kHz);
    rx().SetSquelchA(0);
    rx().SetSMeterB(0);
    rx().SetContourGain(-15);
    EXPECT_TRUE(events.isEmpty()) << events.join(" | ").toStdString();
}

TEST_F(RXTest, ClampedValuesRepeatedFromTheRadioAreReportedAgain)
{
    // The equality test looks at the value given, not at the clamped one stored.
    setModel(FT950);
    received();
    rx().SetNotchLevelA(400);
    events.clear();
    received();
    rx().SetNotchLevelA(400);
    EXPECT_EQ(events, QStringList{ev("NotchLevel", 0, 300)});
}

TEST_F(RXTest, WithoutARadioAUserActionStores)
{
    ASSERT_NE(cat->ComState(), csConnected);
    cat->PrepareTX();
    rx().SetAFGainB(200);
    cat->PrepareTX();
    rx().SetIFShiftA(-300);
    EXPECT_EQ(rx().AFGainB(), 200);
    EXPECT_EQ(rx().IFShiftA(), -300);
    EXPECT_EQ(events, (QStringList{ev("AFGain", 1, 200), ev("IFShift", 0, -300)}));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(RXTest, UserCommandThenRadioAnswerStores)
{
    userOnLink();
    rx().SetAFGainA(128);
    EXPECT_EQ(sent, QStringList{"AG0128;"});
    EXPECT_EQ(rx().AFGainA(), 0);
    received();
    rx().SetAFGainA(128);
    EXPECT_EQ(rx().AFGainA(), 128);
    EXPECT_EQ(events, QStringList{ev("AFGain", 0, 128)});
}

TEST_F(RXTest, APFOffsetGivesItsFrequency)
{
    setModel(FTDX5000);
    for (auto [offset, hz] : {std::pair{30, 50}, {0, -250}, {50, 250}, {25, 0}}) {
        received();
        rx().SetAPFOffsetA(offset);
        EXPECT_EQ(rx().APFOffsetFrequencyA(), hz) << offset;
    }
    EXPECT_EQ(rx().APFOffsetFrequencyB(), 0);
}

TEST_F(RXTest, ReceivedWidthAndNarrowAlwaysRecomputeTheFilter)
{
    // FT2000 in CW (the starting mode), narrow row 6 before any menu answer.
    received();
    rx().SetFilterWidthA(17);
    EXPECT_EQ(events, QStringList{"FilterChange 0 2400 1 31 17 11"});
    events.clear();
    received();
    rx().SetNarrowA(true);
    EXPECT_EQ(events, (QStringList{ev("Narrow", 0, 1), "FilterChange 0 500 1 31 17 7"}));
    EXPECT_EQ(rx().FilterWidthFrequencyA(), 500);
    events.clear();
    // A repeated answer still refreshes the display; OnFilterWidth is never raised.
    received();
    rx().SetFilterWidthA(17);
    received();
    rx().SetNarrowA(true);
    EXPECT_EQ(events, (QStringList{"FilterChange 0 500 1 31 17 7", ev("Narrow", 0, 1), "FilterChange 0 500 1 31 17 7"}));
}

TEST_F(RXTest, ReceivedWidthIsClampedPerModel)
{
    for (auto [m, top] : {std::pair{FT950, 20}, {FTDX5000, 25}, {FT2000, 31}, {FT2000D, 31}}) {
        setModel(m);
        received();
        rx().SetFilterWidthB(40);
        EXPECT_EQ(rx().FilterWidthB(), top);
    }
}

TEST_F(RXTest, FilterChangeOfTheSubReceiverShowsFiveBars)
{
    setModel(FTDX5000);
    received();
    rx().SetNarrowB(true);
    received();
    rx().SetFilterWidthB(3);
    EXPECT_EQ(events.last(), "FilterChange 1 150 1 10 3 5");
    events.clear();
    setModel(FTDX5000);
    received();
    rx().SetNarrowA(true);
    received();
    rx().SetFilterWidthA(3);
    EXPECT_EQ(events.last(), "FilterChange 0 150 1 10 3 11");
}

TEST_F(RXTest, FilterFollowsTheModeOfItsOwnVFO)
{
    received([&] { cat->SetModeA(mdUSB); });
    received([&] { cat->SetModeB(mdAM); });
    events.clear();
    received();
    rx().SetFilterWidthA(20);
    received();
    rx().SetFilterWidthB(20);
    EXPECT_EQ(events, (QStringList{"FilterChange 0 2500 1 31 20 7", "FilterChange 1 9000 1 31 20 5"}));
}

TEST_F(RXTest, SMeterAndContourGainStoreWhateverTheFlags)
{
    userOnLink();
    rx().SetSMeterA(30);
    cat->PrepareTX();
    rx().SetContourGain(4);
    EXPECT_EQ(rx().SMeterA(), 30);
    EXPECT_EQ(rx().ContourGain(), 4);
    EXPECT_EQ(events, (QStringList{ev("SMeter", 0, 30), "ContourGain 4"}));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(RXTest, SMeterIsReportedOnlyWhileTheMeterIsShown)
{
    cat->SetShowMeter(false);
    events.clear();
    received();
    rx().SetSMeterA(90);
    EXPECT_EQ(rx().SMeterA(), 90);
    EXPECT_TRUE(events.filter("SMeter 0 90").isEmpty());
}

TEST_F(RXTest, WidthResetsAreSentAtOnceOnTheirModelOnly)
{
    for (TTransceiver m : {FT2000, FT2000D, FT950, FTDX5000}) {
        SCOPED_TRACE(int(m));
        setModel(m);
        sent.clear();
        received(); // outside the command rule: the flags do not matter
        rx().ResetFilterWidth(0);
        rx().ResetFilterWidth(1);
        rx().SetFilterWidthDefault();
        if (m == FTDX5000)
            EXPECT_EQ(sent, (QStringList{"SH000;", "SH100;"}));
        else if (m == FT950)
            EXPECT_EQ(sent, QStringList{"SH000;"});
        else
            EXPECT_TRUE(sent.isEmpty());
        EXPECT_EQ(rx().FilterWidthA(), 16);
    }
}

TEST_F(RXTest, NarrowDefaultsFromMenuValues)
{
    TRX& r = rx();
    r.SetNarrowWidthDefault(mdUSB, 0);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(1), 200);
    r.SetNarrowWidthDefault(mdLSB, 11);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(1), 2250);
    r.SetNarrowWidthDefault(mdLSB, 12); // outside the table: unchanged
    EXPECT_EQ(r.FilterWidthFrequencyDefault(1), 2250);
    r.SetNarrowWidthDefault(mdCW_R, 11);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(0), 11);
    r.SetNarrowWidthDefault(mdCW, -1);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(0), 11);
    r.SetNarrowWidthDefault(mdFSK_R, 5);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(2), 400);
    r.SetNarrowWidthDefault(mdFSK, 6);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(2), 400);
    r.SetNarrowWidthDefault(mdPKT_U, 0);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(3), 25);
    r.SetNarrowWidthDefault(mdAM, 1);
    r.SetNarrowWidthDefault(mdPKT_FM, 1);
    EXPECT_EQ(r.FilterWidthFrequencyDefault(3), 25);
    EXPECT_TRUE(events.isEmpty());

    // The new CW row takes effect with the next recomputation: row 11 gives 2000 Hz at code 17.
    received();
    r.SetNarrowA(true);
    received();
    r.SetFilterWidthA(17);
    EXPECT_EQ(r.FilterWidthFrequencyA(), 2000);
}

// Step operations ---------------------------------------------------------------------

namespace {

template <typename T>
struct Step {
    T from;
    std::optional<T> to;
};

} // namespace

TEST_F(RXTest, AGCSteps)
{
    const Step<TAGC> down[] = {{agcOff, agcAuto},     {agcFast, agcMid},    {agcMid, agcSlow},
                               {agcSlow, agcAuto},    {agcAuto, agcFast},   {agcAutoFast, agcFast},
                               {agcAutoMid, agcFast}, {agcAutoSlow, agcFast}};
    const Step<TAGC> up[] = {{agcOff, agcAuto},     {agcFast, agcAuto},   {agcMid, agcFast},
                             {agcSlow, agcMid},     {agcAuto, agcSlow},   {agcAutoFast, agcSlow},
                             {agcAutoMid, agcSlow}, {agcAutoSlow, agcSlow}};
    for (const auto& s : down) {
        received();
        rx().SetAGCA(s.from);
        rx().AGCDown(); // offline: the step stores
        EXPECT_EQ(rx().AGCA(), *s.to) << int(s.from);
    }
    for (const auto& s : up) {
        received();
        rx().SetAGCA(s.from);
        rx().AGCUp();
        EXPECT_EQ(rx().AGCA(), *s.to) << int(s.from);
    }
    rx().AGCSetOff();
    EXPECT_EQ(rx().AGCA(), agcOff);
    EXPECT_EQ(rx().AGCB(), agcAuto);

    // On a connected link the step only sends.
    userOnLink();
    rx().AGCUp();
    EXPECT_EQ(sent, QStringList{"GT04;"});
    EXPECT_EQ(rx().AGCA(), agcOff);
}

TEST_F(RXTest, AttenuatorStepsWrapAround)
{
    const TAttenuator order[] = {attOff, att6dB, att12dB, att18dB};
    for (TTransceiver m : {FT2000, FT950, FTDX5000}) {
        setModel(m);
        for (int i = 0; i < 4; ++i) {
            received();
            rx().SetAttenuatorA(order[i]);
            rx().AttenuatorDown();
            EXPECT_EQ(rx().AttenuatorA(), order[(i + 1) % 4]);
            received();
            rx().SetAttenuatorA(order[i]);
            rx().AttenuatorUp();
            EXPECT_EQ(rx().AttenuatorA(), order[(i + 3) % 4]);
        }
    }
}

TEST_F(RXTest, IPOSteps)
{
    const Step<TIPO> mainDown[] = {{ipo1, ipoAmp1}, {ipoAmp1, ipoAmp2}, {ipoAmp2, ipo1}, {ipo2, std::nullopt}};
    const Step<TIPO> mainUp[] = {{ipo1, ipoAmp2}, {ipoAmp2, ipoAmp1}, {ipoAmp1, ipo1}, {ipo2, std::nullopt}};
    const Step<TIPO> dxDown[] = {{ipo1, ipo2}, {ipo2, ipoAmp1}, {ipoAmp1, ipoAmp2}, {ipoAmp2, ipo1}};
    const Step<TIPO> dxUp[] = {{ipo1, ipoAmp2}, {ipoAmp2, ipoAmp1}, {ipoAmp1, ipo2}, {ipo2, ipo1}};
    auto run = [this](TTransceiver m, const auto& steps, void (TRX::*op)()) {
        setModel(m);
        for (const auto& s : steps) {
            received();
            rx().SetIPOA(s.from);
            (rx().*op)();
            EXPECT_EQ(rx().IPOA(), s.to.value_or(s.from)) << int(m) << " from " << int(s.from);
        }
    };
    run(FT2000, mainDown, &TRX::IPODown);
    run(FT950, mainUp, &TRX::IPOUp);
    run(FTDX5000, dxDown, &TRX::IPODown);
    run(FTDX5000, dxUp, &TRX::IPOUp);
}

TEST_F(RXTest, RoofingFilterStepsWrapOnTheThreeFilterModelsAndStopOnTheFTDX5000)
{
    using R = TRoofingFilter;
    const std::optional<R> none;
    const Step<R> down[] = {{rfltAuto, rflt3kHz},      {rflt15kHz, rfltAuto},     {rflt6kHz, rflt15kHz},
                            {rflt3kHz, rflt6kHz},      {rfltAuto15kHz, rflt3kHz}, {rfltAuto6kHz, rflt3kHz},
                            {rfltAuto3kHz, rflt3kHz},  {rflt600Hz, none},         {rflt300Hz, none},
                            {rfltAuto600Hz, none},     {rfltAuto300Hz, none}};
    const Step<R> up[] = {{rfltAuto, rflt15kHz},      {rflt15kHz, rflt6kHz},      {rflt6kHz, rflt3kHz},
                          {rflt3kHz, rfltAuto},       {rfltAuto15kHz, rflt15kHz}, {rfltAuto6kHz, rflt15kHz},
                          {rfltAuto3kHz, rflt15kHz},  {rflt600Hz, none},          {rflt300Hz, none},
                          {rfltAuto600Hz, none},      {rfltAuto300Hz, none}};
    const Step<R> dxDown[] = {{rfltAuto, none},          {rflt15kHz, rfltAuto},  {rflt6kHz, rflt15kHz},
                              {rflt3kHz, rflt6kHz},      {rfltAuto15kHz, none},  {rfltAuto6kHz, none},
                              {rfltAuto3kHz, none},      {rflt600Hz, rflt3kHz},  {rflt300Hz, rflt600Hz},
                              {rfltAuto600Hz, none},     {rfltAuto300Hz, none}};
    const Step<R> dxUp[] = {{rfltAuto, rflt15kHz},      {rflt15kHz, rflt6kHz},       {rflt6kHz, rflt3kHz},
                            {rflt3kHz, rflt600Hz},      {rfltAuto15kHz, rflt15kHz},  {rfltAuto6kHz, rflt15kHz},
                            {rfltAuto3kHz, rflt15kHz},  {rflt600Hz, rflt300Hz},      {rflt300Hz, none},
                            {rfltAuto600Hz, rflt15kHz}, {rfltAuto300Hz, rflt15kHz}};
    auto run = [this](TTransceiver m, const auto& steps, void (TRX::*op)()) {
        setModel(m);
        for (const auto& s : steps) {
            received();
            rx().SetRoofingFilterA(s.from);
            (rx().*op)();
            EXPECT_EQ(rx().RoofingFilterA(), s.to.value_or(s.from)) << int(m) << " from " << int(s.from);
        }
    };
    for (TTransceiver m : {FT2000, FT2000D, FT950}) {
        run(m, down, &TRX::RoofingFilterDown);
        run(m, up, &TRX::RoofingFilterUp);
    }
    run(FTDX5000, dxDown, &TRX::RoofingFilterDown);
    run(FTDX5000, dxUp, &TRX::RoofingFilterUp);

    received();
    rx().SetRoofingFilterA(rflt6kHz);
    rx().RoofingFilterAuto();
    EXPECT_EQ(rx().RoofingFilterA(), rfltAuto);
}

TEST_F(RXTest, StepsOfTheSelectedSubReceiver)
{
    received([&] { cat->SetVFOSelect(vfoB); });
    using R = TRoofingFilter;
    const std::optional<R> none;
    const Step<R> down[] = {{rfltAuto, none},         {rflt15kHz, rfltAuto},  {rflt6kHz, rflt15kHz},
                            {rflt3kHz, rflt6kHz},     {rfltAuto3kHz, none},   {rflt600Hz, none},
                            {rflt300Hz, none}};
    const Step<R> up[] = {{rfltAuto, rflt15kHz},      {rflt15kHz, rflt6kHz},      {rflt6kHz, rflt3kHz},
                          {rflt3kHz, none},           {rfltAuto15kHz, rflt15kHz}, {rfltAuto6kHz, rflt15kHz},
                          {rfltAuto3kHz, rflt15kHz},  {rflt600Hz, none},          {rflt300Hz, none},
                          {rfltAuto600Hz, none}};
    setModel(FTDX5000);
    for (const auto& s : down) {
        received();
        rx().SetRoofingFilterB(s.from);
        rx().RoofingFilterDown();
        EXPECT_EQ(rx().RoofingFilterB(), s.to.value_or(s.from)) << int(s.from);
    }
    for (const auto& s : up) {
        received();
        rx().SetRoofingFilterB(s.from);
        rx().RoofingFilterUp();
        EXPECT_EQ(rx().RoofingFilterB(), s.to.value_or(s.from)) << int(s.from);
    }
    // The sub receiver's IPO has no second preamp-off setting.
    received();
    rx().SetIPOB(ipo2);
    rx().IPOUp();
    EXPECT_EQ(rx().IPOB(), ipo2);

    // FTDX5000 steps the selected receiver; the other models always VFO A.
    rx().AttenuatorUp();
    EXPECT_EQ(rx().AttenuatorB(), att18dB);
    rx().AGCDown();
    EXPECT_EQ(rx().AGCB(), agcFast);
    rx().RoofingFilterAuto();
    EXPECT_EQ(rx().RoofingFilterB(), rfltAuto);
    setModel(FT950);
    rx().AttenuatorUp();
    EXPECT_EQ(rx().AttenuatorA(), att18dB);
    EXPECT_EQ(rx().AttenuatorB(), att18dB);
    rx().RoofingFilterAuto();
    EXPECT_EQ(rx().RoofingFilterA(), rfltAuto);
}
