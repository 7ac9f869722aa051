#include "localisation/ui/LanguageMenu.h"

#include "common/TestUtils.h"
#include "localisation/LanguageSelection.h"
#include "support/GnuGettext.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QStringList ItemTexts(const QMenu &menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu.actions();
    for (QAction *a : actions)
        texts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

QStringList Checked(const QMenu &menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu.actions();
    for (QAction *a : actions) {
        if (a->isChecked())
            texts.append(a->text());
    }
    return texts;
}

class LanguageMenu : public testing::Test
{
protected:
    void TearDown() override { GnuGettext::UseLanguage(QStringLiteral("C")); }
};

} // namespace

TEST_F(LanguageMenu, GermanMenuInEnglishOrderWithGermanChecked)
{
    GnuGettext::InitLanguage({QStringLiteral("runtime"), QStringLiteral("units")},
                             QStringLiteral("de"), QString());
    QMenu menu;
    TLanguageMenu languages{QString(), QString()};
    languages.SetMenu(&menu);
    languages.LoadLanguageNames(QStringLiteral("de"));
    EXPECT_EQ(ItemTexts(menu),
              QStringList({QStringLiteral("&Systemstandard"), QStringLiteral("English"),
                           QStringLiteral("Français"), QStringLiteral("Deutsch")}));
    EXPECT_EQ(Checked(menu), QStringList({QStringLiteral("Deutsch")}));
    const QList<QAction *> actions = menu.actions();
    for (int i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions.at(i)->data().toInt(), i + 1);
        EXPECT_TRUE(actions.at(i)->isCheckable());
        EXPECT_TRUE(actions.at(i)->shortcut().isEmpty());
    }
}

TEST_F(LanguageMenu, ItemsFollowTheMenusOwnItemsAfterASeparator)
{
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    menu.addAction(QStringLiteral("Two"));
    TLanguageMenu languages{QString(), QString()};
    languages.SetSelectedLanguageCode(QStringLiteral("fr"));
    languages.SetMenu(&menu);
    EXPECT_EQ(ItemTexts(menu),
              QStringList({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("-"),
                           QStringLiteral("&System default"), QStringLiteral("English"),
                           QStringLiteral("French"), QStringLiteral("German")}));
    EXPECT_EQ(Checked(menu), QStringList({QStringLiteral("French")}));

    // Rebinding takes the items away again; rebuilding never duplicates them.
    QMenu other;
    languages.SetMenu(&other);
    EXPECT_EQ(ItemTexts(menu), QStringList({QStringLiteral("One"), QStringLiteral("Two")}));
    languages.LoadLanguageNames(QStringLiteral("en"));
    languages.LoadLanguageNames(QStringLiteral("en-US"));
    EXPECT_EQ(other.actions().size(), 4);
    EXPECT_EQ(Checked(other), QStringList({QStringLiteral("English")}));
}

TEST_F(LanguageMenu, PickingAnItemReportsItsCode)
{
    QMenu menu;
    TLanguageMenu languages{QString(), QString()};
    languages.SetMenu(&menu);
    languages.LoadLanguageNames(QStringLiteral("en"));
    QStringList picked;
    QMenu *sender = nullptr;
    languages.OnLanguageItemClick = [&](QMenu *s, const QString &code) {
        sender = s;
        picked.append(code);
        // The handler rebuilds the menu, as the main window does.
        languages.LoadLanguageNames(code.isEmpty() ? QStringLiteral("en") : code);
    };
    menu.actions().at(3)->trigger(); // German
    menu.actions().at(1)->trigger(); // English, the one in use
    menu.actions().at(0)->trigger(); // System default
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(picked, QStringList({QStringLiteral("de"), QStringLiteral("en"), QString()}));
    EXPECT_EQ(sender, &menu);
    EXPECT_EQ(menu.actions().size(), 4);
}

TEST_F(LanguageMenu, WithoutHandlerTheCheckMarkStays)
{
    QMenu menu;
    TLanguageMenu languages{QString(), QString()};
    languages.SetMenu(&menu);
    languages.LoadLanguageNames(QStringLiteral("fr"));
    menu.actions().at(3)->trigger();
    EXPECT_EQ(Checked(menu), QStringList({QStringLiteral("Français")}));
}
