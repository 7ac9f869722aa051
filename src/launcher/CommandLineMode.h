#pragma once

#include <QString>
#include <QStringList>

class IProcessStarter;
class QTextStream;
struct TCatalogue;
struct TCatalogueFiles;

// The command-line mode: lists the catalogue or starts an entry or the plain
// emulator without opening a window, for scripts and desktop shortcuts. It
// reads the catalogue like the window does and writes it only to add what
// an import with --yes found and to record a start of --run.
struct TCliRequest
{
    enum class TMode
    {
        None,
        Help,
        List,
        Run,
        DosBox,
        Import,
        Shortcut
    };
    TMode Mode = TMode::None;
    // The entry to run (--run) or to make a desktop shortcut for (--shortcut).
    QString AppName;
    // The words after --list: only the entries that match them are listed.
    QStringList Words;
    // The arguments the window's option reader sees (WindowArguments): the
    // catalogue a shortcut names.
    QStringList WindowArgs;
    // Answer questions with their default button instead of "No"; for
    // --import: add what was found instead of only listing it.
    bool Yes = false;
    // The folders and configuration files after --import, and the category
    // of what it adds (--category).
    QStringList ImportPaths;
    QString Category;
    // Set for a usage error; the request is not carried out.
    QString Error;
};

// Exit status of the command-line mode.
// ceSuccess: the emulator was started, the list or help printed, or the
// shortcut written.
enum TCliExit
{
    ceSuccess = 0,
    ceNotStarted = 1,
    ceUsage = 2
};

// True when args (the arguments without the program) ask for the
// command-line mode: --list, --run, --dosbox, --import or --shortcut before a "--".
bool IsCliRequest(const QStringList &args);
// The same for the arguments of main(), before any application object exists.
bool IsCliRequest(int argc, char **argv);

// Reads the GNU options of args. The options of the window ("/lang:de",
// "-ini:x") are left to the start-up code; the name after --run is never
// taken for one of them, nor are the paths after --import or the name after
// --shortcut.
TCliRequest ParseCliRequest(const QStringList &args);

// args without the command-line mode's options, the name after --run or
// --shortcut and the paths after --import: what the window's option reader
// may see.
QStringList WindowArguments(const QStringList &args);

// The command-line mode's part of --help.
QString CliHelpText(const QString &programName);

// Carries out the request on the catalogue in files, loaded as the window
// loads it, but without asking for an unknown emulator folder. Output goes
// to out, messages and questions to err. Returns a TCliExit. A started
// entry's start is recorded in the catalogue file: the caller holds the
// catalogue's lock.
int RunCli(const TCliRequest &request, TCatalogueFiles files, IProcessStarter &starter,
           QTextStream &out, QTextStream &err);
// RunCli, except that --run is handed to the window that holds the
// catalogue when there is one (it starts the entry and records the start);
// otherwise the catalogue's lock is held while RunCli starts and records it.
int RunCliRequest(const TCliRequest &request, const TCatalogueFiles &files,
                  IProcessStarter &starter, QTextStream &out, QTextStream &err);

// --import on a loaded catalogue: scans, prints what it would add and, with
// --yes, adds it and writes the catalogue file once. Returns a TCliExit.
int RunCliImport(const TCliRequest &request, TCatalogue &catalogue, const TCatalogueFiles &files,
                 QTextStream &out, QTextStream &err);

// The language of a run without windows (--help, --version and the
// command-line mode): /lang, else the language file, else the desktop's.
// args are the program's arguments without the program itself.
void InitCommandLineLanguage(const QStringList &args);

// The command-line mode of the program: args are its arguments without the
// program itself; the language and the catalogue are placed as for the
// window. Needs a QCoreApplication.
int RunCommandLineMode(const QStringList &args);
