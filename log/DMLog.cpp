#include "log/DMLog.h"
#include "log/LogPaths.h"

#include "core/DMApplication.h"
#include "log/LoTWInterface.h"
#include "log/LogDialogs.h"
#include "log/LogStatistics.h"
#include "log/LogText.h"
#include "log/QRZInterface.h"
#include "platform/Clock.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TDMLog* DMLog = nullptr;

namespace {

const QString SectionLog = QStringLiteral("Client\\Log");
const QString SectionQRZ = QStringLiteral("Client\\QRZ");
const QString SectionLoTW = QStringLiteral("Client\\LoTW");
const QString SectionCabrillo = QStringLiteral("Client\\Cabrillo");
const QString SectionAddress = QStringLiteral("Client\\Cabrillo\\Address");

// The address lines read back; more are never read.
constexpr int ReadAddressLines = 4;

const QString LogFilter = QStringLiteral("Log Files (*.log)");
const QString ADIFFilter = QStringLiteral("ADIF Files (*.adi)");

} // namespace

TDMLog::TDMLog(QObject* parent)
    : QObject(parent)
{
    DMLog = this;
    FLogInterface = new TLogInterface(this);
    FLogInterface->SetLogBookColumns({colGrid, colUSState});
    FQRZInterface = new TQRZInterface(this);
    FLogStatistics = new TLogStatisticsV2(this);
    FLogStatistics->SetBands(TBands::FromBits(TBands::All().Bits() & ~(1u << bd70c)));
    FLogStatistics->SetLogInterface(FLogInterface);
    FLogInterface->OnLogImport = [this](const QString& name, bool success, int32_t qsos, int32_t inserted,
                                        int32_t updated, int32_t elapsed) {
        DoLogInterfaceLogImport(name, success, qsos, inserted, updated, elapsed);
    };

    const auto add = [this](const char* name, const QString& caption, bool checkable = false) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        a->setCheckable(checkable);
        return a;
    };
    NewLogAction = add("NewLogAction", QStringLiteral("&New Log..."));
    OpenLogAction = add("OpenLogAction", QStringLiteral("&Open Log..."));
    ExportADIFAction = add("ExportADIFAction", QStringLiteral("&Export Log to ADIF..."));
    ExportLoTWAction = add("ExportLoTWAction", QStringLiteral("LoTW Export and Upload..."));
    ExporteQSLAction = add("ExporteQSLAction", QStringLiteral("eQSL Export and Upload..."));
    ExportCabrilloAction = add("ExportCabrilloAction", QStringLiteral("Export &Cabrillo..."));
    ImportADIFAction = add("ImportADIFAction", QStringLiteral("&Import ADIF Log..."));
    LoTWDownloadAction = add("LoTWDownloadAction", QStringLiteral("LoTW ADIF/QSL Download..."));
    ContestLoggingAction = add("ContestLoggingAction", QStringLiteral("&Contest Logging Mode"), true);
    ContestSetCQZoneAction = add("ContestSetCQZoneAction", QStringLiteral("Set CQ Zone"), true);
    ContestSetUSStateAction = add("ContestSetUSStateAction", QStringLiteral("Set US State"), true);
    RegularLoggingAction = add("RegularLoggingAction", QStringLiteral("&Regular Logging Mode"), true);
    IncrementSerialNumbersTXAction =
        add("IncrementSerialNumbersTXAction", QStringLiteral("Consecutive Serial Numbers &TX"), true);
    LogQSOAction = add("LogQSOAction", QStringLiteral("Log QSO"));
    ClearLogFilterAction = add("ClearLogFilterAction", QStringLiteral("Clear Log &Filter"));
    NumbersOnlySerialRXAction = add("NumbersOnlySerialRXAction", QStringLiteral("Numbers only in Ser &RX field"), true);
    NumbersOnlySerialTXAction = add("NumbersOnlySerialTXAction", QStringLiteral("Numbers only in Ser &TX field"), true);
    ShowGridLocatorAction = add("ShowGridLocatorAction", QStringLiteral("&Show Grid Locator Field"), true);
    ShowUSStateAction = add("ShowUSStateAction", QStringLiteral("Show &US State Field"), true);
    ShowQSLAction = add("ShowQSLAction", QStringLiteral("Show &QSL sent/rcvd Fields"), true);
    ShowQSLLoTWAction = add("ShowQSLLoTWAction", QStringLiteral("Show &LoTW QSL Fields"), true);
    ShowQSLeQSLAction = add("ShowQSLeQSLAction", QStringLiteral("Show &eQSL QSL Fields"), true);

    ExportADIFAction->setData(101);
    ExportLoTWAction->setData(102);
    ExporteQSLAction->setData(103);
    ImportADIFAction->setData(201);
    ExporteQSLAction->setVisible(false);
    ContestSetCQZoneAction->setEnabled(false);
    ContestSetUSStateAction->setEnabled(false);
    ContestSetUSStateAction->setVisible(false);
    RegularLoggingAction->setChecked(true);
    IncrementSerialNumbersTXAction->setEnabled(false);
    NumbersOnlySerialRXAction->setEnabled(false);
    NumbersOnlySerialTXAction->setEnabled(false);
    ClearLogFilterAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F11));
    for (QAction* a : {ShowGridLocatorAction, ShowUSStateAction, ShowQSLAction, ShowQSLLoTWAction})
        a->setChecked(true);
    ShowQSLeQSLAction->setVisible(false);

    const auto on = [this](QAction* a, auto handler) { connect(a, &QAction::triggered, this, handler); };
    on(NewLogAction, [this] { NewLogActionExecute(); });
    on(OpenLogAction, [this] { OpenLogActionExecute(); });
    for (QAction* a : {ExportADIFAction, ExportLoTWAction, ExporteQSLAction})
        on(a, [this, a] { ExportADIFActionExecute(a->data().toInt()); });
    on(ExportCabrilloAction, [this] { ExportCabrilloActionExecute(); });
    on(ImportADIFAction, [this] { ImportADIFActionExecute(); });
    on(LoTWDownloadAction, [this] { LoTWDownloadActionExecute(); });
    on(ClearLogFilterAction, [this] { ClearLogFilterActionExecute(); });
    // A click has toggled the check already.
    on(RegularLoggingAction, [this] { ApplyRegularLogging(); });
    on(ContestLoggingAction, [this] { ApplyContestLogging(); });
    on(ContestSetCQZoneAction, [this] { ApplyCQZone(); });
    on(ContestSetUSStateAction, [this] { ApplyUSState(); });
    on(IncrementSerialNumbersTXAction, [this] { ApplyIncrementSerialNumbersTX(); });
    on(NumbersOnlySerialRXAction, [this] { ApplyNumbersOnlySerialRX(); });
    on(NumbersOnlySerialTXAction, [this] { ApplyNumbersOnlySerialTX(); });
    on(ShowGridLocatorAction, [this] { ApplyColumn(ShowGridLocatorAction, colGrid); });
    on(ShowUSStateAction, [this] { ApplyColumn(ShowUSStateAction, colUSState); });
    on(ShowQSLAction, [this] { ApplyColumn(ShowQSLAction, colQSL); });
    on(ShowQSLLoTWAction, [this] { ApplyColumn(ShowQSLLoTWAction, colQSLLoTW); });
    on(ShowQSLeQSLAction, [this] { ApplyColumn(ShowQSLeQSLAction, colQSLeQSL); });

    FLogInterface->SetLoggingMode(lmRegular);
    UpdateFileActions();
}

