#pragma once

#include <QString>

// A shortcut: an XDG desktop entry (the form of start-up entries) or a
// symbolic link.
struct TShellLink
{
    QString Target;
    // A command line; items holding blanks are in double quotes.
    QString Arguments;
    QString WorkingDir;
    QString Description;
    // Shown name and icon of a desktop entry; empty: the link's and the
    // target's base name.
    QString Name;
    QString Icon;
    // Kept for the shortcut's owner; the desktop has no such notion.
    bool RunAsAdmin = false;
};

// Writes link as a desktop entry to linkFile, replacing an existing file.
// Returns 0 on success, a negative code when the file cannot be written
// (error, when given, then receives the message with the reason).
int CreateShellLink(const QString &linkFile, const TShellLink &link, QString *error = nullptr);

// Reads a desktop entry or a symbolic link. A missing file is success with
// an empty link; a file that is neither, or names no program, is failure.
bool ReadShellLink(const QString &linkFile, TShellLink &link);

// Moves a directory (a trailing delimiter is allowed) to the desktop's trash.
// Returns 0 on success.
int MoveDirToRecycleBin(const QString &dir);

// The program's standard output (1) or standard error (2) is a pipe, whose
// reader may go away while a process started from here still writes into it.
bool StandardStreamIsPipe(int stream);
