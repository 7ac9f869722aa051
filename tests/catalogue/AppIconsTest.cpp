#include "catalogue/AppIcons.h"

#include "common/TestFiles.h"
#include "common/TestUtils.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// An icon file with one PNG-coded image per size.
QByteArray IcoFile(const QList<QImage> &images)
{
    QList<QByteArray> pngs;
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.append(png);
    }
    QByteArray data(6 + 16 * images.size(), '\0');
    auto put16 = [&](int pos, int v) { qToLittleEndian<quint16>(quint16(v), data.data() + pos); };
    auto put32 = [&](int pos, int v) { qToLittleEndian<quint32>(quint32(v), data.data() + pos); };
    put16(2, 1);
    put16(4, int(images.size()));
    int offset = int(data.size());
    for (int i = 0; i < images.size(); ++i) {
        const int e = 6 + 16 * i;
        data[e] = char(images[i].width() % 256);
        data[e + 1] = char(images[i].height() % 256);
        put16(e + 4, 1);
        put16(e + 6, 32);
        put32(e + 8, int(pngs[i].size()));
        put32(e + 12, offset);
        offset += int(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        data += png;
    return data;
}

class AppIconsTest : public testing::Test
{
protected:
    QString Write(const QString &name, const QByteArray &data)
    {
        const QString path = m_dir.filePath(name);
        WriteTestFile(path, data);
        return path;
    }
    QString Save(const QString &name, const QImage &image, const char *format)
    {
        const QString path = m_dir.filePath(name);
        image.save(path, format);
        return path;
    }

    QTemporaryDir m_dir;
    const QImage m_defL = DefaultAppIcon(32);
    const QImage m_defS = DefaultAppIcon(16);
};

} // namespace

TEST(ImageType, ByExtension)
{
    EXPECT_EQ(GetImageType(QStringLiteral("/a/game.ICO")), TImgType::imIco);
    EXPECT_EQ(GetImageType(QStringLiteral("pic.Bmp")), TImgType::imBmp);
    EXPECT_EQ(GetImageType(QStringLiteral("pic.PNG")), TImgType::imPng);
    EXPECT_EQ(GetImageType(QStringLiteral("pic.jpg")), TImgType::imJpg);
    EXPECT_EQ(GetImageType(QStringLiteral("pic.jpeg")), TImgType::imNone);
    EXPECT_EQ(GetImageType(QStringLiteral("/dir.png/game")), TImgType::imNone);
    EXPECT_EQ(GetImageType(QString()), TImgType::imNone);
}

TEST(DefaultIcons, BuiltIn)
{
    EXPECT_EQ(DefaultAppIcon(32).size(), QSize(32, 32));
    EXPECT_EQ(DefaultAppIcon(16).size(), QSize(16, 16));
    EXPECT_TRUE(DefaultAppIcon(32).hasAlphaChannel());
    EXPECT_FALSE(ProgramIcon().isNull());
    EXPECT_EQ(ProgramIcon().availableSizes().size(), 7);
}

TEST_F(AppIconsTest, NewAndMissingShowTheDefaultIcon)
{
    TAppIcons icons(TImgType::imPng, m_defL, m_defS);
    EXPECT_EQ(icons.ImgType(), TImgType::imIco);
    EXPECT_EQ(icons.Large(), m_defL);
    EXPECT_EQ(icons.Small(), m_defS);

    icons.LoadFromFile(Save(QStringLiteral("a.png"), Filled(8, 8, Qt::red), "PNG"));
    EXPECT_EQ(icons.ImgType(), TImgType::imPng);
    for (const QString &name :
         {QString(), m_dir.filePath(QStringLiteral("gone.png")), m_dir.path()}) {
        icons.LoadFromFile(name);
        EXPECT_EQ(icons.ImgType(), TImgType::imIco);
        EXPECT_EQ(icons.Large(), m_defL);
        EXPECT_EQ(icons.Small(), m_defS);
        EXPECT_EQ(icons.Graphic(), m_defL);
    }
}

TEST_F(AppIconsTest, WidePngKeepsItsSizeAndTransparency)
{
    QImage wide = Filled(200, 100, Qt::transparent);
    QPainter(&wide).fillRect(50, 0, 100, 100, Qt::blue);
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(Save(QStringLiteral("WIDE.PNG"), wide, "PNG"));
    EXPECT_EQ(icons.ImgType(), TImgType::imPng);
    EXPECT_EQ(icons.Large().size(), QSize(200, 100));
    EXPECT_EQ(icons.Small().size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(icons.Large().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icons.Small().pixel(0, 8)), 0);
    EXPECT_EQ(icons.Small().pixel(8, 8), qRgb(0, 0, 255));

    const TAppIcons copy(icons);
    EXPECT_EQ(copy.ImgType(), TImgType::imPng);
    EXPECT_EQ(copy.Large(), icons.Large());
    EXPECT_EQ(copy.DefSImg(), m_defS);
}

