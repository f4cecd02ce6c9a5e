#pragma once
// A WAV file of a steady tone for the sound-file tests.

#include "tests/remote/PulseTest.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vxtest {

// A mono 16-bit WAV file of a steady tone.
inline bool WriteToneFile(const QString& fileName, double hz, int ms)
{
    constexpr int rate = 48000;
    QByteArray pcm;
    for (const double v : vxtest::sine(hz, rate, rate * ms / 1000, 12000)) {
        const int16_t s = int16_t(v);
        pcm.append(reinterpret_cast<const char*>(&s), 2);
    }
    QByteArray h;
    const auto u32 = [&h](uint32_t v) { h.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&h](uint16_t v) { h.append(reinterpret_cast<const char*>(&v), 2); };
    h.append("RIFF");
    u32(uint32_t(36 + pcm.size()));
    h.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    h.append("data");
    u32(uint32_t(pcm.size()));
    QFile f(fileName);
    return f.open(QIODevice::WriteOnly) && f.write(h + pcm) == h.size() + pcm.size();
}

} // namespace vxtest
