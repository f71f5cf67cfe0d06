// What a script can act on: every window the program has and the controls in it, as a user
// of the scenario runner names them. Read from the real windows, so that a new window or
// control is exercised without any change here.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace sg {

enum class ControlKind {
    Window,
    TextBox,
    DropDown,
    ScrollBar,
    CheckBox,
    OptionButton,
    Button,
    List,
    Label,
    Picture,
    Other, // frames, shapes and anything else that only shows
};

struct ControlInfo {
    std::string window;
    std::string name; // empty for the window itself
    ControlKind kind = ControlKind::Other;
    int minimum = 0, maximum = 0; // a scroll bar's range
    int widthTwips = 0, heightTwips = 0;
    std::vector<std::string> items; // a list's or drop-down's items when the program starts
};

struct ControlInventory {
    std::vector<ControlInfo> controls;     // the windows first, then every control
    std::vector<std::string> innerNames;   // Qt's own inner widgets ("qt_..."): no controls
    std::set<std::string> takenNames;      // "WINDOW.NAME" of every named widget, inner ones too
    std::vector<std::string> sharedValues; // shared values the runner can show
};

// Builds every window of a fresh run (started in the current folder) and lists its controls.
// Needs a QApplication.
ControlInventory ReadControlInventory();

} // namespace sg
