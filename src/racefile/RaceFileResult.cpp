#include "racefile/RaceFileResult.h"

namespace sg {

std::string_view FrenchMessage(RaceFileFailure failure) {
    switch (failure) {
    case RaceFileFailure::NoFileOpen:
        return "Aucun fichier de courses n'est ouvert.";
    case RaceFileFailure::NotFound:
        return "Le fichier de courses ou son dossier est introuvable.";
    case RaceFileFailure::CannotOpen:
        return "Le fichier de courses ne peut pas être ouvert.";
    case RaceFileFailure::NoPermission:
        return "Vous n'avez pas le droit de lire ou de modifier ce fichier de courses.";
    case RaceFileFailure::IsFolder:
        return "C'est un dossier, pas un fichier de courses.";
    case RaceFileFailure::NotRegularFile:
        return "Ce n'est pas un fichier ordinaire (tube nommé, prise ou périphérique) : il ne "
               "peut pas servir de fichier de courses.";
    case RaceFileFailure::RaceOutOfRange:
        return "Le numéro de course doit être compris entre 1 et 32767.";
    case RaceFileFailure::ReadFailed:
        return "La lecture de la course dans le fichier a échoué.";
    case RaceFileFailure::ShortRead:
        return "La course n'a pu être lue qu'en partie : le fichier a changé pendant la lecture.";
    case RaceFileFailure::WriteFailed:
        return "L'enregistrement de la course a échoué : elle n'est pas enregistrée.";
    case RaceFileFailure::ShortWrite:
        return "L'enregistrement de la course a été interrompu : le fichier est resté tel "
               "qu'il était.";
    case RaceFileFailure::TornRecord:
        return "L'enregistrement de la course a été interrompu et le fichier n'a pas pu être "
               "remis en état : cette course est peut-être abîmée.";
    case RaceFileFailure::MediumFull:
        return "Le disque est plein : la course n'est pas enregistrée.";
    case RaceFileFailure::ReadOnly:
        return "Le fichier de courses est protégé en écriture.";
    case RaceFileFailure::FileRemoved:
        return "Le fichier de courses a été supprimé ou remplacé depuis son ouverture.";
    case RaceFileFailure::FileTooLarge:
        return "Le fichier de courses a atteint la plus grande taille permise.";
    case RaceFileFailure::ShorterThanARace:
        return "Ce n'est pas un fichier de courses : il est plus court qu'une course.";
    case RaceFileFailure::NotARaceFile:
        return "Ce n'est pas un fichier de courses : sa première course n'a pas de nombre de "
               "partants lisible.";
    case RaceFileFailure::OpenedForReading:
        return "Le fichier de courses est ouvert en lecture seule.";
    }
    return "Erreur inconnue du fichier de courses.";
}

} // namespace sg
