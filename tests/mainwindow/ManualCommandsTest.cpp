#include "mainwindow/MainWindow.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/MsgDialogs.h"
#include "launcher/LauncherTestUtils.h"
#include "mainwindow/AppListView.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/SystemOpen.h"
#include "texttools/ui/ShowMemo.h"
#include "texttools/ui/WebBrowser.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

struct TManualEntry
{
    QString Name;
    QString Manual; // relative to the test folder unless absolute
};

class ManualCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetExePaths(path("bin/ravelin"));
        QDir().mkpath(path("bin"));
        WriteStandInEmulator(path("emu/dosbox"), "DOSBox version 0.74-3");
    }

    void TearDown() override { GnuGettext::UseLanguage(S("C")); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString path(const char *name) const { return path(S(name)); }
    QString IniName() const { return path("ravelin.ini"); }

    void Write(const QString &name, const QByteArray &data = "<p>manual</p>")
    {
        WriteTestFile(path(name), data);
    }

    void WriteCatalogue(const QList<TManualEntry> &entries)
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(IniName());
        ini.WriteString(u"Config", u"DosBoxPath", path("emu"));
        ini.WriteInteger(u"Config", u"AppCount", int(entries.size()));
        for (int i = 0; i < entries.size(); ++i) {
            const QString sec = AppSectionName(i + 1);
            const QString dir = path(S("games/") + entries[i].Name);
            QDir().mkpath(dir);
            ini.WriteString(sec, u"AppName", entries[i].Name);
            ini.WriteString(sec, u"RootPath", dir);
            ini.WriteString(sec, u"Manual", entries[i].Manual);
            ini.WriteBool(sec, u"MountCD", false);
        }
        ini.UpdateFile();
    }

    std::unique_ptr<TfrmMain> Open()
    {
        auto window = std::make_unique<TfrmMain>();
        window->IniName = IniName();
        window->SetProcessStarter(&m_starter);
        window->show();
        return window;
    }

    // Selects the entry and shows its manual.
    void ShowManual(TfrmMain &window, const QString &name)
    {
        window.lvApps->SelectRow(window.FindItemByCaption(name));
        window.actShowManExecute();
    }

    QTemporaryDir m_dir;
    TRecordingStarter m_starter;
};

} // namespace

