// The profile's auto-commands, sent once per connection at the first arena entry.
#pragma once

namespace orva {

struct FrmMain;

inline constexpr int kMaxAutoCommands = 11;

void ProcessAuto(FrmMain& f);

}  // namespace orva
