#include "DemoRaces.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace sg {

namespace {

// splitmix64: small, well mixed, and the same on every machine, unlike the library's
// distributions.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1; the bias of the modulo is far below anything a race shows.
    std::int64_t Below(std::int64_t bound) {
        return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(bound));
    }
    int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }

  private:
    std::uint64_t state_;
};

// Each race draws from its own stream, so that race n does not depend on the races before it.
Random RaceRandom(int race) {
    Random mixer(0x53472D72616365ull ^ (static_cast<std::uint64_t>(race) << 20));
    return Random(mixer.Next());
}

// Odds are kept in thousandths, integers only, so that no rounding differs between machines;
// a thousandth is close enough for fractions such as 11/8 or 10/3.
constexpr std::int64_t ShortestOdds = 1100; // 1.1
constexpr std::int64_t LongestOdds = 99000; // 99
constexpr std::int64_t KeptPerMille = 860;  // what the pool pays back to the winners

struct Odds {
    std::int64_t milli; // the value of the text below
    std::string text;
};

struct Fraction {
    int numerator, denominator;
};

// The fractions punters quote for short odds, from 6/5 to 9/1.
constexpr std::array<Fraction, 25> Fractions = {{
    {6, 5}, {5, 4},  {11, 8}, {6, 4},  {13, 8}, {7, 4},  {15, 8}, {2, 1}, {9, 4},
    {5, 2}, {11, 4}, {3, 1},  {10, 3}, {7, 2},  {4, 1},  {9, 2},  {5, 1}, {11, 2},
    {6, 1}, {13, 2}, {7, 1},  {15, 2}, {8, 1},  {17, 2}, {9, 1},
}};

std::int64_t FractionMilli(const Fraction& fraction) {
    return fraction.numerator * 1000LL / fraction.denominator;
}

// Odds written as punters read them: whole numbers from 10 up ("12"), one decimal below
// ("4.5", and "3" rather than "3.0"), or the nearest common fraction ("9/2") for short odds when
// asked. The value returned is that of the written text.
Odds WrittenOdds(std::int64_t milli, bool asFraction) {
    milli = std::clamp(milli, ShortestOdds, LongestOdds);
    if (asFraction && milli < 9500) {
        auto nearest = std::min_element(
            Fractions.begin(), Fractions.end(), [milli](const Fraction& a, const Fraction& b) {
                return std::llabs(FractionMilli(a) - milli) < std::llabs(FractionMilli(b) - milli);
            });
        return {FractionMilli(*nearest),
                std::to_string(nearest->numerator) + "/" + std::to_string(nearest->denominator)};
    }
    if (milli >= 10000) {
        std::int64_t whole = (milli + 500) / 1000;
        return {whole * 1000, std::to_string(whole)};
    }
    std::int64_t tenths = (milli + 50) / 100;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return {tenths * 100, text};
}

// A payout for 1 euro, with one decimal and a point: "5.3".
std::string TenthsText(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// Draws an index with a chance proportional to its weight; a weight of 0 is never drawn.
int WeightedPick(Random& random, const std::vector<std::int64_t>& weights) {
    std::int64_t total = 0;
    for (auto weight : weights) total += weight;
    std::int64_t point = random.Below(total);
    int index = 0;
    while (point >= weights[index]) point -= weights[index++];
    return index;
}

// The odds of each share of the pool once the take of 14 % is kept: 0.86 x pool / share - 1,
// in thousandths, so that the chances the odds give add up to about 1 / 0.86 = 1.16. A share
// above 40 % of the pool would need odds below the shortest written: it is cut to 40 %.
std::vector<std::int64_t> MarketOdds(std::vector<std::int64_t> shares) {
    for (int pass = 0; pass < 2; ++pass) {
        std::int64_t pool = 0;
        for (auto share : shares) pool += share;
        for (auto& share : shares) share = std::min(share, (pool - share) * 2 / 3);
    }
    std::int64_t pool = 0;
    for (auto share : shares) pool += share;
    std::vector<std::int64_t> odds;
    odds.reserve(shares.size());
    for (auto share : shares) odds.push_back(pool * KeptPerMille / share - 1000);
    return odds;
}

// A few races are left without arrival and payouts, as races still to run; the last of the
// 40-race file among them, so that a new user also meets one.
bool IsUnrun(int race) {
    return race % 9 == 0 || race == 40;
}

} // namespace

