#include "mainwindow/MainWindow.h"

#include "appsettings/AppSettingsDlg.h"
#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectFromListDlg.h"
#include "dialogs/ShellDirDlg.h"
#include "globalsettings/Settings.h"
#include "launcher/DesktopShortcut.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/FirstStartDlg.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

// The main window with the program's dialogs, on a catalogue of the test.
class CatalogueCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetExePaths(path("bin/ravelin"));
        WriteStandInEmulator(path("emu/dosbox"), "DOSBox version 0.74-3");
        WriteTestFile(path("dosbox.conf"));
    }

    QString path(const char *name) const { return dir.filePath(S(name)); }
    QString IniName() const { return path("ravelin.ini"); }

    // Entries as name and category.
    void WriteCatalogue(const QList<QPair<QString, QString>> &entries)
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(IniName());
        ini.WriteString(u"Config", u"DosBoxPath", path("emu"));
        ini.WriteString(u"Config", u"ConfFile", path("dosbox.conf"));
        ini.WriteString(u"Config", u"RootPath", dir.path());
        ini.WriteInteger(u"Config", u"Codepage", 850);
        ini.WriteInteger(u"Config", u"AppCount", int(entries.size()));
        for (int i = 0; i < entries.size(); ++i) {
            const QString sec = AppSectionName(i + 1);
            ini.WriteString(sec, u"AppName", entries[i].first);
            ini.WriteString(sec, u"Category", entries[i].second);
            ini.WriteString(sec, u"RootPath", dir.path());
            ini.WriteInteger(sec, u"Codepage", 437);
        }
        ini.UpdateFile();
    }

    void Open()
    {
        window = std::make_unique<TfrmMain>();
        setDialog = new TDosBoxSetDialog(window.get());
        dirDialog = new TShellDirDialog(window.get());
        listDialog = new TSelectFromListDialog(window.get());
        appDialog =
            new TAppSettingsDialog(window->BasicSettings, dirDialog, listDialog, window.get());
        setDialog->SetDirDialog(dirDialog);
        window->DosBoxSetDialog = setDialog;
        window->ShellDirDialog = dirDialog;
        window->AppSettingsDialog = appDialog;
        window->IniName = IniName();
        window->show();
    }

    // Answers the next application settings dialog.
    void AnswerEntry(const QString &name, const QString &category, bool ok = true)
    {
        WhenModal([this, name, category, ok](QWidget *modal) {
            ASSERT_EQ(modal, appDialog);
            if (!name.isNull())
                appDialog->edAppName->setText(name);
            if (!category.isNull())
                appDialog->cbCategory->setEditText(category);
            // OK wants a folder that exists.
            if (appDialog->edAppPath->text().isEmpty())
                appDialog->edAppPath->setText(path("emu"));
            (ok ? appDialog->btbOK : appDialog->btbCancel)->click();
        });
    }

    void SelectTab(const QString &caption)
    {
        window->tcCats->setCurrentIndex(window->tcCats->IndexOfCategory(caption));
    }

    void SelectItem(const QString &caption)
    {
        window->lvApps->SelectRow(window->FindItemByCaption(caption));
        window->lvAppsClick();
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int row = 0; row < window->AppItems->Count(); ++row)
            captions.append(window->AppItems->Item(row).Caption);
        return captions;
    }

    QString CurrentTab() const { return window->tcCats->Caption(window->tcCats->currentIndex()); }

    QString SelectedCaption() const
    {
        const int row = window->lvApps->SelectedRow();
        return row < 0 ? S("<none>") : window->AppItems->Item(row).Caption;
    }

    QStringList Counts() const
    {
        QStringList counts;
        for (int i = 0; i < window->tcCats->count(); ++i)
            counts.append(window->tcCats->Caption(i) + u' ' +
                          QString::number(window->tcCats->EntryCount(i)));
        return counts;
    }

    // Name and category of each entry in the catalogue file.
    QStringList Stored() const
    {
        const TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(IniName());
        QStringList entries;
        const int count = ini.ReadInteger(u"Config", u"AppCount", 0);
        for (int i = 1; i <= count; ++i) {
            entries.append(ini.ReadString(AppSectionName(i), u"AppName") + u'/' +
                           ini.ReadString(AppSectionName(i), u"Category"));
        }
        return entries;
    }

    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> window;
    TDosBoxSetDialog *setDialog = nullptr;
    TShellDirDialog *dirDialog = nullptr;
    TSelectFromListDialog *listDialog = nullptr;
    TAppSettingsDialog *appDialog = nullptr;
};

} // namespace

