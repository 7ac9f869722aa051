#include "launcher/DesktopShortcut.h"

#include "catalogue/AppIcons.h"
#include "catalogue/AppSettings.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/InitProg.h"
#include "support/PathUtils.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"
#include "support/SystemFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QBuffer>

namespace {

constexpr int MaxIconSize = 256;
constexpr qsizetype MaxReadableLength = 40;

// "ravelin-monkey-island-2-1f0c3a9e": readable where the name is ASCII, made
// unique by a hash of the name in lower case and of the catalogue.
QString ShortcutId(const QString &appName, const QString &iniName)
{
    QString readable;
    for (const QChar c : appName.toLower()) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            readable += c;
        else if (!readable.isEmpty() && !readable.endsWith(u'-'))
            readable += u'-';
    }
    readable = StripTrailing(readable.left(MaxReadableLength), u'-');
    const QByteArray key = (appName.toLower() + u'\n' + QDir::cleanPath(iniName)).toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(8));
    return ExeBaseName() + u'-' + (readable.isEmpty() ? QString() : readable + u'-') + hash;
}

// The entry's picture at up to 256 pixels; an icon file gives its largest
// image, a bitmap is scaled down keeping its proportions.
QImage ShortcutPicture(const TDosBoxApp &app)
{
    QImage picture = app.Icons.ImgType() == TImgType::imIco ? app.Icons.Icon().Image(MaxIconSize)
                                                            : app.Icons.Graphic();
    if (picture.isNull())
        picture = app.Icons.Large();
    if (picture.isNull())
        picture = DefaultAppIcon(32);
    if (picture.width() > MaxIconSize || picture.height() > MaxIconSize)
        picture =
            picture.scaled(MaxIconSize, MaxIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return picture.convertToFormat(QImage::Format_ARGB32);
}

void MakeFolderFor(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        throw EWriteError(SafeFormat(U_("Error writing to \"%s\""), file));
}

void WritePicture(const QString &file, const QImage &picture)
{
    MakeFolderFor(file);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        throw EWriteError(SafeFormat(U_("Error writing to \"%s\""), file));
    WriteFileSafely(file, png);
}

// Writes the picture and the menu shortcut, and the desktop one when asked.
QStringList WriteShortcut(const TDosBoxApp &app, const TShortcutCatalogue &catalogue,
                          const TShortcutFiles &files, bool onDesktop)
{
    if (files.MenuFile.isEmpty())
        throw ERavelinError(_("The desktop's menu folder is not known (is HOME set?), so no "
                              "shortcut can be written."));
    WritePicture(files.IconFile, ShortcutPicture(app));
    const TDesktopEntry entry = ShortcutEntry(app, catalogue, files.IconFile);
    MakeFolderFor(files.MenuFile);
    WriteDesktopEntry(files.MenuFile, entry);
    QStringList written{files.MenuFile};
    if (onDesktop) {
        // Desktop folders start only launchers marked executable.
        WriteDesktopEntry(files.DesktopFile, entry, true);
        written.append(files.DesktopFile);
    }
    return written;
}

bool OnDesktop(const TShortcutFiles &files)
{
    return !files.DesktopFile.isEmpty() && QFileInfo::exists(files.DesktopFile);
}

void RemoveFiles(const TShortcutFiles &files)
{
    for (const QString &file : {files.MenuFile, files.DesktopFile, files.IconFile}) {
        if (!file.isEmpty())
            QFile::remove(file);
    }
}

} // namespace

TShortcutCatalogue ShortcutCatalogue(const QStringList &args, const QString &iniName)
{
    TShortcutCatalogue catalogue;
    catalogue.IniName = QDir::cleanPath(iniName);
    const TCommandLine commandLine = ParseCommandLine(args, ExeDir(), QString());
    // The file this run resolved the option to: no working directory or
    // environment of a later start can make the shortcut read another.
    if (commandLine.IniGiven)
        catalogue.Options.append(QStringLiteral("/ini:") + catalogue.IniName);
    if (commandLine.Portable)
        catalogue.Options.append(QStringLiteral("/portable"));
    return catalogue;
}

