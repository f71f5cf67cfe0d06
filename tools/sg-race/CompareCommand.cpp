#include "CompareCommand.h"

#include "ToolArguments.h"

#include "app/ComparisonTexts.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"

#include <algorithm>
#include <array>
#include <thread>

namespace sg {

namespace {

constexpr std::array<const char*, 16> ValueOptions = {
    "--chevaux",    "--benefice",      "--arrondi",      "--cotes",     "--de", "--a",
    "--partants",   "--cote-favori",   "--somme-probas", "--du",        "--au", "--hippodrome",
    "--discipline", "--apprentissage", "--csv",          "--separateur"};
constexpr std::array<const char*, 1> Flags = {"--rapports"};

struct Request {
    std::string path;
    StrategyGrid grid;
    RangeOptions range;
    RaceFilters filters;
    std::optional<int> from, to; // the dates, as DateKey
    double learningPercent = 70;

    Request() {
        grid.horses = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        grid.oddsSets = {OddsSet::PMH, OddsSet::PMU};
    }
};

Failure ReadOption(Request& request, const std::string& option, const std::string& value) {
    auto bad = [&](const char* expected) { return BadValue(option, value, expected); };
    RaceFilters& filters = request.filters;
    if (option == "--rapports") {
        request.grid.oddsOffset = -1;
    } else if (option == "--chevaux") {
        auto horses = HorseCountsFrom(value);
        if (!horses) return bad("de 1 à 9, une plage 1-9 ou une liste 2/3/4");
        request.grid.horses = *horses;
    } else if (option == "--benefice") {
        auto profits = TargetProfitsFrom(value);
        if (!profits) return bad("des montants au-dessus de 0 et jusqu'à 100000, séparés par /");
        request.grid.targetProfits = *profits;
    } else if (option == "--arrondi") {
        auto modes = RoundingModesFrom(value);
        if (!modes) return bad("decimales, entier, dizaine séparés par /, ou tous");
        request.grid.roundings = *modes;
    } else if (option == "--cotes") {
        auto sets = OddsSetsFrom(value);
        if (!sets) return bad("PMH, PMU ou PMH/PMU");
        request.grid.oddsSets = *sets;
    } else if (option == "--partants") {
        filters.runners = WholeBoundsFrom(value);
        if (!filters.runners) return bad("MIN-MAX, des nombres entiers");
    } else if (option == "--cote-favori" || option == "--somme-probas") {
        auto bounds = DecimalBoundsFrom(value);
        if (!bounds) return bad("MIN-MAX, des nombres positifs");
        (option == "--cote-favori" ? filters.favouriteOdds : filters.bookPercent) = bounds;
    } else if (option == "--du" || option == "--au") {
        auto key = DateKey(value);
        if (!key) return bad("une date JJ/MM/AAAA");
        (option == "--du" ? request.from : request.to) = *key;
    } else if (option == "--hippodrome" || option == "--discipline") {
        auto names = NamesFrom(value);
        if (!names) return bad("des noms séparés par /");
        (option == "--hippodrome" ? filters.hippodromes : filters.disciplines) = *names;
    } else if (option == "--apprentissage") {
        auto percent = WholeIn(value, 1, 99);
        if (!percent) return bad("1 à 99");
        request.learningPercent = *percent;
    } else if (Failure failure; ReadRangeOption(request.range, option, value, failure)) {
        return failure;
    }
    return std::nullopt;
}

Failure ParseRequest(const std::vector<std::string>& arguments, Request& request) {
    if (arguments.size() < 2) return std::string("Usage : ") + CompareUsage;
    request.path = arguments[1];
    if (auto failure = ReadOptions(arguments, 2, ValueOptions, Flags, CompareUsage,
                                   [&](const std::string& option, const std::string& value) {
                                       return ReadOption(request, option, value);
                                   }))
        return failure;
    if (auto failure = CheckRange(request.range)) return failure;
    if (request.from || request.to) {
        request.filters.dates = DatesBetween(request.from, request.to);
        if (request.filters.dates->low > request.filters.dates->high)
            return std::string("La plage de dates est vide : --du est après --au.");
    }
    return std::nullopt;
}

// The number of characters of a UTF-8 text, for the columns to line up.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The table with its columns lined up: texts to the left, numbers to the right.
void PrintTable(std::ostream& out, const std::vector<std::string>& names,
                const std::vector<std::vector<ComparisonCell>>& rows) {
    std::vector<std::size_t> widths(names.size());
    for (std::size_t c = 0; c < names.size(); ++c) {
        widths[c] = Width(names[c]);
        for (const auto& row : rows) widths[c] = std::max(widths[c], Width(row[c].text));
    }
    auto print = [&](std::size_t c, const std::string& text, bool right) {
        std::string pad(widths[c] - Width(text), ' ');
        out << (c ? "  " : "") << (right ? pad + text : text + (c + 1 < names.size() ? pad : ""));
    };
    for (std::size_t c = 0; c < names.size(); ++c) print(c, names[c], false);
    out << '\n';
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            print(c, row[c].text, row[c].number.has_value());
        out << '\n';
    }
}

} // namespace

