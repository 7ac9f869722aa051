#include "support/StringUtils.h"
#include "common/TestUtils.h"
#include "support/SmallSet.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

QStringList Drain(QString list, QChar sep, bool quoted)
{
    QStringList items;
    for (int guard = 0; !list.isEmpty() && guard < 100; ++guard)
        items << (quoted ? ReadNextQuotedItem(list, sep) : ReadNextItem(list, sep));
    return items;
}

} // namespace

TEST(StringUtils, ReadNextItemKeepsEmptyItemsButNoTrailingOne)
{
    EXPECT_EQ(Drain(QStringLiteral("a;;b"), u';', false),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    QString list = QStringLiteral("a;");
    EXPECT_EQ(ReadNextItem(list, u';'), QStringLiteral("a"));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(ReadNextItem(list, u';'), QString());
    list = QStringLiteral(" \"x;y\" ;z");
    EXPECT_EQ(ReadNextItem(list, u';'), QStringLiteral(" \"x"));
}

TEST(StringUtils, ReadNextQuotedItemFollowsTheQuoteRules)
{
    QString list = QStringLiteral("  \"a;b\";c");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("a;b"));
    EXPECT_EQ(list, QStringLiteral("c"));

    list = QStringLiteral("\"say \"\"hi\"\"\"");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("say \"hi\""));
    EXPECT_TRUE(list.isEmpty());

    list = QStringLiteral("\"\"");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QString());
    list = QStringLiteral("\"abc");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("\"abc"));
    list = QStringLiteral("\"abc\"x;y");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("abc"));
    EXPECT_EQ(list, QStringLiteral("y"));
    list = QStringLiteral("abc ;def");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("abc "));
    EXPECT_EQ(list, QStringLiteral("def"));
    list = QStringLiteral("\"a");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QString());
    list = QStringLiteral("\"ab");
    EXPECT_EQ(ReadNextQuotedItem(list, u';'), QStringLiteral("\"ab"));

    EXPECT_EQ(Drain(QStringLiteral("  \"C:\\My Games\\x.exe\"  -c exit"), u' ', true),
              (QStringList{QStringLiteral("C:\\My Games\\x.exe"), QStringLiteral("-c"),
                           QStringLiteral("exit")}));
    const QString text = QStringLiteral("\"d:\\a b\\x.iso\" e.iso");
    EXPECT_EQ(FirstQuotedItem(text, u' '), QStringLiteral("d:\\a b\\x.iso"));
    EXPECT_EQ(text, QStringLiteral("\"d:\\a b\\x.iso\" e.iso"));
}

TEST(StringUtils, QuoteIfBlankRoundTripsThroughTheQuotedReader)
{
    EXPECT_EQ(QuoteIfBlank(QStringLiteral("C:\\Program Files\\DOSBox\\DOSBox.exe")),
              QStringLiteral("\"C:\\Program Files\\DOSBox\\DOSBox.exe\""));
    EXPECT_EQ(QuoteIfBlank(QStringLiteral("C:\\DOSBox\\DOSBox.exe")),
              QStringLiteral("C:\\DOSBox\\DOSBox.exe"));
    EXPECT_EQ(QuoteIfBlank(QString()), QString());
    EXPECT_EQ(QuoteIfBlank(QStringLiteral("a\"b")), QStringLiteral("a\"b"));
    for (const QString &s : {QStringLiteral("my \"odd\" name"), QStringLiteral("a b"),
                             QStringLiteral("/home/u/My Games/x.exe")}) {
        QString list = QuoteIfBlank(s) + QStringLiteral(" next");
        EXPECT_EQ(ReadNextQuotedItem(list, u' '), s);
        EXPECT_EQ(list, QStringLiteral("next"));
    }
}

TEST(StringUtils, ReadNextIntTakesDefaultsForMissingOrBadItems)
{
    QString list = QStringLiteral("80:75");
    EXPECT_EQ(ReadNextInt(list, u':', 100), 80);
    EXPECT_EQ(ReadNextInt(list, u':', 100), 75);
    EXPECT_EQ(ReadNextInt(list, u':', 100), 100);
    list = QStringLiteral(" -5,x1,,7 ,9");
    EXPECT_EQ(ReadNextInt(list, u',', -1), -5);
    EXPECT_EQ(ReadNextInt(list, u',', -1), -1);
    EXPECT_EQ(ReadNextInt(list, u',', -1), -1);
    EXPECT_EQ(ReadNextInt(list, u',', -1), -1); // trailing blank does not parse completely
    EXPECT_EQ(ReadNextInt(list, u',', -1), 9);
}

TEST(StringUtils, OptionWords)
{
    for (const char *w : {"L", "la", "LANG", ""})
        EXPECT_TRUE(MatchesAbbreviation(QString::fromLatin1(w), QStringLiteral("lang"))) << w;
    EXPECT_FALSE(MatchesAbbreviation(QStringLiteral("langx"), QStringLiteral("lang")));

    QString option = QStringLiteral("ini:d:\\x\\my.ini");
    EXPECT_TRUE(ReadOption(option, QStringLiteral("ini")));
    EXPECT_EQ(option, QStringLiteral("d:\\x\\my.ini"));
    option = QStringLiteral("lang");
    EXPECT_FALSE(ReadOption(option, QStringLiteral("lang")));
    option = QStringLiteral("port:x");
    EXPECT_FALSE(ReadOption(option, QStringLiteral("ini")));
    EXPECT_EQ(option, QStringLiteral("port:x"));
    option = QStringLiteral(":x");
    EXPECT_TRUE(ReadOption(option, QStringLiteral("lang")));
    EXPECT_EQ(option, QStringLiteral("x"));
}

