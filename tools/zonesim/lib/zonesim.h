// The zone simulator: a chat line protocol server on loopback, embeddable in tests.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "bots.h"
#include "flood_count.h"
#include "line_splitter.h"

class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

namespace zonesim {

// How the server writes to every connection.
enum class Mode {
    Normal,   // at once
    Flood,    // after arena entry, `floodLines` lines as fast as the socket takes them
    Split,    // output cut at random byte boundaries, chunks written with small delays
    Drip,     // one byte per write
    Garbage,  // after arena entry: binary bytes, unknown types, broken fields, an over-long line
    Close,    // after arena entry and a few lines, the connection is reset
    Silent,   // accepts and reads, never answers
};

// Which spelling of the chat lines the server and its bots use.
enum class Dialect {
    Server,  // as a real zone server: "PUBM", "SYSOP" without a name field, replies as "ARENA"
    Client,  // as the client expects them: "PUBMAC", "SYSOP" with a name field, replies as "CMD"
};

struct Options {
    quint16 port = 0;  // 0: any free port (with port + 1 free for the ping)
    quint32 seed = 1;
    int bots = 0;
    bool demo = false;  // bots act by themselves, a line every demoMinMs..demoMaxMs
    int demoMinMs = 1000;
    int demoMaxMs = 3000;
    QMap<QByteArray, QByteArray> refuse;  // lower-case name -> reason for "LOGINBAD:"
    QByteArray password;                  // empty: any password is right
    QByteArray arena = "0";               // the public arena, where the bots live
    Mode mode = Mode::Normal;
    Dialect dialect = Dialect::Server;
    int floodLines = 10000;
    bool floodMixed = false;           // flood with chat of every kind, not public lines only
    int garbageLongBytes = 70 * 1024;  // the over-long line of Garbage mode
    int closeDelayMs = 300;            // Close mode: time between the last line and the reset
    int splitMaxDelayMs = 10;
    int dripDelayMs = 1;
    bool pacing = false;  // one line per paceMs per connection, each in its own packet
    int paceMs = 100;
    int readPaceMs = 0;  // handle at most one received line per this long (the real server: 200)
    bool floodRule = false;  // the real server's flood count (flood_count.h) mutes chatty senders
    int muteMs = 60000;
    int maxSendText = 500;    // SEND lines with more after "SEND:" are dropped; 0: no limit
    int inputLimit = 2048;    // bytes without a line end that overflow the input; 0: no limit
    int noopMs = 180000;      // "NOOP" after this long without traffic; 0: never
    QList<QByteArray> staff;  // who may use moderator chat; empty: everybody
    bool udpPing = true;
    int pingCount = -1;  // player count the ping reports; -1: the real one
    int pingDelayMs = 0;
    bool pingSilent = false;  // read ping requests but never answer

    // As the real server: one line written per 100 ms and read per 200 ms, the flood count,
    // the 500-character drop.
    static Options realServer();
};

class Server : public QObject {
    Q_OBJECT
  public:
    explicit Server(Options options, QObject* parent = nullptr);
    ~Server() override;

    bool start();
    QString errorString() const { return error_; }
    quint16 port() const { return port_; }
    quint16 pingPort() const { return port_ ? quint16(port_ + 1) : 0; }
    const Options& options() const { return options_; }
    Options& options() { return options_; }
    int playerCount() const;

    // Connections are numbered from 1 in order of arrival; closed ones stay inspectable.
    QList<int> connections() const;
    QList<int> openConnections() const;
    bool isOpen(int id) const;
    int findClient(const QByteArray& name) const;  // logged in and open, any case; -1 if none
    QByteArray clientName(int id) const;
    QByteArray clientArena(int id) const;
    int clientFreq(int id) const;
    QList<QByteArray> received(int id) const;  // lines without their line ends
    QByteArray receivedBytes(int id) const;    // every byte, exactly as it came
    QList<QByteArray> sent(int id) const;      // lines and raw writes, as queued
    // SEND lines taken but not passed on: over the length limit, or stopped by the flood count.
    QList<QByteArray> dropped(int id) const;
    int mutes(int id) const;  // how often the flood count muted the connection
    bool isMuted(int id) const;
    int unhandled(int id) const;  // received lines the paced reader has yet to handle
    // Runs the event loop until connection `id` (-1: any) has received `line`; false on timeout.
    bool waitReceived(int id, const QByteArray& line, int timeoutMs = 5000) const;

    // Injection: raw bytes as given, or a line with LF added. id -1: every open connection.
    void sendRaw(int id, const QByteArray& bytes);
    void sendLine(int id, const QByteArray& line);
    void closeClient(int id);  // orderly close
    void abortClient(int id);  // reset, nothing more is delivered

    QList<QByteArray> botNames() const;
    void botStep();  // one bot action now, from the seeded schedule

  Q_SIGNALS:
    void clientConnected(int id);
    void clientLoggedIn(int id, const QByteArray& name);
    void lineReceived(int id, const QByteArray& line);
    void lineSent(int id, const QByteArray& line);
    void clientDisconnected(int id);

  private:
    struct Conn;

    void onNewConnection();
    void onReadyRead(int id);
    void handleNextQueued(int id);
    void onDisconnected(int id);
    void onPing();
    void handleLine(Conn& c, const QByteArray& line);
    void handleLogin(Conn& c, const QByteArray& line);
    void handleGo(Conn& c, const QByteArray& arena);
    void handleChangeFreq(Conn& c, const QByteArray& value);
    void handleSend(Conn& c, const QByteArray& rest);
    void handleCommand(Conn& c, const QByteArray& command);
    void handleChat(Conn& c, const QByteArray& text);
    void leaveArena(Conn& c);
    void afterArenaEntry(Conn& c);
    void startFlood(int id);
    void continueFlood(int id);
    QByteArray floodLine(Conn& c);
    void sendGarbage(Conn& c);

    void queue(Conn& c, const QByteArray& bytes, bool isLine);
    void pumpOutput(int id);
    void writeNow(Conn& c, const QByteArray& bytes);
    void touch(Conn& c);

    Conn* conn(int id);
    const Conn* conn(int id) const;
    QList<Conn*> inArena(const QByteArray& arena);
    QByteArray replyType() const;
    bool isStaff(const QByteArray& name) const;

    void scheduleBot();
    void botSend(const QByteArray& line);  // to every client in the bots' arena
    void botSendTo(Conn& c, const QByteArray& line);
    void botReplyLater(const QByteArray& bot, int toId);
    void botGreetLater(int toId);

    Options options_;
    QString error_;
    quint16 port_ = 0;
    QTcpServer* tcp_ = nullptr;
    QUdpSocket* udp_ = nullptr;
    QTimer* botTimer_ = nullptr;
    std::map<int, std::unique_ptr<Conn>> conns_;
    int nextId_ = 1;
    std::mt19937 botRng_;
    std::mt19937 ioRng_;
    Bots bots_;
    QElapsedTimer clock_;
};

// Runs the event loop until done() or the timeout; true when done() became true. For tests.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace zonesim
