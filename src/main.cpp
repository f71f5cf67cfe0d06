// Simple Gagnant.
#include "Program.h"

int main(int argc, char* argv[]) {
    return sg::RunProgram(argc, argv, sg::Startup::Normal);
}
