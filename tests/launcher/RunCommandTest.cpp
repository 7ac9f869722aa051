#include "launcher/RunCommand.h"
#include "LauncherTestUtils.h"
#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

class RunCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settings.DosBoxPath = makeDir(S("emu"));
        emulator = touch(S("emu/dosbox"));
        settings.ConfFile = touch(S("conf/dosbox.conf"));
        settings.RootPath = makeDir(S("dos"));
        app = std::make_unique<TDosBoxApp>(QString(), QImage(), QImage(), 437, false);
        app->AppName = S("Game");
        app->AppPath = makeDir(S("game"));
        app->AppFile = S("GAME.EXE");
        app->MountCd = false;
        app->Commands = S("C:;CD \\");
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString makeDir(const QString &name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
    QString touch(const QString &name, const QByteArray &data = "x") const
    {
        WriteTestFile(path(name), data);
        return path(name);
    }
    TLaunchResult run() { return RunApplication(*app, {settings, prompt, starter}); }
    // The launch configuration file, line by line; every line ends with CR LF.
    QStringList conf() const
    {
        QFile f(JoinPath(app->AppPath, S("ravelin.conf")));
        if (!f.open(QIODevice::ReadOnly))
            return {S("<no file>")};
        const QString text = QString::fromUtf8(f.readAll());
        if (!text.endsWith(S("\r\n")))
            return {S("<no CR LF at the end>")};
        QStringList lines = text.split(S("\r\n"));
        lines.removeLast();
        return lines;
    }
    QStringList autoexec() const
    {
        const QStringList lines = conf();
        return lines.mid(lines.indexOf(S("[autoexec]")) + 1);
    }
    QString commandLine() const
    {
        return starter.calls.isEmpty() ? S("<not started>") : starter.calls.last().commandLine;
    }

    QTemporaryDir dir;
    TBasicSettings settings;
    QString emulator;
    std::unique_ptr<TDosBoxApp> app;
    TScriptedPrompt prompt;
    TRecordingStarter starter;
};

} // namespace

