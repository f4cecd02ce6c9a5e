// QSOs in the open log: adding, editing, deleting, QSL queueing, the worked-before index
// and the earlier QSOs of a call.
#include "LogFixture.h"

namespace {

TLogRecord Record(const QString& line)
{
    TLogRecord r;
    r.ExplodeQSOLine(line);
    return r;
}

} // namespace

TEST_F(LogFixture, EditSavesOnlyTheEditedFieldsWhileFiltersAndNewQSOsRunMeanwhile)
{
    // Field texts as another program wrote them: the edit must not rewrite them.
    const QString a = "OWN1;2021-03-05;1200;DL1ABC;20m;cw;;14.02;;;;599;;579;;old;; Hans ;Bonn;JO30;230;EU;14;;;N;;N;;N;N;;;;N;N";
    const QString c = QSOLine("K1XYZ", "20210306", "130000");
    writeLog({a, c});
    ASSERT_TRUE(openAndWait());

    int editModes = 0;
    log->OnEditMode = [&](bool on) { editModes += on ? 1 : -1; };
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    EXPECT_TRUE(log->EditMode());
    EXPECT_EQ(log->EditRecord().Name(), "Hans");

    // Meanwhile: a filter runs, and a QSO arrives through the working record.
    TLogFilter f;
    f.SetCall("K1");
    log->FilterQSOs(f);
    log->LogRecord().ExplodeQSOLine(QSOLine("F5AA", "20210307", "140000", "40m", "SSB", "new one"));
    ASSERT_TRUE(log->AddQSO());
    EXPECT_EQ(log->EditRecord().Call(), "DL1ABC");

    log->EditRecord().SetComment("edited");
    log->SaveQSO();
    EXPECT_FALSE(log->EditMode());
    EXPECT_EQ(editModes, 0);
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "DL1ABC saved");

    QString expected = a;
    expected.replace(";old;", ";edited;");
    const QString f5 = QSOLine("F5AA", "20210307", "140000", "40m", "SSB", "new one");
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), expected, c, f5}));

    // Saving without an edit in progress reports nothing and changes nothing.
    events.clear();
    const QByteArray before = readBytes();
    log->SaveQSO();
    log->WaitForWriter();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(readBytes(), before);
}

TEST_F(LogFixture, DeleteInEditModeDoesNotMarkTheStationWorked)
{
    const QString a = QSOLine("DL1ABC", "20210305", "120000");
    const QString b = QSOLine("K1XYZ", "20210306", "130000");
    writeLog({a, b});
    ASSERT_TRUE(openAndWait());
    EXPECT_TRUE(log->SearchLog("DL1ABC", bd20, mtCW));
    QStringList logged;
    log->OnLogQSO = [&](const QString& call, TBand, TModeType) { logged << call; };

    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    log->EditRecord().SetComment("delete");
    log->SaveQSO();
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "DL1ABC QSO deleted");
    EXPECT_TRUE(logged.isEmpty());
    EXPECT_FALSE(log->SearchLog("DL1ABC", bd20, mtCW));
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), b}));

    // DELETE with further words is a comment like any other.
    ASSERT_TRUE(log->EditQSO(rowOf("K1XYZ")));
    log->EditRecord().SetComment("DELETE later");
    log->SaveQSO();
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "K1XYZ saved");
    EXPECT_EQ(logged, QStringList({"K1XYZ"}));
    EXPECT_EQ(Record(log->LogBook().at(0)).Comment(), "DELETE later");
}

TEST_F(LogFixture, RowsKeepNamingTheirQSOWhenLinesComeAndGo)
{
    const QString b = QSOLine("K1XYZ", "20210306", "130000");
    const QString c = QSOLine("JA1AA", "20210307", "140000");
    writeLog({b, c});
    ASSERT_TRUE(openAndWait());
    const int32_t rowC = rowOf("JA1AA");
    const int32_t rowB = rowOf("K1XYZ");

    // An older QSO takes its place before both.
    ASSERT_TRUE(log->AddQSO(Record(QSOLine("DL1ABC", "20200101", "000000"))));
    ASSERT_TRUE(log->DeleteQSO(rowC));
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "QSO deleted");
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), QSOLine("DL1ABC", "20200101", "000000"), b}));

    // A row whose QSO is gone is refused, never applied to another QSO.
    EXPECT_FALSE(log->DeleteQSO(rowC));
    EXPECT_FALSE(log->EditQSO(rowC));
    EXPECT_FALSE(log->QSLQueue(qqLoTW, rowC));
    EXPECT_EQ(events.last(), "The QSO is no longer in the log");
    EXPECT_FALSE(log->DeleteQSO(-1));

    // The QSO being edited is deleted meanwhile: saving is refused and edit mode ends.
    ASSERT_TRUE(log->EditQSO(rowB));
    ASSERT_TRUE(log->DeleteQSO(rowB));
    log->EditRecord().SetComment("too late");
    log->SaveQSO();
    EXPECT_EQ(events.last(), "The QSO is no longer in the log");
    EXPECT_FALSE(log->EditMode());
    log->WaitForWriter();
    EXPECT_EQ(fileLines(), QStringList({TLogRecord::FileHeader(), QSOLine("DL1ABC", "20200101", "000000")}));
}

