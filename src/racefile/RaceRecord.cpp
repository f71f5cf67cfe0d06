#include "racefile/RaceRecord.h"

#include "numbers/Numbers.h"
#include "racefile/OddsSlotValue.h"
#include "racefile/Windows1252.h"

#include <algorithm>
#include <span>

namespace sg {

namespace {

struct ByteRange {
    std::size_t offset;
    std::size_t length;
};

// The bytes of a slot within the record, cut at its field's end.
std::optional<ByteRange> RangeOf(RaceField field, int start, int width) {
    auto layout = LayoutOf(field);
    if (start < 1 || width < 1 || start > layout.width) return std::nullopt;
    long long room = layout.width - start + 1;
    auto length = static_cast<std::size_t>(std::min<long long>(width, room));
    return ByteRange{layout.offset + static_cast<std::size_t>(start) - 1, length};
}

} // namespace

std::string RaceRecord::FieldText(RaceField field) const {
    return SlotText(field, 1, LayoutOf(field).width);
}

std::string RaceRecord::SlotText(RaceField field, int start, int width) const {
    auto range = RangeOf(field, start, width);
    if (!range) return "";
    auto bytes = std::span<const std::uint8_t>(bytes_).subspan(range->offset, range->length);
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return DecodeWindows1252(bytes.first(static_cast<std::size_t>(end - bytes.begin())));
}

void RaceRecord::SetField(RaceField field, std::string_view text) {
    auto range = RangeOf(field, 1, LayoutOf(field).width);
    std::string encoded = EncodeWindows1252(text);
    encoded.resize(range->length, ' ');
    std::copy(encoded.begin(), encoded.end(), bytes_.begin() + range->offset);
}

void RaceRecord::SetSlot(RaceField field, int start, int width, std::string_view text) {
    auto range = RangeOf(field, start, width);
    if (!range) return;
    std::string encoded = EncodeWindows1252(Trim(text));
    encoded.resize(range->length, ' ');
    std::copy(encoded.begin(), encoded.end(), bytes_.begin() + range->offset);
}

std::optional<double> RaceRecord::FieldNumber(RaceField field) const {
    return LeadingNumber(FieldText(field));
}

std::optional<double> RaceRecord::SlotNumber(const RaceSlot& slot) const {
    return LeadingNumber(SlotText(slot));
}

std::optional<float> RaceRecord::OddsValue(RaceField oddsField, int horse) const {
    auto slot = OddsSlot(oddsField, horse);
    if (!slot) return std::nullopt;
    return OddsSlotValue(SlotText(*slot));
}

} // namespace sg
