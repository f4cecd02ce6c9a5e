// The FlexControl tuning module: the acceleration, tuning the radio simulator from the knob
// simulator, the clicks and their actions, the settings and the knob's return after an unplug.
#include "core/IniStore.h"
#include "tests/keying/FlexControlRig.h"

#include <QRegularExpression>
#include <QSettings>

using keyingtest::Button;
using keyingtest::Click;
using keyingtest::FlexControlRig;
using vxtest::waitUntil;

namespace {

using FlexControlModule = FlexControlRig;

// One 250 ms period with `events` dial steps in it (the module's own step timer ends it).
void Period(TDMFlexControl& fc, int events)
{
    for (int i = 0; i < events; ++i)
        fc.FlexControlKnob(1);
    fc.DialStepTimerTimer();
}

} // namespace

TEST(FlexControlAcceleration, DialStepByAverageAndFactor)
{
    struct Row {
        int factor;
        int average;
        int step;
    };
    const Row rows[] = {
        {31, 0, 1},      {31, 1, 1},       {31, 2, 2},       {31, 3, 3},        {31, 4, 4},
        {31, 5, 5},      {31, 10, 25},     {31, 15, 126},    {31, 20, 634},     {31, 22, 1208},
        {31, 25, 3180},  {31, 30, 15953},  {23, 10, 77},     {23, 22, 14260},   {40, 10, 12},
        {40, 22, 245},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TDMFlexControl::AcceleratedDialStep(r.average, r.factor), r.step)
            << "factor " << r.factor << ", average " << r.average;
    // A flood of events reaches the top of the tuning range, not an overflow.
    EXPECT_EQ(TDMFlexControl::AcceleratedDialStep(100000, 23), TDMFlexControl::MaxDialFrequency);
}

TEST_F(FlexControlModule, StepFollowsTheAverageOfTheLastFourPeriods)
{
    // No radio connected: the engine keeps the frequencies itself.
    TDMFlexControl& fc = *FC;
    for (int i = 0; i < 4; ++i)
        Period(fc, 22);
    EXPECT_EQ(fc.DialStep(), 1208);
    // 22 + 22 + 22 + 23 = 89 gives 22 by integer division.
    Period(fc, 23);
    EXPECT_EQ(fc.DialStep(), 1208);
    // The oldest periods drop out: 22, 22, 23 and 0 give 16.
    Period(fc, 0);
    EXPECT_EQ(fc.DialStep(), TDMFlexControl::AcceleratedDialStep(16, 31));
    fc.SetAcceleratedTuningFactor(23);
    for (int i = 0; i < 4; ++i)
        Period(fc, 10);
    EXPECT_EQ(fc.DialStep(), 77);
    for (int i = 0; i < 4; ++i)
        Period(fc, 0);
    EXPECT_EQ(fc.DialStep(), 1);

    // A flood of events stays within the tuning range.
    for (int i = 0; i < 4; ++i)
        Period(fc, 5000);
    EXPECT_EQ(fc.DialStep(), TDMFlexControl::MaxDialFrequency);
    fc.ExecuteAction(TDMFlexControl::actTuningAcceleration);
    for (int i = 0; i < 3; ++i)
        fc.FlexControlKnob(1);
    EXPECT_EQ(fc.DialFrequency(), TDMFlexControl::MaxDialFrequency);
    EXPECT_EQ(Cat().FrequencyA(), 60000000);
}

TEST_F(FlexControlModule, SlowTurningMovesByTheResolution)
{
    ASSERT_TRUE(ConnectRadio(14000000));
    ASSERT_TRUE(OpenKnob());
    for (int i = 1; i <= 3; ++i) {
        Knob.turn(1);
        ASSERT_TRUE(Turned());
        ASSERT_TRUE(waitUntil([&] { return Cat().FrequencyA() == 14000000 + 100 * i; }));
        vx::Clock::advance(250);
    }
    Knob.turn(-1);
    ASSERT_TRUE(Turned());
    ASSERT_TRUE(RadioInStep());
    EXPECT_EQ(RadioFA(), (QList<int>{14000100, 14000200, 14000300, 14000200}));
    EXPECT_EQ(Radio.frequency(vfoA), 14000200);
    EXPECT_EQ(Radio.frequency(vfoB), 7000000);
    EXPECT_EQ(FC->DialStep(), 1);
}

