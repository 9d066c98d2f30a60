// "Reconnect Automatically": after the server or the network ended a connection, connect again
// to the same zone with the same name and password, waiting longer after each failure.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/timer.h"

namespace orva {

struct FrmMain;

inline constexpr int kReconnectFirstWaitMs = 5000;
inline constexpr int kReconnectLongestWaitMs = 300000;
inline constexpr int kReconnectJitterMs = 1000;
// A connection that stayed this long in the arena starts the next series from the first wait.
inline constexpr std::uint32_t kReconnectSteadyMs = 60000;

// The wait before the reconnect numbered `step` of a series (0 is the first): 5 s doubling up to
// 300 s, plus the jitter.
int reconnectWaitMs(int step, int jitterMs);

struct Reconnect {
    explicit Reconnect(FrmMain& f);

    std::unique_ptr<ITimer> wait;  // runs while a reconnect is due
    // 0 to kReconnectJitterMs; spreads the clients of a restarted server. Tests may replace it.
    std::function<int()> jitter;
    int step = 0;           // waits of the current series so far
    bool starting = false;  // Connect_It is being run by the wait
    // Connections started by the wait, until one reaches the arena: failures are status lines.
    bool attempt = false;
    bool connected = false;                   // the current connection reached the server
    std::optional<std::uint32_t> arenaSince;  // tick of this connection's first arena entry
    int zone = -1;                            // what the current connection was started with
    std::string name, pass;
};

// The form's reconnect state, made on first use.
Reconnect& reconnectOf(FrmMain& f);

// Connect_It begins. Unless the wait runs it, a pending reconnect is off and a new series begins.
void reconnectConnectStarting(FrmMain& f);
// The connection reached the server (state 7).
void reconnectConnected(FrmMain& f);
// Arena entry: the reconnect's attempt has succeeded; the steady time counts from the first one.
void reconnectArenaEntered(FrmMain& f);
// The server closed the connection or the socket failed; the window is disconnected already.
void reconnectConnectionLost(FrmMain& f);
// A connect attempt failed with this message. The user's own attempt shows the box; the
// reconnect's shows it as a status line (nobody may be at the screen) and, with `retry`, waits
// for the next one. Without `retry` the series ends.
void connectFailed(FrmMain& f, const std::string& text, const std::string& title, MsgIcon icon,
                   bool retry);
// Ends a pending or running reconnect series. True when a reconnect was waiting.
bool stopReconnect(FrmMain& f);

// The wait's timer, and what stops a pending reconnect: another zone chosen in lstZones, the
// switch turned off.
void wireReconnect(FrmMain& f);

}  // namespace orva
