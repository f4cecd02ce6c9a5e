// The entry panel's controls, layouts and input rules.  Lookups and radio following are in
// LogPanelLookups.cpp, logging and editing in LogPanelLogging.cpp.
#include "log/widgets/LogPanel.h"

#include "controls/widgets/PanelLook.h"
#include "controls/widgets/Shape.h"
#include "dx/DXSpotTypes.h"
#include "log/widgets/LogPanelControls.h"
#include "log/widgets/LogPanelLinks.h"
#include "log/widgets/LogPanelRules.h"
#include "platform/Clock.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <map>

using namespace vx::logpanel;

namespace {

using vx::look::Silver;
const QColor EnteredLabel = vx::look::FocusYellow;
const QColor PathInfoColor(0, 255, 153);
const QColor MessageColor(255, 255, 153);
const QColor ShapeGrey(128, 128, 128);

constexpr int EditHeight = 21;
constexpr int LabelHeight = 13;
constexpr int CallWidthRealTime = 162;
constexpr int CallWidthManual = 113;

using vx::look::SetTextColor;

// Labels are a size smaller than the fields, so that DejaVu Sans (wider than the faces the
// layout was made for) keeps neighbouring captions apart.
constexpr int LabelPixels = 10;

// The largest label font in which the caption fits a box of fixed width.
QFont LabelFontFor(const QString& caption, int width)
{
    QFont f = vx::look::Font(LabelPixels);
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(caption) > width)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

// A key filter whose rule depends on how much the field holds already.
std::function<bool(QChar&)> ByLength(const TEntryEdit* edit, TKeyResult (*rule)(QChar, int))
{
    return [edit, rule](QChar& c) {
        const TKeyResult r = rule(c, int(edit->text().size()));
        c = r.value_or(c);
        return r.has_value();
    };
}

bool IsExitOrEnter(const QFocusEvent* e)
{
    // Opening a drop-down list or switching windows does not leave the field.
    return e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

// ---- Options -------------------------------------------------------------------------------

TLogOptions::TLogOptions(TLogPanel* owner)
    : FOwner(owner)
{
}

void TLogOptions::SetLoggingMode(TLoggingMode Value)
{
    if (Value == FLoggingMode)
        return;
    FLoggingMode = Value;
    FOwner->ApplyLoggingMode();
}

void TLogOptions::SetNumbersOnlySerialRX(bool Value)
{
    if (Value == FNumbersOnlySerialRX)
        return;
    FNumbersOnlySerialRX = Value;
    FOwner->SetNumbersOnly(FOwner->SRXEdit, Value);
}

void TLogOptions::SetNumbersOnlySerialTX(bool Value)
{
    if (Value == FNumbersOnlySerialTX)
        return;
    FNumbersOnlySerialTX = Value;
    FOwner->SetNumbersOnly(FOwner->STXEdit, Value);
}

void TLogOptions::SetIncrementSerialNumbersTX(bool Value)
{
    const bool contest = FLoggingMode == lmContest;
    const TContest* c = FOwner->Contest();
    if (Value != FIncrementSerialNumbersTX) {
        FIncrementSerialNumbersTX = Value;
        if (contest && Value && c)
            FOwner->STXEdit->setText(c->NextSerialNumberAsString());
    }
    if (contest && !FIncrementSerialNumbersTX && c)
        FOwner->STXEdit->setText(c->LastSerialNumber());
}

void TLogOptions::SetNextSerialNumber(uint32_t Value)
{
    if (Value == FNextSerialNumber)
        return;
    FNextSerialNumber = Value;
    const TContest* c = FOwner->Contest();
    if (FLoggingMode == lmContest && FIncrementSerialNumbersTX && c)
        FOwner->STXEdit->setText(c->NextSerialNumberAsString());
}

// ---- Construction --------------------------------------------------------------------------

TLogPanel::TLogPanel(QWidget* parent)
    : TRCPanel(parent)
    , FLogOptions(std::make_unique<TLogOptions>(this))
    , FSpot(std::make_unique<TSpot>())
{
    setObjectName(QStringLiteral("LogPanel"));
    SetColor(vx::look::PanelGrey);
    SetShowCaption(false);
    setFixedSize(PanelWidth, PanelHeight);
    setFont(vx::look::Font());
    CreateControls();
    FillLists();
    UTCTimer = new vx::Timer(1000, FRealTimeLogging, this);
    UTCTimer->OnTimer = [this] { UTCTimerTimer(); };
}

TLogPanel::~TLogPanel()
{
    UnhookLog();
    UnhookSpots();
    UnhookCallbook();
    // The children go after this object's own part: nothing of theirs may call back into it.
    for (QObject* child : findChildren<QObject*>()) {
        child->removeEventFilter(this);
        QObject::disconnect(child, nullptr, this, nullptr);
    }
    delete UTCTimer;
    UTCTimer = nullptr;
}

QLabel* TLogPanel::AddLabel(const char* name, const QString& caption, int left, int top, int width)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    SetTextColor(label, Silver);
    if (width < 0) {
        label->setFont(vx::look::Font(LabelPixels));
        label->adjustSize();
        label->move(left, top);
    } else {
        label->setFont(LabelFontFor(QString(caption).remove(QLatin1Char('&')), width));
        label->setGeometry(left, top, width, LabelHeight);
    }
    return label;
}

TEntryEdit* TLogPanel::AddEdit(const char* name, int left, int top, int width, int maxLength, int tabOrder,
                               bool tabStop, bool upperCase)
{
    auto* edit = new TEntryEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, EditHeight);
    edit->setMaxLength(maxLength);
    edit->SetUpperCase(upperCase);
    edit->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    edit->setProperty("tabOrder", tabOrder);
    edit->installEventFilter(this);
    return edit;
}

