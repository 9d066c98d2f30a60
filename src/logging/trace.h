// The protocol trace and its window, frmLog, as a model.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "base/controls.h"

namespace orva {

struct TraceLog {
    static constexpr std::size_t kCapacity = 10000;  // newest lines kept

    Prop<bool> Visible{false};
    std::deque<std::string> lines;  // newest last, at most kCapacity
    std::uint64_t dropped = 0;      // lines pushed out at the front so far
    Signal<const std::string&> lineAdded;

    std::uint64_t total() const { return dropped + lines.size(); }
};

}  // namespace orva

namespace orva {

struct LogPart;

// Adds one line to the protocol trace (text by reference, as the callers pass it): a final CR
// is removed, and the caller's text then holds the line as traced, time stamp first.
void TraceLine(LogPart& f, std::string& text);
// Convenience for literals.
void TraceLine(LogPart& f, std::string&& text);
// prefix + text, without building that text first (the received lines' "S2C ").
void TraceLine(LogPart& f, std::string_view prefix, std::string_view text);
// "Log" button and "?showlog": shows the window, not modal.
void ShowTraceWindow(LogPart& f);
// The window's close request: hides it, brings the main window forward; true cancels the close.
bool frmLog_QueryUnload(LogPart& f);

}  // namespace orva
