// Received chat lines through the dispatcher and the MSG sub-types, on one logged-in main window
// with fake platform doors that lives across inputs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/protocol.h"
#include "support/fakes.h"
#include "view/chat_lines.h"

namespace {

using namespace orva;

// The first byte of an input picks the sub-type each line is given (or none) and the switches.
constexpr const char* kSubTypes[] = {"PUB", "PUBM",  "PUBMAC", "PRIV",  "FREQ", "CHAT",
                                     "MOD", "SYSOP", "SQUAD",  "ARENA", "CMD"};
constexpr std::size_t kSubTypeCount = sizeof kSubTypes / sizeof *kSubTypes;

struct Session {
    Session() {
        w.dir.write("Config.ini", "[Ignore]\r\nMallory=1\r\n");
        w.connectToOneZone();
        w.tcp->deliver(
            "LOGINOK:Ann\nINARENA:0:8025\nPLAYER:Bob:8:8025\nPLAYER:Eve:1:100\n"
            "PLAYER:Mallory:8:8025\n");
        w.clock.advance(1000);
    }
    test::World w;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Session session;
    FrmMain& f = session.w.f();
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t flags = input.empty() ? 0 : static_cast<std::uint8_t>(input[0]);
    if (!input.empty()) input.remove_prefix(1);

    f.ShowPublicMacros = flags & 1;
    f.showURLs = (flags >> 1) & 1;
    f.AwayMessage = (flags & 4) ? "away {x}" : "";
    f.AwayRepliedTo.clear();
    f.SheepSoundPending = (flags & 8) != 0;
    f.NameWidth = (flags & 8) ? 1 : 14;
    // The high half gives every line a sub-type, or (past the table) leaves the line alone.
    const std::size_t pick = flags >> 4;
    const std::string prefix =
        pick < kSubTypeCount ? "MSG:" + std::string(kSubTypes[pick]) + ":" : std::string();

    for (std::size_t start = 0; start <= input.size();) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        HandleProtocol(f, prefix + std::string(input.substr(start, end - start)));
        start = end + 1;
    }

    // The recent partners never hold a name twice.
    const auto& names = f.RecentPrivateNames;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty() && std::count(names.begin(), names.end(), names[i]) != 1)
            __builtin_trap();
    if (!f.LoggedIn) __builtin_trap();

    // Keep the window's records from growing across inputs.
    ResetChatView(f);
    f.frmLog.lines.clear();
    session.w.tcp->sent.clear();
    session.w.sound.played.clear();
    return 0;
}
