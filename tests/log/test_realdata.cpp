// QSOs from real ADIF and Cabrillo files written by other programs: every value they use
// is taken by the record, survives the log line, and comes out in our exchange records as
// those programs write it.
#include "log/LogRecord.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

using AdifRecord = QMap<QString, QString>; // upper-case tag -> value

// Just enough ADI reading for these checks (the import proper lives elsewhere): data
// specifiers after the header, lengths in bytes of the UTF-8 text.
QList<AdifRecord> ReadAdi(const QByteArray& data)
{
    QList<AdifRecord> records;
    qsizetype pos = data.toLower().indexOf("<eoh>");
    pos = pos < 0 ? 0 : pos + 5;
    AdifRecord current;
    while ((pos = data.indexOf('<', pos)) >= 0) {
        const qsizetype close = data.indexOf('>', pos);
        if (close < 0)
            break;
        const QList<QByteArray> parts = data.mid(pos + 1, close - pos - 1).split(':');
        const QString tag = QString::fromLatin1(parts[0]).toUpper();
        pos = close + 1;
        if (tag == "EOR") {
            records.append(current);
            current.clear();
            continue;
        }
        const int length = parts.size() > 1 ? parts[1].toInt() : 0;
        current[tag] = QString::fromUtf8(data.mid(pos, length));
        pos += length;
    }
    return records;
}

// The same for our own records, whose lengths count characters.
AdifRecord ReadOwnAdif(const QString& text)
{
    AdifRecord r;
    qsizetype pos = 0;
    while ((pos = text.indexOf('<', pos)) >= 0) {
        const qsizetype close = text.indexOf('>', pos);
        const QStringList parts = text.mid(pos + 1, close - pos - 1).split(':');
        pos = close + 1;
        if (parts[0] == "EOR")
            break;
        const int chars = parts.value(1).toInt();
        qsizetype end = pos;
        for (int n = 0; n < chars; ++n)
            end += text[end].isHighSurrogate() ? 2 : 1;
        r[parts[0]] = text.mid(pos, end - pos);
        pos = end;
        EXPECT_EQ(text.mid(pos, 1), " ") << "no blank after " << parts[0].toStdString();
    }
    return r;
}

QByteArray ReadTestFile(const QString& relative)
{
    QFile f(QStringLiteral(VX_TESTDATA_DIR "/") + relative);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative.toStdString();
    return f.readAll();
}

QString TagOf(int field)
{
    const QString t = QString::fromLatin1(ADIFFieldTags[field]);
    return t.mid(1, t.size() - 2);
}

// Hands an ADIF record to a log record the way the import does; returns the tags whose
// value was not taken.
QStringList Load(TLogRecord& r, const AdifRecord& adif)
{
    QStringList rejected;
    r.Clear();
    for (int k = 0; k < LogField::Count; ++k) {
        const auto it = adif.find(TagOf(k));
        if (it == adif.end())
            continue;
        if (!r.SetFieldAsString(k, it.value()))
            rejected << TagOf(k) + "=" + it.value();
    }
    return rejected;
}

// The reader trims each field: a value with blanks around it comes back without them.
QString Trimmed(const QString& line)
{
    QStringList f = line.split(';');
    for (QString& v : f)
        v = vx::logtext::TrimControl(v);
    return f.join(';');
}

} // namespace

TEST(RealData, EveryValueOfRealLogsIsTakenAndSurvivesTheLogLine)
{
    const char* files[] = {"adif/wsjtx_2.6.1_log.adi", "adif/N3FJP-AClogAdif.adi", "adif/lotwreport_farmergreg.adi",
                           "adif/skcc-logger.adi",      "adif/Log4OM.adi",          "adif/qrz.adi",
                           "lotw/lotwreport_qsldetail.adi"};
    int qsos = 0;
    for (const char* file : files) {
        const QList<AdifRecord> records = ReadAdi(ReadTestFile(file));
        ASSERT_FALSE(records.isEmpty()) << file;
        for (const AdifRecord& adif : records) {
            TLogRecord r;
            const QStringList rejected = Load(r, adif);
            // Only locators of other lengths than 4 and 6 and bands above 70 cm (satellite
            // QSOs on 13 cm) are outside what the log keeps.
            for (const QString& bad : rejected) {
                const QString value = bad.section('=', 1);
                const bool grid = bad.startsWith("GRIDSQUARE=") && value.size() != 4 && value.size() != 6;
                const bool band = bad.startsWith("BAND") && value.compare("13cm", Qt::CaseInsensitive) == 0;
                EXPECT_TRUE(grid || band) << file << ": " << bad.toStdString();
            }
            const QString line = r.QSOLine();
            ASSERT_EQ(line.count(';'), 35) << file;
            TLogRecord back;
            EXPECT_TRUE(back.ExplodeQSOLine(line)) << file << ": " << line.toStdString();
            EXPECT_EQ(back.QSOLine(), Trimmed(line)) << file;

            // The ADIF record of the line carries exactly the line's fields.
            const AdifRecord ours = ReadOwnAdif(r.GetADIFRecord(line));
            const QStringList fields = line.split(';');
            for (int k = 0; k < LogField::Count; ++k)
                EXPECT_EQ(ours.value(TagOf(k)), fields[k]) << file << " " << TagOf(k).toStdString();
            EXPECT_EQ(ours.size(), fields.size() - fields.count(QString()));

            // The values a log program writes come back out the same (bands in our case).
            if (adif.contains("CALL")) {
                EXPECT_EQ(ours.value("CALL"), adif["CALL"].toUpper().trimmed());
            }
            if (adif.contains("QSO_DATE")) {
                EXPECT_EQ(ours.value("QSO_DATE"), adif["QSO_DATE"]);
            }
            if (adif.contains("BAND") && !rejected.contains("BAND=" + adif["BAND"])) {
                EXPECT_EQ(ours.value("BAND").toUpper(), adif["BAND"].toUpper());
            }
            if (adif.contains("SUBMODE")) {
                EXPECT_EQ(ours.value("SUBMODE"), adif["SUBMODE"]);
            }
            ++qsos;
        }
    }
    EXPECT_GT(qsos, 2500);
}

