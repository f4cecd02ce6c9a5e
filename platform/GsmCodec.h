#pragma once
// GSM 6.10 in the 65-byte block layout of WAV files (two 160-sample frames per block,
// 320 samples of 16-bit mono in, 65 bytes out).  Each encoder and decoder carries the
// odd/even frame state of its stream, so keep one per stream for the stream's whole life.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

struct gsm_state;

namespace vx {

constexpr int GsmSamplesPerBlock = 320;
constexpr int GsmBytesPerBlock = 65;

class GsmEncoder {
public:
    GsmEncoder();
    ~GsmEncoder();
    GsmEncoder(const GsmEncoder&) = delete;
    GsmEncoder& operator=(const GsmEncoder&) = delete;

    // 320 samples in, 65 bytes out.
    void encodeBlock(const int16_t* pcm, uint8_t* block);

    // Byte stream of little-endian 16-bit samples in, whole blocks out; a partial block
    // waits for the next call.
    QByteArray feed(const char* pcm, size_t bytes);
    void clear() { pending_.clear(); }

private:
    gsm_state* h_;
    QByteArray pending_;
};

class GsmDecoder {
public:
    GsmDecoder();
    ~GsmDecoder();
    GsmDecoder(const GsmDecoder&) = delete;
    GsmDecoder& operator=(const GsmDecoder&) = delete;

    // 65 bytes in, 320 samples out; false (and silence) for a block the codec rejects.
    bool decodeBlock(const uint8_t* block, int16_t* pcm);

    // Byte stream of blocks in, little-endian 16-bit samples out; a partial block waits.
    QByteArray feed(const char* data, size_t bytes);
    void clear() { pending_.clear(); }

private:
    gsm_state* h_;
    QByteArray pending_;
};

} // namespace vx
