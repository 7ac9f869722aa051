#include "globalsettings/Settings.h"

#include "catalogue/BasicSettings.h"
#include "common/ModalDriver.h"
#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "dialogs/MsgDialogs.h"
#include "emulator/DosBoxInterface.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The dialog with the directory chooser and the editor answered by the test.
class TTestSetDialog : public TDosBoxSetDialog
{
public:
    QStringList chosenDirs; // answers, in order; none left: cancelled
    QStringList dirTitles;  // what was asked
    QStringList dirPresets;
    QList<QStringList> edited; // editor and file of each start

protected:
    bool ChooseDirectory(const QString &title, const QString &homeDir, QString &dir) override
    {
        Q_UNUSED(homeDir);
        dirTitles.append(title);
        dirPresets.append(dir);
        if (chosenDirs.isEmpty())
            return false;
        dir = chosenDirs.takeFirst();
        return true;
    }
    void StartTextEditor(const QString &editor, const QString &file) override
    {
        edited.append({editor, file});
    }
};

class DosBoxSetDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        locPath = tmp.filePath(QStringLiteral("local/dosbox/"));
        QDir().mkpath(locPath);
        dialog.LocPath = locPath;
        dialog.ProgPath = tmp.filePath(QStringLiteral("programs/"));
        dialog.UserPath = tmp.filePath(QStringLiteral("documents/"));
        classicDir = Emulator(QStringLiteral("classic"), "DOSBox version 0.74-3");
        stagingDir = Emulator(QStringLiteral("staging"), "dosbox-staging, version 0.81.1");
        rootDir = tmp.filePath(QStringLiteral("dos"));
        QDir().mkpath(rootDir);
        confFile = tmp.filePath(QStringLiteral("conf/dosbox.conf"));
        WriteTestFile(confFile, "[sdl]\nfullscreen=false\n");

        settings.DosBoxPath = classicDir;
        settings.DosBoxDesc = QStringLiteral("DOSBox (0.74.0)");
        settings.RootPath = rootDir;
        settings.ConfFile = confFile;
        settings.Codepage = 850;
    }

    // An emulator folder whose program answers --version with the text.
    QString Emulator(const QString &name, const QByteArray &answer)
    {
        const QString folder = tmp.filePath(name);
        const QString program = folder + u'/' + DosBox::ProgramName;
        WriteStandInEmulator(program, answer);
        return folder;
    }

    QTemporaryDir tmp;
    QString locPath, classicDir, stagingDir, rootDir, confFile;
    TBasicSettings settings;
    TTestSetDialog dialog;
};

} // namespace

TEST(DosBoxSetDialogTables, KeyboardCodesAndLayoutItems)
{
    EXPECT_EQ(KeyboardCodeOfLanguage(7), QStringLiteral("GR"));
    EXPECT_EQ(KeyboardCodeOfLanguage(5), QStringLiteral("CZ243"));
    EXPECT_EQ(KeyboardCodeOfLanguage(29), QStringLiteral("SV"));
    EXPECT_EQ(KeyboardCodeOfLanguage(9), QString());

    // Stored codes padded with blanks and list items both give the code.
    EXPECT_EQ(KeyboardLayoutCode(QStringLiteral("FR         ")), QStringLiteral("FR"));
    EXPECT_EQ(KeyboardLayoutCode(QStringLiteral("GR \u2013 German")), QStringLiteral("GR"));
}

