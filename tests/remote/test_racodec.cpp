#include "remote/RACodec.h"

#include <gtest/gtest.h>

TEST(RACodec, CodecNames)
{
    const TCodec all[] = {PCM8, PCM11, PCM22, PCM44, GSM610_8, GSM610_11, GSM610_22};
    for (TCodec c : all)
        EXPECT_EQ(StringToCodec(CodecToString(c)), c) << CodecToString(c).toStdString();
    EXPECT_EQ(CodecToString(GSM610_11), "GSM610_11");
    const struct {
        const char* text;
        TCodec codec;
    } cases[] = {{"PCM8", PCM8}, {"pcm11", PCM8}, {"", PCM8}, {"PCM11", PCM11}, {"GSM610_22 ", PCM8}, {"GSM", PCM8}};
    for (const auto& c : cases)
        EXPECT_EQ(StringToCodec(QString::fromLatin1(c.text)), c.codec) << c.text;
}

TEST(RACodec, SettersClampAndDefaults)
{
    TRACodec codec;
    EXPECT_EQ(codec.Codec(), PCM8);
    EXPECT_EQ(codec.BitsPerSample(), 8);
    EXPECT_EQ(codec.Channels(), 1);
    EXPECT_EQ(codec.BufferCount(), 4);
    EXPECT_EQ(codec.BufferLength(), 10);
    EXPECT_EQ(codec.SamplesPerSec(), 8000u);
    EXPECT_TRUE(codec.UserChosenCodec());

    const struct {
        uint8_t in, out;
    } bits[] = {{4, 8}, {24, 16}, {12, 12}, {8, 8}, {16, 16}, {0, 8}, {255, 16}};
    for (const auto& b : bits) {
        codec.SetBitsPerSample(b.in);
        EXPECT_EQ(codec.BitsPerSample(), b.out) << int(b.in);
    }
    const struct {
        uint8_t in, out;
    } channels[] = {{0, 1}, {1, 1}, {2, 2}, {5, 2}};
    for (const auto& c : channels) {
        codec.SetChannels(c.in);
        EXPECT_EQ(codec.Channels(), c.out) << int(c.in);
    }
    codec.SetBufferCount(0);
    EXPECT_EQ(codec.BufferCount(), 2);
    codec.SetBufferLength(5);
    EXPECT_EQ(codec.BufferLength(), 10);
    codec.SetBufferLength(250);
    EXPECT_EQ(codec.BufferLength(), 250);
}

TEST(RACodec, SettingsWhileActiveWaitForTheClose)
{
    TRACodec codec;
    codec.SetActive(true);
    codec.SetCodec(GSM610_11);
    codec.SetChannels(2);
    codec.SetBufferLength(40);
    codec.SetDeviceID(3);
    EXPECT_EQ(codec.Codec(), GSM610_11); // pending value reads back
    EXPECT_EQ(codec.Channels(), 2);
    EXPECT_EQ(codec.DeviceID(), 3u);
    EXPECT_EQ(codec.BufferLength(), 10); // always the applied value
    EXPECT_EQ(codec.SamplesPerSec(), 8000u);
    EXPECT_TRUE(codec.CodecMessage().startsWith("REMAUD||C:PCM8||M:1||B:8||"));
    EXPECT_TRUE(codec.GetNewCodecMessage().startsWith("REMAUD||C:GSM610_11||M:2||B:8||"));

    codec.SetActive(false);
    EXPECT_EQ(codec.SamplesPerSec(), 11025u);
    EXPECT_EQ(codec.BufferLength(), 40);
    EXPECT_EQ(codec.DeviceID(), 3u);
    EXPECT_TRUE(codec.CodecMessage().startsWith("REMAUD||C:GSM610_11||M:2||B:8||"));
}

