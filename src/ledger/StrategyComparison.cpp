#include "ledger/StrategyComparison.h"

#include "ledger/StepBarrier.h"
#include "racefile/RaceFile.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <system_error>
#include <thread>

namespace sg {

namespace {

constexpr int Columns = 9;
// Races prepared (read and sorted) before they are played, and shared out between threads in
// chunks. Two blocks are held: one being played while the next is prepared.
constexpr int BlockRaces = 1024;
constexpr int ChunkRaces = 64;
// Fewer races than this per thread are not worth a thread.
constexpr int RacesPerThread = 256;

// The strategies that share an odds set and a number of horses: one payout sum and one set of
// weights per race for all of them, then one set of stakes per target profit.
struct Unit {
    OddsSet set;
    int k;
    std::vector<float> targets;
    // Every strategy of the unit: its target (an index into targets), rounding and place.
    struct Bet {
        std::size_t target;
        RoundingMode rounding;
        std::size_t strategy;
    };
    std::vector<Bet> bets;
    std::size_t cost = 0;
};

std::vector<Unit> UnitsOf(const std::vector<BacktestStrategy>& strategies) {
    std::vector<Unit> units;
    for (std::size_t i = 0; i < strategies.size(); ++i) {
        const BacktestStrategy& s = strategies[i];
        int k = std::clamp(s.horses, 1, Columns);
        auto unit = std::find_if(units.begin(), units.end(),
                                 [&](const Unit& u) { return u.set == s.odds && u.k == k; });
        if (unit == units.end()) unit = units.insert(units.end(), Unit{s.odds, k, {}, {}, 0});
        auto target = std::find(unit->targets.begin(), unit->targets.end(), s.targetProfit);
        if (target == unit->targets.end())
            target = unit->targets.insert(unit->targets.end(), s.targetProfit);
        unit->bets.push_back(
            {static_cast<std::size_t>(target - unit->targets.begin()), s.rounding, i});
        unit->cost += static_cast<std::size_t>(k) + 2;
    }
    return units;
}

// The units of each thread: the costliest first, each to the least loaded thread.
std::vector<std::vector<const Unit*>> ShareOut(const std::vector<Unit>& units, int workers) {
    std::vector<const Unit*> byCost;
    byCost.reserve(units.size());
    for (const Unit& unit : units) byCost.push_back(&unit);
    std::stable_sort(byCost.begin(), byCost.end(),
                     [](const Unit* a, const Unit* b) { return a->cost > b->cost; });
    std::vector<std::vector<const Unit*>> shares(static_cast<std::size_t>(workers));
    std::vector<std::size_t> load(static_cast<std::size_t>(workers), 0);
    for (const Unit* unit : byCost) {
        auto least =
            static_cast<std::size_t>(std::min_element(load.begin(), load.end()) - load.begin());
        shares[least].push_back(unit);
        load[least] += unit->cost;
    }
    return shares;
}

struct Accumulator {
    SummaryBuilder whole;
    ReturnMoments learning, control; // the whole range's are their sum
};

// A race prepared, and whether the filters keep it for each odds set.
struct Slot {
    PreparedRace race;
    std::array<bool, 2> kept{};
};

class Pass {
  public:
    Pass(const RaceSource& races, const RaceIndex* index, const ComparisonRequest& request,
         std::vector<std::vector<BacktestRow>>* rows)
        : races_(races), index_(index), request_(request), rows_(rows),
          units_(UnitsOf(request.strategies)), accumulators_(request.strategies.size()) {
        first_ = std::max(request.range.first, FirstRace);
        count_ = std::max(std::min(request.range.last, LastRace) - first_ + 1, 0);
        learningLast_ = LearningLastRace({first_, first_ + count_ - 1}, request.learningPercent);
        for (const BacktestStrategy& s : request.strategies) {
            rowsWanted_ = std::max(rowsWanted_, std::clamp(s.horses, 1, Columns));
            (s.odds == OddsSet::PMH ? sets_.pmh : sets_.pmu) = true;
        }
        offset_ = request.strategies.empty() ? 0 : request.strategies.front().oddsOffset;
        sets_.book = request.filters.bookPercent.has_value();
        if (rows_) {
            rows_->assign(request.strategies.size(), {});
            // Room for every row at once where that stays small (a back-test, say).
            if (request.strategies.size() * static_cast<std::size_t>(count_) <= (1u << 22)) {
                for (auto& kept : *rows_) kept.reserve(static_cast<std::size_t>(count_));
            }
        }
        for (auto& buffer : buffers_) buffer.resize(static_cast<std::size_t>(BlockRaces));
    }

