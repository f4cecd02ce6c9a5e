// The entry panel while the operator types: wiring, lookups of the call, previous QSOs, radio
// following, action states, callbook answers, picked spots and the spot line.
#include "log/widgets/LogPanel.h"

#include "controls/widgets/Shape.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DXSpots.h"
#include "log/widgets/LogPanelControls.h"
#include "log/widgets/LogPanelLinks.h"
#include "log/widgets/LogPanelRules.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace vx::logpanel;

namespace {

const QColor ShapeGrey(128, 128, 128);
const QColor ShapeGreen(0, 255, 0);
const QColor ShapeRed(255, 0, 0);

// Moves a list to an item when it has one of that number.
void SelectItem(QComboBox* list, int item)
{
    if (item >= 0 && item < list->count())
        list->setCurrentIndex(item);
}

} // namespace

// ---- References ----------------------------------------------------------------------------

TDXSpots* TLogPanel::DXSpots() const
{
    return FDXSpots.data();
}

void TLogPanel::SetDXSpots(TDXSpots* Value)
{
    if (Value == FDXSpots)
        return;
    UnhookSpots();
    FDXSpots = Value;
    if (!Value)
        return;
    Value->OnCallsignLookup = [this](const TDXSpot& s) { DoCallsignLookup(s); };
    Value->OnSpotDblClick = [this](const TSpot& s) { DoSpotDblClick(s); };
}

void TLogPanel::UnhookSpots()
{
    if (!FDXSpots)
        return;
    FDXSpots->OnCallsignLookup = nullptr;
    FDXSpots->OnSpotDblClick = nullptr;
}

TFTCATInterface* TLogPanel::FTCATInterface() const
{
    return FFTCATInterface.data();
}

void TLogPanel::SetFTCATInterface(TFTCATInterface* Value)
{
    FFTCATInterface = Value;
}

void TLogPanel::SetLogInterface(TLogInterface* Value)
{
    if (Value == FLogInterface)
        return;
    UnhookLog();
    FLogInterface = Value;
    if (!Value)
        return;
    Value->OnEditMode = [this](bool v) { DoEditMode(v); };
    Value->OnLogEvent = [this](const QString& t) { DoLogEvent(t); };
    Value->OnLoggingMode = [this](TLoggingMode m) { FLogOptions->SetLoggingMode(m); };
    Value->OnIncrementSerialNumbersTX = [this](bool v) { FLogOptions->SetIncrementSerialNumbersTX(v); };
    Value->OnLogInfo = [this](const TLogInfo& i) { DoLogInfo(i); };
    Value->OnNumbersOnlySerialRX = [this](bool v) { FLogOptions->SetNumbersOnlySerialRX(v); };
    Value->OnNumbersOnlySerialTX = [this](bool v) { FLogOptions->SetNumbersOnlySerialTX(v); };
    Value->OnInitializeFields = [this] { UpdateFieldVisibility(); };
    // A call typed before the log was named or changed is judged against the log now set.
    Value->OnLogOpen = [this] { UpdateActions(); };
    // Show the columns the log has already.
    UpdateFieldVisibility();
}

void TLogPanel::UnhookLog()
{
    if (!FLogInterface)
        return;
    TLogInterface& log = *FLogInterface;
    log.OnEditMode = nullptr;
    log.OnLogEvent = nullptr;
    log.OnLoggingMode = nullptr;
    log.OnIncrementSerialNumbersTX = nullptr;
    log.OnLogInfo = nullptr;
    log.OnNumbersOnlySerialRX = nullptr;
    log.OnNumbersOnlySerialTX = nullptr;
    log.OnInitializeFields = nullptr;
    log.OnLogOpen = nullptr;
}

