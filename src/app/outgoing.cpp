#include "app/outgoing.h"

#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/hop_server.h"
#include "base/case_fold.h"
#include "base/numbers.h"
#include "base/text.h"
#include "chat/formatters.h"
#include "chat/ignore.h"
#include "config/setting_writes.h"
#include "core/roster.h"
#include "logging/chat_log.h"
#include "logging/trace.h"
#include "macros/macro_expand.h"
#include "view/chat_lines.h"
#include "view/name_width.h"

namespace orva {

namespace {

void postStatus(FrmMain& f, std::string text) {
    PostStatusLine(f, text);
}

// Status words of "?ignore": shown, never logged.
void showStatus(FrmMain& f, std::string text) {
    AppendChatLine(f, text, ColorStatus);
}

std::string selectedName(const FrmMain& f) {
    return f.lstUsers.getContent2(f.lstUsers.listIndex());
}

std::string paddedSelf(const FrmMain& f) {
    return PadName(f.SelfName, f.NameWidth);
}

// --- client commands ---------------------------------------------------------------------------

void cmdSheep(FrmMain& f, const std::string&) {
    f.SheepSoundPending = true;
    SendLine(f, "SEND:PUB:?sheep");
}

void cmdIgnore(FrmMain& f, const std::string& argument) {
    const std::string given(trimBlanks(argument));
    const std::string target = given.empty() ? selectedName(f) : given;
    if (target.empty()) return showStatus(f, "Error: No user selected to ignore.");
    if (target == f.SelfName) return showStatus(f, "You can not ignore yourself.");
    if (!IsUsableName(target)) return showStatus(f, "Error: That name can not be ignored.");
    if (IsIgnored(f, target)) {
        if (!RemoveIgnore(f, target)) return postNotWritten(f);
        showStatus(f, "Listening: " + target);
    } else {
        if (!AddIgnore(f, target)) return postNotWritten(f);
        showStatus(f, "Ignoring: " + target);
    }
}

void cmdQuit(FrmMain& f, const std::string&) {
    f.sckClient->Close();
    ConnectionClosed(f);
}

void cmdNameLen(FrmMain& f, const std::string& argument) {
    if (!trimBlanks(argument).empty()) {
        // The absolute value of the lowest 32-bit number does not fit; it is the widest anyway.
        const std::int64_t width = std::llabs(static_cast<std::int64_t>(toInt32(argument)));
        const std::uint8_t before = f.NameWidth;
        if (!SetNameWidth(f, static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)))) {
            f.NameWidth = before;
            return postNotWritten(f);
        }
    }
    makeArenaMsg(f, "Message Name Length: " + std::to_string(f.NameWidth));
}

void cmdLog(FrmMain& f, const std::string& argument) {
    if (LogIsOpen(f)) {
        CloseLog(f);
        return postStatus(f, "Log Closed.");
    }
    SetLogFileName(f, std::string(trimBlanks(argument)));
    OpenLog(f);
    // A log that could not be written has said so and is off again: it was not opened.
    if (LogIsOpen(f)) postStatus(f, "Log File: " + f.chatLog.LogFileName + " opened.");
}

void cmdHop(FrmMain& f, const std::string& argument) {
    HopServer(f, toByteOr(argument, 0));
}

void cmdReconnect(FrmMain& f, const std::string&) {
    f.sckClient->Close();
    ConnectionClosed(f);
    Connect_It(f);
}

void cmdAway(FrmMain& f, const std::string& argument) {
    // A new away period, or none: everyone may get the reply again.
    f.AwayRepliedTo.clear();
    if (argument.find_first_not_of(' ') != std::string::npos) {
        f.AwayMessage = argument;
        postStatus(f, "Away message is now ACTIVE.");
    } else {
        f.AwayMessage.clear();
        postStatus(f, "Away message is DISABLED.");
    }
}

void cmdGo(FrmMain& f, const std::string& argument) {
    SendLine(f, "GO:" + argument);
}