QComboBox* TLogPanel::AddList(const char* name, int left, int top, int width, int tabOrder)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(left, top, width, EditHeight);
    list->setEditable(false);
    list->setFocusPolicy(Qt::ClickFocus);
    list->setProperty("tabOrder", tabOrder);
    list->installEventFilter(this);
    return list;
}

void TLogPanel::Pair(QWidget* field, QLabel* label)
{
    FLabelOf.insert(field, label);
}

void TLogPanel::CreateControls()
{
    CallEdit = AddEdit("CallEdit", 8, 18, CallWidthRealTime, 16, 0, true, true);
    CallEdit->SetAutoSelect(false);
    CallEdit->KeyFilter = [this](QChar& c) { return CallEditKey(c); };
    LabelCall = AddLabel("LabelCall", QStringLiteral("&Call"), 11, 4);
    LabelCall->setBuddy(CallEdit);
    Pair(CallEdit, LabelCall);

    // Long path texts ("359° 20015 km") are drawn smaller so that the box holds them.
    LabelPathInfo = new TFitLabel(8, LabelPixels, this);
    LabelPathInfo->setObjectName(QStringLiteral("LabelPathInfo"));
    LabelPathInfo->setGeometry(102, 4, 66, LabelHeight);
    LabelPathInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColor(LabelPathInfo, PathInfoColor);

    LabelDateTime = AddLabel("LabelDateTime", QString(), 182, 23);
    LabelDateTime->setMinimumWidth(96);

    LabelDate = AddLabel("LabelDate", QStringLiteral("Date"), 130, 4);
    LabelDate->hide();
    DateEdit = new QDateEdit(this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setGeometry(127, 18, 93, EditHeight);
    DateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateEdit->setCalendarPopup(true);
    DateEdit->setTimeSpec(Qt::UTC);
    DateEdit->setFocusPolicy(Qt::ClickFocus);
    DateEdit->setProperty("tabOrder", 1);
    DateEdit->installEventFilter(this);
    DateEdit->hide();
    Pair(DateEdit, LabelDate);

    LabelUTC = AddLabel("LabelUTC", QStringLiteral("UTC"), 229, 4);
    LabelUTC->hide();
    UTCEdit = new QTimeEdit(this);
    UTCEdit->setObjectName(QStringLiteral("UTCEdit"));
    UTCEdit->setGeometry(227, 18, 50, EditHeight);
    UTCEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    UTCEdit->setTimeSpec(Qt::UTC);
    UTCEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    UTCEdit->setFocusPolicy(Qt::ClickFocus);
    UTCEdit->setProperty("tabOrder", 2);
    UTCEdit->installEventFilter(this);
    UTCEdit->hide();
    Pair(UTCEdit, LabelUTC);

    LogQSOButton = new QPushButton(QStringLiteral("Log QSO"), this);
    LogQSOButton->setObjectName(QStringLiteral("LogQSOButton"));
    LogQSOButton->setGeometry(282, 16, 61, 25);
    LogQSOButton->setFocusPolicy(Qt::StrongFocus);
    LogQSOButton->setProperty("tabOrder", 99);
    connect(LogQSOButton, &QPushButton::clicked, this, [this] {
        if (FLogQSOAction)
            FLogQSOAction->trigger();
    });

    LabelRSTSent = AddLabel("LabelRSTSent", QStringLiteral("RST sent"), 11, 39);
    RSTsEdit = AddEdit("RSTsEdit", 8, 53, 43, 4, 4, true, true);
    RSTsEdit->KeyFilter = [this](QChar& c) { return RSTEditKey(c); };
    Pair(RSTsEdit, LabelRSTSent);
    LabelSTX = AddLabel("LabelSTX", QStringLiteral("Ser TX"), 60, 39);
    LabelSTX->hide();
    STXEdit = AddEdit("STXEdit", 57, 53, 43, 10, 5, true, true);
    STXEdit->KeyFilter = [this](QChar& c) { return SerialEditKey(c, true); };
    STXEdit->hide();
    Pair(STXEdit, LabelSTX);
    LabelRSTRcvd = AddLabel("LabelRSTRcvd", QStringLiteral("RST rcvd"), 60, 39);
    RSTrEdit = AddEdit("RSTrEdit", 57, 53, 43, 4, 6, true, true);
    RSTrEdit->KeyFilter = [this](QChar& c) { return RSTEditKey(c); };
    Pair(RSTrEdit, LabelRSTRcvd);
    for (TEntryEdit* rst : {RSTsEdit, RSTrEdit}) {
        rst->setText(QStringLiteral("599"));
        rst->SetAutoSelect(false);
        // Entering the field selects the middle digit: a typed digit replaces the strength.
        rst->SetSavedSelection(1, 1);
    }
    LabelSRX = AddLabel("LabelSRX", QStringLiteral("Ser RX"), 180, 39);
    LabelSRX->hide();
    SRXEdit = AddEdit("SRXEdit", 177, 53, 43, 10, 7, true, true);
    SRXEdit->KeyFilter = [this](QChar& c) { return SerialEditKey(c, false); };
    SRXEdit->hide();
    Pair(SRXEdit, LabelSRX);

    QRZButton = new QToolButton(this);
    QRZButton->setObjectName(QStringLiteral("QRZButton"));
    QRZButton->setGeometry(125, 55, 61, 22);
    QRZButton->setFocusPolicy(Qt::NoFocus);
    QRZButton->hide();
    connect(QRZButton, &QToolButton::clicked, this, [this] { DoQRZButtonClick(); });
    QRZInfoButton = new QToolButton(this);
    QRZInfoButton->setObjectName(QStringLiteral("QRZInfoButton"));
    QRZInfoButton->setText(QStringLiteral("Info"));
    QRZInfoButton->setGeometry(188, 55, 33, 22);
    QRZInfoButton->setFocusPolicy(Qt::NoFocus);
    QRZInfoButton->setEnabled(false);
    QRZInfoButton->hide();
    connect(QRZInfoButton, &QToolButton::clicked, this, [this] { DoQRZInfoButtonClick(); });
    QRZInfoShape = new TShape(this);
    QRZInfoShape->setObjectName(QStringLiteral("QRZInfoShape"));
    QRZInfoShape->setGeometry(190, 79, 29, 4);
    QRZInfoShape->SetBrushColor(ShapeGrey);
    QRZInfoShape->hide();

    LabelLocator = AddLabel("LabelLocator", QStringLiteral("Grid Loc."), 229, 39);
    LocatorEdit = AddEdit("LocatorEdit", 227, 53, 50, 6, 8, true, false);
    LocatorEdit->KeyFilter = ByLength(LocatorEdit, LocatorKey);
    Pair(LocatorEdit, LabelLocator);
    LabelBand = AddLabel("LabelBand", QStringLiteral("Band"), 286, 39, 24);
    BandEdit = AddList("BandEdit", 282, 53, 61, 9);
    Pair(BandEdit, LabelBand);

    LabelComment = AddLabel("LabelComment", QStringLiteral("Comments"), 11, 74);
    CommentEdit = AddEdit("CommentEdit", 8, 88, 212, 60, 10, true, false);
    Pair(CommentEdit, LabelComment);
    LabelMode = AddLabel("LabelMode", QStringLiteral("Mode"), 229, 74, 26);
    ModeEdit = AddList("ModeEdit", 227, 88, 50, 11);
    Pair(ModeEdit, LabelMode);
    LabelSubMode = AddLabel("LabelSubMode", QStringLiteral("Submode"), 286, 74);
    SubModeEdit = AddList("SubModeEdit", 282, 88, 61, 12);
    Pair(SubModeEdit, LabelSubMode);

    LabelName = AddLabel("LabelName", QStringLiteral("Nam&e"), 11, 109);
    NameEdit = AddEdit("NameEdit", 8, 123, 91, 40, 13, true, false);
    LabelName->setBuddy(NameEdit);
    Pair(NameEdit, LabelName);
    LabelQTH = AddLabel("LabelQTH", QStringLiteral("QTH"), 108, 109);
    QTHEdit = AddEdit("QTHEdit", 104, 123, 116, 60, 14, true, false);
    Pair(QTHEdit, LabelQTH);
    LabelIOTA = AddLabel("LabelIOTA", QStringLiteral("IOTA"), 229, 109, 24);
    IOTAEdit = AddEdit("IOTAEdit", 227, 123, 50, 6, 15, false, true);
    IOTAEdit->KeyFilter = ByLength(IOTAEdit, IOTAKey);
    Pair(IOTAEdit, LabelIOTA);
    LabelUSState = AddLabel("LabelUSState", QStringLiteral("US State"), 286, 109);
    USStateEdit = AddList("StateEdit", 282, 123, 61, 16);
    Pair(USStateEdit, LabelUSState);

    LabelQSLInfo = AddLabel("LabelQSLInfo", QStringLiteral("&QSL Info"), 11, 144);
    QSLInfoEdit = AddEdit("QSLInfoEdit", 8, 158, 91, 20, 17, false, true);
    LabelQSLInfo->setBuddy(QSLInfoEdit);
    Pair(QSLInfoEdit, LabelQSLInfo);
    LabelPropMode = AddLabel("LabelPropMode", QStringLiteral("Prop Mode"), 107, 144);
    PropModeEdit = AddList("PropModeEdit", 104, 158, 173, 18);
    Pair(PropModeEdit, LabelPropMode);
    QRZLoTWShape = new TShape(this);
    QRZLoTWShape->setObjectName(QStringLiteral("QRZLoTWShape"));
    QRZLoTWShape->setGeometry(79, 151, 18, 4);
    QRZLoTWShape->SetBrushColor(ShapeGrey);
    QRZLoTWShape->SetHint(QStringLiteral("LoTW User"));
    QRZLoTWShape->hide();
    LabelCQZone = AddLabel("LabelCQZone", QStringLiteral("CQ Zone"), 286, 144);
    CQZoneEdit = AddList("CQZEdit", 282, 158, 61, 19);
    Pair(CQZoneEdit, LabelCQZone);

    LabelDXCC = AddLabel("LabelDXCC", QStringLiteral("DXCC Entity"), 11, 179);
    DXCCEdit = AddList("DXCCEdit", 8, 193, 269, 20);
    Pair(DXCCEdit, LabelDXCC);
    LabelRegionInfo = new TFitLabel(8, LabelPixels, this);
    LabelRegionInfo->setObjectName(QStringLiteral("LabelRegionInfo"));
    LabelRegionInfo->setGeometry(107, 179, 160, LabelHeight);
    SetTextColor(LabelRegionInfo, Silver);
    LabelRegionInfo->setFont(vx::look::Font(LabelPixels));
    LabelContinent = AddLabel("LabelContinent", QStringLiteral("Continent"), 286, 179);
    ContinentEdit = AddList("ContEdit", 282, 193, 61, 21);
    Pair(ContinentEdit, LabelContinent);

    LogEventPanel = new TRCPanel(this);
    LogEventPanel->setObjectName(QStringLiteral("LogEventPanel"));
    LogEventPanel->setGeometry(8, 222, 268, 18);
    LogEventPanel->SetShowCaption(false);
    LogEventPanel->SetBevelOuter(bvNone);
    LogEventPanel->SetBevelInner(bvLowered);
    // One size for every message; one too long for the line ends in an ellipsis and is whole
    // in the hint.
    LogEventLabel = new TFitLabel(10, 10, LogEventPanel);
    LogEventLabel->setObjectName(QStringLiteral("LogEventLabel"));
    LogEventLabel->setGeometry(4, 2, 262, 14);
    SetTextColor(LogEventLabel, MessageColor);

    // The QSL flag lists share the bottom row with the message line.
    const auto qslPair = [this](const char* name, const char* labelName, const QString& caption, int labelLeft,
                                int listLeft, int tabOrder, QLabel*& label, QComboBox*& list) {
        label = AddLabel(labelName, caption, labelLeft, 214);
        label->hide();
        list = AddList(name, listLeft, 228, 37, tabOrder);
        list->hide();
        Pair(list, label);
    };
    qslPair("QSLsEdit", "LabelQSLSent", QStringLiteral("Q sent"), 11, 8, 22, LabelQSLSent, QSLSentEdit);
    qslPair("QSLrEdit", "LabelQSLRcvd", QStringLiteral("Q rcvd"), 54, 51, 23, LabelQSLRcvd, QSLRcvdEdit);
    qslPair("LoTWQSLsEdit", "LabelQSLLoTWSent", QStringLiteral("LoTW s"), 107, 104, 24, LabelQSLLoTWSent, QSLLoTWSentEdit);
    qslPair("LoTWQSLrEdit", "LabelQSLLoTWRcvd", QStringLiteral("LoTW r"), 150, 147, 25, LabelQSLLoTWRcvd, QSLLoTWRcvdEdit);
    qslPair("QSLeQSLSentEdit", "LabelQSLeQSLSent", QStringLiteral("eQSL s"), 200, 197, 26, LabelQSLeQSLSent, QSLeQSLSentEdit);
    qslPair("QSLeQSLRcvdEdit", "LabelQSLeQSLRcvd", QStringLiteral("eQSL r"), 243, 240, 27, LabelQSLeQSLRcvd, QSLeQSLRcvdEdit);

    RealTimeCheckBox = new QCheckBox(QStringLiteral("real-time"), this);
    RealTimeCheckBox->setObjectName(QStringLiteral("RealTimeCheckBox"));
    RealTimeCheckBox->setGeometry(282, 224, 105, 17);
    RealTimeCheckBox->setToolTip(QStringLiteral("real-time logging"));
    RealTimeCheckBox->setFocusPolicy(Qt::ClickFocus);
    RealTimeCheckBox->setProperty("tabOrder", 28);
    RealTimeCheckBox->setChecked(true);
    RealTimeCheckBox->setFont(vx::look::Font(LabelPixels));
    // Only the caption: the box keeps its dark tick on white.
    QPalette boxPalette = RealTimeCheckBox->palette();
    boxPalette.setColor(QPalette::WindowText, Silver);
    RealTimeCheckBox->setPalette(boxPalette);
    connect(RealTimeCheckBox, &QCheckBox::clicked, this, [this] { RealTimeCheckBoxClick(); });

    // Handlers.
    for (TEntryEdit* e : {CallEdit, RSTsEdit, RSTrEdit, STXEdit, SRXEdit, NameEdit})
        connect(e, &QLineEdit::textChanged, this, [this, e] { EntryFieldChange(e); });
    connect(LocatorEdit, &QLineEdit::textChanged, this, [this] { LocatorEditChange(); });
    connect(BandEdit, &QComboBox::activated, this, [this] { BandEditChange(); });
    connect(ModeEdit, &QComboBox::activated, this, [this] { ModeEditChange(); });
    connect(DXCCEdit, &QComboBox::activated, this, [this] { DXCCEditChange(); });
    connect(USStateEdit, &QComboBox::activated, this, [this] { USStateEditChange(); });

    // Tab order by the numbers of the fields; fields without a tab stop take the focus only
    // when clicked.
    std::map<int, QWidget*> order;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant n = w->property("tabOrder");
        if (n.isValid())
            order.emplace(n.toInt(), w);
    }
    QWidget* previous = nullptr;
    for (const auto& [n, w] : order) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

void TLogPanel::FillLists()
{
    for (const char* band : BandNames)
        BandEdit->addItem(QLatin1String(band));
    BandEdit->setCurrentIndex(bd40);
    BandEdit->setMaxVisibleItems(11);

    for (const char* mode : QSOModeNames)
        ModeEdit->addItem(QLatin1String(mode));
    ModeEdit->setCurrentIndex(mCW);
    SubModeEdit->addItem(QString());

    for (const char* prop : PropModeDescriptions)
        PropModeEdit->addItem(QLatin1String(prop));
    PropModeEdit->setCurrentIndex(0);

    for (const char* cont : ContinentNames)
        ContinentEdit->addItem(QLatin1String(cont));
    ContinentEdit->setCurrentIndex(0);

    USStateEdit->addItem(QString());
    for (const char* state : USStateCodes)
        USStateEdit->addItem(QLatin1String(state));
    USStateEdit->setCurrentIndex(0);
    USStateEdit->setMaxVisibleItems(20);

    CQZoneEdit->addItem(QString());
    for (int zone = 1; zone <= 40; ++zone)
        CQZoneEdit->addItem(QString::number(zone).rightJustified(2, QLatin1Char('0')));
    CQZoneEdit->setCurrentIndex(0);
    CQZoneEdit->setMaxVisibleItems(20);
    DXCCEdit->setMaxVisibleItems(25);

    const QString sentHint = QStringLiteral(" N - no, Y - yes, R - requested, I - ignore or invalid, Q - queued");
    const QString rcvdHint = QStringLiteral(" N - no, Y - yes, R - requested, I - ignore or invalid");
    for (QComboBox* sent : {QSLSentEdit, QSLLoTWSentEdit, QSLeQSLSentEdit}) {
        sent->addItems({QStringLiteral("N"), QStringLiteral("Y"), QStringLiteral("R"), QStringLiteral("I"),
                        QStringLiteral("Q")});
        sent->setToolTip(sentHint);
    }
    for (QComboBox* rcvd : {QSLRcvdEdit, QSLLoTWRcvdEdit, QSLeQSLRcvdEdit}) {
        rcvd->addItems({QStringLiteral("N"), QStringLiteral("Y"), QStringLiteral("R"), QStringLiteral("I")});
        rcvd->setToolTip(rcvdHint);
    }
    // A dropped-down list is as wide as its longest item, whatever the width of its box.
    for (QComboBox* list : findChildren<QComboBox*>())
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
}

// ---- Focus, layouts ------------------------------------------------------------------------

bool TLogPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto* field = qobject_cast<QWidget*>(watched);
        if (field && IsExitOrEnter(static_cast<QFocusEvent*>(event))) {
            if (event->type() == QEvent::FocusIn) {
                EntryFieldEnter(field);
            } else if (field == IOTAEdit) {
                IOTAEditExit();
            } else {
                EntryFieldExit(field);
            }
        }
    }
    return TRCPanel::eventFilter(watched, event);
}

