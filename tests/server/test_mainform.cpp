// The server's main window on a simulated radio and WinKeyer: status display, the height by
// the panels shown, the CAT port retried every 3000 ms, the guarded device steps, the power
// button, the end of the desktop session and the window without a notification area.
#include "ServerTestUtils.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/Shape.h"
#include "core/CATCommandWriter.h"
#include "core/cat/TX.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMRTTY.h"
#include "platform/SerialPort.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"
#include "platform/MessageBus.h"
#include "tests/support/PrivateBus.h"
#include "server/widgets/ServerArt.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

namespace {

// The window with an OpenDevices whose first step fails on demand.
class FailingCATForm : public TServerMainForm {
public:
    using TServerMainForm::TServerMainForm;
    bool FailCAT = false;

protected:
    void OpenCAT() override
    {
        if (FailCAT)
            throw std::runtime_error("no CAT today");
        TServerMainForm::OpenCAT();
    }
};

int Count(const QStringList& list, const QString& item)
{
    return int(list.count(item));
}

} // namespace

TEST_F(ServerWindowTest, ShowsTheRadioAndTheKeyerOnTheirPorts)
{
    vxtest::RadioSimulator radio(FT2000);
    vxtest::WinKeyerSimulator keyer;
    ASSERT_TRUE(radio.ok() && keyer.ok());
    radio.setFrequency(vfoA, 14074000);
    radio.setFrequency(vfoB, 7012340);
    radio.setMode(vfoA, mdUSB);
    radio.setMode(vfoB, mdAM);
    radio.setValue("PC", "100");
    Configure([&](TIniStore& ini) { ConfigurePorts(ini, radio.portName(), keyer.portName()); });
    Start();

    EXPECT_EQ(form->windowTitle(), "Vornix Server");
    EXPECT_EQ(form->width(), TServerMainForm::FormWidth);
    EXPECT_EQ(form->RadioCOMShape->BrushColor(), TServerMainForm::Green);
    EXPECT_EQ(form->RadioCOMLabel->toolTip(), radio.portName());
    EXPECT_FALSE(form->PanelWinKey->isHidden());
    EXPECT_TRUE(form->PanelDVK->isHidden());
    EXPECT_TRUE(form->PanelMMTTY->isHidden());
    EXPECT_TRUE(form->PanelIPC->isHidden());
    EXPECT_FALSE(form->FT2KTimer->isActive());
    EXPECT_TRUE(waitUntil([&] { return form->WKCOMShape->BrushColor() == TServerMainForm::Green; }, 5000));
    EXPECT_EQ(form->WKCOMLabel->toolTip(), keyer.portName());

    EXPECT_TRUE(waitUntil([&] { return form->FrequencyALabel->text() == "14,074,00"; }, 3000))
        << form->FrequencyALabel->text().toStdString();
    EXPECT_TRUE(waitUntil([&] { return form->ModeBLabel->text() == "AM"; }, 3000));
    EXPECT_EQ(form->FrequencyBLabel->text(), "7,012,34");
    EXPECT_EQ(form->ModeALabel->text(), "USB");
    EXPECT_EQ(form->PowerControlLabel->text(), QString("%1W").arg(Cat().TX()->PowerControlWatt()));
    // Packet on the upper sideband has no text of its own: the label stays.
    radio.setMode(vfoA, mdPKT_U);
    radio.push("MD0C;");
    EXPECT_TRUE(waitUntil([&] { return Cat().ModeA() == mdPKT_U; }, 3000));
    EXPECT_EQ(form->ModeALabel->text(), "USB");
    EXPECT_TRUE(waitUntil([&] { return form->PowerOn(); }, 5000));
    EXPECT_EQ(form->PowerSwitchButton->text(), "Power is on");
    EXPECT_TRUE(form->PowerSwitchButton->isChecked());

    form->show();
    EXPECT_TRUE(SaveArtifact(Render(*form), "server_mainform.png"));
    EXPECT_TRUE(SaveArtifact(Render(*form, 2.0), "server_mainform@2x.png"));
    EXPECT_EQ(Messages(), 0);
}

