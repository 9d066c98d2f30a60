#include "view/name_width.h"

#include <cstdlib>
#include <limits>

#include "config/settings.h"
#include "view/view_part.h"

namespace orva {

std::string PadName(std::string_view name, std::uint8_t width) {
    if (name.size() >= width) return std::string(name.substr(0, width));
    return std::string(width - name.size(), ' ') + std::string(name);
}

bool SetNameWidth(ViewPart& f, std::int32_t value) {
    const std::int64_t v = std::llabs(static_cast<std::int64_t>(value));
    if (v == 0)
        f.NameWidth = kDefaultNameWidth;
    else if (v > kMaxNameWidth)
        f.NameWidth = kMaxNameWidth;
    else
        f.NameWidth = static_cast<std::uint8_t>(v);
    return WriteSetting("Config", "namelen", std::to_string(f.NameWidth), f.ConfigPath) != 0;
}

std::int32_t DigitsValue(std::string_view text) {
    std::int32_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        const int d = c - '0';
        if (n > (std::numeric_limits<std::int32_t>::max() - d) / 10) break;  // keep what fits
        n = n * 10 + d;
    }
    return n;
}

}  // namespace orva
