#include "zonesim.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#if defined(Q_OS_UNIX)
#include <sys/socket.h>
#endif

namespace zonesim {

struct Server::Conn {
    int id = 0;
    QPointer<QTcpSocket> socket;
    bool open = true;
    LineSplitter splitter;
    QByteArray allIn;
    QList<QByteArray> lines;
    QList<QByteArray> sentLog;
    bool loggedIn = false;
    QByteArray name;
    bool inArena = false;
    QByteArray arena;
    int ship = 8;
    int freq = 8025;
    QList<QByteArray> channels;
    FloodCount flood;
    QList<QByteArray> dropped;
    std::deque<QByteArray> pending;  // bytes the paced writer has yet to write
    std::deque<QByteArray> unread;   // lines the paced reader has yet to handle
    QTimer* outTimer = nullptr;
    QTimer* inTimer = nullptr;
    QTimer* noopTimer = nullptr;
    bool flooding = false;
    int floodNext = 0;
    std::mt19937 floodRng;

    Conn(int limit, int muteMs) : splitter(limit), flood(muteMs) {}
};

namespace {

constexpr int kSpectatorShip = 8;
constexpr int kSpectatorFreq = 8025;
constexpr int kMaxChannels = 10;
constexpr qint64 kFloodBacklog = 1 << 20;

QByteArray num(long long n) {
    return QByteArray::number(n);
}

bool sameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The text before the first colon and the text after it (empty when there is no colon).
std::pair<QByteArray, QByteArray> cut(const QByteArray& s) {
    const qsizetype i = s.indexOf(':');
    if (i < 0) return {s, QByteArray()};
    return {s.left(i), s.mid(i + 1)};
}

}  // namespace

Options Options::realServer() {
    Options o;
    o.pacing = true;
    o.paceMs = 100;
    o.readPaceMs = 200;
    o.floodRule = true;
    o.muteMs = 60000;
    o.maxSendText = 500;
    o.inputLimit = 2048;
    return o;
}

Server::Server(Options options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      botRng_(options_.seed),
      ioRng_(options_.seed ^ 0x9e3779b9u) {}

Server::~Server() {
    if (botTimer_) botTimer_->stop();
    // Sockets must not report their end into a half-destroyed server.
    for (auto& [id, c] : conns_) {
        if (c->socket) {
            c->socket->disconnect();
            delete c->socket.data();
        }
    }
    delete tcp_;
    delete udp_;
}

bool Server::start() {
    tcp_ = new QTcpServer(this);
    connect(tcp_, &QTcpServer::newConnection, this, &Server::onNewConnection);
    if (options_.udpPing) {
        udp_ = new QUdpSocket(this);
        connect(udp_, &QUdpSocket::readyRead, this, &Server::onPing);
    }
    const bool anyPort = options_.port == 0;
    const int attempts = anyPort ? 64 : 1;
    bool ok = false;
    for (int i = 0; i < attempts && !ok; ++i) {
        if (!tcp_->listen(QHostAddress::LocalHost, options_.port)) {
            error_ = tcp_->errorString();
            continue;
        }
        const quint16 p = tcp_->serverPort();
        if (p == 65535 && udp_) {
            tcp_->close();
            continue;
        }
        if (udp_ && !udp_->bind(QHostAddress::LocalHost, quint16(p + 1))) {
            error_ = "UDP port " + QString::number(p + 1) + ": " + udp_->errorString();
            tcp_->close();
            continue;
        }
        port_ = p;
        ok = true;
    }
    if (!ok) return false;
    error_.clear();
    clock_.start();
    bots_.init(options_.bots, botRng_);
    botTimer_ = new QTimer(this);
    botTimer_->setSingleShot(true);
    connect(botTimer_, &QTimer::timeout, this, [this] {
        botStep();
        scheduleBot();
    });
    scheduleBot();
    return true;
}

int Server::playerCount() const {
    int n = int(bots_.present().size());
    for (const auto& [id, c] : conns_) {
        if (c->open && c->loggedIn) ++n;
    }
    return n;
}

QList<int> Server::connections() const {
    QList<int> ids;
    for (const auto& [id, c] : conns_)
        ids.append(id);
    return ids;
}

QList<int> Server::openConnections() const {
    QList<int> ids;
    for (const auto& [id, c] : conns_) {
        if (c->open) ids.append(id);
    }
    return ids;
}

bool Server::isOpen(int id) const {
    const Conn* c = conn(id);
    return c && c->open;
}

int Server::findClient(const QByteArray& name) const {
    for (const auto& [id, c] : conns_) {
        if (c->open && c->loggedIn && sameName(c->name, name)) return id;
    }
    return -1;
}

QByteArray Server::clientName(int id) const {
    const Conn* c = conn(id);
    return c ? c->name : QByteArray();
}

QByteArray Server::clientArena(int id) const {
    const Conn* c = conn(id);
    return c && c->inArena ? c->arena : QByteArray();
}

int Server::clientFreq(int id) const {
    const Conn* c = conn(id);
    return c ? c->freq : -1;
}

QList<QByteArray> Server::received(int id) const {
    const Conn* c = conn(id);
    return c ? c->lines : QList<QByteArray>();
}

QByteArray Server::receivedBytes(int id) const {
    const Conn* c = conn(id);
    return c ? c->allIn : QByteArray();
}

QList<QByteArray> Server::sent(int id) const {
    const Conn* c = conn(id);
    return c ? c->sentLog : QList<QByteArray>();
}

QList<QByteArray> Server::dropped(int id) const {
    const Conn* c = conn(id);
    return c ? c->dropped : QList<QByteArray>();
}

int Server::mutes(int id) const {
    const Conn* c = conn(id);
    return c ? c->flood.mutes() : 0;
}

bool Server::isMuted(int id) const {
    const Conn* c = conn(id);
    return c && c->flood.muted(clock_.elapsed());
}

int Server::unhandled(int id) const {
    const Conn* c = conn(id);
    return c ? int(c->unread.size()) : 0;
}

void Server::sendRaw(int id, const QByteArray& bytes) {
    if (id == -1) {
        for (auto& [cid, c] : conns_)
            queue(*c, bytes, false);
    } else if (Conn* c = conn(id)) {
        queue(*c, bytes, false);
    }
}

void Server::sendLine(int id, const QByteArray& line) {
    if (id == -1) {
        for (auto& [cid, c] : conns_)
            queue(*c, line + '\n', true);
    } else if (Conn* c = conn(id)) {
        queue(*c, line + '\n', true);
    }
}

void Server::closeClient(int id) {
    Conn* c = conn(id);
    if (!c || !c->open) return;
    if (c->socket) {
        c->socket->flush();
        c->socket->disconnectFromHost();
    }
    onDisconnected(id);
}

void Server::abortClient(int id) {
    Conn* c = conn(id);
    if (!c || !c->open) return;
    if (c->socket) {
#if defined(Q_OS_UNIX)
        // A zero linger time makes the close a reset, as when a server dies.
        const linger hard{1, 0};
        ::setsockopt(int(c->socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
#endif
        c->socket->abort();
    }
    onDisconnected(id);
}

Server::Conn* Server::conn(int id) {
    auto it = conns_.find(id);
    return it == conns_.end() ? nullptr : it->second.get();
}

const Server::Conn* Server::conn(int id) const {
    auto it = conns_.find(id);
    return it == conns_.end() ? nullptr : it->second.get();
}

QList<Server::Conn*> Server::inArena(const QByteArray& arena) {
    QList<Conn*> list;
    for (auto& [id, c] : conns_) {
        if (c->open && c->inArena && sameName(c->arena, arena)) list.append(c.get());
    }
    return list;
}

QByteArray Server::replyType() const {
    return options_.dialect == Dialect::Client ? "MSG:CMD:" : "MSG:ARENA:";
}

bool Server::isStaff(const QByteArray& name) const {
    if (options_.staff.isEmpty()) return true;
    for (const QByteArray& s : options_.staff) {
        if (sameName(s, name)) return true;
    }
    return false;
}

// ---- connections ----

void Server::onNewConnection() {
    while (tcp_->hasPendingConnections()) {
        QTcpSocket* sock = tcp_->nextPendingConnection();
        const int id = nextId_++;
        auto c = std::make_unique<Conn>(options_.inputLimit, options_.muteMs);
        c->id = id;
        c->socket = sock;
        sock->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        c->outTimer = new QTimer(sock);
        c->outTimer->setSingleShot(true);
        c->noopTimer = new QTimer(sock);
        c->inTimer = new QTimer(sock);
        c->inTimer->setSingleShot(true);
        connect(c->inTimer, &QTimer::timeout, sock, [this, id] { handleNextQueued(id); });
        connect(c->outTimer, &QTimer::timeout, sock, [this, id] { pumpOutput(id); });
        connect(c->noopTimer, &QTimer::timeout, sock, [this, id] {
            if (Conn* cc = conn(id)) queue(*cc, "NOOP\n", true);
        });
        connect(sock, &QTcpSocket::readyRead, sock, [this, id] { onReadyRead(id); });
        connect(sock, &QTcpSocket::bytesWritten, sock, [this, id] { continueFlood(id); });
        connect(
            sock, &QTcpSocket::disconnected, this, [this, id] { onDisconnected(id); },
            Qt::QueuedConnection);
        Conn& ref = *c;
        conns_[id] = std::move(c);
        touch(ref);
        Q_EMIT clientConnected(id);
    }
}

void Server::onDisconnected(int id) {
    Conn* c = conn(id);
    if (!c || !c->open) return;
    c->open = false;
    c->flooding = false;
    c->pending.clear();
    c->unread.clear();
    leaveArena(*c);
    if (c->socket) {
        c->outTimer->stop();
        c->noopTimer->stop();
        c->inTimer->stop();
        c->socket->deleteLater();
    }
    Q_EMIT clientDisconnected(id);
}

void Server::onReadyRead(int id) {
    Conn* c = conn(id);
    if (!c || !c->open || !c->socket) return;
    const QByteArray data = c->socket->readAll();
    c->allIn.append(data);
    const QList<QByteArray> lines = c->splitter.feed(data);
    for (const QByteArray& line : lines) {
        if (!c->open) break;
        c->lines.append(line);
        Q_EMIT lineReceived(id, line);
        if (options_.mode == Mode::Silent || !c->open) continue;
        touch(*c);
        if (options_.readPaceMs > 0) {
            c->unread.push_back(line);
        } else {
            handleLine(*c, line);
        }
    }
    if (c->open && !c->unread.empty() && !c->inTimer->isActive()) handleNextQueued(id);
}

void Server::handleNextQueued(int id) {
    Conn* c = conn(id);
    if (!c || !c->open || c->unread.empty()) return;
    const QByteArray line = c->unread.front();
    c->unread.pop_front();
    c->inTimer->start(options_.readPaceMs);
    handleLine(*c, line);
}

bool Server::waitReceived(int id, const QByteArray& line, int timeoutMs) const {
    return pumpUntil(
        [&] {
            for (const auto& [cid, c] : conns_) {
                if ((id == -1 || id == cid) && c->lines.contains(line)) return true;
            }
            return false;
        },
        timeoutMs);
}

void Server::touch(Conn& c) {
    if (c.open && c.noopTimer && options_.noopMs > 0 && options_.mode != Mode::Silent) {
        c.noopTimer->start(options_.noopMs);
    }
}

// ---- output ----

void Server::queue(Conn& c, const QByteArray& bytes, bool isLine) {
    if (!c.open || !c.socket) return;
    const QByteArray logged = isLine ? bytes.left(bytes.size() - 1) : bytes;
    c.sentLog.append(logged);
    touch(c);
    const bool paced =
        options_.pacing || options_.mode == Mode::Split || options_.mode == Mode::Drip;
    if (!paced) {
        writeNow(c, bytes);
    } else {
        c.pending.push_back(bytes);
        pumpOutput(c.id);
    }
    if (isLine) Q_EMIT lineSent(c.id, logged);
}

void Server::writeNow(Conn& c, const QByteArray& bytes) {
    if (!c.socket) return;
    c.socket->write(bytes);
}

void Server::pumpOutput(int id) {
    Conn* c = conn(id);
    if (!c || !c->open || !c->socket || c->outTimer->isActive() || c->pending.empty()) return;
    QByteArray chunk;
    int delay = options_.paceMs;
    if (options_.mode == Mode::Drip || options_.mode == Mode::Split) {
        int want = 1;
        delay = options_.dripDelayMs;
        if (options_.mode == Mode::Split) {
            want = randomInt(ioRng_, 1, 48);
            delay = randomInt(ioRng_, 0, options_.splitMaxDelayMs);
        }
        while (want > 0 && !c->pending.empty()) {
            QByteArray& front = c->pending.front();
            const int take = int(std::min<qsizetype>(want, front.size()));
            chunk.append(front.left(take));
            front.remove(0, take);
            want -= take;
            if (front.isEmpty()) c->pending.pop_front();
        }
    } else {
        chunk = c->pending.front();
        c->pending.pop_front();
    }
    writeNow(*c, chunk);
    c->socket->flush();  // each chunk in its own packet
    c->outTimer->start(delay);
}

// ---- protocol ----

void Server::handleLine(Conn& c, const QByteArray& line) {
    const auto [type, rest] = cut(line);
    const QByteArray t = type.toUpper();
    if (!c.loggedIn) {
        if (t == "LOGIN") handleLogin(c, rest);
        return;  // nothing else counts before the login
    }
    if (t == "GO") {
        handleGo(c, rest);
    } else if (t == "CHANGEFREQ") {
        handleChangeFreq(c, rest);
    } else if (t == "SEND") {
        handleSend(c, rest);
    }
    // "NOOP", a second "LOGIN", unknown types and garbage are ignored.
}

void Server::handleLogin(Conn& c, const QByteArray& rest) {
    // "1;client name:Name:password": only the number before ';' would matter, and the
    // password may itself hold colons.
    const auto [version, afterVersion] = cut(rest);
    Q_UNUSED(version);
    auto [name, password] = cut(afterVersion);
    if (name.isEmpty()) name = "_";
    const auto refused = options_.refuse.constFind(name.toLower());
    if (refused != options_.refuse.constEnd()) {
        queue(c, "LOGINBAD:" + refused.value() + '\n', true);
        return;
    }
    if (!options_.password.isEmpty() && password != options_.password) {
        queue(c, "LOGINBAD:incorrect password\n", true);
        return;
    }
    // The newer login wins, without a word to the older connection.
    for (auto& [id, other] : conns_) {
        if (other.get() != &c && other->open && other->loggedIn && sameName(other->name, name)) {
            closeClient(id);
        }
    }
    if (bots_.find(name)) {
        bots_.remove(name);
        botSend("LEAVING:" + name);
    }
    c.loggedIn = true;
    c.name = name;
    queue(c, "LOGINOK:" + name + '\n', true);
    Q_EMIT clientLoggedIn(c.id, name);
}

void Server::handleGo(Conn& c, const QByteArray& requested) {
    const QByteArray arena = requested.isEmpty() ? options_.arena : requested;
    leaveArena(c);
    const QList<Conn*> others = inArena(arena);
    c.inArena = true;
    c.arena = arena;
    c.ship = kSpectatorShip;
    c.freq = kSpectatorFreq;
    queue(c, "INARENA:" + arena + ':' + num(c.freq) + '\n', true);
    if (sameName(arena, options_.arena)) {
        for (const Bot& b : bots_.present()) {
            queue(c, "PLAYER:" + b.name + ':' + num(b.ship) + ':' + num(b.freq) + '\n', true);
        }
    }
    for (Conn* o : others) {
        queue(c, "PLAYER:" + o->name + ':' + num(o->ship) + ':' + num(o->freq) + '\n', true);
    }
    for (Conn* o : others) {
        queue(*o, "ENTERING:" + c.name + ':' + num(c.ship) + ':' + num(c.freq) + '\n', true);
    }
    if (options_.demo && sameName(arena, options_.arena)) botGreetLater(c.id);
    afterArenaEntry(c);
}

void Server::leaveArena(Conn& c) {
    if (!c.inArena) return;
    c.inArena = false;
    for (Conn* o : inArena(c.arena))
        queue(*o, "LEAVING:" + c.name + '\n', true);
}

void Server::handleChangeFreq(Conn& c, const QByteArray& value) {
    if (!c.inArena) return;
    const long long freq = leadingNumber(value);
    if (freq < 0 || freq > 9999) {
        queue(c, "MSG:ARENA:That frequency is not used in this arena.\n", true);
        return;
    }
    c.freq = int(freq);
    const QByteArray line = "SHIPFREQCHANGE:" + c.name + ':' + num(c.ship) + ':' + num(freq) + '\n';
    for (Conn* o : inArena(c.arena))
        queue(*o, line, true);
}

void Server::handleSend(Conn& c, const QByteArray& rest) {
    if (options_.maxSendText > 0 && rest.size() > options_.maxSendText) {
        c.dropped.append("SEND:" + rest);
        return;
    }
    if (options_.floodRule) {
        const FloodCount::Verdict verdict = c.flood.take(clock_.elapsed());
        if (verdict != FloodCount::Verdict::Pass) c.dropped.append("SEND:" + rest);
        if (verdict == FloodCount::Verdict::Muted) {
            queue(c,
                  "MSG:ARENA:You have been shut up for " + num(options_.muteMs / 1000) +
                      " seconds for flooding.\n",
                  true);
        }
        if (verdict != FloodCount::Verdict::Pass) return;
    }
    const auto [kindField, body] = cut(rest);
    const QByteArray kind = kindField.toUpper();
    if (kind == "PUB" || kind == "PUBM") {
        if (body.startsWith('?')) {
            handleCommand(c, body.mid(1));
            return;
        }
        if (!c.inArena) return;
        QByteArray type = "PUB";
        if (kind == "PUBM") type = options_.dialect == Dialect::Client ? "PUBMAC" : "PUBM";
        for (Conn* o : inArena(c.arena)) {
            if (o != &c) queue(*o, "MSG:" + type + ':' + c.name + ':' + body + '\n', true);
        }
    } else if (kind == "PRIV") {
        const auto [target, text] = cut(body);
        if (!body.contains(':')) return;
        const int to = findClient(target);
        if (to == c.id) return;
        if (to > 0) {
            queue(*conn(to), "MSG:PRIV:" + c.name + ':' + text + '\n', true);
        } else if (Bot* b = bots_.find(target); b && options_.demo) {
            botReplyLater(b->name, c.id);
        }
    } else if (kind == "FREQ") {
        if (!c.inArena || !body.contains(':')) return;
        const auto [freqField, text] = cut(body);
        const long long freq = leadingNumber(freqField);
        for (Conn* o : inArena(c.arena)) {
            if (o != &c && o->freq == freq) {
                queue(*o, "MSG:FREQ:" + c.name + ':' + text + '\n', true);
            }
        }
    } else if (kind == "CHAT") {
        handleChat(c, body);
    } else if (kind == "MOD") {
        if (!isStaff(c.name)) return;
        for (auto& [id, o] : conns_) {
            if (o.get() != &c && o->open && o->loggedIn && isStaff(o->name)) {
                queue(*o, "MSG:MOD:" + c.name + ':' + body + '\n', true);
            }
        }
    } else if (kind == "CMD") {
        handleCommand(c, body.startsWith('?') ? body.mid(1) : body);
    }
    // "TEAM", "SQUAD" and anything else: ignored, as the real server does.
}

void Server::handleChat(Conn& c, const QByteArray& body) {
    // "2;text" picks the sender's second channel; plain text goes to the first.
    int number = 1;
    QByteArray text = body;
    const qsizetype semi = body.indexOf(';');
    if (semi > 0) {
        bool digits = true;
        for (qsizetype i = 0; i < semi; ++i)
            digits = digits && body[i] >= '0' && body[i] <= '9';
        if (digits && semi <= 3) {
            number = body.left(semi).toInt();
            text = body.mid(semi + 1);
        }
    }
    if (number < 1 || number > c.channels.size()) return;
    const QByteArray channel = c.channels[number - 1];
    for (auto& [id, o] : conns_) {
        if (o.get() == &c || !o->open || !o->loggedIn) continue;
        for (qsizetype k = 0; k < o->channels.size(); ++k) {
            if (sameName(o->channels[k], channel)) {
                queue(*o, "MSG:CHAT:" + num(k + 1) + ':' + c.name + "> " + text + '\n', true);
                break;
            }
        }
    }
}

void Server::handleCommand(Conn& c, const QByteArray& command) {
    const QByteArray reply = replyType();
    qsizetype end = 0;
    while (end < command.size() && command[end] != ' ' && command[end] != '=')
        ++end;
    const QByteArray word = command.left(end).toLower();
    const QByteArray arg = command.mid(end + 1).trimmed();
    auto say = [&](const QByteArray& text) { queue(c, reply + text + '\n', true); };
    if (word == "chat") {
        if (end < command.size() && command[end] == '=') {
            c.channels.clear();
            for (const QByteArray& ch : command.mid(end + 1).split(',')) {
                const QByteArray name = ch.trimmed();
                if (!name.isEmpty() && c.channels.size() < kMaxChannels) c.channels.append(name);
            }
        } else if (c.channels.isEmpty()) {
            say("You are not on any chat channels.");
        } else {
            say("Channels: " + c.channels.join(','));
        }
    } else if (word == "help") {
        say("Commands: ?help ?chat=a,b ?chat ?arena ?find name ?zone ?sheep");
        say(":: This is a simulated zone; nothing here is saved ::");
    } else if (word == "arena") {
        QMap<QByteArray, int> counts;
        counts[options_.arena] = int(bots_.present().size());
        for (auto& [id, o] : conns_) {
            if (o->open && o->inArena) counts[o->arena] += 1;
        }
        QByteArray list;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            list += (list.isEmpty() ? "" : ", ") + it.key() + " (" + num(it.value()) + ')';
        }
        say("Arenas: " + list);
    } else if (word == "find") {
        const int id = findClient(arg);
        if (id > 0) {
            say(conn(id)->name + " is in arena " + conn(id)->arena);
        } else if (const Bot* b = bots_.find(arg)) {
            say(b->name + " is in arena " + options_.arena);
        } else {
            say(arg + " is not online.");
        }
    } else if (word == "zone") {
        say("Zone: zonesim, " + num(playerCount()) + " players");
    } else if (word == "sheep") {
        say("Baa.");
    } else {
        say("Unknown command: ?" + word);
    }
}

void Server::afterArenaEntry(Conn& c) {
    const int id = c.id;
    switch (options_.mode) {
        case Mode::Flood:
            startFlood(id);
            break;
        case Mode::Garbage:
            sendGarbage(c);
            break;
        case Mode::Close:
            queue(c, "MSG:ARENA:This connection will be reset.\n", true);
            queue(c,
                  "MSG:PUB:" + (bots_.present().isEmpty() ? "Host" : bots_.present()[0].name) +
                      ":bye for now\n",
                  true);
            QTimer::singleShot(options_.closeDelayMs, this, [this, id] { abortClient(id); });
            break;
        default:
            break;
    }
}

void Server::startFlood(int id) {
    Conn* c = conn(id);
    if (!c) return;
    c->flooding = true;
    c->floodNext = 0;
    c->floodRng.seed(options_.seed + static_cast<quint32>(id));
    continueFlood(id);
}

void Server::continueFlood(int id) {
    Conn* c = conn(id);
    if (!c || !c->flooding || !c->open || !c->socket) return;
    while (c->floodNext < options_.floodLines && c->socket->bytesToWrite() < kFloodBacklog) {
        ++c->floodNext;
        queue(*c, floodLine(*c) + '\n', true);
    }
    if (c->floodNext >= options_.floodLines) {
        c->flooding = false;
        queue(*c, "MSG:ARENA:Flood of " + num(options_.floodLines) + " lines done.\n", true);
    }
}

// Line number c.floodNext of a flood. Mixed, the kinds come round in a fixed pattern of sixteen
// (mostly public chat, as in a busy arena), each line numbered so that none repeats, every
// twentieth long enough to wrap.
QByteArray Server::floodLine(Conn& c) {
    const int n = c.floodNext;
    const QList<Bot>& present = bots_.present();
    if (!options_.floodMixed)
        return "MSG:PUB:" + (present.isEmpty() ? "Flooder" : present[0].name) + ":flood line " +
               num(n);
    const QByteArray sender = present.isEmpty() ? "Flooder" : present[n % present.size()].name;
    auto text = [&](Bots::Text kind) {
        QByteArray t = Bots::say(kind, c.floodRng) + " #" + num(n);
        if (n % 20 == 0) t += " - and a longer thought that goes on for a while, " + t;
        return t;
    };
    enum Kind { Pub, Team, Priv, Chat, Arena, Squad, Mod, Sysop };
    static constexpr Kind kPattern[16] = {Pub, Team, Pub,   Chat, Pub,  Priv, Pub, Arena,
                                          Pub, Team, Squad, Pub,  Chat, Mod,  Pub, Sysop};
    switch (kPattern[n % 16]) {
        case Pub:
            return "MSG:PUB:" + sender + ':' + text(Bots::Text::Public);
        case Team:
            return "MSG:FREQ:" + sender + ':' + text(Bots::Text::Team);
        case Priv:
            return "MSG:PRIV:" + sender + ':' + text(Bots::Text::Private);
        case Chat:
            return "MSG:CHAT:1:" + sender + "> " + text(Bots::Text::Channel);
        case Arena:
            return "MSG:ARENA:" + text(Bots::Text::Arena);
        case Squad:
            return "MSG:SQUAD:" + Bots::squadName(c.floodRng) + ':' + sender + ':' +
                   text(Bots::Text::Squad);
        case Mod:
            return "MSG:MOD:" + sender + ':' + text(Bots::Text::Moderator);
        case Sysop:
            return Bots::sysopLine(options_.dialect == Dialect::Client, sender, c.floodRng) + " #" +
                   num(n);
    }
    return {};
}

void Server::sendGarbage(Conn& c) {
    const QList<QByteArray> pieces = {
        QByteArray("\x00\x01\x02 binary \xff\xfe\x80\n", 15),
        "THISISNOTATYPE:foo:bar\n",
        "MSG\n",
        "MSG:\n",
        "MSG:PUB\n",
        "MSG:PUB:\n",
        "MSG:PRIV\n",
        "MSG:FREQ:\n",
        "MSG:CHAT:1\n",
        "MSG:CHAT:12345678901234567890:x> y\n",
        "MSG:SQUAD:onlyone\n",
        "MSG:XYZ:1\n",
        "PLAYER\n",
        "PLAYER::::\n",
        "ENTERING:Nobody\n",
        "KILL:a\n",
        "KILL:a:b:99999999999999999999:-1\n",
        "\r\r\n\n\r\n",
        "PLAYER:Bigship:99999:99999999\n",
    };
    for (const QByteArray& p : pieces)
        queue(c, p, false);
    QByteArray noise;
    for (int i = 0; i < 512; ++i)
        noise.append(char(randomInt(ioRng_, 0, 255)));
    queue(c, noise + '\n', false);
    queue(c, QByteArray(options_.garbageLongBytes, 'x'), false);
    queue(c, "\n", false);
    queue(c, "MSG:ARENA:Garbage done.\n", true);
}

// ---- ping ----

void Server::onPing() {
    while (udp_->hasPendingDatagrams()) {
        const QNetworkDatagram d = udp_->receiveDatagram();
        if (d.data().size() != 4 || options_.pingSilent) continue;
        const quint32 count = quint32(options_.pingCount >= 0 ? options_.pingCount : playerCount());
        QByteArray reply;
        for (int i = 0; i < 4; ++i)
            reply.append(char((count >> (8 * i)) & 0xff));
        reply.append(d.data());
        const QHostAddress to = d.senderAddress();
        const quint16 toPort = quint16(d.senderPort());
        if (options_.pingDelayMs > 0) {
            QTimer::singleShot(options_.pingDelayMs, this, [this, reply, to, toPort] {
                if (udp_) udp_->writeDatagram(reply, to, toPort);
            });
        } else {
            udp_->writeDatagram(reply, to, toPort);
        }
    }
}

// ---- bots ----

QList<QByteArray> Server::botNames() const {
    QList<QByteArray> names;
    for (const Bot& b : bots_.present())
        names.append(b.name);
    return names;
}

void Server::scheduleBot() {
    if (!options_.demo || !botTimer_) return;
    botTimer_->start(randomInt(botRng_, options_.demoMinMs, options_.demoMaxMs));
}

void Server::botSend(const QByteArray& line) {
    for (Conn* c : inArena(options_.arena))
        botSendTo(*c, line);
}

void Server::botSendTo(Conn& c, const QByteArray& line) {
    if (options_.mode == Mode::Silent) return;
    queue(c, line + '\n', true);
}

void Server::botReplyLater(const QByteArray& bot, int toId) {
    const QByteArray text = Bots::say(Bots::Text::Reply, botRng_);
    QTimer::singleShot(randomInt(botRng_, 800, 2000), this, [this, bot, toId, text] {
        Conn* c = conn(toId);
        if (c && c->open && bots_.find(bot)) botSendTo(*c, "MSG:PRIV:" + bot + ':' + text);
    });
}

void Server::botGreetLater(int toId) {
    if (bots_.present().isEmpty()) return;
    const QByteArray bot =
        bots_.present()[randomInt(botRng_, 0, int(bots_.present().size()) - 1)].name;
    QTimer::singleShot(randomInt(botRng_, 1000, 2500), this, [this, bot, toId] {
        Conn* c = conn(toId);
        if (c && c->open && c->inArena && bots_.find(bot)) {
            botSend("MSG:PUB:" + bot + ":welcome, " + c->name + "!");
        }
    });
}

void Server::botStep() {
    enum Action {
        Pub,
        Macro,
        Priv,
        Team,
        Chat,
        Mod,
        Sysop,
        Arena,
        Squad,
        Cmd,
        Enter,
        Leave,
        Ship,
        Kill
    };
    static constexpr std::pair<Action, int> kWeights[] = {
        {Pub, 26},  {Macro, 4}, {Priv, 6}, {Team, 6},  {Chat, 8},  {Mod, 3},  {Sysop, 2},
        {Arena, 5}, {Squad, 3}, {Cmd, 2},  {Enter, 5}, {Leave, 5}, {Ship, 8}, {Kill, 17},
    };
    int total = 0;
    for (const auto& w : kWeights)
        total += w.second;
    int roll = randomInt(botRng_, 0, total - 1);
    Action action = Pub;
    for (const auto& w : kWeights) {
        if (roll < w.second) {
            action = w.first;
            break;
        }
        roll -= w.second;
    }

    QList<Conn*> clients;
    for (auto& [id, c] : conns_) {
        if (c->open && c->loggedIn) clients.append(c.get());
    }
    QList<Conn*> here = inArena(options_.arena);
    QList<Conn*> onChannels;
    for (Conn* c : clients) {
        if (!c->channels.isEmpty()) onChannels.append(c);
    }
    const int present = int(bots_.present().size());
    const int want = options_.bots;
    if (present == 0) action = Enter;
    if (action == Enter && present >= want + 3) action = Leave;
    if (action == Leave && present <= std::max(1, want / 2)) action = Pub;
    if ((action == Priv || action == Squad) && clients.isEmpty()) action = Pub;
    if (action == Team && here.isEmpty()) action = Pub;
    if (action == Chat && onChannels.isEmpty()) action = Pub;
    if (action == Cmd && (options_.dialect != Dialect::Client || clients.isEmpty())) action = Arena;

    if (action == Enter) {
        if (const Bot* b = bots_.enterNew(botRng_)) {
            botSend("ENTERING:" + b->name + ':' + num(b->ship) + ':' + num(b->freq));
        }
        return;
    }
    if (bots_.present().isEmpty()) return;
    const Bot bot = bots_.present()[randomInt(botRng_, 0, present - 1)];
    auto anyOf = [this](const QList<Conn*>& list) {
        return list[randomInt(botRng_, 0, int(list.size()) - 1)];
    };
    switch (action) {
        case Pub:
            botSend("MSG:PUB:" + bot.name + ':' + Bots::say(Bots::Text::Public, botRng_));
            break;
        case Macro:
            botSend("MSG:" + QByteArray(options_.dialect == Dialect::Client ? "PUBMAC" : "PUBM") +
                    ':' + bot.name + ':' + Bots::say(Bots::Text::Macro, botRng_));
            break;
        case Priv:
            botSendTo(*anyOf(clients),
                      "MSG:PRIV:" + bot.name + ':' + Bots::say(Bots::Text::Private, botRng_));
            break;
        case Team: {
            // A team-to-team line to the frequency of one of the clients.
            const int freq = anyOf(here)->freq;
            const QByteArray line =
                "MSG:FREQ:" + bot.name + ':' + Bots::say(Bots::Text::Team, botRng_);
            for (Conn* c : here) {
                if (c->freq == freq) botSendTo(*c, line);
            }
            break;
        }
        case Chat: {
            Conn* pick = anyOf(onChannels);
            const QByteArray channel =
                pick->channels[randomInt(botRng_, 0, int(pick->channels.size()) - 1)];
            const QByteArray text = Bots::say(Bots::Text::Channel, botRng_);
            for (Conn* c : onChannels) {
                for (qsizetype k = 0; k < c->channels.size(); ++k) {
                    if (sameName(c->channels[k], channel)) {
                        botSendTo(*c, "MSG:CHAT:" + num(k + 1) + ':' + bot.name + "> " + text);
                        break;
                    }
                }
            }
            break;
        }
        case Mod: {
            QByteArray line =
                "MSG:MOD:" + bot.name + ':' + Bots::say(Bots::Text::Moderator, botRng_);
            if (options_.dialect == Dialect::Client && randomInt(botRng_, 0, 2) == 0) {
                line = "MSG:MOD:cheater {" + bot.name + "} speed hack";
            }
            for (Conn* c : clients) {
                if (isStaff(c->name)) botSendTo(*c, line);
            }
            break;
        }
        case Sysop: {
            const QByteArray line =
                Bots::sysopLine(options_.dialect == Dialect::Client, bot.name, botRng_);
            for (Conn* c : clients)
                botSendTo(*c, line);
            break;
        }
        case Arena:
            botSend("MSG:ARENA:" + Bots::say(Bots::Text::Arena, botRng_));
            break;
        case Squad: {
            const QByteArray squad = bot.squad.isEmpty() ? Bots::squadName(botRng_) : bot.squad;
            botSendTo(*anyOf(clients), "MSG:SQUAD:" + squad + ':' + bot.name + ':' +
                                           Bots::say(Bots::Text::Squad, botRng_));
            break;
        }
        case Cmd:
            botSendTo(*anyOf(clients), "MSG:CMD:" + Bots::say(Bots::Text::Arena, botRng_));
            break;
        case Leave:
            bots_.remove(bot.name);
            botSend("LEAVING:" + bot.name);
            break;
        case Ship: {
            Bot* b = bots_.find(bot.name);
            const Bot before = *b;
            for (int i = 0; i < 5 && b->ship == before.ship && b->freq == before.freq; ++i) {
                bots_.randomiseShip(*b, botRng_);
            }
            botSend("SHIPFREQCHANGE:" + b->name + ':' + num(b->ship) + ':' + num(b->freq));
            break;
        }
        case Kill: {
            QList<Bot> playing;
            for (const Bot& b : bots_.present()) {
                if (b.ship != kSpectatorShip) playing.append(b);
            }
            if (playing.size() < 2) {
                Bot* b = bots_.find(bot.name);
                b->ship = randomInt(botRng_, 0, 7);
                b->freq = randomInt(botRng_, 0, 1);
                botSend("SHIPFREQCHANGE:" + b->name + ':' + num(b->ship) + ':' + num(b->freq));
                break;
            }
            const int k = randomInt(botRng_, 0, int(playing.size()) - 1);
            int v = randomInt(botRng_, 0, int(playing.size()) - 2);
            if (v >= k) ++v;
            const int bounty = randomInt(botRng_, 0, 500);
            const int flags = randomInt(botRng_, 0, 9) < 7 ? 0 : randomInt(botRng_, 1, 5);
            botSend("KILL:" + playing[k].name + ':' + playing[v].name + ':' + num(bounty) + ':' +
                    num(flags));
            break;
        }
        case Enter:
            break;
    }
}

// ---- test support ----

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer tick;
    QElapsedTimer elapsed;
    elapsed.start();
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || elapsed.hasExpired(timeoutMs)) loop.quit();
    });
    tick.start(2);
    loop.exec();
    return done();
}

}  // namespace zonesim
