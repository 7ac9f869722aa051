#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Files as the operating system sees them: what identifies one version of a
// file, and writing a file whole or not at all.

// One version of a file: a save by another program changes its inode (an
// atomic replace), its size or its modification time.
struct TFileState
{
    bool Exists = false;
    quint64 Device = 0;
    quint64 Inode = 0;
    qint64 Size = 0;
    qint64 ModifiedNs = 0;

    bool operator==(const TFileState &other) const = default;
};

// The state of fileName as it is now (symbolic links followed); Exists is
// false when there is no such file.
TFileState FileStateOf(const QString &fileName);

// Writes data to fileName whole or not at all: into a temporary file beside
// it, flushed to the disk and checked, which then replaces the file (a
// symbolic link keeps pointing to it, permissions stay). On any failure the
// old file stays as it was, the temporary file goes, and EWriteError says
// "Error writing to "file"" with the system's reason on a second line. A
// write-protected file or one that is no regular file is not replaced.
// Temporary files that interrupted writes left beside fileName are removed
// first. Returns the state of the new file.
// A file that is written anew before every use (the launch file) may skip
// the flush to the disk (durable false): a crash can then lose only what
// the next use writes again, and the flush would cost more than the start
// it serves. Its writes are checked all the same.
TFileState WriteFileSafely(const QString &fileName, const QByteArray &data, bool durable = true);

// The reason of the last failed system call of this thread, for messages.
QString SystemErrorText(int errorNumber);
