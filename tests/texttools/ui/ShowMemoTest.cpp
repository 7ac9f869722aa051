#include "texttools/ui/ShowMemo.h"

#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/ListSelectDlg.h"
#include "dialogs/MsgDialogs.h"
#include "texttools/CodePageList.h"
#include "texttools/ui/FindDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QByteArray B(const char *s)
{
    return QByteArray(s);
}

const TShowDlgButtons ManualButtons{sbPrint, sbSearch, sbCodepage};

class ShowMemoTest : public testing::Test
{
protected:
    void TearDown() override { viewer.hide(); }

    QString file(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(S(name));
        WriteTestFile(path, bytes);
        return path;
    }

    void show(const QString &path, int codePage, int line = 1,
              TShowDlgButtons buttons = ManualButtons, const QString &title = S("Manual for Doom"))
    {
        viewer.Execute(title, path, QString(), QString(), QString(), QString(), QString(),
                       QString(), S("All|*.*"), QPoint(30, 30), line, stShow, buttons, codePage);
    }

    // Selects from..to (text positions) in the text area.
    void select(int from, int to)
    {
        QTextCursor cursor = viewer.Memo->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        viewer.Memo->setTextCursor(cursor);
    }

    QString selected() const { return viewer.Memo->textCursor().selectedText(); }

    // Chooses the pop-up entry with the code page's number.
    void chooseCodePage(int codePage)
    {
        viewer.EncBtnClick();
        QListWidget *list = viewer.ListSelectDialog->lbSelect;
        ASSERT_TRUE(viewer.ListSelectDialog->isVisible());
        for (int row = 0; row < list->count(); ++row) {
            if (viewer.ListSelectDialog->NumberAt(row) == codePage) {
                list->scrollToItem(list->item(row));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
                return;
            }
        }
        FAIL() << "no entry for " << codePage;
    }

    QTemporaryDir dir;
    TShowTextDialog viewer;
};

const QByteArray BoxFile = B("\xC9\xCD\xBB\r\n\xBA"
                             "A\xBA\r\n\xC8\xCD\xBC\r\n");

} // namespace

TEST_F(ShowMemoTest, ShowsAManualInTheGivenCodePage)
{
    const QString path = file("box.txt", BoxFile);
    show(path, 437);
    ASSERT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), S("Manual for Doom [") + path + u']');
    EXPECT_EQ(viewer.Memo->toPlainText(), S("╔═╗\n║A║\n╚═╝\n"));
    EXPECT_EQ(viewer.StatusText(1), CodePageName(437));
    EXPECT_EQ(viewer.FCodePage, 437);

    // The buttons of a manual, nothing else.
    for (QToolButton *hidden :
         {viewer.OpenBtn, viewer.UpdateBtn, viewer.FontBtn, viewer.DeleteBtn, viewer.PrevSectBtn,
          viewer.NextSectBtn, viewer.PrevErrBtn, viewer.NextErrBtn})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    for (QToolButton *shown : {viewer.EncBtn, viewer.PrintBtn, viewer.SearchBtn, viewer.EndeBtn})
        EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
    // PDF needs no printer.
    EXPECT_TRUE(viewer.PrintBtn->isEnabled());

    // "Automatic" from the pop-up: no UTF-8, so ANSI.
    ASSERT_FALSE(viewer.CodePageList.isEmpty());
    EXPECT_EQ(viewer.CodePageList.first(), (TCodePageChoice{S(" Automatic"), 0}));
    chooseCodePage(0);
    EXPECT_EQ(viewer.FCodePage, 0);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("ÉÍ»\nºAº\nÈÍ¼\n"));
    EXPECT_EQ(viewer.StatusText(1), CodePageName(1252));
}

TEST_F(ShowMemoTest, AutomaticDetectionAndByteOrderMarks)
{
    const QString utf8 = file("utf8.txt", B("Gr\xC3\xBC\xC3\x9F"
                                            "e"));
    show(utf8, 0);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("Grüße"));
    EXPECT_EQ(viewer.StatusText(1), CodePageName(65001));
    viewer.hide();

    // A chosen code page is used as it is.
    viewer.FCodePage = 0;
    show(utf8, 850);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("Gr├╝├ƒe"));
    viewer.hide();

    const QString marked = file("bom.txt", B("\xEF\xBB\xBFmark"));
    viewer.FCodePage = 65001;
    show(marked, 437);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("mark"));
    viewer.FCodePage = 1252;
    viewer.LoadText();
    EXPECT_EQ(viewer.Memo->toPlainText(), S("ï»¿mark"));
}

