// The ADI reader: data specifiers wherever they stand, lengths that real files miscount,
// the header and its file kinds, encodings, and files larger than one read.
#include "log/ADIFReader.h"
#include "log/LogRecord.h"
#include "log/LogText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "QStringPrint.h"

using vx::adif::TADIFReader;
using vx::adif::TADIFRecord;
using vx::adif::TFileKind;
using vx::logtext::TextLength;

namespace {

struct ReadResult {
    bool Opened = false;
    bool HeaderFound = false;
    TFileKind Kind = TFileKind::Plain;
    QString OwnCall;
    QList<TADIFRecord> Records;
    bool Trailing = false;
};

ReadResult Read(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.adi");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    ReadResult r;
    TADIFReader reader;
    r.Opened = reader.Open(path);
    r.HeaderFound = reader.HeaderFound();
    r.Kind = reader.Kind();
    r.OwnCall = reader.OwnCall();
    TADIFRecord a;
    while (reader.Next(a))
        r.Records << a;
    r.Trailing = reader.TrailingData();
    return r;
}

const QByteArray Header = "header\r\n<EOH>\r\n";

struct ValueCase {
    const char* name;
    QByteArray record;
    int field;
    QString value;
};

class ReaderValues : public ::testing::TestWithParam<ValueCase> {};

} // namespace

TEST_P(ReaderValues, ValueOfOneField)
{
    const ValueCase c = GetParam();
    const ReadResult r = Read(Header + c.record);
    ASSERT_EQ(r.Records.size(), 1);
    EXPECT_EQ(r.Records[0].Values[c.field], c.value);
    EXPECT_TRUE(r.Records[0].Present[c.field]);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReaderValues,
    ::testing::Values(
        ValueCase{"LowerCaseTag", "<call:4>aa1a <eor>", LogField::Call, "aa1a"},
        ValueCase{"TypeIndicator", "<QSO_DATE:8:D>20240101<CALL:1>X<EOR>", LogField::QSODate, "20240101"},
        ValueCase{"BlanksTrimmed", "<NAME:9>  Bob    <EOR>", LogField::Name, "Bob"},
        ValueCase{"LessThanInValue", "<COMMENT:9>5 < 10 W <EOR>", LogField::Comment, "5 < 10 W"},
        ValueCase{"FirstOccurrenceWins", "<NAME:3>Bob <NAME:3>Tom <EOR>", LogField::Name, "Bob"},
        ValueCase{"ShortLengthCuts", "<NAME:2>Bobby <EOR>", LogField::Name, "Bo"},
        // Files count CR LF where they hold LF: the value stops at the next field.
        ValueCase{"CRLFCountedInLF", "<NOTES:9>one\ntwo\n<CALL:4>AA1A <EOR>", LogField::Notes, "one\ntwo"},
        ValueCase{"CallAfterCRLFOvercount", "<NOTES:9>one\ntwo\n<CALL:4>AA1A <EOR>", LogField::Call, "AA1A"},
        // UTF-8 bytes counted: the value stops at the next field.
        ValueCase{"Utf8ByteLength", "<QTH:9>Montr\xc3\xa9" "al <CALL:4>AA1A <EOR>", LogField::QTH,
                  QString::fromUtf8("Montréal")},
        // Characters counted, as we write them, and nothing in between.
        ValueCase{"CharacterLength", "<QTH:8>Montr\xc3\xa9" "al<CALL:4>AA1A<EOR>", LogField::QTH,
                  QString::fromUtf8("Montréal")},
        // Counted to one or two characters too many: the value stops where the record ends.
        ValueCase{"CRLFCountedBeforeRecordEnd", "<CALL:4>AA1A<NOTES:9>one\ntwo<EOR>", LogField::Notes, "one\ntwo"},
        ValueCase{"ZeroLength", "<NAME:0><CALL:4>AA1A <EOR>", LogField::Name, ""},
        ValueCase{"HugeLength", "<NAME:99999999999>Bob <CALL:4>AA1A <EOR>", LogField::Name, "Bob"},
        ValueCase{"UnclosedTagIsText", "<CALL:4 AA1A <NAME:3>Bob <EOR>", LogField::Name, "Bob"}),
    [](const auto& info) { return std::string(info.param.name); });

