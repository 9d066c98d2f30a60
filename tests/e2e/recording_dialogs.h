// Message boxes for end-to-end tests: answered at once with the first button and remembered as
// "title: text", since a real modal box would wait for a person.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace orva {

struct RecordingDialogs : IDialogs {
    MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon,
                         MsgButtons buttons) override {
        shown.push_back(title + ": " + text);
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgResult::Ok
                                                                            : MsgResult::Yes;
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string&) override {
        shown.push_back(prompt);
        return std::string("Tester");
    }
    std::vector<std::string> shown;
};

}  // namespace orva
