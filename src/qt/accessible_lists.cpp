// The model first: Qt defines a macro named emit, which the models' signals use as a name.
#include "lstBox/lst_box.h"

#include "qt/accessible_lists.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>
#include <climits>
#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>

#include "qt/chat_view_widget.h"
#include "qt/codec.h"
#include "qt/lst_box_widget.h"

namespace orva {
namespace {

// Lines announced per update at most: a flood of lines is news as a whole, not line by line.
constexpr std::size_t kMaxAnnounced = 20;
constexpr std::size_t kMaxItems = 10000;

// A list widget whose rows are drawn, not widgets: the rows become items made on demand.
class RowListAccessible : public QAccessibleWidget {
  public:
    RowListAccessible(QWidget* widget, const QString& fallbackName)
        : QAccessibleWidget(widget, QAccessible::List), fallbackName_(fallbackName) {}
    ~RowListAccessible() override { dropItems(); }

    virtual int rowCount() const = 0;
    virtual QString rowText(int row) const = 0;
    virtual int currentRow() const = 0;  // -1: none
    virtual bool rowSelected(int row) const = 0;
    // Where the row is on the screen; empty while it is scrolled out of sight.
    virtual QRect rowRect(int row) const = 0;

    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) s = fallbackName_;
        return s;
    }
    int childCount() const override { return rowCount(); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override {
        const int row = currentRow();
        return widget()->hasFocus() && row >= 0 && row < rowCount() ? child(row) : nullptr;
    }

    // Items of rows that are gone (a reloaded document) are given up.
    void dropItems() const;

    // What the last update told assistive technology.
    std::size_t announcedRows = 0;
    std::size_t announcedContent = 0;
    int announcedCurrent = -1;

  private:
    QString fallbackName_;
    mutable std::unordered_map<int, QAccessible::Id> items_;
};

// One drawn row. It holds only its list and index, and reads its text when asked.
class RowItem : public QAccessibleInterface {
  public:
    RowItem(QWidget* list, int row) : list_(list), row_(row) {}

    bool isValid() const override {
        const RowListAccessible* l = owner();
        return l && row_ < l->rowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        const RowListAccessible* l = owner();
        return l ? l->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return list_ ? owner() : nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        const RowListAccessible* l = owner();
        if (!l || row_ >= l->rowCount()) return {};
        return t == QAccessible::Name ? l->rowText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const RowListAccessible* l = owner();
        return l && row_ < l->rowCount() ? l->rowRect(row_) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.selectable = true;
        s.focusable = true;
        const RowListAccessible* l = owner();
        if (!l || row_ >= l->rowCount()) {
            s.invalid = true;
            return s;
        }
        s.selected = l->rowSelected(row_);
        s.offscreen = l->rowRect(row_).isEmpty();
        s.focused = list_->hasFocus() && l->currentRow() == row_;
        return s;
    }

    int row() const { return row_; }

  private:
    RowListAccessible* owner() const {
        if (!list_) return nullptr;
        return dynamic_cast<RowListAccessible*>(QAccessible::queryAccessibleInterface(list_));
    }

    QPointer<QWidget> list_;
    int row_;
};

QAccessibleInterface* RowListAccessible::child(int index) const {
    if (index < 0 || index >= rowCount()) return nullptr;
    // One interface per row for as long as the list lives: assistive technology knows an object
    // by its identity, and asks again and again.
    const auto it = items_.find(index);
    if (it != items_.end())
        if (QAccessibleInterface* item = QAccessible::accessibleInterface(it->second)) return item;
    // A reader walking a long history one line after another would keep an item for each; past
    // a bound they are made afresh.
    if (items_.size() >= kMaxItems) dropItems();
    auto* item = new RowItem(widget(), index);
    items_[index] = QAccessible::registerAccessibleInterface(item);
    return item;
}

int RowListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* item = dynamic_cast<const RowItem*>(child);
    return item && item->parent() == this ? item->row() : -1;
}

void RowListAccessible::dropItems() const {
    for (const auto& [row, id] : items_)
        QAccessible::deleteAccessibleInterface(id);
    items_.clear();
}

class ChatViewAccessible : public RowListAccessible {
  public:
    explicit ChatViewAccessible(ChatViewWidget* view)
        : RowListAccessible(view, QStringLiteral("Chat")) {}

