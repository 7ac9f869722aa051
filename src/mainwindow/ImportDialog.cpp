#include "mainwindow/ImportDialog.h"

#include "catalogue/Catalogue.h"
#include "dialogs/FileOpenDialog.h"
#include "dialogs/WinUtils.h"
#include "localisation/ui/TranslateComponent.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Program and category are chosen from their lists or typed.
class TChoiceDelegate : public QStyledItemDelegate
{
public:
    TChoiceDelegate(TImportListModel *model, const QStringList *categories, QObject *parent)
        : QStyledItemDelegate(parent), m_model(model), m_categories(categories)
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        if (index.column() != TImportListModel::colProgram &&
            index.column() != TImportListModel::colCategory)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(index.column() == TImportListModel::colProgram
                            ? m_model->Proposals().at(size_t(index.row())).Programs
                            : *m_categories);
        return combo;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            combo->setEditText(index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            model->setData(index, combo->currentText(), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    TImportListModel *m_model;
    const QStringList *m_categories;
};

QString ProgramCell(const TImportProposal &p)
{
    if (p.UsesConf)
        return QDir::toNativeSeparators(QFileInfo(p.ConfFile).fileName());
    return p.Parameters.isEmpty() ? p.Program : p.Program + u' ' + p.Parameters;
}

} // namespace

void TImportListModel::Append(std::vector<TImportProposal> proposals)
{
    if (proposals.empty())
        return;
    beginInsertRows({}, rowCount(), rowCount() + int(proposals.size()) - 1);
    for (TImportProposal &p : proposals)
        m_proposals.push_back(std::move(p));
    endInsertRows();
}

void TImportListModel::Clear()
{
    beginResetModel();
    m_proposals.clear();
    endResetModel();
}

void TImportListModel::SetAllChecked(bool checked)
{
    for (TImportProposal &p : m_proposals)
        p.Checked = checked && !p.Present;
    if (!m_proposals.empty())
        emit dataChanged(index(0, colName), index(rowCount() - 1, colName), {Qt::CheckStateRole});
}

void TImportListModel::ToggleChecked(const QList<int> &rows)
{
    const auto checkable = [&](int row) {
        return row >= 0 && row < rowCount() && !m_proposals.at(size_t(row)).Present;
    };
    const auto first = std::find_if(rows.cbegin(), rows.cend(), checkable);
    if (first == rows.cend())
        return;
    const bool check = !m_proposals.at(size_t(*first)).Checked;
    for (const int row : rows) {
        if (checkable(row))
            setData(index(row, colName), check ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
}

void TImportListModel::ReplaceCategory(const QString &from, const QString &to)
{
    for (TImportProposal &p : m_proposals) {
        if (!p.Present && p.Category == from)
            p.Category = to;
    }
    if (!m_proposals.empty())
        emit dataChanged(index(0, colCategory), index(rowCount() - 1, colCategory));
}

int TImportListModel::CheckedCount() const
{
    return int(std::count_if(m_proposals.cbegin(), m_proposals.cend(),
                             [](const TImportProposal &p) { return p.Checked && !p.Present; }));
}

int TImportListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_proposals.size());
}

int TImportListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : colCount;
}

QVariant TImportListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TImportProposal &p = m_proposals.at(size_t(index.row()));
    if (role == Qt::CheckStateRole && index.column() == colName)
        return p.Checked && !p.Present ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ForegroundRole && p.Present)
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    if (role == Qt::ToolTipRole && index.column() == colFolder)
        return QDir::toNativeSeparators(p.AppPath);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case colName:
        return p.Name;
    case colProgram:
        return role == Qt::EditRole ? p.Program : ProgramCell(p);
    case colCategory:
        return p.Category.isEmpty() && role != Qt::EditRole ? DefaultCategoryName() : p.Category;
    case colFolder:
        return QDir::toNativeSeparators(p.AppPath);
    case colNote:
        return p.Present ? _("Already in the catalogue.") : p.Note;
    default:
        return {};
    }
}

bool TImportListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    TImportProposal &p = m_proposals.at(size_t(index.row()));
    if (p.Present)
        return false;
    if (role == Qt::CheckStateRole && index.column() == colName) {
        p.Checked = value.toInt() == Qt::Checked;
    } else if (role == Qt::EditRole && index.column() == colName) {
        if (value.toString().trimmed().isEmpty())
            return false;
        p.Name = value.toString().trimmed();
    } else if (role == Qt::EditRole && index.column() == colProgram && !p.UsesConf) {
        p.Program = value.toString().trimmed();
        if (!p.FromConf)
            p.Program.replace(u'/', u'\\');
    } else if (role == Qt::EditRole && index.column() == colCategory) {
        p.Category = value.toString().trimmed();
    } else {
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags TImportListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return Qt::NoItemFlags;
    const TImportProposal &p = m_proposals.at(size_t(index.row()));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (p.Present)
        return flags;
    const int column = index.column();
    if (column == colName)
        flags |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    if (column == colCategory || (column == colProgram && !p.UsesConf))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TImportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case colName:
        return _("Name");
    case colProgram:
        return _("Program");
    case colCategory:
        return _("Category");
    case colFolder:
        return _("Folder");
    case colNote:
        return _("Note");
    default:
        return {};
    }
}