void cmdShowLog(FrmMain& f, const std::string&) {
    ShowTraceWindow(f);
}

struct ClientCommand {
    std::string_view word;  // lower case
    void (*run)(FrmMain& f, const std::string& argument);
};

constexpr std::array<ClientCommand, 10> kClientCommands{{
    {"?sheep", cmdSheep},
    {"?ignore", cmdIgnore},
    {"?quit", cmdQuit},
    {"?namelen", cmdNameLen},
    {"?log", cmdLog},
    {"?hop", cmdHop},
    {"?reconnect", cmdReconnect},
    {"?away", cmdAway},
    {"?go", cmdGo},
    {"?showlog", cmdShowLog},
}};

// Runs the line as a client command if its first word is one.
bool runClientCommand(FrmMain& f, const std::string& line) {
    const std::size_t space = line.empty() ? std::string::npos : line.find(' ', 1);
    const std::string word = foldCase(line.substr(0, space));
    for (const ClientCommand& command : kClientCommands) {
        if (command.word != word) continue;
        command.run(f, space == std::string::npos ? std::string() : line.substr(space + 1));
        return true;
    }
    return false;
}

// --- chat lines --------------------------------------------------------------------------------

// The part of each protocol line before the text, after "SEND:", and how one piece of the text is
// sent and shown.
struct ChatKind {
    std::string head;
    std::function<void(const std::string& piece)> sendPiece;
};

// Sends the text in pieces the server takes, each sent and shown as a line of its own.
void sendInPieces(FrmMain& f, const ChatKind& kind, const std::string& text) {
    const std::optional<std::vector<std::string>> pieces = SplitForWire(kind.head.size(), text);
    if (!pieces)
        return postStatus(f, "Not sent: the server takes at most 500 characters in a line.");
    for (const std::string& piece : *pieces)
        kind.sendPiece(piece);
}

void sendPublic(FrmMain& f, const std::string& line, bool macro) {
    const std::string head = macro ? "PUBM:" : "PUB:";
    // A server command cut in two would be two wrong commands.
    if (line.starts_with('?') && head.size() + line.size() > kMaxSendText)
        return postStatus(f, "Not sent: the server takes at most 500 characters in a line.");
    sendInPieces(f,
                 {head,
                  [&f, &head](const std::string& piece) {
                      SendLine(f, "SEND:" + head + piece);
                      makePubMsg(f, paddedSelf(f) + "> " + piece);
                  }},
                 line);
}

void sendToSelectedFreq(FrmMain& f, const std::string& text) {
    const std::int16_t found = FindPlayer(f, selectedName(f));
    if (found < 0) return;
    const std::int16_t freq = f.roster.records[static_cast<std::size_t>(found)].Freq;
    sendInPieces(f,
                 {"FREQ:" + std::to_string(freq) + ":",
                  [&f, freq](const std::string& piece) {
                      SendFreqLine(f, freq, piece, paddedSelf(f),
                                   "E: " + paddedSelf(f) + "> " + piece);
                  }},
                 text);
}

void sendChannel(FrmMain& f, const std::string& line) {
    const bool numbered = line.size() >= 3 && line[2] == ';' && line[1] >= '0' && line[1] <= '9';
    const std::uint8_t channel = numbered ? static_cast<std::uint8_t>(line[1] - '0') : 1;
    const std::string head = "CHAT:" + line.substr(1, numbered ? 2 : 0);
    sendInPieces(f,
                 {head,
                  [&f, &head, channel](const std::string& piece) {
                      SendLine(f, "SEND:" + head + piece);
                      makeChatMsg(f, channel, f.SelfName, piece);
                  }},
                 line.substr(numbered ? 3 : 1));
}

