#include "keying/widgets/CWPanel.h"

#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/ControlArt.h"
#include "controls/widgets/PanelLook.h"
#include "controls/widgets/PanelSizing.h"
#include "controls/widgets/RCTrackBar.h"
#include "controls/widgets/Shape.h"
#include "controls/widgets/UpperCaseValidator.h"
#include "controls/widgets/ViewHooks.h"
#include "keying/WinKeyer.h"
#include "keying/widgets/CWPanelTicker.h"
#include "keying/widgets/SendBufferEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace {

const QString ButtonPanelArt = QStringLiteral("CWMSG_BUTTONPANEL");
const QColor Red(0xFF, 0x00, 0x00);
const QColor Green(0x00, 0xFF, 0x00);
const QColor Orange(0xFF, 0x80, 0x00);

// The recessed plate the speed slider sits on: a dark field behind a thin bezel, lit from the
// top left as the radio's own panels are.
void PaintButtonPanel(QPainter& p, const QSize& size)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QPainterPath outline;
    outline.addRoundedRect(r, 4, 4);
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0, QColor(0x2E, 0x2E, 0x2E));
    face.setColorAt(1, QColor(0x24, 0x24, 0x24));
    p.fillPath(outline, face);
    p.setPen(QPen(QColor(0x1A, 0x1A, 0x1A), 1));
    p.drawPath(outline);
    p.setPen(QPen(QColor(0x5A, 0x5A, 0x5A), 1));
    p.drawLine(QPointF(4, size.height() - 0.5), QPointF(size.width() - 4, size.height() - 0.5));
    p.drawLine(QPointF(size.width() - 0.5, 4), QPointF(size.width() - 0.5, size.height() - 4));
}

// Shows one picture of the art registry at its own size.
class TArtImage : public QWidget {
public:
    TArtImage(const QString& name, QWidget* parent)
        : QWidget(parent)
        , FName(name)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        vx::art::Draw(p, QPointF(0, 0), FName);
    }

private:
    QString FName;
};

TShape* NewShape(QWidget* parent, int left, const QString& hint)
{
    auto* s = new TShape(parent);
    s->setGeometry(left, 186, 22, 5);
    s->SetBrushColor(vx::look::ShapeOff);
    s->SetHint(hint);
    return s;
}

TSendBufferEdit* NewMemo(QWidget* parent, const QRect& geometry, const QString& hint)
{
    auto* m = new TSendBufferEdit(parent);
    m->setGeometry(geometry);
    m->setToolTip(hint);
    m->setFont(vx::look::Font(11));
    m->setFrameShape(QFrame::NoFrame);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    vx::look::DarkField(m);
    m->PasteFilter = [](const QString& text) { return text.toUpper(); };
    return m;
}

QColor StatusColor(TWKStatus status)
{
    switch (status) {
    case wksOpen: return Green;
    case wksError: return Orange;
    case wksClosed: break;
    }
    return vx::look::ShapeOff;
}

QString StatusHint(const char* who, TWKStatus status)
{
    const char* what = status == wksOpen ? "is open" : status == wksError ? "error" : "is closed";
    return QStringLiteral("%1 WinKey %2").arg(QLatin1String(who), QLatin1String(what));
}

// The characters the keyboard field raises in capitals.
QChar Capital(QChar c)
{
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        return QChar(c.unicode() - 'a' + 'A');
    switch (c.unicode()) {
    case 0xE4: return QChar(0xC4); // ä
    case 0xF6: return QChar(0xD6); // ö
    case 0xFC: return QChar(0xDC); // ü
    default: return c;
    }
}

bool IsEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

void RegisterCWPanelArt()
{
    static const bool done = [] {
        vx::art::Register(ButtonPanelArt, QSize(56, 175), PaintButtonPanel);
        return true;
    }();
    (void)done;
}

