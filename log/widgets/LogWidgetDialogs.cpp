#include "log/widgets/LogWidgetDialogs.h"

#include "log/LogInterface.h"
#include "log/widgets/CabrilloExportForm.h"
#include "log/widgets/LoTWDownload.h"
#include "log/widgets/LogADIFExport.h"
#include "log/widgets/LogLoTWExport.h"
#include "log/widgets/eQSLExport.h"

#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>

std::optional<QString> TLogWidgetDialogs::Ask(const TFileDialogOptions& options, bool save)
{
    QFileDialog dialog(FParent, QString(), options.Folder, options.Filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.DefaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> TLogWidgetDialogs::SaveFileName(const TFileDialogOptions& options)
{
    return Ask(options, true);
}

std::optional<QString> TLogWidgetDialogs::OpenFileName(const TFileDialogOptions& options)
{
    return Ask(options, false);
}

std::optional<QString> TLogWidgetDialogs::CabrilloExport(TLogInterface& log, const QString& fileName)
{
    TCabrilloExportForm form(FParent);
    form.SetLogInterface(&log);
    form.SetLogBook(log.LogBook());
    form.SetFilename(fileName);
    form.Initialize();
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.ResultText();
}

void TLogWidgetDialogs::ADIFExportDialog(TLogInterface& log, const QString& fileName)
{
    TLogADIFExportDlg dialog(FParent, FServerProgram);
    dialog.SetFileName(fileName);
    dialog.SetLogInterface(&log);
    dialog.exec();
}

void TLogWidgetDialogs::LoTWExportDialog(TLogInterface& log, const QString& fileName)
{
    TLogLoTWExportDlg dialog(FParent);
    dialog.SetFileName(fileName);
    dialog.SetLogInterface(&log);
    dialog.exec();
}

void TLogWidgetDialogs::eQSLUploadDialog(const QString& fileName, const QString& message)
{
    TeQSLExportDlg dialog(FParent);
    dialog.FileName = fileName;
    dialog.Memo1->appendPlainText(message);
    dialog.exec();
}

void TLogWidgetDialogs::LoTWDownloadDialog(TLogInterface& log)
{
    TLoTWDownloadDlg dialog(FParent);
    dialog.SetLogInterface(&log);
    dialog.exec();
}
