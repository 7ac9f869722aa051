#include "mainwindow/MainWindow.h"

#include "catalogue/AppIcons.h"
#include "catalogue/CatalogueBackups.h"
#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/Application.h"
#include "dialogs/ChooseItem.h"
#include "dialogs/FileOpenDialog.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectDlg.h"
#include "dialogs/ShellDirDlg.h"
#include "dialogs/Show.h"
#include "launcher/LauncherTestUtils.h"
#include "localisation/LanguageSelection.h"
#include "localisation/ui/TranslateComponent.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/FilterWidgets.h"
#include "mainwindow/FirstStartDlg.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/SystemFolders.h"
#include "support/TextEncoding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

struct TEntry
{
    TEntry(const QString &name, const QString &category = QString(),
           const QString &description = QString())
        : Name(name), Category(category), Description(description)
    {}
    QString Name;
    QString Category;
    QString Description;
    int ConsoleMode = 0;
    QString IconFile;
    bool AutoClose = false;
};

class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetExePaths(path("bin/ravelin"));
        // An emulator that answers the version question, so that the
        // catalogue knows it and the run command finds its program.
        WriteStandInEmulator(path("emu/dosbox"), "DOSBox version 0.74-3");
        WriteTestFile(path("dosbox.conf"));
    }

    void TearDown() override
    {
        GnuGettext::SetRetranslateHandler(nullptr);
        GnuGettext::UseLanguage(S("C"));
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString path(const char *name) const { return path(S(name)); }

    // The folder of an entry, created.
    QString AppDir(const QString &name)
    {
        const QString dir = path(S("games/") + name);
        QDir().mkpath(dir);
        return dir;
    }

    void WriteCatalogue(const QList<TEntry> &entries, const QString &lastApp = QString())
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(IniName());
        ini.WriteString(u"Config", u"DosBoxPath", path("emu"));
        ini.WriteString(u"Config", u"ConfFile", path("dosbox.conf"));
        ini.WriteString(u"Config", u"LastApp", lastApp);
        ini.WriteInteger(u"Config", u"AppCount", int(entries.size()));
        for (int i = 0; i < entries.size(); ++i) {
            const TEntry &e = entries.at(i);
            const QString sec = AppSectionName(i + 1);
            ini.WriteString(sec, u"AppName", e.Name);
            ini.WriteString(sec, u"Category", e.Category);
            ini.WriteString(sec, u"RootPath", AppDir(e.Name));
            ini.WriteString(sec, u"Executable", S("GAME.EXE"));
            ini.WriteString(sec, u"Description", e.Description);
            ini.WriteInteger(sec, u"ConsoleMode", e.ConsoleMode);
            ini.WriteBool(sec, u"MountCD", false);
            ini.WriteString(sec, u"IconFile", e.IconFile);
            ini.WriteBool(sec, u"AutoClose", e.AutoClose);
        }
        ini.UpdateFile();
    }

    QString IniName() const { return path("ravelin.ini"); }

    // The window as the program shows it, with the catalogue loaded.
    std::unique_ptr<TfrmMain> Open()
    {
        auto window = std::make_unique<TfrmMain>();
        window->IniName = IniName();
        window->SetProcessStarter(&m_starter);
        window->show();
        return window;
    }

    QStringList Captions(const TfrmMain &window) const
    {
        QStringList captions;
        for (int row = 0; row < window.AppItems->Count(); ++row)
            captions.append(window.AppItems->Item(row).Caption);
        return captions;
    }

    QString SelectedCaption(const TfrmMain &window) const
    {
        const int row = window.lvApps->SelectedRow();
        return row < 0 ? S("<none>") : window.AppItems->Item(row).Caption;
    }

    // The centre of the row's item in the current view.
    QPoint ItemCentre(const TfrmMain &window, int row) const
    {
        QAbstractItemView *view = window.lvApps->CurrentView();
        return view->visualRect(window.AppItems->index(row, 0)).center();
    }

    QTemporaryDir m_dir;
    TRecordingStarter m_starter;
};

// A double click as the desktop delivers it.
void DoubleClick(QWidget *widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(widget, button, {}, pos);
    QTest::mouseDClick(widget, button, {}, pos);
    QTest::mouseRelease(widget, button, {}, pos);
}

} // namespace

