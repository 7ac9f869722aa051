#include "mainwindow/MainWindow.h"

#include "catalogue/AppIcons.h"
#include "dialogs/ActionImages.h"
#include "dialogs/Application.h"
#include "dialogs/DialogPrompt.h"
#include "dialogs/ShellDirDlg.h"
#include "dialogs/Show.h"
#include "emulator/DosBoxInterface.h"
#include "launcher/ConsoleOutput.h"
#include "launcher/RunCommand.h"
#include "launcher/WinExecute.h"
#include "localisation/LanguageSelection.h"
#include "localisation/ui/LanguageMenu.h"
#include "localisation/ui/TranslateComponent.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/FilterWidgets.h"
#include "mainwindow/FirstStartDlg.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "texttools/ui/WebBrowser.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

// Long enough for the first painting of the list.
constexpr int FindPreparationDelayMs = 500;

// A first start shows a dozen large icons and the Details columns with
// their names, centred on the screen.
constexpr int DesignedWidth = 820;
constexpr int DesignedHeight = 560;

} // namespace

// What loading the catalogue needs from the window.
class TfrmMain::TCatalogueHost : public ICatalogueHost
{
public:
    explicit TCatalogueHost(TfrmMain &window) : m_window(window) {}

    bool ConfirmFirstStart(TFirstStartChoice &choice) override
    {
        return m_window.ConfirmFirstStart(choice);
    }
    void EditBasicSettings(TBasicSettings &settings) override
    {
        m_window.EditBasicSettings(settings);
    }
    void AddCategoryEntry(const QString &category) override { m_window.AddCategoryEntry(category); }
    void ReadWindowSettings(const TUnicodeIniFile &file) override
    {
        m_window.ReadWindowSettings(file);
    }
    void WriteWindowSettings(TUnicodeIniFile &file) override { m_window.WriteWindowSettings(file); }
    void ReportError(const QString &message) override { m_window.Prompt().error(message); }

private:
    TfrmMain &m_window;
};

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent), FSystemStarter(std::make_unique<TSystemProcessStarter>()),
      FStarter(FSystemStarter.get()), FPrompt(std::make_unique<TDialogPrompt>())
{
    PlayClock = [] {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return clock.elapsed();
    };
    // The watch of a process outlives the window that started it.
    static_cast<TSystemProcessStarter *>(FSystemStarter.get())->OnEnded =
        [window = QPointer<TfrmMain>(this)](qint64 pid) {
            if (window)
                window->EmulatorEnded(pid);
        };
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(N_("Manage DOSBox applications"));
    setWindowIcon(ProgramIcon());
    setContextMenuPolicy(Qt::NoContextMenu);
    InitIconTheme();
    CreateActions();
    CreateWidgets();
    CreateMenus();
    CreateToolBar();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // The language items hang in a menu of this window.
    Languages.reset();
}

void TfrmMain::FormCreate()
{
    TranslateComponent(this);
    // The configuration folder is made by the first save: a first start the
    // user cancels leaves nothing behind.
    const TProgramPaths paths = GetProgramPaths(false);
    AppDataPath = paths.AppDataPath;
    UserPath = paths.UserPath;
    ProgPath = paths.ProgPath;
    FVersion = GetProgramVersion();
    ProgVersName = FVersion.ProgVersName;
    ProgVersDate = FVersion.ProgVersDate;
    IniName = IniFileName(QCoreApplication::arguments().mid(1), AppDataPath, ExeBaseName());
    CreateLanguageMenu();
    // The only reading of the catalogue file: the window takes its place from
    // it before it is first shown, the load at that showing everything else.
    FCatalogueFile = ReadCatalogueFile(CatalogueFiles());
    FCatalogueFileName = IniName;
    ReadPlacement(*FCatalogueFile);
    HtManWin = new TWebBrowserWin(this);
}

TCatalogueFiles TfrmMain::CatalogueFiles() const
{
    return TCatalogueFiles{IniName, ExeDir(), UserPath, ProgPath, LocPath};
}

