#pragma once
// The client settings dialog's CW, RTTY, device, playback, remote connection and remote audio
// pages, with the dialog's loading and applying steps for them.  The dialog makes one
// TSettingsPages on its page area, runs the Load steps in its own order while it loads
// (Loading set), CheckPorts before it applies anything, then the Apply steps in its order.

#include "client/widgets/settings/ClientSettingsFrames.h"

#include "core/RCTypes.h"
#include "remote/widgets/AudioServerPages.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class TDataModules;

namespace vx {
class SoundFilePlayer;
}

class TSettingsPages : public QObject {
    Q_OBJECT
public:
    // The pages are made as hidden children of `pageParent`.
    TSettingsPages(TDataModules& modules, QWidget* pageParent);
    ~TSettingsPages() override;

    // CW
    TSettingsCWFrame* FrameCW;
    TSettingsSidetoneFrame* FrameSidetone;
    TSettingsCWMessagesFrame* FrameCWMessages1;
    TSettingsCWMessages2Frame* FrameCWMessages2;
    // RTTY
    TSettingsMMTTYFrame* FrameMMTTY;
    TSettingsFSKMessagesFrame* FrameFSKMessages;
    // Devices, playback
    TSettingsDVKFrame* FrameDVK;
    TSettingsFlexControlFrame* FrameFlexControl;
    TSettingsIPCFrame* FrameIPC;
    TSettingsPlaybackFrame* FramePlayback;
    // Remote client and server
    TSettingsClientFrame* FrameClient;
    TSettingsServerFrame* FrameServer;
    TSettingsUsersFrame* FrameUsers;
    // Remote audio
    TSettingsAudioClientGeneralFrame* FrameAudioClientGeneral;
    TSettingsAudioClientDevicesFrame* FrameAudioClientDevices;
    TSettingsAudioClientCodecsFrame* FrameAudioClientCodecs;
    TSettingsAudioBuffersFrame* FrameAudioClientBuffers;
    TSettingsAudioServerPortFrame* FrameAudioServerPort;
    TSettingsPTTFrame* FramePTT;
    TSettingsAudioServerDevicesFrame* FrameAudioServerDevices;
    TSettingsAudioServerCodecsFrame* FrameAudioServerCodecs;
    TSettingsAudioBuffersFrame* FrameAudioServerBuffers;

    // The dialog's device lists ("%s (%d)" per device, or "- none -"); set before loading.
    QStringList FInputDevices;
    QStringList FOutputDevices;
    // On while the dialog loads: control changes then are no user's changes.
    bool Loading = false;
    bool ChangedWinKey = false;
    bool ChangedCodec = false;

    // Every page with the tree captions that show it ("CW" and the keyer node both show
    // FrameCW …).  The keyer node's caption is TSettingsCWFrame::Title.
    static QStringList Captions();
    QWidget* PageOf(const QString& caption) const;
    QList<QWidget*> Pages() const;

    // Loading steps.
    void LoadRemoteServer();      // Port, Users, the connection list
    void LoadRemoteAudio();       // the five server and four client audio pages
    void LoadCW();                // keyer, messages, sidetone
    void LoadRTTY();              // MMTTY engine, RTTY messages
    void LoadDevices();           // FlexControl, DVK, IPC, playback
    void LoadRole(TApplicationType role); // the keyer controls follow the shown role

    // The port fields of these pages with their tree node; 0 passes only while the field's
    // feature is off (no server host name, audio server not activated).
    struct TPortField {
        QString Node;
        QLineEdit* Edit;
        std::function<bool()> InUse;
    };
    QList<TPortField> PortFields() const;
    // Checks every port field of these pages; on a bad one returns its page and edit and the
    // message to show, and nothing is applied.
    struct TBadPort {
        QWidget* Page = nullptr;
        QLineEdit* Edit = nullptr;
        QString Message;
    };
    std::optional<TBadPort> CheckPorts() const;

    // Applying steps.
    void ApplyRemoteServer();       // Port, Users; writes the server module
    void ApplyRemoteConnections();  // the stations, the active one into the audio client
    void ApplyRemoteAudio();        // the nine audio steps
    void ApplyCW(bool changedApplicationType);
    void ApplyRTTY();
    void ApplyDevices();

    // The sidetone page's Test button: acts on the live generator at once.
    void SidetoneTest();
    // The DVK page's Test button: plays <folder>/msg1.wav when it is there.
    void DVKTest();
    vx::SoundFilePlayer* DVKTestPlayer() const { return FDVKTestPlayer.get(); }

private:
    TAudioServerPages AudioServerPages() const
    {
        return {FrameAudioServerPort, FramePTT, FrameAudioServerDevices, FrameAudioServerCodecs, FrameAudioServerBuffers};
    }
    void ClientCodecChange();
    void ServerCodecChange();

    TDataModules& FModules;
    std::unique_ptr<vx::SoundFilePlayer> FDVKTestPlayer;
};
