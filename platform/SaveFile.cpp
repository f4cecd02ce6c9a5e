#include "platform/SaveFile.h"

#include <QSaveFile>

namespace vx {

bool OpenForAtomicWrite(QSaveFile& file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool WriteAll(QSaveFile& file, const QByteArray& bytes)
{
    if (file.write(bytes) == bytes.size())
        return true;
    file.cancelWriting();
    return false;
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