TEST_F(FlexControlModule, SteadyTurningWithAccelerationMovesByTheAcceleratedStep)
{
    ASSERT_TRUE(ConnectRadio(14000000));
    ASSERT_TRUE(OpenKnob());
    Knob.click(Button::AUX2, Click::Long); // Tuning Acceleration by default
    ASSERT_TRUE(Clicked(1));
    ASSERT_TRUE(FC->TuningAcceleration());
    vx::Clock::advance(100); // the dial takes the radio's frequency
    ASSERT_EQ(FC->DialFrequency(), 14000000);

    // 22 events every 250 ms: after four periods the step is that of an average of 22.
    Radio.clearCommands();
    Knob.setRate(22);
    for (int period = 0; period < 4; ++period) {
        vx::Clock::advance(250);
        ASSERT_TRUE(Turned());
        ASSERT_TRUE(RadioTook(22 * (period + 1)));
    }
    vx::Clock::advance(250);
    // The step timer ended the period before the knob sent its events of the next one.
    ASSERT_EQ(FC->DialStep(), 1208);
    const int start = FC->DialFrequency();
    Radio.clearCommands();
    ASSERT_TRUE(Turned());
    ASSERT_TRUE(RadioTook(22));
    QList<int> expected;
    for (int k = 1; k <= 22; ++k)
        expected << (start + 1208 * k) / 1000 * 1000;
    EXPECT_EQ(RadioFA(), expected);
    EXPECT_EQ(FC->DialFrequency(), start + 22 * 1208);
    EXPECT_EQ(Radio.frequency(vfoA), expected.last());

    // Two seconds after the last event the dial is the radio's frequency again.
    Knob.setRate(0);
    EXPECT_NE(FC->DialFrequency(), Cat().FrequencyA());
    vx::Clock::advance(2000);
    EXPECT_NE(FC->DialFrequency(), Cat().FrequencyA());
    vx::Clock::advance(100);
    EXPECT_EQ(FC->DialFrequency(), Cat().FrequencyA());
    EXPECT_EQ(FC->DialStep(), 1);
}

TEST_F(FlexControlModule, FastTurningWithoutAccelerationKeepsMovingBothWays)
{
    ASSERT_TRUE(ConnectRadio(14000000));
    ASSERT_TRUE(OpenKnob());
    for (int rate : {22, -22}) {
        SCOPED_TRACE(rate);
        Radio.clearCommands();
        Knob.setRate(rate);
        QList<int> seen;
        for (int period = 0; period < 8; ++period) {
            vx::Clock::advance(250);
            ASSERT_TRUE(Turned());
            // Every event sends its target: the radio's answers come after the whole batch.
            ASSERT_TRUE(RadioTook(22 * (period + 1)));
            if (period >= 4) {
                EXPECT_GT(FC->DialStep(), 1000);
                seen << Radio.frequency(vfoA);
            }
        }
        // A step above 1000 Hz rounds every target to a 1000 Hz boundary in the direction of
        // travel: each period moves the radio on by 1000 Hz.
        for (int i = 1; i < seen.size(); ++i)
            EXPECT_EQ(seen[i] - seen[i - 1], rate > 0 ? 1000 : -1000) << seen[i];
        for (int f : seen)
            EXPECT_EQ(f % 1000, 0);
        Knob.setRate(0);
        vx::Clock::advance(2500);
    }
}

