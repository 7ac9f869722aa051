#include "appsettings/AppSettingsDlg.h"

#include "catalogue/AppSettings.h"
#include "catalogue/BasicSettings.h"
#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/CheckBoxes.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectFromListDlg.h"
#include "dialogs/ShellDirDlg.h"
#include "support/GnuGettext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The dialog with the shared dialogs, the editor and the drives answered by
// the test.
class TTestDialog : public TAppSettingsDialog
{
public:
    using TAppSettingsDialog::TAppSettingsDialog;

    QList<TDriveProperties> Drives;
    QStringList DirTitles;
    QString DirAnswer; // empty: Cancel
    QString DirStart;
    QStringList ListTitles;
    QStringList ListShown;
    std::optional<QStringList> ListAnswer;
    QStringList Edited; // editor and file of every start

protected:
    bool ChooseDirectory(const QString &title, const QString &, QString &dir) override
    {
        DirTitles.append(title);
        DirStart = dir;
        if (DirAnswer.isEmpty())
            return false;
        dir = DirAnswer;
        return true;
    }
    bool ExecuteListEditor(QPoint, const QString &title, const QString &,
                           QStringList &list) override
    {
        ListTitles.append(title);
        ListShown = list;
        if (!ListAnswer)
            return false;
        list = *ListAnswer;
        return true;
    }
    void StartTextEditor(const QString &editor, const QString &file) override
    {
        Edited << editor << file;
    }
    QList<TDriveProperties> ReadCdDrives() const override { return Drives; }
};

TDriveProperties CdDrive(const QString &root, const QString &label)
{
    TDriveProperties d;
    d.DriveType = TDriveType::dtCdRom;
    d.DriveName = root;
    d.VolName = label;
    return d;
}

class AppSettingsDlgTest : public testing::Test
{
protected:
    AppSettingsDlgTest()
    {
        m_settings.RootPath = m_dir.path();
        m_settings.ConfFile = Write(QStringLiteral("primary/dosbox.conf"),
                                    "[sdl]\nfullscreen=false\n[cpu]\ncycles=fixed 4000\n");
        m_appPath = m_dir.filePath(QStringLiteral("games/doom"));
        QDir().mkpath(m_appPath + QStringLiteral("/GAME"));
    }

    QString Write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        WriteTestFile(path, content);
        return path;
    }

    TDosBoxApp Entry(const QString &config = {})
    {
        TDosBoxApp app(config.isEmpty() ? m_settings.ConfFile : config, m_defL, m_defS, 437, false);
        app.AppName = QStringLiteral("Doom");
        app.Category = QStringLiteral("Games");
        app.AppPath = m_appPath;
        app.AppFile = QStringLiteral("DOOM.EXE");
        return app;
    }

    void Open(const TDosBoxApp &app, bool staging = false)
    {
        m_dlg.LoadControls(
            {QStringLiteral("Games"), QStringLiteral("Tools"), QStringLiteral("Miscellaneous")},
            app, staging);
    }

    TDosBoxApp Stored(const TDosBoxApp &original)
    {
        TDosBoxApp result(original);
        m_dlg.StoreControls(result);
        m_dlg.Finish();
        return result;
    }

    QTemporaryDir m_dir;
    TBasicSettings m_settings;
    QString m_appPath;
    QImage m_defL = DefaultAppIcon(32);
    QImage m_defS = DefaultAppIcon(16);
    TTestDialog m_dlg{m_settings, nullptr, nullptr};
};

void ExpectSameEntry(const TDosBoxApp &a, const TDosBoxApp &b)
{
    EXPECT_EQ(a.AppName, b.AppName);
    EXPECT_EQ(a.Category, b.Category);
    EXPECT_EQ(a.AppPath, b.AppPath);
    EXPECT_EQ(a.CdPath, b.CdPath);
    EXPECT_EQ(a.AppFile, b.AppFile);
    EXPECT_EQ(a.Parameters, b.Parameters);
    EXPECT_EQ(a.Commands, b.Commands);
    EXPECT_EQ(a.ExitCommands, b.ExitCommands);
    EXPECT_EQ(a.AppMapper, b.AppMapper);
    EXPECT_EQ(a.IconFile, b.IconFile);
    EXPECT_EQ(a.ManFile, b.ManFile);
    EXPECT_EQ(a.Description, b.Description);
    EXPECT_EQ(a.MixerChannels, b.MixerChannels);
    EXPECT_EQ(a.HardDrv, b.HardDrv);
    EXPECT_EQ(a.CdDrv, b.CdDrv);
    EXPECT_EQ(a.MountCd, b.MountCd);
    EXPECT_EQ(a.IsoImage, b.IsoImage);
    EXPECT_EQ(a.FullScreen, b.FullScreen);
    EXPECT_EQ(a.AutoEnd, b.AutoEnd);
    EXPECT_EQ(a.AppConfig, b.AppConfig);
    EXPECT_EQ(a.AutoClose, b.AutoClose);
    EXPECT_EQ(a.MemSize, b.MemSize);
    EXPECT_EQ(a.MemManage, b.MemManage);
    EXPECT_EQ(a.Speed, b.Speed);
    EXPECT_EQ(a.DefaultValues, b.DefaultValues);
    EXPECT_EQ(a.ConsoleMode, b.ConsoleMode);
    EXPECT_EQ(a.ConfigFile(), b.ConfigFile());
    EXPECT_EQ(a.Icons.ImgType(), b.Icons.ImgType());
    EXPECT_EQ(a.Icons.Large(), b.Icons.Large());
    EXPECT_EQ(a.Icons.Small(), b.Icons.Small());
}

