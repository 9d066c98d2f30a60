// The protocol trace and its window, frmLog, as a model.
#pragma once

#include <deque>
#include <string>

#include "core/controls.h"

namespace orva {

struct TraceLog {
    Prop<bool> Visible{false};
    std::deque<std::string> lines;  // newest last
    Signal<const std::string&> lineAdded;
};

}  // namespace orva

namespace orva {

struct FrmMain;

// Adds one line to the protocol trace (text by reference, as the callers pass it).
void TraceLine(FrmMain& f, std::string& text);
// Convenience for literals.
void TraceLine(FrmMain& f, std::string&& text);

}  // namespace orva
