#include "launcher/CommandLineMode.h"

#include "catalogue/AppIcons.h"
#include "catalogue/Catalogue.h"
#include "launcher/ConsolePrompt.h"
#include "launcher/DesktopShortcut.h"
#include "launcher/RunCommand.h"
#include "launcher/WinExecute.h"
#include "localisation/LanguageSelection.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/InitProg.h"
#include "support/InstanceChannel.h"
#include "support/SearchText.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QTextStream>
#include <cstdio>

namespace {

const QString OptList = QStringLiteral("--list");
const QString OptRun = QStringLiteral("--run");
const QString OptDosBox = QStringLiteral("--dosbox");
const QString OptShortcut = QStringLiteral("--shortcut");
const QString OptYes = QStringLiteral("--yes");
const QString OptImport = QStringLiteral("--import");
const QString OptCategory = QStringLiteral("--category");
const QString OptHelp = QStringLiteral("--help");
const QString OptEnd = QStringLiteral("--");

// The options that take the next argument, or the text after "=", as the
// name of an entry.
bool IsNameOption(const QString &arg)
{
    return arg == OptRun || arg == OptShortcut;
}

bool IsModeOption(const QString &arg)
{
    return arg == OptList || arg == OptDosBox || arg == OptImport || IsNameOption(arg) ||
           arg.startsWith(OptRun + u'=') || arg.startsWith(OptShortcut + u'=');
}

void SetMode(TCliRequest &request, TCliRequest::TMode mode, const QString &option)
{
    if (request.Mode != TCliRequest::TMode::None && request.Mode != TCliRequest::TMode::Help &&
        request.Error.isEmpty())
        // TRANSLATORS: The options (--list, --run, ...) stay as written.
        request.Error = SafeFormat(_("Only one of --list, --run, --dosbox, --import and "
                                     "--shortcut may be given, not also %s."),
                                   option);
    if (request.Mode != TCliRequest::TMode::Help)
        request.Mode = mode;
}

} // namespace

bool IsCliRequest(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == OptEnd)
            return false;
        if (IsModeOption(arg))
            return true;
    }
    return false;
}

bool IsCliRequest(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return IsCliRequest(args);
}

TCliRequest ParseCliRequest(const QStringList &args)
{
    using TMode = TCliRequest::TMode;
    TCliRequest request;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == OptEnd)
            break;
        if (!arg.startsWith(OptEnd)) {
            // Options of the window are read by the start-up code; a stray
            // word is most likely a name with blanks that lost its quotes.
            const bool windowOption = arg.startsWith(u'/') || arg.startsWith(u'-');
            if (!windowOption && request.Mode == TMode::List)
                request.Words.append(arg);
            else if (!windowOption && request.Error.isEmpty())
                request.Error = SafeFormat(_("Unexpected argument %s."), arg);
            continue;
        }
        if (arg == OptHelp) {
            request.Mode = TMode::Help;
        } else if (arg == OptList) {
            SetMode(request, TMode::List, arg);
        } else if (arg == OptDosBox) {
            SetMode(request, TMode::DosBox, arg);
        } else if (arg == OptYes) {
            request.Yes = true;
        } else if (IsNameOption(arg.section(u'=', 0, 0))) {
            const QString option = arg.section(u'=', 0, 0);
            SetMode(request, option == OptRun ? TMode::Run : TMode::Shortcut, option);
            if (arg == option) {
                if (i + 1 < args.size())
                    request.AppName = args.at(++i);
            } else {
                request.AppName = arg.mid(option.size() + 1);
            }
            if (request.AppName.trimmed().isEmpty() && request.Error.isEmpty())
                request.Error = SafeFormat(_("%s needs the name of an application."), option);
        } else if (arg == OptImport) {
            SetMode(request, TMode::Import, arg);
            while (i + 1 < args.size() && !args.at(i + 1).startsWith(OptEnd))
                request.ImportPaths.append(args.at(++i));
            if (request.ImportPaths.isEmpty() && request.Error.isEmpty())
                request.Error = _("--import needs at least one folder or configuration file.");
        } else if (arg == OptCategory || arg.startsWith(OptCategory + u'=')) {
            if (arg != OptCategory)
                request.Category = arg.mid(OptCategory.size() + 1);
            else if (i + 1 < args.size())
                request.Category = args.at(++i);
        } else if (request.Error.isEmpty()) {
            request.Error = SafeFormat(_("Unknown option %s."), arg);
        }
    }
    if (request.Mode == TMode::Help)
        request.Error.clear();
    request.WindowArgs = WindowArguments(args);
    return request;
}

