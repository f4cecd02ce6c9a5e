// The log data module: its actions, its settings, the logging-mode pair with the contest
// options, proposed export names, and the actions an import locks.
#include "core/DMApplication.h"
#include "log/DMLog.h"
#include "log/LoTWInterface.h"
#include "log/LogStatistics.h"
#include "log/QRZInterface.h"
#include "platform/Clock.h"
#include "tests/support/Wait.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "DialogsDouble.h"
#include "QStringPrint.h"

namespace {

const QString SectionLog = QStringLiteral("Client\\Log");


class LogModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(QDateTime(QDate(2024, 6, 15), QTime(12, 0), Qt::UTC));
        QFile::remove(TDMApplication::SettingsFileName());
        app = std::make_unique<TDMApplication>();
        module = std::make_unique<TDMLog>();
        module->SetDialogs(&dialogs);
    }
    void TearDown() override
    {
        module.reset();
        app.reset();
        vx::Clock::useSystem();
    }
    TIniStore& ini() { return *app->IniRegistry(); }
    TLogInterface& log() { return *module->LogInterface(); }
    // Stop and start of the subsystems: settings written, a new module reads them.
    void Restart()
    {
        module->IniWrite();
        module = std::make_unique<TDMLog>();
        module->SetDialogs(&dialogs);
        module->IniRead();
    }

    // A new, empty log of DJ3EI in the folder, open.
    void OpenNewLog(const QString& folder)
    {
        log().SetMyCall("DJ3EI");
        log().SetLogFolder(folder);
        log().SetLogFileName("test.log");
        log().NewLogFile();
        int loaded = 0;
        log().OnLogLoaded = [&] { ++loaded; };
        log().Open();
        ASSERT_TRUE(vxtest::waitUntil([&] { return loaded == 1; }));
        log().OnLogLoaded = nullptr;
    }

    std::unique_ptr<TDMApplication> app;
    std::unique_ptr<TDMLog> module;
    DialogsDouble dialogs;
};

} // namespace

TEST_F(LogModule, ActionsWithCaptionsAndStates)
{
    const QList<QAction*> actions = module->Actions();
    ASSERT_EQ(actions.size(), 22);
    EXPECT_EQ(module->ExportCabrilloAction->text(), "Export &Cabrillo...");
    EXPECT_EQ(module->ClearLogFilterAction->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F11));
    int shortcuts = 0;
    for (QAction* a : actions)
        shortcuts += !a->shortcut().isEmpty();
    EXPECT_EQ(shortcuts, 1);
    EXPECT_TRUE(module->RegularLoggingAction->isChecked());
    EXPECT_FALSE(module->ContestSetUSStateAction->isVisible());
    EXPECT_FALSE(module->ExporteQSLAction->isVisible());
    for (QAction* a : {module->ExportADIFAction, module->ExportLoTWAction, module->LoTWDownloadAction})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(module->ExportLoTWAction->text(), "LoTW Export and Upload...");
    EXPECT_TRUE(module->ImportADIFAction->isEnabled());
}

TEST_F(LogModule, FreshSettings)
{
    module->IniRead();
    EXPECT_EQ(log().MaxQSOs(), 3000u);
    EXPECT_EQ(log().LoggingMode(), lmRegular);
    EXPECT_TRUE(module->RegularLoggingAction->isChecked());
    EXPECT_FALSE(module->ContestLoggingAction->isChecked());
    EXPECT_EQ(log().LogFolder(), TDMLog::DocumentsFolder());
    EXPECT_FALSE(TDMLog::DocumentsFolder().isEmpty());
    EXPECT_EQ(log().LogBookColumns(), TLogBookColumns({colGrid, colUSState, colQSL, colQSLLoTW}));
    EXPECT_FALSE(module->ShowQSLeQSLAction->isChecked());
    EXPECT_TRUE(module->ShowQSLLoTWAction->isChecked());
    EXPECT_TRUE(log().SearchLogBandAndMode());
    EXPECT_EQ(log().LoTWInterface()->LoTWLastQSL(), QDate());
    EXPECT_EQ(log().CabrilloHeader().Filepath(), TDMLog::DocumentsFolder());
    EXPECT_EQ(log().Contest().NextSerialNumber(), 1u);
}

