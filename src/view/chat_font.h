// The chat font: its checks and its application to the view and the input line.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

struct ViewPart;

// Size 0 becomes 9; a blank face becomes "Courier New".
void VerifyFontConstraints(std::string& fname, std::uint8_t& Fsize);
// Rebuilds ChatFontHalfPoints and ChatViewInitialRtf and sets the fonts of txtOut and txtLog.
void UpdateFontFace(ViewPart& f);

}  // namespace orva
