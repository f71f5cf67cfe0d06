// The race file the user works on: the open file, the current race and the record in memory
// that the windows show and edit. Every failure is reported, and a failed step changes nothing,
// so a later save can never write one race's record over another.
#pragma once

#include "racefile/RaceFile.h"
#include "racefile/RaceIndex.h"

#include <array>
#include <cstdint>
#include <string>

namespace sg {

class RaceSession {
  public:
    std::int16_t CurrentRace = 0;       // the race shown, 0 until a file is opened
    sg::RaceRecord RaceRecord;          // the current race as the windows show and edit it
    std::string ChosenFilePath;         // the path the file dialog assembled last
    std::string FileDialogStatus;       // "", then "ok" or "cancel"
    std::array<float, 23> StoredOdds{}; // by horse number 1..22, for the runner sort
    sg::RaceIndex Index; // the importer's index beside the open file, read when it opens

    // The open file's path, or the marker "Fi" while none is open.
    std::string RaceFilePath() const;

    // The one test every refusal uses: no file open, or the dialog never gave a path.
    bool NoRaceFileOpen() const;

    // Opens the path (an empty file is created when there is none), reads its index and makes
    // race 1 current. When the path cannot be opened or race 1 cannot be read, the file that
    // was open stays open and current.
    RaceFileStatus Open(const std::string& path);
    void Close();

    // Reads race n (1..32767) into the record and makes it current; on failure nothing
    // changes. A race past the end of the file is an empty race, not a failure.
    RaceFileStatus Load(int race);

    RaceFileResult<std::int32_t> RaceCount() const;

    // Writes the record as the current race. The sibling programs share the file, so only the
    // bytes of the used fields that this program changed since the race was read go in; every
    // other byte is kept as it stands on disk now.
    RaceFileStatus Save();

  private:
    RaceFile file_;
    sg::RaceRecord loaded_; // the current race as read: what the changes are measured against
};

// ".tur" at the end of the path, in any case: the paths the file dialog checks before opening.
bool HasRaceFileExtension(const std::string& path);

// Can the path be opened for reading and writing (created when missing) and read? A file
// shorter than a race counts as readable. The file is closed again.
bool ProbeRaceFilePath(const std::string& path);

} // namespace sg