TEST_F(DosBoxSetDialogTest, KeyboardLayoutAndCodePage)
{
    // Automatic detection stores nothing, whatever the box shows.
    dialog.LoadControls(settings);
    EXPECT_TRUE(dialog.rbAutoKey->isChecked());
    EXPECT_FALSE(dialog.cbKeyLayout->isEnabled());
    const QString detected = TDosBoxSetDialog::DetectKeyboardLayout();
    EXPECT_EQ(KeyboardLayoutCode(dialog.cbKeyLayout->currentText()),
              detected.isEmpty() ? QStringLiteral("US") : detected);
    dialog.cbKeyLayout->setCurrentText(QStringLiteral("GR"));
    TBasicSettings stored;
    dialog.StoreControls(stored);
    EXPECT_EQ(stored.KeyLayout, QString());

    // A layout picked from the list stores its code; a typed one is as typed.
    dialog.rbKeyLayout->setChecked(true);
    EXPECT_TRUE(dialog.cbKeyLayout->isEnabled());
    dialog.cbKeyLayout->setCurrentIndex(dialog.cbKeyLayout->findData(QStringLiteral("FR")));
    EXPECT_EQ(dialog.cbKeyLayout->currentText(), QStringLiteral("FR \u2013 French"));
    dialog.StoreControls(stored);
    EXPECT_EQ(stored.KeyLayout, QStringLiteral("FR"));
    dialog.cbKeyLayout->setEditText(QStringLiteral("xy"));
    dialog.StoreControls(stored);
    EXPECT_EQ(stored.KeyLayout, QStringLiteral("xy"));
    // The classic emulator's own code page for the layout is named.
    dialog.cbKeyLayout->setCurrentIndex(dialog.cbKeyLayout->findData(QStringLiteral("GR")));
    EXPECT_TRUE(dialog.laLayoutCodePage->text().contains(QStringLiteral("858")));
    // A stored code shows with its name.
    settings.KeyLayout = QStringLiteral("SG     ");
    dialog.LoadControls(settings);
    EXPECT_EQ(dialog.cbKeyLayout->currentData().toString(), QStringLiteral("SG"));
    settings.KeyLayout.clear();

    // A code page the list lacks shows and stores the first one.
    settings.Codepage = 1251;
    dialog.LoadControls(settings);
    EXPECT_EQ(dialog.cbCodePages->currentText(), QStringLiteral("US (437)"));
    dialog.StoreControls(stored);
    EXPECT_EQ(stored.Codepage, 437);
}

TEST_F(DosBoxSetDialogTest, ClosingAsksForMissingFolders)
{
    const QString missing = tmp.filePath(QStringLiteral("nothing"));
    const QString programQuestion =
        DosBox::ProgramName +
        QStringLiteral(" not found in the specified directory!\r\nAdjust setting?");
    const QString rootQuestion =
        QStringLiteral("Root path to DOS applications not found!\r\nAdjust setting?");
    const struct
    {
        bool programFound;
        bool rootFound;
        QList<TModalResult> answers;
        bool closes;
    } cases[] = {
        {true, true, {}, true},
        {false, false, {mrNo, mrNo}, true},
        {false, false, {mrYes, mrNo}, false},
        {false, false, {mrNo, mrYes}, false},
        {false, true, {mrNo}, true},
        {true, false, {mrYes}, false},
    };
    for (const auto &c : cases) {
        settings.DosBoxPath = c.programFound ? classicDir : missing;
        settings.RootPath = c.rootFound ? rootDir : missing;
        dialog.LoadControls(settings);
        TMessageScript messages;
        for (TModalResult answer : c.answers)
            messages.answer(answer);
        EXPECT_EQ(dialog.FormCloseQuery(), c.closes);
        QStringList asked;
        for (const TAskedMessage &m : messages.asked()) {
            EXPECT_EQ(m.kind, mdtConfirm);
            EXPECT_EQ(m.pos, ScreenCenterPos);
            EXPECT_EQ(m.defaultButton, mbYes);
            asked.append(m.message());
        }
        QStringList expected;
        if (!c.programFound)
            expected.append(programQuestion);
        if (!c.rootFound)
            expected.append(rootQuestion);
        EXPECT_EQ(asked, expected);
    }
}