QStringList WindowArguments(const QStringList &args)
{
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == OptEnd) {
            rest += args.mid(i);
            break;
        }
        if (IsNameOption(arg) || arg == OptCategory) {
            ++i;
        } else if (arg == OptImport) {
            while (i + 1 < args.size() && !args.at(i + 1).startsWith(OptEnd))
                ++i;
        } else if (!arg.startsWith(OptEnd)) {
            rest.append(arg);
        }
    }
    return rest;
}

QString CliHelpText(const QString &programName)
{
    return SafeFormat(
        // TRANSLATORS: Terminal text: keep every line within 80 columns and begin the
        // descriptions of the options in one column, the same as in the help above it.
        // Option names stay as written; %s is the program name.
        _("\n"
          "Command-line mode (no window; the catalogue is written only by --import\n"
          "--yes and to record a start of --run):\n"
          "  %s [options] --list [WORDS...] | --dosbox\n"
          "  %s [options] --run NAME [--yes] | --shortcut NAME [--yes]\n"
          "  %s [options] --import FOLDER... [--category NAME] [--yes]\n"
          "  --list      list the applications: name, a tab, category; with WORDS only\n"
          "              those whose name, category, description, program or folder\n"
          "              hold every word (letter case and accents do not matter)\n"
          "  --run NAME  start the application NAME (letter case does not matter) and\n"
          "              record the start; while a Ravelin window shows the catalogue,\n"
          "              that window starts it\n"
          "  --dosbox    start the emulator without an application\n"
          "  --shortcut NAME\n"
          "              put a shortcut that starts the application NAME into the\n"
          "              desktop's application menu; with --yes also onto the desktop\n"
          "  --import    find applications in the folders (each sub-folder is one) and\n"
          "              DOSBox configuration files given, and list what would be added\n"
          "  --yes       answer questions with their default button instead of \"No\";\n"
          "              with --import: add what was found\n"
          "Messages and questions go to standard error. Exit status: 0 the emulator\n"
          "was started (or the list printed, the shortcut written), 1 nothing was\n"
          "started (or written), 2 wrong options or no such application.\n"
          "Example: %s --run \"Monkey Island\"\n"),
        programName, programName, programName, programName);
}

namespace {

// Loading for the command-line mode: nobody can choose an emulator folder.
// Shortcuts work without one; the commands that start it, and the import,
// need it. Nothing edits configuration files here.
class TCliCatalogueHost : public ICatalogueHost
{
public:
    explicit TCliCatalogueHost(bool needsEmulator) : FNeedsEmulator(needsEmulator) {}
    bool ConfirmFirstStart(TFirstStartChoice &choice) override
    {
        choice.DosBoxPath = QDir::rootPath();
        return !FNeedsEmulator;
    }
    void EditBasicSettings(TBasicSettings &) override {}
    bool UsesTextEditor() const override { return false; }
    // A catalogue that cannot be read in full, or no catalogue at all: the
    // window says the same, and nothing is listed or started from it.
    void ReportError(const QString &message) override { Error = message; }

    QString Error;

private:
    bool FNeedsEmulator;
};

// A name as a terminal line shows it: control characters (escape
// sequences, tabs, line breaks) would act on the terminal or break the
// "name TAB category" lines.
QString Printable(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u'?';
    }
    return out;
}

const TDosBoxApp *FindApp(const TCatalogue &catalogue, const QString &name)
{
    for (const auto &app : catalogue.Apps) {
        if (SameText(app->AppName, name))
            return app.get();
    }
    return nullptr;
}

