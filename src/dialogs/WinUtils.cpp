#include "dialogs/WinUtils.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWidget>
#include <cstdlib>
#include <limits>

namespace {

constexpr int DesignPpi = 96;
const char DefaultMonitorProperty[] = "ravelinDefaultMonitor";
const char CentringName[] = "ravelinCentring";

// Squared distance from a point to a rectangle (0 inside).
qint64 DistanceSquared(QPoint p, const QRect &r)
{
    const qint64 dx =
        p.x() < r.left() ? r.left() - p.x() : (p.x() > r.right() ? p.x() - r.right() : 0);
    const qint64 dy =
        p.y() < r.top() ? r.top() - p.y() : (p.y() > r.bottom() ? p.y() - r.bottom() : 0);
    return dx * dx + dy * dy;
}

enum class Centring
{
    OverMainForm,
    OnScreen
};

void CentreForm(QWidget *form, Centring how)
{
    const QSize size = form->frameGeometry().size();
    QRect target;
    // Over the window the user works in (the dialog that opened this one),
    // else over the main window.
    QWidget *main = nullptr;
    if (how == Centring::OverMainForm) {
        QWidget *active = QApplication::activeWindow();
        main = active && active != form && active->isVisible() && !active->isMinimized()
                   ? active
                   : MainForm();
    }
    if (main && main != form) {
        target = main->frameGeometry();
    } else {
        bool ok = false;
        const int m = form->property(DefaultMonitorProperty).toInt(&ok);
        target = WorkAreaOf(MonitorOf(ok ? TDefaultMonitor(m) : dmActiveForm, form));
    }
    int x = target.left() + (target.width() - size.width()) / 2;
    int y = target.top() + (target.height() - size.height()) / 2;
    FitToWorkArea(x, y, size.height(), size.width());
    form->move(x, y);
}

// Keeps a window's centring mode: it is centred each time it is shown, when
// its final size is known.
class TCentring : public QObject
{
public:
    TCentring(QWidget *form, Centring how) : QObject(form), m_form(form), m_how(how)
    {
        setObjectName(QString::fromLatin1(CentringName));
        form->installEventFilter(this);
    }
    void setMode(Centring how) { m_how = how; }
    Centring mode() const { return m_how; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_form && event->type() == QEvent::Show && !event->spontaneous())
            CentreForm(m_form, m_how);
        return false;
    }

private:
    QWidget *m_form;
    Centring m_how;
};

TCentring *CentringOf(QWidget *form)
{
    return form->findChild<TCentring *>(QString::fromLatin1(CentringName),
                                        Qt::FindDirectChildrenOnly);
}

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const qint64 p = qint64(a) * b;
    const qint64 q = (std::llabs(p) * 2 + std::llabs(c)) / (2 * std::llabs(qint64(c)));
    const qint64 r = ((p < 0) != (c < 0)) ? -q : q;
    return int(qBound(qint64(std::numeric_limits<int>::min()), r,
                      qint64(std::numeric_limits<int>::max())));
}

int MonitorPpi(const QScreen *monitor)
{
    if (!monitor)
        monitor = QGuiApplication::primaryScreen();
    if (!monitor)
        return DesignPpi;
    const int ppi = qRound(monitor->logicalDotsPerInch());
    return ppi > 0 ? ppi : DesignPpi;
}

int ScaleByDpi(int n, const QScreen *monitor)
{
    return MulDiv(n, MonitorPpi(monitor), DesignPpi);
}

int ScaleByDpi(int n, const QWidget *widget)
{
    return ScaleByDpi(n, widget ? widget->screen() : nullptr);
}

