// Fuzz target: the zone.dat parser and the row text of what it yields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "zones/zone_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orva::ZoneFile file = orva::parseZoneDat(text);
    for (const auto& z : file.zones) {
        if (z.Port == 0 || z.Port == 65535) std::abort();
        if (orva::FitText(z.Name, 30).size() != 30) std::abort();
    }
    return 0;
}
