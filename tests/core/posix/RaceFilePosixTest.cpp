// The race file on Linux: pipes and devices refused before they are opened, a file removed
// while open, and writes stopped by the file-size limit or a full medium undone.
#include "core/RaceFileFixture.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace sg {
namespace {

using enum RaceFileAccess;

TEST_F(RaceFileTest, RefusesPipesAndDevicesBeforeOpeningThem) {
    auto pipe = folder.File("tube.tur");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    RaceFile closed;
    struct Case {
        const char* name;
        RaceFileStatus status;
    } cases[] = {
        // A named pipe would block an open until some writer came: refused before opening.
        {"pipe", closed.Open(pipe, ReadOnly)},
        {"pipe to create", closed.Open(pipe, ReadWriteCreate)},
        {"device", closed.Open("/dev/null", ReadWrite)},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.status) << c.name;
        EXPECT_EQ(c.status.Error().failure, RaceFileFailure::NotRegularFile) << c.name;
    }
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
