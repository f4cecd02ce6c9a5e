// The main window's layout by view mode and radio model, the panel and action rules, the status
// bar by role and the panel toggles.
#include "client/widgets/MainForm.h"

#include "client/DataModules.h"
#include "client/widgets/CATMonitorPanel.h"
#include "client/widgets/RCMPanel.h"
#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/RCSpeedButton.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/cat/FTCATInterface.h"
#include "dx/widgets/Bandmap.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/MessagePanel.h"
#include "keying/widgets/RTTYPanel.h"
#include "keying/widgets/YaesuRotatorPanel.h"
#include "log/DMLog.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelControls.h"
#include "log/LoTWInterface.h"
#include "log/LogDialogs.h"
#include "remote/DMAudioClient.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"
#include "remote/widgets/PlaybackForm.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QTabWidget>

namespace {

bool FT2000Size(TTransceiver model)
{
    return model != FTDX5000;
}

// A receiver's letter on a 16-pixel glyph.
void Letter(QPainter& p, const QColor& c, const char* letter)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QLatin1String(letter));
}

// The four pictures of the remote audio buttons, each a strip of up, disabled, clicked and down.
void RegisterMainFormArt()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    using PaintGlyph = void (*)(QPainter&, const QColor&);
    // The down look: connected is green, transmitting red, a receiver that is off dark red.
    const struct {
        const char* name;
        QColor down;
        PaintGlyph glyph;
    } glyphs[] = {
        {"MAIN_AUDIO_CONNECT", QColor(0, 140, 0),
         [](QPainter& p, const QColor& c) {
             // A plug.
             p.setPen(QPen(c, 1.4));
             p.drawLine(QPointF(3, 8), QPointF(6, 8));
             p.drawRoundedRect(QRectF(6, 5, 4, 6), 1, 1);
             p.drawLine(QPointF(10, 6.5), QPointF(13, 6.5));
             p.drawLine(QPointF(10, 9.5), QPointF(13, 9.5));
         }},
        {"MAIN_AUDIO_TRANSMIT", QColor(210, 0, 0),
         [](QPainter& p, const QColor& c) {
             // A microphone.
             p.setPen(QPen(c, 1.3));
             p.setBrush(c);
             p.drawRoundedRect(QRectF(6, 2.5, 4, 7), 2, 2);
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(4, 5, 8, 7), 180 * 16, 180 * 16);
             p.drawLine(QPointF(8, 12), QPointF(8, 14));
         }},
        {"MAIN_AUDIO_LEFT", QColor(150, 0, 0), [](QPainter& p, const QColor& c) { Letter(p, c, "A"); }},
        {"MAIN_AUDIO_RIGHT", QColor(150, 0, 0), [](QPainter& p, const QColor& c) { Letter(p, c, "B"); }},
    };
    for (const auto& g : glyphs) {
        const PaintGlyph glyph = g.glyph;
        const QColor down = g.down;
        vx::art::Register(
            QLatin1String(g.name), QSize(64, 16),
            [glyph, down](QPainter& p, const QSize&) {
                p.setRenderHint(QPainter::Antialiasing);
                // Up, disabled, clicked, down.
                const QColor colours[4] = {QColor(32, 32, 32), QColor(150, 150, 150), QColor(32, 32, 32), down};
                for (int frame = 0; frame < 4; ++frame) {
                    p.save();
                    p.translate(frame * 16, 0);
                    glyph(p, colours[frame]);
                    p.restore();
                }
            },
            4);
    }
}

// A status bar button that shows a picture of the registry instead of a caption.
class TGlyphSpeedButton : public TRCSpeedButton {
public:
    TGlyphSpeedButton(const QString& glyph, QWidget* parent)
        : TRCSpeedButton(parent)
        , FGlyph(glyph)
    {
        RegisterMainFormArt();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QString caption = text();
        setText(QString());
        TRCSpeedButton::paintEvent(event);
        setText(caption);
        QPainter p(this);
        int frame = 0;
        if (!isEnabled())
            frame = 1;
        else if (isDown())
            frame = 2;
        else if (isChecked())
            frame = 3;
        vx::art::Draw(p, QPointF((width() - 16) / 2.0, (height() - 16) / 2.0), FGlyph, frame);
    }

private:
    QString FGlyph;
};

