// Launches against the real emulators: the DOSBox Staging builds beside the
// project (../shared/emulators, on developers' machines and in CI only) and
// Debian's classic dosbox. Every setting an entry stores is read back inside
// DOS with CONFIG -get, and the emulator's log must hold no complaint.
#include "E2eSupport.h"
#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "catalogue/Catalogue.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "emulator/DosBoxInfo.h"
#include "emulator/DosBoxVariant.h"
#include "launcher/LauncherTestUtils.h"
#include "launcher/RunCommand.h"
#include "launcher/WinExecute.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Keys = TE2eFolder::Keys;

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QString EmulatorsDir()
{
    return QDir::cleanPath(QStringLiteral(RAVELIN_SOURCE_DIR "/../shared/emulators"));
}

struct TBuild
{
    const char *name;   // folder below EmulatorsDir(), or empty for the classic one
    const char *folder; // the emulator folder of the catalogue
    bool staging;
    int minor;
};

const TBuild Builds[] = {
    {"0.82.2", "dosbox-staging-0.82.2", true, 82},
    {"0.83.0-rc1", "dosbox-staging-0.83.0-rc1", true, 83},
    {"classic", "", false, 74},
};

QString BuildDir(const TBuild &build)
{
    if (build.staging)
        return EmulatorsDir() + u'/' + QString::fromLatin1(build.folder);
    const QString exe = QStandardPaths::findExecutable(S("dosbox"));
    return exe.isEmpty() ? QString() : QFileInfo(exe).absolutePath();
}

// An X server of its own on a free display: DOSBox Staging does not start
// with SDL's dummy video driver.
class TVirtualScreen
{
public:
    TVirtualScreen()
    {
        m_xvfb.start(S("Xvfb"), {S("-displayfd"), S("1"), S("-screen"), S("0"), S("1280x1024x24"),
                                 S("-nolisten"), S("tcp")});
        if (!m_xvfb.waitForStarted(5000))
            return;
        while (!m_display.endsWith(u'\n') && m_xvfb.waitForReadyRead(10000))
            m_display += QString::fromLatin1(m_xvfb.readAllStandardOutput());
        m_display = m_display.trimmed();
    }
    ~TVirtualScreen()
    {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(3000))
            m_xvfb.kill();
        m_xvfb.waitForFinished(1000);
    }
    // ":N", or empty when no X server could be started.
    QString display() const { return m_display.isEmpty() ? QString() : u':' + m_display; }

private:
    QProcess m_xvfb;
    QString m_display;
};

// A copy of the emulator folder may hold a library link flattened into a
// small file that names its target; such links are made again in linkDir,
// which goes on the library path.
void RestoreLibraryLinks(const QString &libDir, const QString &linkDir)
{
    const QFileInfoList files = QDir(libDir).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files) {
        if (file.isSymLink() || file.size() > 255)
            continue;
        const QString target = QString::fromUtf8(ReadTestFile(file.filePath())).trimmed();
        if (!target.contains(u'/') && QFileInfo(libDir + u'/' + target).size() > file.size()) {
            QDir().mkpath(linkDir);
            QFile::link(libDir + u'/' + target, linkDir + u'/' + file.fileName());
        }
    }
}

QProcessEnvironment EmulatorEnvironment(const TBuild &build, const TE2eFolder &folder,
                                        const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("HOME"), folder.makeDir(S("home")));
    env.insert(S("XDG_CONFIG_HOME"), folder.makeDir(S("home/.config")));
    env.insert(S("SDL_AUDIODRIVER"), S("dummy"));
    if (!build.staging)
        return env; // the classic emulator runs with SDL's dummy driver
    env.remove(S("SDL_VIDEODRIVER"));
    env.insert(S("DISPLAY"), display);
    const QString links = folder.path(S("lib links"));
    RestoreLibraryLinks(BuildDir(build) + S("/lib"), links);
    if (QFileInfo::exists(links))
        env.insert(S("LD_LIBRARY_PATH"), links + u':' + env.value(S("LD_LIBRARY_PATH")));
    return env;
}

