#include "platform/AudioDevice.h"

#include "platform/GsmCodec.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

namespace vx {

class WaveDeviceBackend {
public:
    virtual ~WaveDeviceBackend() = default;
    virtual int start() { return WaveResult::Ok; }
    virtual void add(WaveHeader*) {}
    virtual void write(WaveHeader*) {}
    virtual void reset() = 0;
    // Afterwards the device touches no header and posts nothing but its close notification.
    virtual void close() = 0;
};

namespace {

using Live = std::shared_ptr<std::atomic<bool>>;

void post(WaveCallback* callback, const Live& live, WaveMessage message, WaveHeader* header)
{
    if (!callback)
        return;
    // Queued with the callback as context: dropped if the receiver is gone by then, and
    // buffer notifications of a device closed meanwhile are dropped at delivery.
    QMetaObject::invokeMethod(
        callback,
        [callback, live, message, header] {
            if ((message == WaveMessage::InData || message == WaveMessage::OutDone) && !live->load())
                return;
            callback->waveMessage(message, header);
        },
        Qt::QueuedConnection);
}

// --- formats ------------------------------------------------------------------------------

struct DeviceFormat {
    QAudioFormat pcm; // what the sound server sees
    bool gsm = false;
};

int checkFormat(const WaveFormatEx& f, DeviceFormat& out)
{
    if (f.nSamplesPerSec < 1000 || f.nSamplesPerSec > 192000)
        return WaveResult::BadFormat;
    if (f.wFormatTag == WaveFormatPcm) {
        if ((f.wBitsPerSample != 8 && f.wBitsPerSample != 16) || f.nChannels < 1 || f.nChannels > 2)
            return WaveResult::BadFormat;
        if (f.nBlockAlign != f.nChannels * f.wBitsPerSample / 8 || f.nAvgBytesPerSec != f.nSamplesPerSec * f.nBlockAlign)
            return WaveResult::BadFormat;
        out.pcm.setSampleRate(int(f.nSamplesPerSec));
        out.pcm.setChannelCount(f.nChannels);
        out.pcm.setSampleFormat(f.wBitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        out.gsm = false;
        return WaveResult::Ok;
    }
    if (f.wFormatTag == WaveFormatGsm610) {
        if (f.nChannels != 1 || f.nBlockAlign != GsmBytesPerBlock)
            return WaveResult::BadFormat;
        out.pcm.setSampleRate(int(f.nSamplesPerSec));
        out.pcm.setChannelCount(1);
        out.pcm.setSampleFormat(QAudioFormat::Int16);
        out.gsm = true;
        return WaveResult::Ok;
    }
    return WaveResult::BadFormat;
}

// --- buffer queues shared by both kinds of device -------------------------------------------

class CaptureQueue {
public:
    CaptureQueue(bool gsm, WaveCallback* callback)
        : callback_(callback)
        , live_(std::make_shared<std::atomic<bool>>(true))
    {
        if (gsm)
            encoder_ = std::make_unique<GsmEncoder>();
    }

    void add(WaveHeader* h)
    {
        std::lock_guard lock(m_);
        if (!closed_)
            queue_.push_back(h);
    }

    void deliver(const char* pcm, size_t bytes)
    {
        std::lock_guard lock(m_);
        if (closed_)
            return;
        QByteArray converted;
        if (encoder_) {
            converted = encoder_->feed(pcm, bytes);
            pcm = converted.constData();
            bytes = size_t(converted.size());
        }
        while (bytes > 0 && !queue_.empty()) {
            WaveHeader* h = queue_.front();
            const uint32_t capacity = std::min<uint32_t>(h->bufferLength, uint32_t(h->data.size()));
            const uint32_t room = capacity > h->bytesRecorded ? capacity - h->bytesRecorded : 0;
            const uint32_t take = uint32_t(std::min<size_t>(room, bytes));
            if (take > 0)
                std::memcpy(h->data.data() + h->bytesRecorded, pcm, take);
            h->bytesRecorded += take;
            pcm += take;
            bytes -= take;
            if (h->bytesRecorded >= capacity) {
                queue_.pop_front();
                post(callback_, live_, WaveMessage::InData, h);
            }
        }
        // Sound with no buffer queued is lost, as on any capture device.
    }

    bool flushOne()
    {
        std::lock_guard lock(m_);
        if (closed_ || queue_.empty())
            return false;
        post(callback_, live_, WaveMessage::InData, queue_.front());
        queue_.pop_front();
        return true;
    }

    void returnAll()
    {
        std::lock_guard lock(m_);
        for (WaveHeader* h : queue_)
            post(callback_, live_, WaveMessage::InData, h);
        queue_.clear();
        if (encoder_)
            encoder_->clear();
    }

    int queued() const
    {
        std::lock_guard lock(m_);
        return int(queue_.size());
    }

    void close()
    {
        std::lock_guard lock(m_);
        closed_ = true;
        live_->store(false);
        queue_.clear();
        post(callback_, live_, WaveMessage::InClose, nullptr);
    }

    void postOpen() { post(callback_, live_, WaveMessage::InOpen, nullptr); }

private:
    mutable std::mutex m_;
    std::deque<WaveHeader*> queue_;
    std::unique_ptr<GsmEncoder> encoder_;
    WaveCallback* callback_;
    Live live_;
    bool closed_ = false;
};

// Bytes per second of the blocks as written (GSM bytes or PCM) and of the PCM they become.
struct PlaybackRates {
    uint32_t block = 0;
    uint32_t pcm = 0;
    uint32_t pcmFrame = 1;
};

class PlaybackQueue {
public:
    // limitUs: at most this much sound waits before the newest block (0 = no bound).
    PlaybackQueue(bool gsm, WaveCallback* callback, PlaybackRates rates = {}, int64_t limitUs = 0)
        : callback_(callback)
        , live_(std::make_shared<std::atomic<bool>>(true))
        , rates_(rates)
        , limitUs_(rates.block > 0 && rates.pcm > 0 ? limitUs : 0)
    {
        if (gsm)
            decoder_ = std::make_unique<GsmDecoder>();
    }

    void push(WaveHeader* h)
    {
        std::lock_guard lock(m_);
        if (closed_)
            return;
        queue_.push_back(h);
        queuedBytes_ += blockBytes(h);
        trimLocked(0);
    }

    // Sound that piled up (a burst at the start, or after a stall) is dropped, oldest first,
    // rather than kept as delay: aheadUs is what the device holds already beyond this queue.
    void trim(int64_t aheadUs)
    {
        std::lock_guard lock(m_);
        trimLocked(aheadUs);
    }

    // Up to max bytes of PCM; a block is returned to its owner as soon as the device has
    // converted it into its own staging buffer.
    QByteArray take(qsizetype max)
    {
        std::lock_guard lock(m_);
        QByteArray out;
        while (out.size() < max) {
            if (stage_.isEmpty() && !stageNext())
                break;
            const qsizetype n = std::min(stage_.size(), max - out.size());
            out.append(stage_.constData(), n);
            stage_.remove(0, n);
        }
        return out;
    }

    // One whole block, converted (or what a trim left of the oldest).
    bool takeBlock(QByteArray& pcm)
    {
        std::lock_guard lock(m_);
        if (stage_.isEmpty() && !stageNext())
            return false;
        pcm = stage_;
        stage_.clear();
        return true;
    }

    bool hasData() const
    {
        std::lock_guard lock(m_);
        return !queue_.empty() || !stage_.isEmpty();
    }

    int queued() const
    {
        std::lock_guard lock(m_);
        return int(queue_.size());
    }

    void reset()
    {
        std::lock_guard lock(m_);
        for (WaveHeader* h : queue_)
            post(callback_, live_, WaveMessage::OutDone, h);
        queue_.clear();
        queuedBytes_ = 0;
        stage_.clear();
        if (decoder_)
            decoder_->clear();
    }

    void close()
    {
        std::lock_guard lock(m_);
        closed_ = true;
        live_->store(false);
        queue_.clear();
        queuedBytes_ = 0;
        stage_.clear();
        post(callback_, live_, WaveMessage::OutClose, nullptr);
    }

    void postOpen() { post(callback_, live_, WaveMessage::OutOpen, nullptr); }

private:
    static size_t blockBytes(const WaveHeader* h) { return std::min<size_t>(h->bufferLength, h->data.size()); }
    int64_t blockUs(size_t bytes) const { return int64_t(bytes) * 1000000 / rates_.block; }
    int64_t pcmUs(qsizetype bytes) const { return int64_t(bytes) * 1000000 / rates_.pcm; }

    void trimLocked(int64_t aheadUs)
    {
        if (limitUs_ <= 0 || closed_ || queue_.empty())
            return;
        for (;;) {
            // The newest block never counts against the limit and is never dropped.
            const int64_t waiting = aheadUs + pcmUs(stage_.size()) + blockUs(queuedBytes_ - blockBytes(queue_.back()));
            const int64_t excess = waiting - limitUs_;
            if (excess <= 0)
                return;
            if (stage_.isEmpty()) {
                if (queue_.size() < 2)
                    return;
                WaveHeader* h = queue_.front();
                if (blockUs(blockBytes(h)) <= excess) {
                    queue_.pop_front();
                    queuedBytes_ -= blockBytes(h);
                    post(callback_, live_, WaveMessage::OutDone, h);
                } else {
                    stageNext(); // only part of it goes: cut below, in whole frames
                }
                continue;
            }
            const qsizetype frame = qsizetype(rates_.pcmFrame);
            qsizetype cut = qsizetype((excess * rates_.pcm + 999999) / 1000000);
            cut = std::min(stage_.size(), (cut + frame - 1) / frame * frame);
            if (cut <= 0)
                return;
            stage_.remove(0, cut);
        }
    }

    bool stageNext()
    {
        if (closed_ || queue_.empty())
            return false;
        WaveHeader* h = queue_.front();
        queue_.pop_front();
        const size_t n = blockBytes(h);
        queuedBytes_ -= n;
        stage_ = decoder_ ? decoder_->feed(h->data.data(), n) : QByteArray(h->data.data(), qsizetype(n));
        post(callback_, live_, WaveMessage::OutDone, h);
        return true;
    }

    mutable std::mutex m_;
    std::deque<WaveHeader*> queue_;
    size_t queuedBytes_ = 0;
    QByteArray stage_;
    std::unique_ptr<GsmDecoder> decoder_;
    WaveCallback* callback_;
    Live live_;
    PlaybackRates rates_;
    int64_t limitUs_;
    bool closed_ = false;
};

// --- in-memory devices ----------------------------------------------------------------------

class MemIn;
class MemOut;

struct MemoryState {
    std::mutex m;
    bool on = false;
    std::map<uint32_t, MemIn*> inputs;
    std::map<uint32_t, MemOut*> outputs;
    std::map<std::pair<bool, uint32_t>, int> openResults;
    std::map<uint32_t, int> startResults;
    std::map<std::pair<bool, uint32_t>, int> attempts;
};

MemoryState& memory()
{
    static MemoryState s;
    return s;
}

class MemIn final : public WaveDeviceBackend, public MemoryWaveIn {
public:
    MemIn(uint32_t id, bool gsm, WaveCallback* cb)
        : id_(id)
        , queue_(gsm, cb)
    {
        std::lock_guard lock(memory().m);
        memory().inputs[id_] = this;
    }
    ~MemIn() override { unregister(); }

    int start() override
    {
        {
            std::lock_guard lock(memory().m);
            auto it = memory().startResults.find(id_);
            if (it != memory().startResults.end() && it->second != WaveResult::Ok)
                return it->second;
        }
        started_ = true;
        return WaveResult::Ok;
    }
    void add(WaveHeader* h) override { queue_.add(h); }
    void reset() override
    {
        started_ = false;
        queue_.returnAll();
    }
    void close() override
    {
        started_ = false;
        queue_.close();
        unregister();
    }

    void feed(const QByteArray& pcm) override
    {
        if (started_)
            queue_.deliver(pcm.constData(), size_t(pcm.size()));
    }
    bool flush() override { return queue_.flushOne(); }
    int queuedBuffers() const override { return queue_.queued(); }
    bool started() const override { return started_; }

    CaptureQueue& queue() { return queue_; }

private:
    void unregister()
    {
        std::lock_guard lock(memory().m);
        auto it = memory().inputs.find(id_);
        if (it != memory().inputs.end() && it->second == this)
            memory().inputs.erase(it);
    }

    uint32_t id_;
    CaptureQueue queue_;
    bool started_ = false;
};

class MemOut final : public WaveDeviceBackend, public MemoryWaveOut {
public:
    MemOut(uint32_t id, bool gsm, WaveCallback* cb, PlaybackRates rates, int64_t limitUs)
        : id_(id)
        , queue_(gsm, cb, rates, limitUs)
    {
        std::lock_guard lock(memory().m);
        memory().outputs[id_] = this;
    }
    ~MemOut() override { unregister(); }

    void write(WaveHeader* h) override { queue_.push(h); }
    void reset() override { queue_.reset(); }
    void close() override
    {
        queue_.close();
        unregister();
    }

    int queuedBlocks() const override { return queue_.queued(); }
    bool playNext() override
    {
        QByteArray pcm;
        if (!queue_.takeBlock(pcm))
            return false;
        std::lock_guard lock(m_);
        played_ += pcm;
        return true;
    }
    QByteArray played() const override
    {
        std::lock_guard lock(m_);
        return played_;
    }

    PlaybackQueue& queue() { return queue_; }

private:
    void unregister()
    {
        std::lock_guard lock(memory().m);
        auto it = memory().outputs.find(id_);
        if (it != memory().outputs.end() && it->second == this)
            memory().outputs.erase(it);
    }

    uint32_t id_;
    PlaybackQueue queue_;
    mutable std::mutex m_;
    QByteArray played_;
};

int memoryOpenResult(bool output, uint32_t id)
{
    std::lock_guard lock(memory().m);
    auto it = memory().openResults.find({output, id});
    return it == memory().openResults.end() ? WaveResult::Ok : it->second;
}

// --- Qt Multimedia devices on the audio thread ----------------------------------------------

struct AudioThread {
    QThread* thread = nullptr;
    QObject* context = nullptr;

    AudioThread()
    {
        thread = new QThread;
        thread->setObjectName(QStringLiteral("vx-audio"));
        thread->start(QThread::TimeCriticalPriority);
        context = new QObject;
        context->moveToThread(thread);
    }
    ~AudioThread()
    {
        QMetaObject::invokeMethod(context, [c = context] { delete c; }, Qt::QueuedConnection);
        thread->quit();
        thread->wait();
        delete thread;
    }
};

AudioThread& audioThread()
{
    static AudioThread t;
    return t;
}

// Runs f on the audio thread and waits for its result (device set-up only: never the data path).
template <typename F>
int onAudioThread(F f)
{
    AudioThread& t = audioThread();
    if (QThread::currentThread() == t.thread)
        return f();
    int result = WaveResult::Error;
    QMetaObject::invokeMethod(t.context, [&] { result = f(); }, Qt::BlockingQueuedConnection);
    return result;
}

bool findDevice(bool output, uint32_t id, QAudioDevice& device)
{
    if (id == WaveMapper) {
        device = output ? QMediaDevices::defaultAudioOutput() : QMediaDevices::defaultAudioInput();
        return !device.isNull();
    }
    const QList<QAudioDevice> list = output ? QMediaDevices::audioOutputs() : QMediaDevices::audioInputs();
    if (id >= uint32_t(list.size()))
        return false;
    device = list[qsizetype(id)];
    return true;
}

int qtQuery(bool output, uint32_t id, const DeviceFormat& df, QAudioDevice& device)
{
    if (!findDevice(output, id, device))
        return WaveResult::BadDeviceId;
    if (!device.isFormatSupported(df.pcm))
        return WaveResult::BadFormat;
    return WaveResult::Ok;
}

int fromQtError(QAudio::Error e)
{
    switch (e) {
    case QAudio::NoError:
        return WaveResult::Ok;
    case QAudio::OpenError:
        return WaveResult::Allocated;
    default:
        return WaveResult::NoMem;
    }
}

// Sound server buffers: short, so the capture and playback paths add little latency; the
// audio thread tops the playback buffer up every few milliseconds.  A playback with a buffer
// length of its own gets a sound server buffer no longer than that, so what sits there stays
// within the bound its queue keeps.
constexpr int SinkBufferUs = 30000;
constexpr int SourceBufferUs = 10000;
constexpr int PumpIntervalMs = 5;
constexpr int RetiredSinkMs = 2000;

class QtOutWorker final : public QObject {
public:
    QtOutWorker(std::shared_ptr<PlaybackQueue> queue, const QAudioFormat& format, int64_t limitUs, bool continuous)
        : queue_(std::move(queue))
        , format_(format)
        , continuous_(continuous)
        , limitUs_(limitUs)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(PumpIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { pump(); });
    }
    ~QtOutWorker() override
    {
        if (!sink_)
            return;
        sink_->stop();
        // The sound server's answer to the drain that stopping asks for may still be on its
        // way, and Qt hands it to the sink object: a stream that had run dry gets it at once,
        // so the stopped sink stays a while instead of leaving the answer a freed object.  The
        // audio thread's context frees it at the latest when the thread ends.
        QAudioSink* retired = std::exchange(sink_, nullptr);
        retired->setParent(audioThread().context);
        QTimer::singleShot(RetiredSinkMs, retired, &QObject::deleteLater);
    }

    int open(const QAudioDevice& device)
    {
        sink_ = new QAudioSink(device, format_);
        sink_->setBufferSize(format_.bytesForDuration(limitUs_ > 0 ? std::min<int64_t>(limitUs_, SinkBufferUs) : SinkBufferUs));
        io_ = sink_->start();
        const int r = fromQtError(sink_->error());
        if (r != WaveResult::Ok || !io_)
            return r != WaveResult::Ok ? r : WaveResult::Error;
        if (continuous_) {
            // Held up longer than half the buffer, the stream may have run dry.
            dryAfterMs_ = std::max<qint64>(1, format_.durationForBytes(int(sink_->bufferSize())) / 2000);
            pump();
        }
        return WaveResult::Ok;
    }

    // Any thread: have the audio thread top the sink up soon.
    void kick()
    {
        if (!kicked_.exchange(true))
            QMetaObject::invokeMethod(this, [this] {
                kicked_ = false;
                pump();
            }, Qt::QueuedConnection);
    }

    void dropPending() { pending_.clear(); }

private:
    void pump()
    {
        const int frame = std::max(1, format_.bytesPerFrame());
        if (sink_->state() == QAudio::StoppedState && sink_->error() != QAudio::NoError) {
            // The sound server gave up on this stream: hand the blocks back unplayed rather
            // than let them pile up.
            pending_.clear();
            while (!queue_->take(1 << 20).isEmpty()) {
            }
            timer_.stop();
            return;
        }
        if (limitUs_ > 0) {
            // What the sound server holds still to be played counts against the bound too.
            const qint64 held = std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree()) + pending_.size();
            queue_->trim(format_.durationForBytes(held));
        }
        // A block that ends a quiet spell after the audio thread was held up gets silence
        // first: should the stream have run dry, its restart rewinds the sink over that
        // silence instead of over the start of the block.  Inside sound nothing is inserted.
        const bool mayBeDry = continuous_ && quiet_ && sincePump_.isValid() && sincePump_.elapsed() > dryAfterMs_;
        sincePump_.start();
        if (mayBeDry) {
            topUpWithSilence(frame);
            if (!timer_.isActive())
                timer_.start();
            return;
        }
        for (;;) {
            if (pending_.isEmpty()) {
                qint64 room = sink_->bytesFree();
                room -= room % frame;
                if (room <= 0)
                    break;
                pending_ = queue_->take(room);
                if (pending_.isEmpty())
                    break;
            }
            const qint64 written = io_->write(pending_);
            if (written <= 0)
                break;
            pending_.remove(0, written);
            quiet_ = false;
        }
        if (continuous_ && pending_.isEmpty() && !queue_->hasData())
            quiet_ = topUpWithSilence(frame) || quiet_;
        const bool more = continuous_ || !pending_.isEmpty() || queue_->hasData();
        if (more && !timer_.isActive())
            timer_.start();
        else if (!more)
            timer_.stop();
    }

