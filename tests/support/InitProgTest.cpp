#include "support/InitProg.h"
#include "common/TestUtils.h"
#include "support/SystemShell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

const QString exeDir = S("/opt/ravelin/");
const QString appData = S("/home/u/.config/ravelin/");
const QString langFile = S("/home/u/.config/ravelin/ravelin.cfg");

TCommandLine Parse(std::initializer_list<const char *> args)
{
    QStringList list;
    for (const char *a : args)
        list << S(a);
    return ParseCommandLine(list, exeDir, langFile);
}

QString Ini(std::initializer_list<const char *> args)
{
    QStringList list;
    for (const char *a : args)
        list << S(a);
    return IniFileName(list, appData, S("ravelin"));
}

} // namespace

TEST(CommandLine, NoArgumentsKeepTheDefaultPlaces)
{
    const TCommandLine c = Parse({});
    EXPECT_EQ(c.LanguageFile, langFile);
    EXPECT_TRUE(c.LangCode.isEmpty());
    EXPECT_EQ(Ini({}), appData + S("ravelin.ini"));
    // Arguments that are no options, unknown options and GNU options.
    const TCommandLine other = Parse({"games", "/x:1", "/lang", "--ini=/x/y", "--portable", "--"});
    EXPECT_EQ(other.LanguageFile, langFile);
    EXPECT_TRUE(other.LangCode.isEmpty());
    EXPECT_EQ(Ini({"--ini:/x/y", "games"}), appData + S("ravelin.ini"));
}

TEST(CommandLine, IniPlacesTheCatalogue)
{
    EXPECT_EQ(Ini({"/INI:/data/games"}), S("/data/games.ini"));
    EXPECT_EQ(Ini({"-i:games.ini"}), appData + S("games.ini"));
    EXPECT_EQ(Ini({"/ini:sub/games"}), appData + S("sub/games.ini"));
    EXPECT_EQ(Ini({"/ini:a.ini", "-In:b"}), appData + S("b.ini"));
    // Without /portable the language file keeps its folder for a plain name.
    EXPECT_EQ(Parse({"/ini:games.ini"}).LanguageFile, langFile);
    EXPECT_EQ(Parse({"/ini:/data/games.ini"}).LanguageFile, S("/data/ravelin.cfg"));
    EXPECT_EQ(Parse({"/ini:/data/"}).LanguageFile, S("/data/ravelin.cfg"));
    const QString cwd = QDir::currentPath();
    EXPECT_EQ(Parse({"/ini:sub/../other/games"}).LanguageFile, cwd + S("/other/ravelin.cfg"));
}

TEST(CommandLine, PortableMovesTheLanguageFile)
{
    EXPECT_EQ(Parse({"/portable"}).LanguageFile, exeDir + S("ravelin.cfg"));
    EXPECT_EQ(Ini({"/portable"}), appData + S("ravelin.ini"));
    EXPECT_EQ(Parse({"/p"}).LanguageFile, exeDir + S("ravelin.cfg"));
    EXPECT_EQ(Parse({"-PORT"}).LanguageFile, exeDir + S("ravelin.cfg"));
    EXPECT_EQ(Parse({"/portable", "/ini:/data/games.ini"}).LanguageFile, S("/data/games.cfg"));
    EXPECT_EQ(Parse({"/ini:/data/games.ini", "/portable"}).LanguageFile, S("/data/games.cfg"));
    EXPECT_EQ(Parse({"/ini:sub/games.ini", "/portable"}).LanguageFile, exeDir + S("sub/games.cfg"));
    EXPECT_EQ(Parse({"/ini:games", "/portable"}).LanguageFile, exeDir + S("games.cfg"));
}

