// The stake computation alone, and a whole horse-count selection with its profit search.
#include "calc/HorseCountSelection.h"
#include "calc/StakeComputation.h"

#include <benchmark/benchmark.h>

namespace {

sg::CalculatorState NineHorses() {
    sg::CalculatorState state;
    const float odds[] = {0, 2, 3, 5, 8, 12, 15, 20, 30, 40};
    for (int i = 1; i <= 9; ++i) state.OddsTable[i] = odds[i];
    state.PlayedHorseCount = 4;
    return state;
}

void StakeComputation(benchmark::State& run) {
    sg::CalculatorState state = NineHorses();
    sg::StakeTexts texts;
    for (auto _ : run) {
        sg::ComputeStakes(state, 4, sg::RoundingMode::Decimals, '.', texts);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(StakeComputation);

// The selection drives the real core computation and preview, as the window does.
struct CoreScreen : sg::HorseCountScreen {
    sg::CalculatorState& state;
    sg::StakeTexts texts;
    int k;
    CoreScreen(sg::CalculatorState& s, int count) : state(s), k(count) {}
    void ShowPlayedColumns(int) override {}
    void ShowMessage(const std::string&) override {}
    void Compute() override { sg::ComputeStakes(state, k, sg::RoundingMode::Decimals, '.', texts); }
    void Preview() override { sg::PreviewStakes(state, k, sg::RoundingMode::Decimals, '.', texts); }
};

void HorseCountSelectionWithSearch(benchmark::State& run) {
    for (auto _ : run) {
        sg::CalculatorState state = NineHorses();
        CoreScreen screen(state, 4);
        sg::HorseCountChoice choice{4, {}, "500"};
        for (int i = 1; i <= 9; ++i) choice.oddsTexts[i] = "5";
        screen.Compute();
        sg::SelectHorseCount(state, screen, choice);
        benchmark::DoNotOptimize(state.TargetProfit);
    }
}
BENCHMARK(HorseCountSelectionWithSearch);

} // namespace
