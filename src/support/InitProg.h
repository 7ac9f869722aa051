#pragma once

#include "support/SystemVersion.h"

#include <QString>
#include <QStringList>

// Start-up: the program's own files and folders, its command line, its name
// and version, and the start-up entry that starts it at log-on.

// Set once from the program file's path before anything else runs.
void SetExePaths(const QString &exeFile);
const QString &ExeFile();
// Directory of the program file, with a trailing delimiter.
const QString &ExeDir();
// Name of the program file without directory and extension.
const QString &ExeBaseName();
// The folder of the program's own data (user guide, its icon, further
// translations below "locale/"), with a trailing delimiter: the data folder
// of an installed program, <prefix>/share/ravelin/, found from the program's
// own folder so that the installed tree may move; else, as in the build
// folder and in unpacked copies, ExeDir.
const QString &DataDir();
// The program as a desktop entry names it: its bare name when the search
// path finds this very program under that name, else its full path.
QString ProgramCommand();

// The place of the language file before the command line moves it: the
// application data folder + ExeBaseName + ".cfg", or beside the program when
// there is no such folder.
QString DefaultLanguageFile();

struct TCommandLine
{
    // Interface language for this run; empty when none was given.
    QString LangCode;
    // Where the language file lies after /ini and /portable.
    QString LanguageFile;
    bool Portable = false;
    // An /ini option names the catalogue.
    bool IniGiven = false;
};

// Reads the options /lang:code, /ini:file and /portable (also with "-",
// names abbreviable, the last occurrence counts) from args, the arguments
// without the program itself. GNU options ("--...") are not these options.
TCommandLine ParseCommandLine(const QStringList &args, const QString &exeDir,
                              const QString &languageFile);

// The first argument of the window's command line that is an option but
// none of /lang, /ini, /portable (their names abbreviated, also with "-")
// or --help and --version; empty when there is none. Arguments after "--"
// and words without "/" or "-" are no options.
QString UnknownOption(const QStringList &args);

// Replaces each %NAME% by the environment variable NAME (empty when
// undefined), ignoring the case of the reference; a lone "%" stays.
QString ExpandEnvVars(const QString &text);

struct TProgramPaths
{
    QString AppDataPath;
    QString UserPath;
    QString ProgPath;
};

// The folders with trailing delimiters. With create the application data
// folder is created; when there is none or it cannot be made, ExeDir.
TProgramPaths GetProgramPaths(bool create);

// The local application data folder with a trailing delimiter (first part of
// the emulator's configuration folder).
QString LocalAppDataPath();

// The catalogue file: appDataPath + baseName + ".ini", unless an /ini option
// in args names another (relative names lie in appDataPath, ".ini" is added
// to a name without "."; environment variables are not expanded).
QString IniFileName(const QStringList &args, const QString &appDataPath, const QString &baseName);

struct TProgramVersion
{
    QString Name;
    // "Version 1.2.3", translated.
    QString VersionText;
    // Name + " (" + VersionText + ")".
    QString ProgVersName;
    // Date of the program file in the locale's short format.
    QString ProgVersDate;
    // Rights notice for the About box.
    QString Copyright;
};

// The version texts of this program file.
TFileVersionInfo OwnVersionInfo();
// Name and version texts from a program's version texts; an empty Version
// means they could not be read, and the built-in texts apply.
TProgramVersion ProgramVersionFrom(const TFileVersionInfo &info, const QString &exeFile);
TProgramVersion GetProgramVersion();
// The first three numbers of a version ("2.1.0.0" gives "2.1.0"); a text
// with fewer than three dots is kept whole.
QString ShortVersion(const QString &version);

// The start-up entry of this program in the user's autostart folder.
QString AutoStartLinkFile();
// Removes the start-up entry and, with autoStart, writes it anew (target
// ProgramCommand, working directory ExeDir, description progVersName, icon
// the picture ExeBaseName + ".png" in DataDir when there is one, else the
// icon theme's picture of that name).
// Returns 0 on success; error, when given, receives the reason of a failure.
int UpdateAutoStartLink(bool autoStart, const QString &progVersName, QString *error = nullptr);
