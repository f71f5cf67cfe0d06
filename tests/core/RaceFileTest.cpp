#include "racefile/RaceFile.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace sg {
namespace {

using enum RaceFileAccess;

class RaceFileTest : public ::testing::Test {
  protected:
    static void Fill(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string RandomBytes(std::size_t count, unsigned seed) {
        std::mt19937 random(seed);
        std::string bytes(count, '\0');
        for (auto& byte : bytes) byte = static_cast<char>(random());
        return bytes;
    }
    static std::string BytesOf(const RaceRecord& record) {
        return std::string(record.Raw().begin(), record.Raw().end());
    }

    // A failing write, whole or partial, must leave the old bytes and length as they were.
    static void ExpectFailedWritesChangeNothing(const std::string& file,
                                                std::initializer_list<int> races,
                                                RaceFileFailure failure) {
        const std::string before = Contents(file);
        RaceFile raceFile;
        ASSERT_TRUE(raceFile.Open(file, ReadWrite));
        for (int race : races) {
            RaceRecord record;
            record.Raw().fill(0x5A);
            auto status = raceFile.Write(race, record);
            ASSERT_FALSE(status) << race;
            EXPECT_EQ(status.Error().failure, failure) << race;
            EXPECT_EQ(Contents(file), before) << race;
        }
    }

    WorkFolder folder;
    std::string path = folder.File("courses.tur");
};

TEST_F(RaceFileTest, CountsRecordsHalvesToEven) {
    struct Case {
        std::size_t length;
        std::int32_t races;
    } cases[] = {{0, 0}, {8500, 0}, {8501, 1}, {17000, 1}, {25500, 2}, {42500, 2}, {59500, 4}};
    for (const auto& c : cases) {
        Fill(path, std::string(c.length, 'x'));
        RaceFile file;
        ASSERT_TRUE(file.Open(path, ReadOnly));
        EXPECT_EQ(file.RaceCount().Value(), c.races) << c.length;
    }
}

TEST_F(RaceFileTest, ReadsAndWritesWholeRecordsAndExtendsTheFileWithEmptyRaces) {
    const std::string bytes = RandomBytes(RaceRecordSize + 8500, 1);
    Fill(path, bytes);
    RaceFile file;
    ASSERT_TRUE(file.Open(path, ReadWrite));
    // A partial or missing record reads as zero bytes, and reading changes nothing.
    EXPECT_EQ(BytesOf(file.Read(1).Value()), bytes.substr(0, RaceRecordSize));
    EXPECT_EQ(BytesOf(file.Read(2).Value()),
              bytes.substr(RaceRecordSize) + std::string(8500, '\0'));
    EXPECT_TRUE(file.Read(3).Value() == RaceRecord{});
    EXPECT_TRUE(file.Read(LastRace).Value() == RaceRecord{});
    EXPECT_EQ(Contents(path), bytes);
    // What was read, written back, keeps every byte.
    ASSERT_TRUE(file.Write(1, file.Read(1).Value()));
    EXPECT_EQ(Contents(path), bytes);
    RaceRecord fifth;
    fifth.SetField(RaceField::RunnerCount, "8");
    ASSERT_TRUE(file.Write(5, fifth));
    EXPECT_EQ(file.RaceCount().Value(), 5);
    EXPECT_EQ(Contents(path),
              bytes + std::string(4 * RaceRecordSize - bytes.size(), '\0') + BytesOf(fifth));
}

TEST_F(RaceFileTest, RefusesWhatCannotBeDoneAndLeavesTheFileAsItWas) {
    const std::string bytes = RandomBytes(RaceRecordSize, 4);
    Fill(path, bytes);
    RaceFile readOnly, closed, readWrite, created;
    ASSERT_TRUE(readOnly.Open(path, ReadOnly));
    ASSERT_TRUE(readWrite.Open(path, ReadWriteCreate));
    auto missing = folder.File("absent.tur"), pipe = folder.File("tube.tur");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    using F = RaceFileFailure;
    struct Case {
        const char* name;
        RaceFileStatus status;
        RaceFileFailure failure;
    } cases[] = {
        {"read only", readOnly.Write(1, RaceRecord{}), F::ReadOnly},
        {"no file write", closed.Write(1, RaceRecord{}), F::NoFileOpen},
        {"race 0", readWrite.Write(0, RaceRecord{}), F::RaceOutOfRange},
        {"race 32768", readWrite.Write(LastRace + 1, RaceRecord{}), F::RaceOutOfRange},
        {"missing", closed.Open(missing, ReadWrite), F::NotFound},
        {"folder", closed.Open(folder.path.string(), ReadOnly), F::IsFolder},
        // A named pipe would block an open until some writer came: refused before opening.
        {"pipe", closed.Open(pipe, ReadOnly), F::NotRegularFile},
        {"pipe to create", closed.Open(pipe, ReadWriteCreate), F::NotRegularFile},
        {"device", closed.Open("/dev/null", ReadWrite), F::NotRegularFile},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.status) << c.name;
        EXPECT_EQ(c.status.Error().failure, c.failure) << c.name;
        EXPECT_FALSE(c.status.Error().Message().empty());
    }
    EXPECT_EQ(closed.Read(1).Error().failure, F::NoFileOpen);
    EXPECT_EQ(closed.RaceCount().Error().failure, F::NoFileOpen);
    EXPECT_FALSE(fs::exists(missing));
    ASSERT_TRUE(created.Open(missing, ReadWriteCreate));
    EXPECT_EQ(fs::file_size(missing), 0u);
    EXPECT_EQ(Contents(path), bytes);
}

TEST_F(RaceFileTest, AFileRemovedWhileOpenRefusesToPretendItSaved) {
    Fill(path, RandomBytes(RaceRecordSize, 5));
    RaceFile file;
    ASSERT_TRUE(file.Open(path, ReadWrite));
    fs::remove(path);
    EXPECT_EQ(file.Write(1, RaceRecord{}).Error().failure, RaceFileFailure::FileRemoved);
    EXPECT_TRUE(file.Read(1)); // the record is still there to look at
}

TEST_F(RaceFileTest, AWriteStoppedByTheFileSizeLimitIsUndone) {
    Fill(path, RandomBytes(2 * RaceRecordSize, 6));
    // Race 3 goes in only partly, race 9 not at all. The race file turns the signal such a
    // write raises into a failure.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit{2 * RaceRecordSize + 5000, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    ExpectFailedWritesChangeNothing(path, {3, 9}, RaceFileFailure::FileTooLarge);
    setrlimit(RLIMIT_FSIZE, &saved);
}

TEST_F(RaceFileTest, AWriteOnAFullMediumIsRefusedAndUndone) {
    fs::path mountPoint = folder.path / "small";
    fs::create_directory(mountPoint);
    if (mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    struct Unmount {
        fs::path at;
        ~Unmount() { umount(at.c_str()); }
    } unmount{mountPoint};
    std::string racePath = (mountPoint / "courses.tur").string();
    Fill(racePath, RandomBytes(2 * RaceRecordSize, 7));
    {
        RaceFile file;
        ASSERT_TRUE(file.Open(racePath, ReadWrite));
        ASSERT_TRUE(file.Write(5, RaceRecord{})); // races 3 and 4 stay holes without storage
    }
    std::ofstream filler(mountPoint / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
    ExpectFailedWritesChangeNothing(racePath, {3, 4, 9}, RaceFileFailure::MediumFull);
}

} // namespace
} // namespace sg
