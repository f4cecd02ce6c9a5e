#pragma once
// TDXSpotsPanel2: the "DX Spots" tab.  A grid of the spots the engine announces, newest on
// top, with two rows of filter buttons (bands, modes, continents, own country, selected call,
// selected DXCC entity, wanted spots), a reset button, an options menu that clears groups of
// spots, and a context menu that filters on the selected spot or tunes the radio to it.

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"
#include "dx/DXSpots.h"

#include <QPointer>
#include <QTableView>
#include <QWidget>
#include <array>

class QAction;
class QLabel;
class QMenu;
class QToolButton;
class TDXSpotsModel;
class TRCSpeedButton;

// The grid: rows of one text line, " no DX spots" while nothing is shown.
class TDXSpotsGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDXSpotsGrid(QWidget* parent = nullptr);

    QString EmptyListMessage() const { return FEmptyListMessage; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TDXSpotsPanel2;
    // Column 3 takes what the other columns leave.
    void FitComments();

    QString FEmptyListMessage = QStringLiteral(" no DX spots");
};

class TDXSpotsPanel2 : public QWidget {
    Q_OBJECT
public:
    explicit TDXSpotsPanel2(QWidget* parent = nullptr);
    ~TDXSpotsPanel2() override;

    TDXSpots* DXSpots() const { return FDXSpots.data(); }
    void SetDXSpots(TDXSpots* value);

    // ---- Filter state -------------------------------------------------------------------
    TBandFilter FilterBand() const { return FFilterBand; }
    TContinentFilter FilterContinent() const { return FFilterContinent; }
    TModeFilter FilterMode() const { return FFilterMode; }
    bool FilterOutsideMyCountry() const { return FFilterOutsideMyCountry; }
    QString FilteredCall() const { return FFilteredCall; }
    int32_t FilteredDXCC() const { return FFilteredDXCC; }
    bool FilteredOnCall() const { return FFilteredOnCall; }
    bool FilteredOnDXCC() const { return FFilteredOnDXCC; }
    bool FilterWanted() const { return FFilterWanted; }
    bool SpotPassesFilter(const TSpotData& data) const;

    // ---- Commands -------------------------------------------------------------------------
    void ApplyFilter();
    // Kind 1 older than one hour, 2 logged, 3 duplicates, 4 intracontinental, 5 beacons,
    // 7 useless, 8 every shown spot; own spots stay.
    void ClearSpots(int kind);
    // The first selected spot; null when none.
    const TSpotData* SelectedSpot() const;
    TDXSpotsModel* Model() const { return FModel; }

    // ---- Children -------------------------------------------------------------------------
    QWidget* Panel1;
    QWidget* Panel2;
    TRCSpeedButton* BandButtonAll;
    // Indexed by band, bd160 .. bd6 (the entries outside are null).
    std::array<TRCSpeedButton*, BandCount> BandButtons{};
    QToolButton* SpaceHolderButton;
    TRCSpeedButton* ModeButtonAll;
    TRCSpeedButton* ModeButtonCW;
    TRCSpeedButton* ModeButtonSSB;
    TRCSpeedButton* ModeButtonDigi;
    QLabel* CountLabel;
    TRCSpeedButton* ContButtonAll;
    // Indexed by continent, coAF .. coSA (the entries outside are null).
    std::array<TRCSpeedButton*, ContinentCount> ContButtons{};
    TRCSpeedButton* OutsideContButton;
    QToolButton* SpaceHolderButton2;
    TRCSpeedButton* FilterCallButton;
    TRCSpeedButton* FilterDXCCButton;
    TRCSpeedButton* WantedButton;
    TRCSpeedButton* ResetButton;
    TRCSpeedButton* OptionsButton;
    TDXSpotsGrid* VST;

    QMenu* PopupMenuOptions;
    QAction* MI1;
    QAction* MI2;
    QAction* MI3;
    QAction* MI4;
    QAction* MI6;
    QAction* MI7;
    QAction* MI8;
    QAction* MI10;
    QAction* MI11;
    QMenu* PopupMenuGrid;
    QAction* MIFilterCall;
    QAction* MIFilterDXCC;
    QAction* MILog;
    QAction* MIVFOA;
    QAction* MIVFOB;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TRCSpeedButton* AddButton(QWidget* row, int& left, int width, const QString& caption, const QString& hint,
                              int group);
    void BandButtonClick(TRCSpeedButton* button);
    void ModeButtonClick(TRCSpeedButton* button);
    void ContButtonClick(TRCSpeedButton* button);
    void FilterCallClick();
    void FilterDXCCClick();
    void FilterSelectedCall();
    void FilterSelectedDXCC();
    // A button released by its group partner ends its filter.
    void EndReleasedCallAndDXCCFilters();
    void ResetClick();
    void UpdateCount();
    void NodeClicked();
    void SelectRow(int row);
    void SendSelected(bool toVFOA, bool toVFOB);
    void RemoveSelected(bool fromBandmap);
    void ToggleOption(TSpotOption option);
    void ApplyOptions();
    void Unhook();

    void DoSpotDataAdded(const TSpotData& data);
    void DoSpotDataChanged(const TSpotData& data);
    void DoSpotDataRemoved(const TSpotData& data);

    QPointer<TDXSpots> FDXSpots;
    TBandFilter FFilterBand{bdAll};
    TContinentFilter FFilterContinent{coAll};
    TModeFilter FFilterMode{mtAll};
    bool FFilterOutsideMyCountry = false;
    QString FFilteredCall;
    int32_t FFilteredDXCC = 0;
    bool FFilteredOnCall = false;
    bool FFilteredOnDXCC = false;
    bool FFilterWanted = false;
    bool FHideAwardSpots = false;
    TDXSpotsModel* FModel;
};
