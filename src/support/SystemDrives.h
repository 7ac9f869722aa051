#pragma once

#include "support/SmallSet.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Drives are the mounted volumes; a drive's root is its mount point.

enum class TDriveType
{
    dtUnknown,
    dtNoRoot,
    dtRemovable,
    dtFixed,
    dtRemote,
    dtCdRom,
    dtRamDisk
};
using TDriveTypes = TSmallSet<TDriveType>;

struct TDriveProperties
{
    // Position in the list of all mounted volumes, ordered by mount point.
    int Number = 0;
    TDriveType DriveType = TDriveType::dtUnknown;
    // Mount point with a trailing delimiter.
    QString DriveName;
    // The volume label, "unlabeled" or "not available".
    QString VolName;
};

// The type of a volume from its file system type and device.
TDriveType DriveTypeOf(const QByteArray &fileSystemType, const QByteArray &device);

// The mount point holding path, with a trailing delimiter; empty when path
// does not exist.
QString DriveRoot(const QString &path);

// The label of the volume holding path, trimmed (possibly empty). False and
// "not available" when the volume cannot be read or path does not exist.
bool VolumeName(const QString &path, QString &label);

// The mounted volumes whose type is in types, ordered by mount point.
QList<TDriveProperties> GetDriveList(TDriveTypes types);

// Bytes available to the user and the size of the volume holding path; false
// when the system cannot tell.
bool VolumeSpace(const QString &path, qint64 &free, qint64 &total);

// Mount points of the mounted network file systems, sorted.
QStringList NetworkMountPoints();
