#include "pmu/Calendar.h"

#include "racefile/RaceIndex.h"

#include <chrono>
#include <cstdio>

namespace sg {

namespace {

using namespace std::chrono;

sys_days DaysOf(CalendarDay day) {
    return sys_days(year_month_day(year(day.year), month(static_cast<unsigned>(day.month)),
                                   std::chrono::day(static_cast<unsigned>(day.day))));
}

CalendarDay DayOf(sys_days days) {
    year_month_day date(days);
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

// 01:00 UTC on the last Sunday of the month.
sys_seconds LastSundayAtOne(int inYear, unsigned inMonth) {
    sys_days last(year(inYear) / month(inMonth) / Sunday[std::chrono::last]);
    return sys_seconds(last) + hours(1);
}

} // namespace

std::optional<CalendarDay> DayFromText(std::string_view text) {
    auto key = DateKey(text);
    if (!key) return std::nullopt;
    return CalendarDay{*key / 10000, *key / 100 % 100, *key % 100};
}

CalendarDay NextDay(CalendarDay day) {
    return DayOf(DaysOf(day) + days(1));
}

int DaysFromTo(CalendarDay first, CalendarDay last) {
    auto count = (DaysOf(last) - DaysOf(first)).count() + 1;
    return count > 0 ? static_cast<int>(count) : 0;
}

std::string DayText(CalendarDay day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", day.day, day.month, day.year);
    return text;
}

std::string ServiceDayText(CalendarDay day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%04d", day.day, day.month, day.year);
    return text;
}

std::string FrenchClockText(std::int64_t epochMilliseconds) {
    sys_seconds instant(duration_cast<seconds>(milliseconds(epochMilliseconds)));
    int inYear = static_cast<int>(year_month_day(floor<days>(instant)).year());
    bool summer = instant >= LastSundayAtOne(inYear, 3) && instant < LastSundayAtOne(inYear, 10);
    sys_seconds local = instant + hours(summer ? 2 : 1);
    auto sinceMidnight = local - floor<days>(local);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d",
                  static_cast<int>(duration_cast<hours>(sinceMidnight).count()),
                  static_cast<int>(duration_cast<minutes>(sinceMidnight).count() % 60));
    return text;
}

} // namespace sg