TDMLog::~TDMLog()
{
    FLogInterface->OnLogImport = nullptr;
    if (DMLog == this)
        DMLog = nullptr;
}

QList<QAction*> TDMLog::Actions() const
{
    return {NewLogAction,
            OpenLogAction,
            ExportADIFAction,
            ExportLoTWAction,
            ExporteQSLAction,
            ExportCabrilloAction,
            ImportADIFAction,
            LoTWDownloadAction,
            ContestLoggingAction,
            ContestSetCQZoneAction,
            ContestSetUSStateAction,
            RegularLoggingAction,
            IncrementSerialNumbersTXAction,
            LogQSOAction,
            ClearLogFilterAction,
            NumbersOnlySerialRXAction,
            NumbersOnlySerialTXAction,
            ShowGridLocatorAction,
            ShowUSStateAction,
            ShowQSLAction,
            ShowQSLLoTWAction,
            ShowQSLeQSLAction};
}

void TDMLog::SetDialogs(TLogDialogs* v)
{
    FDialogs = v;
    FLogInterface->SetDialogs(v);
    UpdateFileActions();
}

QString TDMLog::DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// ---- Settings ------------------------------------------------------------------------------

void TDMLog::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    TLogInterface& log = *FLogInterface;
    TContest& contest = log.Contest();

    log.SetMaxQSOs(uint32_t(std::max(0, ini.ReadInteger(SectionLog, QStringLiteral("MaxQSOs"), 3000))));
    const QString folder = ini.ReadString(SectionLog, QStringLiteral("LogFolder"), QString());
    log.SetLogFolder(folder.isEmpty() ? DocumentsFolder() : folder);
    log.SetLogFileName(ini.ReadString(SectionLog, QStringLiteral("LogFileName"), QString()));
    const bool contestMode = ini.ReadInteger(SectionLog, QStringLiteral("LoggingMode"), 0) == 1;
    log.SetLoggingMode(contestMode ? lmContest : lmRegular);
    RegularLoggingAction->setChecked(!contestMode);
    ContestLoggingAction->setChecked(contestMode);

    contest.SetNumbersOnlySerialRX(ini.ReadBool(SectionLog, QStringLiteral("NumbersOnlySerialRX"), false));
    contest.SetNumbersOnlySerialTX(ini.ReadBool(SectionLog, QStringLiteral("NumbersOnlySerialTX"), false));
    contest.SetIncrementSerialNumbersTX(ini.ReadBool(SectionLog, QStringLiteral("IncrementSerialNumbers"), false));
    IncrementSerialNumbersTXAction->setChecked(contest.IncrementSerialNumbersTX());
    NumbersOnlySerialRXAction->setChecked(contest.NumbersOnlySerialRX());
    NumbersOnlySerialTXAction->setChecked(contest.NumbersOnlySerialTX());
    contest.SetSetCQZone(ini.ReadBool(SectionLog, QStringLiteral("ContestCQZone"), false));
    ContestSetCQZoneAction->setChecked(contest.SetCQZone());
    contest.SetSetUSState(ini.ReadBool(SectionLog, QStringLiteral("ContestUSState"), false));
    ContestSetUSStateAction->setChecked(contest.SetUSState());
    ApplyLoggingMode();
    contest.SetNextSerialNumber(uint32_t(std::max(0, ini.ReadInteger(SectionLog, QStringLiteral("NextSerialNumber"), 1))));
    contest.SetLastSerialNumber(ini.ReadString(SectionLog, QStringLiteral("LastSerialNumber"), QString()));

    const std::tuple<const char*, bool, QAction*, TLogBookColumn> columns[] = {
        {"ShowGridLocator", true, ShowGridLocatorAction, colGrid},
        {"ShowUSState", true, ShowUSStateAction, colUSState},
        {"ShowQSL", true, ShowQSLAction, colQSL},
        {"ShowQSLLoTW", true, ShowQSLLoTWAction, colQSLLoTW},
        {"ShowQSLeQSL", false, ShowQSLeQSLAction, colQSLeQSL},
    };
    for (const auto& [key, fallback, action, column] : columns) {
        action->setChecked(ini.ReadBool(SectionLog, QLatin1String(key), fallback));
        ApplyColumn(action, column);
    }

    log.SetLastADIFExport(ini.ReadString(SectionLog, QStringLiteral("LastADIFExport"), QString()));
    log.SetLastLoTWExport(ini.ReadString(SectionLog, QStringLiteral("LastLoTWExport"), QString()));
    log.SetLastImportFolder(ini.ReadString(SectionLog, QStringLiteral("LastImportFolder"), QString()));
    log.SetLastExportFolder(ini.ReadString(SectionLog, QStringLiteral("LastExportFolder"), QString()));
    const QString lotwFolder = ini.ReadString(SectionLog, QStringLiteral("LastLoTWExportFolder"), QString());
    log.SetLastLoTWExportFolder(lotwFolder.isEmpty() ? log.LastExportFolder() : lotwFolder);
    log.SetSearchLogBandAndMode(ini.ReadBool(SectionLog, QStringLiteral("SearchBandAndMode"), true));

    TQRZInterface& qrz = *FQRZInterface;
    qrz.SetUseQRZ(ini.ReadBool(SectionQRZ, QStringLiteral("UseQRZInterface"), false));
    qrz.SetMyUsername(ini.ReadString(SectionQRZ, QStringLiteral("Username"), QString()));
    qrz.SetMyPassword(ini.ReadString(SectionQRZ, QStringLiteral("Password"), QString()));
    qrz.SetImmediateLookup(ini.ReadBool(SectionQRZ, QStringLiteral("ImmediateLookup"), false));

    TLoTWInterface& lotw = *log.LoTWInterface();
    lotw.SetLoTWUsername(ini.ReadString(SectionLoTW, QStringLiteral("LoTWUsername"), QString()));
    lotw.SetLoTWPassword(ini.ReadString(SectionLoTW, QStringLiteral("LoTWPassword"), QString()));
    const QString reportPath = ini.ReadString(SectionLoTW, QStringLiteral("LoTWReportPath"), QString());
    lotw.SetLoTWReportPath(reportPath.isEmpty() ? log.LastLoTWExportFolder() : reportPath);
    if (!lotw.SetLoTWLastQSLAsString(ini.ReadString(SectionLoTW, QStringLiteral("LoTWLastQSL"), QString())))
        lotw.SetLoTWLastQSL(QDate());

    TCabrilloHeader& header = log.CabrilloHeader();
    const auto cabrillo = [&ini](const char* key) { return ini.ReadString(SectionCabrillo, QLatin1String(key), QString()); };
    header.SetContest(cabrillo("Contest"));
    header.SetCallsign(cabrillo("Callsign"));
    header.SetCategoryOperator(cabrillo("CategoryOperator"));
    header.SetCategoryTransmitter(cabrillo("CategoryTransmitter"));
    header.SetCategoryAssisted(cabrillo("CategoryAssisted"));
    header.SetCategoryBand(cabrillo("CategoryBand"));
    header.SetCategoryPower(cabrillo("CategoryPower"));
    header.SetCategoryMode(cabrillo("CategoryMode"));
    header.SetCategoryStation(cabrillo("CategoryStation"));
    header.SetClub(cabrillo("Club"));
    header.SetName(cabrillo("Name"));
    const QString filepath = cabrillo("Filepath");
    header.SetFilepath(filepath.isEmpty() ? DocumentsFolder() : filepath);
    QStringList address;
    for (int i = 0; i < ReadAddressLines; ++i) {
        const QString line = ini.ReadString(SectionAddress, QStringLiteral("Address%1").arg(i), QString());
        if (!line.isEmpty())
            address << line;
    }
    header.SetAddress(address);
}

