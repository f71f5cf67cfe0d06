#include "app/BetAnalysisTexts.h"

#include "numbers/Numbers.h"

#include <charconv>
#include <cmath>

namespace sg {

namespace {

// Two decimals, the whole part always written: "250.00", "-112.98", "0.50".
std::string Money(double value, char separator) {
    return FormatAmount(value, AmountFormat::ZeroDotZeroZero, separator);
}

std::string Percent(double fraction, char separator) {
    return Money(fraction * 100, separator) + " %";
}

// The odds as the calculator stores them, in their shortest form: "7", "4.5".
std::string Odds(double odds, char separator) {
    std::string text = ShortestText(static_cast<float>(odds));
    if (auto point = text.find('.'); point != std::string::npos) text[point] = separator;
    return text;
}

std::string DriftName(int percent) {
    return (percent > 0 ? "+" : "") + std::to_string(percent) + " %";
}

void HorseTable(BetAnalysisTexts& texts, const BetAnalysis& analysis,
                const std::vector<std::string>& names, char sep) {
    auto name = [&names](std::size_t i) {
        return i < names.size() ? names[i] : std::to_string(i + 1);
    };
    texts.horses.header = {
        "Cheval", "Cote", "Mise", "Retour s'il gagne", "Résultat net", "Cote de rentabilité"};
    texts.tolerance.header = {"Cheval", "Baisse de cote tolérée"};
    for (std::size_t i = 0; i < analysis.horses.size(); ++i) {
        const HorseOutcome& h = analysis.horses[i];
        texts.horses.rows.push_back({name(i), Odds(h.odds, sep), Money(h.stake, sep),
                                     Money(h.payout, sep), Money(h.net, sep),
                                     h.breakEvenOdds ? Money(*h.breakEvenOdds, sep) : "aucune"});
        texts.tolerance.rows.push_back({name(i), Percent(h.toleratedFall, sep)});
    }

    texts.drift.header = {"Cotes", "Résultat net le plus bas", "Résultat net le plus haut"};
    for (const DriftOutcome& d : analysis.drift)
        texts.drift.rows.push_back(
            {DriftName(d.percent), Money(d.lowest, sep), Money(d.highest, sep)});

    texts.pool.header = {"Cheval", "Cote", "Cote finale", "Baisse de la cote",
                         "Résultat net à la cote finale"};
    for (std::size_t i = 0; i < analysis.poolHorses.size(); ++i) {
        const PoolOutcome& p = analysis.poolHorses[i];
        texts.pool.rows.push_back({name(i), Odds(analysis.horses[i].odds, sep),
                                   Money(p.finalOdds, sep), Percent(p.fall, sep),
                                   Money(p.net, sep)});
        if (p.warning)
            texts.poolWarnings.push_back({"Alerte", "vos mises font baisser la cote du cheval " +
                                                        name(i) + " de " + Percent(p.fall, sep)});
    }

    texts.budget.header = {"Cheval", "Mise pour le budget", "Résultat net pour le budget"};
    for (std::size_t i = 0; i < analysis.budgetStakes.size(); ++i) {
        const PlacedStake& s = analysis.budgetStakes[i];
        texts.budget.rows.push_back({name(i), Money(s.stake, sep), Money(s.net, sep)});
    }
    texts.units.header = {"Cheval", "Mise en unités de jeu", "Résultat net en unités de jeu"};
    for (std::size_t i = 0; i < analysis.unitStakes.size(); ++i) {
        const PlacedStake& s = analysis.unitStakes[i];
        texts.units.rows.push_back({name(i), Money(s.stake, sep), Money(s.net, sep)});
    }
}

// "Résultat net" -> "résultat net": a title inside a line.
std::string InLine(std::string title) {
    if (!title.empty() && title[0] >= 'A' && title[0] <= 'Z') title[0] = char(title[0] - 'A' + 'a');
    return title;
}

void AddLines(std::vector<std::string>& out, const std::vector<SummaryLine>& lines) {
    for (const SummaryLine& line : lines) out.push_back(line.label + " : " + line.value);
}

void AddTable(std::vector<std::string>& out, const TextTable& table) {
    for (const auto& row : table.rows) {
        std::string name = table.header.at(0) + " " + row.at(0);
        for (std::size_t c = 1; c < row.size() && c < table.header.size(); ++c)
            out.push_back(name + ", " + InLine(table.header[c]) + " : " + row[c]);
    }
}

// The settings before the table, its total after it.
void AddAround(std::vector<std::string>& out, const std::vector<SummaryLine>& lines,
               const TextTable& table) {
    if (lines.empty()) return AddTable(out, table);
    AddLines(out, {lines.begin(), lines.end() - 1});
    AddTable(out, table);
    AddLines(out, {lines.back()});
}

} // namespace

std::vector<std::string> HorseNames(int count, const std::vector<std::string>& numbers) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name = std::to_string(i + 1);
        auto index = static_cast<std::size_t>(i);
        if (index < numbers.size()) {
            std::string number = Trim(numbers[index]);
            if (LeadingNumberOr0(number) > 0) name += " (n° " + VisibleControls(number) + ")";
        }
        names.push_back(name);
    }
    return names;
}

