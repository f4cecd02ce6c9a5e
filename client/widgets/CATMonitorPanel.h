#pragma once
// The CAT monitor: a list of the CAT traffic between the program and the radio, filtered by
// kind, a field to type a CAT command into and send it, and saving the list to a text file.
// The main window gives it the CAT engine and feeds it every command sent and every answer
// received (DoCATCommand).
//
// A typed command is only sent: the engine changes when the radio's answer comes back, as for
// every other command, so a command the radio refuses changes nothing.

#include <QString>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TFTCATInterface;
class TRCSpeedButton;

class TCATMonitorPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int MaxLines = 2000;

    explicit TCATMonitorPanel(QWidget* parent = nullptr);

    TFTCATInterface* FTCATInterface() const { return FFTCATInterface; }
    void SetFTCATInterface(TFTCATInterface* value) { FFTCATInterface = value; }

    // One line of traffic: Transmitted for a command sent to the radio, false for an answer.
    void DoCATCommand(bool Transmitted, const QString& Text);

    // Lines are being captured (Start is down).
    bool AddLines() const { return bAddLines; }
    // The list, oldest first.
    QStringList Lines() const;
    // Writes the list, one line per entry, through a temporary file; on failure the file
    // that was there stays as it was and the reason comes back (empty on success).
    QString SaveToFile(const QString& FileName) const;

    QLabel* CATMonitorLabel1;
    QLineEdit* CATMonitorEdit;
    QPlainTextEdit* CATMonitorMemo;
    QGroupBox* CATMonitorGroupBox;
    QCheckBox* CATMonitorCB1; // TX commands
    QCheckBox* CATMonitorCB2; // RX/TX markers
    QCheckBox* CATMonitorCB3; // Frequency (FA, FB)
    QCheckBox* CATMonitorCB4; // Bargraph (BG)
    QCheckBox* CATMonitorCB5; // Meter (RM, SM)
    QCheckBox* CATMonitorCB6; // Power Switch
    TRCSpeedButton* StartSpeedButton;
    TRCSpeedButton* StopSpeedButton;
    TRCSpeedButton* ClearSpeedButton;
    TRCSpeedButton* SaveSpeedButton;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Enter in the command field: sends its text (with ";" added when it has none).
    void CATMonitorEditEnter();
    // Start and Stop: capturing follows whether Start is down.
    void StartStopClick();
    // Asks for the file in the documents folder ("cat_protocol.txt"), then saves.
    void SaveSpeedButtonClick();
    bool Shown(bool Transmitted, const QString& Text) const;
    void UpdateMemoHeight();

    TFTCATInterface* FFTCATInterface = nullptr;
    bool bAddLines = true;
};
