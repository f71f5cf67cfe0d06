#include "app/JournalTexts.h"

#include "numbers/Numbers.h"
#include "racefile/RaceIndex.h"

#include <algorithm>

namespace sg {

namespace {

std::string Amount(std::int64_t cents, char separator) {
    std::string text = JournalAmount(cents);
    std::replace(text.begin(), text.end(), ',', separator);
    return text;
}

} // namespace

std::vector<std::string> JournalTableHeader() {
    return {"Date",          "Heure", "Opération", "Fichier",      "Course",
            "Chevaux joués", "Misé",  "Gagné",     "Bilan affiché"};
}

std::vector<std::string> JournalRowTexts(const JournalEntry& entry, char separator) {
    bool play = entry.kind == JournalEntry::Kind::Play;
    // The journal writes its odds and stakes with a comma; the window with the user's mark.
    std::string horses = entry.horses;
    std::replace(horses.begin(), horses.end(), ',', separator);
    return {entry.when.date,
            entry.when.time,
            play ? "Jeu" : "Remise à zéro des comptes",
            entry.raceFile,
            entry.race > 0 ? std::to_string(entry.race) : "",
            horses,
            play ? Amount(entry.stakedCents, separator) : "",
            play ? Amount(entry.wonCents, separator) : "",
            Amount(entry.balanceCents, separator)};
}

std::string JournalTotalsText(const JournalTotals& totals, char separator) {
    std::string plays = totals.plays == 0   ? "aucun jeu"
                        : totals.plays == 1 ? "1 jeu"
                                            : std::to_string(totals.plays) + " jeux";
    return plays + " : misé " + Amount(totals.stakedCents, separator) + " ; gagné " +
           Amount(totals.wonCents, separator) + " ; bilan " +
           Amount(totals.BalanceCents(), separator);
}

JournalFilterChoice JournalFilterFrom(const std::string& raceFile, std::string_view from,
                                      std::string_view to) {
    JournalFilterChoice choice;
    if (raceFile != AllRaceFiles) choice.filter.raceFile = raceFile;
    auto bound = [&choice](std::string_view typed, const char* which) -> std::optional<int> {
        std::string date = Trim(typed);
        if (date.empty()) return std::nullopt;
        auto key = DateKey(date);
        if (!key)
            choice.notes.push_back(std::string("Date ") + which + " non reconnue : « " +
                                   VisibleControls(date) + " » (JJ/MM/AAAA) : sans limite.");
        return key;
    };
    choice.filter.from = bound(from, "de début");
    choice.filter.to = bound(to, "de fin");
    return choice;
}

std::string JournalExportFailed(const std::string& path, const FileWriteError& error) {
    return "Le fichier « " + path + " » n'a pas pu être écrit. " + error.Message();
}

std::string JournalStatusText(const FileWriteError& error) {
    return "Journal des paris non écrit : " + error.Message();
}

std::string JournalFailureText(const std::string& folder, const FileWriteError& error) {
    return "Le journal des paris (" + JournalPathIn(folder) +
           ") n'a pas pu être écrit : " + error.Message() +
           " Les jeux sont comptés comme d'habitude.";
}

} // namespace sg
