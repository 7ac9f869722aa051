#pragma once

#include "catalogue/AppSearch.h"
#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "support/Errors.h"
#include "support/IniFileUtils.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The catalogue file: global settings, window bounds, the last selected entry
// and one section per entry ([App001], [App002], ...).

// Everything the catalogue file holds, owned by the main window.
struct TCatalogue
{
    TBasicSettings BasicSettings;
    TAppList Apps;
    QString CurApp; // AppName of the selected entry
    // The order of the list the user chose.
    TListSort Sort;
    // Set by a completed load of a file that could be read in full. A
    // catalogue whose load was given up (first run cancelled) or whose file
    // could be read only in part is never saved, so it cannot replace the
    // file's entries.
    bool Loaded = false;
    // The file as the load read it, kept for the whole run: every save writes
    // into it instead of reading the file again, so whatever the program does
    // not change (unknown sections and keys, sections of windows not used)
    // is written back as it was read.
    std::unique_ptr<TUnicodeIniFile> File;
    // The catalogue file as the load read it or the last save wrote it; a
    // different file there now was written by another program.
    TFileState DiskState;
};

// A save found the catalogue file changed on disk since it was read.
class ECatalogueChanged : public EWriteError
{
public:
    using EWriteError::EWriteError;
};

// The places start-up determined.
struct TCatalogueFiles
{
    QString IniName;  // the catalogue file
    QString ExeDir;   // a catalogue file here is read when IniName is missing
    QString UserPath; // default RootPath
    QString ProgPath; // home of the emulator folder choice
    // The local application data folder; the load completes it with the
    // emulator's own settings folder.
    QString LocPath;
};

// What the first start proposes and the user confirms or changes.
struct TFirstStartChoice
{
    // The emulator folder: the guess (possibly empty), then the user's choice.
    QString DosBoxPath;
    // The folder of the DOS applications: an existing folder, or one the
    // host creates when the user agrees. ProgPath is the home of the
    // emulator folder's chooser.
    QString RootPath;
    QString ProgPath;
};

// What loading needs from the window that shows the catalogue. The core
// decides; the window asks and shows.
class ICatalogueHost
{
public:
    virtual ~ICatalogueHost() = default;
    // First start (no emulator folder known): the user confirms the
    // proposals of choice or changes them. False when the user cancelled.
    virtual bool ConfirmFirstStart(TFirstStartChoice &choice) = 0;
    // First run with the classic emulator and no primary configuration file
    // the emulator could name: the global settings dialog on settings; its
    // result does not matter.
    virtual void EditBasicSettings(TBasicSettings &settings) = 0;
    // An entry of this category has been loaded (tabs appear in the order
    // their categories first occur).
    virtual void AddCategoryEntry(const QString &category) { Q_UNUSED(category); }
    // Windows that keep their own section in the catalogue file read it from
    // the file the load read...
    virtual void ReadWindowSettings(const TUnicodeIniFile &file) { Q_UNUSED(file); }
    // ... and put their state back into it before a save. A window that was
    // not used leaves its section as it was read.
    virtual void WriteWindowSettings(TUnicodeIniFile &file) { Q_UNUSED(file); }
    // The catalogue file exists but could not be read in full (unreadable,
    // too large): the user is told that this run will not write it. Also
    // a file that is no catalogue: the run ends without touching it.
    virtual void ReportError(const QString &message) { Q_UNUSED(message); }
    // The settings name a text editor, or the desktop's is looked for: only
    // a caller that edits configuration files needs one.
    virtual bool UsesTextEditor() const { return true; }
};

struct TLoadResult
{
    // The first-run choice was cancelled, or the file is no catalogue: the
    // program ends, nothing is saved.
    bool Cancelled = false;
    // The file holds something other than a catalogue (reported to the host).
    bool NotCatalogue = false;
    bool FirstRun = false;
    // The category of the first entry named CurApp; empty when none is.
    QString SelectedCategory;
};

// The catalogue file the load takes: IniName, else the file of that name
// beside the program when only that one exists.
QString CatalogueFileToRead(const TCatalogueFiles &files);
// Reads that file. Never writes.
std::unique_ptr<TUnicodeIniFile> ReadCatalogueFile(const TCatalogueFiles &files);

// What the command-line mode reads of a large catalogue, without taking the
// whole file apart. Never writes.
struct TEntryName
{
    QString AppName;
    QString Category; // as stored: empty for the default category
};
// The names and categories of the entries the load would read, in
// catalogue order. problem, when given, receives what the load would report
// of a file that is no catalogue or could not be read in full.
std::vector<TEntryName> ReadEntryNames(const TCatalogueFiles &files, QString *problem = nullptr);
// The same for the entries that match what was typed, as the window's
// filter finds them (EntrySearchText); all of them when nothing was typed.
std::vector<TEntryName> FindEntryNames(const TCatalogueFiles &files, const QString &typed,
                                       QString *problem = nullptr);