std::optional<std::string> RunCompareCommand(const std::vector<std::string>& arguments,
                                             std::ostream& out) {
    Request request;
    if (auto failure = ParseRequest(arguments, request)) return failure;
    RaceFileReader file;
    if (auto failure = OpenForPass(file, request.path, request.range)) return failure;
    RaceSource races = file.Races();
    RaceIndex index;
    if (request.filters.NeedsIndex()) index = ReadRaceIndex(request.path);

    ComparisonRequest comparison;
    comparison.strategies = request.grid.Strategies();
    comparison.range = {request.range.first.value_or(FirstRace),
                        request.range.last.value_or(std::max(races.RaceCount(), FirstRace))};
    comparison.filters = request.filters;
    comparison.learningPercent = request.learningPercent;
    int threads = static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
    auto result = CompareStrategies(races, &index, comparison, threads);
    if (!result) return "Comparaison interrompue."; // never: nothing asks it to stop
    std::vector<std::size_t> order = RankedOrder(*result);
    char separator = request.range.separator;
    if (request.range.csv) {
        auto write = [&](std::ostream& csv) { WriteComparisonCsv(csv, *result, order, separator); };
        if (auto failure = WriteCsvFile(*request.range.csv, write)) return failure;
    }

    out << "Comparaison de " << request.path << "\n";
    if (races.RaceCount() < result->range.first) {
        out << "Aucune course dans la plage (le fichier en compte " << races.RaceCount() << ").\n";
    } else {
        out << "Courses " << result->range.first << " à "
            << std::min(result->range.last, races.RaceCount()) << " (le fichier en compte "
            << races.RaceCount() << ") ; " << PartsText(*result, request.learningPercent, separator)
            << "\n";
    }
    out << "Filtres : " << FiltersText(request.filters, separator) << "\n";
    if (request.filters.NeedsIndex() && index.entries.empty())
        out << "Aucun index à côté du fichier : les filtres de date, d'hippodrome et de "
               "discipline ne retiennent aucune course.\n";
    if (!index.notes.empty())
        out << "Index : " << index.notes.size() << " ligne(s) illisible(s) passée(s).\n";
    out << "Valeurs lues comme "
        << (request.grid.oddsOffset == 0 ? "cotes" : "rapports, mise de 1 euro comprise") << "\n";
    out << comparison.strategies.size()
        << " stratégie(s), classées par rendement sur l'apprentissage ; intervalle à 90 % du "
           "rendement par l'approximation normale\n";
    std::vector<std::vector<ComparisonCell>> rows;
    for (std::size_t i = 0; i < order.size(); ++i)
        rows.push_back(
            ComparisonCells(result->results[order[i]], static_cast<int>(i) + 1, separator));
    PrintTable(out, ComparisonColumnNames(), rows);

    // The strategy ranked first, alone, for the races themselves resampled.
    if (!order.empty()) {
        ComparisonRequest first = comparison;
        first.strategies = {result->results[order.front()].strategy};
        std::vector<std::vector<BacktestRow>> played;
        if (CompareStrategies(races, &index, first, threads, nullptr, &played)) {
            auto interval =
                BootstrapInterval(played.front(), BootstrapResamples, BootstrapSeed, threads);
            out << "Classée première : " << StrategyText(first.strategies.front(), separator)
                << "\nIntervalle à 90 % par rééchantillonnage des courses (" << BootstrapResamples
                << " tirages) : " << IntervalText(interval, separator) << "\n";
        }
    }
    return std::nullopt;
}

} // namespace sg
