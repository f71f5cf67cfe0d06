// A fresh folder for a test's files, removed with them at the end, and a file's bytes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sg {

namespace fs = std::filesystem;

inline std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct WorkFolder {
    fs::path path;
    WorkFolder() {
        char pattern[] = "/tmp/sg-test-XXXXXX";
        if (mkdtemp(pattern)) path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
    std::string Quoted(const std::string& name) const { return "'" + (path / name).string() + "'"; }
};

} // namespace sg
