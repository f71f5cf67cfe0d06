#include "racefile/Platform.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sg::os {

namespace {

int Descriptor(FileHandle file) {
    return static_cast<int>(file);
}

int NotRegularError(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : ENODEV;
}

int FlagsOf(OpenMode mode) {
    switch (mode) {
    case OpenMode::Read:
        return O_RDONLY;
    case OpenMode::ReadWrite:
        return O_RDWR;
    case OpenMode::ReadWriteCreate:
        return O_RDWR | O_CREAT;
    case OpenMode::CreateNew:
        return O_WRONLY | O_CREAT | O_EXCL;
    case OpenMode::Append:
        return O_WRONLY | O_CREAT | O_APPEND;
    }
    return O_RDONLY;
}

} // namespace

OpenedFile OpenFile(const std::string& path, OpenMode mode, bool ownerOnly) {
    // A named pipe, a socket or a device would block the open or answer like no file: only a
    // regular file (or a path where one is to be created) is opened at all.
    struct stat named {};
    if (mode != OpenMode::CreateNew && stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
        return {NoFile, NotRegularError(named.st_mode)};
    // Non-blocking in case the path was replaced by a pipe meanwhile; cleared once checked.
    int flags = FlagsOf(mode) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int descriptor;
    do {
        descriptor = open(path.c_str(), flags, ownerOnly ? 0600 : 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return {NoFile, errno};
    struct stat status {};
    int error = fstat(descriptor, &status) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(status.st_mode)) error = NotRegularError(status.st_mode);
    int statusFlags = error == 0 ? fcntl(descriptor, F_GETFL) : 0;
    if (error == 0 &&
        (statusFlags == -1 || fcntl(descriptor, F_SETFL, statusFlags & ~O_NONBLOCK) == -1))
        error = errno;
    if (error != 0) {
        close(descriptor);
        return {NoFile, error};
    }
    return {descriptor, 0};
}

int CloseFile(FileHandle file) {
    if (close(Descriptor(file)) == 0) return 0;
    // After EINTR the descriptor is gone on this system.
    return errno == EINTR ? 0 : errno;
}

int StateOf(FileHandle file, FileState& state) {
    struct stat status {};
    if (fstat(Descriptor(file), &status) != 0) return errno;
    state.length = static_cast<std::uint64_t>(status.st_size);
    state.removed = status.st_nlink == 0;
    return 0;
}

std::int64_t ReadAt(FileHandle file, std::uint8_t* into, std::size_t count, std::uint64_t offset,
                    int& error) {
    std::size_t done = 0;
    error = 0;
    while (done < count) {
        ssize_t got =
            pread(Descriptor(file), into + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

std::size_t WriteAt(FileHandle file, const std::uint8_t* from, std::size_t count,
                    std::uint64_t offset, int& error) {
    std::size_t done = 0;
    error = 0;
    while (done < count) {
        ssize_t put =
            pwrite(Descriptor(file), from + done, count - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            error = errno;
            break;
        }
        if (put == 0) break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

int WriteAll(FileHandle file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = write(Descriptor(file), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        if (put == 0) return EIO;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

// O_APPEND puts each write at the end in one step.
int Append(FileHandle file, std::string_view bytes) {
    return WriteAll(file, bytes);
}

int Truncate(FileHandle file, std::uint64_t length) {
    return ftruncate(Descriptor(file), static_cast<off_t>(length)) == 0 ? 0 : errno;
}

bool TryLock(FileHandle file) {
    return flock(Descriptor(file), LOCK_EX | LOCK_NB) == 0;
}

int Flush(FileHandle file, bool withMetadata) {
    int result;
    do {
        result = withMetadata ? fsync(Descriptor(file)) : fdatasync(Descriptor(file));
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

PathKind KindOf(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return PathKind::Missing;
    if (S_ISREG(status.st_mode)) return PathKind::File;
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::Other;
}

int Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0 ? 0 : errno;
}

void FlushFolder(const std::string& folder) {
    int directory;
    do {
        directory = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (directory < 0 && errno == EINTR);
    if (directory < 0) return;
    (void)Flush(directory, true);
    close(directory);
}

int MakeFolders(const std::string& folder, bool ownerOnly) {
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), ownerOnly ? 0700 : 0777) != 0 && errno != EEXIST) return errno;
    }
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) return errno;
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

void IgnoreFileSizeSignal() {
    static const bool ignored = [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

bool IsMediumFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

int ProcessId() {
    return static_cast<int>(getpid());
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> ApplicationDataFolder() {
    return std::nullopt;
}

const char PathSeparator = '/';

bool IsPathSeparator(char c) {
    return c == '/';
}

bool IsFullPath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + (folder.empty() || folder.back() != '/' ? "/" : "") + name;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return utf8;
}

std::string Utf8Of(const std::filesystem::path& path) {
    return path.string();
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

void UseUtf8Console() {}

std::string SpreadsheetText(std::string_view text) {
    return std::string(text);
}

} // namespace sg::os
