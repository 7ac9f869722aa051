#include "localisation/ui/LanguageMenu.h"

#include "localisation/ui/TranslateComponent.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {
// Language items are built from the list in the current language; window
// translation must neither remember nor replace them.
void MarkAsData(QAction *action)
{
    MarkUserData(action);
}
} // namespace

TLanguageMenu::TLanguageMenu(const QString &path, const QString &fileName)
    : TLanguageList(path, fileName)
{}

TLanguageMenu::~TLanguageMenu()
{
    ClearLanguageItems();
}

void TLanguageMenu::SetMenu(QMenu *menu)
{
    ClearLanguageItems();
    FMenu = menu;
    MenuSizeBefore = menu ? int(menu->actions().size()) : 0;
    AddLanguageItems();
}

void TLanguageMenu::ClearLanguageItems()
{
    if (!FMenu)
        return;
    QList<QAction *> actions = FMenu->actions();
    while (actions.size() > MenuSizeBefore) {
        QAction *action = actions.takeLast();
        FMenu->removeAction(action);
        // The item may be the one whose click led here: delete it later.
        if (action->parent() == FMenu)
            action->deleteLater();
    }
    if (FGroup)
        FGroup->deleteLater();
}

void TLanguageMenu::AddLanguageItems()
{
    if (!FMenu)
        return;
    if (MenuSizeBefore > 0)
        MarkAsData(FMenu->addSeparator());
    FGroup = new QActionGroup(FMenu);
    FGroup->setExclusive(true);
    for (int i = 0; i < Count(); ++i) {
        auto *item = new QAction(Name(i), FMenu);
        MarkAsData(item);
        item->setCheckable(true);
        item->setChecked(false);
        item->setData(i + 1);
        item->setActionGroup(FGroup);
        QObject::connect(item, &QAction::triggered, item, [this, item]() { LangItemClick(item); });
        FMenu->addAction(item);
    }
    if (SelectedIndex() >= 0)
        CheckMenuItem(SelectedIndex());
}

void TLanguageMenu::RebuildMenuItems()
{
    ClearLanguageItems();
    AddLanguageItems();
}

void TLanguageMenu::CheckMenuItem(int index)
{
    if (!FMenu)
        return;
    const QList<QAction *> actions = FMenu->actions();
    for (QAction *action : actions) {
        if (action->actionGroup() == FGroup && action->data().toInt() == index + 1)
            action->setChecked(true);
    }
}

void TLanguageMenu::LangItemClick(QAction *item)
{
    if (!OnLanguageItemClick) {
        // Nobody acts on the choice: the check mark stays at the language in use.
        if (SelectedIndex() >= 0)
            CheckMenuItem(SelectedIndex());
        else if (item)
            item->setChecked(false);
        return;
    }
    if (!item)
        return;
    item->setChecked(true);
    const int tag = item->data().toInt();
    if (tag > 0)
        OnLanguageItemClick(FMenu, GetLangCode(tag - 1));
}
