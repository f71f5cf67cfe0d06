// The windows of one run of the program, created as they are first needed, with the shared
// values, the prompter and the shell they all use.
#pragma once

#include "app/SharedState.h"
#include "screens/Prompter.h"

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace sg {

class frmJeuGagnant;
class frmOptions;

class Screens {
  public:
    Screens(SharedState& state, Prompter& prompter, Shell& shell);
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    frmJeuGagnant& main();
    frmOptions& options(); // created on first use, then only hidden and shown

    // The names of every window of the program, the main one first.
    static const std::vector<std::string>& WindowNames();

    // A window by its name; a secondary window is created (not shown) when asked to.
    QWidget* window(const std::string& name, bool create = true);

    SharedState& state;
    Prompter& prompter;
    Shell& shell;

  private:
    std::unique_ptr<frmJeuGagnant> main_;
    std::unique_ptr<frmOptions> options_;
};

} // namespace sg
