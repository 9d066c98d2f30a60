#include "app/reconnect.h"

#include <algorithm>

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "base/random.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

// Past this the wait is at its longest anyway; the count stays far from overflowing.
constexpr int kLastStep = 16;

void post(FrmMain& f, std::string text) {
    PostStatusLine(f, text);
}

// A message box's text as one status line: each run of line breaks becomes one blank.
std::string oneLine(const std::string& text) {
    std::string line;
    bool inBreak = false;
    for (const char c : text) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (!lineBreak)
            line += c;
        else if (!inBreak)
            line += ' ';
        inBreak = lineBreak;
    }
    return line;
}

void scheduleReconnect(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    const bool steady =
        r.arenaSince && f.env.clock.tickCount() - *r.arenaSince >= kReconnectSteadyMs;
    r.connected = false;
    r.arenaSince.reset();
    if (f.AutoReconnect == 0 || r.wait->enabled()) return;
    if (steady) r.step = 0;
    const int ms = reconnectWaitMs(r.step, std::clamp(r.jitter(), 0, kReconnectJitterMs));
    r.step = std::min(r.step + 1, kLastStep);
    post(f, "Reconnecting in " + std::to_string(ms / 1000) + " seconds...");
    r.wait->setInterval(ms);
    r.wait->setEnabled(true);
    // The connection is gone, but there is still something to disconnect from: the wait.
    f.menu_Disconnect.Enabled.set(true);
}

void reconnectNow(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    r.wait->setEnabled(false);
    // The same zone, name and password as the connection that was lost.
    f.lstZones.ListIndex.set(r.zone);
    f.txtUser.Text.set(r.name);
    f.txtPass.Text.set(r.pass);
    r.starting = true;
    Connect_It(f);
    r.starting = false;
}

}  // namespace

int reconnectWaitMs(int step, int jitterMs) {
    int wait = kReconnectFirstWaitMs;
    for (int i = 0; i < step && wait < kReconnectLongestWaitMs; ++i)
        wait *= 2;
    return std::min(wait, kReconnectLongestWaitMs) + jitterMs;
}

Reconnect::Reconnect(FrmMain& f)
    : wait(f.env.timers.createTimer()),
      jitter([] { return randomBetween(0, kReconnectJitterMs); }) {
    wait->onTick([&f] { reconnectNow(f); });
}

Reconnect& reconnectOf(FrmMain& f) {
    if (!f.reconnect) f.reconnect = std::make_shared<Reconnect>(f);
    return *f.reconnect;
}

void reconnectConnectStarting(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    if (!r.starting) stopReconnect(f);
    r.attempt = r.starting;
    r.connected = false;
    r.arenaSince.reset();
    r.zone = f.lstZones.ListIndex.get();
    r.name = f.txtUser.Text.get();
    r.pass = f.txtPass.Text.get();
}

void reconnectConnected(FrmMain& f) {
    reconnectOf(f).connected = true;
}

void reconnectArenaEntered(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    r.attempt = false;
    if (!r.arenaSince) r.arenaSince = f.env.clock.tickCount();
}

void reconnectConnectionLost(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    if (r.connected) return scheduleReconnect(f);
    // The user's own attempt that never connected: its box will say so.
    if (!r.attempt) return;
    // The reconnect's attempt was refused: say so now rather than at the end of the wait.
    transportOf(f).connectWait->setEnabled(false);
    connectFailed(f, kConnectFailedText, kConnectFailedTitle, MsgIcon::Information, true);
}

void connectFailed(FrmMain& f, const std::string& text, const std::string& title, MsgIcon icon,
                   bool retry) {
    Reconnect& r = reconnectOf(f);
    const bool unattended = r.attempt;
    if (!retry) stopReconnect(f);
    if (!unattended) {
        f.env.dialogs.messageBox(text, title, icon);
        return;
    }
    post(f, oneLine(text));
    if (retry) scheduleReconnect(f);
}

bool stopReconnect(FrmMain& f) {
    Reconnect& r = reconnectOf(f);
    const bool waiting = r.wait->enabled();
    r.wait->setEnabled(false);
    r.attempt = false;
    r.step = 0;
    // Only a wait kept Disconnect on while there was no connection.
    if (waiting) f.menu_Disconnect.Enabled.set(false);
    return waiting;
}

void wireReconnect(FrmMain& f) {
    reconnectOf(f);
    f.lstZones.ListIndex.changed.connect([&f](const int& row) {
        Reconnect& r = reconnectOf(f);
        if (row != r.zone && (r.wait->enabled() || r.attempt)) stopReconnect(f);
    });
    // Runs after the switch's own handler has flipped it.
    f.menu_AutoReconnect.clicked.connect([&f] {
        if (f.AutoReconnect == 0) stopReconnect(f);
    });
}

}  // namespace orva