TEST_F(ManualCommandsTest, ManualHelpAndAboutSitInMenusToolbarAndContextMenu)
{
    WriteCatalogue({});
    auto window = Open();
    ASSERT_TRUE(window->actShowMan);
    EXPECT_EQ(window->actShowMan->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(window->actShowMan->toolTip(), S("Show manual of selected application"));

    // Toolbar: New, Edit, Remove, separator, Manual, Run.
    const QList<QAction *> bar = window->tbMain->actions();
    const qsizetype man = bar.indexOf(window->actShowMan);
    ASSERT_GT(man, 0);
    EXPECT_TRUE(bar[man - 1]->isSeparator());
    EXPECT_EQ(bar[man - 2], window->actRemProgram);
    EXPECT_EQ(bar[man + 1], window->actRun);
    EXPECT_EQ(window->tbMain->widgetForAction(window->actShowMan)->objectName(), S("tbMan"));

    // Application menu: the console sub-menu, a separator, the manual, a separator.
    const QList<QAction *> entries = window->itmEntries->actions();
    const qsizetype item = entries.indexOf(window->actShowMan);
    ASSERT_GE(item, 2);
    EXPECT_EQ(entries[item - 2], window->itmConsole->menuAction());
    EXPECT_TRUE(entries[item - 1]->isSeparator());
    EXPECT_TRUE(entries.value(item + 1)->isSeparator());

    // Context menu: right after the console sub-menu.
    const QList<QAction *> popup = window->PopupMenu->actions();
    EXPECT_EQ(popup.value(popup.indexOf(window->piConsole->menuAction()) + 1), window->actShowMan);

    // Help menu, shown now that it has commands.
    EXPECT_EQ(window->itmHelp->actions(), QList<QAction *>({window->actHelpFile, window->actInfo}));
    EXPECT_TRUE(window->itmHelp->menuAction()->isVisible());
    EXPECT_EQ(window->actHelpFile->toolTip(), S("Show program help"));
}

TEST_F(ManualCommandsTest, HtmlManualsOpenInTheViewerOthersOnTheDesktop)
{
    Write(S("docs/Ultima Manual.HTM"));
    Write(S("docs/manual.pdf"));
    Write(S("docs/manual.doc"));
    Write(S("docs/manual"));
    WriteCatalogue({{S("Ultima"), path("docs/Ultima Manual.HTM")},
                    {S("Pdf"), path("docs/manual.pdf")},
                    {S("Doc"), path("docs/manual.doc")},
                    {S("Plain"), path("docs/manual")}});
    auto window = Open();
    TShellOpenRecorder desktop;
    TMessageScript messages;

    ShowManual(*window, S("Ultima"));
    TWebBrowserWin *viewer = window->HtManWin;
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), S("Manual for Ultima"));
    EXPECT_EQ(viewer->WebBrowser->source().toLocalFile(), path("docs/Ultima Manual.HTM"));
    EXPECT_EQ(viewer->ActionEdit->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(viewer->ActionEdit->isVisible());

    for (const char *name : {"Pdf", "Doc", "Plain"})
        ShowManual(*window, S(name));
    ASSERT_EQ(desktop.Opened.size(), 3);
    EXPECT_EQ(desktop.Opened[0], QUrl::fromLocalFile(path("docs/manual.pdf")));
    EXPECT_EQ(desktop.Opened[1], QUrl::fromLocalFile(path("docs/manual.doc")));
    EXPECT_EQ(desktop.Opened[2], QUrl::fromLocalFile(path("docs/manual")));
    // Whatever the desktop answers, nothing is reported.
    desktop.Result = false;
    ShowManual(*window, S("Pdf"));
    EXPECT_TRUE(messages.asked().isEmpty());
}

TEST_F(ManualCommandsTest, TextManualsOpenInTheTextViewerBesideTheWindow)
{
    Write(S("docs/README.TXT"), "Read me");
    Write(S("docs/other.txt"), "Other");
    WriteCatalogue({{S("Keen"), path("docs/README.TXT")}, {S("Other"), path("docs/other.txt")}});
    auto window = Open();
    TShowTextDialog viewer;
    window->ShowTextDialog = &viewer;
    window->BasicSettings.Codepage = 850;
    TShellOpenRecorder desktop;

    ShowManual(*window, S("Keen"));
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(viewer.isModal());
    EXPECT_EQ(viewer.TextName, path("docs/README.TXT"));
    EXPECT_EQ(viewer.FTitle, S("Manual for Keen"));
    EXPECT_EQ(viewer.FCodePage, 850);
    EXPECT_EQ(viewer.FFilter, S("All|*.*"));
    EXPECT_FALSE(window->HtManWin->isVisible());
    EXPECT_TRUE(desktop.Opened.isEmpty());

    // The open viewer takes the next manual.
    ShowManual(*window, S("Other"));
    EXPECT_EQ(viewer.TextName, path("docs/other.txt"));
    EXPECT_EQ(viewer.FTitle, S("Manual for Other"));
}

