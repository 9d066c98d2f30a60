// Received bytes through the line framer, the inbound queue and the dispatcher, on a connected
// main window with fake platform doors.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/transport.h"
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
        f.zones.Zones.push_back({"Alpha", "127.0.0.1", 5000, 0, 0});
        f.zones.ZoneCount = 1;
        f.lstZones.AddItem("Alpha");
    }
    f.lstZones.ListIndex.set(0);
    f.txtUser.Text.set("Ann");
    f.txtPass.Text.set("pw");
    f.txtAuto.Text.set((flags & 4) ? "a\\b\\?sheep" : "");
    f.txtchats.Text.set((flags & 8) ? "one,two" : "");
    f.ShowKillMessages = (flags & 16) ? 1 : 0;
    transportOf(f).inbound.setSliceLimits((flags & 32) ? 3 : 20000, 5);
    // A box lets more data in while a line waits on it.
    bool fed = false;
    w.dialogs.duringBox = [&] {
        if (fed) return;
        fed = true;
        w.tcp->deliver("SHIPFREQCHANGE:Ann:1:5\nLEAVING:Ann\nNOOP\n");
    };

    Connect_It(f);
    w.tcp->acceptConnection();
    if (flags & 1) w.tcp->deliver("LOGINOK:Ann\n");
    if (flags & 2) w.tcp->deliver("INARENA:0:8025\n");

    // Blocks of varying size, cut by the input itself.
    std::size_t pos = 0, step = 1 + (flags >> 6) * 7;
    while (pos < input.size()) {
        const std::size_t n = std::min(step, input.size() - pos);
        w.tcp->deliver(std::string(input.substr(pos, n)));
        pos += n;
        step = step * 3 % 61 + 1;
    }
    w.clock.advance(20000);

    // Whatever came, the window still follows the connection.
    w.tcp->peerClose();
    w.clock.advance(5000);
    if (f.roster.PlayerCount != 0 || f.lstUsers.ItemCount != 0 || f.LoggedIn) __builtin_trap();
    // What the input made is freed within its own run, or libFuzzer takes it for a leak and
    // runs the input again to look.
    window.reset();
    return 0;
}
