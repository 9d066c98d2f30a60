#include "qt/binding.h"

#include <QAccessible>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QSignalBlocker>
#include <functional>

#include "qt/codec.h"

namespace orva {
namespace {

// The key code of the keys that type nothing and move within a text; -1 for the others.
int virtualKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return -1;
    }
}

int modifierMask(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    // Qt reports Shift+Tab as a key of its own.
    const bool shift = held & Qt::ShiftModifier || event.key() == Qt::Key_Backtab;
    return (shift ? kShiftMask : 0) | (held & Qt::ControlModifier ? kCtrlMask : 0) |
           (held & Qt::AltModifier ? kAltMask : 0);
}

// Sees a widget's typed keys before the widget does, and its focus changes.
class InputFilter : public QObject {
  public:
    InputFilter(QWidget* widget, Signal<int, bool&>* keys, Signal<>* gotFocus, Signal<>* lostFocus,
                Signal<int, int, bool&>* keyDown = nullptr, Signal<int>* typed = nullptr)
        : QObject(widget),
          keys_(keys),
          gotFocus_(gotFocus),
          lostFocus_(lostFocus),
          keyDown_(keyDown),
          typed_(typed) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const auto& key = *static_cast<QKeyEvent*>(event);
                if (keyDown_) {
                    const int vk = virtualKey(key);
                    bool swallow = false;
                    if (vk >= 0) keyDown_->emit(vk, modifierMask(key), swallow);
                    if (swallow) return true;
                }
                if (!keys_) break;
                const int code = keyCode(key);
                if (code < 0) break;
                bool swallow = false;
                keys_->emit(code, swallow);
                if (swallow) return true;
                if (typed_ && code >= 32) {
                    // The widget takes the character now, so the model hears of it in the text.
                    QPointer<QObject> alive(watched);
                    watched->event(event);
                    if (alive) typed_->emit(code);
                    return true;
                }
                break;
            }
            case QEvent::FocusIn:
            case QEvent::FocusOut: {
                // Switching windows or opening a menu does not move the focus between controls.
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
                Signal<>* s = event->type() == QEvent::FocusIn ? gotFocus_ : lostFocus_;
                if (s) s->emit();
                break;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    Signal<int, bool&>* keys_;
    Signal<>* gotFocus_;
    Signal<>* lostFocus_;
    Signal<int, int, bool&>* keyDown_;
    Signal<int>* typed_;
};

// Calls apply(widget, value) now and whenever the property changes, while the widget lives.
template <class W, class T, class F>
void follow(Prop<T>& prop, W* widget, F apply) {
    QPointer<W> guard(widget);
    apply(widget, prop.get());
    prop.changed.connect([guard, apply](const T& value) {
        if (guard) apply(guard.data(), value);
    });
}

// Keeps the widget's rows equal to the list model's items and its current row to ListIndex;
// select(widget, index) shows a selection, setText(widget, row, text) rewrites one row.
template <class W, class Select, class SetText>
void syncItems(ListBox& model, W* widget, Select select, SetText setText) {
    QPointer<W> guard(widget);
    {
        const QSignalBlocker quiet(widget);
        widget->clear();
        for (const std::string& row : model.items())
            widget->addItem(fromCp1252(row));
    }
    model.itemAdded.connect([guard, &model, select](int i) {
        if (!guard) return;
        {
            const QSignalBlocker quiet(guard.data());
            guard->insertItem(i, fromCp1252(model.List(i)));
        }
        select(guard.data(), model.ListIndex.get());
    });
    model.itemChanged.connect([guard, &model, setText](int i) {
        if (guard) setText(guard.data(), i, fromCp1252(model.List(i)));
    });
    model.cleared.connect([guard] {
        if (!guard) return;
        const QSignalBlocker quiet(guard.data());
        guard->clear();
    });
    follow(model.ListIndex, widget, select);
}

void applyFont(QLineEdit* w, const TextBox& m) {
    QFont font = w->font();
    if (!m.FontName.get().empty()) font.setFamily(fromCp1252(m.FontName.get()));
    if (m.FontSize.get() > 0) font.setPointSize(m.FontSize.get());
    font.setBold(m.FontBold.get());
    w->setFont(font);
}

}  // namespace

