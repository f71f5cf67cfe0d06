// A few hundred random scripts over every control of every window, each run by sg-scenario in
// its own folder: whatever the script, the run ends with status 0, or with status 2 and one
// error line for the line that deserves it; no crash, no hang. The controls are read from the
// real windows, so a new window or control is exercised without any change here.
#include "sg-race/DemoRaces.h"
#include "sg-scenario/ControlKinds.h"
#include "tools/ToolRun.h"

#include "racefile/RaceSlots.h"
#include "screens/Controls.h"
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sys/stat.h>

namespace sg {
namespace {

using namespace std::string_literals;

constexpr int Shards = 6;
// SG_RANDOM_SCRIPTS and SG_RANDOM_SEED widen or move the search.
std::uint64_t Setting(const char* name, std::uint64_t fallback) {
    return std::getenv(name) ? std::strtoull(std::getenv(name), nullptr, 0) : fallback;
}
const int ScriptCount = int(Setting("SG_RANDOM_SCRIPTS", 420));
const std::uint64_t Seed = Setting("SG_RANDOM_SEED", 0x51672024);

// The standard engines give the same numbers everywhere, the distributions do not: none is used.
struct Rng {
    std::mt19937_64 engine;
    int below(int n) { return int(engine() % std::uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T> T pick(const std::vector<T>& from) {
        return from[std::size_t(below(int(from.size())))];
    }
    std::string oneOf(std::initializer_list<const char*> texts) {
        return texts.begin()[below(int(texts.size()))];
    }
};

// Texts that found or could find faults, each standing for a rule of the number and odds texts.
const std::vector<std::string> Hostile = {
    "",      " ",        "\t",       "0",        "-3",   "+5",      "- 5",        "07",
    "9/2",   "9/0",      "9/-2",     "1/",       "/3",   "//",      "4,5",        "4.5",
    ",5",    ".5",       "5,",       ",",        "1,5,", "1.5.5",   "1e400",      "-1e400",
    "1e39",  "1e-400",   "1.8e308",  "3.5e38",   "1e",   "1e+",     "2147483648", "-2147483649",
    "32768", "-32769",   "121",      "2.5",      "nan",  "inf",     "0x1p3",      " 1 2 3",
    "1\t2",  "1.000,50", "àéèùç€",   "\"",       "1\"2", "\"4,5\"", "\x01",       "\x1B[31m",
    "1\r2",  "\x7F",     "\xC2\x85", "\xFF\xFE", "\xC3", "a\0b"s,   "9/2/3",      "1e39/1e-39",
    "99999", "-0",       "0/0",      "$DIR",     "?"};

// A text a careless or hostile user could type or paste; never a line feed, which ends a line.
std::string HostileText(Rng& rng, char separator) {
    int roll = rng.below(100);
    if (roll < 45) return rng.pick(Hostile);
    std::string text;
    if (roll < 70) { // a number with either separator, an exponent, a fraction
        text = (rng.percent(20) ? "-" : "") +
               std::to_string(rng.below(rng.percent(70) ? 200 : 1000000));
        if (rng.percent(60))
            text += (rng.percent(80) ? separator : char('.' + ',' - separator)) +
                    std::to_string(rng.below(1000));
        if (rng.percent(10)) text += "e" + std::to_string(rng.between(-400, 400));
        if (rng.percent(10)) text += "/" + std::to_string(rng.below(12));
    } else if (roll < 92) { // the characters that matter to numbers, accents, control characters
        for (int i = rng.between(1, 30); i > 0; --i)
            text += rng.oneOf({"0", "1",  "5",  "9", ".", ",",    "/",  "-",    "+",    "e",   "E",
                               " ", "\t", "\"", "é", "€", "\x01", "\r", "\x1B", "\x7F", "\xC3"});
    } else { // thousands of commas, digits or accents
        std::string unit = rng.oneOf({",", "1,", "9", "é", "0123456789"});
        text = rng.percent(30) ? "1." : "";
        for (int i = rng.between(500, 10000); i > 0; --i) text += unit;
        text += rng.oneOf({"", ",", "5"});
    }
    return text;
}

// A number for a scroll bar or the mouse: inside low..high, at or past its ends, or far out.
std::string Around(Rng& rng, int low, int high) {
    if (rng.percent(50)) return std::to_string(rng.between(low, high));
    return rng.pick(std::vector<std::string>{std::to_string(low - 1), std::to_string(high + 1),
                                             std::to_string(low), std::to_string(high), "1e12",
                                             "-1e300", "2147483648", "-2147483649", "0.5", "-0"});
}

// The folder a script runs in: race files sound and damaged, names of race files that are no
// race file (a pipe must not block, a link or a folder must not crash) and a subfolder.
void FillFolder(const fs::path& folder, Rng& rng) {
    auto races = [&rng](const fs::path& file, int count) {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < count; ++i) {
            RaceRecord race = DemoRace(rng.between(1, 32767));
            for (int n = rng.percent(30) ? 0 : rng.between(1, 12); n > 0; --n) {
                RaceSlot used[] = {
                    RunnerCountSlot(), *PayoutSlot(rng.below(PayoutSlotCount)),
                    *ArrivalSlot(rng.between(1, ArrivalSlotCount)),
                    *OddsSlot(rng.percent(50) ? RaceField::OddsPMU : RaceField::OddsPMH,
                              rng.between(1, OddsHorseCount))};
                race.SetSlot(used[rng.below(4)],
                             rng.percent(50) ? rng.pick(Hostile) : Around(rng, 0, 30));
            }
            if (rng.percent(5))
                std::generate(race.Raw().begin(), race.Raw().end(), std::ref(rng.engine));
            out.write(reinterpret_cast<const char*>(race.Raw().data()),
                      std::streamsize(race.Raw().size()));
        }
    };
    races(folder / "courses.tur", rng.between(1, 5));
    races(folder / "vide.tur", 0);
    races(folder / "coupée.tur", 2);
    fs::resize_file(folder / "coupée.tur", RaceRecordSize + std::size_t(rng.between(1, 16999)));
    std::ofstream(folder / "notes.txt") << "pas une course\n";
    mkfifo((folder / "tuyau.tur").c_str(), 0644);
    fs::create_symlink("courses.tur", folder / "lien.tur");
    fs::create_directory(folder / "dossier.tur");
    fs::create_directory(folder / "Archives");
    races(folder / "Archives" / "ancien.tur", 2);
}

// What a script can act on, as the runner knows its kind.
struct Control {
    Control(std::string windowName, std::string controlName, QWidget* w, bool dialog)
        : window(std::move(windowName)), name(std::move(controlName)), kind(&KindOf(w)),
          inDialog(dialog), canSet(kind->CanSet()), hasItems(kind->Items(w).has_value()),
          hasValue(kind->Value(w).has_value()), list(qobject_cast<QListWidget*>(w)),
          picture(qobject_cast<PictureBox*>(w)), width(Twips(w->width())),
          height(Twips(w->height())) {
        if (auto* bar = qobject_cast<QScrollBar*>(w)) low = bar->minimum(), high = bar->maximum();
        if (auto* l = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < l->count(); ++i) items.push_back(S(l->item(i)->text()));
        if (auto* b = qobject_cast<QComboBox*>(w)) {
            fixed = true; // takes only one of its items
            for (int i = 0; i < b->count(); ++i) items.push_back(S(b->itemText(i)));
        }
    }
    std::string window, name; // no name for the window itself
    const ControlKind* kind;
    bool inDialog, canSet, hasItems, hasValue, list, picture, fixed = false;
    int width, height, low = 0, high = 1; // twips; a scroll bar's or check box's range
    std::vector<std::string> items;       // a list's items when the window opens
};

// Every window of a run started in `folder`, and the controls in it.
std::vector<Control> ReadControls(const fs::path& folder) {
    SharedState state;
    RecordingPrompter prompter([](const std::string&) {});
    Screens screens(state, prompter, prompter, QString::fromStdString(folder.string()));
    screens.main().show();
    std::vector<Control> controls;
    for (const auto& window : Screens::WindowNames()) {
        // A window that exists only while a choice is pending (the file dialog) is opened.
        bool inDialog = !screens.window(window);
        if (inDialog) screens.race().ChooseRaceFile();
        QWidget* form = screens.window(window);
        if (!form) {
            ADD_FAILURE() << window << " never opens";
            continue;
        }
        controls.emplace_back(window, "", form, inDialog);
        for (QWidget* w : form->findChildren<QWidget*>()) {
            std::string name = S(w->objectName());
            if (!name.empty() && name.rfind("qt_", 0) != 0)
                controls.emplace_back(window, name, w, inDialog);
        }
    }
    return controls;
}

// SAFETY. The tests may run as root, and the file dialog opens, or creates, the file it is given
// in the folder it shows, which may be any folder of the machine. So a script never leads the
// dialog out of its own folder: of what can be set in the dialog, the folder list is only set
// to the script's folder or its subfolder, the file name only to a name without "/", "\" or "$"
// that does not start with ".", and the rest (the drive list) only shown. The file list holds
// only files of the folder shown. A control renamed or added there is thus only shown.
const char* const DialogOpener = "frmOptions.cmdOuvrir";
bool IsFolderList(const Control& c) {
    return c.inDialog && c.name == "dirDirectory";
}
bool LeadsAway(const Control& c) {
    return c.inDialog && c.canSet && c.name != "txtFileName";
}
std::string PlainName(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '/' || c == '\\' || c == '$'; }, '_');
    if (!text.empty() && text[0] == '.') text[0] = '_';
    return text;
}

struct Script {
    std::string text;
    char separator = '.';
    int invalidLine = 0;     // the line the runner must refuse (from 1); 0 when none
    std::set<int> itemLines; // lines naming a list item that the list may no longer show
};

class Generator {
  public:
    Generator(Rng& rng, const std::vector<Control>& controls) : rng_(rng) {
        for (const auto& c : controls) {
            Pool& pool = pools_[c.inDialog];
            if (c.name.empty()) {
                pool.windows.push_back(&c);
                continue;
            }
            all_.push_back(&c);
            AddByKind(pool.controls, &c);
            if (c.canSet) AddByKind(pool.settable, &c);
            if (c.picture) pool.pictures.push_back(&c);
            if (c.list && !c.items.empty() && !LeadsAway(c)) pool.lists.push_back(&c);
        }
    }

