#include "catalogue/AppSettings.h"

#include "catalogue/LoadCache.h"
#include "emulator/DosBoxInterface.h"
#include "emulator/DosBoxVariant.h"
#include "support/FileCopy.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"

#include <QFileInfo>
#include <QHash>
#include <optional>

namespace {

// What LoadConfig takes from one emulator configuration file.
struct TEmulatorConfig
{
    bool Staging = false;
    bool FullScreen = false;
    QString MapperFile;
    TDefaultValues Values; // MemMng only with the Staging keys
};

bool BeginsWith(const QString &value, const QString &keyword)
{
    return value.startsWith(keyword, Qt::CaseInsensitive);
}

std::optional<int> IntegerOf(QStringView text)
{
    int value = 0;
    if (ParseIniInt(text, value))
        return value;
    return std::nullopt;
}

int ClassicCycles(const QString &cycles)
{
    if (BeginsWith(cycles, DosBox::ValAuto))
        return 0;
    if (BeginsWith(cycles, DosBox::ValMax))
        return MaxSpeed;
    if (BeginsWith(cycles, DosBox::ValFixed)) {
        const qsizetype blank = cycles.indexOf(u' ');
        if (blank < 0)
            return DefaultSetting;
        return IntegerOf(QStringView(cycles).sliced(blank + 1)).value_or(DefaultSetting);
    }
    return DefaultSetting;
}

int StagingRealCycles(const QString &cycles)
{
    if (BeginsWith(cycles, DosBox::ValMax))
        return MaxSpeed;
    return IntegerOf(cycles).value_or(DefaultSetting);
}

int StagingProtectedCycles(const QString &cycles)
{
    if (BeginsWith(cycles, DosBox::ValAuto))
        return 0;
    if (BeginsWith(cycles, DosBox::ValMax))
        return MaxSpeed;
    return IntegerOf(cycles).value_or(3000);
}

// The emulators write switches in several spellings (0.82 "true", 0.83
// "on"); a value they do not know leaves the emulator's default.
int ThrottleSetting(const QString &value)
{
    if (value.isEmpty())
        return DefaultSetting;
    return ParseConfigSwitch(value).value_or(false) ? 0 : 1;
}

// "emsboard" and "emm386" are kinds of EMS, so on.
int MemoryManagerSetting(const QString &value)
{
    if (value.isEmpty())
        return DefaultSetting;
    return ParseConfigSwitch(value).value_or(true) ? 0 : 1;
}

bool IsStagingConfig(const QString &fileName)
{
    return !fileName.isEmpty() && QFileInfo(fileName).absoluteFilePath().contains(
                                      DosBox::StagingPathWord, Qt::CaseInsensitive);
}

TEmulatorConfig ParseConfig(const QString &fileName)
{
    using namespace DosBox;
    const auto ini = TUnicodeIniFile::CreateForRead(fileName);
    TEmulatorConfig cfg;
    cfg.Staging = IsStagingConfig(fileName);
    const QString fullScreen = ini.ReadString(SecSdl, KeyFullScreen);
    const std::optional<int> fullScreenNumber = IntegerOf(fullScreen);
    cfg.FullScreen = ParseConfigSwitch(fullScreen).value_or(fullScreenNumber.value_or(0) != 0);
    cfg.MapperFile = ini.ReadString(SecSdl, KeyMapperFile);
    cfg.Values.MemSz = ini.ReadInteger(SecDosBox, KeyMemSize, 0);
    TCpuSpeed &speed = cfg.Values.CpuSpeed;
    if (!cfg.Staging) {
        speed.RealSpeed = ClassicCycles(ini.ReadString(SecCpu, KeyCycles, ValAuto));
        return cfg;
    }
    // DOSBox Staging before 0.82 kept the classic key.
    if (!ini.ValueExists(SecCpu, KeyCpuCycles) && ini.ValueExists(SecCpu, KeyCycles))
        speed.RealSpeed = ClassicCycles(ini.ReadString(SecCpu, KeyCycles));
    else
        speed.RealSpeed =
            StagingRealCycles(ini.ReadString(SecCpu, KeyCpuCycles, QStringLiteral("3000")));
    const QString protectedKey = ini.ValueExists(SecCpu, KeyCpuCyclesProtected)
                                     ? KeyCpuCyclesProtected
                                     : KeyCpuCyclesProtectedBlank;
    speed.ProtSpeed =
        StagingProtectedCycles(ini.ReadString(SecCpu, protectedKey, QStringLiteral("60000")));
    speed.Throttle = ThrottleSetting(ini.ReadString(SecCpu, KeyCpuThrottle));
    cfg.Values.MemMng.XMS = MemoryManagerSetting(ini.ReadString(SecDos, KeyXms));
    cfg.Values.MemMng.EMS = MemoryManagerSetting(ini.ReadString(SecDos, KeyEms));
    cfg.Values.MemMng.UMB = MemoryManagerSetting(ini.ReadString(SecDos, KeyUmb));
    return cfg;
}

// Every entry reads the primary configuration file; it is parsed again only
// when its size or time changes, and within a load it is looked at once.
const TEmulatorConfig &CachedConfig(const QString &fileName)
{
    struct TCached
    {
        TFileStamp Stamp;
        quint64 Generation = 0;
        TEmulatorConfig Config;
    };
    static QHash<QString, TCached> cache;
    constexpr qsizetype MaxCached = 32;

    auto it = cache.find(fileName);
    const bool inLoad = TLoadCacheScope::Active();
    if (it != cache.end() && inLoad && it->Generation == TLoadCacheScope::Generation())
        return it->Config;
    const TFileStamp stamp = TFileStamp::Of(fileName);
    if (it == cache.end() || !(it->Stamp == stamp)) {
        if (it == cache.end() && cache.size() >= MaxCached)
            cache.clear();
        it = cache.insert(fileName, TCached{stamp, 0, ParseConfig(fileName)});
    }
    it->Generation = inLoad ? TLoadCacheScope::Generation() : 0;
    return it->Config;
}

} // namespace

