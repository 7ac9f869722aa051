#include "catalogue/AppIcons.h"

#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStandardPaths>

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

// A picture larger than side is read at that size, its shape kept.
void LimitSize(QImageReader &reader, int side)
{
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > side || size.height() > side))
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
}

// Null when the file cannot be decoded.
QImage ReadLimitedBitmap(const QString &fileName, int side)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    LimitSize(reader, side);
    return reader.read();
}

QImage ReadBitmap(const QString &fileName)
{
    QImage image = ReadLimitedBitmap(fileName, TAppIcons::MaxPictureSide);
    if (image.isNull())
        ThrowInvalid(fileName);
    return image;
}

// Every image of an icon file (none when it cannot be decoded).
QList<QImage> ReadIconImages(const QString &fileName)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    QList<QImage> images;
    const int count = qBound(1, reader.imageCount(), MaxIconImages);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        LimitSize(reader, TAppIcons::MaxPictureSide);
        QImage image = reader.read();
        if (image.isNull())
            break;
        images.append(std::move(image));
    }
    return images;
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
    TIcon icon(ReadIconImages(fileName));
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

namespace {

// The icon of a default picture; every entry of a catalogue starts with the
// same one, so the last one made is shared.
TIcon DefaultIconOf(const QImage &picture)
{
    static qint64 key = 0;
    static TIcon icon;
    if (picture.isNull())
        return {};
    if (picture.cacheKey() != key || icon.IsNull()) {
        icon = TIcon({picture});
        key = picture.cacheKey();
    }
    return icon;
}

} // namespace

TAppIcons::TAppIcons(TImgType type, const QImage &defLargeImg, const QImage &defSmallImg)
    : m_defLImg(defLargeImg), m_defSImg(defSmallImg), m_icon(DefaultIconOf(defLargeImg)),
      m_large(defLargeImg), m_small(defSmallImg)
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
    Resolve();
    return m_imgType == TImgType::imIco ? m_icon.OwnSize() : m_bitmap;
}

void TAppIcons::SetDefault()
{
    AssignIcon(DefaultIconOf(m_defLImg));
    m_small = m_defSImg;
}

void TAppIcons::LoadFromFile(const QString &fileName)
{
    TAppIcons next(*this);
    next.m_pending.clear();
    if (!QFileInfo(fileName).isFile()) {
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
            next.m_small = shellSmall.IsNull() ? IconToBitmap(shell, 16, 16) : shellSmall.Image(16);
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
    next.m_large =
        next.m_imgType == TImgType::imIco ? IconToBitmap(next.m_icon, 32, 32) : next.m_bitmap;
    *this = next;
}

void TAppIcons::LoadLater(const QString &fileName)
{
    if (fileName.isEmpty()) {
        m_pending.clear();
        SetDefault();
        m_large = m_defLImg;
        return;
    }
    m_pending = fileName;
}

void TAppIcons::Resolve() const
{
    if (m_pending.isEmpty())
        return;
    TAppIcons decoded(*this);
    try {
        decoded.LoadFromFile(m_pending);
    } catch (const EInvalidGraphic &) {
        decoded.LoadLater(QString());
    }
    m_pending.clear();
    m_imgType = decoded.m_imgType;
    m_icon = decoded.m_icon;
    m_bitmap = decoded.m_bitmap;
    m_large = decoded.m_large;
    m_small = decoded.m_small;
}

TImgType TAppIcons::ImgType() const
{
    Resolve();
    return m_imgType;
}

const TIcon &TAppIcons::Icon() const
{
    Resolve();
    return m_icon;
}

const QImage &TAppIcons::Large() const
{
    Resolve();
    return m_large;
}

const QImage &TAppIcons::Small() const
{
    Resolve();
    return m_small;
}

// ---------------------------------------------------------------------------

TIconPixels DecodeIconPixels(const QString &fileName, int large, int small)
{
    TIconPixels pixels;
    if (!QFileInfo(fileName).isFile())
        return pixels;
    switch (GetImageType(fileName)) {
    case TImgType::imNone:
        break;
    case TImgType::imIco: {
        const TIcon icon(ReadIconImages(fileName));
        if (!icon.IsNull()) {
            pixels.Large = IconToBitmap(icon, large, large);
            pixels.Small = IconToBitmap(icon, small, small);
        }
        break;
    }
    case TImgType::imBmp: {
        // The background key is the bottom-left pixel of the picture as it
        // is, so a bitmap is read at its own size unless it is huge.
        QImage bitmap = ReadLimitedBitmap(fileName, 4 * TAppIcons::MaxPictureSide);
        if (!bitmap.isNull()) {
            bitmap = WithTransparentBackground(std::move(bitmap));
            pixels.Large = StretchedBitmap(bitmap, large, large);
            pixels.Small = StretchedBitmap(bitmap, small, small);
        }
        break;
    }
    case TImgType::imPng:
    case TImgType::imJpg: {
        QImageReader reader(fileName);
        reader.setDecideFormatFromContent(true);
        reader.setScaledSize(QSize(large, large));
        const QImage image = reader.read();
        if (!image.isNull()) {
            pixels.Large = Normalised(image);
            pixels.Small = StretchedBitmap(pixels.Large, small, small);
        }
        break;
    }
    }
    return pixels;
}
