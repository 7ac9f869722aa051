#include "dialogs/ShellDirDlg.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/InputString.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectDlg.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QString S(const char *s)
{
    return QString::fromUtf8(s);
}

struct DirDialog : testing::Test
{
    QTemporaryDir tmp;
    TShellDirDialog dlg;

    QString Path(const char *relative) const { return tmp.filePath(S(relative)); }
    QString Make(const char *relative) const
    {
        QDir().mkpath(Path(relative));
        return Path(relative);
    }
    void Open(const QString &dir, const QString &home = QString(), bool fileView = true)
    {
        dlg.Prepare(S("Game folder"), false, fileView, false, home, dir);
    }
    // The tree loads in the background.
    bool WaitForSelection(const QString &path)
    {
        return QTest::qWaitFor([&] { return dlg.SelectedPath() == path; }, 5000);
    }
    QString Combo() const { return dlg.cbxSelectedDir->currentText(); }
    void Type(const QString &text)
    {
        dlg.cbxSelectedDir->lineEdit()->setText(text);
        dlg.cbxSelectedDirChange(text);
    }
};

} // namespace

TEST_F(DirDialog, StartsAtTheGivenFolderAndReturnsItWithDelimiter)
{
    const QString games = Make("games/doom");
    Open(games);
    EXPECT_EQ(dlg.Root(), rfMyComputer);
    EXPECT_TRUE(dlg.spbComputer->isChecked());
    ASSERT_TRUE(WaitForSelection(games));
    EXPECT_EQ(Combo(), games);
    EXPECT_TRUE(dlg.btbOK->isEnabled());
    EXPECT_FALSE(dlg.laVolHint->text().isEmpty());
    EXPECT_TRUE(dlg.laVolHint->text().contains(S(" free of ")));
    dlg.btbOK->click();
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(dlg.ChosenDir(), games + u'/');
    EXPECT_EQ(dlg.History(), QStringList{games});
}

TEST_F(DirDialog, FoldersAndFilesHavePictures)
{
    const QString games = Make("games/doom");
    QFile file(Path("games/doom/DOOM.EXE"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    dlg.cbxFiles->setChecked(true);
    Open(games);
    ASSERT_TRUE(WaitForSelection(games));
    const QModelIndex folder = dlg.ShellTreeView->currentIndex();
    EXPECT_FALSE(folder.data(Qt::DecorationRole).value<QIcon>().isNull());
    QAbstractItemModel *files = dlg.ShellListView->model();
    // The list's root index changes while the folder loads: never keep it.
    const auto listRoot = [&] { return dlg.ShellListView->rootIndex(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return files->rowCount(listRoot()) == 1; }, 5000));
    EXPECT_FALSE(files->index(0, 0, listRoot()).data(Qt::DecorationRole).value<QIcon>().isNull());
}

TEST_F(DirDialog, EmptyStartShowsTheDesktopWithoutChoice)
{
    Open(QString(), QString());
    EXPECT_EQ(dlg.Root(), rfDesktop);
    EXPECT_TRUE(dlg.spbDesktop->isChecked());
    EXPECT_TRUE(dlg.SelectedPath().isEmpty());
    EXPECT_FALSE(dlg.btbOK->isEnabled());
    EXPECT_FALSE(dlg.spbHome->isVisibleTo(&dlg));
    EXPECT_TRUE(dlg.laVolHint->text().isEmpty());
    // Choosing a folder enables OK.
    const QString top = dlg.TopFolder();
    dlg.ShellTreeView->setCurrentIndex(
        dlg.ShellTreeView->model()->index(0, 0, dlg.ShellTreeView->rootIndex()));
    EXPECT_EQ(dlg.SelectedPath(), top);
    EXPECT_TRUE(dlg.btbOK->isEnabled());
}

TEST_F(DirDialog, EmptyDirStartsAtTheDefaultFolder)
{
    const QString home = Make("dos");
    Open(QString(), home + u'/');
    EXPECT_TRUE(WaitForSelection(home));
    EXPECT_TRUE(dlg.spbHome->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.spbHome->toolTip(), S("Default: ") + home + u'/');
}

TEST_F(DirDialog, MissingDirStartsInDocuments)
{
    const QString documents = QDir::homePath() + S("/Documents");
    QDir().mkpath(documents);
    Open(Path("gone/away"), Make("dos"));
    EXPECT_EQ(dlg.Root(), rfMyComputer);
    EXPECT_TRUE(WaitForSelection(documents));
    EXPECT_EQ(Combo(), documents);
}

TEST_F(DirDialog, HiddenStartFolderIsStillTheChoice)
{
    const QString hidden = Make(".config/dosbox");
    Open(hidden);
    EXPECT_EQ(Combo(), hidden);
    EXPECT_TRUE(dlg.btbOK->isEnabled());
}

TEST_F(DirDialog, TypingMovesTheTreeButKeepsTheText)
{
    const QString a = Make("a");
    const QString b = Make("b/c");
    Open(a);
    ASSERT_TRUE(WaitForSelection(a));
    Type(b + u'/');
    EXPECT_TRUE(WaitForSelection(b));
    EXPECT_EQ(Combo(), b + u'/');
    EXPECT_TRUE(dlg.btbOK->isEnabled());
    Type(b + S("/x"));
    EXPECT_FALSE(dlg.btbOK->isEnabled());
    EXPECT_EQ(dlg.SelectedPath(), b);
    EXPECT_EQ(Combo(), b + S("/x"));
    // Enter does nothing while OK is disabled.
    QTest::keyClick(dlg.cbxSelectedDir->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), 0);
    Type(S("relative/path"));
    EXPECT_FALSE(dlg.btbOK->isEnabled());
    Type(a);
    QTest::keyClick(dlg.cbxSelectedDir->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dlg.result(), mrOk);
    EXPECT_EQ(dlg.ChosenDir(), a + u'/');
}

