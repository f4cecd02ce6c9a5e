#pragma once
// The dialogs of the logbook on screen: Qt's file dialogs and the Cabrillo export dialog.

#include "log/LogDialogs.h"

class QWidget;

class TLogWidgetDialogs : public TLogDialogs {
public:
    // Dialogs are centred on parent.
    explicit TLogWidgetDialogs(QWidget* parent = nullptr)
        : FParent(parent)
    {
    }

    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override;
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override;
    bool CabrilloExport(TLogInterface& log, const QString& fileName) override;

private:
    std::optional<QString> Ask(const TFileDialogOptions& options, bool save);

    QWidget* FParent;
};
