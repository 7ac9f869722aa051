#include "texttools/ui/TxtConvertDlg.h"

#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/Application.h"
#include "dialogs/FileOpenDialog.h"
#include "dialogs/MsgDialogs.h"
#include "mainwindow/MainWindow.h"
#include "texttools/CodePages.h"

#include <QAction>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

QString Checked(const TTxtConvertDialog &dialog)
{
    const QAbstractButton *button = dialog.CodePageButtons->checkedButton();
    return button ? button->text() : QString();
}

class TxtConvertTest : public testing::Test
{
protected:
    QString file(const char *name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(S(name));
        WriteTestFile(path, bytes);
        return path;
    }

    QTemporaryDir dir;
    TTxtConvertDialog dialog;
};

} // namespace

TEST_F(TxtConvertTest, CodePageTableInThreeColumns)
{
    EXPECT_EQ(dialog.windowTitle(), S("Convert Unicode text"));
    ASSERT_EQ(dialog.CodePageButtons->buttons().size(), int(CodePageTable.size()));
    dialog.LoadControls(S("/root"), 858);
    EXPECT_EQ(Checked(dialog), S("Latin-1 + Euro (858)"));
    EXPECT_EQ(dialog.TargetCodePage(), 858);
    dialog.LoadControls(S("/root"), 1251);
    EXPECT_EQ(Checked(dialog), S("US (437)"));
    EXPECT_EQ(dialog.TargetCodePage(), 437);
    EXPECT_EQ(dialog.FRootPath, S("/root"));

    dialog.show();
    // Column by column: 437 above 1252, the fifth entry at the top of the
    // second column.
    const QWidget *first = dialog.CodePageButtons->button(0);
    EXPECT_LT(first->y(), dialog.CodePageButtons->button(1)->y());
    EXPECT_EQ(first->x(), dialog.CodePageButtons->button(3)->x());
    EXPECT_EQ(first->y(), dialog.CodePageButtons->button(4)->y());
    EXPECT_LT(first->x(), dialog.CodePageButtons->button(4)->x());
    EXPECT_LT(dialog.CodePageButtons->button(4)->x(), dialog.CodePageButtons->button(8)->x());
    dialog.hide();
}

TEST_F(TxtConvertTest, ChoosingTheSource)
{
    dialog.LoadControls(dir.path(), 437);
    TFileOpenScript files;
    files.answer({dir.filePath(S("doc.txt"))});
    dialog.btTextFileClick();
    ASSERT_EQ(files.asked().size(), 1);
    EXPECT_EQ(files.asked()[0].StartDir, dir.path());
    EXPECT_EQ(files.asked()[0].Title, S("Select text file to be converted"));
    EXPECT_EQ(files.asked()[0].DefaultExt, S("txt"));
    EXPECT_EQ(dialog.edTextfile->text(), dir.filePath(S("doc.txt")));

    // After a conversion the chooser starts in that file's folder.
    dialog.LastFile = S("/elsewhere/old.txt");
    dialog.btTextFileClick(); // cancelled
    EXPECT_EQ(files.asked()[1].StartDir, S("/elsewhere"));
    EXPECT_EQ(dialog.edTextfile->text(), dir.filePath(S("doc.txt")));
}

TEST_F(TxtConvertTest, ConvertWritesTheChosenCopy)
{
    const QString source = file("readme.txt", QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                                         "e\nzwei"));
    dialog.LoadControls(dir.path(), 437);
    dialog.edTextfile->setText(source);
    TMessageScript messages;
    TFileSaveScript save;
    const QString target = dir.filePath(S("readme-437.txt"));
    save.answer(target);
    dialog.btbConvertClick();
    ASSERT_EQ(save.asked().size(), 1);
    EXPECT_EQ(save.asked()[0].FileName, S("readme-437.txt"));
    EXPECT_EQ(save.asked()[0].StartDir, dir.path());
    EXPECT_EQ(save.asked()[0].Title, S("Save converted text as"));
    EXPECT_EQ(save.asked()[0].Filter, S("All|*.*"));
    EXPECT_EQ(ReadTestFile(target), QByteArray("Gr\x81\xE1"
                                               "e\r\nzwei\r\n"));
    // What was written is said.
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(),
              S("Written: ") + target + S("\r\nLines: 2, code page 437."));
    EXPECT_EQ(dialog.LastFile, source);

    // Another code page, the name follows; cancelling writes nothing.
    dialog.CodePageButtons->button(1)->click();
    dialog.btbConvertClick();
    EXPECT_EQ(save.asked()[1].FileName, S("readme-1252.txt"));
    EXPECT_FALSE(QFile::exists(dir.filePath(S("readme-1252.txt"))));
}

TEST_F(TxtConvertTest, MissingSourceIsReported)
{
    TMessageScript errors;
    TFileSaveScript save;
    dialog.LoadControls(dir.path(), 437);
    dialog.btbConvertClick();
    const QString missing = dir.filePath(S("missing.txt"));
    dialog.edTextfile->setText(missing);
    dialog.btbConvertClick();
    ASSERT_EQ(errors.asked().size(), 2);
    EXPECT_EQ(errors.asked()[0].message(), S("Please choose the text file to convert."));
    EXPECT_EQ(errors.asked()[1].message(), S("File not found: ") + missing);
    EXPECT_TRUE(save.asked().isEmpty());
    EXPECT_TRUE(dialog.LastFile.isEmpty());
}

TEST(TxtConvertCommand, MainWindowActionOpensTheConverter)
{
    TfrmMain window;
    ASSERT_NE(window.actConvertText, nullptr);
    EXPECT_EQ(window.actConvertText->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_EQ(window.actConvertText->statusTip(), S("Convert Unicode text to OEM"));
    const QList<QAction *> items = window.itmRun->actions();
    const qsizetype dosBox = items.indexOf(window.actDosBox);
    ASSERT_GE(dosBox, 0);
    ASSERT_EQ(items.indexOf(window.actConvertText), dosBox + 1);

    TTxtConvertDialog dialog(&window);
    window.TxtConvertDialog = &dialog;
    window.BasicSettings.RootPath = S("/dos");
    window.BasicSettings.Codepage = 866;
    QString shownWith;
    WhenModal([&](QWidget *modal) {
        shownWith = Checked(dialog);
        QTest::keyClick(KeyTarget(modal), Qt::Key_Escape);
    });
    window.actConvertText->trigger();
    EXPECT_EQ(shownWith, S("Cyrillic (866)"));
    EXPECT_EQ(dialog.FRootPath, S("/dos"));
    EXPECT_FALSE(dialog.isVisible());
}
