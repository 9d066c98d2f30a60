// The "Ping On" and "Ping Off" buttons: which button and timers are live. The ping itself is in
// zone_ping.h.
#pragma once

namespace orva {

struct ZonesPart;

void cmdPingOn_Click(ZonesPart& f);
void cmdPingOff_Click(ZonesPart& f);

}  // namespace orva
