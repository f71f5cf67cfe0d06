// The windows of one run of the program, created as they are first needed, with the shared
// values, the prompter and the shell they all use, and the procedures that span them.
#pragma once

#include "app/SharedState.h"
#include "screens/Prompter.h"
#include "screens/RaceProcedures.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace sg {

class frmAnalyse;
class frmBilan;
class frmCote;
class frmImporter;
class frmJeuGagnant;
class frmJournal;
class frmOptions;
class frmOuvrir;
class rappJS;

class Screens {
  public:
    // `programFolder` is where the file dialog starts, and where the demonstration file is
    // looked for.
    Screens(SharedState& state, Prompter& prompter, Shell& shell, QString programFolder);
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    frmJeuGagnant& main();
    frmOptions& options();   // created on first use, then only hidden and shown
    rappJS& results();       // the same
    frmCote& variation();    // the same
    frmBilan& backtest();    // the same
    frmAnalyse& analysis();  // the same
    frmJournal& journal();   // the same
    frmImporter& importer(); // the same
    RaceProcedures& race() { return race_; }

    // Another race file is open: the windows that show something of the former one forget it.
    void RaceFileOpened();

    // A new file dialog, shown. Only one is pending at a time: while it is, the request brings
    // it forward and gives nothing.
    frmOuvrir* openFileDialog();
    frmOuvrir* pendingFileDialog() const;

    // Where the file dialog starts: the program's folder, or the user's home folder when the
    // program's folder cannot be written (an installed program).
    QString fileDialogFolder() const;
    // The demonstration race file shipped with the program: beside it in the build folder, in
    // the package's data folder once installed; empty when there is none.
    QString demoFile() const;

    // Work is going on in the background (a back-test), whose end the windows will show.
    bool busy() const;

    // The names of every window of the program, the main one first.
    static const std::vector<std::string>& WindowNames();

    // A window by its name; a secondary window is created (not shown) when asked to. The file
    // dialog exists only while pending.
    QWidget* window(const std::string& name, bool create = true);

    SharedState& state;
    Prompter& prompter;
    Shell& shell;

  private:
    QString programFolder_;
    RaceProcedures race_{*this};
    std::unique_ptr<frmJeuGagnant> main_;
    std::unique_ptr<frmOptions> options_;
    std::unique_ptr<rappJS> results_;
    std::unique_ptr<frmCote> variation_;
    std::unique_ptr<frmBilan> backtest_;
    std::unique_ptr<frmAnalyse> analysis_;
    std::unique_ptr<frmJournal> journal_;
    std::unique_ptr<frmImporter> importer_;
    std::unique_ptr<frmOuvrir> fileDialog_; // the last one; replaced by the next
};

} // namespace sg
