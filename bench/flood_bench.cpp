// A flood of chat lines of every kind from the zone simulator (its own process, flood mode) into
// the real main window shown offscreen, as a person would see it: the total time until the last
// line is handled, the longest the window went without a turn of the event loop or a paint of the
// chat view, how long a key typed meanwhile takes to show in the input line, the cost of the
// first and the last 10,000 lines, and the peak resident memory per line of scrollback.
// The logic first: Qt defines a macro named emit, which the logic's signals use as a name.
#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "logging/chat_log.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "qt/chat_view_widget.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"

namespace {

using namespace orva;

constexpr int kLimitMs = 300000;
constexpr int kBots = 8;
constexpr int kCostWindow = 10000;  // lines at each end whose cost is compared
constexpr int kKeyEveryMs = 17;     // a fast typist; no multiple of the queue's slice
constexpr int kMaxKeys = 1000;

// Boxes would wait for a person; the flood has none, so any box is answered at once.
struct AnsweringDialogs : IDialogs {
    MsgResult messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
        ++boxes;
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::string("Flooded");
    }
    int boxes = 0;
};

qint64 cpuNs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64{t.tv_sec} * 1000000000 + t.tv_nsec;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 where there is none.
long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + key.size());
    return -1;
}

// Starts the peak resident size afresh from the current one (Linux).
void resetPeakRss() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Records the time between consecutive events of one kind.
struct GapMeter {
    void mark(qint64 nowNs) {
        if (last >= 0) longest = std::max(longest, nowNs - last);
        last = nowNs;
        ++count;
    }
    qint64 last = -1, longest = 0, count = 0;
};

// Keys typed from another thread, as the window system delivers them: at any moment, also in
// the middle of a slice of received lines.
class Typist {
  public:
    Typist(QElapsedTimer& clock, QWidget* target) : clock_(clock), target_(target) {}
    ~Typist() { stop(); }
    void start() {
        // The keyboard device is made on first use, as a child of the application: here, on
        // the application's thread, not the typist's.
        QInputDevice::primaryKeyboard();
        thread_ = std::thread([this] {
            while (!stop_ && posted_ < kMaxKeys) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kKeyEveryMs));
                if (stop_) break;
                postedAt_[static_cast<std::size_t>(posted_.load())] = clock_.nsecsElapsed();
                ++posted_;
                QCoreApplication::postEvent(
                    target_, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
            }
        });
    }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int posted() const { return posted_; }
    qint64 postedAt(int i) const { return postedAt_[static_cast<std::size_t>(i)]; }

  private:
    QElapsedTimer& clock_;
    QWidget* target_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> posted_{0};
    std::array<qint64, kMaxKeys> postedAt_{};
};

// Paints of the chat view (their gaps) and of the input line (when a typed key first shows).
class PaintSpy : public QObject {
  public:
    PaintSpy(QElapsedTimer& clock, QWidget* view, QLineEdit* input, const Typist& typist)
        : clock_(clock), view_(view), input_(input), typist_(typist) {
        view->installEventFilter(this);
        input->installEventFilter(this);
    }
    bool active = false;
    GapMeter viewPaints;
    std::vector<qint64> keyLatencies;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (active && e->type() == QEvent::Paint) {
            const qint64 now = clock_.nsecsElapsed();
            if (o == view_) viewPaints.mark(now);
            if (o == input_) {
                const int shown =
                    std::min<int>(static_cast<int>(input_->text().size()), typist_.posted());
                for (; resolved_ < shown; ++resolved_)
                    keyLatencies.push_back(now - typist_.postedAt(resolved_));
            }
        }
        return QObject::eventFilter(o, e);
    }

  private:
    QElapsedTimer& clock_;
    QWidget* view_;
    QLineEdit* input_;
    const Typist& typist_;
    int resolved_ = 0;
};

// Lines shown so far and the process's time then, once per turn of the event loop.
struct Progress {
    qint64 shown, cpu, wall;
};

