#include "support/DirectoryTree.h"

#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Entries of a read-only directory can only be removed once it is writable.
void MakeWritable(const QString &dir)
{
    const QFileInfo info(dir);
    const QFile::Permissions needed = QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOwner;
    if ((info.permissions() & needed) != needed)
        QFile::setPermissions(dir, info.permissions() | needed);
}

// True when the directory's contents all went.
bool DeleteContents(const QString &dir, TDeleteCounts &counts)
{
    MakeWritable(dir);
    const QDir::Filters filter =
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    bool allGone = true;
    const QFileInfoList entries = QDir(dir).entryInfoList(filter, QDir::NoSort);
    // Subdirectories first, then the files, as a user would expect the counts.
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() || !entry.isDir())
            continue;
        const QString path = entry.absoluteFilePath();
        if (!DeleteContents(path, counts)) {
            allGone = false;
            continue;
        }
        if (QDir().rmdir(path)) {
            ++counts.Dirs;
        } else {
            ++counts.DirErrors;
            allGone = false;
        }
    }
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            continue;
        if (QFile::remove(entry.absoluteFilePath())) {
            ++counts.Files;
        } else {
            ++counts.FileErrors;
            allGone = false;
        }
    }
    return allGone;
}

} // namespace

bool DeleteDirectoryTree(const QString &base, const QString &sub, bool deleteBase,
                         TDeleteCounts &counts)
{
    QString dir = sub.isEmpty() ? base : JoinPath(base, sub);
    if (dir.size() > 1)
        dir = StripTrailing(dir, PathDelimiter());
    const QFileInfo info(dir);
    if (info.isSymLink()) {
        // The link is the folder the user sees; its target stays.
        if (!deleteBase)
            return true;
        if (QFile::remove(dir)) {
            ++counts.Dirs;
            return true;
        }
        ++counts.DirErrors;
        return false;
    }
    if (!info.isDir())
        return true;
    const int errorsBefore = counts.DirErrors + counts.FileErrors;
    if (DeleteContents(dir, counts) && deleteBase) {
        if (QDir().rmdir(dir))
            ++counts.Dirs;
        else
            ++counts.DirErrors;
    }
    return counts.DirErrors + counts.FileErrors == errorsBefore;
}
