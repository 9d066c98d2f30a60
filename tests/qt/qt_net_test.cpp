#include "qt/qt_net.h"

#include <gtest/gtest.h>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTest>
#include <QUdpSocket>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace orva {
namespace {

constexpr int kWait = 5000;  // ms; every wait below ends as soon as its condition holds

// Records what the client raises, in order.
struct Recorder {
    std::vector<std::string> events;
    std::string data;
    int errorNumber = 0;
    TcpEvents events_for(QtTcpClient& client) {
        return {[this, &client] { events.push_back("connect " + std::to_string(client.State())); },
                [this](std::string bytes) {
                    events.push_back("data");
                    data += bytes;
                },
                [this] { events.push_back("close"); },
                [this](int number, std::string) {
                    events.push_back("error");
                    errorNumber = number;
                }};
    }
};

struct Loopback {
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    Loopback() { EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0)); }
    bool accept() {
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kWait)) return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }
};

TEST(QtTcpClient, ConnectExchangeAndPeerClose) {
    Loopback net;
    QtTcpClient client;
    Recorder rec;
    client.setEvents(rec.events_for(client));
    EXPECT_EQ(client.State(), sckClosed);

    client.Connect("127.0.0.1", net.server.serverPort());
    ASSERT_TRUE(net.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.events.empty(); }, kWait));
    EXPECT_EQ(rec.events.front(), "connect 7");
    EXPECT_EQ(client.State(), sckConnected);
    EXPECT_EQ(client.RemoteHostIP(), "127.0.0.1");
    EXPECT_EQ(client.RemotePort(), net.server.serverPort());

    // Bytes both ways, untouched: high bytes and a lone CR included.
    client.SendData(std::string("LOGIN:1:a\xE9:b\n", 13));
    ASSERT_TRUE(QTest::qWaitFor([&] { return net.peer->bytesAvailable() >= 13; }, kWait));
    EXPECT_EQ(net.peer->readAll().toStdString(), std::string("LOGIN:1:a\xE9:b\n", 13));
    net.peer->write("LOGINOK:x\r\nMSG:ARENA:\x80\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.data.size() >= 22; }, kWait));
    EXPECT_EQ(rec.data, "LOGINOK:x\r\nMSG:ARENA:\x80\n");

    // Data written just before the close still arrives, then the close.
    net.peer->write("LAST\n");
    net.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.back() == "close"; }, kWait));
    EXPECT_EQ(rec.data.substr(rec.data.size() - 5), "LAST\n");
    EXPECT_EQ(client.State(), sckClosing);
    EXPECT_EQ(std::count(rec.events.begin(), rec.events.end(), "error"), 0);

    client.Close();
    EXPECT_EQ(client.State(), sckClosed);
}

TEST(QtTcpClient, CloseRaisesNothing) {
    Loopback net;
    QtTcpClient client;
    Recorder rec;
    client.setEvents(rec.events_for(client));
    client.Connect("127.0.0.1", net.server.serverPort());
    ASSERT_TRUE(net.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.State() == sckConnected; }, kWait));
    net.peer->write("pending\n");
    client.Close();
    EXPECT_EQ(client.State(), sckClosed);
    // The peer sees the drop; the client raises neither close nor error nor late data.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return net.peer->state() == QAbstractSocket::UnconnectedState; }, kWait));
    QTest::qWait(50);
    EXPECT_EQ(rec.events, std::vector<std::string>{"connect 7"});
    client.SendData("ignored\n");  // not connected: dropped, no crash
}

// A line of the final read closes the connection (a refused login): the peer's close that
// brought it is not reported on top.
TEST(QtTcpClient, CloseDuringTheFinalReadEndsIt) {
    Loopback net;
    QtTcpClient client;
    Recorder rec;
    TcpEvents events = rec.events_for(client);
    events.onDataArrival = [&](std::string bytes) {
        rec.events.push_back("data");
        rec.data += bytes;
        client.Close();
    };
    client.setEvents(events);
    client.Connect("127.0.0.1", net.server.serverPort());
    ASSERT_TRUE(net.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.State() == sckConnected; }, kWait));
    net.peer->write("LOGINBAD:no\n");
    net.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.data.empty(); }, kWait));
    QTest::qWait(50);
    EXPECT_EQ(rec.events, (std::vector<std::string>{"connect 7", "data"}));
    EXPECT_EQ(client.State(), sckClosed);
}

TEST(QtTcpClient, RefusedConnectionRaisesError) {
    quint16 port = 0;
    {
        QTcpServer probe;  // a port that was free a moment ago and is closed now
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    QtTcpClient client;
    Recorder rec;
    client.setEvents(rec.events_for(client));
    client.Connect("127.0.0.1", port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.events.empty(); }, kWait));
    EXPECT_EQ(rec.events, std::vector<std::string>{"error"});
    EXPECT_EQ(rec.errorNumber, 10061);
    EXPECT_EQ(client.State(), sckError);
    QTest::qWait(50);
    EXPECT_EQ(rec.events.size(), 1u);  // no close after the error
    client.Close();
    EXPECT_EQ(client.State(), sckClosed);
}

TEST(QtTcpClient, ReconnectDropsTheOldConnectionQuietly) {
    Loopback net;
    QtTcpClient client;
    Recorder rec;
    client.setEvents(rec.events_for(client));
    client.Connect("127.0.0.1", net.server.serverPort());
    ASSERT_TRUE(net.accept());
    QTcpSocket* first = net.peer;
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.State() == sckConnected; }, kWait));
    client.Connect("127.0.0.1", net.server.serverPort());
    ASSERT_TRUE(net.accept());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.size() == 2; }, kWait));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"connect 7", "connect 7"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->state() == QAbstractSocket::UnconnectedState; },
                                kWait));
    EXPECT_EQ(client.State(), sckConnected);
}

TEST(QtUdpSocket, SendsToAddressOrNameAndReceivesReplies) {
    QUdpSocket zone;
    ASSERT_TRUE(zone.bind(QHostAddress::LocalHost, 0));
    QObject::connect(&zone, &QUdpSocket::readyRead, [&] {
        while (zone.hasPendingDatagrams()) {
            const QNetworkDatagram d = zone.receiveDatagram();
            zone.writeDatagram(d.makeReply(d.data() + QByteArray("\x01\x02\x03\x04", 4)));
        }
    });
    QtUdpSocket ping;
    std::vector<std::string> replies;
    int errors = 0;
    ping.setEvents({[&](std::string bytes) { replies.push_back(std::move(bytes)); },
                    [&](int, std::string) { ++errors; },
                    {}});
    // A name not looked up yet fails at once, inside the send it belongs to.
    ping.SendTo("localhost", zone.localPort(), std::string("\0\0\0\0", 4));
    EXPECT_EQ(errors, 1);
    bool found = false;
    ping.Resolve("localhost", [&](bool ok) { found = ok; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return found; }, kWait));
    ping.SendTo("127.0.0.1", zone.localPort(), std::string("\0\0\0\x7F", 4));
    ping.SendTo("localhost", zone.localPort(), std::string("\xFF\0\0\0", 4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return replies.size() == 2; }, kWait));
    EXPECT_EQ(replies[0], std::string("\0\0\0\x7F\x01\x02\x03\x04", 8));
    EXPECT_EQ(replies[1], std::string("\xFF\0\0\0\x01\x02\x03\x04", 8));
}

}  // namespace
}  // namespace orva
