// The race file the user works on: the open file, the current race and the record in memory
// that the windows show and edit. Every failure is reported, and a failed step changes nothing,
// so a later save can never write one race's record over another.
#pragma once

#include "racefile/RaceFile.h"
#include "racefile/RaceIndex.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sg {

class RaceSession {
  public:
    std::int16_t CurrentRace = 0;       // the race shown, 0 until a file is opened
    sg::RaceRecord RaceRecord;          // the current race as the windows show and edit it
    std::string ChosenFilePath;         // the path the file dialog assembled last
    std::string FileDialogStatus;       // "", then "ok" or "cancel"
    bool ChosenForReading = false;      // the dialog's choice is to be opened for reading only
    std::array<float, 23> StoredOdds{}; // by horse number 1..22, for the runner sort
    sg::RaceIndex Index; // the importer's index beside the open file, read when it opens

    // The open file's path, or the marker "Fi" while none is open.
    std::string RaceFilePath() const;

    // The one test every refusal uses: no file open, or the dialog never gave a path.
    bool NoRaceFileOpen() const;

    // Opens the path (an empty file is created when there is none), reads its index and makes
    // race 1 current. When the path cannot be opened or race 1 cannot be read, the file that
    // was open stays open and current. A file that is no race file, or that the user may read
    // but not write, is opened for reading only, and so is any file when `forReading` asks for
    // it.
    RaceFileStatus Open(const std::string& path, bool forReading = false);
    void Close();

    // Reads race n (1..32767) into the record and makes it current; on failure nothing
    // changes. A race past the end of the file is an empty race, not a failure.
    RaceFileStatus Load(int race);

    RaceFileResult<std::int32_t> RaceCount() const;

    // Why the open file is for reading only (its races can be shown, played and back-tested,
    // never saved); empty when it can be written.
    std::optional<RaceFileFailure> ReadOnlyReason() const { return readOnly_; }

    // Writes the record as the current race. The sibling programs share the file, so only the
    // bytes of the used fields that this program changed since the race was read go in; every
    // other byte is kept as it stands on disk now. Refused for a file open for reading only.
    RaceFileStatus Save();

  private:
    RaceFile file_;
    std::optional<RaceFileFailure> readOnly_;
    sg::RaceRecord loaded_; // the current race as read: what the changes are measured against
};

// ".tur" at the end of the path, in any case: the paths the file dialog checks before opening.
bool HasRaceFileExtension(const std::string& path);

// Can the path be opened as the session opens it (for reading and writing, created when missing,
// or for reading only when the user may not write it) and read? The file is closed again.
bool ProbeRaceFilePath(const std::string& path);

// A race written into a file that holds something else would spoil it: a file that is not
// empty yet shorter than one race, or whose first race's runner count (bytes 54 and 55) holds
// other than digits, blanks and zero bytes, is no race file. Success for a race file, an empty
// one included; a race file whose last race is cut short is one.
RaceFileStatus CheckRaceFileContent(const RaceFile& file);

// The path the file dialog makes of its folder and the name typed: a full path ("/...", or
// "C:\..." on Windows) is taken as it is, any other name goes into the folder.
std::string ChosenPathOf(const std::string& folder, const std::string& typedName);

} // namespace sg