TEST_F(CatalogueCommandsTest, TheCommandsSitInMenusToolbarAndContextMenu)
{
    WriteCatalogue({});
    Open();
    const QList<QAction *> entry = {window->actNewProgram, window->actEditProgram,
                                    window->actDuplicate, window->actRemProgram};
    EXPECT_EQ(window->itmEntries->actions().mid(0, 4), entry);
    EXPECT_EQ(window->PopupMenu->actions().mid(1, 3), entry.mid(1));
    EXPECT_EQ(window->itmGlobal->actions().value(0), window->actSettings);
    for (const char *button : {"tbNew", "tbEdit", "tbRemove", "tbSettings"})
        EXPECT_TRUE(window->tbMain->findChild<QWidget *>(S(button))) << button;
}

TEST_F(CatalogueCommandsTest, NewThenCancelChangesNothing)
{
    WriteCatalogue({{S("Doom"), S("Games")}});
    const QByteArray before = ReadTestFile(IniName());
    Open();
    AnswerEntry(S("Keen"), S("Platform"), false);
    window->actNewProgramExecute();
    EXPECT_EQ(window->Apps.size(), 1u);
    EXPECT_EQ(Counts(), QStringList{S("Games 1")});
    EXPECT_EQ(ReadTestFile(IniName()), before);
}

TEST_F(CatalogueCommandsTest, NewEntryJoinsItsCategoryAndIsSavedAtOnce)
{
    WriteCatalogue({{S("Doom"), S("Games")}, {S("Edit"), QString()}});
    Open();
    AnswerEntry(S("Tetris"), S("Puzzle"));
    window->actNewProgramExecute();
    EXPECT_EQ(Counts(), (QStringList{S("Games 1"), S("Miscellaneous 1"), S("Puzzle 1")}));
    EXPECT_EQ(CurrentTab(), S("Puzzle"));
    EXPECT_EQ(SelectedCaption(), S("Tetris"));
    EXPECT_EQ(window->CurApp, S("Tetris"));
    EXPECT_EQ(Stored(), (QStringList{S("Doom/Games"), S("Edit/"), S("Tetris/Puzzle")}));
    // A new entry takes the global code page.
    EXPECT_EQ(window->Apps.back()->CodePage, 850);

    // No category, or "Miscellaneous" in any case: stored without one.
    AnswerEntry(S("Notes"), QString(""));
    window->actNewProgramExecute();
    AnswerEntry(S("Calc"), S("MISCELLANEOUS"));
    window->actNewProgramExecute();
    EXPECT_EQ(CurrentTab(), S("Miscellaneous"));
    EXPECT_EQ(Captions(), (QStringList{S("Edit"), S("Notes"), S("Calc")}));
    EXPECT_EQ(SelectedCaption(), S("Calc"));
    EXPECT_EQ(Counts(), (QStringList{S("Games 1"), S("Miscellaneous 3"), S("Puzzle 1")}));
    EXPECT_EQ(Stored().mid(3), (QStringList{S("Notes/"), S("Calc/")}));
}

