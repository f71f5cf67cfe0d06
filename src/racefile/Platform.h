// The operating system's file, folder, environment and console calls the core and the race
// tool make, in one place: PlatformPosix.cpp for Linux, PlatformWindows.cpp for Windows, the
// build picks one. Paths are UTF-8 throughout the program; failures are errno numbers (ENOENT,
// EACCES, ENOSPC...), so every message above this layer is the same on both systems.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg::os {

// An open file: a descriptor on Linux, a handle on Windows.
using FileHandle = std::intptr_t;
inline constexpr FileHandle NoFile = -1;

// Files are shared with the sibling programs, which keep them open: every open lets others
// read, write and delete the file meanwhile, and only a regular file is ever opened (a
// folder fails with EISDIR, a pipe or a device with ENODEV, before any open that could block).
enum class OpenMode {
    Read,            // an existing file
    ReadWrite,       // an existing file
    ReadWriteCreate, // created empty when missing
    CreateNew,       // for writing a new file: EEXIST when the path exists
    Append,          // for writing at its end alone, created when missing
};

struct OpenedFile {
    FileHandle handle = NoFile;
    int error = 0; // when handle is NoFile
};

// `ownerOnly` creates the file with rights for its owner alone (on Windows the user's own
// folders already are).
OpenedFile OpenFile(const std::string& path, OpenMode mode, bool ownerOnly = false);
// 0 or the error; the handle is gone either way, and everything written was already flushed.
int CloseFile(FileHandle file);

struct FileState {
    std::uint64_t length = 0;
    bool removed = false; // deleted (or replaced) since it was opened
};
int StateOf(FileHandle file, FileState& state);

// Reads up to count bytes at offset, stopping only at the end of the file: the bytes read, or
// -1 with the error in `error`.
std::int64_t ReadAt(FileHandle file, std::uint8_t* into, std::size_t count, std::uint64_t offset,
                    int& error);
// Writes count bytes at offset: the bytes written, and in `error` what stopped it short (0 when
// the system just wrote nothing more).
std::size_t WriteAt(FileHandle file, const std::uint8_t* from, std::size_t count,
                    std::uint64_t offset, int& error);
// Writes it all where the file stands: 0 or the error.
int WriteAll(FileHandle file, std::string_view bytes);
// Writes it all at the end of a file opened with OpenMode::Append, in one piece whatever other
// programs append meanwhile: 0 or the error.
int Append(FileHandle file, std::string_view bytes);
int Truncate(FileHandle file, std::uint64_t length);
// Takes the file's lock that one program at a time holds, until it closes the file: false
// while another holds it. Reads and writes of others are not hindered.
bool TryLock(FileHandle file);
// Waits until the medium holds the file's bytes (`withMetadata`: its times too): 0 or the error.
int Flush(FileHandle file, bool withMetadata);

enum class PathKind { Missing, File, Folder, Other };
PathKind KindOf(const std::string& path);

// Gives `from` the name `to` in one step, replacing a file there: 0 or the error.
int Rename(const std::string& from, const std::string& to);
int RemoveFile(const std::string& path);
// Makes sure a rename in the folder has reached the medium (nothing to do on Windows).
void FlushFolder(const std::string& folder);
// Every missing folder of the path (for its owner alone, or as the user's file-creation mask
// says): 0 when the path is a folder after.
int MakeFolders(const std::string& folder, bool ownerOnly);

// A write beyond the file-size limit (ulimit -f) raises a signal that ends the program by
// default with part of the record written: ignored, the write fails with EFBIG instead.
void IgnoreFileSizeSignal();
// A full disk or a used-up quota.
bool IsMediumFull(int error);
// The system's own words for an error, for messages that have no French sentence of their own.
std::string ErrorText(int error);

int ProcessId();
std::tm LocalTime(std::time_t when);
// A variable of the environment in UTF-8; none when it is unset.
std::optional<std::string> Environment(const char* name);
// The user's folder for programs' data on Windows (%APPDATA%), empty when it is unset or no
// full path; none on Linux, whose folders follow the XDG variables.
std::optional<std::string> ApplicationDataFolder();

// Paths: "/" on Linux; "\" on Windows, where "/" is taken too.
extern const char PathSeparator;
bool IsPathSeparator(char c);
// A full path: "/..." on Linux; "C:\...", "C:/...", "\\server\..." or "\..." (on the
// current drive) on Windows.
bool IsFullPath(std::string_view path);
std::string JoinPath(const std::string& folder, const std::string& name);
// A path of the standard library from UTF-8 and back (on Windows the plain std::string
// constructor would take the user's code page).
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// The command-line arguments after the program's name, in UTF-8 (Windows gives main() the user's
// code page, which cannot hold every name a file may have).
std::vector<std::string> ProgramArguments(int argc, char** argv);
// Standard output and error show UTF-8 on a console too; redirected, they are UTF-8 bytes.
void UseUtf8Console();
// The lines of a CSV export as a spreadsheet of the system expects them: "\r\n" on Windows.
std::string SpreadsheetText(std::string_view text);

} // namespace sg::os
