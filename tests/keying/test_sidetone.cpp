// The CW sidetone: the renderer's lengths, envelope and tone, the setters' ranges, and the
// thread playing queued text on in-memory sound devices (open, close, paddles, failures).
#include "keying/CWSidetone.h"
#include "platform/AudioDevice.h"
#include "tests/keying/KeyingTestUtils.h"
#include "tests/support/Wait.h"

#include <QMutex>
#include <QMutexLocker>
#include <gtest/gtest.h>

using vxtest::waitUntil;

namespace {

// Sample counts of the runs of a rendering: tone (+) and silence (−).
std::vector<int> Runs(const std::vector<int16_t>& s, int count)
{
    std::vector<int> runs;
    for (int i = 0; i < count;) {
        // A tone runs until a whole period (12 samples at 700 Hz) is silent.
        int j = i;
        if (s[size_t(i)] == 0) {
            while (j < count && s[size_t(j)] == 0)
                ++j;
            // Zero crossings inside a tone are single samples.
            if (j - i > 1 || j == count) {
                runs.push_back(-(j - i));
                i = j;
                continue;
            }
        }
        j = i;
        int quiet = 0;
        while (j < count && quiet < 3) {
            quiet = s[size_t(j)] == 0 ? quiet + 1 : 0;
            ++j;
        }
        const int end = quiet >= 3 ? j - quiet : j;
        runs.push_back(end - i);
        i = end;
    }
    return runs;
}

} // namespace

TEST(SidetoneRenderer, LengthsOfCharacters)
{
    Sidetone::TSineTable table;
    Sidetone::BuildSineTable(table, 2);
    struct Case {
        QChar c;
        int speed;
        std::vector<int> runs; // in dots, (+) tone (−) silence
    };
    const Case cases[] = {
        {QLatin1Char('E'), 25, {1, -3}},                     // 384 + 384 + 768 samples = 3072 bytes
        {QLatin1Char('A'), 20, {1, -1, 3, -3}},
        {QLatin1Char(' '), 25, {-2}},                        // a space adds two dots to the letter space
        {QLatin1Char('a'), 25, {-2}},                        // outside " ".."Z": silence
        {QChar(0x00C4), 20, {1, -1, 3, -1, 1, -1, 3, -3}},  // Ä sounds as its stand-in ".-.-"
        {QLatin1Char('0'), 5, {3, -1, 3, -1, 3, -1, 3, -1, 3, -3}}, // 22 dots: longer than one buffer
    };
    for (const Case& c : cases) {
        const int D = Sidetone::DotLength(c.speed);
        std::vector<int16_t> out;
        const int bytes = Sidetone::RenderCharacter(c.c, D, 0, 700, table, out);
        int dots = 0;
        std::vector<int> expected;
        for (int r : c.runs) {
            expected.push_back(r * D);
            dots += std::abs(r);
        }
        EXPECT_EQ(bytes, dots * D * 2) << QString(c.c).toStdString();
        // Adjacent silences of the pattern merge; tone runs may lose a sample at an edge.
        const std::vector<int> runs = Runs(out, bytes / 2);
        ASSERT_EQ(runs.size(), expected.size()) << QString(c.c).toStdString();
        for (size_t i = 0; i < runs.size(); ++i)
            EXPECT_NEAR(runs[i], expected[i], 2) << QString(c.c).toStdString() << " run " << i;
    }
    std::vector<int16_t> out;
    EXPECT_EQ(Sidetone::RenderCharacter(QLatin1Char('E'), 384, 0, 700, table, out), 3072);
    EXPECT_EQ(Sidetone::RenderCharacter(QLatin1Char('0'), Sidetone::DotLength(5), 0, 700, table, out), 22 * 1920 * 2);
}

TEST(SidetoneRenderer, PaddleElementsToneThenHalfDot)
{
    Sidetone::TSineTable table;
    Sidetone::BuildSineTable(table, 2);
    std::vector<int16_t> out;
    const int D = Sidetone::DotLength(20);
    ASSERT_EQ(D, 480);
    for (const auto& [c, tone] : {std::pair{'{', 480}, std::pair{'}', 1440}}) {
        const int bytes = Sidetone::RenderCharacter(QLatin1Char(c), D, 0, 700, table, out);
        EXPECT_EQ(bytes, (tone + 240) * 2);
        EXPECT_TRUE(std::all_of(out.begin() + tone, out.begin() + tone + 240, [](int16_t s) { return s == 0; }));
        EXPECT_GT(std::count_if(out.begin(), out.begin() + tone, [](int16_t s) { return s != 0; }), tone * 9 / 10);
    }
}

