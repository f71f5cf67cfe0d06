#include "pmu/ImportReport.h"

#include "racefile/RaceFile.h"

#include <charconv>
#include <cmath>

namespace sg {

namespace {

constexpr const char* FirstRacePrefix = "Première course importée : ";

// French races in a day on average (about 15,000 a year), and what the service asks of each:
// the runners, the payouts and the pools, plus the day's programme.
constexpr double RacesPerDay = 42;
constexpr double DocumentsPerRace = 3;
constexpr double SecondsPerAnswer = 0.35;
constexpr double SecondsPerFolderRace = 0.0005;

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count > 1 ? many : one);
}

} // namespace

void Examples::Add(std::string where) {
    ++count;
    if (first.size() < Kept) first.push_back(std::move(where));
}

std::string Examples::Text() const {
    std::string text = std::to_string(count);
    if (first.empty()) return text;
    text += " (";
    for (std::size_t i = 0; i < first.size(); ++i) text += (i ? " ; " : "") + first[i];
    int more = count - static_cast<int>(first.size());
    if (more > 0) text += " et " + Counted(more, "autre", "autres");
    return text + ")";
}

std::string ImportError::Message() const {
    std::string where = day ? " le " + DayText(*day) : "";
    std::string stays = " Les courses importées jusque-là restent dans le fichier.";
    switch (failure) {
    case ImportFailure::RaceFileUnusable:
        return "Importation impossible : " + detail;
    case ImportFailure::AlreadyImporting:
        return "Importation impossible : une autre importation écrit déjà dans ce fichier.";
    case ImportFailure::IndexUnreadable:
        return "Importation impossible : l'index des courses importées (" + detail +
               ") ne peut pas être lu.";
    case ImportFailure::RaceFileWrite:
        return "Importation arrêtée" + where + " : une course n'a pas pu être écrite (" + detail +
               ")." + stays;
    case ImportFailure::IndexWrite:
        return "Importation arrêtée" + where + " : l'index n'a pas pu être écrit (" + detail +
               ")." + stays;
    case ImportFailure::SourceUnreachable:
        return "Importation arrêtée" + where + " : " + detail + "." + stays +
               " Relancez-la pour continuer.";
    case ImportFailure::FileFull:
        break;
    }
    return "Importation arrêtée" + where + " : le fichier de courses est plein (" +
           std::to_string(LastRace) + " courses au plus)." + stays;
}

std::string DayLine(CalendarDay day, const DayCounts& counts) {
    std::string text = DayText(day) + " : " +
                       Counted(counts.programmed, "course au programme", "courses au programme");
    std::vector<std::string> parts;
    if (counts.added) parts.push_back(Counted(counts.added, "ajoutée", "ajoutées"));
    if (counts.updated) parts.push_back(Counted(counts.updated, "mise à jour", "mises à jour"));
    if (counts.unchanged) parts.push_back(Counted(counts.unchanged, "déjà à jour", "déjà à jour"));
    if (counts.refused) parts.push_back(Counted(counts.refused, "refusée", "refusées"));
    if (counts.leftAlone)
        parts.push_back(
            Counted(counts.leftAlone, "laissée telle quelle", "laissées telles quelles"));
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : " ; ") + parts[i];
    return text;
}

std::string DayLineWithout(CalendarDay day, const std::string& why) {
    return DayText(day) + " : " + why;
}

std::vector<std::string> SummaryLines(const ImportSummary& s) {
    std::vector<std::string> lines;
    const DayCounts& r = s.races;
    lines.push_back("Courses ajoutées : " + std::to_string(r.added));
    lines.push_back("Courses mises à jour : " + std::to_string(r.updated));
    if (r.unchanged) lines.push_back("Courses déjà à jour : " + std::to_string(r.unchanged));
    lines.push_back("Courses refusées : " + std::to_string(r.refused));
    for (int i = 0; i < RaceRefusalCount; ++i) {
        if (s.refusals[i].count)
            lines.push_back(std::string("  ") + RefusalText(static_cast<RaceRefusal>(i)) + " : " +
                            s.refusals[i].Text());
    }
    auto add = [&](const char* what, const Examples& examples) {
        if (examples.count) lines.push_back(std::string(what) + " : " + examples.Text());
    };
    add("Courses laissées telles quelles (changées depuis par un autre programme)", s.leftAlone);
    add("Courses sans arrivée ni rapports (pas encore publiés)", s.withoutResult);
    add("Ex aequo à la première place", s.deadHeats);
    add("Valeurs laissées vides", s.emptyValues);
    add("Remarques", s.otherNotes);
    lines.push_back("Documents : " +
                    (s.sourceIsFolder
                         ? Counted(s.fetched, "lu dans le dossier", "lus dans le dossier")
                         : Counted(s.fetched, "téléchargé", "téléchargés") + ", " +
                               Counted(s.fromCache, "lu dans le cache", "lus dans le cache")));
    if (s.firstRace) lines.push_back(FirstRacePrefix + std::to_string(*s.firstRace));
    return lines;
}

std::optional<CalendarDay> DayOfLine(std::string_view line) {
    if (line.size() < 13 || line.substr(10, 3) != " : ") return std::nullopt;
    return DayFromText(line.substr(0, 10));
}

std::optional<int> FirstRaceOfLine(std::string_view line) {
    std::string_view prefix = FirstRacePrefix;
    if (line.substr(0, prefix.size()) != prefix) return std::nullopt;
    line.remove_prefix(prefix.size());
    int race = 0;
    auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), race);
    if (ec != std::errc() || end != line.data() + line.size() || race < FirstRace ||
        race > LastRace)
        return std::nullopt;
    return race;
}

double EstimatedImportSeconds(int days, bool network, double pauseSeconds) {
    double races = days * RacesPerDay;
    if (!network) return races * SecondsPerFolderRace;
    double documents = days + races * DocumentsPerRace;
    return documents * (std::max(pauseSeconds, 0.0) + SecondsPerAnswer);
}

std::string DurationText(double seconds) {
    if (seconds < 60) return "moins d'une minute";
    auto minutes = static_cast<long long>(std::lround(seconds / 60));
    if (minutes < 60) return "environ " + std::to_string(minutes) + " min";
    if (minutes < 48LL * 60) {
        std::string rest = std::to_string(minutes % 60);
        if (rest.size() < 2) rest.insert(0, 1, '0');
        return "environ " + std::to_string(minutes / 60) + " h " + rest + " min";
    }
    return "environ " + std::to_string(std::lround(seconds / 86400)) + " jours";
}

} // namespace sg
