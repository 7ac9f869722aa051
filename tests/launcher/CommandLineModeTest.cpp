#include "launcher/CommandLineMode.h"
#include "LauncherTestUtils.h"
#include "catalogue/Catalogue.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "launcher/ConsolePrompt.h"
#include "support/IniFileUtils.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

using TMode = TCliRequest::TMode;

class CommandLineMode : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(path(S("emu")));
        QDir().mkpath(path(S("game")));
        QDir().mkpath(path(S("exe")));
        emulator = touch(S("emu/dosbox"));
        conf = touch(S("dosbox.conf"));
        files.IniName = path(S("ravelin.ini"));
        files.ExeDir = path(S("exe/"));
        files.UserPath = path(S("game/"));
        files.LocPath = path(S("local/"));
        auto ini = TUnicodeIniFile::CreateForWrite(files.IniName);
        ini.WriteString(S("Config"), S("DosBoxPath"), path(S("emu")));
        ini.WriteString(S("Config"), S("ConfFile"), conf);
        ini.WriteInteger(S("Config"), S("AppCount"), 3);
        addApp(ini, 1, S("Keen"), S("Games"), path(S("game")));
        addApp(ini, 2, S("Word"), QString(), path(S("nowhere")));
        addApp(ini, 3, S("keen"), S("Other"), path(S("other")));
        ini.UpdateFile();
    }

    static void addApp(TUnicodeIniFile &ini, int n, const QString &name, const QString &category,
                       const QString &appPath)
    {
        const QString sec = AppSectionName(n);
        ini.WriteString(sec, S("AppName"), name);
        ini.WriteString(sec, S("Category"), category);
        ini.WriteString(sec, S("RootPath"), appPath);
        ini.WriteBool(sec, S("MountCD"), false);
        ini.WriteString(sec, S("Executable"), S("KEEN.EXE"));
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString touch(const QString &name) const
    {
        WriteTestFile(path(name), "x");
        return path(name);
    }
    QByteArray catalogueHash() const
    {
        return QCryptographicHash::hash(ReadTestFile(files.IniName), QCryptographicHash::Sha1);
    }
    int cli(const QStringList &args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        return RunCli(ParseCliRequest(args), files, starter, o, e);
    }

    QTemporaryDir dir;
    QString emulator;
    QString conf;
    TCatalogueFiles files;
    TRecordingStarter starter;
    QString out;
    QString err;
};

} // namespace

TEST(CommandLineArguments, ModesOptionsAndMistakes)
{
    EXPECT_FALSE(IsCliRequest({S("/lang:de"), S("-ini:x"), S("--yes")}));
    EXPECT_TRUE(IsCliRequest({S("/p"), S("--list")}));
    EXPECT_TRUE(IsCliRequest({S("--run=Doom")}));
    EXPECT_FALSE(IsCliRequest({S("--"), S("--list")}));

    TCliRequest r = ParseCliRequest({S("/ini:games"), S("--run"), S("/Doom II"), S("--yes")});
    EXPECT_EQ(r.Mode, TMode::Run);
    EXPECT_EQ(r.AppName, S("/Doom II"));
    EXPECT_TRUE(r.Yes);
    EXPECT_TRUE(r.Error.isEmpty());
    // The name after --run is no option of the window.
    EXPECT_EQ(WindowArguments({S("/ini:games"), S("--run"), S("/ini:x"), S("-p"), S("--yes")}),
              (QStringList{S("/ini:games"), S("-p")}));

    EXPECT_EQ(ParseCliRequest({S("--run=Doom")}).AppName, S("Doom"));
    r = ParseCliRequest({S("--shortcut"), S("-ini:x"), S("/ini:games")});
    EXPECT_EQ(r.Mode, TMode::Shortcut);
    EXPECT_EQ(r.AppName, S("-ini:x"));
    EXPECT_EQ(r.WindowArgs, QStringList{S("/ini:games")});
    EXPECT_EQ(ParseCliRequest({S("--dosbox")}).Mode, TMode::DosBox);
    EXPECT_EQ(ParseCliRequest({S("--list"), S("--help")}).Mode, TMode::Help);

    for (const QStringList &bad :
         {QStringList{S("--run")}, QStringList{S("--run=")},
          QStringList{S("--list"), S("--dosbox")}, QStringList{S("--list"), S("--colour")},
          QStringList{S("--shortcut")}, QStringList{S("--run=Doom"), S("--shortcut=Doom")},
          QStringList{S("--run"), S("Monkey"), S("Island")}})
        EXPECT_FALSE(ParseCliRequest(bad).Error.isEmpty()) << bad.join(u' ').toStdString();
}

