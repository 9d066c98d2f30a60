#include "qt/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>

#include "qt/chat_view_widget.h"
#include "qt/codec.h"

namespace orva {

FindBar::FindBar(ChatView& document, ChatViewWidget& view, QWidget* parent)
    : QWidget(parent),
      document_(document),
      view_(&view),
      field_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("findBar"));
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("Find:"), this);
    label->setBuddy(field_);
    row->addWidget(label);
    row->addWidget(field_, 1);
    row->addWidget(status_);
    field_->setAccessibleName(QStringLiteral("Find"));
    status_->setMinimumWidth(
        status_->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000")));
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textChanged, this, [this] { search(); });

    std::weak_ptr<bool> alive = alive_;
    document_.appended.connect([this, alive](bool) {
        if (!alive.expired()) onAppended();
    });
    document_.reloaded.connect([this, alive] {
        if (!alive.expired() && !isHidden()) {
            search_.clear();
            search();
        }
    });
    hide();
}

FindBar::~FindBar() {
    alive_.reset();
    if (view_) view_->setMarks(nullptr, nullptr);
}

void FindBar::open() {
    QWidget::show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
    if (!field_->text().isEmpty()) search();
}

void FindBar::close() {
    hide();
    search_.clear();
    if (view_) view_->setMarks(nullptr, nullptr);
    Q_EMIT closed();
}

void FindBar::search() {
    if (isHidden()) return;
    search_.run(document_, toCp1252(field_->text()));
    current_ = 0;
    show(true);
}

void FindBar::step(bool older) {
    const std::size_t n = search_.count();
    if (n == 0) return;
    current_ = older ? (current_ + 1) % n : (current_ + n - 1) % n;
    show(true);
}

void FindBar::onAppended() {
    if (isHidden() || field_->text().isEmpty()) return;
    // Arriving text only adds matches after the ones there were, so the current match keeps its
    // place counted from the oldest.
    const std::size_t before = search_.count();
    search_.refresh(document_);
    if (before > 0) current_ += search_.count() - before;
    show(false);
}

void FindBar::show(bool scroll) {
    if (!view_) return;
    const std::size_t n = search_.count();
    if (field_->text().isEmpty())
        status_->clear();
    else if (n == 0)
        status_->setText(QStringLiteral("No matches"));
    else
        status_->setText(QStringLiteral("%1 of %2").arg(current_ + 1).arg(n));
    if (n == 0) {
        view_->setMarks(&search_, nullptr);
        return;
    }
    const SearchMatch m = search_.newest(current_);
    view_->setMarks(&search_, &m);
    if (scroll) view_->showLine(m.line);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_ ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    const int k = key->key();
    const bool ours =
        k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F3;
    if (!ours) return QWidget::eventFilter(watched, event);
    key->accept();
    if (event->type() == QEvent::ShortcutOverride) return true;  // the keys are the field's
    if (k == Qt::Key_Escape)
        close();
    else
        step(!shift);
    return true;
}

}  // namespace orva
