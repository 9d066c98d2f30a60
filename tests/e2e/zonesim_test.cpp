// The zone simulator against plain sockets: login, arena, relays, keep-alive, ping, fault modes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTcpSocket>
#include <QUdpSocket>
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "flood_count.h"
#include "zonesim.h"

namespace {

using zonesim::Dialect;
using zonesim::Mode;
using zonesim::Options;
using zonesim::pumpUntil;
using zonesim::Server;

constexpr int kWait = 5000;
const QByteArray kVersion = ";ORVA 1.2, by Ostrelle";

// A bare protocol peer: keeps every byte it receives and cuts them at LF.
class Peer {
  public:
    explicit Peer(quint16 port) {
        QObject::connect(&sock_, &QTcpSocket::readyRead, [this] { bytes_ += sock_.readAll(); });
        sock_.connectToHost(QHostAddress::LocalHost, port);
        connected_ = sock_.waitForConnected(kWait);
    }
    bool connected() const { return connected_; }
    bool open() const { return sock_.state() == QAbstractSocket::ConnectedState; }
    void send(const QByteArray& bytes) {
        sock_.write(bytes);
        sock_.flush();
    }
    QList<QByteArray> lines() const {
        QList<QByteArray> all = bytes_.split('\n');
        all.removeLast();  // the part after the last LF
        return all;
    }
    const QByteArray& bytes() const { return bytes_; }
    // Lines from index `from` on; handy to look only at what came after a step.
    QList<QByteArray> since(qsizetype from) const { return lines().mid(from); }
    bool waitFor(const QByteArray& line) {
        return pumpUntil([&] { return lines().contains(line); }, kWait);
    }
    bool waitClosed() {
        return pumpUntil([&] { return !open(); }, kWait);
    }
    void login(const QByteArray& name) {
        send("LOGIN:1" + kVersion + ':' + name + ":secret\n");
        ASSERT_TRUE(waitFor("LOGINOK:" + name));
    }
    void enter(const QByteArray& name) {
        login(name);
        send("GO:\n");
        ASSERT_TRUE(waitFor("INARENA:0:8025"));
    }

