#pragma once

// What the benchmarks share: the fixture (catalogue files of 1,000, 10,000
// and 50,000 entries in the real format, a stand-in emulator), the times of
// the runs, and the table they end in.
#include <QString>
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

inline const std::vector<int> Sizes = {1000, 10000, 50000};

// Keeps the median time (ms) of each benchmark by name, such as
// "BM_Load/10000", and prints nothing: the table comes at the end. Progress
// goes to standard error.
class TMedianReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override;
    std::map<std::string, double> Times;
    std::vector<std::string> Errors;
};

// The folder of the benchmark: "emu" with a stand-in emulator (answers
// --version, ends at once otherwise) and its configuration, "icons" with a
// few pictures, "games", and one catalogue file per size.
struct TBenchFolder
{
    QString Root;
    QString EmulatorDir;
    QString ConfFile;
    QString CatalogueFile(int entries) const;
    // The entry every run starts: its folder exists.
    static QString RunName(int entries);
    QString RunFolder(int entries) const;
};
const TBenchFolder &BenchFolder();
// The program itself, beside the benchmark.
QString RavelinProgram();

// Between two runs of a measure: unless the allocations are to be reused,
// the memory freed goes back to the system, so that the next run starts as
// a program that has just started. Call with the timing paused.
void FreshMemory();

// Runs program with arguments to the end, output thrown away; false when it
// cannot be run or fails.
bool RunToEnd(const QString &program, const QStringList &arguments);

// Registers a benchmark at every size with medians of a few repetitions:
// timed by the benchmark itself (manual time) ...
void AtEverySize(benchmark::internal::Benchmark *b);
// ... or by the library, in real time.
void AtEverySizeTimed(benchmark::internal::Benchmark *b);