TEST_F(ServerWindowTest, TheWindowIs24PixelsShorterWithoutAWinKeyerPort)
{
    vxtest::RadioSimulator radio(FT2000);
    Configure([&](TIniStore& ini) { ConfigurePorts(ini, radio.portName(), "/dev/ttyUSB9"); });
    Start();
    const int withKeyer = form->height();
    EXPECT_EQ(withKeyer, form->PanelsHeight());
    EXPECT_EQ(withKeyer, 24 + 24 + 105 + 24 + 140);
    Stop();

    Configure([&](TIniStore& ini) { ConfigurePorts(ini, radio.portName(), ""); });
    Start();
    EXPECT_TRUE(form->PanelWinKey->isHidden());
    EXPECT_EQ(form->height(), withKeyer - 24);
    // No keyer is tried without a port.
    EXPECT_FALSE(form->WinKeyTimer->isActive());
    EXPECT_EQ(form->height(), TServerMainForm::MinFormHeight - TServerMainForm::FrameHeight);
}

TEST(ServerWindowTexts, FrequenciesAndModes)
{
    struct FrequencyCase {
        QLocale locale;
        int32_t hz;
        const char* text;
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const FrequencyCase frequencies[] = {
        {english, 14074000, "14,074,00"}, {english, 7000000, "7,000,00"}, {english, 1838000, "1,838,00"},
        {english, 50313000, "50,313,00"}, {english, 999990, "999,99"},    {german, 14074000, "14.074.00"},
        {english, 0, ""},
    };
    for (const FrequencyCase& c : frequencies) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(TServerMainForm::FrequencyText(c.hz), c.text) << c.hz;
    }
    QLocale::setDefault(QLocale::c());

    const std::pair<TMode, const char*> modes[] = {
        {mdLSB, "LSB"},   {mdUSB, "USB"},       {mdCW, "CW"},     {mdCW_R, "CW"}, {mdFM, "FM"},
        {mdAM, "AM"},     {mdFSK, "RTTY"},      {mdFSK_R, "RTTY"}, {mdPKT_L, "Packet"},
        {mdPKT_FM, ""},   {mdFM_N, ""},         {mdPKT_U, ""},
    };
    for (auto [mode, text] : modes)
        EXPECT_EQ(TServerMainForm::ModeText(mode), text) << int(mode);

    const std::pair<TCOMPortState, QColor> states[] = {{comInvalid, TServerMainForm::Red},
                                                       {ComError, TServerMainForm::Red},
                                                       {comClosed, TServerMainForm::Grey},
                                                       {comWaiting, TServerMainForm::Orange},
                                                       {comOpen, TServerMainForm::Green}};
    for (auto [state, colour] : states)
        EXPECT_EQ(TServerMainForm::PortStateColor(state), colour) << int(state);
}

TEST_F(ServerWindowTest, ALateCATPortOpensThroughTheRetry)
{
    vx::Clock::useManual();
    vxtest::RadioSimulator radio(FT2000);
    QTemporaryDir dir;
    const QString link = dir.filePath("radio");
    Configure([&](TIniStore& ini) { ConfigurePorts(ini, link, ""); });
    Start();
    EXPECT_TRUE(form->FT2KTimer->isActive());
    EXPECT_EQ(form->RadioCOMShape->BrushColor(), TServerMainForm::Red);
    vx::Clock::advance(3000);
    EXPECT_TRUE(form->FT2KTimer->isActive()); // still not there

    // The adapter is plugged in.
    ASSERT_TRUE(QFile::link(radio.portName(), link));
    vx::Clock::advance(3000);
    EXPECT_FALSE(form->FT2KTimer->isActive());
    EXPECT_TRUE(modules->Radio()->RadioComPort()->connected());
    EXPECT_EQ(form->RadioCOMShape->BrushColor(), TServerMainForm::Green);
    EXPECT_EQ(Messages(), 0);
}

