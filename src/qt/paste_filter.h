// Catches every way a line edit pastes (keys, context menu, middle click) and hands a text with
// line breaks to its model's `pasted` event before anything is inserted.
#pragma once

#include <QLineEdit>

#include "base/controls.h"

namespace orva {

// Lives as long as the widget. Pastes without a line break are left to the widget.
void bindPastedLines(TextBox& model, QLineEdit* widget);

}  // namespace orva
