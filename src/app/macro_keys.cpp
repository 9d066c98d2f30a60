#include "app/macro_keys.h"

#include <string>

#include "app/frm_main.h"
#include "app/outgoing.h"

namespace orva {

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
