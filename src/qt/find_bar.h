// The find bar under the chat view: a field, the count of matches, and the keys that step
// through them.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <memory>

#pragma push_macro("emit")
#undef emit
#include "view/chat_search.h"
#include "view/chat_view.h"
#pragma pop_macro("emit")

namespace orva {

class ChatViewWidget;

class FindBar : public QWidget {
    Q_OBJECT
  public:
    FindBar(ChatView& document, ChatViewWidget& view, QWidget* parent);
    ~FindBar() override;

    // Shows the bar with the focus in its field (its text selected, to type a new one).
    void open();
    // Hides the bar and removes the marks.
    void close();
    QLineEdit* field() const { return field_; }
    QLabel* status() const { return status_; }
    // Steps to the next older (or newer) match, wrapping.
    void step(bool older);

  Q_SIGNALS:
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void search();
    void show(bool scroll);
    void onAppended();

    ChatView& document_;
    QPointer<ChatViewWidget> view_;  // the view may go first as the window closes
    QLineEdit* field_;
    QLabel* status_;
    ChatSearch search_;
    std::size_t current_ = 0;  // counted from the newest match
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orva