TEST(CommandLineText, LongLinesBreakAtBlanksWithinTheWidth)
{
    EXPECT_EQ(WrapLines(S("one two three four"), 9), S("one two\nthree\nfour"));
    // Continuation lines keep the indentation; line breaks stay; a word wider
    // than the line keeps a line of its own.
    EXPECT_EQ(WrapLines(S("  alpha beta gamma\n\nx /a/very/long/path y"), 12),
              S("  alpha beta\n  gamma\n\nx\n/a/very/long/path\ny"));
    // No-break spaces hold their words together.
    EXPECT_EQ(WrapLines(S("Nom du fichier\u00a0:"), 15), S("Nom du\nfichier\u00a0:"));
    EXPECT_EQ(WrapLines(S("exactly ten"), 11), S("exactly ten"));
}

TEST_F(CommandLineMode, ListsEntriesWithTheirCategories)
{
    const QByteArray before = catalogueHash();
    EXPECT_EQ(cli({S("--list")}), 0);
    EXPECT_EQ(out, S("Keen\tGames\nWord\tMiscellaneous\nkeen\tOther\n"));
    EXPECT_TRUE(err.isEmpty());
    // Words find as the window's filter does, in every field but the root.
    EXPECT_EQ(cli({S("--list"), S("KEEN"), S("oth")}), 0);
    EXPECT_EQ(out, S("keen\tOther\n"));
    EXPECT_EQ(cli({S("--list"), S("miscellan")}), 0);
    EXPECT_EQ(out, S("Word\tMiscellaneous\n"));
    EXPECT_EQ(cli({S("--list"), S("nowhere"), S("keen.exe")}), 0);
    EXPECT_EQ(out, S("Word\tMiscellaneous\n"));
    EXPECT_EQ(cli({S("--list"), S("quake")}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains(S("\"quake\""))) << err.toStdString();

    // Listing needs no emulator folder.
    {
        auto ini = TUnicodeIniFile::CreateForWrite(files.IniName);
        ini.WriteString(S("Config"), S("DosBoxPath"), path(S("moved away")));
        ini.UpdateFile();
    }
    const QByteArray moved = catalogueHash();
    EXPECT_EQ(cli({S("--list")}), 0);
    EXPECT_EQ(out.count(u'\n'), 3);
    EXPECT_EQ(cli({S("--run"), S("Keen")}), 1);
    EXPECT_TRUE(err.contains(S("DOSBox program directory is not known"))) << err.toStdString();
    EXPECT_TRUE(starter.calls.isEmpty());
    EXPECT_NE(before, moved);
    EXPECT_EQ(catalogueHash(), moved);
}

TEST_F(CommandLineMode, RunsTheFirstEntryOfTheNameAndRecordsOnlyTheStart)
{
    EXPECT_EQ(cli({S("--run"), S("KEEN")}), 0) << err.toStdString();
    ASSERT_EQ(starter.calls.size(), 1);
    EXPECT_EQ(starter.calls.at(0).workDir, path(S("game")));
    EXPECT_TRUE(starter.calls.at(0).commandLine.startsWith(emulator + S(" -conf ") + conf));
    {
        TUnicodeIniFile ini(files.IniName, TUnicodeIniFile::TAccess::Read);
        EXPECT_EQ(ini.ReadString(S("App001"), S("PlayCount")), S("1"));
        EXPECT_FALSE(ini.ReadString(S("App001"), S("LastPlayed")).isEmpty());
        EXPECT_FALSE(ini.ValueExists(S("App003"), S("PlayCount")));
        EXPECT_EQ(ini.ReadString(S("App003"), S("Executable")), S("KEEN.EXE"));
    }
    const QByteArray before = catalogueHash();

    EXPECT_EQ(cli({S("--run"), S("Kee")}), 2);
    EXPECT_TRUE(err.contains(S("\"Kee\""))) << err.toStdString();
    EXPECT_EQ(cli({S("--run"), S("Keen"), S("extra")}), 2);
    EXPECT_TRUE(err.contains(S("--help")));
    EXPECT_EQ(starter.calls.size(), 1);

    EXPECT_EQ(cli({S("--dosbox")}), 0);
    EXPECT_TRUE(starter.calls.last().commandLine.startsWith(emulator + S(" -conf ") + conf));
    EXPECT_EQ(catalogueHash(), before);
}

TEST_F(CommandLineMode, QuestionsTakeTheDefaultOnlyWithYes)
{
    QFile::remove(conf);
    EXPECT_EQ(cli({S("--run"), S("Keen")}), 1);
    EXPECT_EQ(err, S("Primary configuration file not found! Start application anyway?\n-> No\n"));
    EXPECT_TRUE(starter.calls.isEmpty());

    EXPECT_EQ(cli({S("--yes"), S("--run"), S("Keen")}), 0);
    EXPECT_EQ(err, S("Primary configuration file not found! Start application anyway?\n-> Yes\n"));
    EXPECT_EQ(starter.calls.size(), 1);

    // Errors end the command; their lines break like the terminal's.
    EXPECT_EQ(cli({S("--yes"), S("--run"), S("Word")}), 1);
    EXPECT_TRUE(err.endsWith(S("Application path not found:\n") + path(S("nowhere")) + u'\n'))
        << err.toStdString();
}

TEST_F(CommandLineMode, RetryQuestionsAndFailuresEndTheCommand)
{
    {
        auto ini = TUnicodeIniFile::CreateForWrite(files.IniName);
        ini.WriteBool(S("App001"), S("MountCD"), true);
        ini.WriteBool(S("App001"), S("IsoImage"), false);
        ini.WriteString(S("App001"), S("CdPath"), path(S("game")) + S(" (DISC)"));
        ini.UpdateFile();
    }
    EXPECT_EQ(cli({S("--yes"), S("--run"), S("Keen")}), 1);
    EXPECT_EQ(err.count(S("Please insert")), 1);
    EXPECT_TRUE(err.endsWith(S("-> Cancel\n"))) << err.toStdString();

    // A failure of the start is reported, not thrown at the caller.
    class TFailingStarter : public IProcessStarter
    {
        qint64 StartProcess(const QString &, const QString &) override
        {
            throw EProcessError(S("Permission denied"));
        }
    } failing;
    QString o, e;
    QTextStream os(&o), es(&e);
    EXPECT_EQ(RunCli(ParseCliRequest({S("--dosbox")}), files, failing, os, es), 1);
    EXPECT_EQ(e, S("Permission denied\n"));
}

TEST_F(CommandLineMode, HostileCataloguesAndNames)
{
    // Control characters of a name never reach the terminal, and a tab in
    // it cannot break the line's format.
    {
        auto ini = TUnicodeIniFile::CreateForWrite(files.IniName);
        ini.WriteString(S("App002"), S("AppName"), S("Bad\x1b[2J\tName\x7f"));
        ini.UpdateFile();
    }
    EXPECT_EQ(cli({S("--list")}), 0);
    EXPECT_TRUE(out.contains(S("\nBad?[2J?Name?\tMiscellaneous\n"))) << out.toStdString();

    // What the window reports as unreadable or foreign fails here too.
    const QString message = S("could not be read completely");
    QFile::remove(files.IniName);
    QDir().mkdir(files.IniName);
    EXPECT_EQ(cli({S("--list")}), 1);
    EXPECT_TRUE(err.simplified().contains(message)) << err.toStdString();
    EXPECT_TRUE(out.isEmpty());
    QDir().rmdir(files.IniName);
    WriteTestFile(files.IniName, "just some notes\n");
    EXPECT_EQ(cli({S("--run"), S("Keen")}), 1);
    EXPECT_TRUE(err.simplified().contains(S("is not a Ravelin catalogue"))) << err.toStdString();
    EXPECT_TRUE(starter.calls.isEmpty());
}
