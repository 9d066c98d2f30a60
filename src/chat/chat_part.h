// The chat room's part of the main window: the input line with what it remembers, and the state
// of private conversations.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/controls.h"
#include "base/signal.h"
#include "chat/chat_heard.h"
#include "chat/input_history.h"
#include "chat/name_completion.h"

namespace orva {

struct ChatPart {
    TextBox txtOut;  // the input line
    std::string LastInputPrefix;
    InputHistory History;       // lines sent with Enter, for Ctrl+Up and Ctrl+Down
    NameCompletion Completion;  // Tab in the input line
    std::array<std::string, 5> RecentPrivateNames;
    int RecentPrivateIndex = 0;

    std::string AwayMessage;
    std::vector<std::string> AwayRepliedTo;  // senders answered in this away period
    Signal<const ChatHeard&> chatHeard;      // a chat line from another player was shown
};

}  // namespace orva
