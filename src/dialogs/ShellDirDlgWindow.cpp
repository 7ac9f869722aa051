#include "dialogs/ShellDirDlg.h"

#include "dialogs/ActionImages.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <initializer_list>

// The window of the directory chooser; its behaviour is in ShellDirDlg.cpp.

namespace {

// Design sizes at 96 pixels per inch.
constexpr int DefaultDirWidth = 430;
constexpr int DefaultFileWidth = 440;
constexpr int DefaultHeight = 470;
constexpr int RootIconSize = 32;
constexpr int ToolIconSize = 20;

} // namespace

TShellDirDialog::TShellDirDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ShellDirDialog"));
    setWindowTitle(ND_("Select directory"));
    setModal(true);
    setSizeGripEnabled(true);
    const auto s = [this](int n) { return ScaleByDpi(n, this); };

    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    BuildRootPanel();
    ShellTreeView = new QTreeView(PanelLeft);
    ShellTreeView->setObjectName(QStringLiteral("ShellTreeView"));
    ShellTreeView->setHeaderHidden(true);
    ShellTreeView->setUniformRowHeights(true);
    ShellTreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    ShellTreeView->setAutoScroll(true);

    BuildBottomPanel();
    auto *treeRow = new QHBoxLayout;
    treeRow->setContentsMargins(0, 0, 0, 0);
    treeRow->addWidget(panRoot);
    treeRow->addWidget(ShellTreeView, 1);
    auto *leftLayout = new QVBoxLayout(PanelLeft);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(treeRow, 1);
    leftLayout->addWidget(Panel1);

    BuildFilePanel();
    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->addWidget(PanelLeft);
    Splitter->addWidget(PanelRight);
    Splitter->setChildrenCollapsible(false);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    PanelLeft->setMinimumWidth(s(MinPanelWidth));
    PanelRight->setMinimumWidth(s(MinPanelWidth) / 2);
    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(s(6), s(6), s(6), s(6));
    mainLayout->addWidget(Splitter);

    BuildMenu();
    FFollowTimer = new QTimer(this);
    FFollowTimer->setSingleShot(true);
    FFollowTimer->setInterval(50);
    connect(FFollowTimer, &QTimer::timeout, this, [this] {
        if (!FPending.isEmpty())
            ApplyPending();
    });
    FTree = new TFolderFilter(this);
    FFileList = new TFileFilter(this);
    ShellTreeView->setModel(FTree);
    ShellListView->setModel(FFileList);
    CreateModels();
    ShellListView->sortByColumn(0, Qt::AscendingOrder);

    ConnectEvents();

    FDirWidth = s(DefaultDirWidth);
    FFileWidth = s(DefaultFileWidth);
    PanelRight->hide();
    ScaleControlGlyphs(this, 96, MonitorPpi(screen()));
    for (QObject *userData :
         std::initializer_list<QObject *>{ShellTreeView, ShellListView, cbxSelectedDir, laVolHint})
        MarkUserData(userData);
    TranslateComponent(this, QStringLiteral("dialogs"));
    resize(FDirWidth + 2 * s(6), s(DefaultHeight));
    PlaceFormAt(this, ScreenCenterPos);
    SetRoot(rfMyComputer);
}

TShellDirDialog::~TShellDirDialog()
{
    // The models (those awaiting deletion too) ask the icon provider from
    // their own threads: they go before it does.
    qDeleteAll(findChildren<QFileSystemModel *>(Qt::FindDirectChildrenOnly));
}

