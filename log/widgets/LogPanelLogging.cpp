// The entry panel's logging: the Log QSO action, clearing the entry, finishing the edit of a
// logged QSO, contest serial numbers and the log's messages.
#include "log/widgets/LogPanel.h"

#include "controls/widgets/Shape.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DXSpots.h"
#include "log/widgets/LogPanelControls.h"
#include "log/widgets/LogPanelRules.h"
#include "platform/Clock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTimeEdit>

using namespace vx::logpanel;

namespace {

const QColor ShapeGrey(128, 128, 128);

const QString NoLogBookText = QStringLiteral("No log book open");

const QString IncompleteText =
    QStringLiteral("QSO not logged: call of 3 or more characters, date, band and mode needed");

QString FirstLetter(const QComboBox* list)
{
    return list->currentText().left(1);
}

// Moves a QSL list to the item of a flag letter; other letters leave it.
void SelectFlag(QComboBox* list, const QString& letter)
{
    const int item = list->findText(letter);
    if (!letter.isEmpty() && item >= 0)
        list->setCurrentIndex(item);
}

} // namespace

void TLogPanel::LoadLogOptions()
{
    if (!FLogInterface)
        return;
    const TContest& contest = FLogInterface->Contest();
    FLogOptions->SetLoggingMode(FLogInterface->LoggingMode());
    FLogOptions->SetNumbersOnlySerialRX(contest.NumbersOnlySerialRX());
    FLogOptions->SetNumbersOnlySerialTX(contest.NumbersOnlySerialTX());
    FLogOptions->SetIncrementSerialNumbersTX(contest.IncrementSerialNumbersTX());
    FLogOptions->SetNextSerialNumber(contest.NextSerialNumber());
}

void TLogPanel::ShowLogMessage(const QString& text)
{
    LogEventLabel->setText(text);
    LogEventPanel->setToolTip(text);
}

void TLogPanel::DoLogEvent(const QString& Value)
{
    if (FCapturedEvents)
        FCapturedEvents->append(Value);
    ShowLogMessage(Value);
}

void TLogPanel::DoEditMode(bool Value)
{
    // What the log reports after this belongs to the reloaded entry, not to a save.
    FCapturedEvents = nullptr;
    UpdateFieldVisibility();
    LoadEditRecord();
}

// ---- Logging -------------------------------------------------------------------------------

void TLogPanel::LogQSOActionExecute()
{
    if (IsTextCommand(true)) {
        ClearControls(true, false);
        ShowLogMessage(QString());
        return;
    }
    QString message;
    if (FLogInterface) {
        TLogInterface& log = *FLogInterface;
        const bool editing = log.EditMode();
        TLogRecord& record = editing ? log.EditRecord() : log.LogRecord();
        if (!editing)
            record.Clear();
        FillRecord(record, editing, vx::Clock::nowUtc());
        if (!record.IsComplete()) {
            // Nothing typed is thrown away: the entry stays for the operator to complete.
            ShowLogMessage(IncompleteText);
            return;
        }
        const QString call = record.Call();
        if (editing) {
            if (!SaveEditedQSO(call, message))
                return;
        } else {
            if (!log.AddQSO()) {
                // The log's failure text stays; the entry stays for another try.
                ShowLogMessage(log.LogEvent());
                return;
            }
            message = QStringLiteral("%1 logged").arg(call);
            AdvanceSerialNumber();
            FLastSTX = STXEdit->text().trimmed();
            TContest& contest = log.Contest();
            if (ContestMode() && !FLogOptions->IncrementSerialNumbersTX())
                contest.SetLastSerialNumber(STXEdit->text());
        }
        ReadRadio();
    }
    ClearControls(true, false);
    CallEdit->update();
    ShowLogMessage(message);
}

void TLogPanel::LogQSORefused()
{
    if (!LogBookOpen())
        ShowLogMessage(NoLogBookText);
}