TEST_F(DosBoxSetDialogTest, OnlyTheClassicEmulatorNeedsAPrimaryConfiguration)
{
    settings.ConfFile.clear();
    dialog.LoadControls(settings);
    {
        TMessageScript messages;
        EXPECT_FALSE(dialog.FormCloseQuery());
        ASSERT_EQ(messages.asked().size(), 1);
        EXPECT_EQ(messages.asked()[0].kind, mdtError);
        EXPECT_EQ(messages.asked()[0].message(),
                  QStringLiteral("DOSBox (0.74.0) requires a primary configuration file to be "
                                 "specified!"));
    }

    settings.DosBoxPath = stagingDir;
    settings.DosBoxDesc = QStringLiteral("DOSBox Staging (0.81.0)");
    settings.IsStaging = true;
    dialog.LoadControls(settings);
    TMessageScript messages;
    EXPECT_TRUE(dialog.FormCloseQuery());
    EXPECT_TRUE(messages.asked().isEmpty());
}

TEST_F(DosBoxSetDialogTest, ChoosingAStagingFolderTakesItsConfiguration)
{
    const QString stagingConf = locPath + DosBox::StagingConfigName;
    WriteTestFile(stagingConf, "[sdl]\nmapperfile = keys.map\n");
    WriteTestFile(locPath + QStringLiteral("keys.map"));
    settings.LangFile = QStringLiteral("/l/de.lang");
    dialog.LoadControls(settings);
    dialog.chosenDirs = {stagingDir};
    TFileOpenScript files;
    dialog.btPathClick();
    EXPECT_TRUE(files.asked().isEmpty());
    EXPECT_EQ(dialog.dirTitles, QStringList{QStringLiteral("Select DOSBox program directory")});
    EXPECT_EQ(dialog.dirPresets, QStringList{classicDir});
    EXPECT_EQ(dialog.edPath->text(), stagingDir);
    EXPECT_TRUE(dialog.Staging());
    EXPECT_EQ(dialog.laVersion->text(), QStringLiteral("DOSBox Staging (0.81.1)"));
    EXPECT_EQ(dialog.edConfFile->text(), stagingConf);
    EXPECT_EQ(dialog.edMapperFile->text(), locPath + QStringLiteral("keys.map"));
    EXPECT_EQ(dialog.edLangFile->text(), QString());
}

TEST_F(DosBoxSetDialogTest, ChoosingAClassicFolderAsksForTheConfiguration)
{
    settings.DosBoxPath = stagingDir;
    settings.IsStaging = true;
    settings.ConfFile.clear();
    settings.MapperFile = QStringLiteral("/old.map");
    dialog.LoadControls(settings);
    dialog.chosenDirs = {classicDir};
    // The configuration names a mapper file beside itself only.
    const QString chosenConf = tmp.filePath(QStringLiteral("home/.dosbox/dosbox-0.74-3.conf"));
    WriteTestFile(chosenConf, "[sdl]\nmapperfile=mapper-0.74-3.map\n");
    WriteTestFile(tmp.filePath(QStringLiteral("home/.dosbox/mapper-0.74-3.map")));
    TFileOpenScript files;
    files.answer({chosenConf});
    dialog.btPathClick();
    EXPECT_FALSE(dialog.Staging());
    ASSERT_EQ(files.asked().size(), 1);
    const TFileOpenRequest &request = files.asked()[0];
    EXPECT_EQ(request.Title, QStringLiteral("Select basic configuration file"));
    EXPECT_EQ(request.DefaultExt, QStringLiteral("conf"));
    EXPECT_EQ(QDir(request.StartDir), QDir(locPath));
    EXPECT_EQ(dialog.edConfFile->text(), chosenConf);
    EXPECT_EQ(dialog.edMapperFile->text(),
              tmp.filePath(QStringLiteral("home/.dosbox/mapper-0.74-3.map")));

    // A configuration without a mapper file, or naming a missing one, gives
    // none (never a folder).
    WriteTestFile(chosenConf, "[sdl]\nmapperfile=\n");
    EXPECT_EQ(dialog.DefaultMapperFile(), QString());
    WriteTestFile(chosenConf, "[sdl]\nmapperfile=gone.map\n");
    EXPECT_EQ(dialog.DefaultMapperFile(), QString());

    // Cancelling the directory choice changes nothing.
    files.answer({});
    dialog.btPathClick();
    EXPECT_EQ(dialog.edPath->text(), classicDir);
    EXPECT_EQ(dialog.edConfFile->text(), chosenConf);
}

