#include "qt/qt_net.h"

#include <QHostInfo>
#include <QNetworkDatagram>

namespace orva {

namespace {
constexpr qint64 kReadBufferBytes = 256 * 1024;
}  // namespace

std::pair<int, std::string> socketErrorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return {10061, "Connection is forcefully rejected"};
        case QAbstractSocket::HostNotFoundError:
            return {11001, "Authoritative answer: Host not found"};
        case QAbstractSocket::SocketTimeoutError:
            return {10060, "Connection timed out"};
        case QAbstractSocket::RemoteHostClosedError:
            return {10054, "The connection is reset by remote side"};
        case QAbstractSocket::NetworkError:
            return {10050, "Network is down"};
        case QAbstractSocket::SocketAddressNotAvailableError:
            return {10049, "Address not available from the local machine"};
        case QAbstractSocket::SocketAccessError:
            return {10013, "Permission denied"};
        case QAbstractSocket::SocketResourceError:
            return {10055, "No buffer space is available"};
        default:
            return {10053, "Connection is aborted due to timeout or other failure"};
    }
}

QtTcpClient::QtTcpClient() {
    // A bounded read buffer: a peer that sends faster than the lines are handled is held back by
    // the connection itself, and one read never hands over more than this in one turn of the loop.
    socket_.setReadBufferSize(kReadBufferBytes);
    QObject::connect(&socket_, &QTcpSocket::connected, [this] {
        if (!quiet_ && events_.onConnect) events_.onConnect();
    });
    // Queued: a line's handling may wait on a modal box, whose event loop must go on reading.
    // Handled inside the readyRead emission itself, the socket would not announce the bytes that
    // arrive meanwhile (it never emits readyRead recursively) until yet more bytes came.
    QObject::connect(
        &socket_, &QTcpSocket::readyRead, &socket_,
        [this] {
            if (!quiet_) readAll();
        },
        Qt::QueuedConnection);
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { peerClosed(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred,
                     [this](QAbstractSocket::SocketError e) { failed(e); });
}

QtTcpClient::~QtTcpClient() {
    quiet_ = true;
    socket_.abort();
}

void QtTcpClient::Connect(const std::string& host, std::uint16_t port) {
    Close();
    socket_.connectToHost(QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size())),
                          port);
}

void QtTcpClient::Close() {
    ++closes_;
    quiet_ = true;
    socket_.abort();
    quiet_ = false;
    peerClosed_ = false;
    errored_ = false;
}

void QtTcpClient::SendData(const std::string& bytes) {
    if (socket_.state() != QAbstractSocket::ConnectedState) return;
    socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int QtTcpClient::State() const {
    if (errored_) return sckError;
    if (peerClosed_) return sckClosing;
    switch (socket_.state()) {
        case QAbstractSocket::UnconnectedState:
            return sckClosed;
        case QAbstractSocket::HostLookupState:
            return sckResolvingHost;
        case QAbstractSocket::ConnectingState:
            return sckConnecting;
        case QAbstractSocket::ConnectedState:
            return sckConnected;
        case QAbstractSocket::BoundState:
            return sckOpen;
        case QAbstractSocket::ListeningState:
            return sckListening;
        case QAbstractSocket::ClosingState:
            return sckClosing;
    }
    return sckClosed;
}

std::string QtTcpClient::RemoteHostIP() const {
    QHostAddress peer = socket_.peerAddress();
    bool isV4 = false;
    const quint32 v4 = peer.toIPv4Address(&isV4);  // also unwraps ::ffff:a.b.c.d
    if (isV4) peer = QHostAddress(v4);
    return peer.toString().toStdString();
}

std::uint16_t QtTcpClient::RemotePort() const {
    return socket_.peerPort();
}

void QtTcpClient::readAll() {
    if (socket_.bytesAvailable() <= 0) return;
    const QByteArray data = socket_.readAll();
    if (events_.onDataArrival) events_.onDataArrival(data.toStdString());
}

void QtTcpClient::peerClosed() {
    if (quiet_ || errored_) return;
    const unsigned closes = closes_;
    readAll();  // bytes that came with the close still belong to the conversation
    // A line among them may have closed this connection (a refused login) or even started the
    // next one: the peer's close is then no news to anybody.
    if (closes != closes_) return;
    peerClosed_ = true;
    if (events_.onClose) events_.onClose();
}

void QtTcpClient::failed(QAbstractSocket::SocketError error) {
    // A close by the peer arrives as disconnected(); it is not an error here.
    if (quiet_ || error == QAbstractSocket::RemoteHostClosedError) return;
    errored_ = true;
    auto [number, text] = socketErrorNumber(error);
    if (events_.onError) events_.onError(number, std::move(text));
}

QtUdpSocket::QtUdpSocket() {
    socket_.bind(QHostAddress::AnyIPv4, 0);
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] { receive(); });
}

void QtUdpSocket::Resolve(const std::string& host, std::function<void(bool found)> done) {
    const QString name = QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size()));
    if (QHostAddress().setAddress(name) || resolved_.count(host) != 0) {
        done(true);
        return;
    }
    QHostInfo::lookupHost(name, &socket_, [this, host, done](const QHostInfo& info) {
        for (const QHostAddress& a : info.addresses()) {
            if (a.protocol() != QAbstractSocket::IPv4Protocol) continue;
            resolved_[host] = a;
            done(true);
            return;
        }
        done(false);
    });
}

void QtUdpSocket::SendTo(const std::string& host, std::uint16_t port, const std::string& bytes) {
    const QString name = QString::fromLatin1(host.data(), static_cast<qsizetype>(host.size()));
    QHostAddress address;
    if (address.setAddress(name)) {
        sendResolved(address, port, bytes);
    } else if (auto it = resolved_.find(host); it != resolved_.end()) {
        sendResolved(it->second, port, bytes);
    } else if (events_.onError) {
        events_.onError(11001, "Authoritative answer: Host not found");
    }
}

void QtUdpSocket::sendResolved(const QHostAddress& address, std::uint16_t port,
                               const std::string& bytes) {
    if (socket_.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), address, port) < 0) {
        auto [number, text] = socketErrorNumber(socket_.error());
        if (events_.onError) events_.onError(number, std::move(text));
    }
}

void QtUdpSocket::receive() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_.receiveDatagram();
        if (!d.isValid()) {
            // E.g. an unreachable port reported for the datagram just sent.
            auto [number, text] = socketErrorNumber(socket_.error());
            if (events_.onReadError) events_.onReadError(number, std::move(text));
            break;
        }
        if (events_.onDatagram) events_.onDatagram(d.data().toStdString());
    }
}

}  // namespace orva
