#include "texttools/ui/WebBrowser.h"

#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/MsgDialogs.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/SystemOpen.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

// A window whose browser control cannot be created, as on a system without one.
class TNoBrowserWin : public TWebBrowserWin
{
public:
    QStringList Reports;

protected:
    QTextBrowser *CreateBrowser() override { return nullptr; }
    void ShowNotAvailable(const QString &message) override { Reports.append(message); }
};

class WebBrowserTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(path("Old Games/Ultima/docs"));
        Write("Old Games/Ultima/manual.html",
              "<html><body><h1>Ultima</h1><a href=\"docs/page2.htm\">next</a> "
              "<a href=\"#keys\">keys</a> <a href=\"https://www.example.org/\">web</a> "
              "<a href=\"map.pdf\">map</a><p>text</p><a name=\"keys\">Keys</a></body></html>");
        Write("Old Games/Ultima/docs/page2.htm",
              "<html><body><h2>Page two</h2><a href=\"../manual.html\">start</a></body></html>");
        Write("Old Games/Ultima/readme.txt", "Line <1>\r\n  Line 2");
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString path(const char *name) const { return path(S(name)); }

    void Write(const char *name, const QByteArray &data) { WriteTestFile(path(name), data); }

    QString Manual() const { return path("Old Games/Ultima/manual.html"); }
    QString ManualAddress() const { return S("file://") + Manual(); }

    // The page shown, as a file path.
    static QString Shown(const TWebBrowserWin &win)
    {
        return win.WebBrowser ? win.WebBrowser->source().toLocalFile() : QString();
    }

    void Show(TWebBrowserWin &win)
    {
        EXPECT_FALSE(win.Execute(&m_caller, S("Manual for Ultima"), Manual(), QString(), false,
                                 QKeySequence(Qt::Key_F1)));
    }

    void ClickLink(TWebBrowserWin &win, const char *href)
    {
        emit win.WebBrowser->anchorClicked(QUrl(S(href)));
    }

    QTemporaryDir m_dir;
    QWidget m_caller;
};

} // namespace

TEST_F(WebBrowserTest, ExecuteShowsAFilePathWithBlanksBesideTheCaller)
{
    TWebBrowserWin win;
    EXPECT_FALSE(win.WebBrowser);
    Show(win);
    EXPECT_TRUE(win.isVisible());
    EXPECT_FALSE(win.isModal());
    EXPECT_EQ(win.windowTitle(), S("Manual for Ultima"));
    EXPECT_EQ(win.Home, ManualAddress());
    EXPECT_EQ(win.edURL->text(), ManualAddress());
    EXPECT_EQ(Shown(win), Manual());
    EXPECT_TRUE(win.WebBrowser->toPlainText().contains(S("Ultima")));
    // Outside modal use: the switch back to the caller, no OK.
    EXPECT_TRUE(win.ActionEdit->isVisible());
    EXPECT_EQ(win.ActionEdit->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(win.ActionExit->isVisible());
}

TEST_F(WebBrowserTest, LinksHistoryAndHome)
{
    TWebBrowserWin win;
    Show(win);
    // Back on the first page does nothing.
    EXPECT_FALSE(win.ActionBack->isEnabled());
    win.ActionBackExecute();
    EXPECT_EQ(Shown(win), Manual());

    ClickLink(win, "docs/page2.htm");
    EXPECT_EQ(Shown(win), path("Old Games/Ultima/docs/page2.htm"));
    EXPECT_EQ(win.edURL->text(), S("file://") + path("Old Games/Ultima/docs/page2.htm"));
    EXPECT_TRUE(win.WebBrowser->toPlainText().contains(S("Page two")));
    EXPECT_TRUE(win.ActionBack->isEnabled());

    // Alt+Left and the mouse's back button go back, Alt+Right forward.
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    QTest::keyClick(&win, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Shown(win), Manual());
    QTest::keyClick(&win, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Shown(win), path("Old Games/Ultima/docs/page2.htm"));
    QMouseEvent back(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::BackButton,
                     Qt::BackButton, Qt::NoModifier);
    QApplication::sendEvent(win.WebBrowser->viewport(), &back);
    EXPECT_EQ(Shown(win), Manual());
    win.ActionFwdExecute();
    EXPECT_EQ(Shown(win), path("Old Games/Ultima/docs/page2.htm"));

    win.ActionHomeExecute();
    EXPECT_EQ(Shown(win), Manual());

    // An anchor of the page keeps the page.
    ClickLink(win, "#keys");
    EXPECT_EQ(Shown(win), Manual());
    EXPECT_EQ(win.WebBrowser->source().fragment(), S("keys"));
    EXPECT_TRUE(win.edURL->text().endsWith(S("manual.html#keys")));
}

TEST_F(WebBrowserTest, WebAddressesAndOtherFilesGoToTheDesktop)
{
    TWebBrowserWin win;
    Show(win);
    TShellOpenRecorder desktop;
    ClickLink(win, "https://www.example.org/");
    ClickLink(win, "map.pdf");
    ASSERT_EQ(desktop.Opened.size(), 2);
    EXPECT_EQ(desktop.Opened[0], QUrl(S("https://www.example.org/")));
    EXPECT_EQ(desktop.Opened[1].toLocalFile(), path("Old Games/Ultima/map.pdf"));
    EXPECT_EQ(Shown(win), Manual());

    // Execute with a web address shows no empty window.
    TWebBrowserWin other;
    EXPECT_FALSE(other.Execute(&m_caller, S("Web"), S("https://www.example.org/x"), QString(),
                               false, QKeySequence(Qt::Key_F1)));
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(desktop.Opened.size(), 3);

    // A link nothing on the desktop opens says so.
    desktop.Result = false;
    TMessageScript messages;
    ClickLink(win, "https://www.example.org/");
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].message(),
              S("No program on this system can open this address:\r\nhttps://www.example.org/"));
}

