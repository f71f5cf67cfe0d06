#include "app/SharedState.h"

#include "numbers/Numbers.h"

#include <functional>
#include <map>

namespace sg {

void SharedState::ResetToStartValues() {
    char separator = DecimalSeparator;
    *this = SharedState{};
    DecimalSeparator = separator;
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
        {"TargetProfit", [](const SharedState& s) { return Number(s.TargetProfit); }},
        {"PlayedHorseCount", [](const SharedState& s) { return Number(s.PlayedHorseCount + 0LL); }},
        {"ComputedProfit", [](const SharedState& s) { return Number(s.ComputedProfit); }},
        {"StakeTotal", [](const SharedState& s) { return Number(s.StakeTotal); }},
        {"StakeTotalWhole", [](const SharedState& s) { return Number(s.StakeTotalWhole + 0LL); }},
        {"LowProfitFlag", [](const SharedState& s) { return Number(s.LowProfitFlag + 0LL); }},
        {"ExampleLoadingMarker",
         [](const SharedState& s) { return Quoted(s.ExampleLoadingMarker); }},
        {"HorseCountClickCounter",
         [](const SharedState& s) { return Number(s.HorseCountClickCounter + 0LL); }},
        {"WorkingTarget", [](const SharedState& s) { return Number(s.WorkingTarget); }},
        {"OddsOffset", [](const SharedState& s) { return Number(s.OddsOffset + 0LL); }},
        {"OddsKind", [](const SharedState& s) { return Quoted(s.OddsKind); }},
        {"ShowArrivalOnRaceChange",
         [](const SharedState& s) { return Quoted(s.ShowArrivalOnRaceChange); }},
        {"RaceFilePath", [](const SharedState& s) { return Quoted(s.RaceFilePath); }},
        {"CurrentRace", [](const SharedState& s) { return Number(s.CurrentRace + 0LL); }},
    };
    return describers;
}

} // namespace

std::optional<std::string> DescribeSharedValue(const SharedState& state, const std::string& name) {
    if (name.rfind("OddsTable(", 0) == 0 && name.back() == ')') {
        std::string index = name.substr(10, name.size() - 11);
        if (index.empty() || index.size() > 2 ||
            index.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        int i = std::stoi(index);
        if (i >= static_cast<int>(state.OddsTable.size())) return std::nullopt;
        return Number(state.OddsTable[i]);
    }
    auto found = Describers().find(name);
    if (found == Describers().end()) return std::nullopt;
    return found->second(state);
}

} // namespace sg
