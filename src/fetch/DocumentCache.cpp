#include "fetch/DocumentCache.h"

#include "fetch/FetchRules.h"
#include "racefile/Platform.h"

#include <cerrno>

namespace sg {

namespace {

// The folder's path with the relative path's, in the system's terms.
std::filesystem::path Beneath(const std::string& folder, std::string_view relativePath) {
    return os::PathOf(folder) / os::PathOf(std::string(relativePath));
}

} // namespace

bool DocumentCache::Exists() const {
    return os::KindOf(folder_) == os::PathKind::Folder;
}

std::optional<std::string> DocumentCache::Read(std::string_view relativePath,
                                               bool* unreadable) const {
    if (unreadable) *unreadable = false;
    if (!IsSafeRelativePath(relativePath)) return std::nullopt;
    bool missing = false;
    auto content = ReadWholeFile(os::Utf8Of(Beneath(folder_, relativePath)), &missing);
    if (!content && !missing && unreadable) *unreadable = true;
    return content;
}

std::optional<FileWriteError> DocumentCache::Store(std::string_view relativePath,
                                                   std::string_view content) const {
    if (!IsSafeRelativePath(relativePath)) return FileWriteError{EINVAL};
    std::filesystem::path path = Beneath(folder_, relativePath);
    if (int error = os::MakeFolders(os::Utf8Of(path.parent_path()), false))
        return FileWriteError{error};
    return WriteWholeFile(os::Utf8Of(path), content);
}

} // namespace sg
