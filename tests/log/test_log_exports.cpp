// Exports of the open log: plain ADIF from a date, the LoTW upload file and its flags, the
// eQSL upload file, their texts, and a file that cannot be written.
#include "ImportFixture.h"

#include "log/LoTWInterface.h"
#include "platform/Clock.h"

namespace {

// Stands in for TQSL: counts the uploads it was asked for; the test says how they end.
class UploadDouble : public TLoTWInterface {
public:
    void Start() override
    {
        SetExportFinished(false);
        ++Starts;
    }
    void Finish(bool success) { Fire(OnUploadFinished, success); }
    // The report "arrives" at once, with as many QSLs as told.
    void DownloadADIFReport() override { Fire(OnLoTWDownload, true, ReportQSLs); }
    int Starts = 0;
    int ReportQSLs = 0;
};

QString Line(const QString& call, const QString& date, const QString& lotwSent = "N", const QString& eqslSent = "N",
             const QString& station = OwnCall)
{
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine(call, date, "120000", "20m", "CW", {}, station));
    r.SetQSLLoTWSent(lotwSent);
    r.SetQSLeQSLSent(eqslSent);
    r.SetRSTSent("599");
    return r.QSOLine();
}

class Exports : public ImportFixture {
protected:
    void SetUp() override
    {
        ImportFixture::SetUp();
        auto lotw = std::make_unique<UploadDouble>();
        upload = lotw.get();
        log->SetLoTWInterface(std::move(lotw));
        log->OnLoTWExport = [this](const QString& t) { exportTexts << t; };
    }

    QString flag(const QString& call, int field) const { return qso(call).FieldAsString(field); }

    UploadDouble* upload = nullptr;
    QStringList exportTexts;
};

} // namespace

TEST_F(Exports, ADIFExportWritesTheOwnQSOsSinceTheDate)
{
    openLog({Line("AA1A", "20200101"), Line("BB1B", "20210301"), Line("CC1C", "20210302", "N", "N", "OTHER1")});
    const QString file = dir.filePath("all.adi");
    ASSERT_TRUE(log->ADIFExport(file, false, "19450101"));
    const QStringList lines = fileLines(file);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("ADIF Export from Vornix (")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(")"));
    EXPECT_EQ(lines[1], "<PROGRAMID:6>Vornix");
    EXPECT_EQ(lines[2], "<EOH>");
    EXPECT_TRUE(lines[3].startsWith("<STATION_CALLSIGN:4>OWN1 <QSO_DATE:8>20200101 ")) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].contains("<CALL:4>BB1B"));
    EXPECT_TRUE(lines[4].endsWith("<EOR>"));
    EXPECT_EQ(events.last(), "2 QSOs exported");
    EXPECT_EQ(exportTexts.last(), QStringLiteral("2 QSOs exported to: %1").arg(file));
    EXPECT_EQ(log->LastADIFExport(), "20210301");
    EXPECT_EQ(log->LastExportFolder(), dir.path());

    // From a date on: the text of the date decides.
    ASSERT_TRUE(log->ADIFExport(file, false, "20210101"));
    EXPECT_EQ(fileLines(file).size(), 4);
    EXPECT_FALSE(log->ADIFExport(file, false, "20220101"));
    EXPECT_EQ(events.last(), "No QSOs exported");
    EXPECT_EQ(fileLines(file).size(), 4); // the earlier file stays
}

TEST_F(Exports, LoTWExportTakesWhatWasNotSentAndMarksItOnlyAfterTheUpload)
{
    openLog({Line("NNN1", "20200101", "N"), Line("QQQ1", "20200102", "Q"), Line("RRR1", "20200103", "R"),
             Line("III1", "20200104", "I"), Line("YYY1", "20200105", "Y")});
    const QString file = dir.filePath("lotw.adi");
    ASSERT_TRUE(log->ADIFExport(file, true, "19450101"));
    EXPECT_EQ(upload->Starts, 1);
    const QStringList lines = fileLines(file);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[3].startsWith("<CALL:4>NNN1 "));
    EXPECT_TRUE(lines[4].startsWith("<CALL:4>QQQ1 "));
    EXPECT_EQ(log->LastLoTWExport(), "20200102");
    EXPECT_EQ(log->LastLoTWExportFolder(), dir.path());

    // A failed upload marks nothing: the next export sends them again.
    const QByteArray logBefore = readBytes();
    upload->Finish(false);
    log->WaitForWriter();
    EXPECT_EQ(flag("NNN1", LogField::QSLLoTWSent), "N");
    EXPECT_EQ(flag("QQQ1", LogField::QSLLoTWSent), "Q");
    EXPECT_EQ(readBytes(), logBefore);
    ASSERT_TRUE(log->ADIFExport(file, true, "19450101"));
    EXPECT_EQ(fileLines(file).size(), 5);

    upload->Finish(true);
    log->WaitForWriter();
    for (const char* call : {"NNN1", "QQQ1", "YYY1"})
        EXPECT_EQ(flag(call, LogField::QSLLoTWSent), "Y") << call;
    EXPECT_EQ(flag("RRR1", LogField::QSLLoTWSent), "R");
    EXPECT_EQ(flag("III1", LogField::QSLLoTWSent), "I");
    EXPECT_EQ(fileLines().mid(1), log->LogBook());
    EXPECT_FALSE(log->LoTWInterface()->ExportFinished());

    EXPECT_FALSE(log->ADIFExport(file, true, "19450101"));
    EXPECT_EQ(exportTexts.last(), "No QSOs exported");
    EXPECT_EQ(events.last(), "No QSOs exported");
    EXPECT_TRUE(log->LoTWInterface()->ExportFinished());
    EXPECT_EQ(upload->Starts, 2);
}

