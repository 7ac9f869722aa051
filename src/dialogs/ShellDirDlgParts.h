#pragma once

#include <QComboBox>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>

// The pieces of the directory chooser that are no window: folder helpers,
// the models of tree and file list, the history box.

// Where the folder tree starts: the user's desktop folder, the documents
// folder, the whole file system, the mounted network file systems, or a
// folder of its own.
enum TRootFolder
{
    rfDesktop,
    rfPersonal,
    rfMyComputer,
    rfNetwork,
    rfPath
};

// "<free> free of <total>" for the volume holding the directory; empty when
// the system cannot tell.
QString FreeSpaceText(const QString &dir);

// The tree's view of the file system: the top folder as the single top
// item and, when restricted, below it only the way to the given folders.
class TFolderFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetTop(const QString &top, const QStringList &only);
    const QString &Top() const { return FTop; }
    // The folder whose only visible child is the top folder ("" above "/").
    const QString &TopParent() const { return FTopParent; }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override;

private:
    QString FTop;
    QString FTopParent;
    QStringList FOnly;
};

// The file list: the files of one folder, or none. Sorting is the file
// system model's own (sizes as numbers, dates as dates).
class TFileFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetEmpty(bool empty);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override;

private:
    bool FEmpty = true;
};

// The history box: an edit field that drops the history down, and is a
// plain edit field while there is no history.
class TDirComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
    // Without a history the edit field takes the whole box.
    void FitEditField();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

// True when path lies below base (not base itself).
bool IsBelowDir(const QString &path, const QString &base);
// A typed or stored directory in the form the tree uses: absolute, without
// trailing delimiter, "." and ".." resolved; empty for anything else.
QString CleanDir(const QString &dir);
bool IsExistingDir(const QString &dir);
// The user's desktop and documents folders, the home folder when missing.
QString DesktopFolder();
QString DocumentsFolder();
// The deepest folder that holds all the paths.
QString CommonAncestor(const QStringList &paths);
// A folder where a volume is mounted (a link to one is no mount point).
bool IsMountPoint(const QString &dir);
bool IsOnNetwork(const QString &dir);