TEST_F(MainWindowTest, CaptionPlacementAndSizeFromTheCatalogue)
{
    SetExePaths(S("/opt/ravelin/ravelin-placement-test"));
    const QString ini = AppDataDir() + S("/ravelin-placement-test.ini");
    QDir().mkpath(AppDataDir());
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteInteger(u"Config", u"Left", 120);
        file.WriteInteger(u"Config", u"Top", 80);
        file.WriteInteger(u"Config", u"Width", 640);
        file.WriteString(u"Config", u"DosBoxPath", path("emu"));
        file.UpdateFile();
    }
    TfrmMain window;
    EXPECT_EQ(window.windowTitle(), S("Manage DOSBox applications"));
    EXPECT_EQ(window.IniName, ini);
    EXPECT_EQ(window.AppDataPath, AppDataDir() + u'/');
    EXPECT_EQ(window.pos(), QPoint(120, 80));
    EXPECT_EQ(window.size(), QSize(640, 560));

    window.show();
    const QString caption = S("Run DOSBox applications (Version " RAVELIN_VERSION ")");
    EXPECT_EQ(window.windowTitle(), caption);
    EXPECT_EQ(window.LocPath, qEnvironmentVariable("XDG_CONFIG_HOME") + S("/dosbox/"));
    EXPECT_EQ(window.StatusText(0), window.BasicSettings.DosBoxDesc);
    EXPECT_TRUE(window.StatusText(0).startsWith(S("DOSBox (0.74")));
    window.hide();
    window.show();
    EXPECT_EQ(window.windowTitle(), caption);
    EXPECT_EQ(window.LocPath, qEnvironmentVariable("XDG_CONFIG_HOME") + S("/dosbox/"));
    QFile::remove(ini);
}

TEST_F(MainWindowTest, PlacementFromADamagedCatalogueStaysOnTheScreen)
{
    SetExePaths(S("/opt/ravelin/ravelin-placement-test"));
    const QString ini = AppDataDir() + S("/ravelin-placement-test.ini");
    QDir().mkpath(AppDataDir());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // A title bar above the screen, then one far to the left: the default
    // place. The size never exceeds the screen.
    for (const QPoint stored : {QPoint(60, screen.top() - 20), QPoint(-5000, 60)}) {
        {
            TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
            file.WriteInteger(u"Config", u"Left", stored.x());
            file.WriteInteger(u"Config", u"Top", stored.y());
            file.WriteInteger(u"Config", u"Width", 100000);
            file.WriteInteger(u"Config", u"Height", 2000000000);
            file.UpdateFile();
        }
        TfrmMain window;
        EXPECT_EQ(window.pos(), QPoint(50, 50));
        EXPECT_EQ(window.size(), screen.size());
    }
    QFile::remove(ini);
}

TEST_F(MainWindowTest, TheCatalogueIsReadOnceAndWrittenOnceLeavingUnusedWindowsAlone)
{
    SetExePaths(S("/opt/ravelin/ravelin-once-test"));
    const QString ini = AppDataDir() + S("/ravelin-once-test.ini");
    QDir().mkpath(AppDataDir());
    WriteCatalogue({{S("Doom")}});
    {
        // Values that a rewrite of the sections would change.
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(IniName());
        file.WriteString(u"HtmlManual", u"Left", S("0x1E"));
        file.WriteInteger(u"HtmlManual", u"State", 1);
        file.WriteString(u"Directories", u"History0", S("/old"));
        file.WriteString(u"Directories", u"History1", S("/OLD"));
        file.WriteString(u"Directories", u"Sort", S("1"));
        file.WriteString(u"Mine", u"Key", S("kept"));
        file.UpdateFile();
    }
    QFile::remove(ini);
    ASSERT_TRUE(QFile::copy(IniName(), ini));
    const QString before = DecodeTextFile(ReadTestFile(ini));
    const auto section = [](const QString &text, const char *name) {
        const qsizetype from = text.indexOf(S("[%1]").arg(S(name)));
        return from < 0 ? QString() : text.mid(from, text.indexOf(S("\r\n\r\n"), from) - from);
    };

    auto window = std::make_unique<TfrmMain>();
    window->ShellDirDialog = new TShellDirDialog(window.get());
    window->SetProcessStarter(&m_starter);
    // Read at creation only: what reaches the disk afterwards is not loaded.
    ASSERT_TRUE(QFile::remove(ini));
    WriteCatalogue({{S("Intruder")}});
    ASSERT_TRUE(QFile::copy(IniName(), ini));
    window->show();
    EXPECT_EQ(Captions(*window), QStringList{S("Doom")});

    {
        // The intruder changed the file since it was read: replacing it
        // needs the user's word.
        TSelectOptionScript changed;
        changed.answer(1);
        EXPECT_TRUE(window->close());
        EXPECT_EQ(changed.asked().size(), 1);
    }
    const QString saved = DecodeTextFile(ReadTestFile(ini));
    EXPECT_TRUE(saved.contains(S("AppName=Doom\r\n")));
    EXPECT_EQ(section(saved, "Mine"), section(before, "Mine"));
    EXPECT_EQ(section(saved, "HtmlManual"), section(before, "HtmlManual"));
    EXPECT_EQ(section(saved, "Directories"), section(before, "Directories"));
    // Nothing writes after that save, not the viewer as it goes either.
    WriteTestFile(ini, "after");
    window.reset();
    EXPECT_EQ(ReadTestFile(ini), QByteArray("after"));
    QFile::remove(ini);
}