    // A stream the sound server saw run dry restarts with the sink rewound to play the new
    // block at once, over sound the sink already played: the start of the block is lost to
    // whoever listens (a click on a keyed tone).  Kept full of silence, the stream never runs
    // dry and a block simply follows it.  True when silence was written.
    bool topUpWithSilence(int frame)
    {
        qint64 room = sink_->bytesFree();
        room -= room % frame;
        if (room <= 0)
            return false;
        const char zero = format_.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
        return io_->write(QByteArray(room, zero)) > 0;
    }

    std::shared_ptr<PlaybackQueue> queue_;
    QAudioFormat format_;
    bool continuous_ = false;
    QElapsedTimer sincePump_;
    qint64 dryAfterMs_ = 0;
    bool quiet_ = true; // silence was the last thing written
    QAudioSink* sink_ = nullptr;
    QIODevice* io_ = nullptr;
    int64_t limitUs_;
    QTimer timer_;
    QByteArray pending_;
    std::atomic<bool> kicked_{false};
};

class QtOut final : public WaveDeviceBackend {
public:
    QtOut(bool gsm, WaveCallback* cb, const QAudioFormat& format, PlaybackRates rates, int64_t limitUs, bool continuous)
        : queue_(std::make_shared<PlaybackQueue>(gsm, cb, rates, limitUs))
        , format_(format)
        , limitUs_(limitUs)
        , continuous_(continuous)
    {
    }
    ~QtOut() override { close(); }

