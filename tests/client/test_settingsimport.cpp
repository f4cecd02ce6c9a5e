// The settings import dialog with the data modules around it, the File menu's export and
// import as the user goes through them, and the first-start offer.

#include "ClientDoubles.h"
#include "SettingsFileFixture.h"
#include "client/widgets/SettingsImport.h"
#include "tests/controls/ControlsTestUtils.h"
#include "tests/support/PrivateMounts.h"
#include "tests/support/WhenModal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

using clienttest::FileBytes;
using clienttest::WriteFileBytes;
using vxtest::WhenModal;

namespace {

// Records what the store's call sign was when the modules were stopped and started.
class WatchingModules : public clienttest::RecordingModules {
public:
    QString Run(const TDMStep& step) override
    {
        if (Steps.isEmpty())
            CallAtFirstStep = CallNow();
        if (step == TDMStep{TDMModule::Application, TDMOperation::IniRead})
            CallAtStart = CallNow();
        return RecordingModules::Run(step);
    }
    static QString CallNow()
    {
        TIniStore store(TDMApplication::SettingsFileName());
        return store.ReadString("Client\\General", "MyCall", "-");
    }
    QString CallAtFirstStep;
    QString CallAtStart;
};

// The steps of one Stop followed by one Start.
QStringList StopThenStart()
{
    clienttest::RecordingModules modules;
    TDM dm(&modules);
    dm.Stop();
    dm.Start();
    return modules.Steps;
}

} // namespace

class SettingsImportTest : public clienttest::SettingsFileTest {
protected:
    void SetCall(const QString& call)
    {
        TIniStore store(StoreFile());
        store.WriteString("Client", "ClientMainForm", "0,0,0");
        store.WriteString("Client\\General", "MyCall", call);
    }

    QString ImportFile(const QByteArray& client)
    {
        const QString path = Home() + "/in/settings.xml";
        WriteFileBytes(path, "<Vornix><Settings><Client>" + client + "</Client></Settings></Vornix>");
        return path;
    }
};

