#include "qt/paste_filter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include "qt/codec.h"

namespace orva {
namespace {

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// The Paste item of a line edit's own menu: named in newer Qt, known by its text in older.
QAction* pasteItem(const QMenu& menu) {
    if (auto* named = menu.findChild<QAction*>(QStringLiteral("edit-paste"))) return named;
    const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* item : menu.actions())
        if (item->text().section(QLatin1Char('\t'), 0, 0) == paste) return item;
    return nullptr;
}

class PasteFilter : public QObject {
  public:
    PasteFilter(TextBox& model, QLineEdit* widget) : QObject(widget), model_(model), edit_(widget) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only these three paste; the type comes first, as a widget being destroyed still has
        // events for its filters, and is no line edit any more.
        const QEvent::Type type = event->type();
        if (watched != edit_ ||
            (type != QEvent::KeyPress && type != QEvent::MouseButtonRelease &&
             type != QEvent::ContextMenu) ||
            edit_->isReadOnly())
            return QObject::eventFilter(watched, event);
        switch (type) {
            case QEvent::KeyPress:
                // Ctrl+V, Shift+Insert and whatever else the platform calls paste.
                if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                    return paste(QClipboard::Clipboard);
                break;
            case QEvent::MouseButtonRelease: {
                // Where there is a selection clipboard, the middle button pastes it.
                const auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() == Qt::MiddleButton &&
                    QGuiApplication::clipboard()->supportsSelection())
                    return paste(QClipboard::Selection);
                break;
            }
            case QEvent::ContextMenu:
                showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    // True when the paste was ours; false leaves it to the widget.
    bool paste(QClipboard::Mode mode) {
        const QString clip = QGuiApplication::clipboard()->text(mode);
        if (!hasLineBreak(clip)) return false;
        if (mode == QClipboard::Selection) edit_->deselect();
        const std::string text = toCp1252(clip);
        std::optional<std::string> insert = text;
        QPointer<QLineEdit> alive(edit_);
        model_.pasted.emit(text, insert);
        if (alive && insert && !insert->empty()) edit_->insert(fromCp1252(*insert));
        return true;
    }

    // The widget's own menu, its Paste item routed through the check above.
    void showMenu(const QPoint& at) {
        QMenu* menu = edit_->createStandardContextMenu();
        if (!menu) return;
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (QAction* item = pasteItem(*menu)) {
            QObject::disconnect(item, &QAction::triggered, edit_, nullptr);
            QPointer<QLineEdit> alive(edit_);
            QObject::connect(item, &QAction::triggered, this, [this, alive] {
                if (alive && !paste(QClipboard::Clipboard)) alive->paste();
            });
        }
        menu->popup(at);
    }

    TextBox& model_;
    QLineEdit* edit_;
};

}  // namespace

void bindPastedLines(TextBox& model, QLineEdit* widget) {
    new PasteFilter(model, widget);
}

}  // namespace orva