    int open(const QAudioDevice& device)
    {
        return onAudioThread([&] {
            worker_ = new QtOutWorker(queue_, format_, limitUs_, continuous_);
            worker_->moveToThread(audioThread().thread);
            const int r = worker_->open(device);
            if (r != WaveResult::Ok) {
                delete worker_;
                worker_ = nullptr;
            }
            return r;
        });
    }

    void write(WaveHeader* h) override
    {
        queue_->push(h);
        if (worker_)
            worker_->kick();
    }
    void reset() override
    {
        queue_->reset();
        if (worker_)
            QMetaObject::invokeMethod(worker_, [w = worker_] { w->dropPending(); }, Qt::QueuedConnection);
    }
    void close() override
    {
        if (!worker_)
            return;
        queue_->close();
        // The worker shares the queue, which hands out nothing once closed; the sink goes
        // away on the audio thread without the caller waiting for it.
        worker_->deleteLater();
        worker_ = nullptr;
    }

    PlaybackQueue& queue() { return *queue_; }

private:
    std::shared_ptr<PlaybackQueue> queue_;
    QAudioFormat format_;
    int64_t limitUs_;
    bool continuous_ = false;
    QtOutWorker* worker_ = nullptr;
};

class QtInWorker final : public QObject {
public:
    QtInWorker(std::shared_ptr<CaptureQueue> queue, const QAudioFormat& format)
        : queue_(std::move(queue))
        , format_(format)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { drain(); });
    }
    ~QtInWorker() override
    {
        if (source_) {
            source_->stop();
            delete source_;
        }
    }

    void create(const QAudioDevice& device)
    {
        source_ = new QAudioSource(device, format_);
        source_->setBufferSize(format_.bytesForDuration(SourceBufferUs));
    }

    int start()
    {
        io_ = source_->start();
        const int r = fromQtError(source_->error());
        if (r != WaveResult::Ok || !io_)
            return r != WaveResult::Ok ? r : WaveResult::Error;
        QObject::connect(io_, &QIODevice::readyRead, this, [this] { drain(); });
        timer_.start();
        return WaveResult::Ok;
    }

    void stop()
    {
        timer_.stop();
        if (io_)
            QObject::disconnect(io_, nullptr, this, nullptr);
        io_ = nullptr;
        source_->stop();
    }

