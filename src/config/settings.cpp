#include "config/settings.h"

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the ini store.
std::string ReadSetting(const std::string&, const std::string&, const std::string&) {
    return {};
}

std::int32_t WriteSetting(const std::string&, const std::optional<std::string>&,
                          const std::optional<std::string>&, const std::string&) {
    return 1;
}

void PlaySoundFile(FrmMain& f, const std::string& path) {
    if (f.Muted == 0) f.env.sound.play(path);
}

}  // namespace orva
