#include "screens/BetJournal.h"

#include "app/JournalTexts.h"
#include "screens/Screens.h"
#include "screens/frmJournal.h"
#include "screens/frmOptions.h"

namespace sg {

namespace {

void Keep(Screens& screens, const JournalEntry& entry) {
    JournalState& journal = screens.state.journal;
    if (journal.folder.empty()) return;
    auto failed = AppendToJournal(journal.folder, entry);
    if (failed && journal.failure.empty()) {
        journal.failure = JournalFailureText(journal.folder, *failed);
        screens.options().ShowJournalStatus(JournalStatusText(*failed), journal.failure);
    }
    auto* window = static_cast<frmJournal*>(screens.window("frmJournal", false));
    if (window && window->isVisible()) window->cmdAfficher_Click();
}

} // namespace

void JournalPlay(Screens& screens, const BetOnScreen& bet, std::int64_t won) {
    const SharedState& state = screens.state;
    std::string file = state.race.NoRaceFileOpen() ? "" : state.race.RaceFilePath();
    Keep(screens, PlayEntry(bet, state.calc.OddsTable, file, state.race.CurrentRace, won,
                            state.ledger, LocalDateAndTime()));
}

void JournalReset(Screens& screens) {
    Keep(screens, ResetEntry(LocalDateAndTime()));
}

} // namespace sg
