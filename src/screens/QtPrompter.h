// The production prompter and shell: real message boxes, the help window, the event loop.
#pragma once

#include "screens/Prompter.h"

#include <QPointer>

class QWidget;

namespace sg {

class HelpViewer;

class QtPrompter : public Prompter {
  public:
    void message(const std::string& text, const std::string& title, Icon icon) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;
    void beep() override;
};

class QtShell : public Shell {
  public:
    void openHelp(const std::string& fileName) override;
    void quit() override;

  private:
    QPointer<HelpViewer> help_;
};

} // namespace sg
