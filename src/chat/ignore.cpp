#include "chat/ignore.h"

#include "config/config_part.h"
#include "config/ini_file.h"
#include "config/settings.h"

namespace orva {

bool IsUsableName(const std::string& name) {
    return ini::isUsableKey(name);
}

bool IsIgnored(const ConfigPart& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return !ReadSetting("Ignore", name, f.ConfigPath).empty();
}

bool AddIgnore(const ConfigPart& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return WriteSetting("ignore", name, std::string("1"), f.ConfigPath) != 0;
}

bool RemoveIgnore(const ConfigPart& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return WriteSetting("ignore", name, std::nullopt, f.ConfigPath) != 0;
}

}  // namespace orva
