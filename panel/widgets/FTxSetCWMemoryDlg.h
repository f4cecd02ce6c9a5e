#pragma once
// The dialog in which the operator edits the text of one keyer memory of the radio: one
// upper-case line of at most 50 characters, OK or Cancel (Escape).

#include <QDialog>

class QLineEdit;
class QPushButton;

class TFTxSetCWMemoryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxTextLength = 50;

    explicit TFTxSetCWMemoryDlg(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
