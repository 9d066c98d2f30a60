// Macro variables ("%selfname", "%tickname" ...) in outgoing lines, replaced by their values.
#pragma once

#include <string>

namespace orva {

struct CorePart;

// Replaces every variable, one after the other in a fixed order, each step working on the result
// of the one before (exact, case-sensitive matches).
std::string MacroExpand(const CorePart& f, const std::string& line);

}  // namespace orva
