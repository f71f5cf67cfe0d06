// The days an import walks through, and the ways the service and the index write a day and a
// start time.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sg {

struct CalendarDay {
    int year = 0, month = 0, day = 0;
    friend auto operator<=>(const CalendarDay&, const CalendarDay&) = default;
};

// A date typed JJ/MM/AAAA; empty for a day that does not exist (or before 1900).
std::optional<CalendarDay> DayFromText(std::string_view text);

// The day as the number AAAAMMJJ, as DateKey reads a date of the index.
inline int DateKeyOf(CalendarDay day) {
    return day.year * 10000 + day.month * 100 + day.day;
}

CalendarDay NextDay(CalendarDay day);

// The days from first to last, both included; 0 when last comes before first.
int DaysFromTo(CalendarDay first, CalendarDay last);

// "05/03/2024", as the index and the user write it.
std::string DayText(CalendarDay day);

// "05032024", as the service names its documents.
std::string ServiceDayText(CalendarDay day);

// The hour and minute ("13:50") of an instant given in milliseconds since 1970 (UTC), in the
// legal time of France (summer time from the last Sunday of March to the last Sunday of
// October, changing at 01:00 UTC): the time French punters read on the programme.
std::string FrenchClockText(std::int64_t epochMilliseconds);

} // namespace sg
