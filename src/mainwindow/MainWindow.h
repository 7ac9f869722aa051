#pragma once

#include "catalogue/Catalogue.h"
#include "dialogs/WinUtils.h"
#include "launcher/DesktopShortcut.h"
#include "mainwindow/AppListView.h"
#include "support/InitProg.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

class IProcessStarter;
class IPrompt;
class QLabel;
class QMenu;
class QToolBar;
class TAppListModel;
class TCategoryTabs;
class TFilterBox;
class TFoundTabs;
class TLanguageMenu;
class TAppSettingsDialog;
class TImportDialog;
struct TImportProposal;
class TDosBoxSetDialog;
class TShellDirDialog;
class TShowTextDialog;
class TTxtConvertDialog;
class TWebBrowserWin;

// How a manual is shown, by the extension of its file (any case): "htm" and
// "html" in the HTML viewer, "txt" in the text viewer, anything else by the
// desktop's program for its type.
enum class TManualViewer
{
    mvHtml,
    mvText,
    mvShell
};
TManualViewer ManualViewerOf(const QString &fileName);
// The entry's manual file; a relative name lies in the entry's folder.
QString ManualFileOf(const TDosBoxApp &app);
// The help file in the program's data folder: its name is translated, so
// that a language can bring a help file of its own.
QString HelpFileName();

