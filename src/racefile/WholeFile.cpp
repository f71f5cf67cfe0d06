#include "racefile/WholeFile.h"

#include "racefile/Platform.h"

#include <algorithm>
#include <cerrno>
#include <random>

namespace sg {

namespace {

std::string TemporaryNameBeside(const std::string& path) {
    std::random_device seed;
    return path + ".tmp-" + std::to_string(os::ProcessId()) + "-" + std::to_string(seed() % 100000);
}

} // namespace

std::string FileWriteError::Message() const {
    if (os::IsMediumFull(systemError)) return "Le disque est plein.";
    switch (systemError) {
    case EACCES:
    case EPERM:
        return "Vous n'avez pas le droit d'écrire dans ce dossier.";
    case EROFS:
        return "Le dossier est protégé en écriture.";
    case ENOENT:
    case ENOTDIR:
        return "Le dossier est introuvable.";
    case EISDIR:
        return "C'est un dossier, pas un fichier.";
    default:
        return "L'écriture a échoué (" + os::ErrorText(systemError) + ").";
    }
}

std::optional<FileWriteError> WriteWholeFile(const std::string& path, std::string_view content,
                                             bool ownerOnly) {
    if (os::KindOf(path) == os::PathKind::Folder) return FileWriteError{EISDIR};
    std::string temporary = TemporaryNameBeside(path);
    os::OpenedFile opened = os::OpenFile(temporary, os::OpenMode::CreateNew, ownerOnly);
    if (opened.handle == os::NoFile) return FileWriteError{opened.error};
    int error = os::WriteAll(opened.handle, content);
    if (error == 0) error = os::Flush(opened.handle, true);
    if (int closed = os::CloseFile(opened.handle); error == 0) error = closed;
    if (error == 0) error = os::Rename(temporary, path);
    if (error != 0) {
        (void)os::RemoveFile(temporary);
        return FileWriteError{error};
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    os::FlushFolder(os::Utf8Of(os::PathOf(path).parent_path()));
    return std::nullopt;
}

namespace {

// What must go before lines appended to the file: its header when it is missing or empty, a
// line end when its last line was cut short.
std::string BeforeAppending(const std::string& path, std::string_view header) {
    os::OpenedFile opened = os::OpenFile(path, os::OpenMode::Read);
    if (opened.handle == os::NoFile) return std::string(header);
    std::string before;
    os::FileState state;
    if (os::StateOf(opened.handle, state) == 0) {
        std::uint8_t last = '\n';
        int ignored = 0;
        if (state.length == 0)
            before = header;
        else if (os::ReadAt(opened.handle, &last, 1, state.length - 1, ignored) == 1 &&
                 last != '\n')
            before = "\n";
    }
    (void)os::CloseFile(opened.handle);
    return before;
}

} // namespace

std::optional<FileWriteError> AppendLines(const std::string& path, std::string_view lines,
                                          std::string_view header, bool ownerOnly) {
    std::string content = os::KindOf(path) == os::PathKind::File ? BeforeAppending(path, header)
                                                                 : std::string(header);
    content += lines;
    os::OpenedFile opened = os::OpenFile(path, os::OpenMode::Append, ownerOnly);
    if (opened.handle == os::NoFile) return FileWriteError{opened.error};
    // One write: appends of other programs go before or after it, never into it.
    int error = os::Append(opened.handle, content);
    if (error == 0) error = os::Flush(opened.handle, true);
    (void)os::CloseFile(opened.handle);
    if (error != 0) return FileWriteError{error};
    return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path, bool* missing) {
    os::OpenedFile opened = os::OpenFile(path, os::OpenMode::Read);
    if (missing) *missing = opened.error == ENOENT || opened.error == ENOTDIR;
    if (opened.handle == os::NoFile) return std::nullopt;
    // Read in one go at the size the file has, then on until its true end (it may grow).
    os::FileState state;
    std::size_t chunk = 1 << 16;
    if (os::StateOf(opened.handle, state) == 0)
        chunk = std::max<std::size_t>(chunk, static_cast<std::size_t>(state.length) + 1);
    std::string content;
    int error = 0;
    for (;; chunk = 1 << 16) {
        std::size_t had = content.size();
        content.resize(had + chunk);
        std::int64_t got = os::ReadAt(opened.handle, reinterpret_cast<std::uint8_t*>(&content[had]),
                                      chunk, had, error);
        content.resize(had + static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
        if (got < static_cast<std::int64_t>(chunk)) break;
    }
    (void)os::CloseFile(opened.handle);
    if (error != 0) return std::nullopt;
    return content;
}

} // namespace sg
