#pragma once

#include "catalogue/AppSettings.h"
#include "catalogue/IconStore.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QPair>
#include <array>
#include <vector>

// One item of the application list: what it shows and the entry's index in
// the catalogue (its data).
struct TAppItem
{
    QString Caption;
    // Path, Application, Parameters, ISO image, Manual, Description.
    std::array<QString, 6> SubItems;
    int Data = -1;
};

// Columns of the detail view: the name, the six texts of the item, and the
// entry's play history (last played, times played, time played).
inline constexpr int AppListColumnCount = 10;
inline constexpr int FirstHistoryColumn = 7;

// The items of the current category. Item i shows image i: a picture that
// holds the entry's large image (32×32) and its small one (16×16), so that
// every view style draws the right one. Pictures become pixels only when
// they are drawn, and entries with the same icon file share one picture. An
// icon file not yet decoded is decoded in the background when first drawn
// (the default icon stands in until then); the items then show it.
class TAppListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every item by the entries of apps at indices, in that order;
    // each listed entry's ImgIndex becomes its item's image index. The model
    // shows the entries' histories from apps until the next fill.
    void Fill(TAppList &apps, const std::vector<int> &indices);
    void Clear();
    // The entry at index of apps has a new play history: its item shows it.
    void HistoryChanged(int appIndex);

    int Count() const { return int(m_items.size()); }
    const TAppItem &Item(int row) const { return m_items.at(size_t(row)); }
    // The picture of item row (its image index).
    QIcon Image(int row) const { return m_images.value(row); }
    // The first item whose caption equals caption without regard to case, -1
    // when none does.
    int FindItemByCaption(const QString &caption) const;
    // The column titles follow the language.
    void Retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Design widths of the detail view's columns.
    static int ColumnWidth(int column);

    // The decoder of icon files not yet decoded (created on first use).
    TIconStore &IconStore();

private:
    QIcon ImageOf(const TDosBoxApp &app);
    void IconsDecoded();

    QVariant HistoryData(const TAppItem &item, int column, int role) const;

    std::vector<TAppItem> m_items;
    const TAppList *m_apps = nullptr;
    QList<QIcon> m_images;
    // Pictures by the keys of their large and small images, kept from one
    // fill to the next.
    using TImageKey = QPair<qint64, qint64>;
    QHash<TImageKey, QIcon> m_pictures;
    QHash<TImageKey, QIcon> m_previousPictures;
    // Pictures of icon files still to be decoded, by file name.
    QHash<QString, QIcon> m_filePictures;
    TIconStore *m_store = nullptr;
    bool m_refreshPosted = false;
};

// The picture of an entry: its large images (an icon's images, or the
// bitmap to be stretched to a square) and its small image.
QIcon EntryPicture(const TAppIcons &icons);
