// What the commands of sg-race share in reading their arguments and writing their CSV files:
// the options after the file name, whole numbers, quoting what the user gave, a CSV path that
// must not be a race file.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace sg {

class RaceFileReader;

using Failure = std::optional<std::string>;

// What the user gave, quoted; a control character in it is written visibly, so the message
// stays one line.
std::string Quoted(const std::string& text);

// A whole number filling the whole text, within low..high.
std::optional<int> WholeIn(const std::string& text, int low, int high);

// "Valeur invalide pour --option : « value » (expected)."
std::string BadValue(const std::string& option, const std::string& value, const char* expected);

// The arguments from `from` on: options followed by a value, and flags standing alone. Each is
// passed to `read` (with an empty value for a flag) in order; the first failure is returned.
Failure ReadOptions(const std::vector<std::string>& arguments, std::size_t from,
                    std::span<const char* const> valueOptions, std::span<const char* const> flags,
                    const char* usage,
                    const std::function<Failure(const std::string&, const std::string&)>& read);

// The options of the commands over a range of races, and the CSV they may write:
// --de N, --a M, --csv FICHIER, --separateur , ou .
struct RangeOptions {
    std::optional<int> first, last;
    std::optional<std::string> csv;
    char separator = ',';
};
// Reads one of them into `options`; false when `option` is none of them. A value that cannot
// be read leaves its failure in `failure`.
bool ReadRangeOption(RangeOptions& options, const std::string& option, const std::string& value,
                     Failure& failure);
// The range read, or why it is empty.
Failure CheckRange(const RangeOptions& options);

// Opens the race file for a pass, once the CSV path is known not to be a race file.
Failure OpenForPass(RaceFileReader& file, const std::string& path, const RangeOptions& options);

// The CSV must not land on the race file itself, nor on any race file.
Failure CheckCsvPath(const std::string& csv, const std::string& raceFile);

// Writes the file through `write`; a failure says which file could not be written.
Failure WriteCsvFile(const std::string& path, const std::function<void(std::ostream&)>& write);

} // namespace sg
