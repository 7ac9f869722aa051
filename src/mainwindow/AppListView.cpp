#include "mainwindow/AppListView.h"

#include "dialogs/WinUtils.h"
#include "mainwindow/AppListModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTreeView>
#include <functional>

namespace {

// Items of the icon and list styles fill their grid cell, so that long
// captions wrap below a large icon (and are cut off with "..." where the
// cell ends) and laying out many items measures no text.
class TGridItemDelegate : public QStyledItemDelegate
{
public:
    explicit TGridItemDelegate(QListView *view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize grid = m_view->gridSize();
        if (!grid.isValid())
            return QStyledItemDelegate::sizeHint(option, index);
        const int gap = m_view->viewMode() == QListView::IconMode ? 4 : 0;
        return QSize(grid.width() - gap, grid.height() - gap);
    }

    // Lines of a caption below a large icon.
    static constexpr int CaptionLines = 3;

protected:
    // A caption shorter than its cell stays right below the large icon; a
    // longer one wraps on whole lines and ends with "..." on the last one.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_view->viewMode() != QListView::IconMode)
            return;
        option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        const int width = m_view->gridSize().width() - 8;
        if (width > 0)
            option->text = WrappedCaption(option->text, option->font, width);
    }

private:
    static QString WrappedCaption(const QString &text, const QFont &font, int width)
    {
        QTextLayout layout(text, font);
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(wrap);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            if (lines.size() == CaptionLines - 1) {
                lines.append(QFontMetrics(font).elidedText(text.mid(line.textStart()),
                                                           Qt::ElideRight, width));
                break;
            }
            lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        return lines.join(QChar::LineSeparator);
    }

public:
private:
    QListView *m_view;
};

// A view that reports clicks on empty space, where it leaves nothing
// selected, once it has handled them itself.
template <typename View> class TClickReportingView : public View
{
public:
    using View::sizeHintForColumn;
    using View::View;
    std::function<void()> OnEmptyClick;
    std::function<void()> OnEmptyDoubleClick;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (IsOtherButtonOnEmptySpace(event))
            return;
        View::mousePressEvent(event);
        if (this->indexAt(event->position().toPoint()).isValid())
            return;
        this->selectionModel()->clear();
        if (m_emptyPress == TEmptyPress::None)
            m_emptyPress = TEmptyPress::Click;
    }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        // Only the left button's double click runs an entry; for the others
        // it is one more press.
        if (event->button() != Qt::LeftButton) {
            mousePressEvent(event);
            return;
        }
        const bool empty = !this->indexAt(event->position().toPoint()).isValid();
        View::mouseDoubleClickEvent(event);
        if (!empty || event->button() != Qt::LeftButton)
            return;
        this->selectionModel()->clear();
        if (OnEmptyDoubleClick)
            OnEmptyDoubleClick();
        // The release still to come may deselect again.
        m_emptyPress = TEmptyPress::Click;
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (IsOtherButtonOnEmptySpace(event))
            return;
        View::mouseReleaseEvent(event);
        const TEmptyPress press = m_emptyPress;
        m_emptyPress = TEmptyPress::None;
        if (event->button() != Qt::LeftButton ||
            this->indexAt(event->position().toPoint()).isValid())
            return;
        if (press == TEmptyPress::Click && OnEmptyClick)
            OnEmptyClick();
    }

private:
    // Only a left click on empty space selects the current application
    // again; the others (the context menu's) leave the selection alone
    // rather than leave the list without one.
    bool IsOtherButtonOnEmptySpace(const QMouseEvent *event) const
    {
        return event->button() != Qt::LeftButton &&
               !this->indexAt(event->position().toPoint()).isValid();
    }

    enum class TEmptyPress
    {
        None,
        Click
    };
    TEmptyPress m_emptyPress = TEmptyPress::None;
};

using TIconView = TClickReportingView<QListView>;
using TReportView = TClickReportingView<QTreeView>;

// Widest caption that sets the column width of the small icon and list
// styles, in design pixels.
constexpr int MinListColumn = 100;
constexpr int MaxListColumn = 300;

} // namespace