TEST_F(ManualCommandsTest, AViewerAlreadyShowingOnlyComesToTheFront)
{
    Write(S("a/manual.html"), "<a href=\"more.html\">more</a>");
    Write(S("a/more.html"), "<p>more</p>");
    Write(S("b/manual.html"));
    WriteCatalogue({{S("Alpha"), path("a/manual.html")}, {S("Beta"), path("b/manual.html")}});
    auto window = Open();
    ShowManual(*window, S("Alpha"));
    TWebBrowserWin *viewer = window->HtManWin;
    emit viewer->WebBrowser->anchorClicked(QUrl(S("more.html")));
    ASSERT_EQ(viewer->WebBrowser->source().toLocalFile(), path("a/more.html"));

    ShowManual(*window, S("Beta"));
    EXPECT_EQ(viewer->windowTitle(), S("Manual for Alpha"));
    EXPECT_EQ(viewer->WebBrowser->source().toLocalFile(), path("a/more.html"));

    // Closed, the next manual opens anew.
    viewer->close();
    ShowManual(*window, S("Beta"));
    EXPECT_EQ(viewer->windowTitle(), S("Manual for Beta"));
    EXPECT_EQ(viewer->WebBrowser->source().toLocalFile(), path("b/manual.html"));
}

TEST_F(ManualCommandsTest, AMissingManualNamesTheFile)
{
    Write(S("games/Keen/KEEN.HTM"));
    WriteCatalogue(
        {{S("Doom"), path("docs/gone.html")}, {S("Empty"), QString()}, {S("Keen"), S("KEEN.HTM")}});
    auto window = Open();
    TShellOpenRecorder desktop;
    TMessageScript messages;
    ShowManual(*window, S("Doom"));
    ShowManual(*window, S("Empty"));
    ASSERT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(messages.asked()[0].kind, mdtError);
    EXPECT_EQ(messages.asked()[0].message(),
              S("Manual not found (") + path("docs/gone.html") + S(")!"));
    EXPECT_EQ(messages.asked()[1].message(), S("No manual has been set for \"Empty\"."));
    EXPECT_FALSE(window->HtManWin->isVisible());
    EXPECT_TRUE(desktop.Opened.isEmpty());

    // A name without folder lies in the entry's folder.
    ShowManual(*window, S("Keen"));
    EXPECT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(window->HtManWin->WebBrowser->source().toLocalFile(), path("games/Keen/KEEN.HTM"));

    // Nothing selected: nothing happens.
    window->HtManWin->close();
    window->lvApps->SelectRow(-1);
    window->actShowManExecute();
    EXPECT_EQ(messages.asked().size(), 2);
    EXPECT_FALSE(window->HtManWin->isVisible());
}

TEST_F(ManualCommandsTest, TheHelpFileBesideTheProgramHasATranslatedName)
{
    WriteCatalogue({});
    auto window = Open();
    TShellOpenRecorder desktop;
    TMessageScript messages;
    window->actHelpFileExecute();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(), S("Help file not found!"));
    EXPECT_EQ(messages.asked()[0].kind, mdtError);
    EXPECT_EQ(messages.asked()[0].pos, CenterPos);

    Write(S("bin/ravelin-en.html"));
    window->actHelpFileExecute();
    ASSERT_EQ(desktop.Opened.size(), 1);
    EXPECT_EQ(desktop.Opened[0], QUrl::fromLocalFile(path("bin/ravelin-en.html")));

    // A desktop without a web browser: Ravelin's own viewer shows the guide.
    desktop.Result = false;
    window->actHelpFileExecute();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_TRUE(window->HtManWin->isVisible());
    EXPECT_EQ(window->HtManWin->WebBrowser->source().toLocalFile(), path("bin/ravelin-en.html"));
    window->HtManWin->close();

    // German names a file of its own; the English one does not stand in.
    desktop.Result = true;
    GnuGettext::UseLanguage(S("de"));
    EXPECT_EQ(HelpFileName(), path("bin/ravelin-de.html"));
    window->actHelpFileExecute();
    ASSERT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(messages.asked()[1].message(), S("Hilfedatei nicht gefunden!"));
    Write(S("bin/ravelin-de.html"));
    window->actHelpFileExecute();
    ASSERT_EQ(desktop.Opened.size(), 2);
    EXPECT_EQ(desktop.Opened[1], QUrl::fromLocalFile(path("bin/ravelin-de.html")));
}

