#include "racefile/Platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

namespace sg::os {

namespace {

HANDLE HandleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

// The system's error in errno's terms, which the messages above this layer know.
int ErrorNumberOf(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
        return ENOENT;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    // A file another program keeps open without sharing it is as good as forbidden.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
    case ERROR_FILENAME_EXCED_RANGE:
        return EINVAL;
    default:
        return EIO;
    }
}

int LastError() {
    return ErrorNumberOf(GetLastError());
}

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str());
}

// One call moves at most what a DWORD counts.
DWORD ChunkOf(std::size_t count) {
    return static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// Where Append and TryLock take their locks: no file reaches them, and the locks of Windows,
// which forbid others the bytes locked, forbid them nothing there.
constexpr std::uint64_t AppendLockOffset = std::uint64_t{1} << 62;
constexpr std::uint64_t ProgramLockOffset = AppendLockOffset + 1;

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of the part of a full path that is no folder to create: "C:\" or
// "\\server\share\".
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':')
        return path.size() >= 3 && IsPathSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        std::size_t at = 2;
        for (int parts = 0; parts < 2 && at < path.size(); ++parts) {
            while (at < path.size() && !IsPathSeparator(path[at])) ++at;
            if (at < path.size()) ++at;
        }
        return at;
    }
    return path.empty() || !IsPathSeparator(path[0]) ? 0 : 1;
}

// The console's code page before UseUtf8Console, put back at the end: the console outlives the
// program.
UINT savedConsoleOutput = 0;

void RestoreConsole() {
    if (savedConsoleOutput != 0) SetConsoleOutputCP(savedConsoleOutput);
}

} // namespace

OpenedFile OpenFile(const std::string& path, OpenMode mode, bool) {
    DWORD attributes = AttributesOf(path);
    if (mode != OpenMode::CreateNew && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {NoFile, EISDIR};
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
    case OpenMode::Read:
        break;
    case OpenMode::ReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    case OpenMode::ReadWriteCreate:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
        break;
    case OpenMode::CreateNew:
        access = GENERIC_WRITE;
        disposition = CREATE_NEW;
        break;
    case OpenMode::Append:
        // Without the right to write anywhere else: nothing but appends. Reading is for the
        // lock Append takes.
        access = GENERIC_READ | FILE_APPEND_DATA;
        disposition = OPEN_ALWAYS;
        break;
    }
    HANDLE handle = CreateFileW(Wide(path).c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {NoFile, LastError()};
    // A device ("NUL", "COM1") or a pipe opens like a file: only a file on a disk is kept.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return {NoFile, ENODEV};
    }
    return {reinterpret_cast<FileHandle>(handle), 0};
}

int CloseFile(FileHandle file) {
    return CloseHandle(HandleOf(file)) ? 0 : LastError();
}

int StateOf(FileHandle file, FileState& state) {
    FILE_STANDARD_INFO info{};
    if (!GetFileInformationByHandleEx(HandleOf(file), FileStandardInfo, &info, sizeof info))
        return LastError();
    state.length = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
    state.removed = info.DeletePending || info.NumberOfLinks == 0;
    return 0;
}

