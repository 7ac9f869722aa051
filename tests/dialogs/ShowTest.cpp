#include "dialogs/Show.h"
#include "common/ModalDriver.h"
#include "common/TestUtils.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(ShowText, ModalWithOk)
{
    TfrmShow w;
    EXPECT_FALSE(w.Prepare(S("Title"), QString(), 0));
    ASSERT_TRUE(w.Prepare(S("Doom: stdout.txt"), S("line 1\r\nline 2"), 0));
    EXPECT_EQ(w.windowTitle(), S("Doom: stdout.txt"));
    EXPECT_EQ(w.memShow->toPlainText(), S("line 1\nline 2"));
    EXPECT_TRUE(w.memShow->isReadOnly());
    EXPECT_TRUE(w.panButtons->isVisibleTo(&w));
    EXPECT_EQ(w.btnOK->text(), S("OK"));

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        w.Prepare(S("t"), S("x"), 0);
        WhenModal([key](QWidget *m) { QTest::keyClick(KeyTarget(m), key); });
        w.exec();
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(ShowText, TimedWithoutButtons)
{
    TfrmShow w;
    ASSERT_TRUE(w.Prepare(S("t"), S("x"), 1));
    EXPECT_FALSE(w.panButtons->isVisibleTo(&w));

    // Closing the window ends the wait early.
    QTimer::singleShot(50, &w, [&w] { w.close(); });
    QElapsedTimer clock;
    clock.start();
    w.Execute(S("t"), S("x"), 5);
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_FALSE(w.isVisible());
}

TEST(ShowTextScript, RecordsWithoutAWindow)
{
    TShowTextScript script;
    ShowTextWindow(S("Doom: stderr.txt"), S("error"), 0);
    ShowTextWindow(S("empty"), QString(), 0);
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked().at(0).title, S("Doom: stderr.txt"));
    EXPECT_EQ(script.asked().at(0).text, S("error"));
}
