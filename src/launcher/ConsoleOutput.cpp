#include "launcher/ConsoleOutput.h"

#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"
#include "texttools/TextDecoding.h"

#include <QFile>

QStringList ReadTextLines(const QByteArray &data)
{
    const QString text = DecodeTextFile(data);
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = ++i;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> ReadConsoleFile(const QString &appName, const QString &appPath,
                                           const QString &fileName, IPrompt &prompt)
{
    QFile file(JoinPath(appPath, fileName));
    if (!file.exists()) {
        prompt.error(_("Application") +
                     SafeFormat(_(" \"%s\": File \"%s\" not found!"), appName, fileName));
        return std::nullopt;
    }
    // A pipe would block the window, a huge file freeze it.
    if (const QString problem = ShownTextProblem(file.fileName()); !problem.isEmpty()) {
        prompt.error(problem);
        return std::nullopt;
    }
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        lines = ReadTextLines(file.readAll());
    if (lines.isEmpty()) {
        prompt.error(_("Application") +
                     // TRANSLATORS: Follows the word "Application"; keep the blank in front.
                     SafeFormat(_(" \"%s\": File \"%s\" is empty!"), appName, fileName));
        return std::nullopt;
    }
    return lines;
}

std::optional<QStringList> ReadConsoleFile(const TDosBoxApp &app, const QString &fileName,
                                           IPrompt &prompt)
{
    return ReadConsoleFile(app.AppName, app.AppPath, fileName, prompt);
}

QString ConsoleFileText(const QStringList &lines)
{
    const QString text = lines.join(QStringLiteral("\r\n"));
    return text.isEmpty() && !lines.isEmpty() ? QStringLiteral("\r\n") : text;
}

QString ConsoleFileTitle(const QString &appName, const QString &fileName)
{
    return appName + QStringLiteral(": ") + fileName;
}

void DeleteConsoleFiles(const QString &appPath)
{
    if (appPath.isEmpty())
        return;
    for (const QString &name : {DosBox::StdOutName, DosBox::StdErrName})
        QFile::remove(JoinPath(appPath, name));
}

void DeleteConsoleFiles(const TAppList &apps)
{
    for (const auto &app : apps) {
        if (app->ConsoleMode.contains(TConsoleMode::cmErase))
            DeleteConsoleFiles(app->AppPath);
    }
}
