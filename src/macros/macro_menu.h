// The Macros menu's entries, filled from the macro store.
#pragma once

namespace orva {

struct ConfigPart;
struct MacrosPart;

// Every entry shows "-macro-" and is disabled unless "f1".."f8" of "macro_0" holds a macro; an
// entry with a macro shows its text as stored.
void LoadMacroMenu(MacrosPart& f, const ConfigPart& config);

}  // namespace orva