void TDMLog::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    const TLogInterface& log = *FLogInterface;
    const TContest& contest = log.Contest();

    ini.WriteInteger(SectionLog, QStringLiteral("MaxQSOs"), int32_t(log.MaxQSOs()));
    ini.WriteString(SectionLog, QStringLiteral("LogFolder"), log.LogFolder());
    ini.WriteString(SectionLog, QStringLiteral("LogFileName"), log.LogFileName());
    ini.WriteInteger(SectionLog, QStringLiteral("LoggingMode"), log.LoggingMode() == lmContest ? 1 : 0);
    ini.WriteBool(SectionLog, QStringLiteral("NumbersOnlySerialRX"), contest.NumbersOnlySerialRX());
    ini.WriteBool(SectionLog, QStringLiteral("NumbersOnlySerialTX"), contest.NumbersOnlySerialTX());
    ini.WriteBool(SectionLog, QStringLiteral("IncrementSerialNumbers"), contest.IncrementSerialNumbersTX());
    ini.WriteBool(SectionLog, QStringLiteral("ContestCQZone"), contest.SetCQZone());
    ini.WriteBool(SectionLog, QStringLiteral("ContestUSState"), contest.SetUSState());
    ini.WriteInteger(SectionLog, QStringLiteral("NextSerialNumber"), int32_t(contest.NextSerialNumber()));
    ini.WriteString(SectionLog, QStringLiteral("LastSerialNumber"), contest.LastSerialNumber());
    const TLogBookColumns columns = log.LogBookColumns();
    ini.WriteBool(SectionLog, QStringLiteral("ShowGridLocator"), columns.Contains(colGrid));
    ini.WriteBool(SectionLog, QStringLiteral("ShowUSState"), columns.Contains(colUSState));
    ini.WriteBool(SectionLog, QStringLiteral("ShowQSL"), columns.Contains(colQSL));
    ini.WriteBool(SectionLog, QStringLiteral("ShowQSLLoTW"), columns.Contains(colQSLLoTW));
    ini.WriteBool(SectionLog, QStringLiteral("ShowQSLeQSL"), columns.Contains(colQSLeQSL));
    ini.WriteString(SectionLog, QStringLiteral("LastADIFExport"), log.LastADIFExport());
    ini.WriteString(SectionLog, QStringLiteral("LastLoTWExport"), log.LastLoTWExport());
    ini.WriteString(SectionLog, QStringLiteral("LastImportFolder"), log.LastImportFolder());
    ini.WriteString(SectionLog, QStringLiteral("LastExportFolder"), log.LastExportFolder());
    ini.WriteString(SectionLog, QStringLiteral("LastLoTWExportFolder"), log.LastLoTWExportFolder());
    ini.WriteBool(SectionLog, QStringLiteral("SearchBandAndMode"), log.SearchLogBandAndMode());

    const TQRZInterface& qrz = *FQRZInterface;
    ini.WriteBool(SectionQRZ, QStringLiteral("UseQRZInterface"), qrz.UseQRZ());
    ini.WriteString(SectionQRZ, QStringLiteral("Username"), qrz.MyUsername());
    ini.WriteString(SectionQRZ, QStringLiteral("Password"), qrz.MyPassword());
    ini.WriteBool(SectionQRZ, QStringLiteral("ImmediateLookup"), qrz.ImmediateLookup());

    const TLoTWInterface& lotw = *log.LoTWInterface();
    ini.WriteString(SectionLoTW, QStringLiteral("LoTWUsername"), lotw.LoTWUsername());
    ini.WriteString(SectionLoTW, QStringLiteral("LoTWPassword"), lotw.LoTWPassword());
    ini.WriteString(SectionLoTW, QStringLiteral("LoTWReportPath"), lotw.LoTWReportPath());
    ini.WriteString(SectionLoTW, QStringLiteral("LoTWLastQSL"), lotw.LoTWLastQSLAsString());

    const TCabrilloHeader& header = log.CabrilloHeader();
    const std::pair<const char*, QString> values[] = {
        {"Contest", header.Contest()},
        {"Callsign", header.Callsign()},
        {"CategoryOperator", header.CategoryOperator()},
        {"CategoryTransmitter", header.CategoryTransmitter()},
        {"CategoryAssisted", header.CategoryAssisted()},
        {"CategoryBand", header.CategoryBand()},
        {"CategoryPower", header.CategoryPower()},
        {"CategoryMode", header.CategoryMode()},
        {"CategoryStation", header.CategoryStation()},
        {"Club", header.Club()},
        {"Name", header.Name()},
        {"Filepath", header.Filepath()},
    };
    for (const auto& [key, value] : values)
        ini.WriteString(SectionCabrillo, QLatin1String(key), value);
    // A shortened address must not find its old last lines again.
    ini.EraseSection(SectionAddress);
    const QStringList& address = header.Address();
    for (int i = 0; i < address.size(); ++i)
        ini.WriteString(SectionAddress, QStringLiteral("Address%1").arg(i), address[i]);
}

