// A few hundred random scripts over every control of every window, each run by the scenario
// runner in its own process and folder: whatever the script, the run must end cleanly, with
// status 0, or status 2 and one error line naming the line that cannot be carried out.
#include "ControlInventory.h"
#include "ScriptFolder.h"
#include "ScriptGenerator.h"
#include "ScriptRun.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace sg {

namespace {

namespace fs = std::filesystem;

constexpr int ShardCount = 6;
constexpr int DefaultScriptCount = 420;
constexpr std::uint64_t DefaultSeed = 0x5167'2024;
constexpr double TimeoutSeconds = 30; // far beyond the slowest script under the sanitizers
constexpr int ReportedFailures = 5;   // per shard: the first ones tell the story

// SG_RANDOM_SCRIPTS and SG_RANDOM_SEED widen or move the search from the command line.
std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 0) : fallback;
}

// Each script has its own seed, so that any one of them is made again alone.
std::uint64_t ScriptSeed(std::uint64_t seed, int index) {
    return seed * 0x100000001B3ULL + static_cast<std::uint64_t>(index);
}

// The runner is built into the build folder, one level above the test programs.
fs::path Runner() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "sg-scenario";
}

fs::path MakeFolder(const fs::path& where, const std::string& prefix) {
    std::string pattern = (where / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

const ControlInventory& Inventory() {
    static const ControlInventory inventory = [] {
        // The windows start in a folder like the scripts' own, as the runner starts them.
        fs::path folder = MakeFolder(fs::temp_directory_path(), "sg-inventory-");
        FillScriptFolder(folder.string(), 0);
        QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.string()));
        ControlInventory read = ReadControlInventory();
        QDir::setCurrent(before);
        fs::remove_all(folder);
        return read;
    }();
    return inventory;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// A control character (C0, DEL, or C1 in UTF-8) breaks or garbles the line for whoever reads it.
bool HasControl(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F || (byte == 0xC2 && next >= 0x80 && next <= 0x9F))
            return true;
    }
    return false;
}

// What the program itself says in a box: a quoted user text shows its control characters
// visibly. Shown texts and queued answers are written verbatim, so they are left out.
std::string ProgramWords(const std::string& line) {
    if (StartsWith(line, "message")) return line;
    if (StartsWith(line, "question [")) return line.substr(0, line.rfind(" -> "));
    if (StartsWith(line, "input [")) return line.substr(0, line.find(" -> "));
    return "";
}

// An output line is one event, or a shown control or value.
bool IsEventLine(const std::string& line, const ControlInventory& inventory) {
    for (const char* start : {"message: ", "message [", "question [", "input [", "help: "}) {
        if (StartsWith(line, start)) return true;
    }
    if (line == "beep" || line == "exit") return true;
    for (const auto& c : inventory.controls) {
        if (c.kind == ControlKind::Window && StartsWith(line, c.window + ".")) return true;
    }
    for (const auto& value : inventory.sharedValues) {
        if (StartsWith(line, value + " = ")) return true;
    }
    return false;
}

// Empty when the run ended as the script deserves; otherwise what went wrong.
std::string Verdict(const RandomScript& script, const ScriptRun& run,
                    const ControlInventory& inventory) {
    if (run.timedOut) return "no end within " + std::to_string(int(TimeoutSeconds)) + " s";
    if (run.signal) return "killed by signal " + std::to_string(run.signal);
    std::vector<std::string> lines;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsEventLine(lines[i], inventory))
            return "output line " + std::to_string(i + 1) + " is no event: " + lines[i];
        if (lines[i] == "exit" && i + 1 != lines.size()) return "output goes on after exit";
        if (lines[i].find('\r') != std::string::npos || HasControl(ProgramWords(lines[i])))
            return "output line " + std::to_string(i + 1) + " holds a control character";
    }
    bool ended = !lines.empty() && lines.back() == "exit";
    if (run.status == 0 && run.err.empty() && (script.invalidLine == 0 || ended)) return "";
    if (run.status == 2 && !ended) {
        // The error line: "error: LINE N: WHY", one line.
        std::string error = run.err;
        if (error.empty() || error.back() != '\n' || HasControl(error.substr(0, error.size() - 1)))
            return "standard error is not one line";
        int line = std::atoi(error.c_str() + std::min<std::size_t>(error.size(), 12));
        if (!StartsWith(error, "error: LINE " + std::to_string(line) + ": "))
            return "unexpected error line";
        if (line == script.invalidLine) return "";
        // A list can change under the script: an item it showed at start may be gone.
        if (script.itemLines.count(line) && error.find(": no item ") != std::string::npos &&
            (script.invalidLine == 0 || line < script.invalidLine))
            return "";
        return "refused line " + std::to_string(line);
    }
    return "exit status " + std::to_string(run.status) +
           (script.invalidLine ? " (line " + std::to_string(script.invalidLine) + " is invalid)"
                               : " (every line is valid)");
}