QScreen *MonitorNearest(QPoint point)
{
    if (QScreen *s = QGuiApplication::screenAt(point))
        return s;
    QScreen *best = QGuiApplication::primaryScreen();
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (QScreen *s : QGuiApplication::screens()) {
        const qint64 d = DistanceSquared(point, s->geometry());
        if (d < bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    return best;
}

QRect WorkAreaOf(const QScreen *monitor)
{
    if (!monitor)
        monitor = QGuiApplication::primaryScreen();
    if (!monitor)
        return QRect(0, 0, 1024, 768);
    const QRect area = monitor->availableGeometry();
    return area.isValid() ? area : monitor->geometry();
}

QWidget *MainForm()
{
    QWidget *hidden = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow *>(w))
            continue;
        if (w->isVisible())
            return w;
        if (!hidden)
            hidden = w;
    }
    return hidden;
}

QScreen *MonitorOf(TDefaultMonitor monitor, const QWidget *except)
{
    QWidget *form = nullptr;
    switch (monitor) {
    case dmDesktop:
    case dmPrimary:
        break;
    case dmMainForm:
        form = MainForm();
        break;
    case dmActiveForm:
        form = QApplication::activeWindow();
        if (form == except)
            form = MainForm();
        break;
    }
    if (form && form != except && form->screen())
        return form->screen();
    return QGuiApplication::primaryScreen();
}

void SetDefaultMonitor(QWidget *form, TDefaultMonitor monitor)
{
    form->setProperty(DefaultMonitorProperty, int(monitor));
}

void FitToArea(int &x, int &y, int height, int width, const QRect &workArea, int ppi)
{
    const int right = workArea.left() + workArea.width();
    const int bottom = workArea.top() + workArea.height();
    if (x + width > right)
        x = right - width - MulDiv(20, ppi, DesignPpi);
    if (x < workArea.left())
        x = workArea.left() + MulDiv(20, ppi, DesignPpi);
    if (y + height > bottom)
        y = bottom - height - MulDiv(30, ppi, DesignPpi);
    if (y < workArea.top())
        y = workArea.top() + MulDiv(20, ppi, DesignPpi);
}

void FitToWorkArea(int &x, int &y, int height, int width)
{
    const QScreen *monitor = MonitorNearest(QPoint(x, y));
    FitToArea(x, y, height, width, WorkAreaOf(monitor), MonitorPpi(monitor));
}

void FitFormToWorkArea(QWidget *form)
{
    if (!form)
        return;
    const QRect r = form->frameGeometry();
    int x = r.x();
    int y = r.y();
    FitToWorkArea(x, y, r.height(), r.width());
    if (x != r.x() || y != r.y())
        form->move(x, y);
}

void PlaceFormAt(QWidget *form, QPoint pos, bool above)
{
    if (!form)
        return;
    if (pos == CenterPos || pos == ScreenCenterPos) {
        const Centring how = pos == CenterPos ? Centring::OverMainForm : Centring::OnScreen;
        if (TCentring *c = CentringOf(form))
            c->setMode(how);
        else
            new TCentring(form, how);
        CentreForm(form, how);
        return;
    }
    delete CentringOf(form);
    const QRect r = form->frameGeometry();
    int x = pos.x() < 0 ? r.x() : pos.x();
    int y = pos.y() < 0 ? r.y() : pos.y();
    if (above)
        y -= r.height();
    FitToWorkArea(x, y, r.height(), r.width());
    form->move(x, y);
}

QStringList TextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

QString DisplayText(const QString &text)
{
    return TextLines(text).join(u'\n');
}

int TextLineCount(const QString &text)
{
    return int(TextLines(text).size());
}

int TextBlockWidth(const QString &text, const QFontMetrics &metrics)
{
    int width = 0;
    for (const QString &line : TextLines(text))
        width = qMax(width, metrics.horizontalAdvance(line));
    return width;
}

int TextBlockWidth(const QString &text, const QFont &font)
{
    return TextBlockWidth(text, QFontMetrics(font));
}

