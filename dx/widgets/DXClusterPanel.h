#pragma once
// TDXClusterPanel: the DX cluster console.  A black list of the lines the spot engine reports,
// coloured by spot state, an information bar for the station of a clicked line (country, CQ
// zone, distances and bearings), and a command line with its history beside the three command
// buttons and the connect button of the cluster module.
//
// Typed commands leave through OnSendToTelnet; a double click (or Enter) on a spot line tunes
// the radio through the spot engine.  The list keeps at most MaxtSpots lines (MaxLines when
// that is 0 or more), so a busy cluster cannot make it grow without end.

#include "controls/widgets/RCPanel.h"
#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"
#include "dx/DXSpots.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <cstdint>

class QAction;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class TRCSpeedButton;

// The console's lines, in the order shown.  Display text, colour and line number per row.
class TDXClusterLineModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int LineNoRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int Count() const { return int(FLines.size()); }
    const TDXClusterData& Line(int row) const { return FLines[row]; }
    void Add(const TDXClusterData& line, bool onTop);
    // Removes the n oldest lines (at the bottom when the newest are on top).
    void RemoveOldest(int n, bool newestOnTop);
    void Clear();
    void SortByLineNo(bool descending);

private:
    QList<TDXClusterData> FLines;
};

class TDXClusterPanel : public TRCPanel {
    Q_OBJECT
public:
    // The most lines kept, also when MaxtSpots is 0 ("keep all") or above it.
    static constexpr int MaxLines = 10000;
    static constexpr int MaxHistory = 21;
    static constexpr int RowHeight = 12;

    explicit TDXClusterPanel(QWidget* parent = nullptr);
    ~TDXClusterPanel() override;

    // The command history, most recent first.
    QStringList ClusterCommands() const;
    void SetClusterCommands(const QStringList& Value);

    QAction* Command1Action() const { return FCommand1Action; }
    void SetCommand1Action(QAction* Value);
    QAction* Command2Action() const { return FCommand2Action; }
    void SetCommand2Action(QAction* Value);
    QAction* Command3Action() const { return FCommand3Action; }
    void SetCommand3Action(QAction* Value);
    QAction* DXClusterConnectAction() const { return FDXClusterConnectAction; }
    void SetDXClusterConnectAction(QAction* Value);

    TDXSpots* DXSpots() const { return FDXSpots; }
    // Hooks the engine's console-line and lookup events.
    void SetDXSpots(TDXSpots* Value);

    bool AddSpotsOnTop() const { return FAddSpotsOnTop; }
    // Re-sorts the lines when it changes.
    void SetAddSpotsOnTop(bool Value);
    uint32_t MaxtSpots() const { return FMaxSpots; }
    void SetMaxtSpots(uint32_t Value) { FMaxSpots = Value; }

    // Every command the operator enters.
    TStringEvent OnSendToTelnet;

    // The colour a line is drawn in when it is not selected.
    static QColor LineColor(const TDXClusterData& line);
    TDXClusterLineModel* Lines() const { return FLines; }
    // All lines, oldest first, each followed by eol.
    QString LinesText(const QString& eol) const;

    // The three menu commands; "Save to file..." asks for the file, then writes it with
    // SaveToFile, which gives back why it failed (empty on success).
    void ClearAll();
    void SaveToFileAction();
    QString SaveToFile(const QString& path) const;
    void CopyToClipboard() const;

    // Controls.
    TRCPanel* CommandPanel = nullptr;
    QComboBox* DXCSendEdit = nullptr;
    TRCSpeedButton* CommandButton1 = nullptr;
    TRCSpeedButton* CommandButton2 = nullptr;
    TRCSpeedButton* CommandButton3 = nullptr;
    TRCSpeedButton* ConnectButton = nullptr;
    TRCPanel* Panel3 = nullptr;
    TRCPanel* DXInfoPanel1 = nullptr;
    TRCPanel* RCPanel1 = nullptr;
    TRCPanel* RCPanel2 = nullptr;
    TRCPanel* RCPanel3 = nullptr;
    TRCPanel* RCPanel4 = nullptr;
    QLabel* DXInfoLabel1 = nullptr;
    QLabel* DXInfoLabel2 = nullptr;
    QLabel* DXInfoLabel3 = nullptr;
    QLabel* DXInfoLabel4 = nullptr;
    QLabel* DXInfoLabel5 = nullptr;
    QListView* VST = nullptr;
    QMenu* PopupMenuDXCluster = nullptr;
    QAction* MI1 = nullptr;
    QAction* MI2 = nullptr;
    QAction* MI3 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DoDXClusterAdded(const TDXClusterData& Data);
    void DoDXSpotLookup(const TDXSpot& ADXSpot);
    void ClearInfo();
    void UpdateMenu();
    void SendCommandLine();
    void LineClicked(int row);
    void TuneTo(int row);
    void BindAction(QPointer<QAction>& field, TRCSpeedButton* button, QAction* value);
    int Limit() const;

    TDXClusterLineModel* FLines = nullptr;
    QPointer<QAction> FCommand1Action;
    QPointer<QAction> FCommand2Action;
    QPointer<QAction> FCommand3Action;
    QPointer<QAction> FDXClusterConnectAction;
    QPointer<TDXSpots> FDXSpots;
    uint32_t FMaxSpots = 1000;
    bool FAddSpotsOnTop = false;
};
