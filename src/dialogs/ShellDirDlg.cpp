#include "dialogs/ShellDirDlg.h"

#include "dialogs/InputString.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectDlg.h"
#include "dialogs/WinUtils.h"
#include "support/DirectoryTree.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemDrives.h"
#include "support/SystemShell.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace {
const QString Slash = QStringLiteral("/");
} // namespace

void TShellDirDialog::CreateModels()
{
    // Also the way to re-read folders the system did not report as changed.
    const QDir::Filters hidden = FHidden ? QDir::Hidden | QDir::System : QDir::Filters();
    // The desktop theme's folder and file pictures, the style's where there
    // is no theme; the models' own provider shows none without a theme.
    if (!FIcons)
        FIcons = std::make_unique<QFileIconProvider>();
    auto *folders = new QFileSystemModel(this);
    folders->setIconProvider(FIcons.get());
    folders->setReadOnly(true);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives | hidden);
    connect(folders, &QFileSystemModel::directoryLoaded, this, &TShellDirDialog::DirectoryLoaded);
    auto *files = new QFileSystemModel(this);
    files->setIconProvider(FIcons.get());
    files->setReadOnly(true);
    files->setFilter(QDir::Files | hidden);
    FTree->setSourceModel(folders);
    FFileList->setSourceModel(files);
    if (FFolders)
        FFolders->deleteLater();
    if (FFiles)
        FFiles->deleteLater();
    FFolders = folders;
    FFiles = files;
    FShownFiles.clear();
    // The tree shows names only.
    for (int column = 1; column < folders->columnCount(); ++column)
        ShellTreeView->setColumnHidden(column, true);
}

QModelIndex TShellDirDialog::TreeIndexOf(const QString &path) const
{
    if (path.isEmpty())
        return QModelIndex();
    const QModelIndex source = FFolders->index(path);
    return source.isValid() ? FTree->mapFromSource(source) : QModelIndex();
}

QString TShellDirDialog::PathOf(const QModelIndex &treeIndex) const
{
    return treeIndex.isValid() ? FFolders->filePath(FTree->mapToSource(treeIndex)) : QString();
}

QString TShellDirDialog::SelectedPath() const
{
    return PathOf(ShellTreeView->selectionModel()->currentIndex());
}

QString TShellDirDialog::TopFolder() const
{
    return FTree->Top();
}

void TShellDirDialog::SetRoot(TRootFolder root, const QString &path)
{
    QString top;
    QStringList only;
    switch (root) {
    case rfDesktop:
        top = DesktopFolder();
        break;
    case rfPersonal:
        top = DocumentsFolder();
        break;
    case rfMyComputer:
        top = Slash;
        break;
    case rfNetwork:
        only = NetworkMountPoints();
        top = CommonAncestor(only);
        if (only.size() == 1)
            only.clear();
        break;
    case rfPath:
        top = CleanDir(path);
        break;
    }
    if (!IsExistingDir(top)) {
        root = rfMyComputer;
        top = Slash;
        only.clear();
    }
    FRoot = root;
    FPending.clear();
    FPendingTyped = false;
    ShellTreeView->selectionModel()->clear();
    FFolders->setRootPath(top);
    FTree->SetTop(top, only);
    ShellTreeView->setRootIndex(TreeIndexOf(FTree->TopParent()));
    ShellTreeView->expand(TreeIndexOf(top));
    ShellTreeView->scrollToTop();

    if (root == rfPath) {
        FRootButtons->setExclusive(false);
        for (QAbstractButton *b : FRootButtons->buttons())
            b->setChecked(false);
        FRootButtons->setExclusive(true);
    } else {
        FRootButtons->button(root)->setChecked(true);
    }
    TreeSelectionChanged();
}

void TShellDirDialog::SelectPath(const QString &path)
{
    FPending = path;
    FPendingTyped = false;
    ApplyPending();
}

