#include "support/SystemDrives.h"

#include "support/GnuGettext.h"
#include "support/PathUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

namespace {

// The kernel marks removable disks; a partition inherits its disk's mark.
bool IsRemovableDevice(const QByteArray &device)
{
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFile::decodeName(device.mid(5));
    if (name.isEmpty() || name.contains(u'/'))
        return false;
    const QString node = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (node.isEmpty())
        return false;
    for (const QString &dir : {node, ParentDir(node)}) {
        QFile flag(dir + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.read(4).trimmed() == "1";
    }
    return false;
}

QString NotAvailable()
{
    return U_("not available");
}

} // namespace

TDriveType DriveTypeOf(const QByteArray &fileSystemType, const QByteArray &device)
{
    static const QList<QByteArray> remote = {
        "nfs", "nfs4",  "cifs",  "smb3",       "smbfs",       "9p",        "ceph",
        "afs", "davfs", "sshfs", "fuse.sshfs", "fuse.rclone", "glusterfs", "lustre"};
    const QByteArray type = fileSystemType.toLower();
    if (type == "iso9660" || type == "udf" || device.startsWith("/dev/sr") ||
        device.startsWith("/dev/scd") || device.startsWith("/dev/cdrom"))
        return TDriveType::dtCdRom;
    if (type.isEmpty())
        return TDriveType::dtUnknown;
    if (remote.contains(type) || device.startsWith("//"))
        return TDriveType::dtRemote;
    if (type == "tmpfs" || type == "ramfs")
        return TDriveType::dtRamDisk;
    if (IsRemovableDevice(device))
        return TDriveType::dtRemovable;
    return TDriveType::dtFixed;
}

QString DriveRoot(const QString &path)
{
    const QStorageInfo info(path);
    return info.isValid() ? DirWithDelimiter(info.rootPath()) : QString();
}

bool VolumeName(const QString &path, QString &label)
{
    const QStorageInfo info(path);
    if (path.isEmpty() || !info.isValid() || !info.isReady()) {
        label = NotAvailable();
        return false;
    }
    label = info.name().trimmed();
    return true;
}

QList<TDriveProperties> GetDriveList(TDriveTypes types)
{
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    // File bind mounts are no drives.
    volumes.removeIf([](const QStorageInfo &v) { return !QFileInfo(v.rootPath()).isDir(); });
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo &a, const QStorageInfo &b) {
        return a.rootPath() < b.rootPath();
    });
    QList<TDriveProperties> drives;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const QStorageInfo &v = volumes.at(i);
        TDriveProperties drive;
        drive.Number = int(i);
        drive.DriveType = DriveTypeOf(v.fileSystemType(), v.device());
        if (!types.contains(drive.DriveType))
            continue;
        drive.DriveName = DirWithDelimiter(v.rootPath());
        if (!VolumeName(drive.DriveName, drive.VolName))
            drive.VolName = NotAvailable();
        else if (drive.VolName.isEmpty())
            drive.VolName = U_("unlabeled");
        drives << drive;
    }
    return drives;
}

bool VolumeSpace(const QString &path, qint64 &free, qint64 &total)
{
    const QStorageInfo volume(path);
    if (path.isEmpty() || !volume.isValid() || !volume.isReady())
        return false;
    free = volume.bytesAvailable();
    total = volume.bytesTotal();
    return free >= 0 && total > 0;
}

QStringList NetworkMountPoints()
{
    QStringList mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (DriveTypeOf(volume.fileSystemType(), volume.device()) == TDriveType::dtRemote &&
            QFileInfo(volume.rootPath()).isDir())
            mounts.append(QDir::cleanPath(volume.rootPath()));
    }
    mounts.removeAll(QString());
    mounts.sort();
    mounts.removeDuplicates();
    return mounts;
}
