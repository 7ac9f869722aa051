#include "import/ImportPlan.h"

#include "catalogue/AppIcons.h"
#include "catalogue/Catalogue.h"
#include "emulator/DosBoxInterface.h"
#include "import/DosBoxConfImport.h"
#include "import/ImportRules.h"
#include "support/GnuGettext.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString DosPath(const QString &relative)
{
    QString path = relative;
    return path.replace(u'/', u'\\');
}

QString FileNameOf(const QString &program)
{
    const qsizetype slash = std::max(program.lastIndexOf(u'\\'), program.lastIndexOf(u'/'));
    QString name = program.mid(slash + 1);
    const qsizetype colon = name.indexOf(u':');
    return colon >= 0 ? name.mid(colon + 1) : name;
}

QString FolderName(const QString &folder)
{
    return QFileInfo(folder).fileName();
}

QString Below(const QString &folder, const QString &relative)
{
    return QDir::cleanPath(folder + u'/' + relative);
}

QString BestManual(const TScannedFolder &scanned)
{
    QString best;
    int bestRank = 0;
    for (const QString &doc : scanned.Documents) {
        const int rank = ManualRank(doc);
        if (rank > bestRank) {
            bestRank = rank;
            best = doc;
        }
    }
    return best.isEmpty() ? QString() : Below(scanned.Folder, best);
}

// The icon named like the program or the folder, else the shallowest one.
QString BestIcon(const TScannedFolder &scanned, const QString &program)
{
    if (scanned.Icons.isEmpty())
        return {};
    const QString programBase = QFileInfo(FileNameOf(program)).completeBaseName();
    const QString folderBase = FolderName(scanned.Folder);
    QString best = scanned.Icons.first();
    for (const QString &icon : scanned.Icons) {
        const QString base = QFileInfo(icon).completeBaseName();
        if (SameText(base, programBase) || SameText(base, folderBase))
            return Below(scanned.Folder, icon);
        if (icon.count(u'/') < best.count(u'/'))
            best = icon;
    }
    return Below(scanned.Folder, best);
}

QStringList DosPrograms(const TScannedFolder &scanned)
{
    QStringList programs;
    for (const QString &program : scanned.Programs)
        programs.append(DosPath(program));
    return programs;
}

// The configuration file that describes the start: one whose [autoexec]
// mounts or starts something, "dosbox.conf" first.
bool FindConf(const TScannedFolder &scanned, TConfImport &conf)
{
    QStringList order = scanned.Configs;
    std::stable_sort(order.begin(), order.end(), [](const QString &a, const QString &b) {
        return SameText(QFileInfo(a).fileName(), DosBox::AppConfigName) &&
               !SameText(QFileInfo(b).fileName(), DosBox::AppConfigName);
    });
    for (const QString &name : order) {
        TConfImport read = ReadDosBoxConf(Below(scanned.Folder, name));
        if (read.Error.isEmpty() && read.HasAutoexec) {
            conf = std::move(read);
            return true;
        }
    }
    return false;
}

void TakeConf(TImportProposal &p, const TConfImport &conf)
{
    p.FromConf = true;
    p.ConfFile = conf.ConfFile;
    if (!conf.AppPath.isEmpty())
        p.AppPath = conf.AppPath;
    p.HardDrv = conf.HardDrv;
    p.Speed = conf.Speed;
    p.MemSize = conf.MemSize;
    p.MemManage = conf.MemManage;
    p.FullScreen = conf.FullScreen;
    if (!conf.Overflow.isEmpty()) {
        // The file's own [autoexec] mounts and starts everything; the entry
        // adds nothing that would run the program a second time.
        p.UsesConf = true;
        // The emulator takes the file's relative paths from its working
        // folder, which is the entry's folder.
        if (conf.RelativePaths)
            p.AppPath = QDir::cleanPath(ExtractFilePath(conf.ConfFile));
        p.Program.clear();
        p.Programs.clear();
        p.AutoEnd = true;
        p.Note = SafeFormat(_("Starts with its DOSBox configuration file %s, which %s."),
                            QFileInfo(conf.ConfFile).fileName(), conf.Overflow.join(u", "));
        return;
    }
    p.CdDrv = conf.CdDrv;
    p.CdImages = conf.CdImages;
    p.Program = conf.AppFile;
    if (!p.Program.isEmpty() && !p.Programs.contains(p.Program, Qt::CaseInsensitive))
        p.Programs.prepend(p.Program);
    p.Parameters = conf.Parameters;
    p.Commands = conf.Commands;
    p.ExitCommands = conf.ExitCommands;
    p.AutoEnd = conf.AutoEnd;
    p.Note = SafeFormat(_("From the DOSBox configuration file %s."),
                        QFileInfo(conf.ConfFile).fileName());
    if (!IsDir(p.AppPath)) {
        p.Checked = false;
        p.Note =
            SafeFormat(_("The folder %s mounted by %s does not exist."),
                       QDir::toNativeSeparators(p.AppPath), QFileInfo(conf.ConfFile).fileName());
    }
}

