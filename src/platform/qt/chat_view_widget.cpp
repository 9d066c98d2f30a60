#include "platform/qt/chat_view_widget.h"

namespace orva {

// Provisional: replaced by the real view.
ChatViewWidget::ChatViewWidget(FrmMain& form, QWidget* parent) : QWidget(parent), form_(form) {
    (void)form_;
}

}  // namespace orva
