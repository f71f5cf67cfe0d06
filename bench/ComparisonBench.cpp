// The comparison of strategies on the 32767-race demonstration file in the page cache: a grid of
// 216 strategies (9 horse counts x 4 target profits x 3 rounding modes x 2 odds sets) against a
// single strategy, alternately in the same run so that both meet the same load; the windows'
// text path of one strategy for reference; and sg-race bilan as a whole command beside cat.
#include "ledger/Backtest.h"
#include "ledger/StrategyComparison.h"
#include "racefile/RaceFileReader.h"

#include "LargeDemoFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using sg::LargeDemoFile;
using Clock = std::chrono::steady_clock;

constexpr int Threads = 2;

std::vector<sg::BacktestStrategy> Grid216() {
    sg::StrategyGrid grid;
    grid.horses = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    grid.targetProfits = {5, 10, 20, 50};
    grid.roundings = {sg::RoundingMode::Decimals, sg::RoundingMode::WholeUnits,
                      sg::RoundingMode::UpToTen};
    grid.oddsSets = {sg::OddsSet::PMH, sg::OddsSet::PMU};
    return grid.Strategies();
}

// The comparison as the window and sg-race run it: open the file, play every race.
double Compare(const std::vector<sg::BacktestStrategy>& strategies) {
    auto start = Clock::now();
    sg::RaceFileReader file;
    if (!file.Open(LargeDemoFile())) std::abort();
    sg::ComparisonRequest request{strategies, {1, 32767}, {}, 70};
    auto comparison = sg::CompareStrategies(file.Races(), nullptr, request, Threads);
    if (!comparison || comparison->results.size() != strategies.size()) std::abort();
    benchmark::DoNotOptimize(comparison->results.back().summary.balance);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each iteration one strategy, then the grid: the counters give the medians and their ratio.
void GridAgainstSingleStrategy(benchmark::State& run) {
    std::vector<sg::BacktestStrategy> grid = Grid216(), single = {sg::BacktestStrategy{}};
    std::vector<double> singles, grids;
    for (auto _ : run) {
        singles.push_back(Compare(single));
        grids.push_back(Compare(grid));
    }
    run.counters["single_ms"] = Median(singles);
    run.counters["grid216_ms"] = Median(grids);
    run.counters["ratio"] = Median(grids) / Median(singles);
}
BENCHMARK(GridAgainstSingleStrategy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);

// One strategy through the windows' texts, race by race (the back-test before the numbers).
void OneStrategyThroughTheTexts(benchmark::State& run) {
    sg::BacktestStrategy strategy;
    for (auto _ : run) {
        sg::RaceFileReader file;
        if (!file.Open(LargeDemoFile())) std::abort();
        sg::RaceSource races = file.Races();
        sg::PartialRace partial;
        std::int64_t won = 0;
        for (int race = 1; race <= 32767; ++race)
            won += sg::PlayRace(races.Race(race, partial), strategy).won;
        benchmark::DoNotOptimize(won);
    }
}
BENCHMARK(OneStrategyThroughTheTexts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Whole commands through the shell, alternately, as a user runs them.
void BilanCommandAgainstCat(benchmark::State& run) {
    namespace fs = std::filesystem;
    fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "sg-race";
    std::string bilan = tool.string() + " bilan " + LargeDemoFile() + " > /dev/null";
    std::string cat = "cat " + LargeDemoFile() + " > /dev/null";
    std::vector<double> bilans, cats;
    auto timed = [](const std::string& command) {
        auto start = Clock::now();
        if (std::system(command.c_str()) != 0) std::abort();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (auto _ : run) {
        bilans.push_back(timed(bilan));
        cats.push_back(timed(cat));
    }
    run.counters["bilan_ms"] = Median(bilans);
    run.counters["cat_ms"] = Median(cats);
    run.counters["ratio"] = Median(bilans) / Median(cats);
}
BENCHMARK(BilanCommandAgainstCat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

} // namespace