TEST(RACodec, WaveFormats)
{
    const struct {
        TCodec codec;
        uint8_t bits, channels;
        uint16_t tag, nChannels;
        uint32_t rate, avg;
        uint16_t align, wBits, cbSize, samplesPerBlock;
    } cases[] = {
        {PCM8, 8, 1, 1, 1, 8000, 8000, 1, 8, 0, 0},
        {PCM11, 16, 1, 1, 1, 11025, 22050, 2, 16, 0, 0},
        {PCM22, 8, 2, 1, 2, 22050, 44100, 2, 8, 0, 0},
        {PCM44, 16, 2, 1, 2, 44100, 176400, 4, 16, 0, 0},
        {GSM610_8, 16, 2, 0x31, 1, 8000, 1625, 65, 0, 2, 320}, // one channel whatever Channels says
        {GSM610_11, 8, 1, 0x31, 1, 11025, 2239, 65, 0, 2, 320},
        {GSM610_22, 8, 1, 0x31, 1, 22050, 4479, 65, 0, 2, 320},
    };
    for (const auto& c : cases) {
        TRACodec codec;
        codec.SetCodec(c.codec);
        codec.SetBitsPerSample(c.bits);
        codec.SetChannels(c.channels);
        const TACMWaveFormat f = codec.ACMWaveFormat();
        SCOPED_TRACE(CodecToString(c.codec).toStdString());
        EXPECT_EQ(f.wfx.wFormatTag, c.tag);
        EXPECT_EQ(f.wfx.nChannels, c.nChannels);
        EXPECT_EQ(f.wfx.nSamplesPerSec, c.rate);
        EXPECT_EQ(f.wfx.nAvgBytesPerSec, c.avg);
        EXPECT_EQ(f.wfx.nBlockAlign, c.align);
        EXPECT_EQ(f.wfx.wBitsPerSample, c.wBits);
        EXPECT_EQ(f.wfx.cbSize, c.cbSize);
        EXPECT_EQ(f.wSamplesPerBlock, c.samplesPerBlock);
    }
}

TEST(RACodec, BufferSize)
{
    const struct {
        TCodec codec;
        uint8_t bits, channels;
        uint16_t ms;
        uint32_t bytes;
    } cases[] = {
        {PCM8, 8, 1, 10, 80},
        {GSM610_8, 8, 1, 10, 65},   // 16 bytes raised to one block
        {GSM610_8, 8, 1, 100, 195}, // 162.5 rounds to 163, raised to three blocks
        {PCM11, 8, 1, 10, 110},     // 110.25
        {PCM11, 16, 2, 10, 444},    // 441 raised to a whole frame of 4 bytes
        {PCM44, 16, 2, 10, 1764},
        {GSM610_22, 8, 1, 20, 130}, // 89.58
    };
    for (const auto& c : cases) {
        TRACodec codec;
        codec.SetCodec(c.codec);
        codec.SetBitsPerSample(c.bits);
        codec.SetChannels(c.channels);
        codec.SetBufferLength(c.ms);
        codec.ACMWaveFormat();
        EXPECT_EQ(codec.BufferSize(), c.bytes) << CodecToString(c.codec).toStdString() << " " << c.ms << " ms";
    }
}

TEST(RACodec, CodecMessagesAreAlways150Characters)
{
    for (int c = PCM8; c <= GSM610_22; ++c)
        for (uint8_t ch : {1, 2})
            for (uint8_t bits : {8, 12, 16}) {
                TRACodec codec;
                codec.SetCodec(TCodec(c));
                codec.SetChannels(ch);
                codec.SetBitsPerSample(bits);
                EXPECT_EQ(codec.CodecMessage().size(), 150);
                EXPECT_EQ(codec.GetNewCodecMessage().size(), 150);
            }
    TRACodec codec;
    codec.SetCodec(PCM22);
    codec.SetChannels(2);
    codec.SetBitsPerSample(16);
    EXPECT_EQ(codec.CodecMessage(), QStringLiteral("REMAUD||C:PCM22||M:2||B:16||") + QString(122, QLatin1Char(' ')));
}

