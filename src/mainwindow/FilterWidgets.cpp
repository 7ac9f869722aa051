#include "mainwindow/FilterWidgets.h"

#include "dialogs/ActionImages.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"

#include <QKeyEvent>
#include <QLocale>

TFilterBox::TFilterBox(QWidget *parent) : QLineEdit(parent)
{
    setClearButtonEnabled(true);
    addAction(ThemeIcon({QStringLiteral("edit-find"), QStringLiteral("system-search")}),
              QLineEdit::LeadingPosition);
}

void TFilterBox::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        emit Escaped();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit Accepted();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        emit NavigationKey(event);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

namespace {

constexpr int AllMatches = -1;

QString TabText(const QString &name, int count)
{
    // A "&" in a category name is no shortcut.
    return QString(name).replace(u'&', QStringLiteral("&&")) + QStringLiteral(" (") +
           GnuGettext::InterfaceLocale().toString(count) + u')';
}

} // namespace

TFoundTabs::TFoundTabs(QWidget *parent) : QTabBar(parent)
{
    setExpanding(false);
    setUsesScrollButtons(true);
    setDrawBase(true);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QTabBar::currentChanged, this, [this] {
        if (!FSilent)
            emit tabChanged();
    });
}

void TFoundTabs::SetMatches(int total, const QList<TCategoryMatches> &categories)
{
    FSilent = true;
    const int chosen = ChosenCategoryTab();
    bool same = count() == categories.size() + 1;
    for (int i = 0; same && i < categories.size(); ++i)
        same = tabData(i + 1).toInt() == categories[i].Tab;
    if (!same) {
        while (count() > 0)
            removeTab(count() - 1);
        addTab(ThemeIcon({QStringLiteral("edit-find"), QStringLiteral("system-search")}),
               QString());
        setTabData(0, AllMatches);
        for (const TCategoryMatches &category : categories)
            setTabData(addTab(QString()), category.Tab);
    }
    setTabText(0, TabText(P_("tab of the filter's matches", "Found"), total));
    int current = 0;
    for (int i = 0; i < categories.size(); ++i) {
        setTabText(i + 1, TabText(categories[i].Name, categories[i].Count));
        if (categories[i].Tab == chosen)
            current = i + 1;
    }
    setCurrentIndex(current);
    FSilent = false;
}

int TFoundTabs::ChosenCategoryTab() const
{
    return currentIndex() > 0 ? tabData(currentIndex()).toInt() : AllMatches;
}

void TFoundTabs::Reset()
{
    FSilent = true;
    setCurrentIndex(count() > 0 ? 0 : -1);
    FSilent = false;
}
