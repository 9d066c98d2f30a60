#include "macros/macro_editor.h"

#include <string>

#include "config/config_part.h"
#include "config/setting_writes.h"
#include "macros/macro_menu.h"
#include "macros/macro_store.h"
#include "macros/macros_part.h"

namespace orva {

FrmMacroEditor::FrmMacroEditor(MacrosPart& m, ConfigPart& c) : macros(m), config(c) {
    for (std::size_t i = 0; i < lblMacro.size(); ++i)
        lblMacro[i].Caption.set("Shift F" + std::to_string(i + 1));
    lblProfile.Caption.set("Profile: ");
    lblSaved.Caption.set("Saved Status: ");
    lblSavedSt.Caption.set("Unknown.");
    Command1.Caption.set("Save");
    Command2.Caption.set("Close");
}

void Form_Load(FrmMacroEditor& e) {
    LoadMacroEditor(e);
    e.lblProfileSt.Caption.set(e.config.ProfileID);
}

void Command1_Click(FrmMacroEditor& e) {
    const bool saved = SaveMacros(e);
    LoadMacroMenu(e.macros, e.config);
    if (!saved) {
        showNotWritten(e.config, e.Caption.get());
        return;
    }
    e.lblSavedSt.Caption.set("Last Saved: " + std::string(e.config.env.clock.dateTimeText()));
}

void Command2_Click(FrmMacroEditor& e) {
    e.unloadRequested.emit();
}

void Form_Unload(FrmMacroEditor& e) {
    e.config.showRequested.emit();
}

}  // namespace orva
