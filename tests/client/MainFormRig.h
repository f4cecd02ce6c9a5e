#pragma once
// The main window on the program's own data modules, with the radio simulator on the CAT port,
// a settings folder and a message bus of the test's own and the manual clock.  The window's
// screen, the modules' start and stop, its dialogs and message boxes are doubles that record
// what happened.

#include "client/DataModules.h"
#include "client/widgets/MainForm.h"
#include "client/widgets/RCMPanel.h"
#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/IniStore.h"
#include "core/cat/FTCATInterface.h"
#include "keying/widgets/CWPanel.h"
#include "keying/widgets/MessagePanel.h"
#include "keying/widgets/RTTYPanel.h"
#include "keying/widgets/SendBufferEdit.h"
#include "keying/widgets/YaesuRotatorPanel.h"
#include "log/LogRecord.h"
#include "log/widgets/LogPanel.h"
#include "log/widgets/LogPanelControls.h"
#include "platform/Clock.h"
#include "tests/core/ModuleDoubles.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace clienttest {

class TestMainForm : public TMainForm {
public:
    using TMainForm::TMainForm;

    int Screen = 1920;
    int Starts = 0;
    int Stops = 0;
    int Restarts = 0;
    // Made for the Settings action; a stand-in that answers Cancel when unset.
    std::function<std::unique_ptr<TSettingsDlgLink>()> SettingsDlg;
    // Plays the modal dialog; Cancel when unset.
    std::function<int(QDialog&)> Dialog;
    QStringList Messages; // "Information: text", "Error: text" …
    QStringList Urls;

    // The dialog the program's own Settings action makes.
    std::unique_ptr<TSettingsDlgLink> ProgramSettingsDlg() { return TMainForm::CreateSettingsDlg(); }

protected:
    int ScreenWidth() const override { return Screen; }
    void StartModules() override
    {
        ++Starts;
        TMainForm::StartModules();
    }
    void StopModules() override
    {
        ++Stops;
        TMainForm::StopModules();
    }
    void RestartModules() override
    {
        ++Restarts;
        TMainForm::RestartModules();
    }
    std::unique_ptr<TSettingsDlgLink> CreateSettingsDlg() override;
    int ExecuteDialog(QDialog& dialog) override { return Dialog ? Dialog(dialog) : int(QDialog::Rejected); }
    void ShowMessage(TMessageKind kind, const QString&, const QString& text) override
    {
        static const char* const kinds[] = {"Information", "Warning", "Error"};
        Messages << QString::fromLatin1(kinds[int(kind)]) + QStringLiteral(": ") + text;
    }
    void OpenUrl(const QString& url) override { Urls << url; }
};

// The settings dialog as a test plays it: its answer and what it reports changed.
class SettingsDlgDouble : public TSettingsDlgLink {
public:
    QString LastSetting() const override { return FLast; }
    void SetLastSetting(const QString& value) override { FLast = value; }
    void FindLastSetting() override {}
    int Execute() override
    {
        if (OnExecute)
            OnExecute();
        return Result;
    }
    bool ChangedApplicationType() const override { return ApplicationType; }
    bool ChangedDXCluster() const override { return DXCluster; }
    bool ChangedCodec() const override { return Codec; }

    int Result = QDialog::Accepted;
    bool ApplicationType = false;
    bool DXCluster = false;
    bool Codec = false;
    std::function<void()> OnExecute;

private:
    QString FLast;
};

inline std::unique_ptr<TSettingsDlgLink> TestMainForm::CreateSettingsDlg()
{
    if (SettingsDlg)
        return SettingsDlg();
    auto dlg = std::make_unique<SettingsDlgDouble>();
    dlg->Result = QDialog::Rejected;
    return dlg;
}

class MainFormRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual();
        UseRadio(FT2000);
    }
    void TearDown() override
    {
        Destroy();
        vx::Clock::useSystem();
    }
    // The window, then the modules, as the program ends.
    void Destroy()
    {
        Form.reset();
        Modules.reset();
        Counted = nullptr;
    }

    void UseRadio(TTransceiver model)
    {
        Radio = std::make_unique<vxtest::RadioSimulator>(model);
        ASSERT_TRUE(Radio->ok());
    }
    // Settings as a user left them: the radio's port and model, a role, and what `more` adds.
    void Store(TApplicationType role = isLocal, TTransceiver model = FT2000,
               const std::function<void(TIniStore&)>& more = {})
    {
        static const char* const models[] = {"FT2000", "FT2000D", "FT950", "FTDX5000"};
        TIniStore ini(TDMApplication::SettingsFileName());
        ini.WriteInteger("Client\\Application", "ApplicationType", role);
        ini.WriteString("Client\\RadioCOMPort", "Port", Radio->portName());
        ini.WriteString("Client\\UserInterface", "Transceiver", models[model]);
        ini.WriteBool("Client\\UserInterface", "AutoDetect", false);
        if (more)
            more(ini);
        ASSERT_TRUE(ini.UpdateFile());
    }
    // One complete remote station, chosen: its control port 1 on 127.0.0.1 (where nothing
    // listens) and the given audio port.
    static void StoreStation(TIniStore& ini, int audioPort = 0)
    {
        const QString s = "Client\\RemoteBases\\Base0";
        ini.WriteString(s, "Hostname", "Shack");
        ini.WriteString(s, "IP", "127.0.0.1");
        ini.WriteInteger(s, "Port", 1);
        ini.WriteString(s, "Username", "DL1ABC");
        ini.WriteString(s, "Password", "secret");
        ini.WriteInteger(s, "AudioPort", audioPort);
        ini.WriteBool(s, "Active", true);
    }
    // A new, empty log book "test.log" in a folder of the test's own, chosen as the log.
    void StoreLog(TIniStore& ini)
    {
        ASSERT_TRUE(LogDir.isValid());
        QFile file(LogPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((TLogRecord::FileHeader() + QStringLiteral("\r\n")).toUtf8());
        file.close();
        ini.WriteString("Client\\Log", "LogFolder", LogDir.path());
        ini.WriteString("Client\\Log", "LogFileName", "test.log");
    }
    QString LogPath() const { return LogDir.filePath(QStringLiteral("test.log")); }
    QString LogText() const
    {
        QFile file(LogPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void StoreView(TIniStore& ini, int view) { ini.WriteInteger("Client\\Application", "CompactView", view); }
    // Every panel record stored hidden (or shown).
    static void StorePanels(TIniStore& ini, bool visible)
    {
        for (const char* panel : {"Messages", "CW", "Log", "RTTY", "RCM", "Rotator"})
            ini.WriteBool(QStringLiteral("Client\\Panels\\") + panel, "Visible", visible);
    }

    // The modules, then the window's first stage.
    void Create(int screenWidth = 1920)
    {
        Modules = CreateClientDataModules();
        Form = std::make_unique<TestMainForm>(Modules.get());
        Form->Screen = screenWidth;
        Form->FormCreate();
    }
    // Shown and active, as the program shows it after the first stage.
    void Show()
    {
        Form->show();
        QApplication::setActiveWindow(Form.get());
        Form->activateWindow();
        ASSERT_TRUE(vxtest::waitUntil([&] { return QApplication::activeWindow() == Form.get(); }));
    }
    // The second and third stages.
    void RunStages()
    {
        vx::Clock::advance(TMainForm::StartTimer1Interval);
        vx::Clock::advance(TMainForm::StartTimer2Interval);
    }
    void CreateAndStart(int screenWidth = 1920)
    {
        Create(screenWidth);
        Show();
        RunStages();
    }
    // The radio answers as if polled, the engine takes every answer.
    bool RadioSays(const QByteArray& reports)
    {
        const int before = Answers;
        TFTCATInterface* cat = Cat();
        if (Counted != cat) {
            Counted = cat;
            cat->OnCATCommandRX = [this, inner = cat->OnCATCommandRX](const QString& s) {
                ++Answers;
                if (inner)
                    inner(s);
            };
        }
        Radio->push(reports);
        const int count = int(reports.count(';'));
        return vxtest::waitUntil([&] { return Answers - before >= count; });
    }
    TFTCATInterface* Cat() const { return Modules->Radio()->FTCATInterface(); }
    TDMApplication* App() const { return Modules->Application(); }
    // The radio's commands received so far, waiting a moment for the pty to carry them (or
    // for one that begins with `expected`).
    QStringList RadioCommands(const QString& expected = {})
    {
        if (!expected.isEmpty())
            vxtest::waitUntil([&] { return !Radio->commands().filter(QRegularExpression("^" + expected)).isEmpty(); },
                              2000);
        else
            vxtest::spin(50);
        return Radio->commands();
    }
    // Lets the layouts follow the size changes made.
    static void Settle() { vxtest::spin(30); }
    // An offscreen render of the whole window beside the build ("main-window-<name>.png").
    bool SaveArtifact(const QString& name, qreal ratio = 1.0)
    {
        Settle();
        QImage image(Form->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        Form->render(&image);
        return image.save(QStringLiteral(VX_BUILD_DIR "/main-window-") + name + QStringLiteral(".png"));
    }

    vxtest::PrivateBus Bus;
    QTemporaryDir LogDir;
    ScopedConfigHome Home;
    std::unique_ptr<vxtest::RadioSimulator> Radio;
    std::unique_ptr<TDataModules> Modules;
    std::unique_ptr<TestMainForm> Form;
    int Answers = 0;
    // The engine whose answers are counted.
    TFTCATInterface* Counted = nullptr;
};

} // namespace clienttest