void TDMLog::Open()
{
    if (FMyCallSource)
        FLogInterface->SetMyCall(FMyCallSource());
}

// ---- File actions --------------------------------------------------------------------------

void TDMLog::UpdateFileActions()
{
    const bool idle = !FImporting;
    for (QAction* a : {LogQSOAction, NewLogAction, OpenLogAction, ImportADIFAction, ExportADIFAction, ExportLoTWAction,
                       ExportCabrilloAction})
        a->setEnabled(idle);
}

void TDMLog::NewLogActionExecute()
{
    if (!FDialogs)
        return;
    TFileDialogOptions options;
    options.Folder = FLogInterface->LogFolder();
    options.Filter = LogFilter;
    options.DefaultSuffix = QStringLiteral("log");
    options.OverwritePrompt = true;
    const std::optional<QString> file = FDialogs->SaveFileName(options);
    if (!file)
        return;
    FLogInterface->SetLogFolder(FolderOf(*file));
    FLogInterface->SetLogFileName(QFileInfo(*file).fileName());
    FLogInterface->NewLogFile();
    FLogInterface->Open();
}

void TDMLog::OpenLogActionExecute()
{
    if (!FDialogs)
        return;
    TFileDialogOptions options;
    options.Folder = FLogInterface->LogFolder();
    options.Filter = LogFilter;
    options.DefaultSuffix = QStringLiteral("log");
    const std::optional<QString> file = FDialogs->OpenFileName(options);
    if (!file)
        return;
    FLogInterface->SetLogFolder(FolderOf(*file));
    FLogInterface->SetLogFileName(QFileInfo(*file).fileName());
    FLogInterface->Open();
}

