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

TEST(DosBoxInfo, TellsTheVariantFromTheVersion)
{
    QTemporaryDir dir;
    const struct
    {
        const char *answer;
        const char *desc;
        bool staging;
    } cases[] = {
        {"DOSBox version 0.74-3, copyright 2002-2019 DOSBox Team.", "DOSBox (0.74.0)", false},
        {"dosbox-staging, version 0.81.1\n\nCopyright (C) 2020-2023", "DOSBox Staging (0.81.0)",
         true},
        {"DOSBox Staging version 0.82.0", "DOSBox Staging (0.82.0)", true},
        {"DOSBox version 0.80.1", "DOSBox (0.80.0)", false},
        {"no version here", "", false},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString folder = FakeEmulator(dir, QString::number(++n), QByteArray(c.answer));
        QString desc = QStringLiteral("old");
        bool staging = !c.staging;
        UpdateDosBoxInfo(folder, desc, staging);
        EXPECT_EQ(desc, QString::fromLatin1(c.desc)) << c.answer;
        EXPECT_EQ(staging, c.staging) << c.answer;
    }

    TBasicSettings settings;
    settings.DosBoxPath = dir.filePath(QStringLiteral("empty"));
    settings.DosBoxDesc = QStringLiteral("old");
    settings.IsStaging = true;
    InitVersion(settings);
    EXPECT_EQ(settings.DosBoxDesc, QString());
    EXPECT_FALSE(settings.IsStaging);
}

TEST(DosBoxInfo, VersionTexts)
{
    const struct
    {
        const char *version;
        const char *desc;
        bool staging;
    } cases[] = {
        {"0.74.3.0", "DOSBox (0.74.0)", false}, {"0.81.1", "DOSBox (0.81.0)", true},
        {"0,82,0,1", "DOSBox (0.82.1)", true},  {"0.8x.1", "DOSBox (0.0.0)", false},
        {"", "DOSBox (0.0.0)", false},
    };
    for (const auto &c : cases) {
        TFileVersionInfo info;
        info.Description = QStringLiteral("DOSBox");
        info.Version = QString::fromLatin1(c.version);
        QString desc;
        bool staging = false;
        DescribeDosBox(info, desc, staging);
        EXPECT_EQ(desc, QString::fromLatin1(c.desc)) << c.version;
        EXPECT_EQ(staging, c.staging) << c.version;
    }
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
    bool staging = false;
    QString desc;
    UpdateDosBoxInfo(folder, desc, staging);
    if (staging)
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