void TLogPanel::SetLogQSOAction(QAction* Value)
{
    if (Value == FLogQSOAction)
        return;
    if (FLogQSOAction)
        FLogQSOAction->disconnect(this);
    FLogQSOAction = Value;
    if (Value) {
        connect(Value, &QAction::triggered, this, [this] { LogQSOActionExecute(); });
        connect(Value, &QAction::changed, this, [this] { SyncLogQSOButton(); });
    }
    SyncLogQSOButton();
}

void TLogPanel::SyncLogQSOButton()
{
    // The button shows its action: caption, enabled state, visibility.
    if (!FLogQSOAction)
        return;
    LogQSOButton->setText(FLogQSOAction->text());
    LogQSOButton->setEnabled(FLogQSOAction->isEnabled());
    LogQSOButton->setVisible(FLogQSOAction->isVisible());
}

void TLogPanel::SetAddSpotToBandmapAction(QAction* Value)
{
    if (Value == FAddSpotToBandmapAction)
        return;
    if (FAddSpotToBandmapAction)
        FAddSpotToBandmapAction->disconnect(this);
    FAddSpotToBandmapAction = Value;
    if (Value)
        connect(Value, &QAction::triggered, this, [this] { AddSpotToBandmapActionExecute(); });
}

void TLogPanel::SetQRZLookupAction(QAction* Value)
{
    if (Value == FQRZLookupAction)
        return;
    if (FQRZLookupAction)
        FQRZLookupAction->disconnect(this);
    FQRZLookupAction = Value;
    if (Value)
        connect(Value, &QAction::triggered, this, [this] { DoQRZButtonClick(); });
}

TCallbookLink* TLogPanel::QRZInterface() const
{
    return FQRZInterface.data();
}

void TLogPanel::SetQRZInterface(TCallbookLink* Value)
{
    if (!Value || Value == FQRZInterface)
        return;
    UnhookCallbook();
    FQRZInterface = Value;
    Value->OnRequest = [this](bool ok, const QString& m) { DoQRZRequest(ok, m); };
    Value->OnSession = [this](bool ok, const QString& m) { DoQRZSession(ok, m); };
    Value->OnUseQRZ = [this](bool v) { DoUseQRZ(v); };
    const QString domain = Value->DomainName().toUpper();
    QRZButton->setText(domain);
    QRZButton->setToolTip(domain + QStringLiteral(" Callsign Lookup"));
    QRZInfoButton->setToolTip(domain + QStringLiteral(" Callsign Info"));
    UpdateCallbookControls();
    if (FQRZLookupAction)
        FQRZLookupAction->setVisible(Value->UseQRZ());
}

void TLogPanel::UnhookCallbook()
{
    if (!FQRZInterface)
        return;
    FQRZInterface->OnRequest = nullptr;
    FQRZInterface->OnSession = nullptr;
    FQRZInterface->OnUseQRZ = nullptr;
}

TLogPanelViews* TLogPanel::Views() const
{
    return FViews.data();
}

void TLogPanel::SetViews(TLogPanelViews* Value)
{
    FViews = Value;
}

void TLogPanel::Open()
{
    if (FLogInterface) {
        DXCCEdit->clear();
        DXCCEdit->addItems(FLogInterface->DXCCList());
        DXCCEdit->setMaxVisibleItems(25);
        DXCCEdit->view()->setMinimumWidth(DXCCEdit->view()->sizeHintForColumn(0) + 24);
    }
    UpdateActions();
}

// ---- Radio following -----------------------------------------------------------------------

void TLogPanel::SetBandA(TBand Value)
{
    if (Value == FBandA)
        return;
    FBandA = Value;
    if (FLogInterface && (FLogInterface->EditMode() || !FRealTimeLogging))
        return;
    if (Value != bdAll)
        SelectItem(BandEdit, Value);
}

void TLogPanel::SetBandB(TBand Value)
{
    FBandB = Value;
}

void TLogPanel::SetMode(TMode Value)
{
    FMode = Value;
    if (!FLogInterface)
        return;
    const int item = LogModeItemOfRadioMode(Value);
    if (FLogInterface->EditMode() || !FRealTimeLogging)
        return;
    SelectItem(ModeEdit, item);
    ModeEditChange();
}

