#include "appsettings/AppSettingsRules.h"

#include "common/TestUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppSettingsRulesTest, CyclesSnapUpToTheNextOfferedStep)
{
    // Classic: default, auto, 5 000, 10 000, 25 000, 50 000, max.
    const std::pair<int, int> classic[] = {{-5, 0},    {-1, 0},    {0, 1},     {1, 2},
                                           {5000, 2},  {5001, 3},  {7000, 3},  {10000, 3},
                                           {25000, 4}, {50000, 5}, {50001, 6}, {1000000, 6}};
    for (const auto &[stored, index] : classic)
        EXPECT_EQ(CyclesIndex(stored), index) << stored;
    EXPECT_EQ(CyclesValue(CyclesIndex(7000)), 10000);
    EXPECT_EQ(CyclesValue(0), -1);
    EXPECT_EQ(CyclesValue(1), 0);
    EXPECT_EQ(CyclesValue(6), 1000000);

    // Staging real mode has no "auto": 0 is shown and stored as 3 000.
    EXPECT_EQ(RealSpeedIndex(-1), 0);
    EXPECT_EQ(RealSpeedIndex(0), 1);
    EXPECT_EQ(RealSpeedValue(RealSpeedIndex(0)), 3000);
    EXPECT_EQ(RealSpeedIndex(3000), 1);
    EXPECT_EQ(RealSpeedIndex(3001), 2);
    EXPECT_EQ(RealSpeedValue(RealSpeedIndex(60000)), 1000000);

    const std::pair<int, int> prot[] = {{-1, 0},     {0, 1},      {1, 2},      {10000, 2},
                                        {20000, 3},  {20001, 4},  {60000, 4},  {100000, 5},
                                        {200000, 6}, {200001, 7}, {1000000, 7}};
    for (const auto &[stored, index] : prot)
        EXPECT_EQ(ProtSpeedIndex(stored), index) << stored;
    EXPECT_EQ(ProtSpeedValue(1), 0);
    EXPECT_EQ(ProtSpeedValue(4), 60000);
    EXPECT_EQ(ProtSpeedValue(99), -1);
}

TEST(AppSettingsRulesTest, MemoryAndOnOffTables)
{
    EXPECT_EQ(MemSizeIndex(0), 0);
    EXPECT_EQ(MemSizeIndex(1), 1);
    EXPECT_EQ(MemSizeIndex(17), 3);
    EXPECT_EQ(MemSizeIndex(64), 6);
    EXPECT_EQ(MemSizeIndex(100), 0);
    EXPECT_EQ(MemSizeValue(MemSizeIndex(100)), 0);
    EXPECT_EQ(MemSizeValue(5), 48);

    for (int value : {-1, 0, 1})
        EXPECT_EQ(OnOffValue(OnOffIndex(value)), value);
    // Numbers no dialog writes count as the emulator reads them.
    EXPECT_EQ(OnOffIndex(-7), 0);
    EXPECT_EQ(OnOffIndex(5), 2);
    EXPECT_EQ(OnOffValue(-1), -1);
}

TEST(AppSettingsRulesTest, MixerEntriesAndChannels)
{
    EXPECT_EQ(RoundToFive(52), 50);
    EXPECT_EQ(RoundToFive(53), 55);
    EXPECT_EQ(RoundToFive(73), 75);
    EXPECT_EQ(RoundToFive(100), 100);

    EXPECT_EQ(MixerChannelOfCode(QStringLiteral("spkr")), 2);
    EXPECT_EQ(MixerChannelOfCode(QStringLiteral("XYZ")), CdAudioChannel);
    EXPECT_EQ(MixerChannelCode(CdAudioChannel), QStringLiteral("CDAUDIO"));

    TMixerEntry e = ParseMixerEntry(QStringLiteral("sb 80:60"));
    EXPECT_EQ(e.Code, QStringLiteral("sb"));
    EXPECT_EQ(e.Left, 80);
    EXPECT_EQ(e.Right, 60);
    e = ParseMixerEntry(QStringLiteral("GUS loud:40"));
    EXPECT_EQ(e.Left, 100);
    EXPECT_EQ(e.Right, 40);
    e = ParseMixerEntry(QStringLiteral("FM"));
    EXPECT_EQ(e.Left, 100);
    EXPECT_EQ(e.Right, 100);
    EXPECT_EQ(MixerEntryText(QStringLiteral("MASTER"), 75, 75), QStringLiteral("MASTER 75:75"));
}

TEST(AppSettingsRulesTest, MixerChannelsQuotedBothWays)
{
    const QStringList items{QStringLiteral("MASTER 50:50"), QStringLiteral("SB 80:60")};
    const QString text = MixerChannelsText(items);
    EXPECT_EQ(text, QStringLiteral("\"MASTER 50:50\";\"SB 80:60\""));
    EXPECT_EQ(MixerChannelsList(text), items);

    EXPECT_EQ(MixerChannelsText({}), QString());
    EXPECT_TRUE(MixerChannelsList(QString()).isEmpty());
    const QStringList odd{QStringLiteral("A\"B"), QStringLiteral("x;y"), QStringLiteral("plain")};
    EXPECT_EQ(MixerChannelsText(odd), QStringLiteral("\"A\"\"B\";\"x;y\";plain"));
    EXPECT_EQ(MixerChannelsList(MixerChannelsText(odd)), odd);

    // Unquoted blanks separate too; a ";" at the very end adds an empty item.
    EXPECT_EQ(MixerChannelsList(QStringLiteral("SB 80:60; \"FM 10:10\";")),
              (QStringList{QStringLiteral("SB"), QStringLiteral("80:60"),
                           QStringLiteral("FM 10:10"), QString()}));
}

TEST(AppSettingsRulesTest, ProgramPathBelowTheMountedFolder)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("games/doom"));
    QDir().mkpath(root + QStringLiteral("/GAME"));
    QString program;
    ASSERT_TRUE(ProgramPathBelow(root, root + QStringLiteral("/GAME/START.EXE"), program));
    EXPECT_EQ(program, QStringLiteral("GAME\\START.EXE"));
    ASSERT_TRUE(ProgramPathBelow(root + u'/', root + QStringLiteral("/DOOM.EXE"), program));
    EXPECT_EQ(program, QStringLiteral("DOOM.EXE"));

    program = QStringLiteral("unchanged");
    EXPECT_FALSE(ProgramPathBelow(root, dir.filePath(QStringLiteral("games/other.exe")), program));
    EXPECT_FALSE(ProgramPathBelow(root, root + QStringLiteral("x/A.EXE"), program));
    EXPECT_FALSE(ProgramPathBelow(QString(), root + QStringLiteral("/A.EXE"), program));
    EXPECT_EQ(program, QStringLiteral("unchanged"));

    // A folder reached through a symbolic link still counts as the same.
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(root, link));
    QFile(root + QStringLiteral("/GAME/RUN.BAT")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(ProgramPathBelow(link, root + QStringLiteral("/GAME/RUN.BAT"), program));
    EXPECT_EQ(program, QStringLiteral("GAME\\RUN.BAT"));
}
