#include "core/ReceiveBuffer.h"

#include <QDebug>
#include <utility>

TReceiveBuffer::TReceiveBuffer(const char* device, QChar separator, int maxLength, TResync resync)
    : FDevice(device)
    , FSeparator(separator)
    , FMaxLength(maxLength)
    , FResync(resync)
{
}

void TReceiveBuffer::Add(QStringView data, const std::function<void(const QString&)>& take)
{
    if (FDropping && FResync == TResync::AtNextReadWithSeparator) {
        if (!data.contains(FSeparator))
            return;
        FDropping = false;
    }
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype separator = data.indexOf(FSeparator, pos);
        const qsizetype stop = separator < 0 ? data.size() : separator;
        if (FDropping) {
            // Within one read the noise runs up to its separator.
            if (separator < 0)
                return;
            FDropping = false;
            pos = separator + 1;
            continue;
        }
        // Checked before the text is kept, so the buffer never holds more than the bound.
        if (FPending.size() + (stop - pos) > FMaxLength) {
            if (!FOverflowReported)
                qWarning("%s: more than %d characters without an end of answer received, dropped", FDevice, FMaxLength);
            FOverflowReported = true;
            FPending.clear();
            FDropping = true;
            continue;
        }
        FPending += data.mid(pos, stop - pos);
        if (separator < 0)
            return;
        pos = separator + 1;
        FOverflowReported = false;
        // Handed over first: the answer's handler may clear or refill the buffer.
        take(std::exchange(FPending, QString()));
    }
}

void TReceiveBuffer::Clear()
{
    FPending.clear();
    FDropping = false;
}