private:
    void drain()
    {
        if (!io_)
            return;
        const QByteArray data = io_->readAll();
        if (!data.isEmpty())
            queue_->deliver(data.constData(), size_t(data.size()));
    }

    std::shared_ptr<CaptureQueue> queue_;
    QAudioFormat format_;
    QAudioSource* source_ = nullptr;
    QIODevice* io_ = nullptr;
    QTimer timer_;
};

class QtIn final : public WaveDeviceBackend {
public:
    QtIn(bool gsm, WaveCallback* cb, const QAudioFormat& format)
        : queue_(std::make_shared<CaptureQueue>(gsm, cb))
        , format_(format)
    {
    }
    ~QtIn() override { close(); }

    int open(const QAudioDevice& device)
    {
        return onAudioThread([&] {
            worker_ = new QtInWorker(queue_, format_);
            worker_->moveToThread(audioThread().thread);
            worker_->create(device);
            return WaveResult::Ok;
        });
    }

    int start() override
    {
        if (!worker_)
            return WaveResult::InvalidHandle;
        return onAudioThread([w = worker_] { return w->start(); });
    }
    void add(WaveHeader* h) override { queue_->add(h); }
    void reset() override
    {
        if (worker_)
            QMetaObject::invokeMethod(worker_, [w = worker_] { w->stop(); }, Qt::QueuedConnection);
        queue_->returnAll();
    }
    void close() override
    {
        if (!worker_)
            return;
        queue_->close();
        worker_->deleteLater();
        worker_ = nullptr;
    }

