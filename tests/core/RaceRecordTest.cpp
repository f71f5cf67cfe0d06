#include "racefile/RaceRecord.h"
#include "racefile/OddsSlotValue.h"
#include "racefile/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

namespace sg {
namespace {

// Every byte value, zero included, so that a write spilling outside its slot shows up.
RaceRecord PatternedRecord() {
    RaceRecord record;
    for (std::size_t i = 0; i < RaceRecordSize; ++i) record.Raw()[i] = (i * 7 + 3) % 256;
    return record;
}

void PutBytes(RaceRecord& record, RaceField field, int start, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(),
              record.Raw().begin() + LayoutOf(field).offset + start - 1);
}

TEST(RaceRecordAssignment, ReplacesExactlyTheSlotsCharacters) {
    struct Case {
        const char* name;
        std::function<void(RaceRecord&)> assign;
        RaceField field;
        int start;
        std::string expected; // bytes from start; every other byte keeps its content
    } cases[] = {
        {"eight runners", [](RaceRecord& r) { r.SetField(RaceField::RunnerCount, "8"); },
         RaceField::RunnerCount, 1, "8 "},
        {"three digits", [](RaceRecord& r) { r.SetField(RaceField::RunnerCount, "123"); },
         RaceField::RunnerCount, 1, "12"},
        {"winner's payout", [](RaceRecord& r) { r.SetSlot(*PayoutSlot(0), "4.5"); },
         RaceField::Payouts, 1, "4.5       "},
        {"payout trimmed", [](RaceRecord& r) { r.SetSlot(*PayoutSlot(3), " 12.50 "); },
         RaceField::Payouts, 31, "12.50     "},
        {"arrival",
         [](RaceRecord& r) {
             const char* horses[] = {"7", "3", "12", "11", "5"};
             for (int i = 1; i <= 5; ++i) r.SetSlot(*ArrivalSlot(i), horses[i - 1]);
         },
         RaceField::ArrivalOrder, 2, "7 3 12115 "},
        {"fraction odds", [](RaceRecord& r) { r.SetSlot(*OddsSlot(RaceField::OddsPMH, 3), "9/2"); },
         RaceField::OddsPMH, 15, "9/2  "},
        {"horse 22", [](RaceRecord& r) { r.SetSlot(*OddsSlot(RaceField::OddsPMU, 22), "123456"); },
         RaceField::OddsPMU, 110, "12345"},
        {"cut at field end", [](RaceRecord& r) { r.SetSlot(RaceField::OddsPMU, 113, 5, "abcde"); },
         RaceField::OddsPMU, 113, "abc"},
        {"start past end", [](RaceRecord& r) { r.SetSlot(RaceField::OddsPMU, 116, 5, "x"); },
         RaceField::OddsPMU, 116, ""},
        {"Windows-1252", [](RaceRecord& r) { r.SetSlot(RaceField::Payouts, 1, 5, "é€日"); },
         RaceField::Payouts, 1, "\xE9\x80?  "},
        {"cut counts characters",
         [](RaceRecord& r) { r.SetSlot(RaceField::Payouts, 1, 3, "éééé"); }, RaceField::Payouts, 1,
         "\xE9\xE9\xE9"},
        {"malformed UTF-8", [](RaceRecord& r) { r.SetSlot(RaceField::Payouts, 1, 3, "\xFF\x61"); },
         RaceField::Payouts, 1, "?a "},
    };
    for (const auto& c : cases) {
        RaceRecord record = PatternedRecord();
        RaceRecord expected = record;
        PutBytes(expected, c.field, c.start, c.expected);
        c.assign(record);
        EXPECT_TRUE(record == expected) << c.name;
    }
}

TEST(RaceRecordReading, TextEndsAtAZeroByteAndNumbersUseTheLeadingNumber) {
    struct Case {
        std::string bytes;
        std::string text;
        std::optional<double> number;
    } cases[] = {
        {std::string(10, '\0'), "", 0},
        {"          ", "          ", 0},
        {"8         ", "8         ", 8},
        {std::string("7\0 9      ", 10), "7", 7},
        {"1 2       ", "1 2       ", 12},
        {"\xE9\x80\x81       ", "é€\u0081       ", 0},
        {"1e400     ", "1e400     ", std::nullopt},
    };
    for (const auto& c : cases) {
        RaceRecord record;
        PutBytes(record, RaceField::Payouts, 1, c.bytes);
        EXPECT_EQ(record.SlotText(*PayoutSlot(0)), c.text) << c.text;
        EXPECT_EQ(record.SlotNumber(*PayoutSlot(0)), c.number) << c.text;
    }
    RaceRecord empty;
    EXPECT_EQ(empty.FieldNumber(RaceField::RunnerCount), 0.0);
    EXPECT_EQ(empty.OddsValue(RaceField::OddsPMH, 1), 0.0f);
    EXPECT_FALSE(empty.OddsValue(RaceField::Payouts, 1).has_value());
}

TEST(RaceRecordText, EveryNonZeroByteSurvivesDecodingAndEncoding) {
    for (int b = 1; b < 256; ++b) {
        std::uint8_t byte = static_cast<std::uint8_t>(b);
        std::string decoded = DecodeWindows1252(std::span<const std::uint8_t>(&byte, 1));
        EXPECT_EQ(EncodeWindows1252(decoded), std::string(1, static_cast<char>(byte))) << b;
    }
}

TEST(RaceRecordOdds, SlotValueRule) {
    struct Case {
        const char* text;
        std::optional<float> value;
    } cases[] = {
        {"9/2", 4.5f},
        {"9/0", 9.0f},
        {"7", 7.0f},
        {"1/3", static_cast<float>(1.0 / 3)},
        {"     ", 0.0f},
        {"9.5/2", 5.0f},
        {"8.5/1", 8.0f},
        {"4.5", 4.5f},
        {"", 0.0f},
        {"/2", 0.0f},
        {"1e39", std::nullopt},
        {"1e400", std::nullopt},
        {"9e9/1", std::nullopt},
        {"1/1e-300", std::nullopt},
        {"1/1e400", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(OddsSlotValue(c.text), c.value) << c.text;
}

TEST(RaceRecordAssignment, AnySlotWriteLeavesEveryOtherByteAlone) {
    std::mt19937 random(1234);
    const RaceField fields[] = {RaceField::RunnerCount, RaceField::Payouts, RaceField::ArrivalOrder,
                                RaceField::OddsPMU, RaceField::OddsPMH};
    const char* pieces[] = {" ", "7", "/", ".", "é", "€", "日", "\xFF", "\x01", "ab"};
    for (int round = 0; round < 500; ++round) {
        RaceRecord record;
        for (auto& byte : record.Raw()) byte = static_cast<std::uint8_t>(random());
        const RaceRecord before = record;
        RaceField field = fields[random() % 5];
        int start = static_cast<int>(random() % 130) - 3;
        int width = static_cast<int>(random() % 14) - 1;
        std::string text;
        for (int n = random() % 14; n > 0; --n) text += pieces[random() % 10];
        record.SetSlot(field, start, width, text);

        auto layout = LayoutOf(field);
        std::size_t first = layout.offset + std::max(start, 1) - 1;
        std::size_t last = layout.offset + std::min(start + width - 1, int{layout.width});
        for (std::size_t i = 0; i < RaceRecordSize; ++i) {
            bool inSlot = start >= 1 && width >= 1 && i >= first && i < last;
            if (!inSlot) {
                ASSERT_EQ(record.Raw()[i], before.Raw()[i]) << round << " byte " << i;
            }
        }
    }
}

} // namespace
} // namespace sg
