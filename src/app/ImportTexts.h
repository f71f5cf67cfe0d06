// The texts of the import window and of the current race's origin, which the index beside the
// race file tells.
#pragma once

#include "racefile/RaceIndex.h"

#include <string>

namespace sg::ImportTexts {

inline constexpr const char* Title = "Importer des courses";
inline constexpr const char* NeedsFile =
    "Choisissez d'abord le fichier de courses où importer (un nom nouveau crée un fichier "
    "vide), puis cliquez à nouveau sur « Importer ».";
inline constexpr const char* ReadOnlyFile =
    "Le fichier de courses ouvert l'est en lecture seule : aucune course n'y sera importée. "
    "Choisissez un autre fichier (« Utiliser le fichier... »), puis cliquez à nouveau sur "
    "« Importer ».";
inline constexpr const char* BadDates =
    "Écrivez les jours de la période sous la forme JJ/MM/AAAA, le premier avant le dernier.";
inline constexpr const char* NeedsFolder =
    "Indiquez le dossier (ou l'adresse) où se trouvent les documents du PMU.";
inline constexpr const char* Cancelled =
    "Importation annulée : les courses importées jusque-là restent dans le fichier.";
inline constexpr const char* Finished = "Importation terminée.";
inline constexpr const char* NoFileOpen = "Aucun fichier de courses ouvert.";

// "Durée estimée : environ 12 min (3 jours, un document par seconde au plus, ...)", with that
// pause between two documents of the service.
std::string EstimateText(int days, bool network, double pauseSeconds);

// The question asked before an import that would take more than an hour.
std::string LongImportQuestion(int days, bool network, double pauseSeconds);

// "L'outil d'importation (sg-race) est introuvable : ..." for a missing tool.
std::string ToolMissing(const std::string& path);

// "Course 12 : 05/03/2024, R1 C4, VINCENNES, PRIX DE LA MARNE (ATTELE), départ 13:50"; for a
// race the index does not know, a sentence that says so; nothing for a file without index.
std::string RaceOriginText(const RaceIndex& index, int race);

} // namespace sg::ImportTexts
