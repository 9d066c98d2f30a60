// frmMacroEditor as a model: eight macro fields, the profile in use, the save status.
#pragma once

#include <array>
#include <string>

#include "base/controls.h"

namespace orva {

struct ConfigPart;
struct MacrosPart;

struct FrmMacroEditor {
    FrmMacroEditor(MacrosPart& macros, ConfigPart& config);
    FrmMacroEditor(const FrmMacroEditor&) = delete;
    FrmMacroEditor& operator=(const FrmMacroEditor&) = delete;

    MacrosPart& macros;  // the Macros menu, refreshed at a save
    ConfigPart& config;
    Prop<std::string> Caption{"ORVA Macros"};
    std::array<TextBox, 8> txtMacro;  // macros 1 to 8, keys "f1" to "f8"
    std::array<Label, 8> lblMacro;    // "Shift F1" to "Shift F8"
    Label lblProfile, lblProfileSt;
    Label lblSaved, lblSavedSt;
    Button Command1;  // Save
    Button Command2;  // Close
    Signal<> unloadRequested;
};

// Fills the fields from the store and names the profile in use.
void Form_Load(FrmMacroEditor& e);
// Saves, refreshes the Macros menu and shows when; a Config.ini that cannot be written is
// reported instead.
void Command1_Click(FrmMacroEditor& e);
// Closes without saving.
void Command2_Click(FrmMacroEditor& e);
// However the window closes, the main window comes forward.
void Form_Unload(FrmMacroEditor& e);

}  // namespace orva
