#pragma once
// The settings pages under "Log Book": the log book tab's display limit, the LoTW account and
// the QRZ.COM callbook account with its login test.  ("WSJT-X Logging" is the shared page.)

#include "controls/widgets/settings/SettingsFrames.h"

class TRCPanel;

class TSettingsLog : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsLog(QWidget* parent = nullptr);
    QSpinBox* MaxQSOsSpinEdit;
};

class TSettingsLogLoTWFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsLogLoTWFrame(QWidget* parent = nullptr);
    QLineEdit* UsernameEdit;
    QLineEdit* PasswordEdit;
};

// The account edits and the Test button are enabled while the lookups are switched on.
class TSettingsLogQRZFrame : public TSettingsFrame {
    Q_OBJECT
public:
    explicit TSettingsLogQRZFrame(QWidget* parent = nullptr);
    QCheckBox* UseQRZCB;
    QLineEdit* QRZUsernameEdit;
    QLineEdit* QRZPasswordEdit;
    QCheckBox* ImmediateCheckBox;
    QPushButton* TestButton;
    TRCPanel* RCPanel1;
    QLabel* ResponseLabel1;
    QLabel* ResponseLabel2;

    void UpdateEnabled();
    // One answer line of a login test, below the earlier ones.
    void AddResponse(const QString& line);
};