// Every field set to something a dialog can show and store unchanged.
TDosBoxApp &Populate(TDosBoxApp &app)
{
    app.Parameters = QStringLiteral("-nosound");
    app.Commands = QStringLiteral("E:;\"CD \\\"");
    app.ExitCommands = QStringLiteral("E:\\CLEAN.BAT");
    app.IconFile = QStringLiteral("/nowhere/doom.ico");
    app.ManFile = QStringLiteral("/nowhere/doom.txt");
    app.Description = QStringLiteral("Shooter");
    app.AppMapper = QStringLiteral("/nowhere/doom.map");
    app.MixerChannels = QStringLiteral("\"MASTER 50:50\";\"SB 80:60\"");
    app.CdPath = QStringLiteral("\"/isos/My Disc.iso\" /isos/b.cue ");
    app.HardDrv = u'E';
    app.CdDrv = u'R';
    app.MountCd = false;
    app.FullScreen = true;
    app.AutoEnd = true;
    app.AutoClose = true;
    app.MemSize = 32;
    app.Speed = {25000, 60000, 1};
    app.MemManage = {0, 1, -1};
    app.ConsoleMode = {TConsoleMode::cmHide, TConsoleMode::cmErase};
    return app;
}

} // namespace

TEST_F(AppSettingsDlgTest, UnchangedControlsStoreTheEntryUnchanged)
{
    for (bool staging : {false, true}) {
        TDosBoxApp app = Entry();
        Populate(app);
        if (!staging)
            app.Speed.ProtSpeed = 12345; // classic leaves it alone
        Open(app, staging);
        ExpectSameEntry(Stored(app), app);
    }
}

TEST_F(AppSettingsDlgTest, CancelLeavesEntryAndPicturesAsTheyWere)
{
    TDosBoxApp app = Entry();
    Populate(app);
    const TDosBoxApp before(app);
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString png = m_dir.filePath(QStringLiteral("red.png"));
    ASSERT_TRUE(picture.save(png));

    Open(app);
    m_dlg.edAppName->setText(QStringLiteral("Changed"));
    m_dlg.cbCycles->setCurrentIndex(6);
    m_dlg.bbAddMixerClick();
    {
        TFileOpenScript files;
        files.answer({png});
        m_dlg.btIconFileClick();
    }
    EXPECT_EQ(m_dlg.WorkingIcons()->ImgType(), TImgType::imPng);
    m_dlg.cxAutoEnd->click();
    m_dlg.bbResetClick();
    m_dlg.Finish();
    ExpectSameEntry(app, before);

    // The same through Execute and its Cancel button.
    WhenModal([this](QWidget *) {
        m_dlg.edAppName->setText(QStringLiteral("Changed"));
        m_dlg.btbCancel->click();
    });
    EXPECT_FALSE(m_dlg.Execute({}, app, false));
    ExpectSameEntry(app, before);
    EXPECT_EQ(m_dlg.WorkingCopy(), nullptr);

    WhenModal([this](QWidget *) {
        m_dlg.edAppName->setText(QStringLiteral("Changed"));
        m_dlg.btbOK->click();
    });
    EXPECT_TRUE(m_dlg.Execute({}, app, false));
    EXPECT_EQ(app.AppName, QStringLiteral("Changed"));

    // OK without a name is refused with a message; the dialog stays open.
    TMessageScript messages;
    WhenModal([this](QWidget *) {
        m_dlg.edAppName->setText(QStringLiteral("  "));
        m_dlg.btbOK->click();
        EXPECT_TRUE(m_dlg.isVisible());
        m_dlg.edAppName->setText(QStringLiteral("Named"));
        m_dlg.btbOK->click();
    });
    EXPECT_TRUE(m_dlg.Execute({}, app, false));
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).text,
              QStringLiteral("Please enter a name for the application."));
    EXPECT_EQ(app.AppName, QStringLiteral("Named"));
}

TEST_F(AppSettingsDlgTest, OkChecksTheTypedFolderAndProgram)
{
    TDosBoxApp app = Entry();
    TMessageScript messages;
    WhenModal([this](QWidget *) {
        m_dlg.edAppPath->setText(m_appPath + QStringLiteral("/gone"));
        m_dlg.btbOK->click();
        m_dlg.edAppPath->setText(m_appPath);
        // Typed outside the folder, as the chooser would refuse it.
        m_dlg.edExeFile->setText(QStringLiteral("/usr/games/START.BAT"));
        m_dlg.btbOK->click();
        m_dlg.edExeFile->setText(QStringLiteral("..\\OTHER\\START.BAT"));
        m_dlg.btbOK->click();
        EXPECT_TRUE(m_dlg.isVisible());
        // Inside it, a full path becomes the path on the DOS drive.
        m_dlg.edExeFile->setText(m_appPath + QStringLiteral("/GAME/START.BAT"));
        m_dlg.btbOK->click();
    });
    EXPECT_TRUE(m_dlg.Execute({}, app, false));
    ASSERT_EQ(messages.asked().size(), 3);
    EXPECT_EQ(messages.asked()[0].message(), QStringLiteral("Application path not found:\n") +
                                                 m_appPath + QStringLiteral("/gone"));
    EXPECT_TRUE(messages.asked()[1].message().startsWith(
        QStringLiteral("The executable file must be located beneath the root path:")));
    EXPECT_EQ(messages.asked()[2].message(), messages.asked()[1].message());
    EXPECT_EQ(app.AppFile, QStringLiteral("GAME\\START.BAT"));
}

