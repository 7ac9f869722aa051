// --import of the command-line mode: the same scan and proposals as the
// window's import, with the review replaced by a printed list.
#include "catalogue/Catalogue.h"
#include "import/ImportPlan.h"
#include "launcher/CommandLineMode.h"
#include "launcher/ConsolePrompt.h"
#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QTextStream>

namespace {

// The stored window bounds, so that a save without the window keeps them.
constexpr QRect DefaultBounds(50, 50, 554, 390);

QString ProgramText(const TImportProposal &p)
{
    if (p.UsesConf)
        return QDir::toNativeSeparators(p.ConfFile);
    return p.Parameters.isEmpty() ? p.Program : p.Program + u' ' + p.Parameters;
}

} // namespace

int RunCliImport(const TCliRequest &request, TCatalogue &catalogue, const TCatalogueFiles &files,
                 QTextStream &out, QTextStream &err)
{
    const QString iniName = QDir::toNativeSeparators(files.IniName);
    if (!catalogue.Loaded || !catalogue.File) {
        err << WrapLines(SafeFormat(_("The catalogue file \"%s\" could not be read in full; "
                                      "nothing is imported into it."),
                                    iniName))
            << Qt::endl;
        return ceNotStarted;
    }
    QStringList paths;
    for (const QString &path : request.ImportPaths)
        paths.append(QDir::fromNativeSeparators(path));
    const TScanResult scan = ScanFolders(paths);
    std::vector<TImportProposal> proposals = ProposeImports(scan, request.Category.trimmed());
    MarkPresent(proposals, catalogue.Apps);

    int toAdd = 0;
    int present = 0;
    for (const TImportProposal &p : proposals) {
        if (p.Present) {
            ++present;
            continue;
        }
        if (!p.Checked) {
            err << WrapLines(SafeFormat(_("Not added: %s (%s)"), p.Name, p.Note)) << u'\n';
            continue;
        }
        ++toAdd;
        out << p.Name << u'\t' << QDir::toNativeSeparators(p.AppPath) << u'\t' << ProgramText(p)
            << u'\n';
    }
    out << Qt::flush;
    QString summary = SafeFormat(
        NG_("%d application found to add.", "%d applications found to add.", toAdd), toAdd);
    const QString skipped = ImportSkippedText(present, scan.Unreadable);
    if (!skipped.isEmpty())
        summary += u' ' + skipped;
    err << WrapLines(summary) << Qt::endl;
    if (!request.Yes) {
        if (toAdd > 0)
            err << WrapLines(NG_("Nothing was added; add it with --yes.",
                                 "Nothing was added; add them with --yes.", toAdd))
                << Qt::endl;
        return ceSuccess;
    }
    if (toAdd == 0)
        return ceSuccess;
    AddImports(catalogue, proposals, QImage(), QImage());
    try {
        SaveCatalogue(files.IniName, catalogue,
                      ReadMainWindowBounds(*catalogue.File, DefaultBounds));
    } catch (const ERavelinError &e) {
        err << WrapLines(e.message()) << Qt::endl;
        return ceNotStarted;
    }
    err << WrapLines(SafeFormat(NG_("%d application added to the catalogue \"%s\".",
                                    "%d applications added to the catalogue \"%s\".", toAdd),
                                toAdd, iniName))
        << Qt::endl;
    return ceSuccess;
}
