// Shortcut letters ("&") of the translated windows: within one menu, one menu
// bar and one page of a dialog no letter may serve two controls, or the key
// reaches only one of them. The English captions are the design's own (two
// of them share a letter on purpose); the translations must not add clashes.
#include "appsettings/AppSettingsDlg.h"
#include "catalogue/BasicSettings.h"
#include "common/TestUtils.h"
#include "dialogs/SelectFromListDlg.h"
#include "dialogs/ShellDirDlg.h"
#include "globalsettings/Settings.h"
#include "localisation/ui/TranslateComponent.h"
#include "mainwindow/MainWindow.h"
#include "support/GnuGettext.h"
#include "support/InitProg.h"
#include "texttools/ui/FindDialog.h"
#include "texttools/ui/ShowMemo.h"
#include "texttools/ui/TxtConvertDlg.h"
#include "texttools/ui/WebBrowser.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The shortcut letter of a caption, lower case; null without one.
QChar Mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return QChar();
}

// Collects captions per scope and reports letters used twice in one scope.
class TMnemonicCheck
{
public:
    void add(const QString &scope, const QString &caption)
    {
        const QChar letter = Mnemonic(caption);
        if (!letter.isNull())
            m_scopes[scope][letter].append(caption);
    }

    QStringList clashes() const
    {
        QStringList found;
        for (auto scope = m_scopes.cbegin(); scope != m_scopes.cend(); ++scope) {
            for (auto letter = scope->cbegin(); letter != scope->cend(); ++letter) {
                if (letter->size() > 1)
                    found.append(scope.key() + QStringLiteral(": ") +
                                 letter->join(QStringLiteral(" / ")));
            }
        }
        return found;
    }

private:
    QMap<QString, QMap<QChar, QStringList>> m_scopes;
};

void AddMenu(TMnemonicCheck &check, const QString &window, const QMenu *menu)
{
    // Two menus may share a title (main menu and context menu).
    const QString scope = window + QStringLiteral(" menu ") + menu->objectName() + u' ' +
                          menu->title() + u'#' + QString::number(quintptr(menu));
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            check.add(scope, action->text());
    }
}

QString WindowName(const QWidget *window)
{
    return QString::fromLatin1(window->metaObject()->className());
}

// The page a control lives on: the nearest page of a stacked (tab) widget,
// else the window. Letters on hidden pages do not compete.
QString PageOf(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *w = widget; w && w != window; w = w->parentWidget()) {
        const QWidget *parent = w->parentWidget();
        if (qobject_cast<const QStackedWidget *>(parent))
            return WindowName(window) + u'/' + w->objectName() + u'#' +
                   QString::number(quintptr(w));
    }
    return WindowName(window);
}

void AddWindow(TMnemonicCheck &check, QWidget *window)
{
    const QString name = WindowName(window);
    if (auto *bar = window->findChild<QMenuBar *>()) {
        for (const QAction *action : bar->actions())
            check.add(name + QStringLiteral(" menu bar"), action->text());
    }
    for (const QMenu *menu : window->findChildren<QMenu *>())
        AddMenu(check, name, menu);

    // Controls of the window itself compete with those of every page.
    QList<QPair<QString, QString>> captions;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->window() != window)
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (!button->inherits("QToolButton"))
                captions.append({PageOf(widget, window), button->text()});
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (label->buddy())
                captions.append({PageOf(widget, window), label->text()});
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            if (group->isCheckable())
                captions.append({PageOf(widget, window), group->title()});
        } else if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                captions.append({PageOf(tabs, window), tabs->tabText(i)});
        }
    }
    QStringList pages{name};
    for (const auto &[page, caption] : captions) {
        if (!pages.contains(page))
            pages.append(page);
    }
    for (const auto &[page, caption] : captions) {
        if (page != name) {
            check.add(page, caption);
            continue;
        }
        for (const QString &each : pages)
            check.add(each, caption);
    }
}

class Mnemonics : public testing::TestWithParam<const char *>
{
protected:
    void TearDown() override { GnuGettext::UseLanguage(QStringLiteral("C")); }
};

} // namespace

TEST_P(Mnemonics, NoLetterServesTwoControlsOfOneMenuOrPage)
{
    QTemporaryDir dir;
    SetExePaths(dir.filePath(QStringLiteral("bin/ravelin")));
    GnuGettext::UseLanguage(QString::fromLatin1(GetParam()));

    TfrmMain frmMain;
    TDosBoxSetDialog settings(&frmMain);
    TShellDirDialog dirDialog(&frmMain);
    TSelectFromListDialog listDialog(&frmMain);
    TBasicSettings basic;
    TAppSettingsDialog appSettings(basic, &dirDialog, &listDialog, &frmMain);
    TShowTextDialog viewer;
    TTxtConvertDialog converter(&frmMain);
    TWebBrowserWin browser;
    TFindDialog find(&viewer);

    TMnemonicCheck check;
    for (QWidget *window : QList<QWidget *>{&frmMain, &settings, &dirDialog, &listDialog,
                                            &appSettings, &viewer, &converter, &browser, &find})
        AddWindow(check, window);
    EXPECT_EQ(check.clashes(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Languages, Mnemonics, testing::Values("de", "fr"));
