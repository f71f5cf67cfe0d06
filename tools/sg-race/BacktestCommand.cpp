#include "BacktestCommand.h"

#include "ToolArguments.h"

#include "app/BacktestExport.h"
#include "app/BacktestTexts.h"
#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"
#include "racefile/RaceSession.h"

#include <algorithm>
#include <array>
#include <thread>

namespace sg {

namespace {

// The options followed by a value; --rapports stands alone.
constexpr std::array<const char*, 8> ValueOptions = {
    "--chevaux", "--benefice", "--arrondi", "--cotes", "--de", "--a", "--csv", "--separateur"};

struct Request {
    std::string path;
    BacktestStrategy strategy;
    RangeOptions range;
};

// The option's value, or why there is none.
Failure ReadOption(Request& request, const std::string& option, const std::string& value) {
    auto bad = [&](const char* expected) { return BadValue(option, value, expected); };
    if (option == "--rapports") {
        request.strategy.oddsOffset = -1;
    } else if (option == "--chevaux") {
        auto horses = WholeIn(value, 1, 9);
        if (!horses) return bad("1 à 9");
        request.strategy.horses = *horses;
    } else if (option == "--benefice") {
        auto profit = BacktestProfitFrom(value);
        if (!profit) return bad("un montant au-dessus de 0 et jusqu'à 100000");
        request.strategy.targetProfit = *profit;
    } else if (option == "--arrondi") {
        auto mode = RoundingModeNamed(value);
        if (!mode) return bad("decimales, entier ou dizaine");
        request.strategy.rounding = *mode;
    } else if (option == "--cotes") {
        if (value != "PMH" && value != "PMU") return bad("PMH ou PMU");
        request.strategy.odds = value == "PMH" ? OddsSet::PMH : OddsSet::PMU;
    } else if (Failure failure; ReadRangeOption(request.range, option, value, failure)) {
        return failure;
    }
    return std::nullopt;
}

Failure ParseRequest(const std::vector<std::string>& arguments, Request& request) {
    if (arguments.size() < 2) return std::string("Usage : ") + BacktestUsage;
    request.path = arguments[1];
    constexpr std::array<const char*, 1> Flags = {"--rapports"};
    if (auto failure = ReadOptions(arguments, 2, ValueOptions, Flags, BacktestUsage,
                                   [&](const std::string& option, const std::string& value) {
                                       return ReadOption(request, option, value);
                                   }))
        return failure;
    return CheckRange(request.range);
}

} // namespace

std::optional<std::string> RunBacktestCommand(const std::vector<std::string>& arguments,
                                              std::ostream& out) {
    Request request;
    if (auto failure = ParseRequest(arguments, request)) return failure;
    RaceFileReader file;
    if (auto failure = OpenForPass(file, request.path, request.range)) return failure;
    RaceSource races = file.Races();
    RaceRange range{request.range.first.value_or(FirstRace),
                    request.range.last.value_or(std::max(races.RaceCount(), 0))};
    int threads = static_cast<int>(std::max(std::thread::hardware_concurrency(), 1u));
    auto rows = RunBacktest(races, request.strategy, range, threads);
    if (!rows) return "Bilan interrompu."; // never: nothing asks it to stop
    if (request.range.csv) {
        if (auto failure = ExportBacktestCsv(*request.range.csv, *rows, request.range.separator))
            return failure;
    }

    out << "Bilan de " << request.path << "\n";
    out << "Stratégie : " << StrategyText(request.strategy, request.range.separator) << "\n";
    if (rows->empty()) {
        out << "Aucune course dans la plage (le fichier en compte " << races.RaceCount() << ").\n";
    } else {
        out << "Courses " << range.first << " à " << rows->back().race << " (le fichier en compte "
            << races.RaceCount() << ")\n";
    }
    for (const SummaryLine& line : SummaryLines(Summarize(*rows), request.range.separator))
        out << line.label << " : " << line.value << "\n";
    return std::nullopt;
}

} // namespace sg