TEST(CommandLine, EnvironmentVariablesInIniMoveOnlyTheLanguageFile)
{
    qputenv("RAVELIN_TEST_DATA_DIR", "/srv/dos");
    // The name is looked up as written (Linux names have case): undefined,
    // it leaves "/games.ini".
    EXPECT_EQ(Parse({"/ini:%ravelin_test_data_dir%/games.ini"}).LanguageFile, S("/ravelin.cfg"));
    EXPECT_EQ(Parse({"/ini:%RAVELIN_TEST_DATA_DIR%/games.ini"}).LanguageFile,
              S("/srv/dos/ravelin.cfg"));
    EXPECT_EQ(Ini({"/ini:%RAVELIN_TEST_DATA_DIR%/games.ini"}),
              appData + S("%RAVELIN_TEST_DATA_DIR%/games.ini"));
    qunsetenv("RAVELIN_TEST_DATA_DIR");
}

TEST(CommandLine, LanguageOption)
{
    const TCommandLine c = Parse({"/lang:de"});
    EXPECT_EQ(c.LangCode, S("de"));
    EXPECT_EQ(c.LanguageFile, langFile);
    EXPECT_EQ(Parse({"-L:fr", "/la:de"}).LangCode, S("de"));
    EXPECT_TRUE(Parse({"/lang"}).LangCode.isEmpty());
    // An empty option name abbreviates every option: lang wins in the
    // command line, ini in the catalogue placement.
    EXPECT_EQ(Parse({"/:x"}).LangCode, S("x"));
    EXPECT_EQ(Parse({"/:x"}).LanguageFile, langFile);
    EXPECT_EQ(Ini({"/:x"}), appData + S("x.ini"));
}

TEST(ExpandEnvVars, ReplacesReferencesAndKeepsALonePercent)
{
    qputenv("RAVELIN_A", "alpha");
    qputenv("RAVELIN_B", "%RAVELIN_A%");
    qunsetenv("RAVELIN_UNSET");
    EXPECT_EQ(ExpandEnvVars(S("x%RAVELIN_A%y%RAVELIN_A%")), S("xalphayalpha"));
    EXPECT_EQ(ExpandEnvVars(S("%RAVELIN_UNSET%/x")), S("/x"));
    // The value is not expanded again.
    EXPECT_EQ(ExpandEnvVars(S("%RAVELIN_B%")), S("%RAVELIN_A%"));
    EXPECT_EQ(ExpandEnvVars(S("50% off")), S("50% off"));
    EXPECT_EQ(ExpandEnvVars(S("%RAVELIN_A%/50%")), S("alpha/50%"));
    EXPECT_EQ(ExpandEnvVars(S("%")), S("%"));
    EXPECT_EQ(ExpandEnvVars(QString()), QString());
    qunsetenv("RAVELIN_A");
    qunsetenv("RAVELIN_B");
}