bool TLogPanel::SaveEditedQSO(const QString& call, QString& message)
{
    TLogInterface& log = *FLogInterface;
    const bool deleting = CommentEdit->text().trimmed().toUpper() == QLatin1String("DELETE");
    QStringList reported;
    FCapturedEvents = &reported;
    const QPointer<TLogPanel> self(this);
    log.SaveQSO();
    if (!self)
        return false;
    FCapturedEvents = nullptr;
    if (log.EditMode()) {
        // The log could not take the edit now (it is loading) and keeps it open: so does the
        // entry, with the log's reason shown.
        ShowLogMessage(reported.isEmpty() ? QString() : reported.last());
        return false;
    }
    // Done at once the log says "saved" or nothing (the file follows); anything else is why it
    // could not be done.
    const QString saved = QStringLiteral("%1 saved").arg(call);
    for (const QString& text : std::as_const(reported)) {
        if (text != saved) {
            message = text;
            break;
        }
    }
    if (message.isEmpty())
        message = (deleting ? QStringLiteral("%1 deleted") : QStringLiteral("%1 saved")).arg(call);
    if (FLogQSOAction)
        FLogQSOAction->setText(QStringLiteral("&Log QSO"));
    if (ContestMode() && FLogOptions->IncrementSerialNumbersTX() && !FLastSTX.isEmpty())
        STXEdit->setText(FLastSTX);
    return true;
}

void TLogPanel::FillRecord(TLogRecord& record, bool editing, const QDateTime& now)
{
    const bool contest = ContestMode();
    const TContest* contestOptions = Contest();
    const bool zoneInSRX = contest && contestOptions && contestOptions->SetCQZone();

    // Date and time.
    if (editing) {
        if (DateEdit->date() != record.QSODate())
            record.SetQSODate(DateEdit->date());
        // The picker shows hours and minutes: a time left as it was keeps its seconds.
        const QTime picked = UTCEdit->time();
        const QTime stored = record.TimeOn();
        if (picked.hour() != stored.hour() || picked.minute() != stored.minute())
            record.SetTimeOn(QTime(picked.hour(), picked.minute()));
    } else if (FRealTimeLogging) {
        record.SetQSODate(now.date());
        if (contest)
            record.SetTimeOn(QTime(now.time().hour(), now.time().minute(), now.time().second()));
        else
            record.SetTimeOnHHMM(now);
    } else {
        record.SetQSODate(DateEdit->date());
        record.SetTimeOn(QTime(UTCEdit->time().hour(), UTCEdit->time().minute()));
    }
    if (record.QSODate().isValid())
        record.SetQSODateTime(QDateTime(record.QSODate(), record.TimeOn(), Qt::UTC));

    // Fields in the order of the log line.
    record.SetCall(GetCallPart());
    record.SetBand(BandEdit->currentIndex() > 0 ? TBand(BandEdit->currentIndex()) : bdAll);
    record.SetMode(ModeEdit->currentIndex() > 0 ? TQSOMode(ModeEdit->currentIndex()) : mNone);
    const bool live = !editing && FRealTimeLogging;
    const bool split = live && FSplit && FBandA != FBandB;
    if (split)
        record.SetBandRX(FBandB);
    if (live)
        record.SetFreq(FFrequencyA > 0 ? uint32_t(FFrequencyA) : 0);
    if (split)
        record.SetFreqRX(FFrequencyB > 0 ? uint32_t(FFrequencyB) : 0);
    record.SetPropMode(PropModeEdit->currentIndex() > 0 ? TPropMode(PropModeEdit->currentIndex()) : pmNone);
    // The serial fields are hidden outside contests: what a contest left in them does not go
    // into a regular QSO (an edited one keeps its own).
    const bool serials = contest || editing;
    record.SetRSTSent(RSTsEdit->text().trimmed());
    record.SetSTX(serials ? STXEdit->text().trimmed() : QString());
    record.SetRSTRcvd(RSTrEdit->text().trimmed());
    if (zoneInSRX && SRXEdit->text().size() == 1)
        SRXEdit->setText(QLatin1Char('0') + SRXEdit->text());
    record.SetSRX(serials ? SRXEdit->text().trimmed() : QString());
    record.SetComment(CommentEdit->text().trimmed());
    record.SetName(NameEdit->text().trimmed());
    record.SetQTH(QTHEdit->text().trimmed());
    record.SetGridSquare(LocatorEdit->text().trimmed());
    if (DXCCEdit->currentIndex() > 0) {
        const std::optional<int32_t> code = DXCCCodeOfItem(DXCCEdit->currentText());
        if (!code || !record.SetDXCC(QString::number(*code)))
            record.SetDXCC(QString());
    }
    record.SetContinentAsString(ContinentEdit->currentText());
    record.SetCQZone(zoneInSRX ? SRXEdit->text() : CQZoneEdit->currentText());
    record.SetUSState(USStateEdit->currentText());
    record.SetQSLVia(QSLInfoEdit->text().trimmed());
    record.SetQSLSent(FirstLetter(QSLSentEdit));
    record.SetQSLRcvd(FirstLetter(QSLRcvdEdit));
    record.SetQSLLoTWSent(FirstLetter(QSLLoTWSentEdit));
    record.SetQSLLoTWRcvd(FirstLetter(QSLLoTWRcvdEdit));
    record.SetIOTA(IOTAEdit->text().trimmed());
    record.SetSubMode(SubModeEdit->currentText());
    record.SetQSLeQSLSent(FirstLetter(QSLeQSLSentEdit));
    record.SetQSLeQSLRcvd(FirstLetter(QSLeQSLRcvdEdit));
}

