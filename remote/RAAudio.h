#pragma once
// Capture and playback of one audio direction.  TRAWaveIn records into a ring of buffers and
// hands out a copy of each filled one; TRAWaveOut plays blocks, one header per block, and can
// drop blocks when too many are queued; TRAAudio is the component the audio modules place:
// one direction, owning its codec and one wave object.  Device notifications arrive through
// the callback router (TCallbackForm) on the GUI thread.

#include "platform/AudioDevice.h"
#include "remote/RACodec.h"
#include "remote/RATypes.h"

#include <QObject>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

using TACMBufferCount = uint8_t; // 2..64
using TBufferFullEvent = std::function<void(void* Data, int Size)>;

// Text of a device error code.
QString WaveErrorText(int Code);

class TRAWaveIn {
public:
    TRAWaveIn() = default;
    ~TRAWaveIn();
    TRAWaveIn(const TRAWaveIn&) = delete;
    TRAWaveIn& operator=(const TRAWaveIn&) = delete;

    uint32_t DeviceID() const { return FDeviceID; }
    void SetDeviceID(uint32_t Value) { FDeviceID = Value; }
    uint32_t BufferSize() const { return FBufferSize; }
    void SetBufferSize(uint32_t Value); // ignored while Active
    TACMBufferCount NumBuffers() const { return FNumBuffers; }
    void SetNumBuffers(TACMBufferCount Value); // 2..64; ignored while Active
    vx::WaveCallback* WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(vx::WaveCallback* Value) { FWindowHandle = Value; }
    // The open device, null when closed.
    const vx::WaveIn* Handle() const { return FDevice.isOpen() ? &FDevice : nullptr; }
    bool Active() const { return FActive; }
    int BufferCount() const { return int(FBuffers.size()); }

    TActiveEvent OnActive;
    TBufferFullEvent OnBufferFull;
    TExceptionEvent OnException;

    void Open(const TACMWaveFormat& AACMWaveFormat);
    void Close();

    void DoWaveInOpen() {}
    void DoWaveInBufferFull(vx::WaveHeader* Header);
    void DoWaveInClose() {}

private:
    bool Owns(const vx::WaveHeader* Header) const;
    void ReleaseBuffer(vx::WaveHeader* Header);
    void ReleaseAll();

    uint32_t FDeviceID = 0;
    uint32_t FBufferSize = 320;
    TACMBufferCount FNumBuffers = 4;
    vx::WaveCallback* FWindowHandle = nullptr;
    vx::WaveIn FDevice;
    bool FActive = false;
    bool FClosing = false;
    bool FDestroying = false;
    std::vector<std::unique_ptr<vx::WaveHeader>> FBuffers;
};

// Open, Play, Close and the done handling are serialised by one lock, so the audio server may
// play from its connection threads while the GUI thread opens and closes.
class TRAWaveOut {
public:
    TRAWaveOut() = default;
    ~TRAWaveOut();
    TRAWaveOut(const TRAWaveOut&) = delete;
    TRAWaveOut& operator=(const TRAWaveOut&) = delete;

    uint32_t DeviceID() const { return FDeviceID; }
    void SetDeviceID(uint32_t Value) { FDeviceID = Value; }
    uint16_t LimitOverrun() const { return FLimitOverrun; }
    void SetLimitOverrun(uint16_t Value) { FLimitOverrun = Value; }
    // Milliseconds of sound that may wait before the newest block; more is dropped, oldest
    // first, so that a burst of blocks does not stay as delay.  0 = no bound.  Taken at Open.
    uint16_t BufferLength() const { return FBufferLength; }
    void SetBufferLength(uint16_t Value) { FBufferLength = Value; }
    vx::WaveCallback* WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(vx::WaveCallback* Value) { FWindowHandle = Value; }
    bool Active() const { return FActive; }
    uint16_t BufferCount() const { return FBufferCount; }

    TActiveEvent OnActive;
    // An open failure, as text (reported here rather than in a modal box).
    TExceptionEvent OnException;

    void Open(const TACMWaveFormat& AACMWaveFormat);
    void Close();
    void Play(const void* Buffer, int Size);

    void DoWaveOutOpen();
    void DoWaveOutDone(vx::WaveHeader* Header);
    void DoWaveOutClose();

private:
    uint32_t FDeviceID = 0;
    uint16_t FLimitOverrun = 0;
    uint16_t FBufferLength = 0;
    vx::WaveCallback* FWindowHandle = nullptr;
    vx::WaveOut FDevice;
    std::atomic<bool> FActive{false};
    bool FClosing = false;
    std::atomic<uint16_t> FBufferCount{0};
    // Blocks handed to the device and not yet returned; freed when returned or at close.
    std::map<vx::WaveHeader*, std::unique_ptr<vx::WaveHeader>> FHeaders;
    std::recursive_mutex FLock;
};

class TRAAudio : public QObject {
public:
    explicit TRAAudio(QObject* parent = nullptr);
    ~TRAAudio() override;

    TAudioComponentType AudioComponent() const { return FAudioComponent; }
    void SetAudioComponent(TAudioComponentType Value) { FAudioComponent = Value; }
    TRACodec& Codec() { return FCodec; }
    const TRACodec& Codec() const { return FCodec; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    uint16_t LimitOverrun() const { return FLimitOverrun; }
    void SetLimitOverrun(uint16_t Value) { FLimitOverrun = Value; }
    vx::WaveCallback* WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(vx::WaveCallback* Value) { FWindowHandle = Value; }
    uint32_t BufferCount() const { return FRAWaveOut ? FRAWaveOut->BufferCount() : 0; }
    TRAWaveIn* RAWaveIn() const { return FRAWaveIn.get(); }
    TRAWaveOut* RAWaveOut() const { return FRAWaveOut.get(); }
    // True after an open failed, until the direction is closed: further opens do nothing.
    bool OpenFailed() const { return FOpenFailed; }

    TActiveEvent OnActive;
    TAudioDataEvent OnAudioData;
    TExceptionEvent OnException;

    // Creates the wave object that AudioComponent names.
    void Prepare();
    // Open and Close run on the GUI thread; called from another thread they are handed to it.
    void Open();
    void Close();
    // Any thread.
    void Play(const void* Buffer, int Size);
    // Folds a stereo PCM block onto one channel, in place.
    void ChannelMixer(void* Data, uint32_t Size, bool LeftChannel, bool RightChannel) const;

    void DoWaveInOpen() {}
    void DoWaveInBufferFull(vx::WaveHeader* Header);
    void DoWaveInClose() {}
    void DoWaveOutOpen();
    void DoWaveOutDone(vx::WaveHeader* Header);
    void DoWaveOutClose();

private:
    bool OnGuiThread() const;

    TAudioComponentType FAudioComponent = actNone;
    TRACodec FCodec;
    bool FEnabled = true;
    std::atomic<bool> FActive{false};
    uint16_t FLimitOverrun = 0;
    vx::WaveCallback* FWindowHandle = nullptr;
    bool FOpenFailed = false;
    std::atomic<bool> FOpenPending{false};
    std::unique_ptr<TRAWaveIn> FRAWaveIn;
    std::unique_ptr<TRAWaveOut> FRAWaveOut;
};
