#include "racefile/RaceFieldsView.h"

#include "numbers/Numbers.h"
#include "racefile/OddsSlotValue.h"
#include "racefile/RaceRecord.h"
#include "racefile/Windows1252.h"

#include <span>

namespace sg {

RaceFieldsView::RaceFieldsView(const RaceRecord& record) : record_(record.Raw().data()) {}

std::string RaceFieldsView::SlotText(RaceField field, int start, int width) const {
    std::string_view bytes = SlotBytes(field, start, width);
    return DecodeWindows1252(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::string RaceFieldsView::FieldText(RaceField field) const {
    return SlotText(field, 1, LayoutOf(field).width);
}

std::optional<double> RaceFieldsView::FieldNumber(RaceField field) const {
    return LeadingNumber(SlotBytes(field, 1, LayoutOf(field).width));
}

std::optional<double> RaceFieldsView::SlotNumber(const RaceSlot& slot) const {
    return LeadingNumber(SlotBytes(slot.field, slot.start, slot.width));
}

std::optional<float> RaceFieldsView::OddsValue(RaceField oddsField, int horse) const {
    auto slot = OddsSlot(oddsField, horse);
    if (!slot) return std::nullopt;
    return OddsSlotValue(SlotBytes(slot->field, slot->start, slot->width));
}

} // namespace sg