void TShellDirDialog::ApplyPending()
{
    const QModelIndex index = TreeIndexOf(FPending);
    if (!index.isValid())
        return;
    ShellTreeView->setCurrentIndex(index);
    ShellTreeView->expand(index);
    ShellTreeView->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

// Folders load in the background: the way to a folder the tree was sent to
// is kept in view while its parts arrive.
void TShellDirDialog::DirectoryLoaded(const QString &dir)
{
    if (!FPending.isEmpty() && (FPending == dir || IsBelowDir(FPending, dir))) {
        ApplyPending();
        // Sorting and further rows follow the load; scroll once they are in.
        FFollowTimer->start();
    }
}

QString TShellDirDialog::ShownPathOf(const QString &folder)
{
    const QFileInfo info(folder);
    // A linked folder stands for its target.
    return info.isSymLink() ? CleanDir(info.symLinkTarget()) : folder;
}

void TShellDirDialog::TreeSelectionChanged()
{
    const QString folder = SelectedPath();
    if (folder.isEmpty()) {
        laVolHint->clear();
    } else {
        const QString shown = ShownPathOf(folder);
        if (!FPendingTyped && !FKeepText)
            cbxSelectedDir->setEditText(shown);
        laVolHint->setText(FreeSpaceText(shown));
    }
    UpdateOkButton();
    UpdateFiles();
    UpdateCommands();
}

void TShellDirDialog::UpdateOkButton()
{
    btbOK->setEnabled(IsExistingDir(cbxSelectedDir->currentText()));
}

void TShellDirDialog::UpdateCommands()
{
    const QString folder = SelectedPath();
    const bool isDir = !folder.isEmpty() && QFileInfo(folder).isDir();
    itmCreate->setEnabled(isDir);
    spbNew->setEnabled(isDir);
    itmDelete->setEnabled(CanDelete(folder));
}

// Deleting these would take the system, the user's home or a whole volume.
bool TShellDirDialog::CanDelete(const QString &dir) const
{
    if (dir.isEmpty() || dir == Slash || dir == FTree->Top() || !QFileInfo(dir).exists())
        return false;
    const QString home = CleanDir(QDir::homePath());
    if (dir == home || IsBelowDir(home, dir))
        return false;
    return !IsMountPoint(dir);
}

void TShellDirDialog::UpdateFiles()
{
    if (!PanelRight->isVisibleTo(this)) {
        FShownFiles.clear();
        return;
    }
    const QString folder = SelectedPath();
    const QString dir = folder.isEmpty() ? QString() : ShownPathOf(folder);
    if (dir == FShownFiles && !dir.isEmpty())
        return;
    FShownFiles = dir;
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        FFileList->SetEmpty(true);
        ShellListView->setRootIndex(QModelIndex());
        return;
    }
    FFiles->setRootPath(dir);
    FFileList->SetEmpty(false);
    ShellListView->setRootIndex(FFileList->mapFromSource(FFiles->index(dir)));
    SetFileColumns();
}

void TShellDirDialog::SetFileColumns()
{
    if (!PanelRight->isVisibleTo(this))
        return;
    // Size, type and date get room for their usual texts, the name the rest.
    const QFontMetrics metrics = ShellListView->fontMetrics();
    const int unit = metrics.averageCharWidth();
    const QString sampleDate = QLocale::system().toString(
        QDateTime(QDate(2000, 12, 28), QTime(23, 59, 59)), QLocale::ShortFormat);
    QHeaderView *header = ShellListView->header();
    // Never narrower than their (translated) headings.
    const int size = qMax(12 * unit, header->sectionSizeHint(1));
    const int type = qMax(15 * unit, header->sectionSizeHint(2));
    const int date = std::max(
        {17 * unit, metrics.horizontalAdvance(sampleDate) + 3 * unit, header->sectionSizeHint(3)});
    const int width = ShellListView->viewport()->width();
    header->resizeSection(0, qMax(width - size - type - date, 12 * unit));
    header->resizeSection(1, size);
    header->resizeSection(2, type);
    header->resizeSection(3, date);
}

void TShellDirDialog::GoToDirectory(const QString &d)
{
    QString dir = d.isEmpty() ? FDefaultDir : d;
    if (dir.isEmpty()) {
        SetRoot(rfDesktop);
        return;
    }
    dir = CleanDir(dir);
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        dir = DocumentsFolder();
        if (!QFileInfo(dir).isDir())
            dir = QDir::currentPath();
        SetRoot(rfMyComputer);
    } else if (IsOnNetwork(dir)) {
        SetRoot(rfNetwork);
    } else {
        SetRoot(rfMyComputer);
    }
    SelectPath(dir);
}

void TShellDirDialog::cbxSelectedDirChange(const QString &text)
{
    // The tree follows what is typed as far as it names a folder; the text
    // itself stays as typed.
    const QString dir = CleanDir(text);
    if (!dir.isEmpty() && QFileInfo(dir).isDir() && dir != CleanDir(SelectedPath())) {
        FKeepText = true;
        GoToDirectory(dir);
        FKeepText = false;
        FPendingTyped = true;
    }
    UpdateOkButton();
}

void TShellDirDialog::FocusTree()
{
    const QModelIndex current = ShellTreeView->selectionModel()->currentIndex();
    if (current.isValid())
        ShellTreeView->scrollTo(current);
    ShellTreeView->setFocus();
}

