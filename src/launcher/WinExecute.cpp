#include "launcher/WinExecute.h"

#include "launcher/ConsoleOutput.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemShell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <cerrno>

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

// Qt prefixes the system's text with the failing call ("execv: ...").
QString SystemText(const QString &qtText)
{
    static const QRegularExpression callPrefix(QStringLiteral("^[a-z_]+: "));
    QString text = qtText;
    text.remove(callPrefix);
    return text;
}

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

    QProcess process;
    process.setProgram(arguments.takeFirst());
    process.setArguments(arguments);
    process.setWorkingDirectory(WorkDir.isEmpty() ? QDir::currentPath() : WorkDir);
    // The Linux emulator has no console window to hide and ignores
    // -noconsole; the files are what a hidden console leaves behind.
    if (HidesConsole(arguments)) {
        process.setStandardOutputFile(JoinPath(process.workingDirectory(), DosBox::StdOutName));
        process.setStandardErrorFile(JoinPath(process.workingDirectory(), DosBox::StdErrName));
    } else {
        // The emulator outlives the launcher. A reader of a pipe it shared
        // with the launcher may close it then (a caller that waits only for
        // "ravelin --run"), and the emulator's next message into it would
        // end the emulator.
        if (StandardStreamIsPipe(1))
            process.setStandardOutputFile(QProcess::nullDevice());
        if (StandardStreamIsPipe(2))
            process.setStandardErrorFile(QProcess::nullDevice());
    }
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        throw EProcessError(SystemText(process.errorString()));
    return pid;
}

qint64 StartProcess(const QString &CommandLine, const QString &WorkDir)
{
    TSystemProcessStarter starter;
    return starter.StartProcess(CommandLine, WorkDir);
}
