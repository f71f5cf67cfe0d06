#include "app/ImportTexts.h"

#include "pmu/ImportReport.h"

namespace sg::ImportTexts {

namespace {

std::string DaysText(int days) {
    return std::to_string(days) + (days > 1 ? " jours" : " jour");
}

} // namespace

std::string EstimateText(int days, bool network, double pauseSeconds) {
    return "Durée estimée : " + DurationText(EstimatedImportSeconds(days, network, pauseSeconds)) +
           " (" + DaysText(days) +
           (network ? ", un document par seconde au plus, pour ménager le service)" : ")");
}

std::string LongImportQuestion(int days, bool network, double pauseSeconds) {
    return "L'importation de " + DaysText(days) + " prendra " +
           DurationText(EstimatedImportSeconds(days, network, pauseSeconds)) +
           ". Vous pourrez l'annuler en chemin : les courses déjà importées resteront. "
           "Commencer ?";
}

std::string ToolMissing(const std::string& path) {
    return "L'outil d'importation (sg-race) est introuvable à côté du programme : « " + path +
           " ». Réinstallez Simple Gagnant.";
}

std::string RaceOriginText(const RaceIndex& index, int race) {
    if (index.entries.empty()) return "";
    std::string number = "Course " + std::to_string(race) + " : ";
    const RaceIndexEntry* entry = index.Find(race);
    if (!entry) return number + "pas dans l'index des courses importées.";
    std::string text = number + entry->date + ", R" + std::to_string(entry->meeting) + " C" +
                       std::to_string(entry->course);
    if (!entry->hippodrome.empty()) text += ", " + entry->hippodrome;
    if (!entry->name.empty()) text += ", " + entry->name;
    if (!entry->discipline.empty()) text += " (" + entry->discipline + ")";
    if (!entry->start.empty()) text += ", départ " + entry->start;
    return text;
}

} // namespace sg::ImportTexts
