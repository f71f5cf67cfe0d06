// sg-race: counts, shows and changes the races of a race file from the shell, and makes
// demonstration race files.
#include "RaceToolCommands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (auto failure = sg::RunRaceTool(arguments, std::cout)) {
        std::cerr << *failure << "\n";
        return 1;
    }
    if (!std::cout.flush()) {
        std::cerr << "Impossible d'écrire sur la sortie standard.\n";
        return 1;
    }
    return 0;
}
