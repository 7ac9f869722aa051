#include "dialogs/MsgDialogs.h"
#include "common/TestUtils.h"
#include "dialogs/Application.h"
#include "dialogs/DialogPrompt.h"
#include "support/Errors.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
} // namespace

TEST(MessageScript, RecordsAndAnswersWithoutAWindow)
{
    TMessageScript script;
    script.answer(mrYes);
    script.answer(mrNo);
    EXPECT_TRUE(ConfirmDialogAt(QPoint(10, 20), S("Remove|Remove \"Doom\"?")));
    EXPECT_FALSE(ConfirmDialog(S("Again?")));
    // Nothing queued: the close box.
    EXPECT_FALSE(ConfirmRetryDialogAt(CenterPos, S("Retry?")));
    InfoDialog(S("Done"), 3);
    EXPECT_EQ(MessageDialog(CenterPos, QString(), 0, mdtError, mbClose), mrNone);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    ASSERT_EQ(script.asked().size(), 4);
    const TAskedMessage &first = script.asked().at(0);
    EXPECT_EQ(first.kind, mdtConfirm);
    EXPECT_EQ(first.pos, QPoint(10, 20));
    EXPECT_EQ(first.defaultButton, mbYes);
    EXPECT_EQ(first.title(), S("Remove"));
    EXPECT_EQ(first.message(), S("Remove \"Doom\"?"));
    EXPECT_EQ(script.asked().at(1).title(), S("Confirm"));
    EXPECT_EQ(script.asked().at(2).kind, mdtConfirmRetry);
    EXPECT_EQ(script.asked().at(2).defaultButton, mbRetry);
    EXPECT_EQ(script.asked().at(3).delay, 3);
    EXPECT_EQ(script.asked().at(3).pos, CenterPos);
    EXPECT_EQ(script.unanswered(), 1);
    EXPECT_EQ(script.pendingAnswers(), 0);
}

TEST(MessageScript, NestedScriptsAnswerInnermostFirst)
{
    TMessageScript outer;
    {
        TMessageScript inner;
        inner.answer(mrYes);
        EXPECT_TRUE(ConfirmDialog(S("inner")));
        EXPECT_EQ(TMessageScript::current(), &inner);
    }
    EXPECT_EQ(TMessageScript::current(), &outer);
    ErrorDialog(S("outer"));
    ASSERT_EQ(outer.asked().size(), 1);
    EXPECT_EQ(outer.asked().at(0).kind, mdtError);
}

TEST(DialogPrompt, UsesTheWrappersAtTheirPositions)
{
    TMessageScript script;
    script.answer(mrYes);
    script.answer(mrRetry);
    TDialogPrompt prompt;
    IPrompt &p = prompt;
    p.error(S("bad"), QPoint(1, 2));
    p.information(S("fine"));
    EXPECT_TRUE(p.confirm(S("sure?"), QPoint(3, 4), false));
    EXPECT_TRUE(p.confirmRetry(S("again?"), QPoint(5, 6)));

    ASSERT_EQ(script.asked().size(), 4);
    EXPECT_EQ(script.asked().at(0).kind, mdtError);
    EXPECT_EQ(script.asked().at(0).pos, QPoint(1, 2));
    EXPECT_EQ(script.asked().at(1).kind, mdtInformation);
    EXPECT_EQ(script.asked().at(1).pos, CenterPos);
    EXPECT_EQ(script.asked().at(2).kind, mdtConfirm);
    EXPECT_EQ(script.asked().at(2).defaultButton, mbNo);
    EXPECT_EQ(script.asked().at(3).kind, mdtConfirmRetry);
    EXPECT_EQ(script.asked().at(3).pos, QPoint(5, 6));
}

TEST(GeneralErrorHandler, ShowsTheMessageAndGoesOn)
{
    TExceptionScript shown;
    EXPECT_TRUE(TApplication::HandleExceptions([] { return true; }));
    EXPECT_FALSE(TApplication::HandleExceptions(
        []() -> bool { throw ECopyError(S("Cannot copy \"a\" to \"b\"")); }));
    EXPECT_FALSE(
        TApplication::HandleExceptions([]() -> bool { throw std::runtime_error("disk full"); }));
    EXPECT_FALSE(TApplication::HandleExceptions([]() -> bool { throw 42; }));
    ASSERT_EQ(shown.asked().size(), 3);
    EXPECT_EQ(shown.asked().at(0), S("Cannot copy \"a\" to \"b\""));
    EXPECT_EQ(shown.asked().at(1), S("disk full"));
    EXPECT_FALSE(shown.asked().at(2).isEmpty());
}