TEST_F(MainWindowTest, EmptyCatalogueHidesTheTabsAndDisablesTheEntryCommands)
{
    WriteCatalogue({});
    auto window = Open();
    EXPECT_TRUE(window->tcCats->isHidden());
    EXPECT_EQ(window->AppItems->Count(), 0);
    EXPECT_EQ(window->SelectedAppIndex(), -1);
    EXPECT_FALSE(window->actRun->isEnabled());
    EXPECT_FALSE(window->actMapper->isEnabled());
    EXPECT_FALSE(window->actDuplicate->isEnabled());
    EXPECT_TRUE(window->actDosBox->isEnabled());
    EXPECT_FALSE(window->itmConsole->menuAction()->isVisible());
    EXPECT_EQ(window->CurrentCategory(), S("Miscellaneous"));

    // Commands that need an entry do nothing.
    window->actRunExecute();
    window->actMapperExecute();
    window->lvAppsDblClick();
    EXPECT_TRUE(m_starter.calls.isEmpty());
}

TEST_F(MainWindowTest, KeysSwitchTabsAndRemove)
{
    WriteCatalogue({{S("Doom"), S("Games")}, {S("Edit"), S("Tools")}, {S("Keen"), S("Games")}});
    auto window = Open();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(window->CurrentCategory(), S("Games"));
    QTest::keyClick(window->lvApps, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentCategory(), S("Tools"));
    QTest::keyClick(window->lvApps, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentCategory(), S("Games"));
    QTest::keyClick(window->lvApps, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentCategory(), S("Tools"));

    // Delete asks to remove the selected entry.
    TMessageScript messages;
    QTest::keyClick(window->lvApps, Qt::Key_Delete);
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(), S("Remove application \"Edit\" from panel?"));
    EXPECT_EQ(window->Apps.size(), 3u);
}

TEST_F(MainWindowTest, EntriesWithoutCategoryShareOneMiscellaneousTab)
{
    WriteCatalogue({{S("Doom")}, {S("Keen")}, {S("Lemmings")}});
    auto window = Open();
    EXPECT_FALSE(window->tcCats->isHidden());
    EXPECT_EQ(window->CategoryNames(), QStringList{S("Miscellaneous")});
    EXPECT_EQ(window->tcCats->EntryCount(0), 3);
    EXPECT_EQ(Captions(*window), QStringList({S("Doom"), S("Keen"), S("Lemmings")}));
    // No remembered application: the first item is selected, CurApp empty.
    EXPECT_EQ(SelectedCaption(*window), S("Doom"));
    EXPECT_TRUE(window->CurApp.isEmpty());
    EXPECT_TRUE(window->actRun->isEnabled());
    EXPECT_TRUE(window->tcCats->font().bold());
}

TEST_F(MainWindowTest, CategoriesDifferingInCaseShareTheTabOfTheFirstSpelling)
{
    WriteCatalogue({{S("Doom"), S("Action")},
                    {S("Lemmings"), S("Puzzle")},
                    {S("Quake"), S("ACTION")},
                    {S("Wolf"), S("action")},
                    {S("Keen")}});
    auto window = Open();
    EXPECT_EQ(window->CategoryNames(), QStringList({S("Action"), S("Puzzle"), S("Miscellaneous")}));
    EXPECT_EQ(window->tcCats->EntryCount(0), 3);
    EXPECT_EQ(window->tcCats->currentIndex(), 0);
    EXPECT_EQ(Captions(*window), QStringList({S("Doom"), S("Quake"), S("Wolf")}));
    // Every entry's data leads back to it.
    for (int row = 0; row < window->AppItems->Count(); ++row) {
        const int index = window->AppItems->Item(row).Data;
        EXPECT_EQ(window->Apps[size_t(index)]->AppName, window->AppItems->Item(row).Caption);
        EXPECT_EQ(window->Apps[size_t(index)]->ImgIndex, row);
    }

    // Counting in and out keeps the order; an emptied tab goes, tab 0 is selected.
    window->tcCats->SelectTab(2);
    EXPECT_EQ(window->AddCategoryEntry(S("puzzle")), 1);
    EXPECT_EQ(window->AddCategoryEntry(S("Sports")), 3);
    window->RemoveCategoryEntry(S("Nothing"));
    window->RemoveCategoryEntry(S("Sports"));
    EXPECT_EQ(window->tcCats->currentIndex(), 0);
    window->RemoveCategoryEntry(S("PUZZLE"));
    EXPECT_EQ(window->tcCats->EntryCount(1), 1);
}

TEST_F(MainWindowTest, CategoryNamesWithAnAmpersandAreShownAsWritten)
{
    WriteCatalogue(
        {{S("Itchy"), S("Tom & Jerry")}, {S("Doom"), S("R&D")}, {S("Scratchy"), S("tom & jerry")}},
        S("Doom"));
    auto window = Open();
    EXPECT_EQ(window->CategoryNames(), QStringList({S("Tom & Jerry"), S("R&D")}));
    EXPECT_EQ(window->tcCats->EntryCount(0), 2);
    EXPECT_EQ(window->CurrentCategory(), S("R&D"));
    EXPECT_EQ(Captions(*window), QStringList{S("Doom")});
    // The tab shows an ampersand, not a shortcut letter.
    EXPECT_EQ(window->tcCats->tabText(1), S("R&&D"));
    window->tcCats->setCurrentIndex(0);
    EXPECT_EQ(Captions(*window), QStringList({S("Itchy"), S("Scratchy")}));
}