QSize TextBlockExtent(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    // The line pitch rather than the bare glyph height, so that no line of
    // a label is cut off in fonts with leading.
    const int lineHeight = qMax(metrics.height(), metrics.lineSpacing());
    return QSize(TextBlockWidth(text, metrics), lineHeight * TextLineCount(text));
}

int TextWidthInFont(const QString &text, const QFont &font)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

QPoint CurrentCursorPos()
{
    return QCursor::pos();
}

QPoint CursorPosOffset(QPoint offset)
{
    return QCursor::pos() + offset;
}

namespace {
QPoint ControlCorner(const QWidget *control, bool right, bool bottom, QPoint offset)
{
    if (!control)
        return offset;
    const QPoint local(right ? control->width() : 0, bottom ? control->height() : 0);
    if (!control->parentWidget())
        return control->pos() + local + offset;
    return control->mapToGlobal(local) + offset;
}
} // namespace

QPoint BelowControl(const QWidget *control, QPoint offset)
{
    return ControlCorner(control, false, true, offset);
}

QPoint RightOfControl(const QWidget *control, QPoint offset)
{
    return ControlCorner(control, true, false, offset);
}

QPoint BelowRightOfControl(const QWidget *control, QPoint offset)
{
    return ControlCorner(control, true, true, offset);
}

QIcon TImageList::icon(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QIcon();
}

QPixmap TImageList::pixmap(int index, qreal devicePixelRatio) const
{
    const QIcon image = icon(index);
    if (image.isNull() || m_size.isEmpty())
        return QPixmap();
    QPixmap p = image.pixmap(m_size, devicePixelRatio);
    const QSize wanted = m_size * devicePixelRatio;
    if (p.isNull() || (p.width() >= wanted.width() && p.height() >= wanted.height()))
        return p;
    // A theme icon comes in the nearest size it has, which may be smaller
    // (Adwaita's dialog pictures are 24 and 48 pixels): the larger one drawn
    // down keeps the list's size.
    p = image.pixmap(m_size * 4, devicePixelRatio)
            .scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.setDevicePixelRatio(devicePixelRatio);
    return p;
}

void TImageList::resize(QSize size)
{
    if (size.isEmpty())
        return;
    for (QIcon &image : m_images) {
        if (image.isNull())
            continue;
        QPixmap p = image.pixmap(size, 1.0);
        if (p.size() != size)
            p = p.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image = QIcon(p);
    }
    m_size = size;
}

bool NeedsRescale(int oldPpi, int newPpi)
{
    return oldPpi > 0 && newPpi > 0 && MulDiv(100, newPpi, oldPpi) >= 120;
}

void ScaleImageList(TImageList &list, int oldPpi, int newPpi)
{
    if (!NeedsRescale(oldPpi, newPpi))
        return;
    list.resize(QSize(MulDiv(list.width(), newPpi, oldPpi), MulDiv(list.height(), newPpi, oldPpi)));
}

void ScaleControlGlyphs(QWidget *container, int oldPpi, int newPpi)
{
    if (!container || !NeedsRescale(oldPpi, newPpi))
        return;
    for (QAbstractButton *b : container->findChildren<QAbstractButton *>()) {
        if (!qobject_cast<QPushButton *>(b) && !qobject_cast<QToolButton *>(b))
            continue;
        if (b->icon().isNull())
            continue;
        const QSize s = b->iconSize();
        b->setIconSize(
            QSize(MulDiv(s.width(), newPpi, oldPpi), MulDiv(s.height(), newPpi, oldPpi)));
    }
}

void ScaleImage(QLabel *image, int oldPpi, int newPpi)
{
    if (!image || !NeedsRescale(oldPpi, newPpi))
        return;
    const QPixmap p = image->pixmap();
    if (p.isNull() || image->size().isEmpty())
        return;
    QPixmap stretched = p.scaled(image->size() * p.devicePixelRatio(), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    stretched.setDevicePixelRatio(p.devicePixelRatio());
    image->setPixmap(stretched);
}
