#include "app/connection.h"

#include <optional>

#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/reconnect.h"
#include "app/transport.h"
#include "config/settings.h"
#include "core/roster.h"
#include "logging/chat_log.h"
#include "logging/trace.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

constexpr int kPingIntervalConnected = 5000;
constexpr int kPingIntervalDisconnected = 800;

bool blankText(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

void forgetPrivateNames(FrmMain& f) {
    for (auto& name : f.RecentPrivateNames)
        name.clear();
}

// The lines still waiting belonged to a connection that is gone; the user is told how many.
void dropWaitingLines(FrmMain& f) {
    Transport& t = transportOf(f);
    t.sendWait->setEnabled(false);
    if (t.outgoing.lines.empty()) return;
    std::string status = UnsentLinesText(t.outgoing.lines.size());
    t.outgoing.lines.clear();
    PostStatusLine(f, status);
}

// The cut line, or nothing when nothing of it would go.
std::optional<std::string> wireLine(FrmMain& f, const std::string& text) {
    if (f.sckClient->State() != sckConnected) return std::nullopt;
    // A line break inside would make two protocol lines of one; only the first part goes.
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    if (line.empty()) return std::nullopt;
    return line;
}

void writeLine(FrmMain& f, const std::string& line) {
    if (line.starts_with("LOGIN"))
        TraceLine(f, "C2S Login Sequence.");
    else
        TraceLine(f, "C2S " + line);
    f.sckClient->SendData(line + "\n");
}

}  // namespace

std::string LoginLine(const FrmMain& f) {
    // The version tag brings its own leading semicolon, so two stand after "LOGIN:1".
    return std::string("LOGIN:1;") + VersionTag + ":" + f.SelfName + ":" + f.txtPass.Text.get();
}

void Connect_It(FrmMain& f) {
    const int selected = f.lstZones.ListIndex.get();
    reconnectConnectStarting(f);

    if (LogIsOpen(f)) OpenLog(f);

    f.lstUsers.clearList();
    ClearRoster(f);
    f.lstUsers.setCount("0 players.");
    f.roster.PlayerCount = 0;

    f.AutoCommandsSent = false;

    ResetChatView(f);
    f.txtOut.Text.set("");

    if (f.txtOut.ForeColor.get() == 0) {
        f.LastInputPrefix.clear();
        f.txtOut.ForeColor.set(rgb(189, 191, 191));
    }

    // Only now is the selection tested: the steps above run even for an attempt that stops here.
    // An index at ZoneCount names no zone either.
    if (selected < 0 || selected >= f.zones.ZoneCount ||
        static_cast<size_t>(selected) >= f.zones.Zones.size()) {
        connectFailed(f, "Invalid Zone Selection", "hmmm", MsgIcon::Exclamation, false);
        return;
    }

    const std::string name = f.txtUser.Text.get();
    if (blankText(name) || blankText(f.txtPass.Text.get())) {
        connectFailed(f, "Please fill in a username and password.", "Missing Data",
                      MsgIcon::Information, false);
        return;
    }

    f.LoggedIn = false;
    f.SelfName = name;
    const ZoneRecord zone = f.zones.Zones[static_cast<size_t>(selected)];
    f.ArenaName.clear();
    f.SelfFreq = 9999;

    for (auto& item : f.menu_Zone)
        item->Checked.set(false);

    // The old connection, if any, is dropped with whatever it had still to say.
    Transport& t = transportOf(f);
    dropWaitingLines(f);
    f.sckClient->Close();
    t.framer.reset();
    t.inbound.clear();
    t.open = true;
    f.sckClient->Connect(zone.Host, zone.Port);

    // Wait for sckClient_Connect, at most 10 seconds, without blocking the event loop.
    t.connectWait->setEnabled(true);
}

void connectWaitExpired(FrmMain& f) {
    transportOf(f).connectWait->setEnabled(false);
    if (f.sckClient->State() == sckConnected) return;
    f.sckClient->Close();
    connectFailed(f, kConnectFailedText, kConnectFailedTitle, MsgIcon::Information, true);
}

void sckClient_Connect(FrmMain& f) {
    if (f.sckClient->State() != sckConnected) return;
    reconnectConnected(f);
    ConnectionEstablished(f);
    // The wait of Connect_It ends once the connection is up.
    if (f.sckClient->State() == sckConnected) transportOf(f).connectWait->setEnabled(false);
}

void ConnectionEstablished(FrmMain& f) {
    const int selected = f.lstZones.ListIndex.get();
    if (selected >= 0 && static_cast<size_t>(selected) < f.menu_Zone.size())
        f.menu_Zone[static_cast<size_t>(selected)]->Checked.set(true);

    f.txtOut.Locked.set(true);

    f.frameMain.Visible.set(false);
    f.frmLogin.Visible.set(false);

    f.menu_SetFont.Enabled.set(false);
    f.menu_Connect.Enabled.set(false);
    f.cmdConnect.Enabled.set(false);
    f.menu_Disconnect.Enabled.set(true);

    const std::string address = f.sckClient->RemoteHostIP();
    TraceLine(f, "Connection to " + address + " has been established.");
    std::string status = "Connection to " + address + ":" +
                         std::to_string(f.sckClient->RemotePort()) + " has been established.";
    PostStatusLine(f, status);

    SendLineAtOnce(f, LoginLine(f));

    f.tmrPing->setInterval(kPingIntervalConnected);

    f.AwayMessage.clear();
    f.AwayRepliedTo.clear();
    forgetPrivateNames(f);
}

