// Small text helpers every room uses.
#pragma once

#include <string_view>

namespace orva {

// The text without the blanks at its ends (spaces only: tabs and other characters count as text,
// as they do in typed fields and stored settings).
inline std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace orva
