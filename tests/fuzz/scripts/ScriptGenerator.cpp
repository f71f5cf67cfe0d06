#include "ScriptGenerator.h"

#include "HostileTexts.h"
#include "ScriptFolder.h"

#include <iterator>
#include <map>

namespace sg {

namespace {

// SAFETY. The tests may run as root, and the file dialog creates the file it is given in the
// folder it shows, which can be any folder of the machine. A script must never reach a file
// outside its own folder, so the dialog's drive, folder and file lists are only ever:
// - shown;
// - set, for the folder list only, to the script's folder or a subfolder of it, written as an
//   absolute path;
// - clicked or double-clicked on an item the script's folder holds: a subfolder's name (never
//   "..", never a parent) or a file's name; never pressed elsewhere, given the focus or hovered,
//   which could select whatever item stands there (another drive, a parent folder).
// A typed file name holds no "/" or "\" and does not start with ".". Every other control is
// free: none of them names a file.
enum class Guard { None, Drive, Folders, Files, FileName };

Guard GuardOf(const ControlInfo& c) {
    if (c.window != "frmOuvrir") return Guard::None;
    if (c.name == "drvDrive") return Guard::Drive;
    if (c.name == "dirDirectory") return Guard::Folders;
    if (c.name == "filFiles") return Guard::Files;
    if (c.name == "txtFileName") return Guard::FileName;
    return Guard::None;
}

bool IsGuardedList(const ControlInfo& c) {
    Guard guard = GuardOf(c);
    return guard == Guard::Drive || guard == Guard::Folders || guard == Guard::Files;
}

std::string SafeFileName(std::string text) {
    for (char& c : text) {
        if (c == '/' || c == '\\') c = '_';
    }
    if (!text.empty() && text[0] == '.') text[0] = '_';
    return text;
}

// The items a script may click or double-click: only a list takes an item (elsewhere the
// runner would press the middle of the control), and the dialog's lists only the script's own.
std::vector<std::string> ClickableItems(const ControlInfo& c, const std::string& folder) {
    if (c.kind != ControlKind::List) return {};
    switch (GuardOf(c)) {
    case Guard::Drive:
        return {};
    case Guard::Folders: {
        std::vector<std::string> items;
        for (const auto& sub : ScriptFolderSubfolders()) {
            items.push_back(sub);
            items.push_back(folder + "/" + sub);
        }
        return items;
    }
    case Guard::Files:
        return ScriptFolderFiles();
    default:
        return c.items;
    }
}

// A text argument as a script writes it: in double quotes when blanks at its ends or quotes
// around it would otherwise be lost, and now and then when it need not be.
std::string Argument(Rng& rng, const std::string& text) {
    bool mustQuote = text.empty() || text.front() == ' ' || text.front() == '\t' ||
                     text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                     (text.size() >= 2 && text.front() == '"' && text.back() == '"');
    return mustQuote || rng.percent(30) ? "\"" + text + "\"" : text;
}

class Generator {
  public:
    Generator(std::uint64_t seed, const ControlInventory& inventory, const std::string& folder)
        : rng_(seed), inventory_(inventory), folder_(folder) {
        for (const auto& c : inventory.controls) {
            if (c.kind == ControlKind::Window) {
                windows_.push_back(&c);
            } else {
                byKind_[c.kind].push_back(&c);
            }
            if (Settable(c)) settableByKind_[c.kind].push_back(&c);
            if (c.kind == ControlKind::List && !ClickableItems(c, folder).empty())
                lists_.push_back(&c);
            if (c.kind == ControlKind::Picture) pictures_.push_back(&c);
        }
    }

    RandomScript generate() {
        RandomScript script;
        script.separator = rng_.percent(50) ? ',' : '.';
        separator_ = script.separator;
        int count = rng_.between(20, 40);
        if (rng_.percent(30)) script.invalidLine = rng_.between(1, count);
        for (int line = 1; line <= count; ++line) {
            bool namesItem = false;
            std::string text = line == script.invalidLine ? invalidLine() : validLine(namesItem);
            if (namesItem) script.itemLines.insert(line);
            if (rng_.percent(3)) text = "  " + text;
            if (rng_.percent(3)) text += "\r";
            script.text += text + "\n";
        }
        return script;
    }

