#include "support/PathUtils.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
constexpr PathStyle W = PathStyle::Windows;
constexpr PathStyle P = PathStyle::Posix;
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(PathUtilsWindows, JoinAndDelimiter)
{
    EXPECT_EQ(DirWithDelimiter(QString(), W), QString());
    EXPECT_EQ(DirWithDelimiter(S("C:\\x"), W), S("C:\\x\\"));
    EXPECT_EQ(DirWithDelimiter(S("C:\\x\\"), W), S("C:\\x\\"));
    EXPECT_EQ(JoinPath(S("C:\\x"), QString(), W), S("C:\\x"));
    EXPECT_EQ(JoinPath(QString(), S("a.txt"), W), S("a.txt"));
    EXPECT_EQ(JoinPath(S("C:\\"), S("a.txt"), W), S("C:\\a.txt"));
    EXPECT_EQ(JoinPath(S("C:\\x"), S("\\a.txt"), W), S("C:\\x\\\\a.txt"));
}

TEST(PathUtilsWindows, Extensions)
{
    EXPECT_EQ(ExtensionOf(S("readme.txt"), W), S("txt"));
    EXPECT_EQ(ExtensionOf(S("a.b\\readme"), W), QString());
    EXPECT_EQ(ExtensionOf(S("archive.tar.gz"), W), S("gz"));
    EXPECT_EQ(ExtensionOf(S("name."), W), QString());
    EXPECT_EQ(ExtensionOf(S(".profile"), W), S("profile"));
    EXPECT_EQ(RemoveExtension(S("a.b\\readme"), W), S("a.b\\readme"));
    EXPECT_EQ(RemoveExtension(S("archive.tar.gz"), W), S("archive.tar"));
    EXPECT_EQ(AddNameSuffix(S("C:\\t\\doc.txt"), S("-850"), W), S("C:\\t\\doc-850.txt"));
    EXPECT_EQ(AddNameSuffix(S("C:\\t\\readme"), S("-850"), W), S("C:\\t\\readme-850"));
    EXPECT_EQ(MakeFileName(S("C:\\data"), S("my.cfg"), S("ini"), W), S("C:\\data\\my.cfg"));
    EXPECT_EQ(MakeFileName(S("C:\\data"), S("D:\\x\\my"), S("ini"), W), S("D:\\x\\my.ini"));
    EXPECT_EQ(MakeFileName(S("C:\\data\\"), S("sub\\games"), S(".ini"), W),
              S("C:\\data\\sub\\games.ini"));
    EXPECT_EQ(MakeFileName(QString(), S("games"), S("ini"), W), S("games.ini"));
    EXPECT_EQ(MakeFileName(S("C:\\data"), S("\\x\\g"), QString(), W), S("\\x\\g"));
}

TEST(PathUtilsWindows, ShortenPath)
{
    const QString p = S("C:\\Games\\Tools\\Manuals\\readme.txt");
    EXPECT_EQ(ShortenPath(p, 25, W), S("C:\\Games\\...\\readme.txt"));
    EXPECT_EQ(ShortenPath(p, 3, W), p);
    EXPECT_EQ(ShortenPath(p, 34, W), p);
    EXPECT_EQ(ShortenPath(S("abcdefghij"), 10, W), S("...defghij"));
    EXPECT_EQ(ShortenPath(S("C:\\averyveryverylongname.txt"), 12, W), S("...gname.txt"));
    for (int max = 4; max <= 40; ++max) {
        const QString s = ShortenPath(p, max, W);
        EXPECT_LE(s.size(), max);
        if (s != p) {
            EXPECT_TRUE(s.contains(S("..."))) << max;
        }
    }
}

TEST(PathUtilsWindows, ParentsAndAbsoluteness)
{
    EXPECT_EQ(ParentDir(S("C:\\a\\b"), W), S("C:\\a"));
    EXPECT_EQ(ParentDir(S("C:\\a"), W), S("C:"));
    EXPECT_EQ(ParentDir(S("C:\\"), W), S("C:"));
    EXPECT_EQ(ParentDir(S("\\a"), W), S("\\a"));
    EXPECT_TRUE(IsAbsolutePath(S("\\x"), W));
    EXPECT_TRUE(IsAbsolutePath(S("d:x"), W));
    EXPECT_FALSE(IsAbsolutePath(S("x\\y"), W));
    EXPECT_FALSE(IsAbsolutePath(QString(), W));
    EXPECT_EQ(ExtractFilePath(S("C:\\a\\b.txt"), W), S("C:\\a\\"));
    EXPECT_EQ(ExtractFileName(S("C:b.txt"), W), S("b.txt"));
}

