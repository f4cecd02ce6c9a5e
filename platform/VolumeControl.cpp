#include "platform/VolumeControl.h"

#include <QMetaObject>
#include <algorithm>
#include <pulse/pulseaudio.h>
#include <unistd.h>

namespace vx {

namespace {

// Holds the library's lock for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop)
        : loop_(loop)
    {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }

private:
    pa_threaded_mainloop* loop_;
};

float toFloat(const pa_cvolume& cv)
{
    const double v = double(pa_cvolume_max(&cv)) / double(PA_VOLUME_NORM);
    return float(std::clamp(v, 0.0, 1.0));
}

pa_volume_t fromFloat(float v)
{
    return pa_volume_t(double(v) * double(PA_VOLUME_NORM) + 0.5);
}

bool isOwnStream(const pa_proplist* props)
{
    const char* pid = pa_proplist_gets(props, PA_PROP_APPLICATION_PROCESS_ID);
    return pid && QByteArray(pid).toLongLong() == qint64(getpid());
}

SoundSinkInfo toSinkInfo(const pa_sink_info* i)
{
    SoundSinkInfo s;
    s.index = i->index;
    s.name = QString::fromUtf8(i->name);
    s.description = QString::fromUtf8(i->description ? i->description : i->name);
    s.monitorSource = QString::fromUtf8(i->monitor_source_name ? i->monitor_source_name : "");
    s.channels = i->sample_spec.channels;
    s.sampleRate = i->sample_spec.rate;
    s.bitsPerSample = int(pa_sample_size(&i->sample_spec)) * 8;
    s.floatSamples = i->sample_spec.format == PA_SAMPLE_FLOAT32LE || i->sample_spec.format == PA_SAMPLE_FLOAT32BE;
    return s;
}

struct SinkQuery {
    pa_threaded_mainloop* loop;
    std::vector<SoundSinkInfo> sinks;
    std::vector<VolumeState> volumes;
};

void sinkListCallback(pa_context*, const pa_sink_info* i, int eol, void* data)
{
    auto* q = static_cast<SinkQuery*>(data);
    if (eol == 0 && i) {
        q->sinks.push_back(toSinkInfo(i));
        q->volumes.push_back({toFloat(i->volume), i->mute != 0});
    }
    pa_threaded_mainloop_signal(q->loop, 0);
}

struct StreamQuery {
    pa_threaded_mainloop* loop;
    std::vector<uint32_t> indexes;
    std::vector<VolumeState> volumes;
    std::vector<int> channels;
    bool onlyOwn = true;
};

void streamListCallback(pa_context*, const pa_sink_input_info* i, int eol, void* data)
{
    auto* q = static_cast<StreamQuery*>(data);
    if (eol == 0 && i && (!q->onlyOwn || isOwnStream(i->proplist))) {
        q->indexes.push_back(i->index);
        q->volumes.push_back({toFloat(i->volume), i->mute != 0});
        q->channels.push_back(i->volume.channels);
    }
    pa_threaded_mainloop_signal(q->loop, 0);
}

struct ServerQuery {
    pa_threaded_mainloop* loop;
    QString defaultSink;
};

void serverInfoCallback(pa_context*, const pa_server_info* i, void* data)
{
    auto* q = static_cast<ServerQuery*>(data);
    if (i && i->default_sink_name)
        q->defaultSink = QString::fromUtf8(i->default_sink_name);
    pa_threaded_mainloop_signal(q->loop, 0);
}

struct Success {
    pa_threaded_mainloop* loop;
    bool ok = false;
};

void successCallback(pa_context*, int success, void* data)
{
    auto* s = static_cast<Success*>(data);
    s->ok = success != 0;
    pa_threaded_mainloop_signal(s->loop, 0);
}

} // namespace

VolumeControl::VolumeControl(QObject* parent)
    : QObject(parent)
    , retry_(new Timer(RetryIntervalMs, false, this))
{
    retry_->OnTimer = [this] { tryReconnect(); };
}

VolumeControl::~VolumeControl() { disconnectFromServer(); }