bool TLogPanel::focusNextPrevChild(bool next)
{
    // Tab from the Log QSO button goes back to the call field, not out of the panel.
    if (next && LogQSOButton->hasFocus()) {
        CallEdit->setFocus(Qt::TabFocusReason);
        return true;
    }
    return TRCPanel::focusNextPrevChild(next);
}

void TLogPanel::EntryFieldEnter(QWidget* field)
{
    if (QLabel* label = FLabelOf.value(field))
        SetTextColor(label, EnteredLabel);
}

void TLogPanel::EntryFieldExit(QWidget* field)
{
    if (QLabel* label = FLabelOf.value(field))
        SetTextColor(label, Silver);
    if ((field == RSTsEdit || field == RSTrEdit) && IsJTMode(ModeEdit->currentText(), SubModeEdit->currentText())) {
        auto* rst = static_cast<TEntryEdit*>(field);
        rst->setText(JTReport(rst->text()));
    }
    UpdateActions();
}

void TLogPanel::IOTAEditExit()
{
    IOTAEdit->setText(IOTAOnExit(IOTAEdit->text()));
    EntryFieldExit(IOTAEdit);
}

bool TLogPanel::ContestMode() const
{
    return FLogOptions->LoggingMode() == lmContest;
}

bool TLogPanel::EditMode() const
{
    return FLogInterface && FLogInterface->EditMode();
}

