// The coloured list widget: paints the rows the list model plans and feeds mouse and keys back.
#pragma once

#include <QWidget>

namespace orva {
class LstBox;

class LstBoxWidget : public QWidget {
    Q_OBJECT
  public:
    LstBoxWidget(LstBox& model, QWidget* parent = nullptr);

  private:
    LstBox& model_;
};

}  // namespace orva
