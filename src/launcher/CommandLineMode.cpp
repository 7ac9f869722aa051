#include "launcher/CommandLineMode.h"

#include "catalogue/Catalogue.h"
#include "launcher/ConsolePrompt.h"
#include "launcher/RunCommand.h"
#include "launcher/WinExecute.h"
#include "localisation/LanguageSelection.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/InitProg.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QTextStream>
#include <cstdio>

namespace {

const QString OptList = QStringLiteral("--list");
const QString OptRun = QStringLiteral("--run");
const QString OptDosBox = QStringLiteral("--dosbox");
const QString OptYes = QStringLiteral("--yes");
const QString OptHelp = QStringLiteral("--help");
const QString OptEnd = QStringLiteral("--");

bool IsModeOption(const QString &arg)
{
    return arg == OptList || arg == OptRun || arg == OptDosBox || arg.startsWith(OptRun + u'=');
}

void SetMode(TCliRequest &request, TCliRequest::TMode mode, const QString &option)
{
    if (request.Mode != TCliRequest::TMode::None && request.Mode != TCliRequest::TMode::Help &&
        request.Error.isEmpty())
        request.Error = SafeFormat(_("Only one of --list, --run and --dosbox may be given, "
                                     "not also %s."),
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
            if (!windowOption && request.Error.isEmpty())
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
        } else if (arg == OptRun || arg.startsWith(OptRun + u'=')) {
            SetMode(request, TMode::Run, OptRun);
            if (arg == OptRun) {
                if (i + 1 < args.size())
                    request.AppName = args.at(++i);
            } else {
                request.AppName = arg.mid(OptRun.size() + 1);
            }
            if (request.AppName.trimmed().isEmpty() && request.Error.isEmpty())
                request.Error = _("--run needs the name of an application.");
        } else if (request.Error.isEmpty()) {
            request.Error = SafeFormat(_("Unknown option %s."), arg);
        }
    }
    if (request.Mode == TMode::Help)
        request.Error.clear();
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
        if (arg == OptRun)
            ++i;
        else if (!arg.startsWith(OptEnd))
            rest.append(arg);
    }
    return rest;
}

QString CliHelpText(const QString &programName)
{
    return SafeFormat(
        _("\n"
          "Command-line mode (no window; the catalogue is read, never written):\n"
          "  %s [options] --list | --run NAME [--yes] | --dosbox\n"
          "  --list      list the applications: name, a tab, category\n"
          "  --run NAME  start the application NAME (letter case does not matter)\n"
          "  --dosbox    start the emulator without an application\n"
          "  --yes       answer questions with their default button instead of \"No\"\n"
          "Messages and questions go to standard error. Exit status: 0 the emulator\n"
          "was started (or the list printed), 1 nothing was started, 2 wrong options\n"
          "or no such application.\n"
          "Example: %s --run \"Monkey Island\"\n"),
        programName, programName);
}

namespace {

// Loading for the command-line mode: nobody can choose an emulator folder.
// Listing works without one; the commands that start it need it.
class TCliCatalogueHost : public ICatalogueHost
{
public:
    explicit TCliCatalogueHost(bool needsEmulator) : m_needsEmulator(needsEmulator) {}
    QString ChooseDosBoxDir(const QString &, const QString &, const QString &) override
    {
        return m_needsEmulator ? QString() : QDir::rootPath();
    }
    void EditBasicSettings(TBasicSettings &) override {}
    // A catalogue that cannot be read in full, or no catalogue at all: the
    // window says the same, and nothing is listed or started from it.
    void ReportError(const QString &message) override { Error = message; }

    QString Error;

private:
    bool m_needsEmulator;
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

} // namespace

int RunCli(const TCliRequest &request, TCatalogueFiles files, IProcessStarter &starter,
           QTextStream &out, QTextStream &err)
{
    using TMode = TCliRequest::TMode;
    if (!request.Error.isEmpty()) {
        err << request.Error << u'\n' << SafeFormat(_("Try \"%s --help\"."), ExeBaseName())
            << Qt::endl;
        return ceUsage;
    }
    if (request.Mode == TMode::Help) {
        out << CliHelpText(ExeBaseName()) << Qt::flush;
        return ceSuccess;
    }
    if (request.Mode == TMode::None)
        return ceUsage;

    TCatalogue catalogue;
    TCliCatalogueHost host(request.Mode != TMode::List);
    const TLoadResult loaded = LoadCatalogue(files, catalogue, host, QImage(), QImage());
    if (!host.Error.isEmpty()) {
        err << host.Error << Qt::endl;
        return ceNotStarted;
    }
    if (loaded.Cancelled) {
        err << SafeFormat(_("The DOSBox program directory is not known. Choose it in the "
                            "window first, or check the catalogue file \"%s\"."),
                          QDir::toNativeSeparators(files.IniName))
            << Qt::endl;
        return ceNotStarted;
    }
    if (request.Mode == TMode::List) {
        for (const auto &app : catalogue.Apps)
            out << Printable(app->AppName) << u'\t' << Printable(CategoryOf(*app)) << u'\n';
        out << Qt::flush;
        return ceSuccess;
    }
    if (request.Mode == TMode::Run && !FindApp(catalogue, request.AppName)) {
        err << SafeFormat(_("There is no application \"%s\" in the catalogue \"%s\"."),
                          request.AppName, QDir::toNativeSeparators(files.IniName))
            << Qt::endl;
        return ceUsage;
    }
    return Launch(request, catalogue, starter, err);
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
    return RunCli(request, files, starter, out, err);
}
