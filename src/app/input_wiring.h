// The input line's Enter, which sends, and its events wired to their handlers.
#pragma once

namespace orva {

struct FrmMain;

// Enter on a line that is not empty sends it and empties the line; an empty line's Enter is left
// to the control.
void txtOut_KeyPress(FrmMain& f, int keyCode, bool& swallow);

// Connects the input line's events to their handlers (chat/input_line.h, paste, outgoing).
void wireInputLine(FrmMain& f);

}  // namespace orva
