#include "remote/RAAudio.h"

#include "core/RCTypes.h"

#include <QMetaObject>
#include <QThread>
#include <algorithm>
#include <cstring>

QString WaveErrorText(int Code)
{
    switch (Code) {
    case 2:
        return QStringLiteral("The specified resource does not exist.");
    case 4:
        return QStringLiteral("The specified resource is already in use.");
    case 5:
        return QStringLiteral("The specified handle is invalid.");
    case 6:
        return QStringLiteral("A suitable driver is not available to provide valid format selections.");
    case 7:
        return QStringLiteral("The system is unable to allocate resources.");
    case 10:
        return QStringLiteral("At least one flag is invalid.");
    case 11:
        return QStringLiteral("At least one parameter is invalid.");
    case 32:
        return QStringLiteral("Unsupported audio format.");
    case 35:
        return QStringLiteral("The specified device does not support asynchronous operation.");
    case 512:
        return QStringLiteral("The requested operation cannot be performed.");
    case 513:
        return QStringLiteral("The conversion stream is already in use.");
    case 514:
        return QStringLiteral("Cannot perform this action on a header that has not been prepared.");
    default:
        return QStringLiteral("Unknown error raised (code #%1)").arg(Code);
    }
}

// --- TRAWaveIn ---------------------------------------------------------------------------------

TRAWaveIn::~TRAWaveIn()
{
    FDestroying = true;
    if (FActive)
        Close();
}

void TRAWaveIn::SetBufferSize(uint32_t Value)
{
    if (!FActive)
        FBufferSize = Value;
}

void TRAWaveIn::SetNumBuffers(TACMBufferCount Value)
{
    if (!FActive)
        FNumBuffers = std::clamp<TACMBufferCount>(Value, 2, 64);
}

void TRAWaveIn::Open(const TACMWaveFormat& AACMWaveFormat)
{
    if (FActive)
        return;
    int result = vx::WaveIn::query(FDeviceID, AACMWaveFormat.wfx);
    if (result == vx::WaveResult::Ok)
        result = FDevice.open(FDeviceID, AACMWaveFormat.wfx, FWindowHandle);
    if (result != vx::WaveResult::Ok) {
        Fire(OnException, QStringLiteral("Cannot open Audio Input Device!\n\r") + WaveErrorText(result));
        return;
    }
    for (int i = 0; i < FNumBuffers; ++i) {
        auto header = std::make_unique<vx::WaveHeader>();
        header->data.assign(FBufferSize, 0);
        header->bufferLength = FBufferSize;
        FDevice.addBuffer(header.get());
        FBuffers.push_back(std::move(header));
    }
    result = FDevice.start();
    if (result != vx::WaveResult::Ok) {
        Fire(OnException, QStringLiteral("Cannot start Audio Input Device! \n\r") + WaveErrorText(result));
        // A device left open here could never be opened again: give it back at once.
        FDevice.close();
        ReleaseAll();
        FActive = false;
    } else {
        FActive = true;
    }
    Fire(OnActive, FActive);
}

void TRAWaveIn::Close()
{
    if (!FActive || FClosing)
        return;
    FClosing = true;
    if (FDevice.isOpen()) {
        FDevice.reset();
        FDevice.close();
    }
    ReleaseAll();
    FActive = false;
    Fire(OnActive, false);
    FClosing = false;
}

bool TRAWaveIn::Owns(const vx::WaveHeader* Header) const
{
    return std::any_of(FBuffers.begin(), FBuffers.end(), [Header](const auto& b) { return b.get() == Header; });
}

void TRAWaveIn::DoWaveInBufferFull(vx::WaveHeader* Header)
{
    // Only buffers of our own ring: a notification routed here for another device's buffer
    // changes nothing.
    if (!Header || !Owns(Header))
        return;
    if (FActive && !FClosing) {
        if (OnBufferFull && Header->bytesRecorded > 0) {
            const uint32_t n = std::min<uint32_t>(Header->bytesRecorded, uint32_t(Header->data.size()));
            std::vector<char> copy(Header->data.begin(), Header->data.begin() + n);
            OnBufferFull(copy.data(), int(n));
        }
        // The handler may have closed capture; then the buffer is already gone.
        if (!FActive || !Owns(Header))
            return;
        Header->bufferLength = FBufferSize;
        Header->data.assign(FBufferSize, 0);
        Header->bytesRecorded = 0;
        Header->user = 0;
        Header->flags = 0;
        Header->loops = 0;
        FDevice.addBuffer(Header);
        return;
    }
    if (!FDestroying)
        ReleaseBuffer(Header);
}

