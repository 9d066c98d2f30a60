// Typed lines and macros through HandleOutgoing on a main window in an arena, with fake platform
// doors: commands, prefixes, macro variables and the wire they make.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/outgoing.h"
#include "reused_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orva;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t flags = input.empty() ? 0 : static_cast<std::uint8_t>(input[0]);
    if (!input.empty()) input.remove_prefix(1);

    static fuzz::ReusedWindow window;
    test::World& w = window.reset();
    FrmMain& f = w.f();
    if (f.zones.ZoneCount == 0) {
        for (const char* zone : {"Alpha", "Beta"}) {
            f.zones.Zones.push_back({zone, "127.0.0.1", 5000, 0, 0});
            f.lstZones.AddItem(zone);
        }
        f.zones.ZoneCount = 2;
    }
    f.lstZones.ListIndex.set(0);
    f.txtUser.Text.set("Ann");
    f.txtPass.Text.set("pw");
    f.txtAuto.Text.set((flags & 4) ? "?away x\\%tickname\\;1;a" : "");
    w.dialogs.answers = {(flags & 8) ? MsgResult::Yes : MsgResult::No};

    if (flags & 1) {
        Connect_It(f);
        w.tcp->acceptConnection();
        w.tcp->deliver("LOGINOK:Ann\nINARENA:0:8025\nPLAYER:Bob:8:5\nPLAYER:%selfname:0:1\n");
    }
    if (flags & 2) f.lstUsers.SelectDown();
    if (flags & 16) f.lstUsers.SelectedIndex = -1;

    // Each input line is one typed line; the last bit of the flags sends them as macros.
    std::size_t start = 0;
    for (int n = 0; n < 64 && start <= input.size(); ++n) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        std::string line(input.substr(start, end - start));
        HandleOutgoing(f, line, (flags & 128) ? 1 : 0);
        start = end + 1;
    }
    w.clock.advance(5000);

    // Whatever was typed, every line on the wire is one protocol line.
    const std::string& wire = w.tcp->sent;
    if (wire.find('\r') != std::string::npos || wire.find("\n\n") != std::string::npos ||
        wire.starts_with('\n'))
        __builtin_trap();
    return 0;
}