// ---- Call field ----------------------------------------------------------------------------

QString TLogPanel::Callsign() const
{
    return CallEdit->text();
}

void TLogPanel::SetCallsign(const QString& Value)
{
    if (EditMode())
        return;
    ClearControls(false, true);
    CallEdit->setText(Value);
}

QString TLogPanel::HisName() const
{
    return NameEdit->text();
}

void TLogPanel::SetHisName(const QString& Value)
{
    if (EditMode() || Value.isEmpty())
        return;
    NameEdit->setText(NameText(Value));
}

QString TLogPanel::GetCallPart() const
{
    return CallPart(CallEdit->text());
}

bool TLogPanel::IsValidCallsign() const
{
    return vx::logpanel::IsValidCallsign(CallEdit->text());
}

bool TLogPanel::IsTextCommand(bool ExeceuteCommand)
{
    const QString text = CallEdit->text();
    if (!IsFrequencyText(text))
        return false;
    const int32_t hz = FrequencyFromText(text, FBandA);
    if (ExeceuteCommand && hz > 0)
        Fire(OnFrequencyA, hz);
    return true;
}

void TLogPanel::EntryFieldChange(QWidget* field)
{
    if (!FLogInterface)
        return;
    if (field == CallEdit && !FLogInterface->EditMode()) {
        if (IsValidCallsign() && FDXSpots)
            FDXSpots->CallsignLookup(GetCallPart());
        if (CallEdit->text().isEmpty())
            ClearControls(true, true);
        FindPreviousQSOs();
    }
    if (!FLogInterface)
        return;
    const QString call = ApplyReportShorthand();
    TLogRecord& record = FLogInterface->LogRecord();
    record.SetLogWindowCall(call);
    record.SetLogWindowRST(RSTsEdit->text());
    record.SetLogWindowSTX(STXEdit->text());
    record.SetLogWindowName(NameEdit->text());
    UpdateActions();
}

QString TLogPanel::ApplyReportShorthand()
{
    const TShorthand shorthand = ReportShorthand(CallEdit->text(), ModeEdit->currentText());
    if (shorthand.RST)
        RSTsEdit->setText(*shorthand.RST);
    return shorthand.Call;
}

void TLogPanel::FindPreviousQSOs()
{
    if (!FLogInterface)
        return;
    const int band = BandEdit->currentIndex();
    const int mode = ModeEdit->currentIndex();
    FLogInterface->FindQSOsLogPanel(GetCallPart(), band > 0 ? TBand(band) : bdAll,
                                    mode > 0 ? TQSOMode(mode) : mNone, SubModeEdit->currentText());
}

void TLogPanel::BandEditChange()
{
    if (!EditMode())
        FindPreviousQSOs();
}

void TLogPanel::LocatorEditChange()
{
    const QString grid = LocatorEdit->text();
    if (!FDXSpots || (grid.size() != 4 && grid.size() != 6))
        return;
    FSpot->Clear();
    FSpot->SetCall(GetCallPart());
    FSpot->FLocator = grid;
    LabelPathInfo->setText(FDXSpots->GetRangeAndPath(*FSpot));
}

bool TLogPanel::LogBookOpen() const
{
    return FLogInterface && !FLogInterface->LogFolder().isEmpty() && !FLogInterface->LogFileName().isEmpty();
}

void TLogPanel::UpdateActions()
{
    if (!FLogQSOAction || !FLogInterface)
        return;
    if (!LogBookOpen()) {
        FLogQSOAction->setEnabled(false);
        return;
    }
    const bool entry = IsValidCallsign() || IsTextCommand(false);
    const bool serials = !STXEdit->text().isEmpty() && !SRXEdit->text().isEmpty();
    // The log module holds logging back while an import runs.
    FLogQSOAction->setEnabled(entry && (!ContestMode() || serials) && !FLogInterface->ImportRunning());
    if (FAddSpotToBandmapAction)
        FAddSpotToBandmapAction->setEnabled(entry);
    if (FQRZLookupAction)
        FQRZLookupAction->setEnabled(entry);
    QRZButton->setEnabled(entry);
    QRZInfoShape->SetBrushColor(ShapeGrey);
}