TEST(PathUtilsWindows, SubAndRelativePaths)
{
    EXPECT_TRUE(IsSubPath(S("C:\\Games"), S("C:\\Games\\Doom"), W));
    EXPECT_TRUE(IsSubPath(S("C:\\Games"), S("c:\\games"), W));
    EXPECT_FALSE(IsSubPath(S("C:\\Games"), S("C:\\GamesX"), W));
    EXPECT_FALSE(IsSubPath(QString(), S("C:\\Games"), W));
    EXPECT_EQ(MakeRelativePath(S("C:\\Games"), S("C:\\Games\\Doom\\doom.exe"), W),
              S("Doom\\doom.exe"));
    EXPECT_EQ(MakeRelativePath(S("C:\\Games\\"), S("c:\\games"), W), QString());
    EXPECT_EQ(MakeRelativePath(S("C:\\Games"), S("D:\\x.exe"), W), S("D:\\x.exe"));
    EXPECT_EQ(MakeAbsolutePath(S("C:\\conf"), S("mapper.map"), W), S("C:\\conf\\mapper.map"));
    EXPECT_EQ(MakeAbsolutePath(S("C:\\conf"), S("D:\\m.map"), W), S("D:\\m.map"));
    EXPECT_EQ(MakeAbsolutePath(QString(), S("m.map"), W), S("m.map"));
    EXPECT_EQ(MakeAbsolutePath(S("C:\\conf"), QString(), W), S("C:\\conf\\"));
}

TEST(PathUtilsPosix, TheSameRulesWithSlashes)
{
    EXPECT_EQ(JoinPath(S("/"), S("a.txt"), P), S("/a.txt"));
    EXPECT_EQ(JoinPath(S("/x"), S("a.txt"), P), S("/x/a.txt"));
    EXPECT_EQ(ExtensionOf(S("/a.b/readme"), P), QString());
    EXPECT_EQ(ExtensionOf(S("C:\\x.txt"), P), S("txt"));
    EXPECT_EQ(MakeFileName(S("/data"), S("games"), S("ini"), P), S("/data/games.ini"));
    EXPECT_EQ(MakeFileName(S("/data/"), S("/x/games"), S("ini"), P), S("/x/games.ini"));
    EXPECT_EQ(MakeFileName(S("/data"), S("d:x"), S("ini"), P), S("/data/d:x.ini"));
    EXPECT_EQ(ParentDir(S("/a/b/"), P), S("/a"));
    EXPECT_EQ(ParentDir(S("/a"), P), S("/"));
    EXPECT_EQ(ParentDir(S("/"), P), S("/"));
    EXPECT_EQ(ParentDir(S("a"), P), S("a"));
    EXPECT_TRUE(IsAbsolutePath(S("/x"), P));
    EXPECT_FALSE(IsAbsolutePath(S("C:\\x"), P));
    EXPECT_TRUE(IsSubPath(S("/games"), S("/games/doom"), P));
    EXPECT_FALSE(IsSubPath(S("/games"), S("/Games/doom"), P));
    EXPECT_EQ(MakeRelativePath(S("/g"), S("/g/GAME/START.EXE"), P), S("GAME/START.EXE"));
    EXPECT_EQ(MakeAbsolutePath(S("/conf"), S("m.map"), P), S("/conf/m.map"));
    EXPECT_EQ(ShortenPath(S("/home/user/Games/Manuals/readme.txt"), 25, P),
              S("/home/user/.../readme.txt"));
    EXPECT_TRUE(SameFileName(S("A.map"), S("a.MAP"), W));
    EXPECT_FALSE(SameFileName(S("A.map"), S("a.MAP"), P));
}

TEST(PathUtilsPosix, ExistingDirOrDefaultClimbs)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString games = tmp.path() + S("/Games");
    ASSERT_TRUE(QDir().mkpath(games));
    EXPECT_EQ(ExistingDirOrDefault(games + S("/Gone/Deeper"), S("def")), games);
    EXPECT_EQ(ExistingDirOrDefault(games, S("def")), games);
    EXPECT_EQ(ExistingDirOrDefault(S("relative/dir"), S("def")), S("def"));
    EXPECT_EQ(ExistingDirOrDefault(QString(), S("def")), S("def"));
    EXPECT_EQ(ExistingDirOrDefault(S("/no-such-root-dir-xyz/a"), S("def")), S("/"));
    EXPECT_TRUE(IsRealDirName(S("a")));
    EXPECT_FALSE(IsRealDirName(S("..")));
}
