// Building the main window: actions, list, tabs, status bar, menus, toolbar.
#include "dialogs/ActionImages.h"
#include "mainwindow/AppListModel.h"
#include "mainwindow/CategoryTabs.h"
#include "mainwindow/FilterWidgets.h"
#include "mainwindow/MainWindow.h"

#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

namespace {

struct TActionDef
{
    QAction *TfrmMain::*Field;
    const char *Name;
    QString Caption;
    QString Hint;
    QKeySequence Shortcut;
    int Image;
    // Null while the command does not exist: the action is not created.
    void (TfrmMain::*Execute)();
};

std::vector<TActionDef> ActionDefs()
{
    using M = TfrmMain;
    const QKeySequence none;
    return {
        {&M::actExit, "actExit", N_("&Exit"), N_("Close Ravelin"),
         QKeySequence(Qt::CTRL | Qt::Key_F4), 0, &M::actExitExecute},
        {&M::actSettings, "actSettings", N_("&Settings"), N_("Global settings"), none, 1,
         &M::actSettingsExecute},
        {&M::actNewProgram, "actNewProgram", N_("&New"), N_("Add new application"), none, 2,
         &M::actNewProgramExecute},
        {&M::actEditProgram, "actEditProgram", N_("&Edit"),
         N_("Edit settings of selected application"), QKeySequence(Qt::Key_F4), 3,
         &M::actEditProgramExecute},
        // Not "&Remove": R is Run's in the context menu.
        {&M::actRemProgram, "actRemProgram", N_("Re&move"), N_("Remove selected application"),
         QKeySequence(QKeySequence::Delete), 4, &M::actRemProgramExecute},
        {&M::actRun, "actRun", N_("&Run"), N_("Run selected DOS application"),
         QKeySequence(Qt::Key_F9), 5, &M::actRunExecute},
        {&M::actLargeIcons, "actLargeIcons", N_("&Large icons"), N_("Show large icons"),
         QKeySequence(Qt::Key_F5), 6, &M::actLargeIconsExecute},
        {&M::actSmallIcons, "actSmallIcons", N_("&Small icons"), N_("Show small icons"),
         QKeySequence(Qt::Key_F6), 7, &M::actSmallIconsExecute},
        {&M::actDetails, "actDetails", N_("&Details"), N_("Show details"), QKeySequence(Qt::Key_F8),
         8, &M::actDetailsExecute},
        {&M::actList, "actList", N_("&List"), N_("Show list"), QKeySequence(Qt::Key_F7), 9,
         &M::actListExecute},
        {&M::actShowMan, "actShowMan", N_("Show &manual"),
         N_("Show manual of selected application"), QKeySequence(Qt::Key_F1), 10,
         &M::actShowManExecute},
        {&M::actDosBox, "actDosBox", N_("Run &DOSBox"), N_("Start DOSBox without application"),
         QKeySequence(Qt::CTRL | Qt::Key_F9), 11, &M::actDosBoxExecute},
        {&M::actInfo, "actInfo", N_("&About"), QString(), none, 12, &M::actInfoExecute},
        {&M::actConvertText, "actConvertText", N_("&Convert text"),
         N_("Convert Unicode text to OEM"), QKeySequence(Qt::CTRL | Qt::Key_F1), 13,
         &M::actConvertTextExecute},
        {&M::actMapper, "actMapper", N_("Adjust &keymapper"), QString(), none, 14,
         &M::actMapperExecute},
        {&M::actDuplicate, "actDuplicate", N_("&Duplicate"), N_("Duplicate current application"),
         none, 15, &M::actDuplicateExecute},
        {&M::actStdOut, "actStdOut", N_("Show &standard output"), QString(), none, 16,
         &M::actStdOutExecute},
        {&M::actStdErr, "actStdErr", N_("Show &error output"), QString(), none, 17,
         &M::actStdErrExecute},
        {&M::actHelpFile, "actHelpFile", N_("&Documentation"), N_("Show program help"), none, 18,
         &M::actHelpFileExecute},
        {&M::actImport, "actImport", N_("&Import…"),
         N_("Add DOS applications found in folders or DOSBox configuration files"), none, -1,
         &M::actImportExecute},
        {&M::actShortcut, "actShortcut", N_("Create desktop s&hortcut"),
         N_("Start the selected application from the desktop's menu"), none, 20,
         &M::actShortcutExecute},
        {&M::actRestoreBackup, "actRestoreBackup", N_("&Restore backup…"),
         N_("Put an earlier version of the catalogue back"), none, -1, &M::actRestoreBackupExecute},
        {&M::actFind, "actFind", N_("&Find…"),
         N_("Find applications by name, category, description, program or folder"),
         QKeySequence(QKeySequence::Find), -1, &M::actFindExecute},
        {&M::actSortCatalogue, "actSortCatalogue", N_("In catalogue &order"),
         N_("Show the applications in the order of the catalogue"), none, -1,
         &M::actSortCatalogueExecute},
        {&M::actSortName, "actSortName", N_("Sort by &name"), N_("Sort the applications by name"),
         none, -1, &M::actSortNameExecute},
        {&M::actSortLastPlayed, "actSortLastPlayed", N_("Sort by last &played"),
         N_("Show the applications played last first"), none, -1, &M::actSortLastPlayedExecute},
    };
}

// One item of a menu or the toolbar: an action, a sub-menu or a separator.
// Items of actions that do not exist are left out.
struct TItem
{
    QAction *Action = nullptr;
    QMenu *SubMenu = nullptr;
    bool Separator = false;
};

TItem Item(QAction *action)
{
    return {action, nullptr, false};
}

TItem Sub(QMenu *menu)
{
    return {nullptr, menu, false};
}

const TItem Sep{nullptr, nullptr, true};

// Separators that would lead, trail or follow each other are collapsed by
// the menu itself.
void AddItems(QMenu *menu, std::initializer_list<TItem> items)
{
    for (const TItem &item : items) {
        if (item.Separator)
            menu->addSeparator();
        else if (item.SubMenu)
            menu->addMenu(item.SubMenu);
        else if (item.Action)
            menu->addAction(item.Action);
    }
}

// Hides the tool tip of one button.
class TNoToolTip : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::ToolTip; }
};

} // namespace

