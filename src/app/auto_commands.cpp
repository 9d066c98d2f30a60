#include "app/auto_commands.h"

#include <string>

#include "app/frm_main.h"
#include "app/outgoing.h"
#include "base/case_fold.h"

namespace orva {

namespace {
bool isSheep(const std::string& piece) {
    return equalsFolded(piece, "?sheep");
}
}  // namespace

void ProcessAuto(FrmMain& f) {
    if (f.AutoCommandsSent) return;
    const std::string text = f.txtAuto.Text.get();
    if (text.find_first_not_of(' ') == std::string::npos) return;

    // Pieces go out as typed: not trimmed, empty ones included. A piece that starts a new
    // connection ("?hop", "?reconnect") leaves the pieces after it nowhere to go.
    std::size_t start = 0;
    for (int n = 0; n < kMaxAutoCommands; ++n) {
        const std::size_t slash = text.find('\\', start);
        std::string piece = text.substr(start, slash == std::string::npos ? slash : slash - start);
        if (isSheep(piece)) f.SheepSoundPending = true;
        HandleOutgoing(f, piece, 0);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    // Marked after the pieces, so a connection they started does not run them again: a
    // "?reconnect" among them would otherwise reconnect for ever.
    f.AutoCommandsSent = true;
}

}  // namespace orva
