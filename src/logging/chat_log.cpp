#include "logging/chat_log.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/text.h"
#include "core/frm_main.h"
#include "platform/files.h"

namespace orva {

namespace {

std::string twoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// Open, append, close; the error's description, or nothing when all three steps worked.
std::optional<std::string> appendLine(const std::string& path, const std::string& line) {
    errno = 0;
    if (files::append(path, line + "\r\n")) return std::nullopt;
    return std::string(std::strerror(errno ? errno : EIO));
}

}  // namespace

// EnsureFolder, saying why a folder could not be made.
static std::uint8_t ensureFolder(const std::string& path, std::uint8_t create, std::string* why) {
    std::error_code ec;
    const std::filesystem::path native = files::nativePath(path);
    if (std::filesystem::exists(native, ec)) return 0;
    if (create != 1) return 1;
    if (std::filesystem::create_directory(native, ec) && !ec) return 2;
    if (why) *why = ec ? ec.message() : std::string("The folder could not be created.");
    return 1;
}

std::uint8_t EnsureFolder(const std::string& path, std::uint8_t create) {
    return ensureFolder(path, create, nullptr);
}

std::string LogTimestamp(const FrmMain& f) {
    const LocalTime t = f.env.clock.localTime();
    std::string year = std::to_string(t.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + "/" + twoDigits(t.month) + "/" + twoDigits(t.day) + " " + twoDigits(t.hour) +
           ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

void WriteChatLog(FrmMain& f, const std::string& line) {
    ChatLogState& log = f.chatLog;
    if (log.LogIsOpen == 0) return;
    const std::string folder = f.AppFolder + "logs";
    std::optional<std::string> error;
    std::string why;
    // A folder that cannot be made is as much a failure as a file that cannot be written.
    if (ensureFolder(folder, 1, &why) == 1)
        error = why;
    else
        error = appendLine(folder + "/" + files::fileNameFromText(log.LogFileName), line);
    if (!error) return;
    // Off before the box: nothing the box lets run can write to the broken log again.
    log.LogIsOpen = 0;
    f.env.dialogs.messageBox("Error writing log file.\r\n\r\n" + *error, "log file",
                             MsgIcon::Information);
}

void OpenLog(FrmMain& f) {
    f.chatLog.LogIsOpen = 255;
    // The open and close lines carry the date as the desktop writes it; only the default file
    // name uses the fixed, sortable form.
    WriteChatLog(f, std::string(f.env.clock.dateTimeText()) + " Log Opened.");
}

void CloseLog(FrmMain& f) {
    WriteChatLog(f, std::string(f.env.clock.dateTimeText()) + " Log Closed.");
    f.chatLog.LogIsOpen = 0;
    f.chatLog.LogFileName.clear();
}

std::uint8_t LogIsOpen(const FrmMain& f) {
    return f.chatLog.LogIsOpen;
}

void SetLogFileName(FrmMain& f, const std::string& name) {
    // A name is a file in the logs folder, never a path: no separator survives, and what would
    // name the folder itself or its parent takes the default name.
    const auto safe = [](std::string text) {
        for (char& c : text)
            if (c == ':' || c == '/' || c == '\\') c = '.';
        return std::string(trimBlanks(text));
    };
    std::string result = safe(name);
    if (result.empty() || result == "." || result == "..") result = safe(LogTimestamp(f) + ".txt");
    f.chatLog.LogFileName = result;
}

}  // namespace orva
