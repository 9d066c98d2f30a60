// Profiles: the default "User0" and the hand-written "User1".."User10", their selection in
// cmbManage and the four Save buttons of the login panel.
#pragma once

#include <string>

namespace orva {

struct FrmMain;

inline constexpr int kMaxProfiles = 10;

// Every key is swallowed; Enter loads the profile at cmbManage's selected entry, its arena too.
void cmbManage_KeyPress(FrmMain& f, int KeyAscii, bool& swallow);
// Start-up: lists the named profiles User1.. up to the first gap, and locks txtUser if any.
void loadProfileList(FrmMain& f);

// Each save confirms with "Data Saved."; a Config.ini that cannot be written is reported instead.
void cmdSaveArena_Click(FrmMain& f);
void cmdSaveAuto_Click(FrmMain& f);
void cmdSaveChats_Click(FrmMain& f);
// Confirms, then stores the scrambled password (or deletes it when blank) and the name. A
// password too long to read back intact is refused with a message and nothing is written; so is
// everything when Config.ini cannot be written.
void cmdSavePass_Click(FrmMain& f);

}  // namespace orva
