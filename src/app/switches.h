// The switches of the File menu and the ping check box: each click flips its flag and writes it.
#pragma once

namespace orva {

struct FrmMain;

void menu_KillMessages_Click(FrmMain& f);
void menu_Mute_Click(FrmMain& f);
// Unlike the older switches, a write that fails says so and leaves the switch as stored.
void menu_AutoReconnect_Click(FrmMain& f);
void menu_Timestamps_Click(FrmMain& f);
void menu_HighLightURL_Click(FrmMain& f);
void menu_Notify_Click(FrmMain& f);
void menu_IgnorePubMacros_Click(FrmMain& f);
void ckPing_Click(FrmMain& f);

// Start-up: the switches, their check marks and ckPing from the "Config" section.
void loadSwitches(FrmMain& f);

}  // namespace orva
