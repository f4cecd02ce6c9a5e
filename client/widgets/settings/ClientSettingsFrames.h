#pragma once
// The settings pages only VornixClient shows: CW sidetone and messages, RTTY messages,
// FlexControl, playback captions, the remote connection list with its host dialog and the
// audio client's pages.  Like the shared pages they hold no settings themselves and keep only
// their own controls consistent; TSettingsPages fills and applies them.

#include "controls/widgets/DPIForm.h"
#include "controls/widgets/settings/SettingsFrames.h"
#include "core/RCTypes.h"

#include <array>

class QListWidget;
class QListWidgetItem;
class QSlider;

// "CW Sidetone".  The enable rule follows the use box; checking it picks the first echo item
// when none is chosen, unchecking clears the echo choice.
class TSettingsSidetoneFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsSidetoneFrame(QWidget* parent = nullptr);
    QCheckBox* UseSidetoneCheckBox;
    TRadioGroup* EchoRadioGroup;
    QComboBox* OutputDevicesComboBox;
    QSpinBox* PitchEdit;
    QSlider* VolumeBar;
    QPushButton* TestButton;

    void UseSidetoneCheckBoxClick();
};

// Nine rows of caption and message under "Key", "Caption" and "Message".
class TSettingsMessageTableFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static constexpr int Rows = 9;
    TSettingsMessageTableFrame(const QString& title, QWidget* parent = nullptr);
    std::array<QLineEdit*, Rows> CapEdits{};     // caption n at [n - 1]
    std::array<QLineEdit*, Rows> MessageEdits{}; // message n at [n - 1]
};

class TSettingsCWMessagesFrame : public TSettingsMessageTableFrame {
    Q_OBJECT
public:
    explicit TSettingsCWMessagesFrame(QWidget* parent = nullptr);
};

class TSettingsFSKMessagesFrame : public TSettingsMessageTableFrame {
    Q_OBJECT
public:
    explicit TSettingsFSKMessagesFrame(QWidget* parent = nullptr);
};

// "CW Messages II": the two exchanges and the message variables.
class TSettingsCWMessages2Frame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsCWMessages2Frame(QWidget* parent = nullptr);
    QLineEdit* CWEdit10;
    QLineEdit* CWEdit11;
};

// "FlexControl Tuning Knob".  The port list follows the use box; unchecking empties it.
class TSettingsFlexControlFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsFlexControlFrame(QWidget* parent = nullptr);
    QCheckBox* FlexControlCheckBox;
    TCOMPortComboBox* FlexControlCombo;

    void FlexControlCheckBoxClick();
};

// The captions of the radio's five playback memories.
class TSettingsPlaybackFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static constexpr int Channels = 5;
    explicit TSettingsPlaybackFrame(QWidget* parent = nullptr);
    std::array<QLineEdit*, Channels> CWEdits{};
    std::array<QLineEdit*, Channels> PhoneEdits{};
    QCheckBox* UseSidetoneCheckBox;
};

// The small dialog that adds or edits one remote station.
class TSettingsNewHostForm : public TDPIForm {
    Q_OBJECT
public:
    static inline const QString AddCaption = QStringLiteral("Add new Remote Base Server");
    static inline const QString EditCaption = QStringLiteral("Edit Remote Base Settings");

    explicit TSettingsNewHostForm(QWidget* owner = nullptr);

    QLineEdit* HostNameEdit;
    QLineEdit* IPEdit;
    QLineEdit* PortEdit;
    QLineEdit* UserNameEdit;
    QLineEdit* PasswordEdit;
    QLineEdit* AudioPortEdit;
    QPushButton* OKButton;
    QPushButton* CancelBtn;

    // False after the audio port was typed equal to the server port.
    bool AudioPortValid = true;

    // Fills the edits without running the audio port check.
    void SetEntry(const TRemoteBaseParameter& entry);
    // The edits as an entry; an empty or "0" audio port is 0 (no audio).
    TRemoteBaseParameter Entry() const;
    // The OK enable rule.
    void UpdateOK();

private:
    void AudioPortEditChange();
    bool FFilling = false;
};

// "Remote Connections": the client's six stations, one of them active.  The page works on a
// copy; TSettingsPages loads and applies it.
class TSettingsClientFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static constexpr int MaxBases = 6;
    explicit TSettingsClientFrame(QWidget* parent = nullptr);

    std::array<TRemoteBaseParameter, MaxBases> ARemoteBaseParameters;
    int ARemoteBaseCount = 0;
    int ARemoteBaseSelected = -1;

    QListWidget* CheckListBox;
    QPushButton* NewHostButton;
    QPushButton* EditHostButton;
    QPushButton* RemoveHostButton;
    QLabel* HostNameLabel;
    QLabel* IPLabel;
    QLabel* PortLabel;
    QLabel* UserNameLabel;
    QLabel* AudioPortLabel;

    // Takes the stations in slot order, packed: a gap between used slots is closed, so that
    // list index and array index stay the same.
    void LoadBases(const std::array<TRemoteBaseParameter, MaxBases>& bases);

    void NewHostButtonClick();
    void EditHostButtonClick();
    void RemoveHostButtonClick();
    void UpdateButtons();

private:
    void ShowDetails(int index);
    void ItemChanged(QListWidgetItem* item);
    void Select(int row);
    bool FFilling = false;
};

// "Audio Client General".
class TSettingsAudioClientGeneralFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioClientGeneralFrame(QWidget* parent = nullptr);
    QCheckBox* AutoConnectCheckBox;
    QCheckBox* UsePTTCheckBox;
    QCheckBox* TransmitOnMOXCheckBox;
    QCheckBox* TransmitOnVOXCheckBox;
};

// "Audio Client Devices".
class TSettingsAudioClientDevicesFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioClientDevicesFrame(QWidget* parent = nullptr);
    QComboBox* OutputDevicesComboBox;
    QComboBox* InputDevicesComboBox;
};

// "Audio Client Codecs": the codec of the received stream.
class TSettingsAudioClientCodecsFrame : public TSettingsAudioCodecsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioClientCodecsFrame(QWidget* parent = nullptr);
};
