#pragma once

#include "catalogue/AppIcons.h"
#include "catalogue/PlayHistory.h"
#include "support/SmallSet.h"

#include <QChar>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

// Speed and memory settings share one encoding: -1 = the emulator's default
// (nothing is written), 0 = automatic or on, 1 = off, 1000000 = maximum.
inline constexpr int DefaultSetting = -1;
inline constexpr int MaxSpeed = 1000000;

struct TCpuSpeed
{
    // Cycles per millisecond in real mode; DOSBox Staging: 0 is written as 3000.
    int RealSpeed = DefaultSetting;
    // Protected mode (DOSBox Staging only).
    int ProtSpeed = DefaultSetting;
    // 0 on, 1 off (DOSBox Staging only).
    int Throttle = DefaultSetting;

    friend bool operator==(const TCpuSpeed &, const TCpuSpeed &) = default;
};

// 0 on, 1 off (DOSBox Staging only).
struct TMemManage
{
    int XMS = DefaultSetting;
    int EMS = DefaultSetting;
    int UMB = DefaultSetting;

    friend bool operator==(const TMemManage &, const TMemManage &) = default;
};

// The values in effect when an entry leaves a setting at default, as the
// emulator configuration file gives them.
struct TDefaultValues
{
    TCpuSpeed CpuSpeed;
    int MemSz = 0;
    TMemManage MemMng;

    friend bool operator==(const TDefaultValues &, const TDefaultValues &) = default;
};

// cmHide: start the emulator without console (" -noconsole"); cmErase:
// delete its console output files when the program closes. cmOut and cmErr
// are kept as stored but have no meaning.
enum class TConsoleMode
{
    cmHide,
    cmErase,
    cmOut,
    cmErr
};
using TConsoleModes = TSmallSet<TConsoleMode>;

// One catalogue entry: everything needed to start one DOS application.
class TDosBoxApp
{
public:
    // Create: a new entry with defaults, read from configFile (normally the
    // primary configuration file). hideConsole is the global HideCon setting.
    TDosBoxApp(const QString &configFile, const QImage &defLargeImg, const QImage &defSmallImg,
               int defCodePage, bool hideConsole);
    // CreateFrom: an entry equal to the other one, with its own icons.
    TDosBoxApp(const TDosBoxApp &other) = default;

    // Resets the emulation and console options and reads configFile (empty:
    // the entry's own configuration file). Names, paths, commands, MemSize
    // and AppConfig keep their values.
    void Init(const QString &configFile, bool hideConsole);
    // Reads FullScreen, AppMapper and DefaultValues from an emulator
    // configuration file (empty: the entry's own). A file whose full path
    // holds "staging" is read with the DOSBox Staging keys. A missing file
    // reads as empty. Parsed files are cached by path, size and time.
    void LoadConfig(const QString &configFile = {});
    // Copies the entry's configuration file to target. Throws ECopyError.
    void CopyConfig(const QString &target) const;
    // Copies every field of the other entry except DefLImg, DefSImg and the
    // history: an edited copy brings no history back (the entry may have
    // been started meanwhile), a duplicate starts without one.
    void Assign(const TDosBoxApp &other);
    void LoadIcons(const QString &fileName) { Icons.LoadFromFile(fileName); }
    // A file named by the entry (icon, manual): a name without folder lies
    // in the application's folder.
    QString FileInAppFolder(const QString &name) const;

    // The emulator configuration file the defaults come from.
    const QString &ConfigFile() const { return FConfigFile; }

    // The commands of a new entry: the drive change and "CD \".
    static QString DefaultCommands(QChar drive);

    QImage DefLImg; // the main window's default icons
    QImage DefSImg;
    QString AppName;
    QString Category; // empty: the default category
    QString AppPath;
    // Image files separated by blanks (names with blanks in double quotes),
    // or a drive root of which the first three characters count.
    QString CdPath;
    QString AppFile; // relative to AppPath
    QString Parameters;
    QString Commands;     // separated by ";"
    QString ExitCommands; // separated by ";"
    QString AppMapper;
    QString IconFile;
    QString ManFile;
    QString Description;
    QString MixerChannels; // separated by ";"
    QChar HardDrv = u'C';
    QChar CdDrv = u'D';
    bool MountCd = true;
    bool IsoImage = true;
    bool FullScreen = false;
    bool AutoEnd = true;
    bool AppConfig = false; // use the application configuration file (AppConfigPath)
    // The application configuration file when it is not AppPath + "dosbox.conf"
    // (one shipped with the application, taken over by an import).
    QString AppConfigFile;
    bool AutoClose = false;
    int CodePage = 0;
    int ImgIndex = -1; // never stored
    int MemSize = 0;   // MB; 0: default
    TMemManage MemManage;
    TCpuSpeed Speed;
    TDefaultValues DefaultValues; // never stored
    TConsoleModes ConsoleMode;
    TAppIcons Icons;
    TPlayHistory History;

private:
    TDosBoxApp &operator=(const TDosBoxApp &) = default;
    void ReadConfig(const QString &configFile, bool withMapper);

    QString FConfigFile;
};

// The entry's application configuration file: AppConfigFile, or "dosbox.conf"
// in its folder.
QString AppConfigPath(const TDosBoxApp &app);

// The catalogue's entries in catalogue order; the list owns them.
using TAppList = std::vector<std::unique_ptr<TDosBoxApp>>;
