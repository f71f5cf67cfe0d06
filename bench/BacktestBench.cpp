// The back-test of a demonstration file of 32767 races (557 MB) in the page cache, beside
// `cat FILE > /dev/null` on the same file in the same run: the back-test reads a few hundred
// bytes of each record, so it should take well under the time of reading the whole file.
#include "ledger/Backtest.h"
#include "racefile/RaceFileReader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// Made once by sg-race, built beside this program, and read once so that it is in the page
// cache; removed when the program ends.
const std::string& LargeDemoFile() {
    struct File {
        std::string path;
        File() {
            path = (fs::temp_directory_path() / "sg-bench-backtest-32767.tur").string();
            fs::remove(path);
            fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "sg-race";
            std::string make = tool.string() + " demo " + path + " 32767";
            std::string warm = "cat " + path + " > /dev/null";
            if (std::system(make.c_str()) != 0 || std::system(warm.c_str()) != 0) std::abort();
        }
        ~File() { fs::remove(path); }
    };
    static File file;
    return file.path;
}

// The whole back-test as sg-race bilan runs it: map the file, play every race, unmap.
void BacktestOfTheWholeFile(benchmark::State& run, int threads) {
    const std::string& path = LargeDemoFile();
    sg::BacktestStrategy strategy; // 4 favourites, a profit of 10, PMH odds
    for (auto _ : run) {
        sg::RaceFileReader file;
        if (!file.Open(path)) std::abort();
        auto rows = sg::RunBacktest(file.Races(), strategy, {1, 32767}, threads);
        if (!rows || rows->size() != 32767) std::abort();
        benchmark::DoNotOptimize(rows->back().won);
    }
}
BENCHMARK_CAPTURE(BacktestOfTheWholeFile, 32767 races on 1 thread, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BacktestOfTheWholeFile, 32767 races on 2 threads, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The yardstick: every byte of the same file read by cat, as a shell runs it.
void CatOfTheWholeFile(benchmark::State& run) {
    std::string command = "cat " + LargeDemoFile() + " > /dev/null";
    for (auto _ : run) {
        if (std::system(command.c_str()) != 0) std::abort();
    }
}
BENCHMARK(CatOfTheWholeFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
