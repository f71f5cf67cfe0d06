#include "racefile/RunnerRows.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

std::optional<int> RunnerCountOf(const std::string& countText) {
    auto value = LeadingNumber(countText);
    if (!value) return std::nullopt;
    auto rounded = RoundHalfEvenInt16(*value);
    if (!rounded) return std::nullopt;
    return *rounded;
}

std::vector<std::string> PmuNumberItems(int n) {
    std::vector<std::string> items;
    items.reserve(std::max(n, 0));
    for (int j = 1; j <= n; ++j) {
        std::string item = std::to_string(j);
        item.insert(item.begin(), ' ');
        items.push_back(std::move(item));
    }
    return items;
}

void DeleteRunnerRow(RowTexts& odds, RowTexts& numbers, int index, int n) {
    if (index < 1 || index > RunnerRows) return;
    int last = std::min(n, RunnerRows);
    for (int i = index; i < last; ++i) {
        odds[i] = odds[i + 1];
        numbers[i] = numbers[i + 1];
    }
    if (n >= 1 && n <= RunnerRows) {
        odds[n].clear();
        numbers[n].clear();
    }
}

std::array<std::optional<bool>, RunnerRows + 1> RowsEnabledForRunnerCount(double c) {
    std::array<std::optional<bool>, RunnerRows + 1> rows{};
    if (!(c > 5)) return rows;
    for (int i = 5; i <= RunnerRows; ++i) rows[i] = i <= c;
    return rows;
}

} // namespace sg
