#pragma once
// A path's folder (remembered as the next dialog's start) and its file name (as messages show it).
#include <QFileInfo>
#include <QString>

inline QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

inline QString FileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}
