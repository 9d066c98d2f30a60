#include "core/server_line.h"

namespace orva {

ServerLine parseServerLine(std::string_view line) {
    ServerLine out;
    std::size_t start = 0;
    while (out.count < ServerLine::kMaxFields) {
        const std::size_t colon = line.find(':', start);
        out.field[out.count++] = line.substr(start, colon == line.npos ? line.npos : colon - start);
        if (colon == line.npos) break;
        if (out.count == 1) out.text = line.substr(colon + 1);
        start = colon + 1;
    }
    return out;
}

}  // namespace orva