void TShellDirDialog::spbUpClick()
{
    const QString folder = SelectedPath();
    if (folder.isEmpty() || folder == Slash) {
        SetRoot(rfMyComputer);
        if (!folder.isEmpty())
            SelectPath(folder);
    } else if (FRoot == rfPersonal || folder == FTree->Top()) {
        // Above the top of this tree: on in the whole file system.
        const QString parent = ParentDir(folder);
        SetRoot(rfMyComputer);
        SelectPath(parent);
    } else {
        SelectPath(ParentDir(folder));
    }
    FocusTree();
}

void TShellDirDialog::spbHomeClick()
{
    const QString dir = CleanDir(FDefaultDir);
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir() || !info.isExecutable()) {
        ErrorDialog(SafeFormat(D_("Directory not found:\r\n%s!"), FDefaultDir));
        RemoveFromHistory(FDefaultDir);
    } else if (FRoot == rfNetwork || (dir != Slash && IsMountPoint(dir))) {
        SetRoot(rfPath, dir);
        SelectPath(dir);
    } else {
        SetRoot(rfMyComputer);
        SelectPath(dir);
    }
    FocusTree();
}

void TShellDirDialog::spbNewClick()
{
    const QString base = SelectedPath();
    if (base.isEmpty() || !QFileInfo(base).isDir())
        return;
    QString name;
    if (!InputText(CenterPos, base, D_("New subdirectory:"), name) || name.isEmpty()) {
        FocusTree();
        return;
    }
    const QString dir = QDir::cleanPath(base + Slash + name);
    if (QDir().mkpath(dir) && QFileInfo(dir).isDir()) {
        SetRoot(rfMyComputer);
        SelectPath(dir);
    } else {
        ErrorDialog(SafeFormat(D_("Could not create directory:\r\n%s!"), dir));
    }
    FocusTree();
}

void TShellDirDialog::itmDeleteClick()
{
    const QString dir = SelectedPath();
    if (!CanDelete(dir))
        return;
    const int answer = SelectOptionDialog(
        D_("Delete directory"), SafeFormat(D_("Delete \"%s\""), dir), mdtConfirm, TFontStyles(),
        TButtonArray{D_("Delete permanently"), D_("Move to Trash")});
    if (answer < 0)
        return;
    spbUpClick();
    bool deleted = false;
    if ((answer & 0xFF) == 1) {
        deleted = MoveDirToRecycleBin(dir) == 0;
        if (deleted)
            InfoDialog(SafeFormat(D_("%s moved to the Trash."), dir));
    } else {
        TDeleteCounts counts;
        deleted = DeleteDirectoryTree(dir, QString(), true, counts);
        if (deleted)
            InfoDialog(SafeFormat(
                // TRANSLATORS: %s is the number of files ("%u files" below).
                DNG_("%u directory with %s deleted!", "%u directories with %s deleted!",
                     counts.Dirs),
                unsigned(counts.Dirs),
                SafeFormat(DNG_("%u file", "%u files", counts.Files), unsigned(counts.Files))));
    }
    if (deleted)
        RemoveFromHistory(dir);
    else
        ErrorDialog(SafeFormat(D_("Error deleting directory:\r\n%s!"), dir));
    itmUpdateClick();
}

QStringList TShellDirDialog::ExpandedFolders() const
{
    QStringList expanded;
    QList<QModelIndex> todo{ShellTreeView->rootIndex()};
    while (!todo.isEmpty()) {
        const QModelIndex parent = todo.takeLast();
        for (int row = 0; row < FTree->rowCount(parent); ++row) {
            const QModelIndex child = FTree->index(row, 0, parent);
            if (ShellTreeView->isExpanded(child)) {
                expanded.append(PathOf(child));
                todo.append(child);
            }
        }
    }
    return expanded;
}

void TShellDirDialog::itmUpdateClick()
{
    const QString selected = SelectedPath();
    const QStringList expanded = ExpandedFolders();
    const TRootFolder root = FRoot;
    const QString top = FTree->Top();
    CreateModels();
    spbNetwork->setEnabled(!NetworkMountPoints().isEmpty());
    SetRoot(root, top);
    for (const QString &folder : expanded)
        ShellTreeView->expand(TreeIndexOf(folder));
    if (!selected.isEmpty())
        SelectPath(selected);
    UpdateFiles();
}

