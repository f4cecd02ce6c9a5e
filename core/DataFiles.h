#pragma once
// Where the programs keep their data files, the builder of the country lookup files
// (country.dat, prefix.dat, call.dat, callarea.dat) and the first-start copy of the data
// files the program ships.

#include <QByteArray>
#include <QString>
#include <optional>

// Full path of a file in the per-machine data folder ($XDG_DATA_HOME/Vornix).
QString GetCommonDataFileName(const QString& fileName);
// Full path of a file in the per-user data folder ($XDG_CONFIG_HOME/Vornix).
QString GetUserDataFileName(const QString& fileName);

// Reads a text file and hands its bytes back as UTF-8: a UTF-8 byte-order mark is skipped,
// and a file that is not valid UTF-8 is read as Windows-1252. nullopt when it cannot be read.
std::optional<QByteArray> ReadTextFileAsUtf8(const QString& path);
// A text that is not valid UTF-8, read as Windows-1252 and given back in UTF-8; nullopt when
// the bytes already are UTF-8 (ASCII included), so nothing needs converting.
std::optional<QByteArray> Windows1252AsUtf8(const QByteArray& bytes);
// A free name for the backup of a file: "<name>.bak", or "<name>.bak.N" when that is taken.
QString BackupFileName(const QString& path);

enum class TDataFileResult {
    Written,        // the output files were replaced
    InputMissing,   // an input file does not exist: nothing written
    NotCountryFile, // cty.dat is something else (a name=value file): nothing written
    ReadFailed,     // an input file could not be read: nothing written
    WriteFailed,    // an output could not be written: the old files are untouched
};

// Builds the lookup files of the call parser from the country files in the per-machine data
// folder. Every output is written whole through a temporary file, so readers never see a
// half-written file and a failed build leaves the previous files in place.
class TVornixDataFiles {
public:
    // The server program keeps the version entries ("=VERSION", "=VER2024...") in call.dat.
    explicit TVornixDataFiles(bool serverProgram = false);

    // country.dat, prefix.dat and call.dat from cty.dat and dxccentity.dat.
    TDataFileResult CreateDataFiles() const;
    // callarea.dat from cty_wt_mod.dat.
    TDataFileResult CreateCallAreaFile() const;

private:
    bool FServerProgram;
};

// Folder of the data files built into the program.
QString ShippedDataFolder();
constexpr const char* SystemCtyDatPath = "/usr/share/hamradio-files/cty.dat";

// Start-up step of both programs: copies every shipped data file that the per-machine data
// folder lacks, and cty.dat from the system's copy when the folder has none. Existing files
// are never replaced. False when a copy failed.
bool InstallDataFiles(const QString& shippedFolder = ShippedDataFolder(),
                      const QString& systemCtyDat = QString::fromLatin1(SystemCtyDatPath));
