// LoTW upload through TQSL: the command line, TQSL's output as the operator reads it, which
// exits mark the QSOs as sent, the runs that cannot start, the station locations, and the
// real TQSL program where a display can be made for it.
#include "ImportFixture.h"
#include "TQSLStandIn.h"

#include "log/LoTWInterface.h"
#include "log/TQSLInterface.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

const QString MyStation = QStringLiteral("K1XYZ");
const QString Done = QStringLiteral("TQSL processing finished");
const QString DoneWithErrors = QStringLiteral("TQSL processing finished with errors");

QString Line(const QString& call, const QString& date, const QString& lotwSent = "N")
{
    TLogRecord r;
    r.ExplodeQSOLine(QSOLine(call, date, "120000", "20m", "CW", {}, MyStation));
    r.SetQSLLoTWSent(lotwSent);
    return r.QSOLine();
}

// The lines of a text as the memo shows them.
QStringList Lines(const QString& text)
{
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class TQSLUpload : public ImportFixture {
protected:
    void SetUp() override
    {
        // TQSL is looked for when the logbook is made.
        tqsl = std::make_unique<TQSLStandIn>(QList<std::pair<QString, QString>>{{MyStation, "Home QTH"}}, program);
        ImportFixture::SetUp();
        log->SetMyCall(MyStation);
        log->OnLoTWExport = [this](const QString& t) { texts << t; };
    }
    void TearDown() override
    {
        log.reset();
        tqsl.reset();
    }

    // Exports the QSOs not yet sent for the location and waits for TQSL's answer.
    QString upload(const QString& location = "Home QTH", int timeoutMs = 30000)
    {
        const QString file = dir.filePath("upload.adi");
        TLoTWInterface& lotw = *log->LoTWInterface();
        lotw.SetStationLocation(location);
        lotw.SetADIFFile(file);
        texts.clear();
        EXPECT_TRUE(log->ADIFExport(file, true, "19450101"));
        EXPECT_TRUE(vxtest::waitUntil([&] { return texts.size() == 2; }, timeoutMs));
        log->WaitForWriter();
        return texts.value(1);
    }

    TQSLStandIn::Program program = TQSLStandIn::StandIn;
    std::unique_ptr<TQSLStandIn> tqsl;
    QStringList texts;
};

} // namespace

// Exits 0 and 9 (signed; some QSOs were uploaded before) are an upload: the QSOs become "Y" in
// the file.  Any other end leaves them "N" to be uploaded again.
TEST_F(TQSLUpload, TheExitDecidesWhetherTheQSOsAreSent)
{
    const struct {
        const char* exit;
        bool uploaded;
        const char* call; // logged before this upload
    } cases[] = {{"4", false, "BB1B"}, {"crash", false, "DD1D"}, {"9", true, "EE1E"}, {"0", true, "FF1F"}};
    openLog({Line("AA1A", "20240101"), Line("CC1C", "20240103", "Y")});
    QStringList waiting = {"AA1A"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exit);
        TLogRecord r;
        r.ExplodeQSOLine(Line(c.call, "20240102"));
        ASSERT_TRUE(log->AddQSO(r));
        waiting << c.call;
        tqsl->SetExit(c.exit);
        const QString response = upload();
        EXPECT_EQ(tqsl->Arguments(), QStringList({"-d", "-u", "-a", "compliant", "-x", "-l", "Home QTH",
                                                  QFileInfo(dir.filePath("upload.adi")).absoluteFilePath()}));
        EXPECT_EQ(texts.value(0), QString("%1 QSOs exported to: %2").arg(waiting.size()).arg(dir.filePath("upload.adi")));
        // What TQSL said, without its database lines and blank lines, standard error included.
        const QStringList expected = {"Signed 1 QSO", "Final Status: Success (0)", "a note on standard error",
                                      c.uploaded ? Done : DoneWithErrors};
        EXPECT_EQ(Lines(response), expected);
        // The whole output stays beside the upload file.
        QFile results(dir.filePath("tqsl2_results.txt"));
        ASSERT_TRUE(results.open(QIODevice::ReadOnly));
        EXPECT_TRUE(results.readAll().startsWith("BDB x\n"));

        const QString flag = c.uploaded ? "Y" : "N";
        for (const QString& call : waiting) {
            EXPECT_EQ(fileLoTWSent(call), flag) << call.toStdString();
            EXPECT_EQ(qso(call).QSLLoTWSent(), flag) << call.toStdString();
        }
        EXPECT_EQ(fileLoTWSent("CC1C"), "Y");
        if (c.uploaded)
            waiting.clear();
    }
}

