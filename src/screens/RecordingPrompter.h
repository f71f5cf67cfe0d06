// A prompter and shell that answer from a queue and report every event as one line, for the
// scenario runner and the widget tests.
#pragma once

#include "screens/Prompter.h"

#include <deque>
#include <functional>
#include <string>

namespace sg {

class RecordingPrompter : public Prompter, public Shell {
  public:
    using Sink = std::function<void(const std::string& line)>;
    explicit RecordingPrompter(Sink sink);

    void queueAnswer(const std::string& answer) { answers_.push_back(answer); }
    bool ended() const { return ended_; }

    void message(const std::string& text, const std::string& title, Icon icon) override;
    bool question(const std::string& text, const std::string& title) override;
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override;
    void beep() override;
    void openHelp(const std::string& fileName) override;
    void quit() override;

    // A text as one output line: line feeds written \n, carriage returns \r.
    static std::string Escaped(const std::string& text);

  private:
    std::string titleOf(const std::string& title) const;
    Sink sink_;
    std::deque<std::string> answers_;
    bool ended_ = false;
};

} // namespace sg