// ---- Answers of the lookups ----------------------------------------------------------------

void TLogPanel::DoCallsignLookup(const TDXSpot& ADXSpot)
{
    if (LocatorEdit->text().isEmpty())
        LocatorEdit->setText(ADXSpot.Locator());
    if (FRealTimeLogging && LocatorEdit->text().isEmpty() && FDXSpots)
        LabelPathInfo->setText(
            QStringLiteral("%1° %2").arg(ADXSpot.BearingSP()).arg(ADXSpot.GetDistanceSP(FDXSpots->RangeUnit())));
    LabelRegionInfo->setText(ADXSpot.CountryRegion());
    if (DXCCEdit->count() == 0) {
        USStateEdit->setEnabled(true);
    } else if (ADXSpot.ADIFCode() == 0 || !SelectDXCC(ADXSpot.ADIFCode())) {
        // An entity the list does not have is none: an earlier call's must not stay.
        DXCCEdit->setCurrentIndex(0);
    }
    SelectItem(ContinentEdit, ADXSpot.Cont());
    const QString zone = ADXSpot.CQZone();
    if (!zone.isEmpty()) {
        bool ok = false;
        const int number = zone.left(2).toInt(&ok);
        if (ok) {
            SelectItem(CQZoneEdit, number);
            const TContest* contest = Contest();
            if (ContestMode() && contest && contest->SetCQZone())
                SRXEdit->setText(zone);
        }
    }
}

void TLogPanel::DoLogInfo(const TLogInfo& ALogInfo)
{
    if (EditMode())
        return;
    NameEdit->setText(ALogInfo.Name());
    IOTAEdit->setText(ALogInfo.IOTA());
    LocatorEdit->setText(ALogInfo.GridSquare());
    QSLInfoEdit->setText(ALogInfo.QSLVia());
    // Earlier QSOs without an entity or zone leave what the country lookup found.
    if (ALogInfo.ADIFCode() != 0)
        SelectDXCC(ALogInfo.ADIFCode());
    const TContest* contest = Contest();
    if (ALogInfo.ADIFCode() == 291) {
        if (!ALogInfo.USState().isEmpty())
            USStateEdit->setCurrentIndex(USStateEdit->findText(ALogInfo.USState()));
        if (ContestMode() && contest && contest->SetUSState())
            SRXEdit->setText(ALogInfo.SRX());
    }
    if (ALogInfo.CQZone() > 0)
        SelectItem(CQZoneEdit, ALogInfo.CQZone());
    if (!ALogInfo.SRX().isEmpty() && ContestMode() && contest && contest->SetCQZone())
        SRXEdit->setText(ALogInfo.SRX());
}

void TLogPanel::DoSpotDblClick(const TSpot& ASpot)
{
    if (EditMode())
        return;
    ClearControls(false, true);
    CallEdit->setText(ASpot.Call());
    if (ASpot.FIsMySpot)
        CommentEdit->setText(ASpot.Comment());
    FFrequencyA = ASpot.FFrequencyA;
    FFrequencyB = ASpot.FFrequencyB;
    if (LocatorEdit->text().isEmpty() && !ASpot.FLocator.isEmpty())
        LocatorEdit->setText(ASpot.FLocator);
    FSplit = ASpot.FSplit;
}

void TLogPanel::AddSpotToBandmapActionExecute()
{
    if (!FDXSpots)
        return;
    TSpot spot;
    spot.SetCall(GetCallPart());
    spot.SetComment(CommentEdit->text());
    spot.FFrequencyA = FFrequencyA;
    spot.FFrequencyB = FFrequencyB;
    spot.FIsMySpot = true;
    spot.FLocator = LocatorEdit->text();
    spot.FSplit = FSplit;
    FDXSpots->AddSpotToBandmap(spot);
}