    Script generate() {
        Script script;
        separator_ = script.separator = rng_.percent(50) ? ',' : '.';
        int count = rng_.between(20, 40);
        if (rng_.percent(30)) script.invalidLine = rng_.between(1, count);
        for (int line = 1; line <= count; ++line) {
            bool namesItem = false;
            std::string text = line == script.invalidLine ? invalid() : valid(namesItem);
            if (namesItem) script.itemLines.insert(line);
            script.text += (rng_.percent(3) ? "  " : "") + text + (rng_.percent(3) ? "\r\n" : "\n");
        }
        return script;
    }

  private:
    // Controls grouped by kind, so that the few buttons get as many lines as the many labels.
    using Kinds = std::vector<std::vector<const Control*>>;
    struct Pool {
        std::vector<const Control*> windows, pictures, lists;
        Kinds controls, settable;
    };
    static void AddByKind(Kinds& kinds, const Control* c) {
        for (auto& kind : kinds) {
            if (kind.front()->kind == c->kind) return kind.push_back(c);
        }
        kinds.push_back({c});
    }
    const Control& byKind(const Kinds& kinds) { return *rng_.pick(rng_.pick(kinds)); }

    // A control as a script names it; the main window's may go without the window's name.
    std::string token(const Control& c) {
        if (c.name.empty()) return c.window;
        if (c.window == "frmJeuGagnant" && rng_.percent(50)) return c.name;
        return c.window + "." + c.name;
    }
    // A text argument, in double quotes where blanks or quotes would be lost, and now and then
    // where they would not.
    std::string argument(const std::string& t) {
        bool plain = !t.empty() && t.find_first_of(" \t\r\"") == std::string::npos;
        return plain && rng_.percent(70) ? t : "\"" + t + "\"";
    }
    // A line the runner carries out. The file dialog's lines come after a click that opens it,
    // and stop at the first click, which may close it; the last one chooses a file.
    std::string valid(bool& namesItem) {
        if (episode_ == 0 && !pools_[1].windows.empty() && rng_.percent(5)) {
            episode_ = rng_.between(2, 8);
            return "click "s + DialogOpener;
        }
        bool inDialog = episode_ > 0;
        Pool& pool = pools_[inDialog];
        episode_ = std::max(episode_ - 1, 0);
        const Control& target = rng_.percent(10) ? *rng_.pick(pool.windows) : byKind(pool.controls);
        int roll = inDialog && episode_ == 0 ? 49 : rng_.below(100);
        if (roll < 28) {
            const Control& c = byKind(pool.settable);
            if (IsFolderList(c))
                return "set " + token(c) + " " + argument(rng_.oneOf({"$DIR", "$DIR/Archives"}));
            if (LeadsAway(c)) return "show " + token(c);
            if (c.fixed) { // a list the user can only choose in
                if (c.items.empty()) return "show " + token(c);
                namesItem = true;
                return "set " + token(c) + " " + argument(rng_.pick(c.items));
            }
            // A scroll bar or check box mostly gets a number, a list now and then one of its items.
            std::string value = c.hasValue && rng_.percent(90) ? Around(rng_, c.low, c.high)
                                : !c.items.empty() && rng_.percent(40)
                                    ? rng_.pick(c.items)
                                    : HostileText(rng_, separator_);
            if (c.inDialog) value = PlainName(value);
            return "set " + token(c) + " " + argument(value);
        }
        if (roll < 50) {
            if (inDialog) episode_ = 0;
            bool twice = roll >= 46 && !pool.lists.empty();
            const Control& c = twice ? *rng_.pick(pool.lists) : target;
            if (LeadsAway(c) || (c.list && c.items.empty())) return "show " + token(c);
            if (!c.list) return "click " + token(c);
            namesItem = true;
            return (twice ? "dblclick " : "click ") + token(c) + " " + argument(rng_.pick(c.items));
        }
        if (roll < 64) {
            std::string property =
                rng_.oneOf({"", " text", " enabled", " visible", " backcolor", " forecolor",
                            " width", " caption", " items", " value"});
            bool has = (property != " items" || target.hasItems) &&
                       (property != " value" || target.hasValue);
            return "show " + token(target) + (has ? property : "");
        }
        if (roll < 69)
            return "show " +
                   rng_.oneOf({"TargetProfit", "ComputedProfit", "StakeTotal", "StakeTotalWhole",
                               "WorkingTarget", "CurrentRace", "RaceFilePath", "ChosenFilePath",
                               "TotalGains", "OddsTable(3)", "StoredOdds(22)"});
        if (roll < 75) {
            const Control& c =
                pool.pictures.empty() || rng_.percent(20) ? target : *rng_.pick(pool.pictures);
            if (LeadsAway(c)) return "show " + token(c);
            return "mouse " + token(c) + " " + Around(rng_, 0, c.width) + " " +
                   Around(rng_, 0, c.height);
        }
        if (roll < 88)
            return (LeadsAway(target) ? "show"s : rng_.oneOf({"focus", "leave", "hover"})) + " " +
                   token(target);
        if (roll < 95) {
            std::string answer = rng_.oneOf({"yes", "no", "cancel", ""});
            return "answer " + (answer.empty() ? argument(HostileText(rng_, separator_)) : answer);
        }
        if (roll < 97) {
            if (inDialog) episode_ = 0;
            return "close " + rng_.pick(pool.windows)->window;
        }
        return rng_.oneOf({"", "   ", "# un commentaire", "#set Label4 x"});
    }

