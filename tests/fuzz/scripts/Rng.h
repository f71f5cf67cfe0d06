// A small random generator of our own: the scripts must be the same on every machine and with
// every standard library, which the standard distributions do not promise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sg {

// SplitMix64: one 64-bit state, a full period, good enough spread for test inputs.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 to n - 1 (n > 0); the slight bias of the modulo does not matter here.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

  private:
    std::uint64_t state_;
};

} // namespace sg
