#pragma once
// The format of one audio direction: applied settings and pending ones that take effect when
// the direction closes, the wave format the devices open with, the capture buffer size, the
// codec messages both ends exchange, and the texts of the settings dialog.

#include "remote/RATypes.h"

class TRACodec {
public:
    TRACodec() = default;

    bool Active() const { return FActive; }
    // Set by the owning audio component; the change to false applies the pending settings.
    void SetActive(bool Value);

    // While Active these read the pending value, otherwise the applied one.
    TCodec Codec() const { return FActive ? FNewCodec : FCodec; }
    void SetCodec(TCodec Value);
    uint8_t BitsPerSample() const { return FActive ? FNewBitsPerSample : FBitsPerSample; }
    void SetBitsPerSample(uint8_t Value); // clamped to 8..16
    uint8_t Channels() const { return FActive ? FNewChannels : FChannels; }
    void SetChannels(uint8_t Value); // below 2 gives 1, else 2
    uint32_t DeviceID() const { return FActive ? FNewDeviceID : FDeviceID; }
    void SetDeviceID(uint32_t Value);
    // These always read the applied value.
    uint8_t BufferCount() const { return FBufferCount; }
    void SetBufferCount(uint8_t Value); // at least 2
    uint16_t BufferLength() const { return FBufferLength; }
    void SetBufferLength(uint16_t Value); // milliseconds, at least 10

    bool UserChosenCodec() const { return FUserChosenCodec; }
    void SetUserChosenCodec(bool Value) { FUserChosenCodec = Value; }

    // Sample rate of the applied codec.
    uint32_t SamplesPerSec() const;
    // Bytes of one capture buffer, from the wave format last built.
    uint32_t BufferSize() const;
    // Stored only; no computation reads it.
    void SetBufferSize(uint32_t Value) { FBufferSize = Value; }
    // Builds the wave format from the current settings and keeps a copy.
    TACMWaveFormat ACMWaveFormat();
    QString CodecMessage() const;
    QString CodecText() const;

    QString GetNewCodecMessage() const;
    // Applies a codec message or a login text; true when a setting changed.
    bool CodecRequest(const QString& Command);
    static QString GetTransferRate(TCodec ACodec, uint8_t ABitsPerSample, uint8_t AChannels);

private:
    static QString MakeCodecMessage(TCodec Codec, uint8_t Channels, uint8_t BitsPerSample);

    bool FActive = false;
    TCodec FCodec = PCM8, FNewCodec = PCM8;
    uint8_t FBitsPerSample = 8, FNewBitsPerSample = 8;
    uint8_t FChannels = 1, FNewChannels = 1;
    uint32_t FDeviceID = 0, FNewDeviceID = 0;
    uint8_t FBufferCount = 4, FNewBufferCount = 4;
    uint16_t FBufferLength = 10, FNewBufferLength = 10;
    bool FUserChosenCodec = true;
    uint32_t FBufferSize = 800;
    TACMWaveFormat FACMWaveFormat{};
};

// Length of every codec message and control frame text.
constexpr int CodecMessageLength = 150;
