#pragma once
// What comes back from the null sink's monitor: a capture device at 8000 samples/s, 16-bit
// mono, handing each filled buffer back to it (through the remapped NullMic).

#include "platform/AudioDevice.h"

#include <QByteArray>
#include <QProcess>
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

// The null sink's monitor itself, as any listener on the sink hears it, recorded by the sound
// server's own client (parec) at 8000 samples/s, 16-bit mono.  The remapped NullMic above
// takes back what the sink rewrites after it was played, so it cannot show a block whose
// start the sink played over.
class MonitorRecorder {
public:
    ~MonitorRecorder() { Stop(); }
    bool Start()
    {
        QObject::connect(&parec, &QProcess::readyReadStandardOutput, [this] { captured += parec.readAllStandardOutput(); });
        parec.start(QStringLiteral("parec"), {QStringLiteral("--device=null.monitor"), QStringLiteral("--rate=8000"),
                                               QStringLiteral("--channels=1"), QStringLiteral("--format=s16le"),
                                               QStringLiteral("--latency-msec=20"), QStringLiteral("--raw")});
        return parec.waitForStarted(5000);
    }
    void Stop()
    {
        if (parec.state() == QProcess::NotRunning)
            return;
        parec.terminate();
        parec.waitForFinished(5000);
        captured += parec.readAllStandardOutput();
    }
    QProcess parec;
    QByteArray captured;
};

} // namespace vxtest
