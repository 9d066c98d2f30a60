// Received chat through framing, the inbound queue, HandleProtocol, HandleMSG, the formatters and
// the chat document, logic only (platform fakes); with and without a chat log open.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "logging/chat_log.h"
#include "support/fakes.h"
#include "view/chat_lines.h"

namespace {

using namespace orva;

struct Session {
    Session() {
        FrmMain& f = w.f();
        w.dir.write("Config.ini", "[Config]\r\nURLClickable=1\r\n[Ignore]\r\nTroll=1\r\n");
        // As in a running program: the settings were last written long ago.
        std::filesystem::last_write_time(
            w.dir.file("Config.ini"),
            std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        f.showURLs = 1;
        f.ShowPublicMacros = 1;
        w.connectToOneZone();
        std::string entry = "LOGINOK:Ann\nINARENA:0:8025\n";
        for (int i = 0; i < 30; ++i)
            entry +=
                "PLAYER:Pilot" + std::to_string(i) + ":1:" + std::to_string(8025 + i % 2) + "\n";
        deliver(entry);
    }
    void deliver(const std::string& bytes) { w.deliverAndDrain(bytes); }
    // The fakes and the document keep everything; drop it between rounds so memory stays flat.
    void forget() {
        w.f().frmLog.lines.clear();
        w.tcp->sent.clear();
        w.sound.played.clear();
        ResetChatView(w.f());
        // The open log keeps appending at the end, wherever that now is.
        if (LogIsOpen(w.f())) std::filesystem::resize_file(w.dir.file("logs/chat.txt"), 0);
    }
    test::World w;
};

// Chat of every kind from about 30 players, a web link in one line of five.
std::string chatStream(int rounds, std::size_t& lines) {
    static const char* const kinds[] = {
        "MSG:PUB:{p}:anyone up for a duel in the center?",
        "MSG:PUB:{p}:see www.example.org/maps for the new map",
        "MSG:FREQ:{p}:base is clear, go go go",
        "MSG:ARENA:Arena will be reset in 5 minutes",
        "MSG:PRIV:{p}:hi there: are you the one from yesterday?",
        "MSG:CHAT:1:{p}> meeting at 8, http://example.org/meet",
        "MSG:PUBM:{p}:*** {on my way} ***",
        "MSG:PUB:{p}:lol",
        "MSG:SYSOP:WARNING: be nice  -Admin",
        "MSG:SQUAD:Sq:{p}:regroup at base",
    };
    std::string s;
    lines = 0;
    for (int r = 0; r < rounds; ++r) {
        for (const char* kind : kinds) {
            std::string line(kind);
            if (const auto at = line.find("{p}"); at != std::string::npos)
                line.replace(at, 3, "Pilot" + std::to_string((r + lines) % 31));
            s += line + "\n";
            ++lines;
        }
    }
    return s;
}

// Argument: 1 to have a chat log open.
void BM_IncomingChat(benchmark::State& state) {
    Session s;
    if (state.range(0) != 0) {
        SetLogFileName(s.w.f(), "chat.txt");
        OpenLog(s.w.f());
    }
    std::size_t lines = 0;
    const std::string stream = chatStream(1000, lines);
    std::vector<std::string> blocks;  // TCP-sized pieces, cut anywhere
    for (std::size_t pos = 0; pos < stream.size(); pos += 1460)
        blocks.push_back(stream.substr(pos, 1460));
    for (auto _ : state) {
        for (const auto& b : blocks)
            s.deliver(b);
        state.PauseTiming();
        s.forget();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
}
BENCHMARK(BM_IncomingChat)->ArgName("log")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
