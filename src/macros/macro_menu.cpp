#include "macros/macro_menu.h"

#include <string>

#include "chat/outgoing.h"
#include "config/settings.h"
#include "core/frm_main.h"

namespace orva {

void LoadMacroMenu(FrmMain& f) {
    for (std::size_t i = 0; i < f.menu_Macro.size(); ++i) {
        MenuItem& item = f.menu_Macro[i];
        item.Caption.set("-macro-");
        item.Enabled.set(false);
        const std::string text = ReadSetting("macro_0", "f" + std::to_string(i + 1), f.ConfigPath);
        if (text.find_first_not_of(' ') == std::string::npos) continue;
        item.Caption.set(text);
        item.Enabled.set(true);
    }
}

void menu_Macro_Click(FrmMain& f, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= f.menu_Macro.size()) return;
    if (f.sckClient->State() != sckConnected) return;
    const MenuItem& item = f.menu_Macro[static_cast<std::size_t>(index)];
    if (!item.Enabled.get()) return;
    std::string text = item.Caption.get();
    HandleOutgoing(f, text, 1);
}

void wireMacroHandlers(FrmMain& f) {
    for (std::size_t i = 0; i < f.menu_Macro.size(); ++i)
        f.menu_Macro[i].clicked.connect([&f, i] { menu_Macro_Click(f, static_cast<int>(i)); });
}

}  // namespace orva
