#include "core/protocol.h"

#include <array>
#include <optional>
#include <string_view>

#include "base/numbers.h"
#include "chat/handle_msg.h"
#include "config/settings.h"
#include "core/auto_commands.h"
#include "core/connection.h"
#include "core/frm_main.h"
#include "core/reconnect.h"
#include "core/roster.h"
#include "core/transport.h"
#include "logging/trace.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

// No type needs more than fields 0 to 4; the rest of a line is never split.
constexpr std::size_t kFieldsUsed = 5;

struct Fields {
    std::array<std::string_view, kFieldsUsed> at;
    std::size_t count = 0;  // fields present, capped at kFieldsUsed
    bool has(std::size_t i) const { return i < count; }
};

Fields splitFields(std::string_view line) {
    Fields out;
    std::size_t start = 0;
    while (out.count < kFieldsUsed) {
        const std::size_t colon = line.find(':', start);
        out.at[out.count++] = line.substr(start, colon == line.npos ? line.npos : colon - start);
        if (colon == line.npos) break;
        start = colon + 1;
    }
    return out;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view lowerKeyword) {
    if (a.size() != lowerKeyword.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerKeyword[i]) return false;
    return true;
}

bool startsWithNoCase(std::string_view line, std::string_view lowerPrefix) {
    return line.size() >= lowerPrefix.size() &&
           equalsNoCase(line.substr(0, lowerPrefix.size()), lowerPrefix);
}

std::string teamMark(const FrmMain& f, std::int16_t freq) {
    return freq == f.SelfFreq ? "\\t" : "\\e";
}

void beforeLogin(FrmMain& f, const std::string& line) {
    if (startsWithNoCase(line, "loginok:")) {
        f.SelfName = line.substr(8);
        f.LoggedIn = true;
        SendLine(f, "GO:" + f.txtInitialArena.Text.get());
    } else if (startsWithNoCase(line, "loginbad:")) {
        f.sckClient->Close();
        // Handled from the queue after the server's close, the window is disconnected already.
        if (transportOf(f).open) ConnectionClosed(f);
        // A refused login is never tried again.
        connectFailed(f, "Invalid Log:\r\nServer Returned: " + line.substr(9), "Login Failed",
                      MsgIcon::Information, false);
    } else {
        TraceLine(f, "Unhandled AUTH Command: " + line);
    }
}

void arenaEntry(FrmMain& f, const Fields& d) {
    f.lstUsers.clearList();
    ClearRoster(f);
    f.roster.PlayerCount = 0;

    if (!d.has(1)) return;
    f.ArenaName = std::string(d.at[1]);
    const auto freq = d.has(2) ? wholeInt16(d.at[2]) : std::nullopt;
    if (!freq) return;
    f.SelfFreq = *freq;

    AddPlayer(f, f.SelfName, 8, f.SelfFreq);
    std::string status = "You are now in arena '" + f.ArenaName + "'.";
    PostStatusLine(f, status);
    f.lstUsers.AddItem("\\t" + f.SelfName);
    f.txtOut.Locked.set(false);
    reconnectArenaEntered(f);

    const std::string& chats = f.txtchats.Text.get();
    if (chats.find_first_not_of(' ') != std::string::npos) SendLine(f, "SEND:PUB:?chat=" + chats);

    ProcessAuto(f);
    f.txtOut.SetFocus();
}

void addPlayer(FrmMain& f, const Fields& d, bool entering) {
    if (!d.has(3)) return;
    const auto ship = toByte(d.at[2]);
    const auto freq = toInt16(d.at[3]);
    if (!ship || !freq) return;
    const std::string name(d.at[1]);

    AddPlayer(f, name, *ship, *freq);
    f.lstUsers.AddItem(teamMark(f, *freq) + name);

    if (!entering) return;
    if (ReadSetting("Watch", name, f.ConfigPath) == "1") {
        std::string line = "* Player '" + name + "' just entered arena.";
        PostHighlightLine(f, line);
        PlaySoundFile(f, f.AppFolder + "watched.wav");
    } else {
        std::string line = "Player '" + name + "' just entered arena.";
        PostStatusLine(f, line);
    }
}

