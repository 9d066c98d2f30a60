#include "macros/macro_menu.h"

#include "core/frm_main.h"

namespace orva {

void LoadMacroMenu(FrmMain& f) {
    for (auto& item : f.menu_Macro) {
        item.Caption.set("-macro-");
        item.Enabled.set(false);
    }
}

}  // namespace orva
