// The config room's part of the main window: the switches kept in Config.ini and the profile.
#pragma once

#include <cstdint>
#include <string>

#include "base/controls.h"
#include "base/env.h"
#include "base/program.h"

namespace orva {

struct ConfigPart : virtual Program {
    explicit ConfigPart(Env& e) : Program(e) {}

    std::uint8_t ShowKillMessages = 0;
    std::uint8_t ShowPublicMacros = 0;
    std::uint8_t Muted = 0;
    std::uint8_t AutoReconnect = 0;
    std::uint8_t Notify = 1;
    std::string HighlightWords;  // as stored: words separated by commas
    std::string ProfileID = "User0";

    // The File menu's switches kept here, and the highlight words.
    MenuItem menu_IgnorePubMacros{"Ignore Public Macros"};
    MenuItem menu_KillMessages{"Kill Messages"};
    MenuItem menu_Mute{"Mute Sounds", "Ctrl+M"};
    MenuItem menu_AutoReconnect{"Reconnect Automatically"};
    MenuItem menu_Notify{"Desktop Notifications"};
    MenuItem menu_HighlightWords{"Highlight Words..."};
};

}  // namespace orva
