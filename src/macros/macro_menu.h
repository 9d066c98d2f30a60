// The Macros menu: its eight entries, filled from the macro store, and sending a chosen macro.
#pragma once

namespace orva {

struct FrmMain;

// Every entry shows "-macro-" and is disabled unless "f1".."f8" of "macro_0" holds a macro; an
// entry with a macro shows its text as stored.
void LoadMacroMenu(FrmMain& f);

// Entry index (0 to 7, F1 to F8): sends the entry's text as a macro, only while connected and
// only for an enabled entry.
void menu_Macro_Click(FrmMain& f, int index);

void wireMacroHandlers(FrmMain& f);

}  // namespace orva