TEST_F(WebBrowserTest, AddressBoxGoesWhereEnterSays)
{
    TWebBrowserWin win;
    Show(win);
    // Relative to the page shown; Enter is used up by the box.
    win.edURL->setText(S("docs/page2.htm"));
    QTest::keyClick(win.edURL, Qt::Key_Return);
    EXPECT_EQ(Shown(win), path("Old Games/Ultima/docs/page2.htm"));
    EXPECT_TRUE(win.isVisible());

    win.edURL->setText(ManualAddress());
    QTest::keyClick(win.edURL, Qt::Key_Enter);
    EXPECT_EQ(Shown(win), Manual());

    // Plain text keeps its lines; a missing file says so in the page.
    win.edURL->setText(path("Old Games/Ultima/readme.txt"));
    QTest::keyClick(win.edURL, Qt::Key_Return);
    EXPECT_EQ(win.WebBrowser->toPlainText(), S("Line <1>\n  Line 2"));
    win.edURL->setText(path("Old Games/Ultima/gone.html"));
    QTest::keyClick(win.edURL, Qt::Key_Return);
    EXPECT_TRUE(win.WebBrowser->toPlainText().contains(S("does not exist")));
    EXPECT_TRUE(win.WebBrowser->toPlainText().contains(path("Old Games/Ultima/gone.html")));

    // Reload reads the file again.
    win.ActionHomeExecute();
    Write("Old Games/Ultima/manual.html", "<p>changed</p>");
    win.ActionRefreshExecute();
    EXPECT_EQ(win.WebBrowser->toPlainText(), S("changed"));
}

TEST_F(WebBrowserTest, TheSamePageOnlyComesToTheFront)
{
    TWebBrowserWin win;
    Show(win);
    ClickLink(win, "#keys");
    win.ActionHomeExecute();
    ClickLink(win, "docs/page2.htm");
    // Another address: shown, with a history of its own.
    EXPECT_FALSE(win.Execute(&m_caller, S("Manual for Ultima"), Manual(), QString(), false,
                             QKeySequence(Qt::Key_F1)));
    EXPECT_EQ(Shown(win), Manual());
    EXPECT_FALSE(win.ActionBack->isEnabled());
    // The address shown: nothing changes but the front.
    win.setWindowTitle(S("kept"));
    EXPECT_FALSE(win.Execute(&m_caller, S("Other"), ManualAddress(), QString(), false,
                             QKeySequence(Qt::Key_F1)));
    EXPECT_EQ(win.windowTitle(), S("kept"));
}

TEST_F(WebBrowserTest, EscapeClosesAndModalUseEndsWithOk)
{
    TWebBrowserWin win;
    Show(win);
    QTest::keyClick(&win, Qt::Key_Escape);
    EXPECT_FALSE(win.isVisible());

    // Modal: OK offered, no switch back; Enter ends with OK.
    bool modal = false;
    bool exitShown = false;
    WhenModal([&](QWidget *w) {
        modal = w == &win;
        exitShown = win.ActionExit->isVisible() && !win.ActionEdit->isVisible();
        QTest::keyClick(win.WebBrowser, Qt::Key_Return);
    });
    EXPECT_TRUE(win.Execute(&m_caller, S("Modal"), Manual(), QString(), true, QKeySequence()));
    EXPECT_TRUE(modal);
    EXPECT_TRUE(exitShown);

    // Without OK, Enter does nothing and closing counts as cancel.
    WhenModal([&](QWidget *) {
        QTest::keyClick(win.WebBrowser, Qt::Key_Return);
        EXPECT_TRUE(win.isVisible());
        win.close();
    });
    EXPECT_FALSE(win.Execute(&m_caller, S("Modal"), Manual(), QString(), false, QKeySequence()));
}

TEST_F(WebBrowserTest, SizeButtonsGiveThePageAreaItsSize)
{
    TWebBrowserWin win;
    Show(win);
    win.showMaximized();
    for (const auto &[button, size] :
         {std::pair{win.btnSize1, QSize(640, 480)}, std::pair{win.btnSize2, QSize(800, 600)},
          std::pair{win.btnSize3, QSize(1024, 768)}}) {
        button->click();
        QTest::qWait(1);
        EXPECT_FALSE(win.isMaximized());
        EXPECT_EQ(win.size(), QSize(size.width(), size.height() + win.paTop->height()));
        EXPECT_EQ(win.WebBrowser->size(), size);
    }
}

