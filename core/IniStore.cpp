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

// The name in `names` equal to `wanted`, or failing that equal without regard to case.
QString Match(const QStringList& names, const QString& wanted)
{
    if (names.contains(wanted))
        return wanted;
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    return {};
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

QString TIniStore::GroupPath(const QString& Section) const
{
    QSettings& s = *FSettings;
    const QStringList parts = SectionParts(Section);
    QStringList path;
    bool exists = true;
    for (const QString& part : parts) {
        QString found;
        if (exists) {
            s.beginGroup(path.join(QLatin1Char('/')));
            found = Match(s.childGroups(), part);
            s.endGroup();
        }
        if (found.isEmpty()) {
            exists = false;
            found = part;
        }
        path << found;
    }
    return path.join(QLatin1Char('/'));
}

QString TIniStore::KeyPath(const QString& Section, const QString& Ident, bool forWrite) const
{
    const QString group = GroupPath(Section);
    FSettings->beginGroup(group);
    QString key = Match(FSettings->childKeys(), Ident);
    FSettings->endGroup();
    if (key.isEmpty()) {
        if (!forWrite)
            return {};
        key = Ident;
    }
    return group.isEmpty() ? key : group + QLatin1Char('/') + key;
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
    const QStringList parts = SectionParts(Section);
    if (parts.isEmpty())
        return true;
    const QString group = GroupPath(Section);
    const int split = group.lastIndexOf(QLatin1Char('/'));
    FSettings->beginGroup(split < 0 ? QString() : group.left(split));
    const bool found = FSettings->childGroups().contains(group.mid(split + 1));
    FSettings->endGroup();
    return found;
}

bool TIniStore::ValueExists(const QString& Section, const QString& Ident)
{
    return !KeyPath(Section, Ident, false).isEmpty();
}

QStringList TIniStore::ReadSection(const QString& Section)
{
    FSettings->beginGroup(GroupPath(Section));
    const QStringList keys = FSettings->childKeys();
    FSettings->endGroup();
    return keys;
}

void TIniStore::EraseSection(const QString& Section)
{
    if (!FWriteRefusal.isEmpty() || SectionParts(Section).isEmpty() || !SectionExists(Section))
        return;
    FSettings->remove(GroupPath(Section));
}

void TIniStore::DeleteKey(const QString& Section, const QString& Ident)
{
    const QString key = KeyPath(Section, Ident, false);
    if (FWriteRefusal.isEmpty() && !key.isEmpty())
        FSettings->remove(key);
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
