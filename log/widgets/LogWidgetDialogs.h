#pragma once
// The dialogs of the logbook on screen: Qt's file dialogs, the Cabrillo export dialog and the
// dialogs of the QSL services.

#include "log/LogDialogs.h"

class QWidget;

class TLogWidgetDialogs : public TLogDialogs {
public:
    // Dialogs are centred on parent.  The server program's ADIF export offers all QSOs first.
    explicit TLogWidgetDialogs(QWidget* parent = nullptr, bool serverProgram = false)
        : FParent(parent)
        , FServerProgram(serverProgram)
    {
    }

    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override;
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override;
    std::optional<QString> CabrilloExport(TLogInterface& log, const QString& fileName) override;
    void ADIFExportDialog(TLogInterface& log, const QString& fileName) override;
    void LoTWExportDialog(TLogInterface& log, const QString& fileName) override;
    void eQSLUploadDialog(const QString& fileName, const QString& message) override;
    void LoTWDownloadDialog(TLogInterface& log) override;

private:
    std::optional<QString> Ask(const TFileDialogOptions& options, bool save);

    QWidget* FParent;
    bool FServerProgram;
};
