#include "mainwindow/AppListModel.h"

#include "catalogue/PlayHistory.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <memory>

namespace {

// A picture drawn from the pixmap made for the size on the screen, device
// pixels included, at any size asked for.
class TPixmapIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
};

// An entry's picture, made into pixels at the size and mode it is drawn in
// and kept for the next time. Copies of the picture share the pixels.
class TEntryIconEngine : public TPixmapIconEngine
{
public:
    TEntryIconEngine(QList<QImage> large, bool stretch, QImage small)
        : m_large(std::move(large)), m_stretch(stretch), m_small(std::move(small))
    {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        Q_UNUSED(state);
        const quint64 key = (quint64(quint16(size.width())) << 32) |
                            (quint64(quint16(size.height())) << 16) | quint64(mode);
        const auto it = m_cache.constFind(key);
        if (it != m_cache.cend())
            return *it;
        QPixmap pm = QPixmap::fromImage(ImageFor(size));
        if (mode != QIcon::Normal && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        m_cache.insert(key, pm);
        return pm;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {m_small.size(), QSize(32, 32)};
    }

    QIconEngine *clone() const override { return new TEntryIconEngine(*this); }
    QString key() const override { return QStringLiteral("RavelinEntryPicture"); }
    bool isNull() override { return m_large.isEmpty() && m_small.isNull(); }

private:
    QImage ImageFor(const QSize &size) const
    {
        const int side = qMax(size.width(), size.height());
        QImage image;
        if (!m_small.isNull() && (side <= m_small.width() || m_large.isEmpty()))
            image = m_small;
        else if (m_stretch)
            image = m_large.constFirst();
        else
            image = TIcon(m_large).Image(side);
        if (image.size() == size)
            return image;
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    QList<QImage> m_large;
    bool m_stretch = false;
    QImage m_small;
    QHash<quint64, QPixmap> m_cache;
};

// The picture of an icon file the store decodes: the default icon until its
// pixels are there.
class TStoredIconEngine : public TPixmapIconEngine
{
public:
    TStoredIconEngine(TIconStore *store, QString fileName, QImage defLarge, QImage defSmall)
        : m_store(store), m_fileName(std::move(fileName)), m_defLarge(std::move(defLarge)),
          m_defSmall(std::move(defSmall))
    {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const TIconPixels *pixels = m_store ? m_store->Pixels(m_fileName) : nullptr;
        if (pixels && !m_engine) {
            const bool decoded = !pixels->Large.isNull();
            m_engine = std::make_unique<TEntryIconEngine>(
                QList<QImage>{decoded ? pixels->Large : m_defLarge}, decoded,
                decoded && !pixels->Small.isNull() ? pixels->Small : m_defSmall);
        }
        if (m_engine)
            return m_engine->pixmap(size, mode, state);
        if (!m_default)
            m_default =
                std::make_unique<TEntryIconEngine>(QList<QImage>{m_defLarge}, false, m_defSmall);
        return m_default->pixmap(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {m_defSmall.size(), QSize(32, 32)};
    }
    QIconEngine *clone() const override
    {
        return new TStoredIconEngine(m_store, m_fileName, m_defLarge, m_defSmall);
    }
    QString key() const override { return QStringLiteral("RavelinStoredPicture"); }

private:
    QPointer<TIconStore> m_store;
    QString m_fileName;
    QImage m_defLarge;
    QImage m_defSmall;
    std::unique_ptr<TEntryIconEngine> m_engine;  // once decoded
    std::unique_ptr<TEntryIconEngine> m_default; // until then
};

} // namespace

QIcon EntryPicture(const TAppIcons &icons)
{
    QList<QImage> large;
    bool stretch = false;
    if (icons.ImgType() == TImgType::imIco) {
        large = icons.Icon().Images();
    } else if (!icons.Large().isNull()) {
        large = {icons.Large()};
        stretch = true;
    }
    if (large.isEmpty() || large.constFirst().isNull()) {
        // A picture that cannot be drawn shows the default icon.
        large = {icons.DefLImg()};
        stretch = false;
    }
    QImage small = icons.Small().isNull() ? icons.DefSImg() : icons.Small();
    return QIcon(new TEntryIconEngine(std::move(large), stretch, std::move(small)));
}

TIconStore &TAppListModel::IconStore()
{
    if (!m_store) {
        // Decoded for the screen's pixels; other sizes are scaled from these.
        const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
        m_store = new TIconStore(qRound(32 * ratio), qRound(16 * ratio), this);
        connect(m_store, &TIconStore::Decoded, this, [this] {
            // Many files come in at once: one refresh for all of them.
            if (!m_refreshPosted) {
                m_refreshPosted = true;
                QMetaObject::invokeMethod(this, &TAppListModel::IconsDecoded, Qt::QueuedConnection);
            }
        });
    }
    return *m_store;
}

void TAppListModel::IconsDecoded()
{
    m_refreshPosted = false;
    if (!m_items.empty())
        emit dataChanged(index(0, 0), index(int(m_items.size()) - 1, 0), {Qt::DecorationRole});
}

QIcon TAppListModel::ImageOf(const TDosBoxApp &app)
{
    const TAppIcons &icons = app.Icons;
    if (const QString &file = icons.PendingFile(); !file.isEmpty()) {
        QIcon &picture = m_filePictures[file];
        if (picture.isNull())
            picture =
                QIcon(new TStoredIconEngine(&IconStore(), file, icons.DefLImg(), icons.DefSImg()));
        return picture;
    }
    const qint64 largeKey = icons.ImgType() == TImgType::imIco && !icons.Icon().IsNull()
                                ? icons.Icon().Images().constFirst().cacheKey()
                                : icons.Large().cacheKey();
    const TImageKey key(largeKey, icons.Small().cacheKey());
    if (const auto it = m_pictures.constFind(key); it != m_pictures.cend())
        return *it;
    QIcon picture = m_previousPictures.value(key);
    if (picture.isNull())
        picture = EntryPicture(icons);
    m_pictures.insert(key, picture);
    return picture;
}

void TAppListModel::Fill(TAppList &apps, const std::vector<int> &indices)
{
    beginResetModel();
    m_items.clear();
    m_items.reserve(indices.size());
    m_images.clear();
    m_images.reserve(qsizetype(indices.size()));
    m_previousPictures = std::move(m_pictures);
    m_pictures.clear();
    m_apps = &apps;
    for (const int i : indices) {
        TDosBoxApp &app = *apps[size_t(i)];
        app.ImgIndex = int(m_images.size());
        m_images.append(ImageOf(app));
        m_items.push_back(
            {app.AppName,
             {app.AppPath, app.AppFile, app.Parameters, app.CdPath, app.ManFile, app.Description},
             i});
    }
    m_previousPictures.clear();
    endResetModel();
}

void TAppListModel::Clear()
{
    beginResetModel();
    m_items.clear();
    m_images.clear();
    m_apps = nullptr;
    endResetModel();
}

void TAppListModel::HistoryChanged(int appIndex)
{
    for (size_t row = 0; row < m_items.size(); ++row) {
        if (m_items[row].Data == appIndex)
            emit dataChanged(index(int(row), 0), index(int(row), AppListColumnCount - 1),
                             {Qt::DisplayRole, Qt::ToolTipRole});
    }
}

QVariant TAppListModel::HistoryData(const TAppItem &item, int column, int role) const
{
    if (!m_apps || item.Data < 0 || size_t(item.Data) >= m_apps->size())
        return {};
    const TPlayHistory &history = (*m_apps)[size_t(item.Data)]->History;
    if (column == 0)
        return role == Qt::ToolTipRole
                   ? QVariant(item.Caption + u'\n' + PlayHistoryLines(history).join(u'\n'))
                   : QVariant();
    switch (column - FirstHistoryColumn) {
    case 0:
        return LastPlayedText(history);
    case 1:
        return PlayCountText(history);
    default:
        return PlayTimeText(history.PlaySeconds);
    }
}

int TAppListModel::FindItemByCaption(const QString &caption) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (SameText(m_items[i].Caption, caption))
            return int(i);
    }
    return -1;
}

