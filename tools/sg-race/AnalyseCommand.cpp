#include "AnalyseCommand.h"

#include "ToolArguments.h"

#include "app/BetAnalysisTexts.h"
#include "numbers/Numbers.h"
#include "numbers/OddsText.h"

#include <algorithm>
#include <array>

namespace sg {

namespace {

using Failure = std::optional<std::string>;

constexpr int MaxRunners = 22;
constexpr double MaxOdds = 1e6;
constexpr double SmallestAmount = 0.01;

struct Request {
    std::vector<std::string> odds;
    std::optional<int> horses;
    float targetProfit = 10.0f;
    RoundingMode rounding = RoundingMode::Decimals;
    int oddsOffset = 0;
    BetAnalysisInput input;
};

// Odds as a user types them in an odds box, the whole argument: a number with a point or a
// comma ("4,5" is 4.5, as the box makes it once left), or a fraction of two such numbers
// ("9/2"). Converted as the box converts them, the convention of --rapports applied.
std::optional<float> OddsArgument(const std::string& text, int offset) {
    std::size_t slash = text.find('/');
    bool valid = slash == std::string::npos
                     ? TypedNumber(text, 0, MaxOdds).value_or(0) > 0
                     : TypedNumber(text.substr(0, slash), 0, MaxOdds).value_or(0) > 0 &&
                           TypedNumber(text.substr(slash + 1), 0, MaxOdds).value_or(0) > 0;
    if (!valid) return std::nullopt;
    std::string pointed = text;
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return OddsTextChanged(pointed, offset).odds;
}

constexpr std::array<const char*, 7> ValueOptions = {
    "--cotes", "--chevaux", "--benefice", "--arrondi", "--masse", "--prelevement", "--budget"};

Failure ReadOption(Request& request, const std::string& option, const std::string& value) {
    auto bad = [&](const char* expected) {
        return "Valeur invalide pour " + option + " : " + Quoted(value) + " (" + expected + ").";
    };
    if (option == "--chevaux") {
        request.horses = WholeIn(value, 1, 9);
        if (!request.horses) return bad("1 à 9");
    } else if (option == "--benefice") {
        auto profit = BacktestProfitFrom(value);
        if (!profit) return bad("un montant au-dessus de 0 et jusqu'à 100000");
        request.targetProfit = *profit;
    } else if (option == "--arrondi") {
        auto mode = RoundingModeNamed(value);
        if (!mode) return bad("decimales, entier ou dizaine");
        request.rounding = *mode;
    } else if (option == "--masse") {
        request.input.pool = TypedNumber(value, SmallestAmount, MaxPool);
        if (!request.input.pool) return bad("un montant en euros au-dessus de 0");
    } else if (option == "--prelevement") {
        auto percent = TypedNumber(value, 0, MaxTakeoutPercent);
        if (!percent) return bad("un pourcentage de 0 à 99");
        request.input.takeout = *percent / 100;
    } else if (option == "--budget") {
        request.input.budget = TypedNumber(value, SmallestAmount, MaxBudget);
        if (!request.input.budget) return bad("un montant en euros au-dessus de 0");
    }
    return std::nullopt;
}

Failure ParseRequest(const std::vector<std::string>& arguments, Request& request) {
    std::string usage = std::string("Usage : ") + AnalyseUsage;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--rapports") {
            request.oddsOffset = -1;
            continue;
        }
        if (option.rfind("--", 0) != 0)
            return "Argument inattendu : " + Quoted(option) + ". " + usage;
        if (std::find(ValueOptions.begin(), ValueOptions.end(), option) == ValueOptions.end())
            return "Option inconnue : " + Quoted(option) + ". " + usage;
        if (i + 1 >= arguments.size()) return "Il manque la valeur de " + Quoted(option) + ".";
        if (option == "--cotes") {
            // The odds run up to the next option.
            while (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0)
                request.odds.push_back(arguments[++i]);
            continue;
        }
        if (auto failure = ReadOption(request, option, arguments[++i])) return failure;
    }
    if (request.odds.empty()) return "Il manque les cotes (--cotes). " + usage;
    if (request.odds.size() > MaxRunners)
        return "Trop de cotes : " + std::to_string(request.odds.size()) + " (22 au plus).";
    if (!request.horses) return "Il manque le nombre de chevaux joués (--chevaux). " + usage;
    if (*request.horses > static_cast<int>(request.odds.size()))
        return "--chevaux " + std::to_string(*request.horses) + " : il n'y a que " +
               std::to_string(request.odds.size()) + " cotes.";
    return std::nullopt;
}

} // namespace

std::optional<std::string> RunAnalyseCommand(const std::vector<std::string>& arguments,
                                             std::ostream& out) {
    Request request;
    if (auto failure = ParseRequest(arguments, request)) return failure;
    std::vector<float> played;
    for (std::size_t i = 0; i < request.odds.size(); ++i) {
        auto odds = OddsArgument(request.odds[i], request.oddsOffset);
        if (!odds)
            return "Cote invalide : " + Quoted(request.odds[i]) +
                   " (un nombre au-dessus de 0 ou une fraction, par exemple 7, 4,5 ou 9/2).";
        if (static_cast<int>(i) < *request.horses) {
            played.push_back(*odds);
        } else {
            request.input.others.push_back(*odds);
        }
    }
    auto stakes = ComputedStakeTexts(played, request.targetProfit, request.rounding);
    if (!stakes) return "Les mises ne peuvent pas être calculées avec ces cotes.";
    for (std::size_t i = 0; i < played.size(); ++i)
        request.input.played.push_back({played[i], (*stakes)[i]});
    auto analysis = AnalyseBet(request.input);
    if (auto* refusal = std::get_if<AnalysisRefusal>(&analysis))
        return AnalysisRefusalText(*refusal);
    const auto& done = std::get<BetAnalysis>(analysis);
    for (const std::string& line :
         AnalysisLines(AnalysisTexts(done, HorseNames(*request.horses), '.')))
        out << line << "\n";
    return std::nullopt;
}

} // namespace sg
