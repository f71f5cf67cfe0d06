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
#include <functional>
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
void Compare(const std::vector<sg::BacktestStrategy>& strategies) {
    sg::RaceFileReader file;
    if (!file.Open(LargeDemoFile())) std::abort();
    sg::ComparisonRequest request{strategies, {1, 32767}, {}, 70};
    auto comparison = sg::CompareStrategies(file.Races(), nullptr, request, Threads);
    if (!comparison || comparison->results.size() != strategies.size()) std::abort();
    benchmark::DoNotOptimize(comparison->results.back().summary.balance);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each iteration `first` then `second`, each timed: the counters give the medians of both in
// milliseconds and the ratio of the second to the first.
void Alternately(benchmark::State& run, const std::string& firstName,
                 const std::function<void()>& first, const std::string& secondName,
                 const std::function<void()>& second) {
    std::vector<double> firsts, seconds;
    auto timed = [](const std::function<void()>& act) {
        auto start = Clock::now();
        act();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (auto _ : run) {
        firsts.push_back(timed(first));
        seconds.push_back(timed(second));
    }
    run.counters[firstName + "_ms"] = Median(firsts);
    run.counters[secondName + "_ms"] = Median(seconds);
    run.counters["ratio"] = Median(seconds) / Median(firsts);
}

// One strategy, then the grid.
void GridAgainstSingleStrategy(benchmark::State& run) {
    std::vector<sg::BacktestStrategy> grid = Grid216(), single = {sg::BacktestStrategy{}};
    Alternately(
        run, "single", [&] { Compare(single); }, "grid216", [&] { Compare(grid); });
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

// Whole commands through the shell, alternately, as a user runs them: cat, then the back-test.
void BilanCommandAgainstCat(benchmark::State& run) {
    namespace fs = std::filesystem;
    fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "sg-race";
    std::string bilan = tool.string() + " bilan " + LargeDemoFile() + " > /dev/null";
    std::string cat = "cat " + LargeDemoFile() + " > /dev/null";
    auto shell = [](const std::string& command) {
        if (std::system(command.c_str()) != 0) std::abort();
    };
    Alternately(
        run, "cat", [&] { shell(cat); }, "bilan", [&] { shell(bilan); });
}
BENCHMARK(BilanCommandAgainstCat)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(15);

} // namespace
