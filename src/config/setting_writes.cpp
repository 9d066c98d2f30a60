#include "config/setting_writes.h"

#include "config/config_part.h"
#include "config/settings.h"

namespace orva {

bool writeSettingsAll(const std::vector<SettingWrite>& writes, const std::string& file) {
    std::vector<std::string> before;
    before.reserve(writes.size());
    for (const SettingWrite& w : writes)
        before.push_back(ReadSetting(w.section, w.key, file));
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (WriteSetting(writes[i].section, writes[i].key, writes[i].value, file) != 0) continue;
        // A missing key and an empty one read the same; putting back "missing" is the tidier.
        for (std::size_t j = i; j-- > 0;)
            WriteSetting(writes[j].section, writes[j].key,
                         before[j].empty() ? std::nullopt : std::optional(before[j]), file);
        return false;
    }
    return true;
}

void showNotWritten(ConfigPart& f, const std::string& title) {
    f.env.dialogs.messageBox(kNotWrittenText, title, MsgIcon::Exclamation);
}

}  // namespace orva
