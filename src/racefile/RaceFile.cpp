#include "racefile/RaceFile.h"

#include "numbers/Numbers.h"
#include "racefile/Platform.h"

#include <algorithm>
#include <cerrno>
#include <optional>
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
    case ENODEV:
        return RaceFileFailure::NotRegularFile;
    default:
        return RaceFileFailure::CannotOpen;
    }
}

RaceFileFailure WriteFailureOf(int systemError) {
    if (os::IsMediumFull(systemError)) return RaceFileFailure::MediumFull;
    switch (systemError) {
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

std::optional<RaceFileError> CheckRace(int race) {
    if (race < FirstRace || race > LastRace) return ErrorOf(RaceFileFailure::RaceOutOfRange);
    return std::nullopt;
}

std::uint64_t OffsetOf(int race) {
    return static_cast<std::uint64_t>(race - 1) * RaceRecordSize;
}

// The open file's length. Writing refuses a file that has been deleted meanwhile, since
// whatever is written to it vanishes when it is closed.
std::optional<RaceFileError> CurrentLength(os::FileHandle file, std::uint64_t& length,
                                           bool refuseRemoved = false) {
    os::FileState state;
    if (int error = os::StateOf(file, state)) return ErrorOf(RaceFileFailure::ReadFailed, error);
    if (refuseRemoved && state.removed) return ErrorOf(RaceFileFailure::FileRemoved);
    length = state.length;
    return std::nullopt;
}

// Race n's bytes, completed with zeros past the end of the file; a single positioned read when
// the record is whole, the usual case.
std::optional<RaceFileError> ReadRecordBytes(os::FileHandle file, int race,
                                             RaceRecord::Bytes& into) {
    if (file == os::NoFile) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (auto error = CheckRace(race)) return error;
    std::uint64_t offset = OffsetOf(race);
    int readError = 0;
    std::int64_t got = os::ReadAt(file, into.data(), RaceRecordSize, offset, readError);
    if (got < 0) return ErrorOf(RaceFileFailure::ReadFailed, readError);
    if (static_cast<std::size_t>(got) == RaceRecordSize) return std::nullopt;
    std::fill(into.begin() + got, into.end(), std::uint8_t{0});
    // The end of the file, or a file that another program changed meanwhile: only the first
    // is a partial record to complete with zeros.
    std::uint64_t length = 0;
    if (auto error = CurrentLength(file, length)) return error;
    if (length > offset + static_cast<std::uint64_t>(got))
        return ErrorOf(RaceFileFailure::ShortRead);
    return std::nullopt;
}

} // namespace

std::optional<std::int32_t> RaceCountOfLength(std::uint64_t length) {
    return RoundHalfEvenInt32(static_cast<double>(length) / RaceRecordSize);
}

RaceFile::~RaceFile() {
    if (handle_ != os::NoFile) (void)os::CloseFile(handle_);
}

RaceFile::RaceFile(RaceFile&& other) noexcept
    : handle_(std::exchange(other.handle_, os::NoFile)), access_(other.access_),
      path_(std::move(other.path_)) {}

RaceFile& RaceFile::operator=(RaceFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != os::NoFile) (void)os::CloseFile(handle_);
        handle_ = std::exchange(other.handle_, os::NoFile);
        access_ = other.access_;
        path_ = std::move(other.path_);
    }
    return *this;
}

RaceFileStatus RaceFile::Open(const std::string& path, RaceFileAccess access) {
    // The previous file goes even when the new one fails to open, so that no later read or
    // write lands in a file the user has left.
    (void)Close();
    os::OpenMode mode = access == RaceFileAccess::ReadOnly    ? os::OpenMode::Read
                        : access == RaceFileAccess::ReadWrite ? os::OpenMode::ReadWrite
                                                              : os::OpenMode::ReadWriteCreate;
    os::OpenedFile opened = os::OpenFile(path, mode);
    if (opened.handle == os::NoFile) return ErrorOf(OpenFailureOf(opened.error), opened.error);
    handle_ = opened.handle;
    access_ = access;
    path_ = path;
    return RaceFileSuccess();
}

RaceFileStatus RaceFile::Close() {
    if (handle_ == os::NoFile) return RaceFileSuccess();
    int error = os::CloseFile(std::exchange(handle_, os::NoFile));
    path_.clear();
    if (error != 0) return ErrorOf(RaceFileFailure::WriteFailed, error);
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
    std::uint64_t length = 0;
    if (auto error = CurrentLength(handle_, length)) return *error;
    return length;
}

RaceFileResult<RaceRecord> RaceFile::Read(int race) const {
    // A single return object, so the record is read in place rather than copied out.
    RaceFileResult<RaceRecord> result{std::in_place, UnfilledRaceRecord{}};
    if (auto error = ReadRecordBytes(handle_, race, result.Value().Raw())) result = *error;
    return result;
}

RaceFileStatus RaceFile::Flush() {
    if (!IsOpen()) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (int flushError = os::Flush(handle_, false))
        return ErrorOf(WriteFailureOf(flushError), flushError);
    return RaceFileSuccess();
}

RaceFileStatus RaceFile::Write(int race, const RaceRecord& record, WriteSync sync) {
    if (!IsOpen()) return ErrorOf(RaceFileFailure::NoFileOpen);
    if (auto error = CheckRace(race)) return *error;
    if (access_ == RaceFileAccess::ReadOnly) return ErrorOf(RaceFileFailure::ReadOnly);
    std::uint64_t length = 0;
    if (auto error = CurrentLength(handle_, length, true)) return *error;

    // Keep what the record's place holds now, to put it back if the write goes in only partly.
    std::uint64_t offset = OffsetOf(race);
    auto kept = static_cast<std::size_t>(
        std::min<std::uint64_t>(length > offset ? length - offset : 0, RaceRecordSize));
    RaceRecord::Bytes previous{};
    if (kept > 0) {
        int readError = 0;
        std::int64_t got = os::ReadAt(handle_, previous.data(), kept, offset, readError);
        if (got < 0) return ErrorOf(RaceFileFailure::ReadFailed, readError);
        if (static_cast<std::size_t>(got) < kept) return ErrorOf(RaceFileFailure::ShortRead);
    }

    os::IgnoreFileSizeSignal();
    int writeError = 0;
    std::size_t written =
        os::WriteAt(handle_, record.Raw().data(), RaceRecordSize, offset, writeError);
    if (written == RaceRecordSize) {
        if (sync == WriteSync::Later) return RaceFileSuccess();
        if (int flushError = os::Flush(handle_, false))
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
            os::WriteAt(handle_, previous.data(), overwritten, offset, ignored) == overwritten;
    if (offset + written > length) restored = os::Truncate(handle_, length) == 0 && restored;
    restored = os::Flush(handle_, false) == 0 && restored;
    return ErrorOf(restored ? failure : RaceFileFailure::TornRecord, writeError);
}

} // namespace sg