void TShellDirDialog::TreeContextMenu(const QPoint &pos)
{
    const QModelIndex index = ShellTreeView->indexAt(pos);
    if (index.isValid()) {
        FPending.clear();
        ShellTreeView->setCurrentIndex(index);
    }
    // The folders shown are watched, so the tree is current without being
    // read again each time the menu opens (which would collapse it).
    UpdateCommands();
    PopupMenu->popup(ShellTreeView->viewport()->mapToGlobal(pos));
}

void TShellDirDialog::ShowFileView(bool on)
{
    NoteWidths();
    PanelRight->setVisible(on);
    ApplyWidths();
    if (on) {
        const QString typed = CleanDir(cbxSelectedDir->currentText());
        if (!typed.isEmpty() && QFileInfo(typed).isDir() && typed != ShownPathOf(SelectedPath()))
            GoToDirectory(typed);
    }
    UpdateFiles();
    const QString folder = SelectedPath();
    if (!folder.isEmpty() && !FPendingTyped)
        cbxSelectedDir->setEditText(ShownPathOf(folder));
    laVolHint->setText(FreeSpaceText(CleanDir(cbxSelectedDir->currentText())));
    UpdateOkButton();
}

void TShellDirDialog::NoteWidths()
{
    if (!isVisible())
        return;
    FDirWidth = PanelLeft->width();
    if (PanelRight->isVisible())
        FFileWidth = PanelRight->width();
}

void TShellDirDialog::NoteGeometry()
{
    NoteWidths();
    if (isVisible()) {
        FTop = y();
        FLeft = x();
    }
}

void TShellDirDialog::ApplyWidths()
{
    const QMargins margins = layout()->contentsMargins();
    int width = FDirWidth + margins.left() + margins.right();
    if (PanelRight->isVisibleTo(this)) {
        width += Splitter->handleWidth() + FFileWidth;
        Splitter->setSizes({FDirWidth, FFileWidth});
    }
    resize(width, height());
    SetFileColumns();
}

namespace {

// History entries compare without regard to case or a trailing delimiter.
bool SameHistoryEntry(const QString &a, const QString &b)
{
    if (SameText(a, b))
        return true;
    const QString cleanA = CleanDir(a);
    return !cleanA.isEmpty() && SameText(cleanA, CleanDir(b));
}

} // namespace

void TShellDirDialog::AddToHistory(const QString &d)
{
    if (d.isEmpty())
        return;
    const auto same = [&d](const QString &entry) { return SameHistoryEntry(entry, d); };
    const auto found = std::find_if(DirList.begin(), DirList.end(), same);
    if (found != DirList.end())
        DirList.erase(found);
    while (DirList.size() >= MaxHistory)
        DirList.removeLast();
    DirList.prepend(d);
    FSettingsChanged = true;
    RefillHistory();
}

void TShellDirDialog::RemoveFromHistory(const QString &d)
{
    const auto same = [&d](const QString &entry) { return SameHistoryEntry(entry, d); };
    const auto found = std::find_if(DirList.begin(), DirList.end(), same);
    if (found == DirList.end())
        return;
    DirList.erase(found);
    FSettingsChanged = true;
    RefillHistory();
}

void TShellDirDialog::RefillHistory()
{
    // The text in the field is the current choice, not a history entry.
    const QString text = cbxSelectedDir->currentText();
    {
        const QSignalBlocker blocker(cbxSelectedDir);
        cbxSelectedDir->clear();
        cbxSelectedDir->addItems(DirList);
        cbxSelectedDir->setCurrentIndex(-1);
        cbxSelectedDir->setEditText(text);
    }
    cbxSelectedDir->FitEditField();
    cbxSelectedDir->updateGeometry();
    cbxSelectedDir->update();
}

void TShellDirDialog::LoadFromIni(const TUnicodeIniFile &ini, const QString &Section)
{
    FIniSection = Section;
    // Without a section (a first run) the dialog keeps what it has, so that
    // a choice made before it was bound is written with the next save.
    if (Section.isEmpty() || !ini.SectionExists(Section))
        return;
    DirList.clear();
    for (int i = 0; i < MaxHistory; ++i) {
        const QString entry = ini.ReadString(Section, QStringLiteral("History%1").arg(i));
        const bool known =
            std::any_of(DirList.cbegin(), DirList.cend(),
                        [&entry](const QString &e) { return SameHistoryEntry(e, entry); });
        if (!entry.isEmpty() && !known)
            DirList.append(entry);
    }
    const QPoint place = ReadWindowBounds(ini, Section, QRect(x(), 0, 0, 0)).topLeft();
    FTop = place.y();
    FLeft = place.x();
    // Widths from a damaged file must still leave a usable window.
    const int maxWidth = screen() ? screen()->availableGeometry().width() : 4096;
    const int minWidth = ScaleByDpi(MinPanelWidth, this);
    FDirWidth = qBound(minWidth, ini.ReadInteger(Section, u"DirWidth", FDirWidth), maxWidth);
    FFileWidth = qBound(minWidth / 2, ini.ReadInteger(Section, u"FileWidth", FFileWidth), maxWidth);
    cbxFiles->setChecked(ini.ReadBool(Section, u"Fileview", false));
    RefillHistory();
    FSettingsChanged = false;
}

