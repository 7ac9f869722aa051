#include "texttools/TextConversion.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "support/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QByteArray B(const char *s, qsizetype n = -1)
{
    return n < 0 ? QByteArray(s) : QByteArray(s, n);
}
} // namespace

TEST(TextConversion, SplitLines)
{
    EXPECT_EQ(SplitLines(QString()), QStringList());
    EXPECT_EQ(SplitLines(S("a")), QStringList{S("a")});
    EXPECT_EQ(SplitLines(S("a\r\nb\nc\rd")), (QStringList{S("a"), S("b"), S("c"), S("d")}));
    EXPECT_EQ(SplitLines(S("a\n")), QStringList{S("a")});
    EXPECT_EQ(SplitLines(S("a\n\n")), (QStringList{S("a"), QString()}));
    EXPECT_EQ(SplitLines(S("\r\n")), QStringList{QString()});
    EXPECT_EQ(SplitLines(S("a\n\rb")), (QStringList{S("a"), QString(), S("b")}));
}

TEST(TextConversion, ConvertedFileName)
{
    EXPECT_EQ(ConvertedFileName(S("/docs/readme.txt"), 437), S("readme-437.txt"));
    EXPECT_EQ(ConvertedFileName(S("/docs/readme.txt"), 1252), S("readme-1252.txt"));
    EXPECT_EQ(ConvertedFileName(S("/docs/notes"), 850), S("notes-850"));
    EXPECT_EQ(ConvertedFileName(S("/docs/a.b/c.tar.gz"), 77), S("c.tar-077.gz"));
}

TEST(TextConversion, ConvertTextFile)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(S("in.txt"));
    const QString target = dir.filePath(S("out.txt"));

    // UTF-8 with mark to 437; the last line gets its break.
    WriteTestFile(source, B("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                            "e"));
    ConvertTextFile(source, target, 437);
    EXPECT_EQ(ReadTestFile(target), B("Gr\x81\xE1"
                                      "e\r\n"));
    EXPECT_EQ(ReadTestFile(source), B("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                      "e"));

    // LF-only lines, UTF-16 LE with mark, to ANSI without a mark; the target
    // is replaced.
    WriteTestFile(source, B("\xFF\xFE"
                            "a\0\n\0\xE9\0\n\0",
                            10));
    ConvertTextFile(source, target, 1252);
    EXPECT_EQ(ReadTestFile(target), B("a\r\n\xE9\r\n"));

    // UTF-16 BE; CR-only lines.
    WriteTestFile(source, B("\xFE\xFF\0x\0\r\0y", 8));
    ConvertTextFile(source, target, 850);
    EXPECT_EQ(ReadTestFile(target), B("x\r\ny\r\n"));

    // Without a mark: UTF-8 where it is valid, otherwise 8-bit ANSI.
    WriteTestFile(source, B("\xC3\xA4\n"));
    ConvertTextFile(source, target, 850);
    EXPECT_EQ(ReadTestFile(target), B("\x84\r\n"));
    WriteTestFile(source, B("\xE4\n"));
    ConvertTextFile(source, target, 850);
    EXPECT_EQ(ReadTestFile(target), B("\x84\r\n"));

    // Source and target may be one file.
    WriteTestFile(source, B("one\ntwo"));
    ConvertTextFile(source, source, 437);
    EXPECT_EQ(ReadTestFile(source), B("one\r\ntwo\r\n"));

    // An empty file stays empty.
    WriteTestFile(source, QByteArray());
    ConvertTextFile(source, target, 437);
    EXPECT_EQ(ReadTestFile(target), QByteArray());
}

TEST(TextConversion, BestFitAndWhatHadNone)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(S("in.txt"));
    const QString target = dir.filePath(S("out.txt"));
    // En dash, Polish L with stroke, euro sign, e acute: 437 holds only the
    // last; the others take their plain spelling. A CJK character has none.
    WriteTestFile(source, B("\xEF\xBB\xBF\xE2\x80\x93 \xC5\x81\xC3\xB3"
                            "d\xC5\xBA \xE2\x82\xAC"
                            "5 "
                            "caf\xC3\xA9\n\xE6\xBC\xA2"));
    const TConversionReport report = ConvertTextFile(source, target, 437);
    EXPECT_EQ(ReadTestFile(target), B("- L\xA2"
                                      "dz EUR5 caf\x82\r\n?\r\n"));
    EXPECT_EQ(report.Lines, 2);
    EXPECT_EQ(report.NoFit, 1);
    // Where the code page has the character, it is kept.
    EXPECT_EQ(ConvertTextFile(source, target, 852).NoFit, 1);
    EXPECT_TRUE(ReadTestFile(target).startsWith(B("- \x9D")));
}

TEST(TextConversion, FailuresKeepTheFiles)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(S("in.txt"));
    WriteTestFile(source, B("text"));
    EXPECT_THROW(ConvertTextFile(dir.filePath(S("missing.txt")), dir.filePath(S("x.txt")), 437),
                 ERavelinError);
    EXPECT_FALSE(QFile::exists(dir.filePath(S("x.txt"))));
    EXPECT_THROW(ConvertTextFile(source, dir.filePath(S("no/such/dir/x.txt")), 437), EWriteError);
    EXPECT_THROW(ConvertTextFile(source, dir.filePath(S("x.txt")), 4711), ERavelinError);
    EXPECT_EQ(ReadTestFile(source), B("text"));
}