void ConnectionClosed(FrmMain& f) {
    transportOf(f).open = false;
    f.LoggedIn = false;

    f.frameMain.Visible.set(true);
    f.frmLogin.Visible.set(true);

    f.tmrHalter->setEnabled(true);

    f.menu_Disconnect.Enabled.set(false);
    f.menu_SetFont.Enabled.set(true);

    TraceLine(f, "Connection closed.");

    f.tmrPing->setInterval(kPingIntervalDisconnected);

    f.AwayMessage.clear();
    f.AwayRepliedTo.clear();
    forgetPrivateNames(f);
    f.RecentPrivateIndex = 0;

    ClearRoster(f);
    f.lstUsers.clearList();

    // Said before the log closes, so the log keeps it.
    dropWaitingLines(f);
    if (LogIsOpen(f)) CloseLog(f);
}

void tmrHalter_Timer(FrmMain& f) {
    f.menu_Connect.Enabled.set(true);
    f.cmdConnect.Enabled.set(true);
    f.tmrHalter->setEnabled(false);
}

void cmdConnect_Click(FrmMain& f) {
    Connect_It(f);
}

void menu_Connect_Click(FrmMain& f) {
    cmdConnect_Click(f);
}

void menu_Disconnect_Click(FrmMain& f) {
    // While a reconnect waits there is no connection: Disconnect only calls the wait off.
    if (stopReconnect(f)) return;
    // A reconnect's attempt may still be waiting for the server.
    transportOf(f).connectWait->setEnabled(false);
    ConnectionClosed(f);
    f.sckClient->Close();
}

void sckClient_Close(FrmMain& f) {
    // A line of the final read (a refused login) may have closed the connection already.
    const bool open = transportOf(f).open;
    if (open) ConnectionClosed(f);
    f.sckClient->Close();
    if (open) reconnectConnectionLost(f);
}

void sckClient_Error(FrmMain& f) {
    f.sckClient->Close();
    sckClient_Close(f);
}

void sckClient_DataArrival(FrmMain& f, const std::string& bytes) {
    Transport& t = transportOf(f);
    t.framer.feed(
        bytes, [&t](std::string_view line) { t.inbound.push(line); },
        [&f](std::string& head) { TraceLine(f, "Unhandled S2C Protocol: " + head); });
    // During a flood a slice is already due at the next turn of the loop; a second one here
    // would make this turn twice as long, and paints and keys wait for it.
    if (!t.inbound.continuationPending()) t.inbound.drain();
}

void SendLine(FrmMain& f, const std::string& text) {
    const std::optional<std::string> line = wireLine(f, text);
    if (!line) return;
    transportOf(f).outgoing.lines.push_back(*line);
    SendWaitingLines(f);
}

void SendLineAtOnce(FrmMain& f, const std::string& text) {
    if (const std::optional<std::string> line = wireLine(f, text)) writeLine(f, *line);
}

void SendWaitingLines(FrmMain& f) {
    Transport& t = transportOf(f);
    t.sendWait->setEnabled(false);
    auto& lines = t.outgoing.lines;
    while (!lines.empty() && f.sckClient->State() == sckConnected) {
        const std::uint32_t now = f.env.clock.tickCount();
        // Lines other than chat use no allowance, but wait their turn behind a chat line.
        if (lines.front().starts_with("SEND:") && !t.outgoing.pacer.take(now)) {
            t.sendWait->setInterval(static_cast<int>(t.outgoing.pacer.wait(now)));
            t.sendWait->setEnabled(true);
            return;
        }
        const std::string line = std::move(lines.front());
        lines.pop_front();
        writeLine(f, line);
    }
}

std::string StripLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

void wireCoreHandlers(FrmMain& f) {
    transportOf(f);
    f.sckClient->setEvents({
        .onConnect = [&f] { sckClient_Connect(f); },
        .onDataArrival = [&f](std::string bytes) { sckClient_DataArrival(f, bytes); },
        .onClose = [&f] { sckClient_Close(f); },
        .onError = [&f](int, std::string) { sckClient_Error(f); },
    });
    f.cmdConnect.clicked.connect([&f] { cmdConnect_Click(f); });
    f.menu_Connect.clicked.connect([&f] { menu_Connect_Click(f); });
    f.menu_Disconnect.clicked.connect([&f] { menu_Disconnect_Click(f); });
    f.tmrHalter->onTick([&f] { tmrHalter_Timer(f); });
}

void lstZones_GotFocus(FrmMain& f) {
    if (f.zones.ZoneCount < 1 || f.lstZones.ListCount() == 0) {
        f.cmdConnect.Enabled.set(false);
        f.menu_Connect.Enabled.set(false);
        return;
    }
    f.cmdConnect.Enabled.set(true);
    if (!f.tmrHalter->enabled()) f.menu_Connect.Enabled.set(true);
}

}  // namespace orva