TEST_F(AppSettingsDlgTest, ChosenIconReachesTheEntryOnlyOnOk)
{
    TDosBoxApp app = Entry();
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    const QString png = m_dir.filePath(QStringLiteral("blue.png"));
    ASSERT_TRUE(picture.save(png));
    const QString broken = Write(QStringLiteral("broken.png"), "not a picture");

    Open(app);
    TFileOpenScript files;
    files.answer({broken});
    TMessageScript messages;
    m_dlg.btIconFileClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).kind, mdtError);
    EXPECT_TRUE(m_dlg.edIconFile->text().isEmpty());

    files.answer({png});
    m_dlg.btIconFileClick();
    const TFileOpenRequest &asked = files.asked().last();
    EXPECT_EQ(asked.Title, QStringLiteral("Select file with icon for this application"));
    EXPECT_EQ(asked.DefaultExt, QStringLiteral("ico"));
    EXPECT_EQ(asked.StartDir, m_appPath);
    ASSERT_EQ(asked.Filters.size(), 3);
    EXPECT_EQ(asked.Filters.at(0).Patterns, QStringLiteral("*.ico;*.bmp;*.png;*.jpg"));
    EXPECT_EQ(app.Icons.ImgType(), TImgType::imIco);

    const TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.IconFile, png);
    EXPECT_EQ(stored.Icons.ImgType(), TImgType::imPng);
    EXPECT_EQ(stored.Icons.Large().size(), QSize(20, 10));
}

TEST_F(AppSettingsDlgTest, CategoryBox)
{
    TDosBoxApp app = Entry();
    app.Category.clear();
    Open(app);
    EXPECT_EQ(m_dlg.cbCategory->currentText(), QString());
    EXPECT_EQ(m_dlg.cbCategory->itemText(0), QStringLiteral("Games"));
    EXPECT_EQ(m_dlg.cbCategory->itemText(1), QStringLiteral("Miscellaneous"));
    EXPECT_EQ(Stored(app).Category, QString());

    Open(app);
    m_dlg.cbCategory->setEditText(QStringLiteral("MISCELLANEOUS"));
    EXPECT_EQ(Stored(app).Category, QString());

    Open(app);
    m_dlg.cbCategory->setEditText(QStringLiteral(" Adventures "));
    EXPECT_EQ(Stored(app).Category, QStringLiteral("Adventures"));

    app.Category = QStringLiteral("games");
    Open(app);
    EXPECT_EQ(m_dlg.cbCategory->currentText(), QStringLiteral("Games"));
    m_dlg.Finish();

    // A category the list lacks is kept rather than lost.
    app.Category = QStringLiteral("Sports");
    Open(app);
    EXPECT_EQ(Stored(app).Category, QStringLiteral("Sports"));
}

TEST_F(AppSettingsDlgTest, DriveLetterChangeRewritesBothCommandFields)
{
    TDosBoxApp app = Entry();
    app.HardDrv = u'q'; // shown as Q
    app.Commands = QStringLiteral("Q:;\"CD \\\";q:\\UTIL\\X.EXE");
    app.ExitCommands = QStringLiteral("Q:\\CLEAN.BAT");
    Open(app);
    EXPECT_EQ(m_dlg.cbHardDrive->currentText(), QStringLiteral("Q"));
    m_dlg.Finish();

    app.HardDrv = u'C';
    app.Commands = QStringLiteral("C:;\"CD \\\";C:\\UTIL\\X.EXE");
    app.ExitCommands = QStringLiteral("c:\\CLEAN.BAT");
    Open(app);
    EXPECT_EQ(m_dlg.LastDriveLetter(), QStringLiteral("C"));
    m_dlg.cbHardDrive->setCurrentText(QStringLiteral("D"));
    m_dlg.cbHardDriveCloseUp();
    EXPECT_EQ(m_dlg.edCommands->text(), QStringLiteral("D:;\"CD \\\";D:\\UTIL\\X.EXE"));
    EXPECT_EQ(m_dlg.edExitCommands->text(), QStringLiteral("D:\\CLEAN.BAT"));
    m_dlg.cbHardDrive->setCurrentText(QStringLiteral("E"));
    m_dlg.cbHardDriveCloseUp();
    const TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.HardDrv, u'E');
    EXPECT_EQ(stored.Commands, QStringLiteral("E:;\"CD \\\";E:\\UTIL\\X.EXE"));
    EXPECT_EQ(stored.ExitCommands, QStringLiteral("E:\\CLEAN.BAT"));

    // The folder chooser names the drive and starts in the mounted folder.
    Open(app);
    m_dlg.DirAnswer = m_dir.filePath(QStringLiteral("games/"));
    m_dlg.btPathClick();
    EXPECT_EQ(m_dlg.DirTitles.last(), QStringLiteral("Select path to be mounted as drive C"));
    EXPECT_EQ(m_dlg.DirStart, m_appPath);
    EXPECT_EQ(m_dlg.edAppPath->text(), m_dlg.DirAnswer);
}

TEST_F(AppSettingsDlgTest, ProgramMustLieBelowTheMountedFolder)
{
    TDosBoxApp app = Entry();
    app.AppFile = QStringLiteral("GAME\\OLD.EXE");
    Open(app);
    TFileOpenScript files;
    TMessageScript messages;
    files.answer({m_appPath + QStringLiteral("/GAME/START.EXE")});
    m_dlg.btExeFileClick();
    EXPECT_EQ(files.asked().last().StartDir, m_appPath + QStringLiteral("/GAME/"));
    EXPECT_EQ(m_dlg.edExeFile->text(), QStringLiteral("GAME\\START.EXE"));

    files.answer({m_appPath + QStringLiteral("/DOOM.EXE")});
    m_dlg.btExeFileClick();
    EXPECT_EQ(m_dlg.edExeFile->text(), QStringLiteral("DOOM.EXE"));
    EXPECT_TRUE(messages.asked().isEmpty());

    files.answer({m_dir.filePath(QStringLiteral("elsewhere/RUN.EXE"))});
    m_dlg.btExeFileClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).kind, mdtError);
    EXPECT_EQ(messages.asked().at(0).text,
              QStringLiteral("The executable file must be located beneath the root path:\r\n") +
                  m_appPath + QStringLiteral("\r\nPlease try again!"));
    EXPECT_EQ(m_dlg.edExeFile->text(), QStringLiteral("DOOM.EXE"));

    m_dlg.edAppPath->clear();
    files.answer({m_appPath + QStringLiteral("/DOOM.EXE")});
    m_dlg.btExeFileClick();
    EXPECT_EQ(messages.asked().size(), 2);
    EXPECT_EQ(m_dlg.edExeFile->text(), QStringLiteral("DOOM.EXE"));
}

