#include "dialogs/SelectFromListDlg.h"
#include "common/TestUtils.h"
#include "dialogs/InputString.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

const TSelectOptions EditOrder{soEdit, soOrder};

struct ListDialog : testing::Test
{
    TSelectFromListDialog dlg;
    QStringList list{S("alpha"), S("beta"), S("gamma")};
    QString text;

    void Open(TSelectOptions options, const QString &preselect = QString(),
              const QString &defaults = QString(), TCheckEntry check = {})
    {
        dlg.Prepare(CenterPos, S("Commands"), S("List of commands"), QString(), options, 1,
                    defaults, list, preselect, true, std::move(check));
    }
    // Closes the window as the button would and reads the result back.
    TModalResult Close(QPushButton *button, TTextChange convert = TTextChange::tcNone)
    {
        button->click();
        const TModalResult r = dlg.result();
        dlg.ReadBack(r, convert, list, text);
        return r;
    }
};

bool Below(const QWidget *upper, const QWidget *lower)
{
    return upper->geometry().bottom() < lower->geometry().top();
}

} // namespace

TEST_F(ListDialog, RightPartFollowsTheOptions)
{
    Open(EditOrder);
    EXPECT_FALSE(dlg.btnDefault->isVisibleTo(&dlg));
    EXPECT_FALSE(dlg.btnDelAll->isVisibleTo(&dlg));
    EXPECT_FALSE(dlg.btnPrompt->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.gbxEdit->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.gbxMove->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.CancelBtn->isVisibleTo(&dlg));
    const int base = dlg.height();
    const int dist = ScaleByDpi(5, &dlg);
    const int button = dlg.btnInsert->height();
    // The edit group ends dist below its last button; the move group follows.
    EXPECT_EQ(dlg.gbxEdit->height(), dlg.btnEdit->geometry().bottom() + 1 + dist);
    EXPECT_EQ(dlg.gbxMove->y(), dlg.gbxEdit->geometry().bottom() + 1 + dist);

    Open(TSelectOptions{soEdit, soOrder, soDelAll}, QString(), S("a,b"));
    EXPECT_TRUE(dlg.btnDefault->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.btnDelAll->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.btnDelAll->y(), dlg.btnDefault->geometry().bottom() + 1 + dist);
    EXPECT_EQ(dlg.height(), base + ScaleByDpi(35, &dlg) + button + 2 * dist);

    Open(TSelectOptions{soEdit, soPrompt});
    EXPECT_FALSE(dlg.gbxMove->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.btnPrompt->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.height(), base - dlg.gbxMove->height() - 2 * dist + button + 2 * dist);
    // Nothing at the bottom covers the hint or another button.
    EXPECT_TRUE(Below(dlg.lbHint, dlg.btnPrompt));
    EXPECT_TRUE(Below(dlg.btnPrompt, dlg.OKBtn));
    EXPECT_TRUE(Below(dlg.OKBtn, dlg.CancelBtn));
    EXPECT_LE(dlg.CancelBtn->geometry().bottom(), dlg.paEdit->height());
}

TEST_F(ListDialog, RemovingKeepsANeighbourSelected)
{
    Open(EditOrder, S("GAMMA"));
    EXPECT_EQ(dlg.lbxStringList->currentRow(), 2);
    TMessageScript messages;
    messages.answer(mrYes);
    dlg.btnDelete->click();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).kind, mdtConfirm);
    EXPECT_EQ(messages.asked().at(0).message(), S("Remove item: \"gamma\"?"));
    EXPECT_EQ(messages.asked().at(0).pos, BelowControl(dlg.btnDelete, QPoint(-100, 10)));
    EXPECT_EQ(dlg.Items(), (QStringList{S("alpha"), S("beta")}));
    EXPECT_EQ(dlg.lbxStringList->currentRow(), 1);

    dlg.lbxStringList->setCurrentRow(0);
    messages.answer(mrYes);
    dlg.btnDelete->click();
    EXPECT_EQ(dlg.Items(), QStringList{S("beta")});
    EXPECT_EQ(dlg.lbxStringList->currentItem()->text(), S("beta"));

    // "No" keeps the entry.
    messages.answer(mrNo);
    dlg.btnDelete->click();
    EXPECT_EQ(dlg.Items(), QStringList{S("beta")});
}

