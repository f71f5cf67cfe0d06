// Files the core writes and opens on Linux: rights for their owner alone, no wait on a pipe, and
// a race file on a read-only medium.
#include "racefile/RaceSession.h"
#include "racefile/WholeFile.h"

#include "MountedFolder.h"
#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sg {
namespace {

TEST(WholeFileTest, AFileForItsOwnerHasRightsForItsOwnerAlone) {
    WorkFolder folder;
    std::string path = folder.File("index.csv");
    ASSERT_FALSE(WriteWholeFile(path, "old\n"));
    ASSERT_FALSE(WriteWholeFile(path, "new\n", true));
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// A named pipe where a file is expected would hold the program until some reader came.
TEST(WholeFileTest, APipeIsRefusedAtOnce) {
    WorkFolder folder;
    std::string pipe = folder.File("journal.csv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(AppendLines(pipe, "a\n"));
    EXPECT_FALSE(ReadWholeFile(pipe));
}

TEST(ReadOnlyMedium, ARaceFileThereOpensForReadingOnly) {
    MountedFolder medium;
    if (!medium.mounted) GTEST_SKIP() << "cannot mount a file system here";
    RaceRecord race;
    race.SetField(RaceField::RunnerCount, "12");
    std::string bytes(race.Raw().begin(), race.Raw().end());
    std::ofstream(medium.File("courses.tur"), std::ios::binary) << bytes + bytes;
    ASSERT_TRUE(medium.MakeReadOnly());
    RaceSession session;
    ASSERT_TRUE(session.Open(medium.File("courses.tur")));
    EXPECT_EQ(session.ReadOnlyReason(), RaceFileFailure::ReadOnly);
    auto saved = session.Save();
    EXPECT_TRUE(!saved && saved.Error().failure == RaceFileFailure::ReadOnly);
    // What cannot be opened at all still fails: a new file there.
    EXPECT_FALSE(ProbeRaceFilePath(medium.File("nouveau.tur")));
}

} // namespace
} // namespace sg
