// Where each field of a race record lies: the 46 fixed-width fields of the 17000-byte record,
// most of them owned by the sibling programs that create race files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace sg {

inline constexpr std::size_t RaceRecordSize = 17000;

struct RaceFieldLayout {
    std::uint16_t offset; // bytes from the start of the record
    std::uint16_t width;  // bytes, which are also characters (one byte per character)
};

// Field numbers count from 1, as in the record's description; entry 0 is field 1.
inline constexpr std::array<RaceFieldLayout, 46> RaceFieldLayouts = {{
    {0, 20},      {20, 20},     {40, 8},      {48, 1},       {49, 5},       {54, 2},
    {56, 8},      {64, 9},      {73, 3},      {76, 12},      {88, 12},      {100, 46},
    {146, 69},    {215, 52},    {267, 78},    {345, 32},     {377, 32},     {409, 32},
    {441, 32},    {473, 8468},  {8941, 180},  {9121, 300},   {9421, 12},    {9433, 280},
    {9713, 700},  {10413, 150}, {10563, 1},   {10564, 13},   {10577, 13},   {10590, 23},
    {10613, 23},  {10636, 46},  {10682, 46},  {10728, 115},  {10843, 115},  {10958, 575},
    {11533, 575}, {12108, 575}, {12683, 207}, {12890, 1150}, {14040, 1150}, {15190, 1150},
    {16340, 6},   {16346, 1},   {16347, 90},  {16437, 563},
}};

// Every field starts where the one before ends and together they fill the record exactly, so
// a mistyped offset or width cannot silently overlap or drop bytes.
constexpr bool FieldsTileTheRecord() {
    std::size_t next = 0;
    for (const auto& field : RaceFieldLayouts) {
        if (field.offset != next || field.width == 0) return false;
        next += field.width;
    }
    return next == RaceRecordSize;
}
static_assert(FieldsTileTheRecord(), "race fields must tile the 17000-byte record");

// The five fields this program reads and writes, by field number; all others are reserved
// and only ever copied.
enum class RaceField : std::uint8_t {
    RunnerCount = 6,
    Payouts = 21,
    ArrivalOrder = 23,
    OddsPMU = 34,
    OddsPMH = 35,
};

constexpr RaceFieldLayout LayoutOf(RaceField field) {
    return RaceFieldLayouts[static_cast<std::size_t>(field) - 1];
}

// The bytes of characters start to start + width - 1 of a field (counted from 1) within the
// record, cut at the field's end; empty when they start before character 1 or past the end.
struct ByteRange {
    std::size_t offset;
    std::size_t length;
};
constexpr std::optional<ByteRange> SlotRange(RaceField field, int start, int width) {
    auto layout = LayoutOf(field);
    if (start < 1 || width < 1 || start > layout.width) return std::nullopt;
    long long room = layout.width - start + 1;
    auto length = static_cast<std::size_t>(width < room ? width : room);
    return ByteRange{layout.offset + static_cast<std::size_t>(start) - 1, length};
}

// The end of the last used field: a record's bytes from there on are never read.
inline constexpr std::size_t UsedFieldsEnd =
    LayoutOf(RaceField::OddsPMH).offset + LayoutOf(RaceField::OddsPMH).width;

static_assert(LayoutOf(RaceField::RunnerCount).offset == 54 &&
              LayoutOf(RaceField::RunnerCount).width == 2);
static_assert(LayoutOf(RaceField::Payouts).offset == 8941);
static_assert(LayoutOf(RaceField::ArrivalOrder).offset == 9421);
static_assert(LayoutOf(RaceField::OddsPMU).offset == 10728);
static_assert(LayoutOf(RaceField::OddsPMH).offset == 10843 &&
              LayoutOf(RaceField::OddsPMH).width == 115);

} // namespace sg
