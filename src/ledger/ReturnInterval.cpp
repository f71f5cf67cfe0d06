#include "ledger/ReturnInterval.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>

namespace sg {

namespace {

// The normal quantile of 95 %: 90 % of a normal variable lies within this many deviations.
constexpr double Z90 = 1.6448536269514722;

struct Played {
    double staked, net;
};

void Resample(const std::vector<Played>& races, std::uint64_t seed, int from, int to,
              double* returns) {
    auto n = static_cast<std::uint32_t>(races.size());
    for (int b = from; b < to; ++b) {
        SplitMix64 random(seed ^ (static_cast<std::uint64_t>(b) * 0xD1B54A32D192ED03ull));
        double staked = 0, net = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
            const Played& race = races[random.Below(n)];
            staked += race.staked;
            net += race.net;
        }
        returns[b] = staked > 0 ? net / staked * 100 : 0;
    }
}

} // namespace

std::optional<double> ReturnMoments::ReturnPercent() const {
    if (stakes_ == 0) return std::nullopt;
    return nets_ / stakes_ * 100;
}

std::optional<ReturnInterval> ReturnMoments::NormalInterval() const {
    if (count_ < 2 || !(stakes_ > 0)) return std::nullopt;
    double ratio = nets_ / stakes_;
    double residuals = std::max(nets2_ - 2 * ratio * crossed_ + ratio * ratio * stakes2_, 0.0);
    double n = count_;
    double error = std::sqrt(n / (n - 1) * residuals) / stakes_;
    if (!std::isfinite(error)) return std::nullopt;
    return ReturnInterval{(ratio - Z90 * error) * 100, (ratio + Z90 * error) * 100};
}

std::optional<ReturnInterval> BootstrapInterval(const std::vector<BacktestRow>& rows, int resamples,
                                                std::uint64_t seed, int threads) {
    std::vector<Played> races;
    double staked = 0;
    for (const BacktestRow& row : rows) {
        if (row.skipped != SkipReason::None) continue;
        races.push_back({static_cast<double>(row.staked),
                         static_cast<double>(row.won) - static_cast<double>(row.staked)});
        staked += row.staked;
    }
    if (races.size() < 2 || !(staked > 0) || resamples < 1) return std::nullopt;

    std::vector<double> returns(static_cast<std::size_t>(resamples));
    int half = threads > 1 ? resamples / 2 : 0;
    std::thread helper;
    if (half > 0) {
        try {
            helper = std::thread(Resample, std::cref(races), seed, 0, half, returns.data());
        } catch (const std::system_error&) {
            half = 0; // no thread to be had: all on this one
        }
    }
    Resample(races, seed, half, resamples, returns.data());
    if (helper.joinable()) helper.join();

    std::sort(returns.begin(), returns.end());
    auto low = static_cast<std::size_t>(std::floor(0.05 * resamples));
    auto high = static_cast<std::size_t>(std::ceil(0.95 * resamples)) - 1;
    return ReturnInterval{returns[low], returns[high]};
}

} // namespace sg
