#include "config/switches.h"

#include <string>
#include <vector>

#include "base/numbers.h"
#include "config/config_part.h"
#include "config/setting_writes.h"
#include "config/settings.h"

namespace orva {

bool flipSwitch(const std::string& configPath, std::uint8_t& flag, MenuItem& item,
                const char* key) {
    const std::uint8_t next = flag == 0 ? 1 : 0;
    if (WriteSetting("Config", key, std::to_string(next), configPath) == 0) return false;
    flag = next;
    item.Checked.set(flag != 0);
    return true;
}

namespace {

void flip(ConfigPart& f, std::uint8_t& flag, MenuItem& item, const char* key) {
    if (!flipSwitch(f.ConfigPath, flag, item, key)) f.notWritten.emit();
}

}  // namespace

void menu_KillMessages_Click(ConfigPart& f) {
    flip(f, f.ShowKillMessages, f.menu_KillMessages, "KillMsgs");
}

void menu_Mute_Click(ConfigPart& f) {
    flip(f, f.Muted, f.menu_Mute, "Muted");
}

void menu_AutoReconnect_Click(ConfigPart& f) {
    flip(f, f.AutoReconnect, f.menu_AutoReconnect, "AutoReconnect");
}

void menu_Notify_Click(ConfigPart& f) {
    flip(f, f.Notify, f.menu_Notify, "Notify");
}

void menu_IgnorePubMacros_Click(ConfigPart& f) {
    const std::uint8_t next = f.ShowPublicMacros == 0 ? 1 : 0;
    std::vector<SettingWrite> writes;
    if (ReadSetting("Config", "PublicMacrosNotice", f.ConfigPath).empty())
        writes.push_back({"Config", "PublicMacrosNotice", "1"});
    writes.push_back({"Config", "PublicMacros", std::to_string(next)});
    if (!writeSettingsAll(writes, f.ConfigPath)) return f.notWritten.emit();
    f.ShowPublicMacros = next;
    f.menu_IgnorePubMacros.Checked.set(f.ShowPublicMacros != 0);
}

void menu_HighlightWords_Click(ConfigPart& f) {
    const auto list = f.env.dialogs.inputBox(
        "Words that notify you, separated by commas:", "Highlight Words", f.HighlightWords);
    if (!list) return;
    if (WriteSetting("Config", "Highlight", *list, f.ConfigPath) == 0) return f.notWritten.emit();
    f.HighlightWords = *list;
}

double switchNumber(const std::string& configPath, const char* key) {
    return roundHalfEven(numericValue(ReadSetting("Config", key, configPath)));
}

bool switchOn(const std::string& configPath, const char* key) {
    return numericValue(ReadSetting("Config", key, configPath)) != 0;
}

std::uint8_t byteSwitch(const std::string& configPath, const char* key) {
    if (!switchOn(configPath, key)) return 0;
    const double v = switchNumber(configPath, key);
    if (v < 1 || v > 255) return 1;
    return static_cast<std::uint8_t>(v);
}

}  // namespace orva
