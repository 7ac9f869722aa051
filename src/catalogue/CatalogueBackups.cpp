#include "catalogue/CatalogueBackups.h"

#include "catalogue/Catalogue.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"
#include "support/SystemFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

// Backups are named after the version's time in UTC, so that names sort as
// times do: "20261209-153848123.ini".
const QString NameFormat = QStringLiteral("yyyyMMdd-HHmmsszzz");
const QString Extension = QStringLiteral(".ini");

QDateTime TimeOfName(const QString &name)
{
    QDateTime time = QDateTime::fromString(name.left(NameFormat.size()), NameFormat);
    time.setTimeSpec(Qt::UTC);
    return time;
}

// Backup file names, the newest first.
QStringList BackupNames(const QString &folder)
{
    QStringList names;
    const QStringList found = QDir(folder).entryList({u'*' + Extension}, QDir::Files, QDir::Name);
    for (const QString &name : found) {
        if (TimeOfName(name).isValid())
            names.append(name);
    }
    std::reverse(names.begin(), names.end());
    return names;
}

bool ReadWhole(const QString &fileName, QByteArray &data)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > TUnicodeIniFile::MaxFileSize)
        return false;
    data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

void RemoveOldBackups(const QString &folder, const QDateTime &now)
{
    const QStringList names = BackupNames(folder);
    QSet<QDate> days;
    const QDate today = now.toLocalTime().date();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QDate day = TimeOfName(names[i]).toLocalTime().date();
        // The newest of each recent day stays beside the newest versions.
        const bool newestOfRecentDay = day.daysTo(today) < KeptBackupDays && !days.contains(day);
        days.insert(day);
        if (i >= KeptBackups && !newestOfRecentDay)
            QFile::remove(JoinPath(folder, names[i]));
    }
}

} // namespace

QString BackupFolder(const QString &iniName)
{
    const QString data = OwnDataDir();
    if (data.isEmpty())
        return {};
    const QFileInfo info(iniName);
    const QByteArray hash =
        QCryptographicHash::hash(info.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(8);
    return JoinPath(data, QStringLiteral("backups/") + info.completeBaseName() + u'-' +
                              QString::fromLatin1(hash));
}

bool BackupCatalogueFile(const QString &iniName, const QDateTime &now)
{
    const QFileInfo info(iniName);
    if (!info.exists())
        return true;
    const QString folder = BackupFolder(iniName);
    QByteArray data;
    if (folder.isEmpty() || !QDir().mkpath(folder) || !ReadWhole(iniName, data))
        return false;
    const QStringList names = BackupNames(folder);
    QByteArray newest;
    if (names.isEmpty() || !ReadWhole(JoinPath(folder, names.front()), newest) || newest != data) {
        const QDateTime modified = info.lastModified().toUTC();
        QString name = modified.toString(NameFormat);
        // Two versions within one millisecond (a restore, say) keep both.
        for (int n = 1; QFileInfo::exists(JoinPath(folder, name + Extension)); ++n)
            name = modified.toString(NameFormat) + u'_' + QString::number(n);
        const QString backup = JoinPath(folder, name + Extension);
        try {
            WriteFileSafely(backup, data);
        } catch (const ERavelinError &) {
            return false;
        }
        QFile written(backup);
        if (written.open(QIODevice::Append))
            written.setFileTime(info.lastModified(), QFileDevice::FileModificationTime);
    }
    RemoveOldBackups(folder, now);
    return true;
}

QList<TCatalogueBackup> ListBackups(const QString &iniName)
{
    QList<TCatalogueBackup> backups;
    const QString folder = BackupFolder(iniName);
    if (folder.isEmpty())
        return backups;
    for (const QString &name : BackupNames(folder)) {
        TCatalogueBackup backup;
        backup.FileName = JoinPath(folder, name);
        backup.Time = TimeOfName(name).toLocalTime();
        backup.EntryCount =
            int(EntrySections(TUnicodeIniFile::CreateForRead(backup.FileName)).size());
        backups.append(backup);
    }
    return backups;
}

void RestoreBackup(const QString &iniName, const TCatalogueBackup &backup)
{
    QByteArray data;
    if (!ReadWhole(backup.FileName, data)) {
        throw EWriteError(
            SafeFormat(U_("Error reading from \"%s\""), QDir::toNativeSeparators(backup.FileName)));
    }
    BackupCatalogueFile(iniName);
    WriteFileSafely(iniName, data);
}