// On the library's thread with its lock held.
void VolumeControl::contextStateCallback(pa_context* c, void* self)
{
    auto* me = static_cast<VolumeControl*>(self);
    const pa_context_state_t st = pa_context_get_state(c);
    if (c == me->context_) {
        if (!PA_CONTEXT_IS_GOOD(st) && !me->lostPosted_) {
            me->lostPosted_ = true;
            QMetaObject::invokeMethod(me, [me] { me->handleServerLost(); }, Qt::QueuedConnection);
        }
    } else if (c == me->pending_ && (st == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(st))) {
        const unsigned attempt = me->attempt_;
        const bool ready = st == PA_CONTEXT_READY;
        QMetaObject::invokeMethod(me, [me, attempt, ready] { me->handleAttempt(attempt, ready); }, Qt::QueuedConnection);
    }
    // Wakes a blocking connect or query, which then sees the new state.
    pa_threaded_mainloop_signal(me->loop_, 0);
}

bool VolumeControl::startLoop()
{
    if (loop_)
        return true;
    loop_ = pa_threaded_mainloop_new();
    if (loop_ && pa_threaded_mainloop_start(loop_) >= 0)
        return true;
    if (loop_)
        pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    return false;
}

// With the lock held.
pa_context* VolumeControl::newContext()
{
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Vornix volume control");
    pa_context* c = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Vornix", props);
    pa_proplist_free(props);
    if (c)
        pa_context_set_state_callback(c, &VolumeControl::contextStateCallback, this);
    return c;
}

// With the lock held, for the context just made ready.
void VolumeControl::subscribe()
{
    pa_context_set_subscribe_callback(
        context_, [](pa_context* ctx, pa_subscription_event_type_t t, uint32_t idx, void* self) { subscribeCallback(ctx, int(t), idx, self); },
        this);
    pa_operation* op = pa_context_subscribe(
        context_, pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SINK_INPUT | PA_SUBSCRIPTION_MASK_SERVER),
        nullptr, nullptr);
    if (op)
        pa_operation_unref(op);
}

void VolumeControl::dropContext(pa_context* c)
{
    pa_context_set_subscribe_callback(c, nullptr, nullptr);
    pa_context_set_state_callback(c, nullptr, nullptr);
    pa_context_disconnect(c);
    pa_context_unref(c);
}