  private:
    QTcpSocket sock_;
    QByteArray bytes_;
    bool connected_ = false;
};

std::unique_ptr<Server> startServer(Options o = {}) {
    o.port = 0;
    auto s = std::make_unique<Server>(o);
    EXPECT_TRUE(s->start()) << s->errorString().toStdString();
    return s;
}

TEST(ZonesimLineSplitter, CutsLikeTheServer) {
    struct Case {
        const char* what;
        int limit;
        QList<QByteArray> chunks;
        QList<QByteArray> lines;
        QByteArray pending;
    };
    const Case cases[] = {
        {"every line end and runs of them",
         0,
         {"a\nb\r\nc\rd\r\r\n\ne\n"},
         {"a", "b", "c", "d", "e"},
         ""},
        {"line cut across reads", 0, {"LOG", "IN:1", "\r", "\nGO:\n"}, {"LOGIN:1", "GO:"}, ""},
        {"partial line stays pending", 0, {"a\nbc"}, {"a"}, "bc"},
        {"only line ends", 0, {"\r\n\r\n\n"}, {}, ""},
        {"overflow drops the first part", 4, {"abcdef\n"}, {"ef"}, ""},
        {"overflow without a line end", 4, {"abcdefghij"}, {}, "ij"},
        {"a line just under the limit", 4, {"abc\n"}, {"abc"}, ""},
        {"binary bytes kept",
         0,
         {QByteArray("\x00\xff\x80\n", 4)},
         {QByteArray("\x00\xff\x80", 3)},
         ""},
    };
    for (const Case& c : cases) {
        zonesim::LineSplitter s(c.limit);
        QList<QByteArray> got;
        for (const QByteArray& chunk : c.chunks)
            got += s.feed(chunk);
        EXPECT_EQ(got, c.lines) << c.what;
        EXPECT_EQ(s.pending(), c.pending) << c.what;
    }
}

TEST(ZonesimLineSplitter, LeadingNumber) {
    const std::pair<QByteArray, long long> cases[] = {
        {"1", 1}, {"7x", 7}, {"abc", 0}, {"", 0}, {"-3", -3}, {" 42", 42}, {"8025:x", 8025},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(zonesim::leadingNumber(text), value) << text.data();
}

TEST(ZonesimLogin, RepliesAndKeepsTheConnection) {
    struct Case {
        const char* what;
        QByteArray line;
        QByteArray reply;
    };
    const Case cases[] = {
        {"accepted", "LOGIN:1" + kVersion + ":Ann:pw\n", "LOGINOK:Ann"},
        {"type in lower case, CRLF", "login:1;x:Cy:pw\r\n", "LOGINOK:Cy"},
        {"empty name", "LOGIN:1;x::pw\n", "LOGINOK:_"},
        {"refused in any case", "LOGIN:1;x:BOB:pw\n", "LOGINBAD:banned for today"},
        {"password with colons", "LOGIN:1;x:Dee:pw:with:colons\n", "LOGINOK:Dee"},
    };
    Options o;
    o.refuse.insert("bob", "banned for today");
    auto server = startServer(o);
    for (const Case& c : cases) {
        Peer p(server->port());
        ASSERT_TRUE(p.connected());
        p.send(c.line);
        ASSERT_TRUE(p.waitFor(c.reply)) << c.what;
        // The connection stays open, also after a refusal, and nothing more comes before GO.
        pumpUntil([] { return false; }, 100);
        EXPECT_TRUE(p.open()) << c.what;
        EXPECT_EQ(p.bytes(), c.reply + '\n') << c.what;
    }
    // The login line is kept exactly as it came.
    ASSERT_FALSE(server->connections().isEmpty());
    EXPECT_EQ(server->receivedBytes(server->connections().first()), cases[0].line);
}

TEST(ZonesimLogin, WrongPasswordAndNothingBeforeLogin) {
    Options o;
    o.password = "right";
    auto server = startServer(o);
    Peer p(server->port());
    p.send("GO:\nSEND:PUB:hi\nLOGIN:1;x:Ann:wrong\n");
    ASSERT_TRUE(p.waitFor("LOGINBAD:incorrect password"));
    p.send("LOGIN:1;x:Ann:right\n");
    ASSERT_TRUE(p.waitFor("LOGINOK:Ann"));
    EXPECT_EQ(p.lines(), (QList<QByteArray>{"LOGINBAD:incorrect password", "LOGINOK:Ann"}));
}

TEST(ZonesimArena, EntryListsEveryoneElseInOrder) {
    Options o;
    o.bots = 4;
    auto server = startServer(o);
    Peer a(server->port());
    a.enter("Ann");
    const QList<QByteArray> bots = server->botNames();
    ASSERT_EQ(bots.size(), 4);
    Peer b(server->port());
    b.login("Bob");
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(b.lines(), QList<QByteArray>{"LOGINOK:Bob"});  // silent until GO
    EXPECT_FALSE(a.lines().contains("ENTERING:Bob:8:8025"));
    b.send("GO:\n");
    ASSERT_TRUE(a.waitFor("ENTERING:Bob:8:8025"));
    ASSERT_TRUE(b.waitFor("PLAYER:Ann:8:8025"));
    const QList<QByteArray> got = b.lines();
    ASSERT_EQ(got.size(), 7);
    EXPECT_EQ(got[1], "INARENA:0:8025");
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(got[2 + i].startsWith("PLAYER:" + bots[i] + ':'));
    EXPECT_EQ(got[6], "PLAYER:Ann:8:8025");  // and never one for Bob himself

    // Moving to another arena and leaving the zone both say LEAVING.
    b.send("GO:duel\n");
    ASSERT_TRUE(a.waitFor("LEAVING:Bob"));
    ASSERT_TRUE(b.waitFor("INARENA:duel:8025"));
    Peer c(server->port());
    c.login("Cy");
    c.send("GO:duel\n");
    ASSERT_TRUE(b.waitFor("ENTERING:Cy:8:8025"));
    ASSERT_TRUE(c.waitFor("PLAYER:Bob:8:8025"));
    EXPECT_EQ(c.lines().size(), 3);  // no bots outside the public arena
    const qsizetype before = a.lines().size();
    server->abortClient(server->findClient("cy"));
    ASSERT_TRUE(b.waitFor("LEAVING:Cy"));
    EXPECT_EQ(a.lines().size(), before);  // other arenas hear nothing
}

TEST(ZonesimArena, SameNameLoginClosesTheOlderConnection) {
    auto server = startServer();
    Peer watcher(server->port());
    watcher.enter("Wat");
    Peer first(server->port());
    first.enter("Ann");
    ASSERT_TRUE(watcher.waitFor("ENTERING:Ann:8:8025"));
    Peer second(server->port());
    second.login("ANN");
    ASSERT_TRUE(first.waitClosed());
    ASSERT_TRUE(watcher.waitFor("LEAVING:Ann"));
    EXPECT_EQ(first.lines().last(), "PLAYER:Wat:8:8025");  // closed without a message
    EXPECT_TRUE(second.open());
    EXPECT_EQ(server->clientName(server->findClient("ann")), "ANN");
}

TEST(ZonesimRelay, DeliversEachKindOnceAndNeverEchoes) {
    struct Case {
        QByteArray sent;
        QList<QByteArray> bobGets;
    };
    const Case cases[] = {
        {"SEND:PUB:hello:with:colons", {"MSG:PUB:Ann:hello:with:colons"}},
        {"send:pub:lower case", {"MSG:PUB:Ann:lower case"}},
        {"SEND:PUBM:a macro", {"MSG:PUBM:Ann:a macro"}},
        {"SEND:PRIV:bob:psst: hi", {"MSG:PRIV:Ann:psst: hi"}},
        {"SEND:PRIV:Nobody:lost", {}},
        {"SEND:PRIV:Ann:to myself", {}},
        {"SEND:FREQ:8025:team", {"MSG:FREQ:Ann:team"}},
        {"SEND:FREQ:1:other team", {}},
        {"SEND:CHAT:hi", {"MSG:CHAT:2:Ann> hi"}},  // Ann's first channel is Bob's second
        {"SEND:CHAT:1;one", {"MSG:CHAT:2:Ann> one"}},
        {"SEND:CHAT:2;two", {}},  // Ann has no second channel
        {"SEND:MOD:careful", {"MSG:MOD:Ann:careful"}},
        {"SEND:TEAM:Bob:ignored", {}},
        {"SEND:SQUAD:ignored", {}},
        {"SEND:PUB:?zone", {}},  // a command, answered to Ann only
        {"NOOP", {}},
        {"SEND:PUB:" + QByteArray(496, 'x'), {"MSG:PUB:Ann:" + QByteArray(496, 'x')}},
        {"SEND:PUB:" + QByteArray(497, 'x'), {}},  // more than 500 after "SEND:"
        {"XYZZY:" + QByteArray("\x01\xff", 2), {}},
    };
    auto server = startServer();
    Peer ann(server->port());
    ann.enter("Ann");
    Peer bob(server->port());
    bob.enter("Bob");
    ann.send("SEND:PUB:?chat=lounge\n");
    bob.send("SEND:PUB:?chat=news,LOUNGE\n");
    ASSERT_TRUE(ann.waitFor("ENTERING:Bob:8:8025"));
    // Bob's channels are set once his next command has been answered.
    bob.send("SEND:PUB:?chat\n");
    ASSERT_TRUE(bob.waitFor("MSG:ARENA:Channels: news,LOUNGE"));
    const qsizetype annBefore = ann.lines().size();
    int marker = 0;
    for (const Case& c : cases) {
        const qsizetype bobBefore = bob.lines().size();
        // A private line after each case shows when everything before it has arrived.
        const QByteArray mark = "MSG:PRIV:Ann:mark " + QByteArray::number(++marker);
        ann.send(c.sent + "\nSEND:PRIV:Bob:mark " + QByteArray::number(marker) + '\n');
        ASSERT_TRUE(bob.waitFor(mark)) << c.sent.left(40).data();
        QList<QByteArray> got = bob.since(bobBefore);
        got.removeLast();
        EXPECT_EQ(got, c.bobGets) << c.sent.left(40).data();
    }
    const QList<QByteArray> annGot = ann.since(annBefore);
    EXPECT_EQ(annGot, QList<QByteArray>{"MSG:ARENA:Zone: zonesim, 2 players"});
}

TEST(ZonesimRelay, ClientDialectSpellings) {
    Options o;
    o.dialect = Dialect::Client;
    auto server = startServer(o);
    Peer ann(server->port());
    ann.enter("Ann");
    Peer bob(server->port());
    bob.enter("Bob");
    ann.send("SEND:PUBM:macro\nSEND:CMD:?sheep\n");
    ASSERT_TRUE(bob.waitFor("MSG:PUBMAC:Ann:macro"));
    ASSERT_TRUE(ann.waitFor("MSG:CMD:Baa."));
}

TEST(ZonesimArena, ChangeFreq) {
    struct Case {
        QByteArray sent;
        QByteArray everyone;  // to both, the sender included; empty: nothing
        QByteArray senderOnly;
    };
    const Case cases[] = {
        {"CHANGEFREQ:1", "SHIPFREQCHANGE:Ann:8:1", ""},
        {"changefreq:7x", "SHIPFREQCHANGE:Ann:8:7", ""},
        {"CHANGEFREQ:abc", "SHIPFREQCHANGE:Ann:8:0", ""},
        {"CHANGEFREQ:10000", "", "MSG:ARENA:That frequency is not used in this arena."},
    };
    auto server = startServer();
    Peer ann(server->port());
    ann.enter("Ann");
    Peer bob(server->port());
    bob.enter("Bob");
    ASSERT_TRUE(ann.waitFor("ENTERING:Bob:8:8025"));
    int n = 0;
    for (const Case& c : cases) {
        const qsizetype a0 = ann.lines().size(), b0 = bob.lines().size();
        const QByteArray mark = "MSG:PRIV:Ann:" + QByteArray::number(++n);
        ann.send(c.sent + "\nSEND:PRIV:Bob:" + QByteArray::number(n) + '\n');
        ASSERT_TRUE(bob.waitFor(mark));
        QList<QByteArray> bobGot = bob.since(b0);
        bobGot.removeLast();
        EXPECT_EQ(bobGot, c.everyone.isEmpty() ? QList<QByteArray>{} : QList{c.everyone})
            << c.sent.data();
        const QByteArray annWants = c.everyone.isEmpty() ? c.senderOnly : c.everyone;
        ASSERT_TRUE(ann.waitFor(annWants)) << c.sent.data();
        EXPECT_EQ(ann.since(a0), QList{annWants}) << c.sent.data();
    }
    EXPECT_EQ(server->clientFreq(server->findClient("Ann")), 0);
}

TEST(ZonesimKeepAlive, NoopAfterSilenceOnlyWhenEnabled) {
    Options o;
    o.noopMs = 150;
    auto server = startServer(o);
    Peer p(server->port());
    p.login("Ann");
    ASSERT_TRUE(pumpUntil([&] { return p.lines().count("NOOP") >= 2; }, kWait));
    EXPECT_EQ(p.lines().first(), "LOGINOK:Ann");

    o.noopMs = 0;
    auto quiet = startServer(o);
    Peer q(quiet->port());
    q.login("Bob");
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(q.lines(), QList<QByteArray>{"LOGINOK:Bob"});
}

TEST(ZonesimPing, ReplyCarriesCountAndRequest) {
    struct Case {
        const char* what;
        int bots;
        int pingCount;
        QByteArray request;
        QByteArray reply;  // empty: no reply expected
    };
    const Case cases[] = {
        {"bots and one client", 2, -1, QByteArray::fromHex("deadbeef"),
         QByteArray::fromHex("03000000deadbeef")},
        {"fixed large count", 0, 123456, QByteArray::fromHex("01020304"),
         QByteArray::fromHex("40e2010001020304")},
        {"three bytes are no request", 0, -1, QByteArray::fromHex("010203"), {}},
        {"five bytes are no request", 0, -1, QByteArray::fromHex("0102030405"), {}},
    };
    for (const Case& c : cases) {
        Options o;
        o.bots = c.bots;
        o.pingCount = c.pingCount;
        auto server = startServer(o);
        Peer p(server->port());
        p.login("Ann");
        QUdpSocket udp;
        ASSERT_TRUE(udp.bind(QHostAddress::LocalHost, 0));
        QList<QByteArray> replies;
        QObject::connect(&udp, &QUdpSocket::readyRead, [&] {
            while (udp.hasPendingDatagrams())
                replies.append(udp.receiveDatagram().data());
        });
        udp.writeDatagram(c.request, QHostAddress::LocalHost, server->pingPort());
        // A proper request after it: its reply shows that the first one has been handled.
        const QByteArray probe = QByteArray::fromHex("aabbccdd");
        udp.writeDatagram(probe, QHostAddress::LocalHost, server->pingPort());
        ASSERT_TRUE(
            pumpUntil([&] { return !replies.isEmpty() && replies.last().endsWith(probe); }, kWait))
            << c.what;
        replies.removeLast();
        EXPECT_EQ(replies, c.reply.isEmpty() ? QList<QByteArray>{} : QList{c.reply}) << c.what;
    }
}

// The lines one peer gets for a login, arena entry and some injected lines.
QList<QByteArray> sessionLines(Options o) {
    o.bots = 6;
    o.seed = 7;
    auto server = startServer(o);
    Peer p(server->port());
    p.enter("Ann");
    const int id = server->findClient("Ann");
    server->sendLine(id, "MSG:PUB:Mira:text with \xe9 and : colons");
    server->sendRaw(id, "MSG:ARENA:raw\nMSG:ARENA:last\n");
    EXPECT_TRUE(p.waitFor("MSG:ARENA:last"));
    EXPECT_FALSE(p.bytes().contains('\r'));
    return p.lines();
}

TEST(ZonesimModes, SplitDripAndPacingDeliverTheSameLines) {
    const QList<QByteArray> reference = sessionLines({});
    ASSERT_EQ(reference.size(), 11);
    struct Case {
        const char* what;
        Mode mode;
        bool pacing;
    };
    const Case cases[] = {
        {"split", Mode::Split, false}, {"drip", Mode::Drip, false}, {"paced", Mode::Normal, true}};
    for (const Case& c : cases) {
        Options o;
        o.mode = c.mode;
        o.pacing = c.pacing;
        o.paceMs = 5;
        EXPECT_EQ(sessionLines(o), reference) << c.what;
    }
}

TEST(ZonesimModes, PacedReadingKeepsOrder) {
    Options o;
    o.readPaceMs = 10;
    auto server = startServer(o);
    Peer ann(server->port());
    ann.enter("Ann");
    Peer bob(server->port());
    bob.enter("Bob");
    ann.send("SEND:PUB:1\r\nSEND:PUB:2\rSEND:PUB:3\n\nSEND:PUB:4\n");
    ASSERT_TRUE(bob.waitFor("MSG:PUB:Ann:4"));
    EXPECT_EQ(
        bob.lines().mid(bob.lines().size() - 4),
        (QList<QByteArray>{"MSG:PUB:Ann:1", "MSG:PUB:Ann:2", "MSG:PUB:Ann:3", "MSG:PUB:Ann:4"}));
    EXPECT_TRUE(server->waitReceived(-1, "SEND:PUB:3", 0));
}

TEST(ZonesimModes, FloodGarbageCloseSilent) {
    {
        Options o;
        o.mode = Mode::Flood;
        o.floodLines = 3000;
        auto server = startServer(o);
        Peer p(server->port());
        p.enter("Ann");
        ASSERT_TRUE(p.waitFor("MSG:ARENA:Flood of 3000 lines done."));
        const QList<QByteArray> got = p.lines();
        ASSERT_EQ(got.size(), 2 + 3000 + 1);
        for (int i = 1; i <= 3000; ++i) {
            ASSERT_EQ(got[1 + i], "MSG:PUB:Flooder:flood line " + QByteArray::number(i));
        }
    }
    {
        Options o;
        o.mode = Mode::Flood;
        o.floodMixed = true;
        o.floodLines = 160;
        o.bots = 3;
        auto server = startServer(o);
        Peer p(server->port());
        p.enter("Ann");
        ASSERT_TRUE(p.waitFor("MSG:ARENA:Flood of 160 lines done."));
        QList<QByteArray> flood;
        for (const QByteArray& line : p.lines())
            if (line.startsWith("MSG:") && !line.endsWith(" done.")) flood.append(line);
        ASSERT_EQ(flood.size(), 160);
        std::set<QByteArray> kinds;
        for (int i = 0; i < 160; ++i) {
            EXPECT_TRUE(flood[i].endsWith(" #" + QByteArray::number(i + 1))) << flood[i].data();
            kinds.insert(flood[i].split(':')[1]);
        }
        EXPECT_EQ(kinds, (std::set<QByteArray>{"ARENA", "CHAT", "FREQ", "MOD", "PRIV", "PUB",
                                               "SQUAD", "SYSOP"}));
    }
    {
        Options o;
        o.mode = Mode::Garbage;
        auto server = startServer(o);
        Peer p(server->port());
        p.enter("Ann");
        ASSERT_TRUE(p.waitFor("MSG:ARENA:Garbage done."));
        EXPECT_TRUE(p.bytes().contains(QByteArray(o.garbageLongBytes, 'x') + '\n'));
        EXPECT_TRUE(p.bytes().contains('\0'));
        p.send("SEND:PUB:?sheep\n");  // still served afterwards
        EXPECT_TRUE(p.waitFor("MSG:ARENA:Baa."));
    }
    {
        Options o;
        o.mode = Mode::Close;
        o.closeDelayMs = 50;
        auto server = startServer(o);
        Peer p(server->port());
        p.enter("Ann");
        EXPECT_TRUE(p.waitClosed());
        EXPECT_FALSE(server->isOpen(1));
    }
    {
        Options o;
        o.mode = Mode::Silent;
        o.noopMs = 50;
        auto server = startServer(o);
        Peer p(server->port());
        p.send("LOGIN:1;x:Ann:pw\n");
        ASSERT_TRUE(pumpUntil([&] { return !server->received(1).isEmpty(); }, kWait));
        pumpUntil([] { return false; }, 200);
        EXPECT_TRUE(p.bytes().isEmpty());
        EXPECT_EQ(server->received(1), QList<QByteArray>{"LOGIN:1;x:Ann:pw"});
    }
}

// Lines are sent at the given times (ms) and taken one per 200 ms, as the real server reads;
// P passes, M mutes, D is dropped while muted.
TEST(ZonesimFloodRule, CountsAsTheRealServer) {
    auto times = [](std::initializer_list<std::pair<int, qint64>> runs) {
        std::vector<qint64> t;
        for (const auto& [n, at] : runs)
            t.insert(t.end(), std::size_t(n), at);
        return t;
    };
    auto every = [](int n, qint64 gap) {
        std::vector<qint64> t;
        for (int i = 0; i < n; ++i)
            t.push_back(i * gap);
        return t;
    };
    struct Case {
        const char* what;
        std::vector<qint64> sent;
        const char* verdicts;
    } cases[] = {
        {"8 at once", times({{8, 0}}), "PPPPPPPP"},
        {"10 at once", times({{10, 0}}), "PPPPPPPPPM"},
        {"one every 0.7 s", every(11, 700), "PPPPPPPPPMD"},
        {"one every 1.1 s", every(30, 1100), "PPPPPPPPPPPPPPPPPPPPPPPPPPPPPP"},
        {"8, then 3 a second later", times({{8, 0}, {3, 1000}}), "PPPPPPPPPMD"},
        {"8, then 3 two seconds later", times({{8, 0}, {3, 2000}}), "PPPPPPPPPMD"},
        {"8, then 3 three seconds later", times({{8, 0}, {3, 3000}}), "PPPPPPPPPPP"},
        {"flooding while muted adds 60 s", times({{10, 0}, {5, 2000}, {1, 121700}, {1, 122000}}),
         "PPPPPPPPPMDDDDDDP"},
    };
    for (const Case& c : cases) {
        zonesim::FloodCount count;
        std::string got;
        qint64 taken = -200;
        for (const qint64 at : c.sent) {
            taken = std::max(at, taken + 200);
            switch (count.take(taken)) {
                case zonesim::FloodCount::Verdict::Pass:
                    got += 'P';
                    break;
                case zonesim::FloodCount::Verdict::Muted:
                    got += 'M';
                    break;
                case zonesim::FloodCount::Verdict::Dropped:
                    got += 'D';
                    break;
            }
        }
        EXPECT_EQ(got, c.verdicts) << c.what;
    }
}

TEST(ZonesimFloodRule, TenQuickLinesMuteTheSender) {
    Options o;
    o.floodRule = true;
    auto server = startServer(o);
    Peer ann(server->port());
    ann.enter("Ann");
    Peer bob(server->port());
    bob.enter("Bob");
    // 500 characters after "SEND:" pass, 501 are dropped without a word.
    bob.send("SEND:PUB:" + QByteArray(497, 'y') + "\nSEND:PUB:" + QByteArray(496, 'x') + '\n');
    ASSERT_TRUE(ann.waitFor("MSG:PUB:Bob:" + QByteArray(496, 'x')));
    EXPECT_EQ(server->dropped(server->findClient("Bob")),
              QList<QByteArray>{"SEND:PUB:" + QByteArray(497, 'y')});
    EXPECT_FALSE(ann.lines().contains("MSG:PUB:Bob:" + QByteArray(497, 'y')));
    const int id = server->findClient("Ann");
    QByteArray burst;
    for (int i = 1; i <= 11; ++i)
        burst += "SEND:PUB:line " + QByteArray::number(i) + '\n';
    ann.send(burst);
    ASSERT_TRUE(ann.waitFor("MSG:ARENA:You have been shut up for 60 seconds for flooding."));
    ASSERT_TRUE(bob.waitFor("MSG:PUB:Ann:line 9"));
    // Muted senders still change frequency; its echo shows the burst has been read.
    ann.send("CHANGEFREQ:5\n");
    ASSERT_TRUE(bob.waitFor("SHIPFREQCHANGE:Ann:8:5"));
    EXPECT_FALSE(bob.lines().contains("MSG:PUB:Ann:line 10"));
    EXPECT_FALSE(bob.lines().contains("MSG:PUB:Ann:line 11"));
    EXPECT_EQ(server->mutes(id), 1);
    EXPECT_TRUE(server->isMuted(id));
    EXPECT_EQ(server->dropped(id), (QList<QByteArray>{"SEND:PUB:line 10", "SEND:PUB:line 11"}));
}

TEST(ZonesimBots, RepeatableScheduleSpeakingEveryKind) {
    auto run = [](quint32 seed) {
        Options o;
        o.bots = 8;
        o.seed = seed;
        auto server = startServer(o);
        Peer p(server->port());
        p.enter("Ann");
        p.send("SEND:PUB:?chat=a,b\nSEND:PUB:?chat\n");
        EXPECT_TRUE(p.waitFor("MSG:ARENA:Channels: a,b"));
        const int id = server->findClient("Ann");
        const qsizetype from = server->sent(id).size();
        for (int i = 0; i < 400; ++i)
            server->botStep();
        return server->sent(id).mid(from);
    };
    const QList<QByteArray> first = run(11);
    EXPECT_EQ(run(11), first);
    EXPECT_NE(run(12), first);
    const char* kinds[] = {"MSG:PUB:",  "MSG:PUBM:",  "MSG:PRIV:",      "MSG:FREQ:",  "MSG:CHAT:",
                           "MSG:MOD:",  "MSG:SYSOP:", "MSG:ARENA:",     "MSG:SQUAD:", "KILL:",
                           "ENTERING:", "LEAVING:",   "SHIPFREQCHANGE:"};
    for (const char* kind : kinds) {
        EXPECT_TRUE(std::any_of(first.begin(), first.end(), [&](const QByteArray& l) {
            return l.startsWith(kind);
        })) << kind;
    }
    for (const QByteArray& l : first) {
        if (l.startsWith("KILL:")) {
            EXPECT_EQ(l.count(':'), 4) << l.data();
        }
        if (l.startsWith("MSG:CHAT:")) {
            EXPECT_TRUE(l.contains("> ")) << l.data();
        }
        EXPECT_FALSE(l.contains("Ann")) << l.data();  // bots speak of themselves only
    }
}

TEST(ZonesimExecutable, AnnouncesItsPortAndEndsOnTerminate) {
    const QString path = QCoreApplication::applicationDirPath() + "/zonesim";
    if (!QFile::exists(path)) GTEST_SKIP() << "zonesim not built";
    QProcess proc;
    proc.start(path, {"--port", "0", "--bots", "3"});
    ASSERT_TRUE(proc.waitForStarted(kWait));
    ASSERT_TRUE(pumpUntil([&] { return proc.canReadLine(); }, 20000));
    const QByteArray line = proc.readLine();
    ASSERT_TRUE(line.startsWith("zonesim listening on 127.0.0.1:")) << line.data();
    const quint16 port = quint16(line.mid(line.lastIndexOf(':') + 1).trimmed().toUInt());
    ASSERT_NE(port, 0);
    Peer p(port);
    p.enter("Ann");
    EXPECT_TRUE(pumpUntil([&] { return p.lines().size() == 2 + 3; }, kWait));
    proc.terminate();
    ASSERT_TRUE(proc.waitForFinished(20000));
    EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proc.exitCode(), 0);
}

}  // namespace
