#include "macros/macro_menu.h"

#include <string>

#include "config/config_part.h"
#include "config/settings.h"
#include "macros/macros_part.h"

namespace orva {

void LoadMacroMenu(MacrosPart& f, const ConfigPart& config) {
    for (std::size_t i = 0; i < f.menu_Macro.size(); ++i) {
        MenuItem& item = f.menu_Macro[i];
        item.Caption.set("-macro-");
        item.Enabled.set(false);
        const std::string text =
            ReadSetting("macro_0", "f" + std::to_string(i + 1), config.ConfigPath);
        if (text.find_first_not_of(' ') == std::string::npos) continue;
        item.Caption.set(text);
        item.Enabled.set(true);
    }
}

}  // namespace orva
