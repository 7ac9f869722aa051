#include "localisation/ui/TranslateComponent.h"

#include "common/TestUtils.h"
#include "localisation/LanguageSelection.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/ResourceStrings.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// The design texts below are texts of the built-in catalogues, so the tests
// see real German and French translations.
namespace {

const QString Title = QStringLiteral("Manage DOSBox applications");
const QString Close = QStringLiteral("&Close");
const QString Cancel = QStringLiteral("Cancel");
const QString German = QStringLiteral("German");

// A window whose texts live in the "languages" and "runtime" domains.
struct TestWindow
{
    QMainWindow window;
    QMenu *menu = nullptr;
    QAction *action = nullptr;
    QLabel *label = nullptr;
    QLineEdit *edit = nullptr;
    QComboBox *design = nullptr;
    QComboBox *user = nullptr;
    QTabWidget *tabs = nullptr;
    QToolButton *toolButton = nullptr;
    QGroupBox *group = nullptr;
    QTreeWidget *tree = nullptr;

    TestWindow()
    {
        window.setWindowTitle(German);
        menu = window.menuBar()->addMenu(German);
        action = menu->addAction(QStringLiteral("French"));
        action->setStatusTip(QStringLiteral("English"));
        auto *central = new QWidget(&window);
        auto *layout = new QVBoxLayout(central);
        group = new QGroupBox(QStringLiteral("Spanish"), central);
        label = new QLabel(German, central);
        label->setToolTip(QStringLiteral("French"));
        edit = new QLineEdit(German, central);
        edit->setPlaceholderText(QStringLiteral("English"));
        design = new QComboBox(central);
        design->addItems({German, QStringLiteral("French")});
        user = new QComboBox(central);
        user->addItems({German, QStringLiteral("French")});
        MarkUserData(user);
        tabs = new QTabWidget(central);
        tabs->addTab(new QWidget, German);
        tabs->setTabToolTip(0, QStringLiteral("English"));
        auto *toolBar = window.addToolBar(QStringLiteral("English"));
        toolBar->addAction(action);
        toolButton = qobject_cast<QToolButton *>(toolBar->widgetForAction(action));
        tree = new QTreeWidget(central);
        tree->setHeaderLabels({QStringLiteral("English"), German});
        for (QWidget *w :
             std::initializer_list<QWidget *>{group, label, edit, design, user, tabs, tree})
            layout->addWidget(w);
        window.setCentralWidget(central);
    }
};

class WindowTranslation : public testing::Test
{
protected:
    void SetUp() override
    {
        GnuGettext::SetRetranslateHandler(&RetranslateAllWindows);
        GnuGettext::InitLanguage({QStringLiteral("runtime"), QStringLiteral("units")},
                                 QStringLiteral("en"), QString());
    }
    void TearDown() override
    {
        GnuGettext::SetRetranslateHandler({});
        GnuGettext::UseLanguage(QStringLiteral("C"));
    }
};

} // namespace