TEST_F(CatalogueCommandsTest, EditRecountsOnlyARealCategoryChange)
{
    WriteCatalogue({{S("Doom"), S("Games")}, {S("Keen"), S("Platform")}});
    Open();
    SelectTab(S("Platform"));
    SelectItem(S("Keen"));

    // Cancel leaves the entry as it was.
    const QByteArray before = ReadTestFile(IniName());
    AnswerEntry(S("Other"), S("Other"), false);
    window->actEditProgramExecute();
    EXPECT_EQ(window->Apps[1]->AppName, S("Keen"));
    EXPECT_EQ(ReadTestFile(IniName()), before);

    // The only entry of a category moves: its tab goes, the new one is selected.
    AnswerEntry(S("Commander Keen"), S("games"));
    window->actEditProgramExecute();
    EXPECT_EQ(Counts(), QStringList{S("Games 2")});
    EXPECT_EQ(CurrentTab(), S("Games"));
    EXPECT_EQ(SelectedCaption(), S("Commander Keen"));
    EXPECT_EQ(Stored(), (QStringList{S("Doom/Games"), S("Commander Keen/games")}));

    // Only the case changes: no recount, the tab keeps its caption.
    SelectItem(S("Doom"));
    AnswerEntry(QString(), S("GAMES"));
    window->actEditProgramExecute();
    EXPECT_EQ(Counts(), QStringList{S("Games 2")});
    EXPECT_EQ(SelectedCaption(), S("Doom"));
    EXPECT_EQ(Stored(), (QStringList{S("Doom/GAMES"), S("Commander Keen/games")}));
}

TEST_F(CatalogueCommandsTest, DuplicateKeepsTheSourceCounted)
{
    WriteCatalogue({{S("Doom"), S("Games")}});
    Open();
    SelectItem(S("Doom"));
    window->Apps[0]->Description = S("Hell on Mars");

    AnswerEntry(QString(), S("Action"));
    window->actDuplicateExecute();
    EXPECT_EQ(Counts(), (QStringList{S("Games 1"), S("Action 1")}));
    EXPECT_EQ(CurrentTab(), S("Action"));
    ASSERT_EQ(window->Apps.size(), 2u);
    EXPECT_EQ(window->Apps[1]->Description, S("Hell on Mars"));

    // Without renaming, the list selects the first of the equal names.
    SelectTab(S("Games"));
    AnswerEntry(QString(), QString());
    window->actDuplicateExecute();
    EXPECT_EQ(Counts(), (QStringList{S("Games 2"), S("Action 1")}));
    EXPECT_EQ(Captions(), (QStringList{S("Doom"), S("Doom")}));
    EXPECT_EQ(window->SelectedAppIndex(), 0);
    EXPECT_EQ(Stored(), (QStringList{S("Doom/Games"), S("Doom/Action"), S("Doom/Games")}));
}

TEST_F(CatalogueCommandsTest, RemoveAsksAndCountsTheEntryOut)
{
    WriteCatalogue({{S("Doom"), S("Games")}, {S("Keen"), S("Platform")}});
    Open();
    SelectTab(S("Platform"));
    SelectItem(S("Keen"));
    const QByteArray before = ReadTestFile(IniName());
    {
        TMessageScript messages;
        messages.answer(mrNo);
        window->actRemProgramExecute();
        ASSERT_EQ(messages.asked().size(), 1);
        EXPECT_EQ(messages.asked()[0].message(), S("Remove application \"Keen\" from panel?"));
        EXPECT_EQ(messages.asked()[0].defaultButton, mbYes);
        EXPECT_EQ(window->Apps.size(), 2u);
        EXPECT_EQ(ReadTestFile(IniName()), before);
    }
    TMessageScript messages;
    messages.answer(mrYes);
    window->actRemProgramExecute();
    EXPECT_EQ(Counts(), QStringList{S("Games 1")});
    EXPECT_EQ(CurrentTab(), S("Games"));
    EXPECT_EQ(SelectedCaption(), S("Doom"));
    EXPECT_EQ(window->CurApp, QString());
    EXPECT_EQ(Stored(), QStringList{S("Doom/Games")});

    messages.answer(mrYes);
    window->actRemProgramExecute();
    EXPECT_TRUE(window->tcCats->isHidden());
    EXPECT_EQ(window->AppItems->Count(), 0);
    EXPECT_TRUE(Stored().isEmpty());

    // Nothing selected: the entry commands do nothing.
    window->actRemProgramExecute();
    window->actEditProgramExecute();
    window->actDuplicateExecute();
    EXPECT_EQ(messages.asked().size(), 2);
}

