#pragma once
// The program's settings store: one INI file read and written with typed operations by
// section and value name.  Sections are written as the modules name them, with "\" between
// the levels ("Client\RadioCOMPort"); they become nested groups of the file.  Section and
// value names are matched without regard to case, as the registry the settings were
// designed for does, so a name spelt two ways ("DeviceId", "DeviceID") finds one value.
//
// Reading never fails: a missing value, or one that is not of the asked type, gives the
// caller's default.  A file that is not valid UTF-8 is read as Windows-1252: it is changed to
// UTF-8 once when opened, the original kept as "<name>.bak".  A file the user made read-only
// stays so; writing it then fails and is reported.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QSettings;

class TIniStore {
public:
    // Opens (and on first use creates) the file; the file is kept readable by its owner only,
    // as it holds passwords.
    explicit TIniStore(const QString& fileName);
    ~TIniStore();
    TIniStore(const TIniStore&) = delete;
    TIniStore& operator=(const TIniStore&) = delete;

    QString FileName() const { return FFileName; }

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default);
    int32_t ReadInteger(const QString& Section, const QString& Ident, int32_t Default);
    bool ReadBool(const QString& Section, const QString& Ident, bool Default);
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int32_t Value);
    void WriteBool(const QString& Section, const QString& Ident, bool Value);

    bool SectionExists(const QString& Section);
    bool ValueExists(const QString& Section, const QString& Ident);
    // The value names of a section, as stored.
    QStringList ReadSection(const QString& Section);
    // Removes a section with its values and the sections below it.
    void EraseSection(const QString& Section);
    void DeleteKey(const QString& Section, const QString& Ident);

    // Writes pending changes to the file; false when the file could not be written, with
    // ErrorString() telling why.
    bool UpdateFile();
    QString ErrorString() const { return FErrorString; }

private:
    // The stored group path of a section ("Client/RadioCOMPort"), found without regard to case;
    // parts that do not exist yet keep the spelling given.
    QString GroupPath(const QString& Section) const;
    // The stored key of a value, found without regard to case; empty when missing and !forWrite.
    QString KeyPath(const QString& Section, const QString& Ident, bool forWrite) const;
    void Restrict() const;
    void ConvertToUtf8();

    QString FFileName;
    QString FErrorString;
    // Set when the file must not be written over (it could not be converted to UTF-8): writes
    // are not taken, and UpdateFile reports this.
    QString FWriteRefusal;
    std::unique_ptr<QSettings> FSettings;
};
