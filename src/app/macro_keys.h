// Sending a macro chosen from the Macros menu (F1 to F8).
#pragma once

namespace orva {

struct FrmMain;

// Entry index (0 to 7, F1 to F8): sends the entry's text as a macro, only while connected and
// only for an enabled entry.
void menu_Macro_Click(FrmMain& f, int index);

void wireMacroHandlers(FrmMain& f);

}  // namespace orva
