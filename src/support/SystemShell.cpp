#include "support/SystemShell.h"

#include "support/DesktopEntry.h"
#include "support/Errors.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <sys/stat.h>

namespace {

constexpr qint64 MaxEntrySize = 64 * 1024;
const QString AdminKey = QStringLiteral("X-Ravelin-RunAsAdministrator");

} // namespace

int CreateShellLink(const QString &linkFile, const TShellLink &link, QString *error)
{
    if (link.Target.isEmpty())
        return -1;
    TDesktopEntry entry;
    entry.Exec.append(link.Target);
    QString rest = link.Arguments;
    while (!rest.trimmed().isEmpty())
        entry.Exec.append(ReadNextQuotedItem(rest, u' '));
    entry.Name = link.Name.isEmpty() ? QFileInfo(linkFile).completeBaseName() : link.Name;
    entry.Comment = link.Description;
    entry.WorkingDir = link.WorkingDir;
    entry.Icon = link.Icon.isEmpty() ? QFileInfo(link.Target).completeBaseName() : link.Icon;
    if (link.RunAsAdmin)
        entry.Extra.append({AdminKey, QStringLiteral("true")});
    try {
        WriteDesktopEntry(linkFile, entry);
    } catch (const ERavelinError &e) {
        if (error)
            *error = e.message();
        return -2;
    }
    return 0;
}

bool ReadShellLink(const QString &linkFile, TShellLink &link)
{
    link = {};
    const QFileInfo file(linkFile);
    if (file.isSymLink()) {
        link.Target = file.symLinkTarget();
        return true;
    }
    if (!file.exists())
        return true;
    QFile in(linkFile);
    if (!file.isFile() || file.size() > MaxEntrySize || !in.open(QIODevice::ReadOnly))
        return false;
    TDesktopEntry entry;
    if (!ParseDesktopEntry(in.read(MaxEntrySize), entry))
        return false;
    link.Target = entry.Exec.takeFirst();
    for (const QString &arg : std::as_const(entry.Exec))
        link.Arguments +=
            (link.Arguments.isEmpty() ? QString() : QStringLiteral(" ")) + QuoteIfBlank(arg);
    link.WorkingDir = entry.WorkingDir;
    link.Description = entry.Comment;
    link.Name = entry.Name;
    link.Icon = entry.Icon;
    for (const auto &[key, value] : std::as_const(entry.Extra))
        link.RunAsAdmin = link.RunAsAdmin || (key == AdminKey && value == QLatin1String("true"));
    return true;
}

int MoveDirToRecycleBin(const QString &dir)
{
    const QString path = StripTrailing(dir, u'/');
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return 1;
    // Without the data folder Qt 6.4 moves the directory below the working
    // directory instead of failing.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!IsAbsolutePath(dataHome) || !QDir().mkpath(dataHome))
        return 1;
    QString inTrash;
    if (!QFile::moveToTrash(path, &inTrash))
        return 1;
    return IsAbsolutePath(inTrash) ? 0 : 1;
}

bool StandardStreamIsPipe(int stream)
{
    struct stat info = {};
    return ::fstat(stream, &info) == 0 && S_ISFIFO(info.st_mode);
}
