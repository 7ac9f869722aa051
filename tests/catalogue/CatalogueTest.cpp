#include "catalogue/Catalogue.h"
#include "catalogue/PlayHistory.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "emulator/DosBoxInterface.h"
#include "support/Errors.h"
#include "support/IniFileUtils.h"
#include "support/SystemKeyboard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

class FakeHost : public ICatalogueHost
{
public:
    bool ConfirmFirstStart(TFirstStartChoice &choice) override
    {
        ++chooseCalls;
        proposed = choice;
        choice.DosBoxPath = answer;
        if (!rootAnswer.isEmpty())
            choice.RootPath = rootAnswer;
        return !answer.isEmpty();
    }
    void EditBasicSettings(TBasicSettings &settings) override
    {
        ++editCalls;
        settings.KeyLayout = QStringLiteral("gr");
    }
    void AddCategoryEntry(const QString &category) override { categories.append(category); }
    void ReadWindowSettings(const TUnicodeIniFile &file) override { windowIni = file.FileName(); }
    void ReportError(const QString &message) override { errors.append(message); }

    QString answer, rootAnswer;
    TFirstStartChoice proposed;
    QStringList errors;
    int chooseCalls = 0;
    int editCalls = 0;
    QString windowIni;
    QStringList categories;
};

QByteArray Utf16(const QString &text)
{
    QByteArray data("\xFF\xFE", 2);
    data.resize(2 + 2 * text.size());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), data.data() + 2);
    return data;
}

class CatalogueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QDir root(m_dir.path());
        for (const char *d : {"data", "exe", "dosbox", "user", "prog", "loc", "games"})
            root.mkdir(QString::fromLatin1(d));
        m_files.IniName = Path(QStringLiteral("data/ravelin.ini"));
        m_files.ExeDir = Path(QStringLiteral("exe/"));
        m_files.UserPath = Path(QStringLiteral("user/"));
        m_files.ProgPath = Path(QStringLiteral("prog/"));
        m_files.LocPath = Path(QStringLiteral("loc/"));
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    void Store(const QString &name, const QByteArray &data) const
    {
        WriteTestFile(Path(name), data);
    }
    QByteArray Load(const QString &name) const { return ReadTestFile(Path(name)); }

    // A catalogue file with a valid emulator folder and the given text after
    // [Config]'s first line.
    void StoreCatalogue(const QString &configAndEntries)
    {
        Store(QStringLiteral("data/ravelin.ini"),
              Utf16(QStringLiteral("[Config]\r\nDosBoxPath=") + Path(QStringLiteral("dosbox")) +
                    QStringLiteral("\r\n") + configAndEntries));
    }

    TLoadResult LoadIt()
    {
        return LoadCatalogue(m_files, m_cat, m_host, DefaultAppIcon(32), DefaultAppIcon(16));
    }

    TDosBoxApp &App(size_t i) { return *m_cat.Apps.at(i); }

    QTemporaryDir m_dir;
    TCatalogueFiles m_files;
    TCatalogue m_cat;
    FakeHost m_host;
};

} // namespace

TEST_F(CatalogueTest, FirstRunWithoutAnyFile)
{
    m_host.answer = Path(QStringLiteral("dosbox"));
    const TLoadResult r = LoadIt();
    EXPECT_TRUE(r.FirstRun);
    EXPECT_FALSE(r.Cancelled);
    EXPECT_EQ(m_host.chooseCalls, 1);
    EXPECT_EQ(m_host.proposed.ProgPath, m_files.ProgPath);
    EXPECT_EQ(m_host.editCalls, 1); // classic (no emulator there) and no ConfFile
    EXPECT_EQ(m_host.windowIni, m_files.IniName);
    EXPECT_EQ(m_files.LocPath, Path(QStringLiteral("loc/dosbox/")));
    EXPECT_EQ(m_cat.BasicSettings.DosBoxPath, Path(QStringLiteral("dosbox")));
    EXPECT_EQ(m_cat.BasicSettings.RootPath, m_files.UserPath);
    EXPECT_EQ(m_cat.BasicSettings.Codepage, DefaultCodePage());
    EXPECT_TRUE(m_cat.Apps.empty());

    SaveCatalogue(m_files.IniName, m_cat, QRect(10, 20, 300, 200));
    const QString saved = DecodeTextFile(Load(QStringLiteral("data/ravelin.ini")));
    EXPECT_TRUE(
        saved.startsWith(QStringLiteral("[Unicode]\r\nEncoding=UTF-16LE\r\n\r\n[Config]\r\n"
                                        "Left=10\r\nTop=20\r\nHeight=200\r\nWidth=300\r\n")))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("KeyboardLayout=gr\r\n")));
    EXPECT_TRUE(saved.endsWith(QStringLiteral("LastApp=\r\nAppCount=0\r\n\r\n")));
}

