// The commands that change the catalogue (New, Edit, Duplicate, Remove) or
// the global settings, and the desktop shortcut of an entry. Every confirmed
// entry command writes the catalogue file at once; changed global settings
// are written at the next save.

#include "mainwindow/MainWindow.h"

#include "appsettings/AppSettingsDlg.h"
#include "catalogue/AppIcons.h"
#include "dialogs/ShellDirDlg.h"
#include "emulator/DosBoxInterface.h"
#include "globalsettings/Settings.h"
#include "import/ImportPlan.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/ImportDialog.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"

#include <QCoreApplication>

std::unique_ptr<TDosBoxApp> TfrmMain::NewEntry() const
{
    return std::make_unique<TDosBoxApp>(BasicSettings.ConfFile, DefaultAppIcon(32),
                                        DefaultAppIcon(16), BasicSettings.Codepage,
                                        BasicSettings.HideCon);
}

bool TfrmMain::ExecuteAppSettings(TDosBoxApp &app)
{
    return AppSettingsDialog &&
           AppSettingsDialog->Execute(CategoryNames(), app, BasicSettings.IsStaging);
}

// A new or duplicated entry joins the catalogue on its category's tab.
void TfrmMain::AddEntry(std::unique_ptr<TDosBoxApp> app)
{
    // The new entry is shown on its tab, whether it matches a filter or not.
    ClearFilter(false);
    const QString name = app->AppName;
    tcCats->SelectTab(AddCategoryEntry(CategoryOf(*app)));
    Apps.push_back(std::move(app));
    CatalogueChanged();
    ShowAppList(name);
    SaveCatalogue();
}

void TfrmMain::actNewProgramExecute()
{
    std::unique_ptr<TDosBoxApp> app = NewEntry();
    if (ExecuteAppSettings(*app))
        AddEntry(std::move(app));
}

void TfrmMain::actEditProgramExecute()
{
    const int index = SelectedAppIndex();
    if (index < 0)
        return;
    TDosBoxApp &app = *Apps[size_t(index)];
    const QString oldCategory = CategoryOf(app);
    const QString oldName = app.AppName;
    if (!ExecuteAppSettings(app))
        return;
    const QString newCategory = CategoryOf(app);
    if (!SameText(oldCategory, newCategory)) {
        RemoveCategoryEntry(oldCategory);
        tcCats->SelectTab(AddCategoryEntry(newCategory));
    }
    CatalogueChanged();
    ShowAppList(app.AppName);
    SaveCatalogue();
    UpdateDesktopShortcut(oldName, app, Shortcuts(), Prompt());
}

void TfrmMain::actDuplicateExecute()
{
    const int index = SelectedAppIndex();
    if (index < 0)
        return;
    std::unique_ptr<TDosBoxApp> copy = NewEntry();
    copy->Assign(*Apps[size_t(index)]);
    if (ExecuteAppSettings(*copy))
        AddEntry(std::move(copy));
}

void TfrmMain::actRemProgramExecute()
{
    const int row = lvApps->SelectedRow();
    const int index = SelectedAppIndex();
    if (row < 0 || index < 0)
        return;
    const QString caption = AppItems->Item(row).Caption;
    if (!Prompt().confirm(SafeFormat(_("Remove application \"%s\" from panel?"), caption),
                          CenterPos, true))
        return;
    const QString name = Apps[size_t(index)]->AppName;
    RemoveCategoryEntry(CategoryOf(*Apps[size_t(index)]));
    Apps.erase(Apps.begin() + index);
    CatalogueChanged();
    ShowAppList(QString());
    SaveCatalogue();
    RemoveDesktopShortcut(name, IniName, Prompt());
}

TShortcutCatalogue TfrmMain::Shortcuts() const
{
    return ShortcutCatalogue(QCoreApplication::arguments().mid(1), IniName);
}

void TfrmMain::actShortcutExecute()
{
    const int index = SelectedAppIndex();
    if (index >= 0)
        CreateDesktopShortcut(*Apps[size_t(index)], Shortcuts(), Prompt());
}

TImportDialog *TfrmMain::ImportDialog()
{
    if (!FImportDialog) {
        FImportDialog = new TImportDialog(this);
        FImportDialog->ChooseFolder = [this](const QString &title, QString &dir) {
            return ShellDirDialog &&
                   ShellDirDialog->Execute(title, false, true, false, BasicSettings.RootPath, dir);
        };
    }
    FImportDialog->RootPath = BasicSettings.RootPath;
    return FImportDialog;
}

void TfrmMain::actImportExecute()
{
    std::vector<TImportProposal> proposals;
    if (ImportDialog()->Execute(CategoryNames(), CurrentCategory(), Apps, proposals))
        AddImportedEntries(proposals);
}

void TfrmMain::AddImportedEntries(const std::vector<TImportProposal> &proposals)
{
    const size_t first = Apps.size();
    if (AddImports(Catalogue, proposals, DefaultAppIcon(32), DefaultAppIcon(16)) == 0)
        return;
    ClearFilter(false);
    int firstTab = -1;
    for (size_t i = first; i < Apps.size(); ++i) {
        const int tab = AddCategoryEntry(CategoryOf(*Apps[i]));
        if (firstTab < 0)
            firstTab = tab;
    }
    tcCats->SelectTab(firstTab);
    CatalogueChanged();
    ShowAppList(Apps[first]->AppName);
    SaveCatalogue();
}

void TfrmMain::actSettingsExecute()
{
    if (!ExecuteSettingsDialog(BasicSettings, LocPath))
        return;
    const int index = SelectedAppIndex();
    if (index >= 0)
        Apps[size_t(index)]->CodePage = BasicSettings.Codepage;
    SetStatusText(0, BasicSettings.DosBoxDesc);
    // Folders are found below the root folder, which may have changed.
    CatalogueChanged();
    if (FFiltering)
        ShowAppList(CurApp);
    QString error;
    if (UpdateAutoStartLink(BasicSettings.AutoStart, ProgVersName, &error) != 0 && !error.isEmpty())
        Prompt().error(error);
}

// First run with the classic emulator and no primary configuration. The
// load calls this before the window's LocPath gets the emulator's folder.
void TfrmMain::EditBasicSettings(TBasicSettings &settings)
{
    ExecuteSettingsDialog(settings,
                          DirWithDelimiter(JoinPath(LocPath, DosBox::SettingsFolderName)));
}

bool TfrmMain::ExecuteSettingsDialog(TBasicSettings &settings, const QString &locPath)
{
    if (!DosBoxSetDialog)
        return false;
    DosBoxSetDialog->ProgPath = ProgPath;
    DosBoxSetDialog->UserPath = UserPath;
    DosBoxSetDialog->LocPath = locPath;
    return DosBoxSetDialog->Execute(settings);
}
