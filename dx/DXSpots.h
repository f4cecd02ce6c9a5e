#pragma once
// TDXSpots: the spot engine.  It takes the cluster's lines one by one (Add), tells WWV
// reports, live spots, the answers of SH/DX and SH/WWV and other text apart, turns spots into
// TDXSpot objects, completes them (country, mode class, wanted, worked before), stores them
// in the spot list and the band map list, ages them out, and reports every line to the
// cluster console.  It also tunes the radio to a stored spot and answers call lookups.
//
// Everything runs on the GUI thread.  A block of received lines is handed in between
// BeginUpdate and EndUpdate: the band map then hears of the whole block once.

#include "core/RCTypes.h"
#include "dx/BandmapList.h"
#include "dx/DXBandplan.h"
#include "dx/DXCallParser.h"
#include "dx/DXLocatorList.h"
#include "dx/DXSpotFilter.h"
#include "dx/DXSpotList.h"
#include "dx/DXSpotTypes.h"
#include "dx/DXWWV.h"
#include "dx/DXWantedSpots.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class TFTCATInterface;
class TLogInterface;

namespace vx {
class Timer;
} // namespace vx

// One line for the cluster console (the cluster module has a connection event of the same
// name in its own namespace).
using TDXClusterEvent = std::function<void(const TDXClusterData& Data)>;

// The next number of the program-wide spot counter (the first spot gets 1).
int32_t NextSpotID();

class TDXSpots : public QObject {
    Q_OBJECT
public:
    static constexpr int CleanupInterval = 300000;
    static constexpr int BandmapInterval = 60000;

    explicit TDXSpots(QObject* owner = nullptr);
    ~TDXSpots() override;

    // ---- Properties --------------------------------------------------------------------
    uint16_t BandmapLifetime() const { return FBandmapLifetime; }
    void SetBandmapLifetime(uint16_t value) { FBandmapLifetime = value; }
    uint16_t BandmapRefreshTime() const { return FBandmapRefreshTime; }
    // Stores the value and always raises OnBandmapRefreshTime.
    void SetBandmapRefreshTime(uint16_t value);
    TDXBandplan& DXBandplan() { return FDXBandplan; }
    const TDXBandplan& DXBandplan() const { return FDXBandplan; }
    TDXCallParser& DXCallParser() { return FDXCallParser; }
    const TDXCallParser& DXCallParser() const { return FDXCallParser; }
    TDXSpotFilter& DXSpotFilter() { return FDXSpotFilter; }
    const TDXSpotFilter& DXSpotFilter() const { return FDXSpotFilter; }
    const TDXWantedSpots& DXWantedSpots() const { return FDXWantedSpots; }
    // Minutes a spot stays stored; 0 keeps spots for ever.
    uint16_t DXSpotsLifetime() const { return FDXSpotsLifetime; }
    void SetDXSpotsLifetime(uint16_t value) { FDXSpotsLifetime = value; }
    TFTCATInterface* FTCATInterface() const;
    void SetFTCATInterface(TFTCATInterface* value);
    TLogInterface* LogInterface() const;
    // Ignores null; hooks the logbook's OnLogQSO so logged QSOs mark the stored spots.
    void SetLogInterface(TLogInterface* value);
    const QString& MyCall() const { return FMyCall; }
    void SetMyCall(const QString& value);
    int32_t MyDXCCNo() const { return FMyDXCCNo; }
    TContinent MyCont() const { return FMyCont; }
    const QString& MyLocator() const { return FMyLocator; }
    void SetMyLocator(const QString& value);
    int32_t MaxTelnetSpots() const { return FMaxTelnetSpots; }
    void SetMaxTelnetSpots(int32_t value) { FMaxTelnetSpots = value; }
    bool NewestSpotsFirst() const { return FNewestSpotsFirst; }
    void SetNewestSpotsFirst(bool value) { FNewestSpotsFirst = value; }
    TRangeUnit RangeUnit() const { return FRangeUnit; }
    void SetRangeUnit(TRangeUnit value) { FRangeUnit = value; }
    TSpotOptions SpotsOptions() const { return FSpotsOptions; }
    // Stores a changed value and raises OnSpotsOptions.
    void SetSpotsOptions(TSpotOptions value);
    TDXWWV& WWV() { return FWWV; }
    const TDXWWV& WWV() const { return FWWV; }

