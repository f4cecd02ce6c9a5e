#pragma once
// Vocabulary shared by every subsystem: roles, bands, QSO modes, continents, QSL flags,
// connection and port states, the remote station record, event types and constant tables.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

enum TApplicationType : uint8_t { isLocal, isLocalAndRemoteServer, isRemoteServer, isRemoteClient };

enum TBand : uint8_t { bdAll, bd160, bd80, bd60, bd40, bd30, bd20, bd17, bd15, bd12, bd10, bd6, bd4, bd2, bd70c };
constexpr int BandCount = 15;

enum TCOMPortState : uint8_t { comInvalid, comClosed, comWaiting, comOpen, ComError };

enum TConnection : uint8_t { conNone, conInvalid, conConnecting, conNoRespone, conRejected, conConnected, conDisconnected };

enum TContinent : uint8_t { coAll, coAF, coAS, coEU, coNA, coOC, coSA, coAN };
constexpr int ContinentCount = 8;

enum TQSOMode : uint8_t {
    mNone, mCW, mSSB, mRTTY, mFT8, mMFSKFT4, mMFSKQ65, mJT65, mJT9, mPSK, mAM, mFM, mARDOP, mATV, mC4FM, mCHIP,
    mCLO, mCONTESTI, mDIGITALVOICE, mDOMINO, mDSTAR, mFAX, mFSK441, mHELL, mISCAT, mJT4, mJT6M, mJT44, mMFSK,
    mMSK144, mMT63, mOLIVIA, mOPERA, mPAC, mPAX, mPKT, mPSK2K, mQ15, mQRA64, mROS, mRTTYM, mSSTV, mT10, mTHOR,
    mTHRB, mTOR, mV4, mVOI, mWINMOR, mWSP
};
constexpr int QSOModeCount = 50;

enum TModeType : uint8_t { mtAll, mtCW, mtPhone, mtDigital };

enum TPropMode : uint8_t {
    pmNone, pmAS, pmAUR, pmAUE, pmBS, pmECH, pmEME, pmES, pmFAI, pmF2, pmINTERNET, pmION, pmIRL, pmMS, pmRPT,
    pmRS, pmSAT, pmTEP, pmTR
};
constexpr int PropModeCount = 19;

enum TQSLFlag : uint8_t { qfNo, qfYes, qfRequested, qfIgnore, qfQueded };

enum TRangeUnit : uint8_t { ruKM, ruMiles };

enum TVFO : uint8_t { vfoA, vfoB };

// One remote station known to a client.
struct TRemoteBaseParameter {
    QString Hostname;
    QString Host;
    uint32_t Port = 0;
    QString Username;
    QString Password;
    bool Active = false;
    uint32_t AudioPort = 0;
};

// Angle of the round on-screen controls, 0 to 3600.
using TDegree = uint16_t;

// Event types.  An event is one assignable handler: assigning replaces the previous one.
using TNotifyEvent = std::function<void()>;
using TByteEvent = std::function<void(uint8_t Value)>;
using TWordEvent = std::function<void(uint16_t Value)>;
using TIntegerEvent = std::function<void(int32_t Value)>;
using TFrequencyEvent = std::function<void(int32_t Value)>;
using TStringEvent = std::function<void(const QString& Value)>;
using TSwitchEvent = std::function<void(bool Value)>;
using TTickCountEvent = std::function<void(uint32_t TickCounts)>;
using TRxTxBufferEvent = std::function<void(const QString& Command)>;
using TVFOBoolEvent = std::function<void(uint8_t AVFO, bool Value)>;
using TVFOByteEvent = std::function<void(uint8_t AVFO, uint8_t Value)>;
using TVFOIntegerEvent = std::function<void(uint8_t AVFO, int32_t Value)>;
using TVFOStringEvent = std::function<void(uint8_t AVFO, const QString& Value)>;
using TFrequencyChangeEvent = std::function<void(TVFO AVFO, int32_t AFrequency)>;
using TCOMPortEvent = std::function<void(TCOMPortState Value)>;
using TConnectionEvent = std::function<void(TConnection Connection, const QString& Msg)>;
using TClientListEvent = std::function<void(bool Enabled, const QString& Name, bool Connected, const QString& Msg)>;
using TClientStatusEvent = TClientListEvent;
using TLogQSOEvent = std::function<void(const QString& ACall, TBand ABand, TModeType AModeType)>;

// Raises an event only when a handler is assigned.
template <typename F, typename... Args>
inline void Fire(const F& handler, Args&&... args)
{
    if (handler)
        handler(std::forward<Args>(args)...);
}

// Constant tables.
extern const std::array<const char*, 36> ADIFFieldTags;
extern const std::array<const char*, BandCount> BandNames;
extern const std::array<const char*, ContinentCount> ContinentNames;
extern const std::array<const char*, QSOModeCount> QSOModeNames;
extern const std::array<const char*, PropModeCount> PropModeNames;
extern const std::array<const char*, PropModeCount> PropModeDescriptions;
extern const char QSLFlagLetters[6]; // "NYRIQ"
extern const std::array<const char*, 20> ADIFSubmodes;
extern const std::array<const char*, 51> USStateCodes;

struct TBandEdge {
    int32_t Lower;
    int32_t Upper;
};
// Inclusive edges in Hz for bd160 .. bd6, indexed by TBand (entries outside that range are 0).
extern const std::array<TBandEdge, BandCount> BandEdges;
// Band segments 1 to 3, colours as 0x00BBGGRR.
extern const std::array<uint32_t, 3> BandSegmentColors;

// Conversions.
QString ContinentToString(TContinent c);
QString DateToYYYYMMDD(const QDateTime& d);
TBand FrequencyToBand(int32_t hz);
TModeType QSOModeToModeType(TQSOMode m);
QString QSLFlagToChar(TQSLFlag f);
QString ByteToTwoDigits(uint8_t v);
TContinent StringToContinent(const QString& s);
QDateTime UTCNow();
