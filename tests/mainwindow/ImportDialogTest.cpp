#include "mainwindow/ImportDialog.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/MainWindow.h"
#include "support/IniFileUtils.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

class ImportDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteTestFile(path("games/keen/KEEN.EXE"));
        WriteTestFile(path("games/doom/DOOM.EXE"));
        WriteTestFile(path("games/doom/SETUP.EXE"));
        WriteTestFile(path("games/zork/ZORK.COM"));
    }
    QString path(const char *name) const { return dir.filePath(S(name)); }
    std::unique_ptr<TDosBoxApp> Entry(const char *name, const char *folder, const char *program)
    {
        auto app = std::make_unique<TDosBoxApp>(QString(), QImage(), QImage(), 437, false);
        app->AppName = S(name);
        app->AppPath = path(folder);
        app->AppFile = S(program);
        return app;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ImportDialogTest, ReviewListMarksPresentEntriesAndTakesCorrections)
{
    TAppList apps;
    apps.push_back(Entry("Doom", "games/doom", "DOOM.EXE"));
    TImportDialog dialog;
    dialog.ChooseFolder = [&](const QString &, QString &chosen) {
        chosen = path("games");
        return true;
    };
    dialog.Fill({S("Games"), S("Tools")}, S("Games"), apps);
    dialog.btAddFolderClick();
    dialog.btAddFolderClick(); // the same folder again adds no rows
    TImportListModel *model = dialog.Model();
    ASSERT_EQ(model->rowCount(), 3);
    const QModelIndex doom = model->index(0, TImportListModel::colName);
    EXPECT_EQ(doom.data().toString(), S("Doom"));
    EXPECT_EQ(doom.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(model->flags(doom) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model->setData(doom, Qt::Checked, Qt::CheckStateRole));

    EXPECT_TRUE(model->setData(model->index(1, TImportListModel::colName), S("Commander Keen"),
                               Qt::EditRole));
    EXPECT_FALSE(model->setData(model->index(1, TImportListModel::colName), S("  "), Qt::EditRole));
    EXPECT_TRUE(
        model->setData(model->index(2, TImportListModel::colCategory), S("Tools"), Qt::EditRole));
    EXPECT_TRUE(model->setData(model->index(2, TImportListModel::colProgram), S("sub/other.exe"),
                               Qt::EditRole));
    const auto result = dialog.Result();
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0].Name, S("Commander Keen"));
    EXPECT_EQ(result[0].Category, S("Games"));
    EXPECT_EQ(result[1].Category, S("Tools"));
    EXPECT_EQ(result[1].Program, S("sub\\other.exe"));

    model->SetAllChecked(false);
    EXPECT_TRUE(dialog.Result().empty());
    EXPECT_FALSE(dialog.bbButtons->button(QDialogButtonBox::Ok)->isEnabled());
}

TEST_F(ImportDialogTest, MainWindowAddsTheEntriesOnTheirTabsAndSaves)
{
    SetExePaths(path("bin/ravelin"));
    WriteStandInEmulator(path("emu/dosbox"), "DOSBox version 0.74-3");
    WriteTestFile(path("dosbox.conf"));
    {
        TUnicodeIniFile ini = TUnicodeIniFile::CreateForWrite(path("ravelin.ini"));
        ini.WriteString(u"Config", u"DosBoxPath", path("emu"));
        ini.WriteString(u"Config", u"ConfFile", path("dosbox.conf"));
        ini.WriteInteger(u"Config", u"AppCount", 1);
        ini.WriteString(u"App001", u"AppName", S("Old"));
        ini.WriteString(u"App001", u"Category", S("Games"));
        ini.UpdateFile();
    }
    TfrmMain window;
    window.IniName = path("ravelin.ini");
    window.show();
    ASSERT_EQ(window.Apps.size(), 1u);

    auto proposals = ProposeImports(ScanFolders({path("games")}), S("Games"));
    ASSERT_EQ(proposals.size(), 3u);
    proposals[2].Category = S("Text adventures");
    proposals[1].Checked = false;
    window.AddImportedEntries(proposals);

    ASSERT_EQ(window.Apps.size(), 3u);
    EXPECT_EQ(window.CategoryNames(), (QStringList{S("Games"), S("Text adventures")}));
    EXPECT_EQ(window.CurApp, S("Doom"));
    const TUnicodeIniFile saved(path("ravelin.ini"), TUnicodeIniFile::TAccess::Read);
    EXPECT_EQ(saved.ReadInteger(u"Config", u"AppCount", 0), 3);
    EXPECT_EQ(saved.ReadString(u"App003", u"AppName"), S("Zork"));
    EXPECT_EQ(saved.ReadString(u"App003", u"Executable"), S("ZORK.COM"));
}

TEST_F(ImportDialogTest, SpaceTogglesTheSelectedRowsAndRowsFollowTheCategory)
{
    TAppList apps;
    TImportDialog dialog;
    dialog.ChooseFolder = [&](const QString &, QString &chosen) {
        chosen = path("games");
        return true;
    };
    dialog.Fill({S("Games")}, S("Games"), apps);
    dialog.btAddFolderClick();
    TImportListModel *model = dialog.Model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_TRUE(
        model->setData(model->index(1, TImportListModel::colCategory), S("Tools"), Qt::EditRole));

    // Rows 0 and 2 selected, the current cell in the program column.
    dialog.lvProposals->setCurrentIndex(model->index(2, TImportListModel::colProgram));
    dialog.lvProposals->selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
    QTest::keyClick(dialog.lvProposals, Qt::Key_Space);
    EXPECT_EQ(model->CheckedCount(), 1);
    EXPECT_TRUE(model->Proposals()[1].Checked);
    QTest::keyClick(dialog.lvProposals, Qt::Key_Space);
    EXPECT_EQ(model->CheckedCount(), 3);

    dialog.cbCategory->setEditText(S("Adventures"));
    EXPECT_EQ(model->Proposals()[0].Category, S("Adventures"));
    EXPECT_EQ(model->Proposals()[1].Category, S("Tools")); // corrected by hand
}