// Lines of the emulator's log that say it ignored or refused something.
QStringList Complaints(const QString &appDir)
{
    static const QRegularExpression complaint(
        S("invalid option|no config section|isn't a directory|deprecated|not found|"
          "failed to load|could not be loaded|no default code page|error loading"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const char *log : {"/stderr.txt", "/stdout.txt"}) {
        const QStringList lines = QString::fromUtf8(ReadTestFile(appDir + S(log))).split(u'\n');
        for (const QString &line : lines)
            if (complaint.match(line).hasMatch())
                found.append(line.trimmed());
    }
    return found;
}

// What DOS wrote into name, without the line break.
QString Read(const QString &appDir, const char *name)
{
    return QString::fromUtf8(ReadTestFile(appDir + u'/' + S(name))).trimmed();
}

std::optional<bool> Switch(const QString &appDir, const char *name)
{
    return ParseConfigSwitch(Read(appDir, name));
}

// The program of every entry: it writes each setting into a file of its own.
QByteArray ProbeBatch(const TBuild &build, bool withCd)
{
    QByteArray bat = "@echo off\r\necho %1 %2>PARAMS.TXT\r\n";
    const auto get = [&bat](const char *key, const char *file) {
        bat += QByteArray("CONFIG -get ") + key + '>' + file + "\r\n";
    };
    get("dosbox memsize", "MEM.TXT");
    get("dosbox language", "LANG.TXT");
    get("cpu cycleup", "CUP.TXT");
    if (build.staging) {
        get("cpu cpu_cycles", "CYC.TXT");
        get("cpu cpu_cycles_protected", "PROT.TXT");
        get("cpu cpu_throttle", "THR.TXT");
        get("dos xms", "XMS.TXT");
        get("dos ems", "EMS.TXT");
        get("dos umb", "UMB.TXT");
    } else {
        get("cpu cycles", "CYC.TXT");
    }
    get(build.minor >= 83 ? "dos keyboard_layout" : "dos keyboardlayout", "KBL.TXT");
    bat += "KEYB>KEYB.TXT\r\nMIXER>MIX.TXT\r\n";
    if (withCd)
        bat += "DIR D:>CD.TXT\r\n";
    // DOSBox Staging refuses EXIT within its first 1.5 seconds.
    if (build.staging)
        bat += "CHOICE /C:AB /N /T:A,2 > NUL\r\n";
    return bat;
}

// The entry's keys with changes (the catalogue reads a key's first line only).
Keys Entry(const QString &name, const QString &appPath, const Keys &changes = {})
{
    Keys keys{{S("AppName"), name},
              {S("RootPath"), appPath},
              {S("ConsoleMode"), S("1")},
              {S("MountCD"), S("0")},
              {S("HardDrive"), S("C")},
              {S("Executable"), S("GO.BAT")},
              {S("Parameters"), S("one two")},
              {S("Commands"), S("#C:;CD \\#")},
              {S("ExitCommands"), S("#echo done>DONE.TXT#")},
              {S("AutoEnd"), S("1")}};
    for (const auto &change : changes) {
        auto same = std::find_if(keys.begin(), keys.end(),
                                 [&](const auto &kv) { return kv.first == change.first; });
        if (same != keys.end())
            same->second = change.second;
        else
            keys.append(change);
    }
    return keys;
}

QString MakeIso(const TE2eFolder &folder, const char *name, const char *label, const char *file)
{
    const QString content = folder.makeDir(S("disc ") + S(label));
    folder.writeFile(S("disc ") + S(label) + u'/' + S(file), "on the disc\r\n");
    folder.makeDir(S("images"));
    const QString iso = folder.path(S("images/") + S(name));
    QProcess xorriso;
    xorriso.start(S("xorriso"),
                  {S("-as"), S("mkisofs"), S("-quiet"), S("-V"), S(label), S("-o"), iso, content});
    xorriso.waitForFinished(20000);
    return iso;
}

// The test process itself runs with the emulator's environment while it
// lives (detection and the keymapper start the emulator from here).
class TEnvironmentScope
{
public:
    explicit TEnvironmentScope(const QProcessEnvironment &env)
    {
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "LD_LIBRARY_PATH", "DISPLAY",
                                 "SDL_VIDEODRIVER", "SDL_AUDIODRIVER"}) {
            m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            if (env.contains(S(name)))
                qputenv(name, env.value(S(name)).toLocal8Bit());
            else
                qunsetenv(name);
        }
    }
    ~TEnvironmentScope()
    {
        for (const auto &[name, set, value] : m_saved) {
            if (set)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
    }

private:
    struct TSaved
    {
        const char *name;
        bool set;
        QByteArray value;
    };
    QList<TSaved> m_saved;
};

bool XdoTool(const QString &display, const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("DISPLAY"), display);
    QProcess xdotool;
    xdotool.setProcessEnvironment(env);
    xdotool.start(S("xdotool"), args);
    return xdotool.waitForFinished(5000) && xdotool.exitCode() == 0;
}