    CaptureQueue& queue() { return *queue_; }

private:
    std::shared_ptr<CaptureQueue> queue_;
    QAudioFormat format_;
    QtInWorker* worker_ = nullptr;
};

} // namespace

// --- WaveIn / WaveOut -----------------------------------------------------------------------

// A format query of a capture (output false) or playback device; counts the attempt on
// in-memory devices.
static int queryDevice(bool output, uint32_t deviceId, const WaveFormatEx& format)
{
    DeviceFormat df;
    if (const int r = checkFormat(format, df); r != WaveResult::Ok)
        return r;
    if (MemoryAudio::inUse()) {
        {
            std::lock_guard lock(memory().m);
            ++memory().attempts[{output, deviceId}];
        }
        return memoryOpenResult(output, deviceId);
    }
    QAudioDevice device;
    return qtQuery(output, deviceId, df, device);
}

WaveIn::WaveIn() = default;
WaveIn::~WaveIn() { close(); }

int WaveIn::query(uint32_t deviceId, const WaveFormatEx& format)
{
    return queryDevice(false, deviceId, format);
}

int WaveIn::open(uint32_t deviceId, const WaveFormatEx& format, WaveCallback* callback)
{
    if (d_)
        return WaveResult::Allocated;
    DeviceFormat df;
    if (const int r = checkFormat(format, df); r != WaveResult::Ok)
        return r;
    if (MemoryAudio::inUse()) {
        if (const int r = memoryOpenResult(false, deviceId); r != WaveResult::Ok)
            return r;
        auto dev = std::make_unique<MemIn>(deviceId, df.gsm, callback);
        dev->queue().postOpen();
        d_ = std::move(dev);
        return WaveResult::Ok;
    }
    QAudioDevice device;
    if (const int r = qtQuery(false, deviceId, df, device); r != WaveResult::Ok)
        return r;
    auto dev = std::make_unique<QtIn>(df.gsm, callback, df.pcm);
    if (const int r = dev->open(device); r != WaveResult::Ok)
        return r;
    dev->queue().postOpen();
    d_ = std::move(dev);
    return WaveResult::Ok;
}

