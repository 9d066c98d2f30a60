// Received lines through framing, the inbound queue and dispatch, logic only (platform fakes).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "config/settings.h"
#include "support/fakes.h"

namespace {

using namespace orva;

struct Session {
    Session() {
        FrmMain& f = w.f();
        f.ShowKillMessages = 1;
        // As start-up does: the settings file exists, written by the program itself.
        WriteSetting("Config", "namelen", std::string("14"), f.ConfigPath);
        w.connectToOneZone();
        w.tcp->deliver("LOGINOK:Ann\n");
    }
    void deliver(const std::string& bytes) { w.deliverAndDrain(bytes); }
    // The fakes keep everything; drop it between rounds so memory stays flat.
    void forget() {
        w.f().frmLog.lines.clear();
        w.tcp->sent.clear();
    }
    test::World w;
};

// A server's day: chat of every kind, players coming and going, frequency changes, kills and
// keep-alives, with about 30 players in the arena.
std::string mixedStream(int rounds) {
    std::string s;
    for (int r = 0; r < rounds; ++r) {
        const std::string p = "Pilot" + std::to_string(r % 40);
        const std::string q = "Guest" + std::to_string(r % 7);
        s += "MSG:PUB:" + p + ":anyone up for a duel in the center?\n";
        s += "MSG:ARENA:Arena will be reset in 5 minutes\n";
        s += "MSG:PRIV:" + p + ":hi there: are you the one from yesterday?\n";
        s += "MSG:FREQ:" + p + ":base is clear, go go go\n";
        s += "MSG:CHAT:1:" + p + "> meeting at 8\n";
        s += "MSG:PUB:" + q + ":lol\r\n";
        s += "ENTERING:" + q + ":8:8025\n";
        s += "SHIPFREQCHANGE:" + q + ":3:" + std::to_string(r % 4) + "\n";
        s += "KILL:" + p + ":" + q + ":" + std::to_string(r % 50) + ":" + std::to_string(r % 3) +
             "\n";
        s += "LEAVING:" + q + "\n";
        if (r % 20 == 0) s += "NOOP\n";
    }
    return s;
}

void BM_MixedLines(benchmark::State& state) {
    Session s;
    std::string arena = "INARENA:0:8025\n";
    for (int i = 0; i < 30; ++i)
        arena += "PLAYER:Pilot" + std::to_string(i) + ":1:" + std::to_string(8025 + i % 2) + "\n";
    s.deliver(arena);
    const std::string stream = mixedStream(1000);
    std::vector<std::string> blocks;  // TCP-sized pieces, cut anywhere
    for (std::size_t pos = 0; pos < stream.size(); pos += 1460)
        blocks.push_back(stream.substr(pos, 1460));
    std::size_t lines = 0;
    for (char c : stream)
        lines += c == '\n';
    for (auto _ : state) {
        for (const auto& b : blocks)
            s.deliver(b);
        state.PauseTiming();
        s.forget();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_MixedLines)->Unit(benchmark::kMillisecond);

// Only lines that touch neither the roster nor the list: chat, kills and keep-alives. What is
// left of the mix once the list and roster costs are taken out.
void BM_ChatKillNoopLines(benchmark::State& state) {
    Session s;
    s.deliver("INARENA:0:8025\n");
    std::string stream;
    for (int r = 0; r < 1000; ++r) {
        const std::string p = "Pilot" + std::to_string(r % 40);
        stream += "MSG:PUB:" + p + ":anyone up for a duel in the center?\n";
        stream += "MSG:ARENA:Arena will be reset in 5 minutes\n";
        stream += "MSG:PRIV:" + p + ":hi there: are you the one from yesterday?\n";
        stream += "MSG:CHAT:1:" + p + "> meeting at 8\n";
        stream += "KILL:" + p + ":Bo:" + std::to_string(r % 50) + ":1\n";
        if (r % 20 == 0) stream += "NOOP\n";
    }
    std::size_t lines = 0;
    for (char c : stream)
        lines += c == '\n';
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < stream.size(); pos += 1460)
            s.deliver(stream.substr(pos, 1460));
        state.PauseTiming();
        s.forget();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
}
BENCHMARK(BM_ChatKillNoopLines)->Unit(benchmark::kMillisecond);

// The framer alone, on the same stream.
void BM_FramingOnly(benchmark::State& state) {
    const std::string stream = mixedStream(1000);
    LineFramer framer;
    std::size_t lines = 0;
    for (auto _ : state) {
        for (std::size_t pos = 0; pos < stream.size(); pos += 1460)
            framer.feed(
                std::string_view(stream).substr(pos, 1460),
                [&](std::string_view l) { lines += l.size() != 0; }, [](const std::string&) {});
    }
    benchmark::DoNotOptimize(lines);
    state.SetItemsProcessed(static_cast<std::int64_t>(lines));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_FramingOnly)->Unit(benchmark::kMicrosecond);

// Entering an arena of 1,000 players: "INARENA" and one "PLAYER" line each.
void BM_ArenaEntry1000(benchmark::State& state) {
    std::string entry = "INARENA:0:8025\n";
    for (int i = 0; i < 1000; ++i)
        entry += "PLAYER:Player" + std::to_string(i) + ":" + std::to_string(i % 9) + ":" +
                 std::to_string(8025 + i % 3) + "\n";
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<Session>();
        state.ResumeTiming();
        s->deliver(entry);
        state.PauseTiming();
        s.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ArenaEntry1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
