#include "catalogue/AppSettings.h"

#include "catalogue/LoadCache.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppSettingsTest : public testing::Test
{
protected:
    QString Write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        WriteTestFile(path, content);
        return path;
    }

    TDosBoxApp Entry(const QString &config, bool hide = false)
    {
        return TDosBoxApp(config, m_defL, m_defS, 850, hide);
    }

    TDefaultValues DefaultsOf(const QString &name, const QByteArray &content)
    {
        TDosBoxApp app = Entry(QString());
        app.LoadConfig(Write(name, content));
        return app.DefaultValues;
    }

    QTemporaryDir m_dir;
    QImage m_defL = DefaultAppIcon(32);
    QImage m_defS = DefaultAppIcon(16);
};

} // namespace

TEST_F(AppSettingsTest, NewEntryWithoutConfigurationFile)
{
    TDosBoxApp app = Entry(QString(), true);
    EXPECT_EQ(app.ConfigFile(), QString());
    EXPECT_EQ(app.HardDrv, u'C');
    EXPECT_EQ(app.CdDrv, u'D');
    // No quotes: DOS would refuse the quoted command.
    EXPECT_EQ(app.Commands, QStringLiteral("C:;CD \\"));
    EXPECT_TRUE(app.ExitCommands.isEmpty() && app.AppName.isEmpty() && app.AppPath.isEmpty());
    EXPECT_TRUE(app.MountCd && app.IsoImage && app.AutoEnd);
    EXPECT_FALSE(app.FullScreen || app.AppConfig || app.AutoClose);
    EXPECT_TRUE(app.AppMapper.isEmpty());
    EXPECT_EQ(app.CodePage, 850);
    EXPECT_EQ(app.ImgIndex, -1);
    EXPECT_EQ(app.MemSize, 0);
    EXPECT_EQ(app.Speed, TCpuSpeed());
    EXPECT_EQ(app.MemManage, TMemManage());
    EXPECT_EQ(app.DefaultValues.CpuSpeed, (TCpuSpeed{0, -1, -1}));
    EXPECT_EQ(app.DefaultValues.MemSz, 0);
    EXPECT_EQ(app.ConsoleMode, TConsoleModes{TConsoleMode::cmHide});
    EXPECT_TRUE(Entry(QString(), false).ConsoleMode.isEmpty());
    EXPECT_EQ(app.Icons.ImgType(), TImgType::imIco);
    EXPECT_EQ(app.Icons.Large(), m_defL);
}

TEST_F(AppSettingsTest, ClassicKeywords)
{
    const std::pair<const char *, int> cases[] = {{"auto", 0},
                                                  {"AUTO 3000 limit 5000", 0},
                                                  {"max", MaxSpeed},
                                                  {"Max 80%", MaxSpeed},
                                                  {"fixed 4000", 4000},
                                                  {"fixed", -1},
                                                  {"fixed fast", -1},
                                                  {"3000", -1},
                                                  {"", -1}};
    for (const auto &[value, expected] : cases) {
        const TDefaultValues v = DefaultsOf(QStringLiteral("c/dosbox.conf"),
                                            QByteArray("[cpu]\ncycles=") + value + "\n");
        EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{expected, -1, -1})) << value;
    }
    // Classic files keep what the memory managers were, and know no Staging keys.
    TDosBoxApp app = Entry(QString());
    app.DefaultValues.MemMng = {0, 1, 0};
    app.LoadConfig(Write(QStringLiteral("c/dosbox.conf"),
                         "[dosbox]\nmemsize=16\n[cpu]\ncpu_cycles=max\n[dos]\nxms=on\n"));
    EXPECT_EQ(app.DefaultValues.MemSz, 16);
    EXPECT_EQ(app.DefaultValues.CpuSpeed, (TCpuSpeed{0, -1, -1}));
    EXPECT_EQ(app.DefaultValues.MemMng, (TMemManage{0, 1, 0}));
    EXPECT_EQ(DefaultsOf(QStringLiteral("c/x.conf"), "[dosbox]\nmemsize=lots\n").MemSz, 0);
}

