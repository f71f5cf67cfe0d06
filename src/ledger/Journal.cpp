#include "ledger/Journal.h"

#include "numbers/Numbers.h"
#include "racefile/CsvFields.h"
#include "racefile/Platform.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceIndex.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <set>

namespace sg {

namespace {

constexpr std::size_t FieldCount = 9;
constexpr const char* PlayName = "Jeu";
constexpr const char* ResetName = "Remise à zéro";

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "-35,00" as cents: a whole number, a comma and two digits.
std::optional<std::int64_t> AmountCents(std::string_view text) {
    std::size_t comma = text.size() >= 3 ? text.size() - 3 : std::string_view::npos;
    if (comma == std::string_view::npos || text[comma] != ',') return std::nullopt;
    std::string_view fraction = text.substr(comma + 1);
    if (fraction.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    bool negative = text[0] == '-';
    auto euros = WholeNumber(text.substr(negative ? 1 : 0, comma - (negative ? 1 : 0)));
    if (!euros || *euros < 0 || *euros > 90'000'000'000'000'000) return std::nullopt;
    std::int64_t cents = *euros * 100 + std::int64_t{fraction[0] - '0'} * 10 + (fraction[1] - '0');
    return negative ? -cents : cents;
}

bool IsTime(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    auto h = WholeNumber(text.substr(0, 2)), m = WholeNumber(text.substr(3, 2)),
         s = WholeNumber(text.substr(6, 2));
    return h && m && s && *h >= 0 && *h < 24 && *m >= 0 && *m < 60 && *s >= 0 && *s < 61;
}

// Whole euros as the ledger counts them, in cents; a sum beyond cents stays at the limit (the
// ledger's totals are 64-bit euros, far beyond any balance).
std::int64_t CentsOf(std::int64_t euros) {
    constexpr std::int64_t Limit = INT64_MAX / 100;
    return std::clamp(euros, -Limit, Limit) * 100;
}

// Sums of a long (or edited) journal stay within 64 bits: beyond, they stop at the limit.
std::int64_t Clamped(__int128 value) {
    return static_cast<std::int64_t>(std::clamp<__int128>(value, INT64_MIN, INT64_MAX));
}
std::int64_t Add(std::int64_t a, std::int64_t b) {
    return Clamped(static_cast<__int128>(a) + b);
}
std::int64_t Subtract(std::int64_t a, std::int64_t b) {
    return Clamped(static_cast<__int128>(a) - b);
}

std::string WithComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string HorsesText(const BetOnScreen& bet, const std::array<float, 10>& odds) {
    std::string text;
    for (int row = 1; row <= bet.playedHorses && row <= 9; ++row) {
        auto i = static_cast<std::size_t>(row);
        // A row that shows no stake ("aucun", "???") is no horse played.
        if (bet.stakes[i].find_first_of("0123456789") == std::string::npos) continue;
        std::string number = Trim(bet.numbers[i]);
        if (!text.empty()) text += " | ";
        text += "n° " + (number.empty() ? std::string("?") : number) + " cote " +
                WithComma(ShortestText(odds[i])) + " mise " + WithComma(Trim(bet.stakes[i]));
    }
    return text;
}

} // namespace

std::string JournalFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/simple-gagnant";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/simple-gagnant";
    return "";
}

std::string UserJournalFolder() {
    if (auto appData = os::ApplicationDataFolder())
        return appData->empty() ? "" : os::JoinPath(*appData, "simple-gagnant");
    return JournalFolder(os::Environment("XDG_DATA_HOME").value_or("").c_str(),
                         os::Environment("HOME").value_or("").c_str());
}

std::string JournalPathIn(const std::string& folder) {
    return os::JoinPath(folder, JournalFileName);
}

DateAndTime LocalDateAndTime() {
    std::tm local = os::LocalTime(std::time(nullptr));
    char date[16] = "", time[16] = "";
    std::strftime(date, sizeof date, "%d/%m/%Y", &local);
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {date, time};
}

std::string JournalAmount(std::int64_t cents) {
    bool negative = cents < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(cents) : cents;
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) fraction.insert(0, 1, '0');
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "," + fraction;
}

JournalEntry PlayEntry(const BetOnScreen& bet, const std::array<float, 10>& odds,
                       const std::string& raceFile, std::int32_t race, std::int64_t won,
                       const LedgerState& ledger, const DateAndTime& when) {
    JournalEntry entry;
    entry.when = when;
    entry.raceFile = raceFile;
    entry.race = raceFile.empty() ? 0 : race;
    entry.horses = HorsesText(bet, odds);
    entry.stakedCents = CentsOf(bet.stakeTotalWhole);
    entry.wonCents = CentsOf(won);
    entry.balanceCents = CentsOf(ledger.TotalGains) - CentsOf(ledger.TotalStakes);
    return entry;
}

JournalEntry ResetEntry(const DateAndTime& when) {
    JournalEntry entry;
    entry.kind = JournalEntry::Kind::Reset;
    entry.when = when;
    return entry;
}

std::string JournalLine(const JournalEntry& entry) {
    bool play = entry.kind == JournalEntry::Kind::Play;
    return CsvLine({entry.when.date, entry.when.time, play ? PlayName : ResetName, entry.raceFile,
                    entry.race > 0 ? std::to_string(entry.race) : "", entry.horses,
                    play ? JournalAmount(entry.stakedCents) : "",
                    play ? JournalAmount(entry.wonCents) : "", JournalAmount(entry.balanceCents)});
}

std::optional<JournalEntry> ParseJournalLine(std::string_view line) {
    auto fields = SplitCsvLine(line);
    if (!fields || fields->size() != FieldCount) return std::nullopt;
    const auto& f = *fields;
    JournalEntry entry;
    if (f[2] == ResetName) {
        entry.kind = JournalEntry::Kind::Reset;
    } else if (f[2] != PlayName) {
        return std::nullopt;
    }
    bool play = entry.kind == JournalEntry::Kind::Play;
    if (!DateKey(f[0]) || !IsTime(f[1])) return std::nullopt;
    entry.when = {f[0], f[1]};
    entry.raceFile = f[3];
    if (!f[4].empty()) {
        auto race = WholeNumber(f[4]);
        if (!race || *race < FirstRace || *race > LastRace) return std::nullopt;
        entry.race = static_cast<std::int32_t>(*race);
    }
    entry.horses = f[5];
    auto balance = AmountCents(f[8]);
    if (!balance) return std::nullopt;
    entry.balanceCents = *balance;
    if (play) {
        auto staked = AmountCents(f[6]), won = AmountCents(f[7]);
        if (!staked || !won) return std::nullopt;
        entry.stakedCents = *staked;
        entry.wonCents = *won;
    } else if (!f[6].empty() || !f[7].empty()) {
        return std::nullopt;
    }
    return entry;
}

std::optional<FileWriteError> AppendToJournal(const std::string& folder,
                                              const JournalEntry& entry) {
    if (int error = os::MakeFolders(folder, true)) return FileWriteError{error};
    return AppendLines(JournalPathIn(folder), os::SpreadsheetText(JournalLine(entry) + "\n"),
                       os::SpreadsheetText(std::string(JournalHeader) + "\n"), true);
}

Journal ParseJournal(std::string_view content) {
    Journal journal;
    ForEachLine(content, [&journal](std::string_view line, int number, bool complete) {
        // Two programs starting the journal at once may both write the header.
        if (line.empty() || line == JournalHeader) return;
        auto entry = complete ? ParseJournalLine(line) : std::nullopt;
        if (!entry) {
            journal.notes.push_back("Ligne " + std::to_string(number) +
                                    " du journal ignorée : elle est incomplète ou abîmée.");
            return;
        }
        journal.entries.push_back(std::move(*entry));
    });
    return journal;
}

Journal ReadJournal(const std::string& folder) {
    bool missing = false;
    auto content = ReadWholeFile(JournalPathIn(folder), &missing);
    if (!content) {
        Journal none;
        if (!missing) none.notes.push_back("Le journal des paris ne peut pas être lu.");
        return none;
    }
    return ParseJournal(*content);
}

std::vector<JournalEntry> FilterJournal(const std::vector<JournalEntry>& entries,
                                        const JournalFilter& filter) {
    std::vector<JournalEntry> shown;
    for (const JournalEntry& entry : entries) {
        if (!filter.raceFile.empty() && entry.raceFile != filter.raceFile) continue;
        int day = DateKey(entry.when.date).value_or(0);
        if ((filter.from && day < *filter.from) || (filter.to && day > *filter.to)) continue;
        shown.push_back(entry);
    }
    return shown;
}

std::vector<std::string> JournalRaceFiles(const std::vector<JournalEntry>& entries) {
    std::set<std::string> files;
    for (const JournalEntry& entry : entries) {
        if (!entry.raceFile.empty()) files.insert(entry.raceFile);
    }
    return {files.begin(), files.end()};
}

JournalTotals TotalJournal(const std::vector<JournalEntry>& entries) {
    JournalTotals totals;
    for (const JournalEntry& entry : entries) {
        if (entry.kind != JournalEntry::Kind::Play) continue;
        ++totals.plays;
        totals.stakedCents = Add(totals.stakedCents, entry.stakedCents);
        totals.wonCents = Add(totals.wonCents, entry.wonCents);
    }
    return totals;
}

std::int64_t JournalTotals::BalanceCents() const {
    return Subtract(wonCents, stakedCents);
}

std::vector<std::int64_t> JournalBalanceCurve(const std::vector<JournalEntry>& entries) {
    std::vector<std::int64_t> curve;
    std::int64_t balance = 0;
    for (const JournalEntry& entry : entries) {
        if (entry.kind != JournalEntry::Kind::Play) continue;
        balance = Add(balance, Subtract(entry.wonCents, entry.stakedCents));
        curve.push_back(balance);
    }
    return curve;
}

std::string JournalText(const std::vector<JournalEntry>& entries) {
    std::string text = std::string(JournalHeader) + "\n";
    for (const JournalEntry& entry : entries) text += JournalLine(entry) + "\n";
    return text;
}

} // namespace sg