TEST(ProgramPaths, FoldersAndFallback)
{
    SetExePaths(S("/opt/ravelin/ravelin"));
    EXPECT_EQ(ExeDir(), S("/opt/ravelin/"));
    EXPECT_EQ(ExeBaseName(), S("ravelin"));
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultLanguageFile(), config + S("/ravelin/ravelin.cfg"));
    EXPECT_EQ(LocalAppDataPath(), config + u'/');

    const TProgramPaths paths = GetProgramPaths(true);
    EXPECT_EQ(paths.AppDataPath, config + S("/ravelin/"));
    EXPECT_TRUE(QFileInfo(paths.AppDataPath).isDir());
    EXPECT_EQ(paths.ProgPath, S("/usr/bin/"));
    EXPECT_TRUE(paths.UserPath.endsWith(u'/'));

    // A configuration folder that cannot be created leaves the program folder.
    QTemporaryDir tmp;
    const QString blocker = tmp.filePath(S("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
    EXPECT_EQ(GetProgramPaths(true).AppDataPath, S("/opt/ravelin/"));
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
}

TEST(ProgramVersion, NamesAndVersionTexts)
{
    EXPECT_EQ(ShortVersion(S("2.1.0.0")), S("2.1.0"));
    EXPECT_EQ(ShortVersion(S("2.1.0")), S("2.1.0"));
    EXPECT_EQ(ShortVersion(S(" - Vers. 2.0")), S(" - Vers. 2.0"));

    TFileVersionInfo info;
    info.Version = S("2.1.0.7");
    info.Copyright = S("(c) someone");
    TProgramVersion v = ProgramVersionFrom(info, QString());
    EXPECT_EQ(v.ProgVersName, S("Ravelin (Version 2.1.0)"));
    EXPECT_EQ(v.Copyright, S("(c) someone"));
    EXPECT_TRUE(v.ProgVersDate.isEmpty());
    info.InternalName = S("Other");
    EXPECT_EQ(ProgramVersionFrom(info, QString()).ProgVersName, S("Other (Version 2.1.0)"));

    v = ProgramVersionFrom(TFileVersionInfo(), QString());
    EXPECT_EQ(v.VersionText, S("Version  - Vers. 2.0"));
    EXPECT_EQ(v.ProgVersName, S("Ravelin (Version  - Vers. 2.0)"));
    EXPECT_FALSE(v.Copyright.isEmpty());

    SetExePaths(QString::fromLocal8Bit(RAVELIN_BINARY_DIR) + S("/bin/ravelin_core_tests"));
    v = GetProgramVersion();
    EXPECT_EQ(v.ProgVersName, S("Ravelin (Version " RAVELIN_VERSION ")"));
    EXPECT_FALSE(v.ProgVersDate.isEmpty());
}

TEST(AutoStart, LinkFollowsTheSetting)
{
    SetExePaths(S("/opt/ravelin/ravelin"));
    const QString link = AutoStartLinkFile();
    EXPECT_EQ(link, qEnvironmentVariable("XDG_CONFIG_HOME") + S("/autostart/ravelin.desktop"));
    EXPECT_EQ(UpdateAutoStartLink(true, S("Ravelin (Version 1.0.0)")), 0);
    TShellLink read;
    ASSERT_TRUE(ReadShellLink(link, read));
    EXPECT_EQ(read.Target, S("/opt/ravelin/ravelin"));
    EXPECT_EQ(read.WorkingDir, S("/opt/ravelin/"));
    EXPECT_EQ(read.Description, S("Ravelin (Version 1.0.0)"));
    EXPECT_TRUE(read.Arguments.isEmpty());
    EXPECT_EQ(UpdateAutoStartLink(false, S("x")), 0);
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_EQ(UpdateAutoStartLink(false, S("x")), 0);

    // The build's icon file beside the program is the entry's icon.
    SetExePaths(QString::fromLocal8Bit(RAVELIN_BINARY_DIR) + S("/bin/ravelin"));
    ASSERT_TRUE(QFileInfo(ExeDir() + S("ravelin.png")).isFile());
    EXPECT_EQ(UpdateAutoStartLink(true, S("x")), 0);
    ASSERT_TRUE(ReadShellLink(link, read));
    EXPECT_EQ(read.Icon, ExeDir() + S("ravelin.png"));
    EXPECT_EQ(UpdateAutoStartLink(false, S("x")), 0);
}

TEST(ProgramFiles, InstalledDataFolderAndCommandName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString exe = dir.filePath(S("usr/bin/ravelin"));
    QDir().mkpath(dir.filePath(S("usr/bin")));
    QFile program(exe);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);

    // Beside the program until an installed tree gives it a data folder.
    SetExePaths(exe);
    EXPECT_EQ(DataDir(), ExeDir());
    QDir().mkpath(dir.filePath(S("usr/share/ravelin")));
    SetExePaths(exe);
    EXPECT_EQ(DataDir(),
              QFileInfo(dir.filePath(S("usr/share/ravelin"))).canonicalFilePath() + u'/');

    // Desktop entries name the program by its bare name only when the search
    // path leads to this very program.
    const QByteArray path = qgetenv("PATH");
    EXPECT_EQ(ProgramCommand(), exe);
    qputenv("PATH", dir.filePath(S("usr/bin")).toLocal8Bit() + ':' + path);
    EXPECT_EQ(ProgramCommand(), S("ravelin"));
    qputenv("PATH", path);
}
