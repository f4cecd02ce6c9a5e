#include "platform/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace vx {

bool OpenForAtomicWrite(QSaveFile& file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QSaveFile& file, const QByteArray& bytes)
{
    // A short write carries no reason; writing the rest once more fails with the system's
    // ("No space left on device"), which the file then holds as its error and which keeps it
    // from being committed.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done == bytes.size())
        return true;
    if (file.error() == QFileDevice::NoError)
        file.cancelWriting(); // no reason to keep, but the cut file must never be committed
    return false;
}

bool IsSaveLeftover(const QString& target, const QString& name)
{
    constexpr qsizetype RandomLetters = 6;
    const QString base = QFileInfo(target).fileName();
    if (base.isEmpty() || name.size() != base.size() + 1 + RandomLetters || !name.startsWith(base) ||
        name[base.size()] != QLatin1Char('.'))
        return false;
    bool lower = false;
    bool upper = false;
    for (const QChar c : QStringView(name).sliced(base.size() + 1)) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            lower = true;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            upper = true;
        else
            return false;
    }
    return lower && upper;
}

int RemoveSaveLeftovers(const QString& path)
{
    const QFileInfo target(path);
    QDir folder = target.absoluteDir();
    // Only plain files: a folder or a link of that name is nothing a write made.  No name
    // filter: a file name may hold characters a wildcard pattern reads as its own.
    const QStringList candidates = folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    int removed = 0;
    for (const QString& name : candidates) {
        if (IsSaveLeftover(path, name) && folder.remove(name))
            ++removed;
    }
    return removed;
}

QString SaveFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!OpenForAtomicWrite(file) || !WriteAll(file, bytes) || !file.commit()) {
        const QString reason = file.errorString();
        return reason.isEmpty() ? QStringLiteral("the file could not be written whole") : reason;
    }
    return {};
}

} // namespace vx
