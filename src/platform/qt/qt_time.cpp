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
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

}  // namespace orva
