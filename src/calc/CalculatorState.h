// The values of the stake calculator that every window shares for the whole run, named as the
// program's documents name them. Their start values are the ones below.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sg {

struct CalculatorState {
    std::array<float, 10> OddsTable{}; // net odds of horse columns 1..9 (0 unused)
    float TargetProfit = 10.0f;        // scale of every stake
    std::int16_t PlayedHorseCount = 9; // horses played, 1..9
    float ComputedProfit = 0.0f;       // profit that the shown stakes yield
    double StakeTotal = 0.0;           // sum of the shown stakes
    std::int32_t StakeTotalWhole = 0;  // StakeTotal rounded half to even: what a play books
    std::int16_t LowProfitFlag = 0;    // 1 once a shown profit reads below 1
    std::string ExampleLoadingMarker;  // "nao" while the example fills the screen
    std::int16_t HorseCountClickCounter = 0;
    float WorkingTarget = 0.0f; // copy of TargetProfit taken by each computation
};

} // namespace sg
