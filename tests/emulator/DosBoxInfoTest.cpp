#include "emulator/DosBoxInfo.h"

#include "catalogue/Catalogue.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "emulator/DosBoxInterface.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An emulator folder whose program answers --version with the given text.
QString FakeEmulator(const QTemporaryDir &dir, const QString &name, const QByteArray &answer)
{
    const QString folder = dir.filePath(name);
    WriteStandInEmulator(folder + u'/' + DosBox::ProgramName, answer);
    return folder;
}

} // namespace

TEST(DosBoxInfo, ReadsOnlyTheVersionLine)
{
    QTemporaryDir dir;
    // DOSBox Staging logs warnings about its configuration on standard error
    // before it prints the version line; time stamps are no version.
    const QByteArray log = "2026-12-09 12:58:01.123 | CONFIG: Invalid option 'vsync_skip'\n"
                           "2026-12-09 12:58:01.124 | DOSBox version 9.99.9 in a log\n";
    const struct
    {
        const char *out;
        const char *desc;
        bool staging;
        TDosBoxVersion version;
    } cases[] = {
        {"\nDOSBox version 0.74-3, copyright 2002-2019 DOSBox Team.",
         "DOSBox (0.74.3)",
         false,
         {true, 0, 74, 3, {}}},
        {"dosbox-staging, version 0.82.2 (f8c24)\n\nCopyright (C) 2020-2024",
         "DOSBox Staging (0.82.2)",
         true,
         {true, 0, 82, 2, {}}},
        {"dosbox-staging, version 0.83.0-RC1 (81835)",
         "DOSBox Staging (0.83.0-RC1)",
         true,
         {true, 0, 83, 0, QStringLiteral("-RC1")}},
        {"dosbox (dosbox-staging), version 0.78.1",
         "DOSBox Staging (0.78.1)",
         true,
         {true, 0, 78, 1, {}}},
        // The words decide the variant; a version that cannot be read is unknown.
        {"dosbox-staging, version git-main", "DOSBox Staging", true, {}},
        {"DOSBox version 0.80.1", "DOSBox (0.80.1)", false, {true, 0, 80, 1, {}}},
        {"2026-12-09 12:58 | version 41.649", "", false, {}},
        {"", "", false, {}},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString folder = dir.filePath(QString::number(++n));
        WriteTestProgram(folder + u'/' + DosBox::ProgramName, "#!/bin/sh\ncat >&2 <<'EOF'\n" + log +
                                                                  "EOF\ncat <<'EOF'\n" +
                                                                  QByteArray(c.out) + "\nEOF\n");
        QString desc = QStringLiteral("old");
        TDosBoxVariant variant{!c.staging, {true, 1, 2, 3, {}}};
        UpdateDosBoxInfo(folder, desc, variant);
        EXPECT_EQ(desc, QString::fromLatin1(c.desc)) << c.out;
        EXPECT_EQ(variant.Staging, c.staging) << c.out;
        EXPECT_EQ(variant.Version, c.version) << c.out;
    }

    TBasicSettings settings;
    settings.DosBoxPath = dir.filePath(QStringLiteral("empty"));
    settings.DosBoxDesc = QStringLiteral("old");
    settings.IsStaging = true;
    InitVersion(settings);
    EXPECT_EQ(settings.DosBoxDesc, QString());
    EXPECT_FALSE(settings.IsStaging);
}

TEST(DosBoxInfo, TheEmulatorNamesItsOwnConfiguration)
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("home/.dosbox/dosbox-0.74-3.conf"));
    WriteTestFile(conf, "[sdl]\r\n");

    // The path comes after whatever the program prints first.
    const QByteArray banner = "DOSBox version 0.74-3\n\n";
    EXPECT_EQ(EmulatorDefaultConfig(FakeEmulator(dir, QStringLiteral("a"), banner + conf.toUtf8())),
              conf);
    // A path that names no file, a relative name or no path at all suggest nothing.
    const QByteArray answers[] = {banner + dir.filePath(QStringLiteral("missing.conf")).toUtf8(),
                                  QByteArray("dosbox-0.74-3.conf"), banner};
    int n = 0;
    for (const QByteArray &answer : answers) {
        const QString folder = FakeEmulator(dir, QString::number(++n), answer);
        EXPECT_EQ(EmulatorDefaultConfig(folder), QString()) << answer.constData();
    }
    EXPECT_EQ(EmulatorDefaultConfig(dir.filePath(QStringLiteral("no emulator"))), QString());
    EXPECT_EQ(EmulatorDefaultConfig(QString()), QString());
}

// The real emulator writes its defaults into the (test) home on the question.
TEST(DosBoxInfo, TheRealEmulatorWritesItsDefaultConfiguration)
{
    const QString folder = QStringLiteral("/usr/bin");
    if (!QFileInfo(folder + u'/' + DosBox::ProgramName).isExecutable())
        GTEST_SKIP() << "no dosbox installed";
    TDosBoxVariant variant;
    QString desc;
    UpdateDosBoxInfo(folder, desc, variant);
    if (variant.Staging)
        GTEST_SKIP() << "the installed dosbox is DOSBox Staging";
    const QString conf = EmulatorDefaultConfig(folder);
    ASSERT_FALSE(conf.isEmpty());
    EXPECT_TRUE(conf.startsWith(QDir::homePath())) << qPrintable(conf);
    EXPECT_GT(QFileInfo(conf).size(), 0);
}

TEST(FindDosBoxDir, PathThenOpt)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    for (const char *d : {"a", "b", "c", "opt/dosbox-staging", "opt/other"})
        root.mkpath(QString::fromLatin1(d));
    auto touch = [&](const QString &name, bool exec) {
        if (exec)
            WriteTestProgram(dir.filePath(name), QByteArray());
        else
            WriteTestFile(dir.filePath(name));
    };
    touch(QStringLiteral("a/other"), true);
    touch(QStringLiteral("b/dosbox"), false);
    touch(QStringLiteral("c/dosbox-x"), true);
    const QString a = dir.filePath(QStringLiteral("a"));
    const QString b = dir.filePath(QStringLiteral("b"));
    const QString c = dir.filePath(QStringLiteral("c"));
    const QString opt = dir.filePath(QStringLiteral("opt"));
    EXPECT_EQ(FindDosBoxDirIn({a, b, c}, opt), c);
    EXPECT_EQ(FindDosBoxDirIn({a, b}, opt), dir.filePath(QStringLiteral("opt/dosbox-staging")));
    EXPECT_EQ(FindDosBoxDirIn({a}, dir.filePath(QStringLiteral("none"))), QString());
}