TImportProposal Propose(const TScannedFolder &scanned, const QString &category)
{
    TImportProposal p;
    p.Category = category;
    p.AppPath = scanned.Folder;
    p.Name = TidyAppName(FolderName(scanned.Folder));
    p.Programs = DosPrograms(scanned);
    p.Program = DosPath(ChooseProgram(FolderName(scanned.Folder), scanned.Programs));
    for (const QString &image : scanned.CdImages)
        p.CdImages.append(Below(scanned.Folder, image));
    TConfImport conf;
    if (FindConf(scanned, conf)) {
        TakeConf(p, conf);
    } else if (scanned.ConfGiven) {
        p.Checked = false;
        const TConfImport read = ReadDosBoxConf(Below(scanned.Folder, scanned.Configs.first()));
        p.Note = read.Error.isEmpty()
                     ? _("The configuration file has no [autoexec] commands.")
                     : SafeFormat(_("The configuration file cannot be read: %s"), read.Error);
    }
    if (p.Program.isEmpty() && !p.UsesConf && p.Note.isEmpty()) {
        // An entry without a program would start DOSBox at its prompt.
        p.Checked = false;
        p.Note = _("No program to start was chosen.");
    }
    p.Manual = BestManual(scanned);
    p.Icon = BestIcon(scanned, p.Program);
    return p;
}

QString CleanDir(const QString &path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(path);
}

} // namespace

std::vector<TImportProposal> ProposeImports(const TScanResult &scan, const QString &category)
{
    std::vector<TImportProposal> proposals;
    proposals.reserve(scan.Folders.size());
    for (const TScannedFolder &scanned : scan.Folders) {
        TImportProposal p = Propose(scanned, category);
        // Configuration files of other programs (".conf" is common) make no
        // DOS application of a folder without programs.
        if (p.FromConf || !p.Programs.isEmpty() || scanned.ConfGiven)
            proposals.push_back(std::move(p));
    }
    return proposals;
}

bool IsSameApplication(const TDosBoxApp &app, const TImportProposal &proposal)
{
    if (!SameFileName(CleanDir(app.AppPath), CleanDir(proposal.AppPath)))
        return false;
    // Entries started by configuration files of one folder differ in the file.
    if (proposal.UsesConf)
        return app.AppConfig && app.AppFile.isEmpty() &&
               SameFileName(QDir::cleanPath(AppConfigPath(app)),
                            QDir::cleanPath(proposal.ConfFile));
    return SameText(FileNameOf(app.AppFile), FileNameOf(proposal.Program));
}

void MarkPresent(std::vector<TImportProposal> &proposals, const TAppList &apps)
{
    for (TImportProposal &p : proposals) {
        p.Present = std::any_of(apps.cbegin(), apps.cend(),
                                [&](const auto &app) { return IsSameApplication(*app, p); });
        if (p.Present)
            p.Checked = false;
    }
}

QString ImportSkippedText(int present, int unreadable)
{
    QStringList sentences;
    if (present > 0)
        sentences.append(SafeFormat(NG_("%d application is already in the catalogue.",
                                        "%d applications are already in the catalogue.", present),
                                    present));
    if (unreadable > 0)
        sentences.append(SafeFormat(
            NG_("%d folder could not be read.", "%d folders could not be read.", unreadable),
            unreadable));
    return sentences.join(u' ');
}

std::unique_ptr<TDosBoxApp> MakeImportedEntry(const TImportProposal &p,
                                              const TBasicSettings &settings,
                                              const QImage &defLargeImg, const QImage &defSmallImg)
{
    auto app = std::make_unique<TDosBoxApp>(settings.ConfFile, defLargeImg, defSmallImg,
                                            settings.Codepage, settings.HideCon);
    app->AppName = p.Name.trimmed();
    app->Category =
        SameText(p.Category.trimmed(), DefaultCategoryName()) ? QString() : p.Category.trimmed();
    app->AppPath = p.AppPath;
    app->HardDrv = p.HardDrv;
    app->Parameters = p.Parameters;
    if (p.FromConf) {
        app->AppFile = p.Program;
        app->Commands = p.Commands.join(u';');
        app->ExitCommands = p.ExitCommands.join(u';');
    } else {
        // Started in its own folder, where DOS programs look for their files.
        const qsizetype slash = p.Program.lastIndexOf(u'\\');
        app->AppFile = p.Program.mid(slash + 1);
        app->Commands = DosBox::DriveChange(p.HardDrv) + u';' + DosBox::CmdRootDir +
                        (slash > 0 ? p.Program.left(slash) : QString());
    }
    app->AutoEnd = p.AutoEnd;
    app->MountCd = !p.CdImages.isEmpty();
    app->IsoImage = true;
    app->CdDrv = p.CdDrv;
    QStringList images;
    for (const QString &image : p.CdImages)
        images.append(QuoteIfBlank(image));
    app->CdPath = images.join(u' ');
    app->ManFile = p.Manual;
    if (!p.Icon.isEmpty()) {
        try {
            app->LoadIcons(p.Icon);
            app->IconFile = p.Icon;
        } catch (const EInvalidGraphic &) {
            // An icon file that cannot be decoded is simply not taken.
        }
    }
    app->Speed = p.Speed;
    app->MemSize = p.MemSize;
    app->MemManage = p.MemManage;
    if (p.FullScreen >= 0)
        app->FullScreen = p.FullScreen == 1;
    if (p.UsesConf) {
        app->AppConfig = true;
        if (!SameFileName(p.ConfFile, JoinPath(p.AppPath, DosBox::AppConfigName)))
            app->AppConfigFile = p.ConfFile;
    }
    return app;
}

int AddImports(TCatalogue &catalogue, const std::vector<TImportProposal> &proposals,
               const QImage &defLargeImg, const QImage &defSmallImg)
{
    int added = 0;
    for (const TImportProposal &p : proposals) {
        if (!p.Checked || p.Present)
            continue;
        catalogue.Apps.push_back(
            MakeImportedEntry(p, catalogue.BasicSettings, defLargeImg, defSmallImg));
        ++added;
    }
    return added;
}
