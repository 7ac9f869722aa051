// Manuals of the entries, the program's help and the About box.
#include "mainwindow/MainWindow.h"

#include "dialogs/MsgDialogs.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemOpen.h"
#include "texttools/ui/ShowMemo.h"
#include "texttools/ui/WebBrowser.h"

#include <QFileInfo>

namespace {

// Set by the build (RAVELIN_CONTACT); without one the About box names none.
#ifdef RAVELIN_CONTACT
const QString ContactAddress = QStringLiteral(RAVELIN_CONTACT);
#else
const QString ContactAddress;
#endif

} // namespace

TManualViewer ManualViewerOf(const QString &fileName)
{
    const QString ext = ExtensionOf(fileName).toLower();
    if (ext == u"htm" || ext == u"html")
        return TManualViewer::mvHtml;
    if (ext == u"txt")
        return TManualViewer::mvText;
    return TManualViewer::mvShell;
}

QString ManualFileOf(const TDosBoxApp &app)
{
    // A name typed without folder lies in the application's folder, not in
    // whatever folder the program happened to be started from.
    return app.FileInAppFolder(app.ManFile);
}

void TfrmMain::actShowManExecute()
{
    const int index = SelectedAppIndex();
    if (index < 0)
        return;
    const TDosBoxApp &app = *Apps[size_t(index)];
    const QString file = ManualFileOf(app);
    if (file.isEmpty()) {
        ErrorDialog(SafeFormat(_("No manual has been set for \"%s\"."), app.AppName));
        return;
    }
    if (!QFileInfo::exists(file)) {
        // The file is what the user has to look for.
        ErrorDialog(SafeFormat(_("Manual not found (%s)!"), file));
        return;
    }
    const QString title = _("Manual for ") + app.AppName;
    switch (ManualViewerOf(file)) {
    case TManualViewer::mvHtml:
        // A manual already showing keeps its page; F1 only switches to it.
        if (HtManWin->isVisible())
            HtManWin->BringToFront();
        else
            HtManWin->Execute(this, title, file, QString(), false, QKeySequence(Qt::Key_F1));
        break;
    case TManualViewer::mvText:
        ShowTextManual(title, file);
        break;
    case TManualViewer::mvShell:
        // Whatever the desktop makes of the file is its own business.
        ShellOpenFile(file);
        break;
    }
}

QString HelpFileName()
{
    // TRANSLATORS: The user guide in your language beside the program:
    // ravelin-de.html and ravelin-fr.html exist.
    return DataDir() + _("ravelin-en.html");
}

void TfrmMain::actHelpFileExecute()
{
    const QString file = HelpFileName();
    if (!QFileInfo(file).isFile()) {
        ErrorDialogAt(CenterPos, _("Help file not found!"));
        return;
    }
    // Without a web browser on the desktop the guide opens in Ravelin's own
    // HTML viewer.
    if (ShellCanOpen(QStringLiteral("text/html")) && ShellOpenFile(file))
        return;
    HtManWin->Execute(this, _("Ravelin user guide"), file, QString(), false,
                      QKeySequence(Qt::Key_F1));
}

QString TfrmMain::AboutText() const
{
    // The date follows the language in use.
    QString text = ProgVersName + QStringLiteral(" - ") + GetProgramVersion().ProgVersDate +
                   QStringLiteral("\r\n") + FVersion.Copyright;
    if (!ContactAddress.isEmpty())
        text += QStringLiteral("\r\n") + _("E-Mail: ") + ContactAddress;
    return text;
}

void TfrmMain::actInfoExecute()
{
    InfoDialogAt(CenterPos, _("About Ravelin") + u'|' + AboutText());
}

void TfrmMain::ShowTextManual(const QString &Title, const QString &FileName)
{
    if (!ShowTextDialog)
        return;
    // Beside the main window, which stays usable.
    ShowTextDialog->Execute(Title, FileName, QString(), QString(), QString(), QString(), QString(),
                            QString(), _("All") + QStringLiteral("|*.*"), pos() + QPoint(20, 20), 1,
                            stShow, {sbPrint, sbSearch, sbCodepage}, BasicSettings.Codepage);
}