TAppListView::TAppListView(TAppListModel *model, QWidget *parent)
    : QWidget(parent), FModel(model), FStack(new QStackedLayout(this)),
      FIconView(new TIconView(this)), FReportView(new TReportView(this)),
      FSelection(new QItemSelectionModel(model, this))
{
    FStack->setContentsMargins(0, 0, 0, 0);
    FStack->addWidget(FIconView);
    FStack->addWidget(FReportView);
    setFocusProxy(FIconView);

    FIconView->setMovement(QListView::Static);
    FIconView->setResizeMode(QListView::Adjust);
    FIconView->setUniformItemSizes(true);
    FIconView->setTextElideMode(Qt::ElideRight);
    // Laid out in one pass (the default): in batches, wrapping items with
    // ResizeMode::Adjust post geometry changes to each other without end.
    FIconView->setLayoutMode(QListView::SinglePass);
    FIconView->setItemDelegate(new TGridItemDelegate(FIconView));

    FReportView->setRootIsDecorated(false);
    FReportView->setItemsExpandable(false);
    FReportView->setUniformRowHeights(true);
    FReportView->setAllColumnsShowFocus(true);
    FReportView->setTextElideMode(Qt::ElideRight);
    FReportView->header()->setStretchLastSection(false);
    FReportView->header()->setSectionsClickable(true);
    FReportView->header()->setSortIndicatorShown(false);
    connect(FReportView->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit ColumnClicked(column); });
    FReportView->header()->setSectionsMovable(false);

    Setup(FIconView);
    Setup(FReportView);
    auto *icons = static_cast<TIconView *>(FIconView);
    icons->OnEmptyClick = [this] { emit Clicked(); };
    icons->OnEmptyDoubleClick = [this] { emit DoubleClicked(); };
    auto *report = static_cast<TReportView *>(FReportView);
    report->OnEmptyClick = [this] { emit Clicked(); };
    report->OnEmptyDoubleClick = [this] { emit DoubleClicked(); };
    for (int i = 0; i < AppListColumnCount; ++i)
        FReportView->setColumnWidth(i, ScaleByDpi(TAppListModel::ColumnWidth(i), this));

    connect(FSelection, &QItemSelectionModel::selectionChanged, this,
            [this] { emit SelectionChanged(); });
    connect(FModel, &QAbstractItemModel::modelReset, this, [this] {
        if (FViewStyle != vsIcon)
            ApplyIconSizes();
    });
    SetViewStyle(vsIcon);
}

void TAppListView::Setup(QAbstractItemView *view)
{
    view->setModel(FModel);
    QItemSelectionModel *own = view->selectionModel();
    view->setSelectionModel(FSelection);
    if (own != FSelection)
        delete own;
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setMouseTracking(true);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection stays as visible as while the list has the focus.
    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    connect(view, &QAbstractItemView::clicked, this, [this] { emit Clicked(); });
    connect(view, &QAbstractItemView::doubleClicked, this, [this] { emit DoubleClicked(); });
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { ShowPopup(view->viewport()->mapToGlobal(pos)); });
}

QAbstractItemView *TAppListView::CurrentView() const
{
    return FViewStyle == vsReport ? static_cast<QAbstractItemView *>(FReportView) : FIconView;
}

void TAppListView::SetViewStyle(TViewStyle style)
{
    const bool hadFocus = CurrentView()->hasFocus();
    FViewStyle = style;
    if (style == vsReport) {
        FStack->setCurrentWidget(FReportView);
        setFocusProxy(FReportView);
    } else {
        switch (style) {
        case vsIcon:
            FIconView->setViewMode(QListView::IconMode);
            FIconView->setFlow(QListView::LeftToRight);
            FIconView->setWordWrap(true);
            break;
        case vsSmallIcon:
            FIconView->setViewMode(QListView::ListMode);
            FIconView->setFlow(QListView::LeftToRight);
            FIconView->setWordWrap(false);
            break;
        default:
            FIconView->setViewMode(QListView::ListMode);
            FIconView->setFlow(QListView::TopToBottom);
            FIconView->setWordWrap(false);
            break;
        }
        // The view modes reset these.
        FIconView->setWrapping(true);
        FIconView->setMovement(QListView::Static);
        FIconView->setResizeMode(QListView::Adjust);
        FStack->setCurrentWidget(FIconView);
        setFocusProxy(FIconView);
    }
    ApplyIconSizes();
    QAbstractItemView *view = CurrentView();
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    if (hadFocus)
        view->setFocus();
}

