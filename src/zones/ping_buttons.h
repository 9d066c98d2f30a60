// The "Ping On" and "Ping Off" buttons: which button and timers are live. The ping itself is in
// zone_ping.h.
#pragma once

namespace orva {

struct ZonesPart;

void cmdPingOn_Click(ZonesPart& f);
void cmdPingOff_Click(ZonesPart& f);
// "Ping on by default.": stores the box's value as AutoPing; a failed write unticks it quietly
// and is told through notWritten.
void ckPing_Click(ZonesPart& f);

}  // namespace orva
