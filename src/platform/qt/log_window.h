// frmLog: the protocol trace window. Closing hides it; the trace survives.
#pragma once

#include <QWidget>

namespace orva {
struct FrmMain;

class LogWindow : public QWidget {
    Q_OBJECT
  public:
    explicit LogWindow(FrmMain& form, QWidget* parent = nullptr);

  private:
    FrmMain& form_;
};

}  // namespace orva
