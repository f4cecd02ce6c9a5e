#include "client/widgets/settings/SettingsPageGroup.h"

#include "client/DataModules.h"
#include "controls/widgets/Shape.h"
#include "core/DMRadio.h"
#include "keying/CWSidetone.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMFlexControl.h"
#include "keying/DMMessages.h"
#include "keying/DMRTTY.h"
#include "keying/MMTTYInterface.h"
#include "keying/WinKeyer.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "platform/SoundFilePlayer.h"
#include "remote/DMAudioClient.h"
#include "remote/DMAudioServer.h"
#include "remote/DMClient.h"
#include "remote/DMPlayback.h"
#include "remote/DMServer.h"
#include "remote/IPCServer.h"
#include "remote/RAAudio.h"
#include "remote/RACodec.h"
#include "remote/RAServer.h"
#include "remote/widgets/AudioServerPages.h"
#include "remote/widgets/CodecPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>

namespace {

void FillDevices(QComboBox* box, const QStringList& entries, uint32_t id)
{
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(int(id) < entries.size() ? int(id) : -1);
}

std::optional<int> PortValue(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

TSettingsPages::TSettingsPages(TDataModules& modules, QWidget* pageParent)
    : QObject(pageParent)
    , FModules(modules)
{
    FrameCW = new TSettingsCWFrame(pageParent);
    FrameSidetone = new TSettingsSidetoneFrame(pageParent);
    FrameCWMessages1 = new TSettingsCWMessagesFrame(pageParent);
    FrameCWMessages2 = new TSettingsCWMessages2Frame(pageParent);
    FrameMMTTY = new TSettingsMMTTYFrame(pageParent);
    FrameFSKMessages = new TSettingsFSKMessagesFrame(pageParent);
    FrameDVK = new TSettingsDVKFrame(pageParent);
    FrameFlexControl = new TSettingsFlexControlFrame(pageParent);
    FrameIPC = new TSettingsIPCFrame(pageParent);
    FramePlayback = new TSettingsPlaybackFrame(pageParent);
    FrameClient = new TSettingsClientFrame(pageParent);
    FrameServer = new TSettingsServerFrame(pageParent);
    FrameUsers = new TSettingsUsersFrame(pageParent);
    FrameAudioClientGeneral = new TSettingsAudioClientGeneralFrame(pageParent);
    FrameAudioClientDevices = new TSettingsAudioClientDevicesFrame(pageParent);
    FrameAudioClientCodecs = new TSettingsAudioClientCodecsFrame(pageParent);
    FrameAudioClientBuffers = new TSettingsAudioBuffersFrame(pageParent);
    FrameAudioServerPort = new TSettingsAudioServerPortFrame(pageParent);
    FramePTT = new TSettingsPTTFrame(pageParent);
    FrameAudioServerDevices = new TSettingsAudioServerDevicesFrame(pageParent);
    FrameAudioServerCodecs = new TSettingsAudioServerCodecsFrame(pageParent);
    FrameAudioServerBuffers = new TSettingsAudioBuffersFrame(pageParent);
    for (QWidget* page : Pages())
        page->hide();

    // The client runs no shutdown handling of the radio; that switch is the server's.
    FrameServer->ShutdownRadioCheckBox->setVisible(false);

    FrameCW->OnWinKeyChanged = [this] {
        if (!Loading)
            ChangedWinKey = true;
    };
    FrameAudioClientCodecs->OnCodecChange = [this] { ClientCodecChange(); };
    FrameAudioServerCodecs->OnCodecChange = [this] { ServerCodecChange(); };
    connect(FrameSidetone->TestButton, &QPushButton::clicked, this, [this] { SidetoneTest(); });
    connect(FrameDVK->TestButton, &QPushButton::clicked, this, [this] { DVKTest(); });
}

TSettingsPages::~TSettingsPages() = default;

QList<QWidget*> TSettingsPages::Pages() const
{
    return {FrameCW,          FrameSidetone,          FrameCWMessages1,        FrameCWMessages2,
            FrameMMTTY,       FrameFSKMessages,       FrameDVK,                FrameFlexControl,
            FrameIPC,         FramePlayback,          FrameClient,             FrameServer,
            FrameUsers,       FrameAudioClientGeneral, FrameAudioClientDevices, FrameAudioClientCodecs,
            FrameAudioClientBuffers, FrameAudioServerPort, FramePTT,           FrameAudioServerDevices,
            FrameAudioServerCodecs,  FrameAudioServerBuffers};
}

QStringList TSettingsPages::Captions()
{
    return {QStringLiteral("CW"),
            TSettingsCWFrame::Title,
            QStringLiteral("CW Sidetone"),
            QStringLiteral("CW Messages I"),
            QStringLiteral("CW Messages II"),
            QStringLiteral("RTTY"),
            QStringLiteral("MMTTY Engine"),
            QStringLiteral("RTTY Messages"),
            QStringLiteral("Devices"),
            QStringLiteral("microHAM DVK"),
            QStringLiteral("FlexControl"),
            QStringLiteral("IPC"),
            QStringLiteral("Playback Channels"),
            QStringLiteral("Remote Client"),
            QStringLiteral("Remote Connections"),
            QStringLiteral("Remote Audio Client"),
            QStringLiteral("Client General"),
            QStringLiteral("Client Devices"),
            QStringLiteral("Client Codecs"),
            QStringLiteral("Client Audio Buffers"),
            QStringLiteral("Remote Server"),
            QStringLiteral("Port"),
            QStringLiteral("Users"),
            QStringLiteral("Remote Audio Server"),
            QStringLiteral("Server Port"),
            QStringLiteral("Server PTT"),
            QStringLiteral("Server Devices"),
            QStringLiteral("Server Codecs"),
            QStringLiteral("Server Audio Buffers")};
}

QWidget* TSettingsPages::PageOf(const QString& caption) const
{
    QWidget* const pages[] = {FrameCW,
                              FrameCW,
                              FrameSidetone,
                              FrameCWMessages1,
                              FrameCWMessages2,
                              FrameMMTTY,
                              FrameMMTTY,
                              FrameFSKMessages,
                              FrameDVK,
                              FrameDVK,
                              FrameFlexControl,
                              FrameIPC,
                              FramePlayback,
                              FrameClient,
                              FrameClient,
                              FrameAudioClientGeneral,
                              FrameAudioClientGeneral,
                              FrameAudioClientDevices,
                              FrameAudioClientCodecs,
                              FrameAudioClientBuffers,
                              FrameServer,
                              FrameServer,
                              FrameUsers,
                              FrameAudioServerPort,
                              FrameAudioServerPort,
                              FramePTT,
                              FrameAudioServerDevices,
                              FrameAudioServerCodecs,
                              FrameAudioServerBuffers};
    const int i = int(Captions().indexOf(caption));
    return i < 0 ? nullptr : pages[i];
}

// --- Loading --------------------------------------------------------------------------------

void TSettingsPages::LoadRemoteServer()
{
    TDMServer* server = FModules.Server();
    FrameServer->HostNameEdit->setText(server->Hostname());
    FrameServer->PortEdit->setText(QString::number(server->Port()));
    FrameUsers->UsersMemo->setPlainText(server->Users().join(QLatin1Char('\n')));
    FrameUsers->PasswordEdit->setText(server->Password());

    std::array<TRemoteBaseParameter, TSettingsClientFrame::MaxBases> bases;
    for (int i = 0; i < TSettingsClientFrame::MaxBases; ++i)
        bases[i] = FModules.Client()->RemoteBaseParameter(i);
    FrameClient->LoadBases(bases);
}

void TSettingsPages::LoadRemoteAudio()
{
    TDMAudioServer* server = FModules.AudioServer();
    LoadAudioServerPages(AudioServerPages(), *server);
    FillDevices(FrameAudioServerDevices->InputDevicesComboBox, FInputDevices, server->RAAudioIn()->Codec().DeviceID());
    FillDevices(FrameAudioServerDevices->OutputDevicesComboBox, FOutputDevices, server->RAAudioOut()->Codec().DeviceID());

    TDMAudioClient* client = FModules.AudioClient();
    FrameAudioClientGeneral->AutoConnectCheckBox->setChecked(client->AutoConnect());
    FrameAudioClientGeneral->UsePTTCheckBox->setChecked(client->UsePTT());
    FrameAudioClientGeneral->TransmitOnMOXCheckBox->setChecked(client->TransmitOnMOX());
    FrameAudioClientGeneral->TransmitOnVOXCheckBox->setChecked(client->TransmitOnVOX());
    const TRACodec& clientOut = client->RAAudioOut()->Codec();
    const TRACodec& clientIn = client->RAAudioIn()->Codec();
    FillDevices(FrameAudioClientDevices->OutputDevicesComboBox, FOutputDevices, clientOut.DeviceID());
    FillDevices(FrameAudioClientDevices->InputDevicesComboBox, FInputDevices, clientIn.DeviceID());
    LoadCodecPage(*FrameAudioClientCodecs, clientOut);
    FrameAudioClientBuffers->BufferLengthEdit->setValue(clientIn.BufferLength());
    FrameAudioClientBuffers->OverrunEdit->setValue(client->RAAudioOut()->LimitOverrun());
}

void TSettingsPages::LoadCW()
{
    TDMCW* cw = FModules.CW();
    TWinKeyer* keyer = cw->WinKey();
    FrameCW->COMPortComboBox->SetCOMPortProperty(cpPort);
    FrameCW->COMPortComboBox->SetCOMPort(cw->WinKeyComPort()->port());
    FrameCW->KeyerModeComboBox->setCurrentIndex(keyer->KeyerMode());
    FrameCW->SwapPaddlesCheckBox->setChecked(keyer->SwapPaddles());
    FrameCW->AutoSpaceCheckBox->setChecked(keyer->AutoSpace());
    FrameCW->ContestSpaceCheckBox->setChecked(keyer->ContestSpacing());
    FrameCW->MaxWPMEdit->setValue(keyer->MaxWPM());
    FrameCW->MinWPMEdit->setValue(keyer->MinWPM());
    FrameCW->SynchronizeRadioGroup->SetItemIndex(keyer->SynchronizeSpeed());
    if (keyer->Active())
        FrameCW->WKActiveShape->SetBrushColor(QColor(0, 255, 0));

    TDMMessages* messages = FModules.Messages();
    for (int n = 1; n <= TSettingsMessageTableFrame::Rows; ++n) {
        FrameCWMessages1->MessageEdits[n - 1]->setText(messages->GetMessage(mtCW, n));
        FrameCWMessages1->CapEdits[n - 1]->setText(messages->GetMessageCaption(mtCW, n));
    }
    FrameCWMessages2->CWEdit10->setText(messages->GetMessage(mtCW, 10));
    FrameCWMessages2->CWEdit11->setText(messages->GetMessage(mtCW, 11));

    TCWSidetone* sidetone = cw->CWSidetone();
    FillDevices(FrameSidetone->OutputDevicesComboBox, FOutputDevices, sidetone->DeviceID());
    FrameSidetone->UseSidetoneCheckBox->setChecked(cw->UseSidetone());
    FrameSidetone->EchoRadioGroup->SetItemIndex(cw->SidetoneEcho() >= 0 && cw->SidetoneEcho() <= 1 ? cw->SidetoneEcho()
                                                                                                   : -1);
    FrameSidetone->UseSidetoneCheckBoxClick();
    FrameSidetone->PitchEdit->setValue(sidetone->Pitch());
    FrameSidetone->VolumeBar->setValue(sidetone->Volume());
}

void TSettingsPages::LoadRTTY()
{
    TDMRTTY* rtty = FModules.RTTY();
    TMMTTYInterface* mmtty = rtty->MMTTYInterface();
    const TMMTTYStartOptions& options = mmtty->MMTTYStartOptions();
    // This order lets the option rules settle a stored hidden start with another option.
    FrameMMTTY->MMTTYFolderEdit->setText(mmtty->MMTTYPath());
    FrameMMTTY->UseMMTTYEngineCheckBox->setChecked(rtty->UseMMTTYEngine());
    const bool hidden = options.Hidden();
    const bool menues = options.ControlMenues();
    const bool buttons = options.ControlButtons();
    const bool top = options.StayOnTop();
    FrameMMTTY->MMTTYHiddenCheckBox->setChecked(hidden);
    FrameMMTTY->MMTTYMenuCheckBox->setChecked(menues);
    FrameMMTTY->MMTTYButtonsCheckBox->setChecked(buttons);
    FrameMMTTY->MMTTYStayOnTopCheckBox->setChecked(top);
    FrameMMTTY->IntervalEdit->setValue(mmtty->LevelTimerInterval());
    FrameMMTTY->RunMMTTYLocalCheckBox->setChecked(rtty->RunMMTTYLocal());

    TDMMessages* messages = FModules.Messages();
    for (int n = 1; n <= TSettingsMessageTableFrame::Rows; ++n) {
        FrameFSKMessages->MessageEdits[n - 1]->setText(messages->GetMessage(mtDigital, n));
        FrameFSKMessages->CapEdits[n - 1]->setText(messages->GetMessageCaption(mtDigital, n));
    }
}

void TSettingsPages::LoadDevices()
{
    TDMFlexControl* flex = FModules.FlexControl();
    FrameFlexControl->FlexControlCheckBox->setChecked(flex->UseFlexControl());
    FrameFlexControl->FlexControlCombo->SetCOMPort(flex->ComPort()->port());
    FrameFlexControl->FlexControlCheckBoxClick();

    // The use box before the port; its rule waits for a click.
    TDMDVK* dvk = FModules.DVK();
    FrameDVK->UseDVKCheckBox->setChecked(dvk->UseDVK());
    FrameDVK->ComPortComboBox->SetCOMPort(dvk->ComPort()->port());
    FrameDVK->PlayMessagesCheckBox->setChecked(dvk->PlayMessages());
    FrameDVK->PlayMessagesFolderEdit->setText(dvk->PlayMessagesFolder());
    FrameDVK->PlayMessagesCheckBoxClick();

    FrameIPC->IPCServerCheckBox->setChecked(FModules.IPCServer()->Enabled());

    TDMPlayback* playback = FModules.Playback();
    for (int i = 0; i < TSettingsPlaybackFrame::Channels; ++i) {
        FramePlayback->CWEdits[i]->setText(playback->GetPlaybackCaptionCW(i + 1));
        FramePlayback->PhoneEdits[i]->setText(playback->GetPlaybackCaptionPhone(i + 1));
    }
    FramePlayback->UseSidetoneCheckBox->setChecked(playback->UseSidetone());
}

void TSettingsPages::LoadRole(TApplicationType role)
{
    const bool keyer = role == isLocal || role == isLocalAndRemoteServer;
    for (QWidget* control : FrameCW->KeyerControls())
        control->setEnabled(keyer);
}

// --- Checking -------------------------------------------------------------------------------

QList<TSettingsPages::TPortField> TSettingsPages::PortFields() const
{
    return {
        {QStringLiteral("Port"), FrameServer->PortEdit,
         [this] { return !FrameServer->HostNameEdit->text().trimmed().isEmpty(); }},
        {QStringLiteral("Server Port"), FrameAudioServerPort->AudioPortEdit,
         [this] { return FrameAudioServerPort->ActivateServerCheckBox->isChecked(); }},
    };
}

std::optional<TSettingsPages::TBadPort> TSettingsPages::CheckPorts() const
{
    for (const TPortField& f : PortFields()) {
        const std::optional<int> value = PortValue(f.Edit);
        const int min = f.InUse() ? 1 : 0;
        if (value && *value >= min && *value <= 65535)
            continue;
        return TBadPort{PageOf(f.Node), f.Edit,
                        QStringLiteral("\"%1\" is no port number. Enter a number from %2 to 65535.")
                            .arg(f.Edit->text())
                            .arg(min)};
    }
    return std::nullopt;
}

// --- Applying -------------------------------------------------------------------------------

void TSettingsPages::ApplyRemoteServer()
{
    TDMServer* server = FModules.Server();
    server->SetHostname(FrameServer->HostNameEdit->text().trimmed());
    server->SetPort(PortValue(FrameServer->PortEdit).value_or(0));
    server->SetUsers(FrameUsers->Users());
    server->SetPassword(FrameUsers->PasswordEdit->text());
    server->IniWrite();
}

void TSettingsPages::ApplyRemoteConnections()
{
    TDMClient* client = FModules.Client();
    TDMAudioClient* audio = FModules.AudioClient();
    for (int i = 0; i < TSettingsClientFrame::MaxBases; ++i) {
        const TRemoteBaseParameter& base = FrameClient->ARemoteBaseParameters[i];
        client->SetRemoteBaseParameter(i, base);
        if (base.Active && !base.Hostname.isEmpty()) {
            audio->SetHost(base.Host);
            audio->SetAudioPort(base.AudioPort);
            audio->SetUsername(base.Username);
            audio->SetPassword(base.Password);
        }
    }
    client->IniWrite();
}

void TSettingsPages::ApplyRemoteAudio()
{
    TDMAudioServer* server = FModules.AudioServer();
    // 1.-5. Server port, PTT, devices, codec and buffers.
    ApplyAudioServerPages(AudioServerPages(), *server);

    TDMAudioClient* client = FModules.AudioClient();
    // 6. Client general.
    client->SetAutoConnect(FrameAudioClientGeneral->AutoConnectCheckBox->isChecked());
    client->SetUsePTT(FrameAudioClientGeneral->UsePTTCheckBox->isChecked());
    client->SetTransmitOnMOX(FrameAudioClientGeneral->TransmitOnMOXCheckBox->isChecked());
    client->SetTransmitOnVOX(FrameAudioClientGeneral->TransmitOnVOXCheckBox->isChecked());
    // 7. Client devices.
    TRACodec& clientOut = client->RAAudioOut()->Codec();
    TRACodec& clientIn = client->RAAudioIn()->Codec();
    if (FrameAudioClientDevices->OutputDevicesComboBox->currentIndex() >= 0)
        clientOut.SetDeviceID(uint32_t(FrameAudioClientDevices->OutputDevicesComboBox->currentIndex()));
    if (FrameAudioClientDevices->InputDevicesComboBox->currentIndex() >= 0)
        clientIn.SetDeviceID(uint32_t(FrameAudioClientDevices->InputDevicesComboBox->currentIndex()));
    // 8. Client codec: the received stream; the sent one follows in mono.
    ApplyCodecPage(*FrameAudioClientCodecs, clientOut, clientIn);
    // 9. Client buffers.
    clientIn.SetBufferLength(uint16_t(FrameAudioClientBuffers->BufferLengthEdit->value()));
    client->RAAudioOut()->SetLimitOverrun(uint16_t(FrameAudioClientBuffers->OverrunEdit->value()));
}

void TSettingsPages::ApplyCW(bool changedApplicationType)
{
    TDMCW* cw = FModules.CW();
    if (ChangedWinKey) {
        TWinKeyer* keyer = cw->WinKey();
        cw->Close();
        keyer->SetAutoSpace(FrameCW->AutoSpaceCheckBox->isChecked());
        keyer->SetContestSpacing(FrameCW->ContestSpaceCheckBox->isChecked());
        keyer->SetKeyerMode(TKeyerMode(std::clamp(FrameCW->KeyerModeComboBox->currentIndex(), 0, 3)));
        // Max before Min: the keyer clamps each against the other.
        keyer->SetMaxWPM(uint8_t(FrameCW->MaxWPMEdit->value()));
        keyer->SetMinWPM(uint8_t(FrameCW->MinWPMEdit->value()));
        keyer->SetSwapPaddles(FrameCW->SwapPaddlesCheckBox->isChecked());
        if (FrameCW->SynchronizeRadioGroup->ItemIndex() >= 0)
            keyer->SetSynchronizeSpeed(uint8_t(FrameCW->SynchronizeRadioGroup->ItemIndex()));
        cw->WinKeyComPort()->setPort(FrameCW->COMPortComboBox->COMPort());
        // Under a new role the restart opens it.
        if (!changedApplicationType)
            cw->Open();
    }

    TDMMessages* messages = FModules.Messages();
    for (int n = 1; n <= TSettingsMessageTableFrame::Rows; ++n)
        messages->SetMessage(mtCW, n, FrameCWMessages1->MessageEdits[n - 1]->text());
    for (int n = 1; n <= TSettingsMessageTableFrame::Rows; ++n)
        messages->SetMessageCaption(mtCW, n, FrameCWMessages1->CapEdits[n - 1]->text());
    messages->SetMessage(mtCW, 10, FrameCWMessages2->CWEdit10->text());
    messages->SetMessage(mtCW, 11, FrameCWMessages2->CWEdit11->text());
    messages->IniWrite();
    messages->Update();

    cw->SetUseSidetone(FrameSidetone->UseSidetoneCheckBox->isChecked());
    cw->SetSidetoneEcho(FrameSidetone->EchoRadioGroup->ItemIndex());
    TCWSidetone* sidetone = cw->CWSidetone();
    if (FrameSidetone->OutputDevicesComboBox->currentIndex() >= 0)
        sidetone->SetDeviceID(uint32_t(FrameSidetone->OutputDevicesComboBox->currentIndex()));
    sidetone->SetPitch(FrameSidetone->PitchEdit->value());
    sidetone->SetVolume(FrameSidetone->VolumeBar->value());
    cw->IniWrite();
}

void TSettingsPages::ApplyRTTY()
{
    TDMRTTY* rtty = FModules.RTTY();
    TMMTTYInterface* mmtty = rtty->MMTTYInterface();
    rtty->SetUseMMTTYEngine(FrameMMTTY->UseMMTTYEngineCheckBox->isChecked());
    rtty->SetRunMMTTYLocal(FrameMMTTY->RunMMTTYLocalCheckBox->isChecked());
    mmtty->SetMMTTYPath(FrameMMTTY->MMTTYFolderEdit->text().trimmed());
    TMMTTYStartOptions& options = mmtty->MMTTYStartOptions();
    options.SetHidden(FrameMMTTY->MMTTYHiddenCheckBox->isChecked());
    options.SetControlMenues(FrameMMTTY->MMTTYMenuCheckBox->isChecked());
    options.SetControlButtons(FrameMMTTY->MMTTYButtonsCheckBox->isChecked());
    options.SetStayOnTop(FrameMMTTY->MMTTYStayOnTopCheckBox->isChecked());
    mmtty->SetLevelTimerInterval(uint16_t(FrameMMTTY->IntervalEdit->value()));
    rtty->IniWrite();

    TDMMessages* messages = FModules.Messages();
    for (int n = 1; n <= TSettingsMessageTableFrame::Rows; ++n) {
        messages->SetMessage(mtDigital, n, FrameFSKMessages->MessageEdits[n - 1]->text());
        messages->SetMessageCaption(mtDigital, n, FrameFSKMessages->CapEdits[n - 1]->text());
    }
    messages->Update();
}

void TSettingsPages::ApplyDevices()
{
    // 1. FlexControl, only when it changed.
    TDMFlexControl* flex = FModules.FlexControl();
    const bool use = FrameFlexControl->FlexControlCheckBox->isChecked();
    const QString port = FrameFlexControl->FlexControlCombo->COMPort();
    if (use != flex->UseFlexControl() || port != flex->Port()) {
        flex->Close();
        flex->SetPort(use ? port : QString());
        flex->SetUseFlexControl(use);
        flex->IniWrite();
        if (flex->UseFlexControl())
            flex->Open();
    }

    // 2. DVK.  An open router port is closed before it is renamed and opened again only under
    // a real name, so that an emptied port never has to be opened.
    TDMDVK* dvk = FModules.DVK();
    dvk->SetUseDVK(FrameDVK->UseDVKCheckBox->isChecked());
    vx::SerialPort* router = dvk->ComPort();
    const QString routerPort = FrameDVK->ComPortComboBox->COMPort();
    if (routerPort != router->port()) {
        const bool wasOpen = router->connected();
        if (wasOpen)
            router->close();
        router->setPort(routerPort);
        if (wasOpen && !routerPort.isEmpty())
            router->open();
    }
    dvk->SetPlayMessages(FrameDVK->PlayMessagesCheckBox->isChecked());
    dvk->SetPlayMessagesFolder(FrameDVK->PlayMessagesFolderEdit->text());

    // 3. IPC, effective at once.
    FModules.IPCServer()->SetEnabled(FrameIPC->IPCServerCheckBox->isChecked());

    // 4. Playback.
    TDMPlayback* playback = FModules.Playback();
    for (int i = 0; i < TSettingsPlaybackFrame::Channels; ++i) {
        playback->SetPlaybackCaptionCW(i + 1, FramePlayback->CWEdits[i]->text());
        playback->SetPlaybackCaptionPhone(i + 1, FramePlayback->PhoneEdits[i]->text());
    }
    playback->SetUseSidetone(FramePlayback->UseSidetoneCheckBox->isChecked());
}

// --- Test buttons and codec labels ----------------------------------------------------------

void TSettingsPages::SidetoneTest()
{
    TCWSidetone* sidetone = FModules.CW()->CWSidetone();
    const int device = FrameSidetone->OutputDevicesComboBox->currentIndex();
    bool reopen = !sidetone->Active();
    if (device >= 0 && uint32_t(device) != sidetone->DeviceID()) {
        if (sidetone->Active())
            sidetone->Close();
        sidetone->SetDeviceID(uint32_t(device));
        reopen = true;
    }
    sidetone->SetPitch(FrameSidetone->PitchEdit->value());
    sidetone->SetVolume(FrameSidetone->VolumeBar->value());
    // Open lets a closing generator finish first.
    if (reopen)
        sidetone->Open();
    // The generator takes text once its thread runs; the dialog does not wait for that.
    auto* wait = new vx::Timer(10, false, this);
    auto tries = std::make_shared<int>(0);
    connect(wait, &vx::Timer::timeout, this, [wait, sidetone, tries] {
        if (sidetone->Active()) {
            sidetone->Send(QStringLiteral("TEST"));
            wait->deleteLater();
        } else if (++*tries > 200) {
            wait->deleteLater(); // no sound device: nothing to test
        }
    });
    wait->start();
    if (sidetone->Active()) {
        sidetone->Send(QStringLiteral("TEST"));
        wait->deleteLater();
    }
}

void TSettingsPages::DVKTest()
{
    const QString file = QDir(FrameDVK->PlayMessagesFolderEdit->text()).filePath(QStringLiteral("msg1.wav"));
    if (!QFileInfo(file).isFile())
        return;
    if (!FDVKTestPlayer)
        FDVKTestPlayer = std::make_unique<vx::SoundFilePlayer>();
    FDVKTestPlayer->play(file);
}

void TSettingsPages::ClientCodecChange()
{
    if (!Loading)
        ChangedCodec = true;
    ShowTransferRate(*FrameAudioClientCodecs, FModules.AudioClient()->RAAudioOut()->Codec());
}

void TSettingsPages::ServerCodecChange()
{
    ShowTransferRate(*FrameAudioServerCodecs, FModules.AudioServer()->RAAudioIn()->Codec());
}
