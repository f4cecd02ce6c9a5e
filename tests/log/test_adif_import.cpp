// ADIF import into the open log: real files of other programs, LoTW reports and eQSL inbox
// files, the matching window, which values a merge takes, bad input, and QSOs logged while an
// import runs.
#include "ImportFixture.h"

#include "log/LoTWInterface.h"
#include "log/LogLines.h"
#include "log/LogText.h"

#include <QDir>
#include <QFile>
#include <cctype>
#include <random>
#include <tuple>

using vx::adif::TADIFReader;
using vx::adif::TFileKind;

namespace {

// An ADIF record of the given fields, "<TAG:n>value " each.
QByteArray Record(std::initializer_list<std::pair<const char*, const char*>> fields)
{
    QByteArray r;
    for (const auto& [tag, value] : fields)
        r += "<" + QByteArray(tag) + ":" + QByteArray::number(QByteArray(value).size()) + ">" + value + " ";
    return r + "<EOR>";
}

const QByteArray Header = "Test file\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n";
// The fields of a QSO that would be taken, for records spoilt by a later field.
const QByteArray QSO_ = "<CALL:4>AA1A <QSO_DATE:8>20240101 <TIME_ON:4>1200 <BAND:3>20m <MODE:2>CW ";

} // namespace

// ---- Real files ------------------------------------------------------------------------------

struct RealFileCase {
    const char* file;
    int inserted;
    int updated;
    // QSOs in bands or modes the log does not know.
    int withoutBandOrMode = 0;
};

class RealFileImport : public ImportFixture, public ::testing::WithParamInterface<RealFileCase> {};

TEST_P(RealFileImport, CountsOfAnEmptyLog)
{
    openLog();
    const RealFileCase c = GetParam();
    const ImportCounts r = importAndWait(TestData(c.file));
    EXPECT_EQ(r.Inserted, c.inserted);
    EXPECT_EQ(r.Updated, c.updated);
    EXPECT_EQ(r.Skipped, 0);
    EXPECT_EQ(r.QSOs, c.inserted);
    EXPECT_TRUE(r.Success);
    EXPECT_EQ(log->LogBook().size(), c.inserted);
    QString text = QStringLiteral("%1 QSOs inserted, %2 QSOs updated").arg(c.inserted).arg(c.updated);
    if (c.withoutBandOrMode > 0)
        text += QStringLiteral(", %1 QSOs without band or mode").arg(c.withoutBandOrMode);
    EXPECT_EQ(events.count(text), 1) << events.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, RealFileImport,
                         ::testing::Values(RealFileCase{"adif/ADIF_316_test_QSOs_2025_08_27.adi", 6191, 0, 3533},
                                           RealFileCase{"adif/wsjtx_2.6.1_log.adi", 502, 26},
                                           RealFileCase{"adif/qrz.adi", 924, 7},
                                           RealFileCase{"adif/N3FJP-AClogAdif.adi", 436, 2},
                                           RealFileCase{"adif/Log4OM.adi", 122, 0}));

TEST_F(ImportFixture, RealValuesSurviveTheImport)
{
    openLog();
    importAndWait(TestData("adif/ADIF_316_test_QSOs_2025_08_27.adi"));
    EXPECT_EQ(qso("T2AFP").Comment(), "His power was > 10 Watts & < 100 Watts.  Hope to meet up again in 3 days' time.");
    const TLogRecord tz = qso("TZ1FQC");
    EXPECT_EQ(tz.QSODateAsString(), "20250712");
    // A value counted with CR LF in a file of LF lines stops at the next field.
    EXPECT_TRUE(tz.Notes().startsWith("His power was > 10 Watts")) << tz.Notes().toStdString();
    EXPECT_TRUE(tz.Notes().endsWith("in 3 days' time.")) << tz.Notes().toStdString();
    EXPECT_EQ(qso("CY0FVG").SATName(), "AO-85");
    EXPECT_EQ(qso("VE9ASR").CQZone(), "05");
    // Records without STATION_CALLSIGN are the own station's.
    EXPECT_EQ(qso("VE9ASR").StationCallsign(), OwnCall);

    // Counted in UTF-8 bytes: the value ends at the next field, not in it.
    importAndWait(TestData("adif/qrz.adi"));
    EXPECT_EQ(qso("VA2MKX").QTH(), QString::fromUtf8("Montréal"));
}

// ---- Round trip: import, our ADIF export, import into a second log ---------------------------

