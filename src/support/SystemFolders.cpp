#include "support/SystemFolders.h"

#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString ConfigHome()
{
    return StripTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                         u'/');
}

// A relative or empty answer is no folder the program could use.
QString Absolute(const QString &path)
{
    return IsAbsolutePath(path) ? path : QString();
}

} // namespace

QString SpecialFolderPath(int id)
{
    switch (id) {
    case CSIDL_LOCAL_APPDATA:
        return Absolute(ConfigHome());
    case CSIDL_STARTUP: {
        const QString config = Absolute(ConfigHome());
        return config.isEmpty() ? config : JoinPath(config, QStringLiteral("autostart"));
    }
    case CSIDL_APPDATA:
        return AppDataDir();
    case CSIDL_PERSONAL:
        return DocumentsDir();
    case CSIDL_PROGRAM_FILES:
    case CSIDL_PROGRAM_FILESX86:
        return ProgramFilesDir();
    default:
        return {};
    }
}

QString AppDataDir()
{
    const QString config = Absolute(ConfigHome());
    return config.isEmpty() ? config : JoinPath(config, QStringLiteral("ravelin"));
}

QString OwnDataDir()
{
    const QString data = Absolute(
        StripTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), u'/'));
    return data.isEmpty() ? data : JoinPath(data, QStringLiteral("ravelin"));
}

QString DocumentsDir()
{
    return Absolute(
        StripTrailing(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), u'/'));
}

QString UserDataDir()
{
    return Absolute(
        StripTrailing(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), u'/'));
}

QString DesktopDir()
{
    const QString desktop = Absolute(
        StripTrailing(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), u'/'));
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir() || QDir(desktop) == QDir(QDir::homePath()))
        return {};
    return desktop;
}

QString ProgramFilesDir(TProgramFilesKind)
{
    return QStringLiteral("/usr/bin");
}
