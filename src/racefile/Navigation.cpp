#include "racefile/Navigation.h"

#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"

#include <algorithm>
#include <cctype>

namespace sg {

namespace {

// A number and nothing else: a sign, digits with at most one point, an exponent, blanks
// around. "12abc" or "4,5" are no race numbers.
bool IsWholeNumberText(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (i == std::string::npos) return false;
    ++end;
    if (text[i] == '+' || text[i] == '-') ++i;
    bool digits = false, point = false;
    for (; i < end && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (point) return false;
            point = true;
        } else {
            digits = true;
        }
    }
    if (!digits) return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
        bool exponentDigits = false;
        for (; i < end && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            exponentDigits = true;
        if (!exponentDigits) return false;
    }
    return i == end;
}

} // namespace

NavigationZone ZoneAt(int xTwips, int yTwips) {
    if (xTwips < 380) return NavigationZone::Previous;
    if (xTwips > 1079) return NavigationZone::Next;
    if (xTwips > 380 && xTwips < 1080) {
        return yTwips < 165 ? NavigationZone::Number : NavigationZone::Last;
    }
    return NavigationZone::None;
}

int PreviousRaceOf(int current) {
    return std::max(current, 2) - 1;
}

int NextRaceOf(int current, int raceCount) {
    return current <= raceCount && current < LastRace ? current + 1 : current;
}

int LastRaceOf(int raceCount) {
    return std::clamp(raceCount, FirstRace, LastRace);
}

RaceNumberAnswer AnswerToRaceNumber(const std::optional<std::string>& answer) {
    using Kind = RaceNumberAnswer::Kind;
    if (!answer || !IsWholeNumberText(*answer)) return {Kind::ReloadOnly};
    auto value = LeadingNumber(*answer);
    if (!value) return {Kind::KeepCurrent}; // beyond any number
    if (*value < 1) return {Kind::ReloadOnly};
    auto race = RoundHalfEvenInt16(*value);
    if (!race) return {Kind::KeepCurrent};
    return {Kind::Go, *race};
}

} // namespace sg