void sendChatLine(FrmMain& f, const std::string& line, bool macro) {
    const std::string selected = selectedName(f);
    const std::string prefix = line.starts_with("//") ? "//" : line.substr(0, 1);
    const std::string text = line.substr(prefix.size());

    if (f.lstUsers.listIndex() == -1 && (prefix == "\"" || prefix == "/"))
        return postStatus(f, "Error: No user selected for private message.");

    if (prefix == "/") {
        sendInPieces(f,
                     {"PRIV:" + selected + ":",
                      [&f, &selected](const std::string& piece) {
                          SendLine(f, "SEND:PRIV:" + selected + ":" + piece);
                          makePrivMsg(f, f.SelfName, piece, false);
                      }},
                     text);
    } else if (prefix == ":" && line.find(':', 1) != std::string::npos) {
        const std::string target = text.substr(0, text.find(':') + 1);  // "name:"
        sendInPieces(f,
                     {"PRIV:" + target,
                      [&f, &target](const std::string& piece) {
                          SendLine(f, "SEND:PRIV:" + target + piece);
                          std::string shown = ":" + target + piece;
                          AppendChatLine(f, shown, ColorArena);
                          WriteChatLog(f, "P  " + shown);
                      }},
                     text.substr(target.size()));
    } else if (prefix == ":") {
        sendPublic(f, line, false);
    } else if (prefix == "'" || prefix == "//") {
        // Servers drop "SEND:TEAM:"; team chat is a line to the own frequency.
        const std::string head = "FREQ:" + std::to_string(f.SelfFreq) + ":";
        sendInPieces(f,
                     {head,
                      [&f, &head](const std::string& piece) {
                          SendLine(f, "SEND:" + head + piece);
                          makeTeamMsg(f, f.SelfName, piece);
                      }},
                     text);
    } else if (prefix == "\"") {
        sendToSelectedFreq(f, text);
    } else if (prefix == "\\") {
        sendInPieces(f,
                     {"MOD:",
                      [&f](const std::string& piece) {
                          SendLine(f, "SEND:MOD:" + piece);
                          std::string shown = "* " + paddedSelf(f) + "> " + piece;
                          AppendChatLine(f, shown, ColorModerator);
                      }},
                     text);
    } else if (prefix == ";") {
        sendChannel(f, line);
    } else {
        sendPublic(f, line, macro);
    }
}

}  // namespace

std::optional<std::vector<std::string>> SplitForWire(std::size_t headSize, std::string_view text) {
    if (headSize + text.size() <= kMaxSendText) return std::vector<std::string>{std::string(text)};
    if (headSize >= kMaxSendText) return std::nullopt;
    const std::size_t room = kMaxSendText - headSize;
    std::vector<std::string> pieces;
    while (text.size() > room) {
        // The longest start that fits and is followed by a blank; that blank is dropped.
        const std::size_t blank = text.rfind(' ', room);
        if (blank == std::string_view::npos || blank == 0) {
            pieces.emplace_back(text.substr(0, room));
            text.remove_prefix(room);
        } else {
            pieces.emplace_back(text.substr(0, blank));
            text.remove_prefix(blank + 1);
        }
    }
    // A blank dropped at the very end leaves nothing for a last piece.
    if (!text.empty()) pieces.emplace_back(text);
    return pieces;
}

void SendFreqLine(FrmMain& f, std::int16_t freq, const std::string& text,
                  const std::string& echoName, const std::string& logLine) {
    SendLine(f, "SEND:FREQ:" + std::to_string(freq) + ":" + text);
    WriteChatLog(f, logLine);
    AppendFrequencyLine(f, "E:  ", "", echoName, text);
}

void HandleOutgoing(FrmMain& f, std::string& line, std::uint8_t macroFlag) {
    line = MacroExpand(f, line);
    if (runClientCommand(f, line)) return;

    if (line.starts_with('=')) {
        const std::string rest = line.substr(1);
        if (DigitsValue(rest) == f.SelfFreq)
            return postStatus(f, "You are already on that frequency.");
        SendLine(f, "CHANGEFREQ:" + rest);
        return;
    }

    sendChatLine(f, line, macroFlag == 1);
}

}  // namespace orva
