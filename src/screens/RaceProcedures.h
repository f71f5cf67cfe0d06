// The procedures that span windows: opening a race file, loading and showing a race, moving
// between races, showing the arrival and saving the results. They read and write the windows
// through small named methods of each window, and take every rule from the core.
#pragma once

#include "racefile/Navigation.h"

namespace sg {

class Screens;

class RaceProcedures {
  public:
    explicit RaceProcedures(Screens& screens) : screens_(screens) {}

    // "Utiliser le fichier...": the file dialog, then the chosen file with race 1 shown.
    void ChooseRaceFile();

    // The navigation picture pressed at x, y twips, or one of its keys.
    void Navigate(int xTwips, int yTwips);
    void Navigate(NavigationZone zone);

    // "Enregistrer" of the results window.
    void SaveResults();

    // "JOUER": the bet on screen played against the current race's result.
    void Play();

    // The arrival's colours on the rows, whatever the setting says (the legend, a play).
    void ShowArrivalColours();

    // Reads the current race again and fills its rows and number. False, with a message and
    // nothing changed, when it cannot be read.
    bool LoadCurrentRace();

    // Race n read and shown as a move to it shows it (the first race an import brought in).
    void ShowRace(int race);

  private:
    void FileDialogClosed();
    bool ReadRace(int race);
    void FullLoad();
    void ShowRaceRows();
    void RefreshRaceDisplay();
    void FillResultsWindow();
    void RefreshArrivalColours();

    Screens& screens_;
};

} // namespace sg
