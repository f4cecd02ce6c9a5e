// Capture and playback components on in-memory devices: buffer handling, limits, failures and
// the routing of device notifications.
#include "platform/GsmCodec.h"
#include "remote/CallbackForm.h"
#include "remote/RAAudio.h"
#include "tests/support/Wait.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <thread>

namespace {

void settle()
{
    // Notifications are posted: let them arrive.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class RAAudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::MemoryAudio::use(true);
        in.SetAudioComponent(actWaveIn);
        in.Prepare();
        out.SetAudioComponent(actWaveOut);
        out.Prepare();
        router.SetClientAudio(&in, &out);
        router.SetApplicationType(isRemoteClient);
        in.OnAudioData = [this](void* data, uint32_t size) { captured.emplace_back(static_cast<char*>(data), qsizetype(size)); };
        in.OnException = [this](const QString& m) { errors << m; };
        out.OnException = [this](const QString& m) { errors << m; };
    }
    void TearDown() override
    {
        in.Close();
        out.Close();
        settle();
        vx::MemoryAudio::use(false);
    }

    vx::MemoryWaveIn* device(uint32_t id = 0) { return vx::MemoryAudio::input(id); }
    vx::MemoryWaveOut* player(uint32_t id = 0) { return vx::MemoryAudio::output(id); }

    TCallbackForm router;
    TRAAudio in, out;
    std::vector<QByteArray> captured;
    QStringList errors;
};

QByteArray ramp(int n)
{
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        b[i] = char(i & 0xFF);
    return b;
}

} // namespace

TEST_F(RAAudioTest, CaptureHandsOutCopiesAndRecyclesBuffers)
{
    in.Codec().SetBufferLength(10); // PCM8 8-bit mono: 80 bytes
    in.SetActive(true);
    ASSERT_TRUE(in.Active());
    EXPECT_TRUE(in.Codec().Active());
    ASSERT_NE(device(), nullptr);
    EXPECT_EQ(in.RAWaveIn()->BufferSize(), 80u);
    EXPECT_EQ(in.RAWaveIn()->NumBuffers(), 3); // always three, whatever the codec says
    EXPECT_EQ(device()->queuedBuffers(), 3);

    const QByteArray sound = ramp(200);
    device()->feed(sound);
    settle();
    ASSERT_EQ(captured.size(), 2u);
    EXPECT_EQ(captured[0], sound.left(80));
    EXPECT_EQ(captured[1], sound.mid(80, 80));
    // Both filled buffers are back in the ring, one is partly filled.
    EXPECT_EQ(device()->queuedBuffers(), 3);
    EXPECT_EQ(in.RAWaveIn()->BufferCount(), 3);

    // A buffer that comes back empty is recycled without being handed out.
    device()->flush(); // the partly filled one
    settle();
    ASSERT_EQ(captured.size(), 3u);
    EXPECT_EQ(captured[2], sound.mid(160));
    device()->flush(); // an empty one
    settle();
    EXPECT_EQ(captured.size(), 3u);
    EXPECT_EQ(device()->queuedBuffers(), 3);

    in.SetActive(false);
    EXPECT_FALSE(in.Active());
    EXPECT_EQ(in.RAWaveIn()->BufferCount(), 0);
    EXPECT_EQ(device(), nullptr);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
}

TEST_F(RAAudioTest, CaptureSettingsChangeOnlyAtTheNextOpen)
{
    in.SetActive(true);
    in.Open(); // already open: stays so
    EXPECT_TRUE(in.Active());
    TRAWaveIn* w = in.RAWaveIn();
    w->SetBufferSize(500);
    w->SetNumBuffers(10);
    EXPECT_EQ(w->BufferSize(), 80u);
    EXPECT_EQ(w->NumBuffers(), 3);

    // The codec takes a new length while open as pending; capture uses it after reopening.
    in.Codec().SetBufferLength(20);
    EXPECT_EQ(in.Codec().BufferLength(), 10);
    in.Close();
    in.Open();
    EXPECT_EQ(w->BufferSize(), 160u);
}

TEST_F(RAAudioTest, DisabledComponentOpensNothing)
{
    in.SetEnabled(false);
    out.SetEnabled(false);
    in.Open();
    out.Open();
    EXPECT_FALSE(in.Active());
    EXPECT_EQ(vx::MemoryAudio::attempts(false, 0), 0);
    EXPECT_EQ(vx::MemoryAudio::attempts(true, 0), 0);
}

