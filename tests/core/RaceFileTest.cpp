#include "RaceFileFixture.h"

namespace sg {
namespace {

using enum RaceFileAccess;

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
    auto missing = folder.File("absent.tur");
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

} // namespace
} // namespace sg
