#pragma once
// Settings pages that both programs' settings dialogs show.  Each page is a widget of 441 x 305
// pixels with its title panel at the top; the dialog that shows it fills its controls from the
// data modules and writes them back.  The pages hold no settings themselves and only keep their
// own controls consistent (enable rules, option rules), as noted per page.

#include "controls/widgets/COMPortComboBox.h"
#include "controls/widgets/RadioGroup.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TRCPanel;
class TShape;
class QTreeWidget;
namespace vx { class SerialPort; }

// The entries of a sound device list: "%s (%d)" per device, numbered from 0, or the single
// entry "- none -"; an entry's position is its device number.
QStringList SettingsDeviceEntries(const QStringList& names);
// The parts every settings dialog shares: the read-only page tree on the left and "&OK"
// (default) and "&Cancel" below the pages, at their places in a dialog of 683 x 357.
QTreeWidget* NewSettingsTree(QWidget* dialog);
void NewSettingsButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);
// A TCP port in the field: a number from `min` to 65535; none for anything else.
std::optional<int> SettingsPortNumber(const QLineEdit* edit, int min = 1);

// A memo whose typed and pasted text is upper case.
class TUpperCaseMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

class TSettingsFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int FrameWidth = 441;
    static constexpr int FrameHeight = 305;

    explicit TSettingsFrame(const QString& title, QWidget* parent = nullptr);

    TRCPanel* TitlePanel;

protected:
    // Helpers for the pages' fixed layouts.
    QLabel* NewLabel(QWidget* parent, const QString& text, int x, int y, int width = -1);
    // A wrapped paragraph in a box of its own.
    QLabel* NewText(QWidget* parent, const QString& text, int x, int y, int width, int height);
    // A label whose "&" letter focuses the buddy.
    QLabel* NewBuddyLabel(QWidget* parent, const QString& text, QWidget* buddy, int x, int y);
    QCheckBox* NewCheckBox(QWidget* parent, const QString& text, int x, int y);
    QGroupBox* NewGroupBox(const QString& text, int x, int y, int width, int height);
    // An edit that takes digits only (control keys pass), at most `maxLength` of them.
    QLineEdit* NewNumberEdit(QWidget* parent, int x, int y, int width, int maxLength = 5);
};

// "Radio COM Port": the radio's CAT port, its baud rate and RTS.
class TSettingsCOMPortFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsCOMPortFrame(QWidget* parent = nullptr);
    TCOMPortComboBox* ComPortComboBox;
    TCOMPortComboBox* BaudrateComboBox;
    QCheckBox* RTSCheckBox;

    // Shows the port's name, baud rate and RTS.
    void Load(const vx::SerialPort& port);
    // Whether the page names another port, baud rate or RTS than the port has.
    bool Differs(const vx::SerialPort& port) const;
    // Gives the port the page's name, baud rate and RTS when they differ, and nothing
    // otherwise.  The port does not reopen by itself on a new name: an open port is closed,
    // renamed and opened again; one that will not open is reported by its own error path.
    void Apply(vx::SerialPort& port) const;
    // The baud rate the page names; the port's own when the page names none.
    int32_t Baudrate(const vx::SerialPort& port) const;
};

// "Remote Server" ("Port"): host name and port the remote control server listens on.
class TSettingsServerFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsServerFrame(QWidget* parent = nullptr);
    QLineEdit* HostNameEdit;
    QLineEdit* PortEdit;
    QCheckBox* ShutdownRadioCheckBox;
};

// "Users": the user names and the common password.
class TSettingsUsersFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsUsersFrame(QWidget* parent = nullptr);
    TUpperCaseMemo* UsersMemo;
    QLineEdit* PasswordEdit;

    // The memo's non-empty lines, sorted, duplicates dropped regardless of case (the first
    // spelling stays).
    QStringList Users() const;
};

// "Server Port": the remote audio server's switch and TCP port.
class TSettingsAudioServerPortFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioServerPortFrame(QWidget* parent = nullptr);
    QCheckBox* ActivateServerCheckBox;
    QLineEdit* AudioPortEdit;
};

// "Server PTT": the PTT port and what its RTS and DTR lines do.  Choosing a port enables the
// line and time-out controls, no port disables them.
class TSettingsPTTFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsPTTFrame(QWidget* parent = nullptr);
    TCOMPortComboBox* ComPortComboBox;
    QComboBox* RTSComboBox;
    QComboBox* DTRComboBox;
    // The time-out in seconds with its up-down buttons.
    QSpinBox* TimeoutEdit;

    // The enable rule; runs on every port change.
    void ComPortComboBoxChange();
};