bool WaveIn::isOpen() const { return d_ != nullptr; }

int WaveIn::addBuffer(WaveHeader* header)
{
    if (!d_)
        return WaveResult::InvalidHandle;
    if (!header)
        return WaveResult::InvalidParam;
    d_->add(header);
    return WaveResult::Ok;
}

int WaveIn::start()
{
    return d_ ? d_->start() : WaveResult::InvalidHandle;
}

int WaveIn::reset()
{
    if (!d_)
        return WaveResult::InvalidHandle;
    d_->reset();
    return WaveResult::Ok;
}

int WaveIn::close()
{
    if (!d_)
        return WaveResult::InvalidHandle;
    d_->reset();
    d_->close();
    d_.reset();
    return WaveResult::Ok;
}

WaveOut::WaveOut() = default;
WaveOut::~WaveOut() { close(); }

int WaveOut::query(uint32_t deviceId, const WaveFormatEx& format)
{
    return queryDevice(true, deviceId, format);
}

static PlaybackRates playbackRates(const WaveFormatEx& format, const DeviceFormat& df)
{
    return {format.nAvgBytesPerSec, uint32_t(df.pcm.bytesForDuration(1000000)), uint32_t(std::max(1, df.pcm.bytesPerFrame()))};
}

void WaveOut::setBufferLength(uint32_t ms)
{
    bufferMs_ = ms;
}

