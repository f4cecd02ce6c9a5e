// The previous-QSO lookup follows every change of the log: QSOs logged, edited, deleted,
// reloaded, and another own call.
#include "LogFixture.h"

#include <algorithm>

namespace {

QStringList Calls(const TLogInterface& log)
{
    QStringList calls;
    for (const TLogData& d : log.LogDataList())
        calls << d.Call;
    return calls;
}

} // namespace

TEST_F(LogFixture, PreviousQSOLookupFollowsTheLog)
{
    writeLog({QSOLine("DL1ABC", "20210305", "120000"), QSOLine("DL2XX", "20220101", "120000", "40m", "SSB"),
              QSOLine("DL1ABC", "20190101", "100000", "15m")});
    ASSERT_TRUE(openAndWait());

    log->FindQSOsLogPanel("DL", bd20, mCW);
    EXPECT_EQ(Calls(*log), QStringList({"DL2XX", "DL1ABC", "DL1ABC"})); // newest first

    // Logged: a new call and one more QSO of a known one, both between the others by time.
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine("DL3NEW", "20200101", "000000", "80m"));
    ASSERT_TRUE(log->AddQSO(r));
    log->FindQSOsLogPanel("DL", bd80, mCW);
    EXPECT_EQ(Calls(*log), QStringList({"DL2XX", "DL1ABC", "DL3NEW", "DL1ABC"}));
    EXPECT_EQ(events.last(), "4 QSOs with DL -- worked before on 80m CW");

    // Edited to another call: found under the new one only.
    ASSERT_TRUE(log->EditQSO(rowOf("DL2XX")));
    log->EditRecord().SetCall("OE1ZZ");
    log->SaveQSO();
    log->WaitForWriter();
    log->FindQSOsLogPanel("DL2", bd40, mSSB);
    EXPECT_TRUE(Calls(*log).isEmpty());
    log->FindQSOsLogPanel("OE1ZZ", bd40, mSSB);
    EXPECT_EQ(Calls(*log), QStringList({"OE1ZZ"}));
    EXPECT_EQ(events.last(), "1 QSO with OE1ZZ -- worked before on 40m SSB");

    // Deleted.
    log->FilterQSOs();
    ASSERT_TRUE(log->DeleteQSO(rowOf("DL3NEW")));
    log->WaitForWriter();
    log->FindQSOsLogPanel("DL3", bd80, mCW);
    EXPECT_TRUE(Calls(*log).isEmpty());

    // Reloaded: the same answers from the file.
    ASSERT_TRUE(openAndWait());
    log->FindQSOsLogPanel("DL", bd20, mCW);
    EXPECT_EQ(Calls(*log), QStringList({"DL1ABC", "DL1ABC"}));
}

TEST_F(LogFixture, PreviousQSOLookupKeepsLineOrderForOddTimes)
{
    // A time that is no number is ordered by the line's text, as the log orders it.
    QString oddLine = QSOLine("DL1ABC", "20210305", "120000");
    oddLine.replace(";120000;", ";1159.9;"); // between the two others in the log's order
    writeLog({QSOLine("DL1ABC", "20210305", "115800"), oddLine, QSOLine("DL1ABC", "20210305", "120001")});
    ASSERT_TRUE(openAndWait());
    log->FindQSOsLogPanel("DL1ABC", bd20, mCW);
    ASSERT_EQ(log->LogDataList().size(), 3);
    QStringList lines;
    for (qsizetype i = 0; i < log->LogDataList().size(); ++i)
        lines << log->LogDataList().LineAt(i);
    QStringList expected = lines;
    std::sort(expected.begin(), expected.end(),
              [](const QString& a, const QString& b) { return vx::loglines::CompareLines(b, a) < 0; });
    EXPECT_EQ(lines, expected);
}
