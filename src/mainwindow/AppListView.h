#pragma once

#include <QWidget>

class QAbstractItemView;
class QFontMetrics;
class QItemSelectionModel;
class QListView;
class QMenu;
class QModelIndex;
class QStackedLayout;
class QTreeView;
class TAppListModel;

// The view styles of the application list.
enum TViewStyle
{
    vsIcon,
    vsSmallIcon,
    vsList,
    vsReport
};

// The application list: one model shown as large icons, small icons, a list
// or details with columns. Captions are read-only, one item at most is
// selected, and the selection stays visible when the list loses the focus.
// Reports clicks and double clicks on items and on empty space alike, the
// way the main window acts on them.
class TAppListView : public QWidget
{
    Q_OBJECT
public:
    explicit TAppListView(TAppListModel *model, QWidget *parent = nullptr);

    TViewStyle ViewStyle() const { return FViewStyle; }
    // Shows the items in the style and scrolls back to the origin.
    void SetViewStyle(TViewStyle style);
    // The view of the current style.
    QAbstractItemView *CurrentView() const;
    QListView *IconView() const { return FIconView; }
    QTreeView *ReportView() const { return FReportView; }

    // The selected item's row, -1 for none.
    int SelectedRow() const;
    // Selects the row (and makes it current and visible); -1 clears the selection.
    void SelectRow(int row);
    // The row of the item at a point of the current view's viewport, -1 for
    // empty space.
    int RowAt(const QPoint &pos) const;
    void SetPopupMenu(QMenu *menu) { FPopupMenu = menu; }
    // Shows the column the list is sorted by in the detail view's heading;
    // -1 for none.
    void SetSortIndicator(int column, bool descending);

signals:
    // A click (left button released) on the list, after the selection has
    // followed it; a press on empty space leaves nothing selected.
    void Clicked();
    void DoubleClicked();
    // Every change of the selection, by mouse, keyboard or program.
    void SelectionChanged();
    // The mouse pointer moved over the item at row (-1: empty space).
    void MouseMovedOver(int row);
    // Enter or Return on the list.
    void ActivatedByKey();
    // A character typed on the list (not a shortcut), for the filter box.
    void TypedText(const QString &text);
    void EscapePressed();
    // A click on the heading of a column of the detail view.
    void ColumnClicked(int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Setup(QAbstractItemView *view);
    void FitColumns();
    void ApplyIconSizes();
    int WidestCaption(const QFontMetrics &metrics) const;
    void ShowPopup(const QPoint &pos);

    TAppListModel *FModel;
    QStackedLayout *FStack;
    QListView *FIconView;
    QTreeView *FReportView;
    QItemSelectionModel *FSelection;
    QMenu *FPopupMenu = nullptr;
    TViewStyle FViewStyle = vsIcon;
};
