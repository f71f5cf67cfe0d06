// A main window on the offscreen platform with a prompter that records what it says.
#pragma once

#include "app/SharedState.h"
#include "screens/FolderList.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
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

    // A race file opened as a user opens it: "Utiliser le fichier..." and the file dialog.
    void OpenThroughTheDialog(const std::string& folder, const std::string& name) {
        screens.options().cmdOuvrir->click();
        frmOuvrir* dialog = screens.pendingFileDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->dirDirectory->setPath(QString::fromStdString(folder));
        dialog->txtFileName->setText(QString::fromStdString(name));
        dialog->cmdOK->click();
        ASSERT_EQ(state.race.RaceFilePath(), folder + "/" + name);
    }

    std::vector<std::string> lines;
    SharedState state;
    RecordingPrompter prompter;
    Screens screens;
    frmJeuGagnant& main;
};

} // namespace sg