void TAppListModel::Retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, AppListColumnCount - 1);
}

int TAppListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int TAppListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : AppListColumnCount;
}

QVariant TAppListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_items.size()))
        return {};
    const TAppItem &item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    // Captions and paths are cut off where their cell ends; the name's tip
    // tells the history too.
    case Qt::ToolTipRole:
        if (index.column() >= FirstHistoryColumn ||
            (index.column() == 0 && role == Qt::ToolTipRole))
            return HistoryData(item, index.column(), role);
        return index.column() == 0 ? item.Caption : item.SubItems.at(size_t(index.column() - 1));
    case Qt::TextAlignmentRole:
        // Numbers line up at the right.
        return index.column() > FirstHistoryColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                   : QVariant();
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(m_images.at(index.row())) : QVariant();
    case Qt::UserRole:
        return item.Data;
    default:
        return {};
    }
}

QVariant TAppListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return _("Name");
    case 1:
        return _("Path");
    case 2:
        // TRANSLATORS: Heading of the column that shows each entry's program file (KEEN.EXE).
        return P_("program column", "Application");
    case 3:
        return _("Parameters");
    case 4:
        return _("ISO image");
    case 5:
        return _("Manual");
    case 6:
        return _("Description");
    case 7:
        return _("Last played");
    case 8:
        return _("Times played");
    case 9:
        return _("Time played");
    default:
        return {};
    }
}

Qt::ItemFlags TAppListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int TAppListModel::ColumnWidth(int column)
{
    static constexpr int widths[AppListColumnCount] = {100, 150, 100, 100, 200,
                                                       200, 200, 120, 80,  80};
    return column >= 0 && column < AppListColumnCount ? widths[column] : 100;
}
