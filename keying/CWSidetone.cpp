#include "keying/CWSidetone.h"

#include "platform/AudioDevice.h"

#include <QAbstractEventDispatcher>
#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace Sidetone {

namespace {

// Patterns from " " (index 0) to "Z".
const char* const Patterns[] = {
    "",       ".-...",  "",       "-.--.",  "...-.-", "...-.",  "-.-.-",  ".-.-",   // space ! " # $ % & '
    "---.",   "..--",   "...-.-", ".-.-.",  "--..--", "-....-", ".-.-.-", "-..-.",  // ( ) * + , - . /
    "-----",  ".----",  "..---",  "...--",  "....-",  ".....",  "-....",  "--...",  // 0 .. 7
    "---..",  "----.",  "",       "",       "",       "-...-",  "",       "..--..", // 8 9 : ; < = > ?
    ".-.-",   ".-",     "-...",   "-.-.",   "-..",    ".",      "..-.",   "--.",    // @ A .. G
    "....",   "..",     ".---",   "-.-",    ".-..",   "--",     "-.",     "---",    // H .. O
    ".--.",   "--.-",   ".-.",    "...",    "-",      "..-",    "...-",   ".--",    // P .. W
    "-..-",   "-.--",   "--..",                                                     // X Y Z
};
static_assert(sizeof Patterns / sizeof Patterns[0] == 'Z' - ' ' + 1);

QChar StandIn(QChar c)
{
    switch (c.unicode()) {
    case 0x00C4: return QLatin1Char('\''); // Ä
    case 0x00D6: return QLatin1Char('(');  // Ö
    case 0x00DC: return QLatin1Char(')');  // Ü
    default: return c;
    }
}

// Tone of n samples from sample `at`, with an envelope of 8/9 steps on its first and last
// 32 samples so that it starts and ends without a click.
void Tone(std::vector<int16_t>& out, size_t at, int n, int pitch, const TSineTable& table)
{
    const uint32_t step = uint32_t(std::lround(double(pitch) * double(1 << 30) / SampleRate));
    uint32_t angle = 0;
    for (int i = 1; i <= n; ++i) {
        int s = table[angle >> 15];
        angle = (angle + step) & 0x3FFFFFFF;
        if (i < 32)
            for (int k = 0; k < 33 - i; ++k)
                s = s * 8 / 9;
        if (i > n - 32)
            for (int k = 0; k < i - n + 33; ++k)
                s = s * 8 / 9;
        out[at + size_t(i - 1)] = int16_t(s);
    }
}

} // namespace

void BuildSineTable(TSineTable& table, int volume)
{
    for (int i = 0; i < SineTableSize; ++i)
        table[size_t(i)] = int16_t(std::lround(volume / 8.0 * 32767.0 * std::sin(2.0 * M_PI * i / SineTableSize)));
}

int DotLength(int speed)
{
    return 9600 / std::max(1, speed);
}

QString MorsePattern(QChar c)
{
    c = StandIn(c);
    if (c < QLatin1Char(' ') || c > QLatin1Char('Z'))
        return {};
    return QLatin1String(Patterns[c.unicode() - ' ']);
}

int RenderCharacter(QChar c, int dotLength, int spacing, int pitch, const TSineTable& table, std::vector<int16_t>& out)
{
    const int D = dotLength;
    // Runs of tone (positive) and silence (negative), in samples.
    std::vector<int> runs;
    c = StandIn(c);
    if (c >= QLatin1Char(' ') && c <= QLatin1Char('Z')) {
        for (const char* p = Patterns[c.unicode() - ' ']; *p; ++p) {
            runs.push_back(*p == '-' ? 3 * D : D);
            runs.push_back(-D);
        }
        runs.push_back(-(spacing + 2) * D);
    } else if (c == QLatin1Char('{') || c == QLatin1Char('}')) {
        runs.push_back(c == QLatin1Char('{') ? D : 3 * D);
        runs.push_back(-(D / 2));
    } else {
        runs.push_back(-2 * D);
    }
    size_t total = 0;
    for (int r : runs)
        total += size_t(std::abs(r));
    if (out.size() < total)
        out.resize(total);
    size_t at = 0;
    for (int r : runs) {
        if (r > 0)
            Tone(out, at, r, pitch, table);
        else
            std::fill_n(out.begin() + qsizetype(at), -r, int16_t(0));
        at += size_t(std::abs(r));
    }
    return int(total * 2);
}

} // namespace Sidetone

