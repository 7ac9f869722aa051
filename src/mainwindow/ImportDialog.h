#pragma once

#include "import/ImportPlan.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTableView;

// The review list of an import: one row per proposal, with a check box and
// the editable name, program and category. Proposals already in the
// catalogue are shown greyed and cannot be checked.
class TImportListModel : public QAbstractTableModel
{
public:
    enum TColumn
    {
        colName,
        colProgram,
        colCategory,
        colFolder,
        colNote,
        colCount
    };
    using QAbstractTableModel::QAbstractTableModel;

    void Append(std::vector<TImportProposal> proposals);
    void Clear();
    const std::vector<TImportProposal> &Proposals() const { return m_proposals; }
    void SetAllChecked(bool checked);
    // Checks the rows when the first of them is unchecked, else unchecks them.
    void ToggleChecked(const QList<int> &rows);
    // The rows whose category is still from were taken with an earlier
    // choice of the import's category: they follow the new one.
    void ReplaceCategory(const QString &from, const QString &to);
    int CheckedCount() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TImportProposal> m_proposals;
};

// Application → Import…: folders and DOSBox configuration files are scanned
// (with a progress window that can be cancelled) into the review list; OK
// hands the checked proposals to the caller, which adds them.
class TImportDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TImportDialog(QWidget *parent = nullptr);

    // Chooses a folder to scan (the program's directory chooser); false for
    // Cancel. Set by the main window, replaced in tests.
    std::function<bool(const QString &title, QString &dir)> ChooseFolder;
    // The folder choices start in; usually the global root path.
    QString RootPath;

    // Shows the dialog for a catalogue of apps with these categories, the
    // category preset to category. On OK, proposals are the ones to add.
    bool Execute(const QStringList &categories, const QString &category, const TAppList &apps,
                 std::vector<TImportProposal> &proposals);

    // The steps of Execute around the modal loop, for tests.
    void Fill(const QStringList &categories, const QString &category, const TAppList &apps);
    std::vector<TImportProposal> Result() const;
    // Scans paths and appends what they hold to the list; false when the
    // user cancelled the scan (what was found so far is kept).
    bool ScanPaths(const QStringList &paths);
    void btAddFolderClick();
    void btAddConfClick();
    // Space in the list: the check boxes of the selected rows.
    void ToggleSelected();

    TImportListModel *Model() const { return m_model; }

    QComboBox *cbCategory = nullptr;
    QPushButton *btAddFolder = nullptr;
    QPushButton *btAddConf = nullptr;
    QPushButton *btCheckAll = nullptr;
    QPushButton *btCheckNone = nullptr;
    QTableView *lvProposals = nullptr;
    QLabel *laNote = nullptr;
    QLabel *laSummary = nullptr;
    QDialogButtonBox *bbButtons = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void UpdateSummary();
    void FitColumns();

    TImportListModel *m_model = nullptr;
    const TAppList *m_apps = nullptr;
    QStringList m_categories;
    QString m_category; // the import's category as the rows have it
    int m_unreadable = 0;
};
