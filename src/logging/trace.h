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
