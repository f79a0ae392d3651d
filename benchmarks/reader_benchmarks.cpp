// Settings reader throughput on one generated 4 MiB file, against two widely
// used INI readers parsing the same bytes in the same run.
#include "module_sandbox.h"
#include "settings/ini_reader.h"

#include <benchmark/benchmark.h>
// Bytes as they stand, like the module's reader: no character conversion.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <ini.h>

#include <fstream>

namespace {

constexpr std::size_t targetBytes = 4 * 1024 * 1024;

// Sections of twenty keys, with the spacing, comments and CR LF ends real files have.
const std::string& largeFilePath() {
    static const ScratchDirectory directory("bench-reader");
    static const std::string path = [] {
        const auto file = directory.path / "large.ini";
        std::ofstream out(file, std::ios::binary);
        std::size_t written = 0;
        for (int section = 0; written < targetBytes; ++section) {
            std::string block =
                "; section " + std::to_string(section) + "\r\n[Section" + std::to_string(section) + "]\r\n";
            for (int key = 0; key < 20; ++key)
                block += "iKey" + std::to_string(key) + " = " + std::to_string(section * 31 + key) + "\r\n";
            out << block;
            written += block.size();
        }
        return file.string();
    }();
    return path;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(largeFilePath())));
}

// The per-tick load is exactly this: clear the one document and parse the same file again.
void PellimoreReaderDocument(benchmark::State& state) {
    const std::string& path = largeFilePath();
    IniDocument document;
    for (auto _ : state) {
        document.clear();
        benchmark::DoNotOptimize(document.parseFile(path));
        benchmark::DoNotOptimize(document.getSections().size());
    }
    setBytes(state);
}
BENCHMARK(PellimoreReaderDocument)->Unit(benchmark::kMillisecond);

void SimpleIniDocument(benchmark::State& state) {
    const std::string& path = largeFilePath();
    for (auto _ : state) {
        CSimpleIniA document;
        benchmark::DoNotOptimize(document.LoadFile(path.c_str()));
    }
    setBytes(state);
}
BENCHMARK(SimpleIniDocument)->Unit(benchmark::kMillisecond);

int countPair(void* count, const char*, const char*, const char*) {
    ++*static_cast<std::size_t*>(count);
    return 1;
}

void InihCallbackOnly(benchmark::State& state) {
    const std::string& path = largeFilePath();
    for (auto _ : state) {
        std::size_t pairs = 0;
        benchmark::DoNotOptimize(ini_parse(path.c_str(), countPair, &pairs));
        benchmark::DoNotOptimize(pairs);
    }
    setBytes(state);
}
BENCHMARK(InihCallbackOnly)->Unit(benchmark::kMillisecond);

}  // namespace