TEST_F(WebBrowserTest, NoBrowserControlIsReportedAtEveryAttempt)
{
    TNoBrowserWin win;
    Show(win);
    EXPECT_FALSE(win.isVisible());
    EXPECT_FALSE(win.Available());
    ASSERT_EQ(win.Reports.size(), 1);
    EXPECT_TRUE(win.Reports[0].startsWith(
        S("The integrated web browser is not available on your system\r\n")));
    Show(win);
    EXPECT_EQ(win.Reports.size(), 2);
}

TEST_F(WebBrowserTest, PlacementDefaultsWithoutTheSection)
{
    const QString ini = path("ravelin.ini");
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteString(u"Config", u"AppCount", S("0"));
        file.UpdateFile();
    }
    TUnicodeIniFile file = TUnicodeIniFile::CreateForRead(ini);
    {
        TWebBrowserWin win;
        win.LoadFromIni(file, S("HtmlManual"));
        EXPECT_EQ(win.pos(), QPoint(10, 10));
        EXPECT_EQ(win.size(), QSize(600, 450));
        EXPECT_EQ(win.HForm, QRect(10, 10, 600, 450));
        EXPECT_EQ(win.WSt, 0);
        win.move(30, 40);
        win.resize(700, 500);
        win.SaveToIni(file);
    }
    // The section is written, the rest of the file stays.
    EXPECT_EQ(file.ReadString(u"Config", u"AppCount"), S("0"));
    EXPECT_EQ(file.ReadSection(u"HtmlManual"),
              QStringList({S("Left"), S("Top"), S("Height"), S("Width"), S("State")}));
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Left", 0), 30);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Top", 0), 40);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Width", 0), 700);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Height", 0), 500);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"State", -1), 0);
}

TEST_F(WebBrowserTest, AMaximisedWindowWritesOnlyItsState)
{
    const QString ini = path("ravelin.ini");
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteInteger(u"HtmlManual", u"Left", 120);
        file.WriteInteger(u"HtmlManual", u"Top", 80);
        file.WriteInteger(u"HtmlManual", u"Width", 640);
        file.WriteInteger(u"HtmlManual", u"Height", 515);
        file.WriteInteger(u"HtmlManual", u"State", 2);
        file.UpdateFile();
    }
    TUnicodeIniFile file = TUnicodeIniFile::CreateForRead(ini);
    {
        TWebBrowserWin win;
        win.LoadFromIni(file, S("HtmlManual"));
        EXPECT_EQ(win.pos(), QPoint(120, 80));
        EXPECT_EQ(win.size(), QSize(640, 515));
        EXPECT_EQ(win.WSt, 2);
        // The state takes effect when the window is shown.
        Show(win);
        EXPECT_TRUE(win.isMaximized());
        win.close();
        win.SaveToIni(file);
    }
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"State", -1), 2);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Left", 0), 120);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Width", 0), 640);
    EXPECT_EQ(file.ReadInteger(u"HtmlManual", u"Height", 0), 515);
}

TEST_F(WebBrowserTest, AMinimisedWindowComesBackVisibleAndAnUnboundOneWritesNothing)
{
    const QString ini = path("ravelin.ini");
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteInteger(u"HtmlManual", u"State", 1);
        file.WriteInteger(u"HtmlManual", u"Left", -30000);
        file.UpdateFile();
    }
    TUnicodeIniFile file = TUnicodeIniFile::CreateForRead(ini);
    const QByteArray before = file.ToData();
    {
        TWebBrowserWin win;
        win.LoadFromIni(file, S("HtmlManual"));
        EXPECT_EQ(win.WSt, 1);
        EXPECT_FALSE(win.isMinimized());
        // Off every screen: the default place.
        EXPECT_EQ(win.pos(), QPoint(10, 10));
        // A window never bound to a file leaves it alone.
        TWebBrowserWin unbound;
        Show(unbound);
        unbound.SaveToIni(file);
        win.LoadFromIni(file, QString());
        win.SaveToIni(file);
    }
    EXPECT_EQ(file.ToData(), before);
}

TEST_F(WebBrowserTest, TextsFollowTheLanguage)
{
    GnuGettext::UseLanguage(S("de"));
    TWebBrowserWin win;
    GnuGettext::UseLanguage(S("C"));
    EXPECT_EQ(win.ActionBack->toolTip(), S("Vorherige Seite"));
    EXPECT_EQ(win.ActionRefresh->toolTip(), S("Neu laden"));
    EXPECT_EQ(win.ActionHome->toolTip(), S("Startseite"));
    EXPECT_EQ(win.btnSize1->toolTip(), S("Fenstergröße"));
    EXPECT_EQ(win.btnSize1->text(), S("640x480"));
}