TEST_F(DirDialog, LinkedFolderStandsForItsTarget)
{
    const QString target = Make("real/place");
    const QString link = Path("link");
    ASSERT_TRUE(QFile::link(target, link));
    Open(Make("real"));
    ASSERT_TRUE(WaitForSelection(Path("real")));
    dlg.ShellTreeView->setCurrentIndex(QModelIndex());
    Open(link);
    ASSERT_TRUE(WaitForSelection(link));
    EXPECT_EQ(Combo(), target);
}

TEST_F(DirDialog, HistoryKeepsFifteenMostRecentFirst)
{
    for (int i = 0; i < 16; ++i)
        dlg.AddToHistory(S("/games/g%1").arg(i));
    ASSERT_EQ(dlg.History().size(), 15);
    EXPECT_EQ(dlg.History().first(), S("/games/g15"));
    EXPECT_EQ(dlg.History().last(), S("/games/g1"));
    // Another letter case is the same entry, moved up and written as chosen.
    dlg.AddToHistory(S("/GAMES/G5"));
    EXPECT_EQ(dlg.History().size(), 15);
    EXPECT_EQ(dlg.History().first(), S("/GAMES/G5"));
    EXPECT_FALSE(dlg.History().contains(S("/games/g5")));
    EXPECT_EQ(dlg.cbxSelectedDir->count(), 15);
    dlg.AddToHistory(QString());
    EXPECT_EQ(dlg.History().size(), 15);
    dlg.RemoveFromHistory(S("/games/G9"));
    EXPECT_EQ(dlg.History().size(), 14);
    EXPECT_EQ(dlg.cbxSelectedDir->count(), 14);
}

TEST_F(DirDialog, CancelKeepsDirButWritesItsSection)
{
    const QString ini = Path("ravelin.ini");
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteString(u"Config", u"DosBoxPath", S("/usr/bin"));
        file.WriteString(u"Directories", u"History0", S("/old"));
        file.WriteString(u"Directories", u"Stale", S("gone"));
        file.WriteString(u"App001", u"AppName", S("Doom"));
        file.UpdateFile();
    }
    TUnicodeIniFile settings = TUnicodeIniFile::CreateForRead(ini);
    dlg.LoadFromIni(settings, S("Directories"));
    EXPECT_EQ(dlg.History(), QStringList{S("/old")});
    const QString games = Make("games");
    dlg.AddToHistory(games);
    QString dir = S("unchanged/");
    Open(dir);
    dlg.btbCancel->click();
    EXPECT_EQ(dlg.result(), mrCancel);
    EXPECT_EQ(dir, S("unchanged/"));

    dlg.SaveToIni(settings);
    const TUnicodeIniFile &file = settings;
    EXPECT_EQ(file.ReadSections(),
              (QStringList{S("Unicode"), S("Config"), S("Directories"), S("App001")}));
    EXPECT_EQ(file.ReadString(u"Config", u"DosBoxPath"), S("/usr/bin"));
    EXPECT_EQ(file.ReadString(u"App001", u"AppName"), S("Doom"));
    EXPECT_EQ(file.ReadSection(u"Directories"),
              (QStringList{S("History0"), S("History1"), S("Left"), S("Top"), S("DirWidth"),
                           S("FileWidth"), S("Fileview")}));
    EXPECT_EQ(file.ReadString(u"Directories", u"History0"), games);
    EXPECT_EQ(file.ReadString(u"Directories", u"History1"), S("/old"));
    EXPECT_GT(file.ReadInteger(u"Directories", u"DirWidth", 0), 0);
    EXPECT_FALSE(file.ReadBool(u"Directories", u"Fileview", true));
}

