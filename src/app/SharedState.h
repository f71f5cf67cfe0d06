// The values shared by every window for the whole run, grouped by concern and named as the
// program's documents name them. One instance is owned by the application and passed by
// reference to each window.
#pragma once

#include "app/Settings.h"
#include "calc/CalculatorState.h"
#include "ledger/Journal.h"
#include "ledger/LedgerState.h"
#include "racefile/RaceSession.h"

#include <optional>
#include <string>

namespace sg {

struct SharedState {
    CalculatorState calc;
    Settings settings;
    RaceSession race;
    LedgerState ledger;
    JournalState journal; // where the program runs keeps it: no start value to go back to

    // Every value back to its start value, as the main window's load leaves them; the user's
    // decimal separator and the journal stay.
    void LoadStartValues();
};

// A shared value by its name ("TargetProfit", "OddsTable(2)") written as the scenario runner
// shows it: numbers in their shortest form, texts in double quotes, settings as the options
// name them. Empty for an unknown name.
std::optional<std::string> DescribeSharedValue(const SharedState& state, const std::string& name);

} // namespace sg
