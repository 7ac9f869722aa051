// Draws the built-in pictures of this folder. Not part of the build; run it
// once after changing a picture:
//   g++ -std=c++20 -fPIC make-icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/make-icons
//   QT_QPA_PLATFORM=offscreen /tmp/make-icons .
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// The default application icon: a DOS screen with its prompt, pixel-aligned
// so that it stays crisp at its two sizes.
QImage DosScreen(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const int u = size / 16; // one design pixel
    auto px = [&](int x, int y, int w, int h, QColor c) {
        p.fillRect(x * u, y * u, w * u, h * u, c);
    };
    const QColor frame(0x5b, 0x67, 0x78);
    const QColor frameLight(0x9a, 0xa7, 0xb8);
    const QColor title(0x2f, 0x6f, 0xc9);
    const QColor screen(0x10, 0x14, 0x1c);
    const QColor text(0xd8, 0xdc, 0xe2);
    const QColor cursor(0xf2, 0xb1, 0x34);
    // Frame with a highlighted top edge and a title bar.
    px(0, 1, 16, 14, frame);
    px(1, 1, 14, 1, frameLight);
    px(1, 2, 14, 2, title);
    px(12, 2, 2, 2, frameLight);
    px(1, 4, 14, 10, screen);
    if (size >= 32) {
        // "C:\>" in a 3x5 font at half a design pixel, then the cursor.
        const int h = u / 2;
        auto dot = [&](int x, int y, int w, int hh) {
            p.fillRect(2 * u + x * h, 5 * u + y * h, w * h, hh * h, text);
        };
        dot(0, 0, 3, 1);
        dot(0, 1, 1, 3);
        dot(0, 4, 3, 1); // C
        dot(4, 1, 1, 1);
        dot(4, 3, 1, 1); // :
        dot(6, 0, 1, 1);
        dot(7, 1, 1, 1);
        dot(7, 2, 1, 1); // backslash
        dot(8, 3, 1, 1);
        dot(8, 4, 1, 1);
        dot(10, 0, 1, 1);
        dot(11, 1, 1, 1);
        dot(12, 2, 1, 1); // >
        dot(11, 3, 1, 1);
        dot(10, 4, 1, 1);
        dot(14, 4, 3, 1); // cursor
        p.fillRect(2 * u + 14 * h, 5 * u + 4 * h, 3 * h, h, cursor);
        // Two lines of earlier output.
        p.fillRect(2 * u, 9 * u, 7 * u, h, QColor(0x6b, 0x73, 0x80));
        p.fillRect(2 * u, 10 * u + h, 10 * u, h, QColor(0x6b, 0x73, 0x80));
    } else {
        px(2, 6, 1, 1, text);
        px(3, 7, 1, 1, text);
        px(2, 8, 1, 1, text);
        px(5, 8, 3, 1, cursor);
        px(2, 11, 8, 1, QColor(0x6b, 0x73, 0x80));
    }
    px(0, 15, 16, 1, QColor(0, 0, 0, 0));
    return img;
}

// The program's emblem: a ravelin seen from above, an arrow-shaped outwork
// with its parapet, and the run triangle in its yard.
QImage Emblem(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QPolygonF outer({{32, 3}, {61, 40}, {52, 61}, {12, 61}, {3, 40}});
    const QPolygonF inner({{32, 15}, {50, 39}, {45, 52}, {19, 52}, {14, 39}});
    p.setPen(QPen(QColor(0x24, 0x33, 0x48), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient stone(0, 0, 0, 64);
    stone.setColorAt(0, QColor(0x8d, 0xa2, 0xbd));
    stone.setColorAt(1, QColor(0x4a, 0x5e, 0x7a));
    p.setBrush(stone);
    p.drawPolygon(outer);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xd9, 0xb0));
    p.drawPolygon(inner);
    QPainterPath run;
    run.moveTo(27, 28);
    run.lineTo(41, 37);
    run.lineTo(27, 46);
    run.closeSubpath();
    p.setBrush(QColor(0x2f, 0x8a, 0x4c));
    p.drawPath(run);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = DosScreen(32).save(out.filePath(QStringLiteral("app-default-32.png")));
    ok = DosScreen(16).save(out.filePath(QStringLiteral("app-default-16.png"))) && ok;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = Emblem(size).save(out.filePath(QStringLiteral("ravelin-%1.png").arg(size))) && ok;
    return ok ? 0 : 1;
}
