// The logging room's part of the main window: the chat log state and the protocol trace.
#pragma once

#include "base/env.h"
#include "base/program.h"
#include "logging/chat_log.h"
#include "logging/trace.h"

namespace orva {

struct LogPart : virtual Program {
    explicit LogPart(Env& e) : Program(e) {}

    ChatLogState chatLog;
    TraceLog frmLog;
};

}  // namespace orva
