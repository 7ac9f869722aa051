#include "texttools/TextDecoding.h"
#include "common/TestUtils.h"
#include "texttools/CodePageList.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(CodePageList, OffersTheDosAndWindowsCodePages)
{
    for (int cp : {437, 850, 852, 858, 860, 865, 866, 869, 775, 1252, 65001, 1200}) {
        EXPECT_TRUE(IsValidCodePage(cp)) << cp;
        EXPECT_FALSE(CodePageName(cp).isEmpty()) << cp;
    }
    EXPECT_EQ(CodePageIcuName(437), QByteArray("IBM437"));
    EXPECT_EQ(CodePageIcuName(850), QByteArray("IBM850"));
    EXPECT_EQ(CodePageIcuName(1252), QByteArray("windows-1252"));
    EXPECT_EQ(CodePageIcuName(65001), QByteArray("UTF-8"));
    EXPECT_EQ(CodePageIcuName(1200), QByteArray("UTF-16LE"));
    EXPECT_FALSE(IsValidCodePage(0));
    EXPECT_FALSE(IsValidCodePage(4711));
    EXPECT_EQ(CodePageName(4711), QString());

    EXPECT_EQ(CodePageName(850), S("850   (OEM - Multilingual Latin I)"));
    EXPECT_EQ(CodePageName(1200), S("1200 (UTF-16)"));
}

TEST(CodePageList, BuildCodePageList)
{
    TCodePageChoices list{{S("keep"), 1}};
    ASSERT_TRUE(BuildCodePageList(list, S("Automatic")));
    ASSERT_GT(list.size(), 12);
    // The leading blank sorts the first entry before every description.
    EXPECT_EQ(list.first(), (TCodePageChoice{S(" Automatic"), 0}));
    EXPECT_TRUE(list.contains(TCodePageChoice{S("OEM - Multilingual Latin I - (850)"), 850}));
    EXPECT_TRUE(list.contains(TCodePageChoice{S("UTF-16 - (1200)"), 1200}));
    EXPECT_TRUE(list.contains(TCodePageChoice{S("ANSI - Latin I - (1252)"), 1252}));
    for (qsizetype i = 1; i < list.size(); ++i)
        EXPECT_LT(list[i - 1].Text.compare(list[i].Text, Qt::CaseInsensitive), 0) << i;

    ASSERT_TRUE(BuildCodePageList(list, QString()));
    EXPECT_NE(list.first().CodePage, 0);
}

namespace {
QByteArray B(const char *s, qsizetype n = -1)
{
    return n < 0 ? QByteArray(s) : QByteArray(s, n);
}
} // namespace

TEST(TextDecoding, DetectEncoding)
{
    EXPECT_EQ(DetectEncoding(B("\xFF\xFE"
                               "a\0",
                               4)),
              (TDetectedEncoding{1200, 2}));
    EXPECT_EQ(DetectEncoding(B("\xEF\xBB\xBF"
                               "abc")),
              (TDetectedEncoding{65001, 3}));
    EXPECT_EQ(DetectEncoding(B("Gr\xC3\xBC\xC3\x9F"
                               "e")),
              (TDetectedEncoding{65001, 0}));
    // Pure 7-bit text and text that is no UTF-8 are ANSI.
    EXPECT_EQ(DetectEncoding(B("plain")), (TDetectedEncoding{AnsiCodePage, 0}));
    EXPECT_EQ(DetectEncoding(B("\xC9\xCD\xBB")), (TDetectedEncoding{AnsiCodePage, 0}));
    // A sequence cut off at the end is not well-formed.
    EXPECT_EQ(DetectEncoding(B("ok \xC3")), (TDetectedEncoding{AnsiCodePage, 0}));
    // Big-endian UTF-16 by its byte-order mark, as every reader of the program.
    EXPECT_EQ(DetectEncoding(B("\xFE\xFF\0a", 4)), (TDetectedEncoding{CpUtf16Be, 2}));
    EXPECT_EQ(DetectEncoding(QByteArray()), (TDetectedEncoding{AnsiCodePage, 0}));
}

TEST(TextDecoding, BoxDrawingIn437AndAutomatic)
{
    const QByteArray box = B("\xC9\xCD\xBB\r\n\xBA"
                             "A\xBA\r\n\xC8\xCD\xBC\r\n");
    const TDecodedText cp437 = DecodeText(box, 437);
    EXPECT_FALSE(cp437.Failed);
    EXPECT_EQ(cp437.CodePage, 437);
    EXPECT_EQ(cp437.Text, S("╔═╗\r\n║A║\r\n╚═╝\r\n"));
    // Automatic: no UTF-8, so ANSI.
    const TDecodedText automatic = DecodeText(box, 0);
    EXPECT_EQ(automatic.CodePage, 1252);
    EXPECT_EQ(automatic.Text, S("ÉÍ»\r\nºAº\r\nÈÍ¼\r\n"));
}