TEST_F(MainWindowTest, TheRememberedApplicationSelectsItsTabAndTheFirstOfEqualNames)
{
    WriteCatalogue({{S("Doom"), S("Action")},
                    {S("Keen"), S("Jump"), S("first")},
                    {S("Lemmings"), S("Jump")},
                    {S("KEEN"), S("Jump"), S("second")}},
                   S("keen"));
    auto window = Open();
    EXPECT_EQ(window->tcCats->currentIndex(), 1);
    EXPECT_EQ(SelectedCaption(*window), S("Keen"));
    EXPECT_EQ(window->SelectedAppIndex(), 1);
    EXPECT_EQ(window->CurApp, S("Keen"));

    window->ShowAppList(S("kEEn"));
    EXPECT_EQ(window->SelectedAppIndex(), 1);
    EXPECT_EQ(window->FindItemByCaption(S("LEMMINGS")), 1);
    EXPECT_EQ(window->FindItemByCaption(S("Doom")), -1);
}

TEST_F(MainWindowTest, ALostLastApplicationSelectsTheFirstItemOfTabZero)
{
    WriteCatalogue({{S("Doom"), S("Action")}, {S("Keen"), S("Jump")}}, S("Gone"));
    auto window = Open();
    EXPECT_EQ(window->tcCats->currentIndex(), 0);
    EXPECT_EQ(SelectedCaption(*window), S("Doom"));
    EXPECT_TRUE(window->CurApp.isEmpty());

    // Changing the tab by hand selects the first item there.
    window->lvAppsClick();
    EXPECT_EQ(window->CurApp, S("Doom"));
    window->tcCats->setCurrentIndex(1);
    EXPECT_EQ(Captions(*window), QStringList{S("Keen")});
    EXPECT_EQ(SelectedCaption(*window), S("Keen"));
    EXPECT_TRUE(window->CurApp.isEmpty());
}

TEST_F(MainWindowTest, ClicksSetTheCurrentApplicationAndEmptySpaceSelectsItAgain)
{
    WriteCatalogue({{S("Doom")}, {S("Keen"), QString(), S("Jumping")}, {S("Lemmings")}}, S("Keen"));
    auto window = Open();
    QAbstractItemView *view = window->lvApps->CurrentView();
    QTest::qWait(50);
    ASSERT_EQ(SelectedCaption(*window), S("Keen"));
    // The keys go to the list from the start, not to the tabs above it.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), view);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, ItemCentre(*window, 2));
    EXPECT_EQ(SelectedCaption(*window), S("Lemmings"));
    EXPECT_EQ(window->CurApp, S("Lemmings"));

    // Keys move the selection but not the current application.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(SelectedCaption(*window), S("Doom"));
    EXPECT_EQ(window->CurApp, S("Lemmings"));

    const QPoint empty(view->viewport()->width() - 5, view->viewport()->height() - 5);
    ASSERT_EQ(window->lvApps->RowAt(empty), -1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(SelectedCaption(*window), S("Lemmings"));
    DoubleClick(view->viewport(), empty);
    EXPECT_EQ(SelectedCaption(*window), S("Lemmings"));
    EXPECT_TRUE(m_starter.calls.isEmpty());
    // The context menu's click keeps the entry its commands act on.
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, empty);
    EXPECT_EQ(SelectedCaption(*window), S("Lemmings"));
    EXPECT_TRUE(window->actEditProgram->isEnabled());

    // The status bar names the emulator and describes the entry under the pointer.
    EXPECT_EQ(window->StatusText(0), window->BasicSettings.DosBoxDesc);
    QTest::mouseMove(view->viewport(), ItemCentre(*window, 1));
    EXPECT_EQ(window->StatusText(1), S("Jumping"));
    QTest::mouseMove(view->viewport(), empty);
    EXPECT_EQ(window->StatusText(1), QString());
}

TEST_F(MainWindowTest, DoubleClickRunsTheEntryUnderThePointer)
{
    WriteCatalogue({{S("Doom")}, {S("Keen")}});
    auto window = Open();
    QTest::qWait(50);
    QAbstractItemView *view = window->lvApps->CurrentView();
    // The other buttons' double clicks start nothing.
    DoubleClick(view->viewport(), ItemCentre(*window, 1), Qt::RightButton);
    EXPECT_TRUE(m_starter.calls.isEmpty());
    EXPECT_TRUE(window->CurApp.isEmpty());
    DoubleClick(view->viewport(), ItemCentre(*window, 1));
    ASSERT_EQ(m_starter.calls.size(), 1);
    EXPECT_EQ(m_starter.calls[0].workDir, AppDir(S("Keen")));
    EXPECT_TRUE(m_starter.calls[0].commandLine.startsWith(path("emu/dosbox")));
    EXPECT_EQ(window->CurApp, S("Keen"));
    EXPECT_TRUE(QFile::exists(AppDir(S("Keen")) + S("/ravelin.conf")));
    EXPECT_TRUE(window->isVisible());

    // Enter runs the selected entry too; the keyboard leaves CurApp alone.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(m_starter.calls.size(), 2);
    EXPECT_EQ(m_starter.calls[1].workDir, AppDir(S("Doom")));
    EXPECT_EQ(window->CurApp, S("Keen"));

    window->actDosBoxExecute();
    ASSERT_EQ(m_starter.calls.size(), 3);
    window->actMapperExecute();
    ASSERT_EQ(m_starter.calls.size(), 4);
    EXPECT_TRUE(m_starter.calls[3].commandLine.contains(S(" -startmapper")));
}

