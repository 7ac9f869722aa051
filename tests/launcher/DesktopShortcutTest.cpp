#include "launcher/DesktopShortcut.h"
#include "LauncherTestUtils.h"
#include "catalogue/AppIcons.h"
#include "catalogue/AppSettings.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/InitProg.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

class DesktopShortcut : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetExePaths(S("/opt/ravelin/ravelin"));
        QDir().mkpath(desktop);
        app.AppName = S("Doom");
        app.Description = S("Hell on Mars");
        catalogue = ShortcutCatalogue({S("/i:") + ini, S("-p")}, ini);
    }
    void TearDown() override { QDir(desktop).removeRecursively(); }

    bool Exists(const QString &file) const { return QFileInfo::exists(file); }

    QTemporaryDir dir;
    const QString ini = dir.filePath(S("games.ini"));
    const QString desktop = qEnvironmentVariable("HOME") + S("/Desktop");
    TDosBoxApp app{QString(), DefaultAppIcon(32), DefaultAppIcon(16), 437, false};
    TShortcutCatalogue catalogue;
    TScriptedPrompt prompt;
};

} // namespace

TEST_F(DesktopShortcut, FilesAreFoundAgainByNameAndCatalogue)
{
    const TShortcutFiles doom = ShortcutFiles(S("Doom"), ini);
    EXPECT_TRUE(doom.MenuFile.startsWith(qEnvironmentVariable("XDG_DATA_HOME") +
                                         S("/applications/ravelin-doom-")));
    EXPECT_EQ(doom.DesktopFile, desktop + u'/' + QFileInfo(doom.MenuFile).fileName());
    EXPECT_EQ(ShortcutFiles(S("DOOM"), ini).MenuFile, doom.MenuFile);
    EXPECT_NE(ShortcutFiles(S("Doom!"), ini).MenuFile, ShortcutFiles(S("Doom?"), ini).MenuFile);
    EXPECT_NE(ShortcutFiles(S("Doom"), ini + S(".old")).MenuFile, doom.MenuFile);
    EXPECT_TRUE(QFileInfo(ShortcutFiles(S("ドゥーム"), ini).MenuFile)
                    .fileName()
                    .contains(QRegularExpression(S("^ravelin-[0-9a-f]{8}\\.desktop$"))));
}

TEST_F(DesktopShortcut, CreateAsksForTheDesktopAndRenewsWithoutAsking)
{
    // A large picture is scaled down for the desktop, keeping its shape.
    const QString picture = dir.filePath(S("doom.png"));
    QImage big(600, 300, QImage::Format_ARGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(picture));
    app.LoadIcons(picture);

    prompt.answers = {false};
    const TShortcutFiles files = ShortcutFiles(app.AppName, ini);
    EXPECT_EQ(CreateDesktopShortcut(app, catalogue, prompt), QStringList{files.MenuFile});
    EXPECT_FALSE(Exists(files.DesktopFile));
    EXPECT_EQ(QImage(files.IconFile).size(), QSize(256, 128));
    const TDesktopEntry entry = ShortcutEntry(app, catalogue, files.IconFile);
    EXPECT_EQ(entry.Exec, (QStringList{S("/opt/ravelin/ravelin"), S("/ini:") + ini, S("/portable"),
                                       S("--run"), S("Doom")}));
    EXPECT_EQ(ReadTestFile(files.MenuFile), DesktopEntryText(entry));

    prompt.answers = {true};
    CreateDesktopShortcut(app, catalogue, prompt);
    EXPECT_TRUE(QFileInfo(files.DesktopFile).isExecutable());
    CreateDesktopShortcut(app, catalogue, prompt);
    ASSERT_EQ(prompt.asked.size(), 3);
    EXPECT_TRUE(prompt.asked[2].startsWith(S("information: "))) << prompt.asked[2].toStdString();

    // Without /ini the shortcut uses the catalogue the program finds itself.
    EXPECT_EQ(ShortcutCatalogue({S("/lang:de")}, ini).Options, QStringList());
}

TEST_F(DesktopShortcut, RenameAndRemoveAskAndMoveOrDeleteTheFiles)
{
    CreateDesktopShortcut(app, catalogue, prompt);
    const TShortcutFiles doom = ShortcutFiles(S("Doom"), ini);
    ASSERT_TRUE(Exists(doom.MenuFile) && Exists(doom.DesktopFile) && Exists(doom.IconFile));
    prompt.asked.clear();

    // Unchanged name: renewed silently.
    app.Description = S("Hell");
    UpdateDesktopShortcut(S("Doom"), app, catalogue, prompt);
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_TRUE(ReadTestFile(doom.MenuFile).contains("Comment=Hell\n"));

    // Another letter case is the same shortcut: renewed, and kept.
    app.AppName = S("DOOM");
    UpdateDesktopShortcut(S("Doom"), app, catalogue, prompt);
    EXPECT_TRUE(ReadTestFile(doom.DesktopFile).contains("Name=DOOM\n"));
    EXPECT_TRUE(Exists(doom.IconFile));

    app.AppName = S("Doom II");
    prompt.answers = {false};
    UpdateDesktopShortcut(S("DOOM"), app, catalogue, prompt);
    EXPECT_TRUE(Exists(doom.MenuFile));
    prompt.answers = {true};
    UpdateDesktopShortcut(S("DOOM"), app, catalogue, prompt);
    const TShortcutFiles doom2 = ShortcutFiles(S("Doom II"), ini);
    EXPECT_FALSE(Exists(doom.MenuFile) || Exists(doom.DesktopFile) || Exists(doom.IconFile));
    EXPECT_TRUE(Exists(doom2.MenuFile) && Exists(doom2.DesktopFile));
    EXPECT_EQ(prompt.asked.size(), 2);

    prompt.answers = {false, true};
    RemoveDesktopShortcut(S("Doom II"), ini, prompt);
    EXPECT_TRUE(Exists(doom2.MenuFile));
    RemoveDesktopShortcut(S("Doom II"), ini, prompt);
    EXPECT_FALSE(Exists(doom2.MenuFile) || Exists(doom2.DesktopFile) || Exists(doom2.IconFile));
    RemoveDesktopShortcut(S("Doom II"), ini, prompt);
    EXPECT_EQ(prompt.asked.size(), 4);
}
