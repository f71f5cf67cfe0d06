#include "ledger/RaceFilters.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

namespace {

bool AnyNamed(const std::vector<std::string>& names, const std::string& name) {
    return names.empty() || std::any_of(names.begin(), names.end(), [&name](const std::string& n) {
               return SameName(n, name);
           });
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameName(const std::string& a, const std::string& b) {
    std::string left = Trim(a), right = Trim(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

bool RaceFilters::Any() const {
    return runners || favouriteOdds || bookPercent || NeedsIndex();
}

bool RaceFilters::NeedsIndex() const {
    return dates || !hippodromes.empty() || !disciplines.empty();
}

bool RaceFilters::Keeps(const PreparedOdds& odds, const RaceIndexEntry* entry) const {
    if (runners && !runners->Holds(odds.runners)) return false;
    if (favouriteOdds && (odds.usableRows < 1 || !favouriteOdds->Holds(odds.odds[1]))) return false;
    if (bookPercent && (!odds.bookPercent || !bookPercent->Holds(*odds.bookPercent))) return false;
    if (!NeedsIndex()) return true;
    if (!entry) return false;
    if (dates) {
        auto key = DateKey(entry->date);
        if (!key || !dates->Holds(*key)) return false;
    }
    return AnyNamed(hippodromes, entry->hippodrome) && AnyNamed(disciplines, entry->discipline);
}

} // namespace sg
