#include "import/ImportPlan.h"

#include "catalogue/BasicSettings.h"
#include "catalogue/Catalogue.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

class ImportPlan : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        write("games/keen/KEEN4E.EXE");
        write("games/keen/INSTALL.EXE");
        write("games/keen/keen.ico", "not an icon");
        write("games/keen/README.TXT");
        write("games/batch_game/START.BAT");
        write("games/batch_game/A.EXE");
        write("games/batch_game/B.EXE");
        write("games/cd game/BIN/CDGAME.EXE");
        write("games/cd game/disc 2.iso");
        write("games/cd game/disc 1.iso");
        write("games/conf/DATA/PLAY.EXE");
        write("games/conf/dosbox_game.conf", "[cpu]\ncycles=max\n[autoexec]\nmount c .\n"
                                             "imgmount d \"cd image.cue\" -t iso\nc:\ncd data\n"
                                             "play\nexit\n");
        write("games/boots/dosbox.conf", "[autoexec]\nimgmount a disk.img -t floppy\nboot a:\n");
        write("games/empty/DATA.DAT");
        // A link back to the collection must not be followed in a circle.
        QFile::link(path("games"), path("games/keen/loop"));
    }
    void write(const char *name, const QByteArray &data = {}) { WriteTestFile(path(name), data); }
    QString path(const char *name = "") const { return QDir::cleanPath(m_dir.filePath(S(name))); }
    const TImportProposal *find(const std::vector<TImportProposal> &all, const char *folder)
    {
        for (const auto &p : all) {
            if (QFileInfo(p.AppPath).fileName() == S(folder))
                return &p;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ImportPlan, ProposesEachFolderOfACollection)
{
    const TScanResult scan = ScanFolders({path("games")});
    EXPECT_EQ(scan.Unreadable, 0);
    const auto all = ProposeImports(scan, S("Games"));
    ASSERT_EQ(all.size(), 5u); // "empty" holds no program

    const TImportProposal *keen = find(all, "keen");
    ASSERT_TRUE(keen);
    EXPECT_EQ(keen->Name, S("Keen"));
    EXPECT_EQ(keen->Program, S("KEEN4E.EXE"));
    EXPECT_EQ(keen->Programs, (QStringList{S("INSTALL.EXE"), S("KEEN4E.EXE")}));
    EXPECT_EQ(keen->Manual, path("games/keen/README.TXT"));
    EXPECT_EQ(keen->Category, S("Games"));
    EXPECT_EQ(find(all, "batch_game")->Program, S("START.BAT"));

    const TImportProposal *cd = find(all, "cd game");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->Program, S("BIN\\CDGAME.EXE"));
    EXPECT_EQ(cd->CdImages,
              (QStringList{path("games/cd game/disc 1.iso"), path("games/cd game/disc 2.iso")}));

    const TImportProposal *conf = find(all, "conf");
    ASSERT_TRUE(conf);
    EXPECT_TRUE(conf->FromConf);
    EXPECT_FALSE(conf->UsesConf);
    EXPECT_EQ(conf->Program, S("PLAY.EXE"));
    EXPECT_EQ(conf->CdImages, QStringList{path("games/conf/cd image.cue")});
    EXPECT_EQ(conf->Speed.RealSpeed, MaxSpeed);

    const TImportProposal *boots = find(all, "boots");
    ASSERT_TRUE(boots);
    EXPECT_TRUE(boots->UsesConf);
    EXPECT_TRUE(boots->Program.isEmpty());
    EXPECT_FALSE(boots->Note.isEmpty());
}

