#include "app/ComparisonTexts.h"

#include "numbers/Numbers.h"
#include "racefile/CsvFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sg {

namespace {

// The items between the slashes, trimmed; empty when one is empty.
std::optional<std::vector<std::string>> Items(std::string_view text) {
    std::vector<std::string> items;
    while (true) {
        auto slash = text.find('/');
        std::string item = Trim(text.substr(0, slash));
        if (item.empty()) return std::nullopt;
        items.push_back(item);
        if (slash == std::string_view::npos) return items;
        text.remove_prefix(slash + 1);
    }
}

template <typename T> void AddOnce(std::vector<T>& values, T value) {
    if (std::find(values.begin(), values.end(), value) == values.end()) values.push_back(value);
}

std::optional<int> WholeFrom(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<double> DecimalFrom(std::string_view text) {
    std::string typed(text);
    ReplaceFirstComma(typed);
    double value = 0;
    auto [end, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (ec != std::errc() || end != typed.data() + typed.size() || typed.empty() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "MIN-MAX" or "VALUE", each read by `read`, 0 <= MIN <= MAX.
template <typename T, typename Read>
std::optional<Bounds<T>> BoundsFrom(std::string_view text, Read read) {
    std::string typed = Trim(text);
    auto dash = typed.find('-');
    auto low = read(Trim(typed.substr(0, dash)));
    auto high = dash == std::string::npos ? low : read(Trim(typed.substr(dash + 1)));
    if (!low || !high || *low < 0 || *low > *high) return std::nullopt;
    return Bounds<T>{*low, *high};
}

std::string Decimal(double value, char separator) {
    return ProfitText(static_cast<float>(value), separator);
}

std::string Count(int n) {
    return std::to_string(n);
}

std::optional<double> ReturnOf(const ReturnMoments& moments) {
    return moments.ReturnPercent();
}

ComparisonCell PercentCell(const std::optional<double>& value, char separator) {
    if (!value) return {"-", std::nullopt};
    return {PercentText(*value, separator), *value};
}

ComparisonCell EurosCell(std::int64_t euros, char separator) {
    return {EurosText(euros, separator), static_cast<double>(euros)};
}

ComparisonCell CountCell(int n) {
    return {Count(n), n};
}

// "oui" when the interval keeps clear of 0, "non" when it holds it, "-" without an interval.
std::string DistinctFromLuck(const std::optional<ReturnInterval>& interval) {
    if (!interval) return "-";
    return interval->HoldsZero() ? "non" : "oui";
}

std::string CsvPercent(const std::optional<double>& value, char separator) {
    return value ? PercentNumber(*value, separator) : "";
}

} // namespace

std::optional<std::vector<int>> HorseCountsFrom(std::string_view text) {
    auto items = Items(text);
    if (!items) return std::nullopt;
    std::vector<int> counts;
    for (const std::string& item : *items) {
        auto range = BoundsFrom<int>(item, WholeFrom);
        if (!range || range->low < 1 || range->high > 9) return std::nullopt;
        for (int k = range->low; k <= range->high; ++k) AddOnce(counts, k);
    }
    return counts;
}

std::optional<std::vector<float>> TargetProfitsFrom(std::string_view text) {
    auto items = Items(text);
    if (!items) return std::nullopt;
    std::vector<float> profits;
    for (const std::string& item : *items) {
        auto profit = BacktestProfitFrom(item);
        if (!profit) return std::nullopt;
        AddOnce(profits, *profit);
    }
    return profits;
}

std::optional<std::vector<RoundingMode>> RoundingModesFrom(std::string_view text) {
    if (Trim(text) == "tous")
        return std::vector{RoundingMode::Decimals, RoundingMode::WholeUnits, RoundingMode::UpToTen};
    auto items = Items(text);
    if (!items) return std::nullopt;
    std::vector<RoundingMode> modes;
    for (const std::string& item : *items) {
        auto mode = RoundingModeNamed(item);
        if (!mode) return std::nullopt;
        AddOnce(modes, *mode);
    }
    return modes;
}

std::optional<std::vector<OddsSet>> OddsSetsFrom(std::string_view text) {
    auto items = Items(text);
    if (!items) return std::nullopt;
    std::vector<OddsSet> sets;
    for (const std::string& item : *items) {
        if (item != "PMH" && item != "PMU") return std::nullopt;
        AddOnce(sets, item == "PMH" ? OddsSet::PMH : OddsSet::PMU);
    }
    return sets;
}

std::optional<std::vector<std::string>> NamesFrom(std::string_view text) {
    return Items(text);
}

std::optional<Bounds<int>> WholeBoundsFrom(std::string_view text) {
    return BoundsFrom<int>(text, WholeFrom);
}

std::optional<Bounds<double>> DecimalBoundsFrom(std::string_view text) {
    return BoundsFrom<double>(text, DecimalFrom);
}

std::string FiltersText(const RaceFilters& filters, char separator) {
    std::vector<std::string> parts;
    auto range = [](const std::string& low, const std::string& high) {
        return low == high ? low : low + " à " + high;
    };
    if (filters.runners)
        parts.push_back("partants " +
                        range(Count(filters.runners->low), Count(filters.runners->high)));
    if (filters.favouriteOdds)
        parts.push_back("cote du favori " + range(Decimal(filters.favouriteOdds->low, separator),
                                                  Decimal(filters.favouriteOdds->high, separator)));
    if (filters.bookPercent)
        parts.push_back("somme des probabilités " +
                        range(Decimal(filters.bookPercent->low, separator),
                              Decimal(filters.bookPercent->high, separator)) +
                        " %");
    if (filters.dates) {
        auto date = [](int key) {
            auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
            return two(key % 100) + "/" + two(key / 100 % 100) + "/" + std::to_string(key / 10000);
        };
        bool from = filters.dates->low > FirstDateKey, to = filters.dates->high < LastDateKey;
        if (from && to) {
            parts.push_back("du " + date(filters.dates->low) + " au " + date(filters.dates->high));
        } else if (from) {
            parts.push_back("à partir du " + date(filters.dates->low));
        } else if (to) {
            parts.push_back("jusqu'au " + date(filters.dates->high));
        }
    }
    auto names = [](const std::vector<std::string>& list) {
        std::string joined;
        for (const std::string& name : list) joined += (joined.empty() ? "" : " ou ") + name;
        return joined;
    };
    if (!filters.hippodromes.empty()) parts.push_back("hippodrome " + names(filters.hippodromes));
    if (!filters.disciplines.empty()) parts.push_back("discipline " + names(filters.disciplines));
    if (parts.empty()) return "aucun";
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string PartsText(const Comparison& comparison, double learningPercent, char separator) {
    const RaceRange& range = comparison.range;
    auto races = [](int first, int last) {
        if (last < first) return std::string("aucune course");
        if (first == last) return "course " + Count(first);
        return "courses " + Count(first) + " à " + Count(last);
    };
    return "apprentissage : " + races(range.first, comparison.learningLast) + " (" +
           ProfitText(static_cast<float>(learningPercent), separator) +
           " %), contrôle : " + races(comparison.learningLast + 1, range.last);
}

std::vector<std::string> ComparisonColumnNames() {
    return {"Rang",
            "Chevaux",
            "Bénéfice",
            "Arrondi",
            "Cotes",
            "Apprentissage",
            "Contrôle",
            "Rendement",
            "Intervalle à 90 %",
            "Distinct du hasard",
            "Jouées",
            "Écartées",
            "Mises",
            "Gains",
            "Bilan",
            "Gagnées",
            "Série perdante",
            "Baisse max"};
}

std::vector<ComparisonCell> ComparisonCells(const StrategyResult& result, int rank,
                                            char separator) {
    const BacktestStrategy& s = result.strategy;
    const BacktestSummary& summary = result.summary;
    auto interval = result.moments.NormalInterval();
    ComparisonCell intervalCell{"-", std::nullopt};
    if (interval)
        intervalCell = {PercentNumber(interval->low, separator) + " à " +
                            PercentText(interval->high, separator),
                        interval->low};
    return {
        CountCell(rank),
        CountCell(s.horses),
        {ProfitText(s.targetProfit, separator), s.targetProfit},
        {RoundingModeName(s.rounding), static_cast<double>(s.rounding)},
        {OddsSetName(s.odds), static_cast<double>(s.odds)},
        PercentCell(ReturnOf(result.learning), separator),
        PercentCell(ReturnOf(result.control), separator),
        PercentCell(summary.ReturnPercent(), separator),
        intervalCell,
        {DistinctFromLuck(interval),
         interval ? std::optional<double>(interval->HoldsZero() ? 0 : 1) : std::nullopt},
        CountCell(summary.played),
        CountCell(summary.races - summary.played),
        EurosCell(summary.staked, separator),
        EurosCell(summary.won, separator),
        EurosCell(summary.balance, separator),
        PercentCell(summary.WinningPercent(), separator),
        CountCell(summary.longestLosingRun),
        EurosCell(summary.drawdown, separator),
    };
}

void WriteComparisonCsv(std::ostream& out, const Comparison& comparison,
                        const std::vector<std::size_t>& order, char separator) {
    std::vector<std::string> header = {
        "Rendement (%)",
        "Intervalle 90 % bas (%)",
        "Intervalle 90 % haut (%)",
        "Distinct du hasard",
        "Rendement apprentissage (%)",
        "Rendement contrôle (%)",
        "Courses jouées apprentissage",
        "Courses jouées contrôle",
        "Courses gagnées (%)",
        "Plus longue série perdante",
        "Plus forte baisse du bilan",
        "Courses retenues",
        "Courses écartées",
    };
    for (int reason = 1; reason < SkipReasonCount; ++reason)
        header.push_back(std::string("Écartées : ") +
                         SkipReasonText(static_cast<SkipReason>(reason)));
    header.push_back("Rang");
    out << ComparisonCsvHeaderStart;
    for (const std::string& name : header) out << ';' << CsvField(name);
    out << '\n';

    int rank = 0;
    for (std::size_t index : order) {
        const StrategyResult& result = comparison.results[index];
        const BacktestStrategy& s = result.strategy;
        const BacktestSummary& summary = result.summary;
        auto interval = result.moments.NormalInterval();
        // Numbers are written as they are (a CSV field would mark "-4,21" as text).
        std::vector<std::string> cells = {
            Count(s.horses),
            ProfitText(s.targetProfit, separator),
            RoundingModeName(s.rounding),
            OddsSetName(s.odds),
            Count(summary.played),
            EurosText(summary.staked, separator),
            EurosText(summary.won, separator),
            EurosText(summary.balance, separator),
            CsvPercent(summary.ReturnPercent(), separator),
            interval ? PercentNumber(interval->low, separator) : "",
            interval ? PercentNumber(interval->high, separator) : "",
            DistinctFromLuck(interval) == "-" ? "" : DistinctFromLuck(interval),
            CsvPercent(ReturnOf(result.learning), separator),
            CsvPercent(ReturnOf(result.control), separator),
            Count(result.learning.Count()),
            Count(result.control.Count()),
            CsvPercent(summary.WinningPercent(), separator),
            Count(summary.longestLosingRun),
            EurosText(summary.drawdown, separator),
            Count(summary.races),
            Count(summary.races - summary.played),
        };
        for (int reason = 1; reason < SkipReasonCount; ++reason)
            cells.push_back(Count(summary.skipped[static_cast<std::size_t>(reason)]));
        cells.push_back(Count(++rank));
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? ";" : "") << cells[i];
        out << '\n';
    }
}

std::string IntervalText(const std::optional<ReturnInterval>& interval, char separator) {
    if (!interval) return "indisponible (moins de deux courses jouées)";
    return "de " + PercentText(interval->low, separator) + " à " +
           PercentText(interval->high, separator) +
           (interval->HoldsZero() ? " (contient 0 : indiscernable du hasard)"
                                  : " (ne contient pas 0)");
}

} // namespace sg