TEST_F(MainWindowTest, AutoCloseClosesTheWindowAndSavesAfterTheStart)
{
    TEntry entry{S("Doom")};
    entry.AutoClose = true;
    WriteCatalogue({entry});
    auto window = Open();
    window->actRun->trigger();
    EXPECT_EQ(m_starter.calls.size(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(TUnicodeIniFile::CreateForRead(IniName()).ReadInteger(u"Config", u"Width", 0),
              window->width());
}

TEST_F(MainWindowTest, ConsoleOutputIsOfferedForHiddenConsolesOnly)
{
    TEntry hidden{S("Hidden")};
    hidden.ConsoleMode = 1;
    TEntry shown{S("Shown")};
    WriteCatalogue({hidden, shown}, S("Hidden"));
    auto window = Open();
    EXPECT_TRUE(window->itmConsole->menuAction()->isVisible());
    EXPECT_TRUE(window->piConsole->menuAction()->isVisible());

    WriteTestFile(AppDir(S("Hidden")) + S("/stdout.txt"), "CONFIG:Loading\nMIDI:none\n");
    {
        TShowTextScript shownTexts;
        TMessageScript messages;
        window->actStdOut->trigger();
        window->actStdErr->trigger();
        ASSERT_EQ(shownTexts.asked().size(), 1);
        EXPECT_EQ(shownTexts.asked()[0].title, S("Hidden: stdout.txt"));
        EXPECT_EQ(shownTexts.asked()[0].text, S("CONFIG:Loading\r\nMIDI:none"));
        ASSERT_EQ(messages.asked().size(), 1);
        EXPECT_EQ(messages.asked()[0].kind, mdtError);
        EXPECT_EQ(messages.asked()[0].message(),
                  S("Application \"Hidden\": File \"stderr.txt\" not found!"));
    }

    // Files from an earlier run do not bring the sub-menus back.
    QFile::copy(AppDir(S("Hidden")) + S("/stdout.txt"), AppDir(S("Shown")) + S("/stdout.txt"));
    window->ShowAppList(S("Shown"));
    EXPECT_FALSE(window->itmConsole->menuAction()->isVisible());
    EXPECT_FALSE(window->piConsole->menuAction()->isVisible());
}

TEST_F(MainWindowTest, AMissingIconShowsTheDefaultIconInEveryViewStyle)
{
    TEntry entry{S("Doom")};
    entry.IconFile = path("missing.ico");
    WriteCatalogue({entry});
    auto window = Open();
    const QImage large = DefaultAppIcon(32).convertToFormat(QImage::Format_ARGB32);
    const QImage small = DefaultAppIcon(16).convertToFormat(QImage::Format_ARGB32);
    for (QAction *style :
         {window->actLargeIcons, window->actSmallIcons, window->actList, window->actDetails}) {
        style->trigger();
        EXPECT_TRUE(style->isChecked());
        QAbstractItemView *view = window->lvApps->CurrentView();
        const QSize size = view->iconSize();
        const QImage shown = window->AppItems->Image(0).pixmap(size).toImage().convertToFormat(
            QImage::Format_ARGB32);
        EXPECT_EQ(shown, size.width() == 32 ? large : small) << style->objectName().toStdString();
    }
    EXPECT_EQ(window->lvViewStyle, vsReport);
    EXPECT_FALSE(window->lvApps->ReportView()->isHidden());
    // Columns as wide as what they show: the whole name, the whole path.
    const QFontMetrics metrics(window->lvApps->ReportView()->font());
    const QHeaderView *header = window->lvApps->ReportView()->header();
    EXPECT_GT(header->sectionSize(0),
              metrics.horizontalAdvance(window->AppItems->Item(0).Caption) + 16);
    EXPECT_GT(header->sectionSize(1), metrics.horizontalAdvance(window->Apps[0]->AppPath));
    EXPECT_EQ(window->AppItems->headerData(4, Qt::Horizontal).toString(), S("ISO image"));
}

TEST_F(MainWindowTest, LanguageSwitchRenamesTheMiscellaneousTab)
{
    // As the program starts: a language change retranslates every window.
    GnuGettext::SetRetranslateHandler(&RetranslateAllWindows);
    WriteCatalogue({{S("Doom")}, {S("Lemmings"), S("Puzzle")}});
    auto window = Open();
    ASSERT_EQ(window->CategoryNames(), QStringList({S("Miscellaneous"), S("Puzzle")}));

    window->SetLanguageClick(window->itmLanguage, S("de"));
    EXPECT_EQ(window->CategoryNames(), QStringList({S("Verschiedenes"), S("Puzzle")}));
    EXPECT_EQ(window->windowTitle(), S("DOSBox-Anwendungen starten (Version " RAVELIN_VERSION ")"));
    EXPECT_EQ(window->itmView->title(), S("An&sicht"));
    EXPECT_EQ(window->AppItems->headerData(1, Qt::Horizontal).toString(), S("Pfad"));
    window->tcCats->setCurrentIndex(1);
    window->tcCats->setCurrentIndex(0);
    EXPECT_EQ(Captions(*window), QStringList{S("Doom")});

    // The language in use: nothing happens.
    const QString title = window->windowTitle();
    window->setWindowTitle(S("unchanged"));
    window->SetLanguageClick(window->itmLanguage, GnuGettext::GetCurrentLanguage());
    EXPECT_EQ(window->windowTitle(), S("unchanged"));
    window->setWindowTitle(title);

    window->SetLanguageClick(window->itmLanguage, S("en"));
    EXPECT_EQ(window->CategoryNames(), QStringList({S("Miscellaneous"), S("Puzzle")}));
    EXPECT_EQ(window->itmView->title(), S("&View"));
}

TEST_F(MainWindowTest, ClosingWritesTheCatalogue)
{
    TEntry erase{S("Doom")};
    erase.ConsoleMode = 3; // hidden console, files erased at close
    WriteCatalogue({erase, {S("Keen")}}, S("Doom"));
    QFile::copy(path("dosbox.conf"), AppDir(S("Doom")) + S("/stdout.txt"));
    QFile::copy(path("dosbox.conf"), AppDir(S("Keen")) + S("/stdout.txt"));
    auto window = Open();
    QTest::qWait(50);
    QTest::mouseClick(window->lvApps->CurrentView()->viewport(), Qt::LeftButton, {},
                      ItemCentre(*window, 1));
    window->move(70, 90);
    EXPECT_TRUE(window->close());

    const TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(IniName());
    EXPECT_EQ(ini.ReadString(u"Config", u"LastApp"), S("Keen"));
    EXPECT_EQ(ini.ReadInteger(u"Config", u"AppCount", 0), 2);
    EXPECT_EQ(ini.ReadInteger(u"Config", u"Left", 0), 70);
    EXPECT_EQ(ini.ReadInteger(u"Config", u"Width", 0), window->width());
    EXPECT_FALSE(QFile::exists(AppDir(S("Doom")) + S("/stdout.txt")));
    EXPECT_TRUE(QFile::exists(AppDir(S("Keen")) + S("/stdout.txt")));
}

TEST_F(MainWindowTest, AFailedWriteOffersAWayOut)
{
    WriteCatalogue({{S("Doom")}});
    const QByteArray content = ReadTestFile(IniName());
    const QString blocked = path("missing/ravelin.ini");
    const QString copy = path("copy.ini");
    auto window = Open();
    window->IniName = blocked;
    TSelectOptionScript choices;
    TMessageScript messages;
    TFileSaveScript chooser;
    // Cancel keeps the window open; the reason is shown.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(choices.asked().size(), 1);
    EXPECT_TRUE(choices.asked()[0].caption.contains(S("The folder does not exist.")));
    EXPECT_EQ(choices.asked()[0].kind, mdtError);
    // A copy elsewhere (after a cancelled chooser), and the window closes.
    choices.answer(0);
    choices.answer(0);
    chooser.answer(QString());
    chooser.answer(copy);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(TUnicodeIniFile::CreateForRead(copy).ReadString(u"App001", u"AppName"), S("Doom"));

    // Closing without saving needs a confirmation, whose default is No.
    window = Open();
    window->IniName = blocked;
    choices.answer(1);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(messages.asked().back().defaultButton, mbNo);
    choices.answer(1);
    messages.answer(mrYes);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(QFile::exists(blocked));
    EXPECT_EQ(ReadTestFile(IniName()), content);
}

TEST_F(MainWindowTest, ChangesOnDiskNeedTheUsersWord)
{
    WriteCatalogue({{S("Doom")}});
    auto window = Open();
    // Another program (or window) saves in the meantime.
    WriteCatalogue({{S("Doom")}, {S("Keen")}});
    const QByteArray theirs = ReadTestFile(IniName());
    TSelectOptionScript choices;
    EXPECT_FALSE(window->close()); // cancel is the default
    EXPECT_EQ(ReadTestFile(IniName()), theirs);
    ASSERT_EQ(choices.asked().size(), 1);
    EXPECT_EQ(choices.asked()[0].preSelection, -1);

    choices.answer(0); // reload
    EXPECT_FALSE(window->close());
    EXPECT_EQ(Captions(*window), (QStringList{S("Doom"), S("Keen")}));
    EXPECT_TRUE(window->close()); // nothing to ask now
    EXPECT_EQ(choices.asked().size(), 2);

    window = Open();
    WriteCatalogue({{S("Other")}});
    choices.answer(1); // overwrite
    EXPECT_TRUE(window->close());
    EXPECT_EQ(TUnicodeIniFile::CreateForRead(IniName()).ReadInteger(u"Config", u"AppCount", 0), 2);
}

TEST_F(MainWindowTest, RestoringABackupReloadsTheCatalogue)
{
    WriteCatalogue({{S("Doom")}});
    ASSERT_TRUE(BackupCatalogueFile(IniName()));
    WriteCatalogue({{S("Doom")}, {S("Keen")}});
    auto window = Open();
    TChooseItemScript list;
    TMessageScript messages;
    list.answer(0);
    messages.answer(mrYes);
    window->actRestoreBackupExecute();
    ASSERT_EQ(list.asked().size(), 1);
    EXPECT_TRUE(list.asked()[0].items.value(0).endsWith(S("1 entry")));
    EXPECT_EQ(Captions(*window), QStringList{S("Doom")});
    EXPECT_EQ(ListBackups(IniName()).value(0).EntryCount, 2);
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, FirstStartAsksForTheEmulatorAndTheRootFolder)
{
    TfrmMain window;
    TShellDirDialog chooser(&window);
    window.ShellDirDialog = &chooser;
    window.IniName = IniName();
    const QString root = path("home/dos");
    WhenModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<TFirstStartDialog *>(modal);
        ASSERT_TRUE(dialog);
        dialog->edDosBoxPath->setText(path("emu"));
        EXPECT_TRUE(dialog->laEmulator->text().contains(S("DOSBox")));
        // A folder that does not exist is created on the user's word.
        dialog->edRootPath->setText(root);
        EXPECT_TRUE(dialog->cbCreateRoot->isVisibleTo(dialog));
        dialog->btStart->click();
    });
    window.show();
    EXPECT_FALSE(window.LoadCancelled());
    EXPECT_TRUE(QFileInfo(root).isDir());
    EXPECT_EQ(window.BasicSettings.DosBoxPath, path("emu") + u'/');
    EXPECT_EQ(window.BasicSettings.RootPath, root + u'/');
    EXPECT_EQ(window.StatusText(0), window.BasicSettings.DosBoxDesc);
    EXPECT_FALSE(window.StatusText(0).isEmpty());
    EXPECT_TRUE(window.tcCats->isHidden());

    EXPECT_TRUE(window.close());
    const TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(IniName());
    EXPECT_EQ(ini.ReadSections().value(0), S("Unicode"));
    EXPECT_EQ(ini.ReadString(u"Config", u"DosBoxPath"), path("emu") + u'/');
    EXPECT_EQ(ini.ReadInteger(u"Config", u"AppCount", -1), 0);
}

