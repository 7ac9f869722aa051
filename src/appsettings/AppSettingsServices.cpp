// What the application settings dialog asks of the program's shared dialogs
// and of the text editor; tests replace these.

#include "appsettings/AppSettingsDlg.h"

#include "dialogs/SelectFromListDlg.h"
#include "dialogs/ShellDirDlg.h"

#include <QFileInfo>
#include <QProcess>

bool TAppSettingsDialog::ChooseDirectory(const QString &title, const QString &homeDir, QString &dir)
{
    if (!FDirDialog)
        return false;
    return FDirDialog->Execute(title, false, true, false, homeDir, dir);
}

bool TAppSettingsDialog::ExecuteListEditor(QPoint pos, const QString &title,
                                           const QString &description, QStringList &list)
{
    if (!FListDialog)
        return false;
    QString chosen;
    return FListDialog->Execute(pos, title, description, QString(), {soEdit, soOrder}, 1,
                                TTextChange::tcNone, QString(), list, chosen, true) == mrOk;
}

void TAppSettingsDialog::StartTextEditor(const QString &editor, const QString &file)
{
    // The editor runs on its own; a failure to start it is not reported, as
    // the configuration is read again either way.
    QProcess::startDetached(editor, {file}, QFileInfo(file).absolutePath());
}
