#include "support/SystemShell.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/SystemFolders.h"

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

} // namespace

TEST(ShellLink, DesktopEntryRoundTrip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(S("game.desktop"));
    TShellLink link;
    link.Target = S("/opt/My Games/run $HOME.sh");
    link.Arguments = S("-c \"say \"\"hi\"\"\" 100% C:\\dos\\x.exe");
    link.WorkingDir = S("/opt/My Games");
    link.Description = S("Line one\nline two");
    link.RunAsAdmin = true;
    ASSERT_EQ(CreateShellLink(file, link), 0);

    TShellLink read;
    ASSERT_TRUE(ReadShellLink(file, read));
    EXPECT_EQ(read.Target, link.Target);
    EXPECT_EQ(read.Arguments, S("-c \"say \"\"hi\"\"\" 100% C:\\dos\\x.exe"));
    EXPECT_EQ(read.WorkingDir, link.WorkingDir);
    EXPECT_EQ(read.Description, link.Description);
    EXPECT_EQ(read.Name, S("game"));
    EXPECT_EQ(read.Icon, S("run $HOME"));
    EXPECT_TRUE(read.RunAsAdmin);

    // Replaced whole, never appended to.
    link.Arguments.clear();
    link.RunAsAdmin = false;
    ASSERT_EQ(CreateShellLink(file, link), 0);
    ASSERT_TRUE(ReadShellLink(file, read));
    EXPECT_TRUE(read.Arguments.isEmpty());
    EXPECT_FALSE(read.RunAsAdmin);

    EXPECT_LT(CreateShellLink(dir.filePath(S("no/such/dir/x.desktop")), link), 0);
    EXPECT_LT(CreateShellLink(file, TShellLink()), 0);
}

TEST(ShellLink, ReadsForeignEntriesAndLinks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(S("editor.desktop"));
    WriteTestFile(file, "# comment\n[Desktop Entry]\nName=Editor\nName[de]=Bearbeiter\n"
                        "Exec=/usr/bin/editor --new-window %F\nPath = /tmp \n"
                        "[Desktop Action new]\nExec=/usr/bin/other\n");
    TShellLink read;
    ASSERT_TRUE(ReadShellLink(file, read));
    EXPECT_EQ(read.Target, S("/usr/bin/editor"));
    EXPECT_EQ(read.Arguments, S("--new-window"));
    EXPECT_EQ(read.WorkingDir, S("/tmp"));
    EXPECT_EQ(read.Name, S("Editor"));

    const QString link = dir.filePath(S("games"));
    ASSERT_TRUE(QFile::link(S("/srv/games"), link));
    ASSERT_TRUE(ReadShellLink(link, read));
    EXPECT_EQ(read.Target, S("/srv/games"));

    read.Target = S("stale");
    EXPECT_TRUE(ReadShellLink(dir.filePath(S("missing.desktop")), read));
    EXPECT_TRUE(read.Target.isEmpty());

    WriteTestFile(file, "just text\n");
    EXPECT_FALSE(ReadShellLink(file, read));
    WriteTestFile(file, "[Desktop Entry]\nName=No program\n");
    EXPECT_FALSE(ReadShellLink(file, read));
    WriteTestFile(file, QByteArray(100000, '['));
    EXPECT_FALSE(ReadShellLink(file, read));
    EXPECT_FALSE(ReadShellLink(dir.path(), read));
}

TEST(RecycleBin, MovesADirectoryToTheTrash)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString victim = dir.filePath(S("old game"));
    ASSERT_TRUE(QDir().mkpath(victim + S("/sub")));
    WriteTestFile(victim + S("/sub/file.txt"), "x");
    EXPECT_EQ(MoveDirToRecycleBin(victim + u'/'), 0);
    EXPECT_FALSE(QFileInfo::exists(victim));
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + S("/Trash");
    EXPECT_TRUE(QFileInfo(trash + S("/files/old game/sub/file.txt")).isFile());
    EXPECT_TRUE(QFileInfo(trash + S("/info/old game.trashinfo")).isFile());
    EXPECT_NE(MoveDirToRecycleBin(victim), 0);
    EXPECT_NE(MoveDirToRecycleBin(QString()), 0);
}

TEST(SystemFolders, XdgPlaces)
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    EXPECT_EQ(AppDataDir(), config + S("/ravelin"));
    EXPECT_EQ(SpecialFolderPath(CSIDL_LOCAL_APPDATA), config);
    EXPECT_EQ(SpecialFolderPath(CSIDL_STARTUP), config + S("/autostart"));
    EXPECT_EQ(SpecialFolderPath(12345), QString());
    EXPECT_EQ(DocumentsDir(), qEnvironmentVariable("HOME") + S("/Documents"));
    EXPECT_EQ(ProgramFilesDir(TProgramFilesKind::pf64Bit), S("/usr/bin"));
    EXPECT_EQ(ProgramFilesDir(TProgramFilesKind::pf32Bit), S("/usr/bin"));
}