// TQSL that cannot be run answers at once: the reason, then the end of the run with errors;
// nothing is marked.
TEST_F(TQSLUpload, ARunThatCannotStartAnswersAtOnce)
{
    const QString couldNot = "Could not start TQSL. Upload failed.\r\n" + DoneWithErrors + "\r\n";
    TLoTWInterface& lotw = *log->LoTWInterface();
    QList<bool> finished;
    lotw.OnLoTWExport = [this](const QString& t) { texts << t; };
    lotw.OnUploadFinished = [&](bool ok) { finished << ok; };
    const QString file = dir.filePath("upload.adi");
    QFile(file).open(QIODevice::WriteOnly);

    const struct {
        const char* name;
        QString location;
        QString file;
        QString expected;
    } cases[] = {
        {"no station location", {}, file, couldNot},
        {"no upload file", "Home QTH", dir.filePath("missing.adi"), couldNot},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        texts.clear();
        finished.clear();
        lotw.SetStationLocation(c.location);
        lotw.SetADIFFile(c.file);
        lotw.Start();
        EXPECT_EQ(texts, QStringList({c.expected}));
        EXPECT_EQ(finished, QList<bool>({false}));
        EXPECT_FALSE(tqsl->Ran());
    }

    // A second run while one is going would mix their files.
    texts.clear();
    finished.clear();
    tqsl->Hold();
    lotw.SetStationLocation("Home QTH");
    lotw.SetADIFFile(file);
    lotw.Start();
    ASSERT_TRUE(vxtest::waitUntil([&] { return tqsl->Ran(); }));
    lotw.Start();
    EXPECT_EQ(texts, QStringList({"TQSL is still running. " + couldNot}));
    EXPECT_EQ(finished, QList<bool>({false}));
    tqsl->Release();
    ASSERT_TRUE(vxtest::waitUntil([&] { return finished.size() == 2; }));
    EXPECT_TRUE(finished[1]);

    // A program that cannot be executed.
    texts.clear();
    finished.clear();
    QFile::setPermissions(tqsl->ProgramFile(), QFile::ReadOwner | QFile::WriteOwner);
    lotw.Start();
    ASSERT_TRUE(vxtest::waitUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(texts, QStringList({couldNot}));
    EXPECT_EQ(finished, QList<bool>({false}));
    QFile::setPermissions(tqsl->ProgramFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A folder TQSL's output cannot be written to.
    texts.clear();
    finished.clear();
    {
        ReadOnlyFolder readOnly(dir.path());
        lotw.Start();
    }
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("Error signing or uploading the log file: ")) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].endsWith(DoneWithErrors + "\r\n"));
    EXPECT_EQ(finished, QList<bool>({false}));
}

TEST_F(TQSLUpload, AStationDataFileThatIsNoXMLOffersNoLocation)
{
    tqsl->SetStationData("this is not a station data file <StationData");
    log->SetLoTWInterface(std::make_unique<TLoTWInterface>());
    log->SetMyCall(MyStation);
    log->OnLoTWExport = [this](const QString& t) { texts << t; };
    EXPECT_TRUE(log->LoTWInterface()->Active());
    EXPECT_TRUE(log->LoTWInterface()->MyStationLocations().isEmpty());

    openLog({Line("AA1A", "20240101")});
    const QString response = upload({});
    EXPECT_EQ(Lines(response), QStringList({"Could not start TQSL. Upload failed.", DoneWithErrors}));
    EXPECT_EQ(fileLoTWSent("AA1A"), "N");
}

TEST(TQSLInterface, StationLocations)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("station_data");
    const auto read = [&](const QByteArray& bytes) {
        QFile f(file);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        f.close();
        return TTQSLInterface::ReadStationData(file);
    };
    const struct {
        const char* name;
        QByteArray xml;
        QStringList expected;
    } cases[] = {
        {"two locations, one without CALL, one with an empty name",
         "<?xml version=\"1.0\"?><StationDataFile>"
         "<StationData name=\"Home QTH\"><CALL>K1XYZ</CALL><GRIDSQUARE>FN42</GRIDSQUARE></StationData>"
         "<StationData name=\"No call\"><GRIDSQUARE>FN42</GRIDSQUARE></StationData>"
         "<StationData name=\"\"><CALL>K1XYZ</CALL></StationData>"
         "<StationData><CALL>K1XYZ</CALL></StationData>"
         "<StationData name=\"Field Day\"><DXCC>291</DXCC><CALL>K1XYZ/P</CALL></StationData>"
         "</StationDataFile>",
         {"K1XYZ=Home QTH", "K1XYZ/P=Field Day"}},
        {"no XML", "K1XYZ=Home QTH", {}},
        {"cut off", "<StationDataFile><StationData name=\"Home QTH\"><CALL>K1XYZ</CALL></StationData><StationDa", {}},
        {"another document", "<Other><StationData name=\"Home QTH\"><CALL>K1XYZ</CALL></StationData></Other>", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read(c.xml), c.expected) << c.name;
    EXPECT_TRUE(TTQSLInterface::ReadStationData(dir.filePath("missing")).isEmpty());
}

