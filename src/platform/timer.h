// The door to timers: a period, an enabled flag and a tick callback.
#pragma once

#include <functional>
#include <memory>

namespace orva {

class ITimer {
  public:
    virtual ~ITimer() = default;
    virtual void setInterval(int ms) = 0;  // keeps the enabled state; restarts the period
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;  // enabling (again) starts a full period
    virtual bool enabled() const = 0;
    virtual void onTick(std::function<void()> tick) = 0;
};

class ITimerFactory {
  public:
    virtual ~ITimerFactory() = default;
    // A new timer, stopped, interval 0.
    virtual std::unique_ptr<ITimer> createTimer() = 0;
};

}  // namespace orva