// The adapter is pulled while the server runs and plugged in again: the window shows the port
// gone and the radio off, and the engine takes the port back under its name by itself.
TEST_F(ServerWindowTest, ARadioThatWentAwayIsTakenBackUnderItsName)
{
    vx::Clock::useManual();
    auto radio = std::make_unique<vxtest::RadioSimulator>(FT2000);
    QTemporaryDir dir;
    const QString link = dir.filePath("radio");
    ASSERT_TRUE(QFile::link(radio->portName(), link));
    Configure([&](TIniStore& ini) { ConfigurePorts(ini, link, ""); });
    Start();
    ASSERT_TRUE(vxtest::runUntil([&] { return form->PowerOn(); }, 5000));

    radio.reset();
    QFile::remove(link);
    ASSERT_TRUE(waitUntil([&] { return !modules->Radio()->RadioComPort()->connected(); }));
    EXPECT_NE(form->RadioCOMShape->BrushColor(), TServerMainForm::Green);
    EXPECT_FALSE(form->PowerOn());
    vxtest::run(4000);
    EXPECT_FALSE(modules->Radio()->RadioComPort()->connected());

    radio = std::make_unique<vxtest::RadioSimulator>(FT2000);
    radio->setFrequency(vfoA, 21074000);
    ASSERT_TRUE(QFile::link(radio->portName(), link));
    EXPECT_TRUE(vxtest::runUntil([&] { return form->FrequencyALabel->text() == "21,074,00"; }, 4000))
        << form->FrequencyALabel->text().toStdString();
    EXPECT_EQ(form->RadioCOMShape->BrushColor(), TServerMainForm::Green);
    EXPECT_TRUE(form->PowerOn());
    EXPECT_EQ(Messages(), 0);
}

TEST_F(ServerWindowTest, AFailingFirstDeviceStepLeavesTheOthersRunning)
{
    vxtest::RadioSimulator radio(FT2000);
    Configure([&](TIniStore& ini) {
        ConfigurePorts(ini, radio.portName(), "/dev/vornix-no-keyer");
        ini.WriteBool("Client\\MMTTY", "UseMMTTYEngine", true);
        ini.WriteBool("Client\\DVK", "Enabled", true);
        ini.WriteString("Client\\DVK", "Port", "/dev/vornix-no-router");
    });
    modules = std::make_unique<TDataModules>(TModuleOrder::Server);
    auto* failing = new FailingCATForm(*modules);
    form.reset(failing);
    for (vx::Timer* t : {form->FT2KTimer, form->WinKeyTimer, form->DVKTimer})
        t->stop();
    form->PanelWinKey->hide();
    form->PanelMMTTY->hide();
    form->PanelDVK->hide();

    failing->FailCAT = true;
    form->OpenDevices();
    EXPECT_FALSE(form->FT2KTimer->isActive()); // the failed step started nothing
    EXPECT_FALSE(form->PanelWinKey->isHidden());
    EXPECT_TRUE(form->WinKeyTimer->isActive());
    EXPECT_FALSE(form->PanelMMTTY->isHidden());
    EXPECT_FALSE(form->PanelDVK->isHidden());
    EXPECT_TRUE(form->DVKTimer->isActive());
    // Steps 6 to 8 ran too.
    EXPECT_EQ(form->TransceiverLabel->text(), "FT-2000");
    EXPECT_EQ(form->PortLabel->text(), "Port 0");
    EXPECT_EQ(form->height(), form->PanelsHeight());
    EXPECT_EQ(Messages(), 0);
}

TEST_F(ServerWindowTest, ThePowerButtonWakesARadioThatIsOff)
{
    vxtest::RadioSimulator radio(FT2000);
    radio.setPower(false);
    Configure([&](TIniStore& ini) { ConfigurePorts(ini, radio.portName(), ""); });
    Start();
    ASSERT_TRUE(modules->Radio()->RadioComPort()->connected());
    EXPECT_FALSE(form->PowerOn());
    radio.clearCommands();

    int ticks = 0;
    QTimer ten;
    QObject::connect(&ten, &QTimer::timeout, [&] { ++ticks; });
    ten.start(10);
    QElapsedTimer clock;
    clock.start();
    form->PowerSwitchButton->click();
    EXPECT_FALSE(form->PowerSwitchButton->isChecked()); // the button waits for the radio
    qint64 first = -1;
    qint64 second = -1;
    ASSERT_TRUE(waitUntil(
        [&] {
            const int n = Count(radio.commands(), "PS1");
            if (n >= 1 && first < 0)
                first = clock.elapsed();
            if (n >= 2 && second < 0)
                second = clock.elapsed();
            return n >= 2;
        },
        3000));
    EXPECT_GE(second - first, 490);
    // The program ran on meanwhile.
    EXPECT_GE(ticks, 25);
    EXPECT_TRUE(waitUntil([&] { return form->PowerOn(); }, 6000));
    EXPECT_EQ(form->PowerSwitchButton->text(), "Power is on");
}

