#include "racefile/RaceFile.h"

#include "numbers/Numbers.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sg {

namespace {

RaceFileError ErrorOf(RaceFileFailure failure, int systemError = 0) {
    return RaceFileError{failure, systemError};
}

RaceFileFailure OpenFailureOf(int systemError) {
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return RaceFileFailure::NotFound;
    case EROFS:
        return RaceFileFailure::ReadOnly;
    case EACCES:
    case EPERM:
        return RaceFileFailure::NoPermission;
    case EISDIR:
        return RaceFileFailure::IsFolder;
    default:
        return RaceFileFailure::CannotOpen;
    }
}

RaceFileFailure WriteFailureOf(int systemError) {
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
        return RaceFileFailure::MediumFull;
    case EFBIG:
        return RaceFileFailure::FileTooLarge;
    case EROFS:
    case EBADF:
    case EPERM:
    case EACCES:
        return RaceFileFailure::ReadOnly;
    default:
        return RaceFileFailure::WriteFailed;
    }
}

RaceFileFailure NotRegularFailureOf(mode_t mode) {
    return S_ISDIR(mode) ? RaceFileFailure::IsFolder : RaceFileFailure::NotRegularFile;
}

std::optional<RaceFileError> CheckRace(int race) {
    if (race < FirstRace || race > LastRace) return ErrorOf(RaceFileFailure::RaceOutOfRange);
    return std::nullopt;
}

off_t OffsetOf(int race) {
    return static_cast<off_t>(race - 1) * static_cast<off_t>(RaceRecordSize);
}

// The open file's length. Writing refuses a file that has been unlinked meanwhile, since
// whatever is written to it vanishes when it is closed.
std::optional<RaceFileError> CurrentLength(int descriptor, off_t& length,
                                           bool refuseRemoved = false) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0) return ErrorOf(RaceFileFailure::ReadFailed, errno);
    if (refuseRemoved && status.st_nlink == 0) return ErrorOf(RaceFileFailure::FileRemoved);
    length = status.st_size;
    return std::nullopt;
}

