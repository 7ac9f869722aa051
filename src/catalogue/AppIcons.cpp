#include "catalogue/AppIcons.h"

#include "catalogue/LoadCache.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStandardPaths>
#include <optional>

namespace {

// An icon file may list up to 65535 images; real ones hold a handful.
constexpr int MaxIconImages = 64;

QImage Normalised(QImage image)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return image;
}

[[noreturn]] void ThrowInvalid(const QString &fileName)
{
    throw EInvalidGraphic(SafeFormat(R_("The picture file \"%s\" cannot be read."), fileName));
}

QImage ReadBitmap(const QString &fileName)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        ThrowInvalid(fileName);
    return image;
}

// A bitmap without transparency of its own shows its background colour, that
// of the bottom-left pixel, as transparent.
QImage WithTransparentBackground(QImage image)
{
    if (image.isNull() || image.hasAlphaChannel())
        return image;
    image = Normalised(std::move(image));
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key)
                line[x] = 0;
        }
    }
    return image;
}

QImage Scaled(const QImage &image, int width, int height)
{
    if (image.isNull() || (image.width() == width && image.height() == height))
        return image;
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Decoded pictures of the current load, by file name.
struct TCachedPicture
{
    bool Missing = false;
    QString Error; // the file could not be decoded
    TImgType ImgType = TImgType::imIco;
    TIcon Icon;
    QImage Bitmap;
    QImage Large;
    QImage Small;
};

QHash<QString, TCachedPicture> &PictureCache()
{
    static QHash<QString, TCachedPicture> cache;
    static quint64 generation = 0;
    if (generation != TLoadCacheScope::Generation()) {
        cache.clear();
        generation = TLoadCacheScope::Generation();
    }
    return cache;
}

} // namespace

TImgType GetImageType(const QString &fileName)
{
    const QString ext = ExtensionOf(fileName);
    if (SameText(ext, QStringLiteral("ico")))
        return TImgType::imIco;
    if (SameText(ext, QStringLiteral("bmp")))
        return TImgType::imBmp;
    if (SameText(ext, QStringLiteral("png")))
        return TImgType::imPng;
    if (SameText(ext, QStringLiteral("jpg")))
        return TImgType::imJpg;
    return TImgType::imNone;
}

// ---------------------------------------------------------------------------

TIcon::TIcon(QList<QImage> images)
{
    for (QImage &image : images) {
        if (!image.isNull())
            m_images.append(Normalised(std::move(image)));
    }
}

TIcon TIcon::FromFile(const QString &fileName)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    QList<QImage> images;
    const int count = qBound(1, reader.imageCount(), MaxIconImages);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (image.isNull())
            break;
        images.append(std::move(image));
    }
    TIcon icon(std::move(images));
    if (icon.IsNull())
        ThrowInvalid(fileName);
    return icon;
}

QImage TIcon::Image(int size) const
{
    const QImage *best = nullptr;
    for (const QImage &image : m_images) {
        const int side = qMax(image.width(), image.height());
        if (image.width() == size && image.height() == size)
            return image;
        if (!best) {
            best = &image;
            continue;
        }
        const int bestSide = qMax(best->width(), best->height());
        // Prefer the smallest image that is at least as large as asked for,
        // else the largest one.
        if ((side >= size && (bestSide < size || side < bestSide)) ||
            (bestSide < size && side > bestSide))
            best = &image;
    }
    return best ? *best : QImage();
}

QImage DefaultAppIcon(int size)
{
    static const QImage large =
        Normalised(QImage(QStringLiteral(":/ravelin/icons/app-default-32.png")));
    static const QImage small =
        Normalised(QImage(QStringLiteral(":/ravelin/icons/app-default-16.png")));
    return size <= 16 ? small : large;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/ravelin/icons/ravelin-%1.png").arg(size), QSize(size, size));
    return icon;
}

QImage StretchedBitmap(const QImage &bitmap, int width, int height)
{
    return Scaled(Normalised(bitmap), width, height);
}

QImage IconToBitmap(const TIcon &icon, int width, int height)
{
    return Scaled(icon.Image(qMax(width, height)), width, height);
}