TEST_F(CatalogueTest, FirstRunWithStagingTakesItsConfiguration)
{
    WriteStandInEmulator(Path(QStringLiteral("dosbox/")) + DosBox::ProgramName,
                         "dosbox-staging, version 0.81.1");
    m_host.answer = Path(QStringLiteral("dosbox"));
    LoadIt();
    EXPECT_TRUE(m_cat.BasicSettings.IsStaging);
    EXPECT_EQ(m_cat.BasicSettings.ConfFile, QString()); // none there yet
    EXPECT_EQ(m_host.editCalls, 0);

    m_files.LocPath = Path(QStringLiteral("loc/"));
    Store(QStringLiteral("loc/dosbox/") + DosBox::StagingConfigName, "[sdl]\n");
    m_cat = TCatalogue();
    LoadIt();
    EXPECT_EQ(m_cat.BasicSettings.ConfFile,
              Path(QStringLiteral("loc/dosbox/")) + DosBox::StagingConfigName);
    EXPECT_EQ(m_host.editCalls, 0);
}

TEST_F(CatalogueTest, FirstStartTakesTheConfirmedRootFolder)
{
    // The folder the user agreed to (and the window created) becomes the
    // root folder; without one the documents folder stays the default.
    m_host.answer = Path(QStringLiteral("dosbox"));
    m_host.rootAnswer = Path(QStringLiteral("games/"));
    LoadIt();
    EXPECT_EQ(m_cat.BasicSettings.RootPath, Path(QStringLiteral("games/")));

    // A catalogue whose emulator has moved proposes its own root folder.
    Store(QStringLiteral("data/ravelin.ini"),
          Utf16(QStringLiteral("[Config]\r\nDosBoxPath=") + Path(QStringLiteral("moved")) +
                QStringLiteral("\r\nRootPath=") + Path(QStringLiteral("user")) +
                QStringLiteral("\r\n")));
    m_host.rootAnswer.clear();
    m_cat = TCatalogue();
    LoadIt();
    EXPECT_EQ(m_host.proposed.RootPath, Path(QStringLiteral("user")));
}

TEST_F(CatalogueTest, ProposedRootFolderPrefersAnExistingOne)
{
    const QString home = Path(QStringLiteral("home"));
    EXPECT_EQ(ProposedRootFolder(home), home + QStringLiteral("/dos"));
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/Games/DOS")));
    EXPECT_EQ(ProposedRootFolder(home), home + QStringLiteral("/Games/DOS"));
}

TEST_F(CatalogueTest, CancelledFirstRunNeverReplacesTheFile)
{
    // The emulator folder has moved away.
    Store(QStringLiteral("data/ravelin.ini"),
          Utf16(QStringLiteral("[Config]\r\nDosBoxPath=") + Path(QStringLiteral("moved")) +
                QStringLiteral("\r\nAppCount=1\r\n[App001]\r\nAppName=Kept\r\n")));
    const QByteArray before = Load(QStringLiteral("data/ravelin.ini"));
    const TLoadResult r = LoadIt();
    EXPECT_TRUE(r.FirstRun);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_FALSE(m_cat.Loaded);
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    EXPECT_EQ(Load(QStringLiteral("data/ravelin.ini")), before);
}

