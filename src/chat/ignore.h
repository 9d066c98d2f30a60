// The ignore list: one key per ignored player in the "Ignore" section of Config.ini.
#pragma once

#include <string>

namespace orva {

struct ConfigPart;

// Whether a player name can stand as a key of Config.ini. Names that cannot ("=" inside, a
// leading "[" or ";", empty, outer blanks, line breaks) are never written and never ignored.
bool IsUsableName(const std::string& name);

// True when the "Ignore" section holds a non-empty value for the name (case ignored).
bool IsIgnored(const ConfigPart& f, const std::string& name);

// Both return false, writing nothing, for a name that cannot be a key or when the write fails.
bool AddIgnore(const ConfigPart& f, const std::string& name);
bool RemoveIgnore(const ConfigPart& f, const std::string& name);

}  // namespace orva