TEST(RACodec, CodecRequest)
{
    const struct {
        const char* text;
        bool changed;
        TCodec codec;
        uint8_t channels, bits;
    } cases[] = {
        {"REMAUD||C:GSM610_22||M:1||B:16||", true, GSM610_22, 1, 16},
        {"REMAUD||C:PCM8||M:1||B:8||", false, PCM8, 1, 8},
        {"REMAUD||C:||M:2||B:8||", true, PCM8, 2, 8},        // empty codec value leaves the codec
        {"REMAUD||C:PCM44||M:3||B:8||", true, PCM44, 1, 8},  // channel count 3 leaves it
        {"REMAUD||C:PCM44||M:2||B:12||", true, PCM44, 2, 8}, // bit depth 12 leaves it
        {"REMAUD||C:pcm44||M:1||B:8||", false, PCM8, 1, 8},  // unknown name gives PCM8
        {"REMAUD||C:PCM11", false, PCM8, 1, 8},              // value without "||" is ignored
        {"REMAUD||P:1||", false, PCM8, 1, 8},
        {"REMAUD||E:1||", false, PCM8, 1, 8},
        {"M:2||", true, PCM8, 2, 8},
        // The first occurrence anywhere counts, also inside a user name of a login text.
        {"REMAUD||U:OM:2||P:x||C:PCM11||M:1||B:16||", true, PCM11, 2, 16},
    };
    for (const auto& c : cases) {
        TRACodec codec;
        EXPECT_EQ(codec.CodecRequest(QString::fromLatin1(c.text)), c.changed) << c.text;
        EXPECT_EQ(codec.Codec(), c.codec) << c.text;
        EXPECT_EQ(codec.Channels(), c.channels) << c.text;
        EXPECT_EQ(codec.BitsPerSample(), c.bits) << c.text;
    }

    TRACodec codec;
    const QString request = QStringLiteral("REMAUD||C:GSM610_22||M:1||B:16||");
    EXPECT_TRUE(codec.CodecRequest(request));
    EXPECT_FALSE(codec.CodecRequest(request));

    TRACodec fixed;
    fixed.SetUserChosenCodec(false);
    EXPECT_FALSE(fixed.CodecRequest(request));
    EXPECT_EQ(fixed.Codec(), PCM8);

    // While the direction is open the request becomes pending.
    TRACodec open;
    open.SetActive(true);
    EXPECT_TRUE(open.CodecRequest(request));
    EXPECT_EQ(open.Codec(), GSM610_22);
    EXPECT_EQ(open.SamplesPerSec(), 8000u);
    open.SetActive(false);
    EXPECT_EQ(open.SamplesPerSec(), 22050u);
}

TEST(RACodec, DisplayTexts)
{
    const struct {
        TCodec codec;
        uint8_t channels, bits;
        const char* text;
    } texts[] = {
        {PCM44, 2, 16, "PCM 44.1 kHz stereo 16 bit"},
        {PCM8, 1, 8, "PCM 8 kHz mono 8 bit"},
        {PCM22, 1, 16, "PCM 22 kHz mono 16 bit"},
        {GSM610_11, 2, 16, "GSM 11 kHz mono"},
        {GSM610_22, 1, 8, "GSM 22 kHz mono"},
    };
    for (const auto& t : texts) {
        TRACodec codec;
        codec.SetCodec(t.codec);
        codec.SetChannels(t.channels);
        codec.SetBitsPerSample(t.bits);
        EXPECT_EQ(codec.CodecText(), QString::fromLatin1(t.text));
    }

    const struct {
        TCodec codec;
        uint8_t bits, channels;
        const char* text;
    } rates[] = {
        {PCM44, 16, 2, "Transfer rate: 172 kB/s"},
        {PCM8, 8, 1, "Transfer rate: 8 kB/s"},
        {PCM22, 16, 1, "Transfer rate: 43 kB/s"},
        {PCM11, 12, 2, "Transfer rate: 22 kB/s"}, // only 16 counts as two bytes
        {GSM610_8, 16, 2, "Transfer rate: 1.8 kB/s"},
        {GSM610_11, 8, 1, "Transfer rate: 2.2 kB/s"},
        {GSM610_22, 8, 1, "Transfer rate: 5.2 kB/s"},
    };
    for (const auto& r : rates)
        EXPECT_EQ(TRACodec::GetTransferRate(r.codec, r.bits, r.channels), QString::fromLatin1(r.text));
}
