#pragma once

#include "support/Errors.h"

#include <QString>
#include <QStringList>
#include <functional>

// Every emulator start goes through this interface, so that tests can put a
// recorder in the place of real processes.
class IProcessStarter
{
public:
    virtual ~IProcessStarter() = default;
    // Starts CommandLine (program first, items with blanks in double quotes)
    // in WorkDir (empty: the current directory) without waiting for it and
    // returns the new process's id. Raises EProcessError when the process
    // cannot be created.
    virtual qint64 StartProcess(const QString &CommandLine, const QString &WorkDir) = 0;
};

// The real thing: a detached process in a session of its own, started with
// one light fork (SpawnDetached), never through a shell.
class TSystemProcessStarter : public IProcessStarter
{
public:
    qint64 StartProcess(const QString &CommandLine, const QString &WorkDir) override;
    // Called with the process id when a started process has ended, where
    // its end can be watched (see SpawnDetached).
    std::function<void(qint64 pid)> OnEnded;
};

// Starts a process with the real starter.
qint64 StartProcess(const QString &CommandLine, const QString &WorkDir);

// The program and its arguments of a command line: items separated by
// blanks, an item with blanks enclosed in double quotes (QuoteIfBlank).
QStringList SplitCommandLine(const QString &CommandLine);

// The command line asks the emulator to hide its console; the output then
// goes to the console output files in the working directory.
bool HidesConsole(const QStringList &arguments);
