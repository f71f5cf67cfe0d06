#include "fetch/DocumentCache.h"

#include "fetch/FetchRules.h"

#include <cerrno>
#include <filesystem>

namespace sg {

namespace fs = std::filesystem;

bool DocumentCache::Exists() const {
    std::error_code error;
    return fs::is_directory(folder_, error);
}

std::optional<std::string> DocumentCache::Read(std::string_view relativePath,
                                               bool* unreadable) const {
    if (unreadable) *unreadable = false;
    if (!IsSafeRelativePath(relativePath)) return std::nullopt;
    bool missing = false;
    auto content = ReadWholeFile((fs::path(folder_) / relativePath).string(), &missing);
    if (!content && !missing && unreadable) *unreadable = true;
    return content;
}

std::optional<FileWriteError> DocumentCache::Store(std::string_view relativePath,
                                                   std::string_view content) const {
    if (!IsSafeRelativePath(relativePath)) return FileWriteError{EINVAL};
    fs::path path = fs::path(folder_) / relativePath;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) return FileWriteError{error.value()};
    return WriteWholeFile(path.string(), content);
}

} // namespace sg