// The program's main window: the catalogued DOS applications as a list with
// icons on category tabs, with the menus, toolbar and context menu through
// which every command is reached. It owns the catalogue for the whole run:
// loads it when first shown and saves it when asked to close.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The catalogue: global settings, entries in catalogue order, and the
    // name of the current application.
    TCatalogue Catalogue;
    TAppList &Apps = Catalogue.Apps;
    TBasicSettings &BasicSettings = Catalogue.BasicSettings;
    QString &CurApp = Catalogue.CurApp;
    TViewStyle lvViewStyle = vsIcon;

    QString AppDataPath;
    QString UserPath;
    QString ProgPath;
    QString LocPath;
    QString IniName;
    QString ProgVersName;
    QString ProgVersDate;
    std::unique_ptr<TLanguageMenu> Languages;
    // The HTML viewer of the manuals; created with this window, owned by it.
    TWebBrowserWin *HtManWin = nullptr;

    // The program's shared dialogs, created after this window (start-up
    // order) and used by it; not owned.
    TDosBoxSetDialog *DosBoxSetDialog = nullptr;
    TShellDirDialog *ShellDirDialog = nullptr;
    TAppSettingsDialog *AppSettingsDialog = nullptr;
    TShowTextDialog *ShowTextDialog = nullptr;
    TTxtConvertDialog *TxtConvertDialog = nullptr;

    // Operations of the list and the categories.
    // Rebuilds the list for the current category (or, while a filter is
    // active, the matches of the chosen found tab) in the chosen order and
    // selects the first item named SelName (without regard to case), else the
    // first item; CurApp becomes the selected caption, or empty when SelName
    // was not found.
    void ShowAppList(const QString &SelName);
    // The same, keeping the selected entry selected while it is listed.
    void ShowAppListKeepingSelection();
    // The indices into Apps of the entries the list shows, in its order.
    std::vector<int> ListedEntries();
    // The entries, their texts or the root folder changed: what the filter
    // and the orders know of them is made anew when next needed.
    void CatalogueChanged();
    // Index into Apps of the selected item, -1 when none is selected.
    int SelectedAppIndex() const;
    void SetViewStyle(TViewStyle Style);
    // Counting entries into and out of the category tabs.
    int AddCategoryEntry(const QString &Name);
    void RemoveCategoryEntry(const QString &Name);
    // The caption of the selected tab, or the default category without tabs.
    QString CurrentCategory() const;
    // The tab captions in tab order.
    QStringList CategoryNames() const;
    // The list row of the first item with this caption (any case), -1 for none.
    int FindItemByCaption(const QString &Caption) const;
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString &text);

    // The catalogue file. LoadCatalogue is false when the first-run choice
    // of the emulator folder was cancelled or the file is no catalogue (the
    // window then closes).
    bool LoadCatalogue();
    // Writes the catalogue. When the file changed on disk since it was read,
    // asks first: reload it (this window's changes are lost), overwrite it,
    // or cancel (the default). True when the file was written. Throws
    // EWriteError. A save of play histories only keeps no backup.
    bool SaveCatalogue(bool backup = true);
    bool LoadCancelled() const { return FLoadCancelled; }
    // Brings the window to the front: another start of the program on the
    // same catalogue asked for it.
    void ActivateFromOtherStart();
    // Another start of the program asked to run the first entry named name
    // (any case): the window starts it once the request is answered and
    // records the start. Returns the channel's answer: ok, unknown (no such
    // entry) or busy (the catalogue is not loaded yet).
    QString RunFromOtherStart(const QString &name);

    // Emulator processes start through this (a recorder in tests); the
    // window keeps the real one otherwise. Not owned.
    void SetProcessStarter(IProcessStarter *starter);
    // How commands ask and report: the message dialogs, centred over this window.
    IPrompt &Prompt();

    // Commands and event handlers.
    void actNewProgramExecute();
    void actEditProgramExecute();
    void actDuplicateExecute();
    void actRemProgramExecute();
    void actImportExecute();
    // Adds the entries of an import, counts them into their tabs, selects
    // the first one and writes the catalogue file once.
    void AddImportedEntries(const std::vector<TImportProposal> &proposals);
    // The import window, made on first use.
    TImportDialog *ImportDialog();
    void actShortcutExecute();
    void actSettingsExecute();
    void actRunExecute();
    void actMapperExecute();
    void actDosBoxExecute();
    void actConvertTextExecute();
    void actStdOutExecute();
    void actStdErrExecute();
    void actExitExecute();
    void actShowManExecute();
    void actHelpFileExecute();
    void actRestoreBackupExecute();
    void actInfoExecute();
    void actLargeIconsExecute();
    void actSmallIconsExecute();
    void actListExecute();
    void actDetailsExecute();
    void actFindExecute();
    void actSortCatalogueExecute();
    void actSortNameExecute();
    void actSortLastPlayedExecute();
    // The list's order; kept in the catalogue file.
    void SetSort(const TListSort &sort);
    void lvAppsColumnClick(int column);
    // The filter: the text of the filter box, and whether it is active.
    QString FilterText() const;
    bool Filtering() const { return FFiltering; }
    void SetFilterText(const QString &text);
    void edFilterChange();
    // Clears the filter; the list returns to the tab and entry the user
    // came from (unless showList is false: the caller shows it).
    void ClearFilter(bool showList = true);
    // Starts the entry at index of Apps and records the start.
    void RunEntry(int index);
    // A started emulator has ended: its entry's time played grows (sessions
    // of a few seconds do not count).
    void EmulatorEnded(qint64 pid);
    // Milliseconds of a steady clock, for the time played; tests set their own.
    std::function<qint64()> PlayClock;
    void lvAppsClick();
    void lvAppsDblClick();
    void lvAppsSelectItem();
    void lvAppsMouseMove(int row);
    void tcCatsChange();
    void SetLanguageClick(QMenu *Sender, const QString &Language);
    // Program name, version, date, rights notice and contact, one per line.
    QString AboutText() const;

    // Components.
    QToolBar *tbMain = nullptr;
    TCategoryTabs *tcCats = nullptr;
    TFoundTabs *tcFound = nullptr;
    TFilterBox *edFilter = nullptr;
    TAppListModel *AppItems = nullptr;
    TAppListView *lvApps = nullptr;
    QLabel *StatusPanel0 = nullptr;
    QLabel *StatusPanel1 = nullptr;
    TImageList ilActions;

    QMenu *itmGlobal = nullptr;
    QMenu *itmLanguage = nullptr;
    QMenu *itmEntries = nullptr;
    QMenu *itmConsole = nullptr;
    QMenu *itmView = nullptr;
    QMenu *itmRun = nullptr;
    QMenu *itmHelp = nullptr;
    QMenu *PopupMenu = nullptr;
    QMenu *piConsole = nullptr;

    // Actions; those whose command does not exist (yet) stay null and have
    // no menu item or button.
    QAction *actExit = nullptr;
    QAction *actSettings = nullptr;
    QAction *actNewProgram = nullptr;
    QAction *actEditProgram = nullptr;
    QAction *actRemProgram = nullptr;
    QAction *actRun = nullptr;
    QAction *actLargeIcons = nullptr;
    QAction *actSmallIcons = nullptr;
    QAction *actDetails = nullptr;
    QAction *actList = nullptr;
    QAction *actShowMan = nullptr;
    QAction *actDosBox = nullptr;
    QAction *actInfo = nullptr;
    QAction *actConvertText = nullptr;
    QAction *actMapper = nullptr;
    QAction *actDuplicate = nullptr;
    QAction *actStdOut = nullptr;
    QAction *actStdErr = nullptr;
    QAction *actHelpFile = nullptr;
    QAction *actImport = nullptr;
    QAction *actShortcut = nullptr;
    QAction *actRestoreBackup = nullptr;
    QAction *actFind = nullptr;
    QAction *actSortCatalogue = nullptr;
    QAction *actSortName = nullptr;
    QAction *actSortLastPlayed = nullptr;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class TCatalogueHost;
    friend class TCatalogueHost;

    void FormCreate();
    void FormShow();
    void FormClose();
    bool SaveBeforeClosing();
    bool CloseAfterFailedSave(const QString &message);
    void ReloadCatalogue();
    // To IniName (empty copy) or to a copy elsewhere.
    void WriteCatalogue(const QString &copy, bool overwriteChanges, bool backup = true);
    void CreateActions();
    void CreateWidgets();
    void CreateMenus();
    void CreateToolBar();
    void CreateLanguageMenu();
    TCatalogueFiles CatalogueFiles() const;
    void ReadPlacement(const TUnicodeIniFile &file);
    QRect WindowBounds() const;
    void UpdateCaption();
    void ShowConsoleFile(const QString &FileName);
    void ShowTextManual(const QString &Title, const QString &FileName);
    bool ConfirmFirstStart(TFirstStartChoice &choice);
    void EditBasicSettings(TBasicSettings &settings);
    bool ExecuteSettingsDialog(TBasicSettings &settings, const QString &locPath);
    std::unique_ptr<TDosBoxApp> NewEntry() const;
    bool ExecuteAppSettings(TDosBoxApp &app);
    void AddEntry(std::unique_ptr<TDosBoxApp> app);
    // The catalogue whose entries desktop shortcuts start: this run's.
    TShortcutCatalogue Shortcuts() const;
    void ReadWindowSettings(const TUnicodeIniFile &file);
    void WriteWindowSettings(TUnicodeIniFile &file);

    void CreateFilter();
    void ShowSort();
    void ShowHistoryOf(int index);
    void SaveHistory();
    // The category tab of every entry (by index into Apps), made anew after
    // CatalogueChanged.
    const std::vector<int> &EntryTabs();

    TProgramVersion FVersion;
    bool FLoadDone = false;
    TAppSearchIndex FSearch;
    std::vector<int> FEntryTabs;
    bool FEntryTabsValid = false;
    bool FFiltering = false;
    // The entry selected when the filter became active.
    QString FFilterOrigin;
    // The emulators started from this window and still running, by
    // process id: the entry (while it is still in Apps under that name) and
    // the start on PlayClock.
    struct TRunningEntry
    {
        const TDosBoxApp *App;
        QString Name;
        qint64 StartMs;
    };
    QHash<qint64, TRunningEntry> FRunning;
    bool FShown = false;
    bool FLoadCancelled = false;
    // The catalogue file as read at creation (from FCatalogueFileName),
    // until the load takes it over.
    std::unique_ptr<TUnicodeIniFile> FCatalogueFile;
    QString FCatalogueFileName;
    std::unique_ptr<IProcessStarter> FSystemStarter;
    IProcessStarter *FStarter = nullptr;
    std::unique_ptr<IPrompt> FPrompt;
    TImportDialog *FImportDialog = nullptr;
};
