#include "ToolArguments.h"

#include "app/BacktestExport.h"
#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"
#include "racefile/RaceSession.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace sg {

std::string Quoted(const std::string& text) {
    return "« " + VisibleControls(text) + " »";
}

std::optional<int> WholeIn(const std::string& text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string BadValue(const std::string& option, const std::string& value, const char* expected) {
    return "Valeur invalide pour " + option + " : " + Quoted(value) + " (" + expected + ").";
}

Failure ReadOptions(const std::vector<std::string>& arguments, std::size_t from,
                    std::span<const char* const> valueOptions, std::span<const char* const> flags,
                    const char* usage,
                    const std::function<Failure(const std::string&, const std::string&)>& read) {
    auto among = [](std::span<const char* const> names, const std::string& option) {
        return std::find(names.begin(), names.end(), option) != names.end();
    };
    for (std::size_t i = from; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (among(flags, option)) {
            if (auto failure = read(option, "")) return failure;
            continue;
        }
        if (option.rfind("--", 0) != 0)
            return "Argument inattendu : " + Quoted(option) + ". Usage : " + usage;
        if (!among(valueOptions, option))
            return "Option inconnue : " + Quoted(option) + ". Usage : " + usage;
        if (i + 1 >= arguments.size()) return "Il manque la valeur de " + Quoted(option) + ".";
        if (auto failure = read(option, arguments[++i])) return failure;
    }
    return std::nullopt;
}

bool ReadRangeOption(RangeOptions& options, const std::string& option, const std::string& value,
                     Failure& failure) {
    if (option == "--de" || option == "--a") {
        auto race = WholeIn(value, FirstRace, LastRace);
        if (!race) failure = BadValue(option, value, "1 à 32767");
        if (race) (option == "--de" ? options.first : options.last) = *race;
    } else if (option == "--csv") {
        if (value.empty()) failure = BadValue(option, value, "un chemin de fichier");
        options.csv = value;
    } else if (option == "--separateur") {
        if (value != "," && value != ".") failure = BadValue(option, value, ", ou .");
        options.separator = value.empty() ? ',' : value[0];
    } else {
        return false;
    }
    return true;
}

Failure CheckRange(const RangeOptions& options) {
    if (options.first && options.last && *options.first > *options.last)
        return "La plage de courses est vide : --de " + std::to_string(*options.first) +
               " est après --a " + std::to_string(*options.last) + ".";
    return std::nullopt;
}

Failure OpenForPass(RaceFileReader& file, const std::string& path, const RangeOptions& options) {
    if (options.csv) {
        if (auto failure = CheckCsvPath(*options.csv, path)) return failure;
    }
    if (auto opened = file.Open(path); !opened)
        return "Fichier " + Quoted(path) + " : " + std::string(opened.Error().Message());
    return std::nullopt;
}

Failure CheckCsvPath(const std::string& csv, const std::string& raceFile) {
    return CsvPathRefused(csv, raceFile);
}

Failure WriteCsvFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ostringstream content;
    write(content);
    return WriteCsvExport(path, content.str());
}

} // namespace sg