// Clicks at points of the screen, one after another, once a window shows.
bool Click(const QString &display, const QList<QPoint> &points)
{
    QDeadlineTimer deadline(15000);
    while (!XdoTool(display, {S("search"), S("--onlyvisible"), S("--name"), S(".")})) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(200);
    }
    QThread::sleep(1); // the keymapper draws itself
    for (const QPoint &p : points) {
        if (!XdoTool(display, {S("mousemove"), QString::number(p.x()), QString::number(p.y()),
                               S("click"), S("1")}))
            return false;
        QThread::msleep(500);
    }
    return true;
}

class RealEmulators : public testing::TestWithParam<TBuild>
{
protected:
    static void SetUpTestSuite() { m_screen = new TVirtualScreen; }
    static void TearDownTestSuite()
    {
        delete m_screen;
        m_screen = nullptr;
    }

    void SetUp() override
    {
        if (GetParam().staging && !QFileInfo(EmulatorsDir()).isDir())
            GTEST_SKIP() << "no DOSBox Staging builds at " << qPrintable(EmulatorsDir())
                         << " (they are there in CI and on developers' machines only)";
        if (BuildDir(GetParam()).isEmpty())
            GTEST_SKIP() << "dosbox is not installed (scripts/install-deps.sh installs it)";
        if (GetParam().staging && m_screen->display().isEmpty())
            GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps.sh installs it)";
        ASSERT_TRUE(m_folder.isValid());
        m_env = EmulatorEnvironment(GetParam(), m_folder, m_screen->display());
    }

    // DOSBox Staging's own configuration: no sound device, and a window
    // that software OpenGL draws quickly.
    QString writePrimaryConfig() const
    {
        if (!GetParam().staging)
            return m_folder.writePrimaryConfig();
        return m_folder.writeFile(S("home/.config/dosbox/dosbox-staging.conf"),
                                  "[sdl]\noutput=texture\n[mixer]\nnosound=true\n");
    }

    QString languageFile() const
    {
        if (!GetParam().staging)
            return {};
        const char *file = GetParam().minor >= 83 ? "pl.po" : "pl.lng";
        return BuildDir(GetParam()) + S("/resources/translations/") + S(file);
    }

    static inline TVirtualScreen *m_screen = nullptr;
    TE2eFolder m_folder{true};
    QProcessEnvironment m_env;
};

} // namespace

