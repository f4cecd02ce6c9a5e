#pragma once
// Helpers of the client tests: the CAT engine talking to the radio simulator over a
// pseudo-terminal and menu definition files in the private data folder; the offscreen renders
// are the control tests' own.

#include "core/DataFiles.h"
#include "core/cat/FTCATInterface.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// The manual clock while it lives: the CAT engine's own timers (power-state requests, polls)
// stay still, so a test sees only the commands it caused.
struct ManualClock {
    ManualClock() { vx::Clock::useManual(); }
    ~ManualClock() { vx::Clock::useSystem(); }
};

// The engine on a serial port whose far end is the simulated radio of the given model.
struct CATRig {
    explicit CATRig(TTransceiver model)
        : sim(model)
    {
        port.setPort(sim.portName());
        port.setBaudRate(38400);
        port.setDataBits(8);
        port.setParity(vx::SerialPort::Parity::None);
        port.setStopBits(vx::SerialPort::StopBits::Two);
        port.OnRxChar = [this](int count) { cat.DoRxChar(count); };
        cat.OnCATCommandTX = [this](const QString& text) { port.writeStr(text); };
        cat.SetCOMPort(&port);
        cat.SetUsingCOMPort(true);
        cat.SetTransceiver(model);
        opened = sim.ok() && cat.Open();
        // A connected radio: the engine asks for the power state once, then stays quiet.
        cat.SetComState(csConnected);
        vxtest::waitUntil([this] { return sim.commands().contains(QStringLiteral("PS")); }, 3000);
        settle();
        sim.clearCommands();
    }
    ~CATRig()
    {
        cat.OnCATCommandTX = nullptr;
        cat.Close();
    }

    // The commands the radio has received, once `count` of them have arrived (or the time-out).
    QStringList commandsAfter(int count, int timeoutMs = 3000)
    {
        vxtest::waitUntil([&] { return sim.commands().size() >= count; }, timeoutMs);
        return sim.commands();
    }
    // Lets the event loop run long enough for anything under way to arrive.
    void settle() { vxtest::spin(150); }

    ManualClock clock;
    vxtest::RadioSimulator sim;
    vx::SerialPort port;
    TFTCATInterface cat;
    bool opened = false;
};

// Writes a file into the private common data folder.
inline void WriteDataFile(const QString& name, const QByteArray& content)
{
    QDir().mkpath(GetCommonDataFileName(QString()));
    QFile f(GetCommonDataFileName(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

inline void RemoveDataFile(const QString& name)
{
    QFile::remove(GetCommonDataFileName(name));
}
