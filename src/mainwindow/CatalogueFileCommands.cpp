// Saving the catalogue file with the user's word where it matters: a file
// changed on disk, a save that fails while closing, a backup put back.

#include "mainwindow/MainWindow.h"

#include "catalogue/CatalogueBackups.h"
#include "dialogs/ChooseItem.h"
#include "dialogs/FileOpenDialog.h"
#include "dialogs/SelectDlg.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/Prompt.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QLocale>

namespace {

QString Shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

bool TfrmMain::SaveCatalogue(bool backup)
{
    bool overwrite = false;
    if (Catalogue.Loaded && CatalogueChangedOnDisk(IniName, Catalogue)) {
        const int choice = SelectOptionDialog(
            _("Catalogue changed"),
            SafeFormat(_("The catalogue file \"%s\" was changed by another program since Ravelin "
                         "read it.\r\nReload: show the file as it is now; this window's changes "
                         "since its last save are lost.\r\nOverwrite: save this window's "
                         "catalogue; the other program's changes are lost.\r\nCancel: save "
                         "nothing now."),
                       Shown(IniName)),
            mdtWarning, {}, {_("&Reload"), _("&Overwrite")});
        if (choice == 0)
            ReloadCatalogue();
        if (choice != 1)
            return false;
        overwrite = true;
    }
    WriteCatalogue(QString(), overwrite, backup);
    return true;
}

bool TfrmMain::SaveBeforeClosing()
{
    try {
        return SaveCatalogue();
    } catch (const ERavelinError &e) {
        return CloseAfterFailedSave(e.message());
    }
}

// The catalogue cannot be written: the user may keep the window open (and
// free some space, say), keep a copy elsewhere, or give the changes up.
bool TfrmMain::CloseAfterFailedSave(const QString &message)
{
    QString reason = message;
    for (;;) {
        const int choice = SelectOptionDialog(
            _("Catalogue not saved"),
            reason + QStringLiteral("\r\n\r\n") +
                _("The catalogue file was left as it was.\r\nSave a copy elsewhere, close "
                  "without saving, or cancel and keep Ravelin open?"),
            mdtError, {}, {_("Save a &copy…"), _("Close &without saving")});
        if (choice == 1) {
            if (Prompt().confirm(_("Close without saving? The changes made since the catalogue "
                                   "was last saved are lost."),
                                 CenterPos, false))
                return true;
            continue;
        }
        if (choice != 0)
            return false;
        TFileSaveRequest request;
        request.Title = _("Save a copy of the catalogue");
        request.StartDir = UserPath;
        request.FileName = ExtractFileName(IniName);
        request.DefaultExt = QStringLiteral("ini");
        request.Filter = _("Catalogues") + QStringLiteral("|*.ini");
        const QString copy = SaveFileAs(this, request);
        if (copy.isEmpty())
            continue;
        try {
            WriteCatalogue(copy, false);
            return true;
        } catch (const ERavelinError &e) {
            reason = e.message();
        }
    }
}

void TfrmMain::ReloadCatalogue()
{
    FCatalogueFile.reset();
    // The load completes it with the emulator's folder again.
    LocPath = LocalAppDataPath();
    LoadCatalogue();
}

void TfrmMain::actRestoreBackupExecute()
{
    const QList<TCatalogueBackup> backups = ListBackups(IniName);
    if (backups.isEmpty()) {
        Prompt().information(SafeFormat(_("There is no backup of the catalogue \"%s\" yet. "
                                          "Ravelin keeps one each time it saves the catalogue."),
                                        Shown(IniName)));
        return;
    }
    QStringList items;
    for (const TCatalogueBackup &backup : backups) {
        items.append(GnuGettext::InterfaceLocale().toString(backup.Time, QLocale::ShortFormat) +
                     QStringLiteral(" \u2013 ") +
                     (backup.EntryCount == 1 ? _("1 entry")
                                             : SafeFormat(_("%d entries"), backup.EntryCount)));
    }
    const int chosen = ChooseItem(
        _("Restore backup"),
        SafeFormat(_("Earlier versions of \"%s\", the newest first:"), Shown(IniName)), items);
    if (chosen < 0)
        return;
    if (!Prompt().confirm(SafeFormat(_("Restore the catalogue of %s? The current catalogue file "
                                       "is kept as a backup; changes not yet saved are lost."),
                                     items[chosen]),
                          CenterPos, false))
        return;
    RestoreBackup(IniName, backups[chosen]);
    ReloadCatalogue();
}

void TfrmMain::ActivateFromOtherStart()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}