RaceRecord DemoRace(int race) {
    Random random = RaceRandom(race);
    RaceRecord record;
    // The sibling programs' fields stay blank, and so does every unused slot.
    record.Raw().fill(' ');

    // 6 to 20 runners, most often about a dozen.
    int runners = 6 + random.Between(0, 7) + random.Between(0, 7);
    record.SetField(RaceField::RunnerCount, std::to_string(runners));

    // Shares of the betting pool: squares spread them like a real field, with a few outsiders
    // far behind; one or two favourites stand out.
    std::vector<std::int64_t> shares(runners);
    for (auto& share : shares) {
        int strength = random.Between(20, 100);
        share = strength * strength;
    }
    for (int favourites = random.Between(1, 2); favourites > 0; --favourites) {
        auto& favourite = shares[random.Below(runners)];
        favourite = favourite * random.Between(15, 35) / 10;
    }
    // The last bets move each share a little before the start.
    std::vector<std::int64_t> finalShares(runners);
    for (int i = 0; i < runners; ++i) finalShares[i] = shares[i] * random.Between(85, 115);
    std::vector<std::int64_t> intermediateOdds = MarketOdds(shares);
    std::vector<std::int64_t> fairFinalOdds = MarketOdds(finalShares);

    // Most races are written in decimals, some partly or wholly in fractions.
    int fractionPercent = std::array{0, 0, 0, 0, 0, 0, 0, 50, 50, 100}[random.Below(10)];

    std::vector<std::int64_t> finalOdds(runners);
    std::vector<std::int64_t> winChances(runners);
    for (int horse = 1; horse <= runners; ++horse) {
        bool asFraction = random.Below(100) < fractionPercent;
        Odds intermediate = WrittenOdds(intermediateOdds[horse - 1], asFraction);
        Odds final = WrittenOdds(fairFinalOdds[horse - 1], asFraction);
        record.SetSlot(*OddsSlot(RaceField::OddsPMU, horse), intermediate.text);
        record.SetSlot(*OddsSlot(RaceField::OddsPMH, horse), final.text);
        finalOdds[horse - 1] = final.milli;
        // The chance the final odds give the horse, before the take: 1 / (odds + 1).
        winChances[horse - 1] = 1'000'000'000 / (final.milli + 1000);
    }

    if (IsUnrun(race)) return record;

    // Each place goes to one of the horses left, with the chance its final odds give it: a bet
    // on any horse then pays back on average what the pool keeps for the winners, the take
    // being lost as on a real course.
    std::array<int, ArrivalSlotCount> arrived{};
    for (int place = 0; place < ArrivalSlotCount; ++place) {
        int index = WeightedPick(random, winChances);
        winChances[index] = 0;
        arrived[place] = index + 1;
        record.SetSlot(*ArrivalSlot(place + 1), std::to_string(index + 1));
    }

    // The winner pays its final odds plus the stake, cut to the 10 cents below; a placed horse
    // pays back the stake and about a fifth of its odds.
    record.SetSlot(*PayoutSlot(0), TenthsText((finalOdds[arrived[0] - 1] + 1000) / 100));
    for (int place = 1; place <= 3; ++place) {
        std::int64_t odds = finalOdds[arrived[place - 1] - 1];
        std::int64_t placed =
            std::max<std::int64_t>(11, 10 + odds * random.Between(18, 26) / 10000);
        record.SetSlot(*PayoutSlot(place), TenthsText(placed));
    }
    return record;
}

} // namespace sg
