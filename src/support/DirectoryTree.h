#pragma once

#include <QString>

// What DeleteDirectoryTree removed and what it could not remove.
struct TDeleteCounts
{
    int Dirs = 0;
    int Files = 0;
    int DirErrors = 0;
    int FileErrors = 0;

    bool Failed() const { return DirErrors > 0 || FileErrors > 0; }
};

// Deletes the directory base (joined with sub when sub is not empty) with
// everything in it: hidden and read-only entries too. A directory is removed
// only when everything in it went; the base itself only with deleteBase.
// Symbolic links are removed as links: their targets, and whatever a linked
// directory holds, are never touched, so base itself may be such a link.
// Nothing happens when the directory does not exist. True when nothing failed.
bool DeleteDirectoryTree(const QString &base, const QString &sub, bool deleteBase,
                         TDeleteCounts &counts);