TEST_F(LogModule, LoggingModeSetting)
{
    for (const auto& [value, contest] : {std::pair{0, false}, {1, true}, {2, false}, {-1, false}}) {
        ini().WriteInteger(SectionLog, "LoggingMode", value);
        module->IniRead();
        EXPECT_EQ(log().LoggingMode(), contest ? lmContest : lmRegular) << value;
        EXPECT_EQ(module->ContestLoggingAction->isChecked(), contest) << value;
        EXPECT_EQ(module->RegularLoggingAction->isChecked(), !contest) << value;
        EXPECT_EQ(module->IncrementSerialNumbersTXAction->isEnabled(), contest) << value;
        EXPECT_EQ(module->ContestSetUSStateAction->isVisible(), contest) << value;
    }
    module->IniWrite();
    EXPECT_EQ(ini().ReadInteger(SectionLog, "LoggingMode", -5), 0);
}

TEST_F(LogModule, TheLoggingModePair)
{
    module->IniRead();
    // Clicking the checked "Regular" switches to contest mode.
    module->RegularLoggingAction->trigger();
    EXPECT_EQ(log().LoggingMode(), lmContest);
    EXPECT_TRUE(module->ContestLoggingAction->isChecked());
    EXPECT_TRUE(module->NumbersOnlySerialRXAction->isEnabled());
    EXPECT_TRUE(module->ContestSetCQZoneAction->isEnabled());
    EXPECT_TRUE(module->ContestSetUSStateAction->isVisible());
    // Switching modes leaves the US state option as the operator set it.
    EXPECT_FALSE(log().Contest().SetUSState());

    module->IncrementSerialNumbersTXAction->trigger();
    module->NumbersOnlySerialRXAction->trigger();
    module->ContestSetUSStateAction->trigger();
    EXPECT_TRUE(log().Contest().IncrementSerialNumbersTX());
    EXPECT_TRUE(log().Contest().NumbersOnlySerialTX()); // comes with consecutive numbers
    EXPECT_TRUE(module->NumbersOnlySerialTXAction->isChecked());
    EXPECT_FALSE(module->NumbersOnlySerialTXAction->isEnabled());
    EXPECT_TRUE(log().Contest().SetUSState());

    // Leaving contest mode through "Regular" switches the serial number options off.
    module->RegularLoggingActionExecute();
    EXPECT_EQ(log().LoggingMode(), lmRegular);
    EXPECT_FALSE(log().Contest().IncrementSerialNumbersTX());
    EXPECT_FALSE(log().Contest().NumbersOnlySerialRX());
    EXPECT_FALSE(log().Contest().NumbersOnlySerialTX());
    EXPECT_FALSE(module->IncrementSerialNumbersTXAction->isEnabled());
    EXPECT_FALSE(module->ContestSetUSStateAction->isVisible());
    EXPECT_TRUE(log().Contest().SetUSState());

    // Through "Contest" the options stay as they are.
    module->ContestLoggingActionExecute();
    module->NumbersOnlySerialRXActionExecute();
    module->ContestLoggingActionExecute();
    EXPECT_EQ(log().LoggingMode(), lmRegular);
    EXPECT_TRUE(module->RegularLoggingAction->isChecked());
    EXPECT_TRUE(log().Contest().NumbersOnlySerialRX());
    EXPECT_TRUE(log().Contest().SetUSState());
}

TEST_F(LogModule, ColumnActions)
{
    module->IniRead();
    int changes = 0;
    log().OnInitializeColumns = [&] { ++changes; };
    module->ShowQSLeQSLActionExecute();
    module->ShowGridLocatorAction->trigger();
    EXPECT_EQ(log().LogBookColumns(), TLogBookColumns({colUSState, colQSL, colQSLLoTW, colQSLeQSL}));
    EXPECT_EQ(changes, 2);
    Restart();
    EXPECT_EQ(log().LogBookColumns(), TLogBookColumns({colUSState, colQSL, colQSLLoTW, colQSLeQSL}));
    EXPECT_FALSE(module->ShowGridLocatorAction->isChecked());
    EXPECT_TRUE(module->ShowQSLeQSLAction->isChecked());
}

