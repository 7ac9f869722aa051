#include "import/ImportRules.h"

#include "common/TestUtils.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QStringList L(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list.append(S(item));
    return list;
}

} // namespace

TEST(ImportRules, TidiesFolderNames)
{
    EXPECT_EQ(TidyAppName(S("monkey_island2")), S("Monkey Island 2"));
    EXPECT_EQ(TidyAppName(S("DOOM")), S("Doom"));
    EXPECT_EQ(TidyAppName(S("day_of_the_tentacle")), S("Day of the Tentacle"));
    EXPECT_EQ(TidyAppName(S("the.secret.of.monkey.island")), S("The Secret of Monkey Island"));
    EXPECT_EQ(TidyAppName(S("UltimaVII")), S("Ultima VII"));
    EXPECT_EQ(TidyAppName(S("X-COM  ufo")), S("X-Com Ufo"));
    EXPECT_EQ(TidyAppName(S("3d_pinball")), S("3d Pinball"));
    EXPECT_EQ(TidyAppName(S("Fate of Atlantis (CD version)")), S("Fate of Atlantis (CD Version)"));
    EXPECT_EQ(TidyAppName(S("(cd) ufo")), S("(Cd) Ufo"));
    EXPECT_EQ(TidyAppName(QString()), QString());
}

TEST(ImportRules, ChoosesTheProgramThatStartsTheApplication)
{
    // Installers and set-up tools lose against anything else.
    EXPECT_EQ(ChooseProgram(S("keen"), L({"INSTALL.EXE", "KEEN4E.EXE", "SETUP.EXE"})),
              S("KEEN4E.EXE"));
    EXPECT_EQ(ChooseProgram(S("x"), L({"Install.exe"})), S("Install.exe"));
    EXPECT_EQ(ChooseProgram(S("x"), L({"INSTALL.EXE", "SETSOUND.EXE"})), QString());
    // A name like the folder's, even deeper down.
    EXPECT_EQ(ChooseProgram(S("monkey_island2"), L({"A.EXE", "BIN/MONKEY.EXE", "Z.COM"})),
              S("BIN/MONKEY.EXE"));
    EXPECT_EQ(ChooseProgram(S("Doom"), L({"DOOM.EXE", "DOOM2.EXE", "DOS4GW.EXE"})), S("DOOM.EXE"));
    // A start batch, then the shallowest .EXE.
    EXPECT_EQ(ChooseProgram(S("game"), L({"A.EXE", "B.EXE", "START.BAT"})), S("START.BAT"));
    EXPECT_EQ(ChooseProgram(S("zz"), L({"SUB/A.EXE", "B.BAT", "C.COM", "D.EXE"})), S("D.EXE"));
    EXPECT_EQ(ChooseProgram(S("zz"), {}), QString());
}

TEST(ImportRules, RanksManuals)
{
    EXPECT_GT(ManualRank(S("MANUAL.TXT")), ManualRank(S("README.TXT")));
    EXPECT_GT(ManualRank(S("README")), ManualRank(S("ORDER.DOC")));
    EXPECT_GT(ManualRank(S("README.TXT")), ManualRank(S("DOCS/README.TXT")));
    EXPECT_EQ(ManualRank(S("GAME.EXE")), 0);
    EXPECT_EQ(ManualRank(S("stdout.txt")), 0);
}