  private:
    static bool Settable(const ControlInfo& c) {
        if (IsGuardedList(c)) return GuardOf(c) == Guard::Folders;
        return c.kind == ControlKind::TextBox || c.kind == ControlKind::DropDown ||
               c.kind == ControlKind::ScrollBar || c.kind == ControlKind::CheckBox;
    }

    // `verb CONTROL`, or only a look at the dialog's lists (see SAFETY above).
    std::string touch(const std::string& verb, const ControlInfo& c) {
        return (IsGuardedList(c) ? "show " : verb + " ") + token(c);
    }

    // A control as a script names it; the main window's may go without the window's name.
    std::string token(const ControlInfo& c) {
        if (c.kind == ControlKind::Window) return c.window;
        if (c.window == windows_.front()->window && rng_.percent(50)) return c.name;
        return c.window + "." + c.name;
    }

    // A kind first, then a control of that kind: the few buttons get as many clicks as the
    // many labels.
    using Kinds = std::map<ControlKind, std::vector<const ControlInfo*>>;
    const ControlInfo& pickByKind(const Kinds& kinds) {
        auto kind = kinds.begin();
        std::advance(kind, rng_.below(static_cast<int>(kinds.size())));
        return *rng_.pick(kind->second);
    }
    const ControlInfo& anyControl() { return pickByKind(byKind_); }
    const ControlInfo& anyTarget() {
        return rng_.percent(10) ? *rng_.pick(windows_) : anyControl();
    }

    std::string validLine(bool& namesItem) {
        int roll = rng_.below(100);
        if (roll < 28) return setLine();
        if (roll < 46) return clickLine(namesItem);
        if (roll < 60) return showControlLine();
        if (roll < 65) return "show " + rng_.pick(inventory_.sharedValues);
        if (roll < 70) return mouseLine();
        if (roll < 80) return touch(rng_.percent(50) ? "focus" : "leave", anyTarget());
        if (roll < 85) return touch("hover", anyTarget());
        if (roll < 92) return answerLine();
        if (roll < 95 && !lists_.empty()) {
            namesItem = true;
            const ControlInfo& list = *rng_.pick(lists_);
            return "dblclick " + token(list) + " " +
                   Argument(rng_, rng_.pick(ClickableItems(list, folder_)));
        }
        if (roll < 97) return "close " + rng_.pick(windows_)->window;
        return rng_.pick(std::vector<std::string>{"", "   ", "# un commentaire", "#set Label4 x"});
    }

    std::string setLine() {
        const ControlInfo& c = pickByKind(settableByKind_);
        std::string value;
        switch (GuardOf(c)) {
        case Guard::Folders:
            value =
                rng_.percent(50) ? folder_ : folder_ + "/" + rng_.pick(ScriptFolderSubfolders());
            break;
        case Guard::FileName:
            value = SafeFileName(rng_.percent(30) ? rng_.pick(ScriptFolderFiles())
                                                  : HostileText(rng_, separator_));
            break;
        default:
            if (c.kind == ControlKind::ScrollBar) {
                value = ScrollValueText(rng_, c.minimum, c.maximum);
            } else if (c.kind == ControlKind::CheckBox) {
                value = rng_.pick(std::vector<std::string>{"1", "0", "1", "0", "", "2", "oui"});
            } else if (c.kind == ControlKind::DropDown && !c.items.empty() && rng_.percent(40)) {
                value = rng_.pick(c.items);
            } else {
                value = HostileText(rng_, separator_);
            }
        }
        return "set " + token(c) + " " + Argument(rng_, value);
    }

    std::string clickLine(bool& namesItem) {
        const ControlInfo& c = anyTarget();
        auto items = ClickableItems(c, folder_);
        if (items.empty()) return touch("click", c);
        namesItem = true;
        return "click " + token(c) + " " + Argument(rng_, rng_.pick(items));
    }

    std::string showControlLine() {
        const ControlInfo& c = anyTarget();
        std::vector<std::string> properties = {"",        "text",      "enabled",
                                               "visible", "backcolor", "forecolor",
                                               "width",   "items",     "caption"};
        if (c.kind == ControlKind::ScrollBar || c.kind == ControlKind::CheckBox ||
            c.kind == ControlKind::OptionButton)
            properties.push_back("value");
        std::string property = rng_.pick(properties);
        return "show " + token(c) + (property.empty() ? "" : " " + property);
    }

