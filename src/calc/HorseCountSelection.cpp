#include "calc/HorseCountSelection.h"

#include "calc/StakeComputation.h"
#include "numbers/Numbers.h"

#include <cmath>

namespace sg {

namespace {

constexpr int ButtonIndexOfCount[10] = {-1, 10, 1, 0, 2, 3, 4, 5, 6, 7};

struct SearchPhase {
    double margin;  // the phase repeats while V - margin > W (or V + margin < W)
    bool raises;    // true: V is below W and P grows
    double divisor; // P changes by P / divisor per repetition
    bool stopsOnLowProfit;
};

// Ever finer steps: a fifth, a tenth, then a thirtieth of the target.
constexpr SearchPhase SearchPhases[] = {
    {100, false, 5, true}, {100, true, 5, true}, {10, false, 10, true},
    {10, true, 10, false}, {3, true, 30, true},  {3, false, 30, true},
};

bool PhaseGoesOn(const SearchPhase& phase, double profit, double wanted) {
    return phase.raises ? profit + phase.margin < wanted : profit - phase.margin > wanted;
}

// Runs the search; false when it ended the handler (no recomputation, no second run).
bool SearchTarget(CalculatorState& state, HorseCountScreen& screen, double wanted) {
    for (const SearchPhase& phase : SearchPhases) {
        for (int step = 0;
             step < MaxSearchSteps && PhaseGoesOn(phase, state.ComputedProfit, wanted); ++step) {
            if (state.ComputedProfit < 2) {
                screen.Compute();
                return false;
            }
            double target = state.TargetProfit;
            double change = target / phase.divisor;
            if (auto next = ToSingle(phase.raises ? target + change : target - change))
                state.TargetProfit = *next;
            screen.Preview();
            if (phase.stopsOnLowProfit && state.LowProfitFlag == 1) {
                state.LowProfitFlag = 0;
                return false;
            }
        }
    }
    return true;
}

} // namespace

int HorseCountOfButton(int index) {
    for (int k = 1; k <= 9; ++k) {
        if (ButtonIndexOfCount[k] == index) return k;
    }
    return 0;
}

int ButtonOfHorseCount(int k) {
    return (k >= 1 && k <= 9) ? ButtonIndexOfCount[k] : -1;
}

std::optional<std::string> MissingOddsForSelection(const HorseCountChoice& choice,
                                                   const std::string& exampleMarker) {
    int k = choice.k;
    if (!PlayedOddsMissing(k, choice.oddsTexts, exampleMarker)) return std::nullopt;
    if (k == 1) return "Veuillez inscrire la cote du 1er cheval";
    if (k == 2) return "Veuillez inscrire toutes les cotes";
    return "Vous devez d'abord mentionnner les cotes des " + std::to_string(k) + " chevaux!";
}

void SelectHorseCount(CalculatorState& state, HorseCountScreen& screen,
                      const HorseCountChoice& choice) {
    if (state.HorseCountClickCounter < 32767) ++state.HorseCountClickCounter;
    if (choice.k < 1 || choice.k > 9) return;

    state.PlayedHorseCount = static_cast<std::int16_t>(choice.k);
    screen.ShowPlayedColumns(choice.k);

    if (auto message = MissingOddsForSelection(choice, state.ExampleLoadingMarker)) {
        screen.ShowMessage(*message);
        return;
    }

    double wanted = LeadingNumberOr0(choice.wantedProfit);
    if (wanted > 10 && !SearchTarget(state, screen, wanted)) return;

    screen.Compute();
    screen.Compute();
    if (state.HorseCountClickCounter % 2 == 0) SelectHorseCount(state, screen, choice);
    double profit = state.ComputedProfit;
    if (wanted > 0 && std::fabs(profit - wanted) > 10 && profit > 10) screen.Compute();
}

} // namespace sg