TContest* TLogPanel::Contest() const
{
    return FLogInterface ? &FLogInterface->Contest() : nullptr;
}

void TLogPanel::ApplyLoggingMode()
{
    const bool contest = ContestMode();
    for (QWidget* w : {static_cast<QWidget*>(LabelSRX), static_cast<QWidget*>(SRXEdit),
                       static_cast<QWidget*>(LabelSTX), static_cast<QWidget*>(STXEdit)})
        w->setVisible(contest);
    for (QWidget* w : std::initializer_list<QWidget*>{LabelComment, CommentEdit, LabelName, NameEdit, LabelQTH, QTHEdit,
                                                      LabelSubMode, SubModeEdit, LabelQSLInfo, QSLInfoEdit,
                                                      LabelPropMode, PropModeEdit, LabelIOTA, IOTAEdit})
        w->setVisible(!contest);
    UpdateCallbookControls();
    if (contest) {
        LabelRSTRcvd->move(130, 39);
        RSTrEdit->move(127, 53);
        LabelMode->move(LabelBand->x(), LabelMode->y());
        ModeEdit->setGeometry(BandEdit->x(), ModeEdit->y(), BandEdit->width(), EditHeight);
    } else {
        LabelRSTRcvd->move(60, 39);
        RSTrEdit->move(57, 53);
        LabelMode->move(229, LabelMode->y());
        ModeEdit->setGeometry(227, ModeEdit->y(), 50, EditHeight);
    }
    UpdateFieldVisibility();
    update();
}