TEST(SidetoneRenderer, ToneHasItsPitchVolumeAndSoftEdges)
{
    Sidetone::TSineTable table;
    Sidetone::BuildSineTable(table, 4);
    std::vector<int16_t> out;
    const int D = Sidetone::DotLength(10); // 960 samples
    Sidetone::RenderCharacter(QLatin1Char('T'), D, 0, 700, table, out);
    const int n = 3 * D;
    const double peak = 4 / 8.0 * 32767;
    int crossings = 0;
    double loudest = 0;
    for (int i = 1; i < n; ++i) {
        crossings += (out[size_t(i - 1)] < 0) != (out[size_t(i)] < 0);
        loudest = std::max(loudest, std::abs(double(out[size_t(i)])));
    }
    EXPECT_NEAR(crossings, 2.0 * 700 * n / 8000, 3);
    EXPECT_NEAR(loudest, peak, peak * 0.01);
    // The first and last samples are attenuated 32 and 33 times by 8/9: near zero.
    for (int i : {0, 1, 2, n - 3, n - 2, n - 1})
        EXPECT_LT(std::abs(out[size_t(i)]), peak * 0.05) << "sample " << i;
    EXPECT_EQ(Sidetone::RenderCharacter(QLatin1Char('T'), D, 0, 700, table, out), (3 * D + 3 * D) * 2);
}

TEST(SidetoneRenderer, Patterns)
{
    const std::pair<QChar, const char*> cases[] = {
        {QLatin1Char('A'), ".-"},         {QLatin1Char('Q'), "--.-"},      {QLatin1Char('9'), "----."},
        {QLatin1Char('?'), "..--.."},     {QLatin1Char('/'), "-..-."},     {QLatin1Char('='), "-...-"},
        {QLatin1Char(':'), ""},           {QChar(0x00D6), "---."},         {QChar(0x00DC), "..--"},
        {QLatin1Char('@'), ".-.-"},       {QLatin1Char('['), ""},          {QLatin1Char('a'), ""},
    };
    for (const auto& [c, pattern] : cases)
        EXPECT_EQ(Sidetone::MorsePattern(c), QLatin1String(pattern)) << QString(c).toStdString();
}

TEST(SidetoneSetters, Ranges)
{
    TCWSidetone s;
    s.SetPitch(100);
    EXPECT_EQ(s.Pitch(), 300);
    s.SetPitch(6000);
    EXPECT_EQ(s.Pitch(), 5000);
    s.SetVolume(-3);
    EXPECT_EQ(s.Volume(), 0);
    s.SetVolume(9);
    EXPECT_EQ(s.Volume(), 8);
    s.SetSpeed(0);
    EXPECT_EQ(s.Speed(), 1);
    EXPECT_EQ(Sidetone::DotLength(0), 9600);
    s.SetSpeed(uint8_t(30));
    EXPECT_EQ(s.Speed(), 30);
    s.Send("E");
    EXPECT_EQ(s.Queued(), ""); // stopped: nothing is queued
}

// A sidetone on the in-memory output device 0, its events recorded.
class SidetoneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        st = std::make_unique<TCWSidetone>();
        st->OnActive = [this](bool v) { Record(QStringLiteral("active %1").arg(v)); };
        st->OnKeyDown = [this](bool v) { Record(QStringLiteral("key %1").arg(v)); };
    }
    void TearDown() override
    {
        st.reset();
        vx::MemoryAudio::use(false);
    }
    void Record(const QString& e)
    {
        QMutexLocker lock(&mutex);
        events << e;
    }
    QStringList Events()
    {
        QMutexLocker lock(&mutex);
        return events;
    }
    void ClearEvents()
    {
        QMutexLocker lock(&mutex);
        events.clear();
    }
    vx::MemoryWaveOut* Device() { return vx::MemoryAudio::output(0); }
    void OpenAndWait()
    {
        st->Open();
        ASSERT_TRUE(waitUntil([&] { return st->Active() && Device(); }));
    }

    QMutex mutex;
    QStringList events;
    std::unique_ptr<TCWSidetone> st;
};

