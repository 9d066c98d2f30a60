// Lines the user sends: client commands, frequency changes and chat lines.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

struct FrmMain;

// Handles one outgoing line; line receives the expanded text. macroFlag is 1 for a macro's text
// chosen from the macro menu, 0 for a typed line.
void HandleOutgoing(FrmMain& f, std::string& line, std::uint8_t macroFlag);

// Sends text to a frequency, logs logLine and shows the RTF fragment.
void SendFreqLine(FrmMain& f, std::int16_t freq, const std::string& text, std::string fragment,
                  const std::string& logLine);

}  // namespace orva