    // The stored spots; the views read them directly.
    TSpotDataList& SpotDataList() { return FSpotDataList; }
    const TSpotDataList& SpotDataList() const { return FSpotDataList; }
    const TBandmapDataList& BandmapDataList() const { return FBandmapDataList; }
    const TDXLocatorList& LocatorList() const { return FLocatorList; }

    // ---- Operations --------------------------------------------------------------------
    // Loads the country data, then resolves the own call and locator again.
    void Open();
    void Close();
    // Handles one received line.
    void Add(const QString& Msg);
    // Lines handed in between these two are one block: OnBandmapChange is raised once at
    // the end (when anything changed) instead of once per spot.  They nest.
    void BeginUpdate();
    void EndUpdate();
    // Stores an own spot from the entry panel.
    void AddSpotToBandmap(TSpot& ASpot);
    QString BandmapSpotLookup(int32_t ASpotID) const { return FSpotDataList.BandmapSpotLookup(ASpotID); }
    void CallsignLookup(const QString& HisCall);
    void DXSpotLookup(const QString& HisCall);
    void LogCheckerLookup(const QString& HisCall, TDXSpot& ADXSpot);
    QString GetRangeAndPath(TSpot& ASpot);
    QString GetRangeAndPathText(const QString& ALocator) const;
    void UpdateLocator(TSpot& ASpot);
    void LoadLocatorList(const QString& FilePath) { FLocatorList.Open(FilePath); }
    void LoadWantedSpotsList();
    void LoadWantedDXCCList();
    void RemoveSpot(int32_t ASpotID, bool ARemoveFromBandmap);
    void SendSpotToTransceiver(int32_t ASpotID, bool ToVFOA, bool ToVFOB);

    // Whether the clean-up and band-map timers run (they start with the first line).
    bool TimersRunning() const;

    // ---- Events (GUI thread) -----------------------------------------------------------
    TNotifyEvent OnBandmapChange;
    TWordEvent OnBandmapRefreshTime;
    TDXSpotEvent OnCallsignLookup;
    TDXSpotEvent OnDXSpotLookup;
    TDXSpotEvent OnMessage;
    TSpotEvent OnSpotDblClick;
    TNotifyEvent OnSpotsOptions;
    TNotifyEvent OnWWVData;
    TDXClusterEvent OnDXClusterAdded;
    TSpotDataEvent OnSpotDataAdded;
    TSpotDataEvent OnSpotDataChanged;
    TSpotDataEvent OnSpotDataRemoved;

private:
    // Line kinds.
    bool AddWWVAnnouncement(const QString& line);
    bool AddWWVTableLine(const QString& line);
    bool AddLiveSpot(const QString& line);
    void AddSpotTableLine(const QString& line);

    bool PrepareSpot(TDXSpot& spot);
    // Stores the spot; with isShowDXSpot a duplicate of a stored live spot is refused before
    // it takes a number or touches the band map.  True when stored.
    bool AddDXSpot(TDXSpot& spot, bool isShowDXSpot);
    void DoDXClusterAdded(const TDXSpot& spot, const QString& line);
    void BandmapChanged();
    void Cleanup();

    TDXCallParser FDXCallParser;
    TDXBandplan FDXBandplan;
    TDXSpotFilter FDXSpotFilter;
    TDXWantedSpots FDXWantedSpots;
    TDXWWV FWWV;
    TSpotDataList FSpotDataList;
    TBandmapDataList FBandmapDataList;
    TDXLocatorList FLocatorList;
    TDXSpot FDXSpot;
    vx::Timer* FCleanupTimer = nullptr;
    vx::Timer* FBandmapTimer = nullptr;

    uint16_t FBandmapLifetime = 60;
    uint16_t FBandmapRefreshTime = 0;
    uint16_t FDXSpotsLifetime = 120;
    // Neighbours that may go before the engine does.
    QPointer<TFTCATInterface> FFTCATInterface;
    QPointer<TLogInterface> FLogInterface;
    QString FMyCall;
    int32_t FMyDXCCNo = 0;
    TContinent FMyCont = coAll;
    QString FMyLocator;
    int32_t FMaxTelnetSpots = 1000;
    bool FNewestSpotsFirst = false;
    TRangeUnit FRangeUnit = ruKM;
    TSpotOptions FSpotsOptions;

    int FUpdateCount = 0;
    bool FBandmapChangePending = false;
};
