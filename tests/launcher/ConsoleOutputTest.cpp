#include "launcher/ConsoleOutput.h"
#include "LauncherTestUtils.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include "support/PathUtils.h"
#include "texttools/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

TEST(ConsoleOutput, LinesOfEveryEncodingAndBreak)
{
    EXPECT_EQ(ReadTextLines(""), QStringList());
    EXPECT_EQ(ReadTextLines("\r\n"), QStringList{QString()});
    EXPECT_EQ(ReadTextLines("a\r\nb\nc\rd"),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")}));
    EXPECT_EQ(ReadTextLines("a\r\n\r\n"), (QStringList{QStringLiteral("a"), QString()}));
    EXPECT_EQ(ReadTextLines("\xef\xbb\xbf\xc3\xa4\r\n"), QStringList{QStringLiteral("ä")});
    EXPECT_EQ(ReadTextLines(QByteArray("\xff\xfe\xe4\x00\n\x00", 6)),
              QStringList{QStringLiteral("ä")});
    // Not UTF-8: read as the Windows code page instead of losing bytes.
    EXPECT_EQ(ReadTextLines("Gr\xfc\xdf"), QStringList{QStringLiteral("Grüß")});
    EXPECT_EQ(ReadTextLines("\xef\xbb\xbf"), QStringList());
}

TEST(ConsoleOutput, MissingAndEmptyFilesAreReported)
{
    QTemporaryDir dir;
    TScriptedPrompt prompt;
    EXPECT_FALSE(ReadConsoleFile(QStringLiteral("Doom"), dir.path(), DosBox::StdOutName, prompt));
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(prompt.asked.at(0),
              QStringLiteral("error: Application \"Doom\": File \"stdout.txt\" not found!"));

    WriteTestFile(dir.filePath(DosBox::StdErrName), QByteArray());
    EXPECT_FALSE(ReadConsoleFile(QStringLiteral("Doom"), dir.path(), DosBox::StdErrName, prompt));
    ASSERT_EQ(prompt.asked.size(), 2);
    EXPECT_EQ(prompt.asked.at(1),
              QStringLiteral("error: Application \"Doom\": File \"stderr.txt\" is empty!"));

    WriteTestFile(dir.filePath(DosBox::StdErrName), "\r\n");
    const auto lines =
        ReadConsoleFile(QStringLiteral("Doom"), dir.path(), DosBox::StdErrName, prompt);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList{QString()});
    EXPECT_EQ(prompt.asked.size(), 2);
    // The text window shows nothing for an empty text: one empty line must
    // still open it.
    EXPECT_EQ(ConsoleFileText(*lines), QStringLiteral("\r\n"));
    EXPECT_EQ(ConsoleFileText({QStringLiteral("a"), QStringLiteral("b")}),
              QStringLiteral("a\r\nb"));
    EXPECT_EQ(ConsoleFileTitle(QStringLiteral("Doom"), DosBox::StdErrName),
              QStringLiteral("Doom: stderr.txt"));
}

TEST(ConsoleOutput, DeletesBothFilesOnly)
{
    QTemporaryDir dir;
    WriteTestFile(dir.filePath(DosBox::StdOutName), "x");
    WriteTestFile(dir.filePath(DosBox::StdErrName), "y");
    WriteTestFile(dir.filePath(QStringLiteral("GAME.EXE")), "z");
    DeleteConsoleFiles(dir.path());
    EXPECT_FALSE(QFile::exists(dir.filePath(DosBox::StdOutName)));
    EXPECT_FALSE(QFile::exists(dir.filePath(DosBox::StdErrName)));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("GAME.EXE"))));
    DeleteConsoleFiles(dir.path()); // nothing left: no error
}

TEST(ConsoleOutput, OnlyEntriesMarkedForErasingLoseTheirFiles)
{
    QTemporaryDir dir;
    TAppList apps;
    for (const char *name : {"keep", "erase", "hidden", "empty"}) {
        auto app = std::make_unique<TDosBoxApp>(QString(), QImage(), QImage(), 437, false);
        app->AppName = QString::fromLatin1(name);
        app->AppPath = dir.filePath(app->AppName);
        QDir().mkpath(app->AppPath);
        WriteTestFile(JoinPath(app->AppPath, DosBox::StdOutName), "out");
        WriteTestFile(JoinPath(app->AppPath, DosBox::StdErrName), "err");
        apps.push_back(std::move(app));
    }
    apps[1]->ConsoleMode = TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmErase};
    apps[2]->ConsoleMode = TConsoleModes{TConsoleMode::cmHide, TConsoleMode::cmOut};
    apps[3]->ConsoleMode = TConsoleModes{TConsoleMode::cmErase};
    apps[3]->AppPath.clear(); // never the current folder's files
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    WriteTestFile(DosBox::StdOutName, "current folder");
    DeleteConsoleFiles(apps);
    EXPECT_TRUE(QFile::exists(DosBox::StdOutName));
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("keep/stdout.txt"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("erase/stdout.txt"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("erase/stderr.txt"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("hidden/stderr.txt"))));

    TScriptedPrompt prompt;
    const auto lines = ReadConsoleFile(*apps[0], DosBox::StdErrName, prompt);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList{QStringLiteral("err")});
}

TEST(ConsoleOutput, PipesAndHugeFilesAreReportedNotRead)
{
    QTemporaryDir dir;
    TScriptedPrompt prompt;
    const QString out = dir.filePath(DosBox::StdOutName);
    ASSERT_EQ(mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    EXPECT_FALSE(ReadConsoleFile(QStringLiteral("Doom"), dir.path(), DosBox::StdOutName, prompt));
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_TRUE(prompt.asked[0].contains(QStringLiteral("is not a regular file")))
        << prompt.asked[0].toStdString();

    QFile big(dir.filePath(DosBox::StdErrName));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(MaxShownTextSize + 1));
    big.close();
    EXPECT_FALSE(ReadConsoleFile(QStringLiteral("Doom"), dir.path(), DosBox::StdErrName, prompt));
    ASSERT_EQ(prompt.asked.size(), 2);
    EXPECT_TRUE(prompt.asked[1].contains(QStringLiteral("too large")))
        << prompt.asked[1].toStdString();
}