    int rowCount() const override {
        return static_cast<int>(std::min<std::size_t>(view().document().lineCount(), INT_MAX));
    }
    QString rowText(int row) const override {
        return fromCp1252(view().document().line(static_cast<std::size_t>(row)).text);
    }
    int currentRow() const override {
        return static_cast<int>(std::min<std::size_t>(view().currentLine(), INT_MAX));
    }
    bool rowSelected(int row) const override {
        return view().lineInSelection(static_cast<std::size_t>(row));
    }
    QRect rowRect(int row) const override {
        const QRect r = view().paintedRect(static_cast<std::size_t>(row));
        return r.isEmpty() ? r : QRect(view().viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    std::size_t announcedReloads = 0;

  private:
    const ChatViewWidget& view() const { return *static_cast<ChatViewWidget*>(widget()); }
};

class PlayerListAccessible : public RowListAccessible {
  public:
    PlayerListAccessible(QWidget* area, LstBoxWidget* owner)
        : RowListAccessible(area, QStringLiteral("Players")), owner_(owner) {}

    int rowCount() const override { return owner_ ? owner_->model().listCount() : 0; }
    QString rowText(int row) const override {
        return fromCp1252(
            LstBox::remove_ALL_COLOR_DATA(owner_->model().item(static_cast<std::int16_t>(row))));
    }
    int currentRow() const override { return owner_ ? owner_->model().listIndex() : -1; }
    bool rowSelected(int row) const override { return row == currentRow(); }
    QRect rowRect(int row) const override {
        const LstBox& m = owner_->model();
        const int top = (row - m.TopIndex) * m.CharHeight;
        if (row < m.TopIndex || top >= m.VisibleHeight) return {};
        QWidget* area = owner_->listArea();
        return {area->mapToGlobal(QPoint(0, top)), QSize(m.VisibleWidth, m.CharHeight)};
    }

  private:
    QPointer<LstBoxWidget> owner_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<ChatViewWidget*>(object)) return new ChatViewAccessible(view);
    // The player rows are drawn on the list area, which is what takes the keyboard focus.
    if (auto* owner = object ? qobject_cast<LstBoxWidget*>(object->parent()) : nullptr)
        if (object == owner->listArea()) return new PlayerListAccessible(owner->listArea(), owner);
    return nullptr;
}

void send(QAccessibleInterface* iface, QAccessible::Event type) {
    if (!iface) return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

void announceCurrent(RowListAccessible& list, QWidget* widget) {
    const int current = list.currentRow();
    if (current == list.announcedCurrent) return;
    list.announcedCurrent = current;
    if (widget->hasFocus() && current >= 0) send(list.child(current), QAccessible::Focus);
}

}  // namespace

void installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void updateAccessibleChat(const ChatViewWidget& view) {
    auto* list = dynamic_cast<ChatViewAccessible*>(
        QAccessible::queryAccessibleInterface(const_cast<ChatViewWidget*>(&view)));
    if (!list) return;
    const std::size_t count = view.document().lineCount();
    if (list->announcedReloads != view.reloadCount()) {
        // A new document: the old lines' items name nothing any more.
        list->announcedReloads = view.reloadCount();
        list->dropItems();
        list->announcedRows = 0;
        list->announcedCurrent = -1;
        send(list, QAccessible::ObjectReorder);
    }
    if (count > list->announcedRows) {
        const std::size_t from =
            std::max(list->announcedRows, count - std::min(count, kMaxAnnounced));
        for (std::size_t i = from; i < count && i < static_cast<std::size_t>(INT_MAX); ++i)
            send(list->child(static_cast<int>(i)), QAccessible::ObjectCreated);
    }
    list->announcedRows = count;
    announceCurrent(*list, const_cast<ChatViewWidget*>(&view));
}

void updateAccessibleList(const LstBoxWidget& owner) {
    auto* list = dynamic_cast<PlayerListAccessible*>(
        QAccessible::queryAccessibleInterface(owner.listArea()));
    if (!list) return;
    // Players come and go in bursts; one event per turn of the event loop tells of them all,
    // and a move of the selection or the scroll bar alone is no change of the rows.
    const LstBox& model = owner.model();
    std::size_t content = static_cast<std::size_t>(model.listCount());
    for (std::int16_t i = 0; i < model.listCount(); ++i)
        content = content * 31 + std::hash<std::string>{}(model.item(i));
    if (content != list->announcedContent) {
        list->announcedContent = content;
        send(list, QAccessible::ObjectReorder);
    }
    announceCurrent(*list, owner.listArea());
}

}  // namespace orva