TEST_P(RealEmulators, EverySettingTakesEffect)
{
    const TBuild &build = GetParam();
    const bool staging = build.staging;
    const QString one = MakeIso(m_folder, "disc one.iso", "DISCONE", "ONE.TXT");
    const QString two = MakeIso(m_folder, "disc2.iso", "DISCTWO", "TWO.TXT");
    const QString fixed = m_folder.makeDir(S("apps/fixed one"));
    const QString max = m_folder.makeDir(S("apps/max"));
    const QString autoDir = m_folder.makeDir(S("apps/auto"));
    for (const QString &dir : {fixed, max})
        WriteTestFile(dir + S("/GO.BAT"), ProbeBatch(build, true));
    WriteTestFile(autoDir + S("/GO.BAT"), ProbeBatch(build, false));
    // Read only when the entry says so.
    for (const QString &dir : {max, autoDir})
        WriteTestFile(dir + S("/dosbox.conf"), "[cpu]\ncycleup=77\n");

    const Keys a = Entry(S("Fixed"), fixed,
                         {{S("Cycles"), S("25000,40000,0")},
                          {S("MemManage"), S("1,0,1")},
                          {S("MemSize"), S("32")},
                          {S("Mixer"), S("#MASTER 50:60;SB 30:40#")},
                          {S("MountCD"), S("1")},
                          {S("IsoImage"), S("1")},
                          {S("CdPath"), Quoted(one)}});
    const Keys b = Entry(S("Max"), max,
                         {{S("Cycles"), S("1000000,1000000,1")},
                          {S("MemManage"), S("0,0,0")},
                          {S("MountCD"), S("1")},
                          {S("IsoImage"), S("1")},
                          {S("CdPath"), Quoted(one) + u' ' + Quoted(two)}});
    const Keys c =
        Entry(S("Auto"), autoDir, {{S("Cycles"), S("0,0,-1")}, {S("AppConfig"), S("1")}});
    m_folder.writeCatalogue({{S("DosBoxPath"), BuildDir(build)},
                             {S("RootPath"), m_folder.path()},
                             {S("ConfFile"), writePrimaryConfig()},
                             {S("LangFile"), languageFile()},
                             {S("KeyboardLayout"), S("GR")},
                             {S("Codepage"), S("850")}},
                            {a, b, c});

    for (const char *name : {"Fixed", "Max", "Auto"}) {
        const auto run = m_folder.runRavelin({S("--run"), S(name)}, m_env);
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
    }
    ASSERT_TRUE(m_folder.waitForEmulatorsToEnd(30000)) << "EXIT did not end the emulator";

    for (const QString &dir : {fixed, max, autoDir}) {
        SCOPED_TRACE(dir.toStdString());
        EXPECT_EQ(Complaints(dir), QStringList());
        EXPECT_EQ(Read(dir, "PARAMS.TXT"), S("one two"));
        EXPECT_EQ(Read(dir, "DONE.TXT"), S("done"));
        EXPECT_TRUE(Read(dir, "KEYB.TXT").contains(S("gr"))) << Read(dir, "KEYB.TXT").toStdString();
        EXPECT_EQ(Read(dir, "KBL.TXT"), build.minor >= 83 ? S("gr 850") : S("gr"));
        if (staging && build.minor >= 83) {
            EXPECT_TRUE(Read(dir, "KEYB.TXT").contains(S("850")))
                << Read(dir, "KEYB.TXT").toStdString();
        }
        if (staging) {
            EXPECT_EQ(Read(dir, "LANG.TXT"), build.minor >= 83 ? languageFile() : S("pl"));
        }
    }
    EXPECT_EQ(Read(fixed, "MEM.TXT"), S("32"));
    EXPECT_TRUE(Read(fixed, "MIX.TXT").contains(QRegularExpression(S("MASTER\\S*\\s+50:60"))));
    EXPECT_TRUE(Read(fixed, "MIX.TXT").contains(QRegularExpression(S("SB\\S*\\s+30:40"))));
    for (const QString &dir : {fixed, max})
        EXPECT_TRUE(Read(dir, "CD.TXT").contains(S("ONE"))) << Read(dir, "CD.TXT").toStdString();
    // The global configuration stays global; the application's is read.
    EXPECT_NE(Read(max, "CUP.TXT"), S("77"));
    EXPECT_EQ(Read(autoDir, "CUP.TXT"), S("77"));
    if (!staging) {
        EXPECT_EQ(Read(fixed, "CYC.TXT"), S("fixed 25000"));
        EXPECT_EQ(Read(max, "CYC.TXT"), S("max"));
        EXPECT_EQ(Read(autoDir, "CYC.TXT"), S("auto"));
        return;
    }
    EXPECT_EQ(Read(fixed, "CYC.TXT"), S("25000"));
    EXPECT_EQ(Read(fixed, "PROT.TXT"), S("40000"));
    EXPECT_EQ(Switch(fixed, "THR.TXT"), true);
    EXPECT_EQ(Switch(fixed, "XMS.TXT"), false);
    EXPECT_EQ(Switch(fixed, "EMS.TXT"), true);
    EXPECT_EQ(Switch(fixed, "UMB.TXT"), false);
    EXPECT_EQ(Read(max, "CYC.TXT"), S("max"));
    EXPECT_EQ(Read(max, "PROT.TXT"), S("max"));
    EXPECT_EQ(Switch(max, "THR.TXT"), false);
    EXPECT_EQ(Switch(max, "XMS.TXT"), true);
    EXPECT_EQ(Switch(max, "UMB.TXT"), true);
    EXPECT_EQ(Read(autoDir, "CYC.TXT"), S("3000"));
    EXPECT_EQ(Read(autoDir, "PROT.TXT"), S("auto"));
}

// An older configuration under a newer DOSBox Staging: the emulator warns
// about it on standard error before it prints its version.
TEST_P(RealEmulators, DetectionDespiteWarnings)
{
    const TBuild &build = GetParam();
    if (!build.staging)
        GTEST_SKIP() << "the classic emulator does not warn before its version";
    m_folder.writeFile(S("home/.config/dosbox/dosbox-staging.conf"),
                       "[sdl]\nfullresolution=desktop\nwindowresolution=default\nvsync_skip=0\n"
                       "host_rate=auto\nno_such_key=1\n[cpu]\ncycles=auto\n[dos]\n"
                       "keyboardlayout=auto\nkeyboard_layout=auto\n");
    QString desc;
    TDosBoxVariant variant;
    {
        const TEnvironmentScope scope(m_env);
        UpdateDosBoxInfo(BuildDir(build), desc, variant);
    }

    EXPECT_EQ(desc,
              build.minor >= 83 ? S("DOSBox Staging (0.83.0-RC1)") : S("DOSBox Staging (0.82.2)"));
    EXPECT_TRUE(variant.Staging);
    EXPECT_EQ(variant.Version.Minor, build.minor);
}

