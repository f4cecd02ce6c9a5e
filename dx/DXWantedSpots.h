#pragma once
// The operator's wanted calls (or call prefixes) and wanted DXCC entities, each with the
// bands on which it is wanted, read from wantedspots.dat and wanteddxcc.dat in the per-user
// data folder.
//
// File lines: the call, "=", ";" and each wanted band's number in metres followed by ";"
// ("DL1ABC=;160;40;"); for entities the entity text, "=", the ADIF number, ";" and the bands
// ("DL=230;20;"). Lines are sorted without regard to case and end in CR LF; files are
// written whole in UTF-8 (read as UTF-8, or Windows-1252 when they are not).

#include "core/RCTypes.h"
#include "dx/DXSpotTypes.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

using TWantedBands = TEnumSet<TBand>;

class TDXWantedSpots {
public:
    static constexpr const char* WantedSpotsFileName = "wantedspots.dat";
    static constexpr const char* WantedDXCCFileName = "wanteddxcc.dat";

    // Reload one list from its file; a missing file leaves the list empty. Lines without a
    // band are skipped; of repeated calls or entities the last line counts.
    void LoadWantedSpots();
    void LoadWantedDXCC();

    bool IsWanted(const TDXSpot& spot) const { return IsWanted(spot.Call(), spot.Band(), spot.ADIFCode()); }
    // Wanted on the band (160 m .. 6 m only) by its entity, by its exact call, or else by
    // the longest wanted prefix of the call, which alone decides. Case-sensitive.
    bool IsWanted(const QString& call, TBand band, int32_t adifCode) const;

    int WantedSpotsCount() const { return int(FWantedSpotsDictionary.size()); }
    int WantedDXCCCount() const { return int(FWantedDXCCDictionary.size()); }

    // "160" .. "6" for 160 m .. 6 m, empty for every other band.
    static QString BandNumber(TBand band);
    // One file line as the settings grids build it.
    static QString WantedSpotsLine(const QString& call, const TWantedBands& bands);
    static QString WantedDXCCLine(const QString& entity, const QString& adifCode, const TWantedBands& bands);
    // Sorts the lines and replaces the file with them; false when it could not be written
    // (the old file then stays as it was).
    static bool SaveWantedFile(const QString& path, QStringList lines);
    // The lines of a text file (UTF-8, or Windows-1252 when it is not), line ends removed;
    // nullopt when it does not exist or cannot be read.
    static std::optional<QStringList> ReadFileLines(const QString& path);

private:
    QHash<int32_t, QString> FWantedDXCCDictionary;
    QHash<QString, QString> FWantedSpotsDictionary;
};
