#include "ScenarioRunner.h"

#include "ControlKinds.h"

#include "numbers/Numbers.h"
#include "screens/Controls.h"
#include "screens/frmJeuGagnant.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace sg {

namespace {

bool IsWindowName(const std::string& name) {
    const auto& names = Screens::WindowNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Color(const QColor& c) {
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," +
           std::to_string(c.blue());
}

std::string Flag(bool value) {
    return value ? "true" : "false";
}

// The text of an argument: verbatim between double quotes, otherwise trimmed.
std::string ArgumentText(const std::string& raw) {
    std::string text = raw;
    auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

void SplitFirst(const std::string& text, std::string& first, std::string& rest) {
    auto start = text.find_first_not_of(" \t");
    if (start == std::string::npos) {
        first.clear();
        rest.clear();
        return;
    }
    auto end = text.find_first_of(" \t", start);
    first = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    rest = end == std::string::npos ? "" : text.substr(end + 1);
}

} // namespace

ScenarioRunner::ScenarioRunner(char decimalSeparator, std::string folder,
                               std::function<void(const std::string&)> out)
    : prompter_([this](const std::string& line) { print(line); }),
      screens_(state_, prompter_, prompter_, Q(folder)), folder_(std::move(folder)),
      out_(std::move(out)) {
    state_.settings.DecimalSeparator = decimalSeparator;
    // The journal goes where XDG_DATA_HOME says, and nowhere without it: never the user's own.
    state_.journal.folder = JournalFolder(std::getenv("XDG_DATA_HOME"), nullptr);
    screens_.main().show();
}

void ScenarioRunner::print(const std::string& line) {
    std::string text = line;
    if (!folder_.empty()) {
        for (auto at = text.find(folder_); at != std::string::npos; at = text.find(folder_, at + 4))
            text.replace(at, folder_.size(), "$DIR");
    }
    out_(text);
}

bool ScenarioRunner::resolve(const std::string& token, Target& target) {
    std::string window = "frmJeuGagnant", name = token;
    auto dot = token.find('.');
    if (dot != std::string::npos && IsWindowName(token.substr(0, dot))) {
        window = token.substr(0, dot);
        name = token.substr(dot + 1);
    } else if (IsWindowName(token)) {
        target.widget = screens_.window(token);
        target.written = token;
        target.isWindow = true;
        return target.widget != nullptr;
    }
    // An empty name would match the first unnamed widget, and "qt_..." are Qt's own inner
    // widgets: neither is a control of the program.
    if (name.empty() || name.rfind("qt_", 0) == 0) return false;
    QWidget* form = screens_.window(window);
    if (!form) return false;
    target.widget = form->findChild<QWidget*>(Q(name));
    target.written = window + "." + name;
    target.isWindow = false;
    return target.widget != nullptr;
}

int ScenarioRunner::run(std::istream& script, std::string& error) {
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string verb, arguments;
        SplitFirst(line, verb, arguments);
        if (verb.empty() || verb[0] == '#') continue;
        std::string why;
        bool done = perform(verb, arguments, why);
        // As a user waits for what runs in the background (a back-test) to show its end.
        while (screens_.busy()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!done) {
            error = "LINE " + std::to_string(number) + ": " + VisibleControls(why);
            return 2;
        }
        if (prompter_.ended()) return 0;
    }
    return 0;
}

// "$DIR" in an argument stands for the program's folder, as in the output.
std::string ScenarioRunner::expanded(std::string text) const {
    for (auto at = text.find("$DIR"); at != std::string::npos;
         at = text.find("$DIR", at + folder_.size())) {
        text.replace(at, 4, folder_);
    }
    return text;
}

bool ScenarioRunner::perform(const std::string& verb, const std::string& arguments,
                             std::string& why) {
    if (verb == "answer") {
        prompter_.queueAnswer(expanded(ArgumentText(arguments)));
        return true;
    }
    if (verb == "show") return show(arguments, why);

    std::string token, rest;
    SplitFirst(arguments, token, rest);
    Target target;
    if (!resolve(token, target)) {
        why = "unknown control " + token;
        return false;
    }
    QWidget* w = target.widget;
    std::string text = expanded(ArgumentText(rest));

    const ControlKind& kind = KindOf(w);
    if (verb == "set") {
        // What cannot be set is refused whether greyed or not, so that a line is valid or not
        // whatever the state of the window.
        if (!kind.CanSet()) {
            why = "cannot set " + target.written;
            return false;
        }
        if (!w->isEnabled()) return true; // nobody types into a disabled box
        if (!kind.Set(w, text, why)) {
            why += " " + target.written;
            return false;
        }
        return true;
    }
    if (verb == "click" || verb == "dblclick") {
        bool done = verb == "click" ? kind.Click(w, text, why) : kind.DoubleClick(w, text, why);
        if (!done) why += " in " + target.written;
        return done;
    }
    if (verb == "mouse") {
        std::istringstream coordinates(rest);
        double x = 0, y = 0;
        if (!(coordinates >> x >> y)) {
            why = "mouse needs X Y";
            return false;
        }
        PressMouse(w, x / TwipsPerPixel, y / TwipsPerPixel, false);
        return true;
    }
    if (verb == "focus" || verb == "leave") {
        QFocusEvent event(verb == "focus" ? QEvent::FocusIn : QEvent::FocusOut,
                          Qt::OtherFocusReason);
        QCoreApplication::sendEvent(w, &event);
        return true;
    }
    if (verb == "hover") {
        QPointF centre(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent event(QEvent::MouseMove, centre, w->mapToGlobal(centre), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
        return true;
    }
    if (verb == "close") {
        if (!target.isWindow) {
            why = token + " is not a window";
            return false;
        }
        w->close();
        return true;
    }
    why = "unknown verb " + verb;
    return false;
}

bool ScenarioRunner::show(const std::string& arguments, std::string& why) {
    std::string token, property;
    SplitFirst(arguments, token, property);
    property = ArgumentText(property);
    Target target;
    if (!resolve(token, target)) {
        if (auto value = DescribeSharedValue(state_, token)) {
            print(token + " = " + RecordingPrompter::Escaped(*value));
            return true;
        }
        why = "unknown control or value " + token;
        return false;
    }
    QWidget* w = target.widget;
    if (property.empty()) property = "text";
    std::string shown;
    const ControlKind& kind = KindOf(w);
    if (property == "text") {
        shown = "\"" + RecordingPrompter::Escaped(kind.Text(w)) + "\"";
    } else if (property == "caption") {
        shown = "\"" + RecordingPrompter::Escaped(S(w->window()->windowTitle())) + "\"";
    } else if (property == "enabled") {
        shown = Flag(target.isWindow ? w->isEnabled() : w->isEnabledTo(w->window()));
    } else if (property == "visible") {
        shown = Flag(target.isWindow ? w->isVisible() : w->isVisibleTo(w->window()));
    } else if (property == "backcolor") {
        shown = Color(BackColor(w));
    } else if (property == "forecolor") {
        shown = Color(ForeColor(w));
    } else if (property == "width") {
        shown = std::to_string(WidthTwips(w));
    } else if (property == "items" || property == "value") {
        auto shownValue = property == "items" ? kind.Items(w) : kind.Value(w);
        if (!shownValue) {
            why = target.written + " has no " + property;
            return false;
        }
        shown = *shownValue;
    } else {
        why = "unknown property " + property;
        return false;
    }
    print(target.written + "." + property + " = " + shown);
    return true;
}

} // namespace sg