// Records a start of the first entry named appName (any case) in the
// catalogue file itself: for a start without a window, by a caller that
// holds the catalogue's lock. The whole file is read, the entry's keys are
// updated and the file is written whole and safely, as the window's saves
// of histories write it (without a backup). False, with nothing written, when the file read is not
// files.IniName, could not be read in full, has no such entry or changed
// while it was read. Throws EWriteError.
bool RecordStartInFile(const TCatalogueFiles &files, const QString &appName,
                       const QDateTime &now = QDateTime::currentDateTime());

// [Config] of the catalogue file and, as its only entry, the first entry
// named appName (any case) when there is one: everything a load needs to
// start that entry or the plain emulator. problem as above.
std::unique_ptr<TUnicodeIniFile> ReadCatalogueFileFor(const TCatalogueFiles &files,
                                                      const QString &appName,
                                                      QString *problem = nullptr);
// The main window's bounds stored in the file; def for the keys missing.
QRect ReadMainWindowBounds(const TUnicodeIniFile &file, const QRect &def);

// Loads everything from file (as ReadCatalogueFile read it) and keeps it in
// catalogue.File. Never writes. The default pictures are the main window's
// large (32×32) and small (16×16) default icons.
TLoadResult LoadCatalogue(std::unique_ptr<TUnicodeIniFile> file, TCatalogueFiles &files,
                          TCatalogue &catalogue, ICatalogueHost &host, const QImage &defLargeImg,
                          const QImage &defSmallImg);
// ReadCatalogueFile, then the load above.
TLoadResult LoadCatalogue(TCatalogueFiles &files, TCatalogue &catalogue, ICatalogueHost &host,
                          const QImage &defLargeImg, const QImage &defSmallImg);

// Writes everything into catalogue.File (the host's windows add their
// sections) and that to iniName, keeping what else the file held when it was
// read; bounds are the main window's. The file it replaces is kept as a
// backup first (BackupCatalogueFile). Throws EWriteError; the old file then
// stays as it was. Does nothing for a catalogue that was not loaded. A file
// changed on disk since the load or the last save is replaced only with
// overwriteChanges; otherwise ECatalogueChanged is thrown. Without backup
// no backup is kept (a save that adds to play histories only).
void SaveCatalogue(const QString &iniName, TCatalogue &catalogue, const QRect &bounds,
                   ICatalogueHost *host = nullptr, bool overwriteChanges = false,
                   bool backup = true);

// Writes everything as SaveCatalogue does, but to another file (a copy the
// user chose when the catalogue file cannot be written). Throws EWriteError.
void SaveCatalogueCopy(const QString &fileName, TCatalogue &catalogue, const QRect &bounds,
                       ICatalogueHost *host = nullptr);

// True when the file at iniName is not the one the catalogue was read from
// or last saved to (written by another program or window since); a file
// deleted since counts as unchanged.
bool CatalogueChangedOnDisk(const QString &iniName, const TCatalogue &catalogue);

// The entry sections the load reads: those of [App001] ... [App<AppCount>]
// that exist, in number order.
QStringList EntrySections(const TUnicodeIniFile &file);

// True for a file with content but none of the sections of a catalogue
// ([Unicode], [Config], [App...], [HtmlManual], [Directories]): text or data
// of some other program, which Ravelin must never replace.
bool IsForeignFile(const TUnicodeIniFile &file);

// Section name of the entry at the 1-based position: "App001", ..., "App1000".
QString AppSectionName(int position);
// The position of an entry section name as AppSectionName writes it ("App"
// in any case); 0 for any other name.
int AppSectionNumber(QStringView name);

// The translated "Miscellaneous": the category of entries without one.
QString DefaultCategoryName();
// The entry's category, or DefaultCategoryName when it has none.
QString CategoryOf(const TDosBoxApp &app);

// The DOS code page that fits the user's keyboard language.
int DefaultCodePage();
// The DOS code page for a Windows primary language number.
int CodePageOfLanguage(int primaryLanguage);

// The folder of the DOS applications proposed at the first start: the first
// existing usual one in home ("dos", "DOS", "dosgames", "Games/DOS", ...),
// else home + "dos", which does not exist yet.
QString ProposedRootFolder(const QString &home);

// Emulator detection (UpdateDosBoxInfo) for the settings' emulator folder.
void InitVersion(TBasicSettings &settings);