TDosBoxApp::TDosBoxApp(const QString &configFile, const QImage &defLargeImg,
                       const QImage &defSmallImg, int defCodePage, bool hideConsole)
    : DefLImg(defLargeImg), DefSImg(defSmallImg), Icons(TImgType::imIco, defLargeImg, defSmallImg),
      FConfigFile(configFile)
{
    Commands = DefaultCommands(HardDrv);
    Init(QString(), hideConsole);
    AppConfig = false;
    ImgIndex = -1;
    CodePage = defCodePage;
}

QString TDosBoxApp::DefaultCommands(QChar drive)
{
    // Bare, as the loader gives them back: DOS refuses a command in double
    // quotes («Illegal command: "CD.»). Every new entry starts on drive C:
    // one shared text for all of them.
    static const QString driveC = DosBox::DriveChange(u'C') + u';' + DosBox::CmdRootDir;
    if (drive == u'C')
        return driveC;
    return DosBox::DriveChange(drive) + u';' + DosBox::CmdRootDir;
}

void TDosBoxApp::Init(const QString &configFile, bool hideConsole)
{
    ConsoleMode = hideConsole ? TConsoleModes{TConsoleMode::cmHide} : TConsoleModes{};
    MountCd = true;
    IsoImage = true;
    MemManage = TMemManage();
    Speed = TCpuSpeed();
    // The mapper file LoadConfig would find is discarded right away.
    ReadConfig(configFile, false);
    AutoEnd = true;
    AutoClose = false;
    AppMapper.clear();
}

void TDosBoxApp::LoadConfig(const QString &configFile)
{
    ReadConfig(configFile, true);
}

void TDosBoxApp::ReadConfig(const QString &configFile, bool withMapper)
{
    const QString file = configFile.isEmpty() ? FConfigFile : configFile;
    const TEmulatorConfig &cfg = CachedConfig(file);
    FullScreen = cfg.FullScreen;
    if (withMapper) {
        AppMapper = MakeAbsolutePath(ExtractFilePath(file), cfg.MapperFile);
        if (!AppMapper.isEmpty() && !QFileInfo(AppMapper).isFile())
            AppMapper = MakeAbsolutePath(ExtractFilePath(FConfigFile), cfg.MapperFile);
    }
    DefaultValues.MemSz = cfg.Values.MemSz;
    DefaultValues.CpuSpeed = cfg.Values.CpuSpeed;
    if (cfg.Staging)
        DefaultValues.MemMng = cfg.Values.MemMng;
}

void TDosBoxApp::CopyConfig(const QString &target) const
{
    SafeCopyFile(FConfigFile, target, -1, DefaultCopyBufferSize);
}

void TDosBoxApp::Assign(const TDosBoxApp &other)
{
    if (&other == this)
        return;
    const QImage defL = DefLImg;
    const QImage defS = DefSImg;
    const TPlayHistory history = History;
    *this = other;
    DefLImg = defL;
    DefSImg = defS;
    History = history;
}

QString AppConfigPath(const TDosBoxApp &app)
{
    return app.AppConfigFile.isEmpty() ? JoinPath(app.AppPath, DosBox::AppConfigName)
                                       : app.AppConfigFile;
}

QString TDosBoxApp::FileInAppFolder(const QString &name) const
{
    if (name.isEmpty() || IsAbsolutePath(name) || AppPath.isEmpty())
        return name;
    return MakeAbsolutePath(DirWithDelimiter(AppPath), name);
}
