// Shared helper of the view tests: a styled line written out as runs and their text.
#pragma once

#include <string>

#include "view/chat_view.h"

namespace orva::test {

// "<c3 18>text<c8 18 u L>link" - colour, size, then i/u/L/s for italic, underline, link, stamp.
inline std::string describe(const StyledLine& line) {
    std::string out;
    for (std::size_t r = 0; r < line.runs.size(); ++r) {
        const StyleRun& run = line.runs[r];
        const std::size_t end =
            r + 1 < line.runs.size() ? line.runs[r + 1].start : line.text.size();
        out += "<c" + std::to_string(run.format.colour) + " " + std::to_string(run.format.size);
        if (run.format.flags & StyleItalic) out += " i";
        if (run.format.flags & StyleUnderline) out += " u";
        if (run.format.flags & StyleLink) out += " L";
        if (run.format.flags & StyleStamp) out += " s";
        out += ">";
        out += line.text.substr(run.start, end - run.start);
    }
    return out;
}

inline std::string describeFrom(const ChatView& view, std::size_t first) {
    std::string out;
    for (std::size_t i = first; i < view.lineCount(); ++i) {
        if (i > first) out += " | ";
        out += describe(view.line(i));
    }
    return out;
}

}  // namespace orva::test
