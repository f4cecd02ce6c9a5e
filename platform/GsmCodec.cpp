#include "platform/GsmCodec.h"

#include <cstring>
#include <gsm.h>

namespace vx {

namespace {

gsm_state* createWav49()
{
    gsm h = gsm_create();
    int one = 1;
    gsm_option(h, GSM_OPT_WAV49, &one);
    return h;
}

// The samples travel as little-endian bytes; the hosts we build for are little-endian, but
// a byte-wise copy keeps that an explicit assumption rather than a silent one.
void bytesToSamples(const char* in, int16_t* out, int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = int16_t(uint16_t(uint8_t(in[2 * i])) | uint16_t(uint8_t(in[2 * i + 1])) << 8);
}

void samplesToBytes(const int16_t* in, char* out, int count)
{
    for (int i = 0; i < count; ++i) {
        out[2 * i] = char(uint16_t(in[i]) & 0xFF);
        out[2 * i + 1] = char(uint16_t(in[i]) >> 8);
    }
}

} // namespace

GsmEncoder::GsmEncoder()
    : h_(createWav49())
{
}

GsmEncoder::~GsmEncoder() { gsm_destroy(h_); }

void GsmEncoder::encodeBlock(const int16_t* pcm, uint8_t* block)
{
    // The first frame writes 33 bytes of which the last holds half a byte; the second frame
    // starts on that shared byte.
    gsm_signal frame[160];
    std::memcpy(frame, pcm, sizeof frame);
    gsm_encode(h_, frame, block);
    std::memcpy(frame, pcm + 160, sizeof frame);
    gsm_encode(h_, frame, block + 32);
}

QByteArray GsmEncoder::feed(const char* pcm, size_t bytes)
{
    constexpr int blockBytes = GsmSamplesPerBlock * 2;
    pending_.append(pcm, qsizetype(bytes));
    const qsizetype blocks = pending_.size() / blockBytes;
    QByteArray out(blocks * GsmBytesPerBlock, Qt::Uninitialized);
    int16_t samples[GsmSamplesPerBlock];
    for (qsizetype b = 0; b < blocks; ++b) {
        bytesToSamples(pending_.constData() + b * blockBytes, samples, GsmSamplesPerBlock);
        encodeBlock(samples, reinterpret_cast<uint8_t*>(out.data()) + b * GsmBytesPerBlock);
    }
    pending_.remove(0, blocks * blockBytes);
    return out;
}

GsmDecoder::GsmDecoder()
    : h_(createWav49())
{
}

GsmDecoder::~GsmDecoder() { gsm_destroy(h_); }

bool GsmDecoder::decodeBlock(const uint8_t* block, int16_t* pcm)
{
    gsm_byte frame[GsmBytesPerBlock];
    std::memcpy(frame, block, sizeof frame);
    gsm_signal out[160];
    bool ok = gsm_decode(h_, frame, out) == 0;
    std::memcpy(pcm, out, sizeof out);
    ok = gsm_decode(h_, frame + 33, out) == 0 && ok;
    std::memcpy(pcm + 160, out, sizeof out);
    if (!ok)
        std::memset(pcm, 0, GsmSamplesPerBlock * sizeof(int16_t));
    return ok;
}

QByteArray GsmDecoder::feed(const char* data, size_t bytes)
{
    pending_.append(data, qsizetype(bytes));
    const qsizetype blocks = pending_.size() / GsmBytesPerBlock;
    QByteArray out(blocks * GsmSamplesPerBlock * 2, Qt::Uninitialized);
    int16_t samples[GsmSamplesPerBlock];
    for (qsizetype b = 0; b < blocks; ++b) {
        decodeBlock(reinterpret_cast<const uint8_t*>(pending_.constData()) + b * GsmBytesPerBlock, samples);
        samplesToBytes(samples, out.data() + b * GsmSamplesPerBlock * 2, GsmSamplesPerBlock);
    }
    pending_.remove(0, blocks * GsmBytesPerBlock);
    return out;
}

} // namespace vx
