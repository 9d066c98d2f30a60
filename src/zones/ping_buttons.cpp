#include "zones/ping_buttons.h"

#include "config/settings.h"
#include "zones/zones_part.h"

namespace orva {

void cmdPingOn_Click(ZonesPart& f) {
    f.ping.PingCursor = 0;
    f.ping.outstanding.reset();
    f.ping.lookup = 0;
    f.tmrPing->setEnabled(true);
    f.cmdPingOn.Enabled.set(false);
    f.cmdPingOff.Enabled.set(true);
}

void cmdPingOff_Click(ZonesPart& f) {
    f.tmrPing->setEnabled(false);
    f.tmrPing2->setEnabled(false);
    f.tmrPing3->setEnabled(false);
    // A reply still on its way is no longer awaited; PingCursor keeps its place.
    f.ping.outstanding.reset();
    f.ping.lookup = 0;
    for (int i = 0; i < f.lstZones.ListCount(); ++i)
        UpdateZoneRow(f, i, "", "????");
    f.cmdPingOn.Enabled.set(true);
    f.cmdPingOff.Enabled.set(false);
}

void ckPing_Click(ZonesPart& f) {
    const int value = f.ckPing.Value.get();
    if (WriteSetting("Config", "AutoPing", std::to_string(value), f.ConfigPath) != 0) return;
    f.ckPing.Value.set(value == 0 ? 1 : 0);  // the click already ticked it; untick quietly
    f.notWritten.emit();
}

}  // namespace orva
