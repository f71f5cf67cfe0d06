#include "racefile/RaceFileResult.h"

namespace sg {

std::string_view FrenchMessage(RaceFileFailure failure) {
    switch (failure) {
    case RaceFileFailure::NoFileOpen:
        return "Aucun fichier de courses n'est utilisé.";
    case RaceFileFailure::NotFound:
        return "Le fichier de courses ou son dossier est introuvable.";
    case RaceFileFailure::CannotOpen:
        return "Le système en refuse l'accès.";
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
        return "Le système signale une erreur de lecture.";
    case RaceFileFailure::ShortRead:
        return "Un autre programme a changé le fichier pendant la lecture.";
    case RaceFileFailure::WriteFailed:
        return "Le système signale une erreur d'écriture.";
    case RaceFileFailure::ShortWrite:
        return "L'écriture a été interrompue ; le fichier est resté tel qu'il était.";
    case RaceFileFailure::TornRecord:
        return "L'écriture a été interrompue et le fichier n'a pas pu être remis en état : "
               "cette course est peut-être abîmée.";
    case RaceFileFailure::MediumFull:
        return "Le disque est plein.";
    case RaceFileFailure::ReadOnly:
        return "Le fichier de courses ou son disque est protégé en écriture.";
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
