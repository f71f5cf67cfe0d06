// The journal of bets in the journal window: the rows of its table, its totals, the dates a
// user types to filter it, and what is said when the journal cannot be written.
#pragma once

#include "ledger/Journal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

inline constexpr const char* AllRaceFiles = "Tous les fichiers";

// The table's column titles, and one entry's cells with the user's decimal separator.
std::vector<std::string> JournalTableHeader();
std::vector<std::string> JournalRowTexts(const JournalEntry& entry, char decimalSeparator);

// "3 jeux : misé 105,00 ; gagné 68,00 ; bilan -37,00".
std::string JournalTotalsText(const JournalTotals& totals, char decimalSeparator);

// The filter of what the user chose: a race file (AllRaceFiles for all) and dates JJ/MM/AAAA
// (empty for no limit). A date not understood sets no limit and gives a note.
struct JournalFilterChoice {
    JournalFilter filter;
    std::vector<std::string> notes;
};
JournalFilterChoice JournalFilterFrom(const std::string& raceFile, std::string_view from,
                                      std::string_view to);

// Said once per run when a line could not be written: in full in the journal window, in short
// in the options window's status.
std::string JournalFailureText(const std::string& folder, const FileWriteError& error);
std::string JournalStatusText(const FileWriteError& error);

// An export of the journal window: refused over the journal or a race file, or failed.
inline constexpr const char* JournalExportRefused =
    "Ce nom est celui du journal ou d'un fichier de courses : choisissez un autre nom de fichier "
    "CSV.";
std::string JournalExportFailed(const std::string& path, const FileWriteError& error);

} // namespace sg
