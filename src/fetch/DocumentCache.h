// A folder of documents kept by their relative paths ("05032024/R1/C2/participants.json"):
// the cache an import fills, or a folder given as the source and read in place. A document is
// written whole or not at all, and only a checked relative path ever becomes a file.
#pragma once

#include "racefile/WholeFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace sg {

class DocumentCache {
  public:
    explicit DocumentCache(std::string folder) : folder_(std::move(folder)) {}

    const std::string& Folder() const { return folder_; }

    // Whether the folder exists.
    bool Exists() const;

    // The document's bytes; empty when there is none (or the path is not a safe one).
    // `unreadable` says whether a file was there but could not be read.
    std::optional<std::string> Read(std::string_view relativePath,
                                    bool* unreadable = nullptr) const;

    // Keeps the document, creating the folders on its way; the reason when it cannot.
    std::optional<FileWriteError> Store(std::string_view relativePath,
                                        std::string_view content) const;

  private:
    std::string folder_;
};

} // namespace sg
