#include "DemoRaceFile.h"

#include "DemoRaces.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

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
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "le disque est plein";
    case EFBIG:
        return "la plus grande taille de fichier permise est atteinte";
    default:
        return "l'écriture a échoué";
    }
}

// Writes all the bytes; returns 0, or the errno that stopped the write.
int WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        if (put == 0) return EIO;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

} // namespace

std::optional<std::string> WriteDemoRaceFile(const std::string& path, int count) {
    int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (descriptor < 0) return CreateFailure(errno);
    // Past the file-size limit (ulimit -f) a write then fails with EFBIG instead of ending the
    // tool with a partial file left behind.
    std::signal(SIGXFSZ, SIG_IGN);

    std::vector<std::uint8_t> block;
    block.reserve(RacesPerBlock * RaceRecordSize);
    int error = 0;
    for (int race = 1; race <= count && error == 0; ++race) {
        const RaceRecord record = DemoRace(race);
        block.insert(block.end(), record.Raw().begin(), record.Raw().end());
        if (race % RacesPerBlock == 0 || race == count) {
            error = WriteAll(descriptor, block);
            block.clear();
        }
    }
    while (error == 0 && fdatasync(descriptor) != 0) {
        if (errno != EINTR) error = errno;
    }
    if (close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error == 0) return std::nullopt;
    unlink(path.c_str());
    return WriteFailure(error) + " ; le fichier incomplet a été supprimé.";
}

} // namespace sg