namespace {

// Every ADIF file of the shared test data, whatever its name.
std::vector<QString> RealAdifFiles()
{
    std::vector<QString> files;
    for (const QFileInfo& f : QDir(TestData("adif")).entryInfoList({"*.adi", "*.ADI"}, QDir::Files, QDir::Name))
        files.push_back(f.absoluteFilePath());
    return files;
}

std::string TestNameOf(const QString& file)
{
    std::string name;
    for (const char c : QFileInfo(file).completeBaseName().toStdString())
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

} // namespace

class RoundTrip : public ImportFixture {
protected:
    // Exports every QSO of the open log (each station call in turn, as the export takes only
    // the own call's) and imports the files into a second log; returns that log's lines.
    QStringList exportAndImportAgain()
    {
        QStringList stations;
        for (const QString& line : log->LogBook()) {
            const QString station = line.section(';', 0, 0);
            if (!stations.contains(station))
                stations << station;
        }
        QStringList exports;
        for (const QString& station : stations) {
            log->SetMyCall(station);
            exports << dir.filePath(QStringLiteral("export%1.adi").arg(exports.size()));
            EXPECT_TRUE(log->ADIFExport(exports.last(), false, QString())) << station.toStdString();
        }
        log->SetMyCall(OwnCall);

        QTemporaryDir secondDir;
        TLogInterface second;
        second.SetMyCall(OwnCall);
        second.SetLogFolder(secondDir.path());
        second.SetLogFileName("second.log");
        writeBytes(TLogRecord::FileHeader().toUtf8() + "\r\n", second.FullLogFileName());
        int imported = 0;
        int loads = 0;
        second.OnLogImport = [&](const QString&, bool, int32_t, int32_t, int32_t, int32_t) { ++imported; };
        second.OnLogLoaded = [&] { ++loads; };
        EXPECT_TRUE(second.Open());
        EXPECT_TRUE(vxtest::waitUntil([&] { return loads > 0; }));
        for (const QString& file : exports) {
            const int before = imported;
            second.ADIFImport(file);
            EXPECT_TRUE(vxtest::waitUntil([&] { return imported > before; }, 60000));
            EXPECT_TRUE(vxtest::waitUntil([&] { return !second.LogIsLoading(); }, 60000));
        }
        second.WaitForWriter();
        return second.LogBook();
    }

