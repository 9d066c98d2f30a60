// The switches of the File menu kept in the config part: each click flips its flag and writes it;
// "Highlight Words..." asks for the list. How a stored switch reads, for start-up.
#pragma once

#include <cstdint>
#include <string>

#include "base/controls.h"

namespace orva {

struct ConfigPart;

// A switch whose new value could not be stored keeps its old one, so the window never shows a
// state that the next start would not find; false then.
bool flipSwitch(const std::string& configPath, std::uint8_t& flag, MenuItem& item, const char* key);

// A failed write is told through notWritten, the switch left as stored.
void menu_KillMessages_Click(ConfigPart& f);
void menu_Mute_Click(ConfigPart& f);
void menu_AutoReconnect_Click(ConfigPart& f);
void menu_Notify_Click(ConfigPart& f);
void menu_IgnorePubMacros_Click(ConfigPart& f);
void menu_HighlightWords_Click(ConfigPart& f);

// Key of "Config" as a number, rounded half to even.
double switchNumber(const std::string& configPath, const char* key);
// Any non-zero number means on, judged before rounding: "0.4" is on.
bool switchOn(const std::string& configPath, const char* key);
// The number itself as a byte; a switch that is on never rounds or wraps to off.
std::uint8_t byteSwitch(const std::string& configPath, const char* key);

}  // namespace orva