void TLogPanel::AdvanceSerialNumber()
{
    TContest* contest = Contest();
    if (!ContestMode() || !FLogOptions->IncrementSerialNumbersTX() || !contest)
        return;
    bool ok = false;
    const uint32_t sent = STXEdit->text().trimmed().toUInt(&ok);
    // A serial that is no number leaves the counter where it was.
    if (ok && sent < UINT32_MAX)
        contest->SetNextSerialNumber(sent + 1);
    STXEdit->setText(contest->NextSerialNumberAsString());
}

void TLogPanel::ReadRadio()
{
    // A frequency taken from a picked spot is not reused for the next QSO.
    TFTCATInterface* cat = FFTCATInterface.data();
    if (!cat)
        return;
    FFrequencyA = cat->FrequencyA();
    FFrequencyB = cat->FrequencyB();
    SetBandA(cat->BandA());
    SetBandB(cat->BandB());
    if (cat->BandA() != bdAll)
        BandEdit->setCurrentIndex(cat->BandA());
}

// ---- Clearing ------------------------------------------------------------------------------

void TLogPanel::ClearControls(bool FocusToCallEdit, bool ClearLogMessage)
{
    if (FLogInterface)
        FLogInterface->SetEditMode(false);
    UpdateFieldVisibility();
    // Emptying a call runs its change handling, which clears the entry once more first.
    if (!CallEdit->text().isEmpty())
        CallEdit->clear();
    SetModeDefaults();
    if (ContestMode() && FLogOptions->IncrementSerialNumbersTX() && !FLastSTX.isEmpty())
        STXEdit->setText(FLastSTX);
    for (TEntryEdit* e : {SRXEdit, CommentEdit, LocatorEdit, QSLInfoEdit, NameEdit, QTHEdit, IOTAEdit})
        e->clear();
    for (QComboBox* list : {USStateEdit, ContinentEdit, QSLSentEdit, QSLRcvdEdit, QSLLoTWSentEdit, QSLLoTWRcvdEdit,
                            QSLeQSLSentEdit, QSLeQSLRcvdEdit, DXCCEdit, CQZoneEdit}) {
        if (list->count() > 0)
            list->setCurrentIndex(0);
    }
    if (FLogQSOAction)
        FLogQSOAction->setText(QStringLiteral("&Log QSO"));
    UpdateActions();
    ApplyRealTimeLayout(FRealTimeLogging);
    if (FocusToCallEdit)
        CallEdit->setFocus(Qt::OtherFocusReason);
    if (ClearLogMessage)
        ShowLogMessage(QString());
    LabelPathInfo->clear();
    LabelRegionInfo->clear();
    QRZLoTWShape->SetBrushColor(ShapeGrey);
}