std::int64_t ReadAt(FileHandle file, std::uint8_t* into, std::size_t count, std::uint64_t offset,
                    int& error) {
    std::size_t done = 0;
    error = 0;
    while (done < count) {
        OVERLAPPED at = At(offset + done);
        DWORD got = 0;
        if (!ReadFile(HandleOf(file), into + done, ChunkOf(count - done), &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            error = LastError();
            return -1;
        }
        if (got == 0) break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

std::size_t WriteAt(FileHandle file, const std::uint8_t* from, std::size_t count,
                    std::uint64_t offset, int& error) {
    std::size_t done = 0;
    error = 0;
    while (done < count) {
        OVERLAPPED at = At(offset + done);
        DWORD put = 0;
        if (!WriteFile(HandleOf(file), from + done, ChunkOf(count - done), &put, &at)) {
            error = LastError();
            break;
        }
        if (put == 0) break;
        done += put;
    }
    return done;
}

int WriteAll(FileHandle file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        if (!WriteFile(HandleOf(file), bytes.data() + done, ChunkOf(bytes.size() - done), &put,
                       nullptr))
            return LastError();
        if (put == 0) return EIO;
        done += put;
    }
    return 0;
}

int Append(FileHandle file, std::string_view bytes) {
    // Appends through other handles may land between the pieces of a write: a lock on a byte
    // far beyond any file's end keeps them apart, in this program and in the others.
    OVERLAPPED lockAt = At(AppendLockOffset);
    if (!LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockAt)) return LastError();
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        OVERLAPPED end = At(~std::uint64_t{0}); // the end of the file, wherever it is now
        DWORD put = 0;
        if (!WriteFile(HandleOf(file), bytes.data() + done, ChunkOf(bytes.size() - done), &put,
                       &end))
            error = LastError();
        else if (put == 0)
            error = EIO;
        done += put;
    }
    UnlockFileEx(HandleOf(file), 0, 1, 0, &lockAt);
    return error;
}

int Truncate(FileHandle file, std::uint64_t length) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    return SetFileInformationByHandle(HandleOf(file), FileEndOfFileInfo, &end, sizeof end)
               ? 0
               : LastError();
}

bool TryLock(FileHandle file) {
    OVERLAPPED lockAt = At(ProgramLockOffset);
    return LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &lockAt);
}

int Flush(FileHandle file, bool) {
    return FlushFileBuffers(HandleOf(file)) ? 0 : LastError();
}

PathKind KindOf(const std::string& path) {
    DWORD attributes = AttributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathKind::Other : PathKind::File;
}

int Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

int RemoveFile(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) ? 0 : LastError();
}

// The rename went through with MOVEFILE_WRITE_THROUGH: nothing is left to flush.
void FlushFolder(const std::string&) {}

int MakeFolders(const std::string& folder, bool) {
    for (std::size_t at = RootLength(folder) + 1; at <= folder.size(); ++at) {
        if (at < folder.size() && !IsPathSeparator(folder[at])) continue;
        if (IsPathSeparator(folder[at - 1])) continue;
        std::string part = folder.substr(0, at);
        if (CreateDirectoryW(Wide(part).c_str(), nullptr)) continue;
        // A folder the user may not write in ("C:\Users") may answer "access denied".
        DWORD error = GetLastError();
        DWORD attributes = AttributesOf(part);
        bool folderThere =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (error != ERROR_ALREADY_EXISTS && !folderThere) return ErrorNumberOf(error);
    }
    DWORD attributes = AttributesOf(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
}

// Windows has no file-size signal: a write beyond what the medium takes just fails.
void IgnoreFileSizeSignal() {}

bool IsMediumFull(int error) {
    return error == ENOSPC;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

int ProcessId() {
    return static_cast<int>(GetCurrentProcessId());
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

std::optional<std::string> Environment(const char* name) {
    const wchar_t* value = _wgetenv(Wide(name).c_str());
    if (!value) return std::nullopt;
    return Utf8(value);
}

std::optional<std::string> ApplicationDataFolder() {
    auto folder = Environment("APPDATA");
    if (!folder || !IsFullPath(*folder)) return std::string();
    return folder;
}

const char PathSeparator = '\\';

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsFullPath(std::string_view path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsPathSeparator(path[2]))
        return true;
    return !path.empty() && IsPathSeparator(path[0]);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    bool separated = !folder.empty() && IsPathSeparator(folder.back());
    return folder + (separated ? "" : "\\") + name;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(Wide(utf8));
}

std::string Utf8Of(const std::filesystem::path& path) {
    return Utf8(path.native());
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return {argv + 1, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

void UseUtf8Console() {
    UINT current = GetConsoleOutputCP();
    if (current == 0 || current == CP_UTF8) return; // no console, or already UTF-8
    savedConsoleOutput = current;
    SetConsoleOutputCP(CP_UTF8);
    std::atexit(RestoreConsole);
}

std::string SpreadsheetText(std::string_view text) {
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
        crlf += text[i];
    }
    return crlf;
}

} // namespace sg::os