TCWPanel::TCWPanel(QWidget* parent)
    : TRCPanel(parent)
{
    using namespace vx::look;
    RegisterControlArt();
    RegisterCWPanelArt();
    SetColor(PanelGrey);
    SetShowCaption(false);
    DarkPanel(this);
    resize(262, 251);
    setMinimumSize(262, 251);
    setMaximumHeight(251);

    CWPanelImage = new TArtImage(ButtonPanelArt, this);
    CWPanelImage->setGeometry(3, 4, 56, 175);

    CWSpeedBar = new TRCTrackBar(this);
    CWSpeedBar->setGeometry(9, 14, 45, 154);
    CWSpeedBar->setToolTip(QStringLiteral("25 WPM"));
    CWSpeedBar->SetMin(10);
    CWSpeedBar->SetMax(40);
    CWSpeedBar->SetPageSize(2);
    CWSpeedBar->SetPosition(25);
    CWSpeedBar->SetColorStyle(scsRed);
    CWSpeedBar->TickMark().SetPosition(tmBoth);
    CWSpeedBar->TickMark().SetShowImageAtSteps(5);
    CWSpeedBar->TickMark().SetShowText(true);
    CWSpeedBar->TickMark().SetSize(6);
    CWSpeedBar->TickMark().SetFont(Font(9));
    CWSpeedBar->TickMark().SetColor(Silver);
    CWSpeedBar->TickMark().SetFontColor(Silver);
    CWSpeedBar->setFocusPolicy(Qt::ClickFocus);
    CWSpeedBar->OnChange = [this] { SpeedBarChange(); };
    CWSpeedBar->OnEnter = [this] { SetTextColor(CWSpeedLabel, FocusYellow); };
    CWSpeedBar->OnExit = [this] { SetTextColor(CWSpeedLabel, Silver); };
    CWSpeedBar->installEventFilter(this);

    CWDeleteCheckBox = new QCheckBox(QStringLiteral("Delete buffers after sending"), this);
    CWDeleteCheckBox->setGeometry(64, 8, 162, 19);
    CWDeleteCheckBox->setFont(Font(11));
    CWDeleteCheckBox->setFocusPolicy(Qt::ClickFocus);
    SetTextColor(CWDeleteCheckBox, Silver);
    // The layout's width was made for a narrower font: the caption is not cut.
    CWDeleteCheckBox->resize(qMax(162, CWDeleteCheckBox->sizeHint().width()), 19);

    CWMemo1 = NewMemo(this, QRect(64, 32, 191, 66), QStringLiteral("CW Send Buffer #1 - press ENTER to send"));
    CWMemo2 = NewMemo(this, QRect(64, 103, 191, 66), QStringLiteral("CW Send Buffer #2 - press ENTER to send"));
    for (QWidget* memo : {CWMemo1, CWMemo2})
        memo->installEventFilter(this);

    CWSpeedLabel = vx::look::NewLabel(QStringLiteral("25 WPM"), this, 12, 180);
    KeyboardModeLabel = vx::look::NewLabel(QStringLiteral("&Keyboard Mode"), this, 65, 180);

    WKStatusShape = NewShape(this, 154, QStringLiteral("WinKey is closed"));
    WKBusyShape = NewShape(this, 178, QStringLiteral("Busy"));
    WKBreakInShape = NewShape(this, 202, QStringLiteral("Paddle"));
    WKRemoteStatusShape = NewShape(this, 232, QStringLiteral("Remote WinKey is closed"));
    WKRemoteStatusShape->hide();

    CWSendEdit = new QLineEdit(this);
    CWSendEdit->setGeometry(6, 198, 249, 21);
    CWSendEdit->setFont(MonoFont(13));
    CWSendEdit->setFrame(false);
    CWSendEdit->setValidator(new TUpperCaseValidator(CWSendEdit));
    DarkField(CWSendEdit);
    CWSendEdit->installEventFilter(this);
    KeyboardModeLabel->setBuddy(CWSendEdit);

    CWEchoTicker = new TCWPanelTicker(this);
    CWEchoTicker->setGeometry(7, 223, 247, 17);
    CWEchoTicker->setToolTip(QStringLiteral("CW Echo"));

    setTabOrder(CWMemo1, CWMemo2);
    setTabOrder(CWMemo2, CWSendEdit);

    auto* anchors = new TAnchors(this);
    anchors->Add(CWMemo1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    anchors->Add(CWMemo2, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    for (QWidget* w : {static_cast<QWidget*>(CWSpeedLabel), static_cast<QWidget*>(KeyboardModeLabel)})
        anchors->Add(w, Qt::LeftEdge | Qt::BottomEdge);
    anchors->Add(CWSendEdit, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    anchors->Add(CWEchoTicker, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    EdgeSizer = new TEdgeSizer(this, Qt::RightEdge);

    FActionsBound = true;
}

TCWPanel::~TCWPanel()
{
    Unhook();
}

void TCWPanel::Unhook()
{
    TWinKeyer* k = FWinKeyer;
    if (!k)
        return;
    vx::Unhook(k->OnWKSpeed, this);
    vx::Unhook(k->OnWKSpeedPot, this);
    vx::Unhook(k->OnWKMinWPM, this);
    vx::Unhook(k->OnWKMaxWPM, this);
    vx::Unhook(k->OnWKStatus, this);
    vx::Unhook(k->OnRemoteStatus, this);
    vx::Unhook(k->OnWKBusy, this);
    vx::Unhook(k->OnWKBreakIn, this);
    vx::Unhook(k->OnCharacterRemote, this);
    vx::Unhook(k->OnWKClear, this);
}

TWinKeyer* TCWPanel::WinKeyer() const
{
    return FWinKeyer;
}

void TCWPanel::SetWinKeyer(TWinKeyer* value)
{
    if (value == FWinKeyer)
        return;
    Unhook();
    FWinKeyer = value;
    if (!value)
        return;
    vx::Hook(value->OnWKSpeed, this, [this](uint8_t mn, uint8_t s, uint8_t mx, uint8_t pot) { DoWKSpeed(mn, s, mx, pot); });
    vx::Hook(value->OnWKSpeedPot, this, [this] { DoWKSpeedPot(); });
    vx::Hook(value->OnWKMinWPM, this, [this] { DoWKMinWPM(); });
    vx::Hook(value->OnWKMaxWPM, this, [this] { DoWKMaxWPM(); });
    vx::Hook(value->OnWKStatus, this, [this](TWKStatus s) { DoWKStatus(s); });
    vx::Hook(value->OnRemoteStatus, this, [this](TWKStatus s) { DoRemoteStatus(s); });
    vx::Hook(value->OnWKBusy, this, [this](bool v) { DoWKBusy(v); });
    vx::Hook(value->OnWKBreakIn, this, [this](bool v) { DoWKBreakIn(v); });
    vx::Hook(value->OnCharacterRemote, this, [this](QChar c) { CWEchoTicker->AddCharacter(c); });
    vx::Hook(value->OnWKClear, this, [this] { Clear(); });
}

void TCWPanel::SetApplicationType(TApplicationType value)
{
    FApplicationType = value;
    WKRemoteStatusShape->setVisible(value == isRemoteClient);
}

void TCWPanel::Bind(int index, QAction* action)
{
    BoundAction& b = FActions[index];
    if (b.Action == action)
        return;
    QObject::disconnect(b.Connection);
    b.Action = action;
    if (action)
        b.Connection = connect(action, &QAction::triggered, this, [this, index] { Execute(index); });
}

void TCWPanel::Execute(int index)
{
    switch (index) {
    case 0: CWMemo1->setFocus(Qt::ShortcutFocusReason); break;
    case 1: CWMemo2->setFocus(Qt::ShortcutFocusReason); break;
    case 2: CWSendEdit->setFocus(Qt::ShortcutFocusReason); break;
    case 3: CWSpeedBar->setFocus(Qt::ShortcutFocusReason); break;
    case 4:
        if (CWSpeedBar->Position() > CWSpeedBar->Min())
            CWSpeedBar->SetPosition(CWSpeedBar->Position() - 2);
        break;
    case 5:
        if (CWSpeedBar->Position() < CWSpeedBar->Max())
            CWSpeedBar->SetPosition(CWSpeedBar->Position() + 2);
        break;
    default: break;
    }
}

void TCWPanel::Clear()
{
    CWSendEdit->clear();
    CWEchoTicker->Clear();
}

bool TCWPanel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == CWMemo1 || watched == CWMemo2)
            return MemoKey(static_cast<TSendBufferEdit*>(watched), key);
        if (watched == CWSendEdit)
            return KeyboardKey(key);
        if (watched == CWSpeedBar && key->key() == Qt::Key_Escape) {
            CWSendEdit->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == CWSendEdit)
            vx::look::SetTextColor(KeyboardModeLabel, vx::look::FocusYellow);
        break;
    case QEvent::FocusOut:
        if (watched == CWSendEdit)
            vx::look::SetTextColor(KeyboardModeLabel, vx::look::Silver);
        break;
    default: break;
    }
    return TRCPanel::eventFilter(watched, event);
}

bool TCWPanel::MemoKey(TSendBufferEdit* memo, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape) {
        Clear();
        return true;
    }
    if (IsEnter(key)) {
        SendLines(memo);
        return true;
    }
    const QString text = key->text();
    if (text.size() == 1 && text[0] >= QLatin1Char('a') && text[0] <= QLatin1Char('z')
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        memo->insertPlainText(text.toUpper());
        return true;
    }
    return false;
}

