#include "log/widgets/LoTWDownload.h"

#include "controls/widgets/RCPanel.h"
#include "log/LoTWInterface.h"
#include "log/LogADIFUtils.h"
#include "log/LogRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace vx::qsldialogs;

namespace {

QTableWidget* NewGrid(QWidget* parent, const QStringList& headers, const QList<int>& widths)
{
    auto* grid = new QTableWidget(0, int(headers.size()), parent);
    grid->setHorizontalHeaderLabels(headers);
    for (int i = 0; i < widths.size(); ++i)
        grid->setColumnWidth(i, widths[i]);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int w : widths)
        width += w;
    grid->setMinimumWidth(width);
    return grid;
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text)
{
    grid->setItem(row, column, new QTableWidgetItem(text));
}

} // namespace

TLoTWDownloadDlg::TLoTWDownloadDlg(QWidget* parent)
    : TDPIForm(parent)
{
    setWindowTitle(QStringLiteral("LoTW ADIF/QSL Download"));
    setMinimumSize(614, 335);

    Label1 = new QLabel(QStringLiteral("D&ate:"), this);
    DateEdit = NewDateEdit(this);
    Label1->setBuddy(DateEdit);
    Label3 = new QLabel(DateHint, this);
    Label2 = new QLabel(QStringLiteral("Returns QSL records received on or after the specified date"), this);
    DownloadButton = new QPushButton(QStringLiteral("&Download LoTW Report"), this);
    DownloadButton->setAutoDefault(false);

    StringGrid1 = NewGrid(this, {QStringLiteral("Log"), QStringLiteral("QSOs"), QStringLiteral("QSLs")}, {160, 60, 60});
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    UpdateButton = new QPushButton(QStringLiteral("Update Logs"), this);
    UpdateButton->setToolTip(QStringLiteral("updates all logs found in your log folder with the LoTW report"));
    UpdateButton->setAutoDefault(false);
    UpdateButton->setEnabled(false);
    StringGrid2 = NewGrid(this,
                          {QStringLiteral("My Call"), QStringLiteral("Call"), QStringLiteral("Date"), QStringLiteral("Band"),
                           QStringLiteral("Mode")},
                          {68, 69, 72, 38, 40});

    RCPanel1 = new TRCPanel(this);
    RCPanel1->SetColor(QColor(255, 255, 128));
    RCPanel1->SetBevelOuter(bvLowered);
    RCPanel1->SetShowCaption(false);
    RCLabel1 = new QLabel(RCPanel1);
    QPalette text = RCLabel1->palette();
    text.setColor(QPalette::WindowText, Qt::black);
    RCLabel1->setPalette(text);
    auto* status = new QHBoxLayout(RCPanel1);
    status->setContentsMargins(6, 3, 6, 3);
    status->addWidget(RCLabel1);
    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    OKButton->setDefault(true);

    auto* date = new QHBoxLayout;
    date->addWidget(Label1);
    date->addWidget(DateEdit);
    date->addWidget(Label3);
    date->addSpacing(8);
    date->addWidget(Label2, 1);
    date->addWidget(DownloadButton);
    auto* logs = new QVBoxLayout;
    logs->addWidget(StringGrid1, 1);
    logs->addWidget(UpdateButton, 0, Qt::AlignLeft);
    auto* grids = new QHBoxLayout;
    grids->addLayout(logs);
    grids->addWidget(StringGrid2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RCPanel1, 1);
    bottom->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(date);
    layout->addLayout(grids, 1);
    layout->addLayout(bottom);
    resize(minimumSize().expandedTo(sizeHint()));

    connect(DownloadButton, &QPushButton::clicked, this, [this] { DownloadButtonClick(); });
    connect(UpdateButton, &QPushButton::clicked, this, [this] { UpdateButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

QString TLoTWDownloadDlg::Status() const
{
    return RCLabel1->text();
}

void TLoTWDownloadDlg::SetStatus(const QString& text)
{
    RCLabel1->setText(text);
}

void TLoTWDownloadDlg::SetLogInterface(TLogInterface* log)
{
    Detach();
    FLogInterface = log;
    if (!log)
        return;
    FDownload.Attach(log->OnLoTWDownload, [this](bool success, int32_t qsos) { LoTWDownload(success, qsos); });
    FLoTWLog.Attach(log->OnLoTWLog, [this](bool success, int32_t qsos) { LoTWLog(success, qsos); });
    DateEdit->setText(log->LoTWInterface()->LoTWLastQSLAsString());

    const QDir folder(log->LogFolder());
    // The report's conversion may lie in the log folder: it is no log to update.
    const QFileInfo conversion(TLogADIFUtils::ConvertedName(log->LoTWInterface()->ReportFileName()));
    FLogs.clear();
    if (!log->LogFolder().isEmpty()) {
        for (const QString& name : folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name)) {
            const QFileInfo file(folder.absoluteFilePath(name));
            if (file != conversion)
                FLogs << file.absoluteFilePath();
        }
    }
    StringGrid1->setRowCount(int(FLogs.size()));
    for (int row = 0; row < FLogs.size(); ++row)
        SetCell(StringGrid1, row, 0, QFileInfo(FLogs[row]).fileName());
}

void TLoTWDownloadDlg::Detach()
{
    FDownload.Release();
    FLoTWLog.Release();
    FImport.Release();
    FLogInterface = nullptr;
    FBusy.Set(false);
}

void TLoTWDownloadDlg::done(int result)
{
    Detach();
    TDPIForm::done(result);
}

void TLoTWDownloadDlg::DownloadButtonClick()
{
    if (!FLogInterface || !DownloadButton->isEnabled())
        return;
    QString since;
    if (!DateBlank(DateEdit)) {
        const QDate date = TypedDate(DateEdit);
        if (!date.isValid()) {
            SetStatus(DateRefused);
            return;
        }
        since = date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    FBusy.Set(true);
    OKButton->setFocus();
    DownloadButton->setEnabled(false);
    SetStatus(QStringLiteral("...attempting to download lotwreport.adi"));
    FLogInterface->LoTWDownloadADIFReport(since);
}

void TLoTWDownloadDlg::LoTWDownload(bool success, int32_t qsos)
{
    FBusy.Set(false);
    DownloadButton->setEnabled(false);
    if (success) {
        SetStatus(QStringLiteral("%1 QSLs downloaded from LoTW").arg(qsos));
        if (qsos > 0) {
            FFileName = FLogInterface->LoTWInterface()->ReportFileName();
            FLogInterface->WriteLoTWLog(FFileName);
            UpdateButton->setEnabled(!FLogs.isEmpty());
            if (UpdateButton->isEnabled())
                UpdateButton->setFocus();
        }
    } else {
        SetStatus(QStringLiteral("Download failed!"));
        OKButton->setFocus();
    }
    // One download per opening.  The handler running now is not replaced under its feet.
    QMetaObject::invokeMethod(this, [this] { FDownload.Release(); }, Qt::QueuedConnection);
}

void TLoTWDownloadDlg::LoTWLog(bool success, int32_t)
{
    if (!success || FFileName.isEmpty())
        return;
    QFile file(TLogADIFUtils::ConvertedName(FFileName));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() <= 1)
        return;
    StringGrid2->setRowCount(int(lines.size() - 1));
    TLogRecord r;
    for (int i = 1; i < lines.size(); ++i) {
        r.ExplodeQSOLine(lines[i]);
        const int row = i - 1;
        SetCell(StringGrid2, row, 0, r.StationCallsign());
        SetCell(StringGrid2, row, 1, r.Call());
        SetCell(StringGrid2, row, 2, r.QSODate().toString(QStringLiteral("yyyy-MM-dd")));
        SetCell(StringGrid2, row, 3, r.BandAsString());
        SetCell(StringGrid2, row, 4, r.ModeAsString());
    }
}

void TLoTWDownloadDlg::UpdateButtonClick()
{
    if (!FLogInterface || FLogs.isEmpty() || !UpdateButton->isEnabled())
        return;
    FBusy.Set(true);
    OKButton->setFocus();
    DownloadButton->setEnabled(false);
    UpdateButton->setEnabled(false);
    FImport.Attach(FLogInterface->OnLogImport, [this](const QString& name, bool success, int32_t qsos, int32_t inserted,
                                                      int32_t updated, int32_t elapsed) {
        LogImport(name, success, qsos, inserted, updated);
        // The log module keeps track of imports as well.
        Fire(FImport.Previous(), name, success, qsos, inserted, updated, elapsed);
    });
    FUpdated = 0;
    FUpdateFailed = false;
    SetStatus(QStringLiteral("...updating logs"));
    FLogInterface->ADIFImportLoTW(FFileName, FLogs);
}

void TLoTWDownloadDlg::LogImport(const QString& logFilename, bool, int32_t qsos, int32_t, int32_t updated)
{
    const QString error = FLogInterface->LastImportError();
    const QString name = QFileInfo(logFilename).fileName();
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        const QTableWidgetItem* item = StringGrid1->item(row, 0);
        if (!item || item->text() != name)
            continue;
        if (error.isEmpty()) {
            SetCell(StringGrid1, row, 1, QString::number(qsos));
            SetCell(StringGrid1, row, 2, QString::number(updated));
        } else {
            SetCell(StringGrid1, row, 1, QString());
            SetCell(StringGrid1, row, 2, QStringLiteral("failed"));
            for (int column = 0; column < StringGrid1->columnCount(); ++column)
                StringGrid1->item(row, column)->setToolTip(error);
        }
    }
    FUpdateFailed = FUpdateFailed || !error.isEmpty();
    if (++FUpdated < FLogs.size())
        return;
    FBusy.Set(false);
    if (FUpdateFailed) {
        SetStatus(QStringLiteral("Log update finished with errors"));
        return;
    }
    // Every log holds the report now: the next download asks only for newer confirmations.
    FLogInterface->LoTWInterface()->CommitLastQSL();
    SetStatus(QStringLiteral("Log update finished"));
}