// --- The thread -----------------------------------------------------------------------------

namespace {

class SidetoneCallback final : public vx::WaveCallback {
public:
    std::function<void()> OnDone;
    void waveMessage(vx::WaveMessage message, vx::WaveHeader*) override
    {
        if (message == vx::WaveMessage::OutDone && OnDone)
            OnDone();
    }
};

} // namespace

class TSidetoneThread : public QThread {
public:
    explicit TSidetoneThread(TCWSidetone* owner)
        : FOwner(owner)
    {
        setObjectName(QStringLiteral("vx-sidetone"));
    }

protected:
    void run() override
    {
        TCWSidetone& owner = *FOwner;
        QObject waker;
        {
            QMutexLocker lock(&owner.FWakeLock);
            owner.FWaker = &waker;
        }
        FTable = std::make_unique<Sidetone::TSineTable>();
        FTableVolume = owner.FVolume;
        Sidetone::BuildSineTable(*FTable, FTableVolume);
        FSamples.assign(Sidetone::BufferBytes / 2, 0);
        FKeyDown = false;
        owner.ThreadSetKeyDown(false);

        SidetoneCallback callback;
        callback.OnDone = [this] { StartNext(); };
        vx::WaveFormatEx format;
        format.wFormatTag = vx::WaveFormatPcm;
        format.nChannels = 1;
        format.nSamplesPerSec = Sidetone::SampleRate;
        format.nAvgBytesPerSec = Sidetone::SampleRate * 2;
        format.nBlockAlign = 2;
        format.wBitsPerSample = 16;
        // Characters come and go: the stream is kept running between them, so the first
        // element after a pause rises as every other does.
        FWave.setContinuous(true);
        if (FWave.open(owner.FDeviceID, format, &callback) == vx::WaveResult::Ok) {
            owner.FThreadIsRunning = true;
            owner.ThreadSetActive(true);
            QTimer idle;
            idle.start(Sidetone::IdleWaitMs);
            QAbstractEventDispatcher* events = eventDispatcher();
            try {
                while (!owner.FAskToStop) {
                    if (!FKeyDown)
                        StartNext();
                    // Paddle elements appended again as the last one ended: no pause.
                    if (!FKeyDown && owner.HasQueued())
                        continue;
                    events->processEvents(QEventLoop::WaitForMoreEvents);
                }
            } catch (...) {
                // Leave the loop and stop as if asked to.
            }
            FWave.close();
            owner.ThreadSetActive(false);
        }
        {
            QMutexLocker lock(&owner.FWakeLock);
            owner.FWaker = nullptr;
        }
        owner.FThreadIsRunning = false;
    }

private:
    // Renders the next queued character into the buffer and plays it, or reports the key up.
    void StartNext()
    {
        TCWSidetone& owner = *FOwner;
        QChar c;
        if (!owner.TakeFirst(c)) {
            FKeyDown = false;
            owner.ThreadSetKeyDown(false);
            return;
        }
        if (FTableVolume != owner.FVolume) {
            FTableVolume = owner.FVolume;
            Sidetone::BuildSineTable(*FTable, FTableVolume);
        }
        const int bytes =
            Sidetone::RenderCharacter(c, Sidetone::DotLength(owner.FSpeed), 0, owner.FPitch, *FTable, FSamples);
        FHeader.data.resize(size_t(bytes));
        std::memcpy(FHeader.data.data(), FSamples.data(), size_t(bytes));
        FHeader.bufferLength = uint32_t(bytes);
        FKeyDown = FWave.write(&FHeader) == vx::WaveResult::Ok;
        owner.ThreadSetKeyDown(FKeyDown);
    }

    TCWSidetone* FOwner;
    vx::WaveOut FWave;
    vx::WaveHeader FHeader;
    std::vector<int16_t> FSamples;
    std::unique_ptr<Sidetone::TSineTable> FTable;
    int FTableVolume = -1;
    bool FKeyDown = false;
};

// --- The component --------------------------------------------------------------------------

TCWSidetone::TCWSidetone(QObject* owner)
    : QObject(owner)
{
}

TCWSidetone::~TCWSidetone()
{
    FAskToStop = true;
    Wake();
    if (FThread)
        FThread->wait();
}

void TCWSidetone::Wake()
{
    QMutexLocker lock(&FWakeLock);
    if (FWaker)
        QMetaObject::invokeMethod(FWaker, [] {}, Qt::QueuedConnection);
}