void TfrmMain::CreateLanguageMenu()
{
    Languages = std::make_unique<TLanguageMenu>(DataDir(), QString());
    Languages->SetMenu(itmLanguage);
    Languages->LoadLanguageNames(GnuGettext::GetCurrentLanguage());
    Languages->OnLanguageItemClick = [this](QMenu *sender, const QString &code) {
        SetLanguageClick(sender, code);
    };
}

// Left and Top place the frame, Width and Height size the client area, as
// the closing window stores them.
void TfrmMain::ReadPlacement(const TUnicodeIniFile &file)
{
    QRect first(0, 0, ScaleByDpi(DesignedWidth, this), ScaleByDpi(DesignedHeight, this));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        first.setSize(first.size().boundedTo(area.size() * 9 / 10));
        first.moveCenter(area.center());
    }
    const QRect stored = ReadMainWindowBounds(file, first);
    const QPoint pos = stored.topLeft();
    const QSize size = stored.size();
    // Values from another monitor set-up, or a damaged file, must neither
    // make the window larger than the largest screen nor put its title bar
    // where no screen shows it.
    QSize largest;
    for (const QScreen *screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->availableGeometry().size());
    const QSize minimum(200, 150);
    resize(largest.isEmpty() ? size.expandedTo(minimum)
                             : size.boundedTo(largest).expandedTo(minimum));
    const QRect titleBar(pos, QSize(this->size().width(), 30));
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(titleBar);
        visible = visible || (shown.height() == titleBar.height() &&
                              shown.width() >= qMin(titleBar.width(), 100));
    }
    move(visible ? pos : QPoint(50, 50));
}

QRect TfrmMain::WindowBounds() const
{
    if (isMaximized() || isFullScreen()) {
        // The place the window returns to.
        const QRect normal = normalGeometry();
        const QPoint frameOffset = geometry().topLeft() - pos();
        return QRect(normal.topLeft() - frameOffset, normal.size());
    }
    return QRect(pos(), size());
}

