#include "texttools/TextSearch.h"
#include "common/TestUtils.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(TextSearch, DownFromSelectionEnd)
{
    const QString text = S("abc Abc abc");
    TSearchOptions down;
    EXPECT_EQ(FindText(text, S("abc"), 0, 0, down), 0);
    // A hit already selected is not found again.
    EXPECT_EQ(FindText(text, S("abc"), 0, 3, down), 4);
    down.MatchCase = true;
    EXPECT_EQ(FindText(text, S("abc"), 0, 3, down), 8);
    EXPECT_EQ(FindText(text, S("abc"), 8, 11, down), -1);
    EXPECT_EQ(FindText(text, QString(), 0, 0, down), -1);
    EXPECT_EQ(FindText(S("ab"), S("abc"), 0, 0, down), -1);
}

TEST(TextSearch, UpEndsBeforeSelectionStart)
{
    const QString text = S("abc abc abc");
    TSearchOptions up;
    up.Down = false;
    EXPECT_EQ(FindText(text, S("abc"), 11, 11, up), 8);
    EXPECT_EQ(FindText(text, S("abc"), 8, 11, up), 4);
    // A hit overlapping the selection's start does not count.
    EXPECT_EQ(FindText(text, S("abc"), 6, 6, up), 0);
    EXPECT_EQ(FindText(text, S("abc"), 0, 3, up), -1);
}

TEST(TextSearch, WholeWords)
{
    const QString text = S("section subsection section2 [section]\nsection");
    TSearchOptions whole;
    whole.WholeWord = true;
    EXPECT_EQ(FindText(text, S("section"), 0, 7, whole), 29);
    EXPECT_EQ(FindText(text, S("section"), 29, 36, whole), 38);
    whole.Down = false;
    EXPECT_EQ(FindText(text, S("section"), 29, 36, whole), 0);
    EXPECT_EQ(FindText(S("Grüße grüßen"), S("grüße"), 0, 0, whole), -1);
}
