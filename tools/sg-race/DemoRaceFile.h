// A new race file filled with the demonstration races.
#pragma once

#include <optional>
#include <string>

namespace sg {

// Writes demonstration races 1 to count into a new file at path, in large sequential blocks
// and with one flush at the end, so that even 32767 races take seconds. A path that exists is
// refused, whatever it is: a user's race file is never replaced. A file left incomplete by a
// failure is removed. Returns why it failed, as the French end of a sentence about the file.
std::optional<std::string> WriteDemoRaceFile(const std::string& path, int count);

} // namespace sg
