// The values shared by every window for the whole run, named as the program's documents name
// them. One instance is owned by the application and passed by reference to each window.
#pragma once

#include "racefile/RaceRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sg {

struct SharedState {
    std::array<float, 10> OddsTable{}; // net odds of horse columns 1..9 (0 unused)
    float TargetProfit = 10.0f;        // scale of every stake
    std::int16_t PlayedHorseCount = 9; // horses played, 1..9
    float ComputedProfit = 0.0f;       // profit that the shown stakes yield
    double StakeTotal = 0.0;           // sum of the shown stakes
    std::int32_t StakeTotalWhole = 0;  // StakeTotal rounded half to even
    std::int16_t LowProfitFlag = 0;    // 1 once a shown profit reads below 1
    std::string ExampleLoadingMarker;  // "nao" while the example fills the screen
    std::int16_t HorseCountClickCounter = 0;
    float WorkingTarget = 0.0f; // copy of TargetProfit taken by each computation

    std::int16_t OddsOffset = 0;  // 0: odds typed; -1: payouts including the stake
    std::string OddsKind = "PMH"; // "PMH" final odds, "PMU" intermediate odds
    std::string ShowArrivalOnRaceChange = "oui";

    sg::RaceRecord RaceRecord;
    std::string RaceFilePath = "Fi"; // "Fi..." means no race file is open
    std::int16_t CurrentRace = 0;

    char DecimalSeparator = '.'; // the user's, for the amount formats

    // Back to the start values of the main window's load.
    void ResetToStartValues();
};

// A shared value by its name ("TargetProfit", "OddsTable(2)") written as the scenario runner
// shows it: numbers in their shortest form, texts in double quotes. Empty for an unknown name.
std::optional<std::string> DescribeSharedValue(const SharedState& state, const std::string& name);

} // namespace sg