TEST_F(FlexControlModule, ClarifierModeSendsRelativeSteps)
{
    ASSERT_TRUE(ConnectRadio());
    ASSERT_TRUE(OpenKnob());
    Knob.click(Button::AUX1, Click::Double); // Tune Clarifier by default
    ASSERT_TRUE(Clicked(1));
    EXPECT_EQ(FC->KnobMode(), fcClarifier);
    ASSERT_TRUE(waitUntil([&] { return Knob.leds() == "101"; }));

    Radio.clearCommands();
    Knob.turnBy(5); // the count does not matter
    Knob.turn(-1);
    ASSERT_TRUE(Turned());
    for (int i = 0; i < 3; ++i) {
        Knob.click(Button::AUX1, Click::Single); // Tune Step Up
        ASSERT_TRUE(Clicked(2 + i));
        Knob.turn(1);
        ASSERT_TRUE(Turned());
    }
    Knob.click(Button::AUX3, Click::Single); // Tune Step Down
    Knob.turn(-1);
    ASSERT_TRUE(Turned());
    ASSERT_TRUE(waitUntil([&] { return Radio.commands().filter(QRegularExpression("^R[UD]")).size() == 6; }));
    EXPECT_EQ(Radio.commands().filter(QRegularExpression("^R[UD]")),
              (QStringList{"RU0010", "RD0010", "RU0100", "RU1000", "RU1000", "RD0100"}));
    EXPECT_TRUE(RadioFA().isEmpty());
}

TEST_F(FlexControlModule, ClicksRunTheirSlotsActions)
{
    ASSERT_TRUE(ConnectRadio(14000000, 7050000));
    ASSERT_TRUE(OpenKnob());
    Knob.clearCommands();

    // The knob button alternates: VFO B first, then VFO A.
    Knob.click(Button::Knob, Click::Single);
    ASSERT_TRUE(Clicked(1));
    EXPECT_EQ(FC->KnobMode(), fcVFOB);
    EXPECT_EQ(FC->DialFrequency(), 7050000);
    ASSERT_TRUE(waitUntil([&] { return Knob.leds() == "001"; }));
    EXPECT_EQ(Knob.ledCommands(), QStringList{"I001"});
    Knob.clearCommands();
    Knob.click(Button::Knob, Click::Single);
    ASSERT_TRUE(Clicked(2));
    EXPECT_EQ(FC->KnobMode(), fcVFOA);
    EXPECT_EQ(FC->DialFrequency(), 14000000);
    ASSERT_TRUE(waitUntil([&] { return Knob.leds() == "100"; }));
    EXPECT_EQ(Knob.ledCommands(), (QStringList{"I101", "I100"}));

    // A double click of the knob does nothing with the defaults; AUX1 steps the resolution up.
    Knob.clearCommands();
    Radio.clearCommands();
    Knob.click(Button::Knob, Click::Double);
    Knob.click(Button::Knob, Click::Double);
    Knob.click(Button::AUX1, Click::Single);
    ASSERT_TRUE(Clicked(5));
    EXPECT_EQ(FC->KnobMode(), fcVFOA);
    EXPECT_EQ(Cat().Tuning()->ResolutionA(), 1000);
    EXPECT_EQ(Cat().Tuning()->ResolutionB(), 100);

    // Slots changed: split, sub receiver, the clarifier switches, and numbers that name no action.
    FC->SetSlot(3, TDMFlexControl::actToggleSplit);
    FC->SetSlot(6, TDMFlexControl::actToggleSubRX);
    FC->SetSlot(9, TDMFlexControl::actToggleRXClarifier);
    FC->SetSlot(12, TDMFlexControl::actToggleTXClarifier);
    FC->SetSlot(13, 14);
    FC->SetSlot(14, -1);
    FC->SetSlot(15, TDMFlexControl::actClearClarifier);
    Knob.click(Button::AUX3, Click::Single);
    Knob.click(Button::AUX3, Click::Double);
    Knob.click(Button::AUX3, Click::Long);
    Knob.click(Button::Knob, Click::Double); // slot 13: 14
    Knob.click(Button::Knob, Click::Double); // slot 12
    Knob.click(Button::Knob, Click::Long);   // slot 15
    Knob.click(Button::Knob, Click::Long);   // slot 14: -1
    Knob.click(Button::AUX2, Click::Single); // Swap VFOs
    Knob.click(Button::AUX2, Click::Double); // Copy VFO A to B
    ASSERT_TRUE(Clicked(14));
    ASSERT_TRUE(waitUntil([&] { return Radio.commands().contains("AB"); }));
    QStringList actions;
    for (const QString& c : Radio.commands())
        if (QRegularExpression("^(FT|FR|RT|XT|RC|SV|AB)").match(c).hasMatch())
            actions << c;
    EXPECT_EQ(actions, (QStringList{"FT3", "FR2", "RT1", "XT1", "RC", "SV", "AB"}));
    EXPECT_TRUE(Knob.ledCommands().isEmpty());
}

