// The Cabrillo export dialog: header in and out, preview, saving with and without preview,
// a call sign without QSOs, and an offscreen picture of the filled dialog.
#include "log/LogInterface.h"
#include "log/widgets/CabrilloExportForm.h"

#include "DialogChecks.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "QStringPrint.h"

namespace {

QString QSO(const QString& station, const QString& call, const QString& time, const QString& srx)
{
    TLogRecord r;
    r.SetStationCallsign(station);
    r.SetQSODateAsString("20160709");
    r.SetTimeOnAsString(time);
    r.SetCall(call);
    r.SetBandAsString("15m");
    r.SetModeAsString("CW");
    r.SetRSTSent("599");
    r.SetSTX("28");
    r.SetRSTRcvd("599");
    r.SetSRX(srx);
    return r.QSOLine();
}

class CabrilloForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCabrilloHeader& h = log.CabrilloHeader();
        h.SetContest("IARU-HF");
        h.SetCallsign("DJ3EI");
        h.SetCategoryOperator("SINGLE-OP");
        h.SetCategoryAssisted("NON-ASSISTED");
        h.SetCategoryPower("QRP");
        h.SetCategoryMode("CW");
        h.SetCategoryStation("FIXED");
        h.SetCategoryTransmitter("ONE");
        h.SetName("Andreas");
        h.SetAddress({"Hauptstrasse 1", "12345 Stadt", "Germany"});
        h.SetFilepath("/logs/");
        form.SetLogInterface(&log);
        form.SetLogBook({QSO("DJ3EI", "EI0HQ", "1354", "IRTS"), QSO("DJ3EI", "TM0HQ", "1340", "REF"),
                         QSO("DL1ABC", "K1ABC", "1400", "5")});
        form.SetFilename(dir.filePath("DJ3EI.LOG"));
        form.Initialize();
    }

    QStringList savedLines() const
    {
        QFile f(dir.filePath("DJ3EI.LOG"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    TLogInterface log;
    TCabrilloExportForm form;
};


} // namespace

TEST_F(CabrilloForm, ShowsTheHeaderAndPreviewsTheFileOfItsCallSign)
{
    EXPECT_EQ(form.windowTitle(), "Export Cabrillo");
    EXPECT_EQ(form.ContestComboBox->currentText(), "IARU-HF");
    EXPECT_EQ(form.CategoryBandComboBox->currentText(), "");
    EXPECT_EQ(form.CategoryBandComboBox->count(), 24);
    EXPECT_EQ(form.AddressMemo->toPlainText(), "Hauptstrasse 1\n12345 Stadt\nGermany");
    EXPECT_EQ(form.PrepareCabrillo(), 2);
    const QStringList preview = form.Memo1->toPlainText().split('\n');
    EXPECT_EQ(preview.first(), "START-OF-LOG: 3.0");
    EXPECT_FALSE(preview.contains("CATEGORY-BAND: "));
    EXPECT_EQ(preview.filter("ADDRESS: ").size(), 3);
    EXPECT_EQ(preview.filter("QSO: ").size(), 2);
    EXPECT_EQ(preview.last(), "END-OF-LOG:");
    EXPECT_TRUE(QFontInfo(form.Memo1->font()).fixedPitch());
}

TEST_F(CabrilloForm, SaveWithoutPreviewWritesTheFileAndStoresTheHeader)
{
    // Typed text: validated as the keyboard's would be.
    form.ClubEdit->insert("Rhein Ruhr DX");
    form.CategoryBandComboBox->lineEdit()->insert("15m");
    EXPECT_EQ(form.CategoryBandComboBox->currentText(), "15M");
    form.OKButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const QStringList lines = savedLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.contains("CATEGORY-BAND: 15M"));
    EXPECT_TRUE(lines.contains("CLUB: Rhein Ruhr DX"));
    EXPECT_EQ(lines.filter("QSO: ").size(), 2);
    EXPECT_EQ(log.CabrilloHeader().Club(), "Rhein Ruhr DX");
    EXPECT_EQ(log.CabrilloHeader().CategoryBand(), "15M");
    EXPECT_EQ(log.CabrilloHeader().Filepath(), "/logs/");
}

TEST_F(CabrilloForm, ThePreviewSaysHowManyQSOsLackAnExchange)
{
    form.SetLogBook({QSO("DJ3EI", "EI0HQ", "1354", "IRTS"), QSO("DJ3EI", "TM0HQ", "1340", "")});
    form.CabrilloButton->click();
    EXPECT_EQ(form.ResultLabel->text(), "2 QSOs exported, 1 QSOs lack RST or exchange");
    EXPECT_EQ(form.Memo1->toPlainText().split('\n').filter("QSO: ").size(), 2);
    form.OKButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.ResultText(), "2 QSOs exported, 1 QSOs lack RST or exchange");
    EXPECT_EQ(savedLines().filter("QSO: ").size(), 2);
}

TEST_F(CabrilloForm, ACallSignWithoutQSOsSavesNothing)
{
    form.CallsignEdit->setText("DL9XYZ");
    form.CabrilloButton->click();
    EXPECT_EQ(form.Memo1->toPlainText(), "No QSOs exported");
    EXPECT_FALSE(form.OKButton->isEnabled());
    EXPECT_FALSE(form.CabrilloButton->isEnabled());
    form.OKButtonClick();
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_TRUE(savedLines().isEmpty());

    // Cancel keeps the header as it was.
    form.CancelButton->click();
    EXPECT_EQ(log.CabrilloHeader().Callsign(), "DJ3EI");
}

TEST_F(CabrilloForm, ATidyDialogWithNothingClipped)
{
    form.CabrilloButtonClick();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(783, 444));
    ExpectNothingClipped(form);
    SaveDialogPictures(form, "dialog-cabrillo");
}
