// The config room's part of the main window: the switches kept in Config.ini and the profile.
#pragma once

#include <cstdint>
#include <string>

#include "base/env.h"

namespace orva {

struct ConfigPart {
    explicit ConfigPart(Env& e) : env(e) {}
    ConfigPart(const ConfigPart&) = delete;
    ConfigPart& operator=(const ConfigPart&) = delete;

    Env& env;                // the platform services its routines use (files, dialogs)
    std::string ConfigPath;  // AppFolder + "Config.ini"
    std::uint8_t ShowKillMessages = 0;
    std::uint8_t ShowPublicMacros = 0;
    std::uint8_t showURLs = 0;
    std::uint8_t Muted = 0;
    std::uint8_t AutoReconnect = 0;
    std::uint8_t Notify = 1;
    std::string HighlightWords;   // as stored: words separated by commas
    std::uint8_t Timestamps = 0;  // lines added to the view begin with the local time
    std::string ProfileID = "User0";
    std::uint8_t NameWidth = 14;
};

}  // namespace orva
