#include "support/SystemDrives.h"
#include "common/TestUtils.h"
#include "support/NumberUtils.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(FormatByteSize, UnitsAndDecimals)
{
    const QLocale c(QLocale::C);
    EXPECT_EQ(FormatByteSize(0, c), S("0 B"));
    EXPECT_EQ(FormatByteSize(1023, c), S("1023 B"));
    EXPECT_EQ(FormatByteSize(1024, c), S("1.00 KiB"));
    EXPECT_EQ(FormatByteSize(1536, c), S("1.50 KiB"));
    EXPECT_EQ(FormatByteSize(10240, c), S("10.0 KiB"));
    EXPECT_EQ(FormatByteSize(12800, c), S("12.5 KiB"));
    EXPECT_EQ(FormatByteSize(512 * 1024, c), S("512 KiB"));
    EXPECT_EQ(FormatByteSize(1048576, c), S("1.00 MiB"));
    EXPECT_EQ(FormatByteSize(1000204886016LL, c), S("931.51 GiB"));
    EXPECT_EQ(FormatByteSize(2000398934016LL, c), S("1863.02 GiB"));
    EXPECT_EQ(FormatByteSize(1536, QLocale(QLocale::German)), S("1,50 KiB"));
    EXPECT_EQ(FormatByteSize(2000398934016LL, QLocale(QLocale::German)), S("1863,02 GiB"));
    EXPECT_EQ(FormatByteSize(1024), S("1.00 KiB")); // tests run in the C locale
}

TEST(Drives, TypesFromFileSystemAndDevice)
{
    EXPECT_EQ(DriveTypeOf("iso9660", "/dev/loop3"), TDriveType::dtCdRom);
    EXPECT_EQ(DriveTypeOf("udf", "/dev/sdc"), TDriveType::dtCdRom);
    EXPECT_EQ(DriveTypeOf("", "/dev/sr0"), TDriveType::dtCdRom);
    EXPECT_EQ(DriveTypeOf("nfs4", "server:/export"), TDriveType::dtRemote);
    EXPECT_EQ(DriveTypeOf("cifs", "//server/share"), TDriveType::dtRemote);
    EXPECT_EQ(DriveTypeOf("tmpfs", "tmpfs"), TDriveType::dtRamDisk);
    EXPECT_EQ(DriveTypeOf("ext4", "/dev/no-such-disk"), TDriveType::dtFixed);
    EXPECT_EQ(DriveTypeOf("", "none"), TDriveType::dtUnknown);
}

TEST(Drives, RootVolumeIsListed)
{
    const TDriveTypes all{TDriveType::dtUnknown, TDriveType::dtNoRoot, TDriveType::dtRemovable,
                          TDriveType::dtFixed,   TDriveType::dtRemote, TDriveType::dtCdRom,
                          TDriveType::dtRamDisk};
    const QList<TDriveProperties> drives = GetDriveList(all);
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first().DriveName, S("/"));
    EXPECT_EQ(drives.first().Number, 0);
    EXPECT_FALSE(drives.first().VolName.isEmpty());
    for (const TDriveProperties &d : drives)
        EXPECT_TRUE(d.DriveName.endsWith(u'/')) << d.DriveName.toStdString();
    EXPECT_TRUE(GetDriveList(TDriveTypes{}).isEmpty());

    QString label;
    EXPECT_TRUE(VolumeName(S("/usr/bin"), label));
    EXPECT_FALSE(VolumeName(S("/no/such/path"), label));
    EXPECT_EQ(label, S("not available"));
    EXPECT_EQ(DriveRoot(S("/no/such/path")), QString());
    EXPECT_TRUE(DriveRoot(S("/usr/bin")).endsWith(u'/'));
}
