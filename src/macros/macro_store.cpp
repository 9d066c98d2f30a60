#include "macros/macro_store.h"

#include <string>
#include <vector>

#include "config/config_part.h"
#include "config/setting_writes.h"
#include "config/settings.h"
#include "macros/macro_editor.h"

namespace orva {

namespace {

constexpr const char* kSection = "macro_0";

std::string keyOf(std::size_t i) {
    return "f" + std::to_string(i + 1);
}

bool blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

bool SaveMacros(FrmMacroEditor& e) {
    std::vector<SettingWrite> writes;
    std::size_t empty = 0;
    for (std::size_t i = 0; i < e.txtMacro.size(); ++i) {
        const std::string& text = e.txtMacro[i].Text.get();
        if (blank(text)) {
            writes.push_back({kSection, keyOf(i), std::nullopt});
            ++empty;
        } else {
            writes.push_back({kSection, keyOf(i), text});
        }
    }
    const std::string& file = e.config.ConfigPath;
    if (!writeSettingsAll(writes, file)) return false;
    if (empty == e.txtMacro.size())
        return WriteSetting(kSection, std::nullopt, std::nullopt, file) != 0;
    return true;
}

void LoadMacroEditor(FrmMacroEditor& e) {
    for (std::size_t i = 0; i < e.txtMacro.size(); ++i) {
        const std::string value = ReadSetting(kSection, keyOf(i), e.config.ConfigPath);
        e.txtMacro[i].Text.set(blank(value) ? std::string() : value);
    }
}

}  // namespace orva
