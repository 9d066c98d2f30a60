// The door to the network: the TCP client of the connection and the UDP socket of the ping.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orva {

// Socket states as the program knows them; only sckConnected (7) is ever tested.
enum SocketState : int {
    sckClosed = 0,
    sckOpen = 1,
    sckListening = 2,
    sckConnectionPending = 3,
    sckResolvingHost = 4,
    sckHostResolved = 5,
    sckConnecting = 6,
    sckConnected = 7,
    sckClosing = 8,
    sckError = 9,
};

struct TcpEvents {
    std::function<void()> onConnect;
    std::function<void(std::string bytes)> onDataArrival;  // all bytes received so far, once each
    std::function<void()> onClose;                         // closed by the peer
    std::function<void(int number, std::string description)> onError;
};

class ITcpClient {
  public:
    virtual ~ITcpClient() = default;
    virtual void setEvents(TcpEvents events) = 0;
    virtual void Connect(const std::string& host, std::uint16_t port) = 0;
    virtual void Close() = 0;  // never raises onClose
    virtual void SendData(const std::string& bytes) = 0;
    virtual int State() const = 0;
    virtual std::string RemoteHostIP() const = 0;
    virtual std::uint16_t RemotePort() const = 0;
};

struct UdpEvents {
    std::function<void(std::string bytes)> onDatagram;
    // A datagram could not be sent: its host is not resolved, or the send was refused. Raised
    // inside SendTo, so it always belongs to the datagram being sent.
    std::function<void(int number, std::string description)> onError;
    // A datagram came in but could not be read.
    std::function<void(int number, std::string description)> onReadError;
};

class IUdpSocket {
  public:
    virtual ~IUdpSocket() = default;
    virtual void setEvents(UdpEvents events) = 0;
    // Looks the host's name up; `done(true)` once SendTo can reach it without waiting (at once for
    // an address or a name already known), `done(false)` when it has no address.
    virtual void Resolve(const std::string& host, std::function<void(bool found)> done) = 0;
    // A host that Resolve has not found reports onError at once.
    virtual void SendTo(const std::string& host, std::uint16_t port, const std::string& bytes) = 0;
};

}  // namespace orva
