#include "support/DesktopEntry.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"

#include <QFile>

namespace {

const QString EntryGroup = QStringLiteral("[Desktop Entry]");

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

} // namespace

QString DesktopExecValue(const QStringList &args)
{
    QStringList quoted;
    for (const QString &arg : args)
        quoted.append(ExecArgument(arg));
    return quoted.join(u' ');
}

QStringList SplitDesktopExec(const QString &exec)
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

QByteArray DesktopEntryText(const TDesktopEntry &entry)
{
    QString text = EntryGroup + u'\n';
    auto add = [&text](const QString &key, const QString &value) {
        if (!value.isEmpty())
            text += key + u'=' + EscapeValue(value) + u'\n';
    };
    add(QStringLiteral("Type"), QStringLiteral("Application"));
    add(QStringLiteral("Name"), entry.Name);
    add(QStringLiteral("Comment"), entry.Comment);
    add(QStringLiteral("Exec"), DesktopExecValue(entry.Exec));
    add(QStringLiteral("Path"), entry.WorkingDir);
    add(QStringLiteral("Icon"), entry.Icon);
    add(QStringLiteral("Terminal"), QStringLiteral("false"));
    add(QStringLiteral("Categories"), entry.Categories);
    add(QStringLiteral("StartupNotify"), entry.StartupNotify);
    for (const auto &[key, value] : entry.Extra)
        add(key, value);
    return text.toUtf8();
}

void WriteDesktopEntry(const QString &fileName, const TDesktopEntry &entry, bool executable)
{
    WriteFileSafely(fileName, DesktopEntryText(entry));
    if (!executable)
        return;
    // Desktops start a launcher on the desktop only when it may be executed.
    QFile file(fileName);
    if (!file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                             QFileDevice::ExeGroup | QFileDevice::ExeOther))
        throw EWriteError(SafeFormat(U_("Error writing to \"%s\""), fileName) +
                          QStringLiteral("\r\n") + file.errorString());
}

bool ParseDesktopEntry(const QByteArray &data, TDesktopEntry &entry)
{
    entry = {};
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
            entry.WorkingDir = value;
        else if (key == QLatin1String("Comment"))
            entry.Comment = value;
        else if (key == QLatin1String("Name"))
            entry.Name = value;
        else if (key == QLatin1String("Icon"))
            entry.Icon = value;
        else if (key == QLatin1String("Categories"))
            entry.Categories = value;
        else if (key == QLatin1String("StartupNotify"))
            entry.StartupNotify = value;
        else if (!key.contains(u'[') && key != QLatin1String("Type") &&
                 key != QLatin1String("Terminal"))
            entry.Extra.append({key, value});
    }
    entry.Exec = SplitDesktopExec(exec);
    return isEntry && !entry.Exec.isEmpty();
}