TEST(TextDecoding, ChosenCodePageIsNotDetected)
{
    const QByteArray utf8 = B("Gr\xC3\xBC\xC3\x9F"
                              "e");
    EXPECT_EQ(DecodeText(utf8, 0).Text, S("Grüße"));
    EXPECT_EQ(DecodeText(utf8, 850).Text, S("Gr├╝├ƒe"));
}

TEST(TextDecoding, ByteOrderMarkOnlySkippedForItsCodePage)
{
    const QByteArray withMark = B("\xEF\xBB\xBF"
                                  "abc");
    const TDecodedText utf8 = DecodeText(withMark, 65001);
    EXPECT_EQ(utf8.Text, S("abc"));
    EXPECT_TRUE(utf8.HadByteOrderMark);
    const TDecodedText ansi = DecodeText(withMark, 1252);
    EXPECT_EQ(ansi.Text, S("ï»¿abc"));
    EXPECT_FALSE(ansi.HadByteOrderMark);

    EXPECT_EQ(DecodeText(B("\xFF\xFE"
                           "h\0i\0",
                           6),
                         1200)
                  .Text,
              S("hi"));
    EXPECT_EQ(DecodeText(B("\xFF\xFE"
                           "h\0i\0",
                           6),
                         0)
                  .Text,
              S("hi"));
}

TEST(TextDecoding, FailureFallsBackToAnsi)
{
    // Broken UTF-8 with 65001 chosen: read as ANSI, every byte kept.
    const TDecodedText broken = DecodeText(B("\xEF\xBB\xBF"
                                             "a\xFF"
                                             "b"),
                                           65001);
    EXPECT_TRUE(broken.Failed);
    EXPECT_EQ(broken.CodePage, AnsiCodePage);
    EXPECT_EQ(broken.Text, S("aÿb"));
    // An unknown code page.
    const TDecodedText unknown = DecodeText(B("x\x80"), 4711);
    EXPECT_TRUE(unknown.Failed);
    EXPECT_EQ(unknown.Text, S("x€"));
    // Empty input is no failure.
    const TDecodedText empty = DecodeText(QByteArray(), 437);
    EXPECT_FALSE(empty.Failed);
    EXPECT_TRUE(empty.Text.isEmpty());
}

TEST(TextDecoding, EncodeWithBestFitAndReplacement)
{
    EXPECT_EQ(EncodeText(S("Grüße"), 437), B("Gr\x81\xE1"
                                             "e"));
    // Letters without their accents, «…» and «€» spelled out, else "?".
    EXPECT_EQ(EncodeText(S("Ā…€✓"), 437), B("A...EUR?"));
    EXPECT_EQ(EncodeText(S("€"), 858), B("\xD5"));
    EXPECT_EQ(EncodeText(S("€"), 1252), B("\x80"));
    // Lone surrogates cannot be written anywhere.
    EXPECT_EQ(EncodeText(QString(QChar(0xD800)) + u'x', 850), B("?x"));
    EXPECT_EQ(EncodeText(S("x"), 4711), QByteArray());
}

TEST(TextDecoding, CodePage852HasItsNotSign)
{
    // ICU leaves the byte unmapped; CP 852 defines it.
    EXPECT_EQ(DecodeText(B("\xAA"), 852).Text, S("¬"));
    EXPECT_EQ(EncodeText(S("¬"), 852), B("\xAA"));
}

TEST(TextDecoding, EncodeExactlyRoundTrips)
{
    EXPECT_EQ(EncodeTextExactly(S("╔═╗ Grüße"), 437), B("\xC9\xCD\xBB Gr\x81\xE1"
                                                        "e"));
    EXPECT_EQ(EncodeTextExactly(S("Ā"), 437), std::nullopt);
    EXPECT_EQ(EncodeTextExactly(S("Ā€"), 65001), B("\xC4\x80\xE2\x82\xAC"));
    EXPECT_EQ(EncodeTextExactly(S("hi"), 1200), B("h\0i\0", 4));
    // Every byte of a DOS code page comes back as it was.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (int cp : {437, 850, 852, 858, 866, 1252}) {
        const std::optional<QString> text = DecodeBytes(all, cp);
        ASSERT_TRUE(text.has_value()) << cp;
        EXPECT_EQ(EncodeTextExactly(*text, cp), all) << cp;
    }
}
