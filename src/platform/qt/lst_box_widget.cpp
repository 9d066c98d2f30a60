#include "platform/qt/lst_box_widget.h"

namespace orva {

// Provisional: replaced by the real list widget.
LstBoxWidget::LstBoxWidget(LstBox& model, QWidget* parent) : QWidget(parent), model_(model) {
    (void)model_;
}

}  // namespace orva