// A classic emulator that has never run writes its default configuration
// when asked; a missing primary configuration is then that file.
TEST_F(DosBoxSetDialogTest, AClassicEmulatorWithoutConfigurationNamesItsDefault)
{
    const QString home = tmp.filePath(QStringLiteral("home/.dosbox/"));
    const QString conf = home + QStringLiteral("dosbox-0.74-3.conf");
    const QString folder = tmp.filePath(QStringLiteral("fresh"));
    WriteTestProgram(folder + u'/' + DosBox::ProgramName,
                     "#!/bin/sh\nif [ \"$1\" = -printconf ]; then\n  mkdir -p '" + home.toUtf8() +
                         "'\n  printf '[sdl]\\nmapperfile=mapper.map\\n' > '" + conf.toUtf8() +
                         "'\n  echo '" + conf.toUtf8() +
                         "'\nelse\n  echo 'DOSBox version 0.74-3'\nfi\n");
    WriteTestFile(home + QStringLiteral("mapper.map"));
    settings.DosBoxPath = folder;
    settings.ConfFile.clear();
    dialog.LoadControls(settings);
    EXPECT_EQ(dialog.edConfFile->text(), conf);
    EXPECT_EQ(dialog.edMapperFile->text(), home + QStringLiteral("mapper.map"));
    {
        TMessageScript messages;
        EXPECT_TRUE(dialog.FormCloseQuery());
        EXPECT_TRUE(messages.asked().isEmpty());
    }

    // Choosing the folder suggests the file and opens the chooser beside it;
    // cancelling the chooser keeps the suggestion.
    dialog.edConfFile->setText(tmp.filePath(QStringLiteral("gone.conf")));
    dialog.chosenDirs = {folder};
    TFileOpenScript files;
    files.answer({});
    dialog.btPathClick();
    ASSERT_EQ(files.asked().size(), 1);
    EXPECT_EQ(QDir(files.asked()[0].StartDir), QDir(home));
    EXPECT_EQ(dialog.edConfFile->text(), conf);

    // A configuration of the user's own is never replaced.
    settings.ConfFile = confFile;
    dialog.LoadControls(settings);
    EXPECT_EQ(dialog.edConfFile->text(), confFile);
}

TEST_F(DosBoxSetDialogTest, FileChoosersStartInTheFieldsFolder)
{
    settings.MapperFile = tmp.filePath(QStringLiteral("maps/a.map"));
    WriteTestFile(settings.MapperFile);
    dialog.LoadControls(settings);
    TFileOpenScript files;
    files.answer({tmp.filePath(QStringLiteral("maps/b.map"))});
    dialog.btMapperClick();
    dialog.btLangClick(); // cancelled
    ASSERT_EQ(files.asked().size(), 2);
    EXPECT_EQ(QDir(files.asked()[0].StartDir), QDir(tmp.filePath(QStringLiteral("maps"))));
    EXPECT_EQ(files.asked()[0].Filters[0].Patterns, QStringLiteral("*.map;*.txt"));
    EXPECT_EQ(dialog.edMapperFile->text(), tmp.filePath(QStringLiteral("maps/b.map")));
    EXPECT_EQ(files.asked()[1].Title, QStringLiteral("Select language file"));
    EXPECT_EQ(QDir(files.asked()[1].StartDir), QDir(locPath));
    EXPECT_EQ(dialog.edLangFile->text(), QString());

    dialog.chosenDirs = {tmp.filePath(QStringLiteral("games"))};
    dialog.edRootPath->clear();
    dialog.btRootPathClick();
    EXPECT_EQ(dialog.dirPresets, QStringList{dialog.UserPath});
    EXPECT_EQ(dialog.edRootPath->text(), tmp.filePath(QStringLiteral("games")));
}

