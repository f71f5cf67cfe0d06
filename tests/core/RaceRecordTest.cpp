#include "racefile/RaceRecord.h"
#include "racefile/OddsSlotValue.h"
#include "racefile/Windows1252.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sg {
namespace {

using enum RaceField;

void PutBytes(RaceRecord& record, RaceField field, int start, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(),
              record.Raw().begin() + LayoutOf(field).offset + start - 1);
}

TEST(RaceRecordAssignment, ReplacesExactlyTheSlotsCharacters) {
    struct Case {
        RaceSlot slot;
        const char* text;
        int start;          // in the slot's field
        std::string stored; // the bytes from there; every other byte keeps its content
    } cases[] = {
        {RunnerCountSlot(), "8", 1, "8 "},
        {RunnerCountSlot(), "123", 1, "12"},
        {*PayoutSlot(0), "4.5", 1, "4.5       "},
        {*PayoutSlot(3), " 12.50 ", 31, "12.50     "},
        {*ArrivalSlot(1), "7", 2, "7 "},
        {*ArrivalSlot(4), "115", 8, "11"},
        {*OddsSlot(OddsPMH, 3), "9/2", 15, "9/2  "},
        {*OddsSlot(OddsPMU, 22), "123456", 110, "12345"},
        {{OddsPMU, 113, 5}, "abcde", 113, "abc"}, // cut at the field's end
        {{OddsPMU, 116, 5}, "x", 116, ""},        // past the field's end
        {{Payouts, 1, 5}, "é€日", 1, "\xE9\x80?  "},
        {{Payouts, 1, 3}, "éééé", 1, "\xE9\xE9\xE9"}, // the cut counts characters
        {{Payouts, 1, 3}, "\xFF\x61", 1, "?a "},      // malformed UTF-8
        {{Payouts, 0, 3}, "abc", 1, ""},              // no slot at all: nothing written
        {{Payouts, -3, 5}, "abc", 1, ""},
        {{Payouts, 1, 0}, "abc", 1, ""},
        {{Payouts, 1, -1}, "abc", 1, ""},
    };
    for (const auto& c : cases) {
        // Every byte value, zero included, so that a write spilling outside its slot shows up.
        RaceRecord record;
        for (std::size_t i = 0; i < RaceRecordSize; ++i) record.Raw()[i] = (i * 7 + 3) % 256;
        RaceRecord expected = record;
        PutBytes(expected, c.slot.field, c.start, c.stored);
        record.SetSlot(c.slot, c.text);
        EXPECT_TRUE(record == expected) << c.text;
    }
    RaceRecord record;
    record.SetField(RunnerCount, "8");
    EXPECT_EQ(record.SlotText(RunnerCountSlot()), "8 ");
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
        PutBytes(record, Payouts, 1, c.bytes);
        EXPECT_EQ(record.SlotText(*PayoutSlot(0)), c.text) << c.text;
        EXPECT_EQ(record.SlotNumber(*PayoutSlot(0)), c.number) << c.text;
    }
    RaceRecord empty;
    EXPECT_EQ(empty.FieldNumber(RunnerCount), 0.0);
    EXPECT_EQ(empty.OddsValue(OddsPMH, 1), 0.0f);
    EXPECT_FALSE(empty.OddsValue(Payouts, 1).has_value());
    // Every byte but zero survives decoding and encoding.
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
        {"9/2", 4.5f},   {"9/0", 9.0f}, {"7", 7.0f},      {"     ", 0.0f}, {"9.5/2", 5.0f},
        {"8.5/1", 8.0f}, {"4.5", 4.5f}, {"", 0.0f},       {"/2", 0.0f},    {"1e39", {}},
        {"1e400", {}},   {"9e9/1", {}}, {"1/1e-300", {}}, {"1/1e400", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(OddsSlotValue(c.text), c.value) << c.text;
    EXPECT_EQ(OddsSlotValue("1/3"), static_cast<float>(1.0 / 3));
}

} // namespace
} // namespace sg
