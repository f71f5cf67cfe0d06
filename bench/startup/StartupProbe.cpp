// The program's own start, ending once its main window is shown.
#include "Program.h"

int main(int argc, char* argv[]) {
    return sg::RunProgram(argc, argv, sg::Startup::QuitWhenShown);
}
