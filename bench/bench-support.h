#pragma once
// What the benchmark programs share: a console reporter that keeps each
// run's wall time per iteration (for the ratios they print after the run),
// and the main of the programs that need nothing but a Qt application.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

class TimesReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto &run : runs)
            if (run.iterations > 0)
                seconds[run.benchmark_name()] = run.real_accumulated_time / run.iterations;
    }
    std::map<std::string, double> seconds;
};

inline int run_offscreen_benchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
