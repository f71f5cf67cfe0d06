#include "screens/RecordingPrompter.h"

namespace sg {

RecordingPrompter::RecordingPrompter(Sink sink) : sink_(std::move(sink)) {}

std::string RecordingPrompter::Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

std::string RecordingPrompter::titleOf(const std::string& title) const {
    return title.empty() ? Messages::ApplicationTitle : title;
}

void RecordingPrompter::message(const std::string& text, const std::string& title, Icon) {
    std::string shownTitle = titleOf(title);
    if (shownTitle == Messages::ApplicationTitle) {
        sink_("message: " + Escaped(text));
    } else {
        sink_("message [" + Escaped(shownTitle) + "]: " + Escaped(text));
    }
}

bool RecordingPrompter::question(const std::string& text, const std::string& title) {
    std::string line = "question [" + Escaped(titleOf(title)) + "]: " + Escaped(text) + " -> ";
    if (answers_.empty()) {
        sink_(line + "no (no answer queued)");
        return false;
    }
    std::string answer = answers_.front();
    answers_.pop_front();
    bool yes = answer == "yes";
    sink_(line + (yes ? "yes" : "no"));
    return yes;
}

std::optional<std::string> RecordingPrompter::input(const std::string& prompt,
                                                    const std::string& title, const std::string&) {
    std::string line = "input [" + Escaped(titleOf(title)) + "]: " + Escaped(prompt) + " -> ";
    if (answers_.empty() || answers_.front() == "cancel") {
        if (!answers_.empty()) answers_.pop_front();
        sink_(line + "cancel");
        return std::nullopt;
    }
    std::string answer = answers_.front();
    answers_.pop_front();
    sink_(line + Escaped(answer));
    return answer;
}

void RecordingPrompter::beep() {
    sink_("beep");
}

void RecordingPrompter::openHelp(const std::string& fileName) {
    sink_("help: " + fileName);
}

void RecordingPrompter::quit() {
    if (!ended_) sink_("exit");
    ended_ = true;
}

} // namespace sg
