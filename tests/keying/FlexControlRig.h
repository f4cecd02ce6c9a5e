#pragma once
// The knob module as the program runs it, on the manual clock: the radio simulator on the CAT
// port of a radio module whose commands the CAT writer puts on the wire, the FlexControl
// module with its knob on the knob simulator, and a settings folder of its own.

#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Tuning.h"
#include "keying/DMFlexControl.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/FlexControlSimulator.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>
#include <memory>

namespace keyingtest {

using Button = vxtest::FlexControlSimulator::Button;
using Click = vxtest::FlexControlSimulator::Click;

class FlexControlRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Everything with a timer is made on the manual clock.
        vx::Clock::useManual();
        ASSERT_TRUE(Knob.ok());
        ASSERT_TRUE(Radio.ok());
        App = std::make_unique<TDMApplication>();
        RadioModule = std::make_unique<TDMRadio>();
        RadioModule->SetDM(&Role);
        Writer = std::make_unique<TCATCommandWriter>(RadioModule.get());
        RadioModule->FT2KCATCommandTXEvent = [this](const QString& s) { Writer->DoCATCommandTX(s); };
        Fresh();
    }
    void TearDown() override
    {
        FC.reset();
        Writer.reset();
        RadioModule.reset();
        App.reset();
        vx::Clock::useSystem();
    }
    // A new module as the program creates it; counts what its knob reports.
    void Fresh()
    {
        FC.reset();
        FC = std::make_unique<TDMFlexControl>();
        TFlexControl& driver = *FC->FlexControl();
        driver.OnKnob = [this, inner = driver.OnKnob](int32_t v) {
            KnobSteps += std::abs(v);
            inner(v);
        };
        driver.OnSwitch = [this, inner = driver.OnSwitch](TSwitch s, TClickType c) {
            ++Clicks;
            inner(s, c);
        };
    }
    TFTCATInterface& Cat() { return *RadioModule->FTCATInterface(); }

    // The radio on its port, connected, with auto information on so that it reports every
    // frequency it is set to.
    bool ConnectRadio(int32_t fa = 14000000, int32_t fb = 7000000)
    {
        Radio.setFrequency(vfoA, fa);
        Radio.setFrequency(vfoB, fb);
        Radio.setAutoInformation(true);
        RadioModule->RadioComPort()->setPort(Radio.portName());
        Cat().SetUsingCOMPort(true);
        if (!Cat().Open())
            return false;
        Radio.push(QStringLiteral("FA%1;FB%2;").arg(IntToZeroPadded(8, fa), IntToZeroPadded(8, fb)).toLatin1());
        return vxtest::waitUntil([&] {
            return Cat().ComState() == csConnected && Cat().FrequencyA() == fa && Cat().FrequencyB() == fb;
        });
    }
    // The module opens the knob on the simulator; true once the knob took the opening commands.
    bool OpenKnob()
    {
        FC->SetPort(Knob.portName());
        FC->SetUseFlexControl(true);
        FC->Open();
        return FC->FlexControl()->Active() && vxtest::waitUntil([&] { return Knob.commands().size() >= 2; });
    }
    // Until the module has handled every step the knob sent.
    bool Turned() { return vxtest::waitUntil([&] { return KnobSteps == Knob.stepsSent(); }); }
    bool Clicked(int count) { return vxtest::waitUntil([&] { return Clicks == count; }); }
    // Until the radio holds what the engine last heard from it (its reports are in).
    bool RadioInStep()
    {
        return vxtest::waitUntil([&] {
            return Cat().FrequencyA() == Radio.frequency(vfoA) && Cat().FrequencyB() == Radio.frequency(vfoB);
        });
    }
    // Until the radio has received `count` frequency commands for VFO A and its reports of
    // them are in.
    bool RadioTook(int count)
    {
        return vxtest::waitUntil([&] { return RadioFA().size() >= count; }) && RadioInStep();
    }
    // The frequency commands the radio received for VFO A, as numbers.
    QList<int> RadioFA() const
    {
        QList<int> out;
        for (const QString& c : Radio.commands())
            if (c.size() == 10 && c.startsWith(QLatin1String("FA")))
                out << c.mid(2).toInt();
        return out;
    }

    ScopedConfigHome Home;
    TApplicationRole Role;
    vxtest::FlexControlSimulator Knob;
    vxtest::RadioSimulator Radio{FT2000};
    std::unique_ptr<TDMApplication> App;
    std::unique_ptr<TDMRadio> RadioModule;
    std::unique_ptr<TCATCommandWriter> Writer;
    std::unique_ptr<TDMFlexControl> FC;
    int KnobSteps = 0;
    int Clicks = 0;
};

} // namespace keyingtest