TEST_F(ImportPlan, EntriesStartInTheProgramsFolderAndSkipWhatIsPresent)
{
    TCatalogue catalogue;
    catalogue.Loaded = true;
    auto all = ProposeImports(ScanFolders({path("games")}), S("Miscellaneous"));
    // Present: same folder (written differently) and program (any case, any folder part).
    auto known = std::make_unique<TDosBoxApp>(QString(), QImage(), QImage(), 437, false);
    known->AppPath = path("games/keen") + u'/';
    known->AppFile = S("keen4e.exe");
    catalogue.Apps.push_back(std::move(known));
    MarkPresent(all, catalogue.Apps);
    EXPECT_TRUE(find(all, "keen")->Present);
    EXPECT_FALSE(find(all, "cd game")->Present);

    EXPECT_EQ(AddImports(catalogue, all, QImage(), QImage()), 4);
    ASSERT_EQ(catalogue.Apps.size(), 5u);
    const auto entry = [&](const char *name) -> const TDosBoxApp & {
        for (const auto &app : catalogue.Apps) {
            if (app->AppName == S(name))
                return *app;
        }
        throw std::runtime_error(name);
    };
    const TDosBoxApp &cd = entry("Cd Game");
    EXPECT_EQ(cd.AppFile, S("CDGAME.EXE"));
    EXPECT_EQ(cd.Commands, S("C:;CD \\BIN"));
    EXPECT_TRUE(cd.MountCd);
    EXPECT_EQ(cd.CdPath,
              QStringLiteral("\"%1\" \"%2\"")
                  .arg(path("games/cd game/disc 1.iso"), path("games/cd game/disc 2.iso")));
    EXPECT_TRUE(cd.Category.isEmpty());
    const TDosBoxApp &conf = entry("Conf");
    EXPECT_EQ(conf.Commands, S("c:;cd data"));
    EXPECT_EQ(conf.Speed.RealSpeed, MaxSpeed);
    EXPECT_FALSE(conf.AppConfig);
    const TDosBoxApp &boots = entry("Boots");
    EXPECT_TRUE(boots.AppConfig);
    EXPECT_TRUE(boots.AppConfigFile.isEmpty()); // it is the folder's own dosbox.conf
    EXPECT_TRUE(boots.AppFile.isEmpty());
    EXPECT_FALSE(boots.MountCd);
}

TEST_F(ImportPlan, FolderOfOneApplicationConfFileAndCancel)
{
    const auto one = ProposeImports(ScanFolders({path("games/keen")}), QString());
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.front().AppPath, path("games/keen"));

    const auto conf = ProposeImports(ScanFolders({path("games/conf/dosbox_game.conf")}), QString());
    ASSERT_EQ(conf.size(), 1u);
    EXPECT_EQ(conf.front().Program, S("PLAY.EXE"));

    int calls = 0;
    const TScanResult cancelled = ScanFolders({path("games")}, [&](int done, int total) {
        EXPECT_EQ(total, 6);
        EXPECT_EQ(done, ++calls);
        return done < 2;
    });
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ScanFolders({path("nowhere")}).Unreadable, 1);
}

TEST_F(ImportPlan, ConfFileWithRelativePathsStartsInItsFolderAndIsKnownByIt)
{
    write("gog/GAME.EXE");
    const char *twoDrives = "[autoexec]\nmount c ..\nmount e ../save\nc:\ngame\n";
    write("gog/conf/game.conf", twoDrives);
    write("gog/conf/single.conf", twoDrives);
    TCatalogue catalogue;
    auto first = ProposeImports(ScanFolders({path("gog/conf/game.conf")}), QString());
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(first.front().UsesConf);
    // The emulator resolves ".." against its working folder.
    EXPECT_EQ(first.front().AppPath, path("gog/conf"));
    ASSERT_EQ(AddImports(catalogue, first, QImage(), QImage()), 1);
    EXPECT_EQ(catalogue.Apps.front()->AppConfigFile, path("gog/conf/game.conf"));

    auto again = ProposeImports(
        ScanFolders({path("gog/conf/game.conf"), path("gog/conf/single.conf")}), QString());
    MarkPresent(again, catalogue.Apps);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_TRUE(again[0].Present);
    EXPECT_FALSE(again[1].Present);
}

TEST_F(ImportPlan, FoldersWithoutAProgramToStartAreNotAddedUnasked)
{
    write("other/systemd/journald.conf", "[Journal]\nStorage=auto\n");
    write("other/tools/INSTALL.EXE");
    write("other/tools/SETUP.EXE");
    const auto all = ProposeImports(ScanFolders({path("other")}), QString());
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(all.front().Program.isEmpty());
    EXPECT_FALSE(all.front().Checked);
}
