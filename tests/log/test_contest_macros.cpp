// Contest serial numbers and the message macros of CW and RTTY texts.
#include "log/LogInterface.h"

#include <gtest/gtest.h>

#include "QStringPrint.h"

TEST(Contest, SerialNumberText)
{
    TLogInterface log;
    const std::pair<uint32_t, const char*> cases[] = {{1, "001"}, {42, "042"}, {100, "100"}, {1234, "1234"}, {0, "000"}};
    for (const auto& [n, text] : cases) {
        log.Contest().SetNextSerialNumber(n);
        EXPECT_EQ(log.Contest().NextSerialNumberAsString(), text);
    }
    TContest fresh(&log);
    EXPECT_EQ(fresh.NextSerialNumber(), 1u);
    EXPECT_EQ(fresh.NextSerialNumberAsString(), "001");
}

TEST(Contest, ConsecutiveNumbersComeWithADigitsOnlySentField)
{
    TLogInterface log;
    QStringList order;
    log.OnIncrementSerialNumbersTX = [&](bool v) { order << QString("inc %1").arg(v); };
    log.OnNumbersOnlySerialTX = [&](bool v) { order << QString("tx %1").arg(v); };
    log.OnNumbersOnlySerialRX = [&](bool v) { order << QString("rx %1").arg(v); };
    TContest& c = log.Contest();

    c.SetLastSerialNumber("17");
    c.SetIncrementSerialNumbersTX(true);
    EXPECT_EQ(order, QStringList({"inc 1", "tx 1"}));
    c.SetNumbersOnlySerialTX(false); // stays on
    EXPECT_TRUE(c.NumbersOnlySerialTX());
    EXPECT_EQ(order.last(), "tx 1");
    c.SetLastSerialNumber("18"); // ignored while numbering consecutively
    EXPECT_EQ(c.LastSerialNumber(), "17");
    c.SetIncrementSerialNumbersTX(false);
    EXPECT_TRUE(c.NumbersOnlySerialTX());
    order.clear();
    c.SetNumbersOnlySerialRX(true);
    c.SetNumbersOnlySerialRX(true);
    EXPECT_EQ(order, QStringList({"rx 1"}));
}

TEST(MessageParser, Macros)
{
    TLogInterface log;
    log.SetMyCall("OWN1");
    log.SetMyLocator("JO31LK");
    TLogRecord& r = log.LogRecord();
    r.SetLogWindowCall("DL1ABC");
    r.SetLogWindowName("Jürgen");
    r.SetLogWindowRST("599");
    r.SetLogWindowSTX("009");
    const struct {
        const char* in;
        QString out;
    } cases[] = {
        {"<RST> <RSTN>", "599 5NN"},
        {"<STXN>", "TTN"},
        {"<mycall> de <CALL>", "OWN1 de DL1ABC"},
        {"<MYGRID> <MYGRID4>", "JO31LK JO31"},
        {"<NAME>", QStringLiteral("JÜRGEN")},
        {"a<CR>b<cr>", "a\rb\r"},
        {"no macros", "no macros"},
        {"<STX> <STXN>", "009 TTN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(log.MessageParser(c.in), c.out) << c.in;

    r.SetLogWindowSTX("190");
    EXPECT_EQ(log.MessageParser("<STXN>"), "1NT");
    log.SetMyLocator("");
    EXPECT_EQ(log.MessageParser("<MYGRID>|<MYGRID4>"), "|<MYGRID4>");
    // A value that holds a later macro is expanded by that later step.
    r.SetLogWindowCall("<CR>");
    EXPECT_EQ(log.MessageParser("<CALL>"), "\r");
}
