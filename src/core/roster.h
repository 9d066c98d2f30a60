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

// Records beyond PlayerCount are leftovers and never read. Names need not be unique; lookups
// find the first.
struct Roster {
    std::vector<PlayerRecord> records;
    std::int16_t PlayerCount = 0;
};

}  // namespace orva

namespace orva {

struct FrmMain;

inline constexpr std::uint8_t kSpectatorShip = 8;

// Each change sets the player-count label of lstUsers.
void AddPlayer(FrmMain& f, const std::string& name, std::uint8_t ship, std::int16_t freq);
// Index of the first record of that name, case ignored; -1 if none.
std::int16_t FindPlayer(const FrmMain& f, const std::string& name);
// Fills the hole with the last record. An index outside the roster changes nothing.
void RemovePlayerAt(FrmMain& f, std::int16_t index);
void RemovePlayer(FrmMain& f, const std::string& name);
// Drops all records; does not touch the list or the label.
void ClearRoster(FrmMain& f);

// Whether the first record of that name is a spectator (ship 8).
bool IsSpectator(const FrmMain& f, const std::string& name);
// Lets the player list ask the roster for its spectator marks. Run once when the form is wired.
void wireRosterToList(FrmMain& f);

}  // namespace orva
