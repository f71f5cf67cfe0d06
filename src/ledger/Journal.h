// The journal of bets: one CSV line appended for every play booked and every reset of the
// balance, in the user's data folder, never rewritten; read back, filtered, totalled and
// exported for the journal window.
#pragma once

#include "ledger/LedgerState.h"
#include "ledger/Play.h"
#include "racefile/WholeFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// Where the journal is kept for the run, and whether writing it failed.
struct JournalState {
    std::string folder;  // empty: no journal is kept (tests that do not ask for one)
    std::string failure; // the first failure of the run, as reported; empty while none
};

inline constexpr const char* JournalFileName = "journal-des-paris.csv";
inline constexpr const char* JournalHeader =
    "Date;Heure;Opération;Fichier;Course;Chevaux joués;Misé;Gagné;Bilan affiché";

// "$XDG_DATA_HOME/simple-gagnant", or "$HOME/.local/share/simple-gagnant" when that variable
// is unset, empty or not an absolute path; empty when neither gives a folder.
std::string JournalFolder(const char* xdgDataHome, const char* home);
// The user's journal folder: "%APPDATA%\simple-gagnant" on Windows, JournalFolder of the
// environment elsewhere.
std::string UserJournalFolder();
std::string JournalPathIn(const std::string& folder);

struct DateAndTime {
    std::string date; // JJ/MM/AAAA
    std::string time; // HH:MM:SS

    friend bool operator==(const DateAndTime&, const DateAndTime&) = default;
};
DateAndTime LocalDateAndTime(); // now, in the user's time zone

struct JournalEntry {
    enum class Kind { Play, Reset } kind = Kind::Play;
    DateAndTime when;
    std::string raceFile;  // empty when no race file is open
    std::int32_t race = 0; // 0 when no race file is open
    std::string horses;    // the horses played, their odds and stakes, in one text
    std::int64_t stakedCents = 0;
    std::int64_t wonCents = 0;
    std::int64_t balanceCents = 0; // the balance of the run shown after the line

    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// The line of a play booked: the bet on screen with its columns' odds, what it staked and won,
// and the balance of the ledger after it.
JournalEntry PlayEntry(const BetOnScreen& bet, const std::array<float, 10>& odds,
                       const std::string& raceFile, std::int32_t race, std::int64_t won,
                       const LedgerState& ledger, const DateAndTime& when);
// The line that marks "Mettre les comptes à zéro".
JournalEntry ResetEntry(const DateAndTime& when);

// One line of the journal (no line end); amounts with a decimal comma.
std::string JournalLine(const JournalEntry& entry);
// The entry of a line; empty when the line is damaged.
std::optional<JournalEntry> ParseJournalLine(std::string_view line);

// Appends the entry to the journal of the folder, creating the folders (for their owner only)
// and the file (for its owner only, with its header) on first use. A line cut short by a kill
// is ended first, so that it takes no sound line with it.
std::optional<FileWriteError> AppendToJournal(const std::string& folder, const JournalEntry& entry);

struct Journal {
    std::vector<JournalEntry> entries; // in the order written: oldest first
    std::vector<std::string> notes;    // one French line per damaged line skipped
};
Journal ParseJournal(std::string_view content);
// The journal of the folder; empty without notes when there is none yet, with a note when it
// cannot be read.
Journal ReadJournal(const std::string& folder);

// Which entries a view shows: a race file (empty: all; resets only then) and dates JJ/MM/AAAA
// as DateKey numbers, both ends included.
struct JournalFilter {
    std::string raceFile;
    std::optional<int> from, to;
};
std::vector<JournalEntry> FilterJournal(const std::vector<JournalEntry>& entries,
                                        const JournalFilter& filter);

// The race files the entries name, sorted, each once.
std::vector<std::string> JournalRaceFiles(const std::vector<JournalEntry>& entries);

struct JournalTotals {
    int plays = 0;
    std::int64_t stakedCents = 0, wonCents = 0;
    std::int64_t BalanceCents() const; // won minus staked
};
JournalTotals TotalJournal(const std::vector<JournalEntry>& entries);
// The balance after each play, plays taken in order: won minus staked, added up.
std::vector<std::int64_t> JournalBalanceCurve(const std::vector<JournalEntry>& entries);

// The whole text of an export: the header, then the entries' lines.
std::string JournalText(const std::vector<JournalEntry>& entries);

// An amount in cents with a decimal comma, as the journal writes it: "-35,00".
std::string JournalAmount(std::int64_t cents);

} // namespace sg
