#include "racefile/CsvFields.h"

namespace sg {

namespace {

constexpr char Separator = ';';
constexpr char Quote = '"';

// A plain number ("-40,00", "12.5"): a spreadsheet takes it for the number it is, which is what
// an amount column wants, and it cannot run anything.
bool IsPlainNumber(std::string_view text) {
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    bool digits = false, mark = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == ',' || c == '.') && digits && !mark) {
            mark = true;
            digits = false;
        } else {
            return false;
        }
    }
    return digits;
}

bool StartsFormula(std::string_view text) {
    return !text.empty() &&
           (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@') &&
           !IsPlainNumber(text);
}

} // namespace

std::string CsvField(std::string_view text) {
    std::string field;
    field.reserve(text.size() + 2);
    if (StartsFormula(text)) field += '\'';
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        field += (byte < 0x20 || byte == 0x7F) ? ' ' : c;
    }
    bool quoted = field.find_first_of(";\"") != std::string::npos ||
                  (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quoted) return field;
    std::string result(1, Quote);
    for (char c : field) {
        if (c == Quote) result += Quote;
        result += c;
    }
    return result + Quote;
}

std::optional<std::vector<std::string>> SplitCsvLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (true) {
        std::string field;
        if (at < line.size() && line[at] == Quote) {
            ++at;
            while (true) {
                if (at >= line.size()) return std::nullopt; // a quote left open
                if (line[at] == Quote) {
                    if (at + 1 < line.size() && line[at + 1] == Quote) {
                        field += Quote;
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += line[at++];
            }
            if (at < line.size() && line[at] != Separator) return std::nullopt;
        } else {
            std::size_t end = line.find(Separator, at);
            if (end == std::string_view::npos) end = line.size();
            field.assign(line.substr(at, end - at));
            if (field.find(Quote) != std::string::npos) return std::nullopt;
            at = end;
        }
        if (field.size() >= 2 && field[0] == '\'' &&
            StartsFormula(std::string_view(field).substr(1)))
            field.erase(0, 1);
        fields.push_back(std::move(field));
        if (at >= line.size()) break;
        ++at; // the separator
    }
    return fields;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += Separator;
        line += CsvField(fields[i]);
    }
    return line;
}

} // namespace sg
