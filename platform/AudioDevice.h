#pragma once
// Wave capture and playback devices.  The owner opens a device with a wave format and a
// callback object, hands it buffers ("headers"), and learns of opened devices, filled
// capture buffers, played blocks and closed devices through notifications posted to the
// callback object's thread (the GUI thread), never from inside its own call.
//
// Underneath: Qt Multimedia (PulseAudio) running on one audio thread of its own, so a busy
// GUI thread never stalls the sound; or in-memory devices that tests drive by hand.  GSM 6.10
// formats are converted here with libgsm in the 65-byte block layout: the owner sees GSM
// bytes, the sound server 16-bit PCM.

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace vx {

// The wave format record (the fields and widths the format negotiation uses).
struct WaveFormatEx {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
};

constexpr uint16_t WaveFormatPcm = 1;
constexpr uint16_t WaveFormatGsm610 = 0x31;

// Device index meaning "the default device".
constexpr uint32_t WaveMapper = 0xFFFFFFFFu;

// Result codes of the device calls; the numbers are those the error-text tables know.
namespace WaveResult {
constexpr int Ok = 0;
constexpr int Error = 1;
constexpr int BadDeviceId = 2;
constexpr int Allocated = 4;
constexpr int InvalidHandle = 5;
constexpr int NoDriver = 6;
constexpr int NoMem = 7;
constexpr int InvalidParam = 11;
constexpr int BadFormat = 32;
} // namespace WaveResult

// One buffer handed between a device and its owner.  The owner keeps it alive until the
// device has returned it (or has been reset or closed).
struct WaveHeader {
    std::vector<char> data;    // the data block
    uint32_t bufferLength = 0; // bytes to play, or room to record (at most data.size())
    uint32_t bytesRecorded = 0;
    uintptr_t user = 0;
    uint32_t flags = 0;
    uint32_t loops = 0;
};

// Notifications, numbered as the window messages they replace.
enum class WaveMessage : uint16_t {
    OutOpen = 0x3BB,
    OutClose = 0x3BC,
    OutDone = 0x3BD,
    InOpen = 0x3BE,
    InClose = 0x3BF,
    InData = 0x3C0,
};

// Receiver of device notifications; they are delivered on the thread this object lives on.
// Data and done notifications of a device that has been reset or closed since are dropped,
// so a receiver never sees a header its device no longer holds.
class WaveCallback : public QObject {
public:
    using QObject::QObject;
    virtual void waveMessage(WaveMessage message, WaveHeader* header) = 0;
};

class WaveDeviceBackend;

// A capture device.  Used from the thread of its owner only.
class WaveIn {
public:
    WaveIn();
    ~WaveIn(); // closes
    WaveIn(const WaveIn&) = delete;
    WaveIn& operator=(const WaveIn&) = delete;

    // Whether the device could be opened with the format; opens nothing.
    static int query(uint32_t deviceId, const WaveFormatEx& format);
    // Posts InOpen on success.
    int open(uint32_t deviceId, const WaveFormatEx& format, WaveCallback* callback);
    bool isOpen() const;
    // Queues a buffer to be filled; InData returns it, full (or partly filled by reset).
    int addBuffer(WaveHeader* header);
    int start();
    // Stops capture and returns every queued buffer (InData), partly filled ones as they are.
    int reset();
    // Resets, then closes; posts InClose.
    int close();

private:
    std::unique_ptr<WaveDeviceBackend> d_;
};

// A playback device.  write() may be called from any thread; the owner serialises write,
// reset and close of one device.
class WaveOut {
public:
    WaveOut();
    ~WaveOut(); // closes
    WaveOut(const WaveOut&) = delete;
    WaveOut& operator=(const WaveOut&) = delete;

    static int query(uint32_t deviceId, const WaveFormatEx& format);
    // Playback buffer for later opens, in milliseconds: at most this much sound waits before
    // the newest block written, the sound server's share included; what piles up beyond it
    // (a burst at the start, blocks after a stall) is dropped, oldest first, its blocks
    // returned through OutDone.  0, the default: no bound.
    void setBufferLength(uint32_t ms);
    // Set before open: between blocks the device plays silence rather than letting the sound
    // server's stream run dry, so a block after a quiet spell starts as whole as any other
    // (a restarted stream may lose its first milliseconds).  For output that comes and goes,
    // such as a keyed tone; a stream fed without pause has no need of it.
    void setContinuous(bool on) { continuous_ = on; }
    // Posts OutOpen on success.
    int open(uint32_t deviceId, const WaveFormatEx& format, WaveCallback* callback);
    bool isOpen() const;
    // Queues a block to be played (bufferLength bytes); OutDone returns it once the sound
    // server has taken it.
    int write(WaveHeader* header);
    // Drops everything not yet played; the queued blocks come back through OutDone.
    int reset();
    // Resets, then closes; posts OutClose.
    int close();

private:
    std::unique_ptr<WaveDeviceBackend> d_;
    uint32_t bufferMs_ = 0;
    bool continuous_ = false;
};

// Names of the devices in index order, as the settings dialogs list them.
QStringList waveInDeviceNames();
QStringList waveOutDeviceNames();

// In-memory devices for tests.  While switched on, devices opened afterwards are in memory:
// tests feed capture data and play queued blocks by hand, and can make opens and starts fail.
class MemoryWaveIn {
public:
    virtual ~MemoryWaveIn() = default;
    // Captured sound as 16-bit (or 8-bit) PCM in the device's channel layout; GSM devices
    // encode it.  Fills the queued buffers in order; sound with no buffer left is lost.
    virtual void feed(const QByteArray& pcm) = 0;
    // Returns the first queued buffer as it is, possibly empty.
    virtual bool flush() = 0;
    virtual int queuedBuffers() const = 0;
    virtual bool started() const = 0;
};

class MemoryWaveOut {
public:
    virtual ~MemoryWaveOut() = default;
    // Blocks written and not yet played.
    virtual int queuedBlocks() const = 0;
    // Plays the oldest queued block, or what a trim left of it (its OutDone follows); false
    // when none is queued.
    virtual bool playNext() = 0;
    // Everything played so far, as PCM (GSM blocks decoded).
    virtual QByteArray played() const = 0;
};

class MemoryAudio {
public:
    static void use(bool on);
    static bool inUse();
    // The open device of that index, or null.
    static MemoryWaveIn* input(uint32_t deviceId);
    static MemoryWaveOut* output(uint32_t deviceId);
    // Result of later opens (and of starts, for inputs) of that index; Ok to clear.
    static void setOpenResult(bool output, uint32_t deviceId, int result);
    static void setStartResult(uint32_t deviceId, int result);
    // How often a device of that index was tried (its format queried) since use(true).
    static int attempts(bool output, uint32_t deviceId);
};

} // namespace vx
