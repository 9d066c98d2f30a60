#include "qt/log_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "qt/codec.h"

// Qt defines "emit" as a keyword; the logic headers use it as a method name.
#pragma push_macro("emit")
#undef emit
#include "logging/log_part.h"
#pragma pop_macro("emit")

namespace orva {

LogWindow::LogWindow(LogPart& form, QWidget* parent)
    : QWidget(parent, Qt::Window), form_(form), txtLog_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Log Window"));
    resize(640, 360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtLog_);
    txtLog_->setReadOnly(true);
    txtLog_->setAccessibleName(QStringLiteral("Protocol trace"));
    txtLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLog_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog_->setUndoRedoEnabled(false);
    // The box holds what the trace holds, and drops its oldest lines the same way.
    txtLog_->setMaximumBlockCount(static_cast<int>(TraceLog::kCapacity));
    txtLog_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette pal = txtLog_->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    txtLog_->setPalette(pal);

    std::weak_ptr<bool> alive = alive_;
    form_.frmLog.lineAdded.connect([this, alive](const std::string&) {
        if (!alive.expired()) scheduleFlush();
    });
    form_.frmLog.Visible.changed.connect([this, alive](const bool& visible) {
        if (alive.expired()) return;
        if (visible) {
            show();
            raise();
            activateWindow();
        } else {
            hide();
        }
    });
    setVisible(form_.frmLog.Visible.get());
}

LogWindow::~LogWindow() {
    alive_.reset();
}

void LogWindow::closeEvent(QCloseEvent* event) {
    if (frmLog_QueryUnload(form_)) event->ignore();
}

void LogWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    flush();
}

void LogWindow::scheduleFlush() {
    // A hidden window catches up when shown; a shown one once per turn of the event loop.
    if (flushPending_ || !isVisible()) return;
    flushPending_ = true;
    std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        this,
        [this, alive] {
            if (alive.expired()) return;
            flushPending_ = false;
            flush();
        },
        Qt::QueuedConnection);
}

void LogWindow::flush() {
    const TraceLog& log = form_.frmLog;
    const std::uint64_t total = log.total();
    if (total == shown_) return;
    const std::uint64_t missing = total - shown_;
    std::string text;
    const std::size_t first =
        missing >= log.lines.size() ? 0 : log.lines.size() - static_cast<std::size_t>(missing);
    for (std::size_t i = first; i < log.lines.size(); ++i) {
        if (i > first) text += '\n';
        text += log.lines[i];
    }
    if (missing >= log.lines.size()) {
        txtLog_->setPlainText(fromCp1252(text));
    } else {
        QTextCursor cursor(txtLog_->document());
        cursor.movePosition(QTextCursor::End);
        if (!txtLog_->document()->isEmpty()) cursor.insertBlock();
        cursor.insertText(fromCp1252(text));
    }
    shown_ = total;
    // The caret at the start of the newest line brings it into view.
    QTextCursor caret(txtLog_->document()->lastBlock());
    txtLog_->setTextCursor(caret);
    txtLog_->ensureCursorVisible();
}

}  // namespace orva