// Text shaped like a tag is data as long as the length covers it; only a data specifier with
// a length ends a value early.
TEST(ADIFReader, TagShapedTextInsideAValueIsData)
{
    const struct {
        QByteArray value;
        QString expected;
    } cases[] = {
        {"<3", "<3"},
        {"<b>x</b>", "<b>x</b>"},
        {"a<b>;c", "a<b>;c"},
        {"x <eor> y", "x <eor> y"},
        {"<EOR>", "<EOR>"},
        {"tnx <3 QSO <b>Hans</b> & Gr\xc3\xbc\xc3\x9f" "e", QString::fromUtf8("tnx <3 QSO <b>Hans</b> & Grüße")},
        {"<APP_X_Y>", "<APP_X_Y>"},
    };
    for (const auto& c : cases) {
        const QByteArray length = QByteArray::number(TextLength(QString::fromUtf8(c.value)));
        // Right before the next field, and as the last value of its record.
        for (const QByteArray& record : {"<COMMENT:" + length + ">" + c.value + "<CALL:4>AA1A<EOR>",
                                         "<CALL:4>AA1A<COMMENT:" + length + ">" + c.value + "<EOR>"}) {
            const ReadResult r = Read(Header + record + "\r\n<CALL:4>BB1B <EOR>\r\n");
            ASSERT_EQ(r.Records.size(), 2) << record.toStdString();
            EXPECT_EQ(r.Records[0].Values[LogField::Comment], c.expected) << record.toStdString();
            EXPECT_EQ(r.Records[0].Values[LogField::Call], "AA1A") << record.toStdString();
            EXPECT_FALSE(r.Records[0].Broken) << record.toStdString();
        }
    }
}

// Our export writes lengths in characters; the reader counts them the same way, so every value
// we write comes back whole.
TEST(ADIFReader, OurOwnRecordsReadBackWhole)
{
    const QString values[] = {QString::fromUtf8("tnx <3 QSO <b>Hans</b> & Grüße"), "a<b>,c", "<EOR>",
                              QString::fromUtf8("Łódź <eor> 東京 \U0001F600 <CALL"), "x</b"};
    for (const QString& v : values) {
        TLogRecord r;
        r.SetCall("AA1A");
        r.SetComment(v);
        r.SetName(v);
        const QString adif = r.GetADIFRecord(r.QSOLine());
        const ReadResult back = Read(Header + adif.toUtf8() + "\r\n");
        ASSERT_EQ(back.Records.size(), 1) << adif.toStdString();
        EXPECT_EQ(back.Records[0].Values[LogField::Comment], v);
        EXPECT_EQ(back.Records[0].Values[LogField::Name], v);
        EXPECT_EQ(back.Records[0].Values[LogField::QSLeQSLRcvd], "N");
    }
}

