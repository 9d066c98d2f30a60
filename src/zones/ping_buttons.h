// The "Ping On" and "Ping Off" buttons: which button and timers are live. The ping itself sits
// beside the zone list.
#pragma once

namespace orva {

struct FrmMain;

void cmdPingOn_Click(FrmMain& f);
void cmdPingOff_Click(FrmMain& f);

}  // namespace orva