TImportDialog::TImportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(N_("Import DOS applications"));
    auto *layout = new QVBoxLayout(this);

    auto *intro = new QLabel(N_("Each sub-folder of a chosen folder is one application; a folder "
                                "that holds a program itself is one too. Check what to add, and "
                                "correct name, program and category by double-clicking them."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *top = new QHBoxLayout;
    auto *laCategory = new QLabel(N_("Ca&tegory of new applications:"), this);
    cbCategory = new QComboBox(this);
    cbCategory->setObjectName(QStringLiteral("cbCategory"));
    cbCategory->setEditable(true);
    cbCategory->setInsertPolicy(QComboBox::NoInsert);
    cbCategory->setMinimumContentsLength(16);
    MarkUserData(cbCategory);
    laCategory->setBuddy(cbCategory);
    btAddFolder = new QPushButton(N_("Add &folder…"), this);
    btAddFolder->setObjectName(QStringLiteral("btAddFolder"));
    btAddConf = new QPushButton(N_("Add &configuration file…"), this);
    btAddConf->setObjectName(QStringLiteral("btAddConf"));
    top->addWidget(laCategory);
    top->addWidget(cbCategory, 1);
    top->addWidget(btAddFolder);
    top->addWidget(btAddConf);
    layout->addLayout(top);

    m_model = new TImportListModel(this);
    lvProposals = new QTableView(this);
    lvProposals->setObjectName(QStringLiteral("lvProposals"));
    lvProposals->setModel(m_model);
    lvProposals->setItemDelegate(new TChoiceDelegate(m_model, &m_categories, lvProposals));
    lvProposals->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvProposals->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    lvProposals->verticalHeader()->hide();
    lvProposals->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    lvProposals->horizontalHeader()->setStretchLastSection(true);
    lvProposals->setWordWrap(false);
    lvProposals->setTextElideMode(Qt::ElideMiddle); // long folders keep their ends
    lvProposals->installEventFilter(this);
    layout->addWidget(lvProposals, 1);

    // The whole note of the current row, which its cell may show cut.
    laNote = new QLabel(this);
    laNote->setObjectName(QStringLiteral("laNote"));
    laNote->setWordWrap(true);
    laNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    laNote->setMinimumHeight(2 * fontMetrics().lineSpacing());
    MarkUserData(laNote);
    layout->addWidget(laNote);

    auto *bottom = new QHBoxLayout;
    btCheckAll = new QPushButton(N_("Check &all"), this);
    btCheckNone = new QPushButton(N_("Check &none"), this);
    laSummary = new QLabel(this);
    laSummary->setObjectName(QStringLiteral("laSummary"));
    laSummary->setWordWrap(true);
    MarkUserData(laSummary);
    bbButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    bottom->addWidget(btCheckAll);
    bottom->addWidget(btCheckNone);
    bottom->addWidget(laSummary, 1);
    bottom->addWidget(bbButtons);
    layout->addLayout(bottom);

    connect(btAddFolder, &QPushButton::clicked, this, [this] { btAddFolderClick(); });
    connect(btAddConf, &QPushButton::clicked, this, [this] { btAddConfClick(); });
    connect(btCheckAll, &QPushButton::clicked, this, [this] { m_model->SetAllChecked(true); });
    connect(btCheckNone, &QPushButton::clicked, this, [this] { m_model->SetAllChecked(false); });
    connect(cbCategory, &QComboBox::editTextChanged, this, [this](const QString &text) {
        m_model->ReplaceCategory(m_category, text.trimmed());
        m_category = text.trimmed();
    });
    connect(lvProposals->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                laNote->setText(
                    current.siblingAtColumn(TImportListModel::colNote).data().toString());
            });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { UpdateSummary(); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { UpdateSummary(); });
    connect(bbButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(bbButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    resize(ScaleByDpi(960, this), ScaleByDpi(560, this));
    PlaceFormAt(this, CenterPos);
    TranslateComponent(this);
}

// Space in the list toggles check boxes whatever column is current; an open
// editor gets its keys itself.
bool TImportDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lvProposals && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space &&
        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier) {
        ToggleSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TImportDialog::ToggleSelected()
{
    QList<int> rows;
    for (const QModelIndex &index : lvProposals->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && lvProposals->currentIndex().isValid())
        rows.append(lvProposals->currentIndex().row());
    std::sort(rows.begin(), rows.end());
    m_model->ToggleChecked(rows);
}

// Each column as wide as its texts, but none so wide that the notes at the
// end leave the window.
void TImportDialog::FitColumns()
{
    lvProposals->resizeColumnsToContents();
    const int widest = ScaleByDpi(220, this);
    for (int column = 0; column < TImportListModel::colNote; ++column)
        lvProposals->setColumnWidth(column, std::min(lvProposals->columnWidth(column), widest));
}

void TImportDialog::Fill(const QStringList &categories, const QString &category,
                         const TAppList &apps)
{
    m_apps = &apps;
    m_categories = categories;
    m_unreadable = 0;
    m_model->Clear();
    cbCategory->clear();
    cbCategory->addItems(categories);
    cbCategory->setEditText(category);
    m_category = category.trimmed();
    btAddFolder->setFocus();
    UpdateSummary();
}

std::vector<TImportProposal> TImportDialog::Result() const
{
    std::vector<TImportProposal> result;
    for (const TImportProposal &p : m_model->Proposals()) {
        if (p.Checked && !p.Present)
            result.push_back(p);
    }
    return result;
}

bool TImportDialog::Execute(const QStringList &categories, const QString &category,
                            const TAppList &apps, std::vector<TImportProposal> &proposals)
{
    Fill(categories, category, apps);
    if (exec() != QDialog::Accepted)
        return false;
    proposals = Result();
    return true;
}

bool TImportDialog::ScanPaths(const QStringList &paths)
{
    QProgressDialog progress(this);
    progress.setWindowTitle(windowTitle());
    progress.setLabelText(_("Looking for DOS applications…"));
    progress.setMinimumDuration(400);
    progress.setMinimumWidth(ScaleByDpi(360, this));
    progress.setWindowModality(Qt::WindowModal);
    const TScanResult scan = ScanFolders(paths, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    m_unreadable += scan.Unreadable;
    std::vector<TImportProposal> found = ProposeImports(scan, m_category);
    if (m_apps)
        MarkPresent(found, *m_apps);
    // A folder scanned twice is listed once.
    const auto &listed = m_model->Proposals();
    std::erase_if(found, [&](const TImportProposal &p) {
        return std::any_of(listed.cbegin(), listed.cend(), [&](const TImportProposal &q) {
            return SameFileName(p.AppPath, q.AppPath) && p.ConfFile == q.ConfFile &&
                   p.Program == q.Program;
        });
    });
    const int first = m_model->rowCount();
    if (found.empty() && !scan.Cancelled)
        laNote->setText(_("No new DOS applications were found."));
    m_model->Append(std::move(found));
    FitColumns();
    if (m_model->rowCount() > first) {
        // The keyboard goes on in the list, at the first row found.
        lvProposals->setFocus();
        lvProposals->setCurrentIndex(m_model->index(first, TImportListModel::colName));
        lvProposals->scrollTo(lvProposals->currentIndex());
    }
    UpdateSummary();
    return !scan.Cancelled;
}

void TImportDialog::btAddFolderClick()
{
    QString dir = RootPath;
    if (ChooseFolder && ChooseFolder(_("Select a folder with DOS applications"), dir) &&
        !dir.isEmpty())
        ScanPaths({dir});
}

void TImportDialog::btAddConfClick()
{
    TFileOpenRequest request;
    request.Title = _("Select DOSBox configuration files");
    request.Filters = {{_("DOSBox configuration files"), QStringLiteral("*.conf")}};
    request.StartDir = RootPath;
    request.Multiple = true;
    const QStringList files = OpenFiles(this, request);
    if (!files.isEmpty())
        ScanPaths(files);
}

void TImportDialog::UpdateSummary()
{
    const auto &all = m_model->Proposals();
    const int present = int(std::count_if(all.cbegin(), all.cend(),
                                          [](const TImportProposal &p) { return p.Present; }));
    QString text = SafeFormat(
        NG_("%d of %d application checked.", "%d of %d applications checked.", all.size()),
        m_model->CheckedCount(), int(all.size()));
    const QString skipped = ImportSkippedText(present, m_unreadable);
    if (!skipped.isEmpty())
        text += u' ' + skipped;
    laSummary->setText(text);
    if (QPushButton *ok = bbButtons->button(QDialogButtonBox::Ok))
        ok->setEnabled(m_model->CheckedCount() > 0);
}