void TCWSidetone::Open()
{
    // A thread asked to stop is let finish, so that this Open starts a new one.
    if (FThread && FAskToStop)
        FThread->wait();
    // Events work again after a close.
    FClosingDown = false;
    FDeviceNames = vx::waveOutDeviceNames();
    if (FThread && FThread->isRunning())
        return;
    FAskToStop = false;
    FThread = std::make_unique<TSidetoneThread>(this);
    FThread->start(QThread::TimeCriticalPriority);
}

void TCWSidetone::Close()
{
    FClosingDown = true;
    FAskToStop = true;
    Wake();
}

void TCWSidetone::Send(const QString& Text)
{
    if (!FThreadIsRunning)
        return;
    {
        QMutexLocker lock(&FLock);
        FCodeStr += Text;
    }
    Wake();
}

void TCWSidetone::Stop()
{
    QMutexLocker lock(&FLock);
    FCodeStr.clear();
    FPaddleLeft = false;
    FPaddleRight = false;
    FSendingPaddleDitDahs = false;
}

void TCWSidetone::Backspace()
{
    if (!FThreadIsRunning)
        return;
    QMutexLocker lock(&FLock);
    FCodeStr.chop(1);
}

QString TCWSidetone::Queued() const
{
    QMutexLocker lock(&FLock);
    return FCodeStr;
}

void TCWSidetone::SetSpeed(int value)
{
    FSpeed = std::max(1, value);
}

void TCWSidetone::SetPitch(int value)
{
    FPitch = std::clamp(value, 300, 5000);
}

void TCWSidetone::SetVolume(int value)
{
    // Above 8 the samples would leave the 16-bit range.
    FVolume = std::clamp(value, 0, 8);
}

void TCWSidetone::SetSwapPaddles(bool value)
{
    QMutexLocker lock(&FLock);
    FSwapPaddles = value;
}

void TCWSidetone::SetPaddleLeft(bool value)
{
    SetPaddle(FPaddleLeft, value);
}

void TCWSidetone::SetPaddleRight(bool value)
{
    SetPaddle(FPaddleRight, value);
}

void TCWSidetone::SetPaddle(bool& paddle, bool value)
{
    if (value == paddle)
        return;
    QMutexLocker lock(&FLock);
    paddle = value;
    if (!value) {
        FCodeStr.clear();
        // A paddle still held keeps sounding: its elements follow when the key goes up.
        FSendingPaddleDitDahs = FPaddleLeft || FPaddleRight;
        return;
    }
    if (!FThreadIsRunning)
        return;
    AppendPaddleElements();
    lock.unlock();
    Wake();
}

void TCWSidetone::AppendPaddleElements()
{
    const QChar dot = QLatin1Char(FSwapPaddles ? '}' : '{');
    const QChar dash = QLatin1Char(FSwapPaddles ? '{' : '}');
    if (FPaddleLeft && FPaddleRight) {
        // Both held: dots and dashes alternate, in every keyer mode.
        FCodeStr.clear();
        FCodeStr += QString(QStringLiteral("{}")).repeated(Sidetone::PaddleElements / 2);
    } else if (FPaddleLeft) {
        FCodeStr += QString(Sidetone::PaddleElements, dot);
    } else if (FPaddleRight) {
        FCodeStr += QString(Sidetone::PaddleElements, dash);
    }
    FSendingPaddleDitDahs = FPaddleLeft || FPaddleRight;
}

bool TCWSidetone::TakeFirst(QChar& c)
{
    QMutexLocker lock(&FLock);
    if (FCodeStr.isEmpty())
        return false;
    c = FCodeStr[0];
    FCodeStr.remove(0, 1);
    return true;
}

bool TCWSidetone::HasQueued() const
{
    QMutexLocker lock(&FLock);
    return !FCodeStr.isEmpty();
}

void TCWSidetone::ThreadSetActive(bool value)
{
    if (FActive.exchange(value) == value)
        return;
    if (!FClosingDown)
        Fire(OnActive, value);
}

void TCWSidetone::ThreadSetKeyDown(bool value)
{
    if (FKeyDown.exchange(value) == value)
        return;
    if (!FClosingDown)
        Fire(OnKeyDown, value);
    if (!value) {
        QMutexLocker lock(&FLock);
        if (FSendingPaddleDitDahs)
            AppendPaddleElements();
    }
}
