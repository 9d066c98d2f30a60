#include "logging/chat_log.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/text.h"
#include "logging/log_part.h"
#include "platform/files.h"

namespace orva {

namespace {

std::string twoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// How long lines go to the open file before the path is compared with it again.
constexpr std::uint32_t kRecheckMs = 100;

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

std::string LogTimestamp(const LogPart& f) {
    const LocalTime t = f.env.clock.localTime();
    std::string year = std::to_string(t.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + "/" + twoDigits(t.month) + "/" + twoDigits(t.day) + " " + twoDigits(t.hour) +
           ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

namespace {

void reportFailure(LogPart& f, const std::string& why) {
    // Off before the box: nothing the box lets run can write to the broken log again.
    f.chatLog.LogIsOpen = 0;
    f.chatLog.file.close();
    f.env.dialogs.messageBox("Error writing log file.\r\n\r\n" + why, "log file",
                             MsgIcon::Information);
}

// The file open for this log and still the one its path names; opened (with its folder made)
// when it is not. The error's description when that fails.
std::optional<std::string> ensureOpen(LogPart& f) {
    ChatLogState& log = f.chatLog;
    const std::uint32_t now = f.env.clock.tickCount();
    const bool sameLog =
        log.file.isOpen() && log.openFolder == f.AppFolder && log.openName == log.LogFileName;
    if (sameLog && !log.checkDue && static_cast<std::uint32_t>(now - log.checkedTick) < kRecheckMs)
        return std::nullopt;

    const std::string folder = f.AppFolder + "logs";
    const std::string path = folder + "/" + files::fileNameFromText(log.LogFileName);
    log.checkDue = false;
    log.checkedTick = now;
    if (sameLog && files::identityOf(path) == log.file.identity()) return std::nullopt;

    // Removed, moved, replaced or never opened: made again as a first line would make it.
    log.file.close();
    std::string why;
    // A folder that cannot be made is as much a failure as a file that cannot be written.
    if (ensureFolder(folder, 1, &why) == 1) return why;
    if (auto error = log.file.open(path)) return error;
    log.openFolder = f.AppFolder;
    log.openName = log.LogFileName;
    return std::nullopt;
}

}  // namespace

void WriteChatLog(LogPart& f, const std::string& line) {
    ChatLogState& log = f.chatLog;
    if (log.LogIsOpen == 0) {
        log.file.close();  // turned off without CloseLog
        return;
    }
    std::optional<std::string> error = ensureOpen(f);
    if (!error) {
        // One write for the line and its end, so a line is never left without its CR LF.
        std::string bytes;
        bytes.reserve(line.size() + 2);
        bytes.append(line).append("\r\n");
        error = log.file.write(bytes);
    }
    if (error) reportFailure(f, *error);
}

void OpenLog(LogPart& f) {
    f.chatLog.LogIsOpen = 255;
    f.chatLog.checkDue = true;  // a new log or connection looks at the file at once
    // The open and close lines carry the date as the desktop writes it; only the default file
    // name uses the fixed, sortable form.
    WriteChatLog(f, std::string(f.env.clock.dateTimeText()) + " Log Opened.");
}

void CloseLog(LogPart& f) {
    WriteChatLog(f, std::string(f.env.clock.dateTimeText()) + " Log Closed.");
    const bool wasOpen = f.chatLog.LogIsOpen != 0;
    f.chatLog.LogIsOpen = 0;
    if (auto error = f.chatLog.file.close(); error && wasOpen) reportFailure(f, *error);
    f.chatLog.LogFileName.clear();
}

std::uint8_t LogIsOpen(const LogPart& f) {
    return f.chatLog.LogIsOpen;
}

void SetLogFileName(LogPart& f, const std::string& name) {
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
