// Timers on QTimer and the clock on a monotonic QElapsedTimer and the local calendar.
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/timer.h"

namespace orva {

class QtTimer : public ITimer {
  public:
    QtTimer();
    void setInterval(int ms) override;
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool on) override;
    bool enabled() const override { return timer_.isActive(); }
    void onTick(std::function<void()> tick) override { tick_ = std::move(tick); }

  private:
    QTimer timer_;  // an interval of 0 fires on the next turn of the event loop
    std::function<void()> tick_;
};

class QtTimerFactory : public ITimerFactory {
  public:
    std::unique_ptr<ITimer> createTimer() override { return std::make_unique<QtTimer>(); }
};

class QtClock : public IClock {
  public:
    QtClock() { started_.start(); }
    std::uint32_t tickCount() const override;
    LocalTime localTime() const override;
    std::string_view dateTimeText() const override;

  private:
    QElapsedTimer started_;
    mutable qint64 cachedSecond_ = -1;
    mutable LocalTime cached_;
    mutable qint64 textSecond_ = -1;
    mutable std::string text_;
};

// The locale's short date and its time with seconds but without the time zone, in code page
// 1252, as the desktop shows a date and time.
std::string generalDateTimeText(const QDateTime& when, const QLocale& locale);

}  // namespace orva
