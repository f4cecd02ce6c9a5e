#pragma once
// TSettingsImportDlg: imports a settings file as soon as it is shown and lists what happened.
// A file that is read and checked whole stops the data modules before its values are written
// and starts them once afterwards, so they take the new values over instead of writing their
// old ones back; a refused file leaves the modules alone.
//
// The File menu's export and import and the first-start offer of the previous product's
// settings are functions the main window calls.

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class TDM;

class TSettingsImportDlg : public QDialog {
    Q_OBJECT
public:
    // dm: the modules to stop and start again; none in a program without data modules.
    explicit TSettingsImportDlg(QWidget* parent, TDM* dm);

    QString FileName() const { return FFileName; }
    void SetFileName(const QString& value) { FFileName = value; }
    // Set once the import has run: whether the file was taken over whole.
    bool Imported() const { return FImported; }

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RunImport();

    TDM* FDM;
    QString FFileName;
    bool FRan = false;
    bool FImported = false;
};

// "Export Settings...": asks for a file in the documents folder and writes the settings file
// there; the user sees where it went, or why it failed.  True when a file was written.
bool SettingsExportActionExecute(QWidget* parent);
// "Import Settings...": asks for a file, proposing the last one used, and imports it in the
// import dialog.  True when a file was chosen (the window then refreshes its panels).
bool SettingsImportActionExecute(QWidget* parent, TDM* dm);
// First start: when the store holds no client settings yet and the previous product's
// settings exist, asks whether to take them over, and does so on Yes.  Called before the data
// modules read their settings.  True when settings were imported.
bool OfferBrindlexSettingsImport(QWidget* parent);
