#include "racefile/RaceIndex.h"

#include "racefile/CsvFields.h"
#include "racefile/RaceFile.h"
#include "racefile/WholeFile.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace sg {

namespace {

constexpr std::size_t FieldCount = 11;

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "1234,56" (or with a point) as cents; "" is no pool.
std::optional<std::optional<std::int64_t>> PoolCents(std::string_view text) {
    if (text.empty()) return std::optional<std::int64_t>{};
    std::size_t mark = text.find_first_of(",.");
    std::string_view euros = text.substr(0, mark);
    std::string_view cents = mark == std::string_view::npos ? "" : text.substr(mark + 1);
    auto whole = WholeNumber(euros);
    if (!whole || *whole < 0 || *whole > 1'000'000'000'000 || cents.size() > 2) return std::nullopt;
    std::int64_t fraction = 0;
    if (!cents.empty()) {
        auto read = WholeNumber(cents);
        if (!read || *read < 0) return std::nullopt;
        fraction = cents.size() == 1 ? *read * 10 : *read;
    }
    return std::optional<std::int64_t>(*whole * 100 + fraction);
}

std::string PoolText(std::int64_t cents) {
    std::string fraction = std::to_string(cents % 100);
    if (fraction.size() < 2) fraction.insert(0, 1, '0');
    return std::to_string(cents / 100) + "," + fraction;
}

bool IsTime(std::string_view text) {
    if (text.empty()) return true;
    if (text.size() != 5 || text[2] != ':') return false;
    auto hours = WholeNumber(text.substr(0, 2)), minutes = WholeNumber(text.substr(3, 2));
    return hours && minutes && *hours >= 0 && *hours < 24 && *minutes >= 0 && *minutes < 60;
}

} // namespace

std::string RaceIndexPathOf(const std::string& raceFilePath) {
    return raceFilePath + ".index.csv";
}

std::optional<int> DateKey(std::string_view date) {
    if (date.size() != 10 || date[2] != '/' || date[5] != '/') return std::nullopt;
    auto day = WholeNumber(date.substr(0, 2)), month = WholeNumber(date.substr(3, 2)),
         year = WholeNumber(date.substr(6, 4));
    if (!day || !month || !year || *year < 1900 || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    int inMonth = Days[*month - 1] + (*month == 2 && leap ? 1 : 0);
    if (*day > inMonth) return std::nullopt;
    return static_cast<int>(*year * 10000 + *month * 100 + *day);
}

std::string RaceIndexLine(const RaceIndexEntry& entry) {
    return CsvLine({std::to_string(entry.race), entry.date, std::to_string(entry.meeting),
                    std::to_string(entry.course), entry.hippodrome, entry.name, entry.discipline,
                    entry.start, entry.channel,
                    entry.winPoolCents ? PoolText(*entry.winPoolCents) : "", entry.fingerprint});
}

std::optional<RaceIndexEntry> ParseRaceIndexLine(std::string_view line) {
    auto fields = SplitCsvLine(line);
    if (!fields || fields->size() != FieldCount) return std::nullopt;
    const auto& f = *fields;
    auto race = WholeNumber(f[0]);
    auto meeting = WholeNumber(f[2]);
    auto course = WholeNumber(f[3]);
    auto pool = PoolCents(f[9]);
    if (!race || *race < FirstRace || *race > LastRace || !DateKey(f[1]) || !meeting ||
        *meeting < 1 || *meeting > 99 || !course || *course < 1 || *course > 99 || !pool ||
        !IsTime(f[7]))
        return std::nullopt;
    RaceIndexEntry entry;
    entry.race = static_cast<std::int32_t>(*race);
    entry.date = f[1];
    entry.meeting = static_cast<int>(*meeting);
    entry.course = static_cast<int>(*course);
    entry.hippodrome = f[4];
    entry.name = f[5];
    entry.discipline = f[6];
    entry.start = f[7];
    entry.channel = f[8];
    entry.winPoolCents = *pool;
    entry.fingerprint = f[10];
    return entry;
}

const RaceIndexEntry* RaceIndex::Find(std::int32_t race) const {
    auto at = std::lower_bound(entries.begin(), entries.end(), race,
                               [](const RaceIndexEntry& e, std::int32_t r) { return e.race < r; });
    return at != entries.end() && at->race == race ? &*at : nullptr;
}

RaceIndex ParseRaceIndex(std::string_view content) {
    RaceIndex index;
    std::map<std::int32_t, RaceIndexEntry> byRace;
    ForEachLine(content, [&](std::string_view line, int number, bool complete) {
        if (line.empty() || (number == 1 && line == RaceIndexHeader)) return;
        auto entry = complete ? ParseRaceIndexLine(line) : std::nullopt;
        if (!entry) {
            index.notes.push_back("Ligne " + std::to_string(number) +
                                  " de l'index ignorée : elle est incomplète ou abîmée.");
            return;
        }
        byRace[entry->race] = std::move(*entry);
    });
    index.entries.reserve(byRace.size());
    for (auto& [race, entry] : byRace) index.entries.push_back(std::move(entry));
    return index;
}

RaceIndex ReadRaceIndex(const std::string& raceFilePath) {
    bool missing = false;
    auto content = ReadWholeFile(RaceIndexPathOf(raceFilePath), &missing);
    if (!content) {
        RaceIndex none;
        if (!missing) none.notes.push_back("L'index des courses importées ne peut pas être lu.");
        return none;
    }
    return ParseRaceIndex(*content);
}

std::string RaceIndexText(const std::vector<RaceIndexEntry>& entries) {
    std::string text = std::string(RaceIndexHeader) + "\n";
    for (const RaceIndexEntry& entry : entries) text += RaceIndexLine(entry) + "\n";
    return text;
}

} // namespace sg
