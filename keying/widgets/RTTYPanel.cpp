#include "keying/widgets/RTTYPanel.h"

#include "controls/widgets/PanelLook.h"
#include "controls/widgets/PanelSizing.h"
#include "controls/widgets/RCSpeedButton.h"
#include "controls/widgets/Shape.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "keying/widgets/RTTYEdit.h"
#include "keying/widgets/RTTYMeter.h"
#include "keying/widgets/SendBufferEdit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

TRCPanel* NewRow(QWidget* parent)
{
    auto* row = new TRCPanel(parent);
    row->SetColor(vx::look::PanelGrey);
    row->SetBevelOuter(bvNone);
    row->SetShowCaption(false);
    row->setFixedHeight(18);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return row;
}

TRCSpeedButton* NewButton(TRCPanel* row, const QString& caption, int width, const QString& hint, int group = 0)
{
    auto* b = new TRCSpeedButton(row);
    b->SetCaption(caption);
    b->setToolTip(hint);
    b->setFixedSize(width, 18);
    b->setFont(vx::look::Font(11));
    b->setFocusPolicy(Qt::NoFocus);
    if (group) {
        b->SetGroupIndex(group);
        b->SetAllowAllUp(true);
    }
    row->layout()->addWidget(b);
    return b;
}

TShape* NewLamp(TRCPanel* row, const QString& hint)
{
    auto* s = new TShape(row);
    s->SetBrushColor(vx::look::ShapeOff);
    s->SetHint(hint);
    s->setFixedSize(6, 12);
    auto* box = static_cast<QHBoxLayout*>(row->layout());
    box->addSpacing(3);
    box->addWidget(s, 0, Qt::AlignVCenter);
    box->addSpacing(3);
    return s;
}

