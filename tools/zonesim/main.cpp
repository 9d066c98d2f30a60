// zonesim: a zone server of the chat line protocol on 127.0.0.1, for demos and fault tests.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "zonesim.h"

#if defined(Q_OS_UNIX)
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#endif

namespace {

#if defined(Q_OS_UNIX)
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char b = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[0], &b, 1);
}

// Signals only write a byte; the event loop reads it and quits, so the server shuts down in order.
void quitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char b = 0;
        [[maybe_unused]] const auto n = ::read(signalPipe[1], &b, 1);
        app.quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}
#else
void quitOnSignals(QCoreApplication&) {}
#endif

bool parseMode(const QString& s, zonesim::Mode& mode) {
    using zonesim::Mode;
    static const QMap<QString, Mode> kModes = {
        {"normal", Mode::Normal}, {"flood", Mode::Flood},     {"split", Mode::Split},
        {"drip", Mode::Drip},     {"garbage", Mode::Garbage}, {"close", Mode::Close},
        {"silent", Mode::Silent},
    };
    if (!kModes.contains(s)) return false;
    mode = kModes.value(s);
    return true;
}

int fail(const QString& message) {
    std::fprintf(stderr, "zonesim: %s\n", qPrintable(message));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("zonesim");

    QCommandLineParser p;
    p.setApplicationDescription(
        "A zone server of the chat line protocol on 127.0.0.1 (TCP on the port, ping on UDP port + "
        "1).");
    p.addHelpOption();
    const QCommandLineOption port("port", "TCP port; 0 picks a free one (default 5400).", "N",
                                  "5400");
    const QCommandLineOption demo("demo",
                                  "A lively arena: bots chat, come and go (12 bots unless --bots); "
                                  "reads one line per 200 ms and keeps the flood count.");
    const QCommandLineOption seed("seed", "Seed of the bots' schedule (default 1).", "S", "1");
    const QCommandLineOption bots("bots", "Number of bots in the public arena.", "K");
    const QCommandLineOption mode("mode", "normal|flood|split|drip|garbage|close|silent.", "MODE",
                                  "normal");
    const QCommandLineOption floodLines("flood-lines", "Lines sent in flood mode (default 10000).",
                                        "N", "10000");
    const QCommandLineOption floodMix(
        "flood-mix",
        "Flood with chat of every kind (public, team, private, channel, arena, squad, moderator, "
        "sysop) instead of public lines only.");
    const QCommandLineOption refuse("refuse", "Refuse this name with LOGINBAD:REASON (repeatable).",
                                    "NAME:REASON");
    const QCommandLineOption password("password", "Only this password is accepted.", "PW");
    const QCommandLineOption arena("arena", "Name of the public arena (default 0).", "NAME", "0");
    const QCommandLineOption dialect(
        "dialect", "server (as real servers) or client (PUBMAC, SYSOP with a name, CMD).", "D",
        "server");
    const QCommandLineOption pace(
        "pace",
        "Write one line per 100 ms and read one per 200 ms per connection, as real servers do.");
    const QCommandLineOption floodRule(
        "flood-rule",
        "Keep the real server's flood count: a sender whose count of chat lines (halved per whole "
        "second between two) reaches ten is muted for 60 s.");
    const QCommandLineOption noop(
        "noop", "Seconds without traffic before NOOP (default 180; 0 never).", "S", "180");
    const QCommandLineOption staff("staff", "Only these names use moderator chat (repeatable).",
                                   "NAME");
    const QCommandLineOption pingCount("ping-count", "Player count the ping reports.", "N");
    const QCommandLineOption verbose("verbose", "Print every line received and sent to stderr.");
    p.addOptions({port, demo, seed, bots, mode, floodLines, floodMix, refuse, password, arena,
                  dialect, pace, floodRule, noop, staff, pingCount, verbose});
    p.process(app);

    zonesim::Options o;
    bool ok = true;
    const uint portValue = p.value(port).toUInt(&ok);
    if (!ok || portValue > 65534) return fail("bad --port");
    o.port = quint16(portValue);
    o.demo = p.isSet(demo);
    o.seed = p.value(seed).toUInt(&ok);
    if (!ok) return fail("bad --seed");
    o.bots = p.isSet(bots) ? p.value(bots).toInt(&ok) : (o.demo ? 12 : 0);
    if (!ok || o.bots < 0) return fail("bad --bots");
    if (!parseMode(p.value(mode).toLower(), o.mode)) return fail("bad --mode");
    o.floodLines = p.value(floodLines).toInt(&ok);
    if (!ok || o.floodLines < 0) return fail("bad --flood-lines");
    o.floodMixed = p.isSet(floodMix);
    for (const QString& r : p.values(refuse)) {
        const qsizetype colon = r.indexOf(':');
        if (colon <= 0) return fail("bad --refuse, want NAME:REASON");
        o.refuse.insert(r.left(colon).toLatin1().toLower(), r.mid(colon + 1).toLatin1());
    }
    o.password = p.value(password).toLatin1();
    o.arena = p.value(arena).toLatin1();
    if (o.arena.isEmpty()) return fail("bad --arena");
    const QString d = p.value(dialect).toLower();
    if (d != "server" && d != "client") return fail("bad --dialect");
    o.dialect = d == "client" ? zonesim::Dialect::Client : zonesim::Dialect::Server;
    o.pacing = p.isSet(pace);
    // The demo zone reads and counts as a real one, so the client meets the real limits there.
    if (o.pacing || o.demo) o.readPaceMs = 200;
    o.floodRule = p.isSet(floodRule) || o.demo;
    const int noopSeconds = p.value(noop).toInt(&ok);
    if (!ok || noopSeconds < 0) return fail("bad --noop");
    o.noopMs = noopSeconds * 1000;
    for (const QString& s : p.values(staff))
        o.staff.append(s.toLatin1());
    if (p.isSet(pingCount)) {
        o.pingCount = p.value(pingCount).toInt(&ok);
        if (!ok || o.pingCount < 0) return fail("bad --ping-count");
    }

    zonesim::Server server(o);
    if (!server.start()) return fail("cannot listen: " + server.errorString());
    if (p.isSet(verbose)) {
        QObject::connect(&server, &zonesim::Server::lineReceived, [](int id, const QByteArray& l) {
            std::fprintf(stderr, "C2S %d %s\n", id, l.constData());
        });
        QObject::connect(&server, &zonesim::Server::lineSent, [](int id, const QByteArray& l) {
            std::fprintf(stderr, "S2C %d %s\n", id, l.constData());
        });
    }
    quitOnSignals(app);
    std::printf("zonesim listening on 127.0.0.1:%u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
