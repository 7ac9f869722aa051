#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One folder that may hold a DOS application, with the files an import
// looks at. Paths below Folder use "/"; lists are in name order.
struct TScannedFolder
{
    QString Folder;         // full path
    QStringList Programs;   // .EXE, .COM, .BAT at any depth
    QStringList CdImages;   // .ISO, .CUE at any depth
    QStringList Documents;  // possible manuals
    QStringList Icons;      // .ICO
    QStringList Configs;    // DOSBox configuration files (.conf) at most one level down
    bool ConfGiven = false; // a configuration file was named instead of a folder
};

struct TScanResult
{
    std::vector<TScannedFolder> Folders; // those with a program or a configuration file
    int Unreadable = 0;                  // folders that could not be read
    bool Cancelled = false;
};

// Called after each candidate folder with the number done and the number of
// candidates; returning false cancels the scan.
using TScanProgress = std::function<bool(int done, int total)>;

// Scans each of paths: a folder that holds a program or a configuration file
// itself is one application, any other folder's direct sub-folders are one
// each; a .conf file names an application of its own. Sub-folders are
// searched down to MaxScanDepth levels; symbolic links to folders are
// followed once (never in a circle); hidden folders are skipped.
TScanResult ScanFolders(const QStringList &paths, const TScanProgress &progress = {});

inline constexpr int MaxScanDepth = 6;
// Files looked at in one candidate folder at most (a whole home folder taken
// for an application must not hold the scan up).
inline constexpr int MaxScanEntries = 50000;
