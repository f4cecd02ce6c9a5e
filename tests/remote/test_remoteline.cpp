// The line format of the remote control link: encoding, splitting with its limit, status lines
// and the heartbeat stamp.
#include "remote/RemoteLine.h"
#include "tests/remote/LinkDoubles.h"

#include <gtest/gtest.h>

using namespace RemoteLine;

TEST(RemoteLine, EncodeKeepsOneLineOf7BitText)
{
    EXPECT_EQ(Encode("A0:FA00014074000;"), QByteArray("A0:FA00014074000;\r\n"));
    // One "?" per character outside 7-bit ASCII, also for a character beyond 16 bits.
    EXPECT_EQ(Encode(QString::fromUtf8("WK:DL\xc3\xa4 \xf0\x9f\x93\xbb;")), QByteArray("WK:DL? ?;\r\n"));
    // A CR or LF inside (an ADIF text) must not split the line.
    EXPECT_EQ(Encode("JT:<CALL:4>DL1A\r\n<EOR>;"), QByteArray("JT:<CALL:4>DL1A  <EOR>;\r\n"));
    // RTTY text transmits its carriage returns: a CR stays (the reader keeps it, as it is not
    // right before the LF), a LF becomes a CR.
    EXPECT_EQ(Encode("RM:\rCQ;TEST\r\nK;"), QByteArray("RM:\rCQ;TEST\r\rK;\r\n"));
    Reader r;
    QString line;
    r.Append(Encode("RS:\n"));
    ASSERT_EQ(r.Next(line), Reader::Result::Line);
    EXPECT_EQ(line, "RS:\r");
    EXPECT_EQ(Decode(QByteArray("MG:\xe4\xff ok")), "MG:?? ok");
}

TEST(RemoteLine, ReaderSplitsAtLineFeedAndDropsOneCarriageReturn)
{
    Reader r;
    QString line;
    r.Append("MG:Your Callsign:\r\nPI:1;\nA0:F");
    ASSERT_EQ(r.Next(line), Reader::Result::Line);
    EXPECT_EQ(line, "MG:Your Callsign:");
    ASSERT_EQ(r.Next(line), Reader::Result::Line);
    EXPECT_EQ(line, "PI:1;");
    EXPECT_EQ(r.Next(line), Reader::Result::None);
    r.Append("A;\r\r\n\n");
    ASSERT_EQ(r.Next(line), Reader::Result::Line);
    EXPECT_EQ(line, "A0:FA;\r"); // only the one CR before LF goes
    ASSERT_EQ(r.Next(line), Reader::Result::Line);
    EXPECT_EQ(line, "");
}

TEST(RemoteLine, ReaderLimit)
{
    QString line;
    // Exactly the limit is a line, in one piece or many.
    {
        Reader r;
        const QByteArray full(MaxLength, 'x');
        r.Append(full.left(10000));
        EXPECT_EQ(r.Next(line), Reader::Result::None);
        r.Append(full.mid(10000) + "\r");
        EXPECT_EQ(r.Next(line), Reader::Result::None);
        r.Append("\n");
        ASSERT_EQ(r.Next(line), Reader::Result::Line);
        EXPECT_EQ(line.size(), MaxLength);
    }
    // One byte more is too long, whether its LF has come or not; the bytes up to the next LF
    // are dropped, however they arrive, and the line after it is read.
    {
        Reader r;
        r.Append("PI:a;\r\n" + QByteArray(MaxLength + 1, 'y') + "\r\nPI:b;\r\n");
        ASSERT_EQ(r.Next(line), Reader::Result::Line);
        EXPECT_EQ(r.Next(line), Reader::Result::TooLong);
        ASSERT_EQ(r.Next(line), Reader::Result::Line);
        EXPECT_EQ(line, "PI:b;");
    }
    {
        Reader r;
        r.Append("PI:a;\r\n" + QByteArray(12000, 'z'));
        r.Append(QByteArray(8000, 'z'));
        ASSERT_EQ(r.Next(line), Reader::Result::Line);
        EXPECT_EQ(r.Next(line), Reader::Result::TooLong);
        EXPECT_EQ(r.Next(line), Reader::Result::None); // reported once
        r.Append(QByteArray(50000, 'z'));
        r.Append("zz\r\nPI:c;\r\n");
        ASSERT_EQ(r.Next(line), Reader::Result::Line);
        EXPECT_EQ(line, "PI:c;");
    }
}

TEST(RemoteLine, StatusLines)
{
    EXPECT_EQ(Welcome("shack"), "MG:Welcome to shack FT-2000 Remote Base Server");
    EXPECT_EQ(ShuttingDown("shack"), "MG:shack is shutting down");
    EXPECT_EQ(KeyerSpeedLine(10, 26, 40, 0, true), "WS:10|26|40|0|1;");
    EXPECT_EQ(KeyerTimingLine(26, 30), "WT:26|30;");
    EXPECT_EQ(KeyerSettingsLine(1, 2, 10, 40, 26, 30), "WR:1|2|10|40|26|30;");
    EXPECT_EQ(RTTYStateLine(true, false, true, 300), "RS:1;RB:0;RQ:1;RR:300;");
}

TEST(RemoteLine, Numbers)
{
    EXPECT_EQ(Number("300"), 300);
    EXPECT_EQ(Number(" 7 "), 7);
    EXPECT_EQ(Number("007"), 7);
    for (const char* bad : {"", "-1", "+1", "1a", "0x10", "1 2", "9999999999"})
        EXPECT_FALSE(Number(bad)) << bad;
}

TEST(RemoteLine, HeartbeatStamp)
{
    const QDateTime t(QDate(2024, 3, 9), QTime(7, 5, 4, 32));
    const QString stamp = HeartbeatStamp(t);
    EXPECT_EQ(stamp, "20240309-070504032");
    EXPECT_EQ(stamp.size(), 18);
    EXPECT_EQ(DecodeHeartbeatStamp(stamp + ";"), t);
    EXPECT_EQ(DecodeHeartbeatStamp("20241231-235959999"), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999)));
    for (const char* bad : {"20240230-070504032", "20240309-250504032", "2024030x-070504032", "20240309-07050403", ""})
        EXPECT_FALSE(DecodeHeartbeatStamp(bad)) << bad;
}
