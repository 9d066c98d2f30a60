// A flood of chat lines from the zone simulator (its own process, flood mode) into the real main
// window shown offscreen: the total time, and the longest the window went without a turn of the
// event loop or a paint while the flood lasted. A label on the window shows the number of traced
// lines at every turn, as a person watching would see it move; its paints are the ones counted.
// The logic first: Qt defines a macro named emit, which the logic's signals use as a name.
#include "core/frm_main.h"
#include "core/handlers.h"
#include "core/startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "platform/qt/chat_view_widget.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_platform.h"

namespace {

using namespace orva;

constexpr int kFloodLines = 100000;
constexpr int kLimitMs = 120000;

// Boxes would wait for a person; the flood has none, so any box is answered at once.
struct AnsweringDialogs : IDialogs {
    MsgResult messageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
        ++boxes;
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&) override {
        return std::string("Flooded");
    }
    int boxes = 0;
};

// Records the time between consecutive events of one kind.
struct GapMeter {
    void mark(qint64 nowNs) {
        if (last >= 0) longest = std::max(longest, nowNs - last);
        last = nowNs;
        ++count;
    }
    qint64 last = -1, longest = 0, count = 0;
};

class PaintSpy : public QObject {
  public:
    PaintSpy(QElapsedTimer& clock, GapMeter& meter) : clock_(clock), meter_(meter) {}
    bool active = false;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (active && e->type() == QEvent::Paint) meter_.mark(clock_.nsecsElapsed());
        return QObject::eventFilter(o, e);
    }

  private:
    QElapsedTimer& clock_;
    GapMeter& meter_;
};

// Starts the simulator and returns its port (0 when it did not come up).
quint16 startSimulator(QProcess& sim, int lines) {
    sim.setProgram(QStringLiteral(ORVA_ZONESIM_PATH));
    sim.setArguments(
        {"--port", "0", "--mode", "flood", "--flood-lines", QString::number(lines), "--noop", "0"});
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

void BM_FloodIntoWindow(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    GapMeter turns, paints;
    qint64 totalNs = 0;
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

        QElapsedTimer clock;
        turns = GapMeter{};
        paints = GapMeter{};
        PaintSpy spy(clock, paints);
        QLabel progress(&window);
        progress.setGeometry(0, 0, 200, 20);
        progress.show();
        progress.installEventFilter(&spy);

        const std::string done = "Flood of " + std::to_string(lines) + " lines done.";
        bool flooding = false, finished = false;
        QTimer turn;  // a zero timer fires once per turn of the event loop
        QObject::connect(&turn, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const auto& trace = form.frmLog.lines;
            if (trace.empty()) return;
            if (!flooding && trace.back().find("flood line") != std::string::npos) {
                flooding = true;
                spy.active = true;
            }
            if (!flooding) return;
            turns.mark(now);
            progress.setText(QString::number(form.frmLog.total()));
            // The last line is traced twice: as received, then as a MSG type not handled here.
            for (auto it = trace.rbegin(); it != trace.rend() && it - trace.rbegin() < 2; ++it)
                finished = finished || it->find(done) != std::string::npos;
        });

        form.lstZones.ListIndex.set(0);
        form.txtPass.Text.set("pw");
        clock.start();
        turn.start(0);
        form.cmdConnect.clicked.emit();
        QElapsedTimer bound;
        bound.start();
        while (!finished && !bound.hasExpired(kLimitMs))
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        totalNs = clock.nsecsElapsed();
        turn.stop();
        spy.active = false;
        form.sckClient->Close();
        sim.terminate();
        sim.waitForFinished(5000);
        if (!finished) {
            std::fprintf(stderr, "boxes %d, logged in %d, arena '%s', traced %zu lines\n",
                         dialogs.boxes, int(form.LoggedIn), form.ArenaName.c_str(),
                         static_cast<std::size_t>(form.frmLog.total()));
            state.SkipWithError("the flood did not finish within 120 s");
            return;
        }
    }
    state.counters["total_ms"] = static_cast<double>(totalNs) / 1e6;
    state.counters["lines_per_s"] = lines / (static_cast<double>(totalNs) / 1e9);
    state.counters["max_turn_gap_ms"] = static_cast<double>(turns.longest) / 1e6;
    state.counters["max_paint_gap_ms"] = static_cast<double>(paints.longest) / 1e6;
    state.counters["paints"] = static_cast<double>(paints.count);
}
BENCHMARK(BM_FloodIntoWindow)
    ->Arg(kFloodLines)
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
