#pragma once
// The radio as the programs drive it, for the IPC server and playback tests: the radio
// simulator on the CAT port of a radio module whose commands the CAT writer puts on the wire,
// a settings folder and a local message bus of the test's own.  The manual clock keeps the
// engine's timers still, so the radio says only what the test makes it say.

#include "core/CATCommandWriter.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>
#include <memory>

namespace remotetest {

class RadioRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Radio.ok());
        vx::Clock::useManual();
        App = std::make_unique<TDMApplication>();
        RadioModule = std::make_unique<TDMRadio>();
        RadioModule->SetDM(&Role);
        Writer = std::make_unique<TCATCommandWriter>(RadioModule.get());
        RadioModule->FT2KCATCommandTXEvent = [this](const QString& s) { Writer->DoCATCommandTX(s); };
    }
    void TearDown() override
    {
        Writer.reset();
        RadioModule.reset();
        App.reset();
        vx::Clock::useSystem();
    }
    TFTCATInterface& Cat() { return *RadioModule->FTCATInterface(); }

    // The radio on its port; `reports` is what it says unasked (its answers reach the
    // engine as if polled).  True once the engine has taken all of them.
    bool ConnectRadio(const QByteArray& reports)
    {
        RadioModule->RadioComPort()->setPort(Radio.portName());
        Cat().SetUsingCOMPort(true);
        if (!Cat().Open())
            return false;
        Answered = 0;
        Cat().OnCATCommandRX = [this, inner = Cat().OnCATCommandRX](const QString& s) {
            ++Answered;
            if (inner)
                inner(s);
        };
        Radio.push(reports);
        const int count = int(reports.count(';'));
        return vxtest::waitUntil([&] { return Answered >= count && Cat().ComState() == csConnected; });
    }

    vxtest::PrivateBus Bus;
    ScopedConfigHome Home;
    TApplicationRole Role;
    vxtest::RadioSimulator Radio{FT2000};
    std::unique_ptr<TDMApplication> App;
    std::unique_ptr<TDMRadio> RadioModule;
    std::unique_ptr<TCATCommandWriter> Writer;
    int Answered = 0;
};

} // namespace remotetest
