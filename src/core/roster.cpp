#include "core/roster.h"

#include <algorithm>

#include "base/case_fold.h"
#include "core/core_part.h"

namespace orva {

namespace {
void setLabel(CorePart& f) {
    f.lstUsers.setCount(std::to_string(f.roster.PlayerCount) + " players.");
}

void ensureIndex(const Roster& r) {
    if (r.indexedCount == r.PlayerCount) return;
    r.byName.clear();
    for (std::int16_t i = 0; i < r.PlayerCount; ++i)
        r.byName[foldCase(r.records[static_cast<size_t>(i)].Name)].push_back(i);
    r.indexedCount = r.PlayerCount;
}

void unindex(const Roster& r, const std::string& name, std::int16_t index) {
    const auto it = r.byName.find(foldCase(name));
    if (it == r.byName.end()) return;
    auto& list = it->second;
    list.erase(std::remove(list.begin(), list.end(), index), list.end());
    if (list.empty()) r.byName.erase(it);
}
}  // namespace

void AddPlayer(CorePart& f, const std::string& name, std::uint8_t ship, std::int16_t freq) {
    auto& r = f.roster;
    if (r.PlayerCount >= INT16_MAX) return;  // the count is 16-bit: the roster is full
    ensureIndex(r);
    const auto at = static_cast<size_t>(r.PlayerCount);
    if (r.records.size() <= at) r.records.resize(at + 1);
    r.records[at] = {name, ship, freq};
    r.byName[foldCase(name)].push_back(r.PlayerCount);
    ++r.PlayerCount;
    r.indexedCount = r.PlayerCount;
    setLabel(f);
}

std::int16_t FindPlayer(const CorePart& f, const std::string& name) {
    const auto& r = f.roster;
    ensureIndex(r);
    const auto it = r.byName.find(foldCase(name));
    if (it == r.byName.end()) return -1;
    std::int16_t first = -1;
    for (const auto i : it->second)
        if (i < r.PlayerCount && equalsFolded(r.records[static_cast<size_t>(i)].Name, name) &&
            (first < 0 || i < first))
            first = i;
    return first;
}

void RemovePlayerAt(CorePart& f, std::int16_t index) {
    auto& r = f.roster;
    if (index < 0 || index >= r.PlayerCount) return;
    ensureIndex(r);
    const auto last = static_cast<size_t>(r.PlayerCount - 1);
    auto& hole = r.records[static_cast<size_t>(index)];
    unindex(r, hole.Name, index);
    if (static_cast<size_t>(index) == last || r.PlayerCount <= 1) {
        hole = {"", kSpectatorShip, -1};
    } else {
        hole = r.records[last];
        auto& moved = r.byName[foldCase(hole.Name)];
        std::replace(moved.begin(), moved.end(), static_cast<std::int16_t>(last), index);
    }
    --r.PlayerCount;
    r.indexedCount = r.PlayerCount;
    setLabel(f);
}

void RemovePlayer(CorePart& f, const std::string& name) {
    const auto i = FindPlayer(f, name);
    if (i >= 0) RemovePlayerAt(f, i);
}

void ClearRoster(CorePart& f) {
    f.roster.records.clear();
    f.roster.PlayerCount = 0;
    f.roster.byName.clear();
    f.roster.indexedCount = 0;
}

bool IsSpectator(const CorePart& f, const std::string& name) {
    const auto i = FindPlayer(f, name);
    return i >= 0 && f.roster.records[static_cast<size_t>(i)].Ship == kSpectatorShip;
}

void wireRosterToList(CorePart& f) {
    f.lstUsers.isSpectator = [&f](const std::string& name) { return IsSpectator(f, name); };
}

}  // namespace orva
