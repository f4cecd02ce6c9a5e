#include "core/IniStore.h"
#include "platform/SaveFile.h"

#include "core/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace {

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

QStringList SectionParts(const QString& Section)
{
    QString s = Section;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The names in `names` equal to `wanted` without regard to case, the exact spelling first and
// the others in their stored order.
QStringList Matches(const QStringList& names, const QString& wanted)
{
    QStringList found;
    if (names.contains(wanted))
        found << wanted;
    for (const QString& n : names)
        if (n != wanted && n.compare(wanted, Qt::CaseInsensitive) == 0)
            found << n;
    return found;
}

QString Joined(const QString& group, const QString& name)
{
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

} // namespace

TIniStore::TIniStore(const QString& fileName)
    : FFileName(fileName)
{
    const QFileInfo info(fileName);
    QDir().mkpath(info.absolutePath());
    if (!info.exists()) {
        // Created empty with the owner-only mode first: later writes replace the file and keep
        // the mode they find.
        QFile f(fileName);
        if (f.open(QIODevice::WriteOnly, OwnerOnly))
            f.close();
    }
    Restrict();
    ConvertToUtf8();
    FSettings = std::make_unique<QSettings>(fileName, QSettings::IniFormat);
    if (FSettings->status() != QSettings::NoError)
        qWarning("Settings file %s could not be read; defaults are used", qPrintable(fileName));
}

void TIniStore::ConvertToUtf8()
{
    // The settings reader knows only UTF-8: a file written in Windows-1252 would be read with
    // its accented letters replaced, and the next write would store that for good.  Such a
    // file is changed to UTF-8 once, the original kept beside it.
    QFile f(FFileName);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return;
    f.close();
    const auto converted = Windows1252AsUtf8(bytes);
    if (!converted)
        return;
    // The backup holds the passwords as well: owner-only from its creation.
    QFile backup(BackupFileName(FFileName));
    const bool created = backup.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly);
    bool ok = created && backup.write(bytes) == bytes.size() && backup.flush();
    backup.close();
    if (created && !ok)
        backup.remove(); // half a backup is none
    if (ok) {
        ok = vx::SaveFileAtomically(FFileName, *converted).isEmpty();
    }
    if (!ok) {
        // Nothing may be written over the file then: the writes would store the damaged text.
        FWriteRefusal = QStringLiteral("%1 is not in UTF-8 and could not be converted").arg(FFileName);
        qWarning("%s", qPrintable(FWriteRefusal));
    }
}

TIniStore::~TIniStore()
{
    UpdateFile();
}

void TIniStore::Restrict() const
{
    // Only access for others is taken away; a file the user made read-only stays read-only.
    constexpr QFile::Permissions Others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther;
    if (!QFileInfo(FFileName).isFile())
        return;
    const QFile::Permissions current = QFile::permissions(FFileName);
    if (current & Others)
        QFile::setPermissions(FFileName, current & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QStringList TIniStore::GroupPaths(const QString& Section, bool& stored) const
{
    QSettings& s = *FSettings;
    const QStringList parts = SectionParts(Section);
    QStringList paths{QString()};
    for (int i = 0; i < parts.size(); ++i) {
        QStringList next;
        for (const QString& path : std::as_const(paths)) {
            s.beginGroup(path);
            const QStringList found = Matches(s.childGroups(), parts[i]);
            s.endGroup();
            for (const QString& name : found)
                next << Joined(path, name);
        }
        if (next.isEmpty()) {
            // Not stored: a write creates it below the first spelling of what exists.
            stored = false;
            QString path = paths.first();
            for (int j = i; j < parts.size(); ++j)
                path = Joined(path, parts[j]);
            return {path};
        }
        paths = next;
    }
    stored = true;
    return paths;
}

QStringList TIniStore::StoredGroups(const QString& Section) const
{
    bool stored = false;
    const QStringList paths = GroupPaths(Section, stored);
    return stored ? paths : QStringList();
}

QString TIniStore::KeyPath(const QString& Section, const QString& Ident, bool forWrite) const
{
    // The first spelling of the group that holds the value wins, for reads and writes alike:
    // a write then changes the value the next read gives, and a copy under another spelling
    // stays in the file untouched.  A new value goes to the group's first spelling.
    bool stored = false;
    const QStringList groups = GroupPaths(Section, stored);
    if (stored) {
        for (const QString& group : groups) {
            FSettings->beginGroup(group);
            const QStringList keys = Matches(FSettings->childKeys(), Ident);
            FSettings->endGroup();
            if (!keys.isEmpty())
                return Joined(group, keys.first());
        }
    }
    return forWrite ? Joined(groups.first(), Ident) : QString();
}

QString TIniStore::ReadString(const QString& Section, const QString& Ident, const QString& Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    const QVariant v = FSettings->value(key);
    // An unquoted comma in a hand-edited file makes a list of the value.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    if (!v.canConvert<QString>())
        return Default;
    return v.toString();
}

int32_t TIniStore::ReadInteger(const QString& Section, const QString& Ident, int32_t Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    bool ok = false;
    const int32_t value = FSettings->value(key).toString().trimmed().toInt(&ok);
    return ok ? value : Default;
}

bool TIniStore::ReadBool(const QString& Section, const QString& Ident, bool Default)
{
    const QString key = KeyPath(Section, Ident, false);
    if (key.isEmpty())
        return Default;
    const QString text = FSettings->value(key).toString().trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok)
        return n != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return Default;
}

void TIniStore::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    if (!FWriteRefusal.isEmpty())
        return;
    FSettings->setValue(KeyPath(Section, Ident, true), Value);
}

