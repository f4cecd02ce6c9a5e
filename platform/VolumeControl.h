#pragma once
// The sound server's playback devices and volumes: the list of sinks, the default sink, a
// sink's volume and mute, this process's own playback streams, peak meters, and change
// notifications.  Over libpulse; its callbacks run on the library's own thread and only post,
// so every handler here runs on the thread this object lives on.  Queries and setters wait
// for the sound server's answer (a local round trip); none is on an audio data path.
//
// The sound server may go away (it restarts on its own) or not be there yet: the loss is
// reported, and from then on, or from a first connect that failed, a new connection is tried
// every few seconds without waiting for it; its success is reported too.

#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_operation;

namespace vx {

struct SoundSinkInfo {
    uint32_t index = 0;
    QString name;        // the sink's identifier
    QString description; // the name shown to people
    QString monitorSource;
    int channels = 0;
    uint32_t sampleRate = 0;
    int bitsPerSample = 0;
    bool floatSamples = false;
};

// Volume 0.0 to 1.0 as the sound server's volume controls show it (1.0 = 100 %).
struct VolumeState {
    float volume = 0.0f;
    bool muted = false;
};

class VolumeControl : public QObject {
public:
    explicit VolumeControl(QObject* parent = nullptr);
    ~VolumeControl() override;

    // How often a new connection is tried while there is none.
    static constexpr int RetryIntervalMs = 3000;

    // False, with lastError(), when no sound server answers; never starts one.  Connections
    // are then tried again in the background (onServerBack).
    bool connectToServer();
    bool isConnected() const { return context_ != nullptr; }
    QString lastError() const { return lastError_; }

    std::vector<SoundSinkInfo> sinks();
    QString defaultSinkName();
    std::optional<VolumeState> sinkVolume(const QString& sink);
    bool setSinkVolume(const QString& sink, float volume);
    bool setSinkMute(const QString& sink, bool muted);

    // Playback streams of this process.
    std::vector<uint32_t> ownStreams();
    std::optional<VolumeState> streamVolume(uint32_t stream);
    bool setStreamVolume(uint32_t stream, float volume);
    bool setStreamMute(uint32_t stream, bool muted);

    // Peak meters: a low-rate capture with the server's peak detection.  The value is the
    // highest sample level of the last interval, 0.0 until the first one arrives.
    bool startSinkPeak(const QString& sink);
    float sinkPeak() const { return sinkPeak_.load(); }
    bool startStreamPeak(uint32_t stream);
    float streamPeak() const { return streamPeak_.load(); }

    std::function<void(const QString& sink, VolumeState state)> onSinkVolume;
    std::function<void(uint32_t index, const QString& sink)> onSinkAdded;
    std::function<void(uint32_t index, const QString& sink)> onSinkRemoved;
    std::function<void(const QString& defaultSink)> onDefaultSinkChanged;
    std::function<void(uint32_t stream, VolumeState state, bool added)> onOwnStream;
    std::function<void(uint32_t stream)> onOwnStreamRemoved;
    // The connection to the sound server broke (every sink and stream is gone with it), and a
    // new connection is ready.
    std::function<void()> onServerLost;
    std::function<void()> onServerBack;

private:
    struct Peak;
    bool startLoop();
    pa_context* newContext();
    void subscribe();
    // With the lock held: detaches and frees a context.
    static void dropContext(pa_context* c);
    void disconnectFromServer();
    void tryReconnect();
    void handleServerLost();
    void handleAttempt(unsigned attempt, bool ready);
    bool waitFor(pa_operation* op);
    void handleEvent(unsigned type, uint32_t index);
    bool startPeak(Peak& peak, const QString& source, std::optional<uint32_t> stream);
    void stopPeak(Peak& peak);

    static void contextStateCallback(pa_context* c, void* self);
    static void subscribeCallback(pa_context* c, int type, uint32_t index, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    // A connection being made in the background, and the number of that attempt (so a late
    // report of an earlier attempt is told apart); both under the library's lock.
    pa_context* pending_ = nullptr;
    unsigned attempt_ = 0;
    bool lostPosted_ = false;
    Timer* retry_ = nullptr;
    QString lastError_;
    // Kept on the library's thread (under its lock): names of known sinks by index, so a
    // removal can be reported by name, and the indexes of our own streams.
    std::vector<std::pair<uint32_t, QString>> sinkNames_;
    std::vector<uint32_t> ownStreams_;
    std::atomic<float> sinkPeak_{0.0f};
    std::atomic<float> streamPeak_{0.0f};
    struct Peak {
        pa_stream* stream = nullptr;
        std::atomic<float>* value = nullptr;
    };
    Peak sinkPeakStream_;
    Peak streamPeakStream_;
};

} // namespace vx
