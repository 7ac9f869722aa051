#pragma once

#include "catalogue/AppSettings.h"
#include "import/FolderScan.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct TBasicSettings;
struct TCatalogue;

// What an import proposes to add for one application; the review list lets
// the user change Checked, Name, Program and Category before anything is added.
struct TImportProposal
{
    bool Checked = true;
    // An entry with the same folder and program is in the catalogue already:
    // the proposal is shown but never added.
    bool Present = false;
    QString Name;
    QString Category;
    QString AppPath;
    QChar HardDrv = u'C';
    // The program as a DOS path below AppPath ("GAME\START.EXE"), or as the
    // configuration file's line names it; Programs are the choices.
    QString Program;
    QStringList Programs;
    QString Parameters;
    QChar CdDrv = u'D';
    QStringList CdImages; // full paths, in name order
    QString Manual;       // full path, or empty
    QString Icon;         // full path, or empty
    // Taken from a configuration file: its commands around the program and
    // its settings. A folder without one starts in the program's folder.
    bool FromConf = false;
    QStringList Commands;
    QStringList ExitCommands;
    bool AutoEnd = true;
    TCpuSpeed Speed;
    int MemSize = 0;
    TMemManage MemManage;
    int FullScreen = -1;
    // The configuration file read, and whether the entry uses it as its own
    // configuration because it holds more than an entry can.
    QString ConfFile;
    bool UsesConf = false;
    QString Note;
};

// One proposal per scanned folder, in scan order, with the category chosen
// for the import. A folder with a DOSBox configuration file whose [autoexec]
// mounts or starts something is imported from that file.
std::vector<TImportProposal> ProposeImports(const TScanResult &scan, const QString &category);

// The entry's folder and program are those of the proposal (folders compared
// as paths, programs by file name without regard to case); for a proposal
// started by its configuration file, the entry uses the same file.
bool IsSameApplication(const TDosBoxApp &app, const TImportProposal &proposal);
// Sets Present (and clears Checked) for the proposals already in apps.
void MarkPresent(std::vector<TImportProposal> &proposals, const TAppList &apps);

// What an import passes over, in sentences: the applications already in the
// catalogue and the folders that could not be read; empty when neither.
QString ImportSkippedText(int present, int unreadable);

// A new entry as the New command makes it, with the proposal's values.
std::unique_ptr<TDosBoxApp> MakeImportedEntry(const TImportProposal &proposal,
                                              const TBasicSettings &settings,
                                              const QImage &defLargeImg, const QImage &defSmallImg);
// Appends an entry for every checked proposal that is not present, in order;
// returns how many. The caller saves the catalogue once afterwards.
int AddImports(TCatalogue &catalogue, const std::vector<TImportProposal> &proposals,
               const QImage &defLargeImg, const QImage &defSmallImg);
