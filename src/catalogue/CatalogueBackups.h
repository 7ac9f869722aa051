#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// Earlier versions of a catalogue file, kept in the user's data folder
// ($XDG_DATA_HOME/ravelin/backups/<name>-<hash of its path>/): before every
// save the file it replaces is copied there. The last 10 versions stay, and
// the newest of each of the last 7 days.

struct TCatalogueBackup
{
    QString FileName;
    // When the version was saved (its file's modification time).
    QDateTime Time;
    // Entries the version holds.
    int EntryCount = 0;
};

inline constexpr int KeptBackups = 10;
inline constexpr int KeptBackupDays = 7;

// The folder of iniName's backups; empty when the system has no data folder.
QString BackupFolder(const QString &iniName);

// Copies the file iniName as it is now into its backup folder (unless the
// newest backup holds the same) and removes versions beyond those kept.
// False when it exists and could not be copied; saving goes on regardless.
bool BackupCatalogueFile(const QString &iniName,
                         const QDateTime &now = QDateTime::currentDateTime());

// iniName's backups, the newest first.
QList<TCatalogueBackup> ListBackups(const QString &iniName);

// Makes the current iniName a backup and then puts the backup's content in
// its place. Throws EWriteError when the file cannot be written (then it
// stays as it was).
void RestoreBackup(const QString &iniName, const TCatalogueBackup &backup);