TEST_F(AppSettingsDlgTest, CommandListsThroughTheListEditor)
{
    TDosBoxApp app = Entry();
    // Quotes are part of a command, not list syntax.
    app.Commands = QStringLiteral("C:;\"CD \\\"");
    Open(app);
    m_dlg.ListAnswer = QStringList{QStringLiteral("C:"), QStringLiteral("CD GAME")};
    m_dlg.btCommandsClick();
    EXPECT_EQ(m_dlg.ListTitles.last(), QStringLiteral("Edit commands on startup"));
    EXPECT_EQ(m_dlg.ListShown, (QStringList{QStringLiteral("C:"), QStringLiteral("\"CD \\\"")}));
    EXPECT_EQ(m_dlg.edCommands->text(), QStringLiteral("C:;CD GAME"));

    m_dlg.ListAnswer.reset();
    m_dlg.btExitCommandsClick();
    EXPECT_EQ(m_dlg.ListTitles.last(), QStringLiteral("Edit commands before exit"));
    EXPECT_TRUE(m_dlg.ListShown.isEmpty());
    EXPECT_EQ(m_dlg.edExitCommands->text(), QString());
}

TEST_F(AppSettingsDlgTest, ApplicationConfigurationIsCopiedEvenWhenCancelled)
{
    Write(QStringLiteral("primary/dosbox.conf"), "[sdl]\nfullscreen=true\n[cpu]\ncycles=max\n");
    TDosBoxApp app = Entry();
    const QString appConfig = m_appPath + QStringLiteral("/dosbox.conf");

    // A folder that does not exist: nothing is copied or loaded.
    app.AppPath = m_dir.filePath(QStringLiteral("missing"));
    Open(app);
    m_dlg.cxFullScreen->setChecked(false);
    m_dlg.rbAppConfig->click();
    EXPECT_TRUE(m_dlg.bbEditConfig->isEnabled());
    EXPECT_FALSE(m_dlg.cxFullScreen->isChecked());
    EXPECT_FALSE(QFile::exists(m_dlg.edAppPath->text() + QStringLiteral("/dosbox.conf")));
    m_dlg.Finish();

    app.AppPath = m_appPath;
    Open(app);
    m_dlg.rbAppConfig->click();
    m_dlg.Finish();
    EXPECT_TRUE(QFile::exists(appConfig));
    EXPECT_FALSE(app.AppConfig);

    // An existing application configuration is read, not overwritten.
    Write(QStringLiteral("games/doom/dosbox.conf"), "[sdl]\nfullscreen=false\n");
    Open(app);
    m_dlg.rbAppConfig->click();
    EXPECT_FALSE(m_dlg.cxFullScreen->isChecked());
    EXPECT_EQ(m_dlg.cbCycles->toolTip(), QStringLiteral("auto"));
    m_dlg.rbGlobalConfig->click();
    EXPECT_FALSE(m_dlg.bbEditConfig->isEnabled());
    EXPECT_TRUE(m_dlg.cxFullScreen->isChecked());
    EXPECT_EQ(m_dlg.cbCycles->toolTip(), QStringLiteral("max"));
    m_dlg.rbAppConfig->click();
    EXPECT_TRUE(Stored(app).AppConfig);
}

TEST_F(AppSettingsDlgTest, EditConfigurationButton)
{
    TDosBoxApp app = Entry();
    app.AppConfig = true;
    Open(app);
    EXPECT_TRUE(m_dlg.bbEditConfig->isHidden()); // no text editor
    m_dlg.Finish();

    m_settings.TextEditor = Write(QStringLiteral("bin/editor"), "");
    app.AppConfig = false;
    Open(app);
    EXPECT_FALSE(m_dlg.bbEditConfig->isHidden());
    EXPECT_FALSE(m_dlg.bbEditConfig->isEnabled());
    m_dlg.Finish();

    app.AppConfig = true;
    Open(app);
    EXPECT_TRUE(m_dlg.bbEditConfig->isEnabled());
    const QString appConfig = m_appPath + QStringLiteral("/dosbox.conf");
    TMessageScript messages;
    messages.answer(mrNo);
    m_dlg.bbEditConfigClick();
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).text,
              QStringLiteral("No application specific configuration found!\r\nCopy primary "
                             "configuration to application path?"));
    EXPECT_FALSE(QFile::exists(appConfig));
    EXPECT_TRUE(m_dlg.Edited.isEmpty());

    messages.answer(mrYes);
    m_dlg.bbEditConfigClick();
    EXPECT_TRUE(QFile::exists(appConfig));
    EXPECT_EQ(m_dlg.Edited, (QStringList{m_settings.TextEditor, appConfig}));
    m_dlg.bbEditConfigClick(); // now present: no question
    EXPECT_EQ(messages.asked().size(), 2);

    // Without its folder nothing is copied anywhere.
    m_dlg.edAppPath->clear();
    m_dlg.bbEditConfigClick();
    EXPECT_EQ(messages.asked().size(), 3);
    EXPECT_EQ(messages.asked().last().kind, mdtError);
    EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("dosbox.conf"))));
    EXPECT_EQ(m_dlg.Edited.size(), 4);
}