void TAppListView::ApplyIconSizes()
{
    const int large = ScaleByDpi(32, this);
    const int small = ScaleByDpi(16, this);
    const QFontMetrics metrics(FIconView->font());
    switch (FViewStyle) {
    case vsIcon:
        FIconView->setIconSize(QSize(large, large));
        FIconView->setGridSize(QSize(
            ScaleByDpi(96, this), large + TGridItemDelegate::CaptionLines * metrics.lineSpacing() +
                                      ScaleByDpi(12, this)));
        break;
    case vsSmallIcon:
    case vsList: {
        // Columns as wide as the widest caption, within bounds.
        const int width = qBound(ScaleByDpi(MinListColumn, this),
                                 WidestCaption(metrics) + small + ScaleByDpi(16, this),
                                 ScaleByDpi(MaxListColumn, this));
        FIconView->setIconSize(QSize(small, small));
        FIconView->setGridSize(QSize(width, qMax(small, metrics.height()) + ScaleByDpi(4, this)));
        break;
    }
    case vsReport:
        FReportView->setIconSize(QSize(small, small));
        FitColumns();
        break;
    }
}

// Details: every column as wide as its contents (Qt measures the rows in
// view), within bounds, so that names are shown whole.
void TAppListView::FitColumns()
{
    QHeaderView *header = FReportView->header();
    for (int i = 0; i < AppListColumnCount; ++i) {
        const int content = qMax(static_cast<TReportView *>(FReportView)->sizeHintForColumn(i),
                                 header->sectionSizeHint(i));
        FReportView->setColumnWidth(
            i, qBound(ScaleByDpi(60, this), content + ScaleByDpi(8, this), ScaleByDpi(400, this)));
    }
}

// Measuring every caption of a long list would take longer than laying it
// out: only the longest ones (by characters) can be the widest.
int TAppListView::WidestCaption(const QFontMetrics &metrics) const
{
    constexpr int MaxMeasured = 64;
    qsizetype longest = 0;
    for (int row = 0; row < FModel->Count(); ++row)
        longest = qMax(longest, FModel->Item(row).Caption.size());
    const qsizetype candidate = longest - longest / 5;
    int widest = 0;
    int measured = 0;
    for (int row = 0; row < FModel->Count() && measured < MaxMeasured; ++row) {
        const QString &caption = FModel->Item(row).Caption;
        if (caption.size() < candidate)
            continue;
        widest = qMax(widest, metrics.horizontalAdvance(caption));
        ++measured;
    }
    return widest;
}

int TAppListView::SelectedRow() const
{
    const QModelIndexList selected = FSelection->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void TAppListView::SelectRow(int row)
{
    if (row < 0 || row >= FModel->rowCount()) {
        FSelection->clear();
        return;
    }
    const QModelIndex index = FModel->index(row, 0);
    FSelection->setCurrentIndex(index,
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentView()->scrollTo(index);
}

int TAppListView::RowAt(const QPoint &pos) const
{
    const QModelIndex index = CurrentView()->indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void TAppListView::SetSortIndicator(int column, bool descending)
{
    QHeaderView *header = FReportView->header();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TAppListView::ShowPopup(const QPoint &pos)
{
    if (FPopupMenu)
        FPopupMenu->popup(pos);
}

bool TAppListView::eventFilter(QObject *watched, QEvent *event)
{
    QAbstractItemView *view = CurrentView();
    if (watched == view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            emit ActivatedByKey();
            return true;
        }
        if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
            emit EscapePressed();
            return false;
        }
        // Typing finds instead of jumping to the next caption that begins
        // with the letter.
        const QString text = key->text();
        if (!text.isEmpty() && text.front().isPrint() &&
            !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            emit TypedText(text);
            return true;
        }
        return false;
    }
    if (watched != view->viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        emit MouseMovedOver(RowAt(static_cast<QMouseEvent *>(event)->position().toPoint()));
        break;
    case QEvent::Leave:
        emit MouseMovedOver(-1);
        break;
    default:
        break;
    }
    return false;
}
