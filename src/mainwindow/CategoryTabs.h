#pragma once

#include <QHash>
#include <QTabBar>

// The category tabs: one tab per category name in use, in the order the
// categories first occurred, each counting the entries of its category.
// Names are compared without regard to case; a tab keeps the spelling of
// the entry that created it.
class TCategoryTabs : public QTabBar
{
    Q_OBJECT
public:
    explicit TCategoryTabs(QWidget *parent = nullptr);

    // The tab of the category, -1 when there is none.
    int IndexOfCategory(const QString &name) const;
    // Counts one entry in: a new tab (count 1) for an unknown name. Returns
    // the tab's index. The selected tab stays selected.
    int AddCategoryEntry(const QString &name);
    // Counts one entry out; a tab whose count reaches 0 is deleted after
    // tab 0 has been selected. An unknown name is ignored.
    void RemoveCategoryEntry(const QString &name);
    int EntryCount(int index) const;
    // The category name of a tab. Names are shown as written: the tab text
    // doubles every "&", which would otherwise make a shortcut.
    QString Caption(int index) const;
    void SetCaption(int index, const QString &name);
    void Clear();
    QStringList Captions() const;

    // Selects a tab without reporting a change: tabChanged reports only the
    // user's choices, as the list is rebuilt by whoever changes the tab.
    void SelectTab(int index);

signals:
    void tabChanged(int index);

protected:
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    // Tab by case-folded name, built on the first look-up after a change:
    // a load counts every entry of a large catalogue into the tabs.
    mutable QHash<QString, int> FIndex;
    mutable bool FIndexValid = false;
    bool FSilent = false;
};
