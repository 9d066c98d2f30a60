// The chat view widget: paints the styled lines of the chat document.
#pragma once

#include <QWidget>

namespace orva {
struct FrmMain;

class ChatViewWidget : public QWidget {
    Q_OBJECT
  public:
    ChatViewWidget(FrmMain& form, QWidget* parent = nullptr);

  private:
    FrmMain& form_;
};

}  // namespace orva
