#pragma once
// Stands in for the file and export dialogs: answers every file dialog with one file (or
// cancels) and notes what it was asked and which dialogs it was to show.
#include "log/LogDialogs.h"

#include <QList>
#include <QStringList>

class DialogsDouble : public TLogDialogs {
public:
    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override
    {
        Asked << options;
        return Answer;
    }
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override { return SaveFileName(options); }
    std::optional<QString> CabrilloExport(TLogInterface&, const QString& fileName) override
    {
        Shown << fileName;
        return Saved ? std::optional<QString>(SavedText) : std::nullopt;
    }

    void ADIFExportDialog(TLogInterface&, const QString& fileName) override { QSLShown << "ADIF " + fileName; }
    void LoTWExportDialog(TLogInterface&, const QString& fileName) override { QSLShown << "LoTW " + fileName; }
    void eQSLUploadDialog(const QString& fileName, const QString& message) override
    {
        QSLShown << "eQSL " + fileName + " | " + message;
    }
    void LoTWDownloadDialog(TLogInterface&) override { QSLShown << "Download"; }

    QList<TFileDialogOptions> Asked;
    std::optional<QString> Answer;
    QStringList Shown;    // files the Cabrillo dialog was shown for
    QStringList QSLShown; // the QSL dialogs shown, with their file
    bool Saved = true;
    QString SavedText = QStringLiteral("1 QSOs exported"); // the Cabrillo dialog's result
};