void TRAWaveIn::ReleaseBuffer(vx::WaveHeader* Header)
{
    auto it = std::find_if(FBuffers.begin(), FBuffers.end(), [Header](const auto& b) { return b.get() == Header; });
    if (it != FBuffers.end())
        FBuffers.erase(it);
}

void TRAWaveIn::ReleaseAll()
{
    while (!FBuffers.empty())
        FBuffers.pop_back();
}

// --- TRAWaveOut --------------------------------------------------------------------------------

TRAWaveOut::~TRAWaveOut()
{
    if (FActive)
        Close();
}

void TRAWaveOut::Open(const TACMWaveFormat& AACMWaveFormat)
{
    std::lock_guard lock(FLock);
    // Closed, but its close notification has not come back (it may have been routed
    // elsewhere after a change of role): the device is gone, so this is closed.
    if (FClosing && !FDevice.isOpen())
        FActive = false;
    if (FActive)
        return;
    FBufferCount = 0;
    FClosing = false;
    FDevice.setBufferLength(FBufferLength);
    int result = vx::WaveOut::query(FDeviceID, AACMWaveFormat.wfx);
    if (result == vx::WaveResult::Ok)
        result = FDevice.open(FDeviceID, AACMWaveFormat.wfx, FWindowHandle);
    if (result != vx::WaveResult::Ok) {
        Fire(OnException, QStringLiteral("Cannot open Audio Output Device!\n\r") + WaveErrorText(result));
        return;
    }
    FActive = true;
}

void TRAWaveOut::Close()
{
    std::lock_guard lock(FLock);
    if (!FActive)
        return;
    FClosing = true;
    FBufferCount = 0;
    FDevice.reset();
    FDevice.close();
    // The device holds none of them any more.
    FHeaders.clear();
}

void TRAWaveOut::Play(const void* Buffer, int Size)
{
    std::lock_guard lock(FLock);
    if (Size <= 0 || !Buffer || !FActive || FClosing || !FDevice.isOpen())
        return;
    if (FLimitOverrun > 0 && FBufferCount > FLimitOverrun)
        return;
    ++FBufferCount;
    auto header = std::make_unique<vx::WaveHeader>();
    const auto* bytes = static_cast<const char*>(Buffer);
    header->data.assign(bytes, bytes + Size);
    header->bufferLength = uint32_t(Size);
    header->loops = 1;
    vx::WaveHeader* raw = header.get();
    FHeaders.emplace(raw, std::move(header));
    FDevice.write(raw);
}

void TRAWaveOut::DoWaveOutOpen()
{
    {
        std::lock_guard lock(FLock);
        // Only for our own open device: notifications of others' devices change nothing.
        if (!FDevice.isOpen() || FClosing)
            return;
        FActive = true;
    }
    Fire(OnActive, true);
}

void TRAWaveOut::DoWaveOutDone(vx::WaveHeader* Header)
{
    std::lock_guard lock(FLock);
    auto it = FHeaders.find(Header);
    if (it == FHeaders.end())
        return;
    if (FActive && FBufferCount > 0)
        --FBufferCount;
    FHeaders.erase(it);
}

void TRAWaveOut::DoWaveOutClose()
{
    {
        std::lock_guard lock(FLock);
        if (!FClosing)
            return;
        FClosing = false;
        FActive = false;
    }
    Fire(OnActive, false);
}

// --- TRAAudio ----------------------------------------------------------------------------------

TRAAudio::TRAAudio(QObject* parent)
    : QObject(parent)
{
}

TRAAudio::~TRAAudio() = default;

bool TRAAudio::OnGuiThread() const
{
    return QThread::currentThread() == thread();
}

void TRAAudio::Prepare()
{
    FRAWaveIn.reset();
    FRAWaveOut.reset();
    if (FAudioComponent == actWaveIn)
        FRAWaveIn = std::make_unique<TRAWaveIn>();
    else if (FAudioComponent == actWaveOut)
        FRAWaveOut = std::make_unique<TRAWaveOut>();
}

void TRAAudio::SetActive(bool Value)
{
    if (!Value)
        FOpenFailed = false; // an explicit close lets the next open try the device again
    if (Value == FActive)
        return;
    FActive = Value;
    if (Value)
        Open();
    else
        Close();
    Fire(OnActive, bool(FActive));
}