TEST_F(ServerWindowTest, TheEndOfTheSessionSwitchesTheRadioOffOnlyWhenAsked)
{
    struct Case {
        bool shutdownRadio;
        bool radioOn;
        bool powerOff;
    };
    const Case cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const Case& c : cases) {
        vxtest::RadioSimulator radio(FT2000);
        radio.setPower(c.radioOn);
        Configure([&](TIniStore& ini) {
            ConfigurePorts(ini, radio.portName(), "");
            ini.WriteBool("Server\\Application", "ShutdownRadio", c.shutdownRadio);
        });
        Start();
        form->show();
        if (c.radioOn) {
            ASSERT_TRUE(waitUntil([&] { return form->PowerOn(); }, 6000));
        }
        radio.clearCommands();

        form->QueryEndSession();
        form->EndSession();
        vxtest::spin(200);
        EXPECT_EQ(radio.commands().contains("PS0"), c.powerOff) << radio.commands().join(' ').toStdString();
        EXPECT_TRUE(form->ShutDownFinished());
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(modules->Radio()->RadioComPort()->connected());

        // The window's close asks again: the shutdown does not run twice, so what changed since
        // is not written.
        modules->Radio()->RadioComPort()->setPort("/dev/changed-after-shutdown");
        form->close();
        form->ShutDown();
        Stop();
        TIniStore store(TDMApplication::SettingsFileName());
        EXPECT_EQ(store.ReadString("Client\\RadioCOMPort", "Port", ""), radio.portName());
        EXPECT_EQ(store.ReadString("Server", "ServerMainForm", "").count(' '), 10);
    }
}

