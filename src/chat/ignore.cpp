#include "chat/ignore.h"

#include "config/ini_file.h"
#include "config/settings.h"
#include "core/frm_main.h"

namespace orva {

bool IsUsableName(const std::string& name) {
    return ini::isUsableKey(name);
}

bool IsIgnored(const FrmMain& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return !ReadSetting("Ignore", name, f.ConfigPath).empty();
}

bool AddIgnore(const FrmMain& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return WriteSetting("ignore", name, std::string("1"), f.ConfigPath) != 0;
}

bool RemoveIgnore(const FrmMain& f, const std::string& name) {
    if (!IsUsableName(name)) return false;
    return WriteSetting("ignore", name, std::nullopt, f.ConfigPath) != 0;
}

}  // namespace orva
