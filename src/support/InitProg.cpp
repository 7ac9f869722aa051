#include "support/InitProg.h"

#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFolders.h"
#include "support/SystemShell.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace {

struct TExePaths
{
    QString File;
    QString Dir;
    QString BaseName;
    QString DataDir;
};

// Where an installed program's data lies, relative to its own folder; the
// build sets it from the installation folders.
#ifndef RAVELIN_DATA_DIR
#define RAVELIN_DATA_DIR "../share/ravelin"
#endif

TExePaths &Exe()
{
    static TExePaths paths;
    return paths;
}

const QString ProductName = QStringLiteral("Ravelin");
const QString RightsNotice = QStringLiteral("Copyright \u00a9 2026 the Ravelin developers");

// An argument of the Part's options: begins with "/" or "-", but is no GNU
// option; returns it without its first character.
bool OptionText(const QString &arg, QString &option)
{
    if (arg.isEmpty() || (arg.at(0) != u'/' && arg.at(0) != u'-') ||
        arg.startsWith(QStringLiteral("--")))
        return false;
    option = arg.mid(1);
    return true;
}

// Where the language file goes for an /ini value that names a file.
QString MovedLanguageFile(const QString &ini, bool portable, const QString &exeDir,
                          const QString &languageFile)
{
    const QChar delim = PathDelimiter();
    const QString name = portable ? RemoveExtension(ExtractFileName(ini)) + QStringLiteral(".cfg")
                                  : ExtractFileName(languageFile);
    QString dir;
    if (IsAbsolutePath(ini))
        dir = ExtractFilePath(ini);
    else if (portable)
        dir = ini.contains(delim) ? ExtractFilePath(DirWithDelimiter(exeDir) + ini)
                                  : DirWithDelimiter(exeDir);
    else
        dir = ini.contains(delim)
                  ? ExtractFilePath(QDir::cleanPath(QDir::current().absoluteFilePath(ini)))
                  : ExtractFilePath(languageFile);
    return dir + name;
}

} // namespace

void SetExePaths(const QString &exeFile)
{
    TExePaths &exe = Exe();
    exe.File = exeFile;
    exe.Dir = ExtractFilePath(exeFile);
    exe.BaseName = RemoveExtension(ExtractFileName(exeFile));
    const QFileInfo installed(exe.Dir + QStringLiteral(RAVELIN_DATA_DIR));
    exe.DataDir = !exe.Dir.isEmpty() && installed.isDir()
                      ? DirWithDelimiter(installed.canonicalFilePath())
                      : exe.Dir;
}

const QString &ExeFile()
{
    return Exe().File;
}

const QString &ExeDir()
{
    return Exe().Dir;
}

const QString &ExeBaseName()
{
    return Exe().BaseName;
}

const QString &DataDir()
{
    return Exe().DataDir;
}

QString ProgramCommand()
{
    const QString &file = ExeFile();
    const QString found = QStandardPaths::findExecutable(ExeBaseName());
    if (!found.isEmpty() &&
        QFileInfo(found).canonicalFilePath() == QFileInfo(file).canonicalFilePath())
        return ExtractFileName(file);
    return file;
}

QString DefaultLanguageFile()
{
    const QString dir = AppDataDir();
    return (dir.isEmpty() ? ExeDir() : DirWithDelimiter(dir)) + ExeBaseName() +
           QStringLiteral(".cfg");
}

TCommandLine ParseCommandLine(const QStringList &args, const QString &exeDir,
                              const QString &languageFile)
{
    TCommandLine result;
    result.LanguageFile = languageFile;
    QString ini;
    bool portable = false;
    for (const QString &arg : args) {
        QString option;
        if (!OptionText(arg, option))
            continue;
        if (ReadOption(option, QStringLiteral("lang")))
            result.LangCode = option;
        else if (ReadOption(option, QStringLiteral("ini"))) {
            ini = ExpandEnvVars(option);
            result.IniGiven = true;
        } else if (MatchesAbbreviation(option, QStringLiteral("portable"))) {
            portable = true;
            if (ini.isEmpty())
                ini = DirWithDelimiter(exeDir);
        }
    }
    result.Portable = portable;
    if (ini.isEmpty())
        return result;
    if (ini.endsWith(PathDelimiter()))
        result.LanguageFile = ini + ExtractFileName(languageFile);
    else
        result.LanguageFile = MovedLanguageFile(ini, portable, exeDir, languageFile);
    return result;
}

QString UnknownOption(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == QStringLiteral("--"))
            break;
        if (arg == QStringLiteral("--help") || arg == QStringLiteral("--version"))
            continue;
        QString option;
        if (arg.startsWith(QStringLiteral("--")))
            return arg;
        if (!OptionText(arg, option))
            continue;
        const QString name = option.left(option.indexOf(u':'));
        const bool known = name.isEmpty() || MatchesAbbreviation(name, QStringLiteral("lang")) ||
                           MatchesAbbreviation(name, QStringLiteral("ini")) ||
                           MatchesAbbreviation(name, QStringLiteral("portable"));
        if (!known)
            return arg;
    }
    return {};
}

