// Plays a script of user actions against the real windows and prints what a user would see.
#pragma once

#include "app/SharedState.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"

#include <functional>
#include <istream>
#include <string>

class QWidget;

namespace sg {

class ScenarioRunner {
  public:
    // Output lines go to `out` with `folder` written as $DIR.
    ScenarioRunner(char decimalSeparator, std::string folder,
                   std::function<void(const std::string&)> out);

    // 0 when the script ran to its end (or the program ended), 2 for a line that cannot be
    // carried out (with `error` set to "LINE N: WHY").
    int run(std::istream& script, std::string& error);

  private:
    struct Target {
        QWidget* widget = nullptr;
        std::string written; // as it is written in the output: WINDOW.NAME(INDEX)
        bool isWindow = false;
    };
    bool resolve(const std::string& token, Target& target);
    bool perform(const std::string& verb, const std::string& arguments, std::string& why);
    bool show(const std::string& arguments, std::string& why);
    void print(const std::string& line);
    std::string expanded(std::string text) const;

    SharedState state_;
    RecordingPrompter prompter_;
    Screens screens_;
    std::string folder_;
    std::function<void(const std::string&)> out_;
};

} // namespace sg
