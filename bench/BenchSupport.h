#pragma once

// What the benchmark programs share: running on any display and keeping the
// times of the runs, so that each program can print its ratios to its
// baseline at the end.
#include <QByteArray>
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints the runs as the console reporter does and keeps their times (in the
// benchmark's unit) by benchmark name, such as "BM_Load/10000".
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

// Without a display the programs draw offscreen; call before the application
// object is made.
inline void UseOffscreenPlatformByDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the benchmarks the command line selects, reporting to reporter.
inline void RunBenchmarks(int &argc, char **argv, RatioReporter &reporter)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}