TEST_F(LogModule, SettingsRoundTrip)
{
    module->IniRead();
    log().SetMaxQSOs(500);
    log().SetLogFileName("my.log");
    log().SetLastExportFolder("/exports");
    log().SetLastADIFExport("20240101");
    log().Contest().SetNextSerialNumber(42);
    log().LoTWInterface()->SetLoTWUsername("dj3ei");
    log().LoTWInterface()->SetLoTWPassword("p&ss word");
    log().LoTWInterface()->SetLoTWLastQSLAsString("2024-05-03");
    log().CabrilloHeader().SetContest("IARU-HF");
    log().CabrilloHeader().SetCategoryPower("QRP");
    Restart();
    EXPECT_EQ(log().MaxQSOs(), 500u);
    EXPECT_EQ(log().LogFileName(), "my.log");
    EXPECT_EQ(log().LastADIFExport(), "20240101");
    // The LoTW folder falls back to the export folder, the report folder to that.
    EXPECT_EQ(log().LastLoTWExportFolder(), "/exports");
    EXPECT_EQ(log().LoTWInterface()->LoTWReportPath(), "/exports");
    EXPECT_EQ(log().Contest().NextSerialNumber(), 42u);
    EXPECT_EQ(log().LoTWInterface()->LoTWUsername(), "dj3ei");
    EXPECT_EQ(log().LoTWInterface()->LoTWPassword(), "p&ss word");
    EXPECT_EQ(log().LoTWInterface()->LoTWLastQSLAsString(), "2024-05-03");
    EXPECT_EQ(log().CabrilloHeader().Contest(), "IARU-HF");
    EXPECT_EQ(log().CabrilloHeader().CategoryPower(), "QRP");
    EXPECT_EQ(ini().ReadString("Client\\LoTW", "LoTWLastQSL", {}), "2024-05-03");
}

// The passwords are kept as typed, in a settings file only its owner can read.
TEST_F(LogModule, CallbookSettingsAndPasswords)
{
    module->IniRead();
    TQRZInterface& qrz = *module->QRZInterface();
    EXPECT_FALSE(qrz.UseQRZ());
    QList<bool> changes;
    qrz.OnUseQRZ = [&](bool v) { changes << v; };
    qrz.SetUseQRZ(true);
    qrz.SetMyUsername("k1xyz");
    qrz.SetMyPassword("pa;ss w=rd");
    qrz.SetImmediateLookup(true);
    log().LoTWInterface()->SetLoTWPassword("p&ss word#1");
    module->IniWrite();
    EXPECT_EQ(ini().ReadString("Client\\QRZ", "Password", {}), "pa;ss w=rd");
    EXPECT_EQ(ini().ReadString("Client\\LoTW", "LoTWPassword", {}), "p&ss word#1");
    EXPECT_TRUE(ini().ReadBool("Client\\QRZ", "UseQRZInterface", false));
    const QFile::Permissions mode = QFile::permissions(TDMApplication::SettingsFileName());
    EXPECT_EQ(mode & ~(QFile::ReadUser | QFile::WriteUser), QFile::ReadOwner | QFile::WriteOwner);

    Restart();
    const TQRZInterface& again = *module->QRZInterface();
    EXPECT_TRUE(again.UseQRZ());
    EXPECT_EQ(again.MyUsername(), "k1xyz");
    EXPECT_EQ(again.MyPassword(), "pa;ss w=rd");
    EXPECT_TRUE(again.ImmediateLookup());
    EXPECT_EQ(changes, QList<bool>({true}));
}

// Each export action opens its dialog with the chosen file; eQSL only when its queue held QSOs.
TEST_F(LogModule, ExportActionsOpenTheirDialogs)
{
    QTemporaryDir folder;
    module->IniRead();
    ASSERT_NO_FATAL_FAILURE(OpenNewLog(folder.path()));
    const QString file = folder.filePath("out.adi");
    dialogs.Answer = file;
    module->ExportADIFAction->trigger();
    module->ExportLoTWAction->trigger();
    module->ExporteQSLAction->trigger(); // nothing queued: no dialog
    module->LoTWDownloadAction->trigger();
    EXPECT_EQ(dialogs.QSLShown, QStringList({"ADIF " + file, "LoTW " + file, "Download"}));

    TLogRecord r;
    r.SetCall("AA1A");
    r.SetQSODateAsString("20240101");
    r.SetTimeOnAsString("120000");
    r.SetQSLeQSLSent("Q");
    ASSERT_TRUE(log().AddQSO(r));
    dialogs.QSLShown.clear();
    module->ExporteQSLAction->trigger();
    EXPECT_EQ(dialogs.QSLShown, QStringList({"eQSL " + file + " | 1 QSOs exported to " + file}));
}

TEST_F(LogModule, CabrilloAddressStaysAsShortAsItWasMade)
{
    module->IniRead();
    log().CabrilloHeader().SetAddress({"Street 1", "12345 Town", "Germany"});
    Restart();
    EXPECT_EQ(log().CabrilloHeader().Address(), QStringList({"Street 1", "12345 Town", "Germany"}));
    module->IniRead(); // read twice: the same lines
    EXPECT_EQ(log().CabrilloHeader().Address().size(), 3);

    log().CabrilloHeader().SetAddress({"Street 1, 12345 Town, Germany"});
    Restart();
    EXPECT_EQ(log().CabrilloHeader().Address(), QStringList({"Street 1, 12345 Town, Germany"}));
}

