// The catalogue file: loading and saving it in the program, and listing or
// starting an entry from the command line, each against a baseline that
// does the least the same task must do.
#include "BenchSupport.h"
#include "catalogue/Catalogue.h"
#include "support/TextEncoding.h"

#include <QFile>

namespace {

class QuietHost : public ICatalogueHost
{
public:
    bool ConfirmFirstStart(TFirstStartChoice &) override { return false; }
    void EditBasicSettings(TBasicSettings &) override {}
};

TCatalogueFiles FilesFor(int entries)
{
    TCatalogueFiles files;
    files.IniName = BenchFolder().CatalogueFile(entries);
    files.UserPath = BenchFolder().Root + QStringLiteral("/games/");
    files.ProgPath = BenchFolder().EmulatorDir;
    return files;
}

// Reading the file and decoding its UTF-16 text: what any load must do.
void BM_ReadAndDecode(benchmark::State &state)
{
    const QString name = BenchFolder().CatalogueFile(int(state.range(0)));
    for (auto _ : state) {
        {
            QFile file(name);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            const QString text = DecodeTextFile(bytes);
            benchmark::DoNotOptimize(text.constData());
            // Freeing is not measured, here as in the load.
            state.PauseTiming();
        }
        FreshMemory();
        state.ResumeTiming();
    }
}

void BM_Load(benchmark::State &state)
{
    const int entries = int(state.range(0));
    QuietHost host;
    const QImage large = DefaultAppIcon(32);
    const QImage small = DefaultAppIcon(16);
    for (auto _ : state) {
        TCatalogueFiles files = FilesFor(entries);
        TCatalogue catalogue;
        LoadCatalogue(files, catalogue, host, large, small);
        if (catalogue.Apps.size() != size_t(entries))
            state.SkipWithError("not every entry was loaded");
        state.PauseTiming();
        // Freeing is the window's business, not loading.
        catalogue.Apps.clear();
        catalogue.File.reset();
        FreshMemory();
        state.ResumeTiming();
    }
}

void BM_Save(benchmark::State &state)
{
    const int entries = int(state.range(0));
    QuietHost host;
    TCatalogueFiles files = FilesFor(entries);
    TCatalogue catalogue;
    LoadCatalogue(files, catalogue, host, DefaultAppIcon(32), DefaultAppIcon(16));
    for (auto _ : state) {
        SaveCatalogue(files.IniName, catalogue, QRect(50, 50, 800, 600));
        state.PauseTiming();
        FreshMemory();
        state.ResumeTiming();
    }
}

// The command-line list against converting the whole file to UTF-8 text:
// whole processes.
void BM_IconvFile(benchmark::State &state)
{
    const QString name = BenchFolder().CatalogueFile(int(state.range(0)));
    for (auto _ : state) {
        if (!RunToEnd(QStringLiteral("iconv"),
                      {QStringLiteral("-f"), QStringLiteral("UTF-16LE"), QStringLiteral("-t"),
                       QStringLiteral("UTF-8"), name}))
            state.SkipWithError("iconv failed");
    }
}

void BM_CliList(benchmark::State &state)
{
    const QString name = BenchFolder().CatalogueFile(int(state.range(0)));
    for (auto _ : state) {
        if (!RunToEnd(RavelinProgram(), {QStringLiteral("--list"), QStringLiteral("/ini:") + name}))
            state.SkipWithError("ravelin --list failed");
    }
}

// Starting an entry from the command line against starting the emulator
// directly with the options the launcher gives it.
void BM_EmulatorDirectly(benchmark::State &state)
{
    const TBenchFolder &f = BenchFolder();
    const QString launchFile = f.RunFolder(int(state.range(0))) + QStringLiteral("/ravelin.conf");
    for (auto _ : state) {
        if (!RunToEnd(f.EmulatorDir + QStringLiteral("/dosbox"),
                      {QStringLiteral("-noconsole"), QStringLiteral("-conf"), f.ConfFile,
                       QStringLiteral("-conf"), launchFile}))
            state.SkipWithError("the emulator failed");
    }
}

void BM_CliRun(benchmark::State &state)
{
    const int entries = int(state.range(0));
    const QString name = BenchFolder().CatalogueFile(entries);
    for (auto _ : state) {
        if (!RunToEnd(RavelinProgram(), {QStringLiteral("--run"), TBenchFolder::RunName(entries),
                                         QStringLiteral("/ini:") + name}))
            state.SkipWithError("ravelin --run failed");
    }
}

BENCHMARK(BM_ReadAndDecode)->Apply(AtEverySizeTimed);
BENCHMARK(BM_Load)->Apply(AtEverySizeTimed);
BENCHMARK(BM_Save)->Apply(AtEverySizeTimed);
BENCHMARK(BM_IconvFile)->Apply(AtEverySizeTimed);
BENCHMARK(BM_CliList)->Apply(AtEverySizeTimed);
BENCHMARK(BM_EmulatorDirectly)->Apply(AtEverySizeTimed);
BENCHMARK(BM_CliRun)->Apply(AtEverySizeTimed);

} // namespace
