#include "pmu/PayoutsReader.h"

#include "pmu/JsonValues.h"

#include <charconv>

namespace sg {

namespace {

// "7" or "7-3": the horse numbers of a combination written as text.
std::vector<long long> HorsesOfText(const std::string& text) {
    std::vector<long long> horses;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        long long horse = 0;
        auto [next, ec] = std::from_chars(at, end, horse);
        if (ec != std::errc()) return {};
        horses.push_back(horse);
        at = next;
        if (at < end && (*at == '-' || *at == ' '))
            ++at;
        else if (at < end)
            return {};
    }
    return horses;
}

std::vector<long long> HorsesOf(const Json* combination) {
    if (Absent(combination)) return {};
    if (combination->is_string()) return HorsesOfText(combination->get<std::string>());
    if (auto horse = WholeNumber(combination)) return {*horse};
    std::vector<long long> horses;
    if (!combination->is_array()) return horses;
    for (const Json& part : *combination) {
        auto more = HorsesOf(&part);
        if (more.empty()) return {};
        horses.insert(horses.end(), more.begin(), more.end());
    }
    return horses;
}

DocumentResult<const Json*> BetsOf(const Json& document) {
    const Json* bets = BetList(document);
    if (!bets)
        return DocumentError{DocumentProblem::NotPmuDocument, "pas de liste de paris « typePari »"};
    for (const Json& bet : *bets) {
        if (!Member(&bet, "typePari"))
            return DocumentError{DocumentProblem::WrongShape, "un pari sans « typePari »"};
    }
    return bets;
}

} // namespace

const PmuBet* PayoutsDocument::Find(std::string_view type) const {
    for (const PmuBet& bet : bets) {
        if (bet.type == type) return &bet;
    }
    return nullptr;
}

DocumentResult<PayoutsDocument> ReadPayouts(std::string_view json) {
    auto parsed = ParseJson(json, {"typePari", "rapports", "combinaison", "dividendePourUnEuro"});
    if (!parsed) return parsed.Error();
    auto bets = BetsOf(parsed.Value());
    if (!bets) return bets.Error();
    PayoutsDocument read;
    for (const Json& entry : *bets.Value()) {
        PmuBet bet;
        bet.type = Text(Member(&entry, "typePari"));
        if (const Json* payouts = Member(&entry, "rapports"); payouts && payouts->is_array()) {
            for (const Json& payout : *payouts) {
                bet.payouts.push_back({HorsesOf(Member(&payout, "combinaison")),
                                       WholeNumber(Member(&payout, "dividendePourUnEuro"))});
            }
        }
        read.bets.push_back(std::move(bet));
    }
    return read;
}

DocumentResult<std::vector<PoolTotal>> ReadPools(std::string_view json) {
    auto parsed = ParseJson(json, {"typePari", "totalEnjeu"});
    if (!parsed) return parsed.Error();
    auto bets = BetsOf(parsed.Value());
    if (!bets) return bets.Error();
    std::vector<PoolTotal> totals;
    for (const Json& entry : *bets.Value()) {
        auto total = WholeNumber(Member(&entry, "totalEnjeu"));
        if (total && *total >= 0) totals.push_back({Text(Member(&entry, "typePari")), *total});
    }
    return totals;
}

} // namespace sg
