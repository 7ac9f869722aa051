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
    // Throws EInvalidGraphic when a picture file cannot be decoded; the
    // object is unchanged then. Within a TLoadCacheScope each file is
    // decoded once.
    void LoadFromFile(const QString &fileName);

    TImgType ImgType() const { return m_imgType; }
    // The held picture at its own size (an icon at 32 pixels).
    QImage Graphic() const;
    const TIcon &Icon() const { return m_icon; }
    const QImage &Large() const { return m_large; }
    const QImage &Small() const { return m_small; }
    const QImage &DefLImg() const { return m_defLImg; }
    const QImage &DefSImg() const { return m_defSImg; }

private:
    void SetDefault();

    TImgType m_imgType = TImgType::imIco;
    QImage m_defLImg;
    QImage m_defSImg;
    TIcon m_icon;    // the held picture when it is an icon
    QImage m_bitmap; // the held picture when it is a bitmap
    QImage m_large;
    QImage m_small;
};

// The icon the desktop shows for the file's type (its MIME type's icon in
// the icon theme, else the generic one of its kind); null when there is none.
TIcon GetShellIcon(const QString &fileName, bool small);

// The bitmap drawn stretched to width×height, its transparency kept.
QImage StretchedBitmap(const QImage &bitmap, int width, int height);
// The icon at width×height: its best image for that size, scaled.
QImage IconToBitmap(const TIcon &icon, int width, int height);
