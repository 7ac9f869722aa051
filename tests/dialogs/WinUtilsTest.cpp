#include "dialogs/WinUtils.h"
#include "common/TestUtils.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
QString S(const char *s)
{
    return QString::fromUtf8(s);
}
const QRect Area(100, 50, 1000, 700); // right edge 1100, bottom edge 750
} // namespace

TEST(WinUtils, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(20, 144, 96), 30);
    EXPECT_EQ(MulDiv(17, 120, 96), 21); // 21.25
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 7, 0), 0);
    EXPECT_EQ(ScaleByDpi(87), MulDiv(87, MonitorPpi(QGuiApplication::primaryScreen()), 96));
}

TEST(WinUtils, FitToAreaKeepsMarginsAtTheEdges)
{
    // Inside: unchanged.
    int x = 200, y = 100;
    FitToArea(x, y, 300, 400, Area, 96);
    EXPECT_EQ(QPoint(x, y), QPoint(200, 100));

    // Near the right edge: right edge 20 px inside; near the bottom: 30 px.
    x = 1000, y = 600;
    FitToArea(x, y, 300, 400, Area, 96);
    EXPECT_EQ(x, 1100 - 400 - 20);
    EXPECT_EQ(y, 750 - 300 - 30);

    // Wider and higher than the work area: 20 px from its left and top edges.
    x = 500, y = 500;
    FitToArea(x, y, 900, 1200, Area, 96);
    EXPECT_EQ(QPoint(x, y), QPoint(120, 70));

    // Left of and above the area.
    x = -50, y = 0;
    FitToArea(x, y, 10, 10, Area, 96);
    EXPECT_EQ(QPoint(x, y), QPoint(120, 70));

    // Margins follow the pixel density.
    x = 1000, y = 600;
    FitToArea(x, y, 300, 400, Area, 144);
    EXPECT_EQ(QPoint(x, y), QPoint(1100 - 400 - 30, 750 - 300 - 45));
}

TEST(WinUtils, PlaceFormAtKeepsTheAxisOfANegativeCoordinate)
{
    const QRect work = WorkAreaOf(QGuiApplication::primaryScreen());
    QWidget form;
    form.resize(200, 100);
    form.move(work.left() + 40, work.top() + 10);

    PlaceFormAt(&form, QPoint(-1, work.top() + 300));
    EXPECT_EQ(form.pos(), QPoint(work.left() + 40, work.top() + 300));

    PlaceFormAt(&form, QPoint(work.left() + 70, -5));
    EXPECT_EQ(form.pos(), QPoint(work.left() + 70, work.top() + 300));

    // Above: the window ends at the point.
    PlaceFormAt(&form, QPoint(work.left() + 70, work.top() + 400), true);
    EXPECT_EQ(form.pos(), QPoint(work.left() + 70, work.top() + 300));

    // Moved into the work area near its bottom-right corner.
    const int right = work.left() + work.width();
    const int bottom = work.top() + work.height();
    PlaceFormAt(&form, QPoint(right - 10, bottom - 10));
    EXPECT_EQ(form.pos(), QPoint(right - 200 - ScaleByDpi(20), bottom - 100 - ScaleByDpi(30)));
}

TEST(WinUtils, CentringIsAppliedWhenShown)
{
    const QRect work = WorkAreaOf(QGuiApplication::primaryScreen());
    QWidget form;
    form.resize(200, 100);
    PlaceFormAt(&form, ScreenCenterPos);
    form.resize(300, 120); // final size known only at show time
    form.show();
    EXPECT_EQ(form.frameGeometry().center().x(), work.center().x());
    EXPECT_NEAR(form.frameGeometry().center().y(), work.center().y(), 1);
    form.hide();

    // An explicit position ends the centring mode.
    PlaceFormAt(&form, QPoint(work.left() + 30, work.top() + 40));
    form.show();
    EXPECT_EQ(form.pos(), QPoint(work.left() + 30, work.top() + 40));
}

TEST(WinUtils, CenterPosCentresOverTheMainWindow)
{
    const QRect work = WorkAreaOf(QGuiApplication::primaryScreen());
    QMainWindow main;
    main.setGeometry(work.left() + 50, work.top() + 60, 400, 300);
    main.show();
    ASSERT_EQ(MainForm(), &main);
    QWidget form;
    form.resize(100, 50);
    PlaceFormAt(&form, CenterPos);
    form.show();
    EXPECT_EQ(form.frameGeometry().center(), main.frameGeometry().center());
}

