// The texts the windows show to the user, in one place. The spelling is the program's own,
// odd spellings and spaces included: users and the sibling programs' documents know them so.
#pragma once

#include <string>
#include <string_view>

namespace sg::Messages {

inline constexpr const char* ApplicationTitle = "Simple Gagnant";
inline constexpr const char* MainTitle = "Calcul rentabilité: Jeu simple gagnant";
inline constexpr const char* AlreadyRunning = " tourne déjà!"; // after the title

// The main window.
inline constexpr const char* QuitQuestion = "Voulez-vous quitter (fermer) cette application?";
inline constexpr const char* QuestionTitle = "Question:";
inline constexpr const char* OtherPrograms =
    "Simple Gagnant fait partie d'une petite famille de logiciels consacrés aux courses "
    "hippiques : d'autres outils créent et tiennent à jour les fichiers de courses (.tur) que ce "
    "programme sait lire.";
inline constexpr const char* HelpFolder =
    "Le fichier d'aide se trouve normalement en\r\nc:\\turf\\varlo\\";
inline constexpr const char* HelpFile = "VARLO.HLP";
inline constexpr const char* ChooseWantedProfitFirst =
    "Veuillez d'abord choisir le montant que vous désirez gagner!";
inline constexpr const char* RunnerCountFirst =
    "Veuillez d'abord inscrire le nombre de partants, SVP.";

// Hints written into the main window's caption.
inline constexpr const char* OddsHint = "Inscrivez ici les cotes";
inline constexpr const char* PickerHint = "Cliquez pour choisir les cotes au lieu de les taper";
inline constexpr const char* PmuNumberHint = "Choisissez ici le numéro PMU du cheval";
inline constexpr const char* LegendHint =
    "Cliquez les couleurs afin de les faire apparaître dans les numéros!";
inline constexpr const char* PlayToSeeArrival =
    "Cliquez sur \"Jouer\" dans la fenêtre des options pour voir arrivée et rapports";

// Race navigation.
inline constexpr const char* NoFileToNavigate =
    "Vous ne pouvez pas aller à une quelconque course puisque aucun fichier de courses n'est "
    "ouvert! OUVREZ D'ABORD UN FICHIER DE COURSES OU CREEZ-EN UN (clic sur \"Options avancées\" "
    "puis \"Utiliser fichier\").";
inline constexpr const char* RaceNumberPrompt = "Quel numéro de course?";
inline constexpr const char* EmptyRace =
    "Cette course semble vide, car le nombre de partants n'est pas indiqué.";

// Results entry.
inline constexpr const char* NoFileToSave =
    "Vous ne pouvez pas enregistrer quoi que ce soit puisque aucun fichier de courses n'est "
    "ouvert! OUVREZ D'ABORD UN FICHIER DE COURSES OU CREEZ-EN UN (clic sur \"Utiliser "
    "fichier\").";
inline constexpr const char* RunnerCountBeforeSaving =
    "Veuillez d'abord inscrire le nombre de partants!";

// The play.
inline constexpr const char* LosingBet =
    "Allons, allons, vous n'allez pas jouer pour perdre de l'argent! Regardez dans le menu le "
    "bénéfice recherché: IL EST NÉGATIF! Diminuez donc la quantité de chevaux à jouer avant "
    "d'effectuer votre pari.";
inline constexpr const char* BeyondLedgerLimits =
    "Ces montants dépassent ce que le bilan peut compter : ce pari n'est pas compté. Remettez "
    "les comptes à zéro ou vérifiez les rapports de la course.";

// The back-test window.
inline constexpr const char* BacktestTitle = "Bilan sur tout le fichier";
inline constexpr const char* BacktestNoFile =
    "Aucun fichier de courses n'est ouvert : ouvrez-en un avec « Utiliser le fichier... ».";
inline constexpr const char* BacktestBadProfit =
    "Le bénéfice recherché doit être un montant supérieur à 0 et d'au plus 100000.";
inline constexpr const char* BacktestEmptyRange =
    "La première course de la plage doit précéder la dernière (ou être la même).";
inline constexpr const char* BacktestCancelled = "Calcul annulé.";
inline constexpr const char* BacktestOutOfDate =
    "Ces résultats ne correspondent plus aux choix ci-dessus : cliquez sur « Calculer » pour les "
    "mettre à jour.";
inline constexpr const char* BacktestExportOutOfDate =
    "Les résultats affichés ne correspondent plus aux choix de la fenêtre : cliquez sur "
    "« Calculer » avant d'exporter.";
inline constexpr const char* BacktestNothingToExport =
    "Aucun résultat à exporter : cliquez d'abord sur « Calculer ».";

// The file dialog.
inline constexpr const char* ChooseAFile = "Veuillez choisir ou inscrire un fichier";
inline constexpr const char* DriveErrorTitle = "Erreur";
inline constexpr const char* DriveError = "Erreur de l'unité de disque!";
inline constexpr const char* DialogCaption = "SELECTIONNEZ UN FICHIER";
inline constexpr const char* DialogHint =
    "Choisissez un fichier de courses au format .tur (de KELVORINE Hippodrax ou KELVORINE "
    "Hippovel).";
inline constexpr const char* DialogNameHint =
    "8 caractères maximum + extension (exemple: vincenne.tur)";
inline constexpr const char* DialogStart = "Veuillez choisir un fichier";
inline constexpr const char* NoFileYet = "Pas encore ouvert!";
inline constexpr const char* DemoButton = "Fichier de démonstration";
inline constexpr const char* DemoButtonHint =
    "Ouvre en lecture seule les 40 courses d'exemple livrées avec le programme.";
inline constexpr const char* NoDemoFile =
    "Le fichier de démonstration n'a pas été trouvé avec le programme.";

// A race file open for reading only: beside its path in the options and in the results window.
inline constexpr const char* ReadOnlyNote =
    "Lecture seule : rien n'est enregistré dans ce fichier.";

// A .tur path that cannot be created or read.
std::string BadRaceFilePath(const std::string& path);

// What a race-file failure meant for the user's action, with the reason (one sentence each).
std::string CannotOpen(const std::string& path, std::string_view reason);
std::string OpenedReadOnly(const std::string& path, std::string_view reason);
std::string CannotRead(int race, std::string_view reason);
std::string CannotSave(int race, std::string_view reason);

// A CSV export, from the back-test window or the race tool: a name that would be a race file,
// and a file that could not be written (with the reason, one sentence).
std::string CsvOnRaceFile(const std::string& path);
std::string CsvNotWritten(const std::string& path, std::string_view reason);

} // namespace sg::Messages
