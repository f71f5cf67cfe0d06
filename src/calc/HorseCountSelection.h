// Choosing on how many horses the bet is spread, with the search of the target profit that
// brings the computed profit close to the one the user wants.
#pragma once

#include "calc/CalculatorState.h"

#include <array>
#include <optional>
#include <string>

namespace sg {

// The count of horses of the horse-count button with this index, 0 for an index without one.
int HorseCountOfButton(int index);
// The index of the button for k horses (1..9).
int ButtonOfHorseCount(int k);

// What the selection needs from the main window.
class HorseCountScreen {
  public:
    virtual ~HorseCountScreen() = default;
    virtual void ShowPlayedColumns(int k) = 0; // columns 1..k active, the others greyed
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Compute() = 0; // the compute button's full computation
    virtual void Preview() = 0; // the silent stake preview
};

struct HorseCountChoice {
    int k = 1;                             // horses of the selected button
    std::array<std::string, 10> oddsTexts; // texts of the odds boxes 1..9
    std::string wantedProfit;              // the text of the wanted-profit box
};

// The message for the first played column without odds, if any (the horse-count buttons).
std::optional<std::string> MissingOddsForSelection(const HorseCountChoice& choice,
                                                   const std::string& exampleMarker);

// The repetitions after which a search phase gives up, so that a profit that cannot move
// (odds that fail to compute, a target beyond single precision) never hangs the window.
inline constexpr int MaxSearchSteps = 10000;

// One run of the horse-count handler: counting, columns, odds check, profit search,
// recomputation and, on every second run, the run once more.
void SelectHorseCount(CalculatorState& state, HorseCountScreen& screen,
                      const HorseCountChoice& choice);

} // namespace sg
