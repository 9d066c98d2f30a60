// The TCP client of the connection on QTcpSocket and the ping's UDP socket on QUdpSocket.
#pragma once

#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>
#include <map>
#include <string>
#include <vector>

#include "platform/net.h"

namespace orva {

// Speaks in the socket states and error numbers the program knows (7 connected). Events come from
// the socket's signals; Close() drops the connection without raising onClose.
class QtTcpClient : public ITcpClient {
  public:
    QtTcpClient();
    ~QtTcpClient() override;
    void setEvents(TcpEvents events) override { events_ = std::move(events); }
    void Connect(const std::string& host, std::uint16_t port) override;
    void Close() override;
    void SendData(const std::string& bytes) override;
    int State() const override;
    std::string RemoteHostIP() const override;
    std::uint16_t RemotePort() const override;

  private:
    void readAll();
    void peerClosed();
    void failed(QAbstractSocket::SocketError error);

    QTcpSocket socket_;
    TcpEvents events_;
    bool quiet_ = false;       // inside Close(): the socket's own signals are ours, not the peer's
    bool peerClosed_ = false;  // closed by the peer, until Close() or Connect()
    bool errored_ = false;     // an error was raised, until Close() or Connect()
    unsigned closes_ = 0;      // Close() calls so far: tells a connection from its successor
};

// Winsock-style number and text of a socket error.
std::pair<int, std::string> socketErrorNumber(QAbstractSocket::SocketError error);

// Bound to any free port; datagrams go to a host by address or by a name resolved once.
// Lookups run asynchronously; each reports to the caller that started it.
class QtUdpSocket : public IUdpSocket {
  public:
    QtUdpSocket();
    void setEvents(UdpEvents events) override { events_ = std::move(events); }
    void Resolve(const std::string& host, std::function<void(bool found)> done) override;
    void SendTo(const std::string& host, std::uint16_t port, const std::string& bytes) override;

  private:
    void sendResolved(const QHostAddress& address, std::uint16_t port, const std::string& bytes);
    void receive();

    QUdpSocket socket_;
    UdpEvents events_;
    std::map<std::string, QHostAddress> resolved_;
};

}  // namespace orva
