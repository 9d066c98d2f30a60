// The door to modal message boxes and the input box.
#pragma once

#include <optional>
#include <string>

namespace orva {

enum class MsgIcon { None, Information, Exclamation, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class IDialogs {
  public:
    virtual ~IDialogs() = default;
    // Shows a modal box and returns the button pressed. Texts are code page 1252 bytes;
    // line breaks inside them are CR LF.
    virtual MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons = MsgButtons::Ok) = 0;
    // Returns the text entered, or nothing when the user cancels. The field starts with
    // `initial`.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& initial = {}) = 0;
};

}  // namespace orva
