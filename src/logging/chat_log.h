// Chat log files: one plain text file per log in the "logs" folder, appended line by line.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace orva {

struct ChatLogState {
    std::uint8_t LogIsOpen = 0;  // 0 off, 255 on
    std::string LogFileName;     // relative to the logs folder

    // The log stays open between lines; these say which file the handle was opened for and when
    // the path was last compared with it.
    files::AppendFile file;
    std::string openFolder, openName;  // AppFolder and LogFileName at the open
    std::uint32_t checkedTick = 0;
    bool checkDue = true;
};

struct LogPart;

// Appends the line to the current log while logging is on; a failure says so once and turns
// logging off. The file stays open between lines; a log removed, moved or replaced meanwhile (or
// its folder) is made again at a line at most 100 ms of the clock's tick later.
void WriteChatLog(LogPart& f, const std::string& line);
void OpenLog(LogPart& f);
void CloseLog(LogPart& f);
std::uint8_t LogIsOpen(const LogPart& f);
void SetLogFileName(LogPart& f, const std::string& name);
// Local date and time as 2026/03/07 09:05:02: the default log file name.
std::string LogTimestamp(const LogPart& f);
// 0: something exists at path; 2: the folder was created; 1: nothing there (not created).
std::uint8_t EnsureFolder(const std::string& path, std::uint8_t create);

}  // namespace orva
