#include "app/switches.h"

#include <string>
#include <vector>

#include "app/frm_main.h"
#include "base/numbers.h"
#include "config/setting_writes.h"
#include "config/settings.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

// A switch whose new value could not be stored keeps its old one, so the window never shows a
// state that the next start would not find.
void flip(FrmMain& f, std::uint8_t& flag, MenuItem& item, const char* key) {
    const std::uint8_t next = flag == 0 ? 1 : 0;
    if (WriteSetting("Config", key, std::to_string(next), f.ConfigPath) == 0)
        return postNotWritten(f);
    flag = next;
    item.Checked.set(flag != 0);
}

double readNumber(const FrmMain& f, const char* key) {
    return roundHalfEven(numericValue(ReadSetting("Config", key, f.ConfigPath)));
}

// Any non-zero number means on, judged before rounding: "0.4" is on.
bool readOn(const FrmMain& f, const char* key) {
    return numericValue(ReadSetting("Config", key, f.ConfigPath)) != 0;
}

// The number itself as a byte; a switch that is on never rounds or wraps to off.
std::uint8_t readByteSwitch(const FrmMain& f, const char* key) {
    if (!readOn(f, key)) return 0;
    const double v = readNumber(f, key);
    if (v < 1 || v > 255) return 1;
    return static_cast<std::uint8_t>(v);
}

}  // namespace

void menu_KillMessages_Click(FrmMain& f) {
    flip(f, f.ShowKillMessages, f.menu_KillMessages, "KillMsgs");
}

void menu_Mute_Click(FrmMain& f) {
    flip(f, f.Muted, f.menu_Mute, "Muted");
}

void menu_AutoReconnect_Click(FrmMain& f) {
    flip(f, f.AutoReconnect, f.menu_AutoReconnect, "AutoReconnect");
}

void menu_Notify_Click(FrmMain& f) {
    flip(f, f.Notify, f.menu_Notify, "Notify");
}

void menu_Timestamps_Click(FrmMain& f) {
    flip(f, f.Timestamps, f.menu_Timestamps, "Timestamps");
}

void menu_HighLightURL_Click(FrmMain& f) {
    flip(f, f.showURLs, f.menu_HighLightURL, "URLClickable");
}

void menu_IgnorePubMacros_Click(FrmMain& f) {
    const std::uint8_t next = f.ShowPublicMacros == 0 ? 1 : 0;
    std::vector<SettingWrite> writes;
    if (ReadSetting("Config", "PublicMacrosNotice", f.ConfigPath).empty())
        writes.push_back({"Config", "PublicMacrosNotice", "1"});
    writes.push_back({"Config", "PublicMacros", std::to_string(next)});
    if (!writeSettingsAll(writes, f.ConfigPath)) return postNotWritten(f);
    f.ShowPublicMacros = next;
    f.menu_IgnorePubMacros.Checked.set(f.ShowPublicMacros != 0);
}

void ckPing_Click(FrmMain& f) {
    const int value = f.ckPing.Value.get();
    if (WriteSetting("Config", "AutoPing", std::to_string(value), f.ConfigPath) != 0) return;
    f.ckPing.Value.set(value == 0 ? 1 : 0);  // the click already ticked it; untick quietly
    postNotWritten(f);
}

void loadSwitches(FrmMain& f) {
    f.ckPing.Value.set(readNumber(f, "AutoPing") != 0 ? 1 : 0);
    f.ShowKillMessages = readOn(f, "KillMsgs") ? 1 : 0;
    f.menu_KillMessages.Checked.set(f.ShowKillMessages != 0);
    f.ShowPublicMacros = readOn(f, "PublicMacros") ? 1 : 0;
    f.menu_IgnorePubMacros.Checked.set(f.ShowPublicMacros != 0);
    f.showURLs = readByteSwitch(f, "URLClickable");
    f.menu_HighLightURL.Checked.set(f.showURLs != 0);
    f.Muted = readByteSwitch(f, "Muted");
    f.menu_Mute.Checked.set(f.Muted != 0);
    f.AutoReconnect = readOn(f, "AutoReconnect") ? 1 : 0;
    f.menu_AutoReconnect.Checked.set(f.AutoReconnect != 0);
    // On unless turned off: only "0" is off.
    f.Notify = ReadSetting("Config", "Notify", f.ConfigPath) == "0" ? 0 : 1;
    f.menu_Notify.Checked.set(f.Notify != 0);
    f.HighlightWords = ReadSetting("Config", "Highlight", f.ConfigPath);
    f.Timestamps = readOn(f, "Timestamps") ? 1 : 0;
    f.menu_Timestamps.Checked.set(f.Timestamps != 0);
}

}  // namespace orva
