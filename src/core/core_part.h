// The core room's part of the main window: the player list with the roster behind it and the
// state of the connection.
#pragma once

#include <cstdint>
#include <string>

#include "core/roster.h"
#include "lstBox/lst_box.h"

namespace orva {

struct CorePart {
    LstBox lstUsers;  // the player list
    Roster roster;

    bool LoggedIn = false;
    std::string SelfName;
    std::int16_t SelfFreq = 9999;
    std::string ArenaName;
};

}  // namespace orva
