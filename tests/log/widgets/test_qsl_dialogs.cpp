// The dialogs of the QSL services: LoTW export and upload through TQSL, the LoTW report
// download and log update, the eQSL upload and the ADIF export; their states, texts and
// pictures.
#include "../ImportFixture.h"
#include "../TQSLStandIn.h"
#include "../WebFixture.h"

#include "controls/widgets/RCPanel.h"
#include "log/LoTWInterface.h"
#include "log/LogLines.h"
#include "log/eQSLInterface.h"
#include "log/widgets/LoTWDownload.h"
#include "log/widgets/LogADIFExport.h"
#include "log/widgets/LogLoTWExport.h"
#include "log/widgets/eQSLExport.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "DialogChecks.h"

namespace {

const QDateTime Now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);

QString Line(const QString& station, const QString& call, const QString& date, const QString& lotwSent = "N")
{
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine(call, date, "120000", "20m", "CW", {}, station));
    r.SetQSLLoTWSent(lotwSent);
    return r.QSOLine();
}

QStringList MemoLines(const QPlainTextEdit* memo)
{
    return memo->toPlainText().split('\n');
}

// ---- LoTW export and upload -------------------------------------------------------------------

class LoTWExportDialog : public ImportFixture {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(Now);
        tqsl = std::make_unique<TQSLStandIn>();
        ImportFixture::SetUp();
        log->SetMyCall("K1XYZ");
        openLog({Line("K1XYZ", "AA1A", "20260101"), Line("K1XYZ", "BB1B", "20260301"),
                 Line("K1XYZ", "CC1C", "20260302", "Y")});
        dialog = std::make_unique<TLogLoTWExportDlg>();
        dialog->SetFileName(dir.filePath("k1xyz.adi"));
        dialog->SetLogInterface(log.get());
    }
    void TearDown() override
    {
        dialog.reset();
        log.reset();
        tqsl.reset();
        vx::Clock::useSystem();
    }

    bool waitForTheEnd()
    {
        return vxtest::waitUntil([&] { return dialog->Memo1->toPlainText().contains("TQSL processing"); }, 20000);
    }

    std::unique_ptr<TQSLStandIn> tqsl;
    std::unique_ptr<TLogLoTWExportDlg> dialog;
};

} // namespace

TEST_F(LoTWExportDialog, ExportsSignsAndShowsWhatTQSLSaid)
{
    EXPECT_EQ(dialog->windowTitle(), "LoTW ADIF Export and Upload");
    EXPECT_EQ(dialog->size(), QSize(512, 370));
    EXPECT_TRUE(dialog->ExportAllRB->isChecked());
    EXPECT_FALSE(dialog->DateEdit->isEnabled());
    EXPECT_EQ(dialog->DateEdit->text(), "2026-01-01"); // never exported: the start of the year
    EXPECT_TRUE(dialog->TQSLGroupBox->isEnabled());
    EXPECT_EQ(dialog->CallsignEdit->text(), "K1XYZ");
    EXPECT_FALSE(dialog->CallsignEdit->isEnabled());
    // The one location is shown and cannot be changed.
    EXPECT_EQ(dialog->MyStationLocationsCB->count(), 1);
    EXPECT_EQ(dialog->MyStationLocationsCB->currentText(), "Home QTH");
    EXPECT_FALSE(dialog->MyStationLocationsCB->isEnabled());

    dialog->show();
    dialog->ADIFDeleteCheckBox->setChecked(true);
    dialog->ExportButton->click();
    EXPECT_TRUE(dialog->Busy());
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(dialog->ExportButton->isEnabled());
    EXPECT_TRUE(log->LoTWInterface()->ADIFDelete());
    ASSERT_TRUE(waitForTheEnd());
    EXPECT_EQ(MemoLines(dialog->Memo1),
              QStringList({"2 QSOs exported to: " + dir.filePath("k1xyz.adi"), "Signed 1 QSO", "Final Status: Success (0)",
                           "a note on standard error", "TQSL processing finished"}));
    EXPECT_EQ(tqsl->Arguments().mid(6), QStringList({"Home QTH", QFileInfo(dir.filePath("k1xyz.adi")).absoluteFilePath()}));
    EXPECT_FALSE(dialog->Busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialog->ExportButton->isHidden());
    EXPECT_EQ(fileLoTWSent("AA1A"), "Y");
    EXPECT_EQ(fileLoTWSent("BB1B"), "Y");

    ExpectNothingClipped(*dialog);
    SaveDialogPictures(*dialog, "dialog-lotw-upload");
}