TEST_F(SidetoneTest, PlaysOneCharacterPerBufferUntilTheQueueIsEmpty)
{
    OpenAndWait();
    EXPECT_EQ(Events(), QStringList{"active 1"});
    st->SetSpeed(25);
    st->Send("CQ");
    ASSERT_TRUE(waitUntil([&] { return Device()->queuedBlocks() == 1; }));
    EXPECT_TRUE(st->KeyDown());
    EXPECT_EQ(st->Queued(), "Q"); // C is rendered, Q waits for the device
    vxtest::PlayOut(2);
    ASSERT_TRUE(waitUntil([&] { return !st->KeyDown(); }));
    EXPECT_EQ(Events(), (QStringList{"active 1", "key 1", "key 0"}));
    EXPECT_EQ(vxtest::ReadMorse(vxtest::Samples(Device()->played()), 384), "CQ");

    // A character longer than one buffer plays whole.
    st->SetSpeed(5);
    st->Send("0");
    vxtest::PlayOut(1);
    EXPECT_EQ(Device()->played().size(), 2 * (14 + 16) * 384 + 2 * 22 * 1920); // C, Q, then 0 whole
}

TEST_F(SidetoneTest, EventsAfterCloseAndOpenAgain)
{
    OpenAndWait();
    st->Close();
    ASSERT_TRUE(waitUntil([&] { return !st->Active(); }));
    EXPECT_EQ(Events(), QStringList{"active 1"}); // closing is silent
    st->Send("E");
    EXPECT_EQ(st->Queued(), "");

    ClearEvents();
    OpenAndWait();
    st->Send("E");
    vxtest::PlayOut(1);
    ASSERT_TRUE(waitUntil([&] { return Events().size() == 3; }));
    EXPECT_EQ(Events(), (QStringList{"active 1", "key 1", "key 0"}));

    // Open right after Close starts a new thread rather than finding the old one running.
    st->Close();
    st->Open();
    ASSERT_TRUE(waitUntil([&] { return st->Active(); }));
}

TEST_F(SidetoneTest, DeviceThatDoesNotOpenLeavesItStopped)
{
    vx::MemoryAudio::setOpenResult(true, 0, vx::WaveResult::BadDeviceId);
    st->Open();
    vxtest::spin(100);
    EXPECT_FALSE(st->Active());
    EXPECT_EQ(Events(), QStringList{});
    st->Send("E");
    EXPECT_EQ(st->Queued(), "");
    // A later Open tries again.
    vx::MemoryAudio::setOpenResult(true, 0, vx::WaveResult::Ok);
    OpenAndWait();
}

TEST_F(SidetoneTest, PaddlesQueueTheirElementsWhileHeld)
{
    OpenAndWait();
    st->SetPaddleLeft(true);
    ASSERT_TRUE(waitUntil([&] { return st->KeyDown(); }));
    EXPECT_EQ(st->Queued(), QString(149, QLatin1Char('{')));
    st->SetPaddleRight(true); // both: dots and dashes alternate
    EXPECT_EQ(st->Queued(), QString("{}").repeated(75));
    st->SetPaddleLeft(false); // the right one still held keeps sounding after this element
    EXPECT_EQ(st->Queued(), "");
    Device()->playNext();
    ASSERT_TRUE(waitUntil([&] { return st->Queued().startsWith("}}}"); }));
    st->SetPaddleRight(false);
    EXPECT_EQ(st->Queued(), "");
    vxtest::PlayOut(1); // the element on the air
    ASSERT_TRUE(waitUntil([&] { return !st->KeyDown(); }));
    vxtest::spin(50);
    EXPECT_EQ(st->Queued(), "");

    st->SetSwapPaddles(true);
    st->SetPaddleLeft(true);
    ASSERT_TRUE(waitUntil([&] { return st->Queued().startsWith("}"); }));
    st->Stop(); // empties the queue and releases the paddles
    EXPECT_FALSE(st->PaddleLeft());
    EXPECT_EQ(st->Queued(), "");
    vxtest::PlayOut(1);
    ASSERT_TRUE(waitUntil([&] { return !st->KeyDown(); }));
    vxtest::spin(50);
    EXPECT_EQ(st->Queued(), "");
}

TEST_F(SidetoneTest, BackspaceTakesTheLastQueuedCharacter)
{
    OpenAndWait();
    st->Send("ABC");
    ASSERT_TRUE(waitUntil([&] { return st->Queued() == "BC"; }));
    st->Backspace();
    EXPECT_EQ(st->Queued(), "B");
}