TEST_F(ServerWindowTest, WithoutANotificationAreaTheWindowStaysVisible)
{
    Configure([&](TIniStore& ini) { ini.WriteBool("Server\\Application", "SystemTray", true); });
    Start();
    form->show();
    EXPECT_EQ(form->TrayIcon, nullptr); // the offscreen desktop has none
    form->ApplicationEventsMinimize();
    EXPECT_TRUE(form->isVisible());

    // Keys that end or confirm a dialog do nothing here: no closing, no power switching.
    int clicks = 0;
    for (QPushButton* button : {form->PowerSwitchButton, form->AboutButton, form->SettingsButton})
        QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    // A dialog opened by mistake would wait for the user: it is closed and counted.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(50);
    for (QPushButton* button : {form->PowerSwitchButton, form->AboutButton, form->SettingsButton}) {
        button->setFocus();
        Key(*form, Qt::Key_Escape);
        Key(*form, Qt::Key_Return, Qt::NoModifier, "\r");
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clicks, 0);

    // A later start (and a tray click) brings a hidden window back.
    form->hide();
    form->TrayIconClick();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(ServerWindowTest, TrayImageFollowsTheServerAndItsClients)
{
    const quint16 port = FreePort();
    Configure([&](TIniStore& ini) { ConfigureRemoteServer(ini, port); });
    Start();
    EXPECT_TRUE(modules->Server()->Active());
    EXPECT_EQ(form->PortLabel->text(), QString("Port %1").arg(port));
    EXPECT_EQ(form->TrayImage(), 1);
    EXPECT_EQ(form->ServerShape->BrushColor(), TServerMainForm::Green);

    LinePeer peer;
    ASSERT_TRUE(peer.Connect(port));
    peer.Send("MG:Callsign W1AW");
    EXPECT_TRUE(peer.WaitFor("MG:Your Password:"));
    peer.Send("MG:Password secret");
    EXPECT_TRUE(peer.WaitFor("MG:Login OK"));
    EXPECT_TRUE(waitUntil([&] { return form->TrayImage() == 2; }));
    EXPECT_TRUE(form->ClientsConnected());
    EXPECT_TRUE(waitUntil([&] { return form->UsersLabel->text().endsWith(" W1AW"); }))
        << form->UsersLabel->text().toStdString();

    peer.Socket()->disconnectFromHost();
    EXPECT_TRUE(waitUntil([&] { return form->TrayImage() == 1; }));
    EXPECT_EQ(form->UsersLabel->text(), "");

    modules->Server()->Close();
    form->UpdateTrayIcon();
    EXPECT_EQ(form->TrayImage(), 0);

    // The three pictures side by side, at twice the size.
    QImage strip(3 * 64 + 4 * 8, 80, QImage::Format_RGB32);
    strip.fill(QColor(200, 200, 200));
    QPainter p(&strip);
    for (int i = 0; i < 3; ++i)
        p.drawPixmap(8 + i * 72, 8, ServerTrayIcon(i).pixmap(QSize(64, 64)));
    p.end();
    EXPECT_TRUE(SaveArtifact(strip, "server_tray_icons.png"));
}

TEST_F(ServerWindowTest, AFailedSettingsWriteIsShown)
{
    Start();
    Fire(modules->Application()->OnError, QString("The settings could not be saved: disk full"));
    ASSERT_EQ(Messages(), 1);
    EXPECT_EQ(form->findChild<QMessageBox*>()->text(), "The settings could not be saved: disk full");
    form->ApplicationEventsException("bad value");
    EXPECT_EQ(Messages(), 2);
    bool found = false;
    for (QMessageBox* box : form->findChildren<QMessageBox*>())
        found = found || box->text() == "An exception occured: bad value";
    EXPECT_TRUE(found);
}

TEST_F(ServerWindowTest, TheMMTTYBoxStartsAndStopsTheEngine)
{
    Configure([](TIniStore& ini) {
        ini.WriteBool("Client\\MMTTY", "UseMMTTYEngine", true);
        ini.WriteString("Client\\MMTTY", "MMTTYPath", VX_FAKE_MMTTY);
    });
    Start();
    ASSERT_FALSE(form->PanelMMTTY->isHidden());
    form->MMTTYCheckBox->click();
    ASSERT_TRUE(waitUntil([&] { return modules->RTTY()->IsConnected(); }, 5000));
    EXPECT_EQ(form->MMTTYShape->BrushColor(), TServerMainForm::Green);
    EXPECT_TRUE(form->MMTTYCheckBox->isChecked());
    form->MMTTYCheckBox->click();
    EXPECT_TRUE(waitUntil([&] { return !modules->RTTY()->IsConnected(); }, 5000));
    EXPECT_EQ(form->MMTTYShape->BrushColor(), TServerMainForm::Grey);
    EXPECT_FALSE(form->MMTTYCheckBox->isChecked());
}

TEST_F(ServerWindowTest, TheIPCServerIsOpenedWhenEnabledAndShowsItsStatus)
{
    vxtest::PrivateBus bus;
    Configure([](TIniStore& ini) { ini.WriteBool("Client\\IPC", "IPCServer", true); });
    Start();
    TIPCServer& ipc = *modules->IPCServer();
    EXPECT_FALSE(form->PanelIPC->isHidden());
    EXPECT_EQ(ipc.IPCStatus(), ipcOpen);
    EXPECT_EQ(form->IPCShape->BrushColor(), TServerMainForm::Orange);
    EXPECT_EQ(form->height(), form->PanelsHeight());

    // Another program connects, then leaves.
    vx::BusEndpoint client;
    ASSERT_TRUE(client.Open());
    const uint32_t session = vx::RegisterBusMessage(TIPCServer::DefaultSessionName);
    ASSERT_TRUE(client.Post(vx::BusBroadcast, vx::RegisterBusMessage(TIPCServer::ConnectRequestName), client.Id(),
                            session));
    EXPECT_TRUE(waitUntil([&] { return form->IPCShape->BrushColor() == TServerMainForm::Green; }));
    ASSERT_TRUE(client.Post(ipc.Window(), vx::RegisterBusMessage(TIPCServer::ClientDisconnectingName), 0, session));
    EXPECT_TRUE(waitUntil([&] { return form->IPCShape->BrushColor() == TServerMainForm::Red; }));

    form->close();
    EXPECT_EQ(ipc.IPCStatus(), ipcClosed);
}
