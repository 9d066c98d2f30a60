#include "platform/qt/qt_time.h"

#include <QDateTime>

namespace orva {

QtTimer::QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (tick_) tick_();
    });
}

void QtTimer::setInterval(int ms) {
    const bool on = timer_.isActive();
    timer_.setInterval(ms < 0 ? 0 : ms);
    if (on) timer_.start();  // a new interval starts a full period
}

void QtTimer::setEnabled(bool on) {
    if (on)
        timer_.start();
    else
        timer_.stop();
}

std::uint32_t QtClock::tickCount() const {
    // Wraps like the platform tick count it stands for.
    return static_cast<std::uint32_t>(static_cast<quint64>(started_.elapsed()));
}

LocalTime QtClock::localTime() const {
    // Every traced line asks for the time; converting to local time consults the time zone each
    // call, so the calendar part is worked out once per second and only the milliseconds move.
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = ms / 1000;
    if (second != cachedSecond_) {
        const QDateTime now = QDateTime::fromMSecsSinceEpoch(second * 1000);
        const QDate d = now.date();
        const QTime t = now.time();
        cached_ = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), 0};
        cachedSecond_ = second;
    }
    LocalTime result = cached_;
    result.millisecond = static_cast<int>(ms % 1000);
    return result;
}

}  // namespace orva
