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

namespace orva {

struct FrmMain;

// Each change sets the player-count label of lstUsers.
void AddPlayer(FrmMain& f, const std::string& name, std::uint8_t ship, std::int16_t freq);
std::int16_t FindPlayer(const FrmMain& f, const std::string& name);
void RemovePlayerAt(FrmMain& f, std::int16_t index);
void RemovePlayer(FrmMain& f, const std::string& name);
// Drops all records; does not touch the list or the label.
void ClearRoster(FrmMain& f);

}  // namespace orva
