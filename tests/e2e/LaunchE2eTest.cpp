// The launcher against the real emulator (Debian's dosbox, headless), always
// through the program's command-line mode: a launch counts only when DOS
// really ran the commands, which leave files behind.
#include "E2eSupport.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Keys = TE2eFolder::Keys;

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QString EmulatorDir()
{
    const QString exe = QStandardPaths::findExecutable(S("dosbox"));
    return exe.isEmpty() ? QString() : QFileInfo(exe).absolutePath();
}

Keys Config(const TE2eFolder &folder, const QString &dosBoxDir)
{
    return {{S("DosBoxPath"), dosBoxDir},
            {S("RootPath"), folder.path()},
            {S("ConfFile"), folder.writePrimaryConfig()}};
}

// An entry that starts program in appPath, with the defaults of a new entry.
Keys Entry(const QString &name, const QString &appPath, const QString &program)
{
    return {{S("AppName"), name},
            {S("RootPath"), appPath},
            {S("ConsoleMode"), S("0")},
            {S("MountCD"), S("0")},
            {S("HardDrive"), S("C")},
            {S("Executable"), program},
            {S("Commands"), S("#C:;CD \\#")},
            {S("AutoEnd"), S("1")}};
}

Keys With(Keys keys, const QString &key, const QString &value)
{
    for (auto &kv : keys) {
        if (kv.first == key) {
            kv.second = value;
            return keys;
        }
    }
    keys.append({key, value});
    return keys;
}

class LaunchE2e : public testing::Test
{
protected:
    void SetUp() override
    {
        if (EmulatorDir().isEmpty())
            GTEST_SKIP() << "dosbox is not installed (scripts/install-deps.sh installs it)";
    }
};

} // namespace

