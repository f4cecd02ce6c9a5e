#pragma once
// VornixServer's settings dialog: a tree of page names on the left, the page of the selected
// name on the right.  It fills every page from the server's modules when it is made and writes
// them back on OK, in a fixed order.  OK first checks the port fields of every page: a field
// that is no port number keeps the dialog open on its page and applies nothing.

#include "controls/widgets/DPIForm.h"
#include "controls/widgets/settings/SettingsFrames.h"
#include "remote/widgets/AudioServerPages.h"

#include <QStringList>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDataModules;

// "Application": the server's own switches and its event log.
class TSettingsServerApplicationFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsServerApplicationFrame(QWidget* parent = nullptr);
    QCheckBox* SystemTrayCheckBox;
    QCheckBox* StartMinimizedCheckBox;
    QCheckBox* AutoRunRegistryCheckBox;
    QCheckBox* LogFileCheckBox;
    QPushButton* OpenLogFileButton;
};

class TServerSettingsDlg : public TDPIForm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 683;
    static constexpr int ClientHeight = 357;
    // The caption of the WinKeyer's node.
    static inline const QString WinKeyNode = TSettingsCWFrame::Title;

    explicit TServerSettingsDlg(TDataModules& modules, QWidget* owner = nullptr);
    ~TServerSettingsDlg() override;

    QPushButton* OKButton;
    QPushButton* CancelButton;
    QTreeWidget* TreeView1;
    TSettingsServerApplicationFrame* FrameServerApplication;
    TSettingsCOMPortFrame* FrameCOMPort;
    TSettingsServerFrame* FrameServer;
    TSettingsUsersFrame* FrameUsers;
    TSettingsAudioServerPortFrame* FrameAudioServerPort;
    TSettingsPTTFrame* FramePTT;
    TSettingsAudioServerDevicesFrame* FrameAudioServerDevices;
    TSettingsAudioServerCodecsFrame* FrameAudioServerCodecs;
    TSettingsAudioBuffersFrame* FrameAudioServerBuffers;
    TSettingsCWFrame* FrameCW;
    TSettingsDVKFrame* FrameDVK;
    TSettingsMMTTYFrame* FrameMMTTY;
    TSettingsIPCFrame* FrameIPC;
    TSettingsWSJTFrame* FrameWSJT;

    QStringList FInputDevices;
    QStringList FOutputDevices;
    // Caption of the page shown last.
    QString LastSetting;
    // A WinKeyer setting was changed by the user.
    bool ChangedWinKey = false;

    // The entries of a device list: "%s (%d)" per device, or "- none -".
    static QStringList DeviceEntries(const QStringList& names);

    // Selects the first node whose caption is LastSetting.
    void FindLastSetting();
    // Shows the page of the selected node.
    void TreeView1Change();
    // The page a node caption shows; null for none.
    QWidget* PageOf(const QString& caption) const;
    // Checks the port fields, then applies and closes; a bad field keeps the dialog open.
    void OKButtonClick();
    // Whether every port field holds a port number; a bad one is selected and reported.
    bool CheckPorts();
    void ApplyButtonClick();

private:
    TAudioServerPages AudioServerPages() const
    {
        return {FrameAudioServerPort, FramePTT, FrameAudioServerDevices, FrameAudioServerCodecs, FrameAudioServerBuffers};
    }
    void FormCreate();
    void AddNode(QTreeWidgetItem* parent, const QString& caption);
    void CodecChange();
    void SelectNode(const QString& caption);

    TDataModules& FModules;
    QList<QWidget*> FPages;
    bool FCodecTouched = false;
};