void TShellDirDialog::BuildRootPanel()
{
    const auto s = [this](int n) { return ScaleByDpi(n, this); };
    panRoot = new QWidget(PanelLeft);
    panRoot->setObjectName(QStringLiteral("panRoot"));
    FRootButtons = new QButtonGroup(this);
    FRootButtons->setExclusive(true);
    auto *rootLayout = new QVBoxLayout(panRoot);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSpacing(s(2));
    const auto makeRoot = [&](const char *name, const QString &caption, const QIcon &icon,
                              TRootFolder root) {
        auto *b = new QToolButton(panRoot);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setIcon(icon);
        b->setIconSize(QSize(s(RootIconSize), s(RootIconSize)));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        FRootButtons->addButton(b, root);
        rootLayout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, root] {
            SetRoot(root);
            FocusTree();
        });
        return b;
    };
    spbDesktop = makeRoot("spbDesktop", ND_("Desktop"),
                          ThemeIcon({QStringLiteral("user-desktop")}, QStyle::SP_DesktopIcon, this),
                          rfDesktop);
    spbMyFiles = makeRoot(
        "spbMyFiles", ND_("Documents"),
        ThemeIcon({QStringLiteral("folder-documents")}, QStyle::SP_DirOpenIcon, this), rfPersonal);
    spbComputer = makeRoot("spbComputer", ND_("Computer"),
                           ThemeIcon({QStringLiteral("computer")}, QStyle::SP_ComputerIcon, this),
                           rfMyComputer);
    spbNetwork = makeRoot(
        "spbNetwork", ND_("Network"),
        ThemeIcon({QStringLiteral("network-workgroup")}, QStyle::SP_DriveNetIcon, this), rfNetwork);
    rootLayout->addStretch(1);
    spbComputer->setChecked(true);
}

void TShellDirDialog::BuildBottomPanel()
{
    const auto s = [this](int n) { return ScaleByDpi(n, this); };
    Panel1 = new QWidget(PanelLeft);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = new QLabel(ND_("Directory:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    cbxFiles = new QCheckBox(ND_("Show files"), Panel1);
    cbxFiles->setObjectName(QStringLiteral("cbxFiles"));
    const auto makeTool = [&](const char *name, const QString &hint, const QIcon &icon) {
        auto *b = new QToolButton(Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setIcon(icon);
        b->setIconSize(QSize(s(ToolIconSize), s(ToolIconSize)));
        b->setAutoRaise(true);
        return b;
    };
    spbHome = makeTool("spbHome", ND_("Go to default folder"),
                       ThemeIcon({QStringLiteral("go-home-symbolic"), QStringLiteral("go-home")},
                                 QStyle::SP_DirHomeIcon, this));
    spbUp = makeTool("spbUp", ND_("One folder up"),
                     ThemeIcon({QStringLiteral("go-up-symbolic"), QStringLiteral("go-up")},
                               QStyle::SP_FileDialogToParent, this));
    spbNew =
        makeTool("spbNew", ND_("Create new folder"),
                 ThemeIcon({QStringLiteral("folder-new")}, QStyle::SP_FileDialogNewFolder, this));
    cbxSelectedDir = new TDirComboBox(Panel1);
    cbxSelectedDir->setObjectName(QStringLiteral("cbxSelectedDir"));
    cbxSelectedDir->setToolTip(ND_("Directory"));
    cbxSelectedDir->setEditable(true);
    cbxSelectedDir->setInsertPolicy(QComboBox::NoInsert);
    cbxSelectedDir->setMaxVisibleItems(MaxHistory);
    cbxSelectedDir->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbxSelectedDir->setMinimumContentsLength(20);
    cbxSelectedDir->lineEdit()->setClearButtonEnabled(false);
    Label1->setBuddy(cbxSelectedDir);
    laVolHint = new QLabel(Panel1);
    laVolHint->setObjectName(QStringLiteral("laVolHint"));
    laVolHint->setTextFormat(Qt::PlainText);
    btbOK = new QPushButton(ND_("OK"), Panel1);
    btbOK->setObjectName(QStringLiteral("btbOK"));
    btbOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, this));
    btbOK->setDefault(true);
    btbCancel = new QPushButton(ND_("Cancel"), Panel1);
    btbCancel->setObjectName(QStringLiteral("btbCancel"));
    btbCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton, nullptr, this));
    btbCancel->setAutoDefault(false);

    auto *panelLayout = new QGridLayout(Panel1);
    panelLayout->setContentsMargins(0, s(4), 0, 0);
    panelLayout->setVerticalSpacing(s(4));
    auto *topRow = new QHBoxLayout;
    topRow->addWidget(Label1);
    topRow->addStretch(1);
    topRow->addWidget(cbxFiles);
    topRow->addSpacing(s(8));
    topRow->addWidget(spbHome);
    topRow->addWidget(spbUp);
    topRow->addWidget(spbNew);
    panelLayout->addLayout(topRow, 0, 0);
    panelLayout->addWidget(cbxSelectedDir, 1, 0);
    auto *bottomRow = new QHBoxLayout;
    bottomRow->addWidget(laVolHint, 1);
    bottomRow->addWidget(btbOK);
    bottomRow->addWidget(btbCancel);
    panelLayout->addLayout(bottomRow, 2, 0);
}

