#pragma once
// Cuts the text read from a serial device into its answers, each ending with a separator.
// No answer is longer than a bound: a longer run is noise and none of it is handed on.

#include <QString>
#include <QStringView>
#include <functional>

class TReceiveBuffer {
public:
    // Where answers start again after a run of noise: at the run's separator, or at the next
    // read that holds a separator at all (noise without one is followed by the device's next
    // answer in a read of its own; that answer must not be lost to the noise).
    enum class TResync { AfterSeparator, AtNextReadWithSeparator };

    // device names the sender in the one warning per run of noise.
    TReceiveBuffer(const char* device, QChar separator, int maxLength, TResync resync);

    // Takes one read; each complete answer goes to take without its separator.
    void Add(QStringView data, const std::function<void(const QString&)>& take);
    void Clear();

private:
    const char* FDevice;
    QChar FSeparator;
    int FMaxLength;
    TResync FResync;
    QString FPending;
    bool FDropping = false;
    bool FOverflowReported = false;
};
