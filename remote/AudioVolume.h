#pragma once
// Volume and mute of sound playback on this computer: the list of playback devices, the
// selected device's master volume, mute and peak, this program's own volume (its playback
// streams), and notifications of volume, device and default-device changes.  All events are
// raised on the thread that created the component (the GUI thread).

#include "platform/AudioDevice.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vx {
class VolumeControl;
}

struct TDeviceInfo {
    QString DeviceName;
    QString DeviceId;
};

struct TVolMute {
    float Volume = 0.0f;
    bool Muted = false;
};

using TOnVolumeEvent = std::function<void(bool ByMyAction, float Volume, bool Mute)>;
using TOnSessionStateEvent = std::function<void(int NewState)>;
using TOnDeviceStateChange = std::function<void(const QString& DeviceId, uint32_t NewDeviceState)>;
using TOnDefaultDeviceChange = std::function<void(TDeviceInfo& NewDefaultDevice)>;

// Device state values of OnDeviceStateChange for an added and a removed device.
constexpr uint32_t DeviceStateAdded = 0x80000000u;
constexpr uint32_t DeviceStateRemoved = 0x80000001u;
// Session states of OnSessionStateEvent.
constexpr int AudioSessionStateInactive = 0;
constexpr int AudioSessionStateActive = 1;

class TAudioVolume : public QObject {
public:
    // Sets itself up completely; Ready tells whether that worked (LastError says why not).
    // When the connection to the sound server is lost, Ready turns false and every device is
    // reported removed; when the server is back (or first appears), the devices are reported
    // added and Ready turns true again.
    explicit TAudioVolume(QObject* parent = nullptr);
    ~TAudioVolume() override;

    bool Ready() const { return FReady; }
    // The legacy mixer interface does not exist here.
    bool WindowXPMode() const { return false; }
    uint32_t AudioDeviceCount() const { return uint32_t(FDevices.size()); }
    TDeviceInfo DefaultAudioDevice() const { return FDefaultAudioDevice; }
    TDeviceInfo SelectedDevice() const { return FSelectedDevice; }
    vx::WaveFormatEx DeviceMixFormat() const { return FDeviceMixFormat; }
    uint32_t MasterChannels() const { return FMasterChannels; }
    bool SuppressEvent() const { return FSuppressEvent; }
    void SetSuppressEvent(bool Value) { FSuppressEvent = Value; }
    // Why the set-up failed, in the texts of the failures ("" when Ready).
    QString LastError() const { return FLastError; }

    TOnVolumeEvent OnMasterVolumeEvent;
    TOnVolumeEvent OnVolumeEvent;
    TOnSessionStateEvent OnSessionStateEvent;
    TOnDeviceStateChange OnDeviceStateChange;
    TOnDefaultDeviceChange OnDefaultDeviceChange;

    // False when the index is outside the list or names the device already selected.
    bool SelectAudioDevice(uint32_t DeviceIndex);
    TDeviceInfo AudioDeviceInfo(uint32_t DeviceIndex) const;

    // This program's own volume and mute.
    float GetVolume() const;
    void SetVolume(float Value); // values outside 0.0 to 1.0 are ignored
    bool IsMuted() const;
    void SetMute(bool Value);

    // The selected device.
    float GetMasterVolume() const;
    void SetMasterVolume(float Value); // values outside 0.0 to 1.0 are ignored
    bool IsMasterMuted() const;
    void SetMasterMute(bool Value);
    float GetMasterPeak() const;

    // Peak of this program's playback; false when it has none playing.
    bool SetupPeakMeter();
    float GetPeak() const;

private:
    // Device list, default device and own streams from a fresh connection; Ready when there
    // is a device to control.
    void TakeServerState();
    void HandleServerLost();
    void HandleServerBack();
    void RebuildDeviceList();
    // Whether a notified value is the echo of an own change; a matched change is cleared.
    static bool MatchOwnChange(bool& VolSet, float VolVal, bool& MuteSet, bool MuteVal, float Volume, bool Mute);
    void ApplySession(uint32_t Stream);
    void HandleSinkVolume(const QString& Sink, float Volume, bool Mute);
    void HandleOwnStream(uint32_t Stream, float Volume, bool Mute, bool Added);
    void HandleOwnStreamRemoved(uint32_t Stream);
    void HandleDefaultSink(const QString& Sink);

    std::unique_ptr<vx::VolumeControl> FControl;
    bool FReady = false;
    QString FLastError;
    std::vector<TDeviceInfo> FDevices;
    TDeviceInfo FDefaultAudioDevice;
    TDeviceInfo FSelectedDevice;
    vx::WaveFormatEx FDeviceMixFormat{};
    uint32_t FMasterChannels = 0;
    bool FSuppressEvent = false;

    void HandleSessionValues(float Volume, bool Mute);

    // Last values notified, so that other changes of a device (its state) raise no event.
    std::optional<TVolMute> FMasterSeen;
    TVolMute FSessionSeen{1.0f, false};
    // This program's volume: kept for streams that start later, once the program has set it.
    TVolMute FSession{1.0f, false};
    bool FSessionSet = false;
    std::vector<uint32_t> FOwnStreams;
    bool FPeakMeter = false;
    mutable bool FMasterPeakStarted = false;
    // The last own change of this program's volume, by which its echo is recognised, and the
    // same for the master volume (whose notifications carry no sender either).
    bool MyVolSet = false;
    float MyVolVal = 0.0f;
    bool MyMuteSet = false;
    bool MyMuteVal = false;
    bool MyMasterVolSet = false;
    float MyMasterVolVal = 0.0f;
    bool MyMasterMuteSet = false;
    bool MyMasterMuteVal = false;
};