    // A line the runner refuses before it does anything.
    std::string invalid() {
        const Control& c = *rng_.pick(all_);
        std::string t = token(c);
        std::string unknown = rng_.pick(std::vector<std::string>{
            "Inconnu." + c.name, c.window + ".Inconnu", c.window + ".",
            c.window + ".qt_scrollarea_viewport", c.name + "(999)", c.name + "\x1B"});
        return rng_.pick(std::vector<std::string>{
            rng_.oneOf({"appuyer", "Set", "CLICK", "clic", "show:"}) + (" " + t),
            rng_.oneOf({"set ", "click ", "show ", "focus "}) + unknown,
            rng_.oneOf({"set", "click", "show", "close"}),
            "show " + t + (c.hasValue ? " couleur" : " value"),
            c.canSet ? "close " + t : "set " + t + " 1",
            "mouse " + t + rng_.oneOf({"", " 10", " x 3"}),
            "dblclick " + t + (c.list ? " \"pas là\"" : " 1")});
    }

    Rng& rng_;
    Pool pools_[2]; // the windows always there, and the file dialog
    std::vector<const Control*> all_;
    char separator_ = '.';
    int episode_ = 0; // lines left in the file dialog
};

// Empty when the run ended as the script deserves: status 0 (the program may end before the
// refused line), or 2 with one error line for the refused line, or for a line naming a list item
// that the list no longer shows.
std::string Verdict(const Script& script, const ToolRun& run) {
    bool ended = run.out.size() >= 5 && run.out.compare(run.out.size() - 5, 5, "exit\n") == 0;
    if (run.status == 0 && run.err.empty() && (!script.invalidLine || ended)) return "";
    int line = 0;
    std::sscanf(run.err.c_str(), "error: LINE %d: ", &line);
    bool oneLine = run.err.find_first_of("\r\n") == run.err.size() - 1 &&
                   run.err.rfind("error: LINE " + std::to_string(line) + ": ", 0) == 0;
    bool itemGone = script.itemLines.count(line) &&
                    run.err.find(": no item ") != std::string::npos &&
                    (!script.invalidLine || line < script.invalidLine);
    if (run.status == 2 && !ended && oneLine && (line == script.invalidLine || itemGone)) return "";
    return "exit status " + std::to_string(run.status) + " (124: no end within 20 s), line " +
           std::to_string(script.invalidLine) + " invalid (0: none)";
}

class RandomScripts : public ::testing::TestWithParam<int> {};

TEST_P(RandomScripts, EndCleanly) {
    static const std::vector<Control> controls = [] {
        WorkFolder folder;
        Rng rng{std::mt19937_64(Seed)};
        FillFolder(folder.path, rng);
        return ReadControls(folder.path);
    }();
    int failures = 0;
    for (int index = GetParam(); index < ScriptCount && failures < 5; index += Shards) {
        WorkFolder work;
        fs::create_directory(work.path / "dossier");
        Rng rng{std::mt19937_64(Seed * 1000003 + std::uint64_t(index))};
        FillFolder(work.path / "dossier", rng);
        Script script = Generator(rng, controls).generate();
        std::ofstream(work.path / "script.scn", std::ios::binary) << script.text;
        ToolRun run = RunTool(BuiltTool("sg-scenario"), work,
                              "--dir " + work.Quoted("dossier") +
                                  (script.separator == ',' ? " --decimal-separator ," : "") + " " +
                                  work.Quoted("script.scn"),
                              "ulimit -f 32768; ");
        std::string verdict = Verdict(script, run);
        if (verdict.empty()) continue;
        ++failures;
        fs::rename(work.path, work.path.string() + "-failed"); // kept for a look
        ADD_FAILURE() << "script " << index << " (SG_RANDOM_SEED=" << Seed << "): " << verdict
                      << "\n"
                      << run.err << "script and folder as it left them: " << work.path.string()
                      << "-failed";
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomScripts, ::testing::Range(0, Shards));

} // namespace
} // namespace sg
