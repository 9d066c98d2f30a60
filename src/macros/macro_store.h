// The macro store: section "macro_0" of Config.ini, keys "f1" to "f8".
#pragma once

namespace orva {

struct FrmMacroEditor;

// Writes the editor's eight fields; a blank field deletes its key, and all eight blank delete the
// section. False when Config.ini could not be written, and then nothing is changed.
bool SaveMacros(FrmMacroEditor& e);
// Puts the stored macros into the editor's fields, blank ones as empty text.
void LoadMacroEditor(FrmMacroEditor& e);

}  // namespace orva
