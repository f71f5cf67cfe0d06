// The back-test of a demonstration file of 32767 races (557 MB) in the page cache, beside
// `cat FILE > /dev/null` on the same file in the same run: the back-test reads a few hundred
// bytes of each record, so it should take well under the time of reading the whole file.
#include "ledger/Backtest.h"
#include "racefile/RaceFileReader.h"

#include "LargeDemoFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using sg::LargeDemoFile;

// The whole back-test as sg-race bilan runs it: open the file, play every race.
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