TEST_F(LoTWExportDialog, SinceADateAndAFailedUpload)
{
    dialog->ExportSinceRB->click();
    EXPECT_TRUE(dialog->DateEdit->isEnabled());
    dialog->DateEdit->setText("2026-02-30");
    dialog->ExportButton->click();
    EXPECT_EQ(dialog->Memo1->toPlainText(), "Date must be yyyy-mm-dd");
    EXPECT_FALSE(dialog->Busy());
    EXPECT_TRUE(dialog->ExportButton->isEnabled());
    EXPECT_FALSE(QFile::exists(dir.filePath("k1xyz.adi")));

    dialog->Memo1->clear();
    dialog->DateEdit->setText("2026-02-01");
    tqsl->SetExit("4");
    dialog->ExportButton->click();
    ASSERT_TRUE(waitForTheEnd());
    const QStringList lines = MemoLines(dialog->Memo1);
    EXPECT_EQ(lines.first(), "1 QSOs exported to: " + dir.filePath("k1xyz.adi"));
    EXPECT_EQ(lines.last(), "TQSL processing finished with errors");
    EXPECT_FALSE(dialog->Busy());
    EXPECT_EQ(fileLoTWSent("BB1B"), "N");
}

// Closed while TQSL runs: the run's end reaches the logbook, which marks the QSOs, and the
// handler the logbook had before; never the dialog.
TEST_F(LoTWExportDialog, ARunEndingAfterTheDialogClosedReachesOnlyTheLogbook)
{
    dialog.reset();
    QStringList before;
    log->OnLoTWExport = [&](const QString& t) { before << t; };
    dialog = std::make_unique<TLogLoTWExportDlg>();
    dialog->SetFileName(dir.filePath("k1xyz.adi"));
    dialog->SetLogInterface(log.get());
    tqsl->Hold();
    dialog->ExportButton->click();
    ASSERT_TRUE(vxtest::waitUntil([&] { return tqsl->Ran(); }));
    dialog->OKButton->click();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QString memo = dialog->Memo1->toPlainText();
    dialog.reset();
    tqsl->Release();
    ASSERT_TRUE(vxtest::waitUntil([&] { return !before.isEmpty(); }));
    EXPECT_TRUE(before.last().endsWith("TQSL processing finished\r\n"));
    EXPECT_FALSE(memo.contains("TQSL processing"));
    EXPECT_EQ(fileLoTWSent("AA1A"), "Y");
}

// ---- LoTW report download ---------------------------------------------------------------------

namespace {

const QByteArray ReportPath = "/lotwuser/lotwreport.adi";

class LoTWDownloadDialog : public ImportFixture, public LocalWeb {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(Now);
        ASSERT_TRUE(StartWeb()) << certificates->Error.toStdString();
        ImportFixture::SetUp();
        ASSERT_TRUE(reports.isValid());
        report = TestData("lotw/lotwreport_qsldetail.adi");
        TLoTWInterface& lotw = *log->LoTWInterface();
        lotw.SetHost(server->baseUrl());
        lotw.SetLoTWReportPath(reports.path());
        lotw.SetLoTWUsername("r3lo");
        lotw.SetLoTWPassword("secret");
        lotw.SetLoTWLastQSLAsString("2026-01-01");
        log->SetMyCall("R3LO");
        // The report's QSOs as logged, not yet confirmed.
        for (const QString& line : TLogADIFUtils::Convert(report).Lines.mid(1)) {
            TLogRecord r;
            r.ExplodeQSOLine(line);
            r.SetQSLRcvd("N");
            r.SetQSLLoTWRcvd("N");
            logged << r.QSOLine();
        }
        ASSERT_EQ(logged.size(), 85);
        QFile body(report);
        ASSERT_TRUE(body.open(QIODevice::ReadOnly));
        reportBody = body.readAll();
        server->setResponse(ReportPath, Answer(reportBody));
    }
    void TearDown() override
    {
        dialog.reset();
        log.reset();
        vx::Clock::useSystem();
    }