// ---- Editing a logged QSO ------------------------------------------------------------------

void TLogPanel::LoadEditRecord()
{
    if (FLogInterface) {
        const TLogRecord record = FLogInterface->EditRecord();
        LabelPathInfo->clear();
        LabelRegionInfo->clear();
        if (FLogQSOAction)
            FLogQSOAction->setText(QStringLiteral("Save QSO"));
        ApplyRealTimeLayout(false);
        if (record.QSODate().isValid())
            DateEdit->setDate(record.QSODate());
        UTCEdit->setTime(record.TimeOn());
        CallEdit->setText(record.Call());
        BandEdit->setCurrentIndex(record.Band());
        ModeEdit->setCurrentIndex(record.Mode());
        ModeEditChange();
        PropModeEdit->setCurrentIndex(record.PropMode());
        RSTsEdit->setText(record.RSTSent());
        STXEdit->setText(record.STX());
        RSTrEdit->setText(record.RSTRcvd());
        SRXEdit->setText(record.SRX());
        CommentEdit->setText(record.Comment());
        NameEdit->setText(record.Name());
        QTHEdit->setText(record.QTH());
        LocatorEdit->setText(record.GridSquare());
        // What the entry showed before must not be saved into this QSO: no entity or state
        // of the previous call stays.
        DXCCEdit->setCurrentIndex(DXCCEdit->count() > 0 ? 0 : -1);
        USStateEdit->setCurrentIndex(0);
        const int32_t code = record.ADIFCode();
        if (code > 0) {
            if (record.WAECountry()) {
                if (TDXSpots* spots = DXSpots())
                    spots->CallsignLookup(record.Call());
            } else {
                for (int i = 1; i < DXCCEdit->count(); ++i) {
                    if (DXCCCodeOfItem(DXCCEdit->itemText(i)) == code) {
                        DXCCEdit->setCurrentIndex(i);
                        break;
                    }
                }
            }
            SetStateList(code, false);
        }
        ContinentEdit->setCurrentIndex(record.Continent());
        if (record.CQZoneAsInteger() < CQZoneEdit->count())
            CQZoneEdit->setCurrentIndex(record.CQZoneAsInteger());
        if (!record.USState().isEmpty())
            USStateEdit->setCurrentIndex(USStateEdit->findText(record.USState()));
        QSLInfoEdit->setText(record.QSLVia());
        SelectFlag(QSLSentEdit, record.QSLSent());
        SelectFlag(QSLRcvdEdit, record.QSLRcvd());
        SelectFlag(QSLLoTWSentEdit, record.QSLLoTWSent());
        SelectFlag(QSLLoTWRcvdEdit, record.QSLLoTWRcvd());
        SelectFlag(QSLeQSLSentEdit, record.QSLeQSLSent());
        SelectFlag(QSLeQSLRcvdEdit, record.QSLeQSLRcvd());
        IOTAEdit->setText(record.IOTA());
        if (!record.SubMode().isEmpty()) {
            const int item = SubModeEdit->findText(record.SubMode());
            if (item >= 0)
                SubModeEdit->setCurrentIndex(item);
        } else {
            SubModeEdit->setCurrentIndex(0);
        }
        ShowLogMessage(QString());
    }
    UpdateActions();
    CallEdit->setFocus(Qt::OtherFocusReason);
}