TEST_F(AppIconsTest, IconFilePicksItsSizes)
{
    const QString ico = Write(
        QStringLiteral("game.Ico"),
        IcoFile({Filled(16, 16, Qt::red), Filled(48, 48, Qt::green), Filled(32, 32, Qt::blue)}));
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(ico);
    EXPECT_EQ(icons.ImgType(), TImgType::imIco);
    EXPECT_EQ(icons.Icon().Images().size(), 3);
    EXPECT_EQ(icons.Large().size(), QSize(32, 32));
    EXPECT_EQ(icons.Large().pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(icons.Small().pixel(5, 5), qRgb(255, 0, 0));

    // Only a large image: scaled down for the small form.
    icons.LoadFromFile(Write(QStringLiteral("big.ico"), IcoFile({Filled(48, 48, Qt::green)})));
    EXPECT_EQ(icons.Large().size(), QSize(32, 32));
    EXPECT_EQ(icons.Small().size(), QSize(16, 16));
    EXPECT_EQ(icons.Small().pixel(5, 5), qRgb(0, 255, 0));
}

TEST_F(AppIconsTest, BitmapBackgroundBecomesTransparent)
{
    QImage bmp(20, 10, QImage::Format_RGB32);
    bmp.fill(Qt::magenta);
    QPainter(&bmp).fillRect(5, 2, 10, 6, Qt::yellow);
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(Save(QStringLiteral("pic.bmp"), bmp, "BMP"));
    EXPECT_EQ(icons.ImgType(), TImgType::imBmp);
    EXPECT_EQ(icons.Large().size(), QSize(20, 10));
    EXPECT_EQ(qAlpha(icons.Large().pixel(0, 0)), 0);
    EXPECT_EQ(icons.Large().pixel(10, 5), qRgb(255, 255, 0));
}

TEST_F(AppIconsTest, UndecodablePictureThrowsAndChangesNothing)
{
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(Save(QStringLiteral("ok.jpg"), Filled(10, 10, Qt::red), "JPG"));
    ASSERT_EQ(icons.ImgType(), TImgType::imJpg);
    const QString broken =
        Write(QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\nnonsense"));
    try {
        icons.LoadFromFile(broken);
        FAIL() << "no error";
    } catch (const EInvalidGraphic &e) {
        EXPECT_TRUE(e.message().contains(broken));
    }
    EXPECT_EQ(icons.ImgType(), TImgType::imJpg);
    EXPECT_EQ(icons.Large().size(), QSize(10, 10));
    EXPECT_THROW(icons.LoadFromFile(Write(QStringLiteral("empty.ico"), QByteArray())),
                 EInvalidGraphic);
}

TEST_F(AppIconsTest, OtherFilesShowTheirTypeIcon)
{
    // A ".jpeg" picture is no picture type of ours: its type's icon is shown.
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(Save(QStringLiteral("photo.jpeg"), Filled(64, 64, Qt::red), "JPG"));
    EXPECT_EQ(icons.ImgType(), TImgType::imIco);
    EXPECT_EQ(icons.Large().size(), QSize(32, 32));
    EXPECT_EQ(icons.Small().size(), QSize(16, 16));
    EXPECT_NE(icons.Large().pixel(16, 16), qRgb(255, 0, 0));
    // The desktop's icon theme (installed with the build) has one for it.
    EXPECT_NE(icons.Large(), m_defL);

    const QString program = Write(QStringLiteral("GAME.EXE"), QByteArray("MZ\x90\0\3\0\0\0", 8));
    icons.LoadFromFile(program);
    EXPECT_EQ(icons.ImgType(), TImgType::imIco);
    EXPECT_EQ(icons.Large().size(), QSize(32, 32));
    EXPECT_NE(icons.Large(), m_defL);
    EXPECT_FALSE(GetShellIcon(program, true).IsNull());
}

TEST_F(AppIconsTest, AHugePictureIsKeptSmall)
{
    TAppIcons icons(TImgType::imIco, m_defL, m_defS);
    icons.LoadFromFile(Save(QStringLiteral("huge.jpg"), Filled(4000, 1000, Qt::red), "JPG"));
    EXPECT_EQ(icons.Large().size(), QSize(256, 64));
    EXPECT_EQ(icons.Small().size(), QSize(16, 16));

    const TIconPixels pixels = DecodeIconPixels(
        Save(QStringLiteral("huge.png"), Filled(3000, 3000, Qt::blue), "PNG"), 32, 16);
    EXPECT_EQ(pixels.Large.size(), QSize(32, 32));
    EXPECT_EQ(pixels.Small.size(), QSize(16, 16));
    EXPECT_EQ(pixels.Small.pixel(8, 8), qRgb(0, 0, 255));
}