TEST_F(ManualCommandsTest, EveryLanguageFindsItsHelpInTheBuild)
{
    SetExePaths(S(RAVELIN_BINARY_DIR "/bin/ravelin"));
    for (const char *language : {"C", "de", "fr"}) {
        GnuGettext::UseLanguage(S(language));
        EXPECT_TRUE(QFileInfo(HelpFileName()).isFile()) << HelpFileName().toStdString();
    }
}

TEST_F(ManualCommandsTest, AboutShowsVersionAndRights)
{
    WriteCatalogue({});
    auto window = Open();
    TMessageScript messages;
    window->actInfoExecute();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].kind, mdtInformation);
    EXPECT_EQ(messages.asked()[0].pos, CenterPos);
    EXPECT_EQ(messages.asked()[0].title(), S("About Ravelin"));
    const QStringList lines = messages.asked()[0].message().split(S("\r\n"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], window->ProgVersName + S(" - ") + window->ProgVersDate);
    EXPECT_TRUE(lines[0].startsWith(S("Ravelin (Version " RAVELIN_VERSION ") - ")));
    EXPECT_TRUE(lines[1].contains(S("Ravelin developers")));
}

TEST_F(ManualCommandsTest, TheViewerTakesItsPlaceAtFirstShowingAndWritesItAtTheEnd)
{
    Write(S("docs/manual.html"));
    WriteCatalogue({{S("Ultima"), path("docs/manual.html")}});
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(IniName());
        ini.WriteInteger(u"HtmlManual", u"Left", 140);
        ini.WriteInteger(u"HtmlManual", u"Top", 60);
        ini.WriteInteger(u"HtmlManual", u"Width", 500);
        ini.WriteInteger(u"HtmlManual", u"Height", 400);
        ini.UpdateFile();
    }
    auto window = std::make_unique<TfrmMain>();
    window->IniName = IniName();
    EXPECT_EQ(window->HtManWin->pos(), QPoint(10, 10));
    window->show();
    EXPECT_EQ(window->HtManWin->pos(), QPoint(140, 60));
    EXPECT_EQ(window->HtManWin->size(), QSize(500, 400));

    ShowManual(*window, S("Ultima"));
    TWebBrowserWin *viewer = window->HtManWin;
    ASSERT_TRUE(viewer->isVisible());
    viewer->move(150, 70);
    viewer->resize(520, 410);
    // Closing the main window closes the viewer first.
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(viewer->isVisible());
    window.reset();

    const TUnicodeIniFile ini = TUnicodeIniFile::CreateForRead(IniName());
    EXPECT_EQ(ini.ReadInteger(u"Config", u"AppCount", 0), 1);
    EXPECT_EQ(ini.ReadInteger(u"HtmlManual", u"Left", 0), 150);
    EXPECT_EQ(ini.ReadInteger(u"HtmlManual", u"Top", 0), 70);
    EXPECT_EQ(ini.ReadInteger(u"HtmlManual", u"Width", 0), 520);
    EXPECT_EQ(ini.ReadInteger(u"HtmlManual", u"Height", 0), 410);
    EXPECT_EQ(ini.ReadInteger(u"HtmlManual", u"State", -1), 0);
}

// The user guide the build puts beside the program finds its style sheet
// there in every language.
TEST(UserGuide, EveryPageBesideTheProgramFindsItsStyleSheet)
{
    const QDir bin(QCoreApplication::applicationDirPath());
    const QStringList pages = bin.entryList({S("ravelin-*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 3);
    const QRegularExpression sheet(S("<link rel=\"stylesheet\"[^>]*href=\"([^\"]+)\""));
    for (const QString &page : pages) {
        QFile file(bin.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        int sheets = 0;
        for (auto it = sheet.globalMatch(html); it.hasNext(); ++sheets)
            EXPECT_TRUE(QFileInfo(bin.filePath(it.next().captured(1))).isFile())
                << page.toStdString();
        EXPECT_GE(sheets, 1) << page.toStdString();
    }
}
