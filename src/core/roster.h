// The player roster: who is in the arena, with ship and frequency.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orva {

struct PlayerRecord {
    std::string Name;
    std::uint8_t Ship = 8;
    std::int16_t Freq = -1;
};

// Records beyond PlayerCount are leftovers and never read.
struct Roster {
    std::vector<PlayerRecord> records;
    std::int16_t PlayerCount = 0;
};

}  // namespace orva
