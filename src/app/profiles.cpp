#include "app/profiles.h"

#include <optional>

#include "app/frm_main.h"
#include "base/text.h"
#include "config/ini_file.h"
#include "config/scramble.h"
#include "config/setting_writes.h"
#include "config/settings.h"

namespace orva {

namespace {

void saveField(FrmMain& f, const char* key, const TextBox& box) {
    const std::string title = f.ProfileID + " Saved.";
    if (WriteSetting(f.ProfileID, std::string(key), box.Text.get(), f.ConfigPath) == 0) {
        showNotWritten(f, title);
        return;
    }
    f.env.dialogs.messageBox("Data Saved.", title, MsgIcon::Information);
}

}  // namespace

void cmbManage_KeyPress(FrmMain& f, int KeyAscii, bool& swallow) {
    swallow = true;
    if (KeyAscii != 13) return;
    const int index = f.cmbManage.ListIndex.get();
    if (index < 0 || index > kMaxProfiles) return;  // nothing selected: nothing to load
    f.ProfileID = "User" + std::to_string(index);
    f.txtUser.Text.set(ReadSetting(f.ProfileID, "name", f.ConfigPath));
    f.txtPass.Text.set(
        UnscramblePassword(ReadSetting(f.ProfileID, "pass", f.ConfigPath), f.SecondKey));
    f.txtAuto.Text.set(ReadSetting(f.ProfileID, "auto", f.ConfigPath));
    f.txtchats.Text.set(ReadSetting(f.ProfileID, "chats", f.ConfigPath));
    // Saved with its own button, so it comes back with the rest of the profile.
    f.txtInitialArena.Text.set(ReadSetting(f.ProfileID, "arena", f.ConfigPath));
    f.lblProfileSt.Caption.set(f.ProfileID);
}

void loadProfileList(FrmMain& f) {
    for (int i = 1; i <= kMaxProfiles; ++i) {
        const std::string name = ReadSetting("User" + std::to_string(i), "name", f.ConfigPath);
        if (trimBlanks(name).empty()) return;
        if (i == 1) {
            f.cmbManage.Visible.set(true);
            f.lblSelProfile.Visible.set(true);
            f.txtUser.Locked.set(true);
            f.txtUser.ToolTipText.set("Field Locked. Use Config.ini to edit.");
        }
        f.cmbManage.AddItem(name);
    }
}

void cmdSaveArena_Click(FrmMain& f) {
    saveField(f, "arena", f.txtInitialArena);
}

void cmdSaveAuto_Click(FrmMain& f) {
    saveField(f, "auto", f.txtAuto);
}

void cmdSaveChats_Click(FrmMain& f) {
    saveField(f, "chats", f.txtchats);
}

void cmdSavePass_Click(FrmMain& f) {
    const std::string title = "Save Password [" + f.txtUser.Text.get() + "]";
    if (f.env.dialogs.messageBox("Confirm to save the password into profile.", title, MsgIcon::None,
                                 MsgButtons::OkCancel) == MsgResult::Cancel)
        return;
    const std::string& password = f.txtPass.Text.get();
    std::optional<std::string> stored;
    if (!trimBlanks(password).empty()) {
        stored = ScramblePassword(password, f.SecondKey);
        // Past 57 characters the stored form outgrows what a read returns, and the password
        // would come back mangled at the next load: refuse it while the user can still choose.
        if (stored->size() > ini::kMaxValue) {
            f.env.dialogs.messageBox(
                "The password is too long to be saved. Use at most 57 characters.", title,
                MsgIcon::Exclamation);
            return;
        }
    }
    // The blank password deletes the key.
    if (!writeSettingsAll(
            {{f.ProfileID, "pass", stored}, {f.ProfileID, "name", f.txtUser.Text.get()}},
            f.ConfigPath)) {
        showNotWritten(f, "Saved.");
        return;
    }
    f.env.dialogs.messageBox("Password Saved.", "Saved.", MsgIcon::Information);
}

}  // namespace orva
