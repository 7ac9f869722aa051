#include "catalogue/IniFileUtils.h"
#include "common/TestUtils.h"
#include "mainwindow/MainWindow.h"
#include "support/SystemFolders.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(MainWindow, CaptionAndPlacement)
{
    SetExePaths(QStringLiteral("/opt/ravelin/ravelin-placement-test"));
    const QString ini = AppDataDir() + QStringLiteral("/ravelin-placement-test.ini");
    QDir().mkpath(AppDataDir());
    {
        TUnicodeIniFile file = TUnicodeIniFile::CreateForWrite(ini);
        file.WriteInteger(u"Config", u"Left", 120);
        file.WriteInteger(u"Config", u"Top", 80);
        file.WriteInteger(u"Config", u"Width", 640);
        file.UpdateFile();
    }
    TfrmMain window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Manage DOSBox applications"));
    EXPECT_EQ(window.IniName, ini);
    EXPECT_EQ(window.AppDataPath, AppDataDir() + u'/');
    EXPECT_EQ(window.pos(), QPoint(120, 80));
    EXPECT_EQ(window.size(), QSize(640, 390));

    window.show();
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Run DOSBox applications (Version " RAVELIN_VERSION ")"));
    EXPECT_EQ(window.LocPath, qEnvironmentVariable("XDG_CONFIG_HOME") + u'/');
    window.hide();
    window.show();
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Run DOSBox applications (Version " RAVELIN_VERSION ")"));
    QFile::remove(ini);
}
