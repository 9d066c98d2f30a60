// Chat view throughput and memory: the document and styled lines alone, the real widget
// offscreen, and a text-document widget as the baseline.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QScrollBar>
#include <QTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "qt/chat_view_widget.h"

#pragma push_macro("emit")
#undef emit
#include "support/fakes.h"
#include "view/chat_font.h"
#include "view/chat_lines.h"
#pragma pop_macro("emit")

namespace {

using Clock = std::chrono::steady_clock;
using orva::test::World;

// Typical public chat: a padded name, "> " and text, 60 characters in all; now and then a
// brace, a backslash or a link.
std::vector<std::string> typicalLines() {
    const char* names[] = {"Ann", "Bo", "Zed Zero", "x-ray", "Mighty_Mouse", "q"};
    const char* texts[] = {
        "anyone up for a duel in the centre, meet at the flag room ok",
        "gg all, that was close {again} - see you in the next round",
        "check www.example.org/maps for the new layout, it is good!",
        "lol no way, my ship was at full energy when that bomb hit me",
        "path c:\\games\\zone is where the config goes, then restart it",
        "team freq 1 go north, freq 2 hold the base and guard the flag",
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 64; ++i) {
        std::string name = names[i % 6];
        name.insert(0, 14 - std::min<std::size_t>(14, name.size()), ' ');
        std::string line = "   " + name + "> " + texts[(i / 6 + i) % 6];
        line.resize(60, '.');
        lines.push_back(line);
    }
    return lines;
}

std::size_t heapInUse() {
    return mallinfo2().uordblks + mallinfo2().hblkhd;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The machine is shared: CPU time of this thread says what a line costs when it runs.
double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct ChatWorld : World {
    ChatWorld() {
        f().showURLs = 1;
        orva::VerifyFontConstraints(f().ChatFontName, f().ChatFontSize);
        orva::UpdateFontFace(f());
        orva::ResetChatView(f());
    }
};

// Escape, fragment, link marking, document and styled line: everything a line costs without
// the widget. 200,000 lines per run.
void BM_AppendChatLine_Logic(benchmark::State& state) {
    const auto lines = typicalLines();
    const int count = 200000;
    for (auto _ : state) {
        auto w = std::make_unique<ChatWorld>();
        const std::size_t heap0 = heapInUse();
        const double c0 = threadCpuSeconds();
        const auto t0 = Clock::now();
        for (int i = 0; i < count; ++i) {
            std::string text = lines[static_cast<std::size_t>(i) % lines.size()];
            orva::AppendChatLine(w->f(), text, orva::ColorPublic);
        }
        const auto t1 = Clock::now();
        const double cpu = threadCpuSeconds() - c0;
        state.SetIterationTime(seconds(t1 - t0));
        state.counters["lines_per_s"] = count / seconds(t1 - t0);
        state.counters["lines_per_cpu_s"] = count / cpu;
        state.counters["heap_bytes_per_line"] = static_cast<double>(heapInUse() - heap0) / count;
        state.counters["model_bytes_per_line"] =
            static_cast<double>(w->f().txtLog.memoryEstimate()) / count;
        benchmark::DoNotOptimize(w->f().txtLog.lineCount());
    }
}
BENCHMARK(BM_AppendChatLine_Logic)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The real widget, shown offscreen: lines arrive in slices of state.range(0), and the event
// loop turns after each slice (one repaint per turn). The program's connection hands the view
// the lines of up to ~5 ms of handling per turn (a few thousand in a flood), so 1,000 is close to
// what it does and 100 a harsher case with ten times the repaints.
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_AppendChatLine_View(benchmark::State& state) {
    const auto lines = typicalLines();
    const int count = 200000;
    const int slice = static_cast<int>(state.range(0));
    std::vector<double> firsts, lasts, heaps;
    double wall = 0, cpu = 0;
    std::size_t paints = 0;
    for (auto _ : state) {
        auto w = std::make_unique<ChatWorld>();
        orva::ChatViewWidget view(w->f());
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
        // A reader with the focus in the view would hold it in place; here nobody reads.
        view.setFocusPolicy(Qt::NoFocus);
        view.clearFocus();
        QApplication::processEvents();
        const std::size_t heap0 = heapInUse();
        const std::size_t paints0 = view.paintCount();
        const double c0 = threadCpuSeconds();
        std::vector<double> perTenThousand;
        // Per 10,000 lines in CPU time: wall time on a shared machine mostly measures the others.
        double mark = threadCpuSeconds();
        const auto t0 = Clock::now();
        for (int i = 0; i < count;) {
            for (int k = 0; k < slice && i < count; ++k, ++i) {
                std::string text = lines[static_cast<std::size_t>(i) % lines.size()];
                orva::AppendChatLine(w->f(), text, orva::ColorPublic);
            }
            QApplication::processEvents();
            if (i % 10000 == 0) {
                const double now = threadCpuSeconds();
                perTenThousand.push_back(now - mark);
                mark = now;
            }
        }
        const auto t1 = Clock::now();
        state.SetIterationTime(seconds(t1 - t0));
        wall += seconds(t1 - t0);
        cpu += threadCpuSeconds() - c0;
        paints += view.paintCount() - paints0;
        firsts.push_back(perTenThousand.front());
        lasts.push_back(perTenThousand.back());
        heaps.push_back(static_cast<double>(heapInUse() - heap0) / count);
        if (view.verticalScrollBar()->value() != count) {
            std::fprintf(stderr, "value %d max %d focus %d\n", view.verticalScrollBar()->value(),
                         view.verticalScrollBar()->maximum(), int(w->f().ViewHasFocus));
            state.SkipWithError("not at the end");
        }
    }
    const auto runs = static_cast<double>(firsts.size());
    state.counters["lines_per_s"] = runs * count / wall;
    state.counters["lines_per_cpu_s"] = runs * count / cpu;
    state.counters["paints_per_run"] = static_cast<double>(paints) / runs;
    // Medians over the runs: one 10,000-line block is a few dozen milliseconds, short enough
    // for a neighbour's burst to swing it.
    state.counters["first_10k_ms"] = median(firsts) * 1000;
    state.counters["last_10k_ms"] = median(lasts) * 1000;
    state.counters["last_over_first"] = median(lasts) / median(firsts);
    state.counters["heap_bytes_per_line"] = median(heaps);
}
BENCHMARK(BM_AppendChatLine_View)
    ->Arg(100)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Baseline: the same lines appended one by one to a text-document widget.
void BM_AppendChatLine_QTextEdit(benchmark::State& state) {
    const auto lines = typicalLines();
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QTextEdit edit;
        edit.setReadOnly(true);
        edit.resize(800, 600);
        edit.show();
        QApplication::processEvents();
        const std::size_t heap0 = heapInUse();
        const double c0 = threadCpuSeconds();
        const auto t0 = Clock::now();
        for (int i = 0; i < count; ++i) {
            edit.setTextColor(QColor(160, 160, 255));
            edit.append(QString::fromLatin1(lines[static_cast<std::size_t>(i) % lines.size()]));
            if (i % 100 == 99) QApplication::processEvents();
        }
        QApplication::processEvents();
        const auto t1 = Clock::now();
        const double cpu = threadCpuSeconds() - c0;
        state.SetIterationTime(seconds(t1 - t0));
        state.counters["lines_per_s"] = count / seconds(t1 - t0);
        state.counters["lines_per_cpu_s"] = count / cpu;
        state.counters["heap_bytes_per_line"] = static_cast<double>(heapInUse() - heap0) / count;
    }
}
BENCHMARK(BM_AppendChatLine_QTextEdit)
    ->Arg(20000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
