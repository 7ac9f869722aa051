#include "dialogs/ListSelectDlg.h"
#include "common/TestUtils.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// A list whose font fits the design height of 17 px per entry.
struct SmallList : TListSelectDialog
{
    SmallList()
    {
        QFont f = lbSelect->font();
        f.setPixelSize(11);
        lbSelect->setFont(f);
    }
};

QPoint ItemCentre(TListSelectDialog &list, int row)
{
    return list.lbSelect->visualItemRect(list.lbSelect->item(row)).center();
}
} // namespace

TEST(ListSelectDialog, NumbersAndSorting)
{
    TListSelectDialog list;
    list.Add(S("beta"));
    list.Add(S("Alpha"));
    list.AddItem(S("gamma"), 850);
    // Sorted at design time, case-insensitively; numbers stay with the entries.
    EXPECT_EQ(list.GetItem(0), S("Alpha"));
    EXPECT_EQ(list.NumberAt(0), 1);
    EXPECT_EQ(list.GetItem(1), S("beta"));
    EXPECT_EQ(list.NumberAt(1), 0);
    EXPECT_EQ(list.NumberAt(2), 850);
    EXPECT_EQ(list.NumberAt(3), -1);
    EXPECT_EQ(list.GetItem(9), QString());

    list.Clear();
    list.setSorted(false);
    list.AddList({S("z"), S("a")}, S("- "));
    EXPECT_EQ(list.GetItem(0), S("- z"));
    EXPECT_EQ(list.NumberAt(1), 1);

    list.Assign({{S("Automatic"), 0}, {S("OEM - United States - (437)"), 437}}, 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.NumberAt(1), 437);
}

TEST(ListSelectDialog, ShowListSizes)
{
    SmallList list;
    ASSERT_EQ(list.ItemHeight(), 17);
    list.ShowList(QPoint(10, 10), 200);
    EXPECT_FALSE(list.isVisible()); // empty: nothing

    for (int i = 0; i < 30; ++i)
        list.Add(QStringLiteral("Entry %1").arg(i, 2, 10, QLatin1Char('0')));
    list.ShowList(QPoint(10, 10), 200);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.height(), 200);
    list.close();

    list.ShowList(QPoint(10, 10), 0);
    EXPECT_EQ(list.height(), 17 * 30 + 6);
    list.close();

    // A height above what the entries need does not stretch the list.
    list.ShowList(QPoint(10, 10), 600);
    EXPECT_EQ(list.height(), 516);
    list.close();

    // Width: the minimum width, or the widest entry plus 22.
    const int widest = list.lbSelect->fontMetrics().horizontalAdvance(S("Entry 29"));
    list.setWidth(widest + 200);
    list.ShowList(QPoint(10, 10), 0);
    EXPECT_EQ(list.width(), widest + 200);
    list.close();
    list.setWidth(0);
    list.ShowList(QPoint(10, 10), 0);
    EXPECT_EQ(list.width(), widest + 22);
    list.close();
}

TEST(ListSelectDialog, ClickChoosesAndCloses)
{
    SmallList list;
    list.setSorted(false);
    list.AddItem(S("Western"), 1252);
    list.AddItem(S("Cyrillic"), 866);
    int chosen = -1;
    int calls = 0;
    list.setOnSelect([&](int number) {
        chosen = number;
        ++calls;
    });
    list.ShowList(QPoint(20, 20));
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.lbSelect->currentRow(), -1);
    QTest::mouseClick(list.lbSelect->viewport(), Qt::LeftButton, {}, ItemCentre(list, 1));
    EXPECT_EQ(chosen, 866);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(list.isVisible());

    // Escape closes without a choice.
    list.ShowList(QPoint(20, 20));
    QTest::keyClick(list.lbSelect, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(calls, 1);

    // Keyboard: the preselected entry is current, Enter chooses it.
    list.Assign({{S("Western"), 1252}, {S("Cyrillic"), 866}}, 0);
    list.ShowList(QPoint(20, 20));
    EXPECT_EQ(list.lbSelect->currentRow(), 0);
    QTest::keyClick(list.lbSelect, Qt::Key_Return);
    EXPECT_EQ(chosen, 1252);
    EXPECT_FALSE(list.isVisible());
}

TEST(ListSelectDialog, SelectionColour)
{
    SmallList list;
    list.Add(S("one"));
    list.Add(S("two"));
    list.setBakColor(Qt::white);
    list.ShowList(QPoint(30, 30));
    list.lbSelect->setCurrentRow(1);
    const QImage shot = list.lbSelect->viewport()->grab().toImage();
    const QRect row = list.lbSelect->visualItemRect(list.lbSelect->item(1));
    EXPECT_EQ(QColor(shot.pixel(row.right() - 2, row.center().y())), QColor(166, 202, 240));
    const QRect other = list.lbSelect->visualItemRect(list.lbSelect->item(0));
    EXPECT_EQ(QColor(shot.pixel(other.right() - 2, other.center().y())), QColor(Qt::white));
    list.close();
}
