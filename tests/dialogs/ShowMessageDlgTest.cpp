#include "dialogs/ShowMessageDlg.h"
#include "common/ModalDriver.h"
#include "common/TestUtils.h"
#include "dialogs/MsgDialogs.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}

// Shows a prepared dialog modally and acts on it once it is up.
TModalResult RunModal(TShowMsgDialog &dialog, std::function<void(TShowMsgDialog &)> action)
{
    WhenModal([&dialog, action](QWidget *) { action(dialog); });
    return dialog.exec();
}

void PressKey(QWidget *window, Qt::Key key)
{
    QTest::keyClick(KeyTarget(window), key);
}
} // namespace

TEST(ShowMsgDialog, TitleInText)
{
    TShowMsgDialog d;
    ASSERT_TRUE(d.Prepare(CenterPos, S("No title here"), 0, mdtError, mbClose, dmActiveForm));
    EXPECT_EQ(d.windowTitle(), S("Error"));
    EXPECT_EQ(d.FCaption, S("No title here"));

    d.Prepare(CenterPos, S("Run|Cannot start"), 0, mdtInformation, mbClose, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), S("Run"));
    EXPECT_EQ(d.FCaption, S("Cannot start"));

    d.Prepare(CenterPos, S("|Only message"), 0, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), S("Confirm"));
    EXPECT_EQ(d.FCaption, S("Only message"));

    d.Prepare(CenterPos, S("Title|a|b"), 0, mdtWarning, mbClose, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), S("Title"));
    EXPECT_EQ(d.FCaption, S("a|b"));
    EXPECT_EQ(d.stInfo->text(), S("a|b"));

    d.Prepare(CenterPos, S("|x"), 0, mdtWarning, mbClose, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), S("Warning"));
    d.Prepare(CenterPos, S("|x"), 0, mdtConfirmRetry, mbRetry, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), S("Error"));
    d.Prepare(CenterPos, S("|x"), 0, mdtCustom, mbClose, dmActiveForm);
    EXPECT_EQ(d.windowTitle(), QString());
}

TEST(ShowMsgDialog, EmptyTextShowsNothing)
{
    TShowMsgDialog d;
    EXPECT_EQ(d.Execute(CenterPos, QString(), 0, mdtConfirm, mbYes, dmActiveForm), mrNone);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(MessageDialog(CenterPos, QString(), 0, mdtError, mbClose), mrNone);
    EXPECT_FALSE(ConfirmDialog(QString()));
    EXPECT_FALSE(ConfirmRetryDialogAt(CenterPos, QString()));
}

TEST(ShowMsgDialog, ButtonsPerKind)
{
    struct Case
    {
        TMsgDialogType kind;
        TMsgDlgBtn def;
        bool left, center, close;
        const char *closeCaption;
        QPushButton *TShowMsgDialog::*defaultButton;
    };
    const Case cases[] = {
        {mdtInformation, mbYes, false, false, true, "&Close", &TShowMsgDialog::btClose},
        {mdtError, mbYes, false, false, true, "&Close", &TShowMsgDialog::btClose},
        {mdtConfirm, mbYes, false, true, true, "&No", &TShowMsgDialog::btCenter},
        {mdtConfirm, mbNo, false, true, true, "&No", &TShowMsgDialog::btClose},
        {mdtConfirm, mbOK, false, true, true, "&No", nullptr},
        {mdtConfirmError, mbYes, false, true, true, "Cancel", &TShowMsgDialog::btCenter},
        {mdtConfirmRetry, mbRetry, false, true, true, "Cancel", &TShowMsgDialog::btCenter},
        {mdtConfirmRetry, mbYes, false, true, true, "Cancel", nullptr},
        {mdtConfirmCancel, mbYes, false, true, true, "Cancel", &TShowMsgDialog::btCenter},
        {mdtConfirmYesNo, mbNo, true, true, true, "Cancel", &TShowMsgDialog::btCenter},
        {mdtCustom, mbYes, false, false, false, "&Close", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        TShowMsgDialog d;
        d.Prepare(CenterPos, S("text"), 0, c.kind, c.def, dmActiveForm);
        EXPECT_EQ(d.btLeft->isVisibleTo(&d), c.left);
        EXPECT_EQ(d.btCenter->isVisibleTo(&d), c.center);
        EXPECT_EQ(d.btClose->isVisibleTo(&d), c.close);
        EXPECT_EQ(d.btClose->text(), S(c.closeCaption));
        EXPECT_EQ(d.imgIcon->isVisibleTo(&d), c.kind != mdtCustom);
        for (QPushButton *b : {d.btLeft, d.btCenter, d.btClose})
            EXPECT_EQ(b->isDefault(), c.defaultButton && b == d.*c.defaultButton);
    }
}

TEST(ShowMsgDialog, ButtonResults)
{
    TShowMsgDialog d;
    d.Prepare(CenterPos, S("?"), 0, mdtConfirmError, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { w.btCenter->click(); }), mrOk);
    d.Prepare(CenterPos, S("?"), 0, mdtConfirmYesNo, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { w.btLeft->click(); }), mrYes);
    d.Prepare(CenterPos, S("?"), 0, mdtConfirmYesNo, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { w.btCenter->click(); }), mrNo);
    // Enter presses the default button while the message holds the focus.
    d.Prepare(CenterPos, S("?"), 0, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { PressKey(&w, Qt::Key_Return); }), mrYes);
}

