// Ravelin's benchmarks, one table: every measure at 1,000, 10,000 and 50,000
// entries as the median of five runs and as a ratio to a baseline measured
// in the same run, and how it grows from 10,000 to 50,000 entries.
//
// Allocations: big blocks come fresh from the system for the measured code
// and its baseline alike (as in a program that has just started), or with
// RAVELIN_BENCH_ALLOC=reuse, reused by both.
#include "BenchSupport.h"
#include "support/InitProg.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>

void FreeWindowFixtures();

bool AllocationsReused = false;

void FreshMemory()
{
    if (!AllocationsReused)
        malloc_trim(0);
}

namespace {

struct TRow
{
    const char *Title;
    const char *Measure;
    const char *Baseline;
    // The table shows what the measure adds to its baseline besides the ratio.
    bool Added = false;
};

const TRow Rows[] = {
    {"catalogue load", "BM_Load", "BM_ReadAndDecode"},
    {"catalogue save", "BM_Save", "BM_ReadAndDecode"},
    {"start to painted window", "BM_StartToPaint", "BM_ReadAndDecode"},
    {"--list (whole process)", "BM_CliList", "BM_IconvFile"},
    {"--run NAME (whole process)", "BM_CliRun", "BM_EmulatorDirectly", true},
    {"Run (F9) to emulator started", "BM_RunCommand", "BM_StartDirectly", true},
    {"small icons: at rest after", "BM_SmallIconsSettle", "BM_PickNames"},
    {"list: at rest after", "BM_ListSettle", "BM_PickNames"},
    {"find: first character", "BM_FilterFirstChar", "BM_FullFill"},
    {"find: one more, all match", "BM_FilterNextChar", "BM_FullFill"},
    {"find: one more, a tenth match", "BM_FilterNarrowChar", "BM_FullFill"},
    {"find: one more, at rest after", "BM_FilterNextCharSettle", "BM_FullFill"},
};

const char *BaselineText(const std::string &name)
{
    if (name == "BM_ReadAndDecode")
        return "reading the file and decoding its UTF-16";
    if (name == "BM_IconvFile")
        return "iconv -f UTF-16LE -t UTF-8 of the file (whole process)";
    if (name == "BM_EmulatorDirectly")
        return "the emulator started directly (whole process)";
    if (name == "BM_StartDirectly")
        return "the emulator started directly from the window's process";
    if (name == "BM_FullFill")
        return "one full fill of the category's list";
    return "picking the names of the category's entries";
}

void SetAllocation(bool reuse)
{
    AllocationsReused = reuse;
    if (reuse) {
        mallopt(M_MMAP_MAX, 0);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    } else {
        // Big blocks come from the system every time: glibc would otherwise
        // raise the threshold as they are freed, so that a 10,000-entry file
        // reuses its memory while a 50,000-entry one (above the highest
        // threshold) never does. The rest is handed back between runs
        // (FreshMemory), not within one.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
}

void PrintTable(const TMedianReporter &reporter, bool reuse)
{
    const auto time = [&reporter](const std::string &name, int n) {
        const auto it = reporter.Times.find(name + '/' + std::to_string(n));
        return it == reporter.Times.end() ? -1.0 : it->second;
    };
    std::printf("\nRavelin, medians of 5 runs in ms (ratio to the baseline); %s allocations "
                "for both\n",
                reuse ? "reused" : "fresh");
    std::printf("%-30s %18s %18s %18s %8s\n", "", "1,000", "10,000", "50,000", "50k/10k");
    for (const TRow &row : Rows) {
        std::printf("%-30s", row.Title);
        for (int n : Sizes) {
            const double m = time(row.Measure, n);
            const double b = time(row.Baseline, n);
            if (m < 0 || b <= 0)
                std::printf(" %18s", "-");
            else if (row.Added)
                std::printf(" %7.1f +%5.1f ms", m, m - b);
            else
                std::printf(" %9.1f (%5.1fx)", m, m / b);
        }
        const double g =
            time(row.Measure, 10000) > 0 ? time(row.Measure, 50000) / time(row.Measure, 10000) : -1;
        std::printf(" %8.2f\n", g);
        std::printf("  %-28s", "baseline");
        for (int n : Sizes)
            std::printf(" %15.1f ms", time(row.Baseline, n));
        std::printf("  %s\n", BaselineText(row.Baseline));
    }
    for (const std::string &error : reporter.Errors)
        std::printf("error: %s\n", error.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    const bool reuse = qgetenv("RAVELIN_BENCH_ALLOC") == "reuse";
    SetAllocation(reuse);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window and the program started create their folders in a place
    // of the benchmark's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    QApplication app(argc, argv);
    SetExePaths(QCoreApplication::applicationFilePath());
    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "Preparing catalogues of 1,000, 10,000 and 50,000 entries...\n");
    BenchFolder();
    TMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    FreeWindowFixtures();
    PrintTable(reporter, reuse);
    benchmark::Shutdown();
    return reporter.Errors.empty() ? 0 : 1;
}
