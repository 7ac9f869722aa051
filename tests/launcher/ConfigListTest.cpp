#include "launcher/ConfigList.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ConfigList, WritesLinesWithCrLfAndNoBom)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("ravelin.conf"));
    TConfigList list(name);
    list.AddSection(QStringLiteral("sdl"));
    list.AddValue(QStringLiteral("mapperfile"), QStringLiteral("C:\\a=b;c.map"));
    list.AddSection(QStringLiteral("cpu"));
    list.AddValue(QStringLiteral("cpu_cycles protected"), -5);
    list.AddSection(QStringLiteral("autoexec"));
    list.append(QString());
    list.append(QStringLiteral("MOUNT C \"/home/ann/Spiele mit Ü\""));
    list.Save();

    EXPECT_EQ(ReadTestFile(name), QByteArray("[sdl]\r\nmapperfile=C:\\a=b;c.map\r\n[cpu]\r\n"
                                             "cpu_cycles protected=-5\r\n[autoexec]\r\n\r\n"
                                             "MOUNT C \"/home/ann/Spiele mit \xc3\x9c\"\r\n"));
}

TEST(ConfigList, ReplacesAnEarlierFileWhole)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("ravelin.conf"));
    TConfigList first(name);
    for (int i = 0; i < 50; ++i)
        first.AddValue(QStringLiteral("key"), i);
    first.Save();
    TConfigList second(name);
    second.AddSection(QStringLiteral("cpu"));
    second.Save();
    EXPECT_EQ(ReadTestFile(name), QByteArray("[cpu]\r\n"));

    TConfigList empty(name);
    empty.Save();
    EXPECT_EQ(ReadTestFile(name), QByteArray());
}

TEST(ConfigList, CreationErrorNamesFileAndReason)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("missing/ravelin.conf"));
    TConfigList list(name);
    list.AddSection(QStringLiteral("sdl"));
    try {
        list.Save();
        FAIL() << "no error";
    } catch (const EWriteError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Error writing to \"") + name +
                                           QStringLiteral("\"\r\n")))
            << e.what();
        EXPECT_GT(e.message().size(), name.size() + 23) << "system text missing: " << e.what();
    }
    EXPECT_FALSE(QFile::exists(name));
}
