// The "Ping On" and "Ping Off" buttons: which button and timers are live. The ping itself is in
// zone_ping.h.
#pragma once

namespace orva {

struct FrmMain;

void cmdPingOn_Click(FrmMain& f);
void cmdPingOff_Click(FrmMain& f);

}  // namespace orva