void TCWPanel::SendLines(TSendBufferEdit* memo)
{
    if (OnSendText) {
        // Taken first: a handler may change the buffer.
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        for (const QString& line : lines)
            Fire(OnSendText, memo, line);
    }
    if (CWDeleteCheckBox->isChecked())
        memo->clear();
}

bool TCWPanel::KeyboardKey(QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape) {
        Clear();
        return true;
    }
    const QString text = key->text();
    if (IsEnter(key) || text == QLatin1String("\n") || text == QLatin1String("\r"))
        return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Editing keys (Backspace, Delete, arrows) edit the field and send nothing.
    if (text.size() != 1 || !text[0].isPrint())
        return false;
    const QChar c = Capital(text[0]);
    Fire(OnSendChar, CWSendEdit, c);
    CWSendEdit->insert(QString(c));
    return true;
}

void TCWPanel::SpeedBarChange()
{
    if (FActionsBound && FWinKeyer) {
        FWinKeyer->PrepareTX();
        FWinKeyer->SetSpeed(uint8_t(CWSpeedBar->Position()));
    }
    CWSpeedLabel->setText(QStringLiteral("%1 WPM").arg(CWSpeedBar->Position()));
    CWSpeedLabel->adjustSize();
    ShowSpeed();
}

void TCWPanel::ShowSpeed()
{
    CWSpeedBar->setToolTip(QStringLiteral("%1 WPM (Speed pot %2 WPM)").arg(CWSpeedBar->Position()).arg(FSpeedPot));
}

