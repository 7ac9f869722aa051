#pragma once

#include "catalogue/AppSettings.h"
#include "emulator/DosBoxInterface.h"

#include <QString>
#include <QStringList>
#include <optional>

class IPrompt;

// The lines of a text file, decoded with DecodeTextFile. Line breaks are
// CR LF, LF or CR; a break at the end opens no further line.
QStringList ReadTextLines(const QByteArray &data);

// The lines of the console output file fileName ("stdout.txt" or
// "stderr.txt") of the application in appPath, ready to be shown. A missing
// or empty file is reported through prompt and gives nothing.
std::optional<QStringList> ReadConsoleFile(const QString &appName, const QString &appPath,
                                           const QString &fileName, IPrompt &prompt);

// The same for an entry (ShowConsoleFile without its window).
std::optional<QStringList> ReadConsoleFile(const TDosBoxApp &app, const QString &fileName,
                                           IPrompt &prompt);

// The text that shows a console output file's lines, joined with CR LF. A file
// of one empty line gives a line break, so its window still opens, empty.
QString ConsoleFileText(const QStringList &lines);

// Title of the window that shows a console output file.
QString ConsoleFileTitle(const QString &appName, const QString &fileName);

// Deletes both console output files in appPath; a file that cannot be
// deleted (an emulator may still write it) stays.
void DeleteConsoleFiles(const QString &appPath);

// At close: the console output files of every entry marked cmErase.
void DeleteConsoleFiles(const TAppList &apps);