void TShellDirDialog::BuildFilePanel()
{
    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    ShellListView = new QTreeView(PanelRight);
    ShellListView->setObjectName(QStringLiteral("ShellListView"));
    ShellListView->setRootIsDecorated(false);
    ShellListView->setItemsExpandable(false);
    ShellListView->setUniformRowHeights(true);
    ShellListView->setAllColumnsShowFocus(true);
    ShellListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ShellListView->setSortingEnabled(true);
    ShellListView->header()->setStretchLastSection(false);
    auto *rightLayout = new QVBoxLayout(PanelRight);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(ShellListView);
}

void TShellDirDialog::BuildMenu()
{
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    itmCreate = PopupMenu->addAction(ND_("Create folder"));
    itmCreate->setObjectName(QStringLiteral("itmCreate"));
    itmCreate->setIcon(spbNew->icon());
    itmDelete = PopupMenu->addAction(ND_("Delete folder"));
    itmDelete->setObjectName(QStringLiteral("itmDelete"));
    itmDelete->setIcon(ThemeIcon({QStringLiteral("edit-delete")}, QStyle::SP_TrashIcon, this));
    PopupMenu->addSeparator();
    itmUpdate = PopupMenu->addAction(ND_("Update"));
    itmUpdate->setObjectName(QStringLiteral("itmUpdate"));
    itmUpdate->setIcon(
        ThemeIcon({QStringLiteral("view-refresh-symbolic"), QStringLiteral("view-refresh")},
                  QStyle::SP_BrowserReload, this));
    itmUpdate->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(itmUpdate);
    cancel1 = PopupMenu->addAction(ND_("Cancel"));
    cancel1->setObjectName(QStringLiteral("cancel1"));
}

void TShellDirDialog::ConnectEvents()
{
    connect(ShellTreeView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TShellDirDialog::TreeSelectionChanged);
    connect(ShellTreeView, &QTreeView::customContextMenuRequested, this,
            &TShellDirDialog::TreeContextMenu);
    connect(cbxFiles, &QCheckBox::clicked, this, [this](bool on) { ShowFileView(on); });
    connect(spbHome, &QToolButton::clicked, this, &TShellDirDialog::spbHomeClick);
    connect(spbUp, &QToolButton::clicked, this, &TShellDirDialog::spbUpClick);
    connect(spbNew, &QToolButton::clicked, this, &TShellDirDialog::spbNewClick);
    connect(itmCreate, &QAction::triggered, this, &TShellDirDialog::spbNewClick);
    connect(itmDelete, &QAction::triggered, this, &TShellDirDialog::itmDeleteClick);
    connect(itmUpdate, &QAction::triggered, this, &TShellDirDialog::itmUpdateClick);
    connect(cbxSelectedDir->lineEdit(), &QLineEdit::textEdited, this,
            &TShellDirDialog::cbxSelectedDirChange);
    connect(cbxSelectedDir, &QComboBox::activated, this,
            [this](int index) { GoToDirectory(cbxSelectedDir->itemText(index)); });
    connect(btbOK, &QPushButton::clicked, this, &TShellDirDialog::btbOKClick);
    connect(btbCancel, &QPushButton::clicked, this, &TShellDirDialog::reject);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] {
        NoteWidths();
        SetFileColumns();
    });
    ShellTreeView->installEventFilter(this);
    ShellTreeView->viewport()->installEventFilter(this);
    ShellListView->viewport()->installEventFilter(this);
    cbxSelectedDir->lineEdit()->installEventFilter(this);
}