TEST_F(FlexControlModule, AccelerationToggleLightsAUX2)
{
    ASSERT_TRUE(OpenKnob());
    Knob.clearCommands();
    FC->ExecuteAction(TDMFlexControl::actTuningAcceleration);
    FC->ExecuteAction(TDMFlexControl::actTuneClarifier);
    FC->ExecuteAction(TDMFlexControl::actTuningAcceleration);
    ASSERT_TRUE(waitUntil([&] { return Knob.ledCommands().size() == 4; }));
    EXPECT_EQ(Knob.ledCommands(), (QStringList{"I010", "I110", "I111", "I101"}));
    EXPECT_FALSE(FC->TuningAcceleration());
}

TEST_F(FlexControlModule, OpensOnlyWhenUsedAndReturnsAfterAnUnplug)
{
    // Not used, or no port: nothing is opened and no timer runs.
    FC->SetPort(Knob.portName());
    FC->Open();
    FC->SetPort(QString());
    EXPECT_FALSE(FC->UseFlexControl());
    FC->SetUseFlexControl(true);
    FC->Open();
    EXPECT_FALSE(FC->FlexControl()->Active());
    EXPECT_FALSE(FC->DialStepTimer()->isActive() || FC->DialElapsedTimer()->isActive() || FC->ReopenTimer()->isActive());
    vxtest::spin(50);
    EXPECT_TRUE(Knob.commands().isEmpty());

    ASSERT_TRUE(OpenKnob());
    EXPECT_TRUE(FC->DialStepTimer()->isActive() && FC->DialElapsedTimer()->isActive());

    Knob.unplug();
    ASSERT_TRUE(waitUntil([&] { return !FC->FlexControl()->Active(); }));
    vx::Clock::advance(3000); // still away
    EXPECT_FALSE(FC->FlexControl()->Active());
    EXPECT_FALSE(FC->DialStepTimer()->isActive());
    ASSERT_TRUE(Knob.plug());
    Knob.clearCommands();
    vx::Clock::advance(3000);
    EXPECT_TRUE(FC->FlexControl()->Active());
    EXPECT_TRUE(FC->DialStepTimer()->isActive());
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() >= 2; }));
    EXPECT_EQ(Knob.commands().mid(0, 2), (QStringList{"F", "I111"}));

    // Closed by the program: dark, and not tried again.
    FC->Close();
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().contains("I000"); }));
    Knob.clearCommands();
    vx::Clock::advance(10000);
    vxtest::spin(50);
    EXPECT_TRUE(Knob.commands().isEmpty());
    EXPECT_FALSE(FC->DialStepTimer()->isActive() || FC->ReopenTimer()->isActive());
}