TEST_F(MainWindowTest, CancelledFirstStartLeavesNothingBehind)
{
    // Not even the configuration folder.
    QDir(AppDataDir()).removeRecursively();
    TfrmMain window;
    WhenModal([](QWidget *modal) {
        ASSERT_TRUE(qobject_cast<TFirstStartDialog *>(modal));
        modal->close();
    });
    window.show();
    EXPECT_TRUE(window.LoadCancelled());
    QTest::qWait(20);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(QFileInfo::exists(AppDataDir()));
    EXPECT_FALSE(QFileInfo::exists(AutoStartLinkFile()));
}

TEST_F(MainWindowTest, CancellingTheFirstRunEndsWithoutWritingAnything)
{
    // A catalogue whose emulator folder has gone: its entries must survive.
    WriteCatalogue({{S("Doom")}});
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(IniName());
        ini.WriteString(u"Config", u"DosBoxPath", path("gone"));
        ini.WriteBool(u"Config", u"AutoStart", true);
        ini.UpdateFile();
    }
    const QByteArray content = ReadTestFile(IniName());
    WriteTestFile(AutoStartLinkFile(), "[Desktop Entry]\n");

    TfrmMain window;
    TShellDirDialog chooser(&window);
    window.ShellDirDialog = &chooser;
    window.IniName = IniName();
    WhenModal([](QWidget *modal) { modal->close(); });
    window.show();
    EXPECT_TRUE(window.LoadCancelled());
    QTest::qWait(20);
    EXPECT_FALSE(window.isVisible());

    EXPECT_EQ(ReadTestFile(IniName()), content);
    EXPECT_TRUE(QFile::exists(AutoStartLinkFile()));
    QFile::remove(AutoStartLinkFile());
}

