// What the race file's tests share: a work folder with a race file's path, bytes to fill it
// with, and the check that a failed write changes nothing.
#pragma once

#include "racefile/RaceFile.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace sg {

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
        ASSERT_TRUE(raceFile.Open(file, RaceFileAccess::ReadWrite));
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

} // namespace sg
