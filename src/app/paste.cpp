#include "app/paste.h"

#include <algorithm>

#include "app/frm_main.h"
#include "app/outgoing.h"

namespace orva {

namespace {
constexpr std::string_view kLineBreaks = "\r\n";
}  // namespace

std::vector<std::string> pastedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(kLineBreaks, start), text.size());
        if (end > start) lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string joinPastedLines(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    bool inBreak = false;
    for (const char c : text) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (!lineBreak)
            joined += c;
        else if (!inBreak)
            joined += ' ';
        inBreak = lineBreak;
    }
    return joined;
}

void txtOut_Paste(FrmMain& f, const std::string& text, std::optional<std::string>& insert) {
    if (text.find_first_of(kLineBreaks) == std::string::npos) return;
    std::vector<std::string> lines = pastedLines(text);
    // Only line breaks: nothing to send, so nothing to ask.
    if (!lines.empty() &&
        f.env.dialogs.messageBox("Send " + std::to_string(lines.size()) + " lines?", "Paste",
                                 MsgIcon::None, MsgButtons::YesNo) == MsgResult::Yes) {
        insert.reset();
        // Each line as if typed and sent with Enter, so its own prefix picks its kind.
        for (std::string& line : lines) {
            f.RecentPrivateIndex = 0;
            HandleOutgoing(f, line, 0);
        }
        return;
    }
    insert = joinPastedLines(text);
}

}  // namespace orva