QString TDMLog::ExportFolderFor(int Tag) const
{
    return Tag == 101 ? FLogInterface->LastExportFolder() : FLogInterface->LastLoTWExportFolder();
}

QString TDMLog::ProposedExportName(const QString& folder) const
{
    const QString call = vx::logtext::LowerAscii(FLogInterface->MyCall()).replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString date = vx::Clock::nowUtc().toLocalTime().date().toString(QStringLiteral("yyyyMMdd"));
    const QString prefix = call + QLatin1Char('_') + date + QLatin1Char('_');
    int highest = 0;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.adi")}, QDir::Files);
    for (const QString& name : files) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const qsizetype dot = name.indexOf(QLatin1Char('.'), prefix.size());
        bool ok = false;
        const int n = name.mid(prefix.size(), dot - prefix.size()).toInt(&ok);
        if (ok)
            highest = std::max(highest, n);
    }
    return QStringLiteral("%1%2.adi").arg(prefix).arg(highest + 1);
}

void TDMLog::ExportADIFActionExecute(int Tag)
{
    if (!FDialogs)
        return;
    TFileDialogOptions options;
    options.Folder = ExportFolderFor(Tag);
    options.FileName = ProposedExportName(options.Folder);
    options.Filter = ADIFFilter;
    options.DefaultSuffix = QStringLiteral("adi");
    options.OverwritePrompt = true;
    const std::optional<QString> file = FDialogs->SaveFileName(options);
    if (!file)
        return;
    switch (Tag) {
    case 101: FDialogs->ADIFExportDialog(*FLogInterface, *file); break;
    case 102: FDialogs->LoTWExportDialog(*FLogInterface, *file); break;
    case 103:
        if (const int32_t n = FLogInterface->eQSLExportPrepare(*file); n > 0)
            FDialogs->eQSLUploadDialog(*file, QStringLiteral("%1 QSOs exported to %2").arg(n).arg(*file));
        break;
    default: break;
    }
}

