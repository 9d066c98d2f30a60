#include "app/input_wiring.h"

#include <optional>
#include <string>

#include "app/frm_main.h"
#include "app/outgoing.h"
#include "app/paste.h"
#include "chat/input_line.h"

namespace orva {

void txtOut_KeyPress(FrmMain& f, int keyCode, bool& swallow) {
    if (keyCode != 13 || f.txtOut.Text.get().empty()) return;
    f.RecentPrivateIndex = 0;
    std::string line = f.txtOut.Text.get();  // untrimmed: a line of blanks is sent as it is
    f.History.add(line);
    HandleOutgoing(f, line, 0);
    f.txtOut.Text.set("");
    f.txtOut.SelStart.set(0);
    swallow = true;
}

void wireInputLine(FrmMain& f) {
    f.txtOut.keyPressed.connect(
        [&f](int code, bool& swallow) { txtOut_KeyPress(f, code, swallow); });
    f.txtOut.keyDown.connect(
        [&f](int code, int shift, bool& swallow) { txtOut_KeyDown(f, f, code, shift, swallow); });
    f.chatHeard.connect([&f](const ChatHeard& heard) { NoteSpeaker(f.Completion, heard.sender); });
    f.txtOut.charTyped.connect([&f](int code) { txtOut_CharTyped(f, code); });
    f.txtOut.Text.changed.connect([&f](const std::string&) { txtOut_Change(f); });
    f.txtOut.pasted.connect([&f](const std::string& text, std::optional<std::string>& insert) {
        txtOut_Paste(f, text, insert);
    });
}

}  // namespace orva
