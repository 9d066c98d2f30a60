// frmLog: the protocol trace window. Closing hides it; the trace survives.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

class QPlainTextEdit;

namespace orva {
struct LogPart;

class LogWindow : public QWidget {
    Q_OBJECT
  public:
    explicit LogWindow(LogPart& form, QWidget* parent = nullptr);
    ~LogWindow() override;

    QPlainTextEdit* textBox() const { return txtLog_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void scheduleFlush();
    void flush();

    LogPart& form_;
    QPlainTextEdit* txtLog_;
    std::uint64_t shown_ = 0;  // trace lines already in the box (counted from the first ever)
    bool flushPending_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orva