void TDMLog::ExportCabrilloActionExecute()
{
    FLogInterface->CabrilloExport();
}

void TDMLog::ImportADIFActionExecute()
{
    if (!FDialogs)
        return;
    TFileDialogOptions options;
    options.Folder = FLogInterface->LastImportFolder();
    options.Filter = ADIFFilter;
    options.DefaultSuffix = QStringLiteral("adi");
    const std::optional<QString> file = FDialogs->OpenFileName(options);
    if (!file)
        return;
    FImporting = true;
    UpdateFileActions();
    FLogInterface->SetLastImportFolder(FolderOf(*file));
    FLogInterface->ADIFImport(*file);
}

void TDMLog::DoLogInterfaceLogImport(const QString&, bool, int32_t, int32_t, int32_t, int32_t)
{
    if (FLogInterface->ImportRunning())
        return;
    FImporting = false;
    UpdateFileActions();
}

void TDMLog::LoTWDownloadActionExecute()
{
    if (FDialogs)
        FDialogs->LoTWDownloadDialog(*FLogInterface);
}

void TDMLog::ClearLogFilterActionExecute()
{
    FLogInterface->LogbookPanelClear();
    FLogInterface->FilterQSOs();
}

// ---- Logging mode and contest options ------------------------------------------------------

void TDMLog::RegularLoggingActionExecute()
{
    Click(RegularLoggingAction, &TDMLog::ApplyRegularLogging);
}

