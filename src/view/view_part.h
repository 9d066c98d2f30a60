// The view room's part of the main window: the chat view with its font and view state.
#pragma once

#include <cstdint>
#include <string>

#include "base/env.h"
#include "view/chat_view.h"

namespace orva {

struct ViewPart {
    explicit ViewPart(Env& e) : env(e) {}
    ViewPart(const ViewPart&) = delete;
    ViewPart& operator=(const ViewPart&) = delete;

    Env& env;         // the platform services its routines use (clock, links, fonts)
    ChatView txtLog;  // the chat view's document and styled lines

    std::string ChatFontName = "Courier New";
    std::uint8_t ChatFontSize = 9;
    std::uint8_t ChatFontHalfPoints = 18;
    std::string ChatViewInitialRtf;
    bool ViewHasFocus = false;
    bool ViewScrolledBack = false;  // the reader scrolled away from the last line
    std::string HoverLink;
};

}  // namespace orva
