// The zone table read from zone.dat, its rows in lstZones and the Zones menu.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

struct ZonesPart;

struct ZoneRecord {
    std::string Name;
    std::string Host;
    std::uint16_t Port = 0;
    std::int32_t Players = 0;
    std::int16_t PingTime = 0;
};

struct ZoneTable {
    std::vector<ZoneRecord> Zones;
    int ZoneCount = 0;  // wide on purpose: zones past the 256th stay reachable
};

// What zone.dat holds: the zones of its valid lines in file order, and whether any line was
// malformed (empty, fewer than three fields, port not a 32-bit number).
struct ZoneFile {
    std::vector<ZoneRecord> zones;
    bool hadError = false;
};
ZoneFile parseZoneDat(std::string_view text);

// Exactly width characters: padded with spaces, or cut to width - 3 characters and "...".
std::string FitText(std::string_view text, std::uint8_t width);

// Reads AppFolder + "zone.dat" and adds its zones; says so once when the file is missing or has
// malformed lines.
void LoadZoneList(ZonesPart& f);
void AddZone(ZonesPart& f, const std::string& name, const std::string& host, std::uint16_t port);
// Rewrites row index of lstZones with the two status columns; rows out of range are left alone.
void UpdateZoneRow(ZonesPart& f, int index, std::string_view left, std::string_view right);
// One enabled menu_Zone item per row, captioned with the zone's name.
void populateZonesMenu(ZonesPart& f);

}  // namespace orva