TRCPanel* StatusPanel(const char* name, QWidget* parent)
{
    auto* panel = new TRCPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->SetBevelOuter(bvLowered);
    panel->SetColor(parent->palette().color(QPalette::Window));
    panel->SetFontColor(parent->palette().color(QPalette::WindowText));
    panel->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    panel->setFont(f);
    return panel;
}

// A button that runs an action and follows its state, keeping a caption of its own when given.
void BindButton(TRCSpeedButton* button, QAction* action, const QString& caption = {})
{
    const auto sync = [button, action, caption] {
        button->SetCaption(caption.isEmpty() ? action->text().remove(QLatin1Char('&')) : caption);
        button->setToolTip(action->toolTip());
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
    };
    QObject::connect(action, &QAction::changed, button, sync);
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    sync();
}

} // namespace

void TMainForm::CreateStatusBar()
{
    auto* row = new QHBoxLayout(StatusBarPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    StatusBarPanel0 = StatusPanel("StatusBarPanel0", StatusBarPanel);
    StatusBarPanel1 = StatusPanel("StatusBarPanel1", StatusBarPanel);
    StatusBarPanel2 = StatusPanel("StatusBarPanel2", StatusBarPanel);
    StatusBarPanel3 = StatusPanel("StatusBarPanel3", StatusBarPanel);
    StatusBarPanelPresets = StatusPanel("StatusBarPanelPresets", StatusBarPanel);
    StatusBarPanel4 = StatusPanel("StatusBarPanel4", StatusBarPanel);
    StatusBarPanel5 = StatusPanel("StatusBarPanel5", StatusBarPanel);
    for (TRCPanel* p : {StatusBarPanel0, StatusBarPanel1, StatusBarPanel2, StatusBarPanel3, StatusBarPanelPresets,
                        StatusBarPanel4})
        row->addWidget(p);
    row->addWidget(StatusBarPanel5, 1);
    for (int i = 0; i < 6; ++i)
        SetStatusPanel(i, FStatusWidths[i]);

    ClientConnectButton = new TRCSpeedButton(StatusBarPanel0);
    ClientConnectButton->setObjectName(QStringLiteral("ClientConnectButton"));
    ClientConnectButton->setGeometry(49, 1, 65, 18);
    ClientConnectButton->SetColorUp(palette().color(QPalette::ButtonText));
    BindButton(ClientConnectButton, FModules->Client()->ClientConnectButtonAction);
    ConnectShape = new TStatusShape(StatusBarPanel0);
    ConnectShape->setObjectName(QStringLiteral("ConnectShape"));
    ConnectShape->setGeometry(117, 6, 16, 7);
    ConnectShape->setToolTip(QStringLiteral("disconnected"));

    const struct {
        TRCSpeedButton** button;
        const char* name;
        const char* glyph;
        const char* hint;
        int group;
        void (TMainForm::*click)();
    } audio[] = {
        {&AudioConnectButton, "AudioConnectButton", "MAIN_AUDIO_CONNECT", "Connect Audio", 5,
         &TMainForm::AudioConnectButtonClick},
        {&TransmitButton, "TransmitButton", "MAIN_AUDIO_TRANSMIT", "Microphone mute", 8,
         &TMainForm::TransmitButtonClick},
        {&ChannelLeftButton, "ChannelLeftButton", "MAIN_AUDIO_LEFT", "Audio Receiver A", 6,
         &TMainForm::ChannelLeftButtonClick},
        {&ChannelRightButton, "ChannelRightButton", "MAIN_AUDIO_RIGHT", "Audio Receiver B", 7,
         &TMainForm::ChannelRightButtonClick},
    };
    for (int i = 0; i < 4; ++i) {
        auto* b = new TGlyphSpeedButton(QLatin1String(audio[i].glyph), StatusBarPanel2);
        b->setObjectName(QLatin1String(audio[i].name));
        b->setGeometry(1 + 16 * i, 2, 16, 16);
        b->setToolTip(QLatin1String(audio[i].hint));
        b->SetGroupIndex(audio[i].group);
        b->SetAllowAllUp(true);
        const auto click = audio[i].click;
        // The handlers set the down state from the link's state afterwards.
        b->OnClick = [this, click] { (this->*click)(); };
        *audio[i].button = b;
    }

    TDMRadio* radio = FModules->Radio();
    QAction* presets[4] = {radio->LoadPresetsCWAction, radio->LoadPresetsSSBAction, radio->LoadPresetsRTTYAction,
                           radio->LoadPresetsJT65Action};
    TRCSpeedButton** buttons[4] = {&PresetButton1, &PresetButton2, &PresetButton3, &PresetButton4};
    const char* captions[4] = {"C", "S", "R", "J"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TRCSpeedButton(StatusBarPanelPresets);
        b->setObjectName(QStringLiteral("PresetButton%1").arg(i + 1));
        b->setGeometry(1 + 16 * i, 1, 16, 17);
        b->SetColorUp(palette().color(QPalette::ButtonText));
        BindButton(b, presets[i], QLatin1String(captions[i]));
        *buttons[i] = b;
    }
}

void TMainForm::SetStatusPanel(int Index, int Width)
{
    TRCPanel* panels[6] = {StatusBarPanel0, StatusBarPanel1, StatusBarPanel2,
                           StatusBarPanel3, StatusBarPanelPresets, StatusBarPanel4};
    if (Index < 0 || Index >= 6)
        return;
    FStatusWidths[Index] = Width;
    panels[Index]->setFixedWidth(Width);
    panels[Index]->setVisible(Width > 0);
}

int TMainForm::StatusPanelWidth(int Index) const
{
    if (Index == 5)
        return StatusBarPanel5->width();
    // Index 4 is the presets panel; the solar data panel follows it.
    const int map[6] = {0, 1, 2, 3, 5, 4};
    return Index >= 0 && Index < 6 ? FStatusWidths[map[Index]] : 0;
}

namespace {

TRCPanel* NumberedPanel(const TMainForm& form, int Index)
{
    switch (Index) {
    case 0: return form.StatusBarPanel0;
    case 1: return form.StatusBarPanel1;
    case 2: return form.StatusBarPanel2;
    case 3: return form.StatusBarPanel3;
    case 4: return form.StatusBarPanel4;
    case 5: return form.StatusBarPanel5;
    default: return nullptr;
    }
}

} // namespace

QString TMainForm::StatusPanelText(int Index) const
{
    const TRCPanel* p = NumberedPanel(*this, Index);
    return p ? p->Caption() : QString();
}

QString TMainForm::StatusPanelHint(int Index) const
{
    const TRCPanel* p = NumberedPanel(*this, Index);
    return p ? p->toolTip() : QString();
}

void TMainForm::UpdateStatusBar()
{
    StatusBarPanel1->SetCaption(QString());
    StatusBarPanel2->SetCaption(QString());
    StatusBarPanel3->SetCaption(QString());
    const TApplicationType role = FModules->DM()->ApplicationType();
    int widths[4] = {110, 0, 0, 0};
    QString text = QStringLiteral(" Local");
    int shapeLeft = ConnectShape->x();
    switch (role) {
    case isLocal: break;
    case isLocalAndRemoteServer:
        widths[0] = 120;
        widths[3] = 200;
        text = QStringLiteral(" Local/Server");
        shapeLeft = 98;
        break;
    case isRemoteServer:
        widths[0] = 190;
        widths[3] = 200;
        text = QStringLiteral(" Server");
        break;
    case isRemoteClient:
        widths[0] = 138;
        widths[1] = 58;
        widths[2] = 68;
        widths[3] = 80;
        text = QStringLiteral(" Client");
        shapeLeft = 116;
        break;
    }
    for (int i = 0; i < 4; ++i)
        SetStatusPanel(i, widths[i]);
    StatusBarPanel0->SetCaption(text);
    ConnectShape->move(shapeLeft, ConnectShape->y());
    ConnectShape->setVisible(role != isLocal);
    const bool client = role == isRemoteClient;
    for (TRCSpeedButton* b : {AudioConnectButton, TransmitButton, ChannelLeftButton, ChannelRightButton})
        b->setVisible(client);
}

// --- View modes --------------------------------------------------------------------------------

int TMainForm::PanelLeftWidth(TTransceiver model)
{
    return FT2000Size(model) ? 1025 : 1154;
}

int TMainForm::PageControl1Height(TTransceiver model)
{
    return FT2000Size(model) ? 482 : 511;
}

int TMainForm::MinimumFormWidth(TTransceiver model)
{
    return FT2000Size(model) ? 1032 : 1162;
}

int TMainForm::BaseFormHeight(TTransceiver model)
{
    return FT2000Size(model) ? 549 : 578;
}

int TMainForm::BottomAllowance() const
{
    const TDMApplication* app = FModules->Application();
    for (const TPanelPosition* p : {&app->PositionMessages(), &app->PositionCW(), &app->PositionLog(),
                                    &app->PositionRTTY(), &app->PositionRCM(), &app->PositionRotator()}) {
        if (p->Visible)
            return PanelStripHeight;
    }
    return 0;
}

QTabWidget* TMainForm::TargetPageControl() const
{
    return FModules->Application()->CompactView() != 0 ? PageControl1 : PageControl2;
}

void TMainForm::MoveSheets(QTabWidget* Target)
{
    const QList<QWidget*> sheets = {TabSheetDXCluster, TabSheetDXSpots,       TabSheetBandmap,   TabSheetLog,
                                    TabSheetLogStatistics, TabSheetRTTY, TabSheetCATMonitor};
    QTabWidget* source = Target == PageControl1 ? PageControl2 : PageControl1;
    for (QWidget* sheet : sheets) {
        const int index = source->indexOf(sheet);
        if (index < 0)
            continue;
        const QString caption = source->tabText(index);
        const bool shown = source->isTabVisible(index);
        source->removeTab(index);
        const int added = Target->addTab(sheet, caption);
        Target->setTabVisible(added, shown);
    }
    // A page control without pages shows only its empty frame.
    PageControl2->setVisible(PageControl2->count() > 0);
}

void TMainForm::ApplySizeLimits(int MinWidth, int MaxWidth, int MinHeight, int MaxHeight)
{
    // Unchanged limits are not handed to the window system again.
    if (minimumSize() != QSize(MinWidth, MinHeight))
        setMinimumSize(MinWidth, MinHeight);
    if (maximumSize() != QSize(MaxWidth, MaxHeight))
        setMaximumSize(MaxWidth, MaxHeight);
}

void TMainForm::ViewActionExecute()
{
    TDMApplication* app = FModules->Application();
    const TFTCATInterface* cat = FModules->Radio()->FTCATInterface();
    const TTransceiver model = cat->Transceiver();
    setWindowTitle(QStringLiteral("Vornix - YAESU %1 CAT & Remote Control").arg(cat->TransceiverCaption()));
    PanelLeft->setFixedWidth(PanelLeftWidth(model));
    PageControl1->setFixedHeight(PageControl1Height(model));
    const int bottom = BottomAllowance();
    const int minWidth = MinimumFormWidth(model);
    const int base = BaseFormHeight(model);
    switch (app->CompactView()) {
    case 0: {
        // The width is taken before the limits change: a resize they force must not replace it.
        const int width = isMaximized() ? ScreenWidth() : app->NormalWidth();
        MoveSheets(PageControl2);
        FlowPanel1->setVisible(true);
        ApplySizeLimits(minWidth, QWIDGETSIZE_MAX, bottom + base, QWIDGETSIZE_MAX);
        if (!isMaximized())
            resize(std::max(width, minWidth), std::max(height(), bottom + base));
        break;
    }
    case 1:
        MoveSheets(PageControl1);
        QCoreApplication::processEvents();
        PageControl1->setCurrentWidget(TabSheetTransceiver);
        PageControl1->setFocus();
        FlowPanel1->setVisible(true);
        ApplySizeLimits(minWidth, minWidth, base, QWIDGETSIZE_MAX);
        resize(minWidth, bottom + base);
        break;
    case 2:
        MoveSheets(PageControl1);
        PageControl1->setCurrentWidget(TabSheetTransceiver);
        FlowPanel1->setVisible(false);
        ApplySizeLimits(minWidth, minWidth, base, base);
        resize(minWidth, base);
        break;
    default: break;
    }
    PanelLeft->setFixedWidth(PanelLeftWidth(model));
    PageControl1->setFixedHeight(PageControl1Height(model));
    UpdatePanels();
}

void TMainForm::ViewWideActionExecute()
{
    FModules->Application()->SetCompactView(0);
    ViewActionExecute();
}

void TMainForm::ViewCompactActionExecute()
{
    FModules->Application()->SetCompactView(1);
    ViewActionExecute();
}

void TMainForm::ViewBasicActionExecute()
{
    FModules->Application()->SetCompactView(2);
    ViewActionExecute();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    TDMApplication* app = FModules->Application();
    const Qt::WindowStates special = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    // Only once the view is laid out: the placement restored before it is not a Wide width.
    if (FStagesRun >= 2 && app->CompactView() == 0 && !(windowState() & special))
        app->SetNormalWidth(event->size().width());
}

// --- Panel and action rules --------------------------------------------------------------------

void TMainForm::UpdatePanels()
{
    TDMApplication* app = FModules->Application();
    const TApplicationType role = FModules->DM()->ApplicationType();
    const bool notBasic = app->CompactView() == 0 || app->CompactView() == 1;

    FModules->AudioClient()->RAClient()->SetTransmitEnabled(FModeType == mtPhone);
    FModules->Messages()->SetModeType(FModeType);
    MessagePanel->setVisible(app->PositionMessages().Visible);
    MessagePanel->SetModeType(FModeType);
    CWPanel->SetApplicationType(role);
    CWPanel->setVisible(app->PositionCW().Visible && notBasic);
    const bool cw = !CWPanel->isHidden();
    for (QAction* a : {CWSpeedAction, CWSpeedDownAction, CWSpeedUpAction, CWBuffer1Action, CWBuffer2Action,
                       CWKeyboardAction})
        a->setEnabled(cw);
    LogPanel->setVisible(app->PositionLog().Visible && notBasic);
    LogWindowAction->setChecked(!LogPanel->isHidden());
    RTTYPanelAction->setVisible(FModules->RTTY()->UseMMTTYEngine());
    RTTYPanel->setVisible(app->PositionRTTY().Visible && notBasic);
    RTTYPanelAction->setChecked(!RTTYPanel->isHidden());
    RTTYMenuAction->setVisible(!RTTYPanel->isHidden());
    RCMPanel->setVisible(role == isRemoteClient && app->PositionRCM().Visible);
    RCMPanelAction->setEnabled(role == isRemoteClient);
    RCMPanelAction->setChecked(!RCMPanel->isHidden());
    YaesuRotatorPanel->setVisible(app->PositionRotator().Visible && notBasic);
    YaesuRotatorAction->setChecked(!YaesuRotatorPanel->isHidden() && notBasic);
    YaesuRotatorPanel->SetTimer(!YaesuRotatorPanel->isHidden());
    YaesuRotatorPanel->SetPushAndHold(app->RotorPushAndHold());
    MICW->menuAction()->setEnabled(cw);
    ClearAction->setEnabled(true);
    FModules->Playback()->UpdatePlaybackActions();
    MessagePanelAction->setChecked(!MessagePanel->isHidden());
    switch (FModeType) {
    case mtCW:
        MessagePanelAction->setText(QStringLiteral("CW Messages"));
        MessagePanel->setEnabled(true);
        CWPanelAction->setChecked(!CWPanel->isHidden());
        // The CW keyboard stays out of the Basic view.
        CWPanel->setVisible(app->PositionCW().Visible && notBasic);
        break;
    case mtPhone:
        MessagePanelAction->setText(QStringLiteral("DVK Messages"));
        MessagePanel->setEnabled(app->PositionMessages().Use);
        break;
    case mtDigital:
        MessagePanelAction->setText(QStringLiteral("RTTY Messages"));
        MessagePanelAction->setEnabled(true);
        MessagePanel->setEnabled(true);
        break;
    case mtAll: break;
    }
    FlexControlAction->setVisible(FModules->FlexControl()->UseFlexControl());
    const TTransceiver model = FModules->Radio()->FTCATInterface()->Transceiver();
    TransceiverMenuAction->setEnabled(model != FT950);
    TDMLog* log = FModules->Log();
    const TLoTWInterface* lotw = log->LogInterface()->LoTWInterface();
    const bool account = lotw && !lotw->LoTWUsername().isEmpty() && !lotw->LoTWPassword().isEmpty();
    log->LoTWDownloadAction->setEnabled(account);
}

// --- Panel toggles -----------------------------------------------------------------------------

bool TMainForm::TogglePanel(QWidget* Panel, QAction* Action, const TPanelPosition& (TDMApplication::*Get)() const,
                            void (TDMApplication::*Set)(const TPanelPosition&))
{
    const bool visible = Panel->isHidden();
    Panel->setVisible(visible);
    Action->setChecked(visible);
    // A copy is changed, so the record's index and use flag stay.
    TDMApplication* app = FModules->Application();
    TPanelPosition p = (app->*Get)();
    p.Visible = visible;
    (app->*Set)(p);
    return visible;
}

void TMainForm::CWPanelActionExecute()
{
    TogglePanel(CWPanel, CWPanelAction, &TDMApplication::PositionCW, &TDMApplication::SetPositionCW);
    UpdatePanels();
}

void TMainForm::LogWindowActionExecute()
{
    TogglePanel(LogPanel, LogWindowAction, &TDMApplication::PositionLog, &TDMApplication::SetPositionLog);
    UpdatePanels();
}

void TMainForm::MessagePanelActionExecute()
{
    TogglePanel(MessagePanel, MessagePanelAction, &TDMApplication::PositionMessages,
                &TDMApplication::SetPositionMessages);
}

void TMainForm::RTTYPanelActionExecute()
{
    RTTYMenuAction->setVisible(
        TogglePanel(RTTYPanel, RTTYPanelAction, &TDMApplication::PositionRTTY, &TDMApplication::SetPositionRTTY));
}

void TMainForm::RCMPanelActionExecute()
{
    TogglePanel(RCMPanel, RCMPanelAction, &TDMApplication::PositionRCM, &TDMApplication::SetPositionRCM);
}

void TMainForm::YaesuRotatorActionExecute()
{
    YaesuRotatorPanel->SetTimer(TogglePanel(YaesuRotatorPanel, YaesuRotatorAction, &TDMApplication::PositionRotator,
                                            &TDMApplication::SetPositionRotator));
    FModules->Application()->SetRotorPushAndHold(YaesuRotatorPanel->PushAndHold());
}

void TMainForm::PlaybackWindowActionExecute()
{
    if (!PlaybackForm)
        return;
    TDMApplication* app = FModules->Application();
    TPanelPosition p = app->PositionPlayBack();
    PlaybackForm->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    PlaybackForm->move(p.Width, p.Height);
    for (int n = 1; n <= TDMPlayback::ChannelCount; ++n)
        PlaybackForm->Button(n)->setDefaultAction(FModules->Playback()->PlaybackAction(n));
    PlaybackForm->show();
    PlaybackWindowAction->setChecked(true);
    p.Visible = true;
    app->SetPositionPlayBack(p);
}

void TMainForm::CATMonitorActionExecute()
{
    const bool on = CATMonitorAction->isChecked();
    QTabWidget* target = TargetPageControl();
    if (on) {
        target->setTabVisible(target->indexOf(TabSheetCATMonitor), true);
        target->setCurrentWidget(TabSheetCATMonitor);
        return;
    }
    if (FModules->Application()->CompactView() != 0)
        PageControl1->setCurrentWidget(TabSheetTransceiver);
    else
        PageControl2->setCurrentWidget(TabSheetDXCluster);
    target->setTabVisible(target->indexOf(TabSheetCATMonitor), false);
}

void TMainForm::ShowTabSheet(QWidget* Sheet, bool Focus)
{
    QTabWidget* target = TargetPageControl();
    if (target->indexOf(Sheet) < 0)
        return;
    target->setCurrentWidget(Sheet);
    if (Focus)
        Sheet->setFocus();
}
