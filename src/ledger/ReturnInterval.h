// How sure a back-test's return (balance / stakes) is: the races played are a sample, and a
// return measured on a few hundred races moves a lot from one sample to the next. Two 90 %
// intervals: the normal approximation, cheap enough for every strategy of a comparison, and
// the bootstrap, which resamples the races themselves, for the one strategy a user looks at.
#pragma once

#include "ledger/Backtest.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sg {

// Both bounds in % of the stakes.
struct ReturnInterval {
    double low = 0, high = 0;
    // A return of 0 inside: the races played cannot tell the strategy from luck.
    bool HoldsZero() const { return low <= 0 && high >= 0; }
};

// The sums the normal interval needs, race by race: of each race played its stake s and its
// net result y (won - staked).
class ReturnMoments {
  public:
    void Add(std::int64_t staked, std::int64_t won) {
        auto s = static_cast<double>(staked);
        double y = static_cast<double>(won) - s;
        ++count_;
        stakes_ += s;
        nets_ += y;
        stakes2_ += s * s;
        nets2_ += y * y;
        crossed_ += s * y;
    }
    int Count() const { return count_; }
    // The sums of two sets of races together.
    ReturnMoments& operator+=(const ReturnMoments& other) {
        count_ += other.count_;
        stakes_ += other.stakes_;
        nets_ += other.nets_;
        stakes2_ += other.stakes2_;
        nets2_ += other.nets2_;
        crossed_ += other.crossed_;
        return *this;
    }
    // sum y / sum s in %; empty without stakes.
    std::optional<double> ReturnPercent() const;

    // The ratio estimator R = sum y / sum s and its standard error by the delta method,
    // sqrt(n / (n - 1) * sum (y - R s)^2) / sum s; then R -+ 1.6449 standard errors. Empty
    // below two races or without stakes.
    std::optional<ReturnInterval> NormalInterval() const;

  private:
    int count_ = 0;
    double stakes_ = 0, nets_ = 0, stakes2_ = 0, nets2_ = 0, crossed_ = 0;
};

// The races played of the rows resampled with replacement `resamples` times, each resample's
// return computed, and the 5th and 95th percentiles of those returns taken (the values at
// ranks floor(0.05 B) and ceil(0.95 B) - 1 from 0, B resamples in increasing order). Resample
// b draws from its own generator, seeded from `seed` and b, so the interval is the same on
// every machine and every thread count. Empty below two races played or without stakes.
inline constexpr int BootstrapResamples = 2000;
inline constexpr std::uint64_t BootstrapSeed = 20240917;
std::optional<ReturnInterval> BootstrapInterval(const std::vector<BacktestRow>& rows,
                                                int resamples = BootstrapResamples,
                                                std::uint64_t seed = BootstrapSeed,
                                                int threads = 1);

// A small generator of our own (splitmix64): the same numbers everywhere, unlike the standard
// library's distributions.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1, by the high bits of a 128-bit product.
    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>((static_cast<unsigned __int128>(Next()) * bound) >> 64);
    }

  private:
    std::uint64_t state_;
};

} // namespace sg
