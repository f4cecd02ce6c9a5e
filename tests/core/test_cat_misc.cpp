#include "core/cat/CTCSS.h"
#include "core/cat/Dimmer.h"
#include "core/cat/GUISettings.h"
#include "core/cat/RadioInformation.h"
#include "core/cat/Rotator.h"
#include "tests/core/CATFixture.h"

#include <functional>

namespace {

class MiscTest : public CATFixture {
protected:
    void fresh() override
    {
        CATFixture::fresh();
        events.clear();
        cat->OnRotator = [this](TRotatorState s, int32_t d, int32_t v) {
            events << QStringLiteral("Rotator %1 %2 %3").arg(s).arg(d).arg(v);
        };
    }
    TRotator& rotator() { return *cat->Rotator(); }
    TDimmer& dimmer() { return *cat->Dimmer(); }
    TRadioInformation& info() { return *cat->RadioInformation(); }

    QStringList events;
};

} // namespace

TEST_F(MiscTest, RotatorCommands)
{
    const struct {
        TRotatorState state;
        const char* text;
    } cases[] = {{rcOff, "RO0;"},       {rcCounterClockwise, "RO1;"}, {rcClockwise, "RO2;"},
                 {rcSpeedUp, "RO4;"},   {rcSpeedDown, "RO3;"}};
    userOnLink();
    for (const auto& c : cases) {
        sent.clear();
        cat->PrepareTX();
        rotator().SetRotatorState(c.state);
        EXPECT_EQ(sent, QStringList{c.text});
        EXPECT_EQ(rotator().RotatorState(), rcOff);
    }
    sent.clear();
    rotator().PollRotator();
    EXPECT_EQ(sent, QStringList{"RO;"});
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(MiscTest, RotatorAnswerWithOffset)
{
    rotator().SetOffset(180);
    // One "RO" answer: direction, speed and state, each after PrepareRX.
    received();
    rotator().SetDirection(270);
    received();
    rotator().SetSpeed(50);
    received();
    rotator().SetRotatorState(rcClockwise);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Rotator %1 90 100").arg(rcOff),
                                   QStringLiteral("Rotator %1 270 50").arg(rcOff),
                                   QStringLiteral("Rotator %1 270 50").arg(rcClockwise)}));
    EXPECT_EQ(rotator().Direction(), 270);
    EXPECT_FALSE(cat->CmdRcvd());

    // The state has no equality test; direction and speed have one.
    events.clear();
    received();
    rotator().SetDirection(270);
    received();
    rotator().SetSpeed(50);
    received();
    rotator().SetRotatorState(rcClockwise);
    EXPECT_EQ(events, QStringList{QStringLiteral("Rotator %1 270 50").arg(rcClockwise)});

    // Directions at or below the wrap point are only turned.
    events.clear();
    received();
    rotator().SetDirection(180);
    EXPECT_EQ(events, QStringList{QStringLiteral("Rotator %1 360 50").arg(rcClockwise)});
}

TEST_F(MiscTest, RotatorClampsAndNeverSendsDirectionOrSpeed)
{
    received();
    rotator().SetDirection(500);
    received();
    rotator().SetSpeed(-4);
    EXPECT_EQ(rotator().Direction(), 450);
    EXPECT_EQ(rotator().Speed(), 0);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Rotator %1 450 100").arg(rcOff),
                                   QStringLiteral("Rotator %1 450 0").arg(rcOff)}));
    events.clear();
    userOnLink();
    rotator().SetDirection(90);
    rotator().SetSpeed(30);
    EXPECT_EQ(rotator().Direction(), 450);
    EXPECT_EQ(rotator().Speed(), 0);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(events.isEmpty());

    // Without a handler the received flag is still cleared.
    cat->OnRotator = nullptr;
    received();
    rotator().SetDirection(10);
    EXPECT_FALSE(cat->CmdRcvd());
}

TEST_F(MiscTest, CTCSSEncoderSteps)
{
    TCTCSS& c = *cat->CTCSS();
    received(); // sent at once whatever the flags
    c.EncoderAUp(150);
    c.EncoderBDown(0);
    c.EncoderADown(5);
    c.EncoderBUp(42);
    EXPECT_EQ(sent, (QStringList{"EU099;", "ED101;", "ED005;", "EU142;"}));

    c.SetStateB(ctcssEnc);
    c.SetToneFrequency(0, 12);
    EXPECT_EQ(c.StateA(), ctcssOff);
    EXPECT_EQ(c.StateB(), ctcssEnc);
    EXPECT_EQ(c.ToneFrequencyA(), 12);
    EXPECT_EQ(c.ToneFrequencyB(), 0);
    EXPECT_EQ(sent.size(), 4);
}

TEST_F(MiscTest, DimmerSwitch)
{
    QStringList dim;
    cat->OnDimmerSwitch = [&](bool v) { dim << QStringLiteral("Switch %1").arg(v); };
    userOnLink();
    dimmer().SetDimmerSwitch(true);
    EXPECT_EQ(sent, QStringList{"DS1;"});
    EXPECT_FALSE(dimmer().DimmerSwitch());
    received();
    dimmer().SetDimmerSwitch(true);
    EXPECT_TRUE(dimmer().DimmerSwitch());
    EXPECT_EQ(dim, QStringList{"Switch 1"});
}

