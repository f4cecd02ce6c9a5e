#pragma once
// Whole-file writes that either replace the file completely or leave it as it was.

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace vx {

// Writes `bytes` to `path` through a temporary file and an atomic rename.  Returns an empty
// text on success, otherwise the reason; the old file is then untouched.
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);

// Opens `file` for an atomic write that counts every byte.  Qt's buffered save file reports a
// commit as successful after a short write (a file-size limit, a disk that fills meanwhile)
// and would replace the old file with the cut one; unbuffered, the short write shows in the
// count that write() returns.
bool OpenForAtomicWrite(QSaveFile& file);

// Writes all of `bytes` to a file opened by OpenForAtomicWrite; on a short write the pending
// file is discarded, so a later commit cannot replace the old one.
bool WriteAll(QSaveFile& file, const QByteArray& bytes);

// Whether `name` (without folder) is the temporary file of an atomic write of `target`:
// where the file system cannot hold an unnamed temporary file, the write goes to the target's
// name, ".", six random letters, and an interrupted write leaves it behind.  A suffix of one
// letter case ("backup", "BEFORE") is a name a person chose and never counts.
bool IsSaveLeftover(const QString& target, const QString& name);

// Removes the temporary files that interrupted atomic writes of `path` left beside it; the
// number removed.  Call it only while nothing is writing `path`.
int RemoveSaveLeftovers(const QString& path);

} // namespace vx
