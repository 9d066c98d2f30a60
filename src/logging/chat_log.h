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

namespace orva {

struct FrmMain;

// Appends the line to the current log while logging is on.
void WriteChatLog(FrmMain& f, const std::string& line);
void OpenLog(FrmMain& f);
void CloseLog(FrmMain& f);
std::uint8_t LogIsOpen(const FrmMain& f);
void SetLogFileName(FrmMain& f, const std::string& name);

}  // namespace orva
