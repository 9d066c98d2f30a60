// A chat line heard from another player, as the pieces that follow the conversation see it
// (name completion, notifications): who said what, in which kind of chat.
#pragma once

#include <string>

namespace orva {

enum class ChatKind { Public, Private, Team, Channel, Moderator, Squad };

struct ChatHeard {
    ChatKind kind;
    std::string sender;
    std::string text;
};

}  // namespace orva