TEST(RealData, LoTWUploadRecordsMatchWhatLoTWReports)
{
    // The LoTW report lists confirmed QSOs with the fields the upload carries.
    const QList<AdifRecord> report = ReadAdi(ReadTestFile("adif/lotwreport_farmergreg.adi"));
    ASSERT_EQ(report.size(), 438);
    for (const AdifRecord& adif : report) {
        TLogRecord r;
        Load(r, adif);
        const QString line = r.QSOLine();
        const AdifRecord upload = ReadOwnAdif(r.GetLoTWRecord(line));
        for (const char* tag : {"CALL", "MODE", "QSO_DATE", "SUBMODE"})
            EXPECT_EQ(upload.value(tag), adif.value(tag)) << tag;
        EXPECT_EQ(upload.value("BAND").toUpper(), adif.value("BAND"));
        // LoTW reports hhmmss; the upload always carries six digits.
        EXPECT_EQ(upload.value("TIME_ON"), adif.value("TIME_ON").leftJustified(6, '0'));
        EXPECT_FALSE(upload.contains("STATION_CALLSIGN"));
    }
}

TEST(RealData, TheOfficialADIFTestFileCannotBreakTheLogLine)
{
    // 6191 records with every field, multi-line values and values the log does not know.
    const QList<AdifRecord> records = ReadAdi(ReadTestFile("adif/ADIF_316_test_QSOs_2025_08_27.adi"));
    ASSERT_EQ(records.size(), 6191);
    int multiLine = 0;
    for (const AdifRecord& adif : records) {
        for (const QString& v : adif)
            multiLine += v.contains('\n') ? 1 : 0;
        TLogRecord r;
        Load(r, adif);
        const QString line = r.QSOLine();
        ASSERT_EQ(line.count(';'), 35);
        ASSERT_FALSE(line.contains('\n') || line.contains('\r'));
        TLogRecord back;
        EXPECT_TRUE(back.ExplodeQSOLine(line)) << line.toStdString();
        EXPECT_EQ(back.QSOLine(), Trimmed(line));
        // Whatever the record holds, its exchange records stay single lines.
        for (const QString& rec : {back.GetADIFRecord(line), back.GetLoTWRecord(line), back.GeteQSLRecord(line),
                                   back.GetCabrilloRecord(line, "OWN")}) {
            EXPECT_FALSE(rec.contains('\n') || rec.contains('\r'));
        }
    }
    EXPECT_GT(multiLine, 0);
}

TEST(RealData, CabrilloLinesOfRealContestLogs)
{
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    int checked = 0;
    for (const char* file : {"cabrillo/CQWPX.log", "cabrillo/GB0WR.log", "cabrillo/I44Z.log", "cabrillo/iaru.log"}) {
        const QStringList lines = QString::fromUtf8(ReadTestFile(file)).split(QRegularExpression("\r?\n"));
        for (const QString& real : lines) {
            if (!real.startsWith("QSO:"))
                continue;
            const QStringList t = real.split(blanks, Qt::SkipEmptyParts);
            ASSERT_GE(t.size(), 11) << real.toStdString();
            const int32_t hz = t[1].toInt() * 1000;
            TLogRecord r;
            r.SetBand(FrequencyToBand(hz));
            r.SetFreq(uint32_t(hz));
            r.SetMode(t[2] == "CW" ? mCW : t[2] == "PH" ? mSSB : t[2] == "RY" ? mRTTY : mFM);
            r.SetQSODateAsString(t[3]);
            r.SetTimeOnAsString(t[4]);
            r.SetRSTSent(t[6]);
            r.SetSTX(t[7]);
            r.SetCall(t[8]);
            r.SetRSTRcvd(t[9]);
            r.SetSRX(t[10]);
            const QString ours = r.GetCabrilloRecord(r.QSOLine(), t[5]);
            ASSERT_EQ(ours.size(), 81) << real.toStdString();
            // Same values in the same order; the transmitter number is ours.
            QStringList mine = ours.split(blanks, Qt::SkipEmptyParts);
            EXPECT_EQ(mine.takeLast(), "0");
            EXPECT_EQ(mine, t.mid(0, 11)) << real.toStdString();
            // Logs written in the fixed columns match byte for byte.
            if (QString(file).contains("GB0WR")) {
                EXPECT_EQ(ours, real);
            }
            if (QString(file).contains("iaru")) {
                EXPECT_EQ(ours.left(79), real);
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 + 4 + 6 + 1);
}
