// A fresh folder for a test's files, removed with them at the end, a file's bytes, and the files
// the build leaves beside the programs.
#pragma once

#include "racefile/Platform.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace sg {

namespace fs = std::filesystem;

inline std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The build leaves the programs and demo.tur one level above the test binaries.
inline fs::path BuiltTool(const std::string& name) {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / name;
}

struct WorkFolder {
    fs::path path;
    WorkFolder() {
        std::error_code error;
        fs::path temporary = fs::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            fs::path candidate = temporary / ("sg-test-" + std::to_string(random()));
            if (fs::create_directory(candidate, error)) path = candidate;
        }
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    // The path of a file in the folder, in UTF-8 as the program takes paths.
    std::string File(const std::string& name) const { return os::Utf8Of(path / os::PathOf(name)); }
    std::string Quoted(const std::string& name) const { return "'" + (path / name).string() + "'"; }
};

} // namespace sg