bool VolumeControl::connectToServer()
{
    if (context_)
        return true;
    if (!startLoop()) {
        lastError_ = QStringLiteral("cannot start the sound server client");
        return false;
    }
    bool ok = false;
    {
        LoopLock lock(loop_);
        pa_context* c = newContext();
        if (c) {
            if (pa_context_connect(c, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
                for (;;) {
                    const pa_context_state_t st = pa_context_get_state(c);
                    if (st == PA_CONTEXT_READY) {
                        ok = true;
                        break;
                    }
                    if (!PA_CONTEXT_IS_GOOD(st))
                        break;
                    pa_threaded_mainloop_wait(loop_);
                }
            }
            if (!ok) {
                lastError_ = QString::fromUtf8(pa_strerror(pa_context_errno(c)));
                dropContext(c);
            } else {
                context_ = c;
                lostPosted_ = false;
                subscribe();
            }
        } else {
            lastError_ = QStringLiteral("cannot create the sound server context");
        }
    }
    if (!ok) {
        // The sound server may not be up yet: it is looked for again in the background.
        retry_->start();
        return false;
    }
    // Learn the sinks and our streams, so removals can be told by name.
    sinks();
    ownStreams();
    return true;
}

void VolumeControl::tryReconnect()
{
    if (context_ || !loop_)
        return;
    LoopLock lock(loop_);
    // An attempt that has not come to a result since the last tick has hung: start afresh.
    if (pending_) {
        dropContext(pending_);
        pending_ = nullptr;
    }
    pa_context* c = newContext();
    if (!c)
        return;
    ++attempt_;
    pending_ = c;
    // Returns at once: a local socket connects or fails straight away, and the handshake
    // that follows is reported through the state callback.
    if (pa_context_connect(c, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && pending_ == c) {
        dropContext(c);
        pending_ = nullptr;
    }
}

void VolumeControl::handleAttempt(unsigned attempt, bool ready)
{
    if (!loop_)
        return;
    {
        LoopLock lock(loop_);
        if (attempt != attempt_ || !pending_ || context_)
            return;
        if (!ready) {
            dropContext(pending_);
            pending_ = nullptr;
            return; // the timer tries again
        }
        context_ = pending_;
        pending_ = nullptr;
        lostPosted_ = false;
        subscribe();
    }
    retry_->stop();
    lastError_.clear();
    sinks();
    ownStreams();
    if (onServerBack)
        onServerBack();
}

void VolumeControl::handleServerLost()
{
    if (!context_)
        return;
    {
        LoopLock lock(loop_);
        stopPeak(sinkPeakStream_);
        stopPeak(streamPeakStream_);
        dropContext(context_);
        context_ = nullptr;
        sinkNames_.clear();
        ownStreams_.clear();
    }
    sinkPeak_.store(0.0f);
    streamPeak_.store(0.0f);
    lastError_ = QStringLiteral("the connection to the sound server was lost");
    retry_->start();
    if (onServerLost)
        onServerLost();
}

void VolumeControl::disconnectFromServer()
{
    retry_->stop();
    if (loop_) {
        {
            LoopLock lock(loop_);
            stopPeak(sinkPeakStream_);
            stopPeak(streamPeakStream_);
            if (context_) {
                dropContext(context_);
                context_ = nullptr;
            }
            if (pending_) {
                dropContext(pending_);
                pending_ = nullptr;
            }
        }
        // Joins the library's thread: no callback runs after this.
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

// Called with the lock held; waits (releasing it) until the operation has finished.  A
// connection that breaks meanwhile ends the wait: its operations are never answered.
bool VolumeControl::waitFor(pa_operation* op)
{
    if (!op)
        return false;
    while (pa_operation_get_state(op) == PA_OPERATION_RUNNING) {
        if (!context_ || !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) {
            pa_operation_cancel(op);
            break;
        }
        pa_threaded_mainloop_wait(loop_);
    }
    const bool done = pa_operation_get_state(op) == PA_OPERATION_DONE;
    pa_operation_unref(op);
    return done;
}

std::vector<SoundSinkInfo> VolumeControl::sinks()
{
    if (!context_)
        return {};
    LoopLock lock(loop_);
    SinkQuery q{loop_, {}, {}};
    if (!waitFor(pa_context_get_sink_info_list(context_, &sinkListCallback, &q)))
        return {};
    sinkNames_.clear();
    for (const auto& s : q.sinks)
        sinkNames_.emplace_back(s.index, s.name);
    return q.sinks;
}

QString VolumeControl::defaultSinkName()
{
    if (!context_)
        return {};
    LoopLock lock(loop_);
    ServerQuery q{loop_, {}};
    waitFor(pa_context_get_server_info(context_, &serverInfoCallback, &q));
    return q.defaultSink;
}

std::optional<VolumeState> VolumeControl::sinkVolume(const QString& sink)
{
    if (!context_)
        return std::nullopt;
    LoopLock lock(loop_);
    SinkQuery q{loop_, {}, {}};
    const QByteArray name = sink.toUtf8();
    if (!waitFor(pa_context_get_sink_info_by_name(context_, name.constData(), &sinkListCallback, &q)) || q.volumes.empty())
        return std::nullopt;
    return q.volumes.front();
}

bool VolumeControl::setSinkVolume(const QString& sink, float volume)
{
    if (!context_)
        return false;
    LoopLock lock(loop_);
    SinkQuery q{loop_, {}, {}};
    const QByteArray name = sink.toUtf8();
    if (!waitFor(pa_context_get_sink_info_by_name(context_, name.constData(), &sinkListCallback, &q)) || q.sinks.empty())
        return false;
    pa_cvolume cv;
    pa_cvolume_set(&cv, unsigned(q.sinks.front().channels), fromFloat(volume));
    Success s{loop_};
    waitFor(pa_context_set_sink_volume_by_name(context_, name.constData(), &cv, &successCallback, &s));
    return s.ok;
}

bool VolumeControl::setSinkMute(const QString& sink, bool muted)
{
    if (!context_)
        return false;
    LoopLock lock(loop_);
    Success s{loop_};
    const QByteArray name = sink.toUtf8();
    waitFor(pa_context_set_sink_mute_by_name(context_, name.constData(), muted ? 1 : 0, &successCallback, &s));
    return s.ok;
}

std::vector<uint32_t> VolumeControl::ownStreams()
{
    if (!context_)
        return {};
    LoopLock lock(loop_);
    StreamQuery q{loop_, {}, {}, {}, true};
    if (!waitFor(pa_context_get_sink_input_info_list(context_, &streamListCallback, &q)))
        return {};
    ownStreams_ = q.indexes;
    return q.indexes;
}

std::optional<VolumeState> VolumeControl::streamVolume(uint32_t stream)
{
    if (!context_)
        return std::nullopt;
    LoopLock lock(loop_);
    StreamQuery q{loop_, {}, {}, {}, false};
    if (!waitFor(pa_context_get_sink_input_info(context_, stream, &streamListCallback, &q)) || q.volumes.empty())
        return std::nullopt;
    return q.volumes.front();
}

bool VolumeControl::setStreamVolume(uint32_t stream, float volume)
{
    if (!context_)
        return false;
    LoopLock lock(loop_);
    StreamQuery q{loop_, {}, {}, {}, false};
    if (!waitFor(pa_context_get_sink_input_info(context_, stream, &streamListCallback, &q)) || q.channels.empty())
        return false;
    pa_cvolume cv;
    pa_cvolume_set(&cv, unsigned(std::max(1, q.channels.front())), fromFloat(volume));
    Success s{loop_};
    waitFor(pa_context_set_sink_input_volume(context_, stream, &cv, &successCallback, &s));
    return s.ok;
}

bool VolumeControl::setStreamMute(uint32_t stream, bool muted)
{
    if (!context_)
        return false;
    LoopLock lock(loop_);
    Success s{loop_};
    waitFor(pa_context_set_sink_input_mute(context_, stream, muted ? 1 : 0, &successCallback, &s));
    return s.ok;
}

// --- notifications ----------------------------------------------------------------------------

void VolumeControl::subscribeCallback(pa_context*, int type, uint32_t index, void* self)
{
    static_cast<VolumeControl*>(self)->handleEvent(unsigned(type), index);
}

// Runs on the library's thread with its lock held: look the new values up, then post them.
void VolumeControl::handleEvent(unsigned type, uint32_t index)
{
    const unsigned facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const unsigned kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;

    if (facility == PA_SUBSCRIPTION_EVENT_SINK) {
        if (kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
            auto it = std::find_if(sinkNames_.begin(), sinkNames_.end(), [index](const auto& p) { return p.first == index; });
            if (it == sinkNames_.end())
                return;
            const QString name = it->second;
            sinkNames_.erase(it);
            QMetaObject::invokeMethod(this, [this, index, name] {
                if (onSinkRemoved)
                    onSinkRemoved(index, name);
            }, Qt::QueuedConnection);
            return;
        }
        const bool added = kind == PA_SUBSCRIPTION_EVENT_NEW;
        struct Ctx {
            VolumeControl* self;
            bool added;
        };
        auto* ctx = new Ctx{this, added};
        pa_operation* op = pa_context_get_sink_info_by_index(
            context_, index,
            [](pa_context*, const pa_sink_info* i, int eol, void* data) {
                auto* c = static_cast<Ctx*>(data);
                if (eol != 0 || !i) {
                    if (eol != 0)
                        delete c;
                    return;
                }
                VolumeControl* self = c->self;
                const uint32_t idx = i->index;
                const QString name = QString::fromUtf8(i->name);
                const VolumeState st{toFloat(i->volume), i->mute != 0};
                if (c->added) {
                    if (std::none_of(self->sinkNames_.begin(), self->sinkNames_.end(), [idx](const auto& p) { return p.first == idx; }))
                        self->sinkNames_.emplace_back(idx, name);
                    QMetaObject::invokeMethod(self, [self, idx, name] {
                        if (self->onSinkAdded)
                            self->onSinkAdded(idx, name);
                    }, Qt::QueuedConnection);
                } else {
                    QMetaObject::invokeMethod(self, [self, name, st] {
                        if (self->onSinkVolume)
                            self->onSinkVolume(name, st);
                    }, Qt::QueuedConnection);
                }
            },
            ctx);
        if (op)
            pa_operation_unref(op);
        else
            delete ctx;
        return;
    }

    if (facility == PA_SUBSCRIPTION_EVENT_SINK_INPUT) {
        if (kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
            auto it = std::find(ownStreams_.begin(), ownStreams_.end(), index);
            if (it == ownStreams_.end())
                return;
            ownStreams_.erase(it);
            QMetaObject::invokeMethod(this, [this, index] {
                if (onOwnStreamRemoved)
                    onOwnStreamRemoved(index);
            }, Qt::QueuedConnection);
            return;
        }
        pa_operation* op = pa_context_get_sink_input_info(
            context_, index,
            [](pa_context*, const pa_sink_input_info* i, int eol, void* data) {
                if (eol != 0 || !i || !isOwnStream(i->proplist))
                    return;
                auto* self = static_cast<VolumeControl*>(data);
                const uint32_t idx = i->index;
                const bool added = std::find(self->ownStreams_.begin(), self->ownStreams_.end(), idx) == self->ownStreams_.end();
                if (added)
                    self->ownStreams_.push_back(idx);
                const VolumeState st{toFloat(i->volume), i->mute != 0};
                QMetaObject::invokeMethod(self, [self, idx, st, added] {
                    if (self->onOwnStream)
                        self->onOwnStream(idx, st, added);
                }, Qt::QueuedConnection);
            },
            this);
        if (op)
            pa_operation_unref(op);
        return;
    }

    if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        pa_operation* op = pa_context_get_server_info(
            context_,
            [](pa_context*, const pa_server_info* i, void* data) {
                if (!i)
                    return;
                auto* self = static_cast<VolumeControl*>(data);
                const QString sink = QString::fromUtf8(i->default_sink_name ? i->default_sink_name : "");
                QMetaObject::invokeMethod(self, [self, sink] {
                    if (self->onDefaultSinkChanged)
                        self->onDefaultSinkChanged(sink);
                }, Qt::QueuedConnection);
            },
            this);
        if (op)
            pa_operation_unref(op);
    }
}

// --- peak meters ------------------------------------------------------------------------------

bool VolumeControl::startSinkPeak(const QString& sink)
{
    if (!context_)
        return false;
    QString monitor;
    for (const auto& s : sinks())
        if (s.name == sink)
            monitor = s.monitorSource;
    if (monitor.isEmpty())
        return false;
    LoopLock lock(loop_);
    sinkPeakStream_.value = &sinkPeak_;
    return startPeak(sinkPeakStream_, monitor, std::nullopt);
}

bool VolumeControl::startStreamPeak(uint32_t stream)
{
    if (!context_)
        return false;
    // The stream's sink decides which monitor to listen on.
    QString monitor;
    {
        LoopLock lock(loop_);
        struct Q {
            pa_threaded_mainloop* loop;
            uint32_t sink = PA_INVALID_INDEX;
        } q{loop_};
        waitFor(pa_context_get_sink_input_info(
            context_, stream,
            [](pa_context*, const pa_sink_input_info* i, int, void* data) {
                auto* q = static_cast<Q*>(data);
                if (i)
                    q->sink = i->sink;
                pa_threaded_mainloop_signal(q->loop, 0);
            },
            &q));
        if (q.sink == PA_INVALID_INDEX)
            return false;
        SinkQuery sq{loop_, {}, {}};
        waitFor(pa_context_get_sink_info_by_index(context_, q.sink, &sinkListCallback, &sq));
        if (sq.sinks.empty())
            return false;
        monitor = sq.sinks.front().monitorSource;
    }
    LoopLock lock(loop_);
    streamPeakStream_.value = &streamPeak_;
    return startPeak(streamPeakStream_, monitor, stream);
}

// With the lock held.
bool VolumeControl::startPeak(Peak& peak, const QString& source, std::optional<uint32_t> stream)
{
    stopPeak(peak);
    peak.value->store(0.0f);
    pa_sample_spec ss;
    ss.format = PA_SAMPLE_FLOAT32NE;
    ss.channels = 1;
    ss.rate = 25;
    pa_stream* s = pa_stream_new(context_, "Peak meter", &ss, nullptr);
    if (!s)
        return false;
    if (stream)
        pa_stream_set_monitor_stream(s, *stream);
    pa_stream_set_read_callback(
        s,
        [](pa_stream* st, size_t, void* data) {
            auto* value = static_cast<std::atomic<float>*>(data);
            const void* p = nullptr;
            size_t n = 0;
            if (pa_stream_peek(st, &p, &n) < 0)
                return;
            if (p && n >= sizeof(float))
                value->store(std::clamp(static_cast<const float*>(p)[n / sizeof(float) - 1], 0.0f, 1.0f));
            if (n > 0)
                pa_stream_drop(st);
        },
        peak.value);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.fragsize = sizeof(float);
    const QByteArray name = source.toUtf8();
    if (pa_stream_connect_record(s, name.constData(), &attr,
                                 pa_stream_flags_t(PA_STREAM_DONT_MOVE | PA_STREAM_PEAK_DETECT | PA_STREAM_ADJUST_LATENCY)) < 0) {
        pa_stream_unref(s);
        return false;
    }
    peak.stream = s;
    return true;
}

// With the lock held.
void VolumeControl::stopPeak(Peak& peak)
{
    if (!peak.stream)
        return;
    pa_stream_set_read_callback(peak.stream, nullptr, nullptr);
    pa_stream_disconnect(peak.stream);
    pa_stream_unref(peak.stream);
    peak.stream = nullptr;
}

} // namespace vx