void TIniStore::WriteInteger(const QString& Section, const QString& Ident, int32_t Value)
{
    if (!FWriteRefusal.isEmpty())
        return;
    FSettings->setValue(KeyPath(Section, Ident, true), int(Value));
}

void TIniStore::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    if (!FWriteRefusal.isEmpty())
        return;
    // As numbers, so that an integer read of the value works too.
    FSettings->setValue(KeyPath(Section, Ident, true), Value ? 1 : 0);
}

bool TIniStore::SectionExists(const QString& Section)
{
    return !StoredGroups(Section).isEmpty();
}

bool TIniStore::ValueExists(const QString& Section, const QString& Ident)
{
    return !KeyPath(Section, Ident, false).isEmpty();
}

QStringList TIniStore::ReadSection(const QString& Section)
{
    // A value stored under two spellings of the group is named once, as a read finds it.
    QStringList keys;
    for (const QString& group : StoredGroups(Section)) {
        FSettings->beginGroup(group);
        for (const QString& key : FSettings->childKeys())
            if (!keys.contains(key, Qt::CaseInsensitive))
                keys << key;
        FSettings->endGroup();
    }
    return keys;
}

void TIniStore::EraseSection(const QString& Section)
{
    if (!FWriteRefusal.isEmpty() || SectionParts(Section).isEmpty())
        return;
    // Every spelling goes: one left behind would bring its values back.
    for (const QString& group : StoredGroups(Section))
        FSettings->remove(group);
}

void TIniStore::DeleteKey(const QString& Section, const QString& Ident)
{
    if (!FWriteRefusal.isEmpty())
        return;
    // Also the copies under other spellings, which a read would find next.
    for (const QString& group : StoredGroups(Section)) {
        FSettings->beginGroup(group);
        const QStringList keys = Matches(FSettings->childKeys(), Ident);
        FSettings->endGroup();
        for (const QString& key : keys)
            FSettings->remove(Joined(group, key));
    }
}

bool TIniStore::UpdateFile()
{
    if (!FWriteRefusal.isEmpty()) {
        FErrorString = FWriteRefusal;
        return false;
    }
    FSettings->sync();
    Restrict();
    if (FSettings->status() != QSettings::AccessError) {
        FErrorString.clear();
        return true;
    }
    const QFileInfo info(FFileName);
    FErrorString = info.exists() && !(info.permissions() & QFile::WriteOwner)
                       ? QStringLiteral("%1 is read-only").arg(FFileName)
                       : QStringLiteral("%1 could not be written").arg(FFileName);
    qWarning("Settings file %s could not be written", qPrintable(FFileName));
    return false;
}
