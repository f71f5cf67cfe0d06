// A main window on the offscreen platform with a prompter that records what it says.
#pragma once

#include "app/SharedState.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sg {

class ScreenTest : public ::testing::Test {
  protected:
    ScreenTest()
        : prompter([this](const std::string& line) { lines.push_back(line); }),
          screens(state, prompter, prompter, QDir::currentPath()), main(screens.main()) {
        main.show();
    }

    std::vector<std::string> lines;
    SharedState state;
    RecordingPrompter prompter;
    Screens screens;
    frmJeuGagnant& main;
};

} // namespace sg
