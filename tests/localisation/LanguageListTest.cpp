#include "localisation/LanguageList.h"

#include "common/MoBuilder.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "localisation/LangUtils.h"
#include "localisation/LanguageSelection.h"
#include "support/GnuGettext.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Names(const TLanguageList &list)
{
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names.append(list.Name(i));
    return names;
}

struct LanguageScope
{
    explicit LanguageScope(const char *code)
    {
        GnuGettext::InitLanguage({QStringLiteral("runtime"), QStringLiteral("units")},
                                 QString::fromLatin1(code), QString());
    }
    ~LanguageScope() { GnuGettext::UseLanguage(QStringLiteral("C")); }
};

} // namespace

TEST(LanguageList, LinesNeedCodeAndNameAndLoseTheirComments)
{
    struct Case
    {
        const char *line;
        bool taken;
        const char *code;
        const char *name;
    } cases[] = {
        {"de=German", true, "de", "German"},
        {"  fr = French  ", true, "fr", "French"},
        {"it=Italian # not finished yet", true, "it", "Italian"},
        {"pt=Portuguese=Brazil", true, "pt", "Portuguese=Brazil"},
        {"# European language codes", false, "", ""},
        {"#es=Spanish", false, "", ""},
        {"   #nl=Dutch", false, "", ""},
        {"=German", false, "", ""},
        {"de=", false, "", ""},
        {"de=   # only a comment", false, "", ""},
        {"German", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case &c : cases) {
        QString code, name;
        const bool taken = TLanguageList::ParseLanguageLine(QString::fromUtf8(c.line), code, name);
        EXPECT_EQ(taken, c.taken) << c.line;
        if (taken && c.taken) {
            EXPECT_EQ(code, QString::fromUtf8(c.code)) << c.line;
            EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.line;
        }
    }
}

TEST(LanguageList, BuiltInListIsSortedAfterSystemDefault)
{
    TLanguageList list{QString(), QString()};
    EXPECT_EQ(Names(list),
              QStringList({QStringLiteral("&System default"), QStringLiteral("English"),
                           QStringLiteral("French"), QStringLiteral("German")}));
    EXPECT_EQ(list.LanguageId(0), 0);
    EXPECT_EQ(list.GetLangCode(0), QString());
    EXPECT_EQ(list.GetLangCode(1), QStringLiteral("en"));
    EXPECT_EQ(list.GetLangCode(3), QStringLiteral("de"));
    EXPECT_EQ(list.SelectedIndex(), -1);
}

TEST(LanguageList, NamesFollowTheCurrentLanguage)
{
    LanguageScope german("de");
    TLanguageList list{QString(), QString()};
    list.LoadLanguageNames(QStringLiteral("de"));
    // Translated names keep the order of the English ones.
    EXPECT_EQ(Names(list),
              QStringList({QStringLiteral("&Systemstandard"), QStringLiteral("English"),
                           QStringLiteral("Français"), QStringLiteral("Deutsch")}));
    EXPECT_EQ(list.SelectedIndex(), 3);
    EXPECT_EQ(list.LanguageCode(), QStringLiteral("de"));
    EXPECT_EQ(list.CurrentLanguage(), QStringLiteral("Deutsch"));

    list.LoadLanguageNames(QString());
    EXPECT_EQ(list.SelectedIndex(), 3);
    EXPECT_EQ(list.LanguageCode(), QStringLiteral("de"));
}

TEST(LanguageList, SelectionByCode)
{
    TLanguageList list{QString(), QString()};
    list.SetSelectedLanguageCode(QStringLiteral("fr-CA"));
    EXPECT_EQ(list.SelectedIndex(), 2);
    EXPECT_EQ(list.LanguageCode(), QStringLiteral("fr-CA"));
    // No entry for Spanish: nothing changes.
    list.SetSelectedLanguageCode(QStringLiteral("es"));
    EXPECT_EQ(list.SelectedIndex(), 2);
    EXPECT_EQ(list.LanguageCode(), QStringLiteral("fr-CA"));
    // A code without identifier is the system default.
    list.SetSelectedLanguageCode(QStringLiteral("C"));
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(list.CurrentLanguage(), QStringLiteral("&System default"));
}

TEST(LanguageList, ListFilesAndTheirNameFiles)
{
    QTemporaryDir dir;
    WriteTestFile(dir.filePath(QStringLiteral("langs.txt")),
                  "# mine\r\nnl=Dutch\r\nit=Italian # beta\r\n\r\n=Nothing\r\n");
    QDir().mkpath(dir.filePath(QStringLiteral("locale/it/LC_MESSAGES")));
    WriteTestFile(dir.filePath(QStringLiteral("locale/it/LC_MESSAGES/langs.txt")),
                  "nl=Olandese\nit=Italiano\nxx=Ignored\nde=Tedesco\n");
    TLanguageList list(dir.path(), QStringLiteral("langs.txt"));
    EXPECT_EQ(Names(list), QStringList({QStringLiteral("&System default"), QStringLiteral("Dutch"),
                                        QStringLiteral("Italian")}));
    list.LoadLanguageNames(QStringLiteral("it-IT"));
    EXPECT_EQ(Names(list), QStringList({QStringLiteral("&System default"),
                                        QStringLiteral("Olandese"), QStringLiteral("Italiano")}));
    EXPECT_EQ(list.CurrentLanguage(), QStringLiteral("Italiano"));

    // A missing list leaves the list as it was.
    TLanguageList missing(dir.path(), QStringLiteral("none.txt"));
    EXPECT_EQ(missing.Count(), 0);
    missing.SetSelectedLanguageCode(QStringLiteral("de"));
    EXPECT_EQ(missing.SelectedIndex(), -1);
}

TEST(LanguageIds, CodesAndIdentifiers)
{
    EXPECT_EQ(LangEntries.size(), 82u);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("de")), 0x407);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("DE-at")), 0x407);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("en_GB")), 0x409);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("es")), 0xC0A);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("fr")), 0x40C);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("zh-TW")), 0x804);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("d")), 0);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("C")), 0);
    EXPECT_EQ(LanguageIdOf(QStringLiteral("xx")), 0);
    EXPECT_EQ(LanguageCodeOf(0x407), QStringLiteral("de"));
    EXPECT_EQ(LanguageCodeOf(0x807), QStringLiteral("de"));
    EXPECT_EQ(LanguageCodeOf(0), QString());
    EXPECT_EQ(LanguageCodeOf(0x3ff), QString());
    // Every row maps back to itself and names are unique two-letter codes.
    QStringList seen;
    for (const TLangEntry &e : LangEntries) {
        const QString name = QString::fromUtf16(e.ShortName);
        EXPECT_EQ(name.size(), 2);
        EXPECT_FALSE(seen.contains(name)) << name.toStdString();
        seen.append(name);
        EXPECT_EQ(LanguageIdOf(name), e.Id) << name.toStdString();
    }
}
