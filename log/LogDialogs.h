#pragma once
// What the logbook and its module ask of the operator through dialogs: file names and the
// modal export dialogs.  The program hands in the widget implementation (log/widgets); tests
// hand in their own.

#include <QString>
#include <optional>

class TLogInterface;

struct TFileDialogOptions {
    QString Folder;        // where the dialog starts
    QString FileName;      // proposed name, without folder
    QString Filter;        // "Log Files (*.log)"
    QString DefaultSuffix; // without "."
    bool OverwritePrompt = false;
};

class TLogDialogs {
public:
    virtual ~TLogDialogs() = default;

    // The chosen file (its folder exists); nullopt when cancelled.
    virtual std::optional<QString> SaveFileName(const TFileDialogOptions& options) = 0;
    // The chosen existing file; nullopt when cancelled.
    virtual std::optional<QString> OpenFileName(const TFileDialogOptions& options) = 0;
    // The Cabrillo export dialog for fileName, modal; when it closed with Save, the export's
    // result text ("12 QSOs exported"), else nullopt.
    virtual std::optional<QString> CabrilloExport(TLogInterface& log, const QString& fileName) = 0;

    // The modal dialogs of the QSL services: ADIF export into fileName, LoTW export and
    // upload, eQSL upload of fileName (message is the memo's first line), LoTW download.
    virtual void ADIFExportDialog(TLogInterface& log, const QString& fileName) = 0;
    virtual void LoTWExportDialog(TLogInterface& log, const QString& fileName) = 0;
    virtual void eQSLUploadDialog(const QString& fileName, const QString& message) = 0;
    virtual void LoTWDownloadDialog(TLogInterface& log) = 0;
};
