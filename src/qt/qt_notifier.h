// Desktop notifications through the session bus's notification service, and the tray icon.
#pragma once

#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/notifier.h"

namespace orva {

struct FrmMain;

class QtNotifier : public INotifier {
  public:
    explicit QtNotifier(FrmMain& form);
    ~QtNotifier() override;
    QtNotifier(const QtNotifier&) = delete;
    QtNotifier& operator=(const QtNotifier&) = delete;

    void notify(const std::string& summary, const std::string& body) override;
    void setTrayToolTip(const std::string& text) override;

    QSystemTrayIcon* tray() const { return tray_.get(); }

  private:
    bool sendToService(const QString& summary, const QString& body);
    // Asks the service once whether it reads markup in the body; the notifications wait for it.
    void askCapabilities();
    void sendNotify(const QString& summary, const QString& body);

    FrmMain& f_;
    QString busName_;  // our own connection to the session bus, made on first use
    bool busTried_ = false;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    // A service that reads markup gets the sender's text escaped: "<a href=...>" from another
    // player must not become a link or an image there. Unknown until the service answers.
    std::optional<bool> markup_;
    bool asking_ = false;
    std::vector<std::pair<QString, QString>> waiting_;
    QObject context_;  // the answer's handler goes with the notifier
};

}  // namespace orva
