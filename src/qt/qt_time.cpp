#include "qt/qt_time.h"

#include <QDateTime>

#include "qt/codec.h"

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

namespace {

// The long time format names the time zone ("t", "tttt" ...); the desktop's date and time does
// not. Quoted text stays as it is.
QString withoutTimeZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        out += c;
    }
    return out.simplified();
}

}  // namespace

std::string generalDateTimeText(const QDateTime& when, const QLocale& locale) {
    QString text =
        locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
        locale.toString(when.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    // Some locales put a narrow or non-breaking space before AM/PM; the code page has no narrow
    // one, and a plain space reads the same.
    for (QChar& c : text)
        if (c.isSpace()) c = QLatin1Char(' ');
    return toCp1252(text);
}

std::string_view QtClock::dateTimeText() const {
    // Formatting consults the locale and the time zone: done once per second, not per line.
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != textSecond_) {
        text_ = generalDateTimeText(QDateTime::fromSecsSinceEpoch(second), QLocale());
        textSecond_ = second;
    }
    return text_;
}

}  // namespace orva
