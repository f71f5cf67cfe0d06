// sg-race: counts, shows and changes the races of a race file from the shell, and makes
// demonstration race files.
#include "RaceToolCommands.h"

#include "racefile/Platform.h"

#include <iostream>

int main(int argc, char** argv) {
    sg::os::UseUtf8Console();
    if (auto failure = sg::RunRaceTool(sg::os::ProgramArguments(argc, argv), std::cout)) {
        std::cerr << *failure << "\n";
        return 1;
    }
    if (!std::cout.flush()) {
        std::cerr << "Impossible d'écrire sur la sortie standard.\n";
        return 1;
    }
    return 0;
}
