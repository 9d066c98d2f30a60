#include "core/roster.h"

#include "core/frm_main.h"
#include "lstBox/case_fold.h"

namespace orva {

namespace {
void setLabel(FrmMain& f) {
    f.lstUsers.setCount(std::to_string(f.roster.PlayerCount) + " players.");
}
}  // namespace

void AddPlayer(FrmMain& f, const std::string& name, std::uint8_t ship, std::int16_t freq) {
    auto& r = f.roster;
    if (r.PlayerCount >= INT16_MAX) return;  // the count is 16-bit: the roster is full
    const auto at = static_cast<size_t>(r.PlayerCount);
    if (r.records.size() <= at) r.records.resize(at + 1);
    r.records[at] = {name, ship, freq};
    ++r.PlayerCount;
    setLabel(f);
}

std::int16_t FindPlayer(const FrmMain& f, const std::string& name) {
    const auto& r = f.roster;
    for (std::int16_t i = 0; i < r.PlayerCount; ++i)
        if (equalsFolded(r.records[static_cast<size_t>(i)].Name, name)) return i;
    return -1;
}

void RemovePlayerAt(FrmMain& f, std::int16_t index) {
    auto& r = f.roster;
    if (index < 0 || index >= r.PlayerCount) return;
    const auto last = static_cast<size_t>(r.PlayerCount - 1);
    auto& hole = r.records[static_cast<size_t>(index)];
    if (static_cast<size_t>(index) == last || r.PlayerCount <= 1)
        hole = {"", kSpectatorShip, -1};
    else
        hole = r.records[last];
    --r.PlayerCount;
    setLabel(f);
}

void RemovePlayer(FrmMain& f, const std::string& name) {
    const auto i = FindPlayer(f, name);
    if (i >= 0) RemovePlayerAt(f, i);
}

void ClearRoster(FrmMain& f) {
    f.roster.records.clear();
    f.roster.PlayerCount = 0;
}

bool IsSpectator(const FrmMain& f, const std::string& name) {
    const auto i = FindPlayer(f, name);
    return i >= 0 && f.roster.records[static_cast<size_t>(i)].Ship == kSpectatorShip;
}

void wireRosterToList(FrmMain& f) {
    f.lstUsers.isSpectator = [&f](const std::string& name) { return IsSpectator(f, name); };
}

}  // namespace orva
