// Scanning a collection of 10,000 application folders of 20 files each (the
// target: at most 5 s), against the baseline of merely listing the same
// folders with QDirIterator, measured in the same run; then the proposals.
#include "import/FolderScan.h"
#include "import/ImportPlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int Folders = 10000;

// Each folder: a game, its installer and set-up, a batch, a manual, an icon,
// a CD image with a blank in its name and data files, some in a sub-folder.
struct Collection
{
    QTemporaryDir dir;
    QString root;

    Collection()
    {
        root = dir.filePath(QStringLiteral("games"));
        const QStringList files{
            QStringLiteral("GAME.EXE"),        QStringLiteral("INSTALL.EXE"),
            QStringLiteral("SETUP.EXE"),       QStringLiteral("GO.BAT"),
            QStringLiteral("README.TXT"),      QStringLiteral("GAME.ICO"),
            QStringLiteral("game disc.iso"),   QStringLiteral("DATA/LEVEL1.DAT"),
            QStringLiteral("DATA/LEVEL2.DAT"), QStringLiteral("DATA/LEVEL3.DAT"),
            QStringLiteral("DATA/MUSIC.DAT"),  QStringLiteral("DATA/SOUND.DAT"),
            QStringLiteral("DATA/GFX.DAT"),    QStringLiteral("SAVE0.SAV"),
            QStringLiteral("SAVE1.SAV"),       QStringLiteral("CONFIG.CFG"),
            QStringLiteral("FILE_ID.DIZ"),     QStringLiteral("ORDER.FRM"),
            QStringLiteral("VENDOR.DOC"),      QStringLiteral("HISCORE.DAT")};
        for (int i = 0; i < Folders; ++i) {
            const QString folder = root + QStringLiteral("/game_%1").arg(i);
            QDir().mkpath(folder + QStringLiteral("/DATA"));
            for (const QString &name : files) {
                QFile file(folder + u'/' + name);
                file.open(QIODevice::WriteOnly);
            }
        }
    }
};

Collection *collection = nullptr;

void BM_ListFolders(benchmark::State &state)
{
    for (auto _ : state) {
        int files = 0;
        QDirIterator it(collection->root, QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            ++files;
        }
        benchmark::DoNotOptimize(files);
    }
}

void BM_ScanFolders(benchmark::State &state)
{
    for (auto _ : state) {
        const TScanResult scan = ScanFolders({collection->root});
        if (int(scan.Folders.size()) != Folders)
            state.SkipWithError("not every folder was found");
    }
}

void BM_ScanAndPropose(benchmark::State &state)
{
    for (auto _ : state) {
        const auto proposals = ProposeImports(ScanFolders({collection->root}), QString());
        benchmark::DoNotOptimize(proposals.size());
    }
}

BENCHMARK(BM_ListFolders)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScanFolders)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ScanAndPropose)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the time per iteration (ms) of each benchmark by name.
class TTimes : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("Generating %d folders of 20 files...\n", Folders);
    Collection generated;
    collection = &generated;
    benchmark::Initialize(&argc, argv);
    TTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double list = reporter.times["BM_ListFolders/iterations:3"];
    const double scan = reporter.times["BM_ScanFolders/iterations:3"];
    const double propose = reporter.times["BM_ScanAndPropose/iterations:3"];
    if (list > 0)
        std::printf("scan: %.0f ms (%.1f x listing), scan and proposals: %.0f ms; target 5000 "
                    "ms\n",
                    scan, scan / list, propose);
    return 0;
}
