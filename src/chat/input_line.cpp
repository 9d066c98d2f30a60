#include "chat/input_line.h"

#include <algorithm>
#include <string>

#include "chat/chat_part.h"
#include "chat/name_completion.h"
#include "core/core_part.h"
#include "view/chat_lines.h"

namespace orva {
namespace {

constexpr Rgb kInputPublic = ChatColors[ColorPublic];

// Index of the first ":" from the second character on, npos when there is none: where the name of
// a private message by name ends.
std::size_t nameEnd(const std::string& text) {
    return text.find(':', 1);
}

// The colour a kind of message is shown in by the chat view.
Rgb kindColour(const std::string& prefix) {
    if (prefix == "::" || prefix == "/" || prefix == "\"") return ChatColors[ColorArena];
    if (prefix == "'" || prefix == "//") return ChatColors[ColorTeam];
    if (prefix == "\\") return ChatColors[ColorModerator];
    if (prefix == ";") return ChatColors[ColorChannel];
    return kInputPublic;
}

}  // namespace

void txtOut_KeyDown(ChatPart& f, CorePart& core, int keyCode, int shift, bool& swallow) {
    if (keyCode == 9) {  // Tab completes names and keeps the focus here
        CompleteName(f, core, (shift & kShiftMask) != 0);
        swallow = true;
        return;
    }
    if ((shift & kCtrlMask) && (keyCode == 38 || keyCode == 40)) {
        const auto line = keyCode == 38 ? f.History.older(f.txtOut.Text.get()) : f.History.newer();
        if (line) {
            f.txtOut.Text.set(*line);
            f.txtOut.SelStart.set(static_cast<int>(line->size()));
        }
        swallow = true;
        return;
    }
    LstBox& list = core.lstUsers;
    switch (keyCode) {
        case 40:  // Down
        case 34:  // Page Down
            if (list.listCount() != list.listIndex()) {
                list.SelectDown();
                swallow = true;
            }
            break;
        case 38:  // Up
        case 33:  // Page Up
            // At the first entry the key is the input line's own.
            if (list.listIndex() != 0) {
                list.SelectUp();
                swallow = true;
            }
            break;
        default:
            break;
    }
}

void txtOut_CharTyped(ChatPart& f, int code) {
    if (code != ':' || f.txtOut.Locked.get()) return;
    std::string text = f.txtOut.Text.get();
    if (text.empty() || text[0] != ':') return;
    std::size_t caret =
        std::min(static_cast<std::size_t>(std::max(f.txtOut.SelStart.get(), 0)), text.size());
    std::size_t end = nameEnd(text);

    // A ":" typed right behind the colon that ends the name steps to the next partner. Only the
    // name goes; what stands behind the caret is the user's message and stays.
    if (caret > 2 && text.compare(caret - 2, 2, "::") == 0 && end == caret - 2) {
        text = "::" + text.substr(caret);
        caret = 2;
        end = 1;
    }
    // Offer a name when the text begins with "::" and the caret stands right behind them.
    if (caret != 2 || end != 1) return;

    auto i = static_cast<std::size_t>(std::max(f.RecentPrivateIndex, 0));
    if (i >= f.RecentPrivateNames.size() || f.RecentPrivateNames[i].empty()) {
        i = 0;
        f.RecentPrivateIndex = 0;
    }
    const std::string named = ":" + f.RecentPrivateNames[i] + ":";
    text.replace(0, 2, named);
    f.txtOut.Text.set(text);
    f.txtOut.SelStart.set(static_cast<int>(named.size()));
    f.RecentPrivateIndex = static_cast<int>(i) + 1;
}

void txtOut_Change(ChatPart& f) {
    // The line shows plain text; a colour never set yet becomes the public one.
    f.txtOut.FontBold.set(false);
    if (f.txtOut.ForeColor.get() == 0) f.txtOut.ForeColor.set(kInputPublic);
    Colorize(f);
}

void Colorize(ChatPart& f) {
    const std::string& text = f.txtOut.Text.get();
    if (text.empty()) return;
    const std::string prefix = text.rfind("//", 0) == 0 ? "//" : text.substr(0, 1);
    const bool byName = prefix == ":" && nameEnd(text) != std::string::npos;
    const std::string kind = byName ? "::" : prefix;
    if (f.LastInputPrefix == kind && !byName) return;  // already in its colour
    f.LastInputPrefix = kind;
    f.txtOut.ForeColor.set(kindColour(kind));
}

void addName(ChatPart& f, const std::string& name) {
    auto& names = f.RecentPrivateNames;
    std::move_backward(names.begin(), names.end() - 1, names.end());
    names[0] = name;
}

void removeName(ChatPart& f, const std::string& name) {
    auto& names = f.RecentPrivateNames;
    if (name != names[0]) {
        const auto at = std::find(names.begin() + 1, names.end(), name);
        if (at != names.end()) {
            std::move(at + 1, names.end(), at);
            names.back().clear();
        }
    }
    if (f.RecentPrivateIndex > 5) f.RecentPrivateIndex = 0;
}

}  // namespace orva