void removePlayer(FrmMain& f, const Fields& d) {
    if (!d.has(1)) return;
    const std::string name(d.at[1]);
    const std::int16_t listed = f.lstUsers.FindItemNoColor(name);
    if (listed >= 0) f.lstUsers.deleteIndex(listed);
    RemovePlayer(f, name);
    std::string line = "Player '" + name + "' just left the arena.";
    PostStatusLine(f, line);
}

void shipFreqChange(FrmMain& f, const Fields& d) {
    if (!d.has(1)) return;
    const std::string name(d.at[1]);
    const std::int16_t found = FindPlayer(f, name);
    if (found < 0) {
        f.env.dialogs.messageBox("Player not found in player list.\r\n\r\nPlease re-connect. (2)",
                                 "Player Sync Failed", MsgIcon::Error);
        return;
    }

    // Field by field, as far as the line carries usable values.
    PlayerRecord& record = f.roster.records[static_cast<size_t>(found)];
    const auto freq = d.has(3) ? toInt16(d.at[3]) : std::nullopt;
    if (!freq) return;
    record.Freq = *freq;
    const auto ship = toByte(d.at[2]);
    if (!ship) return;
    record.Ship = *ship;
    record.Name = name;
    const std::int16_t newFreq = record.Freq;

    const std::int16_t listed = f.lstUsers.FindItemNoColor(name);

    if (name == f.SelfName) {
        f.SelfFreq = newFreq;
        // Re-mark everyone against the new own frequency. A box lets events run, so the count and
        // the roster are read afresh for every entry.
        for (std::int16_t i = 0; i < f.lstUsers.listCount(); ++i) {
            const std::int16_t j = FindPlayer(f, f.lstUsers.getContent2(i));
            if (j < 0) {
                f.env.dialogs.messageBox(
                    "Player not found in player list. (1)\r\n\r\nPlease re-connect.",
                    "Player Sync Failed", MsgIcon::Error);
                continue;
            }
            const PlayerRecord& other = f.roster.records[static_cast<size_t>(j)];
            f.lstUsers.updateCell(i, teamMark(f, other.Freq) + other.Name);
        }
    } else {
        f.lstUsers.updateCell(listed, teamMark(f, newFreq) + name);
    }

    f.lstUsers.updateList();
}

void killNotice(FrmMain& f, const Fields& d) {
    if (!f.ShowKillMessages) return;
    if (!d.has(4)) return;
    std::string text(d.at[2]);
    text += '(';
    text += d.at[3];
    if (leadingValue(d.at[4]) > 0) {
        text += ':';
        text += d.at[4];
    }
    text += ") killed by ";
    text += d.at[1];
    text += '.';
    AppendChatLine(f, text, ColorKill);  // shown only, never logged
}

void afterLogin(FrmMain& f, const std::string& line) {
    const Fields d = splitFields(line);
    const std::string_view type = d.at[0];
    if (equalsNoCase(type, "msg")) {
        HandleMSG(f, line.size() > 4 ? line.substr(4) : std::string());
    } else if (equalsNoCase(type, "inarena")) {
        arenaEntry(f, d);
    } else if (equalsNoCase(type, "player")) {
        addPlayer(f, d, false);
    } else if (equalsNoCase(type, "entering")) {
        addPlayer(f, d, true);
    } else if (equalsNoCase(type, "leaving")) {
        removePlayer(f, d);
    } else if (equalsNoCase(type, "shipfreqchange")) {
        shipFreqChange(f, d);
    } else if (equalsNoCase(type, "kill")) {
        killNotice(f, d);
    } else if (equalsNoCase(type, "noop")) {
        SendLine(f, "NOOP");
    } else {
        TraceLine(f, "Unhandled CMD Command: " + line);
    }
}

}  // namespace

void HandleProtocol(FrmMain& f, const std::string& line) {
    TraceLine(f, "S2C ", line);
    if (!f.LoggedIn)
        beforeLogin(f, line);
    else
        afterLogin(f, line);
}

}  // namespace orva