TEST_F(AppSettingsDlgTest, AutoEndCouplingReshowsFromTheWorkingCopy)
{
    TDosBoxApp app = Entry();
    app.AutoEnd = true;
    app.AutoClose = true;
    app.Speed.RealSpeed = 5000;
    Open(app);
    EXPECT_TRUE(m_dlg.cxAutoClose->isChecked());
    EXPECT_TRUE(m_dlg.cxAutoClose->isEnabled());
    m_dlg.cbCycles->setCurrentIndex(6);
    m_dlg.edMapperFile->setText(QStringLiteral("typed.map"));

    m_dlg.cxAutoEnd->click();
    EXPECT_FALSE(m_dlg.cxAutoClose->isChecked());
    EXPECT_FALSE(m_dlg.cxAutoClose->isEnabled());
    EXPECT_EQ(m_dlg.cbCycles->currentIndex(), 2); // re-shown from the working copy
    EXPECT_EQ(m_dlg.edMapperFile->text(), app.AppMapper);
    TDosBoxApp stored = Stored(app);
    EXPECT_FALSE(stored.AutoEnd);
    EXPECT_FALSE(stored.AutoClose);

    Open(app);
    m_dlg.cxAutoEnd->click();
    m_dlg.cxAutoEnd->click();
    EXPECT_TRUE(m_dlg.cxAutoClose->isEnabled());
    EXPECT_TRUE(m_dlg.cxAutoClose->isChecked());
    stored.Assign(Stored(app));
    EXPECT_TRUE(stored.AutoEnd && stored.AutoClose);
}

TEST_F(AppSettingsDlgTest, DefaultOptions)
{
    Write(QStringLiteral("primary/dosbox.conf"),
          "[sdl]\nfullscreen=true\nmapperfile=keys.map\n[cpu]\ncycles=auto\n");
    TDosBoxApp app = Entry();
    app.FullScreen = false;
    app.AutoEnd = false;
    app.AutoClose = true;
    app.AppMapper = QStringLiteral("/x/own.map");
    app.MemSize = 24;
    app.Speed.RealSpeed = 50000;
    app.ConsoleMode = {TConsoleMode::cmHide};
    Open(app);
    m_dlg.cbMemSize->setCurrentIndex(6);
    m_dlg.bbResetClick();
    EXPECT_TRUE(m_dlg.cxFullScreen->isChecked());
    EXPECT_TRUE(m_dlg.cxAutoEnd->isChecked());
    EXPECT_FALSE(m_dlg.cxAutoClose->isChecked());
    EXPECT_TRUE(m_dlg.edMapperFile->text().isEmpty());
    EXPECT_EQ(m_dlg.cbCycles->currentIndex(), 0);
    EXPECT_EQ(m_dlg.cbMemSize->currentText(), QStringLiteral("24 MB"));
    EXPECT_TRUE(m_dlg.cbNoConsole->isChecked()); // not reloaded
    const TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.Speed.RealSpeed, -1);
    EXPECT_EQ(stored.ConsoleMode, TConsoleModes{TConsoleMode::cmHide});
}

TEST_F(AppSettingsDlgTest, ConsoleBoxes)
{
    TDosBoxApp app = Entry();
    app.ConsoleMode = {TConsoleMode::cmHide, TConsoleMode::cmErase, TConsoleMode::cmOut};
    Open(app);
    EXPECT_TRUE(m_dlg.cbNoConsole->isChecked());
    EXPECT_TRUE(m_dlg.cbDelConFiles->isChecked());
    EXPECT_TRUE(m_dlg.cbDelConFiles->isEnabled());
    m_dlg.cbNoConsole->click();
    EXPECT_FALSE(m_dlg.cbDelConFiles->isEnabled());
    EXPECT_TRUE(m_dlg.cbDelConFiles->isChecked());
    EXPECT_EQ(Stored(app).ConsoleMode, TConsoleModes{TConsoleMode::cmErase});

    app.ConsoleMode = {};
    Open(app);
    EXPECT_FALSE(m_dlg.cbDelConFiles->isEnabled());
    m_dlg.cbNoConsole->click();
    EXPECT_TRUE(m_dlg.cbDelConFiles->isEnabled());
    EXPECT_EQ(Stored(app).ConsoleMode, TConsoleModes{TConsoleMode::cmHide});
}

TEST_F(AppSettingsDlgTest, SpeedAndMemorySnapToOfferedValues)
{
    TDosBoxApp app = Entry();
    app.Speed.RealSpeed = 0;
    app.MemSize = 100;
    Open(app, true);
    EXPECT_EQ(m_dlg.pcCycles->currentWidget(), m_dlg.tsStaging);
    EXPECT_EQ(m_dlg.cbRealSpeed->currentText(), QStringLiteral("3 000 cycles/ms"));
    EXPECT_EQ(m_dlg.cbMemSize->currentText(), QStringLiteral("Default"));
    TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.Speed.RealSpeed, 3000);
    EXPECT_EQ(stored.MemSize, 0);

    app.Speed.RealSpeed = 7000;
    app.MemSize = 20;
    Open(app, false);
    EXPECT_EQ(m_dlg.pcCycles->currentWidget(), m_dlg.tsNormal);
    EXPECT_EQ(m_dlg.cbCycles->currentText(), QStringLiteral("10 000 cycles/ms"));
    EXPECT_EQ(m_dlg.cbMemSize->currentText(), QStringLiteral("24 MB"));
    stored.Assign(Stored(app));
    EXPECT_EQ(stored.Speed.RealSpeed, 10000);
    EXPECT_EQ(stored.MemSize, 24);
}

