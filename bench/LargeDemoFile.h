// A demonstration file of 32767 races (557 MB), made once by sg-race, built beside the
// benchmarks, and read once so that it is in the page cache; removed when the program ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sg {

inline const std::string& LargeDemoFile() {
    namespace fs = std::filesystem;
    struct File {
        std::string path;
        File() {
            path = (fs::temp_directory_path() / "sg-bench-backtest-32767.tur").string();
            fs::remove(path);
            fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "sg-race";
            std::string make = tool.string() + " demo " + path + " 32767";
            std::string warm = "cat " + path + " > /dev/null";
            if (std::system(make.c_str()) != 0 || std::system(warm.c_str()) != 0) std::abort();
        }
        ~File() { fs::remove(path); }
    };
    static File file;
    return file.path;
}

} // namespace sg
