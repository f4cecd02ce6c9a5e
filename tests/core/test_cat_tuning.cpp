#include "CATFixture.h"

#include "core/cat/RX.h"
#include "core/cat/Tuning.h"
#include "core/cat/VRF.h"

#include <tuple>
#include <vector>

using vx::Clock;

class CATTuning : public CATFixture {
protected:
    TTuning* tuning() { return cat->Tuning(); }
};

TEST_F(CATTuning, InitialState)
{
    EXPECT_EQ(tuning()->FrequencyA(), 7000000);
    EXPECT_EQ(tuning()->FrequencyB(), 7000000);
    EXPECT_FALSE(tuning()->IsTuningA());
    EXPECT_EQ(tuning()->ResolutionB(), 100);
    EXPECT_EQ(tuning()->TuningInterval(), 2000);
    EXPECT_TRUE(tuning()->TuningTimerA()->isActive());
    EXPECT_EQ(tuning()->TuningTimerB()->interval(), 500);
}

TEST_F(CATTuning, AGestureRunsAheadOfTheRadioAndResynchronisesAfterIt)
{
    std::vector<std::pair<int, bool>> tuningFlags;
    std::vector<std::pair<int, int>> tuningFreq;
    cat->OnIsTuning = [&](uint8_t v, bool t) { tuningFlags.push_back({v, t}); };
    cat->OnTuningFrequency = [&](uint8_t v, int32_t hz) { tuningFreq.push_back({v, hz}); };
    connect();
    cat->PowerSwitchTimer()->stop();
    tuning()->TuneUpA();
    tuning()->TuneUpA();
    EXPECT_TRUE(tuning()->IsTuningA());
    EXPECT_EQ(tuning()->FrequencyA(), 7000200);
    EXPECT_EQ(sent, QStringList({"FA07000100;", "FA07000200;"}));
    EXPECT_EQ(cat->FrequencyA(), 7000000);

    // The radio's reports do not pull the dial back while the gesture lasts.
    received([&] { cat->SetFrequencyA(7000100); });
    cat->PrepareTX();
    EXPECT_EQ(cat->FrequencyA(), 7000100);
    EXPECT_EQ(tuning()->FrequencyA(), 7000200);

    // The fifth tick after the last step (2500 ms) ends the gesture and takes the radio's
    // frequency, sending nothing.
    sent.clear();
    Clock::advance(2499);
    EXPECT_TRUE(tuning()->IsTuningA());
    Clock::advance(1);
    EXPECT_FALSE(tuning()->IsTuningA());
    EXPECT_EQ(tuning()->FrequencyA(), 7000100);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(tuningFlags, (std::vector<std::pair<int, bool>>({{0, true}, {0, false}})));
    EXPECT_EQ(tuningFreq.end()[-2], std::make_pair(0, 7000100));
    EXPECT_EQ(tuningFreq.back(), std::make_pair(1, 7000000));

    // Idle, the resynchronisation goes on every 2.5 s for each VFO.
    tuningFreq.clear();
    Clock::advance(2500);
    EXPECT_EQ(tuningFreq, (std::vector<std::pair<int, int>>({{0, 7000100}, {1, 7000000}})));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATTuning, ADragIsNeverSnappedBackToTheRadio)
{
    std::vector<int> dialA, eventsA, idleB;
    std::vector<std::pair<int, bool>> tuningFlags;
    // The engine and its timers started now.
    const qint64 t0 = Clock::monotonicMs();
    const auto elapsed = [&] { return int(Clock::monotonicMs() - t0); };
    cat->OnTuningFrequency = [&](uint8_t v, int32_t hz) {
        if (v == 0)
            eventsA.push_back(hz);
        else
            idleB.push_back(elapsed());
    };
    cat->OnIsTuning = [&](uint8_t v, bool t) { tuningFlags.push_back({v, t}); };
    connect();
    cat->PowerSwitchTimer()->stop();

    // Six seconds of steps 400 ms apart; the radio's report of each step arrives one step late.
    int radio = 7000000;
    for (int i = 0; i < 15; ++i) {
        tuning()->TuneUpA();
        dialA.push_back(tuning()->FrequencyA());
        received([&] { cat->SetFrequencyA(radio); });
        cat->PrepareTX();
        radio = dialA.back();
        Clock::advance(400);
        ASSERT_TRUE(tuning()->IsTuningA()) << "step " << i;
    }
    EXPECT_EQ(eventsA, dialA);
    EXPECT_EQ(tuning()->FrequencyA(), 7001500);
    EXPECT_EQ(cat->FrequencyA(), 7001400);
    EXPECT_EQ(tuningFlags, (std::vector<std::pair<int, bool>>({{0, true}})));
    // The other VFO keeps its own cadence meanwhile.
    EXPECT_EQ(idleB, std::vector<int>({2500, 5000}));

    // The last step was at 5600 ms: more than 2 s later the gesture still holds...
    Clock::advance(7600 - elapsed());
    EXPECT_TRUE(tuning()->IsTuningA());
    // ...and 2.5 s after it the dial shows the radio's frequency again, sending nothing.
    sent.clear();
    Clock::advance(8100 - elapsed());
    EXPECT_FALSE(tuning()->IsTuningA());
    EXPECT_EQ(tuning()->FrequencyA(), 7001400);
    EXPECT_EQ(eventsA.back(), 7001400);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(CATTuning, AStepRestartsTheCountOfItsOwnVFO)
{
    // A step just before the resynchronisation postpones it by a whole interval.
    Clock::advance(2400);
    tuning()->TuneDownB();
    EXPECT_TRUE(tuning()->IsTuningB());
    // Offline the engine stores the step at once.
    EXPECT_EQ(cat->FrequencyB(), 6999900);
    Clock::advance(100);
    EXPECT_TRUE(tuning()->IsTuningB());
    Clock::advance(1999);
    EXPECT_TRUE(tuning()->IsTuningB());
    Clock::advance(1);
    EXPECT_FALSE(tuning()->IsTuningB());
    EXPECT_EQ(tuning()->FrequencyB(), 6999900);

    // Setting the flag alone starts no count; a frequency written outside a gesture resets
    // nothing either.
    tuning()->SetFrequencyA(7100000);
    tuning()->SetIsTuningA(true);
    Clock::advance(500);
    EXPECT_FALSE(tuning()->IsTuningA());

    // A longer interval takes more ticks after the last step.
    tuning()->SetTuningInterval(3000);
    tuning()->TuneUpA();
    Clock::advance(3000);
    EXPECT_TRUE(tuning()->IsTuningA());
    Clock::advance(500);
    EXPECT_FALSE(tuning()->IsTuningA());
}

TEST_F(CATTuning, FrequencyWritesGoToTheEngineUnclamped)
{
    connect();
    tuning()->SetFrequencyB(10000);
    EXPECT_EQ(tuning()->FrequencyB(), 10000);
    EXPECT_EQ(sent, QStringList({"FB00030000;"}));
    EXPECT_FALSE(tuning()->IsTuningB());
}

TEST_F(CATTuning, ResolutionLadder)
{
    const struct {
        int from;
        bool up;
        int to;
    } cases[] = {{1, true, 10},       {10, true, 100},    {100, true, 1000}, {1000, true, 10000},
                 {10000, true, 10000}, {50, true, 50},     {10000, false, 1000}, {1000, false, 100},
                 {100, false, 10},    {10, false, 1},     {1, false, 1},     {500, false, 500}};
    std::vector<std::pair<int, int>> events;
    cat->OnResolution = [&](uint8_t v, int32_t r) { events.push_back({v, r}); };
    for (const auto& c : cases) {
        tuning()->SetResolutionA(c.from);
        tuning()->SetResolutionB(c.from);
        events.clear();
        if (c.up) {
            tuning()->ResolutionAUp();
            tuning()->ResolutionBUp();
        } else {
            tuning()->ResolutionADown();
            tuning()->ResolutionBDown();
        }
        EXPECT_EQ(tuning()->ResolutionA(), c.to) << c.from;
        EXPECT_EQ(tuning()->ResolutionB(), c.to) << c.from;
        EXPECT_EQ(events.size(), c.from == c.to ? 0u : 2u) << c.from;
    }
    tuning()->SetResolutionA(1000);
    tuning()->TuneUpA();
    EXPECT_EQ(tuning()->FrequencyA(), 7001000);
}

class CATVRF : public CATFixture {
protected:
    TVRF* vrf() { return cat->RX()->VRF(); }
};

TEST_F(CATVRF, ValuesAreStoredOnlyFromTheRadio)
{
    EXPECT_EQ(vrf()->StateA(), vrfStateDefault);
    EXPECT_EQ(vrf()->VRFTypeB(), vrfTypeVRF);
    connect();
    cat->PrepareTX();
    vrf()->SetPositionA(300);
    vrf()->SetStateA(vrfStateOn);
    vrf()->SetStep(3);
    EXPECT_EQ(vrf()->PositionA(), 0);
    EXPECT_EQ(vrf()->StateA(), vrfStateDefault);
    EXPECT_EQ(vrf()->Step(), 0);
    EXPECT_TRUE(sent.isEmpty());

    received([&] { vrf()->SetPositionA(300); });
    EXPECT_EQ(vrf()->PositionA(), 255);
    EXPECT_FALSE(cat->CmdRcvd());
    received([&] { vrf()->SetPositionB(-5); });
    EXPECT_EQ(vrf()->PositionB(), 0);
    received([&] { vrf()->SetStep(3); });
    EXPECT_EQ(vrf()->Step(), 3);
}

TEST_F(CATVRF, TheTypeReportCarriesTheWholeAnswer)
{
    std::vector<std::tuple<TVFO, TVRFType, TVRFState, int>> events;
    cat->OnVRF = [&](TVFO v, TVRFType t, TVRFState s, int32_t p) { events.emplace_back(v, t, s, p); };
    // One VF answer: state, position, type.
    received([&] { vrf()->SetStateB(vrfStateOn); });
    received([&] { vrf()->SetPositionB(120); });
    EXPECT_TRUE(events.empty());
    received([&] { vrf()->SetVRFTypeB(vrfuTuneTypeOn); });
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_tuple(vfoB, vrfuTuneTypeOn, vrfStateOn, 120));

    // An unchanged type, even in user-command mode, reports again.
    cat->PrepareTX();
    vrf()->SetVRFTypeA(vrfTypeVRF);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], std::make_tuple(vfoA, vrfTypeVRF, vrfStateDefault, 0));
}

TEST_F(CATVRF, SendVRFCommand)
{
    const struct {
        int vfo, state, step;
        const char* text;
    } cases[] = {{0, 1, 5, "VF01+5;"}, {1, 2, -3, "VF12-3;"}, {7, 0, 0, "VF10+0;"},
                 {0, 0, 12, "VF00+12;"}, {0, 3, 1, nullptr},     {1, -1, 1, nullptr}};
    for (const auto& c : cases) {
        sent.clear();
        vrf()->SendVRFCommand(uint8_t(c.vfo), c.state, c.step);
        EXPECT_EQ(sent, c.text ? QStringList({c.text}) : QStringList()) << c.vfo << c.state << c.step;
    }
    EXPECT_EQ(vrf()->StateA(), vrfStateDefault);
    EXPECT_EQ(vrf()->Step(), 0);
}
