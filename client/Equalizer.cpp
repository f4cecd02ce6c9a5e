#include "client/Equalizer.h"

#include "core/RCTypes.h"

#include <cmath>
#include <numbers>

TEqualizer::TEqualizer()
{
    // Bandwidths at creation: 10, 10, 10 without the speech processor, 2, 1, 1 with it.
    FValues[meqMicLowQ] = 10;
    FValues[meqMicMidQ] = 10;
    FValues[meqMicHighQ] = 10;
    FValues[meqProcLowQ] = 2;
    FValues[meqProcMidQ] = 1;
    FValues[meqProcHighQ] = 1;
}

int32_t TEqualizer::Value(TMicEQ item) const
{
    return item <= meqProcHighQ ? FValues[item] : 0;
}

void TEqualizer::SetValue(TMicEQ item, int32_t value)
{
    if (item > meqProcHighQ || FValues[item] == value)
        return;
    FValues[item] = value;
    Fire(OnChange, item);
}

void TEqualizer::SetSpeechProcessor(uint8_t value)
{
    if (value == FSpeechProcessor)
        return;
    FSpeechProcessor = value;
    Fire(OnSpeechProcessor);
}

TPeakingFilter PeakingFilter(double f0, double q, double gainDb)
{
    // sqrt(10^(G/20)) and 10^(G/40) are the same amplitude.
    const double A = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * std::numbers::pi * f0 / EqualizerSampleRate;
    const double alpha = q > 0 ? std::sin(w0) / (2.0 * q) : 0.001;
    TPeakingFilter f;
    f.w0 = w0;
    f.alpha = alpha;
    f.A = A;
    f.b0 = 1 + alpha * A;
    f.b1 = -2 * std::cos(w0);
    f.b2 = 1 - alpha * A;
    f.a0 = 1 + alpha / A;
    f.a1 = -2 * std::cos(w0);
    f.a2 = 1 - alpha / A;
    return f;
}

double PeakingResponse(const TPeakingFilter& filter, double f)
{
    // The audio EQ cookbook's magnitude, |H|^2 = N / D with
    //   N = (b0+b1+b2)^2 + (b0*b2*p - (b1*(b0+b2) + 4*b0*b2)) * p,  p = 4*sin^2(w/2)
    // and D alike with the a coefficients.  For the peaking filter the terms cancel to
    //   N = 16 * ((s0 - s)^2 + (alpha*A)^2 * s * (1 - s)),  s = sin^2(w/2), s0 = sin^2(w0/2),
    //   D = 16 * ((s0 - s)^2 + (alpha/A)^2 * s * (1 - s)),
    // computed here in that form, with s0 - s as a product of sines: near the centre of a narrow
    // low band the literal form loses digits (5e-9 dB at 100 Hz, Q 10) where this one keeps them.
    const double w = 2.0 * std::numbers::pi * f / EqualizerSampleRate;
    const double d = std::sin((filter.w0 - w) / 2) * std::sin((filter.w0 + w) / 2);
    const double half = std::sin(w / 2);
    const double s = half * half;
    const double shape = s * (1 - s);
    const double up = filter.alpha * filter.A;
    const double down = filter.alpha / filter.A;
    const double n = d * d + up * up * shape;
    const double m = d * d + down * down * shape;
    if (n == 0 || m == 0)
        return 0;
    return 10.0 * std::log10(n / m);
}
