// The zone table read from zone.dat.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orva {

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

}  // namespace orva
