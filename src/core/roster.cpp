#include "core/roster.h"

#include <cctype>

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the full roster.
namespace {
std::string lower(std::string s) {
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
void setLabel(FrmMain& f) {
    f.lstUsers.setCount(std::to_string(f.roster.PlayerCount) + " players.");
}
}  // namespace

void AddPlayer(FrmMain& f, const std::string& name, std::uint8_t ship, std::int16_t freq) {
    auto& r = f.roster;
    if (r.records.size() <= static_cast<size_t>(r.PlayerCount))
        r.records.resize(r.PlayerCount + 1u);
    r.records[static_cast<size_t>(r.PlayerCount)] = {name, ship, freq};
    ++r.PlayerCount;
    setLabel(f);
}

std::int16_t FindPlayer(const FrmMain& f, const std::string& name) {
    for (std::int16_t i = 0; i < f.roster.PlayerCount; ++i)
        if (lower(f.roster.records[static_cast<size_t>(i)].Name) == lower(name)) return i;
    return -1;
}

void RemovePlayerAt(FrmMain& f, std::int16_t index) {
    auto& r = f.roster;
    const auto last = static_cast<size_t>(r.PlayerCount - 1);
    if (static_cast<size_t>(index) == last || r.PlayerCount <= 1)
        r.records[static_cast<size_t>(index)] = {"", 8, -1};
    else
        r.records[static_cast<size_t>(index)] = r.records[last];
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

}  // namespace orva
