// Finding text in a million lines of scrollback: a fresh search, and a query typed key by key.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "view/chat_lines.h"
#include "view/chat_search.h"
#include "view/chat_view.h"

namespace {

constexpr int kLines = 1'000'000;

// Public chat of about 80 characters: a padded name, "> " and text.
const orva::ChatView& history() {
    static orva::ChatView* view = [] {
        auto* v = new orva::ChatView;
        v->load(orva::BuildInitialRtf("Courier New", 18));
        const char* names[] = {"Ann", "Bo", "Zed Zero", "x-ray", "Mighty_Mouse", "q"};
        const char* texts[] = {
            "anyone up for a duel in the centre, meet at the flag room ok",
            "gg all, that was close - see you in the next round, again",
            "check www.example.org/maps for the new layout, it is good!",
            "lol no way, my ship was at full energy when that bomb hit me",
            "team freq 1 go north, freq 2 hold the base and guard the flag",
            "Where is EVERYONE? The Arena is empty tonight, come on people",
        };
        for (int i = 0; i < kLines; ++i) {
            std::string name = names[i % 6];
            name.insert(0, 14 - std::min<std::size_t>(14, name.size()), ' ');
            v->append("\\par\\cf3    " + name + "> " + texts[(i / 6 + i) % 6], false);
        }
        return v;
    }();
    return *view;
}

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

const char* const kQueries[] = {"e", "flag", "the flag", "zebra"};

// A search from scratch for one query: the first key typed, or a pasted query.
void BM_SearchFresh(benchmark::State& state) {
    const orva::ChatView& view = history();
    const char* query = kQueries[state.range(0)];
    std::size_t found = 0;
    for (auto _ : state) {
        const double t0 = threadCpuSeconds();
        orva::ChatSearch search;
        found = search.run(view, query);
        state.SetIterationTime(threadCpuSeconds() - t0);
    }
    state.SetLabel(std::string("\"") + query + "\", " + std::to_string(found) + " matches");
}
BENCHMARK(BM_SearchFresh)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// "guard the flag" typed one key at a time: the slowest key and the mean.
void BM_SearchTyped(benchmark::State& state) {
    const orva::ChatView& view = history();
    const std::string query = "guard the flag";
    double slowest = 0, total = 0;
    for (auto _ : state) {
        orva::ChatSearch search;
        const double t0 = threadCpuSeconds();
        for (std::size_t n = 1; n <= query.size(); ++n) {
            const double k0 = threadCpuSeconds();
            search.run(view, std::string_view(query).substr(0, n));
            slowest = std::max(slowest, threadCpuSeconds() - k0);
        }
        const double t = threadCpuSeconds() - t0;
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["slowest_key_ms"] = slowest * 1e3;
    state.counters["mean_key_ms"] =
        total * 1e3 / static_cast<double>(state.iterations() * query.size());
}
BENCHMARK(BM_SearchTyped)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
