#pragma once

#include <QString>

// Everything Ravelin hands to the DOS emulator (DOSBox or DOSBox Staging) and
// relies on from it, in one place:
// - settings of a "-conf" file named later win over an earlier one, so the
//   launch configuration file, always named last, decides what it holds;
// - the [autoexec] lines run in order at start, and "EXIT" ends the emulator;
// - with " -noconsole" the console output goes to StdOutName and StdErrName
//   in the working directory (on Linux the process start redirects it);
// - " -startmapper" opens the keymapper, which reads and writes the key map
//   named by [sdl] mapperfile.
// Nothing else: the emulator is started and left alone. Which of the names
// below a given emulator and version takes is decided by TDosBoxVariant
// (DosBoxVariant.h).
namespace DosBox {

// The emulator program in the emulator folder.
#ifdef Q_OS_WIN
inline const QString ProgramName = QStringLiteral("DOSBox.exe");
#else
inline const QString ProgramName = QStringLiteral("dosbox");
#endif

// The emulator's own settings folder below the local application data
// folder, where DOSBox Staging keeps StagingConfigName.
#ifdef Q_OS_WIN
inline const QString SettingsFolderName = QStringLiteral("DOSBox");
#else
inline const QString SettingsFolderName = QStringLiteral("dosbox");
#endif
inline const QString StagingConfigName = QStringLiteral("dosbox-staging.conf");

// A configuration file whose full path holds this word (any case) is read
// with the DOSBox Staging keys.
inline const QString StagingPathWord = QStringLiteral("staging");

// Files in the application folder.
inline const QString AppConfigName = QStringLiteral("dosbox.conf");
inline const QString LaunchConfigName = QStringLiteral("ravelin.conf");
inline const QString AppMapperName = QStringLiteral("appmapper.map");
inline const QString StdOutName = QStringLiteral("stdout.txt");
inline const QString StdErrName = QStringLiteral("stderr.txt");

// Sections and keys of the configuration files.
inline const QString SecSdl = QStringLiteral("sdl");
inline const QString SecDosBox = QStringLiteral("dosbox");
inline const QString SecCpu = QStringLiteral("cpu");
inline const QString SecDos = QStringLiteral("dos");
inline const QString SecAutoexec = QStringLiteral("autoexec");

inline const QString KeyFullScreen = QStringLiteral("fullscreen");
inline const QString KeyMapperFile = QStringLiteral("mapperfile");
inline const QString KeyMemSize = QStringLiteral("memsize");
inline const QString KeyLanguage = QStringLiteral("language");
// Classic emulator and DOSBox Staging before 0.82.
inline const QString KeyCycles = QStringLiteral("cycles");
// DOSBox Staging from 0.82 on.
inline const QString KeyCpuCycles = QStringLiteral("cpu_cycles");
inline const QString KeyCpuCyclesProtected = QStringLiteral("cpu_cycles_protected");
// An older spelling of the key that no emulator knows; read, never written.
inline const QString KeyCpuCyclesProtectedBlank = QStringLiteral("cpu_cycles protected");
inline const QString KeyCpuThrottle = QStringLiteral("cpu_throttle");
// DOSBox Staging from 0.83 on, and the classic spelling.
inline const QString KeyKeyboardLayout = QStringLiteral("keyboard_layout");
inline const QString KeyKeyboardLayoutClassic = QStringLiteral("keyboardlayout");
inline const QString KeyXms = QStringLiteral("xms");
inline const QString KeyEms = QStringLiteral("ems");
inline const QString KeyUmb = QStringLiteral("umb");

// The emulator keeps the [autoexec] lines of all its configuration files in
// one buffer of 4096 bytes, each line with CR LF, and ends with "Autoexec.bat
// file overflow" when they do not fit.
inline constexpr int AutoexecLimit = 4095;
// Characters that a mount command cannot carry in a host path: a double
// quote ends the quoted path early, a percent sign starts a variable of the
// batch file that autoexec is.
inline const QString UnmountableChars = QStringLiteral("\"%");

// Values that have a meaning of their own.
inline const QString ValAuto = QStringLiteral("auto");
inline const QString ValMax = QStringLiteral("max");
inline const QString ValFixed = QStringLiteral("fixed");
inline const QString ValOn = QStringLiteral("on");
inline const QString ValOff = QStringLiteral("off");
inline const QString ValTrue = QStringLiteral("true");

// Command-line options, in the order they are written.
inline const QString OptStartMapper = QStringLiteral(" -startmapper");
inline const QString OptNoConsole = QStringLiteral(" -noconsole");
// DOSBox Staging: do not read "dosbox.conf" of the working folder.
inline const QString OptNoLocalConf = QStringLiteral(" -nolocalconf");
inline const QString OptLang = QStringLiteral(" -lang ");
inline const QString OptConf = QStringLiteral(" -conf ");
inline const QString OptCommand = QStringLiteral(" -c ");
// Makes the emulator write its default configuration file when it has none
// yet and print that file's path.
inline const QString OptPrintConf = QStringLiteral("-printconf");

// DOS commands of [autoexec] and "-c".
inline const QString CmdMixer = QStringLiteral("MIXER ");
inline const QString CmdMount = QStringLiteral("MOUNT ");
inline const QString CmdImgMount = QStringLiteral("IMGMOUNT ");
inline const QString CmdCall = QStringLiteral("CALL ");
inline const QString CmdExit = QStringLiteral("EXIT");
inline const QString CmdKeyb = QStringLiteral("KEYB ");
inline const QString CmdRootDir = QStringLiteral("CD \\");
// Starts an operating system from a disk image instead of the emulator's DOS.
inline const QString CmdBoot = QStringLiteral("BOOT");

// The command that makes a drive current ("C:").
inline QString DriveChange(QChar drive)
{
    return QString(drive) + u':';
}

} // namespace DosBox
