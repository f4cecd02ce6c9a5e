// The main window's settings file: the File menu's export and import on the program's own
// modules, and the first-start offer of the previous product's settings.
#include "tests/client/MainFormRig.h"
#include "tests/support/WhenModal.h"

#include "client/ImportExportHelper.h"
#include "client/widgets/SettingsImport.h"
#include "dx/DMDX.h"
#include "dx/DXSpots.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

using namespace clienttest;

using vxtest::WhenModal;

namespace {

class MainFormSettingsFile : public MainFormRig {
protected:
    void SetUp() override
    {
        MainFormRig::SetUp();
        // The window of an earlier test in this process left its placement behind.
        QFile::remove(TDMApplication::SettingsFileName());
        QFile::remove(Exported());
    }
    void TearDown() override
    {
        MainFormRig::TearDown();
        // Later windows of this process must not be offered the old settings.
        QDir(QFileInfo(TImportExportHelper::BrindlexSettingsFileName()).path()).removeRecursively();
    }
    static QString Exported()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Vornix.xml";
    }
    QString Call() const { return Modules->DX()->DXSpots()->MyCall(); }
};

TEST_F(MainFormSettingsFile, ExportThenImportGivesTheRunningModulesTheOldCall)
{
    // As after an earlier run: the window's placement makes the client part of the file.
    Store(isLocal, FT2000, [](TIniStore& ini) {
        ini.WriteString("Client", "ClientMainForm", "");
        ini.WriteString("Client\\General", "MyCall", "DL1ABC");
    });
    Create();
    ASSERT_EQ(Call(), "DL1ABC");
    EXPECT_TRUE(Form->SettingsExportAction->isEnabled());
    EXPECT_TRUE(Form->SettingsImportAction->isEnabled());

    QString told;
    WhenModal<QFileDialog>([&](QFileDialog* dlg) {
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            told = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        QMetaObject::invokeMethod(dlg, "accept");
    });
    Form->SettingsExportAction->trigger();
    EXPECT_EQ(told, "Vornix settings exported to: " + Exported());

    // Changed in the running program: stopping the modules writes it to the store, so the
    // import must stop them before it writes.
    Modules->DX()->DXSpots()->SetMyCall("K1XYZ");
    const int starts = Form->Starts;
    QString memo;
    WhenModal<QFileDialog>([&](QFileDialog* dlg) {
        EXPECT_EQ(dlg->selectedFiles().value(0), Exported());
        WhenModal<TSettingsImportDlg>([&](TSettingsImportDlg* import) {
            memo = import->Memo1->toPlainText();

            import->OKButton->click();
        });
        QMetaObject::invokeMethod(dlg, "accept");
    });
    Form->SettingsImportAction->trigger();
    EXPECT_TRUE(memo.startsWith("Successfully imported from: " + Exported())) << memo.toStdString();
    EXPECT_EQ(Call(), "DL1ABC");
    EXPECT_EQ(Form->Starts, starts); // the dialog restarts the modules itself, once
    TIniStore ini(TDMApplication::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Client\\General", "MyCall", ""), "DL1ABC");
}

TEST_F(MainFormSettingsFile, FirstStartTakesTheOldSettingsOverBeforeTheModulesStart)
{
    QFile old(TImportExportHelper::BrindlexSettingsFileName());
    QDir().mkpath(QFileInfo(old).path());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[General]\nMyCall=OLD1\nTransceiver=FT2000\n[COMPort]\nPort=" + Radio->portName().toUtf8() + "\n");
    old.close();

    QString asked;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        asked = box->windowTitle() + ": " + box->text();
        box->button(QMessageBox::Yes)->click();
    });
    Create();
    EXPECT_EQ(asked, "Vornix Installation Check: Import settings from previous version Brindlex?");
    EXPECT_EQ(Form->Starts, 1);
    EXPECT_EQ(Call(), "OLD1");
    EXPECT_TRUE(Modules->Radio()->RadioComPort()->connected());
}

} // namespace
