#pragma once

#include <QString>

// The user's and the system's standard folders, without a trailing delimiter;
// empty when the system knows none.

// Identifiers of the shell's special folders (the Windows numbers, which
// callers store and pass on).
inline constexpr int CSIDL_PERSONAL = 5;
inline constexpr int CSIDL_STARTUP = 7;
inline constexpr int CSIDL_APPDATA = 26;
inline constexpr int CSIDL_LOCAL_APPDATA = 28;
inline constexpr int CSIDL_PROGRAM_FILES = 38;
inline constexpr int CSIDL_PROGRAM_FILESX86 = 42;

enum class TProgramFilesKind
{
    pfDefault,
    pf32Bit,
    pf64Bit
};

// Local application data is $XDG_CONFIG_HOME, the start-up folder its
// "autostart" folder; unknown identifiers give an empty path.
QString SpecialFolderPath(int id);
// The program's own configuration folder, $XDG_CONFIG_HOME/ravelin; the
// caller creates it when needed.
QString AppDataDir();
// The program's own data folder, $XDG_DATA_HOME/ravelin (backups).
QString OwnDataDir();
QString DocumentsDir();
// The user's data folder, $XDG_DATA_HOME (usually ~/.local/share): the
// desktop's menu entries lie in its "applications" folder.
QString UserDataDir();
// The desktop folder; empty when the user's desktop is the home folder
// itself or the folder does not exist, as on desktops without icons.
QString DesktopDir();
// Where programs are installed; the same folder for every kind here.
QString ProgramFilesDir(TProgramFilesKind kind = TProgramFilesKind::pfDefault);
