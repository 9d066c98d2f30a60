// The player roster: who is in the arena, with ship and frequency.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace orva {

struct PlayerRecord {
    std::string Name;
    std::uint8_t Ship = 8;
    std::int16_t Freq = -1;
};

// Records beyond PlayerCount are leftovers and never read. Names need not be unique; lookups
// find the first. Records are added, removed and cleared through the functions below; callers
// may rewrite Ship and Freq, and Name only in its letter case (as a ship and frequency change
// does), so that the name index stays true.
struct Roster {
    std::vector<PlayerRecord> records;
    std::int16_t PlayerCount = 0;

    // Folded name -> indices of the records of that name, so that a lookup in a full arena
    // does not walk every record. Rebuilt whenever its count disagrees with PlayerCount.
    mutable std::unordered_map<std::string, std::vector<std::int16_t>> byName;
    mutable std::int16_t indexedCount = 0;
};

}  // namespace orva

namespace orva {

struct CorePart;

inline constexpr std::uint8_t kSpectatorShip = 8;

// Each change sets the player-count label of lstUsers.
void AddPlayer(CorePart& f, const std::string& name, std::uint8_t ship, std::int16_t freq);
// Index of the first record of that name, case ignored; -1 if none.
std::int16_t FindPlayer(const CorePart& f, const std::string& name);
// Fills the hole with the last record. An index outside the roster changes nothing.
void RemovePlayerAt(CorePart& f, std::int16_t index);
void RemovePlayer(CorePart& f, const std::string& name);
// Drops all records; does not touch the list or the label.
void ClearRoster(CorePart& f);

// Whether the first record of that name is a spectator (ship 8).
bool IsSpectator(const CorePart& f, const std::string& name);
// Lets the player list ask the roster for its spectator marks. Run once when the form is wired.
void wireRosterToList(CorePart& f);

}  // namespace orva
