#include "qt/qt_notifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPainter>
#include <QPixmap>
#include <QVariantMap>
#include <atomic>

#include "app/frm_main.h"
#include "app/notifications.h"
#include "qt/codec.h"

namespace orva {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// The installed theme icon; a plain mark where the program runs uninstalled.
QIcon trayIcon() {
    QPixmap mark(32, 32);
    mark.fill(Qt::transparent);
    QPainter p(&mark);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 189, 41));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 28, 28);
    p.end();
    return QIcon::fromTheme(QStringLiteral("orva"), QIcon(mark));
}

}  // namespace

QtNotifier::QtNotifier(FrmMain& form) : f_(form) {
    static std::atomic<int> made{0};
    busName_ = QStringLiteral("orva-notify-%1").arg(++made);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    menu_ = std::make_unique<QMenu>();
    FrmMain* f = &f_;
    QObject::connect(menu_->addAction(QStringLiteral("Show")), &QAction::triggered,
                     [f] { f->trayClicked.emit(); });
    // As the File menu's Exit: the window decides whether it may close.
    QObject::connect(menu_->addAction(QStringLiteral("Quit")), &QAction::triggered,
                     [f] { f->closeRequested.emit(); });
    tray_ = std::make_unique<QSystemTrayIcon>(trayIcon());
    tray_->setContextMenu(menu_.get());
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                     [f](QSystemTrayIcon::ActivationReason why) {
                         if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                             f->trayClicked.emit();
                     });
    tray_->setToolTip(fromCp1252(trayToolTip(f_)));
    tray_->show();
}

QtNotifier::~QtNotifier() {
    tray_.reset();
    if (busTried_) QDBusConnection::disconnectFromBus(busName_);
}

void QtNotifier::notify(const std::string& summary, const std::string& body) {
    const QString s = fromCp1252(summary), b = fromCp1252(body);
    if (sendToService(s, b)) return;
    if (tray_) tray_->showMessage(s, b, QSystemTrayIcon::Information);
}

bool QtNotifier::sendToService(const QString& summary, const QString& body) {
    // Without an address there is no session bus to ask, and letting the library start one
    // would leave a daemon behind.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return false;
    busTried_ = true;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, busName_);
    if (!bus.isConnected() || !bus.interface()) {
        QDBusConnection::disconnectFromBus(busName_);  // so that the next one tries afresh
        return false;
    }
    if (!bus.interface()->isServiceRegistered(kService).value()) return false;
    if (markup_) {
        sendNotify(summary, body);
    } else {
        waiting_.emplace_back(summary, body);
        askCapabilities();
    }
    return true;
}

void QtNotifier::askCapabilities() {
    if (asking_) return;
    asking_ = true;
    QDBusConnection bus(busName_);
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kService,
                                                            QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask, 2000), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_,
                     [this](QDBusPendingCallWatcher* answer) {
                         const QDBusPendingReply<QStringList> reply = *answer;
                         // No answer: plain text, as the service shows it without markup.
                         markup_ = !reply.isError() &&
                                   reply.value().contains(QStringLiteral("body-markup"));
                         asking_ = false;
                         for (const auto& [summary, body] : std::exchange(waiting_, {}))
                             sendNotify(summary, body);
                         answer->deleteLater();
                     });
}

void QtNotifier::sendNotify(const QString& summary, const QString& body) {
    QDBusConnection bus(busName_);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("orva") << 0u << QStringLiteral("orva") << summary
         << (*markup_ ? body.toHtmlEscaped() : body) << QStringList() << QVariantMap() << -1;
    bus.asyncCall(call);  // the answer (the notification's id) is of no use here
}

void QtNotifier::setTrayToolTip(const std::string& text) {
    if (tray_) tray_->setToolTip(fromCp1252(text));
}

}  // namespace orva