void TLogPanel::UpdateCallbookControls()
{
    // One rule for every callbook control: shown while the callbook is in use and the layout
    // is the regular one.
    const bool shown = FQRZInterface && FQRZInterface->UseQRZ() && !ContestMode();
    QRZButton->setVisible(shown);
    QRZInfoButton->setVisible(shown);
    QRZInfoShape->setVisible(shown);
    QRZLoTWShape->setVisible(shown);
}

void TLogPanel::UpdateFieldVisibility()
{
    if (!FLogInterface)
        return;
    const TLogBookColumns columns = FLogInterface->LogBookColumns();
    const bool editing = FLogInterface->EditMode();
    LabelLocator->setVisible(columns.Contains(colGrid));
    LocatorEdit->setVisible(columns.Contains(colGrid));
    LabelUSState->setVisible(columns.Contains(colUSState));
    USStateEdit->setVisible(columns.Contains(colUSState));
    LogEventPanel->setVisible(!editing);
    RealTimeCheckBox->setVisible(!editing);
    const bool flags = editing || !FRealTimeLogging;
    const auto show = [](QLabel* label, QComboBox* list, bool on) {
        label->setVisible(on);
        list->setVisible(on);
    };
    show(LabelQSLSent, QSLSentEdit, flags && columns.Contains(colQSL));
    show(LabelQSLRcvd, QSLRcvdEdit, flags && columns.Contains(colQSL));
    show(LabelQSLLoTWSent, QSLLoTWSentEdit, flags && columns.Contains(colQSLLoTW));
    show(LabelQSLLoTWRcvd, QSLLoTWRcvdEdit, flags && columns.Contains(colQSLLoTW));
    show(LabelQSLeQSLSent, QSLeQSLSentEdit, flags && columns.Contains(colQSLeQSL));
    show(LabelQSLeQSLRcvd, QSLeQSLRcvdEdit, flags && columns.Contains(colQSLeQSL));
}