TEST_F(ShowMemoTest, StatusLineAndCaret)
{
    QByteArray ten;
    for (int i = 1; i <= 10; ++i)
        ten += "line " + QByteArray::number(i) + "\r\n";
    show(file("ten.txt", ten), 437, 1);
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 1 of 11"));
    viewer.hide();

    show(file("ten.txt", ten), 437, 4);
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 4 of 11"));
    EXPECT_EQ(viewer.Memo->textCursor().block().text(), S("line 4"));
    viewer.hide();

    // One line: the line number must be smaller than the line count.
    show(file("one.txt", B("only line")), 437, 1);
    EXPECT_EQ(viewer.Memo->textCursor().position(), 9);
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 1 of 2"));
    viewer.hide();

    // An empty file is no error.
    TMessageScript messages;
    show(file("empty.txt", QByteArray()), 437, 1);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.Memo->toPlainText().isEmpty());
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 1 of 1"));
    EXPECT_TRUE(messages.asked().isEmpty());
}

TEST_F(ShowMemoTest, SecondExecuteReplacesTheTextAndKeepsTheCodePage)
{
    show(file("a.txt", BoxFile), 437);
    chooseCodePage(850);
    EXPECT_EQ(viewer.FCodePage, 850);
    const QString other = file("b.txt", B("\x82t\x82"));
    show(other, 437, 1, TShowDlgButtons{sbOpen}, S("Manual for Keen"));
    EXPECT_EQ(viewer.windowTitle(), S("Manual for Keen [") + other + u']');
    EXPECT_EQ(viewer.Memo->toPlainText(), S("été"));
    EXPECT_EQ(viewer.FCodePage, 850);
    // The buttons stay as they were.
    EXPECT_TRUE(viewer.OpenBtn->isHidden());
    EXPECT_FALSE(viewer.EncBtn->isHidden());

    // After closing, the choice lasts for the run; "Automatic" lets the
    // caller's code page count again.
    viewer.hide();
    show(other, 437);
    EXPECT_EQ(viewer.FCodePage, 850);
    chooseCodePage(0);
    viewer.hide();
    show(other, 437);
    EXPECT_EQ(viewer.FCodePage, 437);
}

TEST_F(ShowMemoTest, MissingAndBrokenFiles)
{
    TMessageScript messages;
    const QString missing = dir.filePath(S("gone.txt"));
    show(missing, 437);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_TRUE(viewer.TextName.isEmpty());
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].kind, mdtError);
    EXPECT_EQ(messages.asked()[0].message(), S("File: \"") + missing + S("\" not found!"));

    // Gone while shown: the error line, the window stays.
    const QString path = file("x.txt", B("text"));
    show(path, 437);
    QFile::remove(path);
    viewer.UpdateBtnClick();
    EXPECT_EQ(viewer.Memo->toPlainText(), S("*** Error loading file: \"") + path + u'"');

    // Invalid UTF-8 with 65001: a message, then ANSI.
    viewer.hide();
    viewer.FCodePage = 65001;
    show(file("bad.txt", B("a\xFF")), 437);
    ASSERT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(messages.asked()[1].message(),
              S("The text does not fit this code page; it is shown in Windows-1252 instead."));
    EXPECT_EQ(viewer.FCodePage, 1252);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("aÿ"));
}

