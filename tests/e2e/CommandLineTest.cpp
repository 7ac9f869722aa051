#include "common/TestUtils.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Runs the program without any display and returns its standard output.
QString RunWithoutDisplay(const QStringList &args, int &exitCode)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(RAVELIN_EXE), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        exitCode = -1;
        return {};
    }
    exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

} // namespace

TEST(ProgramCommandLine, VersionAndHelpNeedNoDisplay)
{
    int code = 0;
    EXPECT_EQ(RunWithoutDisplay({QStringLiteral("--version")}, code),
              QStringLiteral("Ravelin (Version " RAVELIN_VERSION ")\n"));
    EXPECT_EQ(code, 0);

    const QString help =
        RunWithoutDisplay({QStringLiteral("/portable"), QStringLiteral("--help")}, code);
    EXPECT_EQ(code, 0);
    for (const char *option : {"/lang:", "/ini:", "/portable", "--help", "--version"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(option))) << option;
    EXPECT_TRUE(help.contains(qEnvironmentVariable("XDG_CONFIG_HOME") +
                              QStringLiteral("/ravelin/ravelin.ini")));

    // The help speaks the language the rest of the run would speak.
    const QString german =
        RunWithoutDisplay({QStringLiteral("/lang:de"), QStringLiteral("--help")}, code);
    EXPECT_TRUE(german.startsWith(QStringLiteral("Aufruf: "))) << german.left(80).toStdString();
    EXPECT_TRUE(german.contains(QStringLiteral("Befehlszeilenmodus")));
}

TEST(ProgramCommandLine, UnknownOptionsGetTheUsage)
{
    int code = 0;
    QProcess p;
    p.start(QStringLiteral(RAVELIN_EXE), {QStringLiteral("--bogus")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("Unknown option --bogus.\nUsage: ")))
        << err.toStdString();
    RunWithoutDisplay({QStringLiteral("/bogus:1")}, code);
    EXPECT_EQ(code, 2);
}

TEST(ProgramCommandLine, ASecondWindowOnOneCatalogueActivatesTheFirst)
{
    QTemporaryDir dir;
    const QString ini = QStringLiteral("/ini:") + dir.filePath(QStringLiteral("games.ini"));
    QProcess first;
    first.start(QStringLiteral(RAVELIN_EXE), {ini});
    ASSERT_TRUE(first.waitForStarted());
    // The first start holds the lock once it is up (it then asks for the
    // emulator's folder and waits).
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(dir.filePath(QStringLiteral("games.ini.lock"))) && !deadline.hasExpired())
        QThread::msleep(50);

    QProcess second;
    second.start(QStringLiteral(RAVELIN_EXE), {ini});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A crashed first start blocks nothing.
    first.kill();
    first.waitForFinished();
    QProcess third;
    third.start(QStringLiteral(RAVELIN_EXE), {ini});
    EXPECT_FALSE(third.waitForFinished(1500));
    third.kill();
    third.waitForFinished();
}