bool TfrmMain::event(QEvent *event)
{
    // A menu's or button's hint shows where the entry descriptions show;
    // the emulator stays in view.
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(1, static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    UpdateCaption();
    LocPath = LocalAppDataPath();
    LoadCatalogue();
}

void TfrmMain::UpdateCaption()
{
    FVersion.VersionText = GetProgramVersion().VersionText;
    setWindowTitle(_("Run DOSBox applications") + QStringLiteral(" (") + FVersion.VersionText +
                   u')');
}

bool TfrmMain::LoadCatalogue()
{
    FLoadDone = false;
    ClearFilter();
    tcCats->Clear();
    TCatalogueFiles files = CatalogueFiles();
    // The file read when the window was created, unless IniName has changed
    // since.
    std::unique_ptr<TUnicodeIniFile> file = std::move(FCatalogueFile);
    if (!file || FCatalogueFileName != IniName)
        file = ReadCatalogueFile(files);
    TCatalogueHost host(*this);
    const TLoadResult result = ::LoadCatalogue(std::move(file), files, Catalogue, host,
                                               DefaultAppIcon(32), DefaultAppIcon(16));
    LocPath = files.LocPath;
    if (result.Cancelled) {
        // The program ends; the close request runs once this start is over.
        // The catalogue is not loaded, so nothing is written.
        FLoadCancelled = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return false;
    }
    CatalogueChanged();
    ShowSort();
    actRun->setEnabled(false);
    if (tcCats->count() > 0) {
        const int tab = result.SelectedCategory.isEmpty()
                            ? -1
                            : tcCats->IndexOfCategory(result.SelectedCategory);
        tcCats->SelectTab(qMax(tab, 0));
    }
    SetStatusText(0, BasicSettings.DosBoxDesc);
    SetViewStyle(vsIcon);
    ShowAppList(CurApp);
    // The keys belong to the list, not to the tabs that come first.
    lvApps->setFocus();
    FLoadDone = true;
    // The texts to find in are made once the window has been painted.
    QTimer::singleShot(FindPreparationDelayMs, this,
                       [this] { FSearch.Prepare(Apps, BasicSettings.RootPath); });
    return true;
}

void TfrmMain::WriteCatalogue(const QString &copy, bool overwriteChanges, bool backup)
{
    if (Catalogue.Loaded && SameFileName(ExtractFilePath(IniName), AppDataPath))
        QDir().mkpath(AppDataPath);
    TCatalogueHost host(*this);
    if (copy.isEmpty())
        ::SaveCatalogue(IniName, Catalogue, WindowBounds(), &host, overwriteChanges, backup);
    else
        SaveCatalogueCopy(copy, Catalogue, WindowBounds(), &host);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!SaveBeforeClosing()) {
        event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmMain::FormClose()
{
    DeleteConsoleFiles(Apps);
    // A start that ended before the catalogue was read knows nothing of the
    // automatic start, so it leaves the start-up entry as it is.
    QString error;
    if (Catalogue.Loaded &&
        UpdateAutoStartLink(BasicSettings.AutoStart, ProgVersName, &error) != 0 && !error.isEmpty())
        Prompt().error(error);
    // Its place went into the catalogue with the save above.
    if (HtManWin->isVisible())
        HtManWin->close();
}

bool TfrmMain::ConfirmFirstStart(TFirstStartChoice &choice)
{
    TFirstStartDialog dialog(this, ShellDirDialog);
    return dialog.Execute(choice);
}

void TfrmMain::ReadWindowSettings(const TUnicodeIniFile &file)
{
    HtManWin->LoadFromIni(file, QStringLiteral("HtmlManual"));
    if (ShellDirDialog)
        ShellDirDialog->LoadFromIni(file, QStringLiteral("Directories"));
}

void TfrmMain::WriteWindowSettings(TUnicodeIniFile &file)
{
    HtManWin->SaveToIni(file);
    if (ShellDirDialog)
        ShellDirDialog->SaveToIni(file);
}

// ---------------------------------------------------------------------------
// List and categories

int TfrmMain::AddCategoryEntry(const QString &Name)
{
    return tcCats->AddCategoryEntry(Name);
}

void TfrmMain::RemoveCategoryEntry(const QString &Name)
{
    tcCats->RemoveCategoryEntry(Name);
}

QString TfrmMain::CurrentCategory() const
{
    return tcCats->count() > 0 ? tcCats->Caption(tcCats->currentIndex()) : DefaultCategoryName();
}

QStringList TfrmMain::CategoryNames() const
{
    return tcCats->Captions();
}

int TfrmMain::FindItemByCaption(const QString &Caption) const
{
    return AppItems->FindItemByCaption(Caption);
}

void TfrmMain::ShowAppList(const QString &SelName)
{
    tcCats->setVisible(!FFiltering && tcCats->count() > 0);
    tcFound->setVisible(FFiltering);
    AppItems->Fill(Apps, ListedEntries());
    const int row = FindItemByCaption(SelName);
    if (row >= 0) {
        lvApps->SelectRow(row);
        CurApp = AppItems->Item(row).Caption;
    } else {
        lvApps->SelectRow(AppItems->Count() > 0 ? 0 : -1);
        CurApp.clear();
    }
    lvAppsSelectItem();
}

int TfrmMain::SelectedAppIndex() const
{
    const int row = lvApps->SelectedRow();
    if (row < 0)
        return -1;
    const int index = AppItems->Item(row).Data;
    return index >= 0 && size_t(index) < Apps.size() ? index : -1;
}

void TfrmMain::SetViewStyle(TViewStyle Style)
{
    lvViewStyle = Style;
    lvApps->SetViewStyle(Style);
    QAction *const actions[] = {actLargeIcons, actSmallIcons, actList, actDetails};
    actions[Style]->setChecked(true);
}

QString TfrmMain::StatusText(int panel) const
{
    return (panel == 0 ? StatusPanel0 : StatusPanel1)->text();
}

void TfrmMain::SetStatusText(int panel, const QString &text)
{
    (panel == 0 ? StatusPanel0 : StatusPanel1)->setText(text);
}

void TfrmMain::lvAppsSelectItem()
{
    const bool selected = lvApps->SelectedRow() >= 0;
    for (QAction *action : {actRun, actEditProgram, actDuplicate, actRemProgram, actShowMan,
                            actMapper, actShortcut}) {
        if (action)
            action->setEnabled(selected);
    }
    const int index = SelectedAppIndex();
    const bool console =
        index >= 0 && Apps[size_t(index)]->ConsoleMode.contains(TConsoleMode::cmHide);
    itmConsole->menuAction()->setVisible(console);
    piConsole->menuAction()->setVisible(console);
}

void TfrmMain::lvAppsClick()
{
    const int row = lvApps->SelectedRow();
    if (row >= 0)
        CurApp = AppItems->Item(row).Caption;
    else
        ShowAppList(CurApp);
}

void TfrmMain::lvAppsDblClick()
{
    const int row = lvApps->SelectedRow();
    if (row < 0) {
        ShowAppList(CurApp);
        return;
    }
    CurApp = AppItems->Item(row).Caption;
    actRunExecute();
}

void TfrmMain::lvAppsMouseMove(int row)
{
    SetStatusText(1, row >= 0 && row < AppItems->Count() ? AppItems->Item(row).SubItems[5]
                                                         : QString());
}

void TfrmMain::tcCatsChange()
{
    ShowAppList(CurApp);
}

void TfrmMain::actLargeIconsExecute()
{
    SetViewStyle(vsIcon);
}

void TfrmMain::actSmallIconsExecute()
{
    SetViewStyle(vsSmallIcon);
}

void TfrmMain::actListExecute()
{
    SetViewStyle(vsList);
}

void TfrmMain::actDetailsExecute()
{
    SetViewStyle(vsReport);
}

// ---------------------------------------------------------------------------
// Emulator commands

void TfrmMain::SetProcessStarter(IProcessStarter *starter)
{
    FStarter = starter ? starter : FSystemStarter.get();
}

IPrompt &TfrmMain::Prompt()
{
    return *FPrompt;
}

void TfrmMain::actRunExecute()
{
    const int index = SelectedAppIndex();
    if (index >= 0)
        RunEntry(index);
}

void TfrmMain::actMapperExecute()
{
    const int index = SelectedAppIndex();
    if (index < 0)
        return;
    RunKeymapper(*Apps[size_t(index)], {BasicSettings, Prompt(), *FStarter});
}

void TfrmMain::actDosBoxExecute()
{
    RunDosBox({BasicSettings, Prompt(), *FStarter});
}

void TfrmMain::ShowConsoleFile(const QString &FileName)
{
    const int index = SelectedAppIndex();
    if (index < 0)
        return;
    const TDosBoxApp &app = *Apps[size_t(index)];
    const auto lines = ReadConsoleFile(app, FileName, Prompt());
    if (lines)
        ShowTextWindow(ConsoleFileTitle(app.AppName, FileName), ConsoleFileText(*lines));
}

void TfrmMain::actStdOutExecute()
{
    ShowConsoleFile(DosBox::StdOutName);
}

void TfrmMain::actStdErrExecute()
{
    ShowConsoleFile(DosBox::StdErrName);
}

void TfrmMain::actExitExecute()
{
    close();
}

// ---------------------------------------------------------------------------
// Language

void TfrmMain::SetLanguageClick(QMenu *Sender, const QString &Language)
{
    Q_UNUSED(Sender);
    if (Language == GnuGettext::GetCurrentLanguage())
        return;
    const QString oldMisc = DefaultCategoryName();
    const QString effective = GnuGettext::ChangeLanguage(Language);
    Languages->LoadLanguageNames(effective);
    UpdateCaption();
    AppItems->Retranslate();
    const int misc = tcCats->IndexOfCategory(oldMisc);
    if (misc >= 0)
        tcCats->SetCaption(misc, DefaultCategoryName());
    // "Miscellaneous" is found in its new words.
    CatalogueChanged();
    if (FFiltering)
        ShowAppList(CurApp);
}
