#include "launcher/WinExecute.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "launcher/ConsoleOutput.h"
#include "support/StringUtils.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// A program that writes its working directory and arguments to "args.txt"
// and one line to each output channel.
QString MakeRecorder(const QString &dir)
{
    const QString name = dir + S("/rec order.sh");
    WriteTestProgram(
        name, "#!/bin/sh\n"
              "{ pwd; for a in \"$@\"; do printf '<%s>\\n' \"$a\"; done; echo end; } > args.txt\n"
              "echo to-stdout\necho to-stderr >&2\n");
    return name;
}
} // namespace

TEST(WinExecute, SplitsWhatQuoteIfBlankJoins)
{
    const QStringList items{S("/opt/my dosbox/dosbox"),
                            S("-conf"),
                            S("/a b/x\"y.conf"),
                            S("-c"),
                            S("KEYB GR"),
                            S("plain")};
    QString line;
    for (const QString &item : items)
        line += (line.isEmpty() ? QString() : S(" ")) + QuoteIfBlank(item);
    EXPECT_EQ(SplitCommandLine(line), items);
    EXPECT_EQ(SplitCommandLine(S("  a   \"b c\"  ")), (QStringList{S("a"), S("b c")}));
    EXPECT_EQ(SplitCommandLine(S("   ")), QStringList());
    EXPECT_TRUE(HidesConsole({S("-NoConsole")}));
    EXPECT_FALSE(HidesConsole({S("-conf"), S("x-noconsole")}));
}

TEST(WinExecute, StartsInWorkDirWithArgumentsIntact)
{
    QTemporaryDir dir;
    const QString program = MakeRecorder(dir.path());
    const QString work = dir.filePath(S("work dir"));
    ASSERT_TRUE(QDir().mkpath(work));
    const qint64 pid = StartProcess(
        QuoteIfBlank(program) + S(" -conf \"/x y/ravelin.conf\" -c \"KEYB GR\" ;echo"), work);
    EXPECT_GT(pid, 0);
    const QByteArray args = WaitForTestFile(work + S("/args.txt"), "end\n");
    EXPECT_EQ(args,
              work.toUtf8() + "\n<-conf>\n</x y/ravelin.conf>\n<-c>\n<KEYB GR>\n<;echo>\nend\n");
    // Without -noconsole the output is not captured.
    EXPECT_FALSE(QFile::exists(work + S("/stdout.txt")));
}

TEST(WinExecute, NoConsoleSendsOutputToFilesInWorkDir)
{
    QTemporaryDir dir;
    const QString program = MakeRecorder(dir.path());
    WriteTestFile(dir.filePath(DosBox::StdOutName),
                  "an earlier run that wrote much more than this one\n");
    StartProcess(QuoteIfBlank(program) + S(" -noconsole -conf x"), dir.path());
    EXPECT_EQ(WaitForTestFile(dir.filePath(S("args.txt")), "end\n"),
              dir.path().toUtf8() + "\n<-noconsole>\n<-conf>\n<x>\nend\n");
    EXPECT_EQ(WaitForTestFile(dir.filePath(DosBox::StdOutName), "\n"), QByteArray("to-stdout\n"));
    EXPECT_EQ(WaitForTestFile(dir.filePath(DosBox::StdErrName), "\n"), QByteArray("to-stderr\n"));
}

TEST(WinExecute, FailuresRaiseProcessErrorWithSystemText)
{
    QTemporaryDir dir;
    const QString program = MakeRecorder(dir.path());
    const auto messageOf = [](const QString &line, const QString &work) -> QString {
        try {
            StartProcess(line, work);
        } catch (const EProcessError &e) {
            return e.message();
        }
        return S("started");
    };
    EXPECT_EQ(messageOf(QuoteIfBlank(program), dir.filePath(S("gone"))),
              S("No such file or directory"));
    EXPECT_EQ(messageOf(QuoteIfBlank(program) + S(" -noconsole"), dir.filePath(S("gone"))),
              S("No such file or directory"));
    EXPECT_EQ(messageOf(QuoteIfBlank(program), program), S("Not a directory"));
    EXPECT_EQ(messageOf(dir.filePath(S("nodosbox")), dir.path()), S("No such file or directory"));
    WriteTestFile(dir.filePath(S("plain")));
    QFile::setPermissions(dir.filePath(S("plain")), QFile::ReadOwner | QFile::WriteOwner);
    // root may execute files without execute permission bits only when some
    // bit is set, so a plain file is refused for every user.
    EXPECT_EQ(messageOf(dir.filePath(S("plain")), dir.path()), S("Permission denied"));
    EXPECT_EQ(messageOf(S("  "), dir.path()), S("No such file or directory"));
}

TEST(WinExecute, TheProgramHasASessionOfItsOwnAndIsReapedWhenItEnds)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(S("session.sh"));
    // The fields after the command name in /proc/PID/stat: state, parent,
    // group, session.
    WriteTestProgram(program, "#!/bin/sh\nread -r stat < /proc/$$/stat\n"
                              "echo \"$$ ${stat##*) }\" | cut -d' ' -f1,5 > session.txt\n");
    const qint64 pid = StartProcess(program, dir.path());
    const QByteArray pidText = QByteArray::number(pid);
    EXPECT_EQ(WaitForTestFile(dir.filePath(S("session.txt")), "\n"),
              pidText + ' ' + pidText + '\n');
    // Ended and reaped: not even a zombie is left.
    const QString entry = S("/proc/") + QString::number(pid);
    QDeadlineTimer deadline(20000);
    while (QFile::exists(entry) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(QFile::exists(entry));
}
