// A main window on the offscreen platform with a prompter that records what it says, and the
// ways a test opens a file and waits for a window's work.
#pragma once

#include "app/SharedState.h"
#include "screens/FolderList.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"

#include "WorkFolder.h"

#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
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

    // A copy of the demonstration file, so that nothing changes the built one, opened.
    void OpenDemoIn(const WorkFolder& folder) {
        fs::copy_file(BuiltTool("demo.tur"), folder.path / "demo.tur");
        OpenThroughTheDialog(folder.path.string(), "demo.tur");
    }

    // Runs `act` and waits, 20 seconds at most, for the emitter's `finished` if not yet given.
    template <typename Emitter>
    static void AndWait(Emitter* emitter, const std::function<void()>& act) {
        QEventLoop loop;
        bool ended = false;
        QObject::connect(emitter, &Emitter::finished, &loop, [&] {
            ended = true;
            loop.quit();
        });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        act();
        if (!ended) loop.exec();
    }

    std::vector<std::string> lines;
    SharedState state;
    RecordingPrompter prompter;
    Screens screens;
    frmJeuGagnant& main;
};

} // namespace sg