TEST_F(AppSettingsTest, StagingKeywordsByPath)
{
    const QString staging = QStringLiteral("dosbox-staging.conf");
    TDefaultValues v = DefaultsOf(staging, "[cpu]\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{3000, 60000, -1}));
    EXPECT_EQ(v.MemMng, (TMemManage{-1, -1, -1}));

    v = DefaultsOf(staging, "[cpu]\ncpu_cycles=MAX\ncpu_cycles protected=turbo\ncpu_throttle=off\n"
                            "[dos]\nxms=ON\nems=true\numb=off\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{MaxSpeed, 3000, 1}));
    EXPECT_EQ(v.MemMng, (TMemManage{0, 0, 1}));

    // As DOSBox Staging 0.82 and 0.83 write their files; the key of the
    // protected-mode speed has no blank, and an older spelling loses to it.
    v = DefaultsOf(staging, "[cpu]\ncpu_cycles           = 3000\ncpu_cycles_protected = 60000\n"
                            "cpu_throttle         = false\n[dos]\nxms = true\nems = emm386\n"
                            "umb = FALSE\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{3000, 60000, 1}));
    EXPECT_EQ(v.MemMng, (TMemManage{0, 0, 1}));
    v = DefaultsOf(staging, "[cpu]\ncpu_cycles protected = 9000\ncpu_cycles_protected = 25000\n"
                            "cpu_throttle = on\n[dos]\nxms = off\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{3000, 25000, 0}));
    EXPECT_EQ(v.MemMng, (TMemManage{1, -1, -1}));
    // Before 0.82 DOSBox Staging had the classic speed key.
    EXPECT_EQ(DefaultsOf(staging, "[cpu]\ncycles=fixed 4000\n").CpuSpeed,
              (TCpuSpeed{4000, 60000, -1}));

    v = DefaultsOf(QStringLiteral("My STAGING setup/any.conf"),
                   "[cpu]\ncpu_cycles=auto\ncpu_cycles protected=auto\ncpu_throttle=on\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{-1, 0, 0}));
    v = DefaultsOf(staging, "[cpu]\ncpu_cycles=5000\ncpu_cycles protected=max 90%\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{5000, MaxSpeed, -1}));

    // Whatever emulator is installed, an application's dosbox.conf elsewhere is classic.
    v = DefaultsOf(QStringLiteral("games/dosbox.conf"),
                   "[cpu]\ncpu_cycles=5000\ncycles=fixed 900\n");
    EXPECT_EQ(v.CpuSpeed, (TCpuSpeed{900, -1, -1}));
}

TEST_F(AppSettingsTest, FullScreenValues)
{
    const std::pair<const char *, bool> cases[] = {
        {"true", true}, {"TRUE", true}, {"1", true},  {"0x1", true},  {"false", false},
        {"0", false},   {"yes", true},  {"On", true}, {"off", false}, {"", false}};
    for (const auto &[value, expected] : cases) {
        TDosBoxApp app = Entry(QString());
        app.LoadConfig(Write(QStringLiteral("f.conf"), QByteArray("[sdl]\nfullscreen=") + value));
        EXPECT_EQ(app.FullScreen, expected) << value;
    }
}

TEST_F(AppSettingsTest, MapperFileResolution)
{
    const QString primary = Write(QStringLiteral("prim/dosbox.conf"), "[sdl]\nfullscreen=true\n");
    const QString appConf =
        Write(QStringLiteral("game/dosbox.conf"), "[sdl]\nmapperfile=keys.map\n");
    TDosBoxApp app = Entry(primary);
    EXPECT_TRUE(app.FullScreen);

    app.LoadConfig(appConf); // no keys.map beside it: the primary's folder
    EXPECT_EQ(app.AppMapper, m_dir.filePath(QStringLiteral("prim/keys.map")));
    Write(QStringLiteral("game/keys.map"), "");
    app.LoadConfig(appConf);
    EXPECT_EQ(app.AppMapper, m_dir.filePath(QStringLiteral("game/keys.map")));
    EXPECT_FALSE(app.FullScreen);

    app.LoadConfig(); // no mapperfile: the primary's folder itself
    EXPECT_EQ(app.AppMapper, m_dir.filePath(QStringLiteral("prim/")));

    Write(QStringLiteral("game/abs.conf"),
          QByteArray("[sdl]\nmapperfile=") + m_dir.filePath(QStringLiteral("x.map")).toUtf8());
    app.LoadConfig(m_dir.filePath(QStringLiteral("game/abs.conf")));
    EXPECT_EQ(app.AppMapper, m_dir.filePath(QStringLiteral("x.map")));

    app.Init(appConf, false);
    EXPECT_TRUE(app.AppMapper.isEmpty());
}

TEST_F(AppSettingsTest, InitResetsOptionsOnly)
{
    TDosBoxApp app = Entry(QString());
    app.AppName = QStringLiteral("Game");
    app.Commands = QStringLiteral("X:");
    app.MemSize = 32;
    app.AppConfig = true;
    app.MountCd = app.IsoImage = app.AutoEnd = false;
    app.AutoClose = true;
    app.Speed = {1, 2, 3};
    app.MemManage = {1, 1, 1};
    app.ConsoleMode = {TConsoleMode::cmErase, TConsoleMode::cmOut};
    app.Init(Write(QStringLiteral("dosbox-staging.conf"), "[dosbox]\nmemsize=8\n"), true);
    EXPECT_EQ(app.AppName, QStringLiteral("Game"));
    EXPECT_EQ(app.Commands, QStringLiteral("X:"));
    EXPECT_EQ(app.MemSize, 32);
    EXPECT_TRUE(app.AppConfig);
    EXPECT_TRUE(app.MountCd && app.IsoImage && app.AutoEnd);
    EXPECT_FALSE(app.AutoClose);
    EXPECT_EQ(app.Speed, TCpuSpeed());
    EXPECT_EQ(app.MemManage, TMemManage());
    EXPECT_EQ(app.ConsoleMode, TConsoleModes{TConsoleMode::cmHide});
    EXPECT_EQ(app.DefaultValues.MemSz, 8);
    EXPECT_EQ(app.DefaultValues.CpuSpeed, (TCpuSpeed{3000, 60000, -1}));
}

TEST_F(AppSettingsTest, AssignAndCreateFromCopyEverything)
{
    QImage otherL(32, 32, QImage::Format_ARGB32_Premultiplied);
    otherL.fill(Qt::red);
    TDosBoxApp source(Write(QStringLiteral("a.conf"), "[dosbox]\nmemsize=4\n"), otherL, otherL, 437,
                      true);
    source.AppName = QStringLiteral("Name");
    source.ExitCommands = QStringLiteral("echo bye");
    source.HardDrv = u'E';
    source.ImgIndex = 7;
    source.Speed = {100, 200, 1};
    source.ConsoleMode = {TConsoleMode::cmErr};
    QImage png(200, 100, QImage::Format_ARGB32);
    png.fill(Qt::green);
    png.save(m_dir.filePath(QStringLiteral("i.png")));
    source.LoadIcons(m_dir.filePath(QStringLiteral("i.png")));

    TDosBoxApp target = Entry(QString());
    target.Assign(source);
    EXPECT_EQ(target.ConfigFile(), source.ConfigFile());
    EXPECT_EQ(target.ImgIndex, 7);
    EXPECT_EQ(target.AppName, source.AppName);
    EXPECT_EQ(target.ExitCommands, source.ExitCommands);
    EXPECT_EQ(target.HardDrv, u'E');
    EXPECT_EQ(target.CodePage, 437);
    EXPECT_EQ(target.Speed, source.Speed);
    EXPECT_EQ(target.ConsoleMode, source.ConsoleMode);
    EXPECT_EQ(target.DefaultValues, source.DefaultValues);
    EXPECT_EQ(target.Icons.Large().size(), QSize(200, 100));
    EXPECT_EQ(target.DefLImg, m_defL); // its own defaults stay

    const TDosBoxApp copy(source);
    EXPECT_EQ(copy.DefLImg, otherL);
    EXPECT_EQ(copy.AppName, source.AppName);
    EXPECT_EQ(copy.Icons.ImgType(), TImgType::imPng);
}

TEST_F(AppSettingsTest, ConfigurationIsReadAgainOnlyWhenChanged)
{
    const QString conf = Write(QStringLiteral("c.conf"), "[sdl]\nfullscreen=0\n");
    TDosBoxApp app = Entry(conf);
    EXPECT_FALSE(app.FullScreen);
    {
        TLoadCacheScope scope;
        app.LoadConfig();
        Write(QStringLiteral("c.conf"), "[sdl]\nfullscreen=true\n");
        app.LoadConfig();
        EXPECT_FALSE(app.FullScreen); // looked at once per load
    }
    app.LoadConfig();
    EXPECT_TRUE(app.FullScreen);
    QFile::remove(conf);
    app.LoadConfig();
    EXPECT_FALSE(app.FullScreen);
}

TEST_F(AppSettingsTest, CopyConfig)
{
    const QString conf = Write(QStringLiteral("c.conf"), "[sdl]\nfullscreen=1\n");
    TDosBoxApp app = Entry(conf);
    app.CopyConfig(m_dir.filePath(QStringLiteral("copy.conf")));
    EXPECT_EQ(ReadTestFile(m_dir.filePath(QStringLiteral("copy.conf"))),
              QByteArray("[sdl]\nfullscreen=1\n"));
    EXPECT_THROW(Entry(m_dir.filePath(QStringLiteral("none.conf")))
                     .CopyConfig(m_dir.filePath(QStringLiteral("t.conf"))),
                 ECopyError);
}
