// The DOSBox Staging variant through a stand-in emulator: a script that
// answers --version like DOSBox Staging and records how it was started.
#include "E2eSupport.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// The stand-in "dosbox" in folder/staging bin; it records its working
// directory and arguments, one per line, in folder/record.txt.
QString MakeStandIn(const TE2eFolder &folder)
{
    const QString record = folder.path(S("record.txt"));
    WriteTestProgram(
        folder.path(S("staging bin/dosbox")),
        "#!/bin/sh\n"
        "if [ \"$1\" = --version ]; then echo 'dosbox-staging, version 0.82.2 (f8c24)'; exit 0; fi\n"
        "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; echo end; } > \"" +
            record.toUtf8() + "\"\n");
    return folder.path(S("staging bin"));
}

} // namespace

TEST(StagingE2e, RunNamesOnlyTheLaunchFileAndUsesStagingKeys)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString bin = MakeStandIn(folder);
    const QString app = folder.makeDir(S("app dir"));
    folder.writeFile(S("app dir/dosbox.conf"), "[cpu]\n");
    const QString primary = folder.writeFile(S("conf/dosbox-staging.conf"), "[sdl]\n");
    folder.writeCatalogue(
        {{S("DosBoxPath"), bin}, {S("ConfFile"), primary}, {S("KeyboardLayout"), S("gr")}},
        {{{S("AppName"), S("Stage")},
          {S("RootPath"), app},
          {S("ConsoleMode"), S("0")},
          {S("MountCD"), S("0")},
          {S("Executable"), S("GAME.EXE")},
          {S("Parameters"), S("-fast")},
          {S("AppConfig"), S("1")},
          {S("MemManage"), S("0,1,-1")},
          {S("Cycles"), S("0,1000000,1")}}});

    const auto run = folder.runRavelin({S("--run"), S("Stage")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray record = WaitForTestFile(folder.path(S("record.txt")), "end\n");
    EXPECT_EQ(QString::fromUtf8(record), app + S("\n-conf\n") + app + S("/ravelin.conf\nend\n"));
    EXPECT_EQ(QString::fromUtf8(ReadTestFile(app + S("/ravelin.conf"))),
              S("[sdl]\r\nfullscreen=false\r\n[dosbox]\r\n[cpu]\r\ncpu_cycles=3000\r\n"
                "cpu_cycles_protected=max\r\ncpu_throttle=off\r\n[dos]\r\nxms=on\r\n"
                "ems=off\r\nkeyboardlayout=gr\r\n[autoexec]\r\nMOUNT C \"") +
                  app + S("\"\r\nC:\r\nCD \\\r\nGAME.EXE -fast\r\nEXIT\r\n"));
}

TEST(StagingE2e, PlainRunStartsInRootFolderWithKeyboard)
{
    TE2eFolder folder;
    ASSERT_TRUE(folder.isValid());
    const QString bin = MakeStandIn(folder);
    const QString root = folder.makeDir(S("dos root"));
    const QString lang = folder.writeFile(S("conf/de.lng"), ":MSG\nx\n.\n");
    folder.writeCatalogue({{S("DosBoxPath"), bin},
                           {S("RootPath"), root},
                           {S("LangFile"), lang},
                           {S("KeyboardLayout"), S("GR")},
                           {S("Codepage"), S("850")}},
                          {});

    const auto run = folder.runRavelin({S("--dosbox")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(WaitForTestFile(folder.path(S("record.txt")), "end\n")),
              root + S("\n-nolocalconf\n-lang\nde\n-c\nKEYB gr 850\n-c\nMOUNT C \"") + root +
                  S("\"\n-c\nC:\nend\n"));
}
