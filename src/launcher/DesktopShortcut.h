#pragma once

#include "support/DesktopEntry.h"

#include <QString>
#include <QStringList>

class IPrompt;
class TDosBoxApp;

// Shortcuts that start one catalogue entry from the desktop's application
// menu and, when the user wants, from the desktop folder: desktop entries
// that run "ravelin --run NAME", with the entry's picture as a PNG file in
// the user's data folder and its description as comment.

// The catalogue whose entries the shortcuts start.
struct TShortcutCatalogue
{
    QString IniName;
    // What the program's command line needs to use that catalogue and the
    // language file of this run: /ini:FILE, /portable.
    QStringList Options;
};

// The catalogue iniName of a run with these arguments (without the program
// itself).
TShortcutCatalogue ShortcutCatalogue(const QStringList &args, const QString &iniName);

struct TShortcutFiles
{
    // In the "applications" folder of the user's data folder.
    QString MenuFile;
    // Empty when the user has no desktop folder.
    QString DesktopFile;
    QString IconFile;
};

// Where the shortcut of the entry named appName lies. The file names come
// from the name (in any letter case, as --run finds it) and the catalogue,
// so that a later run finds the shortcut again. All empty when the user's
// data folder is not known.
TShortcutFiles ShortcutFiles(const QString &appName, const QString &iniName);

// The shortcut's content.
TDesktopEntry ShortcutEntry(const TDosBoxApp &app, const TShortcutCatalogue &catalogue,
                            const QString &iconFile);

// True when the entry named appName has a shortcut in the menu or on the desktop.
bool HasDesktopShortcut(const QString &appName, const QString &iniName);

// Writes or renews the entry's shortcut in the menu and its picture, and
// asks whether to put the shortcut on the desktop too; one that is there
// already is renewed without asking. Returns the shortcut files written.
// Throws EWriteError, or ERavelinError without a data folder.
QStringList CreateDesktopShortcut(const TDosBoxApp &app, const TShortcutCatalogue &catalogue,
                                  IPrompt &prompt);

// After an entry was edited; oldName is its name before. Under the same name
// (in any letter case) the shortcut is renewed (name, picture, description);
// a renamed entry's shortcut is moved to the new name after asking, and else
// left alone.
// Throws EWriteError.
void UpdateDesktopShortcut(const QString &oldName, const TDosBoxApp &app,
                           const TShortcutCatalogue &catalogue, IPrompt &prompt);

// After the entry named appName left the catalogue: asks whether its
// shortcut goes too.
void RemoveDesktopShortcut(const QString &appName, const QString &iniName, IPrompt &prompt);
