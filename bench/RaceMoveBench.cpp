// Moving to another race on the real windows (read, sort, fill the 22 rows, compute), in a
// demonstration file of 10 races and in one of 32767: a move must cost the same in both.
#include "screens/RecordingPrompter.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "sg-bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// A demonstration file made by sg-race, built beside this program, removed at the end.
struct DemoFile {
    std::string path;
    explicit DemoFile(int races) {
        path =
            (fs::temp_directory_path() / ("sg-bench-" + std::to_string(races) + ".tur")).string();
        fs::remove(path);
        fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "sg-race";
        std::string command = tool.string() + " demo " + path + " " + std::to_string(races);
        if (std::system(command.c_str()) != 0) std::abort();
    }
    ~DemoFile() { fs::remove(path); }
};

// The windows with a race file open at race `start`, the messages of empty races dropped.
struct Windows {
    sg::SharedState state;
    sg::RecordingPrompter prompter{[](const std::string&) {}};
    sg::Screens screens{state, prompter, prompter, QDir::tempPath()};
    Windows(const std::string& path, int start) {
        screens.main().show(); // its load sets every value to its start: no file open
        state.race.ChosenFilePath = path;
        if (!state.race.Open(path) || !state.race.Load(start)) std::abort();
    }
};

void MoveToAnotherRace(benchmark::State& run, int races) {
    Application();
    DemoFile file(races);
    Windows windows(file.path, races / 2);
    sg::frmJeuGagnant& main = windows.screens.main();
    bool forward = true;
    for (auto _ : run) {
        main.imgCourses_MouseDown(forward ? 1200 : 100, 100); // next, then previous
        forward = !forward;
    }
    int race = windows.state.race.CurrentRace; // every move was made
    if (race != races / 2 && race != races / 2 + 1) std::abort();
    benchmark::DoNotOptimize(windows.state.race.CurrentRace);
}
BENCHMARK_CAPTURE(MoveToAnotherRace, 10 races, 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MoveToAnotherRace, 32767 races, 32767)->Unit(benchmark::kMicrosecond);

} // namespace
