#include "mainwindow/CategoryTabs.h"

#include "support/StringUtils.h"

namespace {

// Runs a change of the tabs without reporting it.
template <typename F> void Silently(bool &flag, F change)
{
    const bool was = flag;
    flag = true;
    change();
    flag = was;
}

QString ShownAsWritten(QString name)
{
    return name.replace(u'&', QStringLiteral("&&"));
}

} // namespace

TCategoryTabs::TCategoryTabs(QWidget *parent) : QTabBar(parent)
{
    setExpanding(false);
    setUsesScrollButtons(true);
    setDrawBase(true);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        if (!FSilent)
            emit tabChanged(index);
    });
}

int TCategoryTabs::IndexOfCategory(const QString &name) const
{
    if (!FIndexValid) {
        FIndex.clear();
        for (int i = count() - 1; i >= 0; --i)
            FIndex.insert(Caption(i).toCaseFolded(), i);
        FIndexValid = true;
    }
    return FIndex.value(name.toCaseFolded(), -1);
}

void TCategoryTabs::tabInserted(int index)
{
    FIndexValid = false;
    QTabBar::tabInserted(index);
}

void TCategoryTabs::tabRemoved(int index)
{
    FIndexValid = false;
    QTabBar::tabRemoved(index);
}

int TCategoryTabs::AddCategoryEntry(const QString &name)
{
    int index = IndexOfCategory(name);
    if (index >= 0) {
        setTabData(index, EntryCount(index) + 1);
        return index;
    }
    Silently(FSilent, [&] {
        index = addTab(ShownAsWritten(name));
        setTabData(index, 1);
    });
    return index;
}

void TCategoryTabs::RemoveCategoryEntry(const QString &name)
{
    const int index = IndexOfCategory(name);
    if (index < 0)
        return;
    const int left = EntryCount(index) - 1;
    if (left > 0) {
        setTabData(index, left);
        return;
    }
    Silently(FSilent, [&] {
        setCurrentIndex(0);
        removeTab(index);
    });
}

int TCategoryTabs::EntryCount(int index) const
{
    return tabData(index).toInt();
}

void TCategoryTabs::Clear()
{
    Silently(FSilent, [&] {
        while (count() > 0)
            removeTab(count() - 1);
    });
}

QString TCategoryTabs::Caption(int index) const
{
    return tabText(index).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void TCategoryTabs::SetCaption(int index, const QString &name)
{
    setTabText(index, ShownAsWritten(name));
    FIndexValid = false;
}

QStringList TCategoryTabs::Captions() const
{
    QStringList captions;
    for (int i = 0; i < count(); ++i)
        captions.append(Caption(i));
    return captions;
}

void TCategoryTabs::SelectTab(int index)
{
    Silently(FSilent, [&] { setCurrentIndex(index); });
}
