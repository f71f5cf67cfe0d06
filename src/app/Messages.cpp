#include "app/Messages.h"

#include "numbers/Numbers.h"

namespace sg::Messages {

std::string BadRaceFilePath(const std::string& path) {
    return "Désolé, mais il semble que " + path +
           " ne soit pas correctement indiqué. Vérifiez le chemin d'accès et recommencez. "
           "Si vous êtes sur CD Rom, sélectionnez obligatoirement votre disque dur pour "
           "l'enregistrement.";
}

std::string CannotOpen(const std::string& path, std::string_view reason) {
    return "Le fichier " + path + " n'a pas pu être ouvert. " + std::string(reason) +
           " Le fichier de courses utilisé jusqu'ici le reste.";
}

std::string OpenedReadOnly(const std::string& path, std::string_view reason) {
    return "Le fichier " + path + " est ouvert en lecture seule. " + std::string(reason) +
           " Vous pouvez consulter ses courses, les jouer et en faire le bilan, mais rien n'y "
           "sera enregistré.";
}

std::string CannotRead(int race, std::string_view reason) {
    return "La course " + std::to_string(race) + " n'a pas pu être lue. " + std::string(reason) +
           " La course affichée reste la course actuelle.";
}

std::string CannotSave(int race, std::string_view reason) {
    return "La course " + std::to_string(race) + " n'a pas été enregistrée. " + std::string(reason);
}

namespace {

// A path as the user gave it, its control characters visible so that the message stays one line.
std::string Quoted(const std::string& path) {
    return "« " + VisibleControls(path) + " »";
}

} // namespace

std::string CsvOnRaceFile(const std::string& path) {
    return "Le fichier CSV " + Quoted(path) +
           " serait un fichier de courses : choisissez un autre nom.";
}

std::string CsvNotWritten(const std::string& path, std::string_view reason) {
    return "Le fichier CSV " + Quoted(path) + " n'a pas été écrit. " + std::string(reason) +
           " Un fichier de ce nom, s'il existait, est resté tel qu'il était.";
}

} // namespace sg::Messages