TEST_F(CatalogueTest, UnreadableFileIsReportedAndNeverWritten)
{
    // A catalogue "file" that cannot be read (here a folder): the user is
    // told, and closing (a save) neither fails nor touches it.
    ASSERT_TRUE(QDir().mkpath(m_files.IniName));
    m_host.answer = Path(QStringLiteral("dosbox"));
    const TLoadResult r = LoadIt();
    EXPECT_FALSE(r.Cancelled);
    ASSERT_EQ(m_host.errors.size(), 1);
    EXPECT_TRUE(m_host.errors[0].contains(m_files.IniName));
    EXPECT_FALSE(m_cat.Loaded);
    EXPECT_NO_THROW(SaveCatalogue(m_files.IniName, m_cat, QRect()));
    EXPECT_TRUE(QFileInfo(m_files.IniName).isDir());

    // A file read in full says nothing and is saved.
    ASSERT_TRUE(QDir(m_files.IniName).removeRecursively());
    StoreCatalogue(QStringLiteral("AppCount=0\r\n"));
    m_host.errors.clear();
    LoadIt();
    EXPECT_TRUE(m_host.errors.isEmpty());
    EXPECT_TRUE(m_cat.Loaded);
}

TEST_F(CatalogueTest, FileBesideTheProgramIsReadButNeverWritten)
{
    Store(QStringLiteral("exe/ravelin.ini"),
          Utf16(QStringLiteral("[Config]\r\nDosBoxPath=") + Path(QStringLiteral("dosbox")) +
                QStringLiteral("\r\nAppCount=1\r\n[App001]\r\nAppName=Portable\r\n")));
    const QByteArray beside = Load(QStringLiteral("exe/ravelin.ini"));
    EXPECT_FALSE(LoadIt().FirstRun);
    ASSERT_EQ(m_cat.Apps.size(), 1u);
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    EXPECT_EQ(Load(QStringLiteral("exe/ravelin.ini")), beside);
    auto written = TUnicodeIniFile::CreateForRead(m_files.IniName);
    EXPECT_EQ(written.ReadString(u"App001", u"AppName"), QStringLiteral("Portable"));
}

TEST_F(CatalogueTest, AppCountDecidesAndStaleSectionsStay)
{
    StoreCatalogue(QStringLiteral("AppCount=3\r\n"
                                  "[App001]\r\nAppName=One\r\n"
                                  "[App002]\r\nAppName=Two\r\nUnknownKey=u2\r\n"
                                  "[App003]\r\nAppName=Three\r\n"
                                  "[Elsewhere]\r\nMine=1\r\n"));
    LoadIt();
    ASSERT_EQ(m_cat.Apps.size(), 3u);
    m_cat.Apps.erase(m_cat.Apps.begin() + 1);
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    auto ini = TUnicodeIniFile::CreateForRead(m_files.IniName);
    EXPECT_EQ(ini.ReadInteger(u"Config", u"AppCount", 0), 2);
    EXPECT_EQ(ini.ReadString(u"App002", u"AppName"), QStringLiteral("Three"));
    EXPECT_EQ(ini.ReadString(u"App002", u"UnknownKey"), QStringLiteral("u2"));
    EXPECT_EQ(ini.ReadString(u"App003", u"AppName"), QStringLiteral("Three"));
    EXPECT_EQ(ini.ReadInteger(u"Elsewhere", u"Mine", 0), 1);

    TCatalogue again;
    LoadCatalogue(m_files, again, m_host, DefaultAppIcon(32), DefaultAppIcon(16));
    EXPECT_EQ(again.Apps.size(), 2u);
}