int WaveOut::open(uint32_t deviceId, const WaveFormatEx& format, WaveCallback* callback)
{
    if (d_)
        return WaveResult::Allocated;
    DeviceFormat df;
    if (const int r = checkFormat(format, df); r != WaveResult::Ok)
        return r;
    const int64_t limitUs = int64_t(bufferMs_) * 1000;
    if (MemoryAudio::inUse()) {
        if (const int r = memoryOpenResult(true, deviceId); r != WaveResult::Ok)
            return r;
        auto dev = std::make_unique<MemOut>(deviceId, df.gsm, callback, playbackRates(format, df), limitUs);
        dev->queue().postOpen();
        d_ = std::move(dev);
        return WaveResult::Ok;
    }
    QAudioDevice device;
    if (const int r = qtQuery(true, deviceId, df, device); r != WaveResult::Ok)
        return r;
    auto dev = std::make_unique<QtOut>(df.gsm, callback, df.pcm, playbackRates(format, df), limitUs, continuous_);
    if (const int r = dev->open(device); r != WaveResult::Ok)
        return r;
    dev->queue().postOpen();
    d_ = std::move(dev);
    return WaveResult::Ok;
}

bool WaveOut::isOpen() const { return d_ != nullptr; }

int WaveOut::write(WaveHeader* header)
{
    if (!d_)
        return WaveResult::InvalidHandle;
    if (!header)
        return WaveResult::InvalidParam;
    d_->write(header);
    return WaveResult::Ok;
}

