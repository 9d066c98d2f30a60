#include "app/protocol.h"

#include <array>
#include <optional>
#include <string_view>

#include "app/auto_commands.h"
#include "app/connection.h"
#include "app/frm_main.h"
#include "app/handle_msg.h"
#include "app/notifications.h"
#include "app/reconnect.h"
#include "app/transport.h"
#include "base/case_fold.h"
#include "base/numbers.h"
#include "config/settings.h"
#include "core/roster.h"
#include "core/server_line.h"
#include "logging/trace.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

std::string teamMark(const FrmMain& f, std::int16_t freq) {
    return freq == f.SelfFreq ? "\\t" : "\\e";
}

void loginOk(FrmMain& f, const ServerLine& d) {
    f.SelfName = std::string(d.text);
    f.LoggedIn = true;
    SendLine(f, "GO:" + f.txtInitialArena.Text.get());
}

void loginBad(FrmMain& f, const ServerLine& d) {
    f.sckClient->Close();
    // Handled from the queue after the server's close, the window is disconnected already.
    if (transportOf(f).open) ConnectionClosed(f);
    // A refused login is never tried again.
    connectFailed(f, "Invalid Log:\r\nServer Returned: " + std::string(d.text), "Login Failed",
                  MsgIcon::Information, false);
}

void arenaEntry(FrmMain& f, const ServerLine& d) {
    f.lstUsers.clearList();
    ClearRoster(f);
    f.roster.PlayerCount = 0;

    if (!d.has(1)) return;
    f.ArenaName = std::string(d.field[1]);
    const auto freq = d.has(2) ? wholeInt16(d.field[2]) : std::nullopt;
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

void addPlayer(FrmMain& f, const ServerLine& d, bool entering) {
    if (!d.has(3)) return;
    const auto ship = toByte(d.field[2]);
    const auto freq = toInt16(d.field[3]);
    if (!ship || !freq) return;
    const std::string name(d.field[1]);

    AddPlayer(f, name, *ship, *freq);
    f.lstUsers.AddItem(teamMark(f, *freq) + name);

    if (!entering) return;
    if (ReadSetting("Watch", name, f.ConfigPath) == "1") {
        std::string line = "* Player '" + name + "' just entered arena.";
        PostHighlightLine(f, line);
        PlaySoundFile(f, f.AppFolder + "watched.wav");
        notifyWatchedEntering(f, name);
    } else {
        std::string line = "Player '" + name + "' just entered arena.";
        PostStatusLine(f, line);
    }
}

void removePlayer(FrmMain& f, const ServerLine& d) {
    if (!d.has(1)) return;
    const std::string name(d.field[1]);
    const std::int16_t listed = f.lstUsers.FindItemNoColor(name);
    if (listed >= 0) f.lstUsers.deleteIndex(listed);
    RemovePlayer(f, name);
    std::string line = "Player '" + name + "' just left the arena.";
    PostStatusLine(f, line);
}

void shipFreqChange(FrmMain& f, const ServerLine& d) {
    if (!d.has(1)) return;
    const std::string name(d.field[1]);
    const std::int16_t found = FindPlayer(f, name);
    if (found < 0) {
        f.env.dialogs.messageBox("Player not found in player list.\r\n\r\nPlease re-connect. (2)",
                                 "Player Sync Failed", MsgIcon::Error);
        return;
    }

    // Field by field, as far as the line carries usable values.
    PlayerRecord& record = f.roster.records[static_cast<size_t>(found)];
    const auto freq = d.has(3) ? toInt16(d.field[3]) : std::nullopt;
    if (!freq) return;
    record.Freq = *freq;
    const auto ship = toByte(d.field[2]);
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

void killNotice(FrmMain& f, const ServerLine& d) {
    if (!f.ShowKillMessages) return;
    if (!d.has(4)) return;
    std::string text(d.field[2]);
    text += '(';
    text += d.field[3];
    if (leadingValue(d.field[4]) > 0) {
        text += ':';
        text += d.field[4];
    }
    text += ") killed by ";
    text += d.field[1];
    text += '.';
    AppendChatLine(f, text, ColorKill);  // shown only, never logged
}

void chatMessage(FrmMain& f, const ServerLine& d) {
    HandleMSG(f, std::string(d.text));
}

void playerListed(FrmMain& f, const ServerLine& d) {
    addPlayer(f, d, false);
}

void playerEntering(FrmMain& f, const ServerLine& d) {
    addPlayer(f, d, true);
}

void keepAlive(FrmMain& f, const ServerLine&) {
    SendLineAtOnce(f, "NOOP");
}

struct ServerMessage {
    std::string_view type;  // matched in any letter case
    void (*handle)(FrmMain&, const ServerLine&);
};

// Before login only the answers to the login line count, and only with their colon.
constexpr std::array<ServerMessage, 2> kLoginMessages{{
    {"LOGINOK", loginOk},
    {"LOGINBAD", loginBad},
}};

constexpr std::array<ServerMessage, 8> kArenaMessages{{
    {"MSG", chatMessage},
    {"INARENA", arenaEntry},
    {"PLAYER", playerListed},
    {"ENTERING", playerEntering},
    {"LEAVING", removePlayer},
    {"SHIPFREQCHANGE", shipFreqChange},
    {"KILL", killNotice},
    {"NOOP", keepAlive},
}};

template <std::size_t N>
const ServerMessage* findMessage(const std::array<ServerMessage, N>& table, std::string_view type) {
    for (const ServerMessage& message : table)
        if (equalsFolded(type, message.type)) return &message;
    return nullptr;
}

}  // namespace

void HandleProtocol(FrmMain& f, const std::string& line) {
    TraceLine(f, "S2C ", line);
    const ServerLine d = parseServerLine(line);
    if (!f.LoggedIn) {
        const ServerMessage* m = d.has(1) ? findMessage(kLoginMessages, d.type()) : nullptr;
        if (m)
            m->handle(f, d);
        else
            TraceLine(f, "Unhandled AUTH Command: " + line);
    } else if (const ServerMessage* m = findMessage(kArenaMessages, d.type())) {
        m->handle(f, d);
    } else {
        TraceLine(f, "Unhandled CMD Command: " + line);
    }
}

}  // namespace orva
