#pragma once

#include "support/Errors.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

// Kind of the picture an entry holds; the file extension decides.
enum class TImgType
{
    imNone,
    imIco,
    imBmp,
    imPng,
    imJpg
};

// "ico", "bmp", "png", "jpg" (any case) by ExtensionOf(fileName); anything
// else, "jpeg" included, is imNone: the file's shell icon is shown.
TImgType GetImageType(const QString &fileName);

// A picture file with one of the four picture extensions could not be decoded.
class EInvalidGraphic : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};

// An icon: the same picture in one or more sizes.
class TIcon
{
public:
    TIcon() = default;
    explicit TIcon(QList<QImage> images);
    // Every image of an icon file. Throws EInvalidGraphic.
    static TIcon FromFile(const QString &fileName);

    bool IsNull() const { return m_images.isEmpty(); }
    const QList<QImage> &Images() const { return m_images; }
    // The icon at its own size: the image closest to 32 pixels, the size a
    // desktop draws icons at by default.
    QImage OwnSize() const { return Image(32); }
    // The image that suits size×size best (the same size, else the nearest
    // larger, else the largest), not yet scaled.
    QImage Image(int size) const;

private:
    QList<QImage> m_images;
};

// The built-in default application icon, 32 or 16 pixels.
QImage DefaultAppIcon(int size);
// The program's own icon (window, task bar).
QIcon ProgramIcon();

// The picture of one catalogue entry with its large and small bitmaps.
class TAppIcons
{
public:
    // Holds the default large icon (imIco whatever type says); Large and
    // Small are copies of the default pictures.
    TAppIcons(TImgType type, const QImage &defLargeImg, const QImage &defSmallImg);
    // Copying is CreateFrom / Assign: everything, the defaults included.
    TAppIcons(const TAppIcons &) = default;
    TAppIcons &operator=(const TAppIcons &) = default;
    void Assign(const TAppIcons &other) { *this = other; }

    // Holds the icon; Large and Small stay as they are.
    void AssignIcon(const TIcon &icon);
    // Loads the entry's picture: a missing file (or none) gives the default
    // icon, a picture file its picture, any other file its shell icon.
    // Pictures larger than MaxPictureSide are kept at that size (their
    // shape kept), so that no file can hold much memory.
    // Throws EInvalidGraphic when a picture file cannot be decoded; the
    // object is unchanged then.
    void LoadFromFile(const QString &fileName);
    // Remembers the file and decodes it as LoadFromFile does only when the
    // picture is first asked for; a file that cannot be decoded then shows
    // the default icon. An empty name is the default icon at once.
    void LoadLater(const QString &fileName);
    // The file still to be decoded; empty when the picture is at hand.
    const QString &PendingFile() const { return m_pending; }

    TImgType ImgType() const;
    // The held picture at its own size (an icon at 32 pixels).
    QImage Graphic() const;
    const TIcon &Icon() const;
    const QImage &Large() const;
    const QImage &Small() const;
    const QImage &DefLImg() const { return m_defLImg; }
    const QImage &DefSImg() const { return m_defSImg; }

    static constexpr int MaxPictureSide = 256;

private:
    void SetDefault();
    // Decodes a pending file.
    void Resolve() const;

    // The picture is decoded on first use, also through a const object.
    mutable QString m_pending;
    mutable TImgType m_imgType = TImgType::imIco;
    QImage m_defLImg;
    QImage m_defSImg;
    mutable TIcon m_icon;    // the held picture when it is an icon
    mutable QImage m_bitmap; // the held picture when it is a bitmap
    mutable QImage m_large;
    mutable QImage m_small;
};

// An icon file's pixels for drawing at two sizes (square, in device pixels).
// Null images stand for the default icon: the file is missing or cannot be
// decoded.
struct TIconPixels
{
    QImage Large;
    QImage Small;
};

// Decodes an icon, bitmap, PNG or JPEG file straight at the two sizes where
// its format allows (so that a huge picture never sits in memory whole for
// long), a bitmap stretched to the square as the list draws it. Safe on any
// thread: no translation, no icon theme. Other files (shell icons) give null
// images; ask GetShellIcon on the GUI thread for them.
TIconPixels DecodeIconPixels(const QString &fileName, int large, int small);

// The icon the desktop shows for the file's type (its MIME type's icon in
// the icon theme, else the generic one of its kind); null when there is none.
TIcon GetShellIcon(const QString &fileName, bool small);

// The bitmap drawn stretched to width×height, its transparency kept.
QImage StretchedBitmap(const QImage &bitmap, int width, int height);
// The icon at width×height: its best image for that size, scaled.
QImage IconToBitmap(const TIcon &icon, int width, int height);