// The script as the report shows it: long lines cut, control characters made visible.
std::string Shown(const std::string& text) {
    std::string shown;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        std::string visible;
        for (unsigned char c : line) {
            if (visible.size() > 150) {
                visible += "... (" + std::to_string(line.size()) + " bytes)";
                break;
            }
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                visible += hex;
            } else {
                visible += static_cast<char>(c);
            }
        }
        shown += "  " + std::to_string(++number) + "| " + visible + "\n";
    }
    return shown;
}

class RandomScripts : public ::testing::TestWithParam<int> {};

TEST_P(RandomScripts, EndCleanly) {
    const auto& inventory = Inventory();
    ASSERT_FALSE(inventory.controls.empty());
    fs::path runner = Runner();
    ASSERT_TRUE(fs::exists(runner)) << runner;
    auto count = static_cast<int>(FromEnvironment("SG_RANDOM_SCRIPTS", DefaultScriptCount));
    auto seed = FromEnvironment("SG_RANDOM_SEED", DefaultSeed);

    int failures = 0;
    double slowest = 0;
    for (int index = GetParam(); index < count && failures < ReportedFailures;
         index += ShardCount) {
        fs::path work = MakeFolder(fs::temp_directory_path(), "sg-random-script-");
        ASSERT_FALSE(work.empty());
        fs::path folder = work / "dossier";
        fs::create_directory(folder);
        FillScriptFolder(folder.string(), ScriptSeed(seed, index));
        RandomScript script = GenerateScript(ScriptSeed(seed, index), inventory, folder.string());
        fs::path file = work / "script.scn";
        std::ofstream(file, std::ios::binary) << script.text;

        ScriptRun run = RunScript(runner.string(), folder.string(), script.separator, file.string(),
                                  (work / "out").string(), (work / "err").string(), TimeoutSeconds);
        slowest = std::max(slowest, run.seconds);
        std::string verdict = Verdict(script, run, inventory);
        if (verdict.empty()) {
            fs::remove_all(work);
            continue;
        }
        // The folder as the script left it is kept aside, and made again as it started.
        ++failures;
        fs::rename(folder, work / "dossier-after");
        fs::create_directory(folder);
        FillScriptFolder(folder.string(), ScriptSeed(seed, index));
        ADD_FAILURE() << "script " << index << " (seed " << seed << "): " << verdict
                      << "\nreplay (ulimit -f 32768): " << runner.string() << " --dir "
                      << folder.string()
                      << (script.separator == ',' ? " --decimal-separator ," : "") << " "
                      << file.string() << "\nstandard error: " << run.err << "script:\n"
                      << Shown(script.text);
    }
    std::printf("slowest script: %.2f s\n", slowest);
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomScripts, ::testing::Range(0, ShardCount));

} // namespace

} // namespace sg

int main(int argc, char** argv) {
    // Race files written far out (a race number in the thousands) meet a file-size limit, as
    // under `ulimit -f`; the scripts' own output stays well below it.
    rlimit size{};
    getrlimit(RLIMIT_FSIZE, &size);
    size.rlim_cur = std::min<rlim_t>(size.rlim_max, 16 << 20);
    setrlimit(RLIMIT_FSIZE, &size);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