    // The lines of one list that the other does not hold, a few of each, for the message.
    static std::string Differences(const QStringList& a, const QStringList& b)
    {
        QStringList out;
        for (const auto& [from, to, sign] : {std::tuple{&a, &b, "- "}, std::tuple{&b, &a, "+ "}}) {
            int shown = 0;
            for (const QString& line : *from) {
                if (!to->contains(line) && shown++ < 5)
                    out << sign + line;
            }
        }
        return out.join('\n').toStdString();
    }
};

class RealFileRoundTrip : public RoundTrip, public ::testing::WithParamInterface<QString> {};

// What the log holds of a real file comes back unchanged through our ADIF export.  Fields the
// log cannot hold (bands and modes it does not know, frequencies beyond its range or finer than
// a kilohertz, locators of 8 characters ...) are already gone from the first log, so the two
// logs hold the same lines.
TEST_P(RealFileRoundTrip, ExportAndImportAgainGivesTheSameLines)
{
    QString file = GetParam();
    TADIFReader kind;
    ASSERT_TRUE(kind.Open(file));
    if (kind.Kind() != TFileKind::Plain) {
        // A LoTW report or eQSL inbox inserts nothing: its records go in as a plain file.
        QFile report(file);
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        const QByteArray bytes = report.readAll();
        const qsizetype eoh = bytes.toUpper().indexOf("<EOH>");
        ASSERT_GE(eoh, 0);
        file = writeAdif("plain.adi", Header + bytes.mid(eoh + 5));
    }
    openLog();
    const ImportCounts first = importAndWait(file);
    ASSERT_EQ(first.Skipped, 0);
    const QStringList lines = log->LogBook();
    ASSERT_GT(lines.size(), 0);
    ASSERT_EQ(lines.size(), first.Inserted);
    const QStringList again = exportAndImportAgain();
    EXPECT_EQ(again.size(), lines.size());
    EXPECT_TRUE(again == lines) << Differences(lines, again);
}

INSTANTIATE_TEST_SUITE_P(SharedTestData, RealFileRoundTrip, ::testing::ValuesIn(RealAdifFiles()),
                         [](const auto& info) { return TestNameOf(info.param); });

// Values with text shaped like tags, non-ASCII letters and the log's field separator: each is
// taken whole by its length, kept in one field of the log line, and written back whole.
TEST_F(RoundTrip, TagShapedValuesSurviveImportExportAndImport)
{
    openLog();
    const struct {
        QByteArray value;
        QString stored;
    } cases[] = {
        {"tnx <3 QSO <b>Hans</b> & Gr\xc3\xbc\xc3\x9f" "e", QString::fromUtf8("tnx <3 QSO <b>Hans</b> & Grüße")},
        {"a<b>;c", "a<b>,c"},
        {"x <eor> y", "x <eor> y"},
        {"<3", "<3"},
        {"see <CALL:4>", "see <CALL:4>"},
    };
    QByteArray text = Header;
    int n = 0;
    for (const auto& c : cases) {
        const QByteArray length = QByteArray::number(vx::logtext::TextLength(QString::fromUtf8(c.value)));
        const QByteArray call = "TS" + QByteArray::number(++n) + "X";
        text += "<CALL:" + QByteArray::number(call.size()) + ">" + call +
                " <QSO_DATE:8>20240301 <TIME_ON:4>1200 <BAND:3>20m <MODE:2>CW <COMMENT:" + length + ">" + c.value +
                " <QTH:" + length + ">" + c.value + "<EOR>\r\n";
    }
    const ImportCounts r = importAndWait(writeAdif("tags.adi", text));
    ASSERT_EQ(r.Inserted, n);
    n = 0;
    for (const auto& c : cases) {
        const TLogRecord q = qso(QStringLiteral("TS%1X").arg(++n));
        EXPECT_EQ(q.Comment(), c.stored);
        EXPECT_EQ(q.QTH(), c.stored);
        EXPECT_EQ(q.QSOLine().count(';'), 35);
    }
    const QStringList lines = log->LogBook();
    const QStringList again = exportAndImportAgain();
    EXPECT_TRUE(again == lines) << Differences(lines, again);
}

// A QSO carries what its record says: the band comes from the record, else from its frequency
// by the band plan, else it stays empty; a missing mode stays empty.
TEST_F(RoundTrip, BandAndModeOnlyFromTheRecord)
{
    openLog();
    const struct {
        const char* call;
        QByteArray fields;
        const char* band;
        const char* mode;
    } cases[] = {
        {"KG4NEX", "<BAND:4>23cm <FREQ:8>1296.200 <MODE:5>QRA64", "", "QRA64"},
        {"NB1A", "<MODE:3>FT8", "", "FT8"},
        {"NB2A", "<FREQ:6>14.074 <MODE:3>FT8", "20m", "FT8"},
        {"NB3A", "<BAND:5>2190m <FREQ:6>0.1360 <MODE:2>CW", "", "CW"},
        {"NB4A", "<BAND:3>8m <FREQ:6>7.0300 <MODE:2>CW", "40m", "CW"},
        {"NM1A", "<BAND:3>20m", "20m", ""},
        {"NM2A", "<BAND:3>20m <MODE:5>MTONE", "20m", ""},
        {"NB5A", "<BAND:3>17m <FREQ:6>14.074 <MODE:3>SSB", "17m", "SSB"},
        {"NN1A", "", "", ""},
    };
    QByteArray text = Header;
    for (const auto& c : cases)
        text += "<CALL:" + QByteArray::number(qstrlen(c.call)) + ">" + c.call +
                " <QSO_DATE:8>20240301 <TIME_ON:4>1200 " + c.fields + " <EOR>\r\n";
    const ImportCounts r = importAndWait(writeAdif("bands.adi", text));
    ASSERT_EQ(r.Inserted, int(std::size(cases)));
    for (const auto& c : cases) {
        const TLogRecord q = qso(c.call);
        EXPECT_EQ(q.BandAsString(), c.band) << c.call;
        EXPECT_EQ(q.ModeAsString(), c.mode) << c.call;
    }
    EXPECT_TRUE(events.contains("9 QSOs inserted, 0 QSOs updated, 6 QSOs without band or mode"))
        << events.join('|').toStdString();

    const QStringList lines = log->LogBook();
    const QStringList again = exportAndImportAgain();
    EXPECT_TRUE(again == lines) << Differences(lines, again);
}

TEST_F(ImportFixture, ImportingAFileAgainUpdatesEveryQSOAndLeavesTheFileAsItWas)
{
    openLog();
    const QString file = TestData("adif/ADIF_316_test_QSOs_2025_08_27.adi");
    importAndWait(file);
    const QByteArray before = readBytes();
    const ImportCounts again = importAndWait(file);
    EXPECT_EQ(again.Inserted, 0);
    EXPECT_EQ(again.Updated, 6191);
    EXPECT_EQ(again.QSOs, 6191);
    EXPECT_EQ(readBytes(), before);
    // The file is a log: one header line, then the QSO lines in their sorted order.
    const QStringList lines = fileLines();
    EXPECT_EQ(lines.first(), TLogRecord::FileHeader());
    EXPECT_EQ(lines.mid(1), log->LogBook());
}

TEST_F(ImportFixture, LoTWReportConfirmsTheQSOsOfTheLogAndInsertsNothing)
{
    const QString report = TestData("lotw/lotwreport_qsldetail.adi");
    const TLogADIFUtils::TConversion converted = TLogADIFUtils::Convert(report);
    ASSERT_EQ(converted.QSOs, 85);
    // The log holds the report's QSOs as logged 10 minutes later, without confirmations.
    QStringList lines;
    for (const QString& line : converted.Lines.mid(1)) {
        TLogRecord r;
        r.ExplodeQSOLine(line);
        r.SetTimeOnHHMM(r.QSODateTime().addSecs(600));
        r.SetQSLRcvd("N");
        r.SetQSLLoTWRcvd("N");
        r.SetGridSquare("");
        r.SetDXCC("");
        r.SetCQZone("");
        if (r.Call() == "IC8TEM")
            r.SetIOTA("");
        if (r.Call() == "G4WQG")
            r.SetIOTA("EU-999");
        lines << r.QSOLine();
    }
    openLog(lines);
    ASSERT_EQ(log->LogBook().size(), 85);

    const ImportCounts r = importAndWait(report);
    EXPECT_EQ(r.Updated, 85);
    EXPECT_EQ(r.Inserted, 0);
    int confirmed = 0;
    for (const QString& line : log->LogBook()) {
        TLogRecord q;
        q.ExplodeQSOLine(line);
        confirmed += q.QSLLoTWRcvd() == "Y";
        EXPECT_EQ(q.QSLRcvd(), "N") << "paper QSL " << q.Call().toStdString();
    }
    EXPECT_EQ(confirmed, 85);
    const TLogRecord ic8tem = qso("IC8TEM");
    EXPECT_EQ(ic8tem.GridSquare(), "JN70cn");
    EXPECT_EQ(ic8tem.DXCC(), "248");
    EXPECT_EQ(ic8tem.CQZone(), "15");
    EXPECT_EQ(ic8tem.IOTA(), "EU-031");
    EXPECT_EQ(qso("G4WQG").IOTA(), "EU-999");
    // Time and the rest of the QSO stay the log's.
    EXPECT_EQ(ic8tem.TimeOnAsString(), "140200");
}

TEST_F(ImportFixture, LoTWReportIntoAnEmptyLogInsertsNothing)
{
    openLog();
    const QByteArray before = readBytes();
    const ImportCounts r = importAndWait(TestData("lotw/lotwreport_qsldetail.adi"));
    EXPECT_EQ(r.Inserted, 0);
    EXPECT_EQ(r.Updated, 0);
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(readBytes(), before);
    EXPECT_TRUE(events.contains("No QSOs imported or updated"));
}

TEST_F(ImportFixture, AConfirmationTakesOnlyTheValuesItHolds)
{
    TLogRecord q;
    q.ExplodeQSOLine(QSOLine("K1ABC", "20240301", "120000"));
    q.SetGridSquare("FN42");
    q.SetDXCC("291");
    q.SetCQZone("05");
    q.SetUSState("MA");
    openLog({q.QSOLine(), QSOLine("K2ABC", "20240301", "130000")});
    const QByteArray text = "<PROGRAMID:4>LoTW <EOH>\r\n"
                            "<CALL:5>K1ABC<QSO_DATE:8>20240301<TIME_ON:6>120500<BAND:3>20M<MODE:2>CW"
                            "<QSL_RCVD:1>Y<GRIDSQUARE:0><DXCC:0><CQZ:0><STATE:0><EOR>\r\n"
                            "<CALL:5>K2ABC<QSO_DATE:8>20240301<TIME_ON:6>130000<BAND:3>20M<MODE:2>CW"
                            "<QSL_RCVD:1>Y<DXCC:3>291<STATE:2>NY // New York<GRIDSQUARE:4>FN30<EOR>\r\n";
    const ImportCounts r = importAndWait(writeAdif("lotw.adi", text));
    EXPECT_EQ(r.Updated, 2);
    const TLogRecord k1 = qso("K1ABC");
    EXPECT_EQ(k1.QSLLoTWRcvd(), "Y");
    EXPECT_EQ(k1.GridSquare(), "FN42");
    EXPECT_EQ(k1.DXCC(), "291");
    EXPECT_EQ(k1.CQZone(), "05");
    EXPECT_EQ(k1.USState(), "MA");
    const TLogRecord k2 = qso("K2ABC");
    EXPECT_EQ(k2.USState(), "NY");
    EXPECT_EQ(k2.GridSquare(), "FN30");
    EXPECT_EQ(k2.QSLRcvd(), "N");
}

TEST_F(ImportFixture, RecordsAreFoundWhateverTheLines)
{
    openLog();
    // Two records on one line, then one that ends the file without a line end.
    const QByteArray text = Header + Record({{"CALL", "AA1A"}, {"QSO_DATE", "20240101"}, {"TIME_ON", "1000"}}) +
                            Record({{"call", "BB1B"}, {"qso_date", "20240101"}, {"time_on", "1100"}}) + "\n" +
                            "<Call:4>CC1C<QSO_DATE:8:D>20240101<TIME_ON:4>1200<EOR>";
    const ImportCounts r = importAndWait(writeAdif("lines.adi", text));
    EXPECT_EQ(r.Inserted, 3);
    EXPECT_EQ(log->LogBook().size(), 3);
    EXPECT_EQ(qso("CC1C").TimeOnAsString(), "120000");
}

struct WindowCase {
    const char* logDate;
    const char* logTime;
    const char* fileDate;
    const char* fileTime;
    bool merges;
};

class ImportWindow : public ImportFixture, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(ImportWindow, SameDayWithin16Minutes)
{
    const WindowCase c = GetParam();
    openLog({QSOLine("DL1ABC", c.logDate, c.logTime)});
    const QByteArray text = Header + Record({{"CALL", "DL1ABC"}, {"QSO_DATE", c.fileDate}, {"TIME_ON", c.fileTime},
                                             {"BAND", "20m"}, {"MODE", "CW"}, {"NAME", "Hans"}});
    const ImportCounts r = importAndWait(writeAdif("w.adi", text));
    EXPECT_EQ(r.Updated, c.merges ? 1 : 0);
    EXPECT_EQ(r.Inserted, c.merges ? 0 : 1);
    if (c.merges) {
        // The log keeps its own start time.
        EXPECT_EQ(qso("DL1ABC").TimeOnAsString(), QString(c.logTime));
        EXPECT_EQ(qso("DL1ABC").Name(), "Hans");
    }
}

INSTANTIATE_TEST_SUITE_P(Matching, ImportWindow,
                         ::testing::Values(WindowCase{"20240301", "120000", "20240301", "1215", true},
                                           WindowCase{"20240301", "120000", "20240301", "121559", true},
                                           WindowCase{"20240301", "120000", "20240301", "1216", false},
                                           WindowCase{"20240301", "120000", "20240301", "1145", true},
                                           WindowCase{"20240301", "235500", "20240302", "0005", false}));

TEST_F(ImportFixture, TheSameQSOTwiceInAFileIsInsertedOnceAndUpdatedOnce)
{
    openLog();
    const QByteArray rec = Record({{"CALL", "DL1ABC"}, {"QSO_DATE", "20240301"}, {"TIME_ON", "1200"}});
    const ImportCounts r = importAndWait(writeAdif("twice.adi", Header + rec + "\n" + rec + "\n"));
    EXPECT_EQ(r.Inserted, 1);
    EXPECT_EQ(r.Updated, 1);
}

TEST_F(ImportFixture, EmptyOrRefusedValuesNeverOverwriteTheLog)
{
    TLogRecord q;
    q.SetStationCallsign(OwnCall);
    q.SetQSODateAsString("20240301");
    q.SetTimeOnAsString("1200");
    q.SetCall("DL1ABC");
    q.SetBandAsString("20m");
    q.SetModeAsString("CW");
    q.SetName("Op");
    q.SetGridSquare("JO62");
    q.SetQSLRcvd("Y");
    q.SetQSLLoTWRcvd("Y");
    openLog({q.QSOLine()});
    const QByteArray base = "<CALL:6>DL1ABC <QSO_DATE:8>20240301 <TIME_ON:4>1201 <BAND:3>20m <MODE:2>CW ";
    const QByteArray text = Header + base + "<NAME:0> <GRIDSQUARE:0> <QSL_RCVD:1>V <LOTW_QSL_RCVD:1>N <EOR>\n" + base +
                            "<QSL_RCVD:1>N <COMMENT:3>tnx <EOR>\n";
    const ImportCounts r = importAndWait(writeAdif("keep.adi", text));
    EXPECT_EQ(r.Updated, 2);
    const TLogRecord after = qso("DL1ABC");
    EXPECT_EQ(after.Name(), "Op");
    EXPECT_EQ(after.GridSquare(), "JO62");
    EXPECT_EQ(after.QSLRcvd(), "Y");
    EXPECT_EQ(after.QSLLoTWRcvd(), "Y");
    EXPECT_EQ(after.Comment(), "tnx");
}

TEST_F(ImportFixture, RecordsThatAreNoQSOAreSkippedAndCounted)
{
    openLog();
    const QByteArray text = Header + Record({{"CALL", "AA1A"}, {"QSO_DATE", "20210230"}}) + "\n" +
                            Record({{"QSO_DATE", "20210301"}, {"TIME_ON", "1000"}}) + "\n" +
                            Record({{"CALL", "BB1B"}, {"QSO_DATE", "20210301"}, {"TIME_ON", "2561"}}) + "\n" +
                            Record({{"CALL", "CC1C"}}) + "\n" +
                            Record({{"CALL", "DD1D"}, {"QSO_DATE", "20210301"}, {"TIME_ON", "1000"}}) + "\n";
    const ImportCounts r = importAndWait(writeAdif("skip.adi", text));
    EXPECT_EQ(r.Inserted, 1);
    EXPECT_EQ(r.Skipped, 4);
    EXPECT_TRUE(events.contains("1 QSOs inserted, 0 QSOs updated, 1 QSOs without band or mode, 4 records skipped"))
        << events.join('|').toStdString();
}

TEST_F(ImportFixture, eQSLInboxConfirmsMatchesAndRejectsTheRest)
{
    TLogRecord q;
    q.SetStationCallsign("DJ3EI");
    q.SetQSODateAsString("20240322");
    q.SetTimeOnAsString("172400");
    q.SetCall("II2GM");
    q.SetBandAsString("40m");
    q.SetModeAsString("SSB");
    q.SetRSTRcvd("55");
    q.SetRSTSent("57");
    openLog({q.QSOLine()});
    const QByteArray text = "Received eQSLs for DJ3EI \r\nfor QSOs between 04-Mar-2024 and 31-Dec-2034\r\n"
                            "<PROGRAMID:21>eQSL.cc DownloadInBox\r\n<ADIF_Ver:5>3.1.0\r\n<EOH>\r\n"
                            "<CALL:5>II2GM<QSO_DATE:8:D>20240322<TIME_ON:4>1730<BAND:3>40M<MODE:3>SSB"
                            "<RST_SENT:2>59<QSL_SENT:1>Y<QSL_SENT_VIA:1>E<PROP_MODE:3>SAT<EOR>\r\n"
                            "<CALL:5>K1ABC<QSO_DATE:8:D>20240323<TIME_ON:4>0800<BAND:3>20M<MODE:2>CW"
                            "<RST_SENT:3>599<QSL_SENT:1>Y<EOR>\r\n"
                            "<CALL:5>K2ABC<QSO_DATE:8:D>20240323<TIME_ON:4>0900<BAND:3>20M<MODE:2>CW"
                            "<QSL_SENT:1>Y<APP_EQSL_SWL:1>Y<EOR>\r\n";
    const ImportCounts r = importAndWait(writeAdif("inbox.adi", text));
    EXPECT_EQ(r.Updated, 1);
    EXPECT_EQ(r.Inserted, 0);
    EXPECT_EQ(log->LogBook().size(), 1);
    const TLogRecord after = qso("II2GM");
    EXPECT_EQ(after.QSLeQSLRcvd(), "Y");
    EXPECT_EQ(after.RSTRcvd(), "59");
    EXPECT_EQ(after.RSTSent(), "57");
    EXPECT_EQ(after.QSLSent(), "N");
    EXPECT_EQ(after.PropMode(), pmNone);

    // The unmatched record (not the listener's) is kept aside with the comment "eQSL".
    const QStringList lines = fileLines(dir.filePath("eqsl_rejected.log"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], TLogRecord::FileHeader());
    TLogRecord k;
    k.ExplodeQSOLine(lines[1]);
    EXPECT_EQ(k.Call(), "K1ABC");
    EXPECT_EQ(k.StationCallsign(), "DJ3EI");
    EXPECT_EQ(k.Comment(), "eQSL");
}

// ---- Bad input and failures --------------------------------------------------------------

struct BadInputCase {
    const char* name;
    QByteArray text;
    const char* status;
};

class ImportBadInput : public ImportFixture, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(ImportBadInput, NothingChangesAndTheResultSaysWhy)
{
    openLog({QSOLine("DL1ABC", "20240301", "120000")});
    const QByteArray before = readBytes();
    const BadInputCase c = GetParam();
    const ImportCounts r = importAndWait(writeAdif("bad.adi", c.text));
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(r.Inserted, 0);
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(events.last(), QString::fromLatin1(c.status)) << events.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportBadInput,
    ::testing::Values(
        BadInputCase{"HugeLength", Header + "<CALL:1073741824>AA1A <QSO_DATE:8>20240101",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"TagWithoutClose", Header + "<CALL:4 AA1A <QSO_DATE:8>20240101 <TIME_ON:4>1000 <EOR>",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"Truncated", Header + "<CALL:4>AA1A <QSO_DATE:8>2024", "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"NoHeaderEnd", "<CALL:4>AA1A <QSO_DATE:8>20240101 <EOR>", "No QSOs imported or updated"},
        BadInputCase{"LengthPastTheEndOfTheFile", Header + QSO_ + "<COMMENT:50>short <EOR>\r\n",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"LengthOverTheRecordEnd", Header + QSO_ + "<COMMENT:20>short <EOR>\r\n<CALL:1>X <EOR>\r\n",
                     "No QSOs imported or updated, 2 records skipped"},
        BadInputCase{"Length2Pow31", Header + "<CALL:2147483648>AA1A <QSO_DATE:8>20240101 <TIME_ON:4>1200 <EOR>",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"Length2Pow63", Header + "<CALL:9223372036854775808>AA1A <QSO_DATE:8>20240101 <EOR>",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"LengthMinus1AsUnsigned", Header + "<CALL:4294967295>AA1A <QSO_DATE:8>20240101 <EOR>",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"NegativeLength", Header + "<CALL:-4>AA1A <QSO_DATE:8>20240101 <TIME_ON:4>1200 <EOR>",
                     "No QSOs imported or updated, 1 records skipped"},
        BadInputCase{"Binary", QByteArray("\x00\xff<\x01<EOH", 8), "No QSOs imported or updated"}),
    [](const auto& info) { return std::string(info.param.name); });

// A megabyte of random bytes, and the same after a header so that the records are read: the
// log is left as it was and the result says that nothing was imported.
TEST_F(ImportFixture, RandomBytesChangeNothing)
{
    openLog({QSOLine("DL1ABC", "20240301", "120000")});
    const QByteArray before = readBytes();
    std::mt19937 random(20240301);
    // Weighted towards what data specifiers are made of, so that many almost are.
    const QByteArray alphabet = "<<<<>>>>::::0123456789EORHCALeorhcal_ \r\n\xc3\xa9\xff";
    QByteArray noise(1 << 20, '\0');
    for (char& c : noise)
        c = random() % 4 == 0 ? char(random()) : alphabet[random() % alphabet.size()];
    for (const QByteArray& text : {noise, Header + noise}) {
        const ImportCounts r = importAndWait(writeAdif("noise.adi", text));
        EXPECT_FALSE(r.Success);
        EXPECT_EQ(r.Inserted + r.Updated, 0);
        EXPECT_EQ(readBytes(), before);
        EXPECT_TRUE(events.last().startsWith("No QSOs imported or updated")) << events.last().toStdString();
    }
    EXPECT_EQ(log->LogBook().size(), 1);
}

TEST_F(ImportFixture, AMissingFileStillEndsWithAResult)
{
    openLog();
    const ImportCounts r = importAndWait(dir.filePath("missing.adi"));
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(r.LogFilename, path());
    EXPECT_TRUE(events.last().startsWith("Importing missing.adi failed: ")) << events.last().toStdString();
}

TEST_F(ImportFixture, ALogThatCannotBeWrittenIsLeftAsItWas)
{
    // A folder of its own that an ordinary user may read.
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    QDir(dir.path()).mkdir("ro");
    log->SetLogFolder(dir.filePath("ro"));
    writeLog({QSOLine("DL1ABC", "20240301", "120000")});
    ::chmod(QFile::encodeName(path()).constData(), 0644);
    openLog();
    const QByteArray before = readBytes();
    const QString adif = writeAdif("ok.adi", Header + Record({{"CALL", "AA1A"}, {"QSO_DATE", "20240101"}}));
    ::chmod(QFile::encodeName(adif).constData(), 0644);
    ImportCounts r;
    {
        ReadOnlyFolder readOnly(log->LogFolder());
        QFile probe(log->LogFolder() + "/probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            GTEST_SKIP() << "this process may write into read-only folders";
        }
        r = importAndWait(adif);
    }
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(r.Inserted, 0);
    EXPECT_EQ(readBytes(), before);
    EXPECT_TRUE(events.last().startsWith("Saving test.log failed: ")) << events.join('|').toStdString();
    EXPECT_EQ(log->LogBook().size(), 1);
    EXPECT_FALSE(log->ImportRunning());
}

TEST_F(ImportFixture, RejectedRecordsThatCannotBeKeptStopTheImport)
{
    TLogRecord q;
    q.ExplodeQSOLine(QSOLine("II2GM", "20240322", "172400", "40m", "SSB"));
    openLog({q.QSOLine()});
    const QByteArray before = readBytes();
    const QString adif = writeAdif("inbox.adi", "<PROGRAMID:21>eQSL.cc DownloadInBox <EOH>\r\n"
                                                "<CALL:5>II2GM<QSO_DATE:8>20240322<TIME_ON:4>1730<BAND:3>40M"
                                                "<MODE:3>SSB<QSL_SENT:1>Y<EOR>\r\n"
                                                "<CALL:5>K1ABC<QSO_DATE:8>20240323<TIME_ON:4>0800<BAND:3>20M"
                                                "<MODE:2>CW<QSL_SENT:1>Y<EOR>\r\n");
    ImportCounts r;
    {
        FileSizeLimit full(10);
        r = importAndWait(adif);
    }
    EXPECT_FALSE(r.Success);
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(qso("II2GM").QSLeQSLRcvd(), "N");
    EXPECT_TRUE(events.last().startsWith("Saving eqsl_rejected.log failed: ")) << events.join('|').toStdString();
}

TEST_F(ImportFixture, AFileThatIsNoLogIsNeverWritten)
{
    writeBytes("just some text\r\n");
    const QByteArray before = readBytes();
    log->ADIFImport(writeAdif("ok.adi", Header + Record({{"CALL", "AA1A"}, {"QSO_DATE", "20240101"}})));
    ASSERT_TRUE(vxtest::waitUntil([&] { return !results.isEmpty(); }));
    EXPECT_FALSE(results.last().Success);
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(events.last(), "test.log is no valid log book");
}

// ---- Concurrency --------------------------------------------------------------------------

TEST_F(ImportFixture, QSOsLoggedOrEditedWhileAnImportRunsAreKept)
{
    openLog({QSOLine("EDIT1", "20200101", "100000"), QSOLine("GONE1", "20200101", "110000")});
    const QString file = TestData("adif/ADIF_316_test_QSOs_2025_08_27.adi");
    log->ADIFImport(file);
    // The import read the log before these reach the file.
    TLogRecord r;
    r.SetQSODateAsString("20240101");
    r.SetTimeOnAsString("0800");
    r.SetCall("NEW1");
    ASSERT_TRUE(log->AddQSO(r));
    ASSERT_TRUE(log->EditQSO(rowOf("EDIT1")));
    log->EditRecord().SetName("Edited");
    log->SaveQSO();
    ASSERT_TRUE(log->DeleteQSO(rowOf("GONE1")));
    ASSERT_TRUE(vxtest::waitUntil([&] { return !results.isEmpty(); }, 60000));
    ASSERT_TRUE(vxtest::waitUntil([&] { return !log->LogIsLoading(); }));
    log->WaitForWriter();

    EXPECT_EQ(results.last().Inserted, 6191);
    EXPECT_EQ(results.last().QSOs, 6191 + 2);
    EXPECT_EQ(log->LogBook().size(), 6191 + 2);
    EXPECT_EQ(qso("NEW1").Call(), "NEW1");
    EXPECT_EQ(qso("EDIT1").Name(), "Edited");
    EXPECT_TRUE(qso("GONE1").Call().isEmpty());
    EXPECT_EQ(fileLines().mid(1), log->LogBook());
}

TEST_F(ImportFixture, ASecondImportWhileOneRunsIsRefusedWithAResult)
{
    openLog();
    const QString file = TestData("adif/qrz.adi");
    log->ADIFImport(file);
    log->ADIFImport(file);
    ASSERT_TRUE(vxtest::waitUntil([&] { return results.size() == 2; }, 60000));
    EXPECT_FALSE(results[0].Success);
    EXPECT_TRUE(events.contains("An ADIF import is still running"));
    EXPECT_EQ(results[1].Inserted, 924);
}

TEST_F(ImportFixture, TheLoTWReportIsMergedIntoEveryListedLog)
{
    openLog();
    const QString report = TestData("lotw/lotwreport_qsldetail.adi");
    QStringList logs;
    for (const char* name : {"a.log", "b.log"}) {
        const QString file = dir.filePath(name);
        QStringList lines{TLogRecord::FileHeader()};
        for (const QString& line : TLogADIFUtils::Convert(report).Lines.mid(1, 3))
            lines << line;
        writeBytes(vx::loglines::EncodeLines(lines), file);
        logs << file;
    }
    QDir().mkpath(dir.filePath("lotw"));
    QFile::copy(report, dir.filePath("lotw/lotwreport.adi"));
    log->LoTWInterface()->SetLoTWReportPath(dir.filePath("lotw"));
    log->ADIFImportLoTW({}, logs + QStringList{dir.filePath("missing.log")});
    ASSERT_TRUE(vxtest::waitUntil([&] { return results.size() == 3; }, 60000));
    EXPECT_EQ(results[0].LogFilename, logs[0]);
    EXPECT_EQ(results[0].Updated, 3);
    EXPECT_EQ(results[1].LogFilename, logs[1]);
    EXPECT_EQ(results[1].Updated, 3);
    EXPECT_FALSE(results[2].Success);
    EXPECT_TRUE(events.contains("Cannot open log book missing.log"));
    // The open log is not one of them and was not touched.
    EXPECT_EQ(log->LogBook().size(), 0);
}

TEST_F(ImportFixture, TheLoTWReportBecomesLogLines)
{
    const QString report = dir.filePath("lotwreport.adi");
    QFile::copy(TestData("lotw/lotwreport_qsldetail.adi"), report);
    bool success = false;
    int qsos = -1;
    log->OnLoTWLog = [&](bool s, int32_t n) {
        success = s;
        qsos = n;
    };
    log->WriteLoTWLog(report);
    ASSERT_TRUE(vxtest::waitUntil([&] { return qsos >= 0; }));
    EXPECT_TRUE(success);
    EXPECT_EQ(qsos, 85);
    const QStringList lines = fileLines(dir.filePath("lotwreport.log"));
    ASSERT_EQ(lines.size(), 86);
    EXPECT_EQ(lines[0], TLogRecord::FileHeader());
    TLogRecord first;
    first.ExplodeQSOLine(lines[1]);
    EXPECT_EQ(first.StationCallsign(), "R3LO");
    EXPECT_EQ(first.Call(), "IC8TEM");
    EXPECT_EQ(first.QSODateAsString(), "20260126");
}
