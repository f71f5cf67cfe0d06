// What a race-file operation reports: its value, or why it did not happen, with a French
// sentence the screens can show.
#pragma once

#include <string_view>
#include <utility>
#include <variant>

namespace sg {

enum class RaceFileFailure {
    NoFileOpen,
    NotFound,       // the file (or its folder) does not exist
    CannotOpen,     // exists but cannot be opened
    NoPermission,   // the user may not read or write it
    IsFolder,       // a folder, not a file
    NotRegularFile, // a named pipe, a socket or a device: never opened
    RaceOutOfRange, // race numbers are 1 to 32767
    ReadFailed,
    ShortRead,   // another program changed the file while the race was being read
    WriteFailed, // includes a write the system could not confirm on the medium
    ShortWrite,  // only part of the record went in; the file was put back as it was
    TornRecord,  // only part of the record went in and the file could not be put back
    MediumFull,
    ReadOnly,    // read-only medium, or a file opened for reading only
    FileRemoved, // deleted or replaced while open: what is written would be lost
    FileTooLarge,
    // Files opened for reading only, whose races are shown but never saved:
    ShorterThanARace, // not empty, yet shorter than one race: no race file
    NotARaceFile,     // the first race's runner count holds other than digits and blanks
    OpenedForReading, // the user asked for reading only (the demonstration file)
};

// One sentence per failure saying its cause, never what it meant for the action that failed:
// the message around it says that once ("La course 6 n'a pas été enregistrée. Le disque est
// plein.").
std::string_view FrenchMessage(RaceFileFailure failure);

struct RaceFileError {
    RaceFileFailure failure;
    int systemError = 0; // errno of the failing call, 0 when the check was our own

    std::string_view Message() const { return FrenchMessage(failure); }
};

template <typename T> class [[nodiscard]] RaceFileResult {
  public:
    RaceFileResult(T value) : content_(std::move(value)) {}
    // A value built in place (a record is 17000 bytes: not worth a copy per read).
    template <typename... Arguments>
    explicit RaceFileResult(std::in_place_t, Arguments&&... arguments)
        : content_(std::in_place_index<0>, std::forward<Arguments>(arguments)...) {}
    RaceFileResult(RaceFileError error) : content_(error) {}

    bool Ok() const { return content_.index() == 0; }
    explicit operator bool() const { return Ok(); }

    // Only when Ok().
    const T& Value() const { return std::get<0>(content_); }
    T& Value() { return std::get<0>(content_); }

    // Only when not Ok().
    const RaceFileError& Error() const { return std::get<1>(content_); }

  private:
    std::variant<T, RaceFileError> content_;
};

// For operations that give nothing back but success.
using RaceFileStatus = RaceFileResult<std::monostate>;

inline RaceFileStatus RaceFileSuccess() {
    return RaceFileStatus(std::monostate{});
}

} // namespace sg
