#pragma once

#include "dialogs/ShellDirDlgParts.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QFileIconProvider;
class QFileSystemModel;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTimer;
class QToolButton;
class QTreeView;
class TUnicodeIniFile;

// Chooses a directory in a tree of folders, with an optional list of the
// chosen folder's files; creates and deletes folders; remembers the last
// 15 choices, its place and its panel widths in a section of the catalogue
// file, written with the catalogue. Created once and reused.
class TShellDirDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxHistory = 15;

    explicit TShellDirDialog(QWidget *parent = nullptr);
    ~TShellDirDialog() override;

    // Binds the dialog to a section of the settings and reads it.
    void LoadFromIni(const TUnicodeIniFile &ini, const QString &Section);
    // Writes history, place and panel widths into the bound section
    // (replacing it) when the dialog has been used since it was read or
    // last written.
    void SaveToIni(TUnicodeIniFile &ini);

    // Shows the dialog modally. True for OK; Dir then holds the chosen
    // directory with a trailing delimiter.
    bool Execute(const QString &ATitle, bool Hidden, bool FileView, bool ZipAsFiles,
                 const QString &HomeDir, QString &Dir);
    // The steps of Execute around the modal loop, for tests that drive the
    // window without one.
    void Prepare(const QString &ATitle, bool Hidden, bool FileView, bool ZipAsFiles,
                 const QString &HomeDir, const QString &Dir);
    // The chosen directory with a trailing delimiter (empty stays empty).
    QString ChosenDir() const;

    void AddToHistory(const QString &d);
    void RemoveFromHistory(const QString &d);
    const QStringList &History() const { return DirList; }

    void GoToDirectory(const QString &d);
    // The folder selected in the tree; empty without a selection.
    QString SelectedPath() const;
    TRootFolder Root() const { return FRoot; }
    QString TopFolder() const;

    // The window's parts, open to the tests.
    QWidget *PanelLeft;
    QWidget *panRoot;
    QToolButton *spbDesktop;
    QToolButton *spbMyFiles;
    QToolButton *spbComputer;
    QToolButton *spbNetwork;
    QTreeView *ShellTreeView;
    QWidget *Panel1;
    QLabel *Label1;
    QCheckBox *cbxFiles;
    QToolButton *spbHome;
    QToolButton *spbUp;
    QToolButton *spbNew;
    TDirComboBox *cbxSelectedDir;
    QLabel *laVolHint;
    QPushButton *btbOK;
    QPushButton *btbCancel;
    QWidget *PanelRight;
    QTreeView *ShellListView;
    QSplitter *Splitter;
    QMenu *PopupMenu;
    QAction *itmCreate;
    QAction *itmDelete;
    QAction *itmUpdate;
    QAction *cancel1;

    void SetRoot(TRootFolder root, const QString &path = QString());
    void ShowFileView(bool on);
    void spbUpClick();
    void spbHomeClick();
    void spbNewClick();
    void itmDeleteClick();
    void itmUpdateClick();
    void btbOKClick();
    void cbxSelectedDirChange(const QString &text);

public slots:
    void done(int r) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Design sizes at 96 pixels per inch.
    static constexpr int MinPanelWidth = 200;

    void BuildRootPanel();
    void BuildBottomPanel();
    void BuildFilePanel();
    void BuildMenu();
    void ConnectEvents();
    void CreateModels();
    QModelIndex TreeIndexOf(const QString &path) const;
    QString PathOf(const QModelIndex &treeIndex) const;
    void SelectPath(const QString &path);
    void ApplyPending();
    void DirectoryLoaded(const QString &dir);
    static QString ShownPathOf(const QString &folder);
    void TreeSelectionChanged();
    void TreeContextMenu(const QPoint &pos);
    QStringList ExpandedFolders() const;
    void UpdateOkButton();
    void UpdateCommands();
    void UpdateFiles();
    void SetFileColumns();
    void RefillHistory();
    bool CanDelete(const QString &dir) const;
    void ApplyWidths();
    void NoteWidths();
    void NoteGeometry();
    void FocusTree();

    std::unique_ptr<QFileIconProvider> FIcons;
    QFileSystemModel *FFolders = nullptr;
    QFileSystemModel *FFiles = nullptr;
    TFolderFilter *FTree = nullptr;
    TFileFilter *FFileList = nullptr;
    QString FShownFiles;
    QButtonGroup *FRootButtons = nullptr;
    TRootFolder FRoot = rfMyComputer;
    QString FDefaultDir;
    QString FIniSection;
    // Closed or its history changed since the section was read or written.
    bool FSettingsChanged = false;
    QStringList DirList;
    QString FPending;
    // The tree went to a typed folder: the typed text stays as it is.
    bool FPendingTyped = false;
    bool FKeepText = false;
    QTimer *FFollowTimer = nullptr;
    bool FHidden = false;
    bool FFileView = false;
    int FTop = 0;
    int FLeft = 0;
    int FDirWidth = 0;
    int FFileWidth = 0;
};
