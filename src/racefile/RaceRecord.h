// One race: the 17000-byte record of a race file. The bytes are kept exactly as read; only the
// five used fields are ever decoded or written, so reserved bytes pass through untouched.
#pragma once

#include "racefile/RaceFields.h"
#include "racefile/RaceFieldsView.h"
#include "racefile/RaceSlots.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sg {

class RaceFile;

// Lets only the race file build a record whose bytes it is about to read over, sparing the
// zero fill of 17000 bytes on every read.
class UnfilledRaceRecord {
    UnfilledRaceRecord() = default;
    friend class RaceFile;
};

// Texts are UTF-8 on this side and Windows-1252 in the record (see Windows1252.h).
//
// Zero bytes: the text of a slot ends at its first zero byte, so a slot of zero bytes (a race
// past the end of the file, or bytes left unwritten by the sibling programs) reads as empty
// text and numerically as 0. Screens can show it as an empty box; writing that box back stores
// spaces, which is what the user then sees.
class RaceRecord {
  public:
    using Bytes = std::array<std::uint8_t, RaceRecordSize>;

    // A record of zero bytes: an empty race.
    RaceRecord() : bytes_{} {}
    explicit RaceRecord(UnfilledRaceRecord) {}

    // The raw bytes, for the file that reads and writes them whole.
    const Bytes& Raw() const { return bytes_; }
    Bytes& Raw() { return bytes_; }

    // The reads of the used fields (RaceFieldsView.h).
    RaceFieldsView Fields() const { return RaceFieldsView(bytes_.data()); }

    // The whole field, untrimmed.
    std::string FieldText(RaceField field) const { return Fields().FieldText(field); }

    // Whole-field assignment: left-aligned, padded with spaces, cut to the field's width. The
    // value is stored as given (callers trim it when they must).
    void SetField(RaceField field, std::string_view text);

    // Characters start to start + width - 1 of the field, untrimmed, cut at the field's end;
    // empty when the slot starts before character 1 or past the field's end.
    std::string SlotText(RaceField field, int start, int width) const {
        return Fields().SlotText(field, start, width);
    }
    std::string SlotText(const RaceSlot& slot) const { return Fields().SlotText(slot); }

    // Slot assignment: the value trimmed of spaces, padded with spaces or cut to the width,
    // replaces exactly the slot's characters. A slot running past the field's end is cut
    // there; one starting before character 1 or past the end writes nothing.
    void SetSlot(RaceField field, int start, int width, std::string_view text);
    void SetSlot(const RaceSlot& slot, std::string_view text) {
        SetSlot(slot.field, slot.start, slot.width, text);
    }

    // Numeric reads by the leading-number parse; empty when the number lies beyond the range
    // of a double.
    std::optional<double> FieldNumber(RaceField field) const { return Fields().FieldNumber(field); }
    std::optional<double> SlotNumber(const RaceSlot& slot) const {
        return Fields().SlotNumber(slot);
    }

    // The odds-slot value (OddsSlotValue.h) of a horse 1 to 22 in OddsPMU or OddsPMH; empty for
    // another horse or field or when a step of the rule fails.
    std::optional<float> OddsValue(RaceField oddsField, int horse) const {
        return Fields().OddsValue(oddsField, horse);
    }

    friend bool operator==(const RaceRecord&, const RaceRecord&) = default;

  private:
    Bytes bytes_;
};

} // namespace sg