TEST_F(SettingsImportTest, GoodFileStopsWritesStartsAndRefusedFileTouchesNothing)
{
    const QStringList expectedSteps = StopThenStart();
    SetCall("OLD1");
    QImage shots[2];

    {
        WatchingModules modules;
        TDM dm(&modules);
        TSettingsImportDlg dlg(nullptr, &dm);
        EXPECT_EQ(dlg.windowTitle(), "Import Vornix Settings");
        EXPECT_EQ(dlg.size(), QSize(466, 131));
        EXPECT_EQ(dlg.Memo1->geometry(), QRect(8, 8, 449, 84));
        EXPECT_TRUE(dlg.Memo1->isReadOnly());
        EXPECT_EQ(dlg.OKButton->geometry(), QRect(192, 100, 75, 25));
        EXPECT_EQ(dlg.OKButton->text(), "&Close");
        EXPECT_TRUE(dlg.OKButton->isDefault());

        const QString path = ImportFile("<General><MyCall>NEW1</MyCall></General>");
        dlg.SetFileName(path);
        dlg.show();
        EXPECT_TRUE(dlg.Imported());
        EXPECT_EQ(dlg.Memo1->toPlainText(), "Successfully imported from: " + path + "\nPlease restart Vornix");
        EXPECT_EQ(modules.Steps, expectedSteps);
        EXPECT_EQ(modules.CallAtFirstStep, "OLD1"); // stopped before the import wrote
        EXPECT_EQ(modules.CallAtStart, "NEW1");     // started after it
        shots[0] = Render(dlg);
        dlg.OKButton->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    {
        WatchingModules modules;
        TDM dm(&modules);
        TSettingsImportDlg dlg(nullptr, &dm);
        dlg.SetFileName(ImportFile("<General><MyCall>NEW2</MyCall></General>"
                                   "<CWSidetone><Pitch DataType=\"Integer\">12a</Pitch></CWSidetone>"));
        dlg.show();
        EXPECT_FALSE(dlg.Imported());
        EXPECT_TRUE(dlg.Memo1->toPlainText().startsWith("Error: \"12a\"")) << dlg.Memo1->toPlainText().toStdString();
        EXPECT_TRUE(modules.Steps.isEmpty());
        EXPECT_EQ(WatchingModules::CallNow(), "NEW1");
        shots[1] = Render(dlg);
    }

    QImage sheet(466, 131 * 2 + 8, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(0, 0, shots[0]);
    p.drawImage(0, 131 + 8, shots[1]);
    p.end();
    EXPECT_TRUE(SaveArtifact(sheet, "dialog-settings-import.png"));
}

TEST_F(SettingsImportTest, ExportThenImportFromTheFileMenuBringsTheOldCallBack)
{
    SetCall("DL1ABC");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString exported = documents + "/Vornix.xml";

    QString proposed, told;
    WhenModal<QFileDialog>([&](QFileDialog* dlg) {
        EXPECT_EQ(dlg->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dlg->nameFilters(), QStringList{"XML Files (*.xml)"});
        EXPECT_EQ(dlg->defaultSuffix(), "xml");
        EXPECT_FALSE(dlg->testOption(QFileDialog::DontConfirmOverwrite));
        proposed = dlg->selectedFiles().value(0);
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            told = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        QMetaObject::invokeMethod(dlg, "accept");
    });
    ASSERT_TRUE(SettingsExportActionExecute(nullptr));
    EXPECT_EQ(proposed, exported);
    EXPECT_EQ(told, "Vornix settings exported to: " + exported);
    EXPECT_TRUE(FileBytes(exported).contains("<MyCall>DL1ABC</MyCall>"));

    SetCall("K1XYZ");
    WatchingModules modules;
    TDM dm(&modules);
    QString memo;
    WhenModal<QFileDialog>([&](QFileDialog* dlg) {
        EXPECT_EQ(dlg->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dlg->fileMode(), QFileDialog::ExistingFile);
        proposed = dlg->selectedFiles().value(0);
        WhenModal<TSettingsImportDlg>([&](TSettingsImportDlg* import) {
            memo = import->Memo1->toPlainText();
            import->OKButton->click();
        });
        QMetaObject::invokeMethod(dlg, "accept");
    });
    ASSERT_TRUE(SettingsImportActionExecute(nullptr, &dm));
    EXPECT_EQ(proposed, exported); // the last exported file
    EXPECT_TRUE(memo.startsWith("Successfully imported from: " + exported)) << memo.toStdString();
    EXPECT_EQ(WatchingModules::CallNow(), "DL1ABC");
    EXPECT_EQ(modules.CallAtStart, "DL1ABC");
}

TEST_F(SettingsImportTest, FailedExportSaysWhy)
{
    SetCall("DL1ABC");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    QString told;
    {
        vxtest::TObeyFileModes obey;
        WhenModal<QFileDialog>([&](QFileDialog* dlg) {
            WhenModal<QMessageBox>([&](QMessageBox* box) {
                told = box->text();
                box->button(QMessageBox::Ok)->click();
            });
            QMetaObject::invokeMethod(dlg, "accept");
        });
        EXPECT_FALSE(SettingsExportActionExecute(nullptr));
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(told.startsWith("Error: " + folder + "/Vornix.xml could not be written")) << told.toStdString();
    EXPECT_EQ(TImportExportHelper().LastXMLExportFile(), "");
}

TEST_F(SettingsImportTest, FirstStartOfferImportsOnYesOnly)
{
    WriteFileBytes(TImportExportHelper::BrindlexSettingsFileName(), "[General]\nMyCall=OLD1\n");
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString title, text;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(answer)->click();
        });
        EXPECT_EQ(OfferBrindlexSettingsImport(nullptr), answer == QMessageBox::Yes);
        EXPECT_EQ(title, "Vornix Installation Check");
        EXPECT_EQ(text, "Import settings from previous version Brindlex?");
        EXPECT_EQ(Stored("Client\\General", "MyCall"),
                  answer == QMessageBox::Yes ? std::optional<QString>("OLD1") : std::nullopt);
    }
    // Not asked again: the client has settings now.
    EXPECT_FALSE(OfferBrindlexSettingsImport(nullptr));
}

TEST_F(SettingsImportTest, FirstStartOfferShowsAFailedImport)
{
    WriteFileBytes(TImportExportHelper::BrindlexSettingsFileName(), "[General]\nMyCall=OLD1\n");
    { TIniStore store(StoreFile()); }
    const QByteArray before = FileBytes(StoreFile());
    ASSERT_TRUE(QFile::setPermissions(StoreFile(), QFile::ReadOwner));
    QString shown;
    {
        vxtest::TObeyFileModes obey;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            WhenModal<QMessageBox>([&](QMessageBox* error) {
                shown = error->text();
                error->button(QMessageBox::Ok)->click();
            });
            box->button(QMessageBox::Yes)->click();
        });
        EXPECT_FALSE(OfferBrindlexSettingsImport(nullptr));
    }
    QFile::setPermissions(StoreFile(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(shown.startsWith("Error: ")) << shown.toStdString();
    EXPECT_EQ(FileBytes(StoreFile()), before);
}