TEST_F(LogModule, ProposedExportNameCountsOnFromTodaysFiles)
{
    QTemporaryDir folder;
    log().SetMyCall("DJ3EI/P");
    EXPECT_EQ(module->ProposedExportName(folder.path()), "dj3ei_p_20240615_1.adi");
    for (const char* name : {"dj3ei_p_20240615_1.adi", "dj3ei_p_20240615_2.adi", "dj3ei_p_20240615_x.adi",
                             "dj3ei_p_20240614_7.adi", "dl1abc_20240615_9.adi"}) {
        QFile f(folder.filePath(name));
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_EQ(module->ProposedExportName(folder.path()), "dj3ei_p_20240615_3.adi");

    module->ExportADIFActionExecute(101);
    ASSERT_EQ(dialogs.Asked.size(), 1);
    EXPECT_EQ(dialogs.Asked[0].Filter, "ADIF Files (*.adi)");
    EXPECT_TRUE(dialogs.Asked[0].OverwritePrompt);
}

TEST_F(LogModule, AnImportLocksTheLogActionsUntilItsResult)
{
    QTemporaryDir folder;
    module->IniRead();
    ASSERT_NO_FATAL_FAILURE(OpenNewLog(folder.path()));

    const QList<QAction*> locked = {module->LogQSOAction,     module->NewLogAction,     module->OpenLogAction,
                                    module->ImportADIFAction, module->ExportADIFAction, module->ExportLoTWAction,
                                    module->ExportCabrilloAction};
    QFile adif(folder.filePath("in.adi"));
    adif.open(QIODevice::WriteOnly);
    adif.write("<EOH><CALL:4>AA1A<QSO_DATE:8>20240101<TIME_ON:4>1200<EOR>");
    adif.close();
    for (const QString& file : {folder.filePath("in.adi"), folder.filePath("missing.adi")}) {
        dialogs.Answer = file;
        module->ImportADIFAction->trigger();
        for (QAction* a : locked)
            EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        ASSERT_TRUE(vxtest::waitUntil([&] { return module->ImportADIFAction->isEnabled(); }));
        for (QAction* a : locked)
            EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        EXPECT_EQ(log().LastImportFolder(), folder.path());
    }
    EXPECT_EQ(dialogs.Asked.last().Folder, folder.path());

    // A cancelled dialog locks nothing.
    dialogs.Answer.reset();
    module->ImportADIFActionExecute();
    EXPECT_TRUE(module->LogQSOAction->isEnabled());
}

TEST_F(LogModule, NewAndOpenLogThroughTheFileDialog)
{
    QTemporaryDir folder;
    module->IniRead();
    log().SetMyCall("DJ3EI");
    dialogs.Answer = folder.filePath("new.log");
    module->NewLogAction->trigger();
    EXPECT_EQ(log().LogFolder(), folder.path());
    EXPECT_EQ(log().LogFileName(), "new.log");
    EXPECT_TRUE(QFile::exists(folder.filePath("new.log")));
    EXPECT_EQ(dialogs.Asked.last().Filter, "Log Files (*.log)");

    dialogs.Answer.reset();
    module->OpenLogActionExecute();
    EXPECT_EQ(log().LogFileName(), "new.log");
    EXPECT_EQ(dialogs.Asked.last().Folder, folder.path());
}

TEST_F(LogModule, OpenTakesTheOwnCallSign)
{
    module->SetMyCallSource([] { return QStringLiteral("dj3ei"); });
    module->Open();
    EXPECT_EQ(log().MyCall(), "DJ3EI");
}

// The module's statistics count its own log, and loading a log empties them.
TEST_F(LogModule, StatisticsFollowTheLog)
{
    TLogStatisticsV2* stats = module->LogStatistics();
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->LogInterface(), &log());
    EXPECT_TRUE(stats->Bands().Contains(bd2));
    EXPECT_FALSE(stats->Bands().Contains(bd70c));

    QTemporaryDir folder;
    log().SetMyCall("DJ3EI");
    log().SetLogFolder(folder.path());
    log().SetLogFileName("test.log");
    log().NewLogFile();
    int finished = 0;
    stats->OnFinished = [&] { ++finished; };
    stats->SetStatisticsType(statZones);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !stats->ThreadIsRunning(); }));
    EXPECT_EQ(finished, 1);
    log().Open();
    ASSERT_TRUE(vxtest::waitUntil([&] { return finished == 2; }));
    EXPECT_TRUE(stats->StatisticsList().empty());
}
