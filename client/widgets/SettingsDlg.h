#pragma once
// VornixClient's settings dialog: a tree of page names on the left, the page of the selected
// name on the right.  It fills every page from the data modules when it is made and writes
// them back on OK in a fixed order.  OK first checks every page (port fields, the locator):
// a field that fails keeps the dialog open on its page and nothing is applied.
//
// Each page is created in CreatePages and filled and applied by one step per page group
// (LoadXxxPages / ApplyXxxPages), in the order the modules expect.

#include "client/widgets/MainFormLinks.h"
#include "client/widgets/SettingsDXPages.h"
#include "client/widgets/SettingsLogPages.h"
#include "client/widgets/SettingsPages.h"
#include "client/widgets/settings/SettingsPageGroup.h"
#include "controls/widgets/DPIForm.h"

#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDataModules;

class TSettingsDlg : public TDPIForm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 683;
    static constexpr int ClientHeight = 357;
    static inline const QString PortMessage = QStringLiteral("Port: enter a number from 1 to 65535");
    // The caption of the keyer's node.
    static inline const QString WinKeyNode = TSettingsCWFrame::Title;

    explicit TSettingsDlg(TDataModules& modules, QWidget* owner = nullptr);
    ~TSettingsDlg() override;

    QPushButton* OKButton;
    QPushButton* CancelButton;
    QTreeWidget* TreeView1;

    // General, User Interface, Radio COM Port.
    TSettingsGeneralFrame* FrameGeneral;
    TSettingsUserInterfaceFrame* FrameUserInterface;
    TSettingsCOMPortFrame* FrameCOMPort;
    // DX Cluster.
    TSettingsDXClusterFrame* FrameDXCluster;
    TSettingsFilterFrame* FrameFilter;
    TSettingsDXSpotsFrame* FrameDXSpots;
    TSettingsWantedDXCCFrame* FrameWantedDXCC;
    TSettingsWantedSpotsFrame* FrameWantedSpots;
    TSettingsBandmapFrame* FrameBandmap;
    TSettingsBandplanFrame* FrameBandplan;
    // Log Book.
    TSettingsLog* FrameLog;
    TSettingsLogLoTWFrame* FrameLogLoTW;
    TSettingsLogQRZFrame* FrameLogQRZ;
    TSettingsWSJTFrame* FrameWSJT;
    // CW.
    TSettingsFrame* FrameCW;
    TSettingsFrame* FrameSidetone;
    TSettingsFrame* FrameCWMessages1;
    TSettingsFrame* FrameCWMessages2;
    // RTTY.
    TSettingsFrame* FrameMMTTY;
    TSettingsFrame* FrameFSKMessages;
    // Devices.
    TSettingsFrame* FrameDVK;
    TSettingsFrame* FrameFlexControl;
    TSettingsFrame* FrameIPC;
    TSettingsFrame* FramePlayback;
    // Remote client and server.
    TSettingsFrame* FrameClient;
    TSettingsFrame* FrameAudioClientGeneral;
    TSettingsFrame* FrameAudioClientDevices;
    TSettingsFrame* FrameAudioClientCodecs;
    TSettingsFrame* FrameAudioClientBuffers;
    TSettingsFrame* FrameServer;
    TSettingsFrame* FrameUsers;
    TSettingsFrame* FrameAudioServerPort;
    TSettingsFrame* FramePTT;
    TSettingsFrame* FrameAudioServerDevices;
    TSettingsFrame* FrameAudioServerCodecs;
    TSettingsFrame* FrameAudioServerBuffers;

    // The CW, RTTY, device, playback, remote and audio pages with their steps; the frames
    // above point into it.
    TSettingsPages* PageGroup;

    QStringList FInputDevices;
    QStringList FOutputDevices;
    // Caption of the node shown last; read and written by the main window.
    QString LastSetting;
    bool ChangedApplicationType = false;
    bool ChangedSidetone = false;
    bool ChangedDXCluster = false;
    bool ChangedWinKey = false;
    bool ChangedCodec = false;

    // The tree's nodes in tree order: caption, depth (0 top level) and the page shown.
    struct TNode {
        QString Caption;
        int Depth;
        QWidget* Page;
    };
    const std::vector<TNode>& Nodes() const { return FNodes; }
    // Every page once, in the order the tree first shows them.
    QList<QWidget*> Pages() const { return FPages; }

    // Selects the first node, in tree order, whose caption is LastSetting; nothing when empty.
    void FindLastSetting();
    // Shows the page of the selected node and remembers its caption.
    void TreeView1Change();
    // The page a node caption shows; null for none.
    QWidget* PageOf(const QString& caption) const;

    // A port field that OK checks: the page's node, the edit, and whether its feature is on
    // (a 0 passes while it is off: a fresh installation holds 0 there).
    struct TPortField {
        QString Node;
        QLineEdit* Edit;
        std::function<bool()> InUse;
    };
    QList<TPortField> PortFields() const;
    // Whether every page can be applied; the first one that cannot is shown, its field
    // focused and the reason told.
    bool CheckPages();
    // Checks every page, then applies them all under the busy cursor and closes with OK.
    void OKButtonClick();
    // Copies every page back into the modules.
    void ApplyButtonClick();

    // The login test of the callbook account: the account is handed to the service at once.
    void QRZTestButtonClick();
    // One answer line of the test.
    void QRZTestResponse(bool success, const QString& line);

    // The message shown by the last failed check (owned by the dialog); null before any.
    QMessageBox* CheckMessageBox = nullptr;

private:
    void CreatePages();
    void CreateTree();
    void SelectNode(const QString& caption);
    void FormCreate();

    // One loading step per page group, in the loading order.
    void LoadGeneralPages();
    void LoadRemotePages();
    void LoadAudioPages();
    void LoadDXClusterPages();
    void LoadCWPages();
    void LoadRTTYPages();
    void LoadDevicePages();
    void LoadLogPages();
    void LoadRoleState();
    // One applying step per page group, in the applying order.
    void ApplyGeneralPage();
    void ApplyRadioPages();
    void ApplyRemoteServerPages();
    void ApplyRemoteClientPages();
    void ApplyAudioPages();
    void ApplyDXClusterPages();
    void ApplyCWPages();
    void ApplyRTTYPages();
    void ApplyDevicePages();
    void ApplyLogPages();

    // The dialog stops hearing the callbook's test answers, however it closes.
    void ReleaseQRZListener();
    void ShowCheckMessage(const QString& node, QWidget* field, const QString& text);
    // The role item the loaded role shows.
    int LoadedRoleItem() const;

    TDataModules& FModules;
    std::vector<TNode> FNodes;
    QList<QWidget*> FPages;
};

// The dialog as the main window's Settings action drives it.
class TSettingsDlgRunner : public TSettingsDlgLink {
public:
    TSettingsDlgRunner(TDataModules& modules, QWidget* owner)
        : Dialog(modules, owner)
    {
    }
    QString LastSetting() const override { return Dialog.LastSetting; }
    void SetLastSetting(const QString& value) override { Dialog.LastSetting = value; }
    void FindLastSetting() override { Dialog.FindLastSetting(); }
    int Execute() override { return Dialog.exec(); }
    bool ChangedApplicationType() const override { return Dialog.ChangedApplicationType; }
    bool ChangedDXCluster() const override { return Dialog.ChangedDXCluster; }
    bool ChangedCodec() const override { return Dialog.ChangedCodec; }

    TSettingsDlg Dialog;
};