// TQSL's own selection upper-cases the call; the LoTW interface compares exactly.
TEST(TQSLInterface, OwnCallSelectsItsLocations)
{
    TQSLStandIn standIn({{"K1XYZ", "Home QTH"}, {"K1XYZ", "Club"}, {"W1AW", "HQ"}});
    TTQSLInterface tqsl;
    ASSERT_TRUE(tqsl.TQSLInstalled());
    EXPECT_TRUE(tqsl.TQSLPath().endsWith("/bin/tqsl"));
    tqsl.SetMyCall("k1xyz");
    EXPECT_EQ(tqsl.MyCall(), "K1XYZ");
    EXPECT_EQ(tqsl.MyStationLocations(), QStringList({"Home QTH", "Club"}));
    tqsl.SetMyCall("N0CALL");
    EXPECT_EQ(tqsl.MyCall(), "");
    EXPECT_TRUE(tqsl.MyStationLocations().isEmpty());

    TLoTWInterface lotw;
    EXPECT_TRUE(lotw.Active());
    lotw.SetMyCall("k1xyz");
    EXPECT_TRUE(lotw.MyStationLocations().isEmpty());
    lotw.SetMyCall("K1XYZ");
    EXPECT_EQ(lotw.MyStationLocations(), QStringList({"Home QTH", "Club"}));

    // Without TQSL an upload answers at once that it could not start.
    TQSLStandIn none({}, TQSLStandIn::None);
    TLoTWInterface without;
    EXPECT_FALSE(without.Active());
    EXPECT_TRUE(without.TQSLPath().isEmpty());
    QTemporaryDir dir;
    QFile(dir.filePath("upload.adi")).open(QIODevice::WriteOnly);
    QStringList texts;
    without.OnLoTWExport = [&](const QString& t) { texts << t; };
    without.SetStationLocation("Home QTH");
    without.SetADIFFile(dir.filePath("upload.adi"));
    without.Start();
    EXPECT_EQ(texts, QStringList({"Could not start TQSL. Upload failed.\r\n" + DoneWithErrors + "\r\n"}));
}

namespace {

// An X server of its own for the real TQSL, which wants a display even in batch mode.
class VirtualDisplay {
public:
    VirtualDisplay()
        : FDisplay(qgetenv("DISPLAY"))
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            return;
        FServer.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        // The server prints its display number once it accepts clients.
        if (!FServer.waitForStarted(10000) || !vxtest::waitUntil([&] { return FServer.canReadLine(); }, 20000))
            return;
        const QByteArray number = FServer.readLine().trimmed();
        if (number.isEmpty())
            return;
        qputenv("DISPLAY", ":" + number);
        FReady = true;
    }
    ~VirtualDisplay()
    {
        qputenv("DISPLAY", FDisplay);
        if (FServer.state() != QProcess::NotRunning) {
            FServer.terminate();
            FServer.waitForFinished(5000);
        }
    }
    bool Ready() const { return FReady; }

private:
    QByteArray FDisplay;
    QProcess FServer;
    bool FReady = false;
};

class RealTQSL : public TQSLUpload {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("tqsl").isEmpty())
            GTEST_SKIP() << "tqsl is not installed";
        display = std::make_unique<VirtualDisplay>();
        if (!display->Ready())
            GTEST_SKIP() << "no virtual display (Xvfb)";
        program = TQSLStandIn::System;
        TQSLUpload::SetUp();
    }
    void TearDown() override
    {
        TQSLUpload::TearDown();
        display.reset();
    }
    std::unique_ptr<VirtualDisplay> display;
};

} // namespace

// The real program, with a station location but no certificate: it signs nothing (exit 8);
// an unknown location is a command error (exit 10).  Nothing is marked either way.
TEST_F(RealTQSL, WithoutACertificateNothingIsSent)
{
    openLog({Line("AA1A", "20240101")});
    ASSERT_TRUE(log->LoTWInterface()->MyStationLocations().contains("Home QTH"));
    QStringList lines = Lines(upload("Home QTH", 120000));
    EXPECT_TRUE(lines.contains("Final Status: No QSOs written(8)")) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), DoneWithErrors);
    EXPECT_EQ(fileLoTWSent("AA1A"), "N");

    lines = Lines(upload("Nowhere", 120000));
    EXPECT_FALSE(lines.filter("Final Status:").filter("(10)").isEmpty()) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), DoneWithErrors);
    EXPECT_EQ(fileLoTWSent("AA1A"), "N");
}
