// The zone hop: moving the connection to another zone of the zone list, after asking.
#pragma once

#include <cstdint>

namespace orva {

struct FrmMain;

// entry_id counts from 1 (zone n is row n - 1 of lstZones). A number outside the list, or the
// zone already selected, does nothing.
void HopServer(FrmMain& f, std::uint8_t entry_id);

}  // namespace orva
