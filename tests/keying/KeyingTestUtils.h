#pragma once
// Helpers of the keying tests: the recorded keyer traces and a reader of Morse from rendered
// or captured sound (the manual clock's run helpers are in tests/support/Wait.h).

#include "keying/CWSidetone.h"
#include "platform/AudioDevice.h"
#include "platform/Clock.h"
#include "tests/support/Wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <ostream>
#include <cmath>
#include <cstdint>
#include <vector>

// Readable bytes in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"' << b.toStdString() << "\" (" << b.toHex(' ').toStdString() << ')';
}
QT_END_NAMESPACE

namespace vxtest {

// One line of a recorded keyer trace: bytes the host sent (tx) or one byte it received.
struct TraceLine {
    double ms = 0;
    bool tx = false;
    QByteArray bytes;
    QString note;      // the logger's annotation ("STATUS BUSY|BREAKIN", "POT 16", "ECHO 'T'")
    bool late = false; // read when the logger came back from a long write: its time is an upper bound
};

inline QString TracePath(const QString& name)
{
    return QStringLiteral(VX_TESTDATA_DIR "/winkeyer/") + name;
}

// The TX and RX lines of a trace, in order.  A line holds a time in seconds (after an
// optional time of day), then "TX" and hex bytes up to "#", or "RX" and one hex byte (or
// "(nothing)"), or a "--" note of the logger.
inline std::vector<TraceLine> ReadTrace(const QString& name)
{
    std::vector<TraceLine> lines;
    QFile f(TracePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    static const QRegularExpression lineRe(QStringLiteral("^\\s*(?:\\d\\d:\\d\\d:\\d\\d\\s+)?(\\d+\\.\\d+)\\s+(.*)$"));
    static const QRegularExpression hexRe(QStringLiteral("^[0-9a-fA-F]{2}$"));
    double watchMs = -1;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const auto m = lineRe.match(QString::fromUtf8(raw));
        if (!m.hasMatch())
            continue;
        const double ms = m.captured(1).toDouble() * 1000.0;
        const QString rest = m.captured(2).trimmed();
        if (rest.startsWith(QLatin1String("-- watch"))) {
            watchMs = ms;
            continue;
        }
        const bool tx = rest.startsWith(QLatin1String("TX "));
        if (!tx && !rest.startsWith(QLatin1String("RX ")))
            continue;
        TraceLine line;
        line.ms = ms;
        line.tx = tx;
        const QStringList words = rest.mid(3).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        qsizetype i = 0;
        for (; i < words.size() && hexRe.match(words[i]).hasMatch(); ++i) {
            line.bytes.append(char(words[i].toUInt(nullptr, 16)));
            if (!tx) {
                ++i;
                break; // RX lines carry one byte; a decimal copy may follow
            }
        }
        if (line.bytes.isEmpty())
            continue;
        line.note = words.mid(i).join(QLatin1Char(' '));
        line.late = !tx && watchMs >= 0 && ms - watchMs <= 3.0;
        if (tx)
            watchMs = -1;
        lines.push_back(line);
    }
    return lines;
}

// Morse read back from 8000 samples/s of sound: tone and silence runs (a tone is where the
// level over a 2 ms window exceeds a tenth of the loudest), mapped to dots, dashes and gaps
// by the given dot length in samples.  Letters are looked up in the sidetone's own table.
struct ToneRun {
    bool tone;
    int samples;
};

inline std::vector<ToneRun> ToneRuns(const std::vector<double>& x, int rate = Sidetone::SampleRate)
{
    const int win = std::max(1, rate / 500);
    std::vector<double> level(x.size(), 0.0);
    double peak = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        double m = 0;
        for (size_t k = i >= size_t(win) ? i - size_t(win) + 1 : 0; k <= i; ++k)
            m = std::max(m, std::abs(x[k]));
        level[i] = m;
        peak = std::max(peak, m);
    }
    std::vector<ToneRun> runs;
    for (double l : level) {
        const bool tone = peak > 0 && l > peak / 10;
        if (runs.empty() || runs.back().tone != tone)
            runs.push_back({tone, 0});
        ++runs.back().samples;
    }
    return runs;
}

inline QString ReadMorse(const std::vector<double>& x, int dot)
{
    QString text, pattern;
    const auto flush = [&] {
        if (pattern.isEmpty())
            return;
        QChar found = QLatin1Char('?');
        for (char c = 'A'; c <= 'Z'; ++c)
            if (Sidetone::MorsePattern(QLatin1Char(c)) == pattern)
                found = QLatin1Char(c);
        for (char c = '0'; c <= '9'; ++c)
            if (Sidetone::MorsePattern(QLatin1Char(c)) == pattern)
                found = QLatin1Char(c);
        text += found;
        pattern.clear();
    };
    for (const ToneRun& r : ToneRuns(x)) {
        if (r.tone) {
            pattern += r.samples > 2 * dot ? QLatin1Char('-') : QLatin1Char('.');
        } else if (r.samples > 2 * dot) {
            flush();
            if (r.samples > 4 * dot)
                text += QLatin1Char(' ');
        }
    }
    flush();
    return text.trimmed();
}

// Plays `blocks` blocks (one a character) of a sidetone on an in-memory output, each as
// soon as it is written, then makes sure no further one comes; what the device played so
// far, as 16-bit PCM.
inline QByteArray PlayOut(int blocks, uint32_t device = 0)
{
    const auto next = [device](int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            vx::MemoryWaveOut* out = vx::MemoryAudio::output(device);
            if (out && out->playNext())
                return true;
            QCoreApplication::processEvents();
        }
        return false;
    };
    for (int i = 0; i < blocks; ++i)
        if (!next(10000))
            break;
    next(100);
    vx::MemoryWaveOut* out = vx::MemoryAudio::output(device);
    return out ? out->played() : QByteArray();
}

inline std::vector<double> Samples(const QByteArray& pcm16)
{
    std::vector<double> x;
    x.reserve(size_t(pcm16.size() / 2));
    for (qsizetype i = 0; i + 1 < pcm16.size(); i += 2)
        x.push_back(double(int16_t(uint16_t(uint8_t(pcm16[i])) | uint16_t(uint8_t(pcm16[i + 1])) << 8)));
    return x;
}

} // namespace vxtest
