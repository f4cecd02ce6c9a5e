#pragma once
// What the log grid works with: TLogData, one row (a copy of the QSO fields the grid shows,
// texts cut to fixed widths), and TFilterData, the texts typed into the grid's filter row.

#include "core/RCTypes.h"

#include <QChar>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

// One row of the log grid.  Texts are cut to the widths below.
struct TLogData {
    static constexpr int CallWidth = 14;
    static constexpr int BandWidth = 6;
    static constexpr int ModeWidth = 12;
    static constexpr int RSTWidth = 4;
    static constexpr int ExchangeWidth = 8;
    static constexpr int CommentsWidth = 50;
    static constexpr int GridWidth = 6;
    static constexpr int StateWidth = 2;

    // Names the QSO's line in the logbook (a handle that stays valid while other lines come
    // and go); the grid hands it back to EditQSO, DeleteQSO and QSLQueue.
    int32_t Index = 0;
    // QSO date and start time (UTC); null when the QSO has no date.
    QDateTime DateTime;
    QString Call;
    QString Band;
    TBand BandT = bdAll;
    // Mode name; for mode MFSK the submode ("FT4") instead.
    QString Mode;
    QString RSTSent;
    QString STX;
    QString RSTRcvd;
    QString SRX;
    // Comment, name, QTH, IOTA and QSL route (AllInfos).
    QString Comments;
    TContinent Continent = coAll;
    QString Grid;
    uint8_t CQZone = 0;
    QString State;
    // First letters of the six QSL flags.
    QChar QSLSent;
    QChar QSLRcvd;
    QChar QSLLoTWSent;
    QChar QSLLoTWRcvd;
    QChar eQSLSent;
    QChar eQSLRcvd;
    int32_t ADIFCode = 0;
    bool LogCheck = false;
};

// Column numbers of the log grid, the index of TFilterData::Value.
namespace LogColumn {
enum : int {
    QSODate = 0,
    TimeOn = 1,
    Call = 2,
    Band = 3,
    Mode = 4,
    RSTSent = 5,
    STX = 6,
    RSTRcvd = 7,
    SRX = 8,
    Comments = 9,
    Continent = 10,
    Grid = 11,
    CQZone = 12,
    State = 13,
    QSLSent = 14,
    QSLRcvd = 15,
    LoTWSent = 16,
    LoTWRcvd = 17,
    eQSLSent = 18,
    eQSLRcvd = 19,
};
constexpr int Count = 20;
} // namespace LogColumn

// What the operator typed into the filter row of the log grid, one text per column.
class TFilterData {
public:
    TFilterData() { Clear(); }

    // All values and DXCC empty, Changed false.
    void Clear();
    // True when DXCC or any column value is non-empty.
    bool Filtered() const;

    std::array<QString, LogColumn::Count> Value;
    // DXCC entity number chosen as filter.
    QString DXCC;
    // Set by the grid's cell editor when a value was edited; cleared when an edit begins.
    bool Changed = false;
};