TEST_F(DirDialog, SettingsSurviveAReload)
{
    TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(Path("ravelin.ini"));
    dlg.LoadFromIni(ini, S("Directories"));
    dlg.cbxFiles->setChecked(true);
    dlg.AddToHistory(S("/b"));
    dlg.AddToHistory(S("/a"));
    dlg.SaveToIni(ini);

    TShellDirDialog again;
    again.LoadFromIni(ini, S("Directories"));
    EXPECT_EQ(again.History(), (QStringList{S("/a"), S("/b")}));
    EXPECT_TRUE(again.cbxFiles->isChecked());
    EXPECT_TRUE(DecodeTextFile(ini.ToData()).contains(S("[Directories]")));
}

TEST_F(DirDialog, UnwritableSettingsAreIgnored)
{
    dlg.LoadFromIni(TUnicodeIniFile::CreateForRead(Path("no/such/folder/ravelin.ini")),
                    S("Directories"));
    Open(Make("x"));
    dlg.btbCancel->click();
    EXPECT_EQ(dlg.result(), mrCancel);
}

TEST_F(DirDialog, ShowFilesWidensByTheFilePanel)
{
    Open(Make("x"));
    EXPECT_FALSE(dlg.PanelRight->isVisibleTo(&dlg));
    const int narrow = dlg.width();
    dlg.cbxFiles->click();
    EXPECT_TRUE(dlg.PanelRight->isVisibleTo(&dlg));
    EXPECT_GT(dlg.width(), narrow + dlg.PanelRight->minimumWidth());
    dlg.cbxFiles->click();
    EXPECT_EQ(dlg.width(), narrow);
    // Without FileView the check box is not offered.
    Open(Path("x"), QString(), false);
    EXPECT_FALSE(dlg.cbxFiles->isVisibleTo(&dlg));
    EXPECT_FALSE(dlg.PanelRight->isVisibleTo(&dlg));
}

TEST_F(DirDialog, CreatesFolderWithItsParents)
{
    const QString base = Make("base");
    Open(base);
    ASSERT_TRUE(WaitForSelection(base));
    TInputTextScript input;
    input.answer(S("new/sub"));
    dlg.spbNew->click();
    ASSERT_EQ(input.asked().size(), 1);
    EXPECT_EQ(input.asked().at(0).title, base);
    EXPECT_EQ(input.asked().at(0).description, S("New subdirectory:"));
    EXPECT_TRUE(QFileInfo(base + S("/new/sub")).isDir());
    EXPECT_TRUE(WaitForSelection(base + S("/new/sub")));

    // A folder that cannot be made is reported.
    WriteTestFile(Path("base/file"), "x");
    ASSERT_TRUE(WaitForSelection(base + S("/new/sub")));
    dlg.SetRoot(rfMyComputer);
    dlg.GoToDirectory(base);
    ASSERT_TRUE(WaitForSelection(base));
    TMessageScript messages;
    input.answer(S("file/inner"));
    dlg.spbNewClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).kind, mdtError);
    EXPECT_EQ(messages.asked().at(0).message(),
              S("Could not create directory:\r\n") + base + S("/file/inner!"));
}

TEST_F(DirDialog, DeletesDefinitelyWithCounts)
{
    const QString victim = Make("base/victim/sub");
    WriteTestFile(Path("base/victim/a.txt"), "x");
    WriteTestFile(Path("base/victim/sub/.b"), "x");
    Open(Path("base/victim"));
    ASSERT_TRUE(WaitForSelection(Path("base/victim")));
    TSelectOptionScript options;
    TMessageScript messages;
    options.answer(0);
    dlg.itmDelete->trigger();
    ASSERT_EQ(options.asked().size(), 1);
    EXPECT_EQ(options.asked().at(0).title, S("Delete directory"));
    EXPECT_EQ(options.asked().at(0).caption, S("Delete \"") + Path("base/victim") + u'"');
    EXPECT_EQ(options.asked().at(0).buttons,
              (QStringList{S("Delete permanently"), S("Move to Trash")}));
    EXPECT_FALSE(QFileInfo::exists(Path("base/victim")));
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).kind, mdtInformation);
    EXPECT_EQ(messages.asked().at(0).message(), S("2 directories with 2 files deleted!"));
    EXPECT_TRUE(WaitForSelection(Path("base")));
}

TEST_F(DirDialog, DeletesIntoTheTrash)
{
    Make("base/old");
    Open(Path("base/old"));
    ASSERT_TRUE(WaitForSelection(Path("base/old")));
    TSelectOptionScript options;
    TMessageScript messages;
    options.answer(1);
    dlg.itmDeleteClick();
    EXPECT_FALSE(QFileInfo::exists(Path("base/old")));
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).message(), Path("base/old") + S(" moved to the Trash."));
}