// The command-line mode reads only names, or one entry, of a large
// catalogue: it must find the entries the full load finds.
TEST_F(CatalogueTest, QuickReadsFindTheEntriesOfTheFullLoad)
{
    StoreCatalogue(QStringLiteral("AppCount=5\r\n"
                                  "[App003]\r\nAppName=Three\r\nCategory=Games\r\n"
                                  "[app001]\r\nCategory=Tools\r\nAppName=One\r\n"
                                  "[App002]\r\nAppName=Two\r\n"
                                  "[App002]\r\nAppName=Second two\r\n"
                                  "[App0004]\r\nAppName=Not an entry\r\n"
                                  "[App004]\r\nAppName=three\r\nCycles=4000\r\n"));
    LoadIt();
    std::vector<TEntryName> loaded;
    for (const auto &app : m_cat.Apps)
        loaded.push_back({app->AppName, app->Category});
    const std::vector<TEntryName> names = ReadEntryNames(m_files);
    ASSERT_EQ(names.size(), loaded.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i].AppName, loaded[i].AppName);
        EXPECT_EQ(names[i].Category, loaded[i].Category);
    }
    EXPECT_EQ(names.at(0).AppName, QStringLiteral("One"));

    // The first entry of the name (any case), and nothing else.
    TCatalogue one;
    LoadCatalogue(ReadCatalogueFileFor(m_files, QStringLiteral("THREE")), m_files, one, m_host,
                  QImage(), QImage());
    ASSERT_EQ(one.Apps.size(), 1u);
    EXPECT_EQ(one.Apps[0]->Category, QStringLiteral("Games"));
    EXPECT_EQ(one.BasicSettings.DosBoxPath, Path(QStringLiteral("dosbox")));
}

TEST_F(CatalogueTest, EntryDefaultsAndKeyRules)
{
    Store(QStringLiteral("dosbox/dosbox.conf"), "[sdl]\nfullscreen=true\n");
    Store(QStringLiteral("games/own.map"), "");
    StoreCatalogue(
        QStringLiteral("ConfFile=%1\r\nMapperFile=keys.map\r\nCodepage=0x352\r\n"
                       "HideConsole=1\r\nAppCount=7\r\n"
                       "[App001]\r\nAppName=Bare\r\n"
                       "[App002]\r\nHardDrive=d\r\nCdRomDrive=\r\nMemManage=5,x\r\nCodepage=437\r\n"
                       "ConsoleMode=15\r\nMapperFile=gone.map\r\nFullScreen=0\r\n"
                       "[App003]\r\nCommands=#  ;C:; \"CD \\games;x\" ;echo ## 1#\r\n"
                       "Mixer=# sb 50:50;\"gus 10:10\" #\r\nCycles=3000,2 ,0x1\r\n"
                       "[App004]\r\nHardDrive=1\r\nConsoleMode=junk\r\nMapperFile=%2\r\n"
                       "[App005]\r\nCommands=plain;  text\r\nExitCommands=#  exit 1; #\r\n"
                       "[App006]\r\nCommands=##\r\n"
                       "[App007]\r\nmemsize=8\r\nappname=Lower\r\nAPPNAME=Second\r\n")
            .arg(Path(QStringLiteral("dosbox/dosbox.conf")),
                 Path(QStringLiteral("games/own.map"))));
    LoadIt();
    ASSERT_EQ(m_cat.Apps.size(), 7u);
    EXPECT_EQ(m_cat.BasicSettings.Codepage, 850);
    EXPECT_TRUE(m_cat.BasicSettings.HideCon);

    const TDosBoxApp &bare = App(0);
    EXPECT_EQ(bare.HardDrv, u'C');
    EXPECT_EQ(bare.CdDrv, u'D');
    EXPECT_EQ(bare.Commands, QStringLiteral("C:;CD \\"));
    EXPECT_TRUE(bare.ExitCommands.isEmpty());
    EXPECT_TRUE(bare.MountCd && bare.IsoImage && bare.AutoEnd && bare.FullScreen);
    EXPECT_FALSE(bare.AutoClose || bare.AppConfig);
    EXPECT_EQ(bare.CodePage, 850);
    EXPECT_EQ(bare.ConsoleMode, (TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmErase}));
    EXPECT_EQ(bare.MemManage, TMemManage());
    EXPECT_EQ(bare.Speed, TCpuSpeed());
    EXPECT_EQ(bare.ConfigFile(), m_cat.BasicSettings.ConfFile);

    const TDosBoxApp &second = App(1);
    EXPECT_EQ(second.HardDrv, u'd');
    EXPECT_EQ(second.CdDrv, u'D');
    EXPECT_EQ(second.Commands, QStringLiteral("D:;CD \\"));
    EXPECT_EQ(second.MemManage, (TMemManage{5, -1, -1}));
    EXPECT_EQ(second.CodePage, 437);
    EXPECT_EQ(second.ConsoleMode.toWord(), 15);
    EXPECT_EQ(second.AppMapper, Path(QStringLiteral("dosbox/keys.map")));
    EXPECT_FALSE(second.FullScreen);

    const TDosBoxApp &third = App(2);
    EXPECT_EQ(third.Commands, QStringLiteral("C:;CD \\games;x;echo # 1"));
    EXPECT_EQ(third.MixerChannels, QStringLiteral(" sb 50:50;\"gus 10:10\" "));
    EXPECT_EQ(third.Speed, (TCpuSpeed{3000, -1, 1}));

    EXPECT_EQ(App(3).HardDrv, u'C');
    EXPECT_EQ(App(3).ConsoleMode, (TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmErase}));
    EXPECT_EQ(App(3).AppMapper, Path(QStringLiteral("games/own.map")));
    EXPECT_EQ(App(4).Commands, QStringLiteral("plain;text"));
    EXPECT_EQ(App(4).ExitCommands, QStringLiteral("  exit 1; "));
    EXPECT_TRUE(App(5).Commands.isEmpty());
    // Keys in any case and order; the first of a name counts.
    EXPECT_EQ(App(6).AppName, QStringLiteral("Lower"));
    EXPECT_EQ(App(6).MemSize, 8);

    // Without a global mapper file the primary configuration's folder itself.
    m_cat.BasicSettings.MapperFile.clear();
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    auto ini = TUnicodeIniFile::CreateForWrite(m_files.IniName);
    ini.WriteString(u"Config", u"MapperFile", QString());
    ini.UpdateFile();
    TCatalogue again;
    LoadCatalogue(m_files, again, m_host, DefaultAppIcon(32), DefaultAppIcon(16));
    EXPECT_EQ(again.Apps.at(1)->AppMapper, Path(QStringLiteral("dosbox/")));
}