TEST_F(WindowTranslation, OpenWindowsFollowEveryChangeOfLanguage)
{
    TestWindow w;
    TranslateComponent(&w.window, QStringLiteral("languages"));
    EXPECT_TRUE(IsTranslated(&w.window));
    EXPECT_EQ(w.window.windowTitle(), German);

    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Deutsch"));
    EXPECT_EQ(w.menu->title(), QStringLiteral("Deutsch"));
    EXPECT_EQ(w.action->text(), QStringLiteral("Französisch"));
    EXPECT_EQ(w.action->statusTip(), QStringLiteral("Englisch"));
    EXPECT_EQ(w.toolButton->text(), QStringLiteral("Französisch"));
    EXPECT_EQ(w.group->title(), QStringLiteral("Spanisch"));
    EXPECT_EQ(w.label->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(w.label->toolTip(), QStringLiteral("Französisch"));
    EXPECT_EQ(w.edit->placeholderText(), QStringLiteral("Englisch"));
    EXPECT_EQ(w.design->itemText(0), QStringLiteral("Deutsch"));
    EXPECT_EQ(w.design->itemText(1), QStringLiteral("Französisch"));
    EXPECT_EQ(w.tabs->tabText(0), QStringLiteral("Deutsch"));
    EXPECT_EQ(w.tabs->tabToolTip(0), QStringLiteral("Englisch"));
    EXPECT_EQ(w.tree->headerItem()->text(0), QStringLiteral("Englisch"));

    // User data stays as it is in every language.
    EXPECT_EQ(w.edit->text(), German);
    EXPECT_EQ(w.user->itemText(0), German);

    GnuGettext::ChangeLanguage(QStringLiteral("fr"));
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Allemand"));
    EXPECT_EQ(w.action->text(), QStringLiteral("Français"));
    EXPECT_EQ(w.design->itemText(0), QStringLiteral("Allemand"));

    GnuGettext::ChangeLanguage(QStringLiteral("en"));
    EXPECT_EQ(w.window.windowTitle(), German);
    EXPECT_EQ(w.menu->title(), German);
    EXPECT_EQ(w.action->text(), QStringLiteral("French"));
    EXPECT_EQ(w.toolButton->text(), QStringLiteral("French"));
    EXPECT_EQ(w.tree->headerItem()->text(1), German);
}

TEST_F(WindowTranslation, WindowCreatedAfterAChangeStartsInTheNewLanguage)
{
    GnuGettext::ChangeLanguage(QStringLiteral("fr"));
    QDialog dialog;
    dialog.setWindowTitle(Cancel);
    auto *button = new QPushButton(Close, &dialog);
    TranslateComponent(&dialog, QStringLiteral("runtime"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Annuler"));
    EXPECT_EQ(button->text(), QStringLiteral("&Fermer"));
    // Translated once only: a second call does not translate the French texts.
    TranslateComponent(&dialog, QStringLiteral("runtime"));
    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(button->text(), QStringLiteral("&Schließen"));
}

TEST_F(WindowTranslation, WindowWithoutDomainUsesTheDefaultDomain)
{
    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    QMainWindow window;
    window.setWindowTitle(N_("Manage DOSBox applications"));
    TranslateComponent(&window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("DOSBox-Anwendungen verwalten"));
}

TEST_F(WindowTranslation, TextsTheWindowChangedAndLaterItemsStayTheWindows)
{
    TestWindow w;
    TranslateComponent(&w.window, QStringLiteral("languages"));
    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    w.label->setText(QStringLiteral("/home/user/games"));
    w.design->setItemText(1, QStringLiteral("my own entry"));
    w.design->addItem(German);
    w.design->removeItem(0);
    GnuGettext::ChangeLanguage(QStringLiteral("fr"));
    EXPECT_EQ(w.label->text(), QStringLiteral("/home/user/games"));
    EXPECT_EQ(w.design->itemText(0), QStringLiteral("my own entry"));
    EXPECT_EQ(w.design->itemText(1), German);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Allemand"));
}

TEST_F(WindowTranslation, ChildWindowsAndFailuresAreTheirOwn)
{
    TestWindow w;
    auto *child = new QDialog(&w.window);
    child->setWindowTitle(Cancel);
    auto *untranslated = new QDialog(&w.window);
    untranslated->setWindowTitle(German);
    TranslateComponent(&w.window, QStringLiteral("languages"));
    TranslateComponent(child, QStringLiteral("runtime"));
    EXPECT_THROW(RetranslateComponent(untranslated), ERavelinError);

    // The never translated dialog is skipped; the others follow.
    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(untranslated->windowTitle(), German);
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Deutsch"));
}

TEST_F(WindowTranslation, ExcludedClassesKeepTheirTexts)
{
    GnuGettext::TP_GlobalIgnoreClass(QStringLiteral("QFontComboBox"));
    GnuGettext::TP_GlobalIgnoreClassProperty(QStringLiteral("QLabel"), QStringLiteral("toolTip"));
    QDialog dialog;
    auto *label = new QLabel(Cancel, &dialog);
    label->setToolTip(Cancel);
    TranslateComponent(&dialog, QStringLiteral("runtime"));
    GnuGettext::ChangeLanguage(QStringLiteral("de"));
    EXPECT_EQ(label->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(label->toolTip(), Cancel);
}

TEST_F(WindowTranslation, QtStandardButtonsFollowThroughQtsTranslations)
{
    QDialog dialog;
    auto *box = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
    auto *own = box->addButton(Close, QDialogButtonBox::ActionRole);
    TranslateComponent(&dialog, QStringLiteral("runtime"));
    // Qt posts its language change to the windows; the event loop delivers it.
    auto change = [](const char *code) {
        GnuGettext::ChangeLanguage(QString::fromLatin1(code));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    };
    auto cancelText = [box]() {
        return box->button(QDialogButtonBox::Cancel)->text().remove(u'&');
    };
    change("de");
    EXPECT_EQ(cancelText(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(own->text(), QStringLiteral("&Schließen"));
    change("fr");
    EXPECT_EQ(cancelText(), QStringLiteral("Annuler"));
    change("en");
    EXPECT_EQ(cancelText(), QStringLiteral("Cancel"));
}
