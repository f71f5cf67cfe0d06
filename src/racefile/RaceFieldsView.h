// The five used fields of one race, read where their bytes lie: in a record read whole, or in a
// race file mapped into memory, where a read touches only the bytes of the slot it reads.
#pragma once

#include "racefile/RaceFields.h"
#include "racefile/RaceSlots.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sg {

class RaceRecord;

class RaceFieldsView {
  public:
    // `record` is the first byte of a record; the bytes of its five used fields must be
    // readable (the reserved bytes between them are never read).
    explicit RaceFieldsView(const std::uint8_t* record) : record_(record) {}
    // A record read whole: its reads are those of the record itself.
    RaceFieldsView(const RaceRecord& record); // NOLINT(google-explicit-constructor)

    // Characters start to start + width - 1 of the field, untrimmed and decoded, cut at the
    // field's end and at the first zero byte; empty when the slot starts before character 1 or
    // past the field's end.
    std::string SlotText(RaceField field, int start, int width) const;
    std::string SlotText(const RaceSlot& slot) const {
        return SlotText(slot.field, slot.start, slot.width);
    }
    std::string FieldText(RaceField field) const;

    // Numeric reads by the leading-number parse; empty when the number lies beyond the range of
    // a double.
    std::optional<double> FieldNumber(RaceField field) const;
    std::optional<double> SlotNumber(const RaceSlot& slot) const;

    // The odds-slot value (OddsSlotValue.h) of a horse 1 to 22 in OddsPMU or OddsPMH; empty for
    // another horse or field or when a step of the rule fails.
    std::optional<float> OddsValue(RaceField oddsField, int horse) const;

  private:
    // The slot's bytes up to its first zero byte, undecoded. The characters a number is read
    // from are all ASCII, and a byte from 0x80 up (any character that decoding would turn into
    // several) ends a number as its decoded form would, so numbers read from these bytes are
    // those read from the decoded text, without building it.
    std::string_view SlotBytes(RaceField field, int start, int width) const {
        auto range = SlotRange(field, start, width);
        if (!range) return {};
        const auto* first = reinterpret_cast<const char*>(record_) + range->offset;
        std::size_t length = 0;
        while (length < range->length && first[length] != 0) ++length; // slots are short
        return {first, length};
    }

    const std::uint8_t* record_;
};

} // namespace sg
