#pragma once
// The radio's three-band parametric microphone equalizer: two sets of band values (one used
// while the speech processor is off, one while it is on) and the response of a band.

#include "core/FTCATTypes.h"

#include <array>
#include <functional>

enum TEqualizerBand : uint8_t { ebLow, ebMid, ebHigh };

class TEqualizer {
public:
    // The set of an equalizer item (0 Mic, 1 Proc), its band and its parameter (0 frequency,
    // 1 gain, 2 bandwidth); items 0 to 17 only.
    static int ItemSet(TMicEQ item) { return int(item) / 9; }
    static TEqualizerBand ItemBand(TMicEQ item) { return TEqualizerBand(int(item) % 9 / 3); }
    static int ItemParameter(TMicEQ item) { return int(item) % 3; }
    static TMicEQ Item(int set, TEqualizerBand band, int parameter)
    {
        return TMicEQ(set * 9 + int(band) * 3 + parameter);
    }

    TEqualizer();

    // Any of the 18 items; other items read 0 and are not stored.
    int32_t Value(TMicEQ item) const;
    // Stores the value; nothing happens when it is unchanged.
    void SetValue(TMicEQ item, int32_t value);

    int32_t MicLowFrequency() const { return Value(meqMicLowF); }
    int32_t MicLowGain() const { return Value(meqMicLowG); }
    int32_t MicLowQ() const { return Value(meqMicLowQ); }
    int32_t MicMidFrequency() const { return Value(meqMicMidF); }
    int32_t MicMidGain() const { return Value(meqMicMidG); }
    int32_t MicMidQ() const { return Value(meqMicMidQ); }
    int32_t MicHighFrequency() const { return Value(meqMicHighF); }
    int32_t MicHighGain() const { return Value(meqMicHighG); }
    int32_t MicHighQ() const { return Value(meqMicHighQ); }
    int32_t ProcLowFrequency() const { return Value(meqProcLowF); }
    int32_t ProcLowGain() const { return Value(meqProcLowG); }
    int32_t ProcLowQ() const { return Value(meqProcLowQ); }
    int32_t ProcMidFrequency() const { return Value(meqProcMidF); }
    int32_t ProcMidGain() const { return Value(meqProcMidG); }
    int32_t ProcMidQ() const { return Value(meqProcMidQ); }
    int32_t ProcHighFrequency() const { return Value(meqProcHighF); }
    int32_t ProcHighGain() const { return Value(meqProcHighG); }
    int32_t ProcHighQ() const { return Value(meqProcHighQ); }
    void SetMicLowFrequency(int32_t v) { SetValue(meqMicLowF, v); }
    void SetMicLowGain(int32_t v) { SetValue(meqMicLowG, v); }
    void SetMicLowQ(int32_t v) { SetValue(meqMicLowQ, v); }
    void SetMicMidFrequency(int32_t v) { SetValue(meqMicMidF, v); }
    void SetMicMidGain(int32_t v) { SetValue(meqMicMidG, v); }
    void SetMicMidQ(int32_t v) { SetValue(meqMicMidQ, v); }
    void SetMicHighFrequency(int32_t v) { SetValue(meqMicHighF, v); }
    void SetMicHighGain(int32_t v) { SetValue(meqMicHighG, v); }
    void SetMicHighQ(int32_t v) { SetValue(meqMicHighQ, v); }
    void SetProcLowFrequency(int32_t v) { SetValue(meqProcLowF, v); }
    void SetProcLowGain(int32_t v) { SetValue(meqProcLowG, v); }
    void SetProcLowQ(int32_t v) { SetValue(meqProcLowQ, v); }
    void SetProcMidFrequency(int32_t v) { SetValue(meqProcMidF, v); }
    void SetProcMidGain(int32_t v) { SetValue(meqProcMidG, v); }
    void SetProcMidQ(int32_t v) { SetValue(meqProcMidQ, v); }
    void SetProcHighFrequency(int32_t v) { SetValue(meqProcHighF, v); }
    void SetProcHighGain(int32_t v) { SetValue(meqProcHighG, v); }
    void SetProcHighQ(int32_t v) { SetValue(meqProcHighQ, v); }

    // The set that is shown and edited: 0 speech processor off, 1 on.
    uint8_t SpeechProcessor() const { return FSpeechProcessor; }
    void SetSpeechProcessor(uint8_t value);

    // A stored value changed (whichever set it belongs to).
    std::function<void(TMicEQ Item)> OnChange;
    // The shown set changed.
    std::function<void()> OnSpeechProcessor;

private:
    std::array<int32_t, 18> FValues{};
    uint8_t FSpeechProcessor = 0;
};

// Second-order peaking filter of one band at the sample rate below, as the audio EQ cookbook
// gives it (a0 not yet divided out).
struct TPeakingFilter {
    double a0 = 1, a1 = 0, a2 = 0, b0 = 1, b1 = 0, b2 = 0;
    // What the coefficients are made of: centre (radians per sample), alpha and amplitude.
    double w0 = 0, alpha = 0.001, A = 1;
};

constexpr double EqualizerSampleRate = 44100.0;

// The filter of a band centred on f0 Hz with gain gainDb and bandwidth q (q of 0 or less
// gives the narrowest band the response can draw).
TPeakingFilter PeakingFilter(double f0, double q, double gainDb);
// The filter's response at f Hz in dB; at f0 it equals the gain.  Only the filter's w0, alpha
// and A are used; the coefficients are kept for whoever filters with them.
double PeakingResponse(const TPeakingFilter& filter, double f);
