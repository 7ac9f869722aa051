#include "dialogs/SelectDlg.h"
#include "common/ModalDriver.h"
#include "common/TestUtils.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// The widget that Tab moves to (the focus chain is circular).
QWidget *NextTabStop(QWidget *w)
{
    QWidget *next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

const TButtonArray Delete{S("Delete permanently"), S("Move to Trash")};

int Answer(TSelectDialog &d, std::function<void(TSelectDialog &)> action)
{
    WhenModal([&d, action](QWidget *) { action(d); });
    d.exec();
    return d.Result();
}

void Prepare(TSelectDialog &d, const TButtonArray &buttons, const QString &option = QString(),
             int preSelection = -1)
{
    d.Prepare(CenterPos, S("Delete directory"), S("Delete \"/home/x/dos\""), mdtConfirm,
              TFontStyles(), buttons, option, 0, preSelection, QString());
}
} // namespace

TEST(SelectDialog, OneRowWithCancelFocused)
{
    TSelectDialog d;
    Prepare(d, Delete);
    ASSERT_EQ(d.Buttons.size(), 3);
    EXPECT_EQ(d.Buttons.at(0)->text(), S("Delete permanently"));
    EXPECT_EQ(d.Buttons.at(1)->text(), S("Move to Trash"));
    EXPECT_EQ(d.Buttons.at(2)->text(), S("Cancel"));
    const int y = d.Buttons.at(0)->y();
    for (QPushButton *b : d.Buttons)
        EXPECT_EQ(b->y(), y);
    EXPECT_LT(d.Buttons.at(0)->x(), d.Buttons.at(1)->x());
    EXPECT_LT(d.Buttons.at(1)->x(), d.Buttons.at(2)->x());
    EXPECT_EQ(d.focusWidget(), d.Buttons.at(2));
    EXPECT_FALSE(d.cbOption->isVisibleTo(&d));
    EXPECT_EQ(d.windowTitle(), S("Delete directory"));
    EXPECT_TRUE(d.imgIcon->isVisibleTo(&d));
    // Bottom margin below the last row.
    EXPECT_GT(d.height(), d.Buttons.at(2)->geometry().bottom());
}

TEST(SelectDialog, Answers)
{
    TSelectDialog d;
    Prepare(d, Delete);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(0)->click(); }), 0);
    Prepare(d, Delete);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(1)->click(); }), 1);
    Prepare(d, Delete);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(2)->click(); }), -1);
    Prepare(d, Delete);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.close(); }), -1);
    Prepare(d, Delete);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { QTest::keyClick(KeyTarget(&w), Qt::Key_Escape); }),
              -1);
    // Enter presses the focused button.
    Prepare(d, Delete, QString(), 1);
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { QTest::keyClick(KeyTarget(&w), Qt::Key_Return); }),
              1);
}

TEST(SelectDialog, CheckBoxAdds256)
{
    TSelectDialog d;
    Prepare(d, Delete, S("Also the settings"));
    EXPECT_TRUE(d.cbOption->isVisibleTo(&d));
    EXPECT_FALSE(d.cbOption->isChecked());
    EXPECT_LT(d.cbOption->geometry().bottom(), d.Buttons.at(0)->y());
    EXPECT_EQ(Answer(d,
                     [](TSelectDialog &w) {
                         w.cbOption->setChecked(true);
                         w.Buttons.at(1)->click();
                     }),
              257);
    // Preselection 256 + 1: checked at start, focus on button 1.
    Prepare(d, Delete, S("Also the settings"), 257);
    EXPECT_TRUE(d.cbOption->isChecked());
    EXPECT_EQ(d.focusWidget(), d.Buttons.at(1));
    // Cancel stays -1 with the box checked.
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(2)->click(); }), -1);
    // The check box comes after the buttons in the tab order.
    EXPECT_EQ(NextTabStop(d.Buttons.at(0)), d.Buttons.at(1));
    EXPECT_EQ(NextTabStop(d.Buttons.at(2)), d.cbOption);
}

TEST(SelectDialog, RowsOfThree)
{
    TSelectDialog d;
    Prepare(d, {S("a"), S("b"), S("c"), S("d")});
    ASSERT_EQ(d.Buttons.size(), 5);
    const QList<QPushButton *> &b = d.Buttons;
    EXPECT_EQ(b.at(0)->y(), b.at(2)->y());
    EXPECT_GT(b.at(3)->y(), b.at(0)->y());
    EXPECT_EQ(b.at(3)->y(), b.at(4)->y());
    // Second row in the two right-hand columns.
    EXPECT_EQ(b.at(3)->x(), b.at(1)->x());
    EXPECT_EQ(b.at(4)->x(), b.at(2)->x());
    EXPECT_EQ(b.at(4)->text(), S("Cancel"));
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(3)->click(); }), 3);

    // Three options: the cancel button alone in the right column of row two.
    Prepare(d, {S("a"), S("b"), S("c")});
    EXPECT_EQ(d.Buttons.at(3)->x(), d.Buttons.at(2)->x());
    EXPECT_GT(d.Buttons.at(3)->y(), d.Buttons.at(2)->y());
}

TEST(SelectDialog, CancelOnlyAndPreselection)
{
    TSelectDialog d;
    d.Prepare(CenterPos, QString(), S("Nothing to choose"), mdtCustom, TFontStyles{fsBold}, {},
              QString(), 0, -1, S("Close"));
    ASSERT_EQ(d.Buttons.size(), 1);
    EXPECT_EQ(d.Buttons.at(0)->text(), S("Close"));
    EXPECT_EQ(d.windowTitle(), QString());
    EXPECT_FALSE(d.imgIcon->isVisibleTo(&d));
    EXPECT_TRUE(d.stCaption->font().bold());
    // Without option buttons the cancel button answers 0.
    EXPECT_EQ(Answer(d, [](TSelectDialog &w) { w.Buttons.at(0)->click(); }), 0);

    // A preselection beyond the buttons, or below -1, focuses the cancel button.
    Prepare(d, Delete, QString(), 7);
    EXPECT_EQ(d.focusWidget(), d.Buttons.last());
    Prepare(d, Delete, QString(), -5);
    EXPECT_EQ(d.focusWidget(), d.Buttons.last());
    Prepare(d, Delete, QString(), 0);
    EXPECT_EQ(d.focusWidget(), d.Buttons.first());
}

TEST(SelectDialog, WideTextWidensTheWindow)
{
    TSelectDialog d;
    Prepare(d, Delete);
    const int narrow = d.width();
    const QString wide(200, u'W');
    d.Prepare(CenterPos, QString(), wide, mdtWarning, TFontStyles(), Delete, QString(), 0, -1,
              QString());
    EXPECT_GT(d.width(), narrow);
    EXPECT_GE(d.stCaption->width(), QFontMetrics(d.stCaption->font()).horizontalAdvance(wide));
    EXPECT_EQ(d.windowTitle(), S("Warning"));
}

TEST(SelectOptionScript, AnswersWithoutAWindow)
{
    TSelectOptionScript script;
    script.answer(257);
    EXPECT_EQ(SelectOptionDialog(S("Delete directory"), S("Delete?"), mdtConfirm, TFontStyles(),
                                 Delete, S("Option")),
              257);
    EXPECT_EQ(SelectOptionDialog(S("t"), S("c"), mdtConfirm, TFontStyles(), Delete), -1);
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_EQ(script.asked().at(0).buttons, Delete);
    EXPECT_EQ(script.asked().at(0).option, S("Option"));
}