void TDMLog::ApplyRegularLogging()
{
    ContestLoggingAction->setChecked(!RegularLoggingAction->isChecked());
    if (RegularLoggingAction->isChecked()) {
        FLogInterface->SetLoggingMode(lmRegular);
        // Leaving contest mode switches the serial number options off.
        if (IncrementSerialNumbersTXAction->isChecked())
            IncrementSerialNumbersTXActionExecute();
        if (NumbersOnlySerialRXAction->isChecked())
            NumbersOnlySerialRXActionExecute();
        if (NumbersOnlySerialTXAction->isChecked())
            NumbersOnlySerialTXActionExecute();
    } else {
        FLogInterface->SetLoggingMode(lmContest);
    }
    ApplyLoggingMode();
}

void TDMLog::ContestLoggingActionExecute()
{
    Click(ContestLoggingAction, &TDMLog::ApplyContestLogging);
}

void TDMLog::ApplyContestLogging()
{
    const bool contest = ContestLoggingAction->isChecked();
    RegularLoggingAction->setChecked(!contest);
    FLogInterface->SetLoggingMode(contest ? lmContest : lmRegular);
    ApplyLoggingMode();
}

void TDMLog::ApplyLoggingMode()
{
    const bool contest = ContestLoggingAction->isChecked();
    IncrementSerialNumbersTXAction->setEnabled(contest);
    NumbersOnlySerialRXAction->setEnabled(contest);
    NumbersOnlySerialTXAction->setEnabled(contest && !IncrementSerialNumbersTXAction->isChecked());
    ContestSetCQZoneAction->setEnabled(contest);
    // The US state option is offered in contest mode only; switching modes leaves it as it is.
    ContestSetUSStateAction->setEnabled(contest);
    ContestSetUSStateAction->setVisible(contest);
}

void TDMLog::Toggle(QAction* action)
{
    action->setChecked(!action->isChecked());
}

