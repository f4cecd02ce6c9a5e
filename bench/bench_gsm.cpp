// GSM 6.10 in the 65-byte block layout: how many blocks (40 ms of 8 kHz audio each) one core
// encodes and decodes per second.
#include "platform/GsmCodec.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

std::vector<int16_t> speech(int blocks)
{
    // A tone with a slow vibrato and some noise: a realistic load for the coder's search.
    std::vector<int16_t> v(size_t(blocks) * vx::GsmSamplesPerBlock);
    uint32_t seed = 12345;
    for (size_t i = 0; i < v.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double t = double(i) / 8000.0;
        const double s = 9000.0 * std::sin(2 * M_PI * (700.0 + 50.0 * std::sin(2 * M_PI * 3 * t)) * t);
        v[i] = int16_t(s + double(int(seed >> 20) - 2048));
    }
    return v;
}

void GsmEncode(benchmark::State& state)
{
    const int blocks = 250; // 10 s
    const auto pcm = speech(blocks);
    std::vector<uint8_t> out(size_t(blocks) * vx::GsmBytesPerBlock);
    vx::GsmEncoder enc;
    for (auto _ : state) {
        for (int b = 0; b < blocks; ++b)
            enc.encodeBlock(pcm.data() + size_t(b) * vx::GsmSamplesPerBlock, out.data() + size_t(b) * vx::GsmBytesPerBlock);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["blocks/s"] = benchmark::Counter(double(blocks) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GsmEncode);

void GsmDecode(benchmark::State& state)
{
    const int blocks = 250;
    const auto pcm = speech(blocks);
    std::vector<uint8_t> gsm(size_t(blocks) * vx::GsmBytesPerBlock);
    {
        vx::GsmEncoder enc;
        for (int b = 0; b < blocks; ++b)
            enc.encodeBlock(pcm.data() + size_t(b) * vx::GsmSamplesPerBlock, gsm.data() + size_t(b) * vx::GsmBytesPerBlock);
    }
    std::vector<int16_t> out(size_t(blocks) * vx::GsmSamplesPerBlock);
    vx::GsmDecoder dec;
    for (auto _ : state) {
        for (int b = 0; b < blocks; ++b)
            dec.decodeBlock(gsm.data() + size_t(b) * vx::GsmBytesPerBlock, out.data() + size_t(b) * vx::GsmSamplesPerBlock);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["blocks/s"] = benchmark::Counter(double(blocks) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GsmDecode);

} // namespace
