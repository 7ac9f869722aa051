#include "support/DirectoryTree.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// base/a/b/deep.txt, base/a/one.txt, base/.hidden, base/readonly.txt (read-only)
QString MakeTree(const QTemporaryDir &tmp)
{
    const QString base = tmp.filePath(S("base"));
    QDir().mkpath(base + S("/a/b"));
    WriteTestFile(base + S("/a/b/deep.txt"), "x");
    WriteTestFile(base + S("/a/one.txt"), "x");
    WriteTestFile(base + S("/.hidden"), "x");
    WriteTestFile(base + S("/readonly.txt"), "x");
    QFile::setPermissions(base + S("/readonly.txt"), QFile::ReadOwner);
    return base;
}

} // namespace

TEST(DeleteDirectoryTree, DeletesEverythingAndCounts)
{
    QTemporaryDir tmp;
    const QString base = MakeTree(tmp);
    TDeleteCounts counts;
    EXPECT_TRUE(DeleteDirectoryTree(base + S("/"), QString(), true, counts));
    EXPECT_FALSE(QFileInfo::exists(base));
    EXPECT_EQ(counts.Dirs, 3);
    EXPECT_EQ(counts.Files, 4);
    EXPECT_FALSE(counts.Failed());
}

TEST(DeleteDirectoryTree, KeepsBaseOnRequestAndJoinsSub)
{
    QTemporaryDir tmp;
    const QString base = MakeTree(tmp);
    TDeleteCounts counts;
    EXPECT_TRUE(DeleteDirectoryTree(base, S("a"), false, counts));
    EXPECT_TRUE(QFileInfo(base + S("/a")).isDir());
    EXPECT_TRUE(QDir(base + S("/a")).isEmpty());
    EXPECT_EQ(counts.Dirs, 1);
    EXPECT_EQ(counts.Files, 2);
}

TEST(DeleteDirectoryTree, MissingDirectoryIsNoFailure)
{
    QTemporaryDir tmp;
    TDeleteCounts counts;
    EXPECT_TRUE(DeleteDirectoryTree(tmp.filePath(S("none")), QString(), true, counts));
    EXPECT_EQ(counts.Dirs + counts.Files, 0);
}

TEST(DeleteDirectoryTree, NeverFollowsLinks)
{
    QTemporaryDir tmp;
    const QString keep = tmp.filePath(S("keep"));
    QDir().mkpath(keep);
    WriteTestFile(keep + S("/precious.txt"), "x");
    const QString base = tmp.filePath(S("base"));
    QDir().mkpath(base);
    ASSERT_TRUE(QFile::link(keep, base + S("/linked")));
    ASSERT_TRUE(QFile::link(keep + S("/precious.txt"), base + S("/file-link")));

    TDeleteCounts counts;
    EXPECT_TRUE(DeleteDirectoryTree(base, QString(), true, counts));
    EXPECT_FALSE(QFileInfo::exists(base));
    EXPECT_EQ(counts.Files, 2);
    EXPECT_TRUE(QFileInfo::exists(keep + S("/precious.txt")));

    // A linked folder chosen itself: the link goes, its target stays.
    const QString link = tmp.filePath(S("link"));
    ASSERT_TRUE(QFile::link(keep, link));
    TDeleteCounts linkCounts;
    EXPECT_TRUE(DeleteDirectoryTree(link, QString(), true, linkCounts));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(keep + S("/precious.txt")));
    EXPECT_EQ(linkCounts.Dirs, 1);
}