TEST(StringUtils, CharacterHelpersAndPadding)
{
    EXPECT_EQ(StripLeading(QStringLiteral("xxaxx"), u'x'), QStringLiteral("axx"));
    EXPECT_EQ(StripTrailing(QStringLiteral("xxaxx"), u'x'), QStringLiteral("xxa"));
    EXPECT_EQ(RemoveChar(QStringLiteral("a&b&&c"), u'&'), QStringLiteral("abc"));
    EXPECT_EQ(ChangeTextCase(QStringLiteral("Grüße"), TTextChange::tcUpper).left(3),
              QStringLiteral("GRÜ"));
    EXPECT_EQ(ChangeTextCase(QStringLiteral("AbC"), TTextChange::tcLower), QStringLiteral("abc"));
    EXPECT_EQ(ChangeTextCase(QStringLiteral("AbC"), TTextChange::tcNone), QStringLiteral("AbC"));
    EXPECT_EQ(ZeroPaddedInt(3, 7), QStringLiteral("007"));
    EXPECT_EQ(ZeroPaddedInt(3, 1234), QStringLiteral("1234"));
    EXPECT_EQ(ZeroPaddedInt(3, -7), QStringLiteral("-007"));
    EXPECT_EQ(ZeroPaddedInt(1, std::numeric_limits<qint64>::min()),
              QStringLiteral("-9223372036854775808"));
    EXPECT_TRUE(SameText(QStringLiteral("STRASSE"), QStringLiteral("strasse")));
    EXPECT_TRUE(SameText(QStringLiteral("ÄRGER"), QStringLiteral("ärger")));
}

TEST(StringUtils, SmallSetWordRoundTrip)
{
    enum class Mode
    {
        a,
        b,
        c,
        d
    };
    const TSmallSet<Mode> s{Mode::a, Mode::c};
    EXPECT_EQ(SetToWord(s), 5);
    EXPECT_EQ(WordToSet<Mode>(5), s);
    EXPECT_TRUE(WordToSet<Mode>(8).contains(Mode::d));
    EXPECT_FALSE(WordToSet<Mode>(8).contains(Mode::a));
}

TEST(SafeFormat, FormatsTheForms)
{
    EXPECT_EQ(SafeFormat(QStringLiteral("File %s not found"), QStringLiteral("x.txt")),
              QStringLiteral("File x.txt not found"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%d and %u, 100%%"), -3, 7u),
              QStringLiteral("-3 and 7, 100%"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%.3d|%.2f|%5d|%-4s|%05d"), 7, 3.14159, 42,
                         QStringLiteral("ab"), -42),
              QStringLiteral("007|3.14|   42|ab  |-0042"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%x %u %d"), -1, -1, std::numeric_limits<qint64>::min()),
              QStringLiteral("FFFFFFFFFFFFFFFF 18446744073709551615 -9223372036854775808"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%1:s %0:s"), QStringLiteral("a"), QStringLiteral("b")),
              QStringLiteral("b a"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%u directories with %u files deleted!"), 2, 5),
              QStringLiteral("2 directories with 5 files deleted!"));
}

TEST(SafeFormat, HostileFormatsGiveTheFormatError)
{
    const QString error = QStringLiteral("Format error: ");
    EXPECT_EQ(SafeFormat(QStringLiteral("File %s not found")),
              error + QStringLiteral("File %s not found"));
    for (const char *f : {"%d", "%s %s", "%", "abc %", "%.q", "%99999999999d", "%f", "%5:s",
                          "%.2s%z", "%-", "%s%n"}) {
        const QString format = QString::fromLatin1(f);
        EXPECT_EQ(SafeFormat(format, QStringLiteral("x")), error + format) << f;
    }
    EXPECT_EQ(SafeFormat(QStringLiteral("%s"), 5), error + QStringLiteral("%s"));
    EXPECT_EQ(SafeFormat(QStringLiteral("%d"), 2.5), error + QStringLiteral("%d"));
    // More arguments than placeholders are fine.
    EXPECT_EQ(SafeFormat(QStringLiteral("plain"), 1, 2), QStringLiteral("plain"));
}

TEST(DelimitedText, SplitsLikeTheDefaultsAreWritten)
{
    EXPECT_EQ(DelimitedTextToList(QStringLiteral("a,b")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    // Unquoted blanks separate, quotes keep blanks, commas and doubled quotes.
    EXPECT_EQ(DelimitedTextToList(QStringLiteral(" mount c ,\"say \"\"hi, there\"\"\", x")),
              (QStringList{QStringLiteral("mount"), QStringLiteral("c"),
                           QStringLiteral("say \"hi, there\""), QStringLiteral("x")}));
    EXPECT_EQ(DelimitedTextToList(QStringLiteral("a,,b,")),
              (QStringList{QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b"),
                           QStringLiteral("")}));
    EXPECT_EQ(DelimitedTextToList(QStringLiteral("\"open")), QStringList{QStringLiteral("open")});
    EXPECT_TRUE(DelimitedTextToList(QStringLiteral("   ")).isEmpty());
}
