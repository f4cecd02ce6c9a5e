// The remote audio wire format: framing, control frames, field reading, and the login check.
#include "remote/RACodec.h"
#include "remote/RAProtocol.h"
#include "remote/RAServer.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace RAProtocol;

namespace {

QByteArray Length(qint32 n)
{
    QByteArray b(4, Qt::Uninitialized);
    qToBigEndian<qint32>(n, b.data());
    return b;
}

std::vector<QByteArray> ReadAll(const QByteArray& stream, FrameReader::Result* last = nullptr)
{
    FrameReader reader;
    reader.Append(stream);
    std::vector<QByteArray> blocks;
    QByteArray payload;
    for (;;) {
        const auto r = reader.Next(payload);
        if (last)
            *last = r;
        if (r != FrameReader::Result::Block)
            break;
        blocks.push_back(payload);
    }
    return blocks;
}

} // namespace

TEST(RAFraming, BlocksSplitAtTheirLengthsWhateverTheChunks)
{
    const QByteArray audio(1000, 'a');
    const QByteArray stream = EncodeBlock(audio) + EncodeBlock(QByteArray()) + EncodeCommand(PTTOn);
    EXPECT_EQ(stream.left(4), Length(1000));

    // Byte by byte, as a slow peer would deliver it.
    FrameReader reader;
    std::vector<QByteArray> blocks;
    QByteArray payload;
    for (char c : stream) {
        reader.Append(QByteArray(1, c));
        while (reader.Next(payload) == FrameReader::Result::Block)
            blocks.push_back(payload);
    }
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0], audio);
    EXPECT_TRUE(blocks[1].isEmpty()); // a length of 0 is an empty audio block
    EXPECT_EQ(blocks[2].size(), ControlFrameBytes);
    EXPECT_EQ(DecodeControl(blocks[2]).value_or("?"), "REMAUD||P:1||");
    EXPECT_EQ(reader.Buffered(), 0);
}

TEST(RAFraming, NegativeAndHugeLengthsAreRefusedAtTheHeader)
{
    for (const qint32 n : {-1, std::numeric_limits<qint32>::min(), MaxBlockBytes + 1, std::numeric_limits<qint32>::max()}) {
        FrameReader::Result last{};
        // Only the header arrives: the verdict must not wait for (or allocate) the payload.
        EXPECT_TRUE(ReadAll(Length(n) + "xyz", &last).empty()) << n;
        EXPECT_EQ(last, FrameReader::Result::BadLength) << n;
    }
    FrameReader::Result last{};
    const QByteArray big(MaxBlockBytes, 'b');
    const auto blocks = ReadAll(EncodeBlock(big), &last);
    ASSERT_EQ(blocks.size(), 1u); // exactly 1 MiB is still a block
    EXPECT_EQ(blocks[0].size(), MaxBlockBytes);
}

TEST(RAFraming, ControlFrameCarriesTheFirst75CharactersInUtf16LE)
{
    const QByteArray payload = EncodeCommandPayload("REMAUD||E:1||");
    ASSERT_EQ(payload.size(), 150);
    EXPECT_EQ(payload.left(4), QByteArray("R\0E\0", 4));
    EXPECT_EQ(payload.mid(26, 2), QByteArray(" \0", 2)); // padded with blanks

    // A long text is cut: only 75 characters arrive, the rest is lost.
    const QString longText = "REMAUD||I:" + QString(100, QChar(u'\u00e9'));
    EXPECT_EQ(DecodeControl(EncodeCommandPayload(longText)).value_or(""), longText.left(75));
}

TEST(RAFraming, OnlyTextsBeginningWithThePrefixAreControlFrames)
{
    // Leading blanks and control characters are trimmed before the check.
    EXPECT_EQ(DecodeControl(EncodeCommandPayload("  \t\r\nREMAUD||P:0||")).value_or(""), "REMAUD||P:0||");
    EXPECT_FALSE(DecodeControl(EncodeCommandPayload("REMAUD|P:1||")));
    EXPECT_FALSE(DecodeControl(EncodeCommandPayload("remaud||P:1||")));
    EXPECT_FALSE(DecodeControl(QByteArray(150, 'x')));       // audio of exactly 150 bytes
    EXPECT_FALSE(DecodeControl(QByteArray(150, '\0')));      // silence
    EXPECT_FALSE(DecodeControl(EncodeCommandPayload("x").left(149)));
    EXPECT_EQ(StripPrefix("REMAUD||REMAUD||P:1||"), "P:1||");
    EXPECT_EQ(StripPrefix("REMAUD||U:a||P:xREMAUD||y||"), "U:a||P:xREMAUD||y||"); // values keep it
}

TEST(RAFraming, NoCaptureBufferIsExactly150Bytes)
{
    for (int c = 0; c < CodecCount; ++c)
        for (uint8_t bits : {8, 16})
            for (uint8_t channels : {1, 2})
                for (uint16_t ms = 10; ms <= 1000; ++ms) {
                    TRACodec codec;
                    codec.SetCodec(TCodec(c));
                    codec.SetBitsPerSample(bits);
                    codec.SetChannels(channels);
                    codec.SetBufferLength(ms);
                    codec.ACMWaveFormat();
                    ASSERT_NE(codec.BufferSize(), 150u) << c << " " << int(bits) << " " << int(channels) << " " << ms;
                }
}