TEST_F(LogFixture, QSLQueueMarksOnlyUnsentFlags)
{
    TLogRecord r = Record(QSOLine("DL1ABC", "20210305", "120000"));
    r.SetQSLSent("R");
    r.SetQSLLoTWSent("Y");
    const QString a = r.QSOLine();
    writeLog({a});
    ASSERT_TRUE(openAndWait());
    const int32_t row = rowOf("DL1ABC");

    EXPECT_FALSE(log->QSLQueue(qqLoTW, row)); // "Y" stays
    EXPECT_EQ(log->LogBook(), QStringList({a}));
    EXPECT_TRUE(log->QSLQueue(qqCard, row));  // "R" becomes "Q"
    EXPECT_TRUE(log->QSLQueue(qqeQSL, row));  // "N" becomes "Q"; the row still names the QSO
    EXPECT_FALSE(log->QSLQueue(qqeQSL, row)); // already queued
    const TLogRecord queued = Record(log->LogBook().at(0));
    EXPECT_EQ(queued.QSLSent(), "Q");
    EXPECT_EQ(queued.QSLLoTWSent(), "Y");
    EXPECT_EQ(queued.QSLeQSLSent(), "Q");
    EXPECT_EQ(readBytes(), (TLogRecord::FileHeader() + "\r\n" + a + "\r\n").toUtf8()); // not saved yet
    log->SaveLog();
    log->WaitForWriter();
    EXPECT_EQ(fileLines().at(1), log->LogBook().at(0));
}

TEST_F(LogFixture, WorkedBeforeIndexByCallBandAndModeClass)
{
    writeLog({QSOLine("DL1ABC", "20210305", "120000", "20m", "CW"),
              QSOLine("K1XYZ", "20210306", "130000", "40m", "AM"),
              QSOLine("F5AA", "20210307", "140000", "15m", "SSB"),
              QSOLine("JA1AA", "20210308", "150000", "10m", "FT8"),
              QSOLine("G4XX", "20210308", "150000", "10m", "FT8", {}, "OTHER")});
    ASSERT_TRUE(openAndWait());
    const struct {
        const char* call;
        TBand band;
        TModeType type;
        bool withMode, withoutMode;
    } cases[] = {
        {"DL1ABC", bd20, mtCW, true, true},       {"dl1abc", bd20, mtCW, true, true},
        {"DL1ABC", bd20, mtPhone, false, true},   {"DL1ABC", bd40, mtCW, false, false},
        {"DL1ABC", bd20, mtAll, false, true},     {"K1XYZ", bd40, mtPhone, false, true}, // AM is class D
        {"K1XYZ", bd40, mtDigital, true, true},   {"F5AA", bd15, mtPhone, true, true},
        {"JA1AA", bd10, mtDigital, true, true},   {"G4XX", bd10, mtDigital, false, false}, // another station's
        {"DL1AB", bd20, mtCW, false, false},
    };
    for (bool byMode : {true, false}) {
        log->SetSearchLogBandAndMode(byMode);
        for (const auto& c : cases)
            EXPECT_EQ(log->SearchLog(c.call, c.band, c.type), byMode ? c.withMode : c.withoutMode)
                << c.call << " " << int(c.band) << " " << int(c.type) << " by mode " << byMode;
    }

    // A logged QSO is found at once, in both forms.
    ASSERT_TRUE(log->AddQSO(Record(QSOLine("VK2AA", "20210309", "000000", "30m", "RTTY"))));
    EXPECT_TRUE(log->SearchLog("VK2AA", bd30, mtAll));
    log->SetSearchLogBandAndMode(true);
    EXPECT_TRUE(log->SearchLog("VK2AA", bd30, mtDigital));

    // Another own call sign: the index follows.
    log->SetMyCall("OTHER");
    EXPECT_TRUE(log->SearchLog("G4XX", bd10, mtDigital));
    EXPECT_FALSE(log->SearchLog("DL1ABC", bd20, mtCW));
}