TEST_F(DosBoxSetDialogTest, ANewEditorEditsAtOnce)
{
    const QString mapper = tmp.filePath(QStringLiteral("keys.map"));
    WriteTestFile(mapper);
    settings.MapperFile = mapper;
    dialog.LoadControls(settings);
    EXPECT_FALSE(dialog.btEditConf->isEnabled());

    const QString editor = tmp.filePath(QStringLiteral("bin/my editor"));
    WriteTestFile(editor);
    TFileOpenScript files;
    files.answer({editor});
    dialog.btEditorClick();
    EXPECT_TRUE(dialog.btEditConf->isEnabled());
    EXPECT_TRUE(dialog.btEditMapper->isEnabled());

    dialog.btEditConf->click();
    dialog.btEditMapper->click();
    ASSERT_EQ(dialog.edited.size(), 2);
    EXPECT_EQ(dialog.edited[0], (QStringList{editor, confFile}));
    EXPECT_EQ(dialog.edited[1], (QStringList{editor, mapper}));

    dialog.edMapperFile->setText(tmp.filePath(QStringLiteral("gone.map")));
    TMessageScript messages;
    dialog.btEditMapperClick();
    EXPECT_EQ(dialog.edited.size(), 2);
    ASSERT_EQ(messages.asked().size(), 1);
    EXPECT_EQ(messages.asked()[0].kind, mdtError);
    EXPECT_EQ(messages.asked()[0].message(),
              QStringLiteral("File not found: ") + tmp.filePath(QStringLiteral("gone.map")));
}

TEST_F(DosBoxSetDialogTest, CancelKeepsTheSettingsAfterFoldersWereChosen)
{
    const TBasicSettings before = settings;
    dialog.chosenDirs = {stagingDir, tmp.filePath(QStringLiteral("elsewhere"))};
    TFileOpenScript files;
    files.answer({confFile});
    WhenModal([this](QWidget *) {
        dialog.btPathClick();
        dialog.btRootPathClick();
        dialog.CancelBtn->click();
    });
    EXPECT_FALSE(dialog.Execute(settings));
    EXPECT_EQ(dialog.edPath->text(), stagingDir);
    EXPECT_EQ(settings.DosBoxPath, before.DosBoxPath);
    EXPECT_EQ(settings.DosBoxDesc, before.DosBoxDesc);
    EXPECT_EQ(settings.IsStaging, before.IsStaging);
    EXPECT_EQ(settings.RootPath, before.RootPath);
    EXPECT_EQ(settings.ConfFile, before.ConfFile);
}

TEST_F(DosBoxSetDialogTest, OkWritesBackAndExaminesATypedFolder)
{
    settings.MapperFile = QStringLiteral("/m/keys.map");
    settings.LangFile = QStringLiteral("/l/de.lang");
    settings.KeyLayout = QStringLiteral("SP");
    settings.TextEditor = QStringLiteral("/e/edit");
    settings.HideCon = true;
    settings.AutoStart = true;
    TBasicSettings expected = settings;
    expected.DosBoxPath = stagingDir;
    expected.DosBoxDesc = QStringLiteral("DOSBox Staging (0.81.1)");
    expected.IsStaging = true;
    expected.DosBoxVersion = {true, 0, 81, 1, {}};
    WhenModal([this](QWidget *) {
        dialog.edPath->setText(stagingDir);
        dialog.OKBtn->click();
    });
    TMessageScript messages;
    EXPECT_TRUE(dialog.Execute(settings));
    EXPECT_TRUE(messages.asked().isEmpty());
    const auto fields = [](const TBasicSettings &s) {
        return QStringList{s.DosBoxPath,
                           s.DosBoxDesc,
                           s.RootPath,
                           s.ConfFile,
                           s.LangFile,
                           s.MapperFile,
                           s.KeyLayout,
                           s.TextEditor,
                           QString::number(s.Codepage),
                           QString::number(s.IsStaging),
                           QString::number(s.DosBoxVersion.Minor),
                           QString::number(s.AutoStart),
                           QString::number(s.HideCon)};
    };
    EXPECT_EQ(fields(settings), fields(expected));
}