TEST_F(AppSettingsDlgTest, ClassicKeepsTheStagingOnlyValues)
{
    TDosBoxApp app = Entry();
    app.Speed = {-1, 20000, 1};
    app.MemManage = {0, 1, 0};
    Open(app, false);
    EXPECT_TRUE(m_dlg.pnMemMan->isHidden());
    m_dlg.cbCycles->setCurrentIndex(5);
    TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.Speed, (TCpuSpeed{50000, 20000, 1}));
    EXPECT_EQ(stored.MemManage, (TMemManage{0, 1, 0}));

    Open(app, true);
    EXPECT_FALSE(m_dlg.pnMemMan->isHidden());
    m_dlg.cbProtSpeed->setCurrentIndex(0);
    m_dlg.cbThrottling->setCurrentIndex(1);
    m_dlg.cbXms->setCurrentIndex(0);
    m_dlg.cbEms->setCurrentIndex(2);
    m_dlg.cbUmb->setCurrentIndex(2);
    stored.Assign(Stored(app));
    EXPECT_EQ(stored.Speed, (TCpuSpeed{-1, -1, 0}));
    EXPECT_EQ(stored.MemManage, (TMemManage{-1, 1, 1}));
}

TEST_F(AppSettingsDlgTest, HintsShowTheDefaultValues)
{
    const QString staging =
        Write(QStringLiteral("dosbox-staging/dosbox-staging.conf"),
              "[dosbox]\nmemsize=16\n[cpu]\ncpu_cycles=max\ncpu_cycles protected=auto\n"
              "cpu_throttle=off\n[dos]\nxms=on\nems=false\n");
    TDosBoxApp app = Entry(staging);
    app.Speed.ProtSpeed = 10000;
    Open(app, true);
    EXPECT_EQ(m_dlg.cbMemSize->toolTip(), QStringLiteral("16 MB"));
    EXPECT_EQ(m_dlg.cbRealSpeed->toolTip(), QStringLiteral("max"));
    EXPECT_EQ(m_dlg.cbProtSpeed->toolTip(), QString()); // not at default
    EXPECT_EQ(m_dlg.cbThrottling->toolTip(), QStringLiteral("Off"));
    EXPECT_EQ(m_dlg.cbXms->toolTip(), QStringLiteral("On"));
    EXPECT_EQ(m_dlg.cbEms->toolTip(), QStringLiteral("Off"));
    EXPECT_EQ(m_dlg.cbUmb->toolTip(), QString()); // the file says nothing
    m_dlg.cbProtSpeed->setCurrentIndex(0);
    EXPECT_EQ(m_dlg.cbProtSpeed->toolTip(), QStringLiteral("auto"));
    m_dlg.cbXms->setCurrentIndex(2);
    EXPECT_EQ(m_dlg.cbXms->toolTip(), QString());
    m_dlg.Finish();

    // Classic: only the cycles box has a hint, whatever its position.
    TDosBoxApp classic = Entry();
    classic.Speed.RealSpeed = 5000;
    Open(classic, false);
    EXPECT_EQ(m_dlg.cbCycles->toolTip(), QStringLiteral("4000"));
    EXPECT_EQ(m_dlg.cbMemSize->toolTip(), QString());
    m_dlg.Finish();
}

TEST_F(AppSettingsDlgTest, PhysicalDriveOrIsoImages)
{
    m_dlg.Drives = {CdDrive(QStringLiteral("/media/cd0/"), QStringLiteral("GAMEDISC")),
                    CdDrive(QStringLiteral("/media/cd1/"), QStringLiteral("unlabeled"))};
    m_dlg.btRebuildClick();
    ASSERT_EQ(m_dlg.cbDrive->count(), 2);
    EXPECT_EQ(m_dlg.cbDrive->itemText(0), QStringLiteral("/media/cd0/ (GAMEDISC)"));

    TDosBoxApp app = Entry();
    app.IsoImage = false;
    app.CdPath = QStringLiteral("/media/cd1/ (unlabeled)");
    Open(app);
    EXPECT_TRUE(m_dlg.rbDrive->isChecked());
    EXPECT_FALSE(m_dlg.pnDrive->isHidden());
    EXPECT_TRUE(m_dlg.pnIsoFile->isHidden());
    EXPECT_EQ(m_dlg.cbDrive->currentIndex(), 1);
    EXPECT_EQ(Stored(app).CdPath, app.CdPath);

    // Another disc in the drive since: no item is equal, nothing is stored.
    app.CdPath = QStringLiteral("/media/cd1/ (OTHER)");
    Open(app);
    EXPECT_EQ(m_dlg.cbDrive->currentIndex(), -1);
    EXPECT_EQ(Stored(app).CdPath, QString());

    // Images: several files chosen at once, the hint repeats the text.
    app.IsoImage = true;
    app.CdPath.clear();
    Open(app);
    m_dlg.cbCdRomDrive->setCurrentText(QStringLiteral("F"));
    TFileOpenScript files;
    files.answer({QStringLiteral("/x/My Games/disc1.iso"), QStringLiteral("/x/disc2.cue")});
    m_dlg.btIsoFileClick();
    EXPECT_EQ(files.asked().last().Title,
              QStringLiteral("Select iso image to be mounted as drive F"));
    EXPECT_TRUE(files.asked().last().Multiple);
    EXPECT_EQ(files.asked().last().StartDir, m_appPath);
    const QString list = QStringLiteral("\"/x/My Games/disc1.iso\" /x/disc2.cue ");
    EXPECT_EQ(m_dlg.edIsoFile->text(), list);
    EXPECT_EQ(m_dlg.edIsoFile->toolTip(), list);
    m_dlg.btIsoFileClick(); // cancelled
    EXPECT_EQ(files.asked().last().StartDir, QStringLiteral("/x/My Games/"));
    m_dlg.gbCdDrive->setChecked(false);
    const TDosBoxApp stored = Stored(app);
    EXPECT_EQ(stored.CdPath, list);
    EXPECT_EQ(stored.CdDrv, u'F');
    EXPECT_FALSE(stored.MountCd);
    EXPECT_TRUE(stored.IsoImage);
}