TEST_F(LaunchE2e, BatchProgramRunsWithParametersAndEmulatorEnds)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("game"));
    folder.writeFile(S("game/GO.BAT"), "@echo off\r\necho %1 %2>RESULT.TXT\r\n");
    folder.writeCatalogue(
        Config(folder, EmulatorDir()),
        {Entry(S("Other"), app, S("NONE.EXE")),
         With(Entry(S("Batch Game"), app, S("GO.BAT")), S("Parameters"), S("one two"))});

    const auto run = folder.runRavelin({S("--run"), S("batch GAME")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(WaitForTestFile(app + S("/RESULT.TXT"), "\r\n"), QByteArray("one two\r\n"));
    EXPECT_TRUE(folder.waitForEmulatorsToEnd()) << "EXIT did not end the emulator";
}

TEST_F(LaunchE2e, FolderWithBlanksAndCommandsAroundTheProgram)
{
    TE2eFolder folder(true);
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("my games/first one"));
    folder.writeFile(S("my games/first one/PROG.BAT"), "@echo program>>LOG.TXT\r\n");
    const Keys entry = With(With(Entry(S("Logged"), app, S("PROG.BAT")), S("Commands"),
                                 S("#C:;CD \\;echo start>LOG.TXT#")),
                            S("ExitCommands"), S("#echo exit>>LOG.TXT#"));
    folder.writeCatalogue(Config(folder, EmulatorDir()), {entry});

    const auto run = folder.runRavelin({S("--run"), S("Logged")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(app + S("/ravelin.conf")));
    EXPECT_EQ(WaitForTestFile(app + S("/LOG.TXT"), "exit\r\n"),
              QByteArray("start\r\nprogram\r\nexit\r\n"));
    EXPECT_TRUE(folder.waitForEmulatorsToEnd());
}

TEST_F(LaunchE2e, IsoImageIsDriveD)
{
    TE2eFolder folder(true);
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("cd game"));
    folder.writeFile(S("disc/DATA.TXT"), "from the disc\r\n");
    const QString iso = folder.path(S("images/game disc.iso"));
    folder.makeDir(S("images"));
    QProcess xorriso;
    xorriso.start(S("xorriso"), {S("-as"), S("mkisofs"), S("-quiet"), S("-V"), S("GAMEDISC"),
                                 S("-o"), iso, folder.path(S("disc"))});
    ASSERT_TRUE(xorriso.waitForFinished(20000)) << "xorriso is missing or hangs";
    ASSERT_TRUE(QFile::exists(iso)) << xorriso.readAllStandardError().toStdString();

    Keys entry = With(Entry(S("Disc Game"), app, QString()), S("MountCD"), S("1"));
    entry = With(entry, S("IsoImage"), S("1"));
    entry = With(entry, S("CdPath"), Quoted(iso));
    entry = With(entry, S("Commands"), S("#C:;COPY D:\\DATA.TXT C:\\GOT.TXT#"));
    folder.writeCatalogue(Config(folder, EmulatorDir()), {entry});

    const auto run = folder.runRavelin({S("--run"), S("Disc Game")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(WaitForTestFile(app + S("/GOT.TXT"), "\r\n"), QByteArray("from the disc\r\n"));
    EXPECT_TRUE(folder.waitForEmulatorsToEnd());
}

TEST_F(LaunchE2e, HiddenConsoleLeavesBannerInStdOut)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("quiet"));
    folder.writeFile(S("quiet/stdout.txt"), QByteArray(4000, 'x'));
    folder.writeCatalogue(Config(folder, EmulatorDir()),
                          {With(Entry(S("Quiet"), app, QString()), S("ConsoleMode"), S("1"))});

    const auto run = folder.runRavelin({S("--run"), S("Quiet")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(folder.waitForEmulatorsToEnd());
    const QByteArray banner = ReadTestFile(app + S("/stdout.txt"));
    EXPECT_TRUE(banner.startsWith("DOSBox version")) << banner.left(200).toStdString();
    EXPECT_TRUE(QFile::exists(app + S("/stderr.txt")));
}

TEST_F(LaunchE2e, ListAndUnknownEntries)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("game"));
    folder.writeCatalogue(Config(folder, EmulatorDir()),
                          {Entry(S("Game"), app, S("GAME.EXE")),
                           With(Entry(S("Spiel"), app, S("X.EXE")), S("Category"), S("Fun"))});

    const auto list = folder.runRavelin({S("--list")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, S("Game\tMiscellaneous\nSpiel\tFun\n"));

    const auto unknown = folder.runRavelin({S("/lang:de"), S("--run"), S("Nothing")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith(S("Es gibt keine Anwendung „Nothing“")))
        << unknown.err.toStdString();
    EXPECT_EQ(folder.runRavelin({S("--run")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(app + S("/ravelin.conf")));
}

TEST_F(LaunchE2e, RunRecordsTheStartItselfOrThroughTheOpenWindow)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString app = folder.makeDir(S("game"));
    folder.writeFile(S("game/GO.BAT"), "@echo off\r\necho ran>>RESULT.TXT\r\n");
    const QString ini = folder.writeCatalogue(Config(folder, EmulatorDir()),
                                              {Entry(S("Batch Game"), app, S("GO.BAT"))});
    const auto playCount = [&ini] {
        const QByteArray data = ReadTestFile(ini);
        const QString text = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(data.constData() + 2), (data.size() - 2) / 2);
        const qsizetype at = text.indexOf(S("PlayCount="));
        return at < 0 ? QString() : text.mid(at + 10, text.indexOf(u'\r', at) - at - 10);
    };

    // Without a window the command line records the start itself.
    EXPECT_EQ(folder.runRavelin({S("--run"), S("batch game")}).exitCode, 0);
    EXPECT_EQ(WaitForTestFile(app + S("/RESULT.TXT"), "\r\n"), QByteArray("ran\r\n"));
    EXPECT_TRUE(folder.waitForEmulatorsToEnd());
    EXPECT_EQ(playCount(), S("1"));

    // With a window open on the catalogue, the window starts and records it.
    QProcess window;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("QT_QPA_PLATFORM"), S("offscreen"));
    window.setProcessEnvironment(env);
    window.start(QStringLiteral(RAVELIN_EXE), {S("/ini:") + ini});
    ASSERT_TRUE(window.waitForStarted());
    QDeadlineTimer deadline(20000);
    TE2eFolder::Result handed;
    while (!deadline.hasExpired()) {
        handed = folder.runRavelin({S("--run"), S("Batch Game")});
        // Until the window has loaded the catalogue it answers that it is busy.
        if (handed.exitCode == 0)
            break;
        QThread::msleep(200);
    }
    EXPECT_EQ(handed.exitCode, 0) << handed.err.toStdString();
    EXPECT_EQ(WaitForTestFile(app + S("/RESULT.TXT"), "ran\r\nran\r\n"),
              QByteArray("ran\r\nran\r\n"));
    EXPECT_TRUE(folder.waitForEmulatorsToEnd());
    deadline.setRemainingTime(10000);
    while (playCount() != S("2") && !deadline.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(playCount(), S("2"));
    EXPECT_EQ(folder.runRavelin({S("--run"), S("Nothing")}).exitCode, 2);
    window.kill();
    window.waitForFinished();
}
