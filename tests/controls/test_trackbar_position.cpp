// The track bar's value rules without pixels: what the operator's changes report, what a value
// from the radio (set under UpdatingPosition) does, and the holds, ends and logarithmic view.
#include "controls/widgets/RCTrackBarPosition.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum Op { Pos, Report, Min, Max, ReportMax, Hold, Release, Key, Wheel, Exp };

struct Step {
    Op op;
    int value = 0;
};

struct Case {
    const char* name;
    int min;
    int max;
    std::vector<Step> steps;
    int position;
    int changes; // OnChange count over all steps
};

void Apply(TRCTrackBarPosition& bar, const Step& s)
{
    switch (s.op) {
    case Pos:
        bar.SetPosition(s.value);
        break;
    case Report: // how a view shows a radio value
        bar.SetUpdatingPosition(true);
        bar.SetPosition(s.value);
        break;
    case Min:
        bar.SetMin(s.value);
        break;
    case Max:
        bar.SetMax(s.value);
        break;
    case ReportMax:
        bar.SetUpdatingPosition(true);
        bar.SetMax(s.value);
        break;
    case Hold:
        bar.BeginSliding();
        break;
    case Release:
        bar.EndSliding();
        break;
    case Key:
        bar.Key(TTrackBarKey(s.value));
        break;
    case Wheel:
        bar.Wheel(s.value);
        break;
    case Exp:
        bar.SetPositionExp(s.value);
        break;
    }
}

} // namespace

TEST(TrackBarPosition, ChangesReportedAndSuppressed)
{
    const std::vector<Case> cases = {
        {"a report moves without OnChange", 0, 255, {{Report, 100}}, 100, 0},
        {"an operator change is reported", 0, 255, {{Pos, 100}}, 100, 1},
        // The radio confirms the value the bar shows: the flag must not survive and swallow the
        // operator's next change.
        {"a confirmation clears the flag", 0, 255, {{Pos, 50}, {Report, 50}, {Pos, 60}}, 60, 2},
        {"Max below Position moves it with OnChange", 0, 255, {{Pos, 200}, {Max, 100}}, 100, 2},
        {"Min above Position moves it with OnChange", 0, 255, {{Pos, 10}, {Min, 20}}, 20, 2},
        {"a range clamp under the flag is not reported", 0, 255, {{Pos, 200}, {ReportMax, 100}, {Pos, 90}}, 90, 2},
        {"a range write that moves nothing keeps the flag", 0, 255, {{ReportMax, 100}, {Pos, 40}}, 40, 0},
        {"a value far out of range is clamped", 0, 255, {{Pos, 1000000}}, 255, 1},
        {"a value clamped to the current one reports nothing", 0, 255, {{Pos, 255}, {Pos, 300}}, 255, 1},
        // Holding the thumb.
        {"a report while held does not move the thumb", 0, 255, {{Pos, 50}, {Hold}, {Report, 120}}, 50, 1},
        {"on release the held report shows without OnChange", 0, 255, {{Pos, 50}, {Hold}, {Report, 120}, {Release}}, 120, 1},
        {"an operator move after the report wins", 0, 255, {{Hold}, {Report, 120}, {Pos, 60}, {Release}}, 60, 1},
        {"the latest report while held wins", 0, 255, {{Pos, 50}, {Hold}, {Report, 120}, {Report, 50}, {Release}}, 50, 1},
        {"a held report is clamped into a new range", 0, 255, {{Hold}, {Report, 200}, {Max, 100}, {Release}}, 100, 0},
        {"a release without a report changes nothing", 0, 255, {{Hold}, {Pos, 30}, {Release}}, 30, 1},
        // Keys and wheel at the ends.
        {"Page Up at Max raises nothing", 0, 255, {{Pos, 255}, {Key, tbkPageUp}}, 255, 1},
        {"Page Down at Min raises nothing", 0, 255, {{Key, tbkPageDown}}, 0, 0},
        {"keys and wheel at Min do nothing", 0, 255, {{Key, tbkDown}, {Key, tbkEnd}, {Wheel, -120}}, 0, 0},
        {"keys and wheel at Max do nothing", 0, 255, {{Pos, 255}, {Key, tbkUp}, {Key, tbkHome}, {Wheel, 120}}, 255, 1},
        {"Page Up near Max stops at Max", 0, 255, {{Pos, 253}, {Key, tbkPageUp}}, 255, 2},
        {"Min equal to Max takes every input quietly", 7, 7,
         {{Key, tbkPageUp}, {Key, tbkUp}, {Key, tbkDown}, {Key, tbkHome}, {Key, tbkEnd}, {Wheel, 120}, {Wheel, -120}, {Pos, 9}},
         7, 0},
        // The logarithmic view of the RF gain bars.
        {"PositionExp 255 gives Max", 0, 255, {{Exp, 255}}, 255, 1},
        {"PositionExp 0 gives Min", 10, 255, {{Pos, 100}, {Exp, 0}}, 10, 2},
        {"PositionExp above Max changes nothing", 0, 255, {{Pos, 100}, {Exp, 300}}, 100, 1},
        {"PositionExp in the middle", 0, 255, {{Exp, 128}}, 42, 1},
    };
    for (const Case& c : cases) {
        TRCTrackBarPosition bar;
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        int changes = 0;
        bar.OnChange = [&] { ++changes; };
        for (const Step& s : c.steps)
            Apply(bar, s);
        EXPECT_EQ(bar.Position(), c.position) << c.name;
        EXPECT_EQ(changes, c.changes) << c.name;
    }
}

// The table above stops where a case ends; here the flag's state in between matters.
TEST(TrackBarPosition, TheFlagIsConsumedByOneAssignmentAndDeltaFollowsEveryMove)
{
    TRCTrackBarPosition bar;
    std::vector<int> moves;
    bar.OnMoved = [&](int old) { moves.push_back(old); };

    bar.SetUpdatingPosition(true);
    bar.SetPosition(0); // equal: nothing moves, the flag is used up all the same
    EXPECT_FALSE(bar.UpdatingPosition());
    EXPECT_TRUE(moves.empty());

    bar.SetPosition(100);
    EXPECT_EQ(bar.PositionDelta(), 100);
    bar.SetUpdatingPosition(true);
    bar.SetPosition(90);
    EXPECT_EQ(bar.PositionDelta(), -10); // the clarifier and VRF bars read it after reports too
    EXPECT_EQ(moves, (std::vector<int>{0, 100}));

    // A range write that does not move the thumb leaves the flag for the write that follows.
    bar.SetUpdatingPosition(true);
    bar.SetMin(-10);
    EXPECT_TRUE(bar.UpdatingPosition());
}

TEST(TrackBarPosition, ExponentialViewReadsBackAtTheEnds)
{
    TRCTrackBarPosition bar;
    bar.SetPosition(255);
    EXPECT_EQ(bar.PositionExp(), 255);
    bar.SetPosition(0);
    EXPECT_EQ(bar.PositionExp(), 0); // 255 - 330 + 1 is below Min
    // A wide range overflows the power; the view still stays at Min.
    bar.SetMin(-9999);
    bar.SetMax(9999);
    bar.SetPosition(-9999);
    EXPECT_EQ(bar.PositionExp(), -9999);
}
