#include "client/widgets/CATMonitorPanel.h"
#include "platform/SaveFile.h"

#include "controls/widgets/RCSpeedButton.h"
#include "controls/widgets/UpperCaseValidator.h"
#include "core/cat/FTCATInterface.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

constexpr int MemoTop = 49;
constexpr int MemoBottomMargin = 8;

} // namespace

TCATMonitorPanel::TCATMonitorPanel(QWidget* parent)
    : QWidget(parent)
{
    // The narrow "MS Sans Serif" of the labels and boxes: semi-condensed, so the captions
    // fit their boxes.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setStretch(QFont::SemiCondensed);
    setFont(font);
    // The command and the list: a character height of 11 pixels.
    QFont fieldFont(QStringLiteral("DejaVu Sans"));
    fieldFont.setPixelSize(11);
    resize(457, 433);

    CATMonitorLabel1 = new QLabel(QStringLiteral("Send CAT Command"), this);
    CATMonitorLabel1->setGeometry(3, 3, 99, 13);

    // Black with silver text (12632256).
    QPalette dark = palette();
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, QColor(0xC0, 0xC0, 0xC0));

    CATMonitorEdit = new QLineEdit(this);
    CATMonitorEdit->setGeometry(3, 22, 302, 21);
    CATMonitorEdit->setPalette(dark);
    CATMonitorEdit->setFont(fieldFont);
    CATMonitorEdit->setValidator(new TUpperCaseValidator(CATMonitorEdit));

    CATMonitorMemo = new QPlainTextEdit(this);
    CATMonitorMemo->setGeometry(3, MemoTop, 303, 361);
    CATMonitorMemo->setPalette(dark);
    CATMonitorMemo->setFont(fieldFont);
    CATMonitorMemo->setReadOnly(true);
    CATMonitorMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    CATMonitorMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CATMonitorMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The oldest lines go first once the list is full.
    CATMonitorMemo->setMaximumBlockCount(MaxLines);
    setTabOrder(CATMonitorEdit, CATMonitorMemo);

    CATMonitorGroupBox = new QGroupBox(QStringLiteral(" Show "), this);
    CATMonitorGroupBox->setGeometry(311, 49, 137, 160);
    CATMonitorGroupBox->setFont(font);
    // The caption sits on the frame line, as the boxes placed just below it expect.
    CATMonitorGroupBox->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; top: 0px; }"));
    struct Filter {
        QCheckBox** box;
        const char* caption;
        bool checked;
    };
    const Filter filters[6] = {
        {&CATMonitorCB1, "TX commands", true},     {&CATMonitorCB2, "RX/TX markers", true},
        {&CATMonitorCB3, "Frequency (FA, FB)", true}, {&CATMonitorCB4, "Bargraph (BG)", false},
        {&CATMonitorCB5, "Meter (RM, SM)", false}, {&CATMonitorCB6, "Power Switch", false},
    };
    const int tops[6] = {16, 41, 65, 88, 112, 137};
    for (int i = 0; i < 6; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(filters[i].caption), CATMonitorGroupBox);
        box->setGeometry(8, tops[i], 125, 19);
        box->setChecked(filters[i].checked);
        // Set here: the box's style sheet would give its children the program's font.
        box->setFont(font);
        *filters[i].box = box;
    }

    auto newButton = [this](const QString& caption, int x, int y) {
        auto* b = new TRCSpeedButton(this);
        b->SetCaption(caption);
        b->setGeometry(x, y, 49, 22);
        // Ordinary buttons: the pressed look shows which of Start and Stop is down.
        b->SetColorUp(palette().color(QPalette::ButtonText));
        b->SetColorDown(palette().color(QPalette::ButtonText));
        return b;
    };
    StartSpeedButton = newButton(QStringLiteral("Start"), 312, 22);
    StopSpeedButton = newButton(QStringLiteral("Stop"), 367, 22);
    ClearSpeedButton = newButton(QStringLiteral("Clear"), 312, 216);
    SaveSpeedButton = newButton(QStringLiteral("Save"), 367, 216);
    StartSpeedButton->SetGroupIndex(1);
    StopSpeedButton->SetGroupIndex(1);
    StartSpeedButton->SetDown(true);

    connect(CATMonitorEdit, &QLineEdit::returnPressed, this, [this] { CATMonitorEditEnter(); });
    StartSpeedButton->OnClick = [this] { StartStopClick(); };
    StopSpeedButton->OnClick = [this] { StartStopClick(); };
    ClearSpeedButton->OnClick = [this] { CATMonitorMemo->clear(); };
    SaveSpeedButton->OnClick = [this] { SaveSpeedButtonClick(); };
}

void TCATMonitorPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateMemoHeight();
}

void TCATMonitorPanel::UpdateMemoHeight()
{
    // The list keeps its left, top and width and reaches down to 8 pixels above the bottom.
    CATMonitorMemo->resize(CATMonitorMemo->width(), std::max(0, height() - MemoTop - MemoBottomMargin));
}

bool TCATMonitorPanel::Shown(bool Transmitted, const QString& Text) const
{
    if (Transmitted && !CATMonitorCB1->isChecked())
        return false;
    const QStringView code = QStringView(Text).left(2);
    if (code == u"FA" || code == u"FB")
        return CATMonitorCB3->isChecked();
    if (code == u"BG")
        return CATMonitorCB4->isChecked();
    if (code == u"RM" || code == u"SM")
        return CATMonitorCB5->isChecked();
    if (code == u"PS")
        return CATMonitorCB6->isChecked();
    return true;
}

void TCATMonitorPanel::DoCATCommand(bool Transmitted, const QString& Text)
{
    if (!bAddLines || (FFTCATInterface && FFTCATInterface->ComState() == csInitializing))
        return;
    if (!Shown(Transmitted, Text))
        return;
    if (CATMonitorCB2->isChecked())
        CATMonitorMemo->appendPlainText((Transmitted ? QStringLiteral("TX: ") : QStringLiteral("RX: ")) + Text);
    else
        CATMonitorMemo->appendPlainText(Text);
}

QStringList TCATMonitorPanel::Lines() const
{
    QStringList lines;
    const QTextDocument* doc = CATMonitorMemo->document();
    if (doc->isEmpty())
        return lines;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines << b.text();
    return lines;
}

QString TCATMonitorPanel::SaveToFile(const QString& FileName) const
{
    QByteArray bytes;
    for (const QString& line : Lines())
        bytes += line.toUtf8() + '\n';
    if (const QString error = vx::SaveFileAtomically(FileName, bytes); !error.isEmpty())
        return QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(FileName), error);
    return {};
}

void TCATMonitorPanel::CATMonitorEditEnter()
{
    QString text = CATMonitorEdit->text();
    if (text.trimmed().isEmpty())
        return;
    if (!text.contains(QLatin1Char(';'))) {
        text += QLatin1Char(';');
        CATMonitorEdit->setText(text);
    }
    if (FFTCATInterface)
        FFTCATInterface->SendCATCommand(text);
}

void TCATMonitorPanel::StartStopClick()
{
    bAddLines = StartSpeedButton->Down();
}

void TCATMonitorPanel::SaveSpeedButtonClick()
{
    QFileDialog dialog(this, QStringLiteral("Save"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       QStringLiteral("Text Files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("cat_protocol.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = SaveToFile(dialog.selectedFiles().first());
    if (!error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Save"), error);
}