TEST(RAFraming, AudioOf150BytesGoesOutAsTwoBlocksThatPlayTheSame)
{
    QByteArray audio(150, Qt::Uninitialized);
    for (int i = 0; i < 150; ++i)
        audio[i] = char(i);
    const auto blocks = ReadAll(EncodeAudio(audio.constData(), audio.size()));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_NE(blocks[0].size(), 150);
    EXPECT_EQ(blocks[0].size() % 4, 0); // whole frames of every layout
    EXPECT_EQ(blocks[0] + blocks[1], audio);
    EXPECT_EQ(ReadAll(EncodeAudio(audio.constData(), 149)).size(), 1u);
}

TEST(RAFields, ReadInOrderSoValuesCannotPoseAsKeys)
{
    const auto fields = Fields("U:bob||P:pwC:GSM610_8||M:2||B:16||C:PCM22||M:1||B:8||");
    EXPECT_EQ(Field(fields, "U").value_or("?"), "bob");
    EXPECT_EQ(Field(fields, "P").value_or("?"), "pwC:GSM610_8");
    EXPECT_EQ(Field(fields, "C").value_or("?"), "PCM22");
    // The first field of each key counts.
    EXPECT_EQ(CodecFields("U:bob||P:pwC:GSM610_8||M:2||B:16||C:PCM22||M:1||B:8||"), "REMAUD||C:PCM22||M:2||B:16||");
    // A password holding "C:", "M:" and "B:" and nothing else: no codec fields at all.
    EXPECT_EQ(CodecFields("U:bob||P:C:GSM610_22 M:2 B:16||"), "");
    // A value cut by the 75-character limit (no closing "||") is ignored.
    EXPECT_EQ(CodecFields("C:PCM44||M:2||B:1"), "REMAUD||C:PCM44||M:2||");
    // Unusable values are left out, as the codec's own parser would leave them.
    EXPECT_EQ(CodecFields("C:||M:3||B:12||"), "");
    EXPECT_EQ(CodecFields("C:pcm11||M:2x||"), "REMAUD||C:PCM8||M:2||");
}

struct LoginCase {
    const char* name;
    QString users;
    QString password;
    QString login;
    bool valid;
    QString user;
};

class RALogin : public ::testing::TestWithParam<LoginCase> {
};

TEST_P(RALogin, CheckLogin)
{
    const LoginCase& c = GetParam();
    TRAAuthentication auth;
    auth.SetUsers(c.users.isEmpty() ? QStringList() : c.users.split(','));
    auth.SetPassword(c.password);
    QString user = "stale";
    EXPECT_EQ(auth.CheckLogin(c.login, user), c.valid);
    EXPECT_EQ(user, c.user);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RALogin,
    ::testing::Values(
        LoginCase{"Valid", "DL1ABC,W1AW", "secret", "U:W1AW||P:secret||C:PCM8||M:1||B:8||", true, "W1AW"},
        LoginCase{"WrongPassword", "W1AW", "secret", "U:W1AW||P:Secret||C:PCM8||M:1||B:8||", false, ""},
        LoginCase{"UserIsCaseSensitive", "W1AW", "secret", "U:w1aw||P:secret||", false, ""},
        LoginCase{"UnknownUser", "W1AW", "secret", "U:K1ABC||P:secret||", false, ""},
        LoginCase{"EmptyServerPassword", "W1AW", "", "U:W1AW||P:||", false, ""},
        LoginCase{"EmptyUsersList", "", "secret", "U:W1AW||P:secret||", false, ""},
        LoginCase{"EmptyUserName", ",W1AW", "secret", "U:||P:secret||", false, ""},
        LoginCase{"NoFields", "W1AW", "secret", "hello", false, ""},
        LoginCase{"PasswordHoldingKeys", "W1AW", "aU:xP:y", "U:W1AW||P:aU:xP:y||C:PCM8||", true, "W1AW"},
        LoginCase{"PasswordCut", "W1AW", "secret", "U:W1AW||P:secr", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RALogin, WhatArrivesOfLongLogins)
{
    // With GSM610_22 and 16 bits the fixed parts leave 35 characters for the whole login.
    auto arrives = [](const QString& user, const QString& password) {
        const QString login = LoginText(user, password, "GSM610_22", 1, 16);
        return StripPrefix(*DecodeControl(EncodeCommandPayload(login)));
    };
    TRAAuthentication auth;
    auth.SetUsers({"U" + QString(24, 'u')});
    auth.SetPassword(QString(25, 'p'));
    QString user;
    // 50 characters together: the login is accepted, its codec part is lost.
    const QString fifty = arrives("U" + QString(24, 'u'), QString(25, 'p'));
    EXPECT_TRUE(auth.CheckLogin(fifty, user));
    EXPECT_EQ(CodecFields(fifty), "");
    // 60 characters together: the password arrives incomplete.
    auth.SetUsers({"U" + QString(29, 'u')});
    auth.SetPassword(QString(30, 'p'));
    EXPECT_FALSE(auth.CheckLogin(arrives("U" + QString(29, 'u'), QString(30, 'p')), user));
}

TEST(RALogin, LoginTextIsJoinedNotFormatted)
{
    EXPECT_EQ(LoginText("a%1", "%2b", "PCM8", 1, 8), "REMAUD||U:a%1||P:%2b||C:PCM8||M:1||B:8||");
}

TEST(RATraffic, RateTextHasOneDecimalAndDotsForEverySeparator)
{
    EXPECT_EQ(TrafficRateText(0), "0.0 kB/s");
    EXPECT_EQ(TrafficRateText(1536), "1.5 kB/s");
    EXPECT_EQ(TrafficRateText(8000), "7.8 kB/s");
    EXPECT_EQ(TrafficRateText(2 * 1024 * 1024 + 512), "2.048.5 kB/s");
}
