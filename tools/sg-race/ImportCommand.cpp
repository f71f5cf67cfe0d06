#include "ImportCommand.h"

#include "ImportSources.h"
#include "fetch/FetchRules.h"
#include "numbers/Numbers.h"
#include "pmu/RaceImporter.h"

#include <charconv>
#include <memory>

namespace sg {

namespace {

using Failure = std::optional<std::string>;

constexpr double MaxPauseSeconds = 60;

std::string Quoted(const std::string& text) {
    return "« " + VisibleControls(text) + " »";
}

struct ImportArguments {
    ImportRequest request;
    std::string source = DefaultServiceAddress;
    std::optional<std::string> cache;
    double pause = 1.0;
};

// "1", "0.5" or "0,5": seconds from 0 to 60.
std::optional<double> PauseOf(std::string text) {
    ReplaceFirstComma(text);
    double value = 0;
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !(value >= 0) ||
        value > MaxPauseSeconds)
        return std::nullopt;
    return value;
}

Failure Parse(const std::vector<std::string>& arguments, ImportArguments& parsed) {
    std::string usage = std::string("Usage : ") + ImportUsage;
    if (arguments.size() < 2 || arguments[1].rfind("-", 0) == 0) return usage;
    parsed.request.raceFilePath = arguments[1];
    std::optional<CalendarDay> first, last;
    for (std::size_t i = 2; i < arguments.size(); i += 2) {
        const std::string& option = arguments[i];
        if (option != "--du" && option != "--au" && option != "--source" && option != "--cache" &&
            option != "--pause")
            return "Option inconnue : " + Quoted(option) + ". " + usage;
        if (i + 1 >= arguments.size()) return "Il manque la valeur de " + Quoted(option) + ".";
        const std::string& value = arguments[i + 1];
        if (option == "--du" || option == "--au") {
            auto day = DayFromText(value);
            if (!day)
                return "Date invalide pour " + option + " : " + Quoted(value) +
                       " (une date qui existe, JJ/MM/AAAA).";
            (option == "--du" ? first : last) = day;
        } else if (option == "--source") {
            if (value.empty()) return "Il manque la valeur de « --source ».";
            parsed.source = value;
        } else if (option == "--cache") {
            if (value.empty()) return "Il manque la valeur de « --cache ».";
            parsed.cache = value;
        } else {
            auto pause = PauseOf(value);
            if (!pause)
                return "Valeur invalide pour --pause : " + Quoted(value) + " (0 à 60 secondes).";
            parsed.pause = *pause;
        }
    }
    if (!first) return "Il manque la date de début (--du JJ/MM/AAAA). " + usage;
    parsed.request.first = *first;
    parsed.request.last = last.value_or(*first);
    if (parsed.request.last < parsed.request.first)
        return "La période est vide : --au " + DayText(parsed.request.last) + " est avant --du " +
               DayText(parsed.request.first) + ".";
    return std::nullopt;
}

} // namespace

std::optional<std::string> RunImportCommand(const std::vector<std::string>& arguments,
                                            std::ostream& out) {
    ImportArguments parsed;
    if (auto failure = Parse(arguments, parsed)) return failure;

    std::unique_ptr<DocumentSource> source;
    ServiceSource* service = nullptr;
    if (IsNetworkAddress(parsed.source)) {
        FetchSettings settings;
        settings.base = parsed.source;
        settings.pauseSeconds = parsed.pause;
        auto owned = std::make_unique<ServiceSource>(
            settings, parsed.cache.value_or(parsed.request.raceFilePath + ".cache"));
        service = owned.get();
        source = std::move(owned);
    } else if (parsed.source.find("://") != std::string::npos) {
        return "Source non prise en charge : " + Quoted(parsed.source) +
               " (une adresse http:// ou https://, ou un dossier).";
    } else {
        if (!DocumentCache(parsed.source).Exists())
            return "Le dossier source " + Quoted(parsed.source) + " est introuvable.";
        source = std::make_unique<FolderSource>(parsed.source);
    }

    auto printLine = [&out](const std::string& line) { out << line << '\n' << std::flush; };
    ImportOutcome outcome = ImportRaces(parsed.request, *source, printLine);
    // A failure before the first day leaves nothing to sum up.
    if (!outcome.failure || outcome.failure->day)
        for (const std::string& line : SummaryLines(outcome.summary)) printLine(line);
    if (service && !service->CacheProblem().empty())
        printLine("Remarque : " + service->CacheProblem() + ".");
    if (outcome.failure) return outcome.failure->Message();
    return std::nullopt;
}

} // namespace sg
