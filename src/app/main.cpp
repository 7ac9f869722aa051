#include "appsettings/AppSettingsDlg.h"
#include "dialogs/Application.h"
#include "dialogs/MsgDialogs.h"
#include "dialogs/SelectFromListDlg.h"
#include "dialogs/ShellDirDlg.h"
#include "globalsettings/Settings.h"
#include "launcher/CommandLineMode.h"
#include "localisation/LanguageSelection.h"
#include "localisation/ui/TranslateComponent.h"
#include "mainwindow/MainWindow.h"
#include "support/GnuGettext.h"
#include "support/InitProg.h"
#include "support/InstanceChannel.h"
#include "support/StringUtils.h"
#include "support/SystemFolders.h"
#include "texttools/ui/ShowMemo.h"
#include "texttools/ui/TxtConvertDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

enum class TInfoRequest
{
    None,
    Help,
    Version
};

// GNU options that print and end the program before any window (and any
// display connection) exists. "--" ends the options.
TInfoRequest InfoRequest(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--help")
            return TInfoRequest::Help;
        if (arg == "--version")
            return TInfoRequest::Version;
    }
    return TInfoRequest::None;
}

QString HelpText()
{
    const QString folder = AppDataDir();
    return SafeFormat(
        // TRANSLATORS: Terminal text: keep every line within 80 columns and begin the
        // descriptions of the options in one column, the same as in the help of the
        // command-line mode. Option names stay as written; %s is the program name.
        _("Usage: %s [/lang:CODE] [/ini:FILE] [/portable]\n"
          "Keeps a catalogue of DOS applications and starts them in DOSBox or\n"
          "DOSBox Staging.\n"
          "\n"
          "Options may also begin with \"-\", and their names may be shortened (/l:de, /p):\n"
          "  /lang:CODE  interface language for this run (en, de, fr); a language chosen\n"
          "              from the menu is then not remembered\n"
          "  /ini:FILE   catalogue file; a name without folder lies in the configuration\n"
          "              folder, \".ini\" is added to a name without \".\"\n"
          "  /portable   keep the language file beside the program, or with /ini beside\n"
          "              the catalogue file and named after it\n"
          "  --help      show this help and exit\n"
          "  --version   show the version and exit\n"
          "\n"
          "Files:\n"
          "  %s/%s.ini  the catalogue\n"
          "  %s/%s.cfg  the interface language\n"
          "  %s  the user guide\n"),
        ExeBaseName(), folder, ExeBaseName(), folder, ExeBaseName(), HelpFileName());
}

void Print(const QString &text, FILE *stream = stdout)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// The arguments of main() as the window's option reader sees them.
QStringList Arguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

} // namespace

int main(int argc, char **argv)
{
    if (const TInfoRequest request = InfoRequest(argc, argv); request != TInfoRequest::None) {
        QCoreApplication app(argc, argv);
        SetExePaths(QCoreApplication::applicationFilePath());
        InitCommandLineLanguage(QCoreApplication::arguments().mid(1));
        Print(request == TInfoRequest::Help ? QString(HelpText() + CliHelpText(ExeBaseName()))
                                            : GetProgramVersion().ProgVersName + u'\n');
        return 0;
    }

    if (const QString unknown = UnknownOption(Arguments(argc, argv));
        !unknown.isEmpty() && !IsCliRequest(argc, argv)) {
        QCoreApplication app(argc, argv);
        SetExePaths(QCoreApplication::applicationFilePath());
        InitCommandLineLanguage(QCoreApplication::arguments().mid(1));
        Print(SafeFormat(_("Unknown option %s."), unknown) + u'\n' +
                  HelpText().section(u'\n', 0, 0) + u'\n' +
                  SafeFormat(_("Try \"%s --help\"."), ExeBaseName()) + u'\n',
              stderr);
        return 2;
    }

    if (IsCliRequest(argc, argv)) {
        // --list, --run, --dosbox: no window, no display.
        QCoreApplication app(argc, argv);
        SetExePaths(QCoreApplication::applicationFilePath());
        return RunCommandLineMode(QCoreApplication::arguments().mid(1));
    }

    TApplication app(argc, argv);
    SetExePaths(QCoreApplication::applicationFilePath());
    // Wayland desktops match the window to the installed menu entry by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(RAVELIN_APP_ID));

    // Before the first window exists: place the language file (default place,
    // then the command line) and put the interface language into effect.
    InstallWindowTranslation();
    GnuGettext::InitLanguage();

    // One window per catalogue: a second start brings the first to the front
    // (one still starting shows itself). A command-line start that records
    // a start holds the catalogue for a moment; this start then waits.
    const QString iniName = IniFileName(QCoreApplication::arguments().mid(1),
                                        GetProgramPaths(true).AppDataPath, ExeBaseName());
    TInstanceChannel channel(iniName);
    const QString answer = channel.SendOrClaim(TInstanceChannel::CmdActivate, QString(), true);
    if (!channel.Claimed()) {
        if (answer == TInstanceChannel::AnswerOk || answer == TInstanceChannel::AnswerBusy)
            return 0;
        ErrorDialog(SafeFormat(_("Ravelin is already running with the catalogue \"%s\" but "
                                 "does not answer.\r\nClose it, or end it, and start Ravelin "
                                 "again."),
                               QDir::toNativeSeparators(iniName)));
        return 1;
    }

    // The windows, created once in their fixed order and used until the end;
    // the list editor comes before the settings dialog, which is given it.
    TfrmMain frmMain;
    TDosBoxSetDialog DosBoxSetDialog(&frmMain);
    TShellDirDialog ShellDirDialog(&frmMain);
    TSelectFromListDialog SelectFromListDialog(&frmMain);
    TAppSettingsDialog AppSettingsDialog(frmMain.BasicSettings, &ShellDirDialog,
                                         &SelectFromListDialog, &frmMain);
    // The viewer stays open beside the main window, not above it.
    TShowTextDialog ShowTextDialog;
    TTxtConvertDialog TxtConvertDialog(&frmMain);
    DosBoxSetDialog.SetDirDialog(&ShellDirDialog);
    frmMain.DosBoxSetDialog = &DosBoxSetDialog;
    frmMain.ShellDirDialog = &ShellDirDialog;
    frmMain.AppSettingsDialog = &AppSettingsDialog;
    frmMain.ShowTextDialog = &ShowTextDialog;
    frmMain.TxtConvertDialog = &TxtConvertDialog;
    channel.SetHandler([&frmMain](const QString &command, const QString &argument) -> QString {
        if (command == TInstanceChannel::CmdRun)
            return frmMain.RunFromOtherStart(argument);
        if (command != TInstanceChannel::CmdActivate)
            return TInstanceChannel::AnswerUnknown;
        frmMain.ActivateFromOtherStart();
        return TInstanceChannel::AnswerOk;
    });
    frmMain.show();
    return app.exec();
}
