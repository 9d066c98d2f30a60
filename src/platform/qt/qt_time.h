// Timers on QTimer and the clock on a monotonic QElapsedTimer and the local calendar.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

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

  private:
    QElapsedTimer started_;
    mutable qint64 cachedSecond_ = -1;
    mutable LocalTime cached_;
};

}  // namespace orva