TShortcutFiles ShortcutFiles(const QString &appName, const QString &iniName)
{
    const QString id = ShortcutId(appName, iniName);
    const QString data = UserDataDir();
    const QString desktop = DesktopDir();
    TShortcutFiles files;
    if (data.isEmpty())
        return files;
    files.MenuFile =
        JoinPath(JoinPath(data, QStringLiteral("applications")), id + QStringLiteral(".desktop"));
    if (!desktop.isEmpty())
        files.DesktopFile = JoinPath(desktop, id + QStringLiteral(".desktop"));
    files.IconFile = JoinPath(JoinPath(JoinPath(data, ExeBaseName()), QStringLiteral("icons")),
                              id + QStringLiteral(".png"));
    return files;
}

TDesktopEntry ShortcutEntry(const TDosBoxApp &app, const TShortcutCatalogue &catalogue,
                            const QString &iconFile)
{
    TDesktopEntry entry;
    entry.Name = app.AppName;
    entry.Comment = app.Description;
    entry.Exec = QStringList{ProgramCommand()} + catalogue.Options +
                 QStringList{QStringLiteral("--run"), app.AppName};
    entry.Icon = iconFile;
    entry.Categories = QStringLiteral("Game;");
    // The program ends as soon as the emulator runs; the desktop would wait
    // for a window of its own in vain.
    entry.StartupNotify = QStringLiteral("false");
    return entry;
}

bool HasDesktopShortcut(const QString &appName, const QString &iniName)
{
    const TShortcutFiles files = ShortcutFiles(appName, iniName);
    return QFileInfo::exists(files.MenuFile) || OnDesktop(files);
}

QStringList CreateDesktopShortcut(const TDosBoxApp &app, const TShortcutCatalogue &catalogue,
                                  IPrompt &prompt)
{
    const TShortcutFiles files = ShortcutFiles(app.AppName, catalogue.IniName);
    const bool wasOnDesktop = OnDesktop(files);
    QStringList written = WriteShortcut(app, catalogue, files, wasOnDesktop);
    if (wasOnDesktop) {
        prompt.information(SafeFormat(
            _("The shortcuts to \"%s\" in the application menu and on the desktop are up to date."),
            app.AppName));
    } else if (files.DesktopFile.isEmpty()) {
        prompt.information(
            SafeFormat(_("The application menu has a shortcut to \"%s\" now."), app.AppName));
    } else if (prompt.confirm(SafeFormat(_("The application menu has a shortcut to \"%s\" now.\r\n"
                                           "Put one on the desktop as well?"),
                                         app.AppName))) {
        WriteDesktopEntry(files.DesktopFile, ShortcutEntry(app, catalogue, files.IconFile), true);
        written.append(files.DesktopFile);
    }
    return written;
}

void UpdateDesktopShortcut(const QString &oldName, const TDosBoxApp &app,
                           const TShortcutCatalogue &catalogue, IPrompt &prompt)
{
    if (!HasDesktopShortcut(oldName, catalogue.IniName))
        return;
    const TShortcutFiles oldFiles = ShortcutFiles(oldName, catalogue.IniName);
    const bool onDesktop = OnDesktop(oldFiles);
    // --run finds the entry in any letter case, so the shortcut still works.
    if (SameText(oldName, app.AppName)) {
        WriteShortcut(app, catalogue, oldFiles, onDesktop);
        return;
    }
    if (!prompt.confirm(SafeFormat(_("Update the desktop shortcut of \"%s\" to the new name "
                                     "\"%s\"?"),
                                   oldName, app.AppName)))
        return;
    const TShortcutFiles newFiles = ShortcutFiles(app.AppName, catalogue.IniName);
    WriteShortcut(app, catalogue, newFiles, onDesktop);
    // A change of letter case alone keeps the files.
    if (oldFiles.MenuFile != newFiles.MenuFile)
        RemoveFiles(oldFiles);
}

void RemoveDesktopShortcut(const QString &appName, const QString &iniName, IPrompt &prompt)
{
    if (!HasDesktopShortcut(appName, iniName))
        return;
    if (prompt.confirm(SafeFormat(_("Remove the desktop shortcut of \"%s\" as well?"), appName)))
        RemoveFiles(ShortcutFiles(appName, iniName));
}
