// Several settings saved as one: the user is told "saved" only when every one of them was.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orva {

struct ConfigPart;

struct SettingWrite {
    std::string section;
    std::string key;
    std::optional<std::string> value;  // none deletes the key
};

// Writes them in order. When one fails, those already written get their old values back (as far
// as the file lets us) and the result is false.
bool writeSettingsAll(const std::vector<SettingWrite>& writes, const std::string& file);

// The exclamation box shown instead of a save's confirmation when Config.ini could not be written.
void showNotWritten(ConfigPart& f, const std::string& title);

inline constexpr const char* kNotWrittenText =
    "Config.ini could not be written. Nothing was saved.";

}  // namespace orva
