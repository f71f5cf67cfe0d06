// The files the program keeps beside race files and in the user's folders (index, cache,
// journal, exports), written so that a kill or a full disk in the middle never leaves half a
// file behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sg {

// Why a file could not be written: the system's error number and a French sentence.
struct FileWriteError {
    int systemError = 0;
    std::string Message() const;
};

// Writes the content to a temporary file in the same folder, flushes it to the disk, then
// gives it the path's name in one step: the path holds the old file or the new one, whole.
// The folder must exist. `ownerOnly` creates the file with rights for its owner alone.
std::optional<FileWriteError> WriteWholeFile(const std::string& path, std::string_view content,
                                             bool ownerOnly = false);

// Appends whole lines in one write at the end of the file, created when missing, with the
// header line first when the file is new or empty. Other programs appending at the same time
// never interleave with it. A kill during a write can leave at most the last line cut short:
// the next append ends that line first, so that readers skip it alone.
std::optional<FileWriteError> AppendLines(const std::string& path, std::string_view lines,
                                          std::string_view header = {}, bool ownerOnly = false);

// The whole content of a file; empty when it cannot be read (`missing` says whether it was
// simply not there).
std::optional<std::string> ReadWholeFile(const std::string& path, bool* missing = nullptr);

} // namespace sg