TEST_F(RAAudioTest, CaptureOpenFailureIsReportedOnceAndNotRetried)
{
    vx::MemoryAudio::setOpenResult(false, 0, vx::WaveResult::Allocated);
    in.Open();
    in.Open();
    in.SetActive(true);
    EXPECT_FALSE(in.Active());
    EXPECT_FALSE(in.Codec().Active());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Cannot open Audio Input Device!\n\rThe specified resource is already in use.");
    EXPECT_EQ(vx::MemoryAudio::attempts(false, 0), 1);

    // An explicit close lets the next open try again.
    vx::MemoryAudio::setOpenResult(false, 0, vx::WaveResult::Ok);
    in.Close();
    in.Open();
    EXPECT_TRUE(in.Active());
    EXPECT_EQ(vx::MemoryAudio::attempts(false, 0), 2);
}

TEST_F(RAAudioTest, CaptureStartFailureGivesTheDeviceBack)
{
    vx::MemoryAudio::setStartResult(0, 99);
    in.Open();
    EXPECT_FALSE(in.Active());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Cannot start Audio Input Device! \n\rUnknown error raised (code #99)");
    EXPECT_EQ(device(), nullptr); // closed again, buffers released
    EXPECT_EQ(in.RAWaveIn()->BufferCount(), 0);

    vx::MemoryAudio::setStartResult(0, vx::WaveResult::Ok);
    in.Close();
    in.Open();
    EXPECT_TRUE(in.Active());
}

TEST_F(RAAudioTest, UnsupportedFormatIsReported)
{
    in.Codec().SetBitsPerSample(12); // kept by the codec, refused by the device
    in.Open();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Cannot open Audio Input Device!\n\rUnsupported audio format.");
}

TEST_F(RAAudioTest, PlaybackLimitOverrun)
{
    const QByteArray block = ramp(160);
    out.SetLimitOverrun(2);
    out.Codec().SetBufferLength(1000); // only the block limit drops here
    out.Open();
    EXPECT_FALSE(out.Active()); // the open notification is still on its way
    settle();
    EXPECT_TRUE(out.Active());
    ASSERT_NE(player(), nullptr);
    for (int i = 0; i < 4; ++i)
        out.Play(block.constData(), int(block.size()));
    EXPECT_EQ(out.BufferCount(), 3u); // the fourth was dropped
    EXPECT_EQ(player()->queuedBlocks(), 3);

    ASSERT_TRUE(player()->playNext());
    settle();
    EXPECT_EQ(out.BufferCount(), 2u);
    out.Play(block.constData(), int(block.size()));
    EXPECT_EQ(out.BufferCount(), 3u);
    while (player()->playNext()) {
    }
    settle();
    EXPECT_EQ(out.BufferCount(), 0u);
    EXPECT_EQ(player()->played(), block + block + block + block);

    // Without a limit nothing is dropped.
    out.Close();
    settle();
    out.SetLimitOverrun(0);
    out.Open();
    for (int i = 0; i < 20; ++i)
        out.Play(block.constData(), int(block.size()));
    EXPECT_EQ(out.BufferCount(), 20u);
}

// Blocks that differ from each other, so that what is played shows which of them survived.
QByteArray numberedBlocks(int count, int size, int first = 0)
{
    QByteArray all;
    for (int b = first; b < first + count; ++b)
        for (int i = 0; i < size; ++i)
            all.append(char((b * 37 + i) & 0xFF));
    return all;
}

// A burst of received blocks (the start of a session, or what comes after a stall) is cut to
// the playback buffer plus the newest block, the oldest sound first, so it does not stay as
// delay.
TEST_F(RAAudioTest, PlaybackCutsABurstToTheBufferAndTheNewestBlock)
{
    struct Case {
        const char* name;
        TCodec codec;
        uint16_t bufferMs;
        int blockBytes;
        int blocks;
        int keptBytes; // of PCM played
    };
    // PCM8 8-bit mono is 8 bytes a millisecond; a GSM block is 65 bytes for 40 ms, 640 of PCM.
    const Case cases[] = {
        {"whole blocks go", PCM8, 20, 80, 10, 240},
        {"part of a block goes, in whole samples", PCM8, 20, 120, 4, 160 + 120},
        {"one block alone is never cut", PCM8, 10, 800, 1, 800},
        {"within the bound nothing goes", PCM8, 30, 80, 4, 320},
        {"GSM blocks count by their duration", GSM610_8, 20, 65, 4, 320 + 640},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        out.Codec().SetCodec(c.codec);
        out.Codec().SetBufferLength(c.bufferMs);
        out.Open();
        settle();
        ASSERT_NE(player(), nullptr);
        const QByteArray all = numberedBlocks(c.blocks, c.blockBytes);
        for (int b = 0; b < c.blocks; ++b)
            out.Play(all.constData() + b * c.blockBytes, c.blockBytes);
        while (player()->playNext()) {
        }
        EXPECT_EQ(player()->played().size(), c.keptBytes);
        if (c.codec == PCM8) {
            EXPECT_EQ(player()->played(), all.right(c.keptBytes));
        }
        settle();
        EXPECT_EQ(out.BufferCount(), 0u); // dropped blocks came back to be freed as well
        out.Close();
        settle();
    }
}

TEST_F(RAAudioTest, PlaybackAtTheRateItIsPlayedLosesNothingAndAStallIsCut)
{
    const int size = 80; // 10 ms
    out.Codec().SetBufferLength(20);
    out.Open();
    settle();
    ASSERT_NE(player(), nullptr);
    QByteArray expected;
    int next = 0;
    const auto play = [&](int count) {
        const QByteArray blocks = numberedBlocks(count, size, next);
        next += count;
        for (int b = 0; b < count; ++b)
            out.Play(blocks.constData() + b * size, size);
        return blocks;
    };

    // Two blocks ahead, then one in for each one out.
    expected += play(2);
    for (int i = 0; i < 200; ++i) {
        expected += play(1);
        ASSERT_TRUE(player()->playNext());
        QCoreApplication::processEvents();
    }
    // Playback stalls while eight blocks come in: the two that were waiting and the first five
    // go, the last three are left.
    expected.chop(2 * size);
    expected += play(8).right(3 * size);
    // Playing on, with the two ahead again.
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(player()->playNext());
        expected += play(1);
    }
    while (player()->playNext()) {
    }
    EXPECT_EQ(player()->played(), expected);
    settle();
    EXPECT_EQ(out.BufferCount(), 0u);
}

