// The program's start: one running instance, the French of Qt, then the main window.
#pragma once

namespace sg {

enum class Startup {
    Normal,
    QuitWhenShown, // ends once the main window is shown and painted: start-up measured alone
};

int RunProgram(int argc, char* argv[], Startup startup);

} // namespace sg
