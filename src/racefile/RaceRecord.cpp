#include "racefile/RaceRecord.h"

#include "numbers/Numbers.h"
#include "racefile/Windows1252.h"

#include <algorithm>

namespace sg {

void RaceRecord::SetField(RaceField field, std::string_view text) {
    auto range = SlotRange(field, 1, LayoutOf(field).width);
    std::string encoded = EncodeWindows1252(text);
    encoded.resize(range->length, ' ');
    std::copy(encoded.begin(), encoded.end(), bytes_.begin() + range->offset);
}

void RaceRecord::SetSlot(RaceField field, int start, int width, std::string_view text) {
    auto range = SlotRange(field, start, width);
    if (!range) return;
    std::string encoded = EncodeWindows1252(Trim(text));
    encoded.resize(range->length, ' ');
    std::copy(encoded.begin(), encoded.end(), bytes_.begin() + range->offset);
}

} // namespace sg
