#include "support/SystemShell.h"

#include "support/Errors.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {

constexpr qint64 MaxEntrySize = 64 * 1024;
const QString EntryGroup = QStringLiteral("[Desktop Entry]");
const QString AdminKey = QStringLiteral("X-Ravelin-RunAsAdministrator");

// Escapes of a desktop entry's string values.
QString EscapeValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    if (out.startsWith(u' '))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

QString UnescapeValue(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        switch (value.at(++i).unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += u'\\';
            out += value.at(i);
        }
    }
    return out;
}

// One argument of an Exec key, quoted where the desktop rules reserve
// characters; "%" is doubled so that no field code arises.
QString ExecArgument(const QString &arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = arg.isEmpty();
    for (const QChar c : arg)
        quote = quote || reserved.contains(c);
    QString out;
    if (quote)
        out += u'"';
    for (const QChar c : arg) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            out += u'\\';
        out += c;
        if (c == u'%')
            out += u'%';
    }
    if (quote)
        out += u'"';
    return out;
}

// The arguments of an Exec value (after the string escapes are undone);
// field codes such as %f are dropped.
QStringList SplitExec(const QString &exec)
{
    QStringList args;
    QString current;
    bool inArg = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'%' && i + 1 < exec.size() && exec.at(i + 1) == u'%')
                current += exec.at(++i);
            else if (c == u'\\' && i + 1 < exec.size())
                current += exec.at(++i);
            else
                current += c;
        } else if (c == u' ' || c == u'\t') {
            if (inArg)
                args << current;
            current.clear();
            inArg = false;
            continue;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'%' && i + 1 < exec.size()) {
            if (exec.at(++i) == u'%')
                current += u'%';
        } else {
            current += c;
        }
        inArg = true;
    }
    if (inArg)
        args << current;
    args.removeAll(QString()); // what remained of dropped field codes
    return args;
}

bool ReadDesktopEntry(const QByteArray &data, TShellLink &link)
{
    bool inGroup = false;
    bool isEntry = false;
    QString exec;
    for (const QByteArray &raw : data.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inGroup = line == EntryGroup;
            isEntry = isEntry || inGroup;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = UnescapeValue(line.mid(eq + 1).trimmed());
        if (key == QLatin1String("Exec"))
            exec = value;
        else if (key == QLatin1String("Path"))
            link.WorkingDir = value;
        else if (key == QLatin1String("Comment"))
            link.Description = value;
        else if (key == QLatin1String("Name"))
            link.Name = value;
        else if (key == QLatin1String("Icon"))
            link.Icon = value;
        else if (key == AdminKey)
            link.RunAsAdmin = value == QLatin1String("true");
    }
    QStringList args = SplitExec(exec);
    if (!isEntry || args.isEmpty())
        return false;
    link.Target = args.takeFirst();
    for (const QString &arg : std::as_const(args))
        link.Arguments +=
            (link.Arguments.isEmpty() ? QString() : QStringLiteral(" ")) + QuoteIfBlank(arg);
    return true;
}

} // namespace

int CreateShellLink(const QString &linkFile, const TShellLink &link, QString *error)
{
    if (link.Target.isEmpty())
        return -1;
    QString exec = ExecArgument(link.Target);
    QString rest = link.Arguments;
    while (!rest.trimmed().isEmpty())
        exec += u' ' + ExecArgument(ReadNextQuotedItem(rest, u' '));

    const QFileInfo file(linkFile);
    const QString name = link.Name.isEmpty() ? file.completeBaseName() : link.Name;
    const QString icon =
        link.Icon.isEmpty() ? QFileInfo(link.Target).completeBaseName() : link.Icon;
    QString text = EntryGroup + u'\n';
    auto add = [&text](const QString &key, const QString &value) {
        if (!value.isEmpty())
            text += key + u'=' + EscapeValue(value) + u'\n';
    };
    add(QStringLiteral("Type"), QStringLiteral("Application"));
    add(QStringLiteral("Name"), name);
    add(QStringLiteral("Comment"), link.Description);
    add(QStringLiteral("Exec"), exec);
    add(QStringLiteral("Path"), link.WorkingDir);
    add(QStringLiteral("Icon"), icon);
    add(QStringLiteral("Terminal"), QStringLiteral("false"));
    if (link.RunAsAdmin)
        add(AdminKey, QStringLiteral("true"));

    try {
        WriteFileSafely(linkFile, text.toUtf8());
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
    if (!ReadDesktopEntry(in.read(MaxEntrySize), link)) {
        link = {};
        return false;
    }
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