void TfrmMain::CreateActions()
{
    ilActions = ActionImageList(ScaleByDpi(24, this));
    for (const TActionDef &def : ActionDefs()) {
        if (!def.Execute)
            continue;
        auto *action = new QAction(def.Caption, this);
        action->setObjectName(QString::fromLatin1(def.Name));
        if (!def.Hint.isEmpty()) {
            action->setToolTip(def.Hint);
            action->setStatusTip(def.Hint);
        }
        action->setShortcut(def.Shortcut);
        action->setIcon(ilActions.icon(def.Image));
        const auto execute = def.Execute;
        connect(action, &QAction::triggered, this, [this, execute] { (this->*execute)(); });
        this->*def.Field = action;
    }
    // The view styles: one radio group, large icons at start.
    auto *views = new QActionGroup(this);
    views->setExclusive(true);
    for (QAction *action : {actLargeIcons, actSmallIcons, actList, actDetails}) {
        action->setCheckable(true);
        // The menu marks the style in use with a radio mark, which an image
        // would replace by a barely visible frame; the toolbar keeps the images.
        action->setIconVisibleInMenu(false);
        views->addAction(action);
    }
    actLargeIcons->setChecked(true);
    // The orders: one of them, or a column of the detail view.
    auto *sorts = new QActionGroup(this);
    sorts->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *action : {actSortCatalogue, actSortName, actSortLastPlayed}) {
        action->setCheckable(true);
        sorts->addAction(action);
    }
    actSortCatalogue->setChecked(true);

    // Category tabs (or, while a filter is active, the found tabs) from the
    // keyboard, as in every tabbed window.
    const auto tabKeys = [this](QList<QKeySequence> keys, int step) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, step] {
            QTabBar *tabs = FFiltering ? static_cast<QTabBar *>(tcFound) : tcCats;
            const int count = tabs->count();
            if (count > 1)
                tabs->setCurrentIndex((tabs->currentIndex() + step + count) % count);
        });
        addAction(action);
    };
    tabKeys({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1);
    tabKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
             QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
            -1);
}

void TfrmMain::CreateWidgets()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("panMain"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tcCats = new TCategoryTabs(central);
    tcCats->setObjectName(QStringLiteral("tcCats"));
    QFont tabFont = font();
    tabFont.setBold(true);
    tcCats->setFont(tabFont);
    tcCats->hide();
    MarkUserData(tcCats);
    connect(tcCats, &TCategoryTabs::tabChanged, this, [this] { tcCatsChange(); });
    tcFound = new TFoundTabs(central);
    tcFound->setObjectName(QStringLiteral("tcFound"));
    tcFound->setFont(tabFont);
    tcFound->hide();
    MarkUserData(tcFound);

    AppItems = new TAppListModel(this);
    lvApps = new TAppListView(AppItems, central);
    lvApps->setObjectName(QStringLiteral("lvApps"));
    MarkUserData(lvApps);
    connect(lvApps, &TAppListView::Clicked, this, [this] { lvAppsClick(); });
    connect(lvApps, &TAppListView::DoubleClicked, this, [this] { lvAppsDblClick(); });
    connect(lvApps, &TAppListView::SelectionChanged, this, [this] { lvAppsSelectItem(); });
    connect(lvApps, &TAppListView::MouseMovedOver, this, [this](int row) { lvAppsMouseMove(row); });
    connect(lvApps, &TAppListView::ActivatedByKey, this, [this] {
        if (actRun && actRun->isEnabled())
            actRun->trigger();
    });
    connect(lvApps, &TAppListView::ColumnClicked, this,
            [this](int column) { lvAppsColumnClick(column); });

    layout->addWidget(tcCats);
    layout->addWidget(tcFound);
    layout->addWidget(lvApps, 1);
    setCentralWidget(central);

    // Panel 0: the emulator; panel 1: the entry under the mouse pointer.
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(ScaleByDpi(250, this));
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    for (QLabel *panel : {StatusPanel0, StatusPanel1}) {
        MarkUserData(panel);
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(0);
    }
    bar->addWidget(StatusPanel0);
    bar->addWidget(StatusPanel1, 1);
}

