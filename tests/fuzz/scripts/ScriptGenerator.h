// Random scripts in the scenario runner's language, over every control of every window.
#pragma once

#include "ControlInventory.h"

#include <cstdint>
#include <set>
#include <string>

namespace sg {

struct RandomScript {
    std::string text;
    char separator = '.';    // the decimal separator to run it with
    int invalidLine = 0;     // the line the runner must refuse (counted from 1); 0 when none
    std::set<int> itemLines; // lines naming a list item that the list may no longer show
};

// The same seed, inventory and folder always give the same script. `folder` is the absolute
// path of the folder the script runs in (see ScriptFolder.h).
RandomScript GenerateScript(std::uint64_t seed, const ControlInventory& inventory,
                            const std::string& folder);

} // namespace sg