    std::string mouseLine() {
        const ControlInfo& c =
            pictures_.empty() || rng_.percent(20) ? anyControl() : *rng_.pick(pictures_);
        if (IsGuardedList(c)) return touch("mouse", c);
        return "mouse " + token(c) + " " + CoordinateText(rng_, c.widthTwips) + " " +
               CoordinateText(rng_, c.heightTwips);
    }

    std::string answerLine() {
        switch (rng_.below(5)) {
        case 0:
            return "answer yes";
        case 1:
            return "answer no";
        case 2:
            return "answer cancel";
        default:
            return "answer " + Argument(rng_, HostileText(rng_, separator_));
        }
    }

    // A name that resolves to nothing: no window's control, no shared value.
    std::string unknownToken() {
        for (;;) {
            std::string candidate;
            switch (rng_.below(8)) {
            case 0:
                candidate = rng_.pick(inventory_.innerNames);
                break;
            case 1:
                candidate = rng_.pick(windows_)->window + "." + rng_.pick(inventory_.innerNames);
                break;
            case 2:
                candidate = rng_.pick(windows_)->window + ".";
                break;
            case 3:
                candidate = anyControl().name + "(999)";
                break;
            case 4:
                candidate = "Inconnu." + anyControl().name;
                break;
            case 5:
                candidate = "OddsTable(" + std::to_string(rng_.between(10, 99)) + ")";
                break;
            case 6:
                candidate = anyControl().name +
                            rng_.pick(std::vector<std::string>{"\r1", "\x1B", "\x0B", "\xC2\x85"});
                break;
            default:
                candidate = anyControl().window + ".Inconnu" + std::to_string(rng_.below(9));
            }
            if (!Resolves(candidate)) return candidate;
        }
    }

    bool Resolves(const std::string& token) const {
        std::string window = windows_.front()->window, name = token;
        if (auto dot = token.find('.'); dot != std::string::npos) {
            for (const auto* w : windows_) {
                if (w->window == token.substr(0, dot)) {
                    window = w->window;
                    name = token.substr(dot + 1);
                }
            }
        }
        // The runner refuses an empty name and Qt's inner widgets even where they exist.
        if (name.empty() || name.rfind("qt_", 0) == 0) return false;
        if (inventory_.takenNames.count(window + "." + name)) return true;
        for (const auto* w : windows_) {
            if (w->window == token) return true;
        }
        for (const auto& value : inventory_.sharedValues) {
            if (value == token) return true;
        }
        return false;
    }

    // A line the runner refuses before it does anything.
    std::string invalidLine() {
        const ControlInfo& c = anyControl();
        if (GuardOf(c) != Guard::None) return "show " + token(c) + " Text";
        bool hasValue = c.kind == ControlKind::ScrollBar || c.kind == ControlKind::CheckBox ||
                        c.kind == ControlKind::OptionButton;
        switch (rng_.below(9)) {
        case 0:
            return rng_.pick(std::vector<std::string>{"appuyer", "Set", "CLICK", "clic", "tape",
                                                      "show:", "set\x01"}) +
                   " " + token(c);
        case 1:
            return rng_.pick(std::vector<std::string>{"set ", "click ", "focus ", "leave ",
                                                      "hover ", "show "}) +
                   unknownToken() + " 1";
        case 2:
            return rng_.pick(std::vector<std::string>{"set", "click", "show", "close", "set  "});
        case 3:
            return "show " + token(c) + (hasValue ? " couleur" : " value");
        case 4:
            return Settable(c) ? "show " + token(c) + " Text" : "set " + token(c) + " 1";
        case 5:
            return "close " + token(c);
        case 6:
            return "mouse " + token(c) +
                   rng_.pick(std::vector<std::string>{"", " 10", " x 3", " 1e400 0"});
        case 7:
            return "dblclick " + token(c) + (c.kind == ControlKind::List ? " \"pas là\"" : " 1");
        default:
            return "show " + unknownToken();
        }
    }

    Rng rng_;
    const ControlInventory& inventory_;
    std::string folder_;
    char separator_ = '.';
    std::vector<const ControlInfo*> windows_, lists_, pictures_;
    Kinds byKind_, settableByKind_;
};

} // namespace

RandomScript GenerateScript(std::uint64_t seed, const ControlInventory& inventory,
                            const std::string& folder) {
    return Generator(seed, inventory, folder).generate();
}

} // namespace sg
