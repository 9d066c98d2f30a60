// The player list under a full arena: entry, leaving, re-marking after a team change, painting.
// The logic first: Qt defines a macro named emit, which the logic's signals use as a name.
#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "core/roster.h"
#include "lstBox/lst_box.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "qt/lst_box_widget.h"

namespace {

using namespace orva;

constexpr int kPlayers = 1000;

// Names in the scattered order a server announces them.
const std::vector<std::string>& arenaNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        unsigned x = 12345;
        for (int i = 0; i < kPlayers; ++i) {
            x = x * 1103515245u + 12345u;
            out.push_back((i % 3 ? "Pilot_" : "ace") + std::to_string((x >> 8) % 100000) + "_" +
                          std::to_string(i));
        }
        return out;
    }();
    return names;
}

// What an arena entry does to the roster and the list: empty both, then one add per player.
void enterArena(FrmMain& f) {
    f.lstUsers.clearList();
    ClearRoster(f);
    const auto& names = arenaNames();
    for (int i = 0; i < kPlayers; ++i) {
        const auto freq = static_cast<std::int16_t>(i % 4);
        AddPlayer(f, names[static_cast<size_t>(i)], static_cast<std::uint8_t>(i % 9), freq);
        f.lstUsers.AddItem((freq == 0 ? "\\t" : "\\e") + names[static_cast<size_t>(i)]);
    }
}

void BM_ArenaEntryLogic(benchmark::State& state) {
    test::World w;
    auto& f = w.f();
    wireRosterToList(f);
    for (auto _ : state) {
        enterArena(f);
        benchmark::DoNotOptimize(f.lstUsers.listCount());
    }
}
BENCHMARK(BM_ArenaEntryLogic)->Unit(benchmark::kMillisecond);

// Every player leaves: find the entry, delete it, remove the record.
void BM_AllLeaveLogic(benchmark::State& state) {
    test::World w;
    auto& f = w.f();
    for (auto _ : state) {
        state.PauseTiming();
        enterArena(f);
        state.ResumeTiming();
        for (const auto& name : arenaNames()) {
            const auto i = f.lstUsers.FindItemNoColor(name);
            if (i >= 0) f.lstUsers.deleteIndex(i);
            RemovePlayer(f, name);
        }
        benchmark::DoNotOptimize(f.roster.PlayerCount);
    }
}
BENCHMARK(BM_AllLeaveLogic)->Unit(benchmark::kMillisecond);

// The user changes team: every entry is looked up in the roster and re-marked.
void BM_RemarkAllLogic(benchmark::State& state) {
    test::World w;
    auto& f = w.f();
    enterArena(f);
    std::int16_t self = 0;
    for (auto _ : state) {
        self = static_cast<std::int16_t>((self + 1) % 4);
        for (std::int16_t i = 0; i < f.lstUsers.listCount(); ++i) {
            const auto p = FindPlayer(f, f.lstUsers.getContent2(i));
            if (p < 0) continue;
            const auto& r = f.roster.records[static_cast<size_t>(p)];
            f.lstUsers.updateCell(i, (r.Freq == self ? "\\t" : "\\e") + r.Name);
        }
        f.lstUsers.updateList();
    }
}
BENCHMARK(BM_RemarkAllLogic)->Unit(benchmark::kMillisecond);

// The same arena entry with the real widget offscreen, until the list has been painted.
void BM_ArenaEntryWidget(benchmark::State& state) {
    test::World w;
    auto& f = w.f();
    wireRosterToList(f);
    LstBoxWidget widget(f.lstUsers);
    widget.resize(180, 700);
    widget.show();
    QApplication::processEvents();
    for (auto _ : state) {
        const int paints = widget.paintCount();
        enterArena(f);
        for (int spins = 0; widget.paintCount() == paints && spins < 1000; ++spins)
            QApplication::processEvents();
        if (widget.paintCount() == paints) state.SkipWithError("the list was not painted");
    }
}
BENCHMARK(BM_ArenaEntryWidget)->Unit(benchmark::kMillisecond);

// The whole arena entry as received: "INARENA" and 1,000 "PLAYER" lines through the framer, the
// queue and HandleProtocol into the roster and the real list widget shown offscreen, until the
// list has been painted.
void BM_ArenaEntryLinesWidget(benchmark::State& state) {
    std::string entry = "INARENA:0:8025\n";
    const auto& names = arenaNames();
    for (int i = 0; i < kPlayers; ++i)
        entry += "PLAYER:" + names[static_cast<size_t>(i)] + ":" + std::to_string(i % 9) + ":" +
                 std::to_string(8025 + i % 3) + "\n";
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<test::World>();
        FrmMain& f = w->f();
        wireRosterToList(f);
        w->connectToOneZone();
        w->tcp->deliver("LOGINOK:Ann\n");
        auto widget = std::make_unique<LstBoxWidget>(f.lstUsers);
        widget->resize(180, 700);
        widget->show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const int paints = widget->paintCount();
        state.ResumeTiming();

        w->tcp->deliver(entry);
        while (transportOf(f).inbound.continuationPending())
            w->clock.advance(0);
        for (int spins = 0; widget->paintCount() == paints && spins < 1000; ++spins)
            QApplication::processEvents();

        state.PauseTiming();
        if (widget->paintCount() == paints || f.lstUsers.listCount() != kPlayers + 1)
            state.SkipWithError("the arena was not listed and painted");
        widget.reset();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ArenaEntryLinesWidget)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