TEST_F(ListDialog, MultipleSelectionIsJoinedInListOrder)
{
    Open(TSelectOptions{soMulti});
    dlg.lbxStringList->item(2)->setSelected(true);
    dlg.lbxStringList->setCurrentRow(0, QItemSelectionModel::Select);
    EXPECT_EQ(Close(dlg.OKBtn), mrOk);
    EXPECT_EQ(text, S("alpha|gamma"));
    // Without soEdit the list is not handed back, even when converted.
    EXPECT_EQ(list, (QStringList{S("alpha"), S("beta"), S("gamma")}));
}

TEST_F(ListDialog, MultipleRemovalAsksOnce)
{
    Open(TSelectOptions{soEdit, soMulti});
    dlg.lbxStringList->item(0)->setSelected(true);
    dlg.lbxStringList->item(2)->setSelected(true);
    TMessageScript messages;
    messages.answer(mrYes);
    dlg.btnDelete->click();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).message(), S("Remove all selected items?"));
    EXPECT_EQ(dlg.Items(), QStringList{S("beta")});
}

TEST_F(ListDialog, CancelKeepsListAndText)
{
    Open(EditOrder, S("beta"));
    text = S("unchanged");
    TMessageScript messages;
    messages.answer(mrYes);
    dlg.btnDelete->click();
    dlg.UpBtnClick();
    EXPECT_EQ(Close(dlg.CancelBtn), mrCancel);
    EXPECT_EQ(list, (QStringList{S("alpha"), S("beta"), S("gamma")}));
    EXPECT_EQ(text, S("unchanged"));
    // Escape and the close box answer the same.
    Open(EditOrder);
    dlg.reject();
    EXPECT_EQ(dlg.result(), mrCancel);
}

TEST_F(ListDialog, AddAppendsEvenAnEmptyText)
{
    Open(EditOrder, S("alpha"));
    TInputTextScript input;
    input.answer(QString());
    dlg.btnInsert->click();
    ASSERT_EQ(input.asked().size(), 1);
    EXPECT_EQ(input.asked().at(0).title, S("Add item"));
    EXPECT_EQ(input.asked().at(0).description, S("List of commands"));
    EXPECT_EQ(input.asked().at(0).pos, BelowControl(dlg.btnInsert, QPoint(-100, 10)));
    EXPECT_EQ(dlg.Items().size(), 4);
    EXPECT_EQ(dlg.lbxStringList->currentRow(), 3);
    EXPECT_EQ(Close(dlg.OKBtn), mrOk);
    EXPECT_EQ(list, (QStringList{S("alpha"), S("beta"), S("gamma"), S("")}));
    EXPECT_EQ(text, S(""));

    // Cancelled input adds nothing.
    Open(EditOrder);
    dlg.btnInsert->click();
    EXPECT_EQ(dlg.Items(), list);
}

TEST_F(ListDialog, RejectedEntriesChangeNothing)
{
    Open(EditOrder, S("beta"), QString(), [](const QString &t) { return !t.contains(u' '); });
    TInputTextScript input;
    TMessageScript messages;
    input.answer(S("two words"));
    dlg.btnInsert->click();
    input.answer(S("also bad"));
    dlg.btnEdit->click();
    ASSERT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(messages.asked().at(0).kind, mdtError);
    EXPECT_EQ(messages.asked().at(0).message(), S("Invalid entry: \"two words\""));
    EXPECT_EQ(dlg.Items(), (QStringList{S("alpha"), S("beta"), S("gamma")}));

    input.answer(S("delta"));
    dlg.btnEdit->click();
    EXPECT_EQ(input.asked().last().title, S("Edit item"));
    EXPECT_EQ(input.asked().last().text, S("beta"));
    EXPECT_EQ(dlg.Items(), (QStringList{S("alpha"), S("delta"), S("gamma")}));
}

TEST_F(ListDialog, NoConfirmRemovesClearsAndResetsSilently)
{
    Open(TSelectOptions{soEdit, soDelAll, soNoConfirm}, S("alpha"), S("cls,\"mount c .\""));
    TMessageScript messages;
    dlg.btnDelete->click();
    EXPECT_EQ(dlg.Items(), (QStringList{S("beta"), S("gamma")}));
    dlg.btnDelAll->click();
    EXPECT_TRUE(dlg.Items().isEmpty());
    dlg.btnDefault->click();
    EXPECT_EQ(dlg.Items(), (QStringList{S("cls"), S("mount c .")}));
    EXPECT_TRUE(messages.asked().isEmpty());
}

