// Serves a folder of documents on the loopback address as the PMU's service would, for the
// given number of seconds or until stopped: sg-race.exe under Wine imports from it beside the
// Linux sg-race (tests/windows/same-as-linux.sh). Its address is its one line of output.
#include "http/LocalHttpServer.h"

#include <chrono>
#include <iostream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage : sg-serve-folder DOSSIER SECONDES\n";
        return 1;
    }
    sg::LocalHttpServer server;
    server.ServeFolder(argv[1]);
    std::cout << server.Base() << std::endl;
    std::this_thread::sleep_for(std::chrono::seconds(std::stoi(argv[2])));
    return 0;
}
