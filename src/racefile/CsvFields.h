// The fields of the CSV files the program writes and reads back (the race index, exports, the
// journal of bets): ";" between fields, quotes where a field needs them (RFC 4180), one record
// a line, and nothing a spreadsheet would run as a formula.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// A text as one field: control characters become spaces (so a record stays on one line), a
// text that starts with "=", "+", "-" or "@" gets a leading apostrophe (no spreadsheet then
// takes it for a formula) unless it is a plain number such as "-40,00", and the field is quoted,
// its quotes doubled, when it holds ";", a quote or starts or ends with a space.
std::string CsvField(std::string_view text);

// The fields of one line as CsvField wrote them: quotes removed, doubled quotes undone, the
// apostrophe put before a formula character taken off again. Empty when the line is damaged
// (a quote left open, text after a closing quote).
std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line);

// One line of fields, each through CsvField, joined by ";" (no line end).
std::string CsvLine(const std::vector<std::string>& fields);

// Calls visit(line, number, complete) for each line of a text, numbered from 1, without its
// line end ("\n" or "\r\n"); `complete` is false for a last line that has none (cut short).
template <typename Visit> void ForEachLine(std::string_view content, Visit visit) {
    for (int number = 1; !content.empty(); ++number) {
        std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        bool complete = end != std::string_view::npos;
        content = complete ? content.substr(end + 1) : std::string_view();
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line, number, complete);
    }
}

} // namespace sg
