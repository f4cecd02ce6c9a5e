#pragma once
// TDownloadDataFilesDlg: compares the installed cty.dat and dxccentity.dat with the versions
// the download server offers, and downloads the newer ones.  Opened modally by the main
// window after it handed over the spot engine (SetDXSpots), whose country files are rebuilt
// after a successful download.
//
// States: opened (check enabled) -> checking -> check done (download enabled when a newer
// file is offered) -> downloading -> done.  Closing the dialog drops a run under way: nothing
// of it reaches the dialog or the files afterwards.

#include "controls/widgets/BusyCursor.h"
#include "dx/DXSpots.h"

#include <QColor>
#include <QDateTime>
#include <QDialog>
#include <QPointer>

class QGroupBox;
class QLabel;
class QPushButton;
class TDXDataFileDownload;

// The small coloured status mark beside a file's dates.
class TStatusMark : public QWidget {
    Q_OBJECT
public:
    explicit TStatusMark(QWidget* parent = nullptr);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FColor{128, 128, 128};
};

class TDownloadDataFilesDlg : public QDialog {
    Q_OBJECT
public:
    static inline const QColor MarkGrey{128, 128, 128};
    static inline const QColor MarkRed{0xFF, 0x00, 0x00};
    static inline const QColor MarkLime{0x00, 0xFF, 0x00};

    explicit TDownloadDataFilesDlg(QWidget* owner = nullptr);
    ~TDownloadDataFilesDlg() override;

    TDXSpots* DXSpots() const { return FDXSpots; }
    // Stores the spot engine and shows the dates of the installed files.
    void SetDXSpots(TDXSpots* Value);

    void CheckButtonClick();
    void DownloadButtonClick();
    void DoDXDataFileDownloadCheck(bool Success, const QString& Response);
    void DoDXDataFileDownloadDownload(bool Success, const QString& Response);

    // Drops a run under way before the dialog closes.
    void done(int result) override;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LabelCTYLocal = nullptr;
    QLabel* LabelDXCCLocal = nullptr;
    QLabel* LabelCTYServer = nullptr;
    QLabel* LabelDXCCServer = nullptr;
    TStatusMark* ShapeCTY = nullptr;
    TStatusMark* ShapeDXCC = nullptr;
    QLabel* MessagePanel = nullptr;
    QPushButton* CheckButton = nullptr;
    QPushButton* DownloadButton = nullptr;
    QPushButton* OKButton = nullptr;
    TDXDataFileDownload* DXDataFileDownload = nullptr;

private:
    void SetMessage(const QString& text);
    void BusyCursor(bool on);
    // "yyyy-mm-dd", or "- none -" for no date.
    static QString DateText(const QDateTime& time);
    // Later by whole seconds (the server's dates have no finer resolution); anything on offer
    // is newer than a file not installed.
    static bool IsNewer(const QDateTime& offered, const QDateTime& installed);

    QPointer<TDXSpots> FDXSpots;
    QDateTime FInstalledCTY;
    QDateTime FInstalledDXCC;
    TBusyCursor FBusy;
};
