#include "emulator/DosBoxVariant.h"

#include "common/TestUtils.h"

#include <gtest/gtest.h>

namespace {

TDosBoxVariant Staging(int minor)
{
    return {true, {true, 0, minor, 0, {}}};
}

} // namespace

// What the real builds accept: 0.82.2 and 0.83.0-rc1 of DOSBox Staging and
// the classic 0.74-3.
TEST(DosBoxVariant, KeysAndCommandsFollowTheVersion)
{
    const TDosBoxVariant classic{false, {true, 0, 74, 3, {}}};
    const TDosBoxVariant unknown{true, {}};
    const struct
    {
        TDosBoxVariant variant;
        bool cpuCycles;
        const char *layoutKey;
        const char *layout;
        const char *imageMount;
        const char *noLocalConf;
    } cases[] = {
        {classic, false, "keyboardlayout", "gr", "IMGMOUNT ", ""},
        {Staging(81), false, "keyboardlayout", "gr", "IMGMOUNT ", " -nolocalconf"},
        {Staging(82), true, "keyboardlayout", "gr", "IMGMOUNT ", " -nolocalconf"},
        {Staging(83), true, "keyboard_layout", "gr 850", "MOUNT ", " -nolocalconf"},
        {TDosBoxVariant{true, {true, 1, 0, 0, {}}}, true, "keyboard_layout", "gr 850", "MOUNT ",
         " -nolocalconf"},
        {unknown, true, "keyboard_layout", "gr 850", "MOUNT ", " -nolocalconf"},
    };
    for (const auto &c : cases) {
        const TDosBoxVersion &v = c.variant.Version;
        SCOPED_TRACE(testing::Message() << c.variant.Staging << ' ' << v.Major << '.' << v.Minor);
        EXPECT_EQ(c.variant.HasCpuCyclesKeys(), c.cpuCycles);
        EXPECT_EQ(c.variant.KeyboardLayoutKey(), QString::fromLatin1(c.layoutKey));
        EXPECT_EQ(c.variant.KeyboardLayoutValue(QStringLiteral(" GR "), 850),
                  QString::fromLatin1(c.layout));
        EXPECT_EQ(c.variant.KeyboardLayoutValue(QString(), 850), QStringLiteral("auto"));
        EXPECT_EQ(c.variant.ImageMountCommand(), QString::fromLatin1(c.imageMount));
        EXPECT_EQ(c.variant.NoLocalConfigOption(), QString::fromLatin1(c.noLocalConf));
    }
    EXPECT_EQ(KeybCommand(QStringLiteral("GR"), 850), QStringLiteral("KEYB gr 850"));
    EXPECT_EQ(KeybCommand(QStringLiteral("sf"), 0), QStringLiteral("KEYB sf"));
}

TEST(DosBoxVariant, LanguageInTheFormTheVersionLoads)
{
    const QString lng = QStringLiteral("/emu/resources/translations/DE.lng");
    const QString named = QStringLiteral("/home/u/german.lng");
    const QString po = QStringLiteral("/home/u/my fr.po");
    const TDosBoxVariant classic{false, {true, 0, 74, 3, {}}};
    EXPECT_EQ(classic.LanguageValue(named), named);
    EXPECT_EQ(classic.LanguageValue(po), QString());
    // 0.82 takes the code of a bundled translation only ("/h" of a path).
    EXPECT_EQ(Staging(82).LanguageValue(lng), QStringLiteral("de"));
    EXPECT_EQ(Staging(82).LanguageValue(named), QString());
    EXPECT_EQ(Staging(82).LanguageValue(po), QString());
    EXPECT_EQ(Staging(83).LanguageValue(lng), QStringLiteral("de"));
    EXPECT_EQ(Staging(83).LanguageValue(po), po);
    EXPECT_EQ(Staging(83).LanguageValue(named), QString());
}
