#include "support/SystemEditor.h"

#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QProcess>
#include <QStandardPaths>

QString DesktopEntryProgram(const QString &desktopFile)
{
    const auto entry = TUnicodeIniFile::CreateForRead(desktopFile);
    const QString exec = entry.ReadString(u"Desktop Entry", u"Exec");
    QString program = FirstQuotedItem(exec, u' ', u'"');
    if (program.isEmpty())
        return {};
    if (!IsAbsolutePath(program))
        program = QStandardPaths::findExecutable(program);
    return program;
}

namespace {

// The desktop entry of the default program for a type of file.
QString DefaultProgramEntry(const QString &mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    const QString id = QString::fromLocal8Bit(query.read(4096)).section(u'\n', 0, 0).trimmed();
    if (id.isEmpty() || id.contains(u'/'))
        return {};
    // A desktop file id "vendor-name.desktop" may lie at "vendor/name.desktop".
    QString relative = id;
    for (;;) {
        const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, relative);
        if (!file.isEmpty())
            return file;
        const qsizetype dash = relative.indexOf(u'-');
        if (dash < 0)
            return {};
        relative[dash] = u'/';
    }
}

} // namespace

void FindTextEditor(QString &editor)
{
    if (IsFile(editor))
        return;
    const QString entry = DefaultProgramEntry(QStringLiteral("text/plain"));
    if (entry.isEmpty())
        return;
    const QString program = DesktopEntryProgram(entry);
    if (IsFile(program))
        editor = program;
}

bool HasDefaultProgram(const QString &mimeType)
{
    return IsFile(DesktopEntryProgram(DefaultProgramEntry(mimeType)));
}