TEST(WinUtils, TextMeasuring)
{
    const QFont font = QApplication::font();
    const QFontMetrics fm(font);
    EXPECT_EQ(TextLineCount(QString()), 1);
    EXPECT_EQ(TextLineCount(S("a\r\nb\r\nc")), 3);
    EXPECT_EQ(TextLineCount(S("a\r\n")), 2);
    EXPECT_EQ(TextLineCount(S("a\nb")), 2);
    EXPECT_EQ(TextLines(S("a\r\n\r\nb\rc")), (QStringList{S("a"), S(""), S("b"), S("c")}));
    EXPECT_EQ(DisplayText(S("a\r\nb")), S("a\nb"));

    const QString text = S("short\r\nthe longest line\r\nmid");
    EXPECT_EQ(TextBlockWidth(text, font), fm.horizontalAdvance(S("the longest line")));
    EXPECT_EQ(TextBlockWidth(S("line\r\n"), font), fm.horizontalAdvance(S("line")));
    const QSize extent = TextBlockExtent(text, font);
    EXPECT_EQ(extent.width(), fm.horizontalAdvance(S("the longest line")));
    EXPECT_EQ(extent.height(), 3 * qMax(fm.height(), fm.lineSpacing()));
    EXPECT_EQ(TextWidthInFont(S("a\r\nb"), font), fm.horizontalAdvance(S("a\r\nb")));
}

TEST(WinUtils, ControlCorners)
{
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    auto *button = new QPushButton(&window);
    button->setGeometry(10, 20, 80, 30);
    window.show();
    const QPoint origin = button->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(BelowControl(button, QPoint(0, 2)), origin + QPoint(0, 32));
    EXPECT_EQ(RightOfControl(button), origin + QPoint(80, 0));
    EXPECT_EQ(BelowRightOfControl(button, QPoint(1, 1)), origin + QPoint(81, 31));
    // A window uses its own coordinates.
    QWidget lone;
    lone.setGeometry(5, 6, 70, 40);
    EXPECT_EQ(BelowControl(&lone), QPoint(lone.x(), lone.y() + 40));
    EXPECT_EQ(CursorPosOffset(QPoint(-20, 20)), CurrentCursorPos() + QPoint(-20, 20));
}

TEST(WinUtils, RescalingOnlyFromTwentyPercentMore)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    TImageList list(QSize(16, 16));
    list.add(QIcon(red));

    ScaleImageList(list, 96, 110);
    EXPECT_EQ(list.size(), QSize(16, 16));
    ScaleImageList(list, 96, 144);
    EXPECT_EQ(list.size(), QSize(24, 24));
    EXPECT_EQ(list.pixmap(0).size(), QSize(24, 24));
    EXPECT_TRUE(list.pixmap(5).isNull());

    QWidget box;
    auto *inner = new QWidget(&box);
    auto *push = new QPushButton(inner);
    push->setIcon(QIcon(red));
    push->setIconSize(QSize(16, 16));
    auto *tool = new QToolButton(&box);
    tool->setIcon(QIcon(red));
    tool->setIconSize(QSize(20, 20));
    auto *plain = new QPushButton(&box);
    plain->setIconSize(QSize(16, 16));
    ScaleControlGlyphs(&box, 96, 100);
    EXPECT_EQ(push->iconSize(), QSize(16, 16));
    ScaleControlGlyphs(&box, 96, 192);
    EXPECT_EQ(push->iconSize(), QSize(32, 32));
    EXPECT_EQ(tool->iconSize(), QSize(40, 40));
    EXPECT_EQ(plain->iconSize(), QSize(16, 16));

    QLabel image;
    image.setPixmap(red);
    image.resize(48, 40);
    ScaleImage(&image, 96, 100);
    EXPECT_EQ(image.pixmap().size(), QSize(16, 16));
    ScaleImage(&image, 96, 120);
    EXPECT_EQ(image.pixmap().size(), QSize(48, 40));
}

TEST(WinUtils, ImageListPicturesHaveTheListSize)
{
    // Icons (theme icons among them) give their nearest size, which may be
    // smaller than asked; the message icons must still be 32 pixels.
    QPixmap small(24, 24);
    small.fill(Qt::blue);
    QIcon twoSizes;
    QPixmap large(48, 48);
    large.fill(Qt::green);
    twoSizes.addPixmap(small);
    twoSizes.addPixmap(large);
    TImageList list(QSize(32, 32));
    list.add(QIcon(small));
    list.add(twoSizes);
    EXPECT_EQ(list.pixmap(0).size(), QSize(32, 32));
    EXPECT_EQ(list.pixmap(1).size(), QSize(32, 32));
    EXPECT_EQ(list.pixmap(1, 2.0).size(), QSize(64, 64));
}