TEST_F(AppSettingsDlgTest, NoPhysicalDriveFallsBackToImages)
{
    TDosBoxApp app = Entry();
    app.IsoImage = false;
    app.CdPath = QStringLiteral("/media/cd0/ (GAMEDISC)");
    TMessageScript messages;
    Open(app);
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).text, QStringLiteral("No physical CD drives available!"));
    EXPECT_TRUE(m_dlg.rbIsoIMage->isChecked());
    EXPECT_TRUE(m_dlg.pnDrive->isHidden());

    // The user asks for the drive again after inserting a disc.
    m_dlg.Drives = {CdDrive(QStringLiteral("/media/cd0/"), QStringLiteral("GAMEDISC"))};
    m_dlg.rbDrive->click();
    EXPECT_EQ(messages.asked().size(), 1);
    EXPECT_TRUE(m_dlg.rbDrive->isChecked());
    EXPECT_EQ(Stored(app).CdPath, QStringLiteral("/media/cd0/ (GAMEDISC)"));

    m_dlg.Drives.clear();
    m_dlg.btRebuildClick();
    Open(app);
    EXPECT_TRUE(Stored(app).IsoImage);
}

TEST_F(AppSettingsDlgTest, MixerList)
{
    TDosBoxApp app = Entry();
    app.MixerChannels = QStringLiteral("\"XYZ 40:40\";\"SB 80:60\";\"GUS 30:30\"");
    Open(app);
    // An unknown channel code shows CD audio; the entry stays as it is.
    EXPECT_EQ(m_dlg.cbChannels->currentText(), QStringLiteral("CD Audio"));
    EXPECT_EQ(m_dlg.tbLeft->value(), 40);
    EXPECT_TRUE(m_dlg.cbConnect->isChecked());
    EXPECT_EQ(m_dlg.lbMixerSettings->currentRow(), 0);

    m_dlg.lbMixerSettings->setCurrentRow(1);
    EXPECT_EQ(m_dlg.cbChannels->currentText(), QStringLiteral("Sound Blaster"));
    EXPECT_FALSE(m_dlg.cbConnect->isChecked());
    EXPECT_EQ(m_dlg.tbLeft->value(), 80);
    EXPECT_EQ(m_dlg.tbRight->value(), 60);

    m_dlg.bbUpClick();
    EXPECT_EQ(m_dlg.lbMixerSettings->currentRow(), 0);
    m_dlg.bbUpClick(); // already first
    m_dlg.lbMixerSettings->setCurrentRow(2);
    m_dlg.bbDownClick(); // already last
    EXPECT_EQ(m_dlg.MixerItems(),
              (QStringList{QStringLiteral("SB 80:60"), QStringLiteral("XYZ 40:40"),
                           QStringLiteral("GUS 30:30")}));

    // Removing the last entry selects the new last one.
    m_dlg.bbRemMixerClick();
    EXPECT_EQ(m_dlg.lbMixerSettings->currentRow(), 1);
    EXPECT_EQ(m_dlg.tbLeft->value(), 40);
    EXPECT_EQ(Stored(app).MixerChannels, QStringLiteral("\"SB 80:60\";\"XYZ 40:40\""));

    app.MixerChannels = QStringLiteral("\"FM 10:20\"");
    Open(app);
    m_dlg.bbRemMixerClick();
    EXPECT_EQ(m_dlg.lbMixerSettings->count(), 0);
    EXPECT_EQ(m_dlg.cbChannels->currentText(), QStringLiteral("CD Audio"));
    EXPECT_EQ(m_dlg.tbLeft->value(), 50);
    EXPECT_EQ(m_dlg.tbRight->value(), 50);
    EXPECT_TRUE(m_dlg.cbConnect->isChecked());
    m_dlg.bbRemMixerClick(); // nothing selected
    EXPECT_EQ(Stored(app).MixerChannels, QString());
}

TEST_F(AppSettingsDlgTest, ConnectedSlidersAndAdding)
{
    TDosBoxApp app = Entry();
    Open(app);
    EXPECT_EQ(m_dlg.tbLeft->value(), 50);
    m_dlg.cbChannels->setCurrentIndex(0);
    m_dlg.tbLeft->setValue(73);
    EXPECT_EQ(m_dlg.tbRight->value(), 73);
    m_dlg.bbAddMixerClick();
    EXPECT_EQ(m_dlg.MixerItems(), QStringList{QStringLiteral("MASTER 75:75")});
    EXPECT_EQ(m_dlg.lbMixerSettings->currentRow(), 0);

    m_dlg.cbConnect->setChecked(false);
    m_dlg.tbRight->setValue(12);
    EXPECT_EQ(m_dlg.tbLeft->value(), 73);
    m_dlg.cbChannels->setCurrentIndex(2);
    m_dlg.bbAddMixerClick();
    EXPECT_EQ(m_dlg.lbMixerSettings->item(1)->text(), QStringLiteral("SPKR 75:10"));
    EXPECT_EQ(m_dlg.lbMixerSettings->currentRow(), 1);

    TMessageScript messages;
    messages.answer(mrNo);
    m_dlg.bbClearMixerClick();
    EXPECT_EQ(messages.asked().at(0).text, QStringLiteral("Remove all mixer settings?"));
    EXPECT_EQ(m_dlg.lbMixerSettings->count(), 2);
    messages.answer(mrYes);
    m_dlg.bbClearMixerClick();
    EXPECT_EQ(m_dlg.lbMixerSettings->count(), 0);
    EXPECT_EQ(m_dlg.tbLeft->value(), 50);
    m_dlg.Finish();
}