QColor toQColor(Rgb colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

int keyCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return -1;
        default:
            break;
    }
    const QList<uint> chars = event.text().toUcs4();
    if (chars.size() != 1) return -1;
    return static_cast<unsigned char>(toCp1252(static_cast<char32_t>(chars.front())));
}

void bindControl(Control& model, QWidget* widget) {
    follow(model.Enabled, widget, [](QWidget* w, bool on) { w->setEnabled(on); });
    follow(model.Visible, widget, [](QWidget* w, bool on) { w->setVisible(on); });
    follow(model.ToolTipText, widget,
           [](QWidget* w, const std::string& tip) { w->setToolTip(fromCp1252(tip)); });
    QPointer<QWidget> guard(widget);
    model.focusRequested.connect([guard] {
        if (guard) guard->setFocus(Qt::OtherFocusReason);
    });
}

void bindPanel(Panel& model, QWidget* widget) {
    bindControl(model, widget);
}

void bindLabel(Label& model, QLabel* widget) {
    bindControl(model, widget);
    widget->setTextFormat(Qt::PlainText);
    follow(model.Caption, widget,
           [](QLabel* w, const std::string& text) { w->setText(fromCp1252(text)); });
}

void bindButton(Button& model, QPushButton* widget) {
    bindControl(model, widget);
    follow(model.Caption, widget,
           [](QPushButton* w, const std::string& text) { w->setText(fromCp1252(text)); });
    QObject::connect(widget, &QPushButton::clicked, widget, [&model] { model.clicked.emit(); });
}

void bindCheckBox(CheckBox& model, QCheckBox* widget) {
    bindControl(model, widget);
    follow(model.Caption, widget,
           [](QCheckBox* w, const std::string& text) { w->setText(fromCp1252(text)); });
    follow(model.Value, widget, [](QCheckBox* w, int value) {
        const QSignalBlocker quiet(w);
        w->setChecked(value == 1);
    });
    QObject::connect(widget, &QCheckBox::clicked, widget, [&model](bool checked) {
        model.Value.set(checked ? 1 : 0);
        model.clicked.emit();
    });
}

void bindTextBox(TextBox& model, QLineEdit* widget) {
    bindControl(model, widget);
    follow(model.Text, widget, [](QLineEdit* w, const std::string& text) {
        const QString shown = fromCp1252(text);
        if (w->text() != shown) w->setText(shown);
    });
    follow(model.Locked, widget, [](QLineEdit* w, bool on) { w->setReadOnly(on); });
    follow(model.Masked, widget, [](QLineEdit* w, bool on) {
        w->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
    });
    follow(model.ForeColor, widget, [](QLineEdit* w, Rgb colour) {
        QPalette p = w->palette();
        p.setColor(QPalette::Text, toQColor(colour));
        w->setPalette(p);
    });
    follow(model.FontName, widget,
           [&model](QLineEdit* w, const std::string&) { applyFont(w, model); });
    follow(model.FontSize, widget, [&model](QLineEdit* w, int) { applyFont(w, model); });
    follow(model.FontBold, widget, [&model](QLineEdit* w, bool) { applyFont(w, model); });
    QObject::connect(widget, &QLineEdit::textEdited, widget, [&model, widget](const QString& text) {
        model.Text.set(toCp1252(text));
        // A character outside the code page shows as the "?" it was stored as.
        const QString stored = fromCp1252(model.Text.get());
        if (widget->text() != stored) {
            const int cursor = widget->cursorPosition();
            widget->setText(stored);
            widget->setCursorPosition(cursor);
        }
    });
    // Text put in without the keyboard (assistive technology writes through setText, which
    // raises no textEdited) reaches the model a turn later; typed text is there already.
    QObject::connect(widget, &QLineEdit::textChanged, widget, [&model, widget](const QString&) {
        QMetaObject::invokeMethod(
            widget,
            [&model, widget] {
                const std::string bytes = toCp1252(widget->text());
                if (bytes == model.Text.get()) return;
                if (widget->isReadOnly()) {
                    widget->setText(fromCp1252(model.Text.get()));
                } else {
                    model.Text.set(bytes);
                }
            },
            Qt::QueuedConnection);
    });
    follow(model.SelStart, widget, [](QLineEdit* w, int caret) {
        if (w->cursorPosition() != caret) w->setCursorPosition(caret);
    });
    QObject::connect(widget, &QLineEdit::cursorPositionChanged, widget,
                     [&model](int, int caret) { model.SelStart.set(caret); });
    new InputFilter(widget, &model.keyPressed, &model.gotFocus, &model.lostFocus, &model.keyDown,
                    &model.charTyped);
}

