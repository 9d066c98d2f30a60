// The connection's working parts that outlive one event: line framing, the inbound queue and the
// connect wait.
#pragma once

#include <memory>

#include "core/inbound_queue.h"
#include "core/line_framer.h"
#include "core/outgoing_queue.h"
#include "platform/timer.h"

namespace orva {

struct FrmMain;

inline constexpr int kConnectWaitMs = 10000;

struct Transport {
    explicit Transport(FrmMain& f);

    LineFramer framer;
    InboundQueue inbound;
    std::unique_ptr<ITimer> connectWait;  // runs while Connect_It waits for the connection
    OutgoingQueue outgoing;
    std::unique_ptr<ITimer> sendWait;  // runs while a chat line waits for the allowance
    // A connection was started and has not yet been through ConnectionClosed: the window goes
    // back to its disconnected state once per connection, however its end is reported.
    bool open = false;
};

// The form's transport, made on first use.
Transport& transportOf(FrmMain& f);

}  // namespace orva
