#pragma once
// The band plan: for each band from 160 m to 6 m the frequency ranges of CW, phone and
// digital modes. It gives a spot its mode class, and the band map and tuning strip draw the
// ranges. Settings keep one text per band ("BP1" .. "BP11").

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <QString>
#include <array>
#include <cstdint>

struct TSegmentRange {
    int32_t Lower = 0;
    int32_t Upper = 0;
    bool operator==(const TSegmentRange&) const = default;
};

// Ranges of one band, indexed by mode class: Mode[mtCW - 1], Mode[mtPhone - 1],
// Mode[mtDigital - 1]; Range() does the indexing.
struct TBandSegment {
    std::array<TSegmentRange, 3> Mode{};

    const TSegmentRange& Range(TModeType mt) const { return Mode[size_t(mt) - 1]; }
    TSegmentRange& Range(TModeType mt) { return Mode[size_t(mt) - 1]; }
    bool operator==(const TBandSegment&) const = default;
};

constexpr int BandplanBandCount = bd6 - bd160 + 1;
using TSegments = std::array<TBandSegment, BandplanBandCount>;

class TDXBandplan {
public:
    TDXBandplan();

    TModeType ModeType() const { return FModeType; }
    void SetModeType(TModeType value) { FModeType = value; }

    // The band's ranges for 160 m .. 6 m; all zero for any other band.
    TBandSegment GetBandSegment(TBand band) const;
    // Mode class from the comment's mode words (6 m also "SSB"/"CW"), else by the ranges.
    TModeType GetModeType(const TDXSpot& spot) const;

    // "%d-%d %d-%d %d-%d": CW, phone and digital edges in Hz; empty outside 160 m .. 6 m.
    QString GetIniString(TBand band) const;
    // Reads a text of GetIniString's form. A text that is not six numbers in that form
    // changes nothing; for 60 m "0-0 0-0 0-0" gives the 60 m defaults.
    void SetIniString(TBand band, const QString& value);

    // One edge as the settings page shows it: 100 Hz units for 60 m, kHz for the others;
    // "0" outside 160 m .. 6 m.
    QString GetBandModeSegment(TBand band, bool low, TModeType modeType) const;
    // Sets one edge from that text when it is a whole number that lies inside the band.
    void SetBandModeSegment(TBand band, bool low, TModeType modeType, const QString& value);

    static TSegments DefaultSegments();

private:
    static QString GetIniStringOf(const TBandSegment& segment);

    TModeType FModeType = mtAll;
    TSegments FSegments;
};