TEST_F(RAAudioTest, PlaybackIgnoresEmptyClosedAndClosing)
{
    const QByteArray block = ramp(16);
    out.Play(block.constData(), int(block.size())); // closed
    out.Open();
    out.Play(block.constData(), 0);
    EXPECT_EQ(out.BufferCount(), 0u);
    out.Play(block.constData(), int(block.size()));
    EXPECT_EQ(out.BufferCount(), 1u);

    TRAWaveOut* w = out.RAWaveOut();
    w->Close(); // closing until the close notification arrives
    EXPECT_TRUE(w->Active());
    EXPECT_EQ(w->BufferCount(), 0);
    w->Play(block.constData(), int(block.size()));
    EXPECT_EQ(w->BufferCount(), 0);
    settle();
    EXPECT_FALSE(w->Active());
    EXPECT_FALSE(out.Active());
}

TEST_F(RAAudioTest, PlaybackOpenFailureIsReportedOnceAndBlocksAreDropped)
{
    vx::MemoryAudio::setOpenResult(true, 0, vx::WaveResult::BadDeviceId);
    const QByteArray block = ramp(80);
    // As the audio server does for every received block: open when not active, then play.
    for (int i = 0; i < 5; ++i) {
        if (!out.Active())
            out.Open();
        out.Play(block.constData(), int(block.size()));
    }
    settle();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Cannot open Audio Output Device!\n\rThe specified resource does not exist.");
    EXPECT_EQ(vx::MemoryAudio::attempts(true, 0), 1);
    EXPECT_TRUE(out.OpenFailed());
    EXPECT_EQ(out.BufferCount(), 0u);
}

TEST_F(RAAudioTest, OpenFromAnotherThreadHappensOnTheGuiThread)
{
    const QByteArray block = ramp(80);
    out.Codec().SetBufferLength(10000); // more than all the blocks: nothing is dropped
    std::thread t([&] {
        for (int i = 0; i < 10; ++i) {
            if (!out.Active())
                out.Open();
            out.Play(block.constData(), int(block.size()));
        }
    });
    t.join();
    EXPECT_EQ(vx::MemoryAudio::attempts(true, 0), 0); // handed over, not done on that thread
    settle();
    EXPECT_EQ(vx::MemoryAudio::attempts(true, 0), 1);
    EXPECT_TRUE(out.Active());

    // Several threads play while the GUI thread takes the blocks back.
    std::atomic<int> finished{0};
    std::vector<std::thread> players;
    for (int p = 0; p < 4; ++p)
        players.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                out.Play(block.constData(), int(block.size()));
            ++finished;
        });
    while (finished < 4 || player()->queuedBlocks() > 0) {
        player()->playNext();
        QCoreApplication::processEvents();
    }
    for (auto& th : players)
        th.join();
    settle();
    EXPECT_EQ(out.BufferCount(), 0u);
    EXPECT_EQ(player()->played().size(), 800 * block.size()); // no limit: nothing dropped
}