// Writes the shortcut; its files go to out, one per line.
int MakeShortcut(const TCliRequest &request, const TDosBoxApp &app, const QString &iniName,
                 QTextStream &out, QTextStream &err)
{
    TConsolePrompt prompt(err, request.Yes);
    try {
        const QStringList written =
            CreateDesktopShortcut(app, ShortcutCatalogue(request.WindowArgs, iniName), prompt);
        for (const QString &file : written)
            out << file << u'\n';
        out << Qt::flush;
        return ceSuccess;
    } catch (const ERavelinError &e) {
        prompt.error(e.message());
        return ceNotStarted;
    }
}

int Launch(const TCliRequest &request, const TCatalogue &catalogue, IProcessStarter &starter,
           QTextStream &err)
{
    TConsolePrompt prompt(err, request.Yes);
    const TLaunchContext ctx{catalogue.BasicSettings, prompt, starter};
    try {
        if (request.Mode == TCliRequest::TMode::DosBox)
            return RunDosBox(ctx) ? ceSuccess : ceNotStarted;
        return RunApplication(*FindApp(catalogue, request.AppName), ctx).Started ? ceSuccess
                                                                                 : ceNotStarted;
    } catch (const ERavelinError &e) {
        prompt.error(e.message());
        return ceNotStarted;
    }
}

// The start goes into the catalogue file; the emulator runs already, so a
// failure is only reported.
void RecordStart(const TCatalogueFiles &files, const QString &appName, QTextStream &err)
{
    try {
        RecordStartInFile(files, appName);
    } catch (const ERavelinError &e) {
        err << WrapLines(e.message()) << u'\n'
            << WrapLines(_("The start was not recorded in the catalogue.")) << Qt::endl;
    }
}

} // namespace

int RunCli(const TCliRequest &request, TCatalogueFiles files, IProcessStarter &starter,
           QTextStream &out, QTextStream &err)
{
    using TMode = TCliRequest::TMode;
    if (!request.Error.isEmpty()) {
        err << WrapLines(request.Error) << u'\n'
            << WrapLines(SafeFormat(_("Try \"%s --help\"."), ExeBaseName())) << Qt::endl;
        return ceUsage;
    }
    if (request.Mode == TMode::Help) {
        out << CliHelpText(ExeBaseName()) << Qt::flush;
        return ceSuccess;
    }
    if (request.Mode == TMode::None)
        return ceUsage;

    QString problem;
    if (request.Mode == TMode::List) {
        // Names and categories only (and what the words are looked for in):
        // a large catalogue lists in a moment.
        const QString typed = request.Words.join(u' ');
        const std::vector<TEntryName> names = FindEntryNames(files, typed, &problem);
        if (!problem.isEmpty()) {
            err << WrapLines(problem) << Qt::endl;
            return ceNotStarted;
        }
        if (names.empty() && !SearchWords(typed).isEmpty()) {
            err << WrapLines(SafeFormat(_("No application matches \"%s\"."), typed)) << Qt::endl;
            return ceNotStarted;
        }
        for (const TEntryName &entry : names)
            out << Printable(entry.AppName) << u'\t'
                << Printable(entry.Category.isEmpty() ? DefaultCategoryName() : entry.Category)
                << u'\n';
        out << Qt::flush;
        return ceSuccess;
    }

    // The global settings and the one entry to start, not the whole file.
    TCatalogue catalogue;
    // --import needs every entry (to skip those already there) and writes the
    // whole file; the others need the global settings and at most one entry.
    const bool named = request.Mode == TMode::Run || request.Mode == TMode::Shortcut;
    const bool shortcut = request.Mode == TMode::Shortcut;
    TCliCatalogueHost host(!shortcut);
    std::unique_ptr<TUnicodeIniFile> file =
        request.Mode == TMode::Import
            ? ReadCatalogueFile(files)
            : ReadCatalogueFileFor(files, named ? request.AppName : QString(), &problem);
    if (!problem.isEmpty()) {
        err << WrapLines(problem) << Qt::endl;
        return ceNotStarted;
    }
    const TLoadResult loaded = LoadCatalogue(std::move(file), files, catalogue, host,
                                             shortcut ? DefaultAppIcon(32) : QImage(),
                                             shortcut ? DefaultAppIcon(16) : QImage());
    if (!host.Error.isEmpty()) {
        err << WrapLines(host.Error) << Qt::endl;
        return ceNotStarted;
    }
    if (loaded.Cancelled) {
        err << WrapLines(SafeFormat(_("The DOSBox program directory is not known. Choose it in "
                                      "the window first, or check the catalogue file \"%s\"."),
                                    QDir::toNativeSeparators(files.IniName)))
            << Qt::endl;
        return ceNotStarted;
    }
    if (request.Mode == TMode::Import)
        return RunCliImport(request, catalogue, files, out, err);
    if (named && !FindApp(catalogue, request.AppName)) {
        err << WrapLines(SafeFormat(_("There is no application \"%s\" in the catalogue \"%s\"."),
                                    request.AppName, QDir::toNativeSeparators(files.IniName)))
            << Qt::endl;
        return ceUsage;
    }
    if (request.Mode == TMode::Shortcut)
        return MakeShortcut(request, *FindApp(catalogue, request.AppName), files.IniName, out, err);
    const int started = Launch(request, catalogue, starter, err);
    if (started == ceSuccess && request.Mode == TMode::Run)
        RecordStart(files, request.AppName, err);
    return started;
}