void TShellDirDialog::SaveToIni(TUnicodeIniFile &ini)
{
    // A dialog not used since its section was read leaves it as it was.
    if (FIniSection.isEmpty() || !FSettingsChanged)
        return;
    NoteGeometry();
    ini.EraseSectionValues(FIniSection);
    for (int i = 0; i < DirList.size(); ++i)
        ini.WriteString(FIniSection, QStringLiteral("History%1").arg(i), DirList.at(i));
    WriteWindowBounds(ini, FIniSection, QRect(FLeft, FTop, 0, 0), false);
    ini.WriteInteger(FIniSection, u"DirWidth", FDirWidth);
    ini.WriteInteger(FIniSection, u"FileWidth", FFileWidth);
    ini.WriteBool(FIniSection, u"Fileview", cbxFiles->isChecked());
    FSettingsChanged = false;
}

void TShellDirDialog::Prepare(const QString &ATitle, bool Hidden, bool FileView, bool ZipAsFiles,
                              const QString &HomeDir, const QString &Dir)
{
    // Archives are plain files here: the tree never lists them, the file list always.
    Q_UNUSED(ZipAsFiles);
    setWindowTitle(ATitle);
    FDefaultDir = HomeDir;
    if (Hidden != FHidden) {
        FHidden = Hidden;
        CreateModels();
    }
    spbNetwork->setEnabled(!NetworkMountPoints().isEmpty());
    cbxSelectedDir->setEditText(QString());
    GoToDirectory(Dir);
    // A folder the tree does not show (a hidden one) is still the choice.
    const QString start = CleanDir(Dir);
    if (SelectedPath().isEmpty() && !start.isEmpty() && QFileInfo(start).isDir())
        cbxSelectedDir->setEditText(start);
    laVolHint->setText(FreeSpaceText(CleanDir(cbxSelectedDir->currentText())));

    FFileView = FileView;
    cbxFiles->setVisible(FileView);
    PanelRight->setVisible(FileView && cbxFiles->isChecked());
    ApplyWidths();
    UpdateFiles();

    spbHome->setVisible(!FDefaultDir.isEmpty());
    spbHome->setToolTip(D_("Default: ") + FDefaultDir);
    RefillHistory();
    UpdateOkButton();
    UpdateCommands();
    // Centred over the window it chooses for; the stored place is kept in
    // the file but a chooser far from its dialog is easily lost.
    PlaceFormAt(this, CenterPos);
}

QString TShellDirDialog::ChosenDir() const
{
    return DirWithDelimiter(CleanDir(cbxSelectedDir->currentText()));
}

bool TShellDirDialog::Execute(const QString &ATitle, bool Hidden, bool FileView, bool ZipAsFiles,
                              const QString &HomeDir, QString &Dir)
{
    Prepare(ATitle, Hidden, FileView, ZipAsFiles, HomeDir, Dir);
    if (exec() != mrOk)
        return false;
    Dir = ChosenDir();
    return true;
}

void TShellDirDialog::btbOKClick()
{
    const QString dir = CleanDir(cbxSelectedDir->currentText());
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return;
    cbxSelectedDir->setEditText(dir);
    AddToHistory(dir);
    done(mrOk);
}

void TShellDirDialog::done(int r)
{
    NoteGeometry();
    FSettingsChanged = true;
    QDialog::done(r);
}

void TShellDirDialog::reject()
{
    done(mrCancel);
}

void TShellDirDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FitFormToWorkArea(this);
    SetFileColumns();
    FocusTree();
}

void TShellDirDialog::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        btbOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TShellDirDialog::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == ShellTreeView || watched == ShellTreeView->viewport()) {
        // The user takes over: the tree no longer follows an earlier target.
        if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Wheel) {
            FPending.clear();
            FPendingTyped = false;
        }
    } else if (watched == ShellListView->viewport() && type == QEvent::Resize) {
        SetFileColumns();
    } else if (watched == cbxSelectedDir->lineEdit() && type == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            btbOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