TEST_F(LogFixture, EarlierQSOsOfATypedCall)
{
    TLogRecord exact = Record(QSOLine("DL", "20190101", "100000", "40m", "SSB"));
    exact.SetName("Exact");
    TLogRecord older = Record(QSOLine("DL", "20180101", "100000", "80m", "SSB"));
    older.SetName("Older");
    older.SetGridSquare("JO31");
    writeLog({QSOLine("DL1ABC", "20210305", "120000", "20m", "CW"), exact.QSOLine(), older.QSOLine(),
              QSOLine("DL2XX", "20220101", "120000", "20m", "SSB"), QSOLine("K1DL", "20220102", "120000"),
              QSOLine("DL9ZZ", "20230101", "120000", "20m", "CW", {}, "OTHER")});
    ASSERT_TRUE(openAndWait());

    int data = 0;
    log->OnLogData = [&] { ++data; };
    events.clear();
    log->FindQSOsLogPanel("D", bd20, mCW);
    EXPECT_EQ(data, 0);
    EXPECT_TRUE(events.isEmpty());

    TLogInfo info;
    log->OnLogInfo = [&](const TLogInfo& i) { info = i; };
    log->FindQSOsLogPanel("DL", bd20, mCW);
    EXPECT_EQ(events.last(), "4 QSOs with DL -- worked before on 20m CW");
    QStringList calls;
    for (const TLogData& d : log->LogDataList())
        calls << d.Call;
    EXPECT_EQ(calls, QStringList({"DL2XX", "DL1ABC", "DL", "DL"}));
    EXPECT_EQ(info.QSOs(), 4);
    EXPECT_EQ(info.Name(), "Exact");     // newest QSO of exactly DL
    EXPECT_EQ(info.GridSquare(), "JO31"); // first value found wins

    log->FindQSOsLogPanel("DL2XX", bd15, mNone);
    EXPECT_EQ(events.last(), "1 QSO with DL2XX -- new on 15m ");

    // The band and mode of the view filter narrow the list, not the count.
    TLogFilter f;
    f.SetMode("SSB");
    f.SetCall("ignored here");
    log->FilterQSOs(f);
    log->FindQSOsLogPanel("DL", bd40, mSSB);
    EXPECT_EQ(log->LogDataList().size(), 3);
    EXPECT_EQ(events.last(), "4 QSOs with DL -- worked before on 40m SSB");

    // An empty call shows the filtered view again.
    log->FindQSOsLogPanel("", bd40, mSSB);
    EXPECT_EQ(log->LogDataList().size(), 0);

    // Another own call sign searches its own QSOs.
    log->FilterQSOs(TLogFilter());
    log->SetMyCall("OTHER");
    log->FindQSOsLogPanel("DL9", bd20, mCW);
    EXPECT_EQ(events.last(), "1 QSO with DL9 -- worked before on 20m CW");
}

TEST_F(LogFixture, ChangesWaitForARunningLoad)
{
    const QString a = QSOLine("DL1ABC", "20210305", "120000");
    writeLog({a});
    ASSERT_TRUE(openAndWait());
    ASSERT_TRUE(log->EditQSO(rowOf("DL1ABC")));
    const int32_t row = rowOf("DL1ABC");
    ASSERT_TRUE(log->Open());
    ASSERT_TRUE(log->Open()); // a newer load replaces the first one's result
    log->EditRecord().SetComment("edited");
    log->SaveQSO();
    EXPECT_EQ(events.last(), "test.log is still loading");
    EXPECT_TRUE(log->EditMode());
    EXPECT_FALSE(log->DeleteQSO(row));
    EXPECT_FALSE(log->QSLQueue(qqCard, row));
    const int before = loaded;
    log->WaitForWriter();
    EXPECT_EQ(loaded, before + 1);

    // The same QSO is found again in the reloaded list.
    log->SaveQSO();
    log->WaitForWriter();
    EXPECT_EQ(events.last(), "DL1ABC saved");
    EXPECT_EQ(Record(fileLines().at(1)).Comment(), "edited");
}

TEST_F(LogFixture, MyCallIsNormalised)
{
    log->SetMyCall("dl1-abc /p");
    EXPECT_EQ(log->MyCall(), "DL1ABC/P");
    EXPECT_EQ(log->LogRecord().MyCall(), "DL1ABC/P");
}