int RunCliRequest(const TCliRequest &request, const TCatalogueFiles &files,
                  IProcessStarter &starter, QTextStream &out, QTextStream &err)
{
    const bool run = request.Mode == TCliRequest::TMode::Run && request.Error.isEmpty();
    // A name of more than one line is in no catalogue, and the channel
    // carries one line.
    if (!run || request.AppName.contains(u'\n') || request.AppName.contains(u'\r'))
        return RunCli(request, files, starter, out, err);
    TInstanceChannel channel(files.IniName);
    const QString answer =
        channel.SendOrClaim(TInstanceChannel::CmdRun, request.AppName.trimmed(), false);
    if (channel.Claimed())
        return RunCli(request, files, starter, out, err);
    const QString shown = QDir::toNativeSeparators(files.IniName);
    if (answer == TInstanceChannel::AnswerOk)
        return ceSuccess;
    if (answer == TInstanceChannel::AnswerUnknown) {
        err << WrapLines(SafeFormat(_("There is no application \"%s\" in the catalogue \"%s\"."),
                                    request.AppName, shown))
            << Qt::endl;
        return ceUsage;
    }
    if (answer == TInstanceChannel::AnswerBusy)
        err << WrapLines(SafeFormat(_("The Ravelin window of the catalogue \"%s\" cannot start "
                                      "an application now. Try again when it has loaded the "
                                      "catalogue."),
                                    shown))
            << Qt::endl;
    else
        err << WrapLines(SafeFormat(_("Ravelin is already running with the catalogue \"%s\" but "
                                      "does not answer.\r\nClose it, or end it, and start Ravelin "
                                      "again."),
                                    shown)
                             .remove(u'\r'))
            << Qt::endl;
    return ceNotStarted;
}

void InitCommandLineLanguage(const QStringList &args)
{
    const TCommandLine commandLine =
        ParseCommandLine(WindowArguments(args), ExeDir(), DefaultLanguageFile());
    GnuGettext::InitLanguage({QStringLiteral("runtime"), QStringLiteral("units")},
                             commandLine.LangCode, commandLine.LanguageFile);
}

int RunCommandLineMode(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList windowArgs = WindowArguments(args);
    InitCommandLineLanguage(args);
    const TCliRequest request = ParseCliRequest(args);
    const TProgramPaths paths = GetProgramPaths(false);
    TCatalogueFiles files;
    files.IniName = IniFileName(windowArgs, paths.AppDataPath, ExeBaseName());
    files.ExeDir = ExeDir();
    files.UserPath = paths.UserPath;
    files.ProgPath = paths.ProgPath;
    files.LocPath = LocalAppDataPath();
    TSystemProcessStarter starter;
    return RunCliRequest(request, files, starter, out, err);
}