void TDMLog::Click(QAction* action, void (TDMLog::*apply)())
{
    Toggle(action);
    (this->*apply)();
}

void TDMLog::ContestSetCQZoneActionExecute()
{
    Click(ContestSetCQZoneAction, &TDMLog::ApplyCQZone);
}

void TDMLog::ApplyCQZone()
{
    FLogInterface->Contest().SetSetCQZone(ContestSetCQZoneAction->isChecked());
}

void TDMLog::ContestSetUSStateActionExecute()
{
    if (!ContestLoggingAction->isChecked()) {
        ContestSetUSStateAction->setVisible(false);
        return;
    }
    ContestSetUSStateAction->setVisible(true);
    Toggle(ContestSetUSStateAction);
    ApplyUSState();
}

void TDMLog::ApplyUSState()
{
    FLogInterface->Contest().SetSetUSState(ContestSetUSStateAction->isChecked());
}

void TDMLog::IncrementSerialNumbersTXActionExecute()
{
    Click(IncrementSerialNumbersTXAction, &TDMLog::ApplyIncrementSerialNumbersTX);
}

void TDMLog::ApplyIncrementSerialNumbersTX()
{
    TContest& contest = FLogInterface->Contest();
    contest.SetIncrementSerialNumbersTX(IncrementSerialNumbersTXAction->isChecked());
    // Consecutive numbering switches numbers-only TX on: the action shows it.
    NumbersOnlySerialTXAction->setChecked(contest.NumbersOnlySerialTX());
    NumbersOnlySerialTXAction->setEnabled(ContestLoggingAction->isChecked() &&
                                          !IncrementSerialNumbersTXAction->isChecked());
}

void TDMLog::NumbersOnlySerialRXActionExecute()
{
    Click(NumbersOnlySerialRXAction, &TDMLog::ApplyNumbersOnlySerialRX);
}

void TDMLog::ApplyNumbersOnlySerialRX()
{
    FLogInterface->Contest().SetNumbersOnlySerialRX(NumbersOnlySerialRXAction->isChecked());
}

void TDMLog::NumbersOnlySerialTXActionExecute()
{
    Click(NumbersOnlySerialTXAction, &TDMLog::ApplyNumbersOnlySerialTX);
}

void TDMLog::ApplyNumbersOnlySerialTX()
{
    TContest& contest = FLogInterface->Contest();
    contest.SetNumbersOnlySerialTX(NumbersOnlySerialTXAction->isChecked());
    // It stays on while consecutive numbering is on.
    NumbersOnlySerialTXAction->setChecked(contest.NumbersOnlySerialTX());
}

// ---- Columns -------------------------------------------------------------------------------

void TDMLog::ApplyColumn(QAction* action, TLogBookColumn column)
{
    TLogBookColumns columns = FLogInterface->LogBookColumns();
    if (action->isChecked())
        columns.Include(column);
    else
        columns.Exclude(column);
    FLogInterface->SetLogBookColumns(columns);
}

void TDMLog::ShowGridLocatorActionExecute()
{
    Toggle(ShowGridLocatorAction);
    ApplyColumn(ShowGridLocatorAction, colGrid);
}

void TDMLog::ShowUSStateActionExecute()
{
    Toggle(ShowUSStateAction);
    ApplyColumn(ShowUSStateAction, colUSState);
}

void TDMLog::ShowQSLActionExecute()
{
    Toggle(ShowQSLAction);
    ApplyColumn(ShowQSLAction, colQSL);
}

void TDMLog::ShowQSLLoTWActionExecute()
{
    Toggle(ShowQSLLoTWAction);
    ApplyColumn(ShowQSLLoTWAction, colQSLLoTW);
}

void TDMLog::ShowQSLeQSLActionExecute()
{
    Toggle(ShowQSLeQSLAction);
    ApplyColumn(ShowQSLeQSLAction, colQSLeQSL);
}
