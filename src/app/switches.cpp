#include "app/switches.h"

#include "app/frm_main.h"
#include "config/settings.h"
#include "config/switches.h"

namespace orva {

void loadSwitches(FrmMain& f) {
    const std::string& ini = f.ConfigPath;
    f.ckPing.Value.set(switchNumber(ini, "AutoPing") != 0 ? 1 : 0);
    f.ShowKillMessages = switchOn(ini, "KillMsgs") ? 1 : 0;
    f.menu_KillMessages.Checked.set(f.ShowKillMessages != 0);
    f.ShowPublicMacros = switchOn(ini, "PublicMacros") ? 1 : 0;
    f.menu_IgnorePubMacros.Checked.set(f.ShowPublicMacros != 0);
    f.showURLs = byteSwitch(ini, "URLClickable");
    f.menu_HighLightURL.Checked.set(f.showURLs != 0);
    f.Muted = byteSwitch(ini, "Muted");
    f.menu_Mute.Checked.set(f.Muted != 0);
    f.AutoReconnect = switchOn(ini, "AutoReconnect") ? 1 : 0;
    f.menu_AutoReconnect.Checked.set(f.AutoReconnect != 0);
    // On unless turned off: only "0" is off.
    f.Notify = ReadSetting("Config", "Notify", ini) == "0" ? 0 : 1;
    f.menu_Notify.Checked.set(f.Notify != 0);
    f.HighlightWords = ReadSetting("Config", "Highlight", ini);
    f.Timestamps = switchOn(ini, "Timestamps") ? 1 : 0;
    f.menu_Timestamps.Checked.set(f.Timestamps != 0);
}

}  // namespace orva