void TfrmMain::CreateMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto menu = [this](const char *name, const QString &title) {
        auto *m = new QMenu(title, this);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    itmGlobal = menu("itmGlobal", N_("&Global"));
    itmLanguage = menu("itmLanguage", N_("&Language"));
    itmLanguage->setIcon(ilActions.icon(19));
    AddItems(itmGlobal, {Item(actSettings), Sub(itmLanguage), Sep, Item(actRestoreBackup), Sep,
                         Item(actExit)});

    itmEntries = menu("itmEntries", N_("A&pplication"));
    itmConsole = menu("itmConsole", N_("&Console output"));
    itmConsole->setIcon(ilActions.icon(11));
    AddItems(itmConsole, {Item(actStdOut), Item(actStdErr)});
    AddItems(itmEntries, {Item(actNewProgram), Item(actEditProgram), Item(actDuplicate),
                          Item(actRemProgram), Sep, Item(actImport), Sep, Sub(itmConsole), Sep,
                          Item(actShowMan), Sep, Item(actMapper), Item(actShortcut)});

    itmView = menu("itmView", N_("&View"));
    AddItems(itmView, {Item(actFind), Sep, Item(actLargeIcons), Item(actSmallIcons), Item(actList),
                       Item(actDetails), Sep, Item(actSortCatalogue), Item(actSortName),
                       Item(actSortLastPlayed)});

    itmRun = menu("itmRun", N_("&Action"));
    AddItems(itmRun, {Item(actRun), Sep, Item(actDosBox), Item(actConvertText)});

    itmHelp = menu("itmHelp", N_("&Help"));
    AddItems(itmHelp, {Item(actHelpFile), Item(actInfo)});

    for (QMenu *m : {itmGlobal, itmEntries, itmView, itmRun, itmHelp}) {
        bar->addMenu(m);
        // A menu whose commands do not exist yet is not shown.
        m->menuAction()->setVisible(!m->actions().isEmpty());
    }

    PopupMenu = menu("PopupMenu", QString());
    piConsole = menu("piConsole", N_("&Console output"));
    piConsole->setIcon(ilActions.icon(11));
    AddItems(piConsole, {Item(actStdOut), Item(actStdErr)});
    AddItems(PopupMenu,
             {Item(actRun), Item(actEditProgram), Item(actDuplicate), Item(actRemProgram), Sep,
              Sub(piConsole), Item(actShowMan), Sep, Item(actMapper), Item(actShortcut)});
    lvApps->SetPopupMenu(PopupMenu);
}

void TfrmMain::CreateToolBar()
{
    tbMain = new QToolBar(this);
    tbMain->setObjectName(QStringLiteral("tbMain"));
    tbMain->setMovable(false);
    tbMain->setFloatable(false);
    tbMain->setContextMenuPolicy(Qt::PreventContextMenu);
    tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbMain->setIconSize(ilActions.size());
    addToolBar(Qt::TopToolBarArea, tbMain);

    struct TButton
    {
        QAction *Action;
        const char *Name;
    };
    const std::vector<TButton> buttons = {
        {actNewProgram, "tbNew"}, {actEditProgram, "tbEdit"},  {actRemProgram, "tbRemove"},
        {nullptr, nullptr},       {actShowMan, "tbMan"},       {actRun, "tbRun"},
        {nullptr, nullptr},       {actLargeIcons, "tbLarge"},  {actSmallIcons, "tbSmall"},
        {actList, "tbList"},      {actDetails, "tbDetails"},   {nullptr, nullptr},
        {actDosBox, "tbDosBox"},  {actSettings, "tbSettings"}, {actExit, "tbExit"},
    };
    bool separatorDue = false;
    for (const TButton &button : buttons) {
        if (!button.Name) {
            separatorDue = !tbMain->actions().isEmpty();
            continue;
        }
        if (!button.Action)
            continue;
        if (separatorDue)
            tbMain->addSeparator();
        separatorDue = false;
        tbMain->addAction(button.Action);
        QWidget *widget = tbMain->widgetForAction(button.Action);
        widget->setObjectName(QString::fromLatin1(button.Name));
        widget->setMinimumSize(ScaleByDpi(33, this), ScaleByDpi(32, this));
    }
    // Exit is the one button without a tool tip.
    if (QWidget *exit = tbMain->widgetForAction(actExit))
        exit->installEventFilter(new TNoToolTip(exit));

    // The filter box at the toolbar's far end.
    auto *spring = new QWidget(tbMain);
    spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tbMain->addWidget(spring);
    edFilter = new TFilterBox(tbMain);
    edFilter->setObjectName(QStringLiteral("edFilter"));
    edFilter->setPlaceholderText(N_("Find (Ctrl+F)"));
    edFilter->setToolTip(N_("Shows the applications whose name, category, description, program "
                            "or folder hold every word typed; Esc clears it"));
    edFilter->setFixedWidth(ScaleByDpi(240, this));
    tbMain->addWidget(edFilter);
    CreateFilter();
}
