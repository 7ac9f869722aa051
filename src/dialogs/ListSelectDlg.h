#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QListWidget;
class QModelIndex;

// An entry of the pop-up list: its text and the number it answers with.
struct TListEntry
{
    QString text;
    int number = 0;
};
using TListEntries = QList<TListEntry>;

// Called with the number of the chosen entry.
using TOnSelect = std::function<void(int AIndex)>;

// A borderless pop-up list shown at a point (e.g. below a button); a click
// on an entry chooses it, and the list closes when it loses the focus. The
// owner keeps and reuses it.
class TListSelectDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TListSelectDialog(QWidget *parent = nullptr);

    void Clear();
    // Takes over the entries with their numbers; AIndex >= 0 makes that
    // entry the current one.
    void Assign(const TListEntries &AItems, int AIndex = -1);
    // Adds an entry numbered with its position when added.
    void Add(const QString &AItem);
    void AddItem(const QString &AItem, int AIndex);
    void AddList(const QStringList &AItems, const QString &Prefix = QString());
    QString GetItem(int Index) const;
    int Count() const;
    // Number of the entry at a position; -1 outside the list.
    int NumberAt(int Index) const;

    // Shows the list with its top-left corner at APos (moved into the work
    // area), at most AHeight high when AHeight is not 0. Returns at once.
    void ShowList(QPoint APos, int AHeight = 0);

    QColor BakColor() const;
    void setBakColor(const QColor &color);
    bool Sorted() const { return FSorted; }
    void setSorted(bool sorted);
    // The list's minimum width.
    int Width() const { return FWidth; }
    void setWidth(int width) { FWidth = width; }
    void setOnSelect(TOnSelect handler) { FOnSelect = std::move(handler); }
    // Height of one entry.
    int ItemHeight() const;

    QListWidget *lbSelect;

protected:
    bool event(QEvent *event) override;

private:
    void insertEntry(const QString &text, int number);
    void choose(const QModelIndex &index);

    int FWidth = 0;
    bool FSorted = true;
    int FPreselected = -1;
    TOnSelect FOnSelect;
};