BetAnalysisTexts AnalysisTexts(const BetAnalysis& analysis, const std::vector<std::string>& names,
                               char sep) {
    BetAnalysisTexts texts;
    texts.book = {
        {"Livre de la course", Percent(analysis.raceBook, sep)},
        {"Livre des chevaux joués", Percent(analysis.playedBook, sep)},
        {"Part des chances couverte", Percent(analysis.coveredShare, sep)},
        {"Résultat moyen estimé par le marché", Money(analysis.expectedResult, sep)},
        {"Total des mises", Money(analysis.total, sep)},
    };
    texts.marketNote = {"Source des chances",
                        "estimations du marché tirées des cotes, prélèvement ôté ; ce ne sont "
                        "pas des certitudes"};
    HorseTable(texts, analysis, names, sep);

    texts.poolSettings = {
        {"Masse des enjeux gagnant", analysis.pool ? Money(*analysis.pool, sep) : "non indiquée"},
        {"Prélèvement", Percent(analysis.takeout, sep)},
    };
    texts.budgetLines = {{"Budget", Money(analysis.budget, sep)},
                         {"Total pour le budget", Money(analysis.budgetTotal, sep)}};
    texts.unitLines = {{"Mise minimum", Money(analysis.minimumStake, sep)},
                       {"Pas des mises", Money(analysis.stakeStep, sep)},
                       {"Total en unités de jeu", Money(analysis.unitTotal, sep)}};
    return texts;
}

std::vector<std::string> AnalysisLines(const BetAnalysisTexts& texts) {
    std::vector<std::string> out;
    AddLines(out, texts.book);
    AddLines(out, {texts.marketNote});
    AddTable(out, texts.horses);
    AddTable(out, texts.drift);
    AddTable(out, texts.tolerance);
    AddLines(out, texts.poolSettings);
    AddTable(out, texts.pool);
    AddLines(out, texts.poolWarnings);
    AddAround(out, texts.budgetLines, texts.budget);
    AddAround(out, texts.unitLines, texts.units);
    return out;
}

const char* AnalysisRefusalText(AnalysisRefusal refusal) {
    switch (refusal) {
    case AnalysisRefusal::NoHorse:
        return "Aucun cheval joué.";
    case AnalysisRefusal::NoStakes:
        return "Les mises ne sont pas encore calculées : cliquez sur « Cliquez pour calculer "
               "montant à jouer par cheval ».";
    case AnalysisRefusal::UnusableOdds:
        return "Une cote jouée ne donne pas de rapport positif : vérifiez les cotes.";
    }
    return "";
}

std::vector<std::string> ReadAnalysisSettings(const TypedAnalysisSettings& typed,
                                              BetAnalysisInput& input) {
    std::vector<std::string> notes;
    auto read = [&notes](const std::string& text, double low, double high, const char* what,
                         bool emptyIsNone) -> std::optional<std::optional<double>> {
        if (emptyIsNone && Trim(text).empty()) return std::optional<double>{};
        if (auto value = TypedNumber(text, low, high)) return value;
        notes.push_back(std::string(what) + " : « " + VisibleControls(text) + " ».");
        return std::nullopt;
    };
    if (auto pool = read(typed.pool, 0.01, MaxPool, "Masse des enjeux non reconnue", true))
        input.pool = *pool;
    if (auto takeout =
            read(typed.takeoutPercent, 0, MaxTakeoutPercent, "Prélèvement non reconnu", false)) {
        input.takeout = **takeout / 100;
    } else {
        input.pool.reset(); // no odds after the stakes without a takeout
    }
    if (auto budget = read(typed.budget, 0.01, MaxBudget, "Budget non reconnu", true))
        input.budget = *budget;
    if (auto minimum =
            read(typed.minimumStake, 0, MaxStakeUnit, "Mise minimum non reconnue", false))
        input.minimumStake = **minimum;
    if (auto step = read(typed.stakeStep, 0.01, MaxStakeUnit, "Pas des mises non reconnu", false))
        input.stakeStep = **step;
    return notes;
}

const char* PoolSourceText(PoolSource source) {
    switch (source) {
    case PoolSource::Imported:
        return "Masse des enjeux gagnant de la course importée.";
    case PoolSource::Typed:
        return "Masse des enjeux gagnant tapée.";
    case PoolSource::Unknown:
        break;
    }
    return "Masse des enjeux gagnant inconnue : tapez-la pour voir l'effet de vos mises sur les "
           "cotes.";
}

std::string PlayedBetCaption(int horses, RoundingMode mode) {
    return (horses == 1 ? std::string("1 cheval joué")
                        : std::to_string(horses) + " chevaux joués") +
           ", mises " + RoundingModeText(mode);
}

std::optional<double> TypedNumber(std::string_view text, double low, double high) {
    std::string typed = Trim(text);
    ReplaceFirstComma(typed);
    double value = 0;
    auto [end, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (ec != std::errc() || end != typed.data() + typed.size() || typed.empty()) return {};
    if (!std::isfinite(value) || value < low || value > high) return std::nullopt;
    return value;
}

} // namespace sg