bool NoCommandModifier(const QKeyEvent* key)
{
    return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

TRTTYPanel::TRTTYPanel(QWidget* parent)
    : TRCPanel(parent)
{
    using namespace vx::look;
    SetColor(PanelGrey);
    SetShowCaption(false);
    DarkPanel(this);
    resize(262, 251);
    setMinimumSize(262, 251);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 0, 1, 1);
    column->setSpacing(0);

    TopPanel = NewRow(this);
    TopPanel->SetCaption(QStringLiteral("RTTY  "));
    TopPanel->SetShowCaption(true);
    TopPanel->SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TopPanel->SetFontColor(Silver);
    TopPanel->setFont(Font(11));
    OpenButton = NewButton(TopPanel, QStringLiteral("Open"), 44, QStringLiteral("Open or close MMTTY engine"), 1);
    StatusShape = NewLamp(TopPanel, QStringLiteral("MMTTY is closed"));
    ClearRXButton = NewButton(TopPanel, QStringLiteral("Clear RX"), 54, QStringLiteral("Clear monitor window"));
    SquelchButton = NewButton(TopPanel, QStringLiteral("SQ"), 29, QStringLiteral("Squelch"), 2);
    RTTYMeter = new TRTTYMeter(TopPanel);
    RTTYMeter->setFixedSize(54, 14);
    {
        auto* box = static_cast<QHBoxLayout*>(TopPanel->layout());
        box->addSpacing(1);
        box->addWidget(RTTYMeter, 0, Qt::AlignVCenter);
        box->addSpacing(1);
    }
    BPFButton = NewButton(TopPanel, QStringLiteral("BPF"), 29, QStringLiteral("Bandpass Filter"), 3);
    static_cast<QHBoxLayout*>(TopPanel->layout())->addStretch(1);

    CenterPanel = new TRCPanel(this);
    CenterPanel->SetColor(Qt::black);
    CenterPanel->SetBevelOuter(bvNone);
    CenterPanel->SetShowCaption(false);
    auto* center = new QVBoxLayout(CenterPanel);
    center->setContentsMargins(3, 3, 3, 3);
    center->setSpacing(0);
    Splitter1 = new QSplitter(Qt::Vertical, CenterPanel);
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    RXEdit = new TRTTYEdit(Splitter1);
    TXEdit = new TSendBufferEdit(Splitter1);
    TXEdit->setFrameShape(QFrame::NoFrame);
    TXEdit->setFont(Font(11));
    TXEdit->setToolTip(QStringLiteral("RTTY Send Buffer - press ENTER to send"));
    TXEdit->setMinimumHeight(33);
    TXEdit->PasteFilter = [](const QString& text) { return SendFilter(text).replace(QLatin1Char('\r'), QLatin1Char('\n')); };
    DarkField(TXEdit, Qt::white);
    TXEdit->installEventFilter(this);
    Splitter1->addWidget(RXEdit);
    Splitter1->addWidget(TXEdit);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({160, 33});
    center->addWidget(Splitter1);

    BottomPanel = NewRow(this);
    TXButton = NewButton(BottomPanel, QStringLiteral("TX"), 44, QStringLiteral("Transmit, press Escape or F12 to stop transmission"), 4);
    PTTShape = NewLamp(BottomPanel, QStringLiteral("MMTTY PTT"));
    ClearTXButton = NewButton(BottomPanel, QStringLiteral("Clear TX"), 54, QStringLiteral("Clear TX window"));
    DeleteCheckBox = new QCheckBox(QStringLiteral("Delete buffer"), BottomPanel);
    DeleteCheckBox->setToolTip(QStringLiteral("Delete buffer after sending"));
    DeleteCheckBox->setFont(Font(11));
    DeleteCheckBox->setFocusPolicy(Qt::NoFocus);
    DeleteCheckBox->setFixedWidth(120);
    SetTextColor(DeleteCheckBox, Silver);
    {
        auto* box = static_cast<QHBoxLayout*>(BottomPanel->layout());
        box->addSpacing(3);
        box->addWidget(DeleteCheckBox);
        box->addStretch(1);
    }

    column->addWidget(TopPanel);
    column->addWidget(CenterPanel, 1);
    column->addWidget(BottomPanel);

    OpenButton->OnClick = [this] {
        Fire(FConnected ? OnMMTTYClose : OnMMTTYOpen);
        // The button shows the engine's state, which the engine reports.
        OpenButton->SetDown(FConnected);
    };
    ClearRXButton->OnClick = [this] { RXEdit->clear(); };
    SquelchButton->OnClick = [this] {
        const bool down = SquelchButton->Down();
        Fire(OnMMTTYSquelch, down);
        RTTYMeter->SetSquelch(down);
    };
    BPFButton->OnClick = [this] { Fire(OnMMTTYBandPassFilter, BPFButton->Down()); };
    TXButton->OnClick = [this] {
        Fire(OnMMTTYTX);
        TXButton->SetDown(FPTT);
    };
    ClearTXButton->OnClick = [this] {
        TXEdit->clear();
        Fire(OnMMTTYClear);
    };
    RTTYMeter->OnSquelchLevel = [this](uint16_t v) { Fire(OnMMTTYSquelchLevel, v); };
    RXEdit->OnLogCall = [this](const QString& v) { Fire(OnLogCall, v); };
    RXEdit->OnLogName = [this](const QString& v) { Fire(OnLogName, v); };

    EdgeSizer = new TEdgeSizer(this, Qt::RightEdge | Qt::BottomEdge);
}

TRTTYPanel::~TRTTYPanel()
{
    if (DMRTTY && DMRTTY->RTTYPanel() == static_cast<TRTTYPanelLink*>(this))
        DMRTTY->SetRTTYPanel(nullptr);
}

bool TRTTYPanel::InSendSet(QChar c)
{
    return c == QLatin1Char('_') || TMMTTYInterface::IsReceivedCharacter(c.unicode());
}

QString TRTTYPanel::SendFilter(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('\n'))
            c = QLatin1Char('\r');
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
        if (InSendSet(c))
            out += c;
    }
    return out;
}

void TRTTYPanel::SetConnected(bool value)
{
    if (value != FConnected) {
        FConnected = value;
        if (value) {
            StatusShape->SetBrushColor(QColor(0x00, 0xFF, 0x00));
            StatusShape->SetHint(QStringLiteral("MMTTY is active"));
            OpenButton->SetCaption(QStringLiteral("Close"));
        } else {
            StatusShape->SetBrushColor(vx::look::ShapeOff);
            PTTShape->SetBrushColor(vx::look::ShapeOff);
            StatusShape->SetHint(QStringLiteral("MMTTY is closed"));
            OpenButton->SetCaption(QStringLiteral("Open"));
            RTTYMeter->SetSignalLevel(0);
        }
    }
    OpenButton->SetDown(FConnected);
}

