// The connection's working parts that outlive one event: line framing, the inbound queue and the
// connect wait.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/inbound_queue.h"
#include "core/line_framer.h"
#include "core/signal.h"
#include "platform/timer.h"

namespace orva {

struct FrmMain;

inline constexpr int kConnectWaitMs = 10000;

struct Transport {
    explicit Transport(FrmMain& f);

    LineFramer framer;
    InboundQueue inbound;
    std::unique_ptr<ITimer> connectWait;  // runs while Connect_It waits for the connection

    // What the connection code puts into the chat view (colour, escaped text), for observers that
    // cannot read the document.
    Signal<std::uint8_t, const std::string&> chatLinePosted;
};

// The form's transport, made on first use.
Transport& transportOf(FrmMain& f);

}  // namespace orva

namespace orva {

// The chat view lines of the connection code: PostStatusLine, PostHighlightLine and
// AppendChatLine, each also announced on chatLinePosted.
void showStatus(FrmMain& f, std::string text);
void showHighlight(FrmMain& f, std::string text);
void showChatLine(FrmMain& f, std::string text, std::uint8_t colour);

}  // namespace orva
