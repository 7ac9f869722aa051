#include "dialogs/ListSelectDlg.h"

#include "dialogs/WinUtils.h"
#include "support/StringUtils.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int DesignItemHeight = 17;
constexpr int NumberRole = Qt::UserRole;
const QColor SelectionColor(166, 202, 240);

// Entries as the program has always drawn them: a light blue selection,
// black text and a focus rectangle on the keyboard entry.
class TEntryDelegate : public QStyledItemDelegate
{
public:
    TEntryDelegate(TListSelectDialog *list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_list->ItemHeight());
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(r, selected ? SelectionColor : m_list->BakColor());
        painter->setPen(Qt::black);
        painter->setFont(option.font);
        const int indent = qRound(r.height() * 0.18);
        painter->drawText(r.adjusted(indent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = selected ? SelectionColor : m_list->BakColor();
            m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                           m_list->lbSelect);
        }
    }

private:
    TListSelectDialog *m_list;
};

} // namespace

TListSelectDialog::TListSelectDialog(QWidget *parent) : QWidget(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("ListSelectDialog"));
    lbSelect = new QListWidget(this);
    lbSelect->setObjectName(QStringLiteral("lbSelect"));
    lbSelect->setSelectionMode(QAbstractItemView::SingleSelection);
    lbSelect->setUniformItemSizes(true);
    lbSelect->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbSelect->setMouseTracking(true);
    // The list takes exactly the size ShowList gives the pop-up.
    lbSelect->setMinimumSize(1, 1);
    lbSelect->setItemDelegate(new TEntryDelegate(this));
    setBakColor(palette().color(QPalette::Base));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lbSelect);

    // The entry under the mouse follows it, as in a combo box's list.
    connect(lbSelect, &QListWidget::entered, this,
            [this](const QModelIndex &index) { lbSelect->setCurrentIndex(index); });
    connect(lbSelect, &QListWidget::clicked, this, &TListSelectDialog::choose);
    connect(lbSelect, &QListWidget::activated, this, &TListSelectDialog::choose);
}

int TListSelectDialog::ItemHeight() const
{
    // The design height, taller only where the font would not fit.
    return qMax(ScaleByDpi(DesignItemHeight, this), lbSelect->fontMetrics().height() + 2);
}

void TListSelectDialog::Clear()
{
    lbSelect->clear();
    FPreselected = -1;
}

void TListSelectDialog::insertEntry(const QString &text, int number)
{
    auto *item = new QListWidgetItem(text);
    item->setData(NumberRole, number);
    int row = lbSelect->count();
    if (FSorted) {
        row = 0;
        while (row < lbSelect->count() && CompareText(lbSelect->item(row)->text(), text) <= 0)
            ++row;
    }
    lbSelect->insertItem(row, item);
}

void TListSelectDialog::Assign(const TListEntries &AItems, int AIndex)
{
    Clear();
    for (const TListEntry &entry : AItems)
        insertEntry(entry.text, entry.number);
    FPreselected = AIndex >= 0 && AIndex < lbSelect->count() ? AIndex : -1;
}

void TListSelectDialog::Add(const QString &AItem)
{
    insertEntry(AItem, lbSelect->count());
}

void TListSelectDialog::AddItem(const QString &AItem, int AIndex)
{
    insertEntry(AItem, AIndex);
}

void TListSelectDialog::AddList(const QStringList &AItems, const QString &Prefix)
{
    for (const QString &item : AItems)
        Add(Prefix + item);
}

QString TListSelectDialog::GetItem(int Index) const
{
    const QListWidgetItem *item = lbSelect->item(Index);
    return item ? item->text() : QString();
}

int TListSelectDialog::Count() const
{
    return lbSelect->count();
}

int TListSelectDialog::NumberAt(int Index) const
{
    const QListWidgetItem *item = lbSelect->item(Index);
    return item ? item->data(NumberRole).toInt() : -1;
}

QColor TListSelectDialog::BakColor() const
{
    return lbSelect->palette().color(QPalette::Base);
}

void TListSelectDialog::setBakColor(const QColor &color)
{
    QPalette p = lbSelect->palette();
    p.setColor(QPalette::Base, color);
    lbSelect->setPalette(p);
}

void TListSelectDialog::setSorted(bool sorted)
{
    FSorted = sorted;
    if (!sorted || lbSelect->count() < 2)
        return;
    TListEntries entries;
    for (int i = 0; i < lbSelect->count(); ++i)
        entries.append(TListEntry{GetItem(i), NumberAt(i)});
    Assign(entries);
}

void TListSelectDialog::ShowList(QPoint APos, int AHeight)
{
    const int n = lbSelect->count();
    if (n == 0)
        return;
    int widest = 0;
    const QFontMetrics metrics = lbSelect->fontMetrics();
    for (int i = 0; i < n; ++i)
        widest = qMax(widest, metrics.horizontalAdvance(GetItem(i)));
    int width = widest + 11 < FWidth ? FWidth : widest + 22;

    const int itemHeight = ItemHeight();
    const bool limited = AHeight != 0 && AHeight < itemHeight * n;
    const int height = limited ? AHeight : itemHeight * n + 6;
    // A scrolling list needs room for its scroll bar beside the widest entry.
    if (limited && width < widest + 22 + style()->pixelMetric(QStyle::PM_ScrollBarExtent))
        width = widest + 22 + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(width, height);
    lbSelect->setVerticalScrollBarPolicy(limited ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    PlaceFormAt(this, APos, false);
    lbSelect->clearSelection();
    lbSelect->setCurrentIndex(QModelIndex());
    if (FPreselected >= 0 && FPreselected < n) {
        lbSelect->setCurrentRow(FPreselected);
        lbSelect->scrollToItem(lbSelect->item(FPreselected), QAbstractItemView::PositionAtCenter);
    }
    show();
    FitFormToWorkArea(this);
    activateWindow();
    lbSelect->setFocus();
}

void TListSelectDialog::choose(const QModelIndex &index)
{
    // A click may also count as activation: choose once.
    if (!index.isValid() || !isVisible())
        return;
    const int number = index.data(NumberRole).toInt();
    close();
    if (FOnSelect)
        FOnSelect(number);
}

bool TListSelectDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        close();
    return QWidget::event(event);
}