void TCWPanel::SetRange(int MinWPM, int MaxWPM)
{
    // A bound that excludes the thumb moves it; that move shows the keyer's value and must
    // not be written back to the keyer.
    if (MinWPM != CWSpeedBar->Min()) {
        if (MinWPM > CWSpeedBar->Position())
            CWSpeedBar->SetUpdatingPosition(true);
        CWSpeedBar->SetMin(MinWPM);
    }
    if (MaxWPM != CWSpeedBar->Max()) {
        if (MaxWPM < CWSpeedBar->Position())
            CWSpeedBar->SetUpdatingPosition(true);
        CWSpeedBar->SetMax(MaxWPM);
    }
}

void TCWPanel::DoWKSpeed(uint8_t MinWPM, uint8_t Speed, uint8_t MaxWPM, uint8_t SpeedPot)
{
    SetRange(MinWPM, MaxWPM);
    if (Speed != CWSpeedBar->Position()) {
        CWSpeedBar->SetUpdatingPosition(true);
        CWSpeedBar->SetPosition(Speed);
    }
    CWSpeedLabel->setText(QStringLiteral("%1 WPM").arg(CWSpeedBar->Position()));
    CWSpeedLabel->adjustSize();
    FSpeedPot = SpeedPot;
    ShowSpeed();
}

void TCWPanel::DoWKSpeedPot()
{
    if (FWinKeyer)
        FSpeedPot = FWinKeyer->SpeedPot();
    ShowSpeed();
}

void TCWPanel::DoWKMinWPM()
{
    if (FWinKeyer)
        SetRange(FWinKeyer->MinWPM(), CWSpeedBar->Max());
}

void TCWPanel::DoWKMaxWPM()
{
    if (FWinKeyer)
        SetRange(CWSpeedBar->Min(), FWinKeyer->MaxWPM());
}

void TCWPanel::DoWKStatus(TWKStatus Status)
{
    if (Status == FStatus)
        return;
    FStatus = Status;
    WKStatusShape->SetBrushColor(StatusColor(Status));
    WKStatusShape->SetHint(StatusHint("Local", Status));
}

void TCWPanel::DoRemoteStatus(TWKStatus Status)
{
    if (Status == FRemoteStatus)
        return;
    FRemoteStatus = Status;
    WKRemoteStatusShape->SetBrushColor(StatusColor(Status));
    WKRemoteStatusShape->SetHint(StatusHint("Remote", Status));
}

void TCWPanel::DoWKBusy(bool Value)
{
    if (Value == FBusy)
        return;
    FBusy = Value;
    WKBusyShape->SetBrushColor(Value ? Red : vx::look::ShapeOff);
}

void TCWPanel::DoWKBreakIn(bool Value)
{
    if (Value == FBreakIn)
        return;
    FBreakIn = Value;
    WKBreakInShape->SetBrushColor(Value ? Red : vx::look::ShapeOff);
}
