#include "catalogue/AppSearch.h"

#include "support/SearchText.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

std::unique_ptr<TDosBoxApp> App(const char *name, const char *category = "",
                                const char *folder = "/dos/x", const char *description = "")
{
    auto app = std::make_unique<TDosBoxApp>(QString(), QImage(), QImage(), 437, false);
    app->AppName = S(name);
    app->Category = S(category);
    app->AppPath = S(folder);
    app->AppFile = S("GAME.EXE");
    app->Description = S(description);
    return app;
}

bool Matches(const char *text, const char *typed)
{
    return ContainsAllWords(FoldForSearch(S(text)), SearchWords(S(typed)));
}

} // namespace

TEST(SearchText, WordsCaseAndAccents)
{
    EXPECT_TRUE(Matches("Zürich 1995", "zurich"));
    EXPECT_TRUE(Matches("ZURICH", "Zürich"));
    EXPECT_TRUE(Matches("Monkey Island 2: LeChuck's Revenge", "monkey 2"));
    EXPECT_TRUE(Matches("Monkey Island 2: LeChuck's Revenge", "  lechucks   ISLAND "));
    EXPECT_FALSE(Matches("Monkey Island 2", "monkey 3"));
    EXPECT_TRUE(Matches("Die Siedler: Straße", "strasse siedler"));
    EXPECT_TRUE(Matches("Œuvre Ærø", "oeuvre aero"));
    EXPECT_TRUE(Matches("ﬁre", "fire"));
    // Nothing typed, or blanks alone, matches everything.
    EXPECT_TRUE(Matches("anything", ""));
    EXPECT_TRUE(Matches("", " \t "));
    EXPECT_TRUE(SearchWords(S(" \t ")).isEmpty());

    // Typing on narrows; changing or removing a word does not.
    const auto words = [](const char *t) { return SearchWords(S(t)); };
    EXPECT_TRUE(NarrowsSearch(words("monk"), words("mon")));
    EXPECT_TRUE(NarrowsSearch(words("mon 2"), words("mon")));
    EXPECT_TRUE(NarrowsSearch(words("mon"), words("")));
    EXPECT_FALSE(NarrowsSearch(words("mo"), words("mon")));
    EXPECT_FALSE(NarrowsSearch(words("max"), words("mon")));
}

TEST(AppSearchIndex, FindsInEveryFieldButNotAcrossThemOrInTheRootFolder)
{
    TAppList apps;
    apps.push_back(App("Monkey Island 2", "Adventure", "/dos/lucas/mi2"));
    apps.push_back(App("Doom", "", "/dos/id/doom", "Höllische Dämonen"));
    apps.push_back(App("Word", "Tools", "/dos/word"));
    TAppSearchIndex index;
    const auto find = [&](const char *typed) { return index.Find(apps, S("/dos"), S(typed)); };
    EXPECT_EQ(find(""), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(find("adv"), std::vector<int>{0});
    EXPECT_EQ(find("lucas"), std::vector<int>{0});
    EXPECT_EQ(find("damonen"), std::vector<int>{1});
    EXPECT_EQ(find("game.exe"), (std::vector<int>{0, 1, 2}));
    // The entry without category is found by the default category's name.
    EXPECT_EQ(find("misc"), std::vector<int>{1});
    // The root folder that all share is no match; neither is the seam
    // between two fields.
    EXPECT_TRUE(find("dos/").empty());
    EXPECT_TRUE(find("adventuregame").empty());

    // Narrowing searches among the last matches only: the results must be
    // the same as a search from scratch, for any sequence of typing.
    const char *const sequence[] = {"m", "mo", "mon", "mon 2", "mon 3", "mon", "d", "do", "", "o"};
    TAppSearchIndex fresh;
    for (const char *typed : sequence) {
        fresh.Invalidate();
        EXPECT_EQ(find(typed), fresh.Find(apps, S("/dos"), S(typed))) << typed;
    }
    // Changed entries are found by their new texts once invalidated.
    apps[2]->AppName = S("Monkey Business");
    index.Invalidate();
    EXPECT_EQ(find("monkey"), (std::vector<int>{0, 2}));
}

TEST(AppSearchIndex, SortsStablyAndByHistory)
{
    TAppList apps;
    apps.push_back(App("game 10"));
    apps.push_back(App("Game 9"));
    apps.push_back(App("alpha"));
    apps.push_back(App("GAME 9"));
    const QDateTime t0 = QDateTime::fromSecsSinceEpoch(1700000000);
    apps[1]->History = {t0, 3, 60};
    apps[2]->History = {t0.addDays(1), 1, 0};
    TAppSearchIndex index;
    const auto sorted = [&](TSortKey key, bool descending) {
        std::vector<int> indices{0, 1, 2, 3};
        index.Sort(apps, indices, {key, descending});
        return indices;
    };
    EXPECT_EQ(sorted(TSortKey::skCatalogue, false), (std::vector<int>{0, 1, 2, 3}));
    // Numbers in names sort as numbers; equal names keep catalogue order.
    EXPECT_EQ(sorted(TSortKey::skName, false), (std::vector<int>{2, 1, 3, 0}));
    EXPECT_EQ(sorted(TSortKey::skName, true), (std::vector<int>{0, 1, 3, 2}));
    // Never played sorts last when the newest come first.
    EXPECT_EQ(sorted(TSortKey::skLastPlayed, true), (std::vector<int>{2, 1, 0, 3}));
    EXPECT_EQ(sorted(TSortKey::skPlayTime, true), (std::vector<int>{1, 0, 2, 3}));

    // A new start reorders once the history is invalidated.
    apps[3]->History = {t0.addDays(2), 1, 0};
    index.InvalidateHistory();
    EXPECT_EQ(sorted(TSortKey::skLastPlayed, true), (std::vector<int>{3, 2, 1, 0}));

    EXPECT_EQ(SortKeyOfName(SortKeyName(TSortKey::skLastPlayed)), TSortKey::skLastPlayed);
    EXPECT_EQ(SortKeyOfName(u"lastplayed"), TSortKey::skLastPlayed);
    EXPECT_EQ(SortKeyOfName(u"Bogus"), TSortKey::skCatalogue);
}