// A length that cannot be a miscount breaks its record: the record is marked and the next one
// is read as it stands.
TEST(ADIFReader, LengthsThatRunPastTheRecordBreakIt)
{
    const QByteArray next = "\r\n<CALL:4>BB1B <NAME:3>Bob <EOR>\r\n";
    const struct {
        const char* name;
        QByteArray record;
    } cases[] = {
        {"OverItsEndIntoTheNext", "<CALL:4>AA1A <COMMENT:40>short <EOR>"},
        {"Length2Pow31", "<CALL:2147483648>AA1A <QSO_DATE:8>20240101 <EOR>"},
        {"Length2Pow32Less4", "<CALL:4294967292>AA1A <QSO_DATE:8>20240101 <EOR>"},
        {"NothingBeforeTheNextField", "<NAME:3><CALL:4>AA1A <EOR>"},
    };
    for (const auto& c : cases) {
        const ReadResult r = Read(Header + c.record + next);
        ASSERT_EQ(r.Records.size(), 2) << c.name;
        EXPECT_TRUE(r.Records[0].Broken) << c.name;
        EXPECT_FALSE(r.Records[1].Broken) << c.name;
        EXPECT_EQ(r.Records[1].Values[LogField::Call], "BB1B") << c.name;
        EXPECT_EQ(r.Records[1].Values[LogField::Name], "Bob") << c.name;
        EXPECT_FALSE(r.Trailing) << c.name;
    }

    // Run past the end of the file: the record is broken, or cut off where it has no end.
    ReadResult r = Read(Header + "<CALL:4>AA1A <COMMENT:50>short <EOR>\r\n");
    ASSERT_EQ(r.Records.size(), 1);
    EXPECT_TRUE(r.Records[0].Broken);
    r = Read(Header + "<CALL:4>AA1A <COMMENT:50>short\r\n");
    EXPECT_TRUE(r.Records.isEmpty());
    EXPECT_TRUE(r.Trailing);

    // Lengths no number can hold, and negative ones, make no data specifier at all.
    for (const QByteArray& length : {QByteArray("-4"), QByteArray("99999999999999999999"), QByteArray("+4")}) {
        r = Read(Header + "<CALL:" + length + ">AA1A <NAME:3>Bob <EOR>");
        ASSERT_EQ(r.Records.size(), 1) << length.toStdString();
        EXPECT_FALSE(r.Records[0].Present[LogField::Call]) << length.toStdString();
        EXPECT_EQ(r.Records[0].Values[LogField::Name], "Bob") << length.toStdString();
    }
}

// A header value whose length runs past <EOH> ends there, and the records after it are read.
TEST(ADIFReader, HeaderValueRunningPastTheHeaderEnd)
{
    const ReadResult r = Read("<PROGRAMID:400>X <EOH>\r\n<CALL:4>AA1A <EOR>\r\n<CALL:4>BB1B <EOR>");
    EXPECT_TRUE(r.HeaderFound);
    ASSERT_EQ(r.Records.size(), 2);
    EXPECT_EQ(r.Records[0].Values[LogField::Call], "AA1A");
}

TEST(ADIFReader, RecordsAreFoundAnywhereAndOnlyWithTheirEnd)
{
    const ReadResult r = Read(Header + "<CALL:1>A <EOR><CALL:1>B <eor>\n\n<EOR> junk <APP_X_EOF>\n<CALL:1>C<EOR>\n<CALL:1>D");
    ASSERT_EQ(r.Records.size(), 3);
    EXPECT_EQ(r.Records[2].Values[LogField::Call], "C");
    // The last record has no end: it is cut off, not taken.
    EXPECT_TRUE(r.Trailing);
    EXPECT_FALSE(r.Records[0].Present[LogField::Name]);

    EXPECT_FALSE(Read(Header + "<CALL:1>A <EOR>\r\n").Trailing);
}

TEST(ADIFReader, WithoutHeaderEndThereAreNoRecords)
{
    const ReadResult r = Read("<CALL:4>AA1A <QSO_DATE:8>20240101 <EOR>\n");
    EXPECT_TRUE(r.Opened);
    EXPECT_FALSE(r.HeaderFound);
    EXPECT_TRUE(r.Records.isEmpty());
}