TEST_F(ShowMemoTest, SearchAndKeys)
{
    show(file("s.txt", B("Alpha beta\r\nbeta Gamma\r\nalphabet\r\n")), 437, 1);
    viewer.SearchBtnClick();
    ASSERT_TRUE(viewer.FindDialog && viewer.FindDialog->isVisible());
    // The first search goes down from the caret on line 1.
    viewer.FindDialog->SetFindText(S("beta"));
    viewer.FindDialog->btFindNext->click();
    EXPECT_EQ(selected(), S("beta"));
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 6);

    // F3 goes on in the dialog's direction, Shift+F3 back.
    viewer.FindDialog->hide();
    viewer.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(&viewer, Qt::Key_F3);
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 11);
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 2 of 4"));
    QTest::keyClick(&viewer, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 6);

    // Whole words and case.
    viewer.FindDialog->SetFindText(S("alpha"));
    viewer.FindDialog->cbWholeWord->setChecked(true);
    select(0, 0);
    EXPECT_TRUE(viewer.SearchText(true));
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 0);
    // Past the last hit the search goes on from the top.
    EXPECT_TRUE(viewer.SearchText(true));
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 0);
    EXPECT_EQ(viewer.StatusText(2), S("Continued from the top"));
    viewer.FindDialog->SetFindText(S("gone"));
    TMessageScript messages;
    EXPECT_FALSE(viewer.SearchText(true));
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(), S("\"gone\" not found!"));
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 0);
    viewer.FindDialog->SetFindText(S("alpha"));
    viewer.FindDialog->cbWholeWord->setChecked(false);
    viewer.FindDialog->cbMatchCase->setChecked(true);
    EXPECT_TRUE(viewer.SearchText(true));
    EXPECT_EQ(viewer.Memo->textCursor().selectionStart(), 22);

    // Esc closes the window, which keeps its width for the next showing.
    viewer.resize(700, viewer.height());
    QTest::keyClick(viewer.Memo, Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.LWidth, 700);
    show(file("s.txt", B("x")), 437);
    EXPECT_EQ(viewer.width(), 700);
}

TEST_F(ShowMemoTest, SectionAndErrorNavigation)
{
    const QString log = file("log.txt", B("== One\r\nok\r\nERROR 1\r\n== Two\r\nERROR 2\r\n"));
    viewer.Execute(S("Log"), log, S("Previous chapter"), S("Next chapter"), S("=="),
                   S("Previous error"), S("Next error"), S("ERROR"), S("All|*.*"), QPoint(0, 0), 1,
                   stShow, TShowDlgButtons{sbSection, sbError}, 437);
    EXPECT_FALSE(viewer.NextSectBtn->isHidden());
    EXPECT_EQ(viewer.NextSectBtn->toolTip(), S("Next chapter"));
    EXPECT_EQ(viewer.PrevErrBtn->toolTip(), S("Previous error"));

    viewer.NextErrBtnClick();
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 3 of 6"));
    EXPECT_EQ(selected(), S("ERROR"));
    viewer.NextSectBtnClick();
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 4 of 6"));
    viewer.NextErrBtnClick();
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 5 of 6"));
    EXPECT_TRUE(viewer.StatusText(2).isEmpty());
    viewer.NextErrBtnClick();
    EXPECT_EQ(viewer.StatusText(2), S("No further errors!"));
    EXPECT_EQ(viewer.Memo->textCursor().position(), viewer.Memo->toPlainText().size());
    viewer.PrevSectBtnClick();
    EXPECT_EQ(viewer.StatusText(0), S(" Line: 4 of 6"));
    EXPECT_TRUE(viewer.StatusText(2).isEmpty());
    viewer.PrevSectBtnClick();
    viewer.PrevSectBtnClick();
    EXPECT_EQ(viewer.StatusText(2), S("No further sections!"));
    EXPECT_EQ(viewer.Memo->textCursor().position(), 0);
    // The find window follows the last navigation.
    EXPECT_EQ(viewer.FindDialog->FindText(), S("=="));
    EXPECT_FALSE(viewer.FindDialog->Down());
}

