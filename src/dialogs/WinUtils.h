#pragma once

#include "dialogs/DialogTypes.h"
#include "support/Prompt.h"

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStyle>
#include <initializer_list>

class QLabel;
class QScreen;
class QWidget;

// Window placement, text measuring and picture scaling shared by the dialogs
// and windows.
//
// Coordinates are Qt's device-independent pixels. Qt already scales windows
// to the monitor's device pixel ratio, so the pixel sizes of the design (given
// for 96 pixels per inch) only follow the remaining logical DPI: ScaleByDpi
// multiplies by QScreen::logicalDotsPerInch() / 96, which is 1 on a normal
// desktop (and on high-density monitors) and grows when the user enlarges
// the font DPI (e.g. Xft.dpi 120 or QT_FONT_DPI).

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

// Logical pixels per inch of a monitor (96 without one).
int MonitorPpi(const QScreen *monitor);
// n design pixels on the monitor (the primary one when none is given).
int ScaleByDpi(int n, const QScreen *monitor = nullptr);
// n design pixels on the widget's monitor.
int ScaleByDpi(int n, const QWidget *widget);

// The monitor containing the point, else the one closest to it.
QScreen *MonitorNearest(QPoint point);
// The work area (monitor minus panels and task bars) of a monitor.
QRect WorkAreaOf(const QScreen *monitor);
// The program's main window: the first visible top-level QMainWindow, or none.
QWidget *MainForm();
// The monitor that a TDefaultMonitor value names; `except` is not counted
// as the active window (the window about to be placed).
QScreen *MonitorOf(TDefaultMonitor monitor, const QWidget *except = nullptr);
// Remembers on which monitor the form is centred on the screen.
void SetDefaultMonitor(QWidget *form, TDefaultMonitor monitor);

// Moves the top-left point of a width x height window into the work area.
// FitToArea works on the given work area and pixel density; FitToWorkArea
// uses the monitor nearest to (x, y).
void FitToArea(int &x, int &y, int height, int width, const QRect &workArea, int ppi);
void FitToWorkArea(int &x, int &y, int height, int width);
// Moves a window (its frame) into the work area of its monitor.
void FitFormToWorkArea(QWidget *form);
// Places a window: CenterPos centres it over the main window whenever it is
// shown, ScreenCenterPos on the screen of its default monitor; any other
// point becomes its top-left corner (a negative coordinate keeps the current
// one; with `above` the window ends at the point), moved into the work area.
void PlaceFormAt(QWidget *form, QPoint pos, bool above = false);

// Multi-line texts: lines end with CR LF (the program's own texts) or with a
// lone LF or CR (texts from files and the system).
QStringList TextLines(const QString &text);
// The text with every line end as LF, as Qt's text controls show it.
QString DisplayText(const QString &text);
int TextLineCount(const QString &text);
// Width of the widest line; a final empty line is not measured.
int TextBlockWidth(const QString &text, const QFontMetrics &metrics);
int TextBlockWidth(const QString &text, const QFont &font);
// Width of the widest line and the height of all lines.
QSize TextBlockExtent(const QString &text, const QFont &font);
int TextWidthInFont(const QString &text, const QFont &font);

QPoint CurrentCursorPos();
QPoint CursorPosOffset(QPoint offset);
// Corners of a control in screen coordinates plus the offset. A top-level
// window uses its own (screen) geometry.
QPoint BelowControl(const QWidget *control, QPoint offset = QPoint());
QPoint RightOfControl(const QWidget *control, QPoint offset = QPoint());
QPoint BelowRightOfControl(const QWidget *control, QPoint offset = QPoint());

// Pictures of one size for a window's icons or button glyphs, by index.
class TImageList
{
public:
    TImageList() = default;
    explicit TImageList(QSize size) : m_size(size) {}

    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    int count() const { return int(m_images.size()); }
    void add(const QIcon &image) { m_images.append(image); }
    void clear() { m_images.clear(); }
    // The picture at the index; an empty icon outside the list.
    QIcon icon(int index) const;
    // The picture drawn at the list's size for the given device pixel ratio.
    QPixmap pixmap(int index, qreal devicePixelRatio = 1.0) const;
    // Replaces every picture by one drawn at the new size.
    void resize(QSize size);

private:
    QSize m_size;
    QList<QIcon> m_images;
};

// Rescaling of pictures made for oldPpi to newPpi. Each does nothing unless
// the new density is at least 120 % of the old one.

bool NeedsRescale(int oldPpi, int newPpi);
void ScaleImageList(TImageList &list, int oldPpi, int newPpi);
// The glyph of every push and tool button below the container.
void ScaleControlGlyphs(QWidget *container, int oldPpi, int newPpi);
// The picture of an image control, stretched to the control's size.
void ScaleImage(QLabel *image, int oldPpi, int newPpi);
