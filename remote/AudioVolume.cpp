#include "remote/AudioVolume.h"

#include "core/RCTypes.h"
#include "platform/VolumeControl.h"

#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace {
constexpr float OwnChangeTolerance = 0.0001f;
constexpr uint16_t WaveFormatIeeeFloat = 3;

bool SameValues(const TVolMute& a, float Volume, bool Mute)
{
    return std::fabs(a.Volume - Volume) < 1e-6f && a.Muted == Mute;
}
} // namespace

TAudioVolume::TAudioVolume(QObject* parent)
    : QObject(parent)
    , FControl(std::make_unique<vx::VolumeControl>())
{
    FControl->onSinkVolume = [this](const QString& Sink, vx::VolumeState St) { HandleSinkVolume(Sink, St.volume, St.muted); };
    FControl->onSinkAdded = [this](uint32_t, const QString& Sink) {
        RebuildDeviceList();
        Fire(OnDeviceStateChange, Sink, DeviceStateAdded);
    };
    FControl->onSinkRemoved = [this](uint32_t, const QString& Sink) {
        RebuildDeviceList();
        Fire(OnDeviceStateChange, Sink, DeviceStateRemoved);
    };
    FControl->onDefaultSinkChanged = [this](const QString& Sink) { HandleDefaultSink(Sink); };
    FControl->onOwnStream = [this](uint32_t Stream, vx::VolumeState St, bool Added) {
        HandleOwnStream(Stream, St.volume, St.muted, Added);
    };
    FControl->onOwnStreamRemoved = [this](uint32_t Stream) { HandleOwnStreamRemoved(Stream); };
    FControl->onServerLost = [this] { HandleServerLost(); };
    FControl->onServerBack = [this] { HandleServerBack(); };

    if (!FControl->connectToServer()) {
        FLastError = QStringLiteral("Error: Unable to instantiate device enumerator");
        return;
    }
    TakeServerState();
}

TAudioVolume::~TAudioVolume() = default;

void TAudioVolume::TakeServerState()
{
    RebuildDeviceList();
    if (FDevices.empty()) {
        // Without a playback device there is nothing to control; the owner checks Ready.
        FLastError = QStringLiteral("Error: No device to be controlled");
        return;
    }
    const QString def = FControl->defaultSinkName();
    for (const auto& d : FDevices)
        if (d.DeviceId == def)
            FDefaultAudioDevice = d;
    FOwnStreams = FControl->ownStreams();
    if (!FOwnStreams.empty()) {
        if (FSessionSet) {
            for (uint32_t s : FOwnStreams)
                ApplySession(s);
        } else if (auto v = FControl->streamVolume(FOwnStreams.front())) {
            FSession = FSessionSeen = TVolMute{v->volume, v->muted};
        }
    }
    FLastError.clear();
    FReady = true;
}

void TAudioVolume::HandleServerLost()
{
    // Every device and stream went with the sound server: nothing may look controllable, and
    // no change is taken that could not be applied.
    const bool wasActive = !FOwnStreams.empty();
    const std::vector<TDeviceInfo> gone = std::move(FDevices);
    FDevices.clear();
    FOwnStreams.clear();
    FReady = false;
    FLastError = QStringLiteral("Error: The connection to the sound server was lost");
    FPeakMeter = false;
    FMasterPeakStarted = false;
    FMasterSeen.reset();
    MyVolSet = MyMuteSet = MyMasterVolSet = MyMasterMuteSet = false;
    for (const TDeviceInfo& d : gone)
        Fire(OnDeviceStateChange, d.DeviceId, DeviceStateRemoved);
    if (wasActive && !FSuppressEvent)
        Fire(OnSessionStateEvent, AudioSessionStateInactive);
}

void TAudioVolume::HandleServerBack()
{
    const QString previousDefault = FDefaultAudioDevice.DeviceId;
    TakeServerState();
    for (const TDeviceInfo& d : FDevices)
        Fire(OnDeviceStateChange, d.DeviceId, DeviceStateAdded);
    if (!FSelectedDevice.DeviceId.isEmpty())
        if (auto v = FControl->sinkVolume(FSelectedDevice.DeviceId))
            FMasterSeen = TVolMute{v->volume, v->muted};
    if (FReady && FDefaultAudioDevice.DeviceId != previousDefault) {
        TDeviceInfo info = FDefaultAudioDevice;
        Fire(OnDefaultDeviceChange, info);
    }
}

