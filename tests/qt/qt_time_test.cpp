#include "qt/qt_time.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QTest>

namespace orva {
namespace {

TEST(QtTimer, TicksWhileEnabledAndStopsWhenDisabled) {
    QtTimerFactory factory;
    auto timer = factory.createTimer();
    EXPECT_FALSE(timer->enabled());
    EXPECT_EQ(timer->interval(), 0);
    int ticks = 0;
    timer->onTick([&] { ++ticks; });
    timer->setInterval(20);
    EXPECT_FALSE(timer->enabled());  // a new interval does not start a stopped timer
    QTest::qWait(60);
    EXPECT_EQ(ticks, 0);

    timer->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));
    timer->setInterval(30);  // keeps running with the new period
    EXPECT_TRUE(timer->enabled());
    EXPECT_EQ(timer->interval(), 30);
    const int before = ticks;
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > before; }, 2000));

    timer->setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(100);
    EXPECT_EQ(ticks, stopped);
}

TEST(QtTimer, ZeroIntervalFiresOnTheNextTurnNotBefore) {
    QtTimerFactory factory;
    auto timer = factory.createTimer();
    int ticks = 0;
    timer->onTick([&] {
        ++ticks;
        timer->setEnabled(false);
    });
    timer->setEnabled(true);
    EXPECT_EQ(ticks, 0);  // not from inside setEnabled
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 1000));
}

TEST(QtTimer, TickMayStopAndRestartItsOwnTimer) {
    QtTimerFactory factory;
    auto timer = factory.createTimer();
    timer->setInterval(10);
    int ticks = 0;
    timer->onTick([&] {
        ++ticks;
        timer->setEnabled(false);
        if (ticks < 3) timer->setEnabled(true);
    });
    timer->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 3; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer->enabled());
}

TEST(QtClock, TickCountRisesWithTimeAndLocalTimeIsNow) {
    QtClock clock;
    const std::uint32_t t0 = clock.tickCount();
    QTest::qWait(30);
    const std::uint32_t t1 = clock.tickCount();
    EXPECT_GE(t1 - t0, 25u);
    EXPECT_LT(t1 - t0, 5000u);

    const QDateTime before = QDateTime::currentDateTime();
    const LocalTime now = clock.localTime();
    const QDateTime read(QDate(now.year, now.month, now.day),
                         QTime(now.hour, now.minute, now.second, now.millisecond));
    EXPECT_LE(std::abs(before.msecsTo(read)), 2000);
}

// The date and time as the desktop shows them: the locale's own order and separators, seconds,
// no time zone, and nothing the code page cannot hold in place of a plain space.
TEST(QtClock, DateTimeTextIsTheLocalesOwn) {
    const struct {
        const char* locale;
        QTime time;
        const char* want;
    } cases[] = {
        {"en_US", QTime(9, 5, 3), "12/7/26 9:05:03 AM"},
        {"en_US", QTime(21, 5, 3), "12/7/26 9:05:03 PM"},
        {"de_DE", QTime(21, 5, 3), "07.12.26 21:05:03"},
        {"ru_RU", QTime(9, 5, 3), "07.12.2026 09:05:03"},
    };
    for (const auto& c : cases) {
        const QDateTime when(QDate(2026, 12, 7), c.time);
        EXPECT_EQ(generalDateTimeText(when, QLocale(QString::fromLatin1(c.locale))), c.want)
            << c.locale;
    }
    // The clock gives the same for now and the default locale (a second may turn meanwhile).
    QtClock clock;
    bool same = false;
    for (int attempt = 0; attempt < 3 && !same; ++attempt) {
        const std::string expected = generalDateTimeText(
            QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch()), QLocale());
        same = clock.dateTimeText() == expected;
    }
    EXPECT_TRUE(same);
}

}  // namespace
}  // namespace orva