// ---- Callbook ------------------------------------------------------------------------------

void TLogPanel::DoQRZButtonClick()
{
    if (!FQRZInterface || !IsValidCallsign())
        return;
    FQRZRequestCall = GetCallPart();
    FQRZInterface->SetCallsignRequest(FQRZRequestCall);
    if (FQRZInterface->SessionStarted())
        FQRZInterface->Request();
    else
        FQRZInterface->Open();
}

void TLogPanel::DoQRZSession(bool Success, const QString& AMessage)
{
    ShowLogMessage(AMessage);
    if (Success && FQRZInterface)
        FQRZInterface->Request();
}

void TLogPanel::DoQRZRequest(bool Success, const QString& AMessage)
{
    TCallbookLink* callbook = FQRZInterface.data();
    if (!callbook)
        return;
    // An answer that arrives after the call was changed, or for an earlier request, belongs
    // to another station: it must not fill this one's fields.
    if (GetCallPart() != FQRZRequestCall ||
        (Success && callbook->Call().compare(callbook->CallsignRequest(), Qt::CaseInsensitive) != 0))
        return;
    ShowLogMessage(AMessage);
    if (!Success) {
        QRZLoTWShape->SetBrushColor(ShapeGrey);
        QRZInfoShape->SetBrushColor(ShapeRed);
        if (FViews)
            FViews->CallbookAnswered(false);
        return;
    }
    const QString grid = callbook->Grid();
    if (!grid.isEmpty()) {
        LocatorEdit->setText(grid);
        UpdateLocatorCache(grid);
    }
    if (callbook->DXCC() == 291 && !callbook->State().isEmpty()) {
        USStateEdit->setCurrentIndex(USStateEdit->findText(callbook->State()));
        const TContest* contest = Contest();
        if (ContestMode() && contest && contest->SetUSState())
            SRXEdit->setText(callbook->State());
    }
    QRZLoTWShape->SetBrushColor(callbook->LoTW() ? ShapeGreen : ShapeRed);
    if (FRealTimeLogging)
        LabelPathInfo->setText(callbook->RangeAndBearing());
    QString message = callbook->FirstName();
    if (!callbook->Qslmgr().isEmpty())
        message += QStringLiteral(" - ") + callbook->Qslmgr();
    ShowLogMessage(message);
    QRZInfoButton->setEnabled(true);
    QRZInfoShape->SetBrushColor(ShapeGreen);
    if (FViews)
        FViews->CallbookAnswered(true);
}

void TLogPanel::UpdateLocatorCache(const QString& grid)
{
    if (!FDXSpots)
        return;
    TSpot spot;
    spot.SetCall(GetCallPart());
    spot.FLocator = grid;
    FDXSpots->UpdateLocator(spot);
}

void TLogPanel::DoUseQRZ(bool Value)
{
    UpdateCallbookControls();
    if (FQRZLookupAction)
        FQRZLookupAction->setVisible(Value);
}

void TLogPanel::DoQRZInfoButtonClick()
{
    if (FQRZInterface && FViews)
        FViews->ShowCallbookInfo(*FQRZInterface);
}

// ---- Spot line -----------------------------------------------------------------------------

void TLogPanel::DoSendSpot()
{
    if (!FViews)
        return;
    const QString myLocator = FDXSpots ? FDXSpots->MyLocator() : QString();
    const QString line = SpotLine(FFrequencyA, FBandA, GetCallPart(), LocatorEdit->text(), myLocator);
    const QPointer<TLogPanel> self(this);
    const std::optional<QString> confirmed = FViews->EditSpot(line);
    // The dialog runs its own event loop: the panel may be gone when it returns.
    if (self && confirmed)
        Fire(OnSendToTelnet, confirmed->trimmed());
}
