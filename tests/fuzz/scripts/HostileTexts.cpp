#include "HostileTexts.h"

#include <vector>

namespace sg {

namespace {

using namespace std::string_literals;

// Texts that found or could find faults: each stands for a rule of the number and odds texts.
const std::vector<std::string> FixedTexts = {
    "",           " ",          "   ",         "\t",     "0",
    "1",          "-3",         "+5",          "- 5",    "07",
    "9/2",        "9/0",        "9/-2",        "1/",     "/3",
    "/",          "//",         "4,5",         "4.5",    "0,5",
    ",5",         ".5",         "5.",          "5,",     ",",
    ".",          "1,5,",       "1.5.5",       "1e400",  "-1e400",
    "1e39",       "-1e39",      "1e-400",      "1e308",  "1.8e308",
    "3.4e38",     "3.5e38",     "1e",          "1e+",    "e5",
    "2147483647", "2147483648", "-2147483649", "32767",  "32768",
    "-32769",     "120",        "121",         "0.5",    "2.5",
    "nan",        "inf",        "-inf",        "0x1p3",  " 1 2 3",
    "1\t2",       "1 000",      "1.000,50",    "é",      "àéèùç€",
    "Œuvre",      "\"",         "'",           "1\"2",   "\"4,5\"",
    "\x01",       "\x1B[31m",   "1\r2",        "\x7F",   "\xC2\x85",
    "\xFF\xFE",   "\xC3",       "a\0b"s,       "\0"s,    "NaN/0",
    "9/2/3",      "1e39/1e-39", "99999",       "0,0001", "-0",
    "-0,00",      "0/0",        "aucun",       "?",
};

const std::string Mash = "0123456789.,/-+eE \t\"";

std::string Repeated(const std::string& unit, int times) {
    std::string text;
    text.reserve(unit.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

std::string NumberText(Rng& rng, char separator) {
    std::string text = rng.percent(20) ? "-" : "";
    text += std::to_string(rng.below(rng.percent(70) ? 200 : 1000000));
    if (rng.percent(60)) {
        text += rng.percent(80) ? separator : (separator == '.' ? ',' : '.');
        text += std::to_string(rng.below(1000));
    }
    if (rng.percent(10)) text += "e" + std::to_string(rng.between(-400, 400));
    if (rng.percent(10)) text += "/" + std::to_string(rng.below(12));
    return text;
}

std::string MashText(Rng& rng) {
    std::string text;
    int length = rng.between(1, 30);
    for (int i = 0; i < length; ++i) {
        int roll = rng.below(100);
        if (roll < 80) {
            text += Mash[static_cast<std::size_t>(rng.below(static_cast<int>(Mash.size())))];
        } else if (roll < 90) {
            text += "é";
        } else {
            char c = static_cast<char>(rng.below(32));
            text += c == '\n' ? '\r' : c;
        }
    }
    return text;
}

} // namespace

std::string HostileText(Rng& rng, char separator) {
    int roll = rng.below(100);
    if (roll < 45) return rng.pick(FixedTexts);
    if (roll < 70) return NumberText(rng, separator);
    if (roll < 90) return MashText(rng);
    if (roll < 97) {
        switch (rng.below(4)) {
        case 0:
            return Repeated(",", rng.between(1000, 10000));
        case 1:
            return Repeated("1,", rng.between(500, 5000));
        case 2:
            return "9" + Repeated(",", rng.between(1000, 5000));
        default:
            return Repeated(std::string(1, separator), rng.between(1000, 5000)) + "5";
        }
    }
    switch (rng.below(4)) {
    case 0:
        return Repeated("1", 100000);
    case 1:
        return Repeated("9", 99999) + ",";
    case 2:
        return Repeated("é", 50000);
    default:
        return "1." + Repeated("0123456789", 10000);
    }
}

std::string HostileSlotText(Rng& rng) {
    if (rng.percent(50)) return rng.pick(FixedTexts);
    return rng.percent(50) ? NumberText(rng, '.') : MashText(rng);
}

std::string ScrollValueText(Rng& rng, int minimum, int maximum) {
    switch (rng.below(10)) {
    case 0:
        return std::to_string(minimum - 1);
    case 1:
        return std::to_string(minimum);
    case 2:
        return std::to_string(maximum);
    case 3:
        return std::to_string(maximum + 1);
    case 4:
        return rng.pick(std::vector<std::string>{"99999999999", "-2147483649", "1e400", "", "abc",
                                                 "2.5", "3,5", "-0", " 7 "});
    default:
        return std::to_string(rng.between(minimum, maximum));
    }
}

std::string CoordinateText(Rng& rng, int size) {
    switch (rng.below(8)) {
    case 0:
        return "-" + std::to_string(rng.between(1, 100000));
    case 1:
        return rng.pick(std::vector<std::string>{"1e12", "-1e12", "1e300", "-1e300", "2147483647",
                                                 "-2147483648", "0.5"});
    case 2:
        return std::to_string(size);
    default:
        return std::to_string(rng.between(0, size > 0 ? size - 1 : 0));
    }
}

} // namespace sg
