#include "launcher/WinExecute.h"

#include "launcher/ConsoleOutput.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemProcess.h"
#include "support/SystemShell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <cerrno>
#include <memory>

QStringList SplitCommandLine(const QString &CommandLine)
{
    QStringList items;
    QString rest = CommandLine;
    for (;;) {
        qsizetype i = 0;
        while (i < rest.size() && IsWhiteSpace(rest.at(i)))
            ++i;
        if (i == rest.size())
            break;
        items.append(ReadNextQuotedItem(rest, u' ', u'"'));
    }
    return items;
}

bool HidesConsole(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("-noconsole"), Qt::CaseInsensitive);
}

namespace {

void CheckWorkDir(const QString &WorkDir)
{
    if (WorkDir.isEmpty())
        return;
    const QFileInfo info(WorkDir);
    if (!info.exists())
        throw EProcessError(qt_error_string(ENOENT));
    if (!info.isDir())
        throw EProcessError(qt_error_string(ENOTDIR));
}

} // namespace

qint64 TSystemProcessStarter::StartProcess(const QString &CommandLine, const QString &WorkDir)
{
    QStringList arguments = SplitCommandLine(CommandLine);
    if (arguments.isEmpty())
        throw EProcessError(qt_error_string(ENOENT));
    CheckWorkDir(WorkDir);

    TSpawnRequest request;
    request.Program = arguments.takeFirst();
    request.Arguments = arguments;
    request.WorkDir = WorkDir.isEmpty() ? QDir::currentPath() : WorkDir;
    // The Linux emulator has no console window to hide and ignores
    // -noconsole; the files are what a hidden console leaves behind.
    if (HidesConsole(arguments)) {
        request.StdOutFile = JoinPath(request.WorkDir, DosBox::StdOutName);
        request.StdErrFile = JoinPath(request.WorkDir, DosBox::StdErrName);
    } else {
        // The emulator outlives the launcher. A reader of a pipe it shared
        // with the launcher may close it then (a caller that waits only for
        // "ravelin --run"), and the emulator's next message into it would
        // end the emulator.
        if (StandardStreamIsPipe(1))
            request.StdOutFile = QProcess::nullDevice();
        if (StandardStreamIsPipe(2))
            request.StdErrFile = QProcess::nullDevice();
    }
    // The id is known only once started; the call comes later, from the
    // event loop.
    auto pid = std::make_shared<qint64>(0);
    if (OnEnded)
        request.OnEnded = [onEnded = OnEnded, pid] { onEnded(*pid); };
    const TSpawnResult started = SpawnDetached(request);
    *pid = started.Pid;
    if (started.Error != 0)
        throw EProcessError(qt_error_string(started.Error));
    return started.Pid;
}

qint64 StartProcess(const QString &CommandLine, const QString &WorkDir)
{
    TSystemProcessStarter starter;
    return starter.StartProcess(CommandLine, WorkDir);
}
