// Everything the windows say to the user or ask of the desktop goes through these two
// interfaces, so that tests and the scenario runner can answer in place of a person.
#pragma once

#include "app/Messages.h"

#include <optional>
#include <string>

namespace sg {

class Prompter {
  public:
    enum class Icon { None, Exclamation };
    virtual ~Prompter() = default;
    // A modal box with an OK button; an empty title is the application's.
    virtual void message(const std::string& text, const std::string& title = {},
                         Icon icon = Icon::None) = 0;
    // A modal box with Yes and No; true for Yes.
    virtual bool question(const std::string& text, const std::string& title) = 0;
    // An input box; empty when the user cancels.
    virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText) = 0;
    virtual void beep() = 0;
};

// What the program asks of the desktop besides messages.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void openHelp(const std::string& fileName) = 0; // modeless, without waiting
    virtual void quit() = 0;                                // the application ends at once
};

} // namespace sg
