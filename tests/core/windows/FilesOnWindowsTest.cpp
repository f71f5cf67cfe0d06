// The core's files on Windows: drive letters and backslashes, names beyond the user's code
// page, files other programs keep open, devices and pipes, the line ends of spreadsheets, and
// the journal in the user's application data.
#include "core/JournalEntries.h"
#include "core/RaceFileFixture.h"

#include "racefile/RaceSession.h"
#include "racefile/WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <thread>

namespace sg {
namespace {

using enum RaceFileAccess;

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Another program's handle on a file, with the sharing it grants.
struct OtherProgram {
    HANDLE handle;
    OtherProgram(const std::string& path, DWORD share)
        : handle(CreateFileW(os::PathOf(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                             OPEN_EXISTING, 0, nullptr)) {}
    ~OtherProgram() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    std::string ReadRace(int race) const {
        std::string bytes(RaceRecordSize, '\0');
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>((race - 1) * RaceRecordSize);
        DWORD got = 0;
        ReadFile(handle, bytes.data(), RaceRecordSize, &got, &at);
        return bytes.substr(0, got);
    }
    bool WriteRace(int race, const std::string& bytes) const {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>((race - 1) * RaceRecordSize);
        DWORD put = 0;
        return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &put, &at) &&
               put == bytes.size();
    }
};

TEST(WindowsPaths, ANameTypedGoesIntoTheFolderUnlessItIsAFullPath) {
    struct Case {
        std::string folder, typed, path;
    } cases[] = {
        {"C:\\turf", "courses.tur", "C:\\turf\\courses.tur"},
        {"C:\\turf\\", "courses.tur", "C:\\turf\\courses.tur"},
        {"C:/turf/", "courses.tur", "C:/turf/courses.tur"},
        {"C:\\turf", "2024\\courses.tur", "C:\\turf\\2024\\courses.tur"},
        {"C:\\turf", "D:\\jeux\\a.tur", "D:\\jeux\\a.tur"},
        {"C:\\turf", "d:/jeux/a.tur", "d:/jeux/a.tur"},
        {"C:\\turf", "\\\\serveur\\partage\\a.tur", "\\\\serveur\\partage\\a.tur"},
        {"C:\\turf", "\\a.tur", "\\a.tur"},
        {"C:\\turf", "C:a.tur", "C:\\turf\\C:a.tur"}, // no such name: refused when opened
    };
    for (const Case& c : cases) EXPECT_EQ(ChosenPathOf(c.folder, c.typed), c.path) << c.typed;
}

TEST_F(RaceFileTest, NamesBeyondTheCodePageBehindADriveLetter) {
    const std::wstring accented = L"\u00C9t\u00E9 \u00E0 \u0141\u00F3d\u017A \u2013 R1.tur";
    for (std::string name : {"courses.tur", "Été à Łódź – R1.tur", "東京.tur"}) {
        std::string named = folder.File(name);
        ASSERT_EQ(named.substr(1, 2), ":\\") << named;
        RaceFile file;
        ASSERT_TRUE(file.Open(named, ReadWriteCreate)) << named;
        RaceRecord record;
        record.SetField(RaceField::RunnerCount, "9");
        ASSERT_TRUE(file.Write(2, record)) << named;
        ASSERT_TRUE(file.Close());
        // The same file with forward slashes.
        std::string slashed = named;
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        ASSERT_TRUE(file.Open(slashed, ReadOnly)) << slashed;
        EXPECT_EQ(file.RaceCount().Value(), 2) << slashed;
        EXPECT_EQ(BytesOf(file.Read(2).Value()), BytesOf(record));
    }
    // The system holds the very name, not its letters in some code page.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(
        GetFileAttributesExW((folder.path / accented).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 2 * RaceRecordSize);

    // The files beside race files and the folders of the journal too.
    std::string index = folder.File("Réunion Łódź.csv");
    ASSERT_FALSE(WriteWholeFile(index, "1;2\n"));
    ASSERT_FALSE(AppendLines(index, "3;4\n"));
    EXPECT_EQ(ReadWholeFile(index), "1;2\n3;4\n");
    std::string journal = folder.File("Données\\Łódź\\simple-gagnant");
    ASSERT_FALSE(AppendToJournal(journal, ResetEntry(Noon)));
    EXPECT_EQ(ReadJournal(journal).entries.size(), 1u);
    EXPECT_TRUE(fs::is_directory(folder.path / L"Donn\u00E9es" / L"\u0141\u00F3d\u017A"));
}

TEST_F(RaceFileTest, RefusesDevicesAndPipes) {
    std::wstring pipeName = L"\\\\.\\pipe\\sg-test-" + std::to_wstring(GetCurrentProcessId());
    HANDLE pipe =
        CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    struct Case {
        std::string path;
        RaceFileAccess access;
    } cases[] = {
        {"NUL", ReadWrite},
        {"nul", ReadOnly},
        {"\\\\.\\NUL", ReadWriteCreate},
        {os::Utf8Of(pipeName), ReadOnly},
    };
    for (const Case& c : cases) {
        RaceFile file;
        auto opened = file.Open(c.path, c.access);
        ASSERT_FALSE(opened) << c.path;
        EXPECT_EQ(opened.Error().failure, RaceFileFailure::NotRegularFile) << c.path;
    }
    CloseHandle(pipe);
}

// The sibling programs keep the race file open while this one reads and writes it.
TEST_F(RaceFileTest, AFileOtherProgramsKeepOpen) {
    RaceRecord first;
    first.SetField(RaceField::RunnerCount, "12");
    Fill(path, BytesOf(first) + RandomBytes(RaceRecordSize, 8));
    struct Case {
        const char* name;
        DWORD share;
        bool opens;
        std::optional<RaceFileFailure> readOnly;
    } cases[] = {
        {"shared", FILE_SHARE_READ | FILE_SHARE_WRITE, true, std::nullopt},
        {"others may only read", FILE_SHARE_READ, true, RaceFileFailure::ReadOnly},
        {"kept to itself", 0, false, std::nullopt},
    };
    for (const Case& c : cases) {
        OtherProgram other(path, c.share);
        ASSERT_NE(other.handle, INVALID_HANDLE_VALUE) << c.name;
        RaceSession session;
        auto opened = session.Open(path);
        ASSERT_EQ(opened.Ok(), c.opens) << c.name;
        if (c.opens) {
            EXPECT_EQ(session.ReadOnlyReason(), c.readOnly) << c.name;
        }
    }

    // Each sees the other's races at once; this one never stands in the other's way.
    RaceFile file;
    ASSERT_TRUE(file.Open(path, ReadWrite));
    OtherProgram other(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(other.handle, INVALID_HANDLE_VALUE);
    RaceRecord ours;
    ours.SetField(RaceField::RunnerCount, "7");
    ASSERT_TRUE(file.Write(3, ours));
    EXPECT_EQ(other.ReadRace(3), BytesOf(ours));
    const std::string theirs(RaceRecordSize, 'T');
    ASSERT_TRUE(other.WriteRace(1, theirs));
    EXPECT_EQ(BytesOf(file.Read(1).Value()), theirs);
    EXPECT_EQ(file.RaceCount().Value(), 3);
}

TEST_F(RaceFileTest, AFileDeletedWhileOpenRefusesToPretendItSaved) {
    if (UnderWine()) GTEST_SKIP() << "Wine keeps a deleted file that is open, and does not say so";
    Fill(path, RandomBytes(RaceRecordSize, 5));
    RaceFile file;
    ASSERT_TRUE(file.Open(path, ReadWrite));
    ASSERT_TRUE(DeleteFileW(os::PathOf(path).c_str()));
    EXPECT_EQ(file.Write(1, RaceRecord{}).Error().failure, RaceFileFailure::FileRemoved);
    EXPECT_TRUE(file.Read(1));
}

// The exports' line ends are checked on sg-race.exe's files (tests/windows); the journal's here.
TEST(Journal, EndsItsLinesAsWindowsSpreadsheetsDo) {
    WorkFolder work;
    std::string folder = work.File("journal");
    ASSERT_FALSE(AppendToJournal(folder, Play("08/12/2025", "a.tur", 10, 0)));
    ASSERT_FALSE(AppendToJournal(folder, ResetEntry(Noon)));
    std::string text = Contents(os::PathOf(JournalPathIn(folder)));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r') << at;
    Journal journal = ReadJournal(folder);
    EXPECT_TRUE(journal.notes.empty());
    EXPECT_EQ(journal.entries.size(), 2u);
}

TEST(Journal, KeptInTheUsersApplicationData) {
    struct Case {
        const wchar_t* appData; // nullptr: unset
        std::string folder;
    } cases[] = {
        {L"C:\\Users\\Zo\u00E9\\AppData\\Roaming",
         "C:\\Users\\Zoé\\AppData\\Roaming\\simple-gagnant"},
        {L"C:\\Users\\Zo\u00E9\\AppData\\Roaming\\",
         "C:\\Users\\Zoé\\AppData\\Roaming\\simple-gagnant"},
        {L"\\\\serveur\\profils\\zoe", "\\\\serveur\\profils\\zoe\\simple-gagnant"},
        {L"AppData", ""}, // no full path: no journal rather than one in some current folder
        {nullptr, ""},
    };
    std::optional<std::string> saved = os::Environment("APPDATA");
    for (const Case& c : cases) {
        _wputenv_s(L"APPDATA", c.appData ? c.appData : L"");
        EXPECT_EQ(UserJournalFolder(), c.folder) << c.folder;
    }
    _wputenv_s(L"APPDATA", saved ? os::PathOf(*saved).c_str() : L"");
}

TEST(Journal, ProgramsAppendingAtOnceKeepEveryLineWhole) {
    WorkFolder work;
    std::string folder = work.File("j");
    constexpr int Writers = 4, Lines = 60;
    std::vector<std::thread> writers;
    for (int w = 0; w < Writers; ++w) {
        writers.emplace_back([&folder, w] {
            JournalEntry entry = Play("08/12/2025", "a.tur", 10, 0);
            for (int i = 0; i < Lines; ++i) {
                entry.horses = "écrivain" + std::to_string(w) + " " + std::to_string(i) + " " +
                               std::string(1500, 'x');
                EXPECT_FALSE(AppendToJournal(folder, entry));
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    Journal journal = ReadJournal(folder);
    EXPECT_TRUE(journal.notes.empty());
    EXPECT_EQ(journal.entries.size(), std::size_t(Writers * Lines));
}

} // namespace
} // namespace sg
