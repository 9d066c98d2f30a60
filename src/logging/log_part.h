// The logging room's part of the main window: the chat log state and the protocol trace.
#pragma once

#include "base/env.h"
#include "base/program.h"
#include "logging/chat_log.h"
#include "logging/trace.h"

namespace orva {

struct LogPart : virtual Program {
    explicit LogPart(Env& e) : env(e) {}
    LogPart(const LogPart&) = delete;
    LogPart& operator=(const LogPart&) = delete;

    Env& env;  // the platform services its routines use (files, clock, dialogs)
    ChatLogState chatLog;
    TraceLog frmLog;
};

}  // namespace orva
