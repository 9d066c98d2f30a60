#include "zones/zone_ping.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "zones/zone_list.h"
#include "zones/zones_part.h"

namespace orva {

namespace {

bool cursorValid(const ZonesPart& f) {
    const int cursor = f.ping.PingCursor;
    return cursor >= 0 && cursor < f.zones.ZoneCount &&
           static_cast<std::size_t>(cursor) < f.zones.Zones.size();
}

ZoneRecord& cursorZone(ZonesPart& f) {
    return f.zones.Zones[static_cast<std::size_t>(f.ping.PingCursor)];
}

void advanceCursor(ZonesPart& f) {
    if (++f.ping.PingCursor >= f.zones.ZoneCount) f.ping.PingCursor = 0;
}

}  // namespace

std::int32_t ReadLongLE(std::string_view bytes, int offset) {
    // Bytes past the end read as 0. Copied out first: GCC's -O3 flow analysis otherwise warns
    // about reading a short string's inline buffer through the inlined datagram handler.
    std::array<unsigned char, 4> raw{};
    if (offset >= 0 && static_cast<std::size_t>(offset) < bytes.size())
        std::memcpy(raw.data(), bytes.data() + offset,
                    std::min<std::size_t>(4, bytes.size() - static_cast<std::size_t>(offset)));
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(raw[static_cast<std::size_t>(i)]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

void tmrPing_Timer(ZonesPart& f) {
    if (!cursorValid(f)) return;  // no zones: the timer keeps ticking idly
    f.tmrPing->setEnabled(false);
    f.ping.outstanding.reset();
    if (++f.ping.lookupsStarted == 0) ++f.ping.lookupsStarted;  // 0 means none
    const std::uint32_t lookup = f.ping.lookupsStarted;
    f.ping.lookup = lookup;
    // The watchdog also gives up on a lookup that never ends.
    f.tmrPing3->setEnabled(false);
    f.tmrPing3->setEnabled(true);
    ZonesPart* p = &f;
    f.sckPing->Resolve(cursorZone(f).Host,
                       [p, lookup](bool found) { sckPing_Resolved(*p, lookup, found); });
}

void sckPing_Resolved(ZonesPart& f, std::uint32_t lookup, bool found) {
    // A lookup the watchdog or the Off button has given up on touches nothing.
    if (lookup != f.ping.lookup || !cursorValid(f)) return;
    f.ping.lookup = 0;
    if (!found) {
        // As a failed send: the row shows what the zone's last reply said.
        f.tmrPing2->setEnabled(true);
        return;
    }
    f.tmrPing3->setEnabled(false);
    const ZoneRecord& zone = cursorZone(f);
    // Read after the lookup, so the ping time is the round trip alone.
    const std::uint32_t tick = f.env.clock.tickCount();
    std::string request(4, '\0');
    for (int i = 0; i < 4; ++i)
        request[static_cast<std::size_t>(i)] = static_cast<char>((tick >> (8 * i)) & 0xFF);
    // Awaited before it is sent: a send failure reported at once already finds it.
    f.ping.outstanding = tick;
    f.sckPing->SendTo(zone.Host, static_cast<std::uint16_t>(zone.Port + 1), request);
    f.tmrPing3->setEnabled(true);
}

void sckPing_DataArrival(ZonesPart& f, std::string_view data) {
    auto& ping = f.ping;
    const auto echoed = static_cast<std::uint32_t>(ReadLongLE(data, 4));
    if (!ping.outstanding || echoed != *ping.outstanding || !cursorValid(f)) return;
    ping.outstanding.reset();
    ZoneRecord& zone = cursorZone(f);
    zone.Players = ReadLongLE(data, 0);
    zone.PingTime = static_cast<std::int16_t>(
        static_cast<std::uint16_t>((f.env.clock.tickCount() - echoed) & 0xFFFF));
    f.tmrPing2->setEnabled(true);
}

void sckPing_SendFailed(ZonesPart& f) {
    if (!f.ping.outstanding) return;
    f.ping.outstanding.reset();
    // The row then shows what the zone's last reply said.
    f.tmrPing2->setEnabled(true);
}

void sckPing_ReadFailed(ZonesPart& f) {
    if (!f.ping.outstanding || !cursorValid(f)) return;
    f.ping.outstanding.reset();
    ZoneRecord& zone = cursorZone(f);
    zone.Players = -1;
    zone.PingTime = -1;
    f.tmrPing2->setEnabled(true);
}

void tmrPing2_Timer(ZonesPart& f) {
    f.tmrPing2->setEnabled(false);
    if (!f.cmdPingOff.Enabled.get()) return;
    if (cursorValid(f)) {
        const ZoneRecord& zone = cursorZone(f);
        if (zone.Players == -1)
            UpdateZoneRow(f, f.ping.PingCursor, " --- ", "0");
        else
            UpdateZoneRow(f, f.ping.PingCursor, std::to_string(zone.PingTime),
                          std::to_string(zone.Players));
    }
    advanceCursor(f);
    f.tmrPing->setEnabled(true);
}

void tmrPing3_Timer(ZonesPart& f) {
    f.tmrPing3->setEnabled(false);
    if (f.lstZones.ListCount() > 0 && (f.ping.outstanding || f.ping.lookup != 0)) {
        // Whatever answers this request or its lookup from now on is ignored.
        f.ping.outstanding.reset();
        f.ping.lookup = 0;
        UpdateZoneRow(f, f.ping.PingCursor, "--- ", "0");
        advanceCursor(f);
        f.tmrPing->setEnabled(true);
    }
    f.tmrPing3->setEnabled(true);
}

void wirePingHandlers(ZonesPart& f) {
    ZonesPart* p = &f;
    f.tmrPing->onTick([p] { tmrPing_Timer(*p); });
    f.tmrPing2->onTick([p] { tmrPing2_Timer(*p); });
    f.tmrPing3->onTick([p] { tmrPing3_Timer(*p); });
    UdpEvents events;
    events.onDatagram = [p](std::string bytes) { sckPing_DataArrival(*p, bytes); };
    events.onError = [p](int, std::string) { sckPing_SendFailed(*p); };
    events.onReadError = [p](int, std::string) { sckPing_ReadFailed(*p); };
    f.sckPing->setEvents(std::move(events));
}

}  // namespace orva
