#include "dialogs/ActionImages.h"

#include "catalogue/AppIcons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace {

const QString FallbackTheme = QStringLiteral("Adwaita");

// Desktop names first (Breeze and others), then the Adwaita ones.
QStringList NamesOf(int index)
{
    switch (index) {
    case 0:
        return {QStringLiteral("application-exit")};
    case 1:
        return {QStringLiteral("preferences-system"), QStringLiteral("preferences-other")};
    case 2:
        return {QStringLiteral("document-new")};
    case 3:
        // Adwaita's document-properties is grey enough to look disabled.
        return {QStringLiteral("document-edit"), QStringLiteral("document-edit-symbolic"),
                QStringLiteral("document-properties")};
    case 4:
        return {QStringLiteral("edit-delete")};
    case 5:
        return {QStringLiteral("media-playback-start-symbolic"),
                QStringLiteral("media-playback-start")};
    case 6:
        return {QStringLiteral("view-list-icons"), QStringLiteral("view-grid-symbolic")};
    case 7:
        return {QStringLiteral("view-list-compact"), QStringLiteral("view-app-grid-symbolic")};
    case 8:
        return {QStringLiteral("view-list-details"), QStringLiteral("view-list-bullet-symbolic")};
    case 9:
        return {QStringLiteral("view-list-text"), QStringLiteral("view-list-symbolic")};
    case 10:
        return {QStringLiteral("help-contents"), QStringLiteral("accessories-dictionary")};
    case 11:
        return {QStringLiteral("utilities-terminal")};
    case 12:
        return {QStringLiteral("help-about")};
    case 13:
        return {QStringLiteral("accessories-text-editor")};
    case 14:
        return {QStringLiteral("input-keyboard"), QStringLiteral("preferences-desktop-keyboard")};
    case 15:
        return {QStringLiteral("edit-copy")};
    case 16:
        return {QStringLiteral("text-x-generic"), QStringLiteral("text-x-generic-symbolic")};
    case 17:
        return {QStringLiteral("dialog-warning")};
    case 18:
        return {QStringLiteral("help-browser")};
    case 19:
        return {QStringLiteral("preferences-desktop-locale")};
    case 20:
        return {QStringLiteral("user-desktop")};
    default:
        return {};
    }
}

QStringList IconFolders()
{
    QStringList folders = QIcon::themeSearchPaths();
    const QStringList dataDirs =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    for (const QString &dir : dataDirs) {
        if (!folders.contains(dir))
            folders.append(dir);
    }
    return folders;
}

// The icon from the files of the fallback theme itself, for desktops whose
// theme neither has the name nor inherits from Adwaita.
QIcon FallbackThemeIcon(const QString &name)
{
    QIcon icon;
    for (const QString &folder : IconFolders()) {
        const QDir theme(folder + u'/' + FallbackTheme);
        if (!theme.exists())
            continue;
        const QStringList sizeDirs = theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &sizeDir : sizeDirs) {
            const QDir dir(theme.filePath(sizeDir));
            const QStringList contexts = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            for (const QString &context : contexts) {
                const QString base = dir.filePath(context) + u'/' + name;
                for (const QString &ext : {QStringLiteral(".png"), QStringLiteral(".svg")}) {
                    if (QFileInfo::exists(base + ext))
                        icon.addFile(base + ext);
                }
            }
        }
        if (!icon.isNull())
            break;
    }
    return icon;
}

} // namespace

void InitIconTheme()
{
    QIcon::setThemeSearchPaths(IconFolders());
    if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == u"hicolor")
        QIcon::setFallbackThemeName(FallbackTheme);
}

QIcon ThemeIcon(const QStringList &names, std::optional<QStyle::StandardPixmap> fallback,
                const QWidget *widget)
{
    for (const QString &name : names) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    for (const QString &name : names) {
        const QIcon icon = FallbackThemeIcon(name);
        if (!icon.isNull())
            return icon;
    }
    if (fallback) {
        const QStyle *style = widget ? widget->style() : QApplication::style();
        return style->standardIcon(*fallback, nullptr, widget);
    }
    return ProgramIcon();
}

TImageList ActionImageList(int size)
{
    TImageList list(QSize(size, size));
    for (int i = 0; i < ActionImageCount; ++i)
        list.add(ThemeIcon(NamesOf(i)));
    return list;
}
