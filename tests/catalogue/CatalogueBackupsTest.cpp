#include "catalogue/CatalogueBackups.h"

#include "catalogue/Catalogue.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/PathUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QByteArray Catalogue(int entries)
{
    QByteArray text = "[Config]\r\nAppCount=" + QByteArray::number(entries) + "\r\n";
    for (int i = 1; i <= entries; ++i)
        text += "[" + AppSectionName(i).toLatin1() + "]\r\nAppName=E\r\n";
    return text;
}

} // namespace

TEST(CatalogueBackups, KeepsRecentVersionsAndOnePerDay)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(S("games.ini"));
    const QString folder = BackupFolder(ini);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_NE(folder, BackupFolder(dir.filePath(S("sub/games.ini"))));
    QDir().mkpath(folder);
    const QDateTime now = QDateTime::currentDateTime();
    // 12 versions of the last hours, and one each day before, two on day 3.
    QStringList names;
    for (int i = 0; i < 12; ++i)
        names.append(now.addSecs(-60 * (i + 1)).toUTC().toString(S("yyyyMMdd-HHmmsszzz")));
    for (int day = 1; day <= 10; ++day)
        names.append(now.addDays(-day).toUTC().toString(S("yyyyMMdd-HHmmsszzz")));
    names.append(now.addDays(-3).addSecs(-60).toUTC().toString(S("yyyyMMdd-HHmmsszzz")));
    for (const QString &name : names)
        WriteTestFile(JoinPath(folder, name + S(".ini")), Catalogue(1));

    WriteTestFile(ini, Catalogue(3));
    ASSERT_TRUE(BackupCatalogueFile(ini, now));
    QList<TCatalogueBackup> backups = ListBackups(ini);
    // The 10 newest (the new one among them) and the newest of days 1 to 6.
    ASSERT_EQ(backups.size(), 16);
    EXPECT_EQ(backups[0].EntryCount, 3);
    EXPECT_EQ(backups[1].EntryCount, 1);
    EXPECT_LT(now.toLocalTime().date().daysTo(backups.back().Time.date()), 0);
    EXPECT_GT(now.toLocalTime().date().daysTo(backups.back().Time.date()), -7);
    for (qsizetype i = 1; i < backups.size(); ++i)
        EXPECT_GT(backups[i - 1].Time, backups[i].Time);

    // The same content again makes no new version.
    ASSERT_TRUE(BackupCatalogueFile(ini, now));
    EXPECT_EQ(ListBackups(ini).size(), 16);

    // Restoring keeps the current file as a backup first.
    WriteTestFile(ini, Catalogue(5));
    RestoreBackup(ini, backups[1]);
    EXPECT_EQ(ReadTestFile(ini), Catalogue(1));
    backups = ListBackups(ini);
    EXPECT_EQ(backups[0].EntryCount, 5);
}
