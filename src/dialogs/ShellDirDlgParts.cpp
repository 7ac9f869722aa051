#include "dialogs/ShellDirDlgParts.h"

#include "support/GnuGettext.h"
#include "support/NumberUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemDrives.h"
#include "support/SystemFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <algorithm>

namespace {
const QString Slash = QStringLiteral("/");
} // namespace

bool IsBelowDir(const QString &path, const QString &base)
{
    if (base == Slash)
        return path.size() > 1 && path.startsWith(Slash);
    return path.size() > base.size() + 1 && path.startsWith(base) && path.at(base.size()) == u'/';
}

QString CleanDir(const QString &dir)
{
    if (dir.isEmpty() || !IsAbsolutePath(dir))
        return QString();
    return QDir::cleanPath(dir);
}

bool IsExistingDir(const QString &dir)
{
    const QString clean = CleanDir(dir);
    return !clean.isEmpty() && QFileInfo(clean).isDir();
}

namespace {

QString ExistingOrHome(const QString &dir)
{
    return !dir.isEmpty() && QFileInfo(dir).isDir() ? dir : QDir::homePath();
}

} // namespace

QString DesktopFolder()
{
    return ExistingOrHome(
        CleanDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
}

QString DocumentsFolder()
{
    return ExistingOrHome(CleanDir(DocumentsDir()));
}

QString CommonAncestor(const QStringList &paths)
{
    if (paths.isEmpty())
        return QString();
    QString common = paths.first();
    for (const QString &p : paths) {
        while (common != Slash && p != common && !IsBelowDir(p, common))
            common = ParentDir(common);
    }
    return common;
}

bool IsMountPoint(const QString &dir)
{
    const QFileInfo info(dir);
    if (info.isSymLink() || !info.isDir())
        return false;
    const QString root = DriveRoot(dir);
    return !root.isEmpty() && CleanDir(root) == CleanDir(dir);
}

bool IsOnNetwork(const QString &dir)
{
    const QStringList mounts = NetworkMountPoints();
    return std::any_of(mounts.cbegin(), mounts.cend(),
                       [&dir](const QString &m) { return dir == m || IsBelowDir(dir, m); });
}

QString FreeSpaceText(const QString &dir)
{
    if (dir.isEmpty())
        return QString();
    qint64 free = 0;
    qint64 total = 0;
    if (!VolumeSpace(dir, free, total))
        return QString();
    return SafeFormat(D_("%s free of %s"), FormatByteSize(free), FormatByteSize(total));
}

void TFileFilter::SetEmpty(bool empty)
{
    if (FEmpty == empty)
        return;
    FEmpty = empty;
    invalidateFilter();
}

void TFileFilter::sort(int column, Qt::SortOrder order)
{
    if (sourceModel())
        sourceModel()->sort(column, order);
}

bool TFileFilter::filterAcceptsRow(int, const QModelIndex &) const
{
    return !FEmpty;
}

void TFolderFilter::SetTop(const QString &top, const QStringList &only)
{
    FTop = top;
    FTopParent = top == Slash ? QString() : ParentDir(top);
    FOnly = only;
    invalidateFilter();
}

bool TFolderFilter::filterAcceptsRow(int row, const QModelIndex &parent) const
{
    const auto *folders = static_cast<const QFileSystemModel *>(sourceModel());
    const QString path = folders->filePath(folders->index(row, 0, parent));
    if (folders->filePath(parent) == FTopParent)
        return path == FTop;
    if (FOnly.isEmpty() || !IsBelowDir(path, FTop))
        return true;
    return std::any_of(FOnly.cbegin(), FOnly.cend(), [&path](const QString &only) {
        return path == only || IsBelowDir(path, only) || IsBelowDir(only, path);
    });
}

void TDirComboBox::showPopup()
{
    if (count() > 0)
        QComboBox::showPopup();
}

void TDirComboBox::paintEvent(QPaintEvent *event)
{
    if (count() > 0) {
        QComboBox::paintEvent(event);
        return;
    }
    // Without a history there is nothing to drop down: an edit field's frame.
    QStylePainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    if (lineEdit() && lineEdit()->hasFocus())
        frame.state |= QStyle::State_HasFocus;
    painter.drawPrimitive(QStyle::PE_PanelLineEdit, frame);
}

void TDirComboBox::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    if (count() == 0)
        FitEditField();
}

void TDirComboBox::FitEditField()
{
    if (!lineEdit())
        return;
    if (count() > 0) {
        // Back to the box's own layout, which leaves room for the arrow.
        QResizeEvent event(size(), size());
        QComboBox::resizeEvent(&event);
        return;
    }
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    lineEdit()->setGeometry(rect().adjusted(frame + 1, frame, -frame - 1, -frame));
}
