// Fuzz target: cutting received protocol lines into type, fields and text, with no window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/server_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using orva::ServerLine;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const ServerLine d = orva::parseServerLine(line);
    if (d.count < 1 || d.count > ServerLine::kMaxFields) std::abort();

    // The fields, joined by the colons they were cut at, start the line, and none holds a colon.
    std::string joined;
    for (std::size_t i = 0; i < d.count; ++i) {
        if (d.field[i].find(':') != std::string_view::npos) std::abort();
        if (i > 0) joined += ':';
        joined += d.field[i];
    }
    if (!line.starts_with(joined)) std::abort();
    // A line cut short of the cap holds no further colon.
    if (d.count < ServerLine::kMaxFields && joined.size() != line.size()) std::abort();

    // The text is the rest of the line behind the type's colon, colons and all.
    const std::size_t colon = line.find(':');
    if (d.has(1) != (colon != std::string_view::npos)) std::abort();
    if (d.text != (d.has(1) ? line.substr(colon + 1) : std::string_view())) std::abort();
    return 0;
}