QString ExpandEnvVars(const QString &text)
{
    QString result = text;
    qsizetype open = text.indexOf(u'%');
    while (open >= 0) {
        const qsizetype close = text.indexOf(u'%', open + 1);
        if (close < 0)
            break;
        const QString name = text.mid(open + 1, close - open - 1);
        result.replace(u'%' + name + u'%', qEnvironmentVariable(name.toLocal8Bit().constData()),
                       Qt::CaseInsensitive);
        open = text.indexOf(u'%', close + 1);
    }
    return result;
}

TProgramPaths GetProgramPaths(bool create)
{
    TProgramPaths paths;
    const QString appData = AppDataDir();
    if (appData.isEmpty() || (create && !QDir().mkpath(appData)))
        paths.AppDataPath = ExeDir();
    else
        paths.AppDataPath = DirWithDelimiter(appData);
    // Many desktops have no documents folder; the home folder stands in.
    const QString documents = DocumentsDir();
    paths.UserPath = DirWithDelimiter(IsDir(documents) ? documents : QDir::homePath());
    paths.ProgPath = DirWithDelimiter(ProgramFilesDir());
    return paths;
}

QString LocalAppDataPath()
{
    return DirWithDelimiter(SpecialFolderPath(CSIDL_LOCAL_APPDATA));
}

QString IniFileName(const QStringList &args, const QString &appDataPath, const QString &baseName)
{
    QString iniName = appDataPath + baseName + QStringLiteral(".ini");
    for (const QString &arg : args) {
        QString option;
        if (OptionText(arg, option) && ReadOption(option, QStringLiteral("ini")))
            iniName = MakeFileName(appDataPath, option, QStringLiteral("ini"));
    }
    return iniName;
}

TFileVersionInfo OwnVersionInfo()
{
    TFileVersionInfo info;
    info.Description = QStringLiteral("Catalogue and launcher for DOS applications");
    info.InternalName = ProductName;
    info.ProductName = ProductName;
    info.Version = QStringLiteral(RAVELIN_VERSION);
    info.ProductVersion = info.Version;
    info.Copyright = RightsNotice;
    return info;
}

QString ShortVersion(const QString &version)
{
    qsizetype dot = -1;
    for (int i = 0; i < 3; ++i) {
        dot = version.indexOf(u'.', dot + 1);
        if (dot < 0)
            return version;
    }
    return version.left(dot);
}

TProgramVersion ProgramVersionFrom(const TFileVersionInfo &info, const QString &exeFile)
{
    TProgramVersion v;
    QString version;
    if (info.Version.isEmpty()) {
        v.Name = ProductName;
        version = QStringLiteral(" - Vers. 2.0");
        v.Copyright = RightsNotice;
    } else {
        v.Name = info.InternalName.isEmpty() ? ProductName : info.InternalName;
        version = info.Version;
        v.Copyright = info.Copyright;
    }
    v.VersionText = _("Version") + u' ' + ShortVersion(version);
    v.ProgVersName = v.Name + QStringLiteral(" (") + v.VersionText + u')';
    const QFileInfo file(exeFile);
    const QLocale locale = GnuGettext::InterfaceLocale();
    if (!exeFile.isEmpty() && file.exists())
        v.ProgVersDate = locale.toString(file.lastModified().date(), QLocale::ShortFormat);
    return v;
}

TProgramVersion GetProgramVersion()
{
    return ProgramVersionFrom(OwnVersionInfo(), ExeFile());
}

QString AutoStartLinkFile()
{
    const QString folder = SpecialFolderPath(CSIDL_STARTUP);
    return folder.isEmpty() ? folder : JoinPath(folder, ExeBaseName() + QStringLiteral(".desktop"));
}

int UpdateAutoStartLink(bool autoStart, const QString &progVersName, QString *error)
{
    const QString linkFile = AutoStartLinkFile();
    if (linkFile.isEmpty())
        return 0;
    const QFileInfo link(linkFile);
    // A new entry replaces a file in one step; a symbolic link must go
    // first, or the write would change the file it points to.
    if ((!autoStart && link.exists()) || link.isSymLink())
        QFile::remove(linkFile);
    if (!autoStart)
        return 0;
    // A fresh account may have no autostart folder yet.
    QDir().mkpath(link.absolutePath());
    TShellLink entry;
    entry.Target = ProgramCommand();
    entry.WorkingDir = ExeDir();
    entry.Description = progVersName;
    entry.Name = ProductName;
    // The build puts the program's icon beside it; an installed program's
    // icon is in the icon theme, where the desktop finds it by name.
    const QString icon = DataDir() + ExeBaseName() + QStringLiteral(".png");
    if (QFileInfo(icon).isFile())
        entry.Icon = icon;
    return CreateShellLink(linkFile, entry, error);
}