// A collection brought in with "ravelin --import --yes" starts: a folder
// entry, and one that runs a configuration file of its own (two hard drives,
// paths relative to the file, which lies in a sub-folder of the game).
TEST_P(RealEmulators, ImportedEntriesStart)
{
    const TBuild &build = GetParam();
    const QByteArray wait = build.staging ? "@CHOICE /C:AB /N /T:A,2 > NUL\r\n" : "";
    const QString games = m_folder.makeDir(S("dos games"));
    m_folder.writeFile(S("dos games/keen_dreams/INSTALL.EXE"), "MZ");
    m_folder.writeFile(S("dos games/keen_dreams/KEEN.BAT"), "@echo keen>RESULT.TXT\r\n" + wait);
    m_folder.writeFile(S("dos games/two drives/GO.BAT"), "@echo two>E:\\RESULT.TXT\r\n" + wait);
    const QString save = m_folder.makeDir(S("dos games/two drives/save"));
    m_folder.writeFile(S("dos games/two drives/conf/game.conf"),
                       "[autoexec]\nmount c ..\nmount e ../save\nc:\ncall GO.BAT\nexit\n");
    m_folder.writeCatalogue({{S("DosBoxPath"), BuildDir(build)},
                             {S("RootPath"), m_folder.path()},
                             {S("ConfFile"), writePrimaryConfig()}},
                            {});

    const auto added = m_folder.runRavelin({S("--import"), games, S("--yes")}, m_env);
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    for (const char *name : {"Keen Dreams", "Two Drives"}) {
        const auto run = m_folder.runRavelin({S("--run"), S(name)}, m_env);
        ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err.toStdString();
    }
    ASSERT_TRUE(m_folder.waitForEmulatorsToEnd(30000)) << "EXIT did not end the emulator";
    EXPECT_EQ(Read(games + S("/keen_dreams"), "RESULT.TXT"), S("keen"));
    EXPECT_EQ(Read(save, "RESULT.TXT"), S("two"));
}

INSTANTIATE_TEST_SUITE_P(Builds, RealEmulators, testing::ValuesIn(Builds),
                         [](const testing::TestParamInfo<TBuild> &info) {
                             QString name = S(info.param.name);
                             name.replace(u'.', u'_').replace(u'-', u'_');
                             return name.toStdString();
                         });

// The keymapper opens on the entry's own key map and writes it when the user
// saves (0.82) or leaves after a change (0.83).
TEST_P(RealEmulators, KeymapperWritesTheEntrysKeyMap)
{
    const TBuild &build = GetParam();
    if (!build.staging)
        GTEST_SKIP() << "the classic emulator's keymapper needs a real screen";
    if (QStandardPaths::findExecutable(S("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed (scripts/install-deps.sh installs it)";
    TBasicSettings settings;
    settings.DosBoxPath = BuildDir(build);
    settings.ConfFile = writePrimaryConfig();
    settings.LangFile = languageFile();
    settings.KeyLayout = S("GR");
    settings.Codepage = 850;
    TDosBoxApp app(settings.ConfFile, QImage(), QImage(), 850, false);
    app.AppPath = m_folder.makeDir(S("keys game"));
    const QString map = app.AppPath + S("/appmapper.map");

    const TEnvironmentScope scope(m_env);
    InitVersion(settings);
    TScriptedPrompt prompt;
    TSystemProcessStarter starter;
    ASSERT_TRUE(RunKeymapper(app, {settings, prompt, starter}));
    EXPECT_EQ(app.AppMapper, map);
    const QList<QPoint> clicks =
        build.minor >= 83 ? QList<QPoint>{{1022, 570}, {609, 809}, {869, 841}} // Mute, Remove, Exit
                          : QList<QPoint>{{794, 836}, {869, 836}};             // Save, Exit
    ASSERT_TRUE(Click(m_screen->display(), clicks));
    EXPECT_TRUE(m_folder.waitForEmulatorsToEnd(10000)) << "the keymapper did not end";
    EXPECT_GT(QFileInfo(map).size(), 1000);
}
