#include "import/DosBoxConfImport.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

class ConfImport : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        WriteTestFile(path("game dir/KEEN4E.EXE"));
        WriteTestFile(path("game dir/SUB/Start.Bat"));
        WriteTestFile(path("cd/disc 1.cue"));
    }
    QString path(const char *name) const { return m_dir.filePath(S(name)); }
    TConfImport parse(const char *text) const
    {
        return ParseDosBoxConf(S(text), path("conf/game.conf"));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ConfImport, MountsProgramAndCommandsAroundIt)
{
    QDir().mkpath(path("conf"));
    const TConfImport conf = parse("[sdl]\nfullscreen = TRUE\n"
                                   "[autoexec]\n"
                                   "# a comment\n"
                                   "@echo off\n"
                                   "REM mount the game\n"
                                   "mount E \"..\\game dir\"\n"
                                   "  imgmount F \"../cd/disc 1.cue\" -t iso\n"
                                   "e:\n"
                                   "cd sub\n"
                                   "cd ..\\SUB\n"
                                   "call start /fast\n"
                                   "echo bye\n"
                                   "exit\n"
                                   "echo never\n");
    EXPECT_TRUE(conf.Overflow.isEmpty()) << conf.Overflow.join(u'|').toStdString();
    EXPECT_EQ(conf.HardDrv, QChar(u'E'));
    EXPECT_EQ(conf.AppPath, QDir::cleanPath(path("game dir")));
    EXPECT_EQ(conf.CdDrv, QChar(u'F'));
    EXPECT_EQ(conf.CdImages, QStringList{QDir::cleanPath(path("cd/disc 1.cue"))});
    EXPECT_EQ(conf.AppFile, S("Start.Bat"));
    EXPECT_EQ(conf.Parameters, S("/fast"));
    EXPECT_EQ(conf.Commands, (QStringList{S("@echo off"), S("e:"), S("cd sub"), S("cd ..\\SUB")}));
    EXPECT_EQ(conf.ExitCommands, QStringList{S("echo bye")});
    EXPECT_TRUE(conf.AutoEnd);
    EXPECT_EQ(conf.FullScreen, 1);
}

TEST_F(ConfImport, ProgramNamedWithFolderAndDriveOrLyingOnTheCd)
{
    const TConfImport direct = parse("[autoexec]\nmount c \"../game dir\"\nc:\nSUB\\START\n");
    EXPECT_EQ(direct.AppFile, S("SUB\\Start.Bat"));
    EXPECT_FALSE(direct.AutoEnd);
    EXPECT_EQ(direct.Commands, QStringList{S("c:")});
    const TConfImport drive = parse("[autoexec]\nmount c \"../game dir\"\nC:\\KEEN4E x\n");
    EXPECT_EQ(drive.AppFile, S("C:\\KEEN4E.EXE"));
    EXPECT_EQ(drive.Parameters, S("x"));
    // The program is not in the mounted folder: the first line that is no
    // command of DOS's own starts it.
    const TConfImport onCd = parse("[autoexec]\nmount c \"../game dir\"\nimgmount d "
                                   "\"../cd/disc 1.cue\" -t cdrom\nd:\nkeyb gr\nsetup.exe -q\n"
                                   "echo done\n");
    EXPECT_EQ(onCd.AppFile, S("setup.exe"));
    EXPECT_EQ(onCd.Parameters, S("-q"));
    EXPECT_EQ(onCd.Commands, (QStringList{S("d:"), S("keyb gr")}));
    EXPECT_EQ(onCd.ExitCommands, QStringList{S("echo done")});
}

TEST_F(ConfImport, ReadsSettingsInBothSpellings)
{
    const TConfImport classic =
        parse("[dosbox]\nmemsize=16\n[cpu]\ncycles=fixed 20000\n[dos]\nxms=false\nems=true\n");
    EXPECT_EQ(classic.Speed.RealSpeed, 20000);
    EXPECT_EQ(classic.MemSize, 16);
    EXPECT_EQ(classic.MemManage, (TMemManage{1, 0, -1}));
    EXPECT_EQ(classic.FullScreen, -1);
    EXPECT_FALSE(classic.HasAutoexec);
    const TConfImport staging = parse("[cpu]\ncpu_cycles = max\ncpu_cycles_protected=auto\n"
                                      "cpu_throttle=off\n[dosbox]\nmemsize=lots\n");
    EXPECT_EQ(staging.Speed, (TCpuSpeed{MaxSpeed, 0, 1}));
    EXPECT_EQ(staging.MemSize, 0);
    EXPECT_EQ(parse("[cpu]\ncycles=auto 3000 limit 50000\n").Speed.RealSpeed, 0);
    EXPECT_EQ(parse("[cpu]\ncycles=7000\n").Speed.RealSpeed, 7000);
    EXPECT_EQ(parse("[cpu]\ncpu_cycles protected=9000\n").Speed.ProtSpeed, 9000);
}

TEST_F(ConfImport, WhatAnEntryCannotHoldIsNoted)
{
    EXPECT_FALSE(parse("[autoexec]\nmount c a\nmount d b\n").Overflow.isEmpty());
    EXPECT_FALSE(
        parse("[autoexec]\nimgmount a floppy.img -t floppy\nboot -l a\n").Overflow.isEmpty());
    EXPECT_FALSE(parse("[autoexec]\nmount d cdfolder -t cdrom\n").Overflow.isEmpty());
    EXPECT_FALSE(parse("[autoexec]\nmount c .\nc:\necho a;b\n").Overflow.isEmpty());
    const TConfImport later = parse("[autoexec]\nmount c \"../game dir\"\nc:\nkeen4e\n"
                                    "mount d x\n");
    EXPECT_FALSE(later.Overflow.isEmpty());
    EXPECT_EQ(later.AppFile, S("KEEN4E.EXE"));
}

TEST_F(ConfImport, UnreadableAndOddFiles)
{
    EXPECT_FALSE(ReadDosBoxConf(path("missing.conf")).Error.isEmpty());
    WriteTestFile(path("big.conf"), QByteArray(MaxConfSize + 1, 'x'));
    EXPECT_FALSE(ReadDosBoxConf(path("big.conf")).Error.isEmpty());
    // Lines before any section, broken quotes and bare words change nothing.
    const TConfImport odd = parse("cycles=max\n[autoexec\n[autoexec]\nmount\nmount c\n"
                                  "imgmount\nmount \"c\n\"\n::\n");
    EXPECT_EQ(odd.Speed.RealSpeed, -1);
    EXPECT_TRUE(odd.AppPath.isEmpty());
    EXPECT_TRUE(odd.AppFile.isEmpty());
}
