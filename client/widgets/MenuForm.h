#pragma once
// The "Transceiver Menu" dialog: browses the radio's extended (EX) menu as the menu definition
// file of the connected model describes it, reads the selected item's value from the radio and
// writes an edited value back (then reads it again).  It talks to the radio only through the
// CAT engine, so it works the same on a local radio and through a remote server.

#include "client/MenuDefinitions.h"
#include "controls/widgets/DPIForm.h"
#include "core/cat/FTCATInterface.h"

#include <QPointer>
#include <QVector>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

class TMenuForm : public TDPIForm {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 794;
    static constexpr int ClientHeight = 411;
    // Wait shape colours (0x00BBGGRR): waiting for the radio, value received.
    static constexpr uint32_t WaitingColor = 0x8080FF;
    static constexpr uint32_t ReceivedColor = 0xAAFFAA;

    // Reads the model's definition file, builds the tree and takes the engine's menu answers.
    explicit TMenuForm(TFTCATInterface* cat, QWidget* owner = nullptr);
    ~TMenuForm() override;

    int NoMenuEntries() const { return int(FEntries.size()); }
    int SelectedMenuNo() const { return FSelectedMenuNo; }
    int LastMenuNo() const { return FLastMenuNo; }
    void SetLastMenuNo(int value) { FLastMenuNo = value; }
    // The entry of the item shown; null when none.
    const TMenuEntry* SelectedEntry() const;
    const QVector<TMenuEntry>& MenuEntries() const { return FEntries; }

    // Selects the item numbered LastMenuNo, if there is one.
    void FindLastMenuNo();
    void TreeView1Change();
    void ValueChange();
    void ValueCheckBoxClick();
    void ApplyButtonClick();
    void ClearMenuDetails(bool ShowLabels);
    void MenuSettingsReceived(int MenuNo, const QString& MenuParameter);
    // The value text Apply would send now; empty when it would send nothing.
    QString ApplyValueText() const;
    // The tree item that shows an entry (by its position in MenuEntries()).
    QTreeWidgetItem* TreeItemOf(int entryIndex) const;

    QTreeWidget* TreeView1;
    QLabel* MenuPanel;
    QLabel* NamePanel;
    QLabel* DescriptionLabel;
    QLabel* FunctionLabel;
    QLabel* ValuesLabel2;
    QLabel* DefaultLabel2;
    QLabel* DefaultLabel;
    QLabel* ValuesLabel;
    QSpinBox* ValueEdit;
    QCheckBox* ValueCheckBox;
    QGroupBox* ValueGroup;
    QButtonGroup* ValueGroupButtons;
    QListWidget* ValueBox;
    QLabel* MenuEntriesLabel;
    QFrame* WaitShape;
    QLabel* AdviceLabel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* ApplyButton;

    // Index of the selected ValueGroup item; -1 when none.
    int ValueGroupIndex() const;
    void SetValueGroupIndex(int index);

public slots:
    void done(int result) override;

private:
    void BuildControls();
    void ReadDefinitions();
    void Unhook();
    void SetWaitColor(uint32_t bgr);
    void FillValueGroup(const QStringList& captions, int selected);
    // Menu number of a tree item: the three digits before " - "; 0 for a group item.
    static int ItemMenuNo(const QTreeWidgetItem* item);

    QPointer<TFTCATInterface> FCAT;
    QVector<TMenuEntry> FEntries;
    int FSelectedMenuNo = 0;
    int FSelectedEntry = -1;
    int FLastMenuNo = 0;
    bool FHooked = false;
};

// Opens the dialog modally for the FT-2000, FT-2000D and FT DX 5000, starting at lastMenuNo;
// gives back the menu number to keep for the next time.  For other models it shows "Menu
// settings only supported for FT-2000 and FT DX 5000" instead and gives lastMenuNo back.
int ShowTransceiverMenu(TFTCATInterface* cat, int lastMenuNo, QWidget* owner);
