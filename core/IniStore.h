#pragma once
// The program's settings store: one INI file read and written with typed operations by
// section and value name.  Sections are written as the modules name them, with "\" between
// the levels ("Client\RadioCOMPort"); they become nested groups of the file.  Section and
// value names are matched without regard to case, as the registry the settings were
// designed for does, so a name spelt two ways ("DeviceId", "DeviceID") finds one value.  A
// group the file spells two ways holds the values of both; a value found under both is read
// from and written to the first spelling, and the other copy is kept.
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
    // Every stored group path of a section ("Client/RadioCOMPort"), found without regard to
    // case: a file edited by hand or written by the previous program may spell one group two
    // ways ("application", "APPLICATION"), and the values under each belong to the section.
    // The spelling given comes first at each level, then the others in the file's order.  When
    // the section is not stored, `stored` is false and the one path a write would create is
    // returned: the first spelling of what exists, then the parts as given.
    QStringList GroupPaths(const QString& Section, bool& stored) const;
    // The stored group paths of a section; empty when it is not stored.
    QStringList StoredGroups(const QString& Section) const;
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
