#include "support/SystemVersion.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// A small program that answers "--version" like the given shell body.
QString WriteProgram(const QTemporaryDir &dir, const char *name, const char *body,
                     bool executable = true)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    WriteTestFile(path, QByteArray("#!/bin/sh\n") + body + "\n");
    QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        p |= QFileDevice::ExeOwner;
    QFile::setPermissions(path, p);
    return path;
}

} // namespace

TEST(ParseVersionNumbers, TakesUpToFourIntegers)
{
    EXPECT_EQ(ParseVersionNumbers(S("0.74.3.0")), (TVersionNumbers{0, 74, 3, 0}));
    EXPECT_EQ(ParseVersionNumbers(S("0,82,0,1")), (TVersionNumbers{0, 82, 0, 1}));
    EXPECT_EQ(ParseVersionNumbers(S("0.81.0-beta")), (TVersionNumbers{0, 81, 0, 0}));
    EXPECT_EQ(ParseVersionNumbers(QString()), (TVersionNumbers{}));
    EXPECT_EQ(ParseVersionNumbers(S("0.74-3.1")), (TVersionNumbers{0, 0, 0, 0}));
    EXPECT_EQ(ParseVersionNumbers(S(" 1. 2.3 .4")), (TVersionNumbers{1, 2, 0, 0}));
    EXPECT_EQ(ParseVersionNumbers(S("1.2.3.4.5")), (TVersionNumbers{1, 2, 3, 4}));
    EXPECT_EQ(ParseVersionNumbers(S("1..3")), (TVersionNumbers{1, 0, 0, 0}));
    EXPECT_EQ(ParseVersionNumbers(S("1.99999999999.3")), (TVersionNumbers{1, 0, 0, 0}));
}

TEST(ParseVersionAnswer, ReadsTheEmulatorsAnswers)
{
    TFileVersionInfo info;
    ASSERT_TRUE(ParseVersionAnswer(S("\nDOSBox version 0.74-3, copyright 2002-2019 DOSBox Team.\n\n"
                                     "DOSBox is written by the DOSBox Team (See AUTHORS file))\n"),
                                   S("dosbox"), info));
    EXPECT_EQ(info.Description, S("DOSBox"));
    EXPECT_EQ(info.Version, S("0.74.3"));
    EXPECT_EQ(info.Copyright, S("copyright 2002-2019 DOSBox Team."));

    ASSERT_TRUE(ParseVersionAnswer(S("dosbox-staging, version 0.81.1\n"), S("x"), info));
    EXPECT_EQ(info.Description, S("DOSBox Staging"));
    EXPECT_EQ(info.Version, S("0.81.1"));

    ASSERT_TRUE(ParseVersionAnswer(
        S("\x1b[1mDOSBox Staging version 0.82.0\x1b[0m\r\nCopyright (C) 2020-2024 The "
          "DOSBox Staging Team.\r\n"),
        S("x"), info));
    EXPECT_EQ(info.Description, S("DOSBox Staging"));
    EXPECT_EQ(info.ProductName, S("DOSBox Staging"));
    EXPECT_EQ(info.Version, S("0.82.0"));
    EXPECT_EQ(info.Copyright, S("Copyright (C) 2020-2024 The DOSBox Staging Team."));

    ASSERT_TRUE(ParseVersionAnswer(S("v2.3.1"), S("tool"), info));
    EXPECT_EQ(info.Description, S("tool"));
    EXPECT_EQ(info.Version, S("2.3.1"));
    ASSERT_TRUE(ParseVersionAnswer(S("DOSBox-X 2024.03.01 (SDL2)"), S("x"), info));
    EXPECT_EQ(info.Description, S("DOSBox-X"));
    EXPECT_EQ(info.Version, S("2024.03.01"));

    EXPECT_FALSE(ParseVersionAnswer(S("usage: prog [options]\nversion 7\n"), S("x"), info));
    EXPECT_TRUE(info.Version.isEmpty());
    EXPECT_TRUE(info.Description.isEmpty());
}

TEST(ReadVersionInfo, AsksTheProgram)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFileVersionInfo info;
    const QString classic = WriteProgram(
        dir, "dosbox",
        "[ \"$1\" = --version ] || exit 1\necho\necho 'DOSBox version 0.74-3, copyright "
        "2002-2019 DOSBox Team.'");
    ASSERT_TRUE(ReadVersionInfo(classic, info));
    EXPECT_EQ(info.Description, S("DOSBox"));
    EXPECT_EQ(info.Version, S("0.74.3"));
    EXPECT_EQ(FileVersionText(classic, S("def")), S("0.74"));

    // Output goes to standard error for some builds.
    const QString staging =
        WriteProgram(dir, "staging", "echo 'dosbox-staging, version 0.81.1' >&2");
    ASSERT_TRUE(ReadVersionInfo(staging, info));
    EXPECT_EQ(info.Version, S("0.81.1"));

    // A flood of output is capped and the first line still read.
    const QString chatty =
        WriteProgram(dir, "chatty", "echo 'Chatty 1.2.3'\nwhile :; do echo xxxxxxxxxxxxxxxx; done");
    ASSERT_TRUE(ReadVersionInfo(chatty, info));
    EXPECT_EQ(info.Version, S("1.2.3"));
}

TEST(ReadVersionInfo, FailsForFilesThatDoNotAnswer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFileVersionInfo info;
    info.Description = S("stale");
    EXPECT_FALSE(ReadVersionInfo(dir.filePath(S("missing")), info));
    EXPECT_TRUE(info.Description.isEmpty());
    EXPECT_FALSE(ReadVersionInfo(dir.path(), info));
    EXPECT_FALSE(ReadVersionInfo(WriteProgram(dir, "plain", "echo 'Tool 1.2.3'", false), info));
    EXPECT_FALSE(ReadVersionInfo(WriteProgram(dir, "silent", "exit 0"), info));
    EXPECT_FALSE(ReadVersionInfo(WriteProgram(dir, "nonumber", "echo 'version unknown'"), info));
    EXPECT_EQ(FileVersionText(dir.filePath(S("missing")), S("def")), S("def"));

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ReadVersionInfo(WriteProgram(dir, "hangs", "exec sleep 30"), info, 300));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(ReadVersionInfo, RealEmulatorWhenInstalled)
{
    if (!QFile::exists(S("/usr/bin/dosbox")))
        GTEST_SKIP() << "dosbox is not installed";
    TFileVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo(S("/usr/bin/dosbox"), info));
    EXPECT_TRUE(info.Description.startsWith(S("DOSBox"))) << info.Description.toStdString();
    EXPECT_GE(ParseVersionNumbers(info.Version).Minor, 74);
}
