// A generated collection brought in with "ravelin --import", and every entry
// it made started with the real emulator (Debian's dosbox, headless): an
// import counts only when DOS really ran the program it chose.
#include "E2eSupport.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QString EmulatorDir()
{
    const QString exe = QStandardPaths::findExecutable(S("dosbox"));
    return exe.isEmpty() ? QString() : QFileInfo(exe).absolutePath();
}

// A batch that leaves its name in RESULT.TXT of the drive's root.
QByteArray Marker(const char *name)
{
    return QByteArray("@echo off\r\necho ") + name + ">C:\\RESULT.TXT\r\n";
}

bool MakeIso(const TE2eFolder &folder, const QString &source, const QString &iso)
{
    QDir().mkpath(QFileInfo(iso).absolutePath());
    QProcess xorriso;
    xorriso.start(S("xorriso"),
                  {S("-as"), S("mkisofs"), S("-quiet"), S("-o"), iso, folder.path(source)});
    return xorriso.waitForFinished(20000) && QFile::exists(iso);
}

} // namespace

TEST(ImportE2e, CollectionImportsAndEveryEntryRuns)
{
    if (EmulatorDir().isEmpty())
        GTEST_SKIP() << "dosbox is not installed (scripts/install-deps.sh installs it)";
    TE2eFolder folder(true);
    ASSERT_TRUE(folder.isValid());
    const QString games = folder.makeDir(S("dos games"));
    folder.writeFile(S("dos games/single/PLAY.BAT"), Marker("single"));
    folder.writeFile(S("dos games/keen_dreams/INSTALL.EXE"), "MZ");
    folder.writeFile(S("dos games/keen_dreams/KEEN.BAT"), Marker("keen"));
    folder.writeFile(S("dos games/keen_dreams/OTHER.BAT"), Marker("other"));
    folder.writeFile(S("dos games/starter/A.BAT"), Marker("a"));
    folder.writeFile(S("dos games/starter/B.BAT"), Marker("b"));
    folder.writeFile(S("dos games/starter/START.BAT"), Marker("start"));
    folder.writeFile(S("disc/DATA.TXT"), "from the disc\r\n");
    ASSERT_TRUE(MakeIso(folder, S("disc"), folder.path(S("dos games/cd game/disc one.iso"))));
    folder.writeFile(S("dos games/cd game/GAME.BAT"), "@copy D:\\DATA.TXT C:\\RESULT.TXT\r\n");
    // Started through its configuration file: program in a sub-folder, an image.
    ASSERT_TRUE(MakeIso(folder, S("disc"), folder.path(S("dos games/conf game/cd image.iso"))));
    folder.writeFile(S("dos games/conf game/BIN/RUN.BAT"),
                     "@copy D:\\DATA.TXT C:\\RESULT.TXT\r\n@echo %1>>C:\\RESULT.TXT\r\n");
    folder.writeFile(S("dos games/conf game/game.conf"),
                     "[cpu]\ncycles=fixed 8000\n[autoexec]\n@echo off\nmount c \".\"\n"
                     "imgmount d \"cd image.iso\" -t iso\nc:\ncd bin\nrun conf\nexit\n");
    // Two hard drives: the entry runs the file's own [autoexec].
    folder.writeFile(S("dos games/two drives/GO.BAT"), "@echo two>E:\\RESULT.TXT\r\n");
    folder.makeDir(S("dos games/two drives/extra"));
    folder.writeFile(S("dos games/two drives/dosbox.conf"),
                     "[autoexec]\nmount c .\nmount e extra\nc:\ncall GO.BAT\nexit\n");
    const QString ini = folder.writeCatalogue({{S("DosBoxPath"), EmulatorDir()},
                                               {S("RootPath"), folder.path()},
                                               {S("ConfFile"), folder.writePrimaryConfig()}},
                                              {});

    const auto listed = folder.runRavelin({S("--import"), games});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.out.contains(S("Keen Dreams\t") + games + S("/keen_dreams\tKEEN.BAT\n")))
        << listed.out.toStdString();
    EXPECT_EQ(folder.runRavelin({S("--list")}).out, QString()); // nothing added without --yes

    const auto added =
        folder.runRavelin({S("--import"), games, S("--category"), S("Games"), S("--yes")});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_TRUE(added.err.contains(S("6 applications added"))) << added.err.toStdString();
    // A second import finds them all present.
    const auto again = folder.runRavelin({S("--import"), games, S("--yes")});
    EXPECT_TRUE(again.err.contains(
        S("0 applications found to add. 6 applications are already in the catalogue.")))
        << again.err.toStdString();

    const auto list = folder.runRavelin({S("--list")});
    EXPECT_EQ(list.out, S("Cd Game\tGames\nConf Game\tGames\nKeen Dreams\tGames\nSingle\tGames\n"
                          "Starter\tGames\nTwo Drives\tGames\n"));

    const struct
    {
        const char *name;
        const char *result; // RESULT.TXT, in which folder
        QByteArray expected;
    } runs[] = {
        {"Single", "dos games/single/RESULT.TXT", "single\r\n"},
        {"Keen Dreams", "dos games/keen_dreams/RESULT.TXT", "keen\r\n"},
        {"Starter", "dos games/starter/RESULT.TXT", "start\r\n"},
        {"Cd Game", "dos games/cd game/RESULT.TXT", "from the disc\r\n"},
        {"Conf Game", "dos games/conf game/RESULT.TXT", "from the disc\r\nconf\r\n"},
        {"Two Drives", "dos games/two drives/extra/RESULT.TXT", "two\r\n"},
    };
    for (const auto &run : runs) {
        const auto started = folder.runRavelin({S("--run"), S(run.name)});
        EXPECT_EQ(started.exitCode, 0) << run.name << ": " << started.err.toStdString();
        EXPECT_EQ(WaitForTestFile(folder.path(S(run.result)), run.expected.right(2)), run.expected)
            << run.name;
        EXPECT_TRUE(folder.waitForEmulatorsToEnd()) << run.name;
    }
}