    void writeOtherLog(const QString& name, const QStringList& lines)
    {
        writeBytes(vx::loglines::EncodeLines(QStringList{TLogRecord::FileHeader()} + lines), dir.filePath(name));
    }
    void makeDialog()
    {
        dialog = std::make_unique<TLoTWDownloadDlg>();
        dialog->SetLogInterface(log.get());
        dialog->show();
    }
    QString cell(QTableWidget* grid, int row, int column) const
    {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    ::testing::AssertionResult waitForStatus(const QString& status)
    {
        if (vxtest::waitUntil([&] { return dialog->Status() == status; }, 30000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the status reads " << dialog->Status().toStdString();
    }
    // Confirmed QSOs in a log file.
    int confirmed(const QString& name) const
    {
        int n = 0;
        for (const QString& line : fileLines(dir.filePath(name)).mid(1)) {
            TLogRecord r;
            r.ExplodeQSOLine(line);
            n += r.QSLLoTWRcvd() == "Y";
        }
        return n;
    }

    QTemporaryDir reports;
    QString report;
    QByteArray reportBody;
    QStringList logged;
    std::unique_ptr<TLoTWDownloadDlg> dialog;
};

} // namespace

TEST_F(LoTWDownloadDialog, DownloadsShowsTheQSLsAndUpdatesEveryLog)
{
    log->SetLogFileName("a.log");
    openLog(logged.mid(0, 3));
    writeOtherLog("b.log", logged.mid(3, 2));
    writeOtherLog("c.log", {Line("R3LO", "ZZ9ZZ", "20260101")});
    makeDialog();
    EXPECT_EQ(dialog->windowTitle(), "LoTW ADIF/QSL Download");
    EXPECT_EQ(dialog->DateEdit->text(), "2026-01-01");
    ASSERT_EQ(dialog->StringGrid1->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(cell(dialog->StringGrid1, row, 0), QString("abc"[row]) + ".log");
    EXPECT_FALSE(dialog->UpdateButton->isEnabled());
    EXPECT_EQ(dialog->Status(), "");

    dialog->DownloadButton->click();
    EXPECT_EQ(dialog->Status(), "...attempting to download lotwreport.adi");
    EXPECT_TRUE(dialog->Busy());
    ASSERT_TRUE(waitForStatus("85 QSLs downloaded from LoTW"));
    EXPECT_FALSE(dialog->Busy());
    EXPECT_FALSE(dialog->DownloadButton->isEnabled());
    EXPECT_TRUE(dialog->UpdateButton->isEnabled());
    ASSERT_TRUE(vxtest::waitUntil([&] { return dialog->StringGrid2->rowCount() == 85; }));
    EXPECT_EQ(cell(dialog->StringGrid2, 0, 0), "R3LO");
    EXPECT_EQ(cell(dialog->StringGrid2, 0, 1), "IC8TEM");
    EXPECT_EQ(cell(dialog->StringGrid2, 0, 2), "2026-01-26");

    dialog->UpdateButton->click();
    EXPECT_EQ(dialog->Status(), "...updating logs");
    EXPECT_TRUE(dialog->Busy());
    EXPECT_FALSE(dialog->UpdateButton->isEnabled());
    // Logged while the logs are updated: it stays.
    TLogRecord r;
    r.ExplodeQSOLine(Line("R3LO", "NEW1", "20260615"));
    ASSERT_TRUE(log->AddQSO(r));
    ASSERT_TRUE(waitForStatus("Log update finished"));
    EXPECT_FALSE(dialog->Busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QStringList expected[] = {{"a.log", "4", "3"}, {"b.log", "2", "2"}, {"c.log", "1", "0"}};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(QStringList({cell(dialog->StringGrid1, row, 0), cell(dialog->StringGrid1, row, 1),
                               cell(dialog->StringGrid1, row, 2)}),
                  expected[row]);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading(); }));
    log->WaitForWriter();
    EXPECT_EQ(confirmed("a.log"), 3);
    EXPECT_EQ(confirmed("b.log"), 2);
    EXPECT_EQ(fileLines(dir.filePath("a.log")).filter(";NEW1;").size(), 1);
    EXPECT_EQ(qso("NEW1").Call(), "NEW1");
    // The next download asks only for what is newer than the report.
    EXPECT_EQ(log->LoTWInterface()->LoTWLastQSLAsString(), "2026-01-27");

    ExpectNothingClipped(*dialog);
    EXPECT_EQ(dialog->RCPanel1->Color(), QColor(255, 255, 128));
    EXPECT_EQ(dialog->RCPanel1->BevelOuter(), bvLowered);
    const QImage img = Render(*dialog, 1.0);
    const QPoint inside = dialog->RCPanel1->mapTo(dialog.get(), dialog->RCPanel1->rect().bottomRight() - QPoint(4, 4));
    EXPECT_EQ(QColor(img.pixel(inside)), QColor(255, 255, 128));
    SaveDialogPictures(*dialog, "dialog-lotw-download");
    ExpectNowhere("secret", {dialog->Status()});

    // Closed: the logbook's handlers are its own again.
    int imports = int(results.size());
    dialog->OKButton->click();
    log->ADIFImport(report);
    ASSERT_TRUE(vxtest::waitUntil([&] { return results.size() > imports; }, 30000));
}

// A log that cannot be written fails its row and keeps its file; the date is not moved on,
// so the next download brings its confirmations again.
TEST_F(LoTWDownloadDialog, ALogThatCannotBeWrittenFailsItsRow)
{
    log->SetLogFileName("a.log");
    openLog(logged.mid(0, 2));
    QStringList big = logged.mid(2, 1);
    for (int i = 0; i < 600; ++i)
        big << Line("R3LO", QString("F%1ZZ").arg(i), "20250101");
    writeOtherLog("b.log", big);
    const QByteArray bBefore = readBytes(dir.filePath("b.log"));
    ASSERT_GT(bBefore.size(), 32 * 1024);
    ASSERT_LT(readBytes(dir.filePath("a.log")).size(), 8 * 1024);
    makeDialog();
    dialog->DownloadButton->click();
    ASSERT_TRUE(waitForStatus("85 QSLs downloaded from LoTW"));
    ASSERT_TRUE(vxtest::waitUntil([&] { return dialog->StringGrid2->rowCount() == 85; }));
    {
        // b.log no longer fits: its rewrite fails as on a full disk.
        FileSizeLimit limit(16 * 1024);
        dialog->UpdateButton->click();
        ASSERT_TRUE(waitForStatus("Log update finished with errors"));
    }
    EXPECT_EQ(cell(dialog->StringGrid1, 0, 2), "2");
    EXPECT_EQ(cell(dialog->StringGrid1, 1, 2), "failed");
    EXPECT_FALSE(dialog->StringGrid1->item(1, 2)->toolTip().isEmpty());
    EXPECT_EQ(readBytes(dir.filePath("b.log")), bBefore);
    EXPECT_EQ(log->LoTWInterface()->LoTWLastQSLAsString(), "2026-01-01");
    EXPECT_FALSE(dialog->Busy());
}

TEST_F(LoTWDownloadDialog, DatesReportsAndFoldersThatGiveNothingToUpdate)
{
    // A since-date that is no date asks nothing.
    openLog();
    makeDialog();
    dialog->DateEdit->setText("2026-13-01");
    dialog->DownloadButton->click();
    EXPECT_EQ(dialog->Status(), "Date must be yyyy-mm-dd");
    EXPECT_TRUE(dialog->DownloadButton->isEnabled());
    EXPECT_FALSE(dialog->Busy());
    vxtest::spin(50);
    EXPECT_TRUE(server->log.isEmpty());

    QFile empty(TestData("lotw/lotwreport_empty.adi"));
    ASSERT_TRUE(empty.open(QIODevice::ReadOnly));
    const QByteArray noQSLs = empty.readAll();
    // The report's own conversion, left in the log folder by an earlier download, is no log.
    QTemporaryDir onlyReports;
    writeBytes("old conversion", onlyReports.filePath("lotwreport.log"));
    const struct {
        const char* name;
        QByteArray answer; // empty: the real report
        QString folder;    // the log folder, and the report folder
        const char* status;
    } cases[] = {
        {"no QSLs", noQSLs, dir.path(), "0 QSLs downloaded from LoTW"},
        {"a web page", "<html><body>Username/password incorrect</body></html>", dir.path(), "Download failed!"},
        {"no logs", {}, onlyReports.path(), "85 QSLs downloaded from LoTW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server->setResponse(ReportPath, Answer(c.answer.isEmpty() ? reportBody : c.answer));
        log->SetLogFolder(c.folder);
        log->LoTWInterface()->SetLoTWReportPath(c.folder);
        makeDialog();
        EXPECT_EQ(dialog->StringGrid1->rowCount(), c.folder == dir.path() ? 1 : 0);
        dialog->DownloadButton->click();
        ASSERT_TRUE(waitForStatus(c.status));
        vxtest::spin(100);
        EXPECT_FALSE(dialog->UpdateButton->isEnabled());
        EXPECT_FALSE(dialog->DownloadButton->isEnabled());
        EXPECT_FALSE(dialog->Busy());
        EXPECT_EQ(log->LoTWInterface()->LoTWLastQSLAsString(), "2026-01-01");
    }
    // The report's conversion runs on its own thread and fills the grid when it is done.
    EXPECT_TRUE(vxtest::waitUntil([&] { return dialog->StringGrid2->rowCount() == 85; }, 30000))
        << dialog->StringGrid2->rowCount();
}

// ---- eQSL upload ------------------------------------------------------------------------------

namespace {

const QByteArray UploadPath = "/qslcard/ImportADIF.cfm";

class eQSLDialog : public WebFixture {
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        file = dir.filePath("k1xyz.adi");
        writeFile(file, "<EOH>\r\n<CALL:4>AA1A <EOR>\r\n");
        dialog = std::make_unique<TeQSLExportDlg>();
        dialog->eQSLInterface()->SetHost(server->baseUrl());
        dialog->FileName = file;
        dialog->Memo1->appendPlainText("1 QSOs exported to " + file);
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    bool waitForReply()
    {
        return vxtest::waitUntil([&] { return MemoLines(dialog->Memo1).size() > 1; }, 20000);
    }

    QTemporaryDir dir;
    QString file;
    std::unique_ptr<TeQSLExportDlg> dialog;
};

} // namespace

TEST_F(eQSLDialog, UploadsWithTheLoginAndShowsTheReply)
{
    EXPECT_EQ(dialog->windowTitle(), "eQSL.cc ADIF Upload");
    EXPECT_EQ(dialog->ExportButton->text(), "&Upload to eQSL.cc");
    EXPECT_EQ(dialog->minimumSize(), QSize(512, 370));
    dialog->show();
    // Upload needs both user and password.
    EXPECT_FALSE(dialog->ExportButton->isEnabled());
    dialog->CallsignEdit->insert("k1xyz");
    EXPECT_EQ(dialog->CallsignEdit->text(), "K1XYZ");
    EXPECT_FALSE(dialog->ExportButton->isEnabled());
    dialog->PasswordEdit->insert("secret pw");
    EXPECT_TRUE(dialog->ExportButton->isEnabled());
    dialog->CallsignEdit->clear();
    EXPECT_FALSE(dialog->ExportButton->isEnabled());
    dialog->CallsignEdit->insert("K1XYZ");
    EXPECT_EQ(dialog->PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dialog->NicknameEdit->isEnabled());

    server->setResponse(UploadPath, Answer("<HTML><BODY>\r\nResult: 1 out of 1 records added<BR>\r\n"
                                           "ProgramID or Logger not found<BR>\r\n</BODY></HTML>\r\n"));
    dialog->ExportButton->click();
    EXPECT_TRUE(dialog->Busy());
    EXPECT_FALSE(dialog->ExportButton->isEnabled());
    ASSERT_TRUE(waitForReply());
    EXPECT_EQ(MemoLines(dialog->Memo1), QStringList({"1 QSOs exported to " + file,
                                                     "Reply from eQSL.cc ADIF Real-time Interface:", "",
                                                     "Result: 1 out of 1 records added"}));
    EXPECT_FALSE(dialog->Busy());
    EXPECT_FALSE(dialog->CallsignEdit->isEnabled());
    EXPECT_FALSE(dialog->PasswordEdit->isEnabled());
    EXPECT_FALSE(dialog->ExportButton->isEnabled()); // one upload per opening
    ASSERT_EQ(server->requests.size(), 1);
    EXPECT_TRUE(server->requests[0].Body.contains("secret pw"));

    ExpectNothingClipped(*dialog);
    SaveDialogPictures(*dialog, "dialog-eqsl");
    ExpectNowhere("secret pw", {dialog->Memo1->toPlainText()});
}

// A failed upload is shown and ends the wait.
TEST_F(eQSLDialog, AFailedUploadIsShown)
{
    dialog->CallsignEdit->setText("K1XYZ");
    dialog->PasswordEdit->setText("secret pw");
    dialog->show();
    EXPECT_TRUE(dialog->ExportButton->isEnabled());
    server->setResponse(UploadPath, Answer("", 500, "Internal Server Error"));
    dialog->ExportButton->click();
    ASSERT_TRUE(waitForReply());
    EXPECT_EQ(MemoLines(dialog->Memo1).last(), "Upload to eQSL.cc failed: HTTP 500 Internal Server Error");
    EXPECT_FALSE(dialog->Busy());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    dialog->OKButton->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// ---- ADIF export ------------------------------------------------------------------------------

namespace {

class ADIFExportDialog : public LogFixture {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(Now);
        LogFixture::SetUp();
        writeLog({QSOLine("AA1A", "20210101", "120000"), QSOLine("BB1B", "20210503", "120000"),
                  QSOLine("CC1C", "20220101", "120000")});
        ASSERT_TRUE(openAndWait());
        file = dir.filePath("export.adi");
    }
    void TearDown() override
    {
        dialog.reset();
        vx::Clock::useSystem();
    }
    void makeDialog(bool server = false)
    {
        dialog = std::make_unique<TLogADIFExportDlg>(nullptr, server);
        dialog->SetFileName(file);
        dialog->SetLogInterface(log.get());
    }
    // The calls in the exported file.
    QStringList exported() const
    {
        QStringList calls;
        for (const QString& line : fileLines(file)) {
            if (const qsizetype at = line.indexOf("<CALL:4>"); at >= 0)
                calls << line.mid(at + 8, 4);
        }
        return calls;
    }

    QString file;
    std::unique_ptr<TLogADIFExportDlg> dialog;
};

} // namespace

TEST_F(ADIFExportDialog, SinceADateOrEverything)
{
    makeDialog();
    EXPECT_EQ(dialog->windowTitle(), "ADIF Export");
    EXPECT_TRUE(dialog->ExportSinceRB->isChecked());
    EXPECT_EQ(dialog->DateEdit->text(), "2026-01-01"); // never exported: the start of the year
    dialog->show();

    dialog->DateEdit->setText("2021-05-0");
    dialog->ExportButton->click();
    EXPECT_EQ(dialog->ExportEventLabel->text(), "Date must be yyyy-mm-dd");
    EXPECT_TRUE(dialog->ExportButton->isEnabled());
    EXPECT_FALSE(QFile::exists(file));

    dialog->DateEdit->setText("2021-05-03");
    dialog->ExportButton->click();
    EXPECT_EQ(exported(), QStringList({"BB1B", "CC1C"}));
    EXPECT_EQ(dialog->ExportEventLabel->text(), "2 QSOs exported to: " + file);
    for (QWidget* w : std::initializer_list<QWidget*>{dialog->DateEdit, dialog->ExportSinceRB, dialog->ExportAllRB,
                                                      dialog->ExportButton})
        EXPECT_FALSE(w->isEnabled());
    ExpectNothingClipped(*dialog);
    SaveDialogPictures(*dialog, "dialog-adif-export");
    dialog->CloseButton->click();

    // The next opening offers the date of the last export; "all" is every QSO.
    makeDialog();
    EXPECT_EQ(dialog->DateEdit->text(), "2022-01-01");
    dialog->ExportAllRB->click();
    EXPECT_FALSE(dialog->DateEdit->isEnabled());
    dialog->ExportButton->click();
    EXPECT_EQ(exported(), QStringList({"AA1A", "BB1B", "CC1C"}));
}

TEST_F(ADIFExportDialog, TheServerProgramOffersEverythingFirst)
{
    makeDialog(true);
    EXPECT_TRUE(dialog->ExportAllRB->isChecked());
    EXPECT_FALSE(dialog->DateEdit->isEnabled());
    EXPECT_EQ(dialog->ExportAllRB->text(), "export all QSOs");
    EXPECT_EQ(dialog->ExportSinceRB->text(), "or export QSOs since:");
    dialog->ExportSinceRB->click();
    EXPECT_TRUE(dialog->DateEdit->isEnabled());
}
