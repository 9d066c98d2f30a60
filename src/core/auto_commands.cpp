#include "core/auto_commands.h"

#include <string>

#include "base/case_fold.h"
#include "chat/outgoing.h"
#include "core/frm_main.h"

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

    // Marked before the first piece: a piece that starts a new connection ("?hop",
    // "?reconnect") clears the mark, leaving the commands to that connection's first arena.
    f.AutoCommandsSent = true;

    // Pieces go out as typed: not trimmed, empty ones included.
    std::size_t start = 0;
    for (int n = 0; n < kMaxAutoCommands && f.AutoCommandsSent; ++n) {
        const std::size_t slash = text.find('\\', start);
        std::string piece = text.substr(start, slash == std::string::npos ? slash : slash - start);
        if (isSheep(piece)) f.SheepSoundPending = true;
        HandleOutgoing(f, piece, 0);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
}

}  // namespace orva
