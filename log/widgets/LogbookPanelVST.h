#pragma once
// TLogbookPanelVST: the "Log Book" tab.  VSTHeader carries the column captions (click one to
// sort) and the row of filter values, edited in place; VST shows the QSOs the logbook's view
// holds, however many (a row is built when it is first shown); Panel1 holds the DXCC entity
// filter, "Clear Filter" and the count of shown QSOs.  Filtering is the logbook's: the panel
// collects the values, asks it to filter, and reloads when it reports new rows (OnLogData).
//
// Rows are named by their QSO's handle, so editing, deleting and queueing act on the QSO the
// operator chose even when the log changed meanwhile (the logbook refuses a QSO that is gone).

#include "controls/widgets/RCPanel.h"
#include "log/LogInterface.h"
#include "log/LogbookPanelTypes.h"

#include <QPointer>
#include <QTableView>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class TLogGridModel;
class TLogFilterRowModel;
class TLogbookEditLink;
class TRCSpeedButton;

// The QSO grid: no header of its own, the empty-list message, and its own keys.
class TLogGridView : public QTableView {
    Q_OBJECT
public:
    explicit TLogGridView(QWidget* parent = nullptr);

    std::function<void()> OnEnterReleased;
    std::function<void()> OnViewportResized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
};

// The filter row: a click on a cell edits it; every end of an edit is reported.
class TLogFilterView : public QTableView {
    Q_OBJECT
public:
    explicit TLogFilterView(QWidget* parent = nullptr);
    // Ends the edit in editor and edits the nearest shown column in a direction (-1 left,
    // +1 right); with none there the edit goes on.
    void MoveEdit(QWidget* editor, int column, int direction);
    bool IsEditing() const { return state() == EditingState; }

    // An edit ended (taken, cancelled or moved on).
    std::function<void()> OnEditEnded;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

class TLogbookPanelVST : public TRCPanel {
    Q_OBJECT
public:
    explicit TLogbookPanelVST(QWidget* parent = nullptr);
    ~TLogbookPanelVST() override;

    TLogInterface* LogInterface() const { return FLogInterface; }
    // Takes the logbook and becomes the receiver of its OnDXCCListLoadeded,
    // OnInitializeColumns, OnLogData and OnLogbookPanelClear; nullptr is ignored.
    void SetLogInterface(TLogInterface* log);

    const TFilterData& FilterData() const;

    TLogGridView* VST() const { return FVST; }
    TLogFilterView* VSTHeader() const { return FVSTHeader; }
    TLogGridModel* GridModel() const { return FGridModel; }
    TLogFilterRowModel* FilterRowModel() const { return FFilterRow; }
    TLogbookEditLink* EditLink() const { return FEditLink; }
    TRCPanel* Panel1() const { return FPanel1; }
    QComboBox* DXCCComboBox() const { return FDXCCComboBox; }
    TRCSpeedButton* ClearFilterButton() const { return FClearFilterButton; }
    QLabel* CountLabel1() const { return FCountLabel1; }
    QMenu* PopupMenu1() const { return FPopupMenu1; }

    // The text of the DXCC filter for a combo item: the number in its last pair of
    // parentheses (entity names have parentheses of their own), empty without one.
    static QString DXCCCodeOfItem(const QString& item);

    // The popup items.
    void AutoFitColumns();
    void CopyToClipboard();
    void EditSelectedQSO();
    void DeleteSelectedQSO();
    void QueueSelected(int tag);
    // Sorts VST by a column as a click on its caption does.
    void SortByColumn(int column);

private:
    void DoDXCCListLoaded();
    void DoInitializeColumns();
    void DoLogData();
    void DoLogbookPanelClear();
    void DXCCComboChange(int index);
    void ClearFilterClick();
    void FilterIfChanged();
    void EditRow(int row);
    int SelectedRow() const;
    void UpdateCommentsWidth();
    void CopyWidthsToHeader();
    void HeaderSectionResized(int column, int width);
    void SetColumnVisible(int column, bool visible);

    QPointer<TLogInterface> FLogInterface;
    TLogGridView* FVST = nullptr;
    TLogFilterView* FVSTHeader = nullptr;
    TLogGridModel* FGridModel = nullptr;
    TLogFilterRowModel* FFilterRow = nullptr;
    TLogbookEditLink* FEditLink = nullptr;
    TRCPanel* FPanel1 = nullptr;
    QLabel* FDXCCLabel = nullptr;
    QComboBox* FDXCCComboBox = nullptr;
    TRCSpeedButton* FClearFilterButton = nullptr;
    QLabel* FCountLabel1 = nullptr;
    QMenu* FPopupMenu1 = nullptr;
    bool FSyncingWidths = false;
};
