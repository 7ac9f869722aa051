#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// A freedesktop desktop entry of type Application: the start-up entry and
// the shortcuts to catalogue entries are written through WriteDesktopEntry,
// and only through it.
struct TDesktopEntry
{
    QString Name;
    QString Comment;
    // The program and its arguments, each taken literally: the writer quotes
    // and escapes them, the reader gives them back unquoted.
    QStringList Exec;
    QString WorkingDir;
    QString Icon;
    // A list ending in ";", e.g. "Game;"; empty: no Categories key.
    QString Categories;
    // Whether the desktop shows a busy cursor until a window appears.
    // Empty: no key; "false" for programs that open no window of their own.
    QString StartupNotify;
    // Further keys of the group (X-...), in this order.
    QList<std::pair<QString, QString>> Extra;
};

// The Exec value for the arguments, before the string escapes: arguments
// holding reserved characters in double quotes, "%" doubled.
QString DesktopExecValue(const QStringList &args);
// The arguments of an Exec value whose string escapes are already undone;
// field codes such as %f are dropped.
QStringList SplitDesktopExec(const QString &exec);

// The file's text, UTF-8.
QByteArray DesktopEntryText(const TDesktopEntry &entry);

// Writes the entry whole through a temporary file in the same folder, so an
// existing file is either replaced completely or left as it was. With
// executable the file is marked so (desktop folders start only such
// launchers). Throws EWriteError with the system's reason.
void WriteDesktopEntry(const QString &fileName, const TDesktopEntry &entry,
                       bool executable = false);

// Reads the group [Desktop Entry] of the data; false when there is none or
// it names no program. Unknown keys go to Extra, translated ones are skipped.
bool ParseDesktopEntry(const QByteArray &data, TDesktopEntry &entry);