void TRAAudio::Open()
{
    if (!FEnabled)
        return;
    if (!OnGuiThread()) {
        // Devices are opened on the GUI thread; the caller (a connection thread playing
        // received audio) does not wait: blocks before the device is open are dropped.
        if (!FOpenPending.exchange(true))
            QMetaObject::invokeMethod(this, [this] {
                FOpenPending = false;
                Open();
            }, Qt::QueuedConnection);
        return;
    }
    // A device that failed is not tried again on every call (the audio server opens playback
    // for each block it receives); the failure has been reported once.
    if (FOpenFailed) {
        FActive = false;
        return;
    }
    // Capture that runs already stays as it is (and stays Active, so it can still be closed
    // through Active).
    if (FRAWaveIn && FRAWaveIn->Active())
        return;
    const TACMWaveFormat format = FCodec.ACMWaveFormat();
    FActive = false;
    if (FRAWaveIn) {
        FRAWaveIn->SetWindowHandle(FWindowHandle);
        FRAWaveIn->SetDeviceID(FCodec.DeviceID());
        FRAWaveIn->SetBufferSize(FCodec.BufferSize());
        FRAWaveIn->SetNumBuffers(3);
        FRAWaveIn->OnActive = [this](bool Active) { FActive = Active; };
        FRAWaveIn->OnBufferFull = [this](void* Data, int Size) { Fire(OnAudioData, Data, uint32_t(Size)); };
        FRAWaveIn->OnException = [this](const QString& Message) { Fire(OnException, Message); };
        FRAWaveIn->Open(format);
        FOpenFailed = !FRAWaveIn->Active();
    } else if (FRAWaveOut) {
        FRAWaveOut->SetWindowHandle(FWindowHandle);
        FRAWaveOut->SetDeviceID(FCodec.DeviceID());
        FRAWaveOut->SetLimitOverrun(FLimitOverrun);
        // The direction's buffer length bounds the delay that received blocks can pile up to.
        FRAWaveOut->SetBufferLength(FCodec.BufferLength());
        FRAWaveOut->OnActive = [this](bool Active) { FActive = Active; };
        FRAWaveOut->OnException = [this](const QString& Message) { Fire(OnException, Message); };
        FRAWaveOut->Open(format);
        FOpenFailed = !FRAWaveOut->Active();
    }
    FCodec.SetActive(FActive);
}

void TRAAudio::Close()
{
    if (!OnGuiThread()) {
        QMetaObject::invokeMethod(this, [this] { Close(); }, Qt::QueuedConnection);
        return;
    }
    FOpenFailed = false;
    if (FRAWaveIn)
        FRAWaveIn->Close();
    if (FRAWaveOut)
        FRAWaveOut->Close();
    FActive = false;
    FCodec.SetActive(false);
}

void TRAAudio::Play(const void* Buffer, int Size)
{
    if (FRAWaveOut)
        FRAWaveOut->Play(Buffer, Size);
}

void TRAAudio::ChannelMixer(void* Data, uint32_t Size, bool LeftChannel, bool RightChannel) const
{
    if (!Data || IsGSMCodec(FCodec.Codec()) || FCodec.Channels() != 2 || (LeftChannel && RightChannel))
        return;
    if (FCodec.BitsPerSample() == 8) {
        auto* p = static_cast<uint8_t*>(Data);
        for (uint32_t i = 0; i < Size / 2; ++i) {
            if (LeftChannel)
                p[2 * i + 1] = p[2 * i];
            else
                p[2 * i] = p[2 * i + 1];
        }
    } else if (FCodec.BitsPerSample() == 16) {
        // Samples are copied as whole 16-bit words; no alignment is assumed.
        auto* p = static_cast<uint8_t*>(Data);
        for (uint32_t i = 0; i < Size / 4; ++i) {
            uint8_t* left = p + 4 * i;
            uint8_t* right = left + 2;
            if (LeftChannel)
                std::memcpy(right, left, 2);
            else
                std::memcpy(left, right, 2);
        }
    }
}

void TRAAudio::DoWaveInBufferFull(vx::WaveHeader* Header)
{
    if (FRAWaveIn)
        FRAWaveIn->DoWaveInBufferFull(Header);
}

void TRAAudio::DoWaveOutOpen()
{
    if (FRAWaveOut)
        FRAWaveOut->DoWaveOutOpen();
}

void TRAAudio::DoWaveOutDone(vx::WaveHeader* Header)
{
    if (FRAWaveOut)
        FRAWaveOut->DoWaveOutDone(Header);
}

void TRAAudio::DoWaveOutClose()
{
    if (FRAWaveOut)
        FRAWaveOut->DoWaveOutClose();
}