TEST_F(Exports, eQSLExportWritesTheQueueAndLeavesItQueued)
{
    openLog({Line("AA1A", "20200101", "N", "Q"), Line("BB1B", "20200102", "N", "N"), Line("CC1C", "20200103", "N", "Q")});
    const QString file = dir.filePath("eqsl.adi");
    EXPECT_EQ(log->eQSLExportPrepare(file), 2);
    EXPECT_EQ(events.last(), "2 QSOs exported");
    const QStringList lines = fileLines(file);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], "<QSO_DATE:8>20200101 <TIME_ON:4>1200 <CALL:4>AA1A <MODE:2>CW <BAND:3>20m <RST_SENT:3>599 <EOR>");
    EXPECT_EQ(flag("AA1A", LogField::QSLeQSLSent), "Q");
    EXPECT_EQ(log->eQSLExportPrepare(file), 2);

    openLog(); // the same file, reloaded
    log->SetMyCall("OTHER1");
    EXPECT_EQ(log->eQSLExportPrepare(file), 0);
    EXPECT_EQ(events.last(), "No QSOs found in eQSL Sent Queue");
}

TEST_F(Exports, AnEmptyLogExportsNothing)
{
    openLog();
    const QString file = dir.filePath("none.adi");
    EXPECT_FALSE(log->ADIFExport(file, true, "19450101"));
    EXPECT_EQ(events.last(), "No QSOs exported, logbook is empty");
    EXPECT_EQ(exportTexts.last(), "No QSOs exported, logbook is empty");
    EXPECT_EQ(log->eQSLExportPrepare(file), 0);
    EXPECT_EQ(upload->Starts, 0);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Exports, AnExportThatCannotBeWrittenMarksNothing)
{
    openLog({Line("NNN1", "20200101", "N")});
    const QString file = dir.filePath("full.adi");
    bool written = true;
    {
        FileSizeLimit full(20);
        written = log->ADIFExport(file, true, "19450101");
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(upload->Starts, 0);
    EXPECT_TRUE(events.last().startsWith(QStringLiteral("Exporting to %1 failed: ").arg(file)))
        << events.last().toStdString();
    EXPECT_FALSE(QFile::exists(file));
    upload->Finish(true);
    EXPECT_EQ(flag("NNN1", LogField::QSLLoTWSent), "N");
    EXPECT_TRUE(log->LastLoTWExport().isEmpty());
}

TEST_F(Exports, LastExportDates)
{
    vx::Clock::useManual(QDateTime(QDate(2024, 6, 15), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(log->LastADIFExportDate(), QDate(2024, 6, 15));
    log->SetLastADIFExport("20210230");
    EXPECT_EQ(log->LastADIFExportDate(), QDate());
    log->SetLastLoTWExportDate(QDate(2021, 5, 3));
    EXPECT_EQ(log->LastLoTWExport(), "20210503");
    EXPECT_EQ(log->LastLoTWExportDate(), QDate(2021, 5, 3));
    vx::Clock::useSystem();
}

TEST_F(Exports, TheReportDownloadAsksSinceTheDateAndPassesTheResultOn)
{
    upload->ReportQSLs = 85;
    int qsls = -1;
    log->OnLoTWDownload = [&](bool success, int32_t n) { qsls = success ? n : -2; };
    log->LoTWDownloadADIFReport("2024-05-03");
    EXPECT_EQ(upload->LoTWLastQSL(), QDate(2024, 5, 3));
    EXPECT_EQ(qsls, 85);
}

TEST(LoTWInterface, LastQSLDateAsText)
{
    TLoTWInterface lotw;
    EXPECT_EQ(lotw.LoTWLastQSL(), QDate(vx::Clock::nowUtc().toLocalTime().date().year(), 1, 1));
    EXPECT_TRUE(lotw.SetLoTWLastQSLAsString("2021-05-03 12:00:00"));
    EXPECT_EQ(lotw.LoTWLastQSLAsString(), "2021-05-03");
    EXPECT_FALSE(lotw.SetLoTWLastQSLAsString("03.05.2021"));
    EXPECT_EQ(lotw.LoTWLastQSLAsString(), "2021-05-03");
    EXPECT_TRUE(lotw.SetLoTWLastQSLAsString(""));
    EXPECT_EQ(lotw.LoTWLastQSL(), QDate());
    EXPECT_EQ(lotw.LoTWLastQSLAsString(), "");

    lotw.SetAllStationLocations({"DJ3EI=Home", "DJ3EI/P=Field", "DJ3EI=Club"});
    lotw.SetStationLocation("Home");
    lotw.SetMyCall("DJ3EI");
    EXPECT_EQ(lotw.MyStationLocations(), QStringList({"Home", "Club"}));
    EXPECT_TRUE(lotw.StationLocation().isEmpty());
    lotw.SetMyCall("dj3ei");
    EXPECT_TRUE(lotw.MyStationLocations().isEmpty());
}