void TRTTYPanel::SetPTT(bool value)
{
    if (value == FPTT)
        return;
    FPTT = value;
    PTTShape->SetBrushColor(value ? QColor(0xFF, 0x00, 0x00) : vx::look::ShapeOff);
    PTTShape->SetHint(value ? QStringLiteral("PTT is on") : QStringLiteral("PTT is off"));
    RXEdit->SetPTT(value);
    TXButton->SetDown(value);
}

bool TRTTYPanel::BandPassFilter() const
{
    return BPFButton->Down();
}

void TRTTYPanel::SetBandPassFilter(bool value)
{
    BPFButton->SetDown(value);
}

bool TRTTYPanel::Squelch() const
{
    return RTTYMeter->Squelch();
}

void TRTTYPanel::SetSquelch(bool value)
{
    RTTYMeter->SetSquelch(value);
    SquelchButton->SetDown(value);
}

uint16_t TRTTYPanel::SquelchLevel() const
{
    return RTTYMeter->SquelchLevel();
}

void TRTTYPanel::SetSquelchLevel(uint16_t value)
{
    RTTYMeter->SetSquelchLevel(value);
}

uint16_t TRTTYPanel::SignalLevel() const
{
    return RTTYMeter->SignalLevel();
}

void TRTTYPanel::SetSignalLevel(uint16_t value)
{
    RTTYMeter->SetSignalLevel(value);
}

void TRTTYPanel::SetRXText(const QString& value)
{
    RXEdit->AddText(value);
}

QColor TRTTYPanel::ColorRX() const
{
    return RXEdit->ColorRX();
}

void TRTTYPanel::SetColorRX(const QColor& value)
{
    RXEdit->SetColorRX(value);
}

QColor TRTTYPanel::ColorTX() const
{
    return RXEdit->ColorTX();
}

void TRTTYPanel::SetColorTX(const QColor& value)
{
    RXEdit->SetColorTX(value);
}

int TRTTYPanel::MaxLines() const
{
    return RXEdit->MaxLines();
}

void TRTTYPanel::SetMaxLines(int value)
{
    RXEdit->SetMaxLines(value);
}

void TRTTYPanel::SetMyCall(const QString& value)
{
    if (value == FMyCall)
        return;
    FMyCall = value;
    RXEdit->SetMyCall(value);
}

void TRTTYPanel::Clear()
{
    TXEdit->clear();
}

void TRTTYPanel::TX()
{
    const bool transmitting = FPTT;
    TXEdit->setFocus(Qt::OtherFocusReason);
    Fire(OnMMTTYTX);
    if (transmitting) {
        if (DeleteCheckBox->isChecked())
            TXEdit->clear();
    } else {
        // A transmission started with the transmit key begins on a new line.
        Fire(OnMMTTYSend, QStringLiteral("\r"));
    }
}

bool TRTTYPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TXEdit) {
        switch (event->type()) {
        case QEvent::KeyPress: return SendKeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease: SendKeyRelease(static_cast<QKeyEvent*>(event)); break;
        default: break;
        }
    }
    return TRCPanel::eventFilter(watched, event);
}

bool TRTTYPanel::SendKeyPress(QKeyEvent* key)
{
    const QString text = key->text();
    // Commands (Ctrl+V, Alt+...) and keys that are no characters (arrows, Delete) work as usual.
    if (!NoCommandModifier(key) || text.isEmpty())
        return false;
    if (text.size() != 1)
        return true;
    QChar c = text[0];
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        c = QChar(c.unicode() - 'a' + 'A');
    if (!InSendSet(c))
        return true;
    TXEdit->insertPlainText(c == QLatin1Char('\r') ? QStringLiteral("\n") : QString(c));
    if (FPTT)
        Fire(OnMMTTYSend, QString(c));
    return true;
}

void TRTTYPanel::SendKeyRelease(QKeyEvent* key)
{
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        || key->isAutoRepeat() || FPTT)
        return;
    if (OnMMTTYSendMessage) {
        QString message = QStringLiteral("<CR>%1 ").arg(TXEdit->toPlainText().trimmed());
        message.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        Fire(OnMMTTYSendMessage, message);
    }
    if (DeleteCheckBox->isChecked())
        TXEdit->clear();
}

void TRTTYPanel::resizeEvent(QResizeEvent* event)
{
    TRCPanel::resizeEvent(event);
    RXEdit->viewport()->update();
}