TEST_F(ShowMemoTest, DeletingWritesTheFileBack)
{
    const QString path = file("del.txt", B("\xC9\xCD\xBB one\nkeep \x81\n"));
    show(path, 437, 1, TShowDlgButtons{sbErase});
    TMessageScript messages;

    // Del key: No keeps everything.
    select(0, 4);
    messages.answer(mrNo);
    QTest::keyClick(viewer.Memo, Qt::Key_Delete);
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(), S("Delete selected text?"));
    // Changing a file on disk is nothing to confirm by accident.
    EXPECT_EQ(messages.asked()[0].defaultButton, mbNo);
    EXPECT_EQ(ReadTestFile(path), B("\xC9\xCD\xBB one\nkeep \x81\n"));

    // Yes: in the code page it was read with, keeping its LF line ends.
    messages.answer(mrYes);
    QTest::keyClick(viewer.Memo, Qt::Key_Delete);
    EXPECT_EQ(viewer.Memo->toPlainText(), S("one\nkeep ü\n"));
    EXPECT_EQ(ReadTestFile(path), B("one\nkeep \x81\n"));

    // The button writes UTF-8 with a byte-order mark.
    select(0, 4);
    messages.answer(mrYes);
    viewer.DeleteBtnClick();
    EXPECT_EQ(ReadTestFile(path), B("\xEF\xBB\xBFkeep \xC3\xBC\n"));

    // Without a selection it deletes the file.
    select(2, 2);
    messages.answer(mrYes);
    viewer.DeleteBtnClick();
    EXPECT_EQ(messages.asked().last().message(), S("Delete file \"") + path + S("\"?"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(viewer.Memo->toPlainText().isEmpty());
}

TEST_F(ShowMemoTest, DeletingKeepsCharactersTheCodePageLacks)
{
    // Read as UTF-8 (detected) the text goes back as UTF-8.
    const QString path = file("u.txt", B("x \xE2\x82\xAC y"));
    show(path, 0, 1, TShowDlgButtons{sbErase});
    TMessageScript messages;
    messages.answer(mrYes);
    select(0, 2);
    viewer.DeleteSelectionByKey();
    EXPECT_EQ(ReadTestFile(path), B("\xE2\x82\xAC y"));
}

TEST_F(ShowMemoTest, FontChoiceStaysWithinSixToTwentyFourPoints)
{
    show(file("f.txt", B("x")), 437, 1, TShowDlgButtons{sbFont});
    TFontDialogScript fonts;
    QFont big(S("Monospace"), 40);
    fonts.answer(big);
    viewer.FontBtnClick();
    EXPECT_EQ(viewer.Memo->font().pointSize(), 24);
    const QFont before = viewer.Memo->font();
    viewer.FontBtnClick(); // cancelled
    EXPECT_EQ(viewer.Memo->font(), before);
}

TEST_F(ShowMemoTest, PrintingSelectedLinesToPdf)
{
    show(file("p.txt", B("line 1\nline 2\nline 3\nline 4\nline 5\nline 6\n")), 437);
    // From the middle of line 3 to the middle of line 5.
    select(17, 31);
    EXPECT_EQ(viewer.LinesForPrinting(true), (QStringList{S("line 3"), S("line 4"), S("line 5")}));
    // Up to the start of line 6 ends with line 5's break: line 6 stays out.
    select(14, 35);
    EXPECT_EQ(viewer.LinesForPrinting(true), (QStringList{S("line 3"), S("line 4"), S("line 5")}));
    EXPECT_EQ(viewer.LinesForPrinting(false).size(), 6);

    // Without a printer the text prints into a PDF beside it, named after it.
    const QString pdf = dir.filePath(S("p.pdf"));
    EXPECT_EQ(viewer.PdfFileName(), pdf);
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        viewer.SetPrintToFile(pdf);
    TMessageScript messages;
    TPrintDialogScript printDialog;
    // Cancelled in the print dialog: nothing printed.
    messages.answer(mrYes);
    viewer.PrintBtnClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(), S("Print selected lines?"));
    EXPECT_EQ(printDialog.asked().size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));

    messages.answer(mrYes);
    printDialog.answer(true);
    viewer.PrintBtnClick();
    EXPECT_TRUE(ReadTestFile(pdf).startsWith("%PDF"));
    EXPECT_EQ(ReadTestFile(pdf).count("/Type /Page\n") + ReadTestFile(pdf).count("/Type /Page\r"),
              1);

    // Without a selection no question; a long text gets more pages.
    QByteArray longText;
    for (int i = 0; i < 150; ++i)
        longText += "line " + QByteArray::number(i) + "\n";
    viewer.LoadText(file("long.txt", longText));
    const QString longPdf = dir.filePath(S("long.pdf"));
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        viewer.SetPrintToFile(longPdf);
    select(0, 0);
    printDialog.answer(true);
    viewer.PrintBtnClick();
    EXPECT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(ReadTestFile(longPdf).count("/Type /Page\n") +
                  ReadTestFile(longPdf).count("/Type /Page\r"),
              3);
}

TEST_F(ShowMemoTest, ModalUseEndsWithEscape)
{
    const QString path = file("m.txt", B("modal"));
    WhenModal([](QWidget *window) { QTest::keyClick(KeyTarget(window), Qt::Key_Escape); });
    viewer.Execute(S("Modal"), path, QString(), QString(), QString(), QString(), QString(),
                   QString(), QString(), QPoint(0, 0), 1, stModal, TShowDlgButtons{}, 437);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.Memo->toPlainText(), S("modal"));
}
