// Moving from race to race with the navigation picture: its zones, and the race each move
// leads to.
#pragma once

#include <optional>
#include <string>

namespace sg {

// The picture's zones, decided from the pointer in twips from its top-left corner: the left
// arrow, "Numéro" (upper half), "Dernière" (lower half), the right arrow. The pixel between
// the arrows and the words belongs to none. The keyboard also reaches the first race, which has
// no zone of its own.
enum class NavigationZone { None, Previous, Number, Last, Next, First };
NavigationZone ZoneAt(int xTwips, int yTwips);

// Race 1 stays race 1.
int PreviousRaceOf(int current);

// One past the last race at most: the new, empty race that a save appends.
int NextRaceOf(int current, int raceCount);

// The last race of a file of raceCount races; race 1 for a file without any, and the last race
// that can be numbered (32767) for a larger file.
int LastRaceOf(int raceCount);

// What an answer to "Quel numéro de course?" asks for.
struct RaceNumberAnswer {
    enum class Kind {
        ReloadOnly,  // empty, cancelled, below 1 or not a number: the race is read again
        KeepCurrent, // beyond the race numbers: the current race, loaded in full
        Go,          // the race `race`
    } kind;
    int race = 0;
};
RaceNumberAnswer AnswerToRaceNumber(const std::optional<std::string>& answer);

} // namespace sg
