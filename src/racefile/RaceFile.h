// The race file: a plain sequence of 17000-byte records, race n at (n - 1) x 17000, with no
// header. The sibling programs share these files, so the file is only ever touched one whole
// record at a time and never truncated; reading never changes it.
#pragma once

#include "racefile/Platform.h"
#include "racefile/RaceFileResult.h"
#include "racefile/RaceRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sg {

inline constexpr int FirstRace = 1;
inline constexpr int LastRace = 32767; // race numbers are 16-bit

// The number of races in a file of that many bytes: the length in records, halves to even (a
// file of 3.5 records counts 4); empty beyond a 32-bit count.
std::optional<std::int32_t> RaceCountOfLength(std::uint64_t length);

enum class RaceFileAccess {
    ReadOnly,        // for looking only: every write is refused
    ReadWrite,       // the file must exist
    ReadWriteCreate, // an empty file is created when none exists
};

class RaceFile {
  public:
    RaceFile() = default;
    ~RaceFile();
    RaceFile(const RaceFile&) = delete;
    RaceFile& operator=(const RaceFile&) = delete;
    RaceFile(RaceFile&& other) noexcept;
    RaceFile& operator=(RaceFile&& other) noexcept;

    // Closes the file that was open, then opens the path. Never truncates.
    RaceFileStatus Open(const std::string& path, RaceFileAccess access);
    RaceFileStatus Close();
    bool IsOpen() const { return handle_ != os::NoFile; }
    const std::string& Path() const { return path_; }
    // The open file, for reading parts of its races (os::NoFile when none).
    os::FileHandle Handle() const { return handle_; }

    // The file length in records, halves to even (a file of 3.5 records counts 4).
    RaceFileResult<std::int32_t> RaceCount() const;
    // The file length in bytes.
    RaceFileResult<std::uint64_t> Length() const;

    // The whole record of race n. At or past the end of the file: zero bytes; a partial last
    // record: its bytes, then zeros. On failure nothing is returned, so the caller's record
    // stays as it was. A file removed while open still reads as it was; writing refuses it.
    RaceFileResult<RaceRecord> Read(int race) const;

    // Writes all 17000 bytes at race n in one positioned write and waits until the system
    // holds them before reporting success. Writing past the end extends the file; records in
    // between read as zero bytes. When the write goes in only partly, the old bytes and length
    // are put back before the failure is reported.
    // With WriteSync::Later the wait is left to a Flush after a batch of records (an import
    // writes thousands: one wait each would take most of its time).
    enum class WriteSync { Now, Later };
    RaceFileStatus Write(int race, const RaceRecord& record, WriteSync sync = WriteSync::Now);
    // Waits until the system holds every record written so far.
    RaceFileStatus Flush();

  private:
    os::FileHandle handle_ = os::NoFile;
    RaceFileAccess access_ = RaceFileAccess::ReadOnly;
    std::string path_;
};

} // namespace sg