TEST_F(MainWindowTest, TypingFindsInAllTabsAndEscapeReturnsToWhereTheUserWas)
{
    WriteCatalogue({{S("Doom"), S("Games")},
                    {S("Zürich Tour"), S("Games"), S("Städtereise")},
                    {S("Edit"), S("Tools")},
                    {S("Monkey Island 2"), S("Adventure")},
                    {S("Tour Planner"), S("Tools")}});
    const QByteArray before = ReadTestFile(IniName());
    auto window = Open();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    window->tcCats->SelectTab(window->tcCats->IndexOfCategory(S("Tools")));
    window->ShowAppList(S("Tour Planner"));

    // Typing in the list goes to the filter box; matches of every tab show.
    QTest::keyClicks(window->lvApps->CurrentView(), S("tour"));
    EXPECT_EQ(window->FilterText(), S("tour"));
    EXPECT_TRUE(window->edFilter->hasFocus());
    EXPECT_TRUE(window->tcFound->isVisible());
    EXPECT_FALSE(window->tcCats->isVisible());
    EXPECT_EQ(Captions(*window), (QStringList{S("Zürich Tour"), S("Tour Planner")}));
    EXPECT_EQ(SelectedCaption(*window), S("Tour Planner"));
    QTest::keyClicks(window->edFilter, S(" zurich"));
    EXPECT_EQ(Captions(*window), QStringList{S("Zürich Tour")});
    window->SetFilterText(S("staDTE"));
    EXPECT_EQ(Captions(*window), QStringList{S("Zürich Tour")});
    window->SetFilterText(S("e"));
    EXPECT_EQ(Captions(*window).size(), 5);
    // A tab per category with matches, after the tab of all of them.
    window->SetFilterText(S("o"));
    ASSERT_EQ(window->tcFound->count(), 4);
    window->tcFound->setCurrentIndex(2);
    EXPECT_EQ(Captions(*window), (QStringList{S("Edit"), S("Tour Planner")}));

    // Enter runs the selected match.
    window->SetFilterText(S("monkey"));
    QTest::keyClick(window->edFilter, Qt::Key_Return);
    ASSERT_EQ(m_starter.calls.size(), 1);
    EXPECT_EQ(m_starter.calls[0].workDir, AppDir(S("Monkey Island 2")));

    // Escape clears the filter and returns to the tab and entry of before.
    window->SetFilterText(S("doom"));
    QTest::keyClick(window->edFilter, Qt::Key_Escape);
    EXPECT_TRUE(window->FilterText().isEmpty());
    EXPECT_FALSE(window->tcFound->isVisible());
    EXPECT_EQ(window->CurrentCategory(), S("Tools"));
    EXPECT_EQ(SelectedCaption(*window), S("Tour Planner"));
    EXPECT_TRUE(window->lvApps->CurrentView()->hasFocus());
    window->SetFilterText(S("nothing like it"));
    EXPECT_EQ(window->AppItems->Count(), 0);
    EXPECT_FALSE(window->actRun->isEnabled());
    window->ClearFilter();
    // Finding changed nothing; the start's history was written at once.
    window->SetFilterText(S("x"));
    QCoreApplication::processEvents();
    TUnicodeIniFile back = TUnicodeIniFile::CreateForRead(IniName());
    EXPECT_EQ(back.ReadInteger(AppSectionName(4), u"PlayCount", 0), 1);
    EXPECT_FALSE(back.ValueExists(AppSectionName(1), u"PlayCount"));
    EXPECT_NE(ReadTestFile(IniName()), before);
}

