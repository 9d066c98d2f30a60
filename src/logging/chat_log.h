// Chat log files: the state of the current log.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

struct ChatLogState {
    std::uint8_t LogIsOpen = 0;  // 0 off, 255 on
    std::string LogFileName;     // relative to the logs folder
};

}  // namespace orva