TEST_F(MiscTest, DimmerLevelsTravelTogether)
{
    QStringList dim;
    cat->OnDimmerDisplay = [&](int32_t v) { dim << QStringLiteral("Display %1").arg(v); };
    cat->OnDimmerMeter = [&](int32_t v) { dim << QStringLiteral("Meter %1").arg(v); };
    // A "DA" answer: one PrepareRX for both levels.
    received();
    dimmer().SetDimmerDisplay(3);
    dimmer().SetDimmerMeter(5);
    EXPECT_EQ(dimmer().DimmerDisplay(), 3);
    EXPECT_EQ(dimmer().DimmerMeter(), 5);
    EXPECT_EQ(dim, (QStringList{"Display 3", "Meter 5"}));

    userOnLink();
    dimmer().SetDimmerDisplay(9);
    cat->PrepareTX();
    dimmer().SetDimmerMeter(20);
    cat->PrepareTX();
    dimmer().SetDimmerMeter(-1);
    EXPECT_EQ(sent, (QStringList{"DA0705;", "DA0315;", "DA0300;"}));
    EXPECT_EQ(dimmer().DimmerDisplay(), 3);
    EXPECT_EQ(dimmer().DimmerMeter(), 5);

    received();
    dimmer().SetDimmerMeter(40);
    EXPECT_EQ(dimmer().DimmerMeter(), 15);
}

TEST_F(MiscTest, RadioInformationFlags)
{
    using Setter = void (TRadioInformation::*)(bool);
    using Getter = bool (TRadioInformation::*)() const;
    const struct {
        const char* name;
        Setter set;
        Getter get;
        TSwitchEvent TFTCATInterface::*event;
        bool dx5000Only;
    } flags[] = {
        {"HiSWR", &TRadioInformation::SetHiSWR, &TRadioInformation::HiSWR,
         &TFTCATInterface::OnRadioInformationHiSWR, false},
        {"MicEq", &TRadioInformation::SetMicEq, &TRadioInformation::MicEq,
         &TFTCATInterface::OnRadioInformationMicEq, false},
        {"Rec", &TRadioInformation::SetRec, &TRadioInformation::Rec, &TFTCATInterface::OnRadioInformationRec, false},
        {"Play", &TRadioInformation::SetPlay, &TRadioInformation::Play, &TFTCATInterface::OnRadioInformationPlay,
         false},
        {"MainTX", &TRadioInformation::SetMainTX, &TRadioInformation::MainTX,
         &TFTCATInterface::OnRadioInformationMainTX, true},
        {"SubTX", &TRadioInformation::SetSubTX, &TRadioInformation::SubTX, &TFTCATInterface::OnRadioInformationSubTX,
         true},
        {"MainRX", &TRadioInformation::SetMainRX, &TRadioInformation::MainRX,
         &TFTCATInterface::OnRadioInformationMainRX, true},
        {"SubRX", &TRadioInformation::SetSubRX, &TRadioInformation::SubRX, &TFTCATInterface::OnRadioInformationSubRX,
         true},
    };
    for (TTransceiver m : {FT2000, FT950, FTDX5000}) {
        for (const auto& f : flags) {
            SCOPED_TRACE(std::string(f.name) + " on model " + std::to_string(m));
            fresh();
            setModel(m);
            QStringList raised;
            (*cat).*f.event = [&](bool v) { raised << QString::number(v); };
            const bool stores = !f.dx5000Only || m == FTDX5000;
            received();
            (info().*f.set)(true);
            EXPECT_EQ((info().*f.get)(), stores);
            EXPECT_EQ(raised, stores ? QStringList{"1"} : QStringList{});
            EXPECT_FALSE(cat->CmdRcvd());
            // An unchanged flag raises nothing and still clears the flag.
            received();
            (info().*f.set)(stores);
            EXPECT_EQ(raised.size(), stores ? 1 : 0);
            EXPECT_FALSE(cat->CmdRcvd());
            EXPECT_TRUE(sent.isEmpty());
        }
    }
}

TEST_F(MiscTest, ClassAIsReportedTwice)
{
    QStringList raised;
    cat->OnRadioInformationClassA = [&](bool v) { raised << QStringLiteral("Info %1").arg(v); };
    cat->OnClassA = [&](bool v) { raised << QStringLiteral("ClassA %1").arg(v); };
    received();
    info().SetClassA(true);
    EXPECT_TRUE(info().ClassA());
    EXPECT_EQ(raised, (QStringList{"Info 1", "ClassA 1"}));
    EXPECT_FALSE(cat->CmdRcvd());
    received();
    info().SetClassA(true);
    EXPECT_EQ(raised.size(), 2);
    EXPECT_FALSE(cat->CmdRcvd());
}

TEST_F(MiscTest, BandmapVFO)
{
    QList<TVFO> raised;
    cat->OnBandmapVFO = [&](TVFO v) { raised << v; };
    TGUISettings& g = *cat->GUISettings();
    g.SetBandmapVFO(vfoA);
    g.SetBandmapVFO(vfoB);
    g.SetBandmapVFO(vfoB);
    EXPECT_EQ(g.BandmapVFO(), vfoB);
    EXPECT_EQ(raised, QList<TVFO>{vfoB});
    EXPECT_TRUE(sent.isEmpty());
}
