#pragma once

#include "localisation/LanguageList.h"

#include <QPointer>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;

// The language list bound to a menu: one radio item per entry after the
// menu's own items (and a separator when it has any), the item of the
// selected language checked. Item data is the entry index + 1.
class TLanguageMenu : public TLanguageList
{
public:
    // Sender is the bound menu, code the code of the picked entry.
    using TLanguageMenuEvent = std::function<void(QMenu *sender, const QString &code)>;

    TLanguageMenu(const QString &path, const QString &fileName);
    ~TLanguageMenu() override;

    // Removes the language items from the menu bound before and adds them to menu.
    void SetMenu(QMenu *menu);
    QMenu *Menu() const { return FMenu; }

    TLanguageMenuEvent OnLanguageItemClick;

    // The handler of every language item.
    void LangItemClick(QAction *item);

protected:
    void RebuildMenuItems() override;
    void CheckMenuItem(int index) override;

private:
    void ClearLanguageItems();
    void AddLanguageItems();

    QPointer<QMenu> FMenu;
    QPointer<QActionGroup> FGroup;
    int MenuSizeBefore = 0;
};