TEST_F(MainWindowTest, HistoryIsRecordedAndSortsTheListAcrossARestart)
{
    WriteCatalogue({{S("Doom")}, {S("Keen")}, {S("Alpha")}});
    auto window = Open();
    qint64 now = 1000;
    window->PlayClock = [&now] { return now; };
    window->ShowAppList(S("Keen"));
    window->actRun->trigger();
    now += 3000;
    window->EmulatorEnded(4711);
    window->Apps[1]->History.LastPlayed = window->Apps[1]->History.LastPlayed.addSecs(-60);
    window->ShowAppList(S("Alpha"));
    window->actRun->trigger();
    now += 125000;
    window->EmulatorEnded(4711);
    // Once only, and for no process it started.
    window->EmulatorEnded(4711);
    window->EmulatorEnded(42);
    const TPlayHistory &keen = window->Apps[1]->History;
    const TPlayHistory &alpha = window->Apps[2]->History;
    EXPECT_EQ(keen.PlayCount, 1);
    EXPECT_EQ(keen.PlaySeconds, 0);
    EXPECT_EQ(alpha.PlaySeconds, 125);
    EXPECT_LT(keen.LastPlayed, alpha.LastPlayed);

    window->actSortLastPlayed->trigger();
    EXPECT_EQ(Captions(*window), (QStringList{S("Alpha"), S("Keen"), S("Doom")}));
    window->actSortName->trigger();
    EXPECT_EQ(Captions(*window), (QStringList{S("Alpha"), S("Doom"), S("Keen")}));
    // A click on a heading sorts by its column, a second click the other way.
    window->lvAppsColumnClick(FirstHistoryColumn + 2);
    EXPECT_EQ(Captions(*window).front(), S("Alpha"));
    EXPECT_TRUE(window->AppItems->data(window->AppItems->index(0, 0), Qt::ToolTipRole)
                    .toString()
                    .contains(S("2 min")));
    window->lvAppsColumnClick(FirstHistoryColumn + 2);
    EXPECT_EQ(Captions(*window).back(), S("Alpha"));
    window->actSortLastPlayed->trigger();
    window->close();
    window.reset();

    auto again = Open();
    EXPECT_TRUE(again->actSortLastPlayed->isChecked());
    EXPECT_EQ(Captions(*again), (QStringList{S("Alpha"), S("Keen"), S("Doom")}));
    EXPECT_EQ(again->Apps[2]->History.PlaySeconds, 125);
}
