// The Zone Manager window, bound to its FrmZoneManager model. Modal: the zone list it rewrites
// is the main window's.
#pragma once

#include <QDialog>

#include "zones/zone_manager.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orva {

struct ZonesPart;

class ZoneManagerWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ZoneManagerWindow(ZonesPart& main, QWidget* parent = nullptr);
    ~ZoneManagerWindow() override;

    FrmZoneManager& model() { return model_; }
    QListWidget* list() const { return list_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* hostField() const { return host_; }
    QLineEdit* portField() const { return port_; }

  private:
    FrmZoneManager model_;
    QListWidget* list_ = nullptr;
    QLineEdit *name_ = nullptr, *host_ = nullptr, *port_ = nullptr;
};

}  // namespace orva