int WaveOut::reset()
{
    if (!d_)
        return WaveResult::InvalidHandle;
    d_->reset();
    return WaveResult::Ok;
}

int WaveOut::close()
{
    if (!d_)
        return WaveResult::InvalidHandle;
    d_->reset();
    d_->close();
    d_.reset();
    return WaveResult::Ok;
}

QStringList waveInDeviceNames()
{
    QStringList names;
    for (const QAudioDevice& d : QMediaDevices::audioInputs())
        names << d.description();
    return names;
}

QStringList waveOutDeviceNames()
{
    QStringList names;
    for (const QAudioDevice& d : QMediaDevices::audioOutputs())
        names << d.description();
    return names;
}

// --- MemoryAudio ----------------------------------------------------------------------------

void MemoryAudio::use(bool on)
{
    std::lock_guard lock(memory().m);
    memory().on = on;
    memory().openResults.clear();
    memory().startResults.clear();
    memory().attempts.clear();
}

bool MemoryAudio::inUse()
{
    std::lock_guard lock(memory().m);
    return memory().on;
}

MemoryWaveIn* MemoryAudio::input(uint32_t deviceId)
{
    std::lock_guard lock(memory().m);
    auto it = memory().inputs.find(deviceId);
    return it == memory().inputs.end() ? nullptr : it->second;
}

MemoryWaveOut* MemoryAudio::output(uint32_t deviceId)
{
    std::lock_guard lock(memory().m);
    auto it = memory().outputs.find(deviceId);
    return it == memory().outputs.end() ? nullptr : it->second;
}

void MemoryAudio::setOpenResult(bool output, uint32_t deviceId, int result)
{
    std::lock_guard lock(memory().m);
    memory().openResults[{output, deviceId}] = result;
}

void MemoryAudio::setStartResult(uint32_t deviceId, int result)
{
    std::lock_guard lock(memory().m);
    memory().startResults[deviceId] = result;
}

int MemoryAudio::attempts(bool output, uint32_t deviceId)
{
    std::lock_guard lock(memory().m);
    auto it = memory().attempts.find({output, deviceId});
    return it == memory().attempts.end() ? 0 : it->second;
}

} // namespace vx
