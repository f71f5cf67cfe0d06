#include "ledger/PreparedRace.h"

#include "ledger/Arrival.h"
#include "ledger/Play.h"
#include "numbers/OddsText.h"
#include "numbers/ShownNumbers.h"
#include "racefile/RaceLoading.h"

#include <algorithm>
#include <limits>

namespace sg {

namespace {

constexpr int Columns = 9;

// The sum over the runners with odds of 1 / (odds + 1), in %; empty without odds.
std::optional<double> BookPercent(const std::array<float, RunnerRows + 1>& stored, int runners,
                                  int oddsOffset) {
    double book = 0;
    bool anyOdds = false;
    for (int horse = 1; horse <= runners; ++horse) {
        double payoutFactor = double(stored[horse]) + oddsOffset + 1;
        if (stored[horse] == 0 || !(payoutFactor > 0)) continue;
        book += 1 / payoutFactor;
        anyOdds = true;
    }
    if (!anyOdds) return std::nullopt;
    return book * 100;
}

PreparedOdds PrepareOdds(RaceFieldsView race, OddsSet set, int rowsWanted, int oddsOffset,
                         double winner, bool book) {
    PreparedOdds prepared;
    std::array<float, RunnerRows + 1> stored{};
    prepared.runners = ReadStoredOdds(race, set, stored);
    if (book) prepared.bookPercent = BookPercent(stored, prepared.runners, oddsOffset);

    RunnerRanking ranking =
        RankRunners(stored, prepared.runners, std::clamp(rowsWanted, 1, Columns));
    // Each row's odds text is the general conversion of the odds placed there; a played row
    // whose text reads 0 (or no text) is missing odds, and the rows after it are too.
    for (int row = 1; row <= ranking.filledRows; ++row) {
        if (!ranking.odds[row]) break;
        double shown = GeneralTextValue(*ranking.odds[row]);
        if (shown == 0) break;
        prepared.rows = row;
        prepared.horses[row] = static_cast<std::uint8_t>(ranking.horses[row]);
        if (winner != 0 && ranking.horses[row] == winner) prepared.winnerRow = row;
        auto odds = StoredOddsOf(shown, oddsOffset);
        if (prepared.usableRows == row - 1 && odds) {
            prepared.odds[row] = *odds;
            prepared.usableRows = row;
        }
    }
    return prepared;
}

} // namespace

PreparedRace PrepareRace(RaceFieldsView race, std::int32_t number, int rowsWanted, int oddsOffset,
                         PreparedSets sets) {
    PreparedRace prepared;
    prepared.race = number;
    prepared.inFile = true;
    double winner = PlaceNumber(race, 1);
    prepared.payout = WinnerPayout(race);
    prepared.hasResult = winner != 0 && prepared.payout > 0;
    if (sets.pmh)
        prepared.sets[static_cast<int>(OddsSet::PMH)] =
            PrepareOdds(race, OddsSet::PMH, rowsWanted, oddsOffset, winner, sets.book);
    if (sets.pmu)
        prepared.sets[static_cast<int>(OddsSet::PMU)] =
            PrepareOdds(race, OddsSet::PMU, rowsWanted, oddsOffset, winner, sets.book);
    return prepared;
}

PreparedRace RaceBeyondFile(std::int32_t number) {
    PreparedRace prepared;
    prepared.race = number;
    return prepared;
}

SkipReason ReasonBeforeStakes(const PreparedRace& race, OddsSet set, int k) {
    const PreparedOdds& odds = race.sets[static_cast<int>(set)];
    if (!race.inFile) return SkipReason::BeyondFile;
    if (odds.runners == 0) return SkipReason::NoRunnerCount;
    if (odds.rows < k) return SkipReason::TooFewOdds;
    if (!race.hasResult) return SkipReason::NoResult;
    if (odds.usableRows < k) return SkipReason::UnusableOdds;
    return SkipReason::None;
}

BacktestRow PlayPrepared(const PreparedRace& race, const BacktestStrategy& strategy) {
    int k = std::clamp(strategy.horses, 1, Columns);
    SkipReason reason = ReasonBeforeStakes(race, strategy.odds, k);
    if (reason != SkipReason::None) return SkippedRow(reason);
    const PreparedOdds& odds = race.sets[static_cast<int>(strategy.odds)];
    ColumnValues stakes = StakesOfWeights(StakeWeights(odds.odds, PayoutSum(odds.odds, k), k),
                                          strategy.targetProfit, k);
    ShownBet bet = ShowBet(odds.odds, stakes, TheoreticalTotal(stakes, k), k, strategy.rounding);
    return RowOf(race.race, SettleShownBet(race, odds, k, bet), odds, k);
}

} // namespace sg
