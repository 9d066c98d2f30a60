// The input line txtOut: the player list keys, history, completion, the "::" partner shortcut and
// the colour of the text by the kind of message it will send.
#pragma once

#include <string>

namespace orva {

struct ChatPart;
struct CorePart;

// Down / Page Down and Up / Page Up move the player list's selection instead of the caret;
// Ctrl+Up and Ctrl+Down recall the lines sent; Tab and Shift+Tab complete player names.
void txtOut_KeyDown(ChatPart& f, CorePart& core, int keyCode, int shift, bool& swallow);
// After a typed character reached the text: a ":" behind a leading colon fills in (and steps
// through) the recent private-message partners.
void txtOut_CharTyped(ChatPart& f, int code);
// After every change of the text: unstyled text in the colour of its kind.
void txtOut_Change(ChatPart& f);
// Colours the whole input text by its kind; remembers the kind in LastInputPrefix.
void Colorize(ChatPart& f);

// The recent private-message partners, newest first: addName pushes a name in at the front,
// dropping the oldest; removeName takes a name out (unless it is already at the front), closing
// the gap. removeName then addName moves a partner to the front without a duplicate.
void addName(ChatPart& f, const std::string& name);
void removeName(ChatPart& f, const std::string& name);

}  // namespace orva