void TAudioVolume::RebuildDeviceList()
{
    FDevices.clear();
    for (const auto& s : FControl->sinks())
        FDevices.push_back({s.description, s.name});
}

bool TAudioVolume::SelectAudioDevice(uint32_t DeviceIndex)
{
    if (DeviceIndex >= FDevices.size())
        return false;
    const TDeviceInfo device = FDevices[DeviceIndex];
    if (device.DeviceId == FSelectedDevice.DeviceId)
        return false;
    for (const auto& s : FControl->sinks()) {
        if (s.name != device.DeviceId)
            continue;
        FDeviceMixFormat = vx::WaveFormatEx{};
        FDeviceMixFormat.wFormatTag = s.floatSamples ? WaveFormatIeeeFloat : vx::WaveFormatPcm;
        FDeviceMixFormat.nChannels = uint16_t(s.channels);
        FDeviceMixFormat.nSamplesPerSec = s.sampleRate;
        FDeviceMixFormat.wBitsPerSample = uint16_t(s.bitsPerSample);
        FDeviceMixFormat.nBlockAlign = uint16_t(s.channels * s.bitsPerSample / 8);
        FDeviceMixFormat.nAvgBytesPerSec = s.sampleRate * FDeviceMixFormat.nBlockAlign;
        FMasterChannels = uint32_t(s.channels);
    }
    FSelectedDevice = device;
    FMasterSeen.reset();
    if (auto v = FControl->sinkVolume(device.DeviceId))
        FMasterSeen = TVolMute{v->volume, v->muted};
    MyMasterVolSet = MyMasterMuteSet = false;
    FMasterPeakStarted = false;
    return true;
}

TDeviceInfo TAudioVolume::AudioDeviceInfo(uint32_t DeviceIndex) const
{
    return DeviceIndex < FDevices.size() ? FDevices[DeviceIndex] : TDeviceInfo{};
}

// --- this program's volume ---------------------------------------------------------------------

float TAudioVolume::GetVolume() const
{
    return FReady ? FSession.Volume : 0.0f;
}

bool TAudioVolume::IsMuted() const
{
    return FReady && FSession.Muted;
}

void TAudioVolume::SetVolume(float Value)
{
    if (!FReady || !(Value >= 0.0f && Value <= 1.0f))
        return;
    MyVolSet = true;
    MyVolVal = Value;
    FSession.Volume = Value;
    FSessionSet = true;
    for (uint32_t s : FOwnStreams)
        FControl->setStreamVolume(s, Value);
    // With nothing playing the program's volume is ours alone: notify as the sound server
    // would for a stream.
    if (FOwnStreams.empty())
        QMetaObject::invokeMethod(this, [this, v = FSession] { HandleSessionValues(v.Volume, v.Muted); }, Qt::QueuedConnection);
}

void TAudioVolume::SetMute(bool Value)
{
    if (!FReady)
        return;
    MyMuteSet = true;
    MyMuteVal = Value;
    FSession.Muted = Value;
    FSessionSet = true;
    for (uint32_t s : FOwnStreams)
        FControl->setStreamMute(s, Value);
    if (FOwnStreams.empty())
        QMetaObject::invokeMethod(this, [this, v = FSession] { HandleSessionValues(v.Volume, v.Muted); }, Qt::QueuedConnection);
}

void TAudioVolume::ApplySession(uint32_t Stream)
{
    FControl->setStreamVolume(Stream, FSession.Volume);
    FControl->setStreamMute(Stream, FSession.Muted);
}

void TAudioVolume::HandleOwnStream(uint32_t Stream, float Volume, bool Mute, bool Added)
{
    if (Added) {
        // A stream joining the program's playback takes the program's volume; that raises no
        // volume event, only the change of the session's state when it is the first.
        if (std::find(FOwnStreams.begin(), FOwnStreams.end(), Stream) == FOwnStreams.end())
            FOwnStreams.push_back(Stream);
        if (FSessionSet) {
            ApplySession(Stream);
        } else {
            FSession = FSessionSeen = TVolMute{Volume, Mute};
        }
        if (FOwnStreams.size() == 1 && !FSuppressEvent)
            Fire(OnSessionStateEvent, AudioSessionStateActive);
        return;
    }
    FSession = TVolMute{Volume, Mute};
    HandleSessionValues(Volume, Mute);
}

void TAudioVolume::HandleSessionValues(float Volume, bool Mute)
{
    if (SameValues(FSessionSeen, Volume, Mute))
        return;
    FSessionSeen = TVolMute{Volume, Mute};
    const bool byMe = MatchOwnChange(MyVolSet, MyVolVal, MyMuteSet, MyMuteVal, Volume, Mute);
    if (!FSuppressEvent)
        Fire(OnVolumeEvent, byMe, Volume, Mute);
}

