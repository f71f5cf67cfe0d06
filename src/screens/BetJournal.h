// The journal of bets kept while the user plays: a line for every play booked and every reset
// of the balance. The play itself never waits on it: a journal that cannot be written is said
// once per run, in the options and journal windows, without a message box.
#pragma once

#include <cstdint>

namespace sg {

class Screens;
struct BetOnScreen;

void JournalPlay(Screens& screens, const BetOnScreen& bet, std::int64_t won);
void JournalReset(Screens& screens);

} // namespace sg