TEST_F(RunCommand, ClassicEntryWithAllDefaults)
{
    const TLaunchResult result = run();
    EXPECT_TRUE(result.Started);
    EXPECT_FALSE(result.AutoClose);
    EXPECT_EQ(conf(),
              (QStringList{S("[sdl]"), S("fullscreen=false"), S("[dosbox]"), S("[cpu]"), S("[dos]"),
                           S("keyboardlayout=auto"), S("[autoexec]"), S("MOUNT C ") + app->AppPath,
                           S("C:"), S("CD \\"), S("GAME.EXE "), S("EXIT")}));
    ASSERT_EQ(starter.calls.size(), 1);
    EXPECT_EQ(starter.calls.at(0).commandLine, emulator + S(" -conf ") + settings.ConfFile +
                                                   S(" -conf ") + app->AppPath +
                                                   S("/ravelin.conf"));
    EXPECT_EQ(starter.calls.at(0).workDir, app->AppPath);
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST_F(RunCommand, SpeedAndMemoryKeysOfBothVariants)
{
    struct Case
    {
        TCpuSpeed speed;
        TMemManage mem;
        int memSize;
        QStringList classic; // between [dosbox] and keyboardlayout
        QStringList staging;
    };
    const QList<Case> cases{
        {{0, -1, -1},
         {-1, -1, -1},
         0,
         {S("[dosbox]"), S("[cpu]"), S("cycles=auto"), S("[dos]")},
         {S("[dosbox]"), S("[cpu]"), S("cpu_cycles=3000"), S("[dos]")}},
        {{25000, 0, 1},
         {0, 1, 0},
         16,
         {S("[dosbox]"), S("memsize=16"), S("[cpu]"), S("cycles=fixed 25000"), S("[dos]")},
         {S("[dosbox]"), S("memsize=16"), S("[cpu]"), S("cpu_cycles=25000"),
          S("cpu_cycles_protected=auto"), S("cpu_throttle=off"), S("[dos]"), S("xms=on"),
          S("ems=off"), S("umb=on")}},
        {{1000000, 1000000, 0},
         {-1, 0, -1},
         -3,
         {S("[dosbox]"), S("[cpu]"), S("cycles=max"), S("[dos]")},
         {S("[dosbox]"), S("[cpu]"), S("cpu_cycles=max"), S("cpu_cycles_protected=max"),
          S("cpu_throttle=on"), S("[dos]"), S("ems=on")}},
        {{-1, 4000, -1},
         {-1, -1, 1},
         0,
         {S("[dosbox]"), S("[cpu]"), S("[dos]")},
         {S("[dosbox]"), S("[cpu]"), S("cpu_cycles_protected=4000"), S("[dos]"), S("umb=off")}},
    };
    for (const Case &c : cases) {
        app->Speed = c.speed;
        app->MemManage = c.mem;
        app->MemSize = c.memSize;
        for (const bool staging : {false, true}) {
            settings.IsStaging = staging;
            ASSERT_TRUE(run().Started);
            const QStringList lines = conf();
            const qsizetype from = lines.indexOf(S("[dosbox]"));
            const qsizetype to = lines.indexOf(QRegularExpression(S("keyboard_?layout=.*")));
            EXPECT_EQ(lines.mid(from, to - from), staging ? c.staging : c.classic)
                << c.speed.RealSpeed;
            EXPECT_EQ(lines.value(to),
                      staging ? S("keyboard_layout=auto") : S("keyboardlayout=auto"));
        }
    }
    // DOSBox Staging before 0.82 knows only the classic speed key.
    settings.DosBoxVersion = {true, 0, 81, 1, {}};
    app->Speed = {4000, 0, 0};
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(conf().mid(conf().indexOf(S("[cpu]")), 3),
              (QStringList{S("[cpu]"), S("cycles=fixed 4000"), S("[dos]")}));
    EXPECT_EQ(OnOffText(0), S("on"));
    EXPECT_EQ(OnOffText(1), S("off"));
}

TEST_F(RunCommand, ProgramLineCommandsAndMixer)
{
    const QList<QPair<QString, QString>> programs{
        {S("RUN.BAT"), S("CALL RUN.BAT -x")},
        {S("games\\setup.Bat"), S("CALL games\\setup.Bat -x")},
        {S("games/setup.bat"), S("CALL games/setup.bat -x")},
        {S("GAME.COM"), S("GAME.COM -x")},
        {S("BAT.EXE"), S("BAT.EXE -x")},
        {S("BAT.D\\RUN"), S("BAT.D\\RUN -x")}};
    app->Parameters = S("-x");
    for (const auto &[file, line] : programs) {
        app->AppFile = file;
        run();
        EXPECT_EQ(autoexec().at(3), line);
    }

    app->MixerChannels = S("\"SB 50:60\";FM 10:10");
    app->Commands = S("C:;;CD \\GAMES;");
    app->ExitCommands = S(";ECHO done");
    app->AppFile.clear();
    app->AutoEnd = false;
    run();
    EXPECT_EQ(autoexec(),
              (QStringList{S("MIXER SB 50:60"), S("MIXER FM 10:10"), S("MOUNT C ") + app->AppPath,
                           S("C:"), QString(), S("CD \\GAMES"), QString(), S("ECHO done")}));
}

TEST_F(RunCommand, PathsWithBlanksAreQuoted)
{
    settings.DosBoxPath = makeDir(S("my emu"));
    emulator = touch(S("my emu/dosbox"));
    settings.ConfFile = touch(S("my conf/dosbox.conf"));
    app->AppPath = makeDir(S("my game"));
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(autoexec().at(0), S("MOUNT C \"") + app->AppPath + S("\""));
    EXPECT_EQ(commandLine(), QuoteIfBlank(emulator) + S(" -conf ") +
                                 QuoteIfBlank(settings.ConfFile) + S(" -conf \"") + app->AppPath +
                                 S("/ravelin.conf\""));
    EXPECT_TRUE(commandLine().startsWith(u'"'));
    EXPECT_EQ(starter.calls.last().workDir, app->AppPath);
}

TEST_F(RunCommand, CdImagesAreMountedAsStored)
{
    const QString first = touch(S("cds/disc one.iso"));
    app->MountCd = true;
    app->IsoImage = true;
    app->CdDrv = u'E';
    app->CdPath = QuoteIfBlank(first) + S(" ") + path(S("cds/missing.iso"));
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(autoexec().at(1), S("IMGMOUNT E ") + app->CdPath + S(" -t cdrom"));
    settings.IsStaging = true;
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(autoexec().at(1), S("MOUNT E ") + app->CdPath + S(" -t cdrom"));
    settings.DosBoxVersion = {true, 0, 82, 2, {}};
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(autoexec().at(1), S("IMGMOUNT E ") + app->CdPath + S(" -t cdrom"));
    // A relative image lies in the application folder, where the emulator runs.
    touch(S("game/DISC.ISO"));
    app->CdPath = S("DISC.ISO");
    EXPECT_TRUE(run().Started);
    EXPECT_TRUE(prompt.asked.isEmpty());

    QFile::remove(JoinPath(app->AppPath, S("ravelin.conf")));
    app->CdPath = path(S("cds/missing.iso")) + S(" ") + QuoteIfBlank(first);
    EXPECT_FALSE(run().Started);
    EXPECT_EQ(prompt.asked, QStringList{S("error: Application \"Game\": File \"") + app->CdPath +
                                        S("\" not found!")});
    EXPECT_FALSE(QFile::exists(JoinPath(app->AppPath, S("ravelin.conf"))));
    EXPECT_EQ(starter.calls.size(), 4);
}

// A new entry has "Mount CD drive" on but names no image or drive: it
// starts without a CD instead of failing on an empty file name.
TEST_F(RunCommand, ACdDriveWithoutImageOrDriveIsNotMounted)
{
    app->MountCd = true;
    for (bool iso : {true, false}) {
        app->IsoImage = iso;
        app->CdPath = iso ? S(" ") : QString();
        ASSERT_TRUE(run().Started) << iso;
        EXPECT_EQ(autoexec().mid(0, 2), (QStringList{S("MOUNT C ") + app->AppPath, S("C:")}));
    }
    EXPECT_TRUE(prompt.asked.isEmpty());
}

TEST_F(RunCommand, PhysicalDriveIsAskedForUntilItHoldsAMedium)
{
    app->MountCd = true;
    app->IsoImage = false;
    app->CdPath = makeDir(S("media/cdrom")) + S("/ (GAME (1))");
    prompt.answers = {true, true, false};
    EXPECT_FALSE(run().Started);
    const QString question = S("retry: Application \"Game\": Please insert the associated CD "
                               "into drive \"") +
                             path(S("media/cdrom/")) + S("\"!");
    EXPECT_EQ(prompt.asked, (QStringList{question, question, question}));
    EXPECT_TRUE(starter.calls.isEmpty());

    // The root file system is always a mounted, readable volume.
    app->CdPath = S("/ (ROOT)");
    prompt.asked.clear();
    ASSERT_TRUE(run().Started);
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_EQ(autoexec().at(1), S("MOUNT D / -t cdrom"));

    EXPECT_EQ(CdDriveRoot(S("E:\\ (GAMEDISC)")), S("E:\\"));
    EXPECT_EQ(CdDriveRoot(S("/media/ann/MY DISC/ (MY DISC)")), S("/media/ann/MY DISC/"));
    EXPECT_EQ(CdDriveRoot(S("/media/cdrom")), S("/media/cdrom"));
    EXPECT_EQ(CdDriveRoot(S("/media/x(1)")), S("/media/x(1)"));
    EXPECT_EQ(CdDriveRoot(QString()), QString());
}

TEST_F(RunCommand, ConfigurationFileQuestions)
{
    // Classic: application configuration present, primary missing: still
    // asked about the primary one; the command line names the application's.
    const QString appConf = touch(S("game/dosbox.conf"));
    QFile::remove(settings.ConfFile);
    app->AppConfig = true;
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(prompt.asked,
              QStringList{S("confirm: Primary configuration file not found! Start application "
                            "anyway?")});
    EXPECT_EQ(commandLine(),
              emulator + S(" -conf ") + appConf + S(" -conf ") + app->AppPath + S("/ravelin.conf"));

    // Staging: the application configuration is checked but never named, and
    // the primary one does not matter.
    settings.IsStaging = true;
    QFile::remove(appConf);
    prompt.asked.clear();
    ASSERT_TRUE(run().Started);
    EXPECT_EQ(prompt.asked, QStringList{S("confirm: Application specific configuration file not "
                                          "found!\nStart application anyway?")});
    EXPECT_EQ(commandLine(), emulator + S(" -conf ") + app->AppPath + S("/ravelin.conf"));

    // No ends the command before anything is written.
    settings.IsStaging = false;
    prompt.asked.clear();
    prompt.answers = {true, false};
    QFile::remove(JoinPath(app->AppPath, S("ravelin.conf")));
    EXPECT_FALSE(run().Started);
    EXPECT_EQ(prompt.asked.size(), 2);
    EXPECT_FALSE(QFile::exists(JoinPath(app->AppPath, S("ravelin.conf"))));
    EXPECT_EQ(starter.calls.size(), 2);
    for (const QPoint &pos : prompt.positions)
        EXPECT_EQ(pos, CenterPos);
}

TEST_F(RunCommand, MissingFolderAndEmulatorAreReportedInOrder)
{
    app->AppPath = path(S("gone"));
    EXPECT_FALSE(run().Started);
    EXPECT_EQ(prompt.asked,
              QStringList{S("error: Application path not found:\n") + path(S("gone"))});

    // The launch configuration is written before the emulator is looked for.
    app->AppPath = path(S("game"));
    QFile::remove(emulator);
    prompt.asked.clear();
    EXPECT_FALSE(run().Started);
    EXPECT_EQ(prompt.asked,
              QStringList{S("error: dosbox not found! Please adjust your global settings!")});
    EXPECT_EQ(conf().first(), S("[sdl]"));
    EXPECT_TRUE(starter.calls.isEmpty());
}

TEST_F(RunCommand, EntryOptionsOnTheCommandLineAndInTheFile)
{
    app->ConsoleMode = TConsoleModes{TConsoleMode::cmHide};
    app->AutoClose = true;
    app->FullScreen = true;
    app->AppMapper = touch(S("conf/mapper=1;x.map"));
    settings.LangFile = touch(S("conf/german.lng"));
    settings.KeyLayout = S("gr");
    const TLaunchResult result = run();
    EXPECT_TRUE(result.Started);
    EXPECT_TRUE(result.AutoClose);
    EXPECT_TRUE(commandLine().startsWith(emulator + S(" -noconsole -conf ")));
    EXPECT_EQ(conf().mid(0, 6),
              (QStringList{S("[sdl]"), S("fullscreen=true"), S("mapperfile=") + app->AppMapper,
                           S("[dosbox]"), S("language=") + settings.LangFile, S("[cpu]")}));
    EXPECT_TRUE(conf().contains(S("keyboardlayout=gr")));

    // DOSBox Staging cannot load a classic language file, and reads the
    // working folder's dosbox.conf unless told not to; a mapper "file" that
    // is a folder is not written.
    settings.IsStaging = true;
    settings.DosBoxVersion = {true, 0, 83, 0, S("-RC1")};
    settings.Codepage = 850;
    app->AppMapper = path(S("conf/"));
    app->ConsoleMode = TConsoleModes{TConsoleMode::cmErase};
    run();
    EXPECT_EQ(conf().mid(0, 4),
              (QStringList{S("[sdl]"), S("fullscreen=true"), S("[dosbox]"), S("[cpu]")}));
    EXPECT_TRUE(conf().contains(S("keyboard_layout=gr 850")));
    EXPECT_EQ(commandLine(),
              emulator + S(" -nolocalconf -conf ") + app->AppPath + S("/ravelin.conf"));
    settings.LangFile = touch(S("conf/de.lng"));
    run();
    EXPECT_EQ(conf().mid(2, 2), (QStringList{S("[dosbox]"), S("language=de")}));
}

TEST_F(RunCommand, WriteFailureStartsNothing)
{
    touch(S("game/ravelin.conf"));
    QFile::remove(path(S("game/ravelin.conf")));
    QDir().mkpath(path(S("game/ravelin.conf"))); // a folder in the file's place
    EXPECT_THROW(run(), ERavelinError);
    EXPECT_TRUE(starter.calls.isEmpty());
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(path(S("game"))).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(RunCommand, KeymapperStartsFromACopyOfTheGlobalMap)
{
    touch(S("conf/mapper.map"), "global keys");
    touch(S("game/appmapper.map"), "old application keys");
    settings.MapperFile = S("mapper.map");
    settings.LangFile = touch(S("conf/fr.po"));
    settings.IsStaging = true;
    ASSERT_TRUE(RunKeymapper(*app, {settings, prompt, starter}));

    const QString appMapper = app->AppPath + S("/appmapper.map");
    EXPECT_EQ(app->AppMapper, appMapper);
    EXPECT_EQ(ReadTestFile(appMapper), QByteArray("global keys"));
    EXPECT_EQ(conf(), (QStringList{S("[sdl]"), S("mapperfile=") + appMapper, S("[dosbox]"),
                                   S("language=") + settings.LangFile, S("[dos]"),
                                   S("keyboard_layout=auto"), S("[autoexec]"),
                                   S("MOUNT C ") + app->AppPath, S("EXIT")}));
    EXPECT_EQ(commandLine(), emulator + S(" -startmapper -nolocalconf -conf ") + settings.ConfFile +
                                 S(" -conf ") + app->AppPath + S("/ravelin.conf"));
    EXPECT_EQ(starter.calls.last().workDir, app->AppPath);
}

TEST_F(RunCommand, KeymapperWithoutGlobalMapOrConfiguration)
{
    settings.MapperFile.clear();
    app->AppConfig = true;
    prompt.answers = {true};
    ASSERT_TRUE(RunKeymapper(*app, {settings, prompt, starter}));
    EXPECT_EQ(prompt.asked, QStringList{S("confirm: Primary configuration file not found! Start "
                                          "application anyway?")});
    EXPECT_FALSE(QFile::exists(app->AppPath + S("/appmapper.map")));
    EXPECT_EQ(conf().at(1), S("mapperfile=") + app->AppPath + S("/appmapper.map"));
    EXPECT_EQ(commandLine(),
              emulator + S(" -startmapper -conf ") + app->AppPath + S("/ravelin.conf"));

    prompt.answers = {false};
    EXPECT_FALSE(RunKeymapper(*app, {settings, prompt, starter}));
    EXPECT_EQ(starter.calls.size(), 1);
}

TEST_F(RunCommand, KeymapperForAMissingFolderFailsBeforeStarting)
{
    app->AppPath = path(S("gone"));
    EXPECT_THROW(RunKeymapper(*app, {settings, prompt, starter}), EWriteError);
    touch(S("conf/mapper.map"));
    settings.MapperFile = S("mapper.map");
    EXPECT_THROW(RunKeymapper(*app, {settings, prompt, starter}), ECopyError);
    EXPECT_TRUE(starter.calls.isEmpty());
}

TEST_F(RunCommand, PlainRunInTheRootFolder)
{
    settings.KeyLayout = S("GR");
    settings.LangFile = touch(S("conf/my lang.po"));
    settings.IsStaging = true;
    ASSERT_TRUE(RunDosBox({settings, prompt, starter}));
    EXPECT_EQ(commandLine(), emulator + S(" -nolocalconf -lang \"") + settings.LangFile +
                                 S("\" -conf ") + settings.ConfFile + S(" -c \"KEYB gr 437\"") +
                                 S(" -c \"MOUNT C ") + settings.RootPath + S("\" -c C:"));
    EXPECT_EQ(starter.calls.last().workDir, settings.RootPath);
    // A root folder with a blank keeps its quotes inside the command.
    settings.RootPath = path(S("my games"));
    QDir().mkpath(settings.RootPath);
    ASSERT_TRUE(RunDosBox({settings, prompt, starter}));
    EXPECT_TRUE(
        commandLine().endsWith(S(" -c \"MOUNT C \"\"") + settings.RootPath + S("\"\"\" -c C:")));

    settings.KeyLayout.clear();
    settings.RootPath = path(S("no root"));
    settings.LangFile = path(S("missing.lng"));
    QFile::remove(settings.ConfFile);
    settings.IsStaging = false;
    ASSERT_TRUE(RunDosBox({settings, prompt, starter}));
    EXPECT_EQ(commandLine(), emulator);

    QFile::remove(emulator);
    EXPECT_FALSE(RunDosBox({settings, prompt, starter}));
    EXPECT_EQ(prompt.asked,
              QStringList{S("error: dosbox not found! Please adjust your global settings!")});
    EXPECT_EQ(starter.calls.size(), 3);
}

TEST_F(RunCommand, RealStartInAMissingFolderRaisesProcessError)
{
    QFile(emulator).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    settings.RootPath = path(S("no such root"));
    TSystemProcessStarter real;
    EXPECT_THROW(RunDosBox({settings, prompt, real}), EProcessError);
}

TEST_F(RunCommand, WhatDosBoxWouldTakeWronglyStartsNothing)
{
    const auto refused = [this](const char *what) {
        prompt.asked.clear();
        EXPECT_FALSE(run().Started) << what;
        EXPECT_EQ(prompt.asked.size(), 1) << what;
        EXPECT_TRUE(prompt.asked.value(0).startsWith(S("error: "))) << what;
        EXPECT_FALSE(QFile::exists(JoinPath(app->AppPath, S("ravelin.conf")))) << what;
        EXPECT_TRUE(starter.calls.isEmpty()) << what;
    };
    // A quote would end the mounted path early, a percent sign names a
    // variable of the batch file.
    app->AppPath = makeDir(S("a\" \"b"));
    refused("quote in the folder");
    EXPECT_TRUE(prompt.asked.value(0).contains(S("double quote or a percent sign")));
    app->AppPath = makeDir(S("100%game"));
    refused("percent in the folder");
    EXPECT_FALSE(RunKeymapper(*app, {settings, prompt, starter}));

    app->AppPath = makeDir(S("game"));
    app->MountCd = true;
    app->IsoImage = true;
    touch(S("game/disc 1.iso"));
    touch(S("game/50%.iso"));
    app->CdPath = S("\"disc 1.iso\" 50%.iso");
    refused("percent in an image");
    app->MountCd = false;

    // The emulator's autoexec buffer: the primary configuration's lines
    // count too.
    app->Parameters = QString(5000, u'x');
    refused("long parameters");
    EXPECT_TRUE(prompt.asked.value(0).contains(S("too long for DOSBox")));
    app->Parameters = QString(3900, u'x');
    EXPECT_TRUE(run().Started);
    touch(S("conf/dosbox.conf"), "[autoexec]\n" + QByteArray(300, 'r') + "\n[sdl]\n");
    QFile::remove(JoinPath(app->AppPath, S("ravelin.conf")));
    starter.calls.clear();
    refused("with the primary configuration's autoexec");
}