void TAudioVolume::HandleOwnStreamRemoved(uint32_t Stream)
{
    auto it = std::find(FOwnStreams.begin(), FOwnStreams.end(), Stream);
    if (it == FOwnStreams.end())
        return;
    FOwnStreams.erase(it);
    if (FOwnStreams.empty()) {
        FPeakMeter = false;
        if (!FSuppressEvent)
            Fire(OnSessionStateEvent, AudioSessionStateInactive);
    }
}

bool TAudioVolume::MatchOwnChange(bool& VolSet, float VolVal, bool& MuteSet, bool MuteVal, float Volume, bool Mute)
{
    if (VolSet && std::fabs(VolVal - Volume) < OwnChangeTolerance) {
        VolSet = false;
        return true;
    }
    if (MuteSet && MuteVal == Mute) {
        MuteSet = false;
        return true;
    }
    return false;
}

// --- the selected device -----------------------------------------------------------------------

float TAudioVolume::GetMasterVolume() const
{
    if (FSelectedDevice.DeviceId.isEmpty())
        return 0.0f;
    const auto v = FControl->sinkVolume(FSelectedDevice.DeviceId);
    return v ? v->volume : 0.0f;
}

bool TAudioVolume::IsMasterMuted() const
{
    if (FSelectedDevice.DeviceId.isEmpty())
        return false;
    const auto v = FControl->sinkVolume(FSelectedDevice.DeviceId);
    return v && v->muted;
}

void TAudioVolume::SetMasterVolume(float Value)
{
    if (!FReady || FSelectedDevice.DeviceId.isEmpty() || !(Value >= 0.0f && Value <= 1.0f))
        return;
    MyMasterVolSet = true;
    MyMasterVolVal = Value;
    FControl->setSinkVolume(FSelectedDevice.DeviceId, Value);
}

void TAudioVolume::SetMasterMute(bool Value)
{
    if (!FReady || FSelectedDevice.DeviceId.isEmpty())
        return;
    MyMasterMuteSet = true;
    MyMasterMuteVal = Value;
    FControl->setSinkMute(FSelectedDevice.DeviceId, Value);
}

void TAudioVolume::HandleSinkVolume(const QString& Sink, float Volume, bool Mute)
{
    if (Sink != FSelectedDevice.DeviceId)
        return;
    if (FMasterSeen && SameValues(*FMasterSeen, Volume, Mute))
        return;
    FMasterSeen = TVolMute{Volume, Mute};
    const bool byMe = MatchOwnChange(MyMasterVolSet, MyMasterVolVal, MyMasterMuteSet, MyMasterMuteVal, Volume, Mute);
    if (!FSuppressEvent)
        Fire(OnMasterVolumeEvent, byMe, Volume, Mute);
}

float TAudioVolume::GetMasterPeak() const
{
    if (FSelectedDevice.DeviceId.isEmpty())
        return 0.0f;
    // The meter runs from the first reading on: it costs a (tiny) capture stream.
    if (!FMasterPeakStarted)
        FMasterPeakStarted = FControl->startSinkPeak(FSelectedDevice.DeviceId);
    return FMasterPeakStarted ? FControl->sinkPeak() : 0.0f;
}

bool TAudioVolume::SetupPeakMeter()
{
    FPeakMeter = false;
    for (uint32_t s : FOwnStreams)
        if (FControl->startStreamPeak(s)) {
            FPeakMeter = true;
            break;
        }
    return FPeakMeter;
}

float TAudioVolume::GetPeak() const
{
    return FPeakMeter ? FControl->streamPeak() : 0.0f;
}

// --- the default device ------------------------------------------------------------------------

void TAudioVolume::HandleDefaultSink(const QString& Sink)
{
    if (Sink.isEmpty() || Sink == FDefaultAudioDevice.DeviceId)
        return;
    auto find = [this, &Sink]() -> const TDeviceInfo* {
        for (const auto& d : FDevices)
            if (d.DeviceId == Sink)
                return &d;
        return nullptr;
    };
    if (!find())
        RebuildDeviceList();
    const TDeviceInfo* d = find();
    FDefaultAudioDevice = d ? *d : TDeviceInfo{Sink, Sink};
    TDeviceInfo info = FDefaultAudioDevice;
    Fire(OnDefaultDeviceChange, info);
}
