// The download dialog against an HTTPS server on 127.0.0.1: dates, marks, messages and buttons
// from opening to the end of a download, what is fetched and installed, and closing mid-run.
#include "tests/dx/DownloadFixture.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/log/QStringPrint.h"
#include "tests/support/WidgetInput.h"

#include "dx/widgets/DownloadDataFiles.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using vxtest::HttpsServer;
using vxtest::waitUntil;

namespace {

class DownloadDialog : public DownloadFixture {
protected:
    void Open()
    {
        dialog = std::make_unique<TDownloadDataFilesDlg>();
        dialog->DXDataFileDownload->SetBaseAddress(server->baseUrl());
        dialog->SetDXSpots(&spots);
    }

    // Waits until the message is no longer one of the "under way" ones.
    bool Settled()
    {
        return waitUntil([this] { return !dialog->MessagePanel->text().startsWith(" ..."); }, 20000);
    }

    QString Date(const QDateTime& t) const { return t.toLocalTime().toString("yyyy-MM-dd"); }

    TDXSpots spots;
    std::unique_ptr<TDownloadDataFilesDlg> dialog;
};

enum class Offered { Same, Newer, Missing };

} // namespace

TEST_F(DownloadDialog, FromCheckToDownload)
{
    const QColor Red = TDownloadDataFilesDlg::MarkRed, Lime = TDownloadDataFilesDlg::MarkLime;
    const QString Newer_ = Date(Newer), Installed_ = Date(Installed);
    struct Flow {
        const char* name;
        bool ctyInstalled;
        Offered cty, dxcc;
        // After the check.
        QString ctyLocal, ctyServer, dxccServer;
        QColor ctyMark, dxccMark;
        QString checked;
        // After the download, when one is offered.
        QString downloaded;
        bool ctyReplaced, dxccReplaced;
        QStringList requests;
    };
    const QString H = "HEAD ", G = "GET ";
    const QString cty = QString::fromLatin1(CTYPath), dxcc = QString::fromLatin1(DXCCPath);
    const Flow flows[] = {
        {"no installed cty.dat", false, Offered::Same, Offered::Same,
         "- none -", Installed_, Installed_, Red, Lime, " Newer version(s) available for download",
         " Download successful", true, false, {H + cty, H + dxcc, H + cty, G + cty, H + dxcc}},
        {"equal dates", true, Offered::Same, Offered::Same,
         Installed_, Installed_, Installed_, Lime, Lime, " Latest version(s) installed",
         "", false, false, {H + cty, H + dxcc}},
        {"only dxccentity.dat newer", true, Offered::Same, Offered::Newer,
         Installed_, Installed_, Newer_, Lime, Red, " Newer version(s) available for download",
         " Download successful", false, true, {H + cty, H + dxcc, H + cty, H + dxcc, G + dxcc}},
        {"both newer", true, Offered::Newer, Offered::Newer,
         Installed_, Newer_, Newer_, Red, Red, " Newer version(s) available for download",
         " Download successful", true, true, {H + cty, H + dxcc, H + cty, G + cty, H + dxcc, G + dxcc}},
        {"404 on the HEAD of cty.dat", true, Offered::Missing, Offered::Newer,
         Installed_, "- none -", "- none -", TDownloadDataFilesDlg::MarkGrey, TDownloadDataFilesDlg::MarkGrey,
         " Check failed: cty.dat: the server answered 404 Not Found", "", false, false, {H + cty}},
    };
    for (const Flow& f : flows) {
        SCOPED_TRACE(f.name);
        server = std::make_unique<HttpsServer>(*certificates);
        if (!f.ctyInstalled) {
            ASSERT_TRUE(QFile::remove(DataFile("cty.dat")));
        }
        if (f.cty != Offered::Missing)
            Offer(CTYPath, offeredCTY, f.cty == Offered::Newer ? Newer : Installed);
        Offer(DXCCPath, offeredDXCC, f.dxcc == Offered::Newer ? Newer : Installed);
        QFile::remove(DataFile("country.dat"));
        const DataFolder before = Take();

        Open();
        EXPECT_EQ(dialog->LabelCTYLocal->text(), f.ctyLocal);
        EXPECT_EQ(dialog->LabelDXCCLocal->text(), Installed_);
        EXPECT_EQ(dialog->LabelCTYServer->text(), "- none -");
        EXPECT_TRUE(dialog->CheckButton->isEnabled());
        EXPECT_FALSE(dialog->DownloadButton->isEnabled());

        vxtest::Click(dialog->CheckButton);
        EXPECT_EQ(dialog->MessagePanel->text(), " ...checking latest version");
        EXPECT_FALSE(dialog->CheckButton->isEnabled());
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        ASSERT_TRUE(Settled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(dialog->MessagePanel->text(), f.checked);
        EXPECT_EQ(dialog->LabelCTYServer->text(), f.ctyServer);
        EXPECT_EQ(dialog->LabelDXCCServer->text(), f.dxccServer);
        EXPECT_EQ(dialog->ShapeCTY->Color(), f.ctyMark);
        EXPECT_EQ(dialog->ShapeDXCC->Color(), f.dxccMark);
        EXPECT_FALSE(dialog->CheckButton->isEnabled()) << "a check is made once";
        EXPECT_EQ(dialog->DownloadButton->isEnabled(), !f.downloaded.isEmpty());
        if (std::string(f.name) == "only dxccentity.dat newer") {
            EXPECT_TRUE(SaveArtifact(Render(*dialog), "download-dialog.png"));
        }

        if (!f.downloaded.isEmpty()) {
            vxtest::Click(dialog->DownloadButton);
            ASSERT_TRUE(Settled());
            EXPECT_EQ(dialog->MessagePanel->text(), f.downloaded);
            EXPECT_FALSE(dialog->DownloadButton->isEnabled());
            EXPECT_FALSE(dialog->CheckButton->isEnabled());
            EXPECT_EQ(dialog->ShapeCTY->Color(), Lime);
            EXPECT_EQ(dialog->ShapeDXCC->Color(), Lime);
            EXPECT_TRUE(QFileInfo::exists(DataFile("country.dat"))) << "the country files are rebuilt";
            EXPECT_EQ(dialog->LabelCTYLocal->text(), f.ctyLocal) << "the installed dates are read on opening";
        }
        const DataFolder after = Take();
        EXPECT_EQ(after.CTY == before.CTY, !f.ctyReplaced);
        EXPECT_EQ(after.DXCC == before.DXCC, !f.dxccReplaced);
        if (f.ctyReplaced) {
            EXPECT_EQ(after.CTY.Bytes, offeredCTY);
        }
        if (f.dxccReplaced) {
            EXPECT_EQ(after.DXCC.Bytes, offeredDXCC);
        }
        EXPECT_EQ(server->log, f.requests);

        // The next row starts from the same installed files.
        dialog.reset();
        WriteInstalled("cty.dat", before.CTY.Exists ? before.CTY.Bytes : ReadFile(DXTestData + "/cty/bigcty_cty.dat"));
        WriteInstalled("dxccentity.dat", before.DXCC.Bytes);
        SetInstalledTime("cty.dat", Installed);
        SetInstalledTime("dxccentity.dat", Installed);
    }
}

TEST_F(DownloadDialog, FailedDownloadIsShownAndChangesNothing)
{
    Offer(CTYPath, offeredCTY, Newer);
    Offer(DXCCPath, "<html><body>Maintenance</body></html>\n", Newer);
    const DataFolder before = Take();
    Open();
    vxtest::Click(dialog->CheckButton);
    ASSERT_TRUE(Settled());
    vxtest::Click(dialog->DownloadButton);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(dialog->MessagePanel->text(), " Download failed: dxccentity.dat is not a DXCC entity list");
    EXPECT_EQ(dialog->ShapeCTY->Color(), TDownloadDataFilesDlg::MarkRed);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Take(), before);
}

