#include "config/settings.h"

#include "config/config_part.h"
#include "config/ini_file.h"
#include "platform/files.h"

namespace orva {

// No cache on purpose: a hand edit made while the program runs counts at the next read.
std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& file) {
    // Read on every received chat line (the ignore test): unchanged, the file is not read again.
    const auto text = files::readAllCached(file);
    if (!text) return {};
    std::string value = ini::lookup(*text, section, key);
    if (value.size() > ini::kMaxValue) value.resize(ini::kMaxValue);
    return value;
}

std::int32_t WriteSetting(const std::string& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value, const std::string& file) {
    std::string text;
    if (auto current = files::readAll(file)) {
        text = std::move(*current);
    } else if (files::exists(file)) {
        return 0;  // there but unreadable: rewriting it would lose its contents
    }
    const auto changed = ini::apply(text, section, key, value);
    if (!changed) return 0;
    if (*changed == text) return 1;  // nothing to change, nothing to risk
    return files::replaceAtomically(file, *changed) ? 1 : 0;
}

void PlaySoundFile(ConfigPart& f, const std::string& path) {
    if (f.Muted == 0) f.env.sound.play(path);
}

}  // namespace orva
