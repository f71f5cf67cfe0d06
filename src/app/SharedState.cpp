#include "app/SharedState.h"

#include "numbers/Numbers.h"

#include <functional>
#include <map>

namespace sg {

void SharedState::LoadStartValues() {
    calc = CalculatorState{};
    settings = Settings{.DecimalSeparator = settings.DecimalSeparator};
    race.Close();
    ledger = LedgerState{};
}

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}
std::string Number(float value) {
    return ShortestText(value);
}
std::string Number(double value) {
    return ShortestText(value);
}
std::string Number(long long value) {
    return WholeText(value);
}

using Describer = std::function<std::string(const SharedState&)>;

const std::map<std::string, Describer>& Describers() {
    static const std::map<std::string, Describer> describers = {
        {"TargetProfit", [](const SharedState& s) { return Number(s.calc.TargetProfit); }},
        {"PlayedHorseCount",
         [](const SharedState& s) { return Number(s.calc.PlayedHorseCount + 0LL); }},
        {"ComputedProfit", [](const SharedState& s) { return Number(s.calc.ComputedProfit); }},
        {"StakeTotal", [](const SharedState& s) { return Number(s.calc.StakeTotal); }},
        {"StakeTotalWhole",
         [](const SharedState& s) { return Number(s.calc.StakeTotalWhole + 0LL); }},
        {"LowProfitFlag", [](const SharedState& s) { return Number(s.calc.LowProfitFlag + 0LL); }},
        {"ExampleLoadingMarker",
         [](const SharedState& s) { return Quoted(s.calc.ExampleLoadingMarker); }},
        {"HorseCountClickCounter",
         [](const SharedState& s) { return Number(s.calc.HorseCountClickCounter + 0LL); }},
        {"WorkingTarget", [](const SharedState& s) { return Number(s.calc.WorkingTarget); }},
        {"OddsOffset", [](const SharedState& s) { return Number(s.settings.OddsOffset + 0LL); }},
        {"OddsKind", [](const SharedState& s) { return Quoted(OddsSetName(s.settings.OddsKind)); }},
        {"ShowArrivalOnRaceChange",
         [](const SharedState& s) {
             return Quoted(s.settings.ShowArrivalOnRaceChange ? "oui" : "");
         }},
        {"RaceFilePath", [](const SharedState& s) { return Quoted(s.race.RaceFilePath()); }},
        {"CurrentRace", [](const SharedState& s) { return Number(s.race.CurrentRace + 0LL); }},
        {"ChosenFilePath", [](const SharedState& s) { return Quoted(s.race.ChosenFilePath); }},
        {"FileDialogStatus", [](const SharedState& s) { return Quoted(s.race.FileDialogStatus); }},
        {"TotalStakes", [](const SharedState& s) { return Number(s.ledger.TotalStakes + 0LL); }},
        {"TotalGains", [](const SharedState& s) { return Number(s.ledger.TotalGains + 0LL); }},
    };
    return describers;
}

// "NAME(i)" with i a whole number of one or two digits.
std::optional<int> IndexIn(const std::string& name, const std::string& array) {
    if (name.size() < array.size() + 3 || name.compare(0, array.size() + 1, array + "(") != 0 ||
        name.back() != ')')
        return std::nullopt;
    std::string index = name.substr(array.size() + 1, name.size() - array.size() - 2);
    if (index.empty() || index.size() > 2 ||
        index.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(index);
}

template <typename Array>
std::optional<std::string> Element(const Array& values, std::optional<int> index, int first) {
    if (!index || *index < first || *index >= static_cast<int>(values.size())) return std::nullopt;
    return Number(values[static_cast<std::size_t>(*index)]);
}

} // namespace

std::optional<std::string> DescribeSharedValue(const SharedState& state, const std::string& name) {
    if (auto index = IndexIn(name, "OddsTable")) return Element(state.calc.OddsTable, index, 0);
    if (auto index = IndexIn(name, "StoredOdds")) return Element(state.race.StoredOdds, index, 1);
    if (auto index = IndexIn(name, "ArrivalNumbers"))
        return Element(state.ledger.ArrivalNumbers, index, 1);
    auto found = Describers().find(name);
    if (found == Describers().end()) return std::nullopt;
    return found->second(state);
}

} // namespace sg