TEST_F(DownloadDialog, ClosingMidRunDropsTheRun)
{
    Offer(CTYPath, offeredCTY, Newer);
    Offer(DXCCPath, offeredDXCC, Newer);
    const DataFolder before = Take();
    Open();
    dialog->show();
    vxtest::Click(dialog->CheckButton);
    ASSERT_TRUE(Settled());
    Stall(DXCCPath);
    vxtest::Click(dialog->DownloadButton);
    // cty.dat has arrived, dxccentity.dat is being waited for.
    ASSERT_TRUE(waitUntil([&] { return server->log.size() == 5; }));
    vxtest::Click(dialog->OKButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->DXDataFileDownload->Running());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    vxtest::spin(100);
    EXPECT_EQ(dialog->MessagePanel->text(), " ...attempting to download latest version");
    EXPECT_EQ(Take(), before);
    dialog.reset();
}

TEST_F(DownloadDialog, Layout)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), "Download Data Files");
    EXPECT_EQ(dialog->size(), QSize(348, 150));
    EXPECT_EQ(dialog->ShapeCTY->size(), QSize(25, 8));
    EXPECT_TRUE(dialog->OKButton->isDefault());
    // Every text fits its control.
    for (QLabel* l : dialog->findChildren<QLabel*>()) {
        SCOPED_TRACE(l->text().toStdString());
        EXPECT_LE(l->sizeHint().width(), l->width());
        EXPECT_TRUE(dialog->rect().contains(l->mapTo(dialog.get(), l->rect().bottomRight())));
    }
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        SCOPED_TRACE(b->text().toStdString());
        EXPECT_LE(b->sizeHint().width(), b->width());
    }
}
