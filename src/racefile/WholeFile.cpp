#include "racefile/WholeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sg {

namespace {

int OpenRetrying(const std::string& path, int flags, mode_t mode) {
    int descriptor;
    do {
        descriptor = open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// Writes all of it, going on after a signal; the error number when it stops short.
int WriteAll(int descriptor, std::string_view content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t put = write(descriptor, content.data() + done, content.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        if (put == 0) return EIO;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

int Sync(int descriptor) {
    int result;
    do {
        result = fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

std::string TemporaryNameBeside(const std::string& path) {
    std::random_device seed;
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(seed() % 100000);
}

} // namespace

std::string FileWriteError::Message() const {
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return "Le disque est plein.";
    case EACCES:
    case EPERM:
        return "Vous n'avez pas le droit d'écrire dans ce dossier.";
    case EROFS:
        return "Le dossier est protégé en écriture.";
    case ENOENT:
    case ENOTDIR:
        return "Le dossier est introuvable.";
    case EISDIR:
        return "C'est un dossier, pas un fichier.";
    default:
        return "L'écriture a échoué (" + std::string(std::strerror(systemError)) + ").";
    }
}

std::optional<FileWriteError> WriteWholeFile(const std::string& path, std::string_view content,
                                             bool ownerOnly) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return FileWriteError{EISDIR};
    std::string temporary = TemporaryNameBeside(path);
    int descriptor = OpenRetrying(temporary, O_WRONLY | O_CREAT | O_EXCL, ownerOnly ? 0600 : 0666);
    if (descriptor < 0) return FileWriteError{errno};
    int error = WriteAll(descriptor, content);
    if (error == 0) error = Sync(descriptor);
    if (close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return FileWriteError{error};
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    std::string folder = std::filesystem::path(path).parent_path().string();
    int directory = OpenRetrying(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY, 0);
    if (directory >= 0) {
        (void)Sync(directory);
        close(directory);
    }
    return std::nullopt;
}

std::optional<FileWriteError> AppendToFile(const std::string& path, std::string_view content,
                                           bool ownerOnly) {
    int descriptor =
        OpenRetrying(path, O_WRONLY | O_CREAT | O_APPEND | O_NOCTTY, ownerOnly ? 0600 : 0666);
    if (descriptor < 0) return FileWriteError{errno};
    struct stat status {};
    int error = fstat(descriptor, &status) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(status.st_mode)) error = EISDIR;
    // One write: appends of other programs go before or after it, never into it.
    if (error == 0) {
        ssize_t put;
        do {
            put = write(descriptor, content.data(), content.size());
        } while (put < 0 && errno == EINTR);
        if (put < 0)
            error = errno;
        else if (static_cast<std::size_t>(put) < content.size())
            error = WriteAll(descriptor, content.substr(static_cast<std::size_t>(put)));
    }
    if (error == 0) error = Sync(descriptor);
    close(descriptor);
    if (error != 0) return FileWriteError{error};
    return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path, bool* missing) {
    if (missing) *missing = false;
    int descriptor = OpenRetrying(path, O_RDONLY | O_NOCTTY | O_NONBLOCK, 0);
    if (descriptor < 0) {
        if (missing) *missing = errno == ENOENT || errno == ENOTDIR;
        return std::nullopt;
    }
    // A regular file only: a pipe or a device would block or never end.
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return std::nullopt;
    }
    // Read in one go at the size the file has, then on until its true end (it may grow).
    std::string content(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (true) {
        if (done == content.size()) content.resize(done + 65536);
        ssize_t got = read(descriptor, content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            close(descriptor);
            return std::nullopt;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    close(descriptor);
    content.resize(done);
    return content;
}

} // namespace sg
