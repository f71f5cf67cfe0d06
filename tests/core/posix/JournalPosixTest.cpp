// The journal on Linux: made for its owner alone, and whole lines from programs appending at
// once or killed in the middle of a write.
#include "WorkFolder.h"
#include "core/JournalEntries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sg {
namespace {

TEST(Journal, CreatedForItsOwner) {
    WorkFolder work;
    std::string folder = work.File("data/simple-gagnant");
    ASSERT_FALSE(AppendToJournal(folder, ResetEntry(Noon)));
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(work.File("data").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(JournalPathIn(folder).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

// Children that append to the journal until they stop or are stopped.
pid_t Appender(const std::string& folder, int lines, const std::string& tag) {
    pid_t child = fork();
    if (child != 0) return child;
    JournalEntry entry = Play("08/12/2025", "a.tur", 10, 0);
    for (int i = 0; lines < 0 || i < lines; ++i) {
        entry.horses = tag + " " + std::to_string(i) + " " + std::string(1500, 'x');
        if (AppendToJournal(folder, entry)) _exit(1);
    }
    _exit(0);
}

TEST(Journal, ProgramsAppendingAtOnceKeepEveryLineWhole) {
    WorkFolder work;
    std::string folder = work.File("j");
    constexpr int Children = 4, Lines = 60;
    std::vector<pid_t> children;
    for (int c = 0; c < Children; ++c)
        children.push_back(Appender(folder, Lines, "enfant" + std::to_string(c)));
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Journal journal = ReadJournal(folder);
    EXPECT_TRUE(journal.notes.empty());
    ASSERT_EQ(journal.entries.size(), std::size_t(Children * Lines));
    for (int c = 0; c < Children; ++c) {
        std::string tag = "enfant" + std::to_string(c) + " ";
        auto count = std::count_if(journal.entries.begin(), journal.entries.end(),
                                   [&](auto& e) { return e.horses.rfind(tag, 0) == 0; });
        EXPECT_EQ(count, Lines);
    }
}

TEST(Journal, AKillDuringAWriteLosesAtMostTheLastLine) {
    for (int round = 0; round < 3; ++round) {
        WorkFolder work;
        std::string folder = work.File("j");
        pid_t child = Appender(folder, -1, "tue");
        // Until it has written a few lines, then stopped wherever it is.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (ReadJournal(folder).entries.size() < std::size_t(5 + round * 7) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        std::string text = Contents(JournalPathIn(folder));
        Journal journal = ParseJournal(text);
        EXPECT_GE(journal.entries.size(), 5u);
        EXPECT_LE(journal.notes.size(), 1u);
        // Only the last line can be cut short.
        if (!journal.notes.empty()) {
            EXPECT_NE(text.back(), '\n');
        }
        ASSERT_FALSE(AppendToJournal(folder, Play("09/12/2025", "b.tur", 1, 2)));
        Journal after = ReadJournal(folder);
        EXPECT_EQ(after.entries.size(), journal.entries.size() + 1);
        EXPECT_EQ(after.entries.back(), Play("09/12/2025", "b.tur", 1, 2));
    }
}

} // namespace
} // namespace sg
