#pragma once
// TLogStatisticsPanelV2: the "Log Statistics" tab.  The operator picks a statistics kind, a
// mode filter and a QSL filter for the statistics engine; when a run has finished the grid
// shows its rows (black grid, grey column lines, centred silver counts, the worked and Total
// rows in orange).  A double click on a row hands a log filter for it to OnLogFilter, which
// the main window applies to the log grid.
//
// While a run is in progress no setting reaches the engine: a combo or check box changed
// meanwhile goes back to the engine's value.  The grid keeps the rows of the last finished
// run (it shares them with the engine, which never changes rows once handed out).

#include "controls/widgets/RCPanel.h"
#include "log/LogFilter.h"
#include "log/LogStatistics.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QMenu;

using TLogFilterEvent = std::function<void(const TLogFilter& LogFilter)>;

namespace StatColumn {
constexpr int KeyName = 0;
constexpr int Name = 1;
constexpr int Extra = 2;
constexpr int Mix = 3;
constexpr int FirstBand = 7; // 160m; band column c belongs to band ordinal c - 6
constexpr int LastBand = 20; // 70cm
constexpr int Perc = 21;
constexpr int Count = 22;
} // namespace StatColumn

struct TStatisticsColumn {
    const char* Caption;
    int Width;
    int MinWidth;
    int MaxWidth;
    bool Visible; // at creation
    bool Centred;
};
extern const std::array<TStatisticsColumn, StatColumn::Count> StatisticsColumns;

// The rows of one finished run, in the grid's order.
class TLogStatisticsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TLogStatisticsModel(QObject* parent = nullptr);

    // Takes the rows of a run (a reset); ascending by column 0 until sorted otherwise.
    void SetRows(std::shared_ptr<const TStatisticList> rows, TLogStatisticsType kind);
    // Shows or hides the Total row and switches the counters between numbers and marks.
    void SetShowTotals(bool v);
    bool ShowTotals() const { return FShowTotals; }
    void SetCaption(int column, const QString& caption);
    QString Caption(int column) const { return FCaptions[size_t(column)]; }
    // Orders the rows by a column; the worked row stays first and the Total row last.
    void SortRows(int column, Qt::SortOrder order);
    int SortColumn() const { return FSortColumn; }
    Qt::SortOrder SortOrder() const { return FSortOrder; }

    TLogStatisticsType Kind() const { return FKind; }
    // The row shown at a position.
    const TStatistic& Row(int row) const { return (*FRows)[size_t(FOrder[size_t(row)])]; }
    QString CellText(const TStatistic& row, int column) const;
    // Orders two rows for a column in ascending direction (<0, 0, >0).
    int Compare(const TStatistic& a, const TStatistic& b, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void BuildOrder();

    std::shared_ptr<const TStatisticList> FRows;
    TLogStatisticsType FKind = statNone;
    bool FShowTotals = true;
    std::vector<int> FOrder;
    std::array<QString, StatColumn::Count> FCaptions;
    int FSortColumn = 0;
    Qt::SortOrder FSortOrder = Qt::AscendingOrder;
};

// The grid: the empty-list message, and a row let go when the focus goes elsewhere.
class TStatisticsGridView : public QTableView {
    Q_OBJECT
public:
    explicit TStatisticsGridView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class TLogStatisticsPanelV2 : public TRCPanel {
    Q_OBJECT
public:
    explicit TLogStatisticsPanelV2(QWidget* parent = nullptr);
    ~TLogStatisticsPanelV2() override;

    TLogStatisticsV2* LogStatistics() const { return FLogStatistics; }
    // Takes the engine and becomes the receiver of its OnFinished; nullptr only lets go.
    void SetLogStatistics(TLogStatisticsV2* v);

    TLogFilterEvent OnLogFilter;

    // The handlers, as the controls call them.
    void StatisticsTypeComboBoxChange(int index);
    void FilterModeComboBoxChange(int index);
    void FilterQSLComboBoxChange(int index);
    void DisplayAllCheckBoxClick(bool checked);
    void DisplayTotalsCheckBoxClick();
    void MIAutoFitClick();
    void MICopyToClipboardClick();
    void DoLogStatisticsFinished();
    // A click on a column caption: sorts by it, or reverses the order when it sorts already.
    void DoVSTHeaderClick(int column);
    void DoVSTDblClick(int row);

    // The text of DisplayAllCheckBox for a kind.
    static QString DisplayAllText(TLogStatisticsType kind);

    TRCPanel* TopPanel = nullptr;
    QComboBox* StatisticsTypeComboBox = nullptr;
    QComboBox* FilterModeComboBox = nullptr;
    QComboBox* FilterQSLComboBox = nullptr;
    QCheckBox* DisplayTotalsCheckBox = nullptr;
    QCheckBox* DisplayAllCheckBox = nullptr;
    TStatisticsGridView* VST = nullptr;
    TLogStatisticsModel* Model = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* MIAutoFit = nullptr;
    QAction* MICopyToClipboard = nullptr;

private:
    void CreateWnd();
    void UpdateBandColumns();
    void UpdateTotals();
    void AutoFitColumns();
    void SetColumnCaption(int column, const QString& caption, bool visible);

    QPointer<TLogStatisticsV2> FLogStatistics;
};