TEST_F(DirDialog, CancelledDeleteKeepsEverything)
{
    Make("base/keep");
    Open(Path("base/keep"));
    ASSERT_TRUE(WaitForSelection(Path("base/keep")));
    TSelectOptionScript options;
    dlg.itmDeleteClick();
    EXPECT_EQ(options.asked().size(), 1);
    EXPECT_TRUE(QFileInfo(Path("base/keep")).isDir());
    EXPECT_EQ(dlg.SelectedPath(), Path("base/keep"));
}

TEST_F(DirDialog, SystemAndHomeFoldersCannotBeDeleted)
{
    Open(S("/"));
    ASSERT_TRUE(WaitForSelection(S("/")));
    EXPECT_FALSE(dlg.itmDelete->isEnabled());
    Open(QDir::homePath());
    ASSERT_TRUE(WaitForSelection(QDir::homePath()));
    EXPECT_FALSE(dlg.itmDelete->isEnabled());
    TSelectOptionScript options;
    dlg.itmDeleteClick();
    EXPECT_TRUE(options.asked().isEmpty());
}

TEST_F(DirDialog, UpLeavesTheDocumentsTree)
{
    const QString documents = QDir::homePath() + S("/Documents");
    QDir().mkpath(documents + S("/games"));
    Open(documents + S("/games"));
    ASSERT_TRUE(WaitForSelection(documents + S("/games")));
    dlg.spbMyFiles->click();
    EXPECT_EQ(dlg.Root(), rfPersonal);
    EXPECT_EQ(dlg.TopFolder(), documents);
    dlg.GoToDirectory(documents + S("/games"));
    dlg.SetRoot(rfPersonal);
    dlg.ShellTreeView->setCurrentIndex(
        dlg.ShellTreeView->model()->index(0, 0, dlg.ShellTreeView->rootIndex()));
    ASSERT_EQ(dlg.SelectedPath(), documents);
    dlg.spbUp->click();
    EXPECT_EQ(dlg.Root(), rfMyComputer);
    EXPECT_TRUE(WaitForSelection(QDir::homePath()));
    dlg.spbUp->click();
    EXPECT_TRUE(WaitForSelection(ParentDir(QDir::homePath())));
}

TEST_F(DirDialog, MissingDefaultFolderIsReportedAndForgotten)
{
    const QString gone = Path("gone");
    dlg.AddToHistory(gone);
    Open(Make("x"), gone);
    TMessageScript messages;
    dlg.spbHome->click();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).message(), S("Directory not found:\r\n") + gone + u'!');
    EXPECT_TRUE(dlg.History().isEmpty());
}

TEST_F(DirDialog, UpdateKeepsSelection)
{
    const QString a = Make("a/b");
    Open(a);
    ASSERT_TRUE(WaitForSelection(a));
    Make("a/b/later");
    dlg.itmUpdate->trigger();
    EXPECT_TRUE(WaitForSelection(a));
    EXPECT_EQ(Combo(), a);
}

TEST_F(DirDialog, LanguageSwitchKeepsTheChoice)
{
    const QString dir = Make("Desktop");
    Open(dir, dir);
    ASSERT_TRUE(WaitForSelection(dir));
    GnuGettext::UseLanguage(S("de"));
    RetranslateComponent(&dlg);
    EXPECT_EQ(dlg.spbDesktop->text(), S("Schreibtisch"));
    EXPECT_EQ(dlg.btbCancel->text(), S("Abbrechen"));
    EXPECT_EQ(Combo(), dir);
    EXPECT_EQ(dlg.spbHome->toolTip(), S("Default: ") + dir);
    EXPECT_EQ(dlg.windowTitle(), S("Game folder"));
    // Messages with line breaks are translated too.
    Open(dir, Path("gone"));
    TMessageScript messages;
    dlg.spbHomeClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).message(),
              S("Ordner nicht gefunden:\r\n") + Path("gone") + u'!');
    GnuGettext::UseLanguage(S("C"));
    RetranslateComponent(&dlg);
}

TEST_F(DirDialog, HistoryIgnoresTrailingDelimiter)
{
    const QString dir = Make("dos");
    dlg.AddToHistory(dir);
    dlg.AddToHistory(S("/other"));
    dlg.AddToHistory(dir + u'/');
    EXPECT_EQ(dlg.History(), (QStringList{dir + u'/', S("/other")}));
    dlg.RemoveFromHistory(dir);
    EXPECT_EQ(dlg.History(), QStringList{S("/other")});
}