TEST_F(CatalogueTest, SavedEntriesReadBackUnchanged)
{
    StoreCatalogue(QStringLiteral("AppCount=0\r\n"));
    LoadIt();
    auto app =
        std::make_unique<TDosBoxApp>(QString(), DefaultAppIcon(32), DefaultAppIcon(16), 437, false);
    app->AppName = QStringLiteral("Ünïcode Game");
    app->Category = QStringLiteral("Adventure");
    app->AppPath = Path(QStringLiteral("games"));
    app->Commands = QStringLiteral("  C:;CD \\#1;echo ## done");
    app->ExitCommands = QStringLiteral(" echo #bye; ");
    app->MixerChannels = QStringLiteral("sb 1:2; ");
    app->CdDrv = u'E';
    app->CdPath = QStringLiteral("\"a b.iso\" c.iso");
    app->ConsoleMode = {TConsoleMode::cmErase};
    app->MemManage = {0, 1, -1};
    app->Speed = {MaxSpeed, 0, 1};
    app->MemSize = 63;
    app->AutoClose = true;
    app->Description = QStringLiteral("line\nbreak");
    m_cat.Apps.push_back(std::move(app));
    m_cat.CurApp = QStringLiteral("ünïcode game");
    SaveCatalogue(m_files.IniName, m_cat, QRect());

    TCatalogue back;
    const TLoadResult r =
        LoadCatalogue(m_files, back, m_host, DefaultAppIcon(32), DefaultAppIcon(16));
    ASSERT_EQ(back.Apps.size(), 1u);
    const TDosBoxApp &b = *back.Apps[0];
    EXPECT_EQ(r.SelectedCategory, QStringLiteral("Adventure"));
    EXPECT_EQ(b.AppName, QStringLiteral("Ünïcode Game"));
    // Commands are normalised (leading blanks of items go); "#" survives.
    EXPECT_EQ(b.Commands, QStringLiteral("C:;CD \\#1;echo ## done"));
    EXPECT_EQ(b.ExitCommands, QStringLiteral(" echo #bye; "));
    EXPECT_EQ(b.MixerChannels, QStringLiteral("sb 1:2; "));
    EXPECT_EQ(b.CdDrv, u'E');
    EXPECT_EQ(b.CdPath, QStringLiteral("\"a b.iso\" c.iso"));
    EXPECT_EQ(b.ConsoleMode, TConsoleModes{TConsoleMode::cmErase});
    EXPECT_EQ(b.MemManage, (TMemManage{0, 1, -1}));
    EXPECT_EQ(b.Speed, (TCpuSpeed{MaxSpeed, 0, 1}));
    EXPECT_EQ(b.MemSize, 63);
    EXPECT_TRUE(b.AutoClose);
    EXPECT_EQ(b.Description, QStringLiteral("line break"));
    const QString text = DecodeTextFile(Load(QStringLiteral("data/ravelin.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "Commands=#  C:;CD \\##1;echo #### done#\r\nExitCommands=# echo ##bye; #\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("MemManage=0,1,-1\r\nCycles=1000000,0,1\r\n")));
}

TEST_F(CatalogueTest, LastAppAndCategories)
{
    StoreCatalogue(QStringLiteral("LastApp=GAME\r\nAppCount=4\r\n"
                                  "[App001]\r\nAppName=Tool\r\nCategory=Tools\r\n"
                                  "[App002]\r\nAppName=game\r\n"
                                  "[App003]\r\nAppName=Game\r\nCategory=Arcade\r\n"
                                  "[App004]\r\nAppName=Other\r\nCategory=Tools\r\n"));
    const TLoadResult r = LoadIt();
    EXPECT_EQ(m_cat.CurApp, QStringLiteral("GAME"));
    EXPECT_EQ(r.SelectedCategory, QStringLiteral("Miscellaneous"));
    EXPECT_EQ(m_host.categories,
              (QStringList{QStringLiteral("Tools"), QStringLiteral("Miscellaneous"),
                           QStringLiteral("Arcade"), QStringLiteral("Tools")}));
    EXPECT_EQ(CategoryOf(App(1)), DefaultCategoryName());
}

TEST_F(CatalogueTest, ReplacedGlobalValuesAreWrittenBack)
{
    StoreCatalogue(
        QStringLiteral("RootPath=/no/such/dir\r\nConfFile=/no/such.conf\r\nCodepage=0\r\n"
                       "Editor=/no/editor\r\nAppCount=0\r\n"));
    LoadIt();
    EXPECT_EQ(m_cat.BasicSettings.RootPath, m_files.UserPath);
    EXPECT_TRUE(m_cat.BasicSettings.ConfFile.isEmpty());
    EXPECT_EQ(m_cat.BasicSettings.Codepage, DefaultCodePage());
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    auto ini = TUnicodeIniFile::CreateForRead(m_files.IniName);
    EXPECT_EQ(ini.ReadString(u"Config", u"RootPath"), m_files.UserPath);
    EXPECT_EQ(ini.ReadString(u"Config", u"ConfFile", QStringLiteral("x")), QString());
}

TEST_F(CatalogueTest, IconsAreDecodedOnlyWhenAskedForAndABrokenOneShowsTheDefault)
{
    Store(QStringLiteral("games/broken.png"), "not a picture");
    StoreCatalogue(QStringLiteral("AppCount=2\r\n[App001]\r\nAppName=A\r\nIconFile=%1\r\n"
                                  "[App002]\r\nAppName=B\r\n")
                       .arg(Path(QStringLiteral("games/broken.png"))));
    LoadIt();
    ASSERT_EQ(m_cat.Apps.size(), 2u);
    EXPECT_EQ(App(0).Icons.PendingFile(), Path(QStringLiteral("games/broken.png")));
    EXPECT_EQ(App(0).Icons.Large(), DefaultAppIcon(32));
    EXPECT_TRUE(App(0).Icons.PendingFile().isEmpty());
    EXPECT_EQ(App(0).IconFile, Path(QStringLiteral("games/broken.png")));
}

TEST_F(CatalogueTest, HostileCatalogues)
{
    // An absurd count and section number cost nothing; sections load in
    // number order, whatever their order in the file.
    StoreCatalogue(QStringLiteral("AppCount=2000000000\r\n[App999999999]\r\nAppName=Last\r\n"
                                  "[App002]\r\nAppName=Second\r\n[App001]\r\nAppName=First\r\n"
                                  "[App3]\r\nAppName=NotMine\r\n[app001]\r\nAppName=Twin\r\n"));
    QElapsedTimer clock;
    clock.start();
    LoadIt();
    ASSERT_EQ(m_cat.Apps.size(), 3u);
    EXPECT_EQ(App(0).AppName, QStringLiteral("First"));
    EXPECT_EQ(App(1).AppName, QStringLiteral("Second"));
    EXPECT_EQ(App(2).AppName, QStringLiteral("Last"));
    EXPECT_LT(clock.elapsed(), 2000);

    StoreCatalogue(QStringLiteral("AppCount=-5\r\n[App001]\r\nAppName=Only\r\n"));
    LoadIt();
    EXPECT_TRUE(m_cat.Apps.empty());

    // Noise is an empty catalogue and a first run.
    QRandomGenerator rng(99);
    QByteArray noise(100000, Qt::Uninitialized);
    for (char &c : noise)
        c = char(rng.bounded(256));
    const QByteArray variants[] = {noise, QByteArray("\xFF\xFE") + noise,
                                   QByteArray("\xFE\xFF\x00", 3)};
    for (const QByteArray &data : variants) {
        Store(QStringLiteral("data/ravelin.ini"), data);
        m_host.answer.clear();
        const TLoadResult r = LoadIt();
        EXPECT_TRUE(r.Cancelled);
    }
}

TEST_F(CatalogueTest, ForeignFilesAreLeftAlone)
{
    const QByteArray notes("Shopping list\nmilk\n[not a section\n");
    Store(QStringLiteral("data/ravelin.ini"), notes);
    const TLoadResult r = LoadIt();
    EXPECT_TRUE(r.NotCatalogue);
    EXPECT_TRUE(r.Cancelled);
    ASSERT_EQ(m_host.errors.size(), 1);
    EXPECT_TRUE(m_host.errors[0].contains(QStringLiteral("is not a Ravelin catalogue")));
    EXPECT_EQ(m_host.chooseCalls, 0);
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    EXPECT_EQ(Load(QStringLiteral("data/ravelin.ini")), notes);

    // What a save that lost its entries left is still a catalogue, and an
    // empty file is a first run.
    for (const QByteArray &data :
         {Utf16(QStringLiteral("[Unicode]\r\n\r\n[HtmlManual]\r\n")), QByteArray()}) {
        Store(QStringLiteral("data/ravelin.ini"), data);
        m_host.answer = Path(QStringLiteral("dosbox"));
        EXPECT_FALSE(LoadIt().NotCatalogue);
        EXPECT_TRUE(m_cat.Loaded);
    }
}

TEST_F(CatalogueTest, ChangesOnDiskAreNeverOverwrittenSilently)
{
    StoreCatalogue(QStringLiteral("AppCount=1\r\n[App001]\r\nAppName=Mine\r\n"));
    LoadIt();
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    EXPECT_FALSE(CatalogueChangedOnDisk(m_files.IniName, m_cat));

    // Another window adds an entry and saves.
    const QByteArray theirs =
        Utf16(QStringLiteral("[Config]\r\nAppCount=2\r\n[App001]\r\nAppName=Mine\r\n"
                             "[App002]\r\nAppName=Theirs\r\n"));
    Store(QStringLiteral("data/ravelin.ini"), theirs);
    EXPECT_TRUE(CatalogueChangedOnDisk(m_files.IniName, m_cat));
    EXPECT_THROW(SaveCatalogue(m_files.IniName, m_cat, QRect()), ECatalogueChanged);
    EXPECT_EQ(Load(QStringLiteral("data/ravelin.ini")), theirs);

    // With the user's word it is replaced, and the next save asks nothing.
    SaveCatalogue(m_files.IniName, m_cat, QRect(), nullptr, true);
    EXPECT_EQ(
        TUnicodeIniFile::CreateForRead(m_files.IniName).ReadInteger(u"Config", u"AppCount", 0), 1);
    SaveCatalogue(m_files.IniName, m_cat, QRect());

    // A deleted file is written again without a question.
    QFile::remove(m_files.IniName);
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    EXPECT_TRUE(QFile::exists(m_files.IniName));
}

TEST_F(CatalogueTest, SaveFailureIsReported)
{
    StoreCatalogue(QStringLiteral("AppCount=0\r\n"));
    LoadIt();
    const QString target = Path(QStringLiteral("missing/dir/cat.ini"));
    try {
        SaveCatalogue(target, m_cat, QRect());
        FAIL() << "no error";
    } catch (const EWriteError &e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Error writing to \"%1\"\r\nThe folder does not exist.").arg(target));
    }
}

TEST(CodePages, FromKeyboardLanguage)
{
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::German)), 858);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::French)), 858);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Russian)), 866);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Serbian)), 852);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Polish)), 852);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Greek)), 869);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::NorwegianNynorsk)), 865);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Swedish)), 850);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::English)), 437);
    EXPECT_EQ(CodePageOfLanguage(PrimaryLanguageOf(QLocale::Japanese)), 437);
    EXPECT_EQ(DefaultCodePage(), 437); // tests run in the C locale
}