TEST(ADIFReader, HeaderTellsTheKindOfFile)
{
    struct Case {
        QByteArray header;
        TFileKind kind;
        QString ownCall;
    } cases[] = {
        {"ARRL Logbook of the World Status Report\r\n<PROGRAMID:4>LoTW\r\n<eoh>", TFileKind::LoTWReport, ""},
        {"<programid:4>LoTW <EOH>", TFileKind::LoTWReport, ""},
        {"<PROGRAMID:4>LOTW <EOH>", TFileKind::Plain, ""},
        {"Received eQSLs for DJ3EI \r\nfor QSOs between 04-Mar-2024 and 31-Dec-2034\r\n"
         "<PROGRAMID:21>eQSL.cc DownloadInBox\r\n<ADIF_Ver:5>3.1.0\r\n<EOH>",
         TFileKind::eQSLInbox, "DJ3EI"},
        {"<PROGRAMID:6>WSJT-X <EOH>", TFileKind::Plain, ""},
    };
    for (const Case& c : cases) {
        const ReadResult r = Read(c.header + "\r\n<CALL:1>A <EOR>\r\n");
        EXPECT_EQ(r.Kind, c.kind) << c.header.toStdString();
        EXPECT_EQ(r.OwnCall, c.ownCall) << c.header.toStdString();
        EXPECT_EQ(r.Records.size(), 1) << c.header.toStdString();
    }
}

TEST(ADIFReader, Encodings)
{
    const QString montreal = QString::fromUtf8("Montréal");
    struct Case {
        const char* name;
        QByteArray bytes;
        QString qth;
    } cases[] = {
        {"Utf8Bom", "\xEF\xBB\xBF" + Header + "<QTH:8>Montr\xc3\xa9" "al <EOR>", montreal},
        {"Windows1252", Header + "<QTH:8>Montr\xe9" "al <NAME:4>\x80uro <EOR>", montreal},
        {"Utf16", [&] {
             const QString text = Header + "<QTH:8>" + montreal + " <EOR>";
             QByteArray b("\xFF\xFE");
             b.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
             return b;
         }(), montreal},
    };
    for (const Case& c : cases) {
        const ReadResult r = Read(c.bytes);
        ASSERT_EQ(r.Records.size(), 1) << c.name;
        EXPECT_EQ(r.Records[0].Values[LogField::QTH], c.qth) << c.name;
    }
    EXPECT_EQ(Read(cases[1].bytes).Records[0].Values[LogField::Name], QString::fromUtf8("€uro"));
}

TEST(ADIFReader, FilesLargerThanOneReadAndOverlongValues)
{
    // Records across the boundaries of the pieces the file is read in.
    QByteArray text = Header;
    const int count = 40000;
    for (int i = 0; i < count; ++i)
        text += "<CALL:" + QByteArray::number(QByteArray::number(i).size() + 1) + ">C" + QByteArray::number(i) +
                " <COMMENT:20>" + QByteArray(20, 'a' + i % 26) + "<EOR>\r\n";
    ASSERT_GT(text.size(), 2 << 20);
    ReadResult r = Read(text);
    ASSERT_EQ(r.Records.size(), count);
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(r.Records[i].Values[LogField::Call], "C" + QString::number(i));
        ASSERT_EQ(r.Records[i].Values[LogField::Comment], QString(20, QChar('a' + i % 26)));
    }

    // A value longer than any field cannot be taken whole: it is cut and its record marked
    // broken, and the field after it is still found.
    const qsizetype huge = 3 * TADIFReader::MaxValueLength;
    r = Read(Header + "<NOTES:" + QByteArray::number(huge) + ">" + QByteArray(huge, 'x') + "<CALL:4>AA1A <EOR>");
    ASSERT_EQ(r.Records.size(), 1);
    EXPECT_EQ(r.Records[0].Values[LogField::Notes].size(), TADIFReader::MaxValueLength);
    EXPECT_EQ(r.Records[0].Values[LogField::Call], "AA1A");
    EXPECT_TRUE(r.Records[0].Broken);
}

TEST(ADIFReader, ListenerReportsAndUnreadableFiles)
{
    const ReadResult r = Read(Header + "<CALL:1>A <app_eqsl_swl:1>y <EOR><CALL:1>B <APP_EQSL_SWL:1>N <EOR>");
    ASSERT_EQ(r.Records.size(), 2);
    EXPECT_TRUE(r.Records[0].ListenerReport);
    EXPECT_FALSE(r.Records[1].ListenerReport);

    TADIFReader missing;
    EXPECT_FALSE(missing.Open("/nonexistent/file.adi"));
    EXPECT_FALSE(missing.Error().isEmpty());
}
