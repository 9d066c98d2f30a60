// The view room's part of the main window: the chat view with its font and view state.
#pragma once

#include <cstdint>
#include <string>

#include "base/controls.h"
#include "base/env.h"
#include "base/program.h"
#include "base/signal.h"
#include "view/chat_view.h"

namespace orva {

struct ViewPart : virtual Program {
    explicit ViewPart(Env& e) : Program(e) {}

    ChatView txtLog;  // the chat view's document and styled lines

    std::string ChatFontName = "Courier New";
    std::uint8_t ChatFontSize = 9;
    std::uint8_t ChatFontHalfPoints = 18;
    std::string ChatViewInitialRtf;
    bool ViewHasFocus = false;
    bool ViewScrolledBack = false;  // the reader scrolled away from the last line
    std::string HoverLink;
    // The view's two switches (kept in Config.ini with the others).
    std::uint8_t showURLs = 0;
    std::uint8_t Timestamps = 0;  // lines added to the view begin with the local time
    std::uint8_t NameWidth = 14;  // names in chat lines are padded or cut to it
    MenuItem menu_HighLightURL{"Highlight URL"};
    MenuItem menu_Timestamps{"Timestamps"};

    // Status and highlight lines go on to the chat log; the input line takes the chat font.
    Signal<const std::string&> lineToLog;
    Signal<> fontChanged;
};

}  // namespace orva
