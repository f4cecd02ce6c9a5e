#include "client/widgets/SettingsImport.h"

#include "client/DM.h"
#include "client/DataModules.h"
#include "client/ImportExportHelper.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder);
    return folder;
}

// The save and open dialogs share their folder, filter and suffix.
void PrepareFileDialog(QFileDialog& dlg, const QString& proposed)
{
    dlg.setDirectory(DocumentsFolder());
    dlg.setNameFilter(QStringLiteral("XML Files (*.xml)"));
    dlg.setDefaultSuffix(QStringLiteral("xml"));
    dlg.selectFile(proposed);
}

bool HasError(const QStringList& lines)
{
    for (const QString& line : lines)
        if (line.startsWith(QLatin1String("Error: ")))
            return true;
    return false;
}

} // namespace

TSettingsImportDlg::TSettingsImportDlg(QWidget* parent, TDM* dm)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FDM(dm)
{
    setWindowTitle(QStringLiteral("Import Vornix Settings"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(466, 131);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(8, 8, 449, 84);
    // Result lines name whole paths: they scroll rather than wrap into each other.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(192, 100, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(OKButton, Memo1);
    OKButton->setFocus();
}

void TSettingsImportDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FRan) {
        FRan = true;
        RunImport();
    }
}

void TSettingsImportDlg::RunImport()
{
    TImportExportHelper helper;
    bool stopped = false;
    helper.OnBeforeImportWrite = [this, &stopped] {
        if (FDM) {
            FDM->Stop();
            stopped = true;
        }
    };
    FImported = helper.ImportSettingsFromXML(FFileName);
    for (const QString& line : helper.Messages())
        Memo1->appendPlainText(line);
    // Started again whenever stopped, so a store that could not be written does not leave the
    // station without its devices.
    if (stopped)
        FDM->Start();
}

bool SettingsExportActionExecute(QWidget* parent)
{
    QFileDialog dlg(parent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    PrepareFileDialog(dlg, QStringLiteral("Vornix.xml"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    const QString path = dlg.selectedFiles().first();
    TImportExportHelper helper;
    if (helper.ExportSettingsToXML(path)) {
        QMessageBox::information(parent, ClientTitle(),
                                 QStringLiteral("Vornix settings exported to: ") + path);
        return true;
    }
    QMessageBox::warning(parent, ClientTitle(), helper.Messages().join(u'\n'));
    return false;
}

bool SettingsImportActionExecute(QWidget* parent, TDM* dm)
{
    const QString last = TImportExportHelper().LastXMLExportFile();
    QFileDialog dlg(parent);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    PrepareFileDialog(dlg, !last.isEmpty() && QFileInfo(last).isFile() ? last : QStringLiteral("Vornix.xml"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    TSettingsImportDlg import(parent, dm);
    import.SetFileName(dlg.selectedFiles().first());
    import.exec();
    return true;
}

bool OfferBrindlexSettingsImport(QWidget* parent)
{
    TImportExportHelper helper;
    if (!helper.CheckInstallation())
        return false;
    if (QMessageBox::question(parent, QStringLiteral("Vornix Installation Check"),
                              QStringLiteral("Import settings from previous version Brindlex?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const bool imported = helper.ImportSettingsFromBrindlex(true);
    // Only a failure is worth interrupting the start for.
    if (HasError(helper.Messages()))
        QMessageBox::warning(parent, QStringLiteral("Vornix Installation Check"), helper.Messages().join(u'\n'));
    return imported;
}
