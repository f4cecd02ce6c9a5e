#include "dx/widgets/DownloadDataFiles.h"

#include "core/DataFiles.h"
#include "dx/DXDataFileDownload.h"
#include "dx/DXSpots.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

TStatusMark::TStatusMark(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(25, 8);
}

void TStatusMark::SetColor(const QColor& value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TStatusMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(FColor);
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

namespace {

QString InstalledPath(const char* name)
{
    return GetCommonDataFileName(QLatin1String(name));
}

QDateTime InstalledTime(const char* name)
{
    const QFileInfo info(InstalledPath(name));
    return info.exists() ? info.lastModified() : QDateTime();
}

} // namespace

TDownloadDataFilesDlg::TDownloadDataFilesDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Download Data Files"));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(348, 150);

    GroupBox1 = new QGroupBox(QStringLiteral(" Data Files "), this);
    GroupBox1->setGeometry(8, 4, 332, 80);
    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, GroupBox1);
        l->setGeometry(x, y, w, 16);
        return l;
    };
    // Columns: row heads, installed dates, offered dates, marks.
    constexpr int Col1 = 96, Col2 = 200, ColMark = 296, Row0 = 18, Row1 = 38, Row2 = 58;
    Label1 = label(QStringLiteral("Installed version"), Col1, Row0, Col2 - Col1 - 4);
    Label2 = label(QStringLiteral("Download version"), Col2, Row0, 322 - Col2);
    Label3 = label(QStringLiteral("Country File"), 10, Row1, Col1 - 14);
    Label4 = label(QStringLiteral("DXCC File"), 10, Row2, Col1 - 14);
    LabelCTYLocal = label(QStringLiteral("- none -"), Col1, Row1, Col2 - Col1 - 4);
    LabelDXCCLocal = label(QStringLiteral("- none -"), Col1, Row2, Col2 - Col1 - 4);
    LabelCTYServer = label(QStringLiteral("- none -"), Col2, Row1, ColMark - Col2 - 4);
    LabelDXCCServer = label(QStringLiteral("- none -"), Col2, Row2, ColMark - Col2 - 4);
    ShapeCTY = new TStatusMark(GroupBox1);
    ShapeCTY->move(ColMark, Row1 + 4);
    ShapeDXCC = new TStatusMark(GroupBox1);
    ShapeDXCC->move(ColMark, Row2 + 4);

    MessagePanel = new QLabel(this);
    MessagePanel->setGeometry(8, 90, 332, 22);
    MessagePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    MessagePanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    CheckButton = new QPushButton(QStringLiteral("Check latest &version"), this);
    CheckButton->setGeometry(8, 118, 120, 25);
    DownloadButton = new QPushButton(QStringLiteral("&Download Data Files"), this);
    DownloadButton->setGeometry(132, 118, 120, 25);
    DownloadButton->setEnabled(false);
    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    OKButton->setGeometry(260, 118, 80, 25);
    OKButton->setDefault(true);
    connect(CheckButton, &QPushButton::clicked, this, [this] { CheckButtonClick(); });
    connect(DownloadButton, &QPushButton::clicked, this, [this] { DownloadButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    DXDataFileDownload = new TDXDataFileDownload(this);
    DXDataFileDownload->OnCheck = [this](bool success, const QString& response) {
        DoDXDataFileDownloadCheck(success, response);
    };
    DXDataFileDownload->OnDownload = [this](bool success, const QString& response) {
        DoDXDataFileDownloadDownload(success, response);
    };
    CheckButton->setFocus();
}

TDownloadDataFilesDlg::~TDownloadDataFilesDlg()
{
    DXDataFileDownload->Abort();
    BusyCursor(false);
}

void TDownloadDataFilesDlg::done(int result)
{
    DXDataFileDownload->Abort();
    BusyCursor(false);
    QDialog::done(result);
}

void TDownloadDataFilesDlg::SetMessage(const QString& text)
{
    MessagePanel->setText(text);
}

void TDownloadDataFilesDlg::BusyCursor(bool on)
{
    FBusy.Set(on);
}

QString TDownloadDataFilesDlg::DateText(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")) : QStringLiteral("- none -");
}

bool TDownloadDataFilesDlg::IsNewer(const QDateTime& offered, const QDateTime& installed)
{
    // A file on offer that is not installed is wanted, dated or not.
    if (!installed.isValid())
        return true;
    if (!offered.isValid())
        return false;
    return offered.toSecsSinceEpoch() > installed.toSecsSinceEpoch();
}

void TDownloadDataFilesDlg::SetDXSpots(TDXSpots* Value)
{
    FDXSpots = Value;
    FInstalledCTY = InstalledTime(TDXDataFileDownload::CTYFileName);
    FInstalledDXCC = InstalledTime(TDXDataFileDownload::DXCCFileName);
    LabelCTYLocal->setText(DateText(FInstalledCTY));
    LabelDXCCLocal->setText(DateText(FInstalledDXCC));
}

void TDownloadDataFilesDlg::CheckButtonClick()
{
    BusyCursor(true);
    SetMessage(QStringLiteral(" ...checking latest version"));
    OKButton->setFocus();
    CheckButton->setEnabled(false);
    DownloadButton->setEnabled(false);
    DXDataFileDownload->CheckDataFiles();
}

void TDownloadDataFilesDlg::DoDXDataFileDownloadCheck(bool Success, const QString& Response)
{
    BusyCursor(false);
    if (!Success) {
        SetMessage(QStringLiteral(" Check failed: ") + Response);
        return;
    }
    TDXDataFileDownload& d = *DXDataFileDownload;
    LabelCTYServer->setText(DateText(d.LastModifiedCTY()));
    LabelDXCCServer->setText(DateText(d.LastModifiedDXCC()));
    const bool cty = IsNewer(d.LastModifiedCTY(), FInstalledCTY);
    const bool dxcc = IsNewer(d.LastModifiedDXCC(), FInstalledDXCC);
    ShapeCTY->SetColor(cty ? MarkRed : MarkLime);
    ShapeDXCC->SetColor(dxcc ? MarkRed : MarkLime);
    d.SetDownloadCTY(cty);
    d.SetDownloadDXCC(dxcc);
    if (cty || dxcc) {
        SetMessage(QStringLiteral(" Newer version(s) available for download"));
        DownloadButton->setEnabled(true);
        DownloadButton->setFocus();
    } else {
        SetMessage(QStringLiteral(" Latest version(s) installed"));
    }
}

void TDownloadDataFilesDlg::DownloadButtonClick()
{
    BusyCursor(true);
    OKButton->setFocus();
    DownloadButton->setEnabled(false);
    SetMessage(QStringLiteral(" ...attempting to download latest version"));
    TDXDataFileDownload& d = *DXDataFileDownload;
    d.SetDownloadCTY(IsNewer(d.LastModifiedCTY(), FInstalledCTY));
    d.SetDownloadDXCC(IsNewer(d.LastModifiedDXCC(), FInstalledDXCC));
    d.DownloadDataFiles();
}

void TDownloadDataFilesDlg::DoDXDataFileDownloadDownload(bool Success, const QString& Response)
{
    OKButton->setFocus();
    CheckButton->setEnabled(false);
    DownloadButton->setEnabled(false);
    if (Success) {
        if (DXDataFileDownload->DownloadedCTY())
            ShapeCTY->SetColor(MarkLime);
        if (DXDataFileDownload->DownloadedDXCC())
            ShapeDXCC->SetColor(MarkLime);
        SetMessage(QStringLiteral(" Download successful"));
        // The lookup reads the rebuilt files at its next Open.
        if (FDXSpots)
            FDXSpots->DXCallParser().CreateDataFiles();
    } else {
        SetMessage(QStringLiteral(" Download failed: ") + Response);
    }
    BusyCursor(false);
}
