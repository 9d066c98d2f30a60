// Config.ini access: the only door to the settings file, plus the sound cue player.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orva {

struct FrmMain;
struct ConfigPart;

// The value of key in section, cut to 254 characters; empty when file, section or key is missing.
std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& file);

// Writes value to key in section. No value deletes the key; no key deletes the section.
// Returns non-zero on success.
std::int32_t WriteSetting(const std::string& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value, const std::string& file);

// Plays a sound cue asynchronously unless muted.
void PlaySoundFile(ConfigPart& f, const std::string& path);

}  // namespace orva
