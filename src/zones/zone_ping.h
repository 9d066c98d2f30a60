// The zone ping: one UDP request at a time, paced by tmrPing, stepped on by tmrPing2 and given
// up on by the tmrPing3 watchdog; its results fill the two status columns of lstZones.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orva {

struct ZonesPart;

struct ZonePing {
    int PingCursor = 0;  // wide, so every zone of the list gets its turn
    // The request awaiting its reply, as sent; empty while none is awaited. Only a datagram that
    // echoes it is taken as the reply, so a late answer never lands on the next zone.
    std::optional<std::uint32_t> outstanding;
    // The name lookup awaited before the request can go (0: none), numbered so that one that ends
    // after the watchdog has moved on is told from the next zone's.
    std::uint32_t lookup = 0;
    std::uint32_t lookupsStarted = 0;
};

// Four bytes little-endian from offset, wrapping in 32 bits; bytes past the end count as 0.
std::int32_t ReadLongLE(std::string_view bytes, int offset);

void tmrPing_Timer(ZonesPart& f);
void tmrPing2_Timer(ZonesPart& f);
void tmrPing3_Timer(ZonesPart& f);
void sckPing_DataArrival(ZonesPart& f, std::string_view data);
// The host name of lookup number `lookup` was found or not; sends the request when found.
void sckPing_Resolved(ZonesPart& f, std::uint32_t lookup, bool found);
// The awaited request could not be sent (no such host, send refused).
void sckPing_SendFailed(ZonesPart& f);
// A datagram came in but could not be read.
void sckPing_ReadFailed(ZonesPart& f);

// Connects the three ping timers and sckPing to the handlers above.
void wirePingHandlers(ZonesPart& f);

}  // namespace orva