// The time at which `shown` reached `target`, read off the turns on either side of it.
qint64 timeAt(const std::vector<Progress>& p, qint64 target, qint64 Progress::*field) {
    for (std::size_t i = 1; i < p.size(); ++i) {
        if (p[i].shown < target) continue;
        const Progress &a = p[i - 1], &b = p[i];
        if (b.shown == a.shown) return b.*field;
        const double f = double(target - a.shown) / double(b.shown - a.shown);
        return a.*field + static_cast<qint64>(f * double(b.*field - a.*field));
    }
    return p.empty() ? 0 : p.back().*field;
}

// Starts the simulator and returns its port (0 when it did not come up).
quint16 startSimulator(QProcess& sim, int lines) {
    sim.setProgram(QStringLiteral(ORVA_ZONESIM_PATH));
    sim.setArguments({"--port", "0", "--mode", "flood", "--flood-mix", "--flood-lines",
                      QString::number(lines), "--bots", QString::number(kBots), "--noop", "0"});
    sim.start();
    if (!sim.waitForStarted(10000)) return 0;
    QByteArray out;
    static const QRegularExpression ready(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    for (int i = 0; i < 100 && !out.contains('\n'); ++i) {
        sim.waitForReadyRead(100);
        out += sim.readAllStandardOutput();
    }
    const auto m = ready.match(QString::fromLatin1(out));
    return m.hasMatch() ? static_cast<quint16>(m.captured(1).toUInt()) : 0;
}

// Arguments: the number of flood lines; 1 to have a chat log open.
void BM_FloodIntoWindow(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const bool logOpen = state.range(1) != 0;
    for (auto _ : state) {
        QProcess sim;
        const quint16 port = startSimulator(sim, lines);
        if (port == 0) {
            state.SkipWithError("zonesim did not start");
            return;
        }
        QTemporaryDir folder;
        const auto write = [&](const char* name, const std::string& bytes) {
            std::ofstream(folder.filePath(QString::fromLatin1(name)).toStdString(),
                          std::ios::binary)
                << bytes;
        };
        write("zone.dat", "Local demo zone,127.0.0.1," + std::to_string(port) + "\r\n");
        write("Config.ini", "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Flooded\r\n");

        QtPlatform platform(folder.path().toStdString(), [] {});
        AnsweringDialogs dialogs;
        Env env{dialogs,        platform.timers, platform.clock, platform.sound,
                platform.shell, platform.fonts,  platform.app};
        FrmMain form(env, std::make_unique<QtTcpClient>(), std::make_unique<QtUdpSocket>());
        StartUp(form);
        MainWindow window(form);
        wireHandlers(form);
        Form_Load(form);
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
        if (logOpen) {
            SetLogFileName(form, "flood.txt");
            OpenLog(form);
        }

        QElapsedTimer clock;
        QLineEdit* input = window.ui().txtOut;
        Typist typist(clock, input);
        PaintSpy spy(clock, window.ui().txtLog->viewport(), input, typist);
        GapMeter turns;
        std::vector<Progress> progress;
        progress.reserve(100000);
        std::size_t firstLine = 0;  // the view's line count when the flood began

        const std::string done = "Flood of " + std::to_string(lines) + " lines done.";
        bool flooding = false, finished = false;
        QTimer turn;  // a zero timer fires once per turn of the event loop
        QObject::connect(&turn, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const auto& trace = form.frmLog.lines;
            if (trace.empty()) return;
            if (!flooding) {
                // The flood's lines end in " #" and their number.
                bool started = false;
                for (auto it = trace.rbegin(); it != trace.rend() && !started; ++it)
                    started = it->find(" #") != std::string::npos;
                if (!started) return;
                flooding = true;
                spy.active = true;
                firstLine = form.txtLog.lineCount();
                progress.push_back({0, cpuNs(), now});
                typist.start();
            }
            turns.mark(now);
            progress.push_back(
                {static_cast<qint64>(form.txtLog.lineCount() - firstLine), cpuNs(), now});
            // The last line is traced as received, then perhaps as not handled.
            for (auto it = trace.rbegin(); it != trace.rend() && it - trace.rbegin() < 2; ++it)
                finished = finished || it->find(done) != std::string::npos;
        });

        form.lstZones.ListIndex.set(0);
        form.txtPass.Text.set("pw");
        const long rssBeforeKb = statusKb("VmRSS");
        resetPeakRss();
        clock.start();
        turn.start(0);
        form.cmdConnect.clicked.emit();
        QElapsedTimer bound;
        bound.start();
        while (!finished && !bound.hasExpired(kLimitMs))
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        const qint64 totalNs = clock.nsecsElapsed();
        typist.stop();
        // Keys still on their way show within a few turns.
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        turn.stop();
        spy.active = false;
        const long peakKb = statusKb("VmHWM");
        const std::size_t shown = form.txtLog.lineCount() - firstLine;
        form.sckClient->Close();
        sim.terminate();
        sim.waitForFinished(5000);
        if (!finished) {
            std::fprintf(stderr, "boxes %d, logged in %d, arena '%s', traced %zu lines\n",
                         dialogs.boxes, int(form.LoggedIn), form.ArenaName.c_str(),
                         static_cast<std::size_t>(form.frmLog.total()));
            state.SkipWithError("the flood did not finish in time");
            return;
        }

        auto& c = state.counters;
        c["total_ms"] = static_cast<double>(totalNs) / 1e6;
        c["lines_per_s"] = lines / (static_cast<double>(totalNs) / 1e9);
        c["shown_lines"] = static_cast<double>(shown);
        // The process's own time while the flood lasted: on a busy machine the wall time also
        // holds the time others had the processors.
        const double floodCpuS =
            static_cast<double>(progress.back().cpu - progress.front().cpu) / 1e9;
        c["flood_cpu_ms"] = floodCpuS * 1e3;
        c["lines_per_cpu_s"] = lines / floodCpuS;
        c["max_turn_gap_ms"] = static_cast<double>(turns.longest) / 1e6;
        c["max_paint_gap_ms"] = static_cast<double>(spy.viewPaints.longest) / 1e6;
        c["view_paints"] = static_cast<double>(spy.viewPaints.count);
        std::vector<qint64> keys = spy.keyLatencies;
        std::sort(keys.begin(), keys.end());
        c["keys_shown"] = static_cast<double>(keys.size());
        c["keys_typed"] = typist.posted();
        if (!keys.empty()) {
            c["key_median_ms"] = static_cast<double>(keys[keys.size() / 2]) / 1e6;
            c["key_max_ms"] = static_cast<double>(keys.back()) / 1e6;
        }
        if (shown >= 2 * kCostWindow) {
            const auto last = static_cast<qint64>(shown);
            const auto cost = [&](qint64 from, qint64 to, qint64 Progress::*field) {
                return static_cast<double>(timeAt(progress, to, field) -
                                           timeAt(progress, from, field)) /
                       1e6;
            };
            const double firstCpu = cost(0, kCostWindow, &Progress::cpu);
            const double lastCpu = cost(last - kCostWindow, last, &Progress::cpu);
            c["first_10k_cpu_ms"] = firstCpu;
            c["last_10k_cpu_ms"] = lastCpu;
            c["last_over_first_cpu"] = lastCpu / firstCpu;
            c["last_over_first_wall"] = cost(last - kCostWindow, last, &Progress::wall) /
                                        cost(0, kCostWindow, &Progress::wall);
        }
        c["rss_before_mb"] = static_cast<double>(rssBeforeKb) / 1024;
        c["peak_rss_mb"] = static_cast<double>(peakKb) / 1024;
        if (shown > 0) {
            c["peak_bytes_per_line"] = static_cast<double>(peakKb) * 1024 / double(shown);
            c["added_bytes_per_line"] =
                static_cast<double>(peakKb - rssBeforeKb) * 1024 / double(shown);
        }
    }
}
BENCHMARK(BM_FloodIntoWindow)
    ->ArgNames({"lines", "log"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({1000000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
