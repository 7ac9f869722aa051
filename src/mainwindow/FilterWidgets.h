#pragma once

#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QTabBar>

class QKeyEvent;

// The main window's filter box: what the user types in it narrows the list.
// Escape, Enter and the keys that move in a list are reported instead of
// being handled, so that the list follows them while the box keeps the
// focus.
class TFilterBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TFilterBox(QWidget *parent = nullptr);

signals:
    void Escaped();
    void Accepted();
    // Up, Down, Page Up, Page Down: for the list.
    void NavigationKey(QKeyEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// While a filter is active these tabs stand in place of the category tabs:
// the first holds every match ("Found (12)"), the others the matches of one
// category each ("Games (8)"), in the category tabs' order.
class TFoundTabs : public QTabBar
{
    Q_OBJECT
public:
    explicit TFoundTabs(QWidget *parent = nullptr);

    // One category with matches: the index of its category tab, its name
    // and the number of its matches.
    struct TCategoryMatches
    {
        int Tab;
        QString Name;
        int Count;
    };
    // Sets the tabs for total matches in the categories; a chosen category
    // stays chosen while it has matches, otherwise the first tab is.
    void SetMatches(int total, const QList<TCategoryMatches> &categories);
    // The category tab index of the chosen tab; -1 for all matches.
    int ChosenCategoryTab() const;
    // Back to the first tab, for a new search.
    void Reset();

signals:
    // The user chose another tab.
    void tabChanged();

private:
    bool FSilent = false;
};