TEST_F(FlexControlModule, SettingsRoundTripThroughANewStore)
{
    EXPECT_EQ(FC->Port(), "");
    EXPECT_FALSE(FC->UseFlexControl());
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 31);
    EXPECT_EQ(TDMFlexControl::ButtonOptions().size(), TDMFlexControl::ActionCount);
    EXPECT_EQ(TDMFlexControl::ButtonOptions()[9], "Toggle Sub RX On/Off");
    const std::array<int32_t, 15> defaults = {3, 6, 4, 10, 7, 11, 1, 5, 2, 1, 2, 0, 0, 0, 0};
    for (int slot = 1; slot <= 15; ++slot)
        EXPECT_EQ(FC->Slot(slot), defaults[slot - 1]) << slot;

    FC->SetPort("/dev/ttyUSB7");
    FC->SetUseFlexControl(true);
    FC->SetAcceleratedTuningFactor(27);
    for (int slot = 1; slot <= 15; ++slot)
        FC->SetSlot(slot, (slot * 5) % 14);
    FC->IniWrite();
    App->Close();

    Fresh();
    FC->IniRead();
    EXPECT_EQ(FC->Port(), "/dev/ttyUSB7");
    EXPECT_EQ(FC->ComPort()->port(), "/dev/ttyUSB7");
    EXPECT_TRUE(FC->UseFlexControl());
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 27);
    for (int slot = 1; slot <= 15; ++slot)
        EXPECT_EQ(FC->Slot(slot), (slot * 5) % 14) << slot;
    EXPECT_EQ(FC->AUXS2(), 10);
    EXPECT_EQ(FC->KnobL2(), 75 % 14);

    // A knob that is not used keeps no port in the store.
    FC->SetUseFlexControl(false);
    FC->IniWrite();
    App->Close();
    TIniStore store(TDMApplication::SettingsFileName());
    EXPECT_EQ(store.ReadString(TDMFlexControl::Section, "Port", "unset"), "");
    EXPECT_FALSE(store.ReadBool(TDMFlexControl::Section, "UseFlexControl", true));
}

TEST_F(FlexControlModule, StrayStoredValuesAreTamed)
{
    {
        QSettings raw(TDMApplication::SettingsFileName(), QSettings::IniFormat);
        raw.setValue("Client/FlexControl/Acceleration", "0");
        raw.setValue("Client/FlexControl/UseFlexControl", "1");
        raw.setValue("Client/FlexControl/Option1", "14");
        raw.setValue("Client/FlexControl/Option2", "-1");
    }
    FC->IniRead();
    // The factor divides: 0 becomes the lowest factor.  A used knob without a port is not used.
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 23);
    EXPECT_FALSE(FC->UseFlexControl());
    EXPECT_EQ(FC->AUXS1(), 14);
    EXPECT_EQ(FC->AUXS2(), -1);
    EXPECT_EQ(FC->AUXS3(), 4);
    for (int i = 0; i < 4; ++i)
        Period(*FC, 22);
    EXPECT_EQ(FC->DialStep(), 14260);
    // Slots naming no action do nothing.
    FC->FlexControlSwitch(sAUX1, ctSingle);
    FC->FlexControlSwitch(sAUX2, ctSingle);
    EXPECT_EQ(FC->KnobMode(), fcVFOA);
    EXPECT_EQ(Cat().Tuning()->ResolutionA(), 100);
}

TEST_F(FlexControlModule, RestartReadsTheStoreAndReopens)
{
    ASSERT_TRUE(OpenKnob());
    FC->SetAcceleratedTuningFactor(40);
    FC->IniWrite();
    FC->SetAcceleratedTuningFactor(23);
    Knob.clearCommands();
    FC->Restart();
    EXPECT_EQ(FC->AcceleratedTuningFactor(), 40);
    EXPECT_TRUE(FC->FlexControl()->Active());
    ASSERT_TRUE(waitUntil([&] { return Knob.commands().size() >= 3; }));
    EXPECT_EQ(Knob.commands().mid(0, 3), (QStringList{"I000", "F", "I111"}));
}
