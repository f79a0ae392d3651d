// A tick's cost against the floor of what it must do: the file I/O for the
// idle tick, the bare native calls for the worst tick.
#include "allocation_counter.h"
#include "brawl/script_loop.h"
#include "host/host_interface.h"
#include "host/key_state_table.h"
#include "module_sandbox.h"
#include "sample_settings.h"
#include "settings/settings_evaluation.h"
#include "standin_host.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

// A fresh scratch folder, entered, holding the given settings file (none when null).
void enterScratchDirectory(const char* settingsText) {
    static std::unique_ptr<ScratchDirectory> scratch;
    scratch.reset();
    scratch = std::make_unique<ScratchDirectory>("bench");
    std::filesystem::current_path(scratch->path);
    if (settingsText) scratch->writeFile(settingsFileName, settingsText);
}

// The module as loaded, with native logging off so long runs stay flat.
void resetForBenchmark() {
    resetModuleState();
    standinSetNativeLogging(0);
    standinSetTickCount(100000);
}

void setPeds(int count) {
    std::vector<std::int32_t> peds(count);
    for (int index = 0; index < count; ++index) peds[index] = 1000 + index;
    standinSetPeds(peds.data(), count);
}

// The I/O an idle tick must do: probe (open, close), then open, size, read
// whole and close. A function of its own, so scripts/bench.sh can count its
// instructions per call with callgrind.
[[gnu::noinline]] void readSettingsFileOnly(std::string& buffer) {
    {
        std::ifstream probe(settingsFileName);
        benchmark::DoNotOptimize(probe.is_open());
    }
    std::ifstream file(settingsFileName, std::ios::binary);
    file.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(file.tellg());
    file.seekg(0, std::ios::beg);
    buffer.assign(size, '\0');
    file.read(buffer.data(), static_cast<std::streamsize>(size));
    file.close();
    benchmark::DoNotOptimize(buffer.data());
}

// Baseline for the idle tick.
void IdleTickIoFloor(benchmark::State& state) {
    enterScratchDirectory(twelveKeySettingsText);
    std::string buffer;
    for (auto _ : state) readSettingsFileOnly(buffer);
}
BENCHMARK(IdleTickIoFloor);

void IdleTick(benchmark::State& state) {
    enterScratchDirectory(twelveKeySettingsText);
    resetForBenchmark();
    setPeds(50);
    PedSnapshot snapshot{};
    runScriptTick(snapshot);  // warm up
    const std::uint64_t allocationsBefore = allocationCount();
    std::uint64_t ticks = 0;
    for (auto _ : state) {
        runScriptTick(snapshot);
        ++ticks;
    }
    state.counters["allocations_per_tick"] =
        static_cast<double>(allocationCount() - allocationsBefore) / static_cast<double>(ticks);
}
BENCHMARK(IdleTick);

std::uint32_t allTriggerKeys[] = {38, 37, 39, 40, 81, 69, 66, 71, 78, 17, 104, 90, 105, 70};

void releaseEveryTrigger() {
    handleKeyMessage(88, 1, 0, 0, 0, 0, 0);
    for (std::uint32_t key : allTriggerKeys) handleKeyMessage(key, 1, 0, 0, 0, 1, 1);
}

// The native calls one worst tick makes, hash and arguments, in order.
std::vector<StandinNativeCall> recordWorstTickCalls() {
    resetForBenchmark();
    setPeds(1024);
    standinSetNativeLogging(1);
    PedSnapshot snapshot{};
    releaseEveryTrigger();
    runScriptTick(snapshot);
    std::vector<StandinNativeCall> calls;
    for (std::int32_t index = 0; index < standinNativeCallCount(); ++index) calls.push_back(standinNativeCallAt(index));
    standinClearNativeCalls();
    standinSetNativeLogging(0);
    return calls;
}

// Baseline: the very same native calls, replayed straight into the stand-in
// host, so the ratio is the module's own overhead on top of the calls.
void WorstTickNativeCallFloor(benchmark::State& state) {
    enterScratchDirectory(nullptr);
    const std::vector<StandinNativeCall> calls = recordWorstTickCalls();
    for (auto _ : state) {
        for (const StandinNativeCall& call : calls) {
            nativeInit(call.hash);
            for (std::int32_t argument = 0; argument < call.argumentCount; ++argument)
                nativePush64(call.arguments[argument]);
            benchmark::DoNotOptimize(*nativeCall());
        }
    }
    state.counters["native_calls"] = static_cast<double>(calls.size());
}
BENCHMARK(WorstTickNativeCallFloor)->Unit(benchmark::kMicrosecond);

void WorstTick(benchmark::State& state) {
    enterScratchDirectory(nullptr);
    state.counters["native_calls"] = static_cast<double>(recordWorstTickCalls().size());
    PedSnapshot snapshot{};
    for (auto _ : state) {
        state.PauseTiming();
        releaseEveryTrigger();
        state.ResumeTiming();
        runScriptTick(snapshot);
    }
}
BENCHMARK(WorstTick)->Unit(benchmark::kMicrosecond);

long residentKilobytes() {
    std::ifstream status("/proc/self/statm");
    long pages = 0, resident = 0;
    status >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Resident memory after 100,000 idle ticks against after the first 1,000.
void ResidentMemoryOverIdleTicks(benchmark::State& state) {
    enterScratchDirectory(twelveKeySettingsText);
    resetForBenchmark();
    setPeds(50);
    PedSnapshot snapshot{};
    for (auto _ : state) {
        for (int tick = 0; tick < 1000; ++tick) runScriptTick(snapshot);
        const long early = residentKilobytes();
        for (int tick = 1000; tick < 100000; ++tick) runScriptTick(snapshot);
        const long late = residentKilobytes();
        state.counters["rss_kib_after_1k_ticks"] = static_cast<double>(early);
        state.counters["rss_kib_after_100k_ticks"] = static_cast<double>(late);
        state.counters["rss_growth_kib"] = static_cast<double>(late - early);
    }
}
BENCHMARK(ResidentMemoryOverIdleTicks)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
