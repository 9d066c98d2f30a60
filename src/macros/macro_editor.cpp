#include "macros/macro_editor.h"

#include <string>

#include "config/setting_writes.h"
#include "core/frm_main.h"
#include "macros/macro_menu.h"
#include "macros/macro_store.h"

namespace orva {

FrmMacroEditor::FrmMacroEditor(FrmMain& m) : main(m) {
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
    e.lblProfileSt.Caption.set(e.main.ProfileID);
}

void Command1_Click(FrmMacroEditor& e) {
    const bool saved = SaveMacros(e);
    LoadMacroMenu(e.main);
    if (!saved) {
        showNotWritten(e.main, e.Caption.get());
        return;
    }
    e.lblSavedSt.Caption.set("Last Saved: " + std::string(e.main.env.clock.dateTimeText()));
}

void Command2_Click(FrmMacroEditor& e) {
    e.unloadRequested.emit();
}

void Form_Unload(FrmMacroEditor& e) {
    e.main.showRequested.emit();
}

}  // namespace orva
