#include "platform/qt/log_window.h"

namespace orva {

// Provisional: replaced by the real trace window.
LogWindow::LogWindow(FrmMain& form, QWidget* parent) : QWidget(parent), form_(form) {
    (void)form_;
}

}  // namespace orva
