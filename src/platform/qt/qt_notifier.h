// Desktop notifications through the session bus's notification service, and the tray icon.
#pragma once

#include <QMenu>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

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

    FrmMain& f_;
    QString busName_;  // our own connection to the session bus, made on first use
    bool busTried_ = false;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace orva
