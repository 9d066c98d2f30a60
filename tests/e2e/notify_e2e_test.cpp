// A private message to a window in the background reaches the desktop's notification service:
// a private session bus started here, a stand-in service on it, the real window and simulator.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#include "e2e/client_world.h"
#include "zonesim.h"

namespace orva {
namespace {

// Answers Notify as a notification service that reads markup does, and keeps each call's
// arguments.
class FakeNotificationService : public QDBusVirtualObject {
  public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() == QStringLiteral("GetCapabilities")) {
            connection.send(message.createReply(
                QVariant(QStringList{QStringLiteral("body"), QStringLiteral("body-markup")})));
            return true;
        }
        if (message.member() != QStringLiteral("Notify")) return false;
        calls.push_back(message.arguments());
        connection.send(message.createReply(QVariant::fromValue(static_cast<uint>(calls.size()))));
        return true;
    }
    std::vector<QVariantList> calls;
};

// A session bus of the test's own, ended by its PID, and the address of it in the environment
// for as long as it runs.
class PrivateBus {
  public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) return;
        process_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address")});
        if (!process_.waitForStarted(5000)) return;
        for (int i = 0; i < 50 && !process_.canReadLine(); ++i)
            process_.waitForReadyRead(100);
        address_ = QString::fromUtf8(process_.readLine().trimmed());
        if (address_.isEmpty()) return;
        previous_ = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    }
    ~PrivateBus() {
        if (!address_.isEmpty()) {
            if (previous_.isEmpty())
                qunsetenv("DBUS_SESSION_BUS_ADDRESS");
            else
                qputenv("DBUS_SESSION_BUS_ADDRESS", previous_);
        }
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000)) process_.kill();
            process_.waitForFinished(3000);
        }
    }
    const QString& address() const { return address_; }

  private:
    QProcess process_;
    QString address_;
    QByteArray previous_;
};

TEST(NotifyE2E, PrivateMessageInTheBackgroundReachesTheService) {
    PrivateBus bus;
    if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    const QString name = QStringLiteral("notify-service");
    FakeNotificationService service;
    {
        QDBusConnection conn = QDBusConnection::connectToBus(bus.address(), name);
        ASSERT_TRUE(conn.isConnected());
        ASSERT_TRUE(
            conn.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &service));
        ASSERT_TRUE(conn.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }

    {
        ClientWorld w(zonesim::Options{});
        ASSERT_TRUE(w.started && w.loaded);
        ASSERT_TRUE(w.enterArena());
        // Another window takes the focus: ours is in the background.
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(zonesim::pumpUntil([&] { return !w.f().WindowActive.get(); }, 5000));

        w.sim().sendLine(w.me, "MSG:PRIV:Bob:are you there? <b>&");
        ASSERT_TRUE(zonesim::pumpUntil([&] { return !service.calls.empty(); }, 5000));
        const QVariantList& a = service.calls.front();
        ASSERT_EQ(a.size(), 8);
        EXPECT_EQ(a[0].toString(), QStringLiteral("orva"));
        EXPECT_EQ(a[1].toUInt(), 0u);
        EXPECT_EQ(a[2].toString(), QStringLiteral("orva"));
        EXPECT_EQ(a[3].toString(), QStringLiteral("Private message from Bob"));
        // Escaped for a service that reads markup: another player's text makes no markup there.
        EXPECT_EQ(a[4].toString(), QStringLiteral("are you there? &lt;b&gt;&amp;"));
        EXPECT_TRUE(a[5].toStringList().isEmpty());
        EXPECT_EQ(a[7].toInt(), -1);
        EXPECT_EQ(w.f().notifications.unread, 1);

        // Back in front: nothing unread, and nothing more raised.
        w.window().activateWindow();
        ASSERT_TRUE(zonesim::pumpUntil([&] { return w.f().WindowActive.get(); }, 5000));
        EXPECT_EQ(w.f().notifications.unread, 0);
        w.sim().sendLine(w.me, "MSG:PRIV:Eve:hello");
        ASSERT_TRUE(w.waitShows("hello"));
        w.settle();
        EXPECT_EQ(service.calls.size(), 1u);
    }
    QDBusConnection::disconnectFromBus(name);
}

}  // namespace
}  // namespace orva