// Reads up to count bytes at offset, stopping only at the end of the file. Returns the bytes
// read, or -1 with errno set.
ssize_t ReadAt(int descriptor, std::uint8_t* into, std::size_t count, off_t offset) {
    std::size_t done = 0;
    while (done < count) {
        ssize_t got =
            pread(descriptor, into + done, count - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// Writes count bytes at offset; normally a single pwrite. Returns the bytes written, and in
// systemError the errno that stopped it short (0 when the system just wrote nothing more).
std::size_t WriteAt(int descriptor, const std::uint8_t* from, std::size_t count, off_t offset,
                    int& systemError) {
    std::size_t done = 0;
    systemError = 0;
    while (done < count) {
        ssize_t put =
            pwrite(descriptor, from + done, count - done, offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) {
            systemError = errno;
            break;
        }
        if (put == 0) break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

// A write beyond the file-size limit (ulimit -f) raises SIGXFSZ, which ends the program by
// default with part of the record written. Ignored, the write fails with EFBIG instead, and
// the record is put back like after any other failed write.
void IgnoreFileSizeSignal() {
    static const bool ignored = [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

int FlushData(int descriptor) {
    int result;
    do {
        result = fdatasync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Race n's bytes, completed with zeros past the end of the file; a single pread when the
// record is whole, the usual case.
std::optional<RaceFileError> ReadRecordBytes(int descriptor, int race, RaceRecord::Bytes& into) {
    if (descriptor < 0) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (auto error = CheckRace(race)) return error;
    off_t offset = OffsetOf(race);
    ssize_t got = ReadAt(descriptor, into.data(), RaceRecordSize, offset);
    if (got < 0) return ErrorOf(RaceFileFailure::ReadFailed, errno);
    if (static_cast<std::size_t>(got) == RaceRecordSize) return std::nullopt;
    std::fill(into.begin() + got, into.end(), std::uint8_t{0});
    // The end of the file, or a file that another program changed meanwhile: only the first
    // is a partial record to complete with zeros.
    off_t length = 0;
    if (auto error = CurrentLength(descriptor, length)) return error;
    if (length > offset + got) return ErrorOf(RaceFileFailure::ShortRead);
    return std::nullopt;
}

} // namespace

std::optional<std::int32_t> RaceCountOfLength(std::uint64_t length) {
    return RoundHalfEvenInt32(static_cast<double>(length) / RaceRecordSize);
}

RaceFile::~RaceFile() {
    if (descriptor_ >= 0) close(descriptor_);
}

RaceFile::RaceFile(RaceFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), access_(other.access_),
      path_(std::move(other.path_)) {}

RaceFile& RaceFile::operator=(RaceFile&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        access_ = other.access_;
        path_ = std::move(other.path_);
    }
    return *this;
}

RaceFileStatus RaceFile::Open(const std::string& path, RaceFileAccess access) {
    // The previous file goes even when the new one fails to open, so that no later read or
    // write lands in a file the user has left.
    (void)Close();
    // A named pipe, a socket or a device would block the open or answer like no race file:
    // only a regular file (or a path where one is to be created) is opened at all.
    struct stat named {};
    if (stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
        return ErrorOf(NotRegularFailureOf(named.st_mode));
    // Non-blocking in case the path was replaced by a pipe meanwhile; cleared once checked.
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (access == RaceFileAccess::ReadOnly) {
        flags |= O_RDONLY;
    } else {
        flags |= O_RDWR;
        if (access == RaceFileAccess::ReadWriteCreate) flags |= O_CREAT;
    }
    int descriptor;
    do {
        descriptor = open(path.c_str(), flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        int error = errno;
        return ErrorOf(OpenFailureOf(error), error);
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        int error = errno;
        close(descriptor);
        return ErrorOf(RaceFileFailure::CannotOpen, error);
    }
    if (!S_ISREG(status.st_mode)) {
        close(descriptor);
        return ErrorOf(NotRegularFailureOf(status.st_mode));
    }
    int statusFlags = fcntl(descriptor, F_GETFL);
    if (statusFlags == -1 || fcntl(descriptor, F_SETFL, statusFlags & ~O_NONBLOCK) == -1) {
        int error = errno;
        close(descriptor);
        return ErrorOf(RaceFileFailure::CannotOpen, error);
    }
    descriptor_ = descriptor;
    access_ = access;
    path_ = path;
    return RaceFileSuccess();
}

RaceFileStatus RaceFile::Close() {
    if (descriptor_ < 0) return RaceFileSuccess();
    int result = close(std::exchange(descriptor_, -1));
    int error = errno;
    path_.clear();
    // After EINTR the descriptor is gone on this system; every write was already flushed.
    if (result != 0 && error != EINTR) return ErrorOf(RaceFileFailure::WriteFailed, error);
    return RaceFileSuccess();
}

RaceFileResult<std::int32_t> RaceFile::RaceCount() const {
    auto length = Length();
    if (!length) return length.Error();
    auto count = RaceCountOfLength(length.Value());
    if (!count) return ErrorOf(RaceFileFailure::FileTooLarge);
    return *count;
}

RaceFileResult<std::uint64_t> RaceFile::Length() const {
    if (!IsOpen()) return ErrorOf(RaceFileFailure::NoFileOpen);
    off_t length = 0;
    if (auto error = CurrentLength(descriptor_, length)) return *error;
    return static_cast<std::uint64_t>(length);
}

RaceFileResult<RaceRecord> RaceFile::Read(int race) const {
    // A single return object, so the record is read in place rather than copied out.
    RaceFileResult<RaceRecord> result{std::in_place, UnfilledRaceRecord{}};
    if (auto error = ReadRecordBytes(descriptor_, race, result.Value().Raw())) result = *error;
    return result;
}

RaceFileStatus RaceFile::Flush() {
    if (!IsOpen()) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (int flushError = FlushData(descriptor_))
        return ErrorOf(WriteFailureOf(flushError), flushError);
    return RaceFileSuccess();
}

RaceFileStatus RaceFile::Write(int race, const RaceRecord& record, WriteSync sync) {
    if (!IsOpen()) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (auto error = CheckRace(race)) return *error;
    if (access_ == RaceFileAccess::ReadOnly) return ErrorOf(RaceFileFailure::ReadOnly);
    off_t length = 0;
    if (auto error = CurrentLength(descriptor_, length, true)) return *error;

    // Keep what the record's place holds now, to put it back if the write goes in only partly.
    off_t offset = OffsetOf(race);
    auto kept = static_cast<std::size_t>(
        std::clamp<off_t>(length - offset, 0, static_cast<off_t>(RaceRecordSize)));
    RaceRecord::Bytes previous{};
    if (kept > 0) {
        ssize_t got = ReadAt(descriptor_, previous.data(), kept, offset);
        if (got < 0) return ErrorOf(RaceFileFailure::ReadFailed, errno);
        if (static_cast<std::size_t>(got) < kept) return ErrorOf(RaceFileFailure::ShortRead);
    }

    IgnoreFileSizeSignal();
    int writeError = 0;
    std::size_t written =
        WriteAt(descriptor_, record.Raw().data(), RaceRecordSize, offset, writeError);
    if (written == RaceRecordSize) {
        if (sync == WriteSync::Later) return RaceFileSuccess();
        if (int flushError = FlushData(descriptor_))
            return ErrorOf(WriteFailureOf(flushError), flushError);
        return RaceFileSuccess();
    }

    RaceFileFailure failure =
        writeError != 0 ? WriteFailureOf(writeError) : RaceFileFailure::ShortWrite;
    if (written == 0) return ErrorOf(failure, writeError);

    // Part of the record went in: put the old bytes and the old length back.
    bool restored = true;
    std::size_t overwritten = std::min(written, kept);
    int ignored = 0;
    if (overwritten > 0)
        restored =
            WriteAt(descriptor_, previous.data(), overwritten, offset, ignored) == overwritten;
    if (offset + static_cast<off_t>(written) > length)
        restored = ftruncate(descriptor_, length) == 0 && restored;
    restored = FlushData(descriptor_) == 0 && restored;
    return ErrorOf(restored ? failure : RaceFileFailure::TornRecord, writeError);
}

} // namespace sg
