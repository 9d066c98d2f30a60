// Cutting one received protocol line into its type, fields and text, with no window around it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orva {

// A received line cut at its colons, as views into that line (which must outlive it). Field 0 is
// the type. No message uses more than fields 0 to 4, so the rest of a line is never split; free
// text is taken by position instead, so that colons inside it survive.
struct ServerLine {
    static constexpr std::size_t kMaxFields = 5;

    std::array<std::string_view, kMaxFields> field;
    std::size_t count = 0;  // fields present, capped at kMaxFields; at least 1
    std::string_view text;  // everything after the type's colon; empty when there is none

    std::string_view type() const { return field[0]; }
    bool has(std::size_t i) const { return i < count; }
};

ServerLine parseServerLine(std::string_view line);

}  // namespace orva