TEST_F(ListDialog, ClearAndResetAskFirst)
{
    Open(TSelectOptions{soEdit, soDelAll}, QString(), S("x"));
    TMessageScript messages;
    messages.answer(mrNo);
    dlg.btnDelAll->click();
    messages.answer(mrNo);
    dlg.btnDefault->click();
    ASSERT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(messages.asked().at(0).message(), S("Clear whole list?"));
    EXPECT_EQ(messages.asked().at(1).message(), S("Reset to default values?"));
    EXPECT_EQ(dlg.Items().size(), 3);
}

TEST_F(ListDialog, MovingKeepsTheEntryCurrent)
{
    Open(EditOrder, S("beta"));
    dlg.UpBtn->click();
    EXPECT_EQ(dlg.Items(), (QStringList{S("beta"), S("alpha"), S("gamma")}));
    EXPECT_EQ(dlg.lbxStringList->currentRow(), 0);
    EXPECT_FALSE(dlg.UpBtn->isEnabled());
    dlg.UpBtnClick();
    EXPECT_EQ(dlg.lbxStringList->currentRow(), 0);
    dlg.DownBtn->click();
    dlg.DownBtn->click();
    EXPECT_EQ(dlg.Items(), (QStringList{S("alpha"), S("gamma"), S("beta")}));
    EXPECT_FALSE(dlg.DownBtn->isEnabled());
    EXPECT_EQ(Close(dlg.OKBtn, TTextChange::tcUpper), mrOk);
    EXPECT_EQ(list, (QStringList{S("ALPHA"), S("GAMMA"), S("BETA")}));
    EXPECT_EQ(text, S("BETA"));
}

TEST_F(ListDialog, DoubleClickEditsOrChooses)
{
    Open(EditOrder, S("alpha"));
    TInputTextScript input;
    input.answer(S("ALPHA 2"));
    dlg.lbxStringListDblClick();
    ASSERT_EQ(input.asked().size(), 1);
    EXPECT_EQ(input.asked().at(0).title, S("Edit item"));
    EXPECT_EQ(dlg.Items().first(), S("ALPHA 2"));

    Open(TSelectOptions{}, S("gamma"));
    dlg.lbxStringListDblClick();
    EXPECT_EQ(dlg.result(), mrOk);
    dlg.ReadBack(dlg.result(), TTextChange::tcNone, list, text);
    EXPECT_EQ(text, S("gamma"));
    EXPECT_EQ(input.asked().size(), 1);
}

TEST_F(ListDialog, PromptAnswersYesAndNoEntryGivesEmptyText)
{
    Open(TSelectOptions{soPrompt}, S("none of these"));
    EXPECT_EQ(dlg.lbxStringList->currentRow(), -1);
    text = S("old");
    EXPECT_EQ(Close(dlg.btnPrompt), mrYes);
    EXPECT_EQ(text, S(""));
}

TEST_F(ListDialog, LanguageSwitchKeepsEntriesAndTitle)
{
    list = QStringList{S("Add"), S("Remove")};
    Open(EditOrder);
    GnuGettext::UseLanguage(S("de"));
    RetranslateComponent(&dlg);
    EXPECT_EQ(dlg.btnInsert->text(), S("Hinzufügen"));
    EXPECT_EQ(dlg.gbxMove->title(), S("Eintrag verschieben"));
    EXPECT_EQ(dlg.Items(), (QStringList{S("Add"), S("Remove")}));
    EXPECT_EQ(dlg.windowTitle(), S("Commands"));
    GnuGettext::UseLanguage(S("C"));
    RetranslateComponent(&dlg);
    EXPECT_EQ(dlg.btnInsert->text(), S("Add"));
}

TEST_F(ListDialog, TranslatedTitlesAndCaptionsFitTheRightPart)
{
    GnuGettext::UseLanguage(S("fr"));
    RetranslateComponent(&dlg);
    Open(TSelectOptions{soPrompt, soEdit, soOrder, soDelAll}, QString(), S("a,b"));
    for (QGroupBox *group : {dlg.gbxEdit, dlg.gbxMove}) {
        const int title = QFontMetrics(group->font()).horizontalAdvance(group->title());
        EXPECT_LT(title, group->width()) << group->title().toStdString();
        EXPECT_LE(group->geometry().right(), dlg.paEdit->width()) << group->title().toStdString();
    }
    for (QPushButton *button : {dlg.btnInsert, dlg.btnDelete, dlg.btnEdit, dlg.btnDefault,
                                dlg.btnDelAll, dlg.btnPrompt, dlg.OKBtn, dlg.CancelBtn}) {
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        EXPECT_LE(button->geometry().right(), button->parentWidget()->width())
            << button->text().toStdString();
    }
    GnuGettext::UseLanguage(S("C"));
    RetranslateComponent(&dlg);
}