TIcon GetShellIcon(const QString &fileName, bool small)
{
    // Theme icons become pixels only with a GUI application.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    static const bool themeKnown = [] {
        // Without a desktop (no platform theme) Qt knows no icon theme and
        // no place of themes; the first common installed one then serves.
        if (!QIcon::themeName().isEmpty())
            return true;
        QStringList paths = QIcon::themeSearchPaths();
        const QStringList dataDirs =
            QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                      QStandardPaths::LocateDirectory);
        for (const QString &dir : dataDirs) {
            if (!paths.contains(dir))
                paths.append(dir);
        }
        QIcon::setThemeSearchPaths(paths);
        for (const QString &theme :
             {QStringLiteral("Adwaita"), QStringLiteral("breeze"), QStringLiteral("hicolor")}) {
            for (const QString &dir : paths) {
                if (QFileInfo::exists(dir + u'/' + theme + QStringLiteral("/index.theme"))) {
                    QIcon::setThemeName(theme);
                    return true;
                }
            }
        }
        return false;
    }();
    Q_UNUSED(themeKnown);
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fileName);
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull())
        return {};
    const int size = small ? 16 : 32;
    return TIcon({icon.pixmap(size, size).toImage()});
}

// ---------------------------------------------------------------------------

TAppIcons::TAppIcons(TImgType type, const QImage &defLargeImg, const QImage &defSmallImg)
    : m_defLImg(defLargeImg), m_defSImg(defSmallImg), m_icon({defLargeImg}), m_large(defLargeImg),
      m_small(defSmallImg)
{
    Q_UNUSED(type); // a new object always shows the default icon
}

void TAppIcons::AssignIcon(const TIcon &icon)
{
    m_icon = icon;
    m_bitmap = QImage();
    m_imgType = TImgType::imIco;
}

QImage TAppIcons::Graphic() const
{
    return m_imgType == TImgType::imIco ? m_icon.OwnSize() : m_bitmap;
}

void TAppIcons::SetDefault()
{
    AssignIcon(TIcon({m_defLImg}));
    m_small = m_defSImg;
}

void TAppIcons::LoadFromFile(const QString &fileName)
{
    const bool cached = TLoadCacheScope::Active();
    if (cached) {
        const auto it = PictureCache().constFind(fileName);
        if (it != PictureCache().cend()) {
            if (!it->Error.isEmpty())
                throw EInvalidGraphic(it->Error);
            if (it->Missing) {
                SetDefault();
                m_large = IconToBitmap(m_icon, 32, 32);
            } else {
                m_imgType = it->ImgType;
                m_icon = it->Icon;
                m_bitmap = it->Bitmap;
                m_large = it->Large;
                m_small = it->Small;
            }
            return;
        }
    }

    TAppIcons next(*this);
    const bool missing = !TFileStamp::Of(fileName).IsFile;
    try {
        if (missing) {
            next.SetDefault();
        } else {
            switch (GetImageType(fileName)) {
            case TImgType::imNone: {
                const TIcon shell = GetShellIcon(fileName, false);
                if (shell.IsNull()) {
                    next.SetDefault();
                    break;
                }
                next.AssignIcon(shell);
                const TIcon shellSmall = GetShellIcon(fileName, true);
                next.m_small =
                    shellSmall.IsNull() ? IconToBitmap(shell, 16, 16) : shellSmall.Image(16);
                break;
            }
            case TImgType::imIco:
                next.AssignIcon(TIcon::FromFile(fileName));
                next.m_small = IconToBitmap(next.m_icon, 16, 16);
                break;
            case TImgType::imBmp:
            case TImgType::imPng:
            case TImgType::imJpg: {
                const TImgType type = GetImageType(fileName);
                QImage bitmap = ReadBitmap(fileName);
                bitmap = type == TImgType::imBmp ? WithTransparentBackground(std::move(bitmap))
                                                 : Normalised(std::move(bitmap));
                next.m_icon = TIcon();
                next.m_bitmap = bitmap;
                next.m_imgType = type;
                next.m_small = StretchedBitmap(bitmap, 16, 16);
                break;
            }
            }
        }
    } catch (const EInvalidGraphic &e) {
        if (cached) {
            TCachedPicture failed;
            failed.Error = e.message();
            PictureCache().insert(fileName, failed);
        }
        throw;
    }
    next.m_large =
        next.m_imgType == TImgType::imIco ? IconToBitmap(next.m_icon, 32, 32) : next.m_bitmap;
    *this = next;
    if (cached) {
        TCachedPicture picture;
        picture.Missing = missing;
        picture.ImgType = m_imgType;
        picture.Icon = m_icon;
        picture.Bitmap = m_bitmap;
        picture.Large = m_large;
        picture.Small = m_small;
        PictureCache().insert(fileName, picture);
    }
}