void TLogPanel::ApplyRealTimeLayout(bool realTime)
{
    LabelDateTime->setVisible(realTime);
    // The date picker's caption takes the place of the path text.
    LabelPathInfo->setVisible(realTime);
    for (QWidget* w : std::initializer_list<QWidget*>{DateEdit, LabelDate, UTCEdit, LabelUTC})
        w->setVisible(!realTime);
    CallEdit->resize(realTime ? CallWidthRealTime : CallWidthManual, EditHeight);
    CallEdit->update();
}

void TLogPanel::SetRealTimeLogging(bool Value)
{
    FRealTimeLogging = Value;
    UTCTimer->setEnabled(Value);
    RealTimeCheckBox->setChecked(Value);
}

void TLogPanel::RealTimeCheckBoxClick()
{
    const bool realTime = RealTimeCheckBox->isChecked();
    SetRealTimeLogging(realTime);
    ApplyRealTimeLayout(realTime);
    if (realTime)
        SetMode(FMode);
    UpdateFieldVisibility();
}

void TLogPanel::UTCTimerTimer()
{
    if (!FLogInterface || FLogInterface->EditMode())
        return;
    const QDateTime now = vx::Clock::nowUtc();
    LabelDateTime->setText(now.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
    LabelDateTime->adjustSize();
    DateEdit->setDate(now.date());
    UTCEdit->setTime(now.time());
}

void TLogPanel::SetNumbersOnly(TEntryEdit* edit, bool on)
{
    edit->SetNumbersOnly(on);
}

// ---- Key filters ---------------------------------------------------------------------------

bool TLogPanel::CallEditKey(QChar& c)
{
    c = UpperAscii(c);
    if (c != QLatin1Char(' '))
        return IsCallCharacter(c);
    if (ContestMode()) {
        if (!SRXEdit->isHidden())
            SRXEdit->setFocus(Qt::TabFocusReason);
        return false;
    }
    // A blank after a call lets a report follow it.
    if (!IsValidCallsign())
        return false;
    if (FQRZInterface && FQRZInterface->ImmediateLookup())
        DoQRZButtonClick();
    return true;
}

bool TLogPanel::RSTEditKey(QChar& c)
{
    c = UpperAscii(c);
    if (c == QLatin1Char(' ')) {
        CallEdit->setFocus(Qt::TabFocusReason);
        return false;
    }
    return true;
}

bool TLogPanel::SerialEditKey(QChar& c, bool serialSent)
{
    if (c == QLatin1Char(' ')) {
        CallEdit->setFocus(Qt::TabFocusReason);
        return false;
    }
    const TContest* contest = Contest();
    const bool numbersOnly =
        contest && (serialSent ? contest->NumbersOnlySerialTX() : contest->NumbersOnlySerialRX());
    const TKeyResult r = SerialKey(c, numbersOnly);
    c = r.value_or(c);
    return r.has_value();
}

// ---- Mode, entity, state -------------------------------------------------------------------

void TLogPanel::ModeEditChange()
{
    const QString mode = ModeEdit->currentText();
    const bool mfskSubmode =
        mode == QLatin1String("FT4") || mode == QLatin1String("Q65") || mode == QLatin1String("JS8");
    SubModeEdit->clear();
    if (!mfskSubmode) {
        SubModeEdit->addItem(QString());
        SubModeEdit->addItems(TLogInterface::GetSubModes(mode));
    } else {
        // FT4 and Q65 are logged as mode MFSK with that submode.
        ModeEdit->setCurrentIndex(mMFSK);
        SubModeEdit->addItems(TLogInterface::GetSubModes(QStringLiteral("MFSK")));
        SubModeEdit->setCurrentIndex(SubModeEdit->findText(mode));
    }
    SubModeEdit->view()->setMinimumWidth(SubModeEdit->view()->sizeHintForColumn(0) + 24);
    if (!EditMode())
        SetModeDefaults();
    FindPreviousQSOs();
}

void TLogPanel::SetModeDefaults()
{
    const QString mode = ModeEdit->currentText();
    const auto apply = [this](const QString* text, int maxLength, bool autoSelect) {
        for (TEntryEdit* rst : {RSTsEdit, RSTrEdit}) {
            rst->setMaxLength(maxLength);
            if (text)
                rst->setText(*text);
            rst->SetAutoSelect(autoSelect);
        }
    };
    if (mode == QLatin1String("CW") || mode == QLatin1String("RTTY") || mode.startsWith(QLatin1String("PSK"))) {
        const QString text = QStringLiteral("599");
        apply(&text, 4, false);
    } else if (mode == QLatin1String("SSB")) {
        const QString text = QStringLiteral("59");
        apply(&text, 4, false);
    } else if (IsJTMode(mode, SubModeEdit->currentText())) {
        const QString text = QStringLiteral("-15");
        apply(&text, 3, true);
    } else {
        apply(nullptr, 4, false);
    }
}

bool TLogPanel::SelectDXCC(int32_t ADIFCode)
{
    if (ADIFCode == 0) {
        DXCCEdit->setCurrentIndex(DXCCEdit->count() > 0 ? 0 : -1);
        return true;
    }
    for (int i = 1; i < DXCCEdit->count(); ++i) {
        if (DXCCCodeOfItem(DXCCEdit->itemText(i)) == ADIFCode) {
            DXCCEdit->setCurrentIndex(i);
            SetStateList(ADIFCode, true);
            return true;
        }
    }
    return false;
}

void TLogPanel::SetStateList(int32_t ADIFCode, bool selectState)
{
    USStateEdit->setEnabled(ADIFCode == 6 || ADIFCode == 110 || ADIFCode == 291);
    if (!selectState)
        return;
    if (ADIFCode == 6)
        USStateEdit->setCurrentIndex(USStateEdit->findText(QStringLiteral("AK")));
    else if (ADIFCode == 110)
        USStateEdit->setCurrentIndex(USStateEdit->findText(QStringLiteral("HI")));
    else if (ADIFCode != 291)
        USStateEdit->setCurrentIndex(0);
}

void TLogPanel::DXCCEditChange()
{
    if (!FLogInterface || DXCCEdit->currentIndex() <= 0)
        return;
    if (const std::optional<int32_t> code = DXCCCodeOfItem(DXCCEdit->currentText()))
        SetStateList(*code, true);
}

void TLogPanel::USStateEditChange()
{
    if (USStateEdit->currentIndex() <= 0)
        return;
    const int zone = CQZoneOfState(USStateEdit->currentText());
    if (zone > 0 && zone < CQZoneEdit->count())
        CQZoneEdit->setCurrentIndex(zone);
}
