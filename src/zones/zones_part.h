// The zones room's part of the main window: the zone list, the ping controls, the zone table and
// the ping state.
#pragma once

#include "base/controls.h"
#include "base/env.h"
#include "zones/zone_list.h"
#include "zones/zone_ping.h"

namespace orva {

struct ZonesPart {
    explicit ZonesPart(Env& e) : env(e) {}
    ZonesPart(const ZonesPart&) = delete;
    ZonesPart& operator=(const ZonesPart&) = delete;

    Env& env;  // the platform services its routines use (files, sockets' name lookup, clock)
    Panel frameMain;
    ListBox lstZones;
    Button cmdPingOn;
    Button cmdPingOff;
    CheckBox ckPing;

    ZoneTable zones;
    ZonePing ping;
};

}  // namespace orva
