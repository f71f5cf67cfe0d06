// What the commands of sg-race share to read their arguments and to quote them back.
#pragma once

#include "numbers/Numbers.h"

#include <charconv>
#include <optional>
#include <string>

namespace sg {

// What the user gave, quoted; a control character in it is written visibly, so the message
// stays one line.
inline std::string Quoted(const std::string& text) {
    return "« " + VisibleControls(text) + " »";
}

// A whole decimal number filling the whole argument, within low..high (unlike the
// leading-number parse, "5x" is refused: a mistyped argument must not select something else).
inline std::optional<int> WholeIn(const std::string& text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    if (value < low || value > high) return std::nullopt;
    return value;
}

} // namespace sg