TEST_F(AppSettingsDlgTest, LayoutAndFileChoosers)
{
    TDosBoxApp app = Entry();
    Open(app);
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("Edit settings for DOS application"));
    ASSERT_EQ(m_dlg.pcSettings->count(), 4);
    EXPECT_EQ(m_dlg.pcSettings->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(m_dlg.pcSettings->tabText(1), QStringLiteral("Audio mixer"));
    EXPECT_EQ(m_dlg.pcSettings->tabText(2), QStringLiteral("Emulation"));
    EXPECT_EQ(m_dlg.pcSettings->tabText(3), QStringLiteral("Other"));
    EXPECT_EQ(m_dlg.pcSettings->currentIndex(), 0);
    EXPECT_EQ(m_dlg.cbHardDrive->count(), 25);
    EXPECT_EQ(m_dlg.cbHardDrive->itemText(24), QStringLiteral("Y"));
    EXPECT_TRUE(m_dlg.btbOK->isDefault());
    EXPECT_EQ(m_dlg.tbLeft->pageStep(), 25);
    EXPECT_EQ(m_dlg.tbRight->pageStep(), 10);

    TFileOpenScript files;
    m_dlg.btManFileClick();
    EXPECT_EQ(files.asked().last().Title, QStringLiteral("Select manual for this application"));
    EXPECT_EQ(files.asked().last().StartDir, m_appPath);
    // The first filter, the one shown, takes every kind of manual.
    EXPECT_EQ(files.asked().last().Filters.size(), 5);
    EXPECT_EQ(files.asked().last().Filters.value(0).Patterns,
              QStringLiteral("*.txt;*.htm;*.html;*.pdf"));
    files.answer({QStringLiteral("/docs/manual/doom.html")});
    m_dlg.btManFileClick();
    m_dlg.btManFileClick();
    EXPECT_EQ(files.asked().last().StartDir, QStringLiteral("/docs/manual/"));

    // Keymapper: its own folder, else the application or the primary folder.
    m_dlg.edMapperFile->clear();
    m_dlg.btMapperClick();
    EXPECT_EQ(files.asked().last().DefaultExt, QStringLiteral("map"));
    EXPECT_EQ(files.asked().last().StartDir, m_dir.filePath(QStringLiteral("primary/")));
    m_dlg.SetConfigIndex(1);
    m_dlg.edMapperFile->clear();
    m_dlg.btMapperClick();
    EXPECT_EQ(files.asked().last().StartDir, m_appPath);
    files.answer({QStringLiteral("/keys/doom.map")});
    m_dlg.btMapperClick();
    EXPECT_EQ(Stored(app).AppMapper, QStringLiteral("/keys/doom.map"));

    // An entry without any key map holds the configuration's folder, which
    // the field does not show as a file.
    for (const QString &folder : {m_dir.filePath(QStringLiteral("primary/")), m_appPath}) {
        app.AppMapper = folder;
        Open(app);
        EXPECT_EQ(m_dlg.edMapperFile->text(), QString()) << qPrintable(folder);
        m_dlg.Finish();
    }
}

TEST_F(AppSettingsDlgTest, SharedDialogsAreAskedAsTheProgramUsesThem)
{
    TSelectFromListDialog lists;
    TShellDirDialog dirs;
    TAppSettingsDialog dlg(m_settings, &dirs, &lists);
    TDosBoxApp app = Entry();
    dlg.LoadControls({}, app, false);

    QStringList shown;
    QString description;
    bool reorder = false;
    WhenModal([&](QWidget *window) {
        EXPECT_EQ(window, &lists);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Edit commands on startup"));
        description = lists.lbDesc->text();
        reorder = !lists.gbxMove->isHidden();
        shown = lists.Items();
        lists.lbxStringList->item(1)->setText(QStringLiteral("CD GAME"));
        lists.OKBtn->click();
    });
    dlg.btCommandsClick();
    EXPECT_EQ(description, QStringLiteral("List of commands"));
    EXPECT_TRUE(reorder);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("C:"), QStringLiteral("CD \\")}));
    EXPECT_EQ(dlg.edCommands->text(), QStringLiteral("C:;CD GAME"));

    QString title;
    WhenModal([&](QWidget *window) {
        title = window->windowTitle();
        dirs.btbCancel->click();
    });
    dlg.btPathClick();
    EXPECT_EQ(title, QStringLiteral("Select path to be mounted as drive C"));
    EXPECT_EQ(dlg.edAppPath->text(), m_appPath);
    dlg.Finish();
}

TEST_F(AppSettingsDlgTest, GermanWindowAndMessages)
{
    GnuGettext::UseLanguage(QStringLiteral("de"));
    TTestDialog dlg(m_settings, nullptr, nullptr);
    TDosBoxApp app = Entry();
    dlg.LoadControls({}, app, true);
    EXPECT_EQ(dlg.pcSettings->tabText(1), QStringLiteral("Audiomixer"));
    EXPECT_EQ(dlg.cbRealSpeed->itemText(1), QStringLiteral("3.000 Zyklen/ms"));
    // A design text with a context gets the translation of its meaning.
    EXPECT_EQ(dlg.rgConfig->title(), QStringLiteral("Verwendete Konfiguration"));
    TFileOpenScript files;
    TMessageScript messages;
    files.answer({QStringLiteral("/elsewhere/RUN.EXE")});
    dlg.btExeFileClick();
    dlg.Finish();
    GnuGettext::UseLanguage(QStringLiteral("C"));
    EXPECT_EQ(files.asked().at(0).Filters.at(0).Description, QStringLiteral("Programme"));
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked().at(0).text,
              QStringLiteral("Das Programm muss im Stammordner liegen:\r\n") + m_appPath +
                  QStringLiteral("\r\nBitte versuchen Sie es erneut!"));
}