TEST_F(CatalogueTest, PlayHistoryRoundTripAndOldFiles)
{
    // A file of an older version has no history keys, and gets none by a
    // save; unreadable values count as never played.
    StoreCatalogue(
        QStringLiteral("AppCount=3\r\n"
                       "[App001]\r\nAppName=Old\r\n"
                       "[App002]\r\nAppName=Bad\r\nLastPlayed=yesterday\r\n"
                       "PlayCount=-4\r\nPlayTime=lots\r\n"
                       "[App003]\r\nAppName=Played\r\nLastPlayed=2024-05-17T20:15:03+02:00"
                       "\r\nPlayCount=7\r\nPlayTime=3725\r\n"));
    LoadIt();
    ASSERT_EQ(m_cat.Apps.size(), 3u);
    EXPECT_TRUE(App(0).History.IsEmpty());
    EXPECT_TRUE(App(1).History.IsEmpty());
    const TPlayHistory played = App(2).History;
    EXPECT_EQ(played.LastPlayed.toSecsSinceEpoch(), 1715969703);
    EXPECT_EQ(played.PlayCount, 7);
    EXPECT_EQ(played.PlaySeconds, 3725);

    // One more start; times are stored in whole seconds with their offset.
    RecordStart(App(0).History,
                QDateTime::fromString(QStringLiteral("2026-12-09T10:00:00-05:00"), Qt::ISODate));
    EXPECT_TRUE(AddPlayTime(App(0).History, 5));
    EXPECT_FALSE(AddPlayTime(App(0).History, 4));
    SaveCatalogue(m_files.IniName, m_cat, QRect());
    const QString text = DecodeTextFile(Load(QStringLiteral("data/ravelin.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "LastPlayed=2026-12-09T10:00:00-05:00\r\nPlayCount=1\r\nPlayTime=5\r\n\r\n[App002]")))
        << text.toStdString();
    EXPECT_TRUE(
        text.contains(QStringLiteral("LastPlayed=2024-05-17T20:15:03+02:00\r\nPlayCount=7")));
    TCatalogue back;
    LoadCatalogue(m_files, back, m_host, QImage(), QImage());
    ASSERT_EQ(back.Apps.size(), 3u);
    EXPECT_EQ(back.Apps[0]->History, App(0).History);
    EXPECT_EQ(back.Apps[2]->History, played);

    // A start recorded without a window touches only that entry's keys.
    ASSERT_TRUE(RecordStartInFile(m_files, QStringLiteral("PLAYED")));
    EXPECT_FALSE(RecordStartInFile(m_files, QStringLiteral("Nobody")));
    TCatalogue after;
    LoadCatalogue(m_files, after, m_host, QImage(), QImage());
    EXPECT_EQ(after.Apps[2]->History.PlayCount, 8);
    EXPECT_GT(after.Apps[2]->History.LastPlayed, played.LastPlayed);
    EXPECT_EQ(after.Apps[2]->History.PlaySeconds, 3725);
    EXPECT_EQ(after.Apps[0]->History, App(0).History);
}
