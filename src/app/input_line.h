// The input line txtOut: Enter, the player list keys, the "::" partner shortcut and the colour of
// the text by the kind of message it will send.
#pragma once

namespace orva {

struct FrmMain;

// Enter on a line that is not empty sends it and empties the line; an empty line's Enter is left
// to the control.
void txtOut_KeyPress(FrmMain& f, int keyCode, bool& swallow);
// Down / Page Down and Up / Page Up move the player list's selection instead of the caret;
// Ctrl+Up and Ctrl+Down recall the lines sent; Tab and Shift+Tab complete player names.
void txtOut_KeyDown(FrmMain& f, int keyCode, int shift, bool& swallow);
// After a typed character reached the text: a ":" behind a leading colon fills in (and steps
// through) the recent private-message partners.
void txtOut_CharTyped(FrmMain& f, int code);
// After every change of the text: unstyled text in the colour of its kind.
void txtOut_Change(FrmMain& f);
// Colours the whole input text by its kind; remembers the kind in LastInputPrefix.
void Colorize(FrmMain& f);

// Connects the input line's events to the handlers above.
void wireInputLine(FrmMain& f);

}  // namespace orva
