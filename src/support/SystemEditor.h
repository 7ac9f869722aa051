#pragma once

#include <QString>

// The desktop's default program for text files.

// Replaces editor by the desktop's default program for text files when
// editor is empty or names no file and such a program is found.
void FindTextEditor(QString &editor);
// The program a desktop entry starts (first word of Exec, found on PATH).
QString DesktopEntryProgram(const QString &desktopFile);
// Whether the desktop names an existing program for the type of file
// ("text/html").
bool HasDefaultProgram(const QString &mimeType);
