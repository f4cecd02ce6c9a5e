#pragma once
// Helpers for tests that need the PulseAudio daemon of the test run (scripts/pulse-start.sh):
// whether it answers, its command-line client, and signal measures for test tones.

#include "platform/VolumeControl.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vxtest {

inline bool pulseReachable()
{
    static const bool reachable = [] {
        vx::VolumeControl probe;
        return probe.connectToServer();
    }();
    return reachable;
}

#define VX_REQUIRE_PULSE()                                                                            \
    do {                                                                                              \
        if (!vxtest::pulseReachable())                                                                \
            GTEST_SKIP() << "no PulseAudio daemon reachable in XDG_RUNTIME_DIR; run the tests through " \
                            "./test.sh, which starts one (scripts/pulse-start.sh)";                    \
    } while (0)

// Runs pactl with the arguments; its standard output, or "" when it failed.
inline QString pactl(const QStringList& args, bool* ok = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("pactl"), args);
    const bool done = p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    return done ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// Power of one frequency in a block of samples (Goertzel), normalised by the block length.
inline double tonePower(const std::vector<double>& x, double freq, double rate)
{
    const double w = 2.0 * M_PI * freq / rate;
    const double c = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (double v : x) {
        const double s0 = v + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
    return power / (double(x.size()) * double(x.size()));
}

inline std::vector<double> sine(double freq, double rate, int count, double amplitude)
{
    std::vector<double> v(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        v[size_t(i)] = amplitude * std::sin(2.0 * M_PI * freq * i / rate);
    return v;
}

} // namespace vxtest