TEST_F(RAAudioTest, GsmIsConvertedByTheDevices)
{
    in.Codec().SetCodec(GSM610_8);
    out.Codec().SetCodec(GSM610_8);
    out.Codec().SetBufferLength(100);
    in.Open();
    out.Open();
    ASSERT_TRUE(in.Active());
    EXPECT_EQ(in.RAWaveIn()->BufferSize(), 65u);

    QByteArray pcm(2 * 320 * 2, Qt::Uninitialized); // two blocks of 16-bit samples
    for (int i = 0; i < 640; ++i) {
        const int16_t v = int16_t(8000 * std::sin(2 * M_PI * 700 * i / 8000.0));
        pcm[2 * i] = char(v & 0xFF);
        pcm[2 * i + 1] = char((v >> 8) & 0xFF);
    }
    device()->feed(pcm);
    settle();
    ASSERT_EQ(captured.size(), 2u);
    EXPECT_EQ(captured[0].size(), 65);

    out.Play(captured[0].constData(), int(captured[0].size()));
    out.Play(captured[1].constData(), int(captured[1].size()));
    while (player()->playNext()) {
    }
    EXPECT_EQ(player()->played().size(), 2 * 640); // decoded to 16-bit PCM
}

TEST(RAAudio, ChannelMixer)
{
    TRAAudio audio;
    auto run = [&](TCodec codec, uint8_t channels, uint8_t bits, QByteArray data, bool left, bool right) {
        audio.Codec().SetCodec(codec);
        audio.Codec().SetChannels(channels);
        audio.Codec().SetBitsPerSample(bits);
        audio.ChannelMixer(data.data(), uint32_t(data.size()), left, right);
        return data;
    };
    const QByteArray stereo16("\x01\x02\x03\x04\x05\x06\x07\x08", 8); // L=0201 R=0403, L=0605 R=0807
    const QByteArray stereo8("\x10\x20\x30\x40", 4);
    // Unchanged: mono, GSM, or both channels wanted.
    EXPECT_EQ(run(PCM8, 1, 16, stereo16, false, true), stereo16);
    EXPECT_EQ(run(GSM610_8, 2, 16, stereo16, false, true), stereo16);
    EXPECT_EQ(run(PCM8, 2, 16, stereo16, true, true), stereo16);
    // One channel on both ears.
    EXPECT_EQ(run(PCM8, 2, 16, stereo16, false, true), QByteArray("\x03\x04\x03\x04\x07\x08\x07\x08", 8));
    EXPECT_EQ(run(PCM8, 2, 16, stereo16, true, false), QByteArray("\x01\x02\x01\x02\x05\x06\x05\x06", 8));
    EXPECT_EQ(run(PCM8, 2, 8, stereo8, true, false), QByteArray("\x10\x10\x30\x30", 4));
    EXPECT_EQ(run(PCM8, 2, 8, stereo8, false, true), QByteArray("\x20\x20\x40\x40", 4));
}

TEST_F(RAAudioTest, LocalRoleDropsNotifications)
{
    router.SetApplicationType(isLocal);
    in.Open();
    ASSERT_TRUE(in.Active());
    device()->feed(ramp(80));
    settle();
    EXPECT_TRUE(captured.empty());
    EXPECT_EQ(device()->queuedBuffers(), 2); // the filled buffer never came back
}

TEST_F(RAAudioTest, RouterFollowsTheRole)
{
    TRAAudio serverIn, serverOut;
    serverIn.SetAudioComponent(actWaveIn);
    serverIn.Prepare();
    serverOut.SetAudioComponent(actWaveOut);
    serverOut.Prepare();
    serverIn.Codec().SetDeviceID(1);
    serverOut.Codec().SetDeviceID(1);
    std::vector<QByteArray> serverCaptured;
    serverIn.OnAudioData = [&](void* data, uint32_t size) { serverCaptured.emplace_back(static_cast<char*>(data), qsizetype(size)); };
    router.SetServerAudio(&serverIn, &serverOut);
    EXPECT_EQ(serverIn.WindowHandle(), nullptr); // not its role yet
    EXPECT_EQ(in.WindowHandle(), &router);

    router.SetApplicationType(isRemoteServer);
    EXPECT_EQ(serverIn.WindowHandle(), &router);
    serverIn.Open();
    serverOut.Open();
    settle();
    EXPECT_TRUE(serverOut.Active());
    vx::MemoryAudio::input(1)->feed(ramp(80));
    settle();
    EXPECT_EQ(serverCaptured.size(), 1u);

    // The role changes while the server's playback is closing: its close notification goes
    // to the client's components, which ignore it; the server's playback opens again anyway.
    serverOut.Close();
    router.SetApplicationType(isRemoteClient);
    settle();
    EXPECT_FALSE(out.Active());
    router.SetApplicationType(isLocalAndRemoteServer);
    serverOut.Open();
    settle();
    EXPECT_TRUE(serverOut.Active());
    EXPECT_EQ(vx::MemoryAudio::attempts(true, 1), 2);
    serverIn.Close();
    serverOut.Close();
    settle();
}
