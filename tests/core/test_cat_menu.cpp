#include "core/cat/MenuSettings.h"
#include "core/cat/MicrophoneEqualizer.h"
#include "core/cat/RX.h"
#include "core/cat/Rotator.h"
#include "core/cat/TX.h"
#include "tests/core/CATFixture.h"

#include <functional>

namespace {

class MenuTest : public CATFixture {
protected:
    void fresh() override
    {
        CATFixture::fresh();
        menuEvents.clear();
        cat->OnMenuSettings = [this](int32_t n, const QString& p) { menuEvents << QStringLiteral("%1 %2").arg(n).arg(p); };
    }
    TMenuSettings& menu() { return *cat->MenuSettings(); }
    TMicrophoneEqualizer& eq() { return *cat->MicrophoneEqualizer(); }
    // An "EX" answer as the dispatcher hands it over.
    void answer(int n, const QString& p)
    {
        received();
        menu().SetMenuEntry(n, p);
    }

    QStringList menuEvents;
};

} // namespace

TEST_F(MenuTest, ReceivedEntryIsCachedAndReported)
{
    answer(106, "8");
    EXPECT_EQ(menu().GetMenuEntry(106), "8");
    EXPECT_EQ(menuEvents, QStringList{"106 8"});
    EXPECT_EQ(cat->RX()->FilterWidthFrequencyDefault(1), 1800);
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_TRUE(sent.isEmpty());

    // The cache keeps 13 characters; the event carries the whole text.
    answer(1, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(menu().GetMenuEntry(1), "ABCDEFGHIJKLM");
    EXPECT_EQ(menuEvents.last(), "1 ABCDEFGHIJKLMNOP");
    answer(177, "x");
    EXPECT_EQ(menu().GetMenuEntry(177), "x");
}

TEST_F(MenuTest, OutOfRangeNumbersAndEmptyParametersAreIgnored)
{
    for (int n : {0, 178, -1}) {
        answer(n, "5");
        userOnLink();
        menu().SetMenuEntry(n, "5");
        EXPECT_EQ(menu().GetMenuEntry(n), QString());
    }
    answer(36, QString());
    userOnLink();
    menu().SetMenuEntry(36, QString());
    EXPECT_TRUE(menuEvents.isEmpty());
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(menu().GetMenuEntry(36), QString());
    EXPECT_EQ(cat->TransverterOffset(), 44);
}

TEST_F(MenuTest, UserCommandSendsAndLeavesTheCache)
{
    answer(36, "030");
    userOnLink();
    menu().SetMenuEntry(36, "044");
    EXPECT_EQ(sent, QStringList{"EX036044;"});
    EXPECT_EQ(menu().GetMenuEntry(36), "030");
    EXPECT_EQ(menuEvents, QStringList{"36 030"});

    // A ";" or a control character in the value would cut the command short or start
    // another one; they are left out, and a value of nothing else sends nothing.
    sent.clear();
    userOnLink();
    menu().SetMenuEntry(12, "0;4\r5");
    userOnLink();
    menu().SetMenuEntry(13, ";MX1");
    userOnLink();
    menu().SetMenuEntry(14, ";\n");
    EXPECT_EQ(sent, (QStringList{"EX012045;", "EX013MX1;"}));
}

TEST_F(MenuTest, WithoutARadioTheUserValueIsCached)
{
    cat->PrepareTX();
    menu().SetMenuEntry(36, "050");
    EXPECT_EQ(menu().GetMenuEntry(36), "050");
    EXPECT_EQ(cat->TransverterOffset(), 50);
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(MenuTest, SideEffectsPerModel)
{
    struct Case {
        const char* name;
        TTransceiver model;
        int menu;
        QString value;
        std::function<int(TFTCATInterface&)> get;
        int expect;
    };
    auto rotatorOffset = [](TFTCATInterface& c) { return c.Rotator()->Offset(); };
    auto transverter = [](TFTCATInterface& c) { return c.TransverterOffset(); };
    auto contourGain = [](TFTCATInterface& c) { return c.RX()->ContourGain(); };
    auto narrow = [](int i) { return [i](TFTCATInterface& c) { return c.RX()->FilterWidthFrequencyDefault(i); }; };
    auto myBands = [](TFTCATInterface& c) { return c.MyBands() == "1111111111111" ? 1 : 0; };
    auto maxPower = [](TFTCATInterface& c) { return c.TX()->MaximumPowerMenu(); };
    auto breakIn = [](TFTCATInterface& c) { return c.TX()->CWBreakInDelay(); };
    const Case cases[] = {
        {"FT2000 rotator", FT2000, 12, "090", rotatorOffset, 90},
        {"FT2000D transverter", FT2000D, 36, "028", transverter, 28},
        {"FT2000 contour gain", FT2000, 92, "-10", contourGain, -10},
        {"FT2000 CW row", FT2000, 97, "03", narrow(0), 3},
        {"FT2000 packet", FT2000, 100, "2", narrow(3), 100},
        {"FT2000 RTTY", FT2000, 103, "1", narrow(2), 50},
        {"FT2000D SSB", FT2000D, 106, "3", narrow(1), 850},
        {"FT2000 bands", FT2000, 124, "1111111111111", myBands, 1},
        {"FT2000 power", FT2000, 144, "2", maxPower, 2},
        {"FT950 rotator", FT950, 11, "180", rotatorOffset, 180},
        {"FT950 break-in", FT950, 44, "0250", breakIn, 250},
        {"FT950 contour gain", FT950, 69, "+5", contourGain, 5},
        {"FT950 bands", FT950, 90, "1111111111111", myBands, 1},
        {"FTDX5000 rotator", FTDX5000, 14, "270", rotatorOffset, 270},
        {"FTDX5000 bands", FTDX5000, 151, "1111111111111", myBands, 1},
        {"FTDX5000 power", FTDX5000, 171, "1", maxPower, 1},
        // The same numbers mean other things on other models: only the cache fills.
        {"FT2000 menu 44", FT2000, 44, "0250", breakIn, 200},
        {"FT950 menu 12", FT950, 12, "090", rotatorOffset, 0},
        {"FTDX5000 menu 36", FTDX5000, 36, "028", transverter, 44},
        {"FT950 menu 144", FT950, 144, "2", maxPower, 3},
        // A narrow value outside its table changes nothing.
        {"FT2000 SSB out of table", FT2000, 106, "12", narrow(1), 1800},
        // A parameter that is no whole number leaves the side effect undone.
        {"FT2000 transverter garbled", FT2000, 36, "4X", transverter, 44},
        {"FT950 contour garbled", FT950, 69, "--3", contourGain, -15},
        {"FTDX5000 rotator blank", FTDX5000, 14, " 90", rotatorOffset, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        setModel(c.model);
        const int before = c.get(*cat);
        answer(c.menu, c.value);
        EXPECT_EQ(c.get(*cat), c.expect) << "was " << before;
        EXPECT_EQ(menu().GetMenuEntry(c.menu), c.value);
        EXPECT_EQ(menuEvents, QStringList{QStringLiteral("%1 %2").arg(c.menu).arg(c.value)});
        EXPECT_TRUE(sent.isEmpty());
    }
}

TEST_F(MenuTest, SingleRequest)
{
    userOnLink();
    menu().GetMenu(5);
    menu().GetMenu(144);
    EXPECT_EQ(sent, (QStringList{"EX005;", "EX144;"}));
}

TEST_F(MenuTest, AllEntriesArePacedLikeThePollLines)
{
    QList<qint64> at;
    cat->OnCATCommandTX = [&](const QString& s) {
        sent << s;
        at << vx::Clock::monotonicMs();
    };
    const qint64 start = vx::Clock::monotonicMs();
    menu().GetAllMenuEntries();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent.first(), "EX001;EX002;EX003;EX004;EX005;");
    vx::Clock::advance(49);
    EXPECT_EQ(sent.size(), 1);
    vx::Clock::advance(35 * 50);
    ASSERT_EQ(sent.size(), 36);
    for (int i = 0; i < 36; ++i)
        EXPECT_EQ(at[i] - start, i * 50) << i;
    EXPECT_EQ(sent[1], "EX006;EX007;EX008;EX009;EX010;");
    EXPECT_EQ(sent[34], "EX171;EX172;EX173;EX174;EX175;");
    EXPECT_EQ(sent.last(), "EX176;EX177;");
    // Every number once, in order.
    const QStringList all = sent.join(QString()).split(';', Qt::SkipEmptyParts);
    ASSERT_EQ(all.size(), 177);
    for (int n = 1; n <= 177; ++n)
        EXPECT_EQ(all[n - 1], QString::asprintf("EX%.3d", n));
    vx::Clock::advance(1000);
    EXPECT_EQ(sent.size(), 36);
}

TEST_F(MenuTest, AllEntriesAgainStartsOver)
{
    menu().GetAllMenuEntries();
    vx::Clock::advance(100);
    ASSERT_EQ(sent.size(), 3);
    menu().GetAllMenuEntries();
    EXPECT_EQ(sent.last(), "EX001;EX002;EX003;EX004;EX005;");
    vx::Clock::advance(35 * 50);
    EXPECT_EQ(sent.size(), 3 + 36);
    EXPECT_EQ(sent.last(), "EX176;EX177;");
}

TEST_F(MenuTest, EngineGoesAwayWhileRequestsArePending)
{
    menu().GetAllMenuEntries();
    cat.reset();
    vx::Clock::advance(1000);
    EXPECT_EQ(sent.size(), 1);
}

// Microphone equalizer ------------------------------------------------------------------

TEST_F(MenuTest, EqualizerMenuNumbersPerModel)
{
    const struct {
        TTransceiver model;
        int first, bandwidth;
    } models[] = {{FT2000, 125, 85}, {FT2000D, 125, 85}, {FT950, 91, 64}, {FTDX5000, 152, 104}};
    for (const auto& m : models) {
        setModel(m.model);
        EXPECT_EQ(eq().GetMicEQType(m.bandwidth), meqTXBandwidth);
        EXPECT_EQ(eq().GetMicEQType(m.first), meqMicLowF);
        EXPECT_EQ(eq().GetMicEQType(m.first + 17), meqProcHighQ);
        EXPECT_EQ(eq().GetMicEQType(m.first - 1), meqNone);
        EXPECT_EQ(eq().GetMicEQType(m.first + 18), meqNone);
        for (int i = meqMicLowF; i <= meqTXBandwidth; ++i)
            EXPECT_EQ(eq().GetMicEQType(eq().GetMicEQMenuNo(TMicEQ(i))), TMicEQ(i)) << int(m.model) << " " << i;
        EXPECT_EQ(eq().GetMicEQMenuNo(meqMicMidG), m.first + 4);
    }
    setModel(FT2000);
    EXPECT_EQ(eq().GetMicEQType(85), meqTXBandwidth);
    setModel(FT950);
    EXPECT_EQ(eq().GetMicEQType(85), meqNone);
    EXPECT_EQ(eq().GetMicEQType(104), meqProcMidG);
    setModel(FTDX5000);
    EXPECT_EQ(eq().GetMicEQType(104), meqTXBandwidth);
}

TEST_F(MenuTest, EqualizerRequests)
{
    const struct {
        TTransceiver model;
        QStringList texts;
    } cases[] = {
        {FT2000,
         {"EX085;", "EX125;EX126;EX127;EX128;EX129;EX130;EX131;EX132;EX133;",
          "EX134;EX135;EX136;EX137;EX138;EX139;EX140;EX141;EX142;"}},
        {FT950,
         {"EX064;", "EX091;EX092;EX093;EX094;EX095;EX096;EX097;EX098;EX099;",
          "EX100;EX101;EX102;EX103;EX104;EX105;EX106;EX107;EX108;"}},
        {FTDX5000,
         {"EX104;", "EX152;EX153;EX154;EX155;EX156;EX157;EX158;EX159;EX160;",
          "EX161;EX162;EX163;EX164;EX165;EX166;EX167;EX168;EX169;"}},
    };
    for (const auto& c : cases) {
        setModel(c.model);
        sent.clear();
        eq().RequestMenuSettings();
        EXPECT_EQ(sent, c.texts);
    }
}

TEST_F(MenuTest, EqualizerWrites)
{
    const struct {
        TTransceiver model;
        TMicEQ item;
        int value;
        QStringList sent;
    } cases[] = {
        {FTDX5000, meqMicMidG, -3, {"EX156-03;"}}, {FT950, meqMicLowF, 7, {"EX09107;"}},
        {FT2000, meqProcHighG, 5, {"EX141+05;"}},  {FT2000, meqMicLowG, -12, {"EX126-12;"}},
        {FT950, meqProcLowG, 0, {"EX101+00;"}},    {FT2000D, meqProcHighQ, 3, {"EX14203;"}},
        {FT2000, meqTXBandwidth, 2, {}},           {FT2000, meqNone, 2, {}},
    };
    for (const auto& c : cases) {
        setModel(c.model);
        sent.clear();
        userOnLink();
        eq().SaveToMenu(c.item, c.value);
        EXPECT_EQ(sent, c.sent) << int(c.model) << " " << int(c.item);
    }
    for (auto [m, text] : {std::pair{FT2000, "EX0853;"}, {FT2000D, "EX0853;"}, {FT950, "EX0643;"}, {FTDX5000, "EX1043;"}}) {
        setModel(m);
        sent.clear();
        eq().SaveBandwidthToMenu(3);
        EXPECT_EQ(sent, QStringList{text});
    }
}