// "Server Devices": the sound devices of the audio server.
class TSettingsAudioServerDevicesFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioServerDevicesFrame(QWidget* parent = nullptr);
    QComboBox* InputDevicesComboBox;
    QComboBox* OutputDevicesComboBox;
};

// The four codec groups of a codec page.  Choosing "PCM uncompressed" enables the bits and
// channels groups, GSM 6.10 disables them; every choice raises OnCodecChange.
class TSettingsAudioCodecsFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioCodecsFrame(const QString& title, QWidget* parent = nullptr);
    TRadioGroup* CodecRadioGroup;
    TRadioGroup* SampleRateRadioGroup;
    TRadioGroup* BPSRadioGroup;
    TRadioGroup* ChannelsRadioGroup;
    QLabel* TransferRateLabel;

    std::function<void()> OnCodecChange;

    // The enable rule of the bits and channels groups.
    void UpdateCodecControls();
};

// "Server Codecs": the codec of the captured stream; remote users may be allowed to change it.
class TSettingsAudioServerCodecsFrame : public TSettingsAudioCodecsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioServerCodecsFrame(QWidget* parent = nullptr);
    QCheckBox* UserChosenCodecCheckBox;
};

// "Audio Buffers": the capture buffer length and the output overrun limit (GroupBox2, which the
// server hides).
class TSettingsAudioBuffersFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsAudioBuffersFrame(QWidget* parent = nullptr);
    QGroupBox* GroupBox1;
    QSpinBox* BufferLengthEdit;
    QGroupBox* GroupBox2;
    QSpinBox* OverrunEdit;
};

// The WinKeyer page.  Every change of one of its eight keyer controls raises OnWinKeyChanged.
class TSettingsCWFrame : public TSettingsFrame {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("K1EL WinKey");

    explicit TSettingsCWFrame(QWidget* parent = nullptr);
    TCOMPortComboBox* COMPortComboBox;
    QComboBox* KeyerModeComboBox;
    QCheckBox* SwapPaddlesCheckBox;
    QCheckBox* AutoSpaceCheckBox;
    QCheckBox* ContestSpaceCheckBox;
    QSpinBox* MaxWPMEdit;
    QSpinBox* MinWPMEdit;
    TRadioGroup* SynchronizeRadioGroup;
    TShape* WKActiveShape;

    std::function<void()> OnWinKeyChanged;

    // The eight controls the role rule enables or disables together.
    QList<QWidget*> KeyerControls() const;
};

// "microHAM Router - Digital Voice Keyer".  Clicking the use box enables the port list (and
// unchecking it empties the port); the play box enables the folder and the Test button.
class TSettingsDVKFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsDVKFrame(QWidget* parent = nullptr);
    QCheckBox* UseDVKCheckBox;
    QGroupBox* LocalGroupBox;
    TCOMPortComboBox* ComPortComboBox;
    QGroupBox* ClientGroupBox;
    QCheckBox* PlayMessagesCheckBox;
    QLineEdit* PlayMessagesFolderEdit;
    QPushButton* BrowseButton;
    QPushButton* TestButton;

    void UseDVKCheckBoxClick();
    void PlayMessagesCheckBoxClick();
};

// "RTTY - MMTTY Engine".  "Start MMTTY hidden" and the three other start options exclude each
// other, also while the page is filled.
class TSettingsMMTTYFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsMMTTYFrame(QWidget* parent = nullptr);
    QLabel* Label1;
    QLineEdit* MMTTYFolderEdit;
    QPushButton* BrowseButton;
    QCheckBox* UseMMTTYEngineCheckBox;
    QCheckBox* RunMMTTYLocalCheckBox;
    QLabel* Label4;
    QCheckBox* MMTTYHiddenCheckBox;
    QCheckBox* MMTTYMenuCheckBox;
    QCheckBox* MMTTYButtonsCheckBox;
    QCheckBox* MMTTYStayOnTopCheckBox;
    QSpinBox* IntervalEdit;

private:
    void BrowseButtonClick();
};

// "IPC - Inter-Process Communication".
class TSettingsIPCFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsIPCFrame(QWidget* parent = nullptr);
    QCheckBox* IPCServerCheckBox;
};

// "WSJT-X Logging".
class TSettingsWSJTFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsWSJTFrame(QWidget* parent = nullptr);
    QCheckBox* WSJTServerCheckBox;
    QLineEdit* WSJTPortEdit;
    QCheckBox* WSJTBandCheckBox;
    QCheckBox* WSJTFreqCheckBox;
};