TEST_F(CatalogueCommandsTest, DesktopShortcutFollowsRenameAndRemove)
{
    WriteCatalogue({{S("Doom"), S("Games")}});
    Open();
    SelectItem(S("Doom"));
    TMessageScript messages;
    window->actShortcutExecute(); // no desktop folder here: a notice

    const QString doom = ShortcutFiles(S("Doom"), IniName()).MenuFile;
    ASSERT_TRUE(QFile::exists(doom));

    AnswerEntry(S("Doom II"), QString());
    messages.answer(mrYes);
    window->actEditProgramExecute();
    const QString doom2 = ShortcutFiles(S("Doom II"), IniName()).MenuFile;
    EXPECT_FALSE(QFile::exists(doom));
    EXPECT_TRUE(ReadTestFile(doom2).contains("Name=Doom II\n"));

    messages.answer(mrYes);
    messages.answer(mrYes);
    window->actRemProgramExecute();
    EXPECT_FALSE(QFile::exists(doom2));
    ASSERT_EQ(messages.asked().size(), 4);
    EXPECT_EQ(messages.asked()[3].message(),
              S("Remove the desktop shortcut of \"Doom II\" as well?"));
}

TEST_F(CatalogueCommandsTest, SettingsUpdateStatusBarShortcutAndTheSelectedCodePage)
{
    WriteCatalogue({{S("Doom"), S("Games")}});
    Open();
    QFile::remove(AutoStartLinkFile());
    auto confirm = [this](int codePage, bool autoStart) {
        WhenModal([this, codePage, autoStart](QWidget *modal) {
            ASSERT_EQ(modal, setDialog);
            setDialog->cbCodePages->setCurrentIndex(codePage);
            setDialog->cbAutoStart->setChecked(autoStart);
            setDialog->OKBtn->click();
        });
        window->actSettingsExecute();
    };
    const QByteArray before = ReadTestFile(IniName());

    // Without a selection no entry changes.
    window->lvApps->SelectRow(-1);
    window->SetStatusText(0, QString());
    confirm(4, true);
    EXPECT_EQ(window->BasicSettings.Codepage, 858);
    EXPECT_EQ(window->Apps[0]->CodePage, 437);
    EXPECT_EQ(window->StatusText(0), window->BasicSettings.DosBoxDesc);
    EXPECT_FALSE(window->StatusText(0).isEmpty());
    EXPECT_TRUE(QFile::exists(AutoStartLinkFile()));
    // Written at the next save only.
    EXPECT_EQ(ReadTestFile(IniName()), before);

    SelectItem(S("Doom"));
    confirm(7, false);
    EXPECT_EQ(window->Apps[0]->CodePage, 866);
    EXPECT_FALSE(QFile::exists(AutoStartLinkFile()));
    EXPECT_EQ(setDialog->LocPath, window->LocPath);
}

TEST_F(CatalogueCommandsTest, FirstRunWithTheClassicEmulatorOpensTheGlobalSettings)
{
    window = std::make_unique<TfrmMain>();
    setDialog = new TDosBoxSetDialog(window.get());
    dirDialog = new TShellDirDialog(window.get());
    window->DosBoxSetDialog = setDialog;
    window->ShellDirDialog = dirDialog;
    window->IniName = IniName();
    QString settingsTitle;
    QString shownPath;
    WhenModal([&](QWidget *modal) {
        auto *start = qobject_cast<TFirstStartDialog *>(modal);
        ASSERT_TRUE(start);
        start->edDosBoxPath->setText(path("emu"));
        WhenModal([&](QWidget *next) {
            ASSERT_EQ(next, setDialog);
            settingsTitle = next->windowTitle();
            shownPath = setDialog->edPath->text();
            setDialog->CancelBtn->click();
        });
        start->btStart->click();
    });
    window->show();
    EXPECT_EQ(settingsTitle, S("Global settings"));
    EXPECT_EQ(shownPath, path("emu") + u'/');
    EXPECT_EQ(setDialog->LocPath, window->LocPath);
    EXPECT_TRUE(window->LocPath.endsWith(S("/dosbox/")));
}
