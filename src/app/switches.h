// Start-up's reading of the switches, which live in the config, view and zones parts.
#pragma once

namespace orva {

struct FrmMain;

// The switches, their check marks and ckPing from the "Config" section.
void loadSwitches(FrmMain& f);

}  // namespace orva
