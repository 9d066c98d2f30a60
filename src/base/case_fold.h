// Letter case in code page 1252: the fold used for every case-insensitive name comparison.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orva {

// Lower case of one code page 1252 character (ASCII, the Latin-1 capitals and the four
// capitals the code page keeps at 0x8A, 0x8C, 0x8E and 0x9F).
constexpr unsigned char foldCp1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

inline std::string foldCase(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(foldCp1252(static_cast<unsigned char>(c)));
    return out;
}

// Equal without regard to case; no allocation, so lookups in long tables stay cheap.
inline bool equalsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCp1252(static_cast<unsigned char>(a[i])) !=
            foldCp1252(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace orva