    // False when cancelled.
    bool Run(int threads, BacktestProgress* progress);

    Comparison Results() const {
        Comparison comparison;
        comparison.range = {first_, first_ + count_ - 1};
        comparison.learningLast = learningLast_;
        for (std::size_t i = 0; i < accumulators_.size(); ++i) {
            const Accumulator& a = accumulators_[i];
            ReturnMoments whole = a.learning;
            whole += a.control;
            comparison.results.push_back(
                {request_.strategies[i], a.whole.Summary(), whole, a.learning, a.control});
        }
        return comparison;
    }

  private:
    void Prepare(int block, int worker, int workers, PartialRace& partial);
    void PlayBlock(int block, const std::vector<const Unit*>& units);
    void Book(std::size_t strategy, const PreparedRace& race, const Settlement& play,
              const PreparedOdds& odds, int k);

    const RaceSource& races_;
    const RaceIndex* index_;
    const ComparisonRequest& request_;
    std::vector<std::vector<BacktestRow>>* rows_;
    std::vector<Unit> units_;
    std::vector<Accumulator> accumulators_;
    int first_ = FirstRace, count_ = 0, learningLast_ = 0, rowsWanted_ = 1, offset_ = 0;
    PreparedSets sets_{false, false, false};
    std::array<std::vector<Slot>, 2> buffers_;
};

void Pass::Prepare(int block, int worker, int workers, PartialRace& partial) {
    int begin = block * BlockRaces;
    int end = std::min(begin + BlockRaces, count_);
    std::vector<Slot>& buffer = buffers_[static_cast<std::size_t>(block % 2)];
    const RaceFilters& filters = request_.filters;
    bool byIndex = filters.NeedsIndex();
    for (int chunk = begin + worker * ChunkRaces; chunk < end; chunk += workers * ChunkRaces) {
        for (int i = chunk; i < std::min(chunk + ChunkRaces, end); ++i) {
            std::int32_t race = first_ + i;
            Slot& slot = buffer[static_cast<std::size_t>(i - begin)];
            slot.race = races_.Holds(race) ? PrepareRace(races_.Race(race, partial), race,
                                                         rowsWanted_, offset_, sets_)
                                           : RaceBeyondFile(race);
            const RaceIndexEntry* entry = byIndex && index_ ? index_->Find(race) : nullptr;
            for (int set = 0; set < 2; ++set)
                slot.kept[static_cast<std::size_t>(set)] =
                    filters.Keeps(slot.race.sets[static_cast<std::size_t>(set)], entry);
        }
    }
}

void Pass::PlayBlock(int block, const std::vector<const Unit*>& units) {
    std::vector<ColumnValues> stakes; // of each target profit
    std::vector<float> theoretical;
    std::array<BetToShow, MaxBetsAtOnce> bets{};
    std::array<ShownBet, MaxBetsAtOnce> shown;
    int begin = block * BlockRaces;
    int end = std::min(begin + BlockRaces, count_);
    const std::vector<Slot>& buffer = buffers_[static_cast<std::size_t>(block % 2)];
    for (const Unit* unit : units) {
        auto set = static_cast<std::size_t>(unit->set);
        int k = unit->k;
        stakes.resize(unit->targets.size());
        theoretical.resize(unit->targets.size());
        for (int i = begin; i < end; ++i) {
            const Slot& slot = buffer[static_cast<std::size_t>(i - begin)];
            if (!slot.kept[set]) continue;
            const PreparedRace& race = slot.race;
            const PreparedOdds& odds = race.sets[set];
            SkipReason reason = ReasonBeforeStakes(race, unit->set, k);
            if (reason != SkipReason::None) {
                for (const Unit::Bet& bet : unit->bets)
                    Book(bet.strategy, race, Settlement{reason}, odds, k);
                continue;
            }
            ColumnValues weights = StakeWeights(odds.odds, PayoutSum(odds.odds, k), k);
            for (std::size_t t = 0; t < unit->targets.size(); ++t) {
                stakes[t] = StakesOfWeights(weights, unit->targets[t], k);
                theoretical[t] = TheoreticalTotal(stakes[t], k);
            }
            // The bets of every target and rounding shown together, a batch at a time.
            for (std::size_t first = 0; first < unit->bets.size(); first += MaxBetsAtOnce) {
                std::size_t count = std::min(MaxBetsAtOnce, unit->bets.size() - first);
                for (std::size_t b = 0; b < count; ++b) {
                    const Unit::Bet& bet = unit->bets[first + b];
                    bets[b] = {&stakes[bet.target], theoretical[bet.target], bet.rounding};
                }
                ShowBets(odds.odds, k, {bets.data(), count}, {shown.data(), count});
                for (std::size_t b = 0; b < count; ++b)
                    Book(unit->bets[first + b].strategy, race,
                         SettleShownBet(race, odds, k, shown[b]), odds, k);
            }
        }
    }
}

void Pass::Book(std::size_t strategy, const PreparedRace& race, const Settlement& play,
                const PreparedOdds& odds, int k) {
    Accumulator& a = accumulators_[strategy];
    SkipReason reason = a.whole.Add(race.race, play.reason, play.staked, play.won);
    if (reason == SkipReason::None)
        (race.race <= learningLast_ ? a.learning : a.control).Add(play.staked, play.won);
    if (rows_)
        (*rows_)[strategy].push_back(RowOf(race.race, {reason, play.staked, play.won}, odds, k));
}

bool Pass::Run(int threads, BacktestProgress* progress) {
    int blocks = (count_ + BlockRaces - 1) / BlockRaces;
    int step = 0; // of the pipeline: block `step` prepared while block `step - 1` is played
    bool stop = false;
    auto stepDone = [&]() noexcept {
        if (progress && step >= 1) {
            int played = std::min(BlockRaces, count_ - (step - 1) * BlockRaces);
            progress->racesDone.fetch_add(played, std::memory_order_relaxed);
        }
        ++step;
        stop = progress && progress->cancel.load(std::memory_order_relaxed);
    };
    int workers = 1;
    std::vector<std::vector<const Unit*>> shares;
    std::optional<StepBarrier<decltype(stepDone)>> barrier;
    StartSignal ready;

    auto work = [&](int worker) {
        ready.Wait();
        PartialRace partial;
        for (int s = 0; s <= blocks; ++s) {
            if (s < blocks) Prepare(s, worker, workers, partial);
            if (s >= 1) PlayBlock(s - 1, shares[static_cast<std::size_t>(worker)]);
            if (barrier) {
                barrier->ArriveAndWait();
            } else {
                stepDone();
            }
            if (stop) return;
        }
    };

    std::vector<std::thread> helpers;
    int wanted = std::clamp(threads, 1, std::max(count_ / RacesPerThread, 1));
    for (int worker = 1; worker < wanted; ++worker) {
        try {
            helpers.emplace_back(work, worker);
        } catch (const std::system_error&) {
            break; // no more threads to be had: the others share the work
        }
    }
    workers = static_cast<int>(helpers.size()) + 1;
    shares = ShareOut(units_, workers);
    if (workers > 1) barrier.emplace(workers, stepDone);
    ready.Give();
    work(0);
    for (std::thread& helper : helpers) helper.join();
    return !(progress && progress->cancel.load());
}

} // namespace

std::vector<BacktestStrategy> StrategyGrid::Strategies() const {
    std::vector<BacktestStrategy> strategies;
    for (OddsSet set : oddsSets) {
        for (int k : horses) {
            for (float target : targetProfits) {
                for (RoundingMode rounding : roundings)
                    strategies.push_back({k, target, rounding, set, oddsOffset});
            }
        }
    }
    return strategies;
}

int LearningLastRace(RaceRange range, double learningPercent) {
    int count = std::max(range.last - range.first + 1, 0);
    double share = std::clamp(learningPercent, 0.0, 100.0) / 100 * count;
    return range.first + static_cast<int>(std::floor(share + 1e-9)) - 1;
}

std::optional<Comparison> CompareStrategies(const RaceSource& races, const RaceIndex* index,
                                            const ComparisonRequest& request, int threads,
                                            BacktestProgress* progress,
                                            std::vector<std::vector<BacktestRow>>* rows) {
    const auto& strategies = request.strategies;
    bool oneOffset = std::all_of(strategies.begin(), strategies.end(), [&](const auto& s) {
        return s.oddsOffset == strategies.front().oddsOffset;
    });
    if (oneOffset) {
        Pass pass(races, index, request, rows);
        if (!pass.Run(threads, progress)) {
            if (rows) rows->clear();
            return std::nullopt;
        }
        return pass.Results();
    }
    // Values read as odds and as payouts sort and stake differently: one pass for each.
    std::optional<Comparison> whole;
    if (rows) rows->assign(strategies.size(), {});
    std::vector<int> offsets;
    for (const BacktestStrategy& s : strategies) {
        if (std::find(offsets.begin(), offsets.end(), s.oddsOffset) == offsets.end())
            offsets.push_back(s.oddsOffset);
    }
    for (int offset : offsets) {
        ComparisonRequest part = request;
        std::vector<std::size_t> places;
        part.strategies.clear();
        for (std::size_t i = 0; i < strategies.size(); ++i) {
            if (strategies[i].oddsOffset != offset) continue;
            places.push_back(i);
            part.strategies.push_back(strategies[i]);
        }
        std::vector<std::vector<BacktestRow>> partRows;
        auto result =
            CompareStrategies(races, index, part, threads, progress, rows ? &partRows : nullptr);
        if (!result) {
            if (rows) rows->clear();
            return std::nullopt;
        }
        if (!whole) {
            whole = *result;
            whole->results.resize(strategies.size());
        }
        for (std::size_t j = 0; j < places.size(); ++j) {
            whole->results[places[j]] = result->results[j];
            if (rows) (*rows)[places[j]] = std::move(partRows[j]);
        }
    }
    return whole;
}

std::vector<std::size_t> RankedOrder(const Comparison& comparison) {
    const auto& results = comparison.results;
    std::vector<std::size_t> order(results.size());
    std::iota(order.begin(), order.end(), 0);
    auto key = [](const std::optional<double>& value) {
        return value ? *value : -std::numeric_limits<double>::infinity();
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const StrategyResult& x = results[a];
        const StrategyResult& y = results[b];
        bool xRanked = x.learning.ReturnPercent().has_value();
        bool yRanked = y.learning.ReturnPercent().has_value();
        if (xRanked != yRanked) return xRanked;
        double xl = key(x.learning.ReturnPercent()), yl = key(y.learning.ReturnPercent());
        if (xl != yl) return xl > yl;
        return key(x.summary.ReturnPercent()) > key(y.summary.ReturnPercent());
    });
    return order;
}

} // namespace sg
