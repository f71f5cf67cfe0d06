// The colours of the five places of an arrival, as red, green, blue.
#pragma once

#include <array>

namespace sg {

struct Rgb {
    int red = 255, green = 255, blue = 255; // white unless told otherwise
};

inline constexpr Rgb NoPlaceColour{255, 255, 255};
// Index 1 to 5: yellow, green, cyan, orange, brown (index 0: no place, white).
inline constexpr std::array<Rgb, 6> PlaceColours{
    {NoPlaceColour, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {255, 128, 0}, {128, 64, 0}}};

} // namespace sg
