#include "DemoRaceFile.h"

#include "DemoRaces.h"

#include "racefile/Platform.h"

#include <cerrno>
#include <string>

namespace sg {

namespace {

constexpr int RacesPerBlock = 64; // about a megabyte per write

std::string CreateFailure(int error) {
    switch (error) {
    case EEXIST:
        return "il existe déjà ; un fichier existant n'est jamais remplacé.";
    case ENOENT:
    case ENOTDIR:
        return "son dossier est introuvable.";
    case EACCES:
    case EPERM:
        return "vous n'avez pas le droit de créer un fichier dans ce dossier.";
    case EROFS:
        return "le support est protégé en écriture.";
    default:
        return "il ne peut pas être créé.";
    }
}

std::string WriteFailure(int error) {
    if (os::IsMediumFull(error)) return "le disque est plein";
    if (error == EFBIG) return "la plus grande taille de fichier permise est atteinte";
    return "l'écriture a échoué";
}

} // namespace

std::optional<std::string> WriteDemoRaceFile(const std::string& path, int count) {
    os::OpenedFile file = os::OpenFile(path, os::OpenMode::CreateNew);
    if (file.handle == os::NoFile) return CreateFailure(file.error);
    // Past the file-size limit (ulimit -f) a write then fails with EFBIG instead of ending the
    // tool with a partial file left behind.
    os::IgnoreFileSizeSignal();

    std::string block;
    block.reserve(RacesPerBlock * RaceRecordSize);
    int error = 0;
    for (int race = 1; race <= count && error == 0; ++race) {
        const RaceRecord record = DemoRace(race);
        block.append(record.Raw().begin(), record.Raw().end());
        if (race % RacesPerBlock == 0 || race == count) {
            error = os::WriteAll(file.handle, block);
            block.clear();
        }
    }
    if (error == 0) error = os::Flush(file.handle, false);
    if (int closed = os::CloseFile(file.handle); error == 0) error = closed;
    if (error == 0) return std::nullopt;
    (void)os::RemoveFile(path);
    return WriteFailure(error) + " ; le fichier incomplet a été supprimé.";
}

} // namespace sg