TEST(ShowMsgDialog, EscapeAndCloseBoxPerKind)
{
    struct Case
    {
        TMsgDialogType kind;
        TModalResult escape;
    };
    const Case cases[] = {{mdtInformation, mrCancel},  {mdtError, mrCancel},
                          {mdtConfirm, mrNo},          {mdtConfirmError, mrCancel},
                          {mdtConfirmRetry, mrCancel}, {mdtConfirmYesNo, mrCancel}};
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        TShowMsgDialog d;
        d.Prepare(CenterPos, S("text"), 0, c.kind, mbYes, dmActiveForm);
        EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { PressKey(&w, Qt::Key_Escape); }), c.escape);
        d.Prepare(CenterPos, S("text"), 0, c.kind, mbYes, dmActiveForm);
        EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { w.close(); }), mrCancel);
    }
}

TEST(ShowMsgDialog, UnderlinedLettersAnswerWithoutAlt)
{
    TShowMsgDialog d;
    d.Prepare(CenterPos, S("?"), 0, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { PressKey(&w, Qt::Key_N); }), mrNo);
    d.Prepare(CenterPos, S("?"), 0, mdtConfirm, mbNo, dmActiveForm);
    EXPECT_EQ(RunModal(d,
                       [](TShowMsgDialog &w) {
                           QTest::keyClick(KeyTarget(&w), Qt::Key_Y, Qt::ShiftModifier);
                       }),
              mrYes);
    // A letter that no button has changes nothing; Ctrl with a letter neither.
    d.Prepare(CenterPos, S("?"), 0, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d,
                       [](TShowMsgDialog &w) {
                           PressKey(&w, Qt::Key_Q);
                           QTest::keyClick(KeyTarget(&w), Qt::Key_N, Qt::ControlModifier);
                           EXPECT_TRUE(w.isVisible());
                           PressKey(&w, Qt::Key_Escape);
                       }),
              mrNo);
}

TEST(ShowMsgDialog, WrappersAnswerThroughTheWindow)
{
    WhenModal([](QWidget *w) { PressKey(w, Qt::Key_Escape); });
    EXPECT_FALSE(ConfirmDialog(S("Remove?")));
    WhenModal([](QWidget *w) { w->close(); });
    EXPECT_FALSE(ConfirmDialog(S("Remove?")));
    WhenModal([](QWidget *w) { static_cast<TShowMsgDialog *>(w)->btCenter->click(); });
    EXPECT_TRUE(ConfirmDialog(S("Remove?")));

    WhenModal([](QWidget *w) { static_cast<TShowMsgDialog *>(w)->btCenter->click(); });
    EXPECT_TRUE(ConfirmRetryDialogAt(CenterPos, S("Insert the CD")));
    WhenModal([](QWidget *w) { static_cast<TShowMsgDialog *>(w)->btClose->click(); });
    EXPECT_FALSE(ConfirmRetryDialogAt(CenterPos, S("Insert the CD")));
    WhenModal([](QWidget *w) { PressKey(w, Qt::Key_Escape); });
    EXPECT_FALSE(ConfirmRetryDialogAt(CenterPos, S("Insert the CD")));
    WhenModal([](QWidget *w) { w->close(); });
    EXPECT_FALSE(ConfirmRetryDialogAt(CenterPos, S("Insert the CD")));

    // The window appears at the given point.
    const QPoint at = WorkAreaOf(nullptr).topLeft() + QPoint(60, 70);
    QPoint shownAt;
    WhenModal([&shownAt](QWidget *w) {
        shownAt = w->pos();
        w->close();
    });
    ErrorDialogAt(at, S("Failed"));
    EXPECT_EQ(shownAt, at);
}