void bindListBox(ListBox& model, QListWidget* widget) {
    bindControl(model, widget);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    auto select = [](QListWidget* w, int index) {
        const QSignalBlocker quiet(w);
        if (index >= 0 && index < w->count()) {
            w->setCurrentRow(index);
        } else {
            w->clearSelection();
            w->setCurrentRow(-1);
        }
    };
    syncItems(model, widget, select, [](QListWidget* w, int i, const QString& text) {
        QListWidgetItem* item = w->item(i);
        if (!item || item->text() == text) return;
        if (QAccessible::isActive() && !w->hasFocus()) {
            // Unheard: the view repaints the row, the model tells nobody else.
            const QSignalBlocker quiet(w->model());
            item->setText(text);
            w->viewport()->update(w->visualItemRect(item));
            return;
        }
        item->setText(text);
    });
    QObject::connect(widget, &QListWidget::itemSelectionChanged, widget, [&model, widget] {
        const QList<QListWidgetItem*> chosen = widget->selectedItems();
        if (chosen.isEmpty()) return;  // a list box never loses its selection to the user
        model.ListIndex.set(widget->row(chosen.front()));
        model.clicked.emit();
    });
    new InputFilter(widget, &model.keyPressed, &model.gotFocus, nullptr);
}

void bindComboBox(ListBox& model, QComboBox* widget) {
    bindControl(model, widget);
    auto select = [](QComboBox* w, int index) {
        const QSignalBlocker quiet(w);
        w->setCurrentIndex(index < w->count() ? index : -1);
    };
    syncItems(model, widget, select,
              [](QComboBox* w, int i, const QString& text) { w->setItemText(i, text); });
    QObject::connect(widget, &QComboBox::activated, widget, [&model](int index) {
        model.ListIndex.set(index);
        model.clicked.emit();
    });
    new InputFilter(widget, &model.keyPressed, &model.gotFocus, nullptr);
}

void bindAccessibleName(Prop<std::string>& text, QWidget* widget) {
    follow(text, widget,
           [](QWidget* w, const std::string& name) { w->setAccessibleName(fromCp1252(name)); });
}

void bindMenuItem(MenuItem& model, QAction* action, bool checkable, bool literal) {
    action->setCheckable(checkable);
    follow(model.Caption, action, [literal](QAction* a, const std::string& caption) {
        if (literal) {
            // User text: an "&" is a character to show, not an access-key mark, and a "-" a text.
            a->setText(fromCp1252(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
            return;
        }
        a->setSeparator(caption == "-");
        a->setText(fromCp1252(caption));
    });
    follow(model.Enabled, action, [](QAction* a, bool on) { a->setEnabled(on); });
    follow(model.Visible, action, [](QAction* a, bool on) { a->setVisible(on); });
    follow(model.Checked, action, [](QAction* a, bool on) { a->setChecked(on); });
    if (!model.Shortcut.empty())
        action->setShortcut(QKeySequence::fromString(QString::fromStdString(model.Shortcut),
                                                     QKeySequence::PortableText));
    QPointer<QAction> guard(action);
    QObject::connect(action, &QAction::triggered, action, [&model, guard] {
        if (guard && guard->isCheckable()) guard->setChecked(model.Checked.get());
        model.clicked.emit();
    });
}

}  // namespace orva
