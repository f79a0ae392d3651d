// Runs every benchmark, then prints each figure as a ratio against the
// baseline measured in the same run, with its goal.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Measured {
    double cpuTimeNanoseconds = 0;
    std::map<std::string, double> counters;
};

std::map<std::string, Measured> results;

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            Measured& measured = results[run.benchmark_name()];
            measured.cpuTimeNanoseconds =
                run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            for (const auto& [name, counter] : run.counters) measured.counters[name] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void printRatio(const char* what, const char* measured, const char* baseline, double goal, bool below) {
    const auto m = results.find(measured);
    const auto b = results.find(baseline);
    if (m == results.end() || b == results.end() || b->second.cpuTimeNanoseconds == 0) return;
    const double ratio = m->second.cpuTimeNanoseconds / b->second.cpuTimeNanoseconds;
    const bool met = below ? ratio < goal : ratio <= goal;
    std::printf("%-44s %7.2fx  (goal %s %.2fx: %s)\n", what, ratio, below ? "<" : "<=", goal, met ? "met" : "MISSED");
}

void printCounter(const char* what, const char* benchmarkName, const char* counter) {
    const auto found = results.find(benchmarkName);
    if (found == results.end() || !found->second.counters.count(counter)) return;
    std::printf("%-44s %9.1f\n", what, found->second.counters.at(counter));
}

}  // namespace

int main(int argumentCount, char** arguments) {
    benchmark::Initialize(&argumentCount, arguments);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nRatios of CPU time against baselines measured in this run\n");
    printRatio("idle tick / its file I/O floor", "IdleTick", "IdleTickIoFloor", 1.1, false);
    printRatio("worst tick / bare native calls", "WorstTick", "WorstTickNativeCallFloor", 1.5, false);
    printRatio("reader document / SimpleIni document", "PellimoreReaderDocument", "SimpleIniDocument", 0.25, false);
    printRatio("reader document / inih callback-only", "PellimoreReaderDocument", "InihCallbackOnly", 1.0, false);
    printCounter("allocations per idle tick", "IdleTick", "allocations_per_tick");
    printCounter("native calls per worst tick", "WorstTick", "native_calls");
    printCounter("resident KiB after 1,000 idle ticks", "ResidentMemoryOverIdleTicks/iterations:1",
                 "rss_kib_after_1k_ticks");
    printCounter("resident KiB after 100,000 idle ticks", "ResidentMemoryOverIdleTicks/iterations:1",
                 "rss_kib_after_100k_ticks");
    return 0;
}