TEST(ShowMsgDialog, AutoCloseInterval)
{
    TShowMsgDialog d;
    d.Prepare(CenterPos, S("note"), 3, mdtInformation, mbClose, dmActiveForm);
    EXPECT_TRUE(d.RunTimer);
    EXPECT_EQ(d.Timer->interval(), 3000);

    const QString fifty(50, u'x');
    d.Prepare(CenterPos, S("Title|") + fifty, 0, mdtCustom, mbClose, dmActiveForm);
    EXPECT_TRUE(d.RunTimer);
    EXPECT_EQ(d.Timer->interval(), 8000);

    d.Prepare(CenterPos, fifty, -4, mdtCustom, mbClose, dmActiveForm);
    EXPECT_EQ(d.Timer->interval(), 8000);

    d.Prepare(CenterPos, S("note"), 0, mdtInformation, mbClose, dmActiveForm);
    EXPECT_FALSE(d.RunTimer);
}

TEST(ShowMsgDialog, TimerAndKeysClose)
{
    TShowMsgDialog d;
    d.Prepare(CenterPos, S("note"), 3, mdtInformation, mbClose, dmActiveForm);
    d.Timer->setInterval(30); // a short clock
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(d.exec(), mrCancel);
    EXPECT_GE(clock.elapsed(), 25);
    EXPECT_FALSE(d.Timer->isActive());

    // Any key while the timer runs, even one a button would take.
    d.Prepare(CenterPos, S("note"), 0, mdtCustom, mbClose, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { PressKey(&w, Qt::Key_A); }), mrCancel);
    d.Prepare(CenterPos, S("Yes?"), 60, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d, [](TShowMsgDialog &w) { PressKey(&w, Qt::Key_Return); }), mrCancel);

    // Without the timer a letter does nothing, F11 always closes.
    d.Prepare(CenterPos, S("Yes?"), 0, mdtConfirm, mbYes, dmActiveForm);
    EXPECT_EQ(RunModal(d,
                       [](TShowMsgDialog &w) {
                           PressKey(&w, Qt::Key_A);
                           EXPECT_TRUE(w.isVisible());
                           PressKey(&w, Qt::Key_F11);
                       }),
              mrCancel);
}

TEST(ShowMsgDialog, SizeFollowsTheText)
{
    TShowMsgDialog d;
    const QFontMetrics fm(d.stInfo->font());
    const int line = qMax(fm.height(), fm.lineSpacing());
    const int margin = ScaleByDpi(15, &d);
    const int buttons = ScaleByDpi(32, &d);

    // One short line: the icon sets the minimum height.
    d.Prepare(CenterPos, S("x"), 0, mdtError, mbClose, dmActiveForm);
    EXPECT_EQ(d.stInfo->height(), qMax(line, margin + ScaleByDpi(32, &d)));
    EXPECT_EQ(d.height(), d.stInfo->height() + 3 * margin + buttons);

    // Three lines are three lines high (when that is above the icon).
    d.Prepare(CenterPos, S("one\r\ntwo\r\nthree"), 0, mdtError, mbClose, dmActiveForm);
    EXPECT_EQ(d.stInfo->height(), qMax(3 * line, margin + ScaleByDpi(32, &d)));

    // A long line is never wrapped: the window grows.
    const QString wide = S("A rather long message line that has to fit on one line");
    d.Prepare(CenterPos, wide, 0, mdtError, mbClose, dmActiveForm);
    EXPECT_EQ(d.width(), fm.horizontalAdvance(wide) + 2 * margin + ScaleByDpi(45, &d));
    EXPECT_FALSE(d.stInfo->wordWrap());

    // Buttons at the bottom right.
    EXPECT_EQ(d.btClose->geometry().right() + 1, d.width() - ScaleByDpi(4, &d));
    EXPECT_EQ(d.btClose->geometry().bottom() + 1, d.height() - ScaleByDpi(5, &d));
    EXPECT_GE(d.btClose->width(), ScaleByDpi(112, &d));

    // A custom message needs no room for the icon.
    d.Prepare(CenterPos, S("x"), 0, mdtCustom, mbClose, dmActiveForm);
    EXPECT_EQ(d.stInfo->height(), qMax(line, 2 * margin));
}
