#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Starting a program without waiting for it: one light fork (the program's
// memory is not copied, however large), a session of its own (it outlives
// the program and its terminal), no shell.
struct TSpawnRequest
{
    // A path, or a bare name looked for on PATH.
    QString Program;
    QStringList Arguments;
    // Must exist; empty: the current directory.
    QString WorkDir;
    // When not empty, standard output and error go to these files (created or
    // emptied); otherwise they are the program's own.
    QString StdOutFile;
    QString StdErrFile;
    // Called in the event loop once the program has ended, when its end can
    // be watched (in the main thread, on kernels with process descriptors).
    std::function<void()> OnEnded;
};

struct TSpawnResult
{
    qint64 Pid = 0;
    // errno of the failure; 0 when the program runs. A program that cannot
    // be executed is a failure too, not a process that ends at once.
    int Error = 0;
};

// The started process is reaped when it ends, so that it never lingers as a
// zombie while the program runs (an event loop notices its end).
TSpawnResult SpawnDetached(const TSpawnRequest &request);
