#include "racefile/RaceSource.h"

#include "racefile/RaceFile.h"

#include <algorithm>

namespace sg {

namespace {

constexpr std::array<RaceField, 5> UsedFields = {RaceField::RunnerCount, RaceField::Payouts,
                                                 RaceField::ArrivalOrder, RaceField::OddsPMU,
                                                 RaceField::OddsPMH};

std::uint64_t OffsetOf(int race) {
    return static_cast<std::uint64_t>(race - 1) * RaceRecordSize;
}

// The byte ranges of a record that hold the used fields: the runner count, then the payouts,
// the arrival and the two odds sets (with the reserved bytes between them: one read of 2 KB
// costs less than three small ones).
constexpr std::array<ByteRange, 2> UsedRanges = {{
    {LayoutOf(RaceField::RunnerCount).offset, LayoutOf(RaceField::RunnerCount).width},
    {LayoutOf(RaceField::Payouts).offset, UsedFieldsEnd - LayoutOf(RaceField::Payouts).offset},
}};

// Reads what lies of a range in the file; the rest is zeros. A failed read leaves zeros: the
// race then reads as an empty race, which the back-test skips with its reason.
void ReadRange(os::FileHandle file, std::uint64_t recordOffset, const ByteRange& range,
               std::uint8_t* into) {
    int ignored = 0;
    std::int64_t got =
        os::ReadAt(file, into + range.offset, range.length, recordOffset + range.offset, ignored);
    auto done = static_cast<std::size_t>(std::max<std::int64_t>(got, 0));
    std::fill(into + range.offset + done, into + range.offset + range.length, 0);
}

} // namespace

std::int32_t RaceSource::RaceCount() const {
    return RaceCountOfLength(length_).value_or(0);
}

bool RaceSource::Holds(int race) const {
    return race >= 1 && OffsetOf(race) < length_;
}

RaceFieldsView RaceSource::Race(int race, PartialRace& partial) const {
    if (file_ != os::NoFile) {
        // The view reads the used ranges alone: only they are read, or zeroed.
        for (const ByteRange& range : UsedRanges) {
            if (Holds(race)) {
                ReadRange(file_, OffsetOf(race), range, partial.bytes.data());
            } else {
                std::fill_n(partial.bytes.begin() + range.offset, range.length, 0);
            }
        }
        return RaceFieldsView(partial.bytes.data());
    }
    if (race >= 1 && OffsetOf(race) + UsedFieldsEnd <= bytes_.size())
        return RaceFieldsView(bytes_.data() + OffsetOf(race));
    partial.bytes.fill(0);
    if (Holds(race)) {
        auto record = bytes_.subspan(OffsetOf(race));
        for (RaceField field : UsedFields) {
            auto layout = LayoutOf(field);
            if (layout.offset >= record.size()) continue;
            auto present =
                record.subspan(layout.offset)
                    .first(std::min<std::size_t>(layout.width, record.size() - layout.offset));
            std::copy(present.begin(), present.end(), partial.bytes.begin() + layout.offset);
        }
    }
    return RaceFieldsView(partial.bytes.data());
}

void RaceSource::Prefetch(int race, RaceField oddsField) const {
    if (file_ != os::NoFile || race < 1 || OffsetOf(race) + UsedFieldsEnd > bytes_.size()) return;
    const std::uint8_t* record = bytes_.data() + OffsetOf(race);
    auto odds = LayoutOf(oddsField);
    for (std::size_t offset :
         {std::size_t{LayoutOf(RaceField::RunnerCount).offset},
          std::size_t{LayoutOf(RaceField::Payouts).offset},
          std::size_t{LayoutOf(RaceField::ArrivalOrder).offset}, std::size_t{odds.offset},
          std::size_t{odds.offset} + 64u, std::size_t{odds.offset} + odds.width - 1u})
        __builtin_prefetch(record + offset);
}

} // namespace sg
