#pragma once
// What comes back from the null sink's monitor: a capture device at 8000 samples/s, 16-bit
// mono, handing each filled buffer back to it.

#include "platform/AudioDevice.h"

#include <QByteArray>
#include <array>

namespace vxtest {

class Recorder : public vx::WaveCallback {
public:
    Recorder()
    {
        for (vx::WaveHeader& h : headers) {
            h.data.resize(320);
            h.bufferLength = 320;
        }
    }
    bool Start(uint32_t device)
    {
        vx::WaveFormatEx f;
        f.wFormatTag = vx::WaveFormatPcm;
        f.nChannels = 1;
        f.nSamplesPerSec = 8000;
        f.nAvgBytesPerSec = 16000;
        f.nBlockAlign = 2;
        f.wBitsPerSample = 16;
        if (in.open(device, f, this) != vx::WaveResult::Ok)
            return false;
        for (vx::WaveHeader& h : headers)
            in.addBuffer(&h);
        return in.start() == vx::WaveResult::Ok;
    }
    void Stop() { in.close(); }
    void waveMessage(vx::WaveMessage message, vx::WaveHeader* h) override
    {
        if (message != vx::WaveMessage::InData || !h)
            return;
        captured.append(h->data.data(), qsizetype(h->bytesRecorded));
        h->bytesRecorded = 0;
        in.addBuffer(h);
    }
    vx::WaveIn in;
    std::array<vx::WaveHeader, 8> headers;
    QByteArray captured;
};

} // namespace vxtest
