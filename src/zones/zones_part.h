// The zones room's part of the main window: the zone list, the ping controls, the zone table, the
// ping state, socket and timers.
#pragma once

#include <memory>
#include <vector>

#include "base/controls.h"
#include "base/env.h"
#include "base/program.h"
#include "zones/zone_list.h"
#include "zones/zone_ping.h"

namespace orva {

struct ZonesPart : virtual Program {
    ZonesPart(Env& e, std::unique_ptr<IUdpSocket> udp) : Program(e), sckPing(std::move(udp)) {}

    Panel frameMain;
    ListBox lstZones;
    Button cmdPingOn;
    Button cmdPingOff;
    CheckBox ckPing;
    std::vector<std::unique_ptr<MenuItem>> menu_Zone;  // item 0 exists from the start
    Signal<int> zoneMenuItemAdded;                     // index of a new menu_Zone item
    Signal<> zoneListChanged;  // the list was read again: Connect follows whether it has zones
    MenuItem menu_ZoneSep{"-"};
    MenuItem menu_ZoneMan{"Zone Manager"};

    ZoneTable zones;
    ZonePing ping;

    std::unique_ptr<IUdpSocket> sckPing;
    // Made by FrmMain with its other timers, in its order.
    std::unique_ptr<ITimer> tmrPing, tmrPing2, tmrPing3;
};

}  // namespace orva
