// The Macros menu: its eight entries, filled from the macro store.
#pragma once

namespace orva {

struct FrmMain;

// Every entry shows "-macro-" and is disabled until the store gives it a macro.
void LoadMacroMenu(FrmMain& f);

}  // namespace orva
